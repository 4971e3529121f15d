#include "completion/String_Match.h"

#include <gtest/gtest.h>

#include "completion/InputMethodFake.h"
#include "completion/Romaji_Match.h"

namespace {

struct Case { const char* name; std::string candidate, typed; int mode, level; };

void ExpectLevels(TStringMatch& m, const std::vector<Case>& cases) {
  for (const auto& c : cases)
    EXPECT_EQ(m.Match(c.candidate, c.typed, c.mode), c.level) << c.name << " mode " << c.mode;
}

TEST(StringMatch, LevelsByMode) {
  TStringMatch m;
  std::vector<Case> cases = {
      {"exact other case", "ABC", "abc", 0, 3}, {"exact other case", "ABC", "abc", 1, 3},
      {"exact other case", "ABC", "abc", 2, 3}, {"exact other case", "ABC", "abc", 3, 3},
      {"nothing matches in -1", "ABC", "abc", -1, -1},
      {"mode 3 is exact only", "abcd", "abc", 3, -1},
      {"empty typed", "x", "", 0, 2}, {"empty typed", "x", "", 1, 2}, {"empty typed", "x", "", 2, 2},
      {"both empty", "", "", 0, 3}, {"both empty", "", "", 3, 3},
      {"empty typed in mode 3", "x", "", 3, -1},
      {"prefix", "abcd", "abc", 2, 2}, {"not a prefix", "xabc", "abc", 2, -1},
      {"skips", "xabc", "abc", 0, 0}, {"skips between", "axbxc", "abc", 0, 0},
      {"out of order", "acb", "abc", 0, -1}, {"prefix in mode 0", "abcd", "abc", 0, 2},
      {"candidate too short", "ab", "abc", 0, -1}, {"empty candidate", "", "a", 0, -1},
      {"substring", "xabc", "abc", 1, 1}, {"substring at start", "abcx", "abc", 1, 2},
      {"no substring", "axbc", "abc", 1, -1},
      {"other mode acts as 2", "abcd", "abc", 7, 2}, {"other mode acts as 2", "xabc", "abc", 7, -1},
  };
  ExpectLevels(m, cases);
}

TEST(StringMatch, DoubleByteCharactersAreNeverSplit) {
  TStringMatch m;
  const std::string so = "ソ";  // 0x83 0x5C: the trail byte is "\"
  const std::string a = "ア";   // 0x83 0x41: the trail byte is "A"
  std::vector<Case> cases = {
      {"trail byte is no backslash", so + "x", "\\", 1, -1},
      {"trail byte is no backslash", so + "x", "\\x", 0, -1},
      {"trail byte is no letter", a, "a", 1, -1},
      {"trail byte is no letter", a, "A", 0, -1},
      {"letter after the pair", a + "a", "A", 1, 1},
      {"letter after the pair", a + "ab", "ab", 0, 0},
      {"japanese prefix", "メモ帳", "メモ", 2, 2},
      {"japanese substring", "メモ帳", "帳", 1, 1},
      {"japanese skip", "メモ帳", "メ帳", 0, 0},
      {"japanese exact", "電卓", "電卓", 3, 3},
      {"half-width katakana", "\xB1\xB2", "\xB2", 1, 1},
      {"lone lead byte typed", "メモ", "\x83", 1, -1},
      {"full-width letters fold", "ＡＢＣ", "ａｂ", 2, 2},
      {"full-width exact", "ＡＢＣ", "ａｂｃ", 3, 3},
      {"greek folds", "ΑΒ", "α", 2, 2},
      {"cyrillic folds", "ЯО", "яо", 3, 3},
  };
  ExpectLevels(m, cases);
}

// The quick byte tests ahead of the walks must never refuse a real match.
TEST(StringMatch, QuickTestsNeverRefuseAMatch) {
  TStringMatch m;
  const std::string longTyped(40, 'a');
  std::vector<Case> cases = {
      {"full-width lower in the candidate", "xａ", "Ａ", 1, 1},
      {"full-width upper in the candidate", "xＡ", "ａ", 1, 1},
      {"full-width in order", "ｘａｙｂ", "ＡＢ", 0, 0},
      {"greek in order", "xαyβ", "ΑΒ", 0, 0},
      {"cyrillic after the gap", "xо", "О", 1, 1},
      {"letters of both cases", "xKeIsAn", "keisan", 1, 1},
      {"typed longer than the quick test covers", "b" + longTyped + "b", longTyped + "b", 1, 1},
      {"... and in order", "x" + longTyped + "yb", longTyped + "b", 0, 0},
      {"... but one missing", longTyped + "a", longTyped + "b", 0, -1},
      {"prefix of a pair", "メモ", "メ", 2, 2},
      {"prefix of another pair with the same lead", "モメ", "メ", 2, -1},
  };
  ExpectLevels(m, cases);
  // The same object re-prepares for each typed text.
  EXPECT_EQ(m.Match("abc", "b", 1), 1);
  EXPECT_EQ(m.Match("abc", "c", 1), 1);
  EXPECT_EQ(m.Match("abc", "d", 1), -1);
}

class StringMatchRomaji : public ::testing::Test {
 protected:
  void SetUp() override {
    auto fake = std::make_unique<TFakeInputMethod>();
    ime = fake.get();
    for (const char* typed : {"keisan", "Keisan"}) ime->Readings[typed] = TFakeInputMethod::ReadingOf({"けいさん"});
    ime->Candidates["けいさん"] = {"計算", "けいさん"};
    SetRomajiInputMethod(std::move(fake));
    m.UseRomaji = true;
  }
  void TearDown() override { SetRomajiInputMethod(std::make_unique<TFakeInputMethod>()); }
  TFakeInputMethod* ime = nullptr;
  TStringMatch m;
};

TEST_F(StringMatchRomaji, CappedAtOneAndOverriddenByTheWalk) {
  std::vector<Case> cases = {
      {"romaji at the front, capped", "計算機", "keisan", 1, 1},
      {"romaji later", "関数計算", "keisan", 1, 1},
      {"romaji whole keyword, capped", "計算", "keisan", 1, 1},
      {"no romaji match", "電卓", "keisan", 1, -1},
      {"prefix mode accepts a front match", "計算機", "keisan", 2, 1},
      {"prefix mode refuses a later match", "関数計算", "keisan", 2, -1},
      {"mode 0 accepts a later match", "関数計算", "keisan", 0, 1},
      // The walk finds the letters with skips: 0, although romaji would give 1.
      {"walk overrides romaji", "計算kxeisan", "keisan", 0, 0},
      {"walk prefix", "keisan計算", "keisan", 2, 2},
      {"romaji never exact", "計算", "keisan", 3, -1},
      {"exact still exact", "KEISAN", "keisan", 3, 3},
  };
  ExpectLevels(m, cases);
  m.UseRomaji = false;
  EXPECT_EQ(m.Match("計算機", "keisan", 1), -1);
}

// The scorer remembers which bytes can begin a romaji match for the matcher's
// cached lists; once the matcher's cache changes, that must not be used.
TEST_F(StringMatchRomaji, FollowsChangesOfTheRomajiCache) {
  EXPECT_EQ(m.Match("計算機", "keisan", 1), 1);
  EXPECT_EQ(m.Match("ABC", "keisan", 1), -1);
  // Another user of the matcher converts another input meanwhile.
  ime->Readings["kyouto"] = TFakeInputMethod::ReadingOf({"きょうと"});
  ime->Candidates["きょうと"] = {"京都"};
  EXPECT_EQ(RomajiMatchLevel("京都", "kyouto", 0), 3);
  ime->Candidates["けいさん"] = {"ABC"};
  EXPECT_EQ(m.Match("xABC", "keisan", 1), 1);
  EXPECT_EQ(ime->ConvertCount, 3);
  // A new input method: a new matcher with its own lists.
  auto other = std::make_unique<TFakeInputMethod>();
  other->Readings["keisan"] = TFakeInputMethod::ReadingOf({"けいさん"});
  other->Candidates["けいさん"] = {"電"};
  SetRomajiInputMethod(std::move(other));
  ime = nullptr;
  EXPECT_EQ(m.Match("x電", "keisan", 1), 1);
  EXPECT_EQ(m.Match("xABC", "keisan", 1), -1);
}

TEST_F(StringMatchRomaji, OnlyUpperNeedsACapitalFirstLetter) {
  m.RomajiOnlyUpper = true;
  EXPECT_EQ(m.Match("計算機", "keisan", 1), -1);
  EXPECT_EQ(ime->ConvertCount, 0);
  EXPECT_EQ(m.Match("計算機", "Keisan", 1), 1);
  EXPECT_EQ(m.RomajiLevel("計算機", "", 1), -1);
}

TEST_F(StringMatchRomaji, DoubleByteTypedTextNeverReachesTheInputMethod) {
  EXPECT_EQ(m.Match("計算機", "計k", 1), -1);
  EXPECT_EQ(m.Match("計算機", "計", 0), 2);
  EXPECT_EQ(ime->ConvertCount, 0);
}

}  // namespace
