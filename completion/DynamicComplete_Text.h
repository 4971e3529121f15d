// The text rules of the completing edit (DynamicComplete.h), apart from any
// window so that they can be tested as they are: inserting a candidate at the
// word, the text a selected row gives, committing up to a special character,
// word deletion, list and history movement, the history itself, the match mode
// and the popup's geometry. Positions are counted as the edit counts them
// (characters in character mode, else bytes: core/StringUtils.h).
// Pure logic: no Windows header.
#pragma once

#include <string>
#include <string_view>

#include "core/StringList.h"

namespace complete {

// Text, selection start and length of an edit.
struct TEditState {
  std::string Text;
  int SelStart = 0;
  int SelLength = 0;
  int SelEnd() const { return SelStart + SelLength; }
  bool operator==(const TEditState&) const = default;
};

// Position count of a text, and conversions between positions and bytes.
int PosLength(std::string_view s);
size_t PosToByte(std::string_view s, int pos);
int ByteToPos(std::string_view s, size_t byte);
// The text between two positions.
std::string PosSub(std::string_view s, int from, int to);

// Puts a candidate into the text at the word; typed letters keep their case
// and the added part is selected. wordEmpty: the edit's word is empty (the
// insertion starts at the word start). Returns the position just after the
// candidate in the new text.
int InsertCandidate(TEditState& st, int wordStart, bool wordEmpty, std::string candidate);

// The text as it reads when row is accepted.
std::string CompletedText(const TEditState& st, int wordStart, std::string_view row);

// Committing up to the special character c: the row cut before the first c
// that follows the typed part, less a trailing "\". Nothing to commit when the
// row does not start with typed or its rest already starts with c.
struct TCut {
  bool Commit = false;
  std::string Row;
};
TCut CutAtChar(std::string_view row, std::string_view typed, char c);

// Byte-by-byte typing: whether a byte is the trail byte of a double-byte
// character, so that a special character never splits one.
class TByteTracker {
 public:
  // Feeds one typed byte; true when it is a trail byte.
  bool Feed(unsigned char b);
  void Reset() { leadPending_ = false; }

 private:
  bool leadPending_ = false;
};
// Whether c is one of the special characters (case-insensitive).
bool IsSpecialChar(char c, std::string_view specialChars);

// Word deletion. Right: from the caret through the first delimiter after the
// character at the caret (to the end when none); the caret stays. Left: from
// after the last delimiter before the selection's end (less its last
// character) up to the selection's end; the caret goes there.
void DeleteWordRight(TEditState& st, std::string_view delimiters);
void DeleteWordLeft(TEditState& st, std::string_view delimiters);

// The row that a move to target selects in a list of count rows with selected
// selected (-1 for none): past either end wraps when already there, else
// stops at the end; with none selected, the first row. -1 for an empty list.
int SelectTarget(int target, int selected, int count);

// The match mode that a MatchLevel value gives (current: the mode now).
int MatchModeFor(int level, bool useList, int current);

// History: a line to the top (moved when present, case-insensitive), one
// trailing blank cut, at most max lines kept. Nothing for an empty line.
void AddHistoryLine(TStringList& history, std::string line, int max);
// The history source: of the first max lines, those starting with prefix
// (case-insensitive), the prefix cut off, in history order.
TStringList HistorySource(const TStringList& history, std::string_view prefix, int max);
// Walking the history from text: the line index to show, -1 for none.
int HistoryStep(const TStringList& history, std::string_view text, bool up);

// The popup's size and place.
struct TPopupInput {
  int Rows = 0;
  int ListSize = 15;
  int FontHeight = 0;      // absolute height of the list font
  int ListHeightPx = 0;    // ListSize rows
  bool ScrollBar = true;
  bool Upward = false;
  int MWidth = 0;          // width of "M" in the list font
  int Longest = 0;         // bytes of the longest candidate
  int ListWidth = 0;       // greatest width, 0 for none
};
struct TPopupRect {
  int X = 0, Y = 0, Width = 0, Height = 0;
  bool operator==(const TPopupRect&) const = default;
};
struct TPopupPlace {
  int CaretX = 0, CaretY = 0;  // caret in screen coordinates
  int ClientHeight = 0;        // of the edit
  int EditHeight = 0;
  int WordWidth = 0;           // the word up to the end of the selection
  bool ExtendWindow = false;
  int ClientOriginX = 0;       // of the edit, on screen
  int BeforeWidth = 0;         // the text before the word
  int ScreenRight = 0;
};
// Width and height of the list.
TPopupRect PopupSize(const TPopupInput& in);
// Adds the position for a list of the given size.
TPopupRect PlacePopup(TPopupRect size, bool upward, const TPopupPlace& at);
// Whether the list opens above the edit.
bool OpensUpward(int screenHeight, int listHeightPx, int editScreenY);

}  // namespace complete
