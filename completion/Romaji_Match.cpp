#include "completion/Romaji_Match.h"

#include <algorithm>
#include <cstring>

#include "completion/Romaji_To_Kana.h"
#include "core/Debug_Unit.h"
#include "completion/String_Match.h"
#include "core/Sjis.h"

namespace {

// Freed at program end, with the input method's context.
std::unique_ptr<TRomajiMatch> instance;

// Numbers every state of the cache of every instance, so that a number seen
// once never names another state.
uint64_t lastGeneration = 0;
uint64_t NextGeneration() { return ++lastGeneration; }

inline size_t CharLenAt(std::string_view s, size_t i) {
  return (sjis::IsLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
}

// 1-based position of sub in s, exact, starting and ending at character
// boundaries of s; 0 when absent. An empty sub is never found.
size_t PosOf(std::string_view sub, std::string_view s) {
  if (sub.empty() || sub.size() > s.size()) return 0;
  const char first = sub[0];
  for (size_t i = 0; i + sub.size() <= s.size(); i += CharLenAt(s, i)) {
    if (s[i] != first) continue;
    size_t k = 0;
    while (k < sub.size()) {
      size_t len = CharLenAt(s, i + k);
      if (k + len > sub.size()) break;
      if (s[i + k] != sub[k] || (len == 2 && s[i + k + 1] != sub[k + 1])) break;
      k += len;
    }
    if (k == sub.size()) return i + 1;
  }
  return 0;
}

}  // namespace

TRomajiMatch::TRomajiMatch(std::unique_ptr<IInputMethod> ime) : ime_(std::move(ime)), generation_(NextGeneration()) {}

bool TRomajiMatch::HasLeadByte(std::string_view text) {
  for (char c : text)
    if (sjis::IsLeadByte(c)) return true;
  return false;
}

bool TRomajiMatch::IsAtok() {
  return sjis::FindIgnoreCase(ime_->ImeFileName(), "ATOK") != sjis::npos;
}

std::vector<std::string> TRomajiMatch::ClauseCandidates(std::string_view clause) {
  return ime_->ClauseCandidates(clause);
}

TClauseLists TRomajiMatch::BuildCandidates(std::string_view input) {
  TClauseLists lists;
  if (HasLeadByte(input)) return lists;
  unsigned mode = 0;
  bool queried = ime_->QueryConversionMode(mode);
  std::string text;
  if ((queried && !(mode & kImeModeRoman)) || IsAtok())
    text = RomajiToKana(sjis::ToLowerAscii(input));
  else
    text.assign(input);
  TImeReading reading = ime_->Convert(text);
  const auto& offsets = reading.ClauseOffsets;
  const size_t length = reading.Reading.size();
  for (size_t k = 0; k + 1 < offsets.size(); ++k) {
    // Offsets past the reading are taken as its end.
    size_t from = offsets[k] < length ? offsets[k] : length;
    size_t to = offsets[k + 1] < length ? offsets[k + 1] : length;
    std::string_view clause = to > from ? std::string_view(reading.Reading).substr(from, to - from) : std::string_view();
    lists.push_back(ClauseCandidates(clause));
  }
  ime_->EndConversion();
  return lists;
}

std::vector<std::pair<int, std::string>> TRomajiMatch::DumpLines(std::string_view input, const TClauseLists& lists) {
  std::vector<std::pair<int, std::string>> lines;
  lines.emplace_back(0, "RomajiCandidates(\"" + std::string(input) + "\"){");
  for (size_t n = 0; n < lists.size(); ++n) {
    lines.emplace_back(1, "Section(" + sjis::IntToStr(static_cast<long long>(n)) + "){");
    for (const auto& c : lists[n]) lines.emplace_back(2, c);
    lines.emplace_back(1, "}");
  }
  lines.emplace_back(0, "}");
  return lines;
}

void TRomajiMatch::DumpLists() const {
  TDebug& log = DebugOut();
  if (!log.Enabled()) return;
  int depth = 0;
  for (const auto& [d, text] : DumpLines(lastInput_, lists_)) {
    for (; depth < d; ++depth) log.Indent();
    for (; depth > d; --depth) log.Outdent();
    log.Write(text).WriteLn();
  }
}

int TRomajiMatch::Match(std::string_view keyword, std::string_view input, int minLevel) {
  // Lists are kept only for an input without lead bytes, so the same input
  // needs no second look.
  if (!hasLists_ || !ansicase::SameBytes(input, lastInput_)) {
    generation_ = NextGeneration();
    if (HasLeadByte(input)) {
      lists_.clear();
      hasLists_ = false;
      return -1;
    }
    lists_.clear();
    hasLists_ = false;
    lastInput_.assign(input);
    lists_ = BuildCandidates(input);
    hasLists_ = true;
    IndexFirstClause();
    generation_ = NextGeneration();
    DumpLists();
  }
  // Clause levels never exceed 2: a higher minimum accepts nothing.
  if (lists_.empty() || minLevel > 2) return -1;
  if (!MayHoldFirstClause(keyword)) return -1;
  return LevelOf(keyword, lists_, minLevel);
}

void TRomajiMatch::IndexFirstClause() {
  std::fill(std::begin(firstBytes_), std::end(firstBytes_), uint8_t(0));
  std::fill(std::begin(secondBytes_), std::end(secondBytes_), false);
  std::fill(firstPairs_.begin(), firstPairs_.end(), 0);
  firstAllHigh_ = true;
  if (lists_.empty()) return;
  for (const auto& c : lists_[0]) {
    if (c.empty()) continue;
    if (static_cast<unsigned char>(c[0]) < 0x80) firstAllHigh_ = false;
    uint8_t& entry = firstBytes_[static_cast<unsigned char>(c[0])];
    secondBytes_[static_cast<unsigned char>(c[c.size() == 1 ? 0 : 1])] = true;
    if (c.size() == 1) {
      entry |= kWholeCandidate;
    } else {
      entry |= kStartsPair;
      unsigned pair = (static_cast<unsigned char>(c[0]) << 8) | static_cast<unsigned char>(c[1]);
      firstPairs_[pair >> 6] |= uint64_t(1) << (pair & 63);
    }
  }
}

bool TRomajiMatch::MayHoldFirstClause(std::string_view keyword) const {
  const size_t n = keyword.size();
  const unsigned char* k = reinterpret_cast<const unsigned char*>(keyword.data());
  size_t i = 0;
  // When every first byte is 0x80 or more (kana, kanji), runs of ASCII are
  // passed over eight bytes at a time.
  if (firstAllHigh_) {
    while (i + 8 <= n) {
      uint64_t word;
      std::memcpy(&word, k + i, 8);
      if ((word & 0x8080808080808080ull) == 0) { i += 8; continue; }
      break;
    }
  }
  for (; i < n; ++i) {
    uint8_t entry = firstBytes_[k[i]];
    if (entry == 0) continue;
    if (entry & kWholeCandidate) return true;
    if (i + 1 < n) {
      unsigned pair = (unsigned(k[i]) << 8) | k[i + 1];
      if (firstPairs_[pair >> 6] & (uint64_t(1) << (pair & 63))) return true;
    }
  }
  return false;
}

int TRomajiMatch::LevelOf(std::string_view keyword, const TClauseLists& lists, int minLevel) {
  // Clause levels never exceed 2, so a higher minimum accepts nothing.
  if (minLevel > 2) return -1;
  std::string_view rest = keyword;
  int previous = 2, best = -1;
  for (size_t i = 0; i < lists.size(); ++i) {
    best = -1;
    for (const auto& c : lists[i]) {
      size_t p = PosOf(c, rest);
      if (p == 0) continue;
      int level;
      if (p == 1) level = previous;
      else if (previous >= 2) level = 1;
      else if (previous == 1 && i > 0) level = 0;
      else level = previous;
      if (level >= minLevel && level > best) {
        best = level;
        rest.remove_prefix(p + c.size() - 1);
      }
    }
    previous = best;
    // A clause without an acceptable candidate leaves every later one at -1.
    if (best == -1) return -1;
  }
  if (best == 2 && rest.empty()) return 3;
  return best;
}

TRomajiMatch* romajiMatcherCreated = nullptr;

TRomajiMatch& RomajiMatcher() {
  if (!instance) {
    instance = std::make_unique<TRomajiMatch>(CreateSystemInputMethod());
    romajiMatcherCreated = instance.get();
  }
  return *instance;
}

int RomajiMatchLevel(std::string_view keyword, std::string_view input, int minLevel) {
  return RomajiMatcher().Match(keyword, input, minLevel);
}

void SetRomajiInputMethod(std::unique_ptr<IInputMethod> ime) {
  instance = std::make_unique<TRomajiMatch>(std::move(ime));
  romajiMatcherCreated = instance.get();
}
