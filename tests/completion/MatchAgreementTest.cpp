// The scorer and the candidate list take shortcuts for speed; over many
// generated texts they must give exactly the levels of the plain definition.
#include <gtest/gtest.h>

#include "completion/Complete_Data.h"
#include "completion/Romaji_Match.h"
#include "completion/String_Match.h"
#include "tests/completion/ReferenceMatch.h"

namespace {

// Converts any text: the reading is the text itself cut into clauses of one to
// two bytes, and each clause has the candidates itself, 計 and ア + itself.
class TRuleInputMethod : public IInputMethod {
 public:
  bool QueryConversionMode(unsigned& mode) override { mode = kImeModeRoman; return true; }
  std::string ImeFileName() override { return {}; }
  TImeReading Convert(std::string_view text) override {
    TImeReading r{std::string(text), {0}};
    for (size_t i = 0; i < text.size();) {
      i += 1 + (i % 3 == 0 ? 1 : 0);
      r.ClauseOffsets.push_back(static_cast<uint32_t>(i < text.size() ? i : text.size()));
    }
    return r;
  }
  std::vector<std::string> ClauseCandidates(std::string_view clause) override {
    return {std::string(clause), "計", "ア" + std::string(clause)};
  }
  void EndConversion() override {}
};

struct TRandom {
  uint32_t s = 12345;
  uint32_t Next() { s = s * 1103515245u + 12345u; return (s >> 8) & 0xFFFFFF; }
  std::string Text(const std::vector<std::string>& alphabet, size_t maxChars) {
    std::string t;
    for (size_t n = Next() % (maxChars + 1); n > 0; --n) t += alphabet[Next() % alphabet.size()];
    if (Next() % 16 == 0) t += "\x83";  // a lone lead byte at the end
    return t;
  }
};

const std::vector<std::string> kCandidateChars = {"a", "b", "k", "A", "K", "ア", "ソ", "ａ", "Ａ", "計", "算", " ", "\xB1", "\\"};
const std::vector<std::string> kTypedChars = {"a", "k", "A", "b", "ａ", "ア", "\\"};

TEST(MatchAgreement, ScorerGivesTheLevelsOfTheDefinition) {
  SetRomajiInputMethod(std::make_unique<TRuleInputMethod>());
  TRomajiMatch lister(std::make_unique<TRuleInputMethod>());
  TRandom rnd;
  TStringMatch m;
  int disagreements = 0;
  for (int round = 0; round < 300 && disagreements < 5; ++round) {
    std::string typed = rnd.Text(kTypedChars, 4);
    if (round % 7 == 0) typed = std::string(35, 'a').substr(0, 30 + round % 5) + "b";  // past the byte test's reach
    TClauseLists lists = lister.BuildCandidates(typed);
    for (int flags = 0; flags < 4; ++flags) {
      m.UseRomaji = flags & 1;
      m.RomajiOnlyUpper = flags & 2;
      for (int i = 0; i < 20; ++i) {
        std::string candidate = rnd.Text(kCandidateChars, 8);
        if (i == 0) candidate = "x" + typed + "y";
        for (int mode = -1; mode <= 4; ++mode) {
          int want = reference::Match(candidate, typed, mode, m.UseRomaji ? &lists : nullptr, m.RomajiOnlyUpper);
          int got = m.Match(candidate, typed, mode);
          if (got != want && ++disagreements <= 5)
            ADD_FAILURE() << "candidate [" << candidate << "] typed [" << typed << "] mode " << mode << " flags " << flags
                          << ": " << got << ", defined " << want;
        }
      }
    }
  }
  SetRomajiInputMethod(std::make_unique<TRuleInputMethod>());
}

// The build's per-candidate scorer, on one prepared text and many candidates:
// the second pass runs on the romaji lists noted in the first.
TEST(MatchAgreement, PreparedScorerGivesTheLevelsOfTheDefinition) {
  SetRomajiInputMethod(std::make_unique<TRuleInputMethod>());
  TRomajiMatch lister(std::make_unique<TRuleInputMethod>());
  TRandom rnd;
  int disagreements = 0;
  for (int round = 0; round < 200 && disagreements < 5; ++round) {
    const std::string typed = rnd.Text(kTypedChars, 3);
    const TClauseLists lists = lister.BuildCandidates(typed);
    std::vector<std::string> candidates;
    for (int i = 0; i < 30; ++i) candidates.push_back(i % 5 == 0 ? typed + rnd.Text(kCandidateChars, 3) : rnd.Text(kCandidateChars, 8));
    TStringMatch m;
    m.UseRomaji = round % 2 == 0;
    m.RomajiOnlyUpper = round % 12 == 10;
    const int mode = (round / 2) % 6 - 1;  // -1 to 4, each with and without romaji
    m.Prepare(typed);
    for (int pass = 0; pass < 2; ++pass)
      for (const std::string& c : candidates) {
        int want = reference::Match(c, typed, mode, m.UseRomaji ? &lists : nullptr, m.RomajiOnlyUpper);
        int got = m.ScorePrepared(c, mode);
        if (got != want && ++disagreements <= 5)
          ADD_FAILURE() << "candidate [" << c << "] typed [" << typed << "] mode " << mode << " romaji " << m.UseRomaji
                        << " pass " << pass << ": " << got << ", defined " << want;
      }
  }
  SetRomajiInputMethod(std::make_unique<TRuleInputMethod>());
}

TEST(MatchAgreement, CandidateListScoresAsTheDefinitionGroups) {
  SetRomajiInputMethod(std::make_unique<TRuleInputMethod>());
  TRomajiMatch lister(std::make_unique<TRuleInputMethod>());
  TRandom rnd;
  for (int round = 0; round < 60; ++round) {
    TStringList source;
    for (int i = 0; i < 40; ++i) source.Add(rnd.Text(kCandidateChars, 6));
    TCompleteData d;
    d.FolderSource = &source;
    d.ListOrder = "0";
    d.DedupeLimit = 0;
    d.Word = rnd.Text(kTypedChars, 3);
    d.MatchMode = round % 4;
    d.UseRomaji = round % 3 == 0;
    TClauseLists lists = lister.BuildCandidates(d.Word);
    std::vector<std::string> groups[4];
    for (const auto& s : source) {
      if (s.empty()) continue;
      int level = reference::Match(s, d.Word, d.MatchMode, d.UseRomaji ? &lists : nullptr, false);
      if (level >= 0) groups[3 - level].push_back(s);
    }
    std::vector<std::string> want;
    for (auto& g : groups) want.insert(want.end(), g.begin(), g.end());
    d.BuildList();
    EXPECT_EQ(d.GetCandidates().Items(), want) << "word [" << d.Word << "] mode " << d.MatchMode;
  }
  SetRomajiInputMethod(std::make_unique<TRuleInputMethod>());
}

}  // namespace
