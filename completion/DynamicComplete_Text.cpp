#include "completion/DynamicComplete_Text.h"

#include <algorithm>

#include "core/Sjis.h"
#include "core/StringUtils.h"

namespace complete {

int PosLength(std::string_view s) { return CharLength(s); }

size_t PosToByte(std::string_view s, int pos) {
  if (pos <= 0) return 0;
  if (CharMode()) return sjis::CharToBytePos(s, static_cast<size_t>(pos));
  return std::min(static_cast<size_t>(pos), s.size());
}

int ByteToPos(std::string_view s, size_t byte) {
  byte = std::min(byte, s.size());
  return CharMode() ? static_cast<int>(sjis::ByteToCharPos(s, byte)) : static_cast<int>(byte);
}

std::string PosSub(std::string_view s, int from, int to) {
  size_t a = PosToByte(s, from), b = PosToByte(s, to);
  return b > a ? std::string(s.substr(a, b - a)) : std::string();
}

namespace {

// First "\" or blank (never a trail byte), npos when none.
size_t FindBackslashOrBlank(std::string_view s) {
  for (size_t i = 0; i < s.size(); i = sjis::NextPos(s, i))
    if (sjis::CharLen(s, i) == 1 && (s[i] == '\\' || s[i] == ' ')) return i;
  return sjis::npos;
}

bool IsDelimiterAt(std::string_view s, size_t i, std::string_view delimiters) {
  return sjis::CharLen(s, i) == 1 && delimiters.find(s[i]) != std::string_view::npos;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

}  // namespace

int InsertCandidate(TEditState& st, int wordStart, bool wordEmpty, std::string candidate) {
  const std::string& text = st.Text;
  int p0 = wordEmpty ? wordStart : st.SelStart;
  size_t ws = PosToByte(text, wordStart);
  size_t caret = std::max(ws, PosToByte(text, st.SelStart));
  size_t selEnd = std::max(caret, PosToByte(text, st.SelEnd()));
  std::string before = text.substr(0, ws);
  std::string typed = text.substr(ws, caret - ws);
  std::string after = text.substr(selEnd);
  // What follows the selection up to a "\" or blank is the old rest of the word.
  size_t cut = FindBackslashOrBlank(after);
  after = cut == sjis::npos ? std::string() : after.substr(cut);
  if (sjis::StartsWithChar(after, '\\') && sjis::EndsWithChar(candidate, '\\')) candidate.pop_back();
  std::string head;
  if (sjis::StartsWithIgnoreCase(candidate, typed)) {
    head = before + typed + candidate.substr(typed.size());
    st.Text = head + after;
  } else {
    head = before + candidate;
    std::string next = head + after;
    if (next != st.Text) st.Text = std::move(next);
  }
  int end = PosLength(head);
  // A candidate shorter than the typed text (a romaji match) ends before p0.
  int start = std::min(p0, end);
  st.SelStart = start;
  st.SelLength = end - start;
  return end;
}

std::string CompletedText(const TEditState& st, int wordStart, std::string_view row) {
  const std::string& text = st.Text;
  std::string before = text.substr(0, PosToByte(text, wordStart));
  std::string_view rest = std::string_view(text).substr(PosToByte(text, st.SelEnd()));
  size_t cut = FindBackslashOrBlank(rest);
  rest = cut == sjis::npos ? std::string_view() : rest.substr(cut);
  if (sjis::EndsWithChar(row, '\\') && sjis::StartsWithChar(rest, '\\')) rest.remove_prefix(1);
  return before + std::string(row) + std::string(rest);
}

TCut CutAtChar(std::string_view row, std::string_view typed, char c) {
  TCut out;
  if (!sjis::StartsWithIgnoreCase(row, typed)) return out;
  std::string_view rest = row.substr(typed.size());
  const std::string target(1, c);
  if (!rest.empty() && sjis::CharLen(rest, 0) == 1 && Lower(rest[0]) == Lower(c)) return out;
  size_t at = sjis::FindIgnoreCase(row, target, typed.size());
  out.Row = std::string(at == sjis::npos ? row : row.substr(0, at));
  if (sjis::EndsWithChar(out.Row, '\\')) out.Row.pop_back();
  out.Commit = true;
  return out;
}

bool TByteTracker::Feed(unsigned char b) {
  if (leadPending_) {
    leadPending_ = false;
    return true;
  }
  leadPending_ = sjis::IsLeadByte(b);
  return false;
}

bool IsSpecialChar(char c, std::string_view specialChars) {
  for (size_t i = 0; i < specialChars.size(); i = sjis::NextPos(specialChars, i))
    if (sjis::CharLen(specialChars, i) == 1 && Lower(specialChars[i]) == Lower(c)) return true;
  return false;
}

void DeleteWordRight(TEditState& st, std::string_view delimiters) {
  std::string& text = st.Text;
  size_t at = PosToByte(text, st.SelStart);
  if (at >= text.size()) return;
  size_t end = text.size();
  for (size_t i = sjis::NextPos(text, at); i < text.size(); i = sjis::NextPos(text, i))
    if (IsDelimiterAt(text, i, delimiters)) {
      end = i + 1;
      break;
    }
  int caret = ByteToPos(text, at);
  text.erase(at, end - at);
  st.SelStart = caret;
  st.SelLength = 0;
}

void DeleteWordLeft(TEditState& st, std::string_view delimiters) {
  std::string& text = st.Text;
  size_t end = PosToByte(text, st.SelEnd());
  size_t limit = sjis::PrevPos(text, end);  // the last character before the end does not count
  size_t from = 0;
  for (size_t i = 0; i < limit; i = sjis::NextPos(text, i))
    if (IsDelimiterAt(text, i, delimiters)) from = i + 1;
  int caret = ByteToPos(text, from);
  text.erase(from, end - from);
  st.SelStart = caret;
  st.SelLength = 0;
}

int SelectTarget(int target, int selected, int count) {
  if (count <= 0) return -1;
  if (target > count - 1) return selected == count - 1 ? 0 : count - 1;
  if (target < 0) return selected == 0 ? count - 1 : 0;
  if (selected < 0) return 0;
  return target;
}

int MatchModeFor(int level, bool useList, int current) {
  switch (level) {
    case -1: case 2: case 3: return 2;
    case 0: case 1: return useList ? level : 2;
    default: return current;
  }
}

void AddHistoryLine(TStringList& history, std::string line, int max) {
  if (line.empty()) return;
  if (line.back() == ' ') line.pop_back();
  if (line.empty()) return;
  int at = history.IndexOf(line);
  if (at >= 0) history.Move(at, 0);
  else history.Insert(0, std::move(line));
  while (history.Count() > std::max(max, 0)) history.Delete(history.Count() - 1);
}

TStringList HistorySource(const TStringList& history, std::string_view prefix, int max) {
  TStringList out;
  int n = std::min(history.Count(), std::max(max, 0));
  for (int i = 0; i < n; ++i)
    if (sjis::StartsWithIgnoreCase(history[i], prefix)) out.Add(history[i].substr(prefix.size()));
  return out;
}

int HistoryStep(const TStringList& history, std::string_view text, bool up) {
  if (history.Empty()) return -1;
  int at = history.IndexOf(text);
  if (up) return at >= 1 ? at - 1 : -1;
  if (at < 0) return 0;
  return at + 1 < history.Count() ? at + 1 : -1;
}

TPopupRect PopupSize(const TPopupInput& in) {
  TPopupRect r;
  r.Width = in.Longest < 1 ? 20 * in.MWidth : in.MWidth * in.Longest + 20;
  if (in.ListWidth > 0) r.Width = std::min(r.Width, in.ListWidth);
  if (in.Rows < in.ListSize) {
    r.Height = in.Rows * in.FontHeight;
  } else {
    r.Height = in.ListHeightPx;
    if (!in.ScrollBar && !in.Upward) r.Height += in.FontHeight / 2;
  }
  return r;
}

TPopupRect PlacePopup(TPopupRect r, bool upward, const TPopupPlace& at) {
  r.X = at.ExtendWindow ? at.ClientOriginX + at.BeforeWidth : at.CaretX - at.WordWidth;
  r.Y = at.CaretY + at.ClientHeight;
  if (upward) {
    r.Y = at.CaretY + at.ClientHeight - at.EditHeight - r.Height;
    r.X -= 3;
  }
  if (r.X + r.Width > at.ScreenRight) r.X = at.ScreenRight - r.Width;
  return r;
}

bool OpensUpward(int screenHeight, int listHeightPx, int editScreenY) {
  return screenHeight < listHeightPx + editScreenY;
}

}  // namespace complete
