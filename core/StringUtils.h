// String routines that respect double-byte text and delimiter or quote
// structure. Pure logic.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/StringList.h"

// Character mode: when on, CharLength, CharDelete and CharCopy count characters
// (a double-byte character once, as edit controls count them on XP and later);
// when off, bytes. Follows IsWinXP unless set.
bool CharMode();
void SetCharMode(bool on);

// The item at a zero-based index of a comma text as an integer; def when it is
// missing or no integer.
int GetCommaInt(std::string_view commaText, int def, int index);
// The comma text with that item set to value (empty items added as needed).
std::string SetCommaInt(std::string_view commaText, int value, int index);

// The whole number a text holds (blanks around it and a "+" allowed), held to
// min..max; a text that is no whole number counts as 0, held to the range too.
int WholeNumberInRange(std::string_view text, int min, int max);

// Length, deletion and copy under the character mode; positions are 1-based,
// and a deletion or copy past the end stops at the end.
int CharLength(std::string_view s);
void CharDelete(std::string& s, int index, int count);
std::string CharCopy(std::string_view s, int index, int count);

// Parts between delimiters; quote (0 for none) groups parts back into one entry,
// its quotes removed unless keepQuotes. Written to the debug log as
// "ArrayedParam.text=".
TStringList SplitString(std::string_view text, std::string_view delimiter);
TStringList SplitStringQuoted(std::string_view text, std::string_view delimiter, char quote);
TStringList SplitStringEx(std::string_view text, std::string_view delimiter, char quote, bool keepQuotes);

// Mode 0: the non-empty parts between delimiters. Mode 1: the non-empty parts
// with one empty entry for each delimiter (only the delimiter's first byte
// counts; an empty text gives one empty entry).
std::vector<std::string> SplitToArray(std::string_view text, std::string_view delimiter, int mode);

// 1-based byte position of the last c (never a trail byte); 0 when none.
int LastCharPos(std::string_view text, char c);
// The text without its last token: 'a\b\c' gives 'a\b\'; with dropDelimiter
// 'a\b' gives 'a' and 'a\b\' gives 'a\b'.
std::string DeleteLastToken(std::string_view text, std::string_view delimiter, bool dropDelimiter);
std::string GetFirstToken(std::string_view text, std::string_view delimiter, bool skipEmpty);
std::string GetLastToken(std::string_view text, std::string_view delimiter, bool skipEmpty);
std::string JoinArray(const std::vector<std::string>& items, std::string_view separator);
