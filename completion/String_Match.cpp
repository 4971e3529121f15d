#include "completion/String_Match.h"

#include "completion/Romaji_Match.h"

#include <algorithm>
#include <cstring>

namespace ansicase {

bool SameText(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    size_t la, lb;
    if (UpperCharAt(a, i, la) != UpperCharAt(b, j, lb)) return false;
    i += la;
    j += lb;
  }
  return i == a.size() && j == b.size();
}

}  // namespace ansicase

using ansicase::UpperCharAt;

void TStringMatch::Prepare(std::string_view typed) { PrepareTyped(typed); }

void TStringMatch::PrepareTyped(std::string_view typed) {
  prepared_ = true;
  typed_.assign(typed);
  typedChars_.clear();
  for (size_t i = 0, len; i < typed.size(); i += len) typedChars_.push_back(UpperCharAt(typed, i, len));
  std::fill(std::begin(byteBits_), std::end(byteBits_), 0);
  std::fill(std::begin(firstBytes_), std::end(firstBytes_), false);
  allBits_ = 0;
  romajiNoted_ = false;
  // Every byte that may spell a typed character, in either case; characters past
  // the 31st are left to the walks.
  if (!typedChars_.empty()) {
    const uint16_t c = typedChars_[0];
    const unsigned char lead = static_cast<unsigned char>(c < 0x100 ? c : c >> 8);
    firstBytes_[lead] = true;
    if (c >= 'A' && c <= 'Z') firstBytes_[c + 32] = true;
  }
  for (size_t k = 0; k < typedChars_.size() && k < 31; ++k) {
    uint16_t c = typedChars_[k];
    uint64_t lo = uint64_t(1) << (2 * k), hi = uint64_t(1) << (2 * k + 1);
    if (c < 0x100) {
      byteBits_[c] |= lo;
      if (c >= 'A' && c <= 'Z') byteBits_[c + 32] |= lo;
      allBits_ |= lo;
      continue;
    }
    byteBits_[c >> 8] |= lo;
    byteBits_[c & 0xFF] |= hi;
    // The lower-case letters that fold to c share its lead byte.
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      uint16_t other = uint16_t((c & 0xFF00) | trail);
      if (other != c && ansicase::UpperDoubleByte(other) == c) byteBits_[trail] |= hi;
    }
    allBits_ |= lo | hi;
  }
}

void TStringMatch::NoteRomajiCache() {
  const TRomajiMatch& rm = RomajiMatcher();
  romajiNoted_ = rm.CachedLists() != nullptr && ansicase::SameBytes(rm.LastInput(), typed_);
  if (!romajiNoted_) return;
  romajiGeneration_ = rm.Generation();
  for (unsigned b = 0; b < 256; ++b) {
    byteBits_[b] &= ~kRomajiBits;
    if (rm.BeginsFirstClause(static_cast<unsigned char>(b))) byteBits_[b] |= kRomajiBit;
    if (rm.SecondInFirstClause(static_cast<unsigned char>(b))) byteBits_[b] |= kRomajiSecondBit;
  }
}

int TStringMatch::RomajiFallback(std::string_view candidate, std::string_view typed, int mode, const uint64_t* seen) {
  if (RomajiOnlyUpper && !(typed[0] >= 'A' && typed[0] <= 'Z')) return -1;
  // While the matcher keeps the lists noted for this typed text, a candidate
  // that cannot hold a first-clause candidate scores -1 there, and asking the
  // matcher would change nothing.
  if (romajiNoted_) {
    const TRomajiMatch& rm = RomajiMatcher();
    if (rm.Generation() == romajiGeneration_) {
      // A level of 2 or more (a minimum of 2, 3, ...) needs the first clause at
      // the front, and clause levels never exceed 2.
      if (mode > 2) return -1;
      if (mode == 2) {
        if (!rm.MayBeginWithFirstClause(candidate)) return -1;
      } else {
        if (((seen ? *seen : BytesSeen(candidate)) & kRomajiBits) != kRomajiBits) return -1;
        if (!rm.MayHoldFirstClause(candidate)) return -1;
      }
      // What RomajiLevel would find through the matcher, on the same lists.
      int l = TRomajiMatch::LevelOf(candidate, *rm.CachedLists(), mode);
      return l >= 2 ? 1 : l;
    }
  }
  int r = RomajiLevel(candidate, typed, mode);
  NoteRomajiCache();
  return r;
}

int TStringMatch::FindTyped(std::string_view s) const {
  // Character by character, the whole first typed character looked at only
  // where one of its first bytes stands.
  const uint16_t first = typedChars_[0];
  const size_t n = typedChars_.size();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s.data());
  for (size_t i = 0, len; i < s.size(); i += len) {
    len = ansicase::IsLead(p[i]) && i + 1 < s.size() ? 2 : 1;
    if (!firstBytes_[p[i]]) continue;
    size_t l1;
    if (UpperCharAt(s, i, l1) != first) continue;
    size_t k = 1, j = i + len, l2;
    while (k < n && j < s.size() && UpperCharAt(s, j, l2) == typedChars_[k]) { ++k; j += l2; }
    if (k == n) return static_cast<int>(i);
  }
  return -1;
}

// Finds the typed characters in the candidate one after the other; in mode 0 a
// typed character may be preceded by candidate characters it skips (counted
// once per typed character), in every other mode the candidate must start with
// the typed text.
bool TStringMatch::WalkTyped(std::string_view s, int mode, int& skips) const {
  size_t ci = 0;
  skips = 0;
  for (uint16_t t : typedChars_) {
    bool skipped = false;
    for (;;) {
      if (ci >= s.size()) return false;
      size_t len;
      uint16_t c = UpperCharAt(s, ci, len);
      ci += len;
      if (c == t) break;
      if (mode != 0) return false;
      if (!skipped) { ++skips; skipped = true; }
    }
  }
  return true;
}

int TStringMatch::Match(std::string_view candidate, std::string_view typed, int mode) {
  if (!prepared_ || !ansicase::SameBytes(typed, typed_)) PrepareTyped(typed);
  return MatchPrepared(candidate, mode);
}

int TStringMatch::MatchPrepared(std::string_view candidate, int mode) {
  const std::string_view typed = typed_;
  if (mode == -1) return -1;
  if (candidate.size() == typed.size() && ansicase::SameText(candidate, typed)) return 3;
  if (mode == 3) {
    if (!UseRomaji) return -1;
    // A minimum level of 3 accepts nothing on lists already noted for this text.
    if (romajiNoted_) {
      const TRomajiMatch* rm = RomajiMatcherIfCreated();
      if (rm && rm->Generation() == romajiGeneration_) return -1;
    }
    int r = RomajiLevel(candidate, typed, mode);
    NoteRomajiCache();
    return r != -1 ? 3 : -1;
  }
  if (typed.empty()) return 2;
  // Modes 0 and 1 need every typed character somewhere in the candidate.
  const bool scanned = mode == 0 || mode == 1;
  uint64_t seen = scanned ? BytesSeen(candidate) : 0;
  const bool mayHold = !scanned || (seen & allBits_) == allBits_;
  // The romaji level (at most 1) counts only where the plain match found
  // nothing, so it is asked only then.
  if (mode == 1) {
    int p = mayHold ? FindTyped(candidate) : -1;
    if (p == 0) return 2;
    if (p > 0) return 1;
  } else {
    // A prefix must begin with the first typed character: most candidates end here.
    bool plain = mayHold;
    if (plain && mode != 0) {
      size_t len;
      plain = !candidate.empty() && UpperCharAt(candidate, 0, len) == typedChars_[0];
    }
    int skips;
    if (plain && WalkTyped(candidate, mode, skips)) return skips == 0 ? 2 : 0;
  }
  if (!UseRomaji) return -1;
  if (!scanned && romajiNoted_) seen = BytesSeen(candidate);
  // Most candidates hold no byte that begins a romaji candidate: answered here.
  if (romajiNoted_ && (seen & kRomajiBits) != kRomajiBits) {
    const TRomajiMatch* rm = RomajiMatcherIfCreated();
    if (rm && rm->Generation() == romajiGeneration_) return -1;
  }
  return RomajiFallback(candidate, typed, mode, (scanned || romajiNoted_) ? &seen : nullptr);
}

int TStringMatch::RomajiLevel(std::string_view candidate, std::string_view typed, int mode) {
  if (typed.empty()) return -1;
  if (RomajiOnlyUpper && !(typed[0] >= 'A' && typed[0] <= 'Z')) return -1;
  int l = RomajiMatchLevel(candidate, typed, mode);
  return l >= 2 ? 1 : l;
}
