#include "completion/DynamicComplete_Text.h"

#include <gtest/gtest.h>

#include "core/StringUtils.h"

namespace {

using complete::TEditState;

class CompleteTextTest : public ::testing::Test {
 protected:
  CompleteTextTest() { SetCharMode(true); }
};

TEST_F(CompleteTextTest, InsertCandidateKeepsTypedCaseAndSelectsTheRest) {
  struct Case {
    const char* name;
    TEditState before;
    int wordStart;
    const char* candidate;
    TEditState after;
    int result;
  };
  const Case cases[] = {
      {"typed letters keep their case", {"no", 2, 0}, 0, "Notepad", {"notepad", 2, 5}, 7},
      {"text after the word stays", {"c:\\w -x", 4, 0}, 3, "windows\\", {"c:\\windows\\ -x", 4, 7}, 11},
      {"old rest of the word goes, no doubled backslash", {"c:\\wxyz\\abc", 4, 0}, 3, "windows\\",
       {"c:\\windows\\abc", 4, 6}, 10},
      {"selected inline part is replaced", {"notepad", 2, 5}, 0, "nothing", {"nothing", 2, 5}, 7},
      {"a romaji candidate shorter than the typed text", {"kanji", 5, 0}, 0, "漢字", {"漢字", 2, 0}, 2},
      {"double-byte text counts characters", {"表", 1, 0}, 0, "表示設定", {"表示設定", 1, 3}, 4},
  };
  for (const Case& c : cases) {
    TEditState st = c.before;
    int result = complete::InsertCandidate(st, c.wordStart, false, c.candidate);
    EXPECT_EQ(st, c.after) << c.name << ": " << st.Text << " " << st.SelStart << "+" << st.SelLength;
    EXPECT_EQ(result, c.result) << c.name;
  }
}

TEST_F(CompleteTextTest, CompletedTextJoinsRowAndRest) {
  EXPECT_EQ(complete::CompletedText({"c:\\w", 4, 0}, 3, "windows\\"), "c:\\windows\\");
  EXPECT_EQ(complete::CompletedText({"c:\\wxx\\foo", 4, 0}, 3, "windows\\"), "c:\\windows\\foo");
  EXPECT_EQ(complete::CompletedText({"run no -x", 6, 0}, 4, "notepad"), "run notepad -x");
}

TEST_F(CompleteTextTest, CutAtCharCommitsUpToTheCharacter) {
  struct Case { const char* row; const char* typed; char c; bool commit; const char* cut; };
  const Case cases[] = {
      {"c:\\windows\\system32", "c:\\w", '\\', true, "c:\\windows"},
      {"C:\\Windows", "c:\\w", '\\', true, "C:\\Windows"},
      {"c:\\\\x", "c:\\", '\\', false, ""},        // the rest already starts with it
      {"abc", "x", '\\', false, ""},               // the row does not fit the typed text
      {"表示\\x", "表", '\\', true, "表示"},        // 表's trail byte 0x5C is no backslash
      {"a.b.c", "a.", '.', true, "a.b"},
  };
  for (const Case& c : cases) {
    complete::TCut cut = complete::CutAtChar(c.row, c.typed, c.c);
    EXPECT_EQ(cut.Commit, c.commit) << c.row;
    if (c.commit) {
      EXPECT_EQ(cut.Row, c.cut) << c.row;
    }
  }
}

TEST_F(CompleteTextTest, TrailBytesNeverCountAsSpecialCharacters) {
  // 表 is 0x95 0x5C, ソ 0x83 0x5C, then a real backslash.
  const unsigned char typed[] = {0x95, 0x5C, 0x83, 0x5C, '\\', 'a', 0xE0, 0x5C};
  const bool trail[] = {false, true, false, true, false, false, false, true};
  complete::TByteTracker t;
  for (size_t i = 0; i < sizeof typed; ++i) EXPECT_EQ(t.Feed(typed[i]), trail[i]) << i;
  EXPECT_TRUE(complete::IsSpecialChar('\\', " \\/."));
  EXPECT_TRUE(complete::IsSpecialChar('X', "x"));
  EXPECT_FALSE(complete::IsSpecialChar('a', " \\/."));
}

TEST_F(CompleteTextTest, WordDeletion) {
  struct Case { const char* name; TEditState before; bool right; TEditState after; };
  const Case cases[] = {
      {"right through the next delimiter", {"c:\\abc\\def", 3, 0}, true, {"c:\\def", 3, 0}},
      {"right to the end", {"abc def", 4, 0}, true, {"abc ", 4, 0}},
      {"right at the end", {"abc", 3, 0}, true, {"abc", 3, 0}},
      {"left back to the delimiter", {"c:\\abc\\def", 10, 0}, false, {"c:\\abc\\", 7, 0}},
      {"left over a delimiter just before", {"c:\\abc\\", 7, 0}, false, {"c:\\", 3, 0}},
      {"left to the start", {"abc", 3, 0}, false, {"", 0, 0}},
      {"left keeps double-byte characters whole", {"表\\示す", 4, 0}, false, {"表\\", 2, 0}},
  };
  for (const Case& c : cases) {
    TEditState st = c.before;
    if (c.right) complete::DeleteWordRight(st, " \\/");
    else complete::DeleteWordLeft(st, " \\/");
    EXPECT_EQ(st, c.after) << c.name << ": " << st.Text;
  }
}

TEST_F(CompleteTextTest, SelectionMovesAndWraps) {
  struct Case { int target, selected, count, row; };
  const Case cases[] = {
      {5, 4, 5, 0},   // Down from the last row wraps to the first
      {-1, 0, 5, 4},  // Up from the first wraps to the last
      {0, -1, 5, 0},  // Down with none selected
      {-2, -1, 5, 0}, // Up with none selected
      {12, 3, 5, 4},  // Page Down stops at the last row
      {-4, 3, 5, 0},  // Page Up stops at the first
      {2, 1, 5, 2},
      {0, -1, 0, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(complete::SelectTarget(c.target, c.selected, c.count), c.row) << c.target << " from " << c.selected;
}

TEST_F(CompleteTextTest, MatchModeFromMatchLevel) {
  struct Case { int level; bool useList; int mode; };
  const Case cases[] = {{3, false, 2}, {-1, true, 2}, {2, true, 2}, {0, false, 2}, {1, false, 2},
                        {0, true, 0},  {1, true, 1},  {7, true, 9}};
  for (const Case& c : cases) EXPECT_EQ(complete::MatchModeFor(c.level, c.useList, 9), c.mode) << c.level;
}

TEST_F(CompleteTextTest, HistoryLinesGoToTheTopOnce) {
  TStringList h;
  complete::AddHistoryLine(h, "abc ", 30);
  complete::AddHistoryLine(h, "x", 30);
  complete::AddHistoryLine(h, "ABC", 30);
  EXPECT_EQ(h.Items(), (std::vector<std::string>{"abc", "x"}));
  complete::AddHistoryLine(h, "", 30);
  complete::AddHistoryLine(h, "y", 2);
  EXPECT_EQ(h.Items(), (std::vector<std::string>{"y", "abc"}));
}

TEST_F(CompleteTextTest, HistorySourceOffersWhatFollowsTheTypedText) {
  TStringList h({"notepad c:\\a.txt", "cmd", "Notepad c:\\b.txt"});
  EXPECT_EQ(complete::HistorySource(h, "notepad ", 30).Items(), (std::vector<std::string>{"c:\\a.txt", "c:\\b.txt"}));
  EXPECT_TRUE(complete::HistorySource(h, "note ", 30).Empty());
  EXPECT_EQ(complete::HistorySource(h, "", 2).Count(), 2);
}

TEST_F(CompleteTextTest, HistoryWalkStaysInsideTheHistory) {
  TStringList h({"a", "b"});
  EXPECT_EQ(complete::HistoryStep(h, "", false), 0);
  EXPECT_EQ(complete::HistoryStep(h, "a", false), 1);
  EXPECT_EQ(complete::HistoryStep(h, "b", false), -1);  // never past the end
  EXPECT_EQ(complete::HistoryStep(h, "B", true), 0);
  EXPECT_EQ(complete::HistoryStep(h, "a", true), -1);
  EXPECT_EQ(complete::HistoryStep(h, "", true), -1);
  EXPECT_EQ(complete::HistoryStep(TStringList(), "", false), -1);
}

TEST_F(CompleteTextTest, PopupSize) {
  complete::TPopupInput in;
  in.ListSize = 10;
  in.FontHeight = 12;
  in.ListHeightPx = 120;
  in.MWidth = 8;
  struct Case { const char* name; int rows; bool scroll, upward; int longest, listWidth, w, h; };
  const Case cases[] = {
      {"fewer rows than ListSize", 3, true, false, 10, 0, 100, 36},
      {"more rows, scroll bar", 12, true, false, 10, 0, 100, 120},
      {"more rows, no scroll bar, downward", 12, false, false, 10, 0, 100, 126},
      {"more rows, no scroll bar, upward", 12, false, true, 10, 0, 100, 120},
      {"no candidate length", 3, true, false, 0, 0, 160, 36},
      {"capped width", 3, true, false, 10, 50, 50, 36},
  };
  for (const Case& c : cases) {
    in.Rows = c.rows;
    in.ScrollBar = c.scroll;
    in.Upward = c.upward;
    in.Longest = c.longest;
    in.ListWidth = c.listWidth;
    complete::TPopupRect r = complete::PopupSize(in);
    EXPECT_EQ(r.Width, c.w) << c.name;
    EXPECT_EQ(r.Height, c.h) << c.name;
  }
}

TEST_F(CompleteTextTest, PopupPlace) {
  complete::TPopupPlace at;
  at.CaretX = 300;
  at.CaretY = 500;
  at.ClientHeight = 20;
  at.EditHeight = 24;
  at.WordWidth = 40;
  at.ClientOriginX = 200;
  at.BeforeWidth = 30;
  at.ScreenRight = 1280;
  complete::TPopupRect size{0, 0, 100, 60};
  EXPECT_EQ(complete::PlacePopup(size, false, at), (complete::TPopupRect{260, 520, 100, 60}));
  EXPECT_EQ(complete::PlacePopup(size, true, at), (complete::TPopupRect{257, 436, 100, 60}));
  at.ExtendWindow = true;
  EXPECT_EQ(complete::PlacePopup(size, false, at).X, 230);
  at.ExtendWindow = false;
  at.CaretX = 1250;
  EXPECT_EQ(complete::PlacePopup(size, false, at).X, 1180);  // kept on the screen
  EXPECT_TRUE(complete::OpensUpward(1024, 200, 900));
  EXPECT_FALSE(complete::OpensUpward(1024, 200, 100));
}

}  // namespace
