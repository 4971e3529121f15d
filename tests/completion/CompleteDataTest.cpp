#include "completion/Complete_Data.h"

#include <gtest/gtest.h>

#include "completion/InputMethodFake.h"
#include "completion/Romaji_Match.h"
#include "core/StringUtils.h"

namespace {

using Rows = std::vector<std::string>;

class CompleteDataTest : public ::testing::Test {
 protected:
  CompleteDataTest() {
    d.MatchMode = 2;
    d.DedupeLimit = 15;
    SetCharMode(true);
  }
  ~CompleteDataTest() override { SetCharMode(true); }
  Rows Build() {
    d.BuildList();
    return d.GetCandidates().Items();
  }
  // Sources 0 to 5, each holding one string named after it.
  void SixSources() {
    for (int i = 0; i < 6; ++i) lists[i] = TStringList({"s" + std::to_string(i)});
    d.FolderSource = &lists[0];
    d.HistorySource = &lists[1];
    d.ExtraSources = {&lists[2], &lists[3], &lists[4], &lists[5]};
  }
  TCompleteData d;
  TStringList lists[6];
};

TEST_F(CompleteDataTest, SourceOrderAndCheckedFlags) {
  SixSources();
  struct Case { const char* order; const char* checked; Rows rows; };
  const Case cases[] = {
      {"203451", "111111", {"s2", "s0", "s3", "s4", "s5", "s1"}},
      {"01", "1", {"s0", "s1"}},           // a missing flag is on
      {"01", "", {"s0", "s1"}},
      {"012", "010", {"s1"}},
      {"01", "x0", {"s0"}},                // a flag that is no digit is on
      {"091", "101", {"s0", "s1"}},        // 9 picks nothing; its flag has no effect
      {"a1", "11", {"s0", "s1"}},          // a non-digit picks source 0
      {"", "11", {}},
  };
  for (const auto& c : cases) {
    d.ListOrder = c.order;
    d.CheckedLists = c.checked;
    EXPECT_EQ(Build(), c.rows) << c.order << " / " << c.checked;
  }
}

TEST_F(CompleteDataTest, ASourceReadTwiceIsDedupedOnlyBelowTheLimit) {
  SixSources();
  d.ListOrder = "00";
  EXPECT_EQ(Build(), (Rows{"s0"}));
  d.DedupeLimit = 0;
  EXPECT_EQ(Build(), (Rows{"s0", "s0"}));
}

TEST_F(CompleteDataTest, SourceKind3LeavesTheHistoryOut) {
  SixSources();
  d.ListOrder = "01";
  d.SourceKind = 3;
  EXPECT_EQ(Build(), (Rows{"s0"}));
}

TEST_F(CompleteDataTest, DuplicatesIgnoreCaseUntilTheLimit) {
  TStringList a({"Notepad", "", "calc"}), b({"NOTEPAD", "notepad2", "CALC"});
  d.FolderSource = &a;
  d.HistorySource = &b;
  d.ListOrder = "01";
  EXPECT_EQ(Build(), (Rows{"Notepad", "calc", "notepad2"}));
  d.DedupeLimit = 2;  // the third row and later are not searched for
  EXPECT_EQ(Build(), (Rows{"Notepad", "calc", "NOTEPAD", "notepad2", "CALC"}));
}

TEST_F(CompleteDataTest, NonMatchingRowsChangeNothing) {
  TStringList a({"note", "a-very-long-name-that-does-not-match", "notes"});
  d.FolderSource = &a;
  d.ListOrder = "0";
  d.Word = "no";
  d.TrackCommonPrefix = true;
  EXPECT_EQ(Build(), (Rows{"note", "notes"}));
  EXPECT_EQ(d.Longest, 5);
  EXPECT_EQ(d.BestLevel, 2);
  EXPECT_EQ(d.CommonPrefixLength, 4);
  EXPECT_EQ(d.SelectionIndex, -1);
  EXPECT_EQ(d.CompletionOffset, 0);
  d.Word = "zz";
  EXPECT_EQ(Build(), Rows{});
  EXPECT_EQ(d.BestLevel, -1);
  EXPECT_EQ(d.Longest, 0);
  EXPECT_EQ(d.CommonPrefixLength, -1);
}

TEST_F(CompleteDataTest, CommonPrefix) {
  struct Case { const char* name; Rows rows; bool charMode; int length; };
  const Case cases[] = {
      {"case ignored", {"notepad", "NOTEbook"}, true, 4},
      // A shorter later candidate shortens the prefix to its own length.
      {"shorter candidate", {"notepad", "NOTE", "notebook"}, true, 4},
      {"no common start", {"abc", "xyz"}, true, 0},
      {"one candidate", {"メモ帳"}, true, 3},
      {"characters", {"メモ帳", "メモ"}, true, 2},
      {"bytes", {"メモ帳", "メモ"}, false, 4},
      {"full-width case", {"ＡＢ", "ａｂｃ"}, true, 2},
      {"differs in the trail byte", {"メメ", "メモ"}, true, 1},
  };
  for (const auto& c : cases) {
    TStringList src(c.rows);
    d.FolderSource = &src;
    d.ListOrder = "0";
    d.Word = "";
    SetCharMode(c.charMode);
    d.TrackCommonPrefix = true;
    d.BuildList();
    EXPECT_EQ(d.CommonPrefixLength, c.length) << c.name;
    EXPECT_EQ(d.CommonPrefix, c.rows[0]) << c.name;
  }
  TStringList src({"abc", "abd"});
  d.FolderSource = &src;
  d.TrackCommonPrefix = false;
  d.BuildList();
  EXPECT_EQ(d.CommonPrefixLength, -1);
  EXPECT_EQ(d.Longest, 3);
}

// Levels 1 and 0 in one build need romaji in mode 0: word ka, clause か with
// the candidate 下.
class CompleteDataLevels : public CompleteDataTest {
 protected:
  void SetUp() override {
    auto fake = std::make_unique<TFakeInputMethod>();
    fake->Readings["ka"] = TFakeInputMethod::ReadingOf({"か"});
    fake->Candidates["か"] = {"下"};
    SetRomajiInputMethod(std::move(fake));
    d.UseRomaji = true;
    d.MatchMode = 0;
    d.Word = "ka";
  }
  void TearDown() override { SetRomajiInputMethod(std::make_unique<TFakeInputMethod>()); }
};

TEST_F(CompleteDataLevels, GroupedByLevelInTheOrderMet) {
  // b: level 1 (romaji), a: 3, c: 1, d: 2, e: 0.
  TStringList src({"b下", "KA", "c下", "kad", "ekza"});
  EXPECT_EQ(d.MatchLevelOf("b下", "ka", 0), 1);
  EXPECT_EQ(d.MatchLevelOf("ekza", "ka", 0), 0);
  d.FolderSource = &src;
  d.ListOrder = "0";
  EXPECT_EQ(Build(), (Rows{"KA", "kad", "b下", "c下", "ekza"}));
  EXPECT_EQ(d.BestLevel, 3);
  d.Upward = true;
  EXPECT_EQ(Build(), (Rows{"ekza", "c下", "b下", "kad", "KA"}));
}

TEST_F(CompleteDataLevels, SwitchesReachTheMatcher) {
  d.UseRomaji = false;
  EXPECT_EQ(d.MatchLevelOf("b下", "ka", 0), -1);
  d.UseRomaji = true;
  d.RomajiOnlyUpper = true;
  EXPECT_EQ(d.MatchLevelOf("b下", "ka", 0), -1);
}

TEST_F(CompleteDataTest, GetCandidatesBuildsWhenThereIsNoList) {
  TStringList src({"abc"});
  d.FolderSource = &src;
  d.ListOrder = "0";
  EXPECT_EQ(d.GetCandidates().Items(), (Rows{"abc"}));
  // The list was handed over: the next call builds a new one.
  EXPECT_EQ(d.GetCandidates().Items(), (Rows{"abc"}));
}

}  // namespace
