#include "core/StringUtils.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <climits>

#include "core/Debug.h"
#include "core/Debug_Unit.h"
#include "core/OSUtils.h"
#include "core/Sjis.h"

namespace {

std::atomic<int> g_charMode{-1};  // -1: not decided yet

// Byte offset of 1-based position index counted in the current mode.
size_t BytePos(std::string_view s, size_t zeroBasedIndex) {
  return CharMode() ? sjis::CharToBytePos(s, zeroBasedIndex) : std::min(zeroBasedIndex, s.size());
}

// Cuts text at every delimiter (only at character boundaries).
std::vector<std::string> Parts(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> parts;
  if (delimiter.empty()) {
    parts.emplace_back(text);
    return parts;
  }
  size_t start = 0;
  for (;;) {
    size_t at = sjis::Find(text, delimiter, start);
    if (at == sjis::npos) break;
    parts.emplace_back(text.substr(start, at - start));
    start = at + delimiter.size();
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

void LogEntries(const TStringList& list) {
  if (!DebugLine().Enabled() && !DebugOut().Enabled()) return;
  std::string text = "ArrayedParam.text=";
  for (const std::string& s : list) text += s + "\r\n";
  if (DebugLine().Enabled()) DebugLine().Add(text);
  else DebugOut().Write(text);
}

}  // namespace

bool CharMode() {
  int mode = g_charMode.load(std::memory_order_relaxed);
  if (mode < 0) {
    mode = IsWinXP() ? 1 : 0;
    int expected = -1;
    if (!g_charMode.compare_exchange_strong(expected, mode)) mode = expected;
  }
  return mode == 1;
}

void SetCharMode(bool on) { g_charMode.store(on ? 1 : 0, std::memory_order_relaxed); }

int GetCommaInt(std::string_view commaText, int def, int index) {
  TStringList list;
  list.SetCommaText(commaText);
  if (index < 0 || index >= list.Count()) return def;
  return sjis::StrToIntDef(list[index], def);
}

std::string SetCommaInt(std::string_view commaText, int value, int index) {
  TStringList list;
  list.SetCommaText(commaText);
  if (index < 0) return list.GetCommaText();
  while (list.Count() <= index) list.Add("");
  list[index] = std::to_string(value);
  return list.GetCommaText();
}

int CharLength(std::string_view s) {
  return static_cast<int>(CharMode() ? sjis::CharCount(s) : s.size());
}

void CharDelete(std::string& s, int index, int count) {
  if (index < 1 || count <= 0 || index > CharLength(s)) return;
  size_t from = BytePos(s, static_cast<size_t>(index - 1));
  size_t to = BytePos(s, static_cast<size_t>(index - 1) + static_cast<size_t>(count));
  s.erase(from, to - from);
}

std::string CharCopy(std::string_view s, int index, int count) {
  if (index < 1) index = 1;
  if (count <= 0 || index > CharLength(s)) return std::string();
  size_t from = BytePos(s, static_cast<size_t>(index - 1));
  size_t to = BytePos(s, static_cast<size_t>(index - 1) + static_cast<size_t>(count));
  return std::string(s.substr(from, to - from));
}

TStringList SplitString(std::string_view text, std::string_view delimiter) {
  return SplitStringQuoted(text, delimiter, '\0');
}

TStringList SplitStringQuoted(std::string_view text, std::string_view delimiter, char quote) {
  return SplitStringEx(text, delimiter, quote, false);
}

TStringList SplitStringEx(std::string_view text, std::string_view delimiter, char quote, bool keepQuotes) {
  const std::vector<std::string> parts = Parts(text, delimiter);
  TStringList result;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (quote == '\0' || !sjis::StartsWithChar(parts[i], quote)) {
      result.Add(parts[i]);
      continue;
    }
    // A quoted run: up to the first part that ends with the quote (the opening
    // part counts, so a lone quote closes at once) or to the last part.
    std::string entry = keepQuotes ? parts[i] : parts[i].substr(1);
    bool closed = sjis::EndsWithChar(parts[i], quote);
    while (!closed && i + 1 < parts.size()) {
      ++i;
      entry += std::string(delimiter) + parts[i];
      closed = sjis::EndsWithChar(parts[i], quote);
    }
    if (closed && !keepQuotes && sjis::EndsWithChar(entry, quote)) entry.pop_back();
    result.Add(std::move(entry));
  }
  LogEntries(result);
  return result;
}

std::vector<std::string> SplitToArray(std::string_view text, std::string_view delimiter, int mode) {
  std::vector<std::string> result;
  if (mode == 1) {
    std::string part;
    const char d = delimiter.empty() ? '\0' : delimiter[0];
    for (size_t i = 0; i < text.size(); i = sjis::NextPos(text, i)) {
      const size_t n = sjis::CharLen(text, i);
      if (!delimiter.empty() && n == 1 && text[i] == d) {
        if (!part.empty()) result.push_back(std::move(part));
        part.clear();
        result.emplace_back();
      } else {
        part.append(text.substr(i, n));
      }
    }
    if (!part.empty()) result.push_back(std::move(part));
    if (result.empty()) result.emplace_back();
    return result;
  }
  for (std::string& p : Parts(text, delimiter))
    if (!p.empty()) result.push_back(std::move(p));
  return result;
}

int LastCharPos(std::string_view text, char c) {
  size_t at = sjis::FindLastChar(text, c);
  return at == sjis::npos ? 0 : static_cast<int>(at) + 1;
}

std::string DeleteLastToken(std::string_view text, std::string_view delimiter, bool dropDelimiter) {
  if (text.empty()) return std::string();
  if (!dropDelimiter && !delimiter.empty() && sjis::EndsWithChar(text, delimiter[0])) return std::string(text);
  std::vector<std::string> items = SplitToArray(text, delimiter, 1);
  items.pop_back();
  if (dropDelimiter && !items.empty() && items.back().empty()) items.pop_back();
  std::string result;
  for (const std::string& s : items) result += s.empty() ? std::string(delimiter.substr(0, 1)) : s;
  return result;
}

std::string GetFirstToken(std::string_view text, std::string_view delimiter, bool skipEmpty) {
  if (text.empty()) return std::string();
  std::vector<std::string> parts = SplitToArray(text, delimiter, 0);
  if (!parts.empty()) return parts.front();
  return skipEmpty ? std::string() : std::string(text);
}

std::string GetLastToken(std::string_view text, std::string_view delimiter, bool skipEmpty) {
  TStringList parts = SplitString(text, delimiter);
  for (int i = parts.Count() - 1; i >= 0; --i) {
    if (!skipEmpty || !parts[i].empty()) return parts[i];
  }
  return std::string(text);
}

std::string JoinArray(const std::vector<std::string>& items, std::string_view separator) {
  std::string result;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) result += separator;
    result += items[i];
  }
  return result;
}

int WholeNumberInRange(std::string_view text, int min, int max) {
  size_t b = text.find_first_not_of(' '), e = text.find_last_not_of(' ');
  long long v = 0;
  if (b != std::string_view::npos) {
    std::string_view t = text.substr(b, e - b + 1);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec == std::errc::result_out_of_range) v = (!t.empty() && t.front() == '-') ? LLONG_MIN : LLONG_MAX;
    else if (ec != std::errc() || end != t.data() + t.size()) v = 0;
  }
  return static_cast<int>(std::clamp<long long>(v, min, max));
}
