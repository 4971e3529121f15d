// Match levels: how well one candidate fits the typed text. 3 exact, 2 prefix,
// 1 substring, 0 the typed characters in order with characters skipped, -1 no
// match. Optionally romaji typed on the keyboard is matched against kana and
// kanji through the input method (Romaji_Match.h), at most at level 1.
// Pure logic: no Windows header.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "completion/Romaji_Match.h"

// Case-insensitive text in the ANSI code page, as the Japanese locale folds it:
// ASCII letters and the double-byte Latin, Greek and Cyrillic letters.
namespace ansicase {

// The upper-cased character at byte i of s: a single byte, or a double-byte
// character as lead * 256 + trail. len receives its byte length (at least 1).
inline uint16_t UpperCharAt(std::string_view s, size_t i, size_t& len);
bool SameText(std::string_view a, std::string_view b);

}  // namespace ansicase

class TStringMatch {
 public:
  bool UseRomaji = false;
  bool RomajiOnlyUpper = false;

  // Level of candidate against typed in a match mode: -1 nothing matches, 0 in
  // order with skips, 1 substring, 2 prefix, 3 exact only (other values act as 2).
  int Match(std::string_view candidate, std::string_view typed, int mode);
  // The romaji contribution: -1, 0 or 1.
  int RomajiLevel(std::string_view candidate, std::string_view typed, int mode);

  // Many candidates against one typed text (the candidate list): Prepare once,
  // then MatchPrepared for each candidate, with the results of Match.
  void Prepare(std::string_view typed);
  int MatchPrepared(std::string_view candidate, int mode);
  // The same, with most candidates of a prefix mode that surely score -1
  // answered inline from their first byte: what a build calls for each string.
  int ScorePrepared(std::string_view candidate, int mode);

 private:
  void PrepareTyped(std::string_view typed);
  // The typed-character bits of the bytes present in the candidate (and the
  // romaji bit): a quick test ahead of the character walks.
  uint64_t BytesSeen(std::string_view candidate) const;
  // The romaji level after the plain match found nothing; seen is the byte
  // test's result when one was made.
  int RomajiFallback(std::string_view candidate, std::string_view typed, int mode, const uint64_t* seen);
  void NoteRomajiCache();
  int FindTyped(std::string_view candidate) const;  // char-boundary byte offset, -1 if absent
  bool WalkTyped(std::string_view candidate, int mode, int& skips) const;

  // The typed text, upper-cased into characters once for all the candidates of
  // a build, and for each byte value the typed characters it may belong to
  // (two bits per character: its bytes, in either case).
  std::string typed_;
  std::vector<uint16_t> typedChars_;
  // The bytes that may begin the first typed character (a double-byte letter
  // folds within its lead byte).
  bool firstBytes_[256] = {};
  uint64_t byteBits_[256] = {};
  uint64_t allBits_ = 0;
  // The top bit marks the bytes that begin a candidate of the romaji matcher's
  // first clause, valid while its cache has the generation noted here.
  // The bit below it marks their second bytes (and one-byte candidates): a
  // candidate found needs both.
  static constexpr uint64_t kRomajiBit = uint64_t(1) << 63;
  static constexpr uint64_t kRomajiSecondBit = uint64_t(1) << 62;
  static constexpr uint64_t kRomajiBits = kRomajiBit | kRomajiSecondBit;
  bool romajiNoted_ = false;
  uint64_t romajiGeneration_ = 0;
  bool prepared_ = false;
};

// ---- inline

inline int TStringMatch::ScorePrepared(std::string_view candidate, int mode) {
  if (!typed_.empty()) {
    if (mode > 1) {
      // A prefix mode (all but -1, 0 and 1): a candidate that does not begin
      // with the first typed character is neither equal nor a prefix match;
      // only the romaji level is left.
      if (!candidate.empty() && firstBytes_[static_cast<unsigned char>(candidate[0])]) return MatchPrepared(candidate, mode);
      if (!UseRomaji) return -1;
      // With the matcher's lists noted for this text, a minimum level of 3 or
      // more accepts nothing there, and one of 2 only a keyword that begins
      // with a candidate of the first clause.
      if (romajiNoted_) {
        const TRomajiMatch* rm = RomajiMatcherIfCreated();
        if (rm && rm->Generation() == romajiGeneration_ && (mode >= 3 || !rm->MayBeginWithFirstClause(candidate)))
          return -1;
      }
    } else if (mode >= 0) {
      // Modes 0 and 1: a candidate that lacks a byte of a typed character
      // holds no plain match (nor is it equal), and one that lacks the bytes
      // of the first romaji clause no romaji match either.
      const uint64_t seen = BytesSeen(candidate);
      if ((seen & allBits_) != allBits_) {
        if (!UseRomaji) return -1;
        if (romajiNoted_ && (seen & kRomajiBits) != kRomajiBits) {
          const TRomajiMatch* rm = RomajiMatcherIfCreated();
          if (rm && rm->Generation() == romajiGeneration_) return -1;
        }
      }
    }
  }
  return MatchPrepared(candidate, mode);
}

inline uint64_t TStringMatch::BytesSeen(std::string_view s) const {
  // Whole words, the last one overlapping the one before: a byte seen twice
  // changes nothing, and no loop over a ragged end is needed.
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s.data());
  const size_t n = s.size();
  const uint64_t* t = byteBits_;
  auto word8 = [t](const unsigned char* q) {
    uint64_t w;
    std::memcpy(&w, q, 8);
    return (t[w & 0xFF] | t[(w >> 8) & 0xFF] | t[(w >> 16) & 0xFF] | t[(w >> 24) & 0xFF]) |
           (t[(w >> 32) & 0xFF] | t[(w >> 40) & 0xFF] | t[(w >> 48) & 0xFF] | t[w >> 56]);
  };
  auto word4 = [t](const unsigned char* q) {
    uint32_t w;
    std::memcpy(&w, q, 4);
    return t[w & 0xFF] | t[(w >> 8) & 0xFF] | t[(w >> 16) & 0xFF] | t[w >> 24];
  };
  if (n >= 8) {
    uint64_t seen = word8(p + n - 8);
    for (size_t i = 0; i + 8 < n; i += 8) seen |= word8(p + i);
    return seen;
  }
  if (n >= 4) return word4(p) | word4(p + n - 4);
  uint64_t seen = 0;
  for (size_t i = 0; i < n; ++i) seen |= t[p[i]];
  return seen;
}

namespace ansicase {

// Byte-wise equality of two short texts without a library call.
inline bool SameBytes(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

inline constexpr bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

inline uint16_t UpperDoubleByte(uint16_t c) {
  if (c >= 0x8281 && c <= 0x829A) return uint16_t(c - 0x21);  // full-width a-z
  if (c >= 0x83BF && c <= 0x83D6) return uint16_t(c - 0x20);  // Greek
  if (c >= 0x8470 && c <= 0x847E) return uint16_t(c - 0x30);  // Cyrillic а-н
  if (c >= 0x8480 && c <= 0x8491) return uint16_t(c - 0x31);  // Cyrillic о-я (0x847F is no character)
  return c;
}

inline uint16_t UpperCharAt(std::string_view s, size_t i, size_t& len) {
  unsigned char b = static_cast<unsigned char>(s[i]);
  if (IsLead(b) && i + 1 < s.size()) {
    len = 2;
    uint16_t c = uint16_t((b << 8) | static_cast<unsigned char>(s[i + 1]));
    return c >= 0x8281 && c <= 0x8491 ? UpperDoubleByte(c) : c;
  }
  len = 1;
  return (b >= 'a' && b <= 'z') ? uint16_t(b - 32) : b;
}

}  // namespace ansicase
