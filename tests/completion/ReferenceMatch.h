// Match levels computed the plain way, step by step as the levels are defined,
// without any of the quick tests of the real scorer: tests and the fuzz target
// compare the two.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "completion/Romaji_Match.h"
#include "completion/String_Match.h"
#include "core/Sjis.h"

namespace reference {

inline std::vector<uint16_t> UpperChars(std::string_view s) {
  std::vector<uint16_t> out;
  for (size_t i = 0, len; i < s.size(); i += len) out.push_back(ansicase::UpperCharAt(s, i, len));
  return out;
}

// 1-based position of an exact, double-byte-aware occurrence; 0 when absent.
inline size_t Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  size_t p = sjis::Find(s, sub);
  return p == sjis::npos ? 0 : p + 1;
}

inline int LevelOf(std::string_view keyword, const TClauseLists& lists, int minLevel) {
  std::string rest(keyword);
  int previous = 2, best = -1;
  for (size_t i = 0; i < lists.size(); ++i) {
    best = -1;
    for (const auto& c : lists[i]) {
      size_t p = Pos(c, rest);
      if (p == 0) continue;
      int level;
      if (p == 1) level = previous;
      else if (previous >= 2) level = 1;
      else if (previous == 1 && i > 0) level = 0;
      else level = previous;
      if (level >= minLevel && level > best) {
        best = level;
        rest.erase(0, p + c.size() - 1);
      }
    }
    previous = best;
  }
  if (best == 2 && rest.empty()) return 3;
  return best;
}

// lists: the clause lists the input method gives for typed; null with romaji off.
inline int RomajiLevel(std::string_view candidate, std::string_view typed, int mode, const TClauseLists* lists,
                       bool onlyUpper) {
  if (typed.empty()) return -1;
  if (onlyUpper && !(typed[0] >= 'A' && typed[0] <= 'Z')) return -1;
  if (TRomajiMatch::HasLeadByte(typed) || lists->empty()) return -1;
  int l = LevelOf(candidate, *lists, mode);
  return l >= 2 ? 1 : l;
}

inline int Match(std::string_view candidate, std::string_view typed, int mode, const TClauseLists* lists,
                 bool onlyUpper) {
  const bool romaji = lists != nullptr;
  if (mode == -1) return -1;
  if (candidate.size() == typed.size() && UpperChars(candidate) == UpperChars(typed)) return 3;
  if (mode == 3) return (romaji && RomajiLevel(candidate, typed, mode, lists, onlyUpper) != -1) ? 3 : -1;
  if (typed.empty()) return 2;
  const auto c = UpperChars(candidate), t = UpperChars(typed);
  if (mode == 1) {
    int result = -1;
    for (size_t i = 0; i + t.size() <= c.size(); ++i)
      if (std::equal(t.begin(), t.end(), c.begin() + i)) { result = i == 0 ? 2 : 1; break; }
    if (romaji) {
      int r = RomajiLevel(candidate, typed, mode, lists, onlyUpper);
      if (r > result) result = r;
    }
    return result;
  }
  int result = -1;
  if (romaji) {
    int r = RomajiLevel(candidate, typed, mode, lists, onlyUpper);
    if (r > result) result = r;
  }
  size_t ci = 0;
  int skips = 0;
  for (uint16_t ch : t) {
    bool skipped = false, found = false;
    while (ci < c.size()) {
      if (c[ci++] == ch) { found = true; break; }
      if (mode != 0) return result;
      if (!skipped) { ++skips; skipped = true; }
    }
    if (!found) return result;
  }
  return skips == 0 ? 2 : 0;
}

}  // namespace reference
