// The parameter edit as a real window under Wine: keys typed with SendInput,
// the popup's rows, the text and the caret read back, against a store and a
// folder tree in a temp folder.
#include "editor/ParamEdit.h"

#include <gtest/gtest.h>

#include "tests/editor/EditFixture.h"

namespace {

class ParamEditTest : public EditWindowTest {
 protected:
  TParamEdit edit;

  void Attach() {
    edit.SetManager(&store);
    Place(edit);
  }
};

TEST_F(ParamEditTest, SourcesFollowTheTokenAtTheCaret) {
  Attach();
  struct Case {
    const char* typed;
    Rows shown, absent;
  } cases[] = {
      // A group in a parameter offers its names.
      {"x grp/a", {"abc", "abd"}, {"alpha", "C:\\"}},
      {"x grp/s", {"sub/"}, {"alpha"}},
      // The root after a blank: keywords and drives, for an empty word too.
      {"x ", {"C:\\", "tools\\", "alpha", "grp/"}, {"abc"}},
      {"x a", {"alpha"}, {"abc"}},
      {"x c", {"C:\\"}, {"abc"}},
      // A path offers its folder's files and folders.
      {"x c:\\win", {"windows\\"}, {"C:\\"}},
      // A keyword for a folder stands for it.
      {"x tools\\al", {"alfile.txt", "alpha.txt"}, {"alpha"}},
      {"tools\\s", {"sub\\"}, {"alfile.txt"}},
      // A literal token names no keyword.
      {"x !a", {}, {"alpha"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Clear();
    Keys(c.typed);
    Rows rows = ListRows();
    for (const std::string& r : c.shown) EXPECT_TRUE(Has(rows, r)) << r;
    for (const std::string& r : c.absent) EXPECT_FALSE(Has(rows, r)) << r;
    EXPECT_EQ(ListShown(), !c.shown.empty());
  }
}

TEST_F(ParamEditTest, AnAcceptedCandidateReplacesTheWordAsTyped) {
  Attach();
  struct Case {
    const char* typed;
    std::string text;
  } cases[] = {
      // The keyword makes the token longer than what was typed.
      {"x tools\\su{Enter}", "x tools\\sub\\"},
      {"tools\\alf{Enter}", "tools\\alfile.txt"},
      {"x grp/ab{Down}{Enter}", "x grp/abd"},
      // The literal mark is no part of the word.
      {"x grp/!ab{Enter}", "x grp/!abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Clear();
    Keys(c.typed);
    EXPECT_EQ(edit.Text(), c.text);
    EXPECT_EQ(edit.SelStart(), complete::PosLength(c.text));
  }
  // The completed folder goes on listing through the keyword.
  Clear();
  Keys("x tools\\sub\\d");
  EXPECT_EQ(ListRows(), (Rows{"deep.txt"}));
}

TEST_F(ParamEditTest, TheEditedKeywordIsNeverOffered) {
  Attach();
  struct Case {
    std::string excluded;
    const char* typed;
    Rows shown, absent;
  } cases[] = {
      {"grp/abc", "x grp/a", {"abd"}, {"abc"}},
      {"grp/sub", "x grp/s", {}, {"sub/"}},
      {"grp", "x g", {}, {"grp/"}},
      {"alpha", "x al", {}, {"alpha"}},
      // Only the keyword itself: a namesake elsewhere stays.
      {"abc", "x grp/a", {"abc", "abd"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.excluded);
    edit.SetExcludedKeyword(c.excluded);
    edit.SetManager(&store);  // a new list for the new exclusion
    Clear();
    Keys(c.typed);
    Rows rows = ListRows();
    for (const std::string& r : c.shown) EXPECT_TRUE(Has(rows, r)) << r;
    for (const std::string& r : c.absent) EXPECT_FALSE(Has(rows, r)) << r;
  }
}

TEST_F(ParamEditTest, WithoutAStoreAMarkedTokenFindsNoKeyword) {
  for (bool detached : {false, true}) {
    SCOPED_TRACE(detached ? "store detached" : "never attached");
    if (detached) {
      edit.SetManager(&store);
      edit.SetManager(nullptr);
      EXPECT_EQ(edit.ModeKey(), "%%");
    } else {
      Place(edit);
    }
    for (const char* typed : {"x !a", "x !grp/a", "!tools\\a"}) {
      SCOPED_TRACE(typed);
      Clear();
      Keys(typed);
      for (const std::string& r : ListRows()) EXPECT_TRUE(r != "alpha" && r != "abc" && r != "alfile.txt") << r;
    }
    Clear();
    Keys("x c");
    EXPECT_TRUE(Has(ListRows(), "C:\\"));
  }
}

TEST_F(ParamEditTest, WithoutCompleteAfterSpaceOnlyTheFirstTokenCompletes) {
  Attach();
  edit.CompleteAfterSpace = false;
  Keys("gr");
  EXPECT_TRUE(Has(ListRows(), "grp/"));
  Clear();
  Keys("x gr");
  EXPECT_FALSE(ListShown());
  EXPECT_EQ(edit.Text(), "x gr");
}

TEST_F(ParamEditTest, ADoubleClickOnTheEmptyFieldOffersEverything) {
  Attach();
  Rows rows = DoubleClickEmpty();
  for (const char* expected : {"C:\\", "tools\\", "alpha", "grp/", "日本/"}) EXPECT_TRUE(Has(rows, expected)) << expected;
}

TEST_F(ParamEditTest, ADoubleByteGroupOffersItsNames) {
  Attach();
  // Typed Japanese reaches an ANSI edit under Wine only as the input method's
  // replacement of the selection.
  SendMessageA(edit.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x 日本/"));
  Drain();
  EXPECT_EQ(ListRows(), (Rows{"ソフト", "表示"}));
  EXPECT_EQ(edit.Data().WordStart, 5);
  Keys("{Down}{Down}{Enter}");
  EXPECT_EQ(edit.Text(), "x 日本/表示");
}

TEST_F(ParamEditTest, AddressesOfferTheUserList) {
  Attach();
  edit.SetCListOrder("5");
  edit.SetCCheckedList("1");
  edit.SetUserList("http://example.com/\r\nhttp://other.org/");
  Keys("http://ex");
  EXPECT_EQ(ListRows(), (Rows{"http://example.com/"}));
  EXPECT_EQ(edit.ModeKey(), ":");
}

// The picture: the popup over Japanese keyword names (tests/support/editor-screenshot.sh).
TEST_F(ParamEditTest, ScreenshotPopupOverJapaneseNames) {
  char shots[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("QV_SHOT_DIR", shots, sizeof shots)) GTEST_SKIP() << "QV_SHOT_DIR not set";
  Attach();
  edit.SetListFont("ＭＳ ゴシック", 9);
  SendMessageA(edit.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("notepad 日本/"));
  Drain();
  ASSERT_TRUE(ListShown());
  // The box and its popup, with a margin.
  RECT f = {}, l = {};
  GetWindowRect(edit.Handle(), &f);
  GetWindowRect(edit.List().Handle(), &l);
  UnionRect(&f, &f, &l);
  InflateRect(&f, 12, 12);
  const int right = f.right, bottom = f.bottom;
  const std::string base = std::string(shots) + "\\";
  WriteTextFile(base + "editor-param-popup.ready", std::to_string(right - f.left) + "x" + std::to_string(bottom - f.top) +
                                                "+" + std::to_string(f.left) + "+" + std::to_string(f.top));
  EXPECT_TRUE(PumpUntil([&] { return GetFileAttributesA((base + "editor-param-popup.done").c_str()) != INVALID_FILE_ATTRIBUTES; }));
}

}  // namespace
