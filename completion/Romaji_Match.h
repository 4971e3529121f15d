// Romaji matching: romaji typed on the keyboard is converted by the input
// method into clauses, each clause into its conversion candidates, and a
// keyword written in kana or kanji matches when clause candidates are found in
// it one after the other. The input method is asked once per distinct input;
// every keyword after that is scored on the cached lists.
// Main thread only. Pure logic over IInputMethod.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "completion/InputMethod.h"

// One list of conversion candidates per clause of the reading.
using TClauseLists = std::vector<std::vector<std::string>>;

class TRomajiMatch {
 public:
  explicit TRomajiMatch(std::unique_ptr<IInputMethod> ime);
  TRomajiMatch(const TRomajiMatch&) = delete;
  TRomajiMatch& operator=(const TRomajiMatch&) = delete;

  // Level of keyword against the romaji input; clause levels below minLevel do not count.
  int Match(std::string_view keyword, std::string_view input, int minLevel);
  // 3 when every clause has a candidate at the front of what is left and
  // nothing is left, 2 when each is at the front, 1 when the first clause's
  // match starts later, 0 when a later clause matches only after such a start,
  // -1 as soon as a clause has no acceptable candidate.
  static int LevelOf(std::string_view keyword, const TClauseLists& lists, int minLevel);
  // Converts the input through the input method into clause candidate lists.
  TClauseLists BuildCandidates(std::string_view input);
  std::vector<std::string> ClauseCandidates(std::string_view clause);
  bool IsAtok();
  static bool HasLeadByte(std::string_view text);
  // The debug log's view of rebuilt lists: each line with its nesting depth.
  static std::vector<std::pair<int, std::string>> DumpLines(std::string_view input, const TClauseLists& lists);

  // The cache, for tests: null while no lists are kept.
  const TClauseLists* CachedLists() const { return hasLists_ ? &lists_ : nullptr; }
  const std::string& LastInput() const { return lastInput_; }
  // Changes whenever the cache changes (in any instance: never repeats).
  uint64_t Generation() const { return generation_; }
  // True when byte b begins a candidate of the first cached clause: a keyword
  // without any such byte scores -1 against the cached input.
  bool BeginsFirstClause(unsigned char b) const { return firstBytes_[b] != 0; }
  // True when byte b is the second byte of a candidate of the first cached
  // clause, or a whole one-byte candidate.
  bool SecondInFirstClause(unsigned char b) const { return secondBytes_[b]; }
  // False when the keyword surely holds no candidate of the first cached
  // clause (and so scores -1 against the cached input).
  bool MayHoldFirstClause(std::string_view keyword) const;
  // False when the keyword surely does not begin with a candidate of the first
  // cached clause (all that a minimum level of 2 accepts there).
  bool MayBeginWithFirstClause(std::string_view keyword) const {
    if (keyword.empty()) return false;
    const unsigned char b = static_cast<unsigned char>(keyword[0]);
    if (firstBytes_[b] == 0) return false;
    if (firstBytes_[b] & kWholeCandidate) return true;
    if (keyword.size() < 2) return false;
    const unsigned pair = (unsigned(b) << 8) | static_cast<unsigned char>(keyword[1]);
    return (firstPairs_[pair >> 6] & (uint64_t(1) << (pair & 63))) != 0;
  }

 private:
  void DumpLists() const;
  void IndexFirstClause();

  TClauseLists lists_;
  bool hasLists_ = false;
  std::unique_ptr<IInputMethod> ime_;
  std::string lastInput_;
  uint64_t generation_;
  // The first two bytes (or the one byte) of each candidate of the first
  // clause: a keyword holding none of them cannot match, whatever else it holds.
  static constexpr uint8_t kWholeCandidate = 1, kStartsPair = 2;
  uint8_t firstBytes_[256] = {};
  bool secondBytes_[256] = {};
  bool firstAllHigh_ = true;
  std::vector<uint64_t> firstPairs_ = std::vector<uint64_t>(65536 / 64);
};

// The process's romaji matcher (created on first use on the system input method).
TRomajiMatch& RomajiMatcher();
// The process's romaji matcher when it exists, else null (creates nothing).
inline const TRomajiMatch* RomajiMatcherIfCreated() {
  extern TRomajiMatch* romajiMatcherCreated;
  return romajiMatcherCreated;
}
// RomajiMatcher().Match of the same three values.
int RomajiMatchLevel(std::string_view keyword, std::string_view input, int minLevel);
// Replaces the process's romaji matcher by one on another input method (tests,
// the benchmark); the cache starts empty.
void SetRomajiInputMethod(std::unique_ptr<IInputMethod> ime);
