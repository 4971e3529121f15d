// Scores random Shift-JIS text at every match level, converts it as romaji and
// builds candidate lists from it, with a scripted input method whose readings,
// clause offsets and candidate lists come from the input too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "completion/Complete_Data.h"
#include "completion/InputMethodFake.h"
#include "completion/Romaji_Match.h"
#include "completion/Romaji_To_Kana.h"
#include "completion/String_Match.h"
#include "core/StringUtils.h"
#include "tests/completion/ReferenceMatch.h"

namespace {

// Turns fuzz bytes into text that is mostly well-formed Shift-JIS: ASCII
// letters, kana and kanji, half-width katakana, and now and then a raw byte
// (a lone lead byte, a trail byte that looks like "\" or a letter).
struct TSjisSource {
  const uint8_t* p;
  size_t n;
  uint8_t Byte() { if (n == 0) return 0; --n; return *p++; }
  std::string Text(size_t maxChars) {
    static const char* const kPieces[] = {"あ", "か", "ソ", "表", "ア", "計", "算", "ー", "ａ", "Ａ", "α", "я"};
    std::string s;
    size_t chars = Byte() % (maxChars + 1);
    for (size_t i = 0; i < chars && n > 0; ++i) {
      uint8_t b = Byte();
      switch (b & 7) {
        case 0: case 1: case 2: s += char('a' + b % 26); break;
        case 3: s += char('A' + b % 26); break;
        case 4: s += kPieces[b % (sizeof kPieces / sizeof kPieces[0])]; break;
        case 5: s += char(0xA1 + b % 0x3F); break;
        default: s += char(Byte()); break;
      }
    }
    return s;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TSjisSource src{data, size};
  std::string typed = src.Text(8);
  std::vector<std::string> candidates;
  for (int i = 0; i < 8; ++i) candidates.push_back(src.Text(12));

  // The input method answers from the input as well, offsets and all.
  TFakeInputMethod script;
  script.ConversionMode = src.Byte();
  script.QueryOk = src.Byte() & 1;
  TImeReading reading{src.Text(10), {}};
  for (int i = src.Byte() % 5; i > 0; --i) reading.ClauseOffsets.push_back(src.Byte() % 24);
  script.Readings[typed] = reading;
  script.Readings[RomajiToKana(typed)] = reading;
  for (int i = 0; i < 4; ++i) {
    std::vector<std::string> list;
    for (int j = src.Byte() % 4; j > 0; --j) list.push_back(src.Text(4));
    script.Candidates[src.Text(4)] = list;
  }
  SetRomajiInputMethod(std::make_unique<TFakeInputMethod>(script));
  TRomajiMatch lister(std::make_unique<TFakeInputMethod>(script));
  const TClauseLists lists = lister.BuildCandidates(typed);

  TStringMatch m;
  m.UseRomaji = src.Byte() & 1;
  m.RomajiOnlyUpper = src.Byte() & 1;
  for (const auto& c : candidates) {
    for (int mode = -1; mode <= 4; ++mode) {
      int level = m.Match(c, typed, mode);
      if (level < -1 || level > 3) __builtin_trap();
      // The scorer's shortcuts never change a level.
      if (level != reference::Match(c, typed, mode, m.UseRomaji ? &lists : nullptr, m.RomajiOnlyUpper)) __builtin_trap();
      if (mode == 3 && level != -1 && level != 3) __builtin_trap();
      if (mode != -1 && m.Match(c, c, mode) != 3) __builtin_trap();
    }
    std::string kana = RomajiToKana(c);
    // At most three bytes per input byte (a kana of two, or three in UTF-8 builds).
    if (kana.size() > 3 * c.size()) __builtin_trap();
  }

  // The same text scored the same way through the builder, in both directions.
  TStringList source(candidates);
  TCompleteData d;
  d.FolderSource = &source;
  d.HistorySource = &source;
  d.ListOrder = "01";
  d.Word = typed;
  d.MatchMode = src.Byte() % 5 - 1;
  d.DedupeLimit = src.Byte() % 20;
  d.TrackCommonPrefix = true;
  d.UseRomaji = m.UseRomaji;
  d.RomajiOnlyUpper = m.RomajiOnlyUpper;
  SetCharMode(src.Byte() & 1);
  d.BuildList();
  TStringList down = d.GetCandidates();
  d.Upward = true;
  TStringList up = d.GetCandidates();
  if (down.Count() != up.Count()) __builtin_trap();
  for (int i = 0; i < down.Count(); ++i)
    if (down[i] != up[up.Count() - 1 - i]) __builtin_trap();
  if (d.Longest > 64 || d.CommonPrefixLength > d.Longest) __builtin_trap();

  // Raw bytes as a candidate list buffer.
  ReadCandidateStrings(data, size);
  return 0;
}
