// The parameter line's parse: which candidate sources the token at the caret
// gets, on a store and a file system in memory.
#include "editor/ParamEdit_Text.h"

#include <gtest/gtest.h>

#include "core/StringUtils.h"
#include "tests/editor/LookupFixture.h"

namespace {

using TK = TParamSources::TKeywords;
using TO = TParamSources::TOthers;
using Rows = std::vector<std::string>;

class ParamEditTextTest : public LookupTest {
 protected:
  // The parse while typing, with the caret at the end of the text.
  TParamSources Typed(const std::string& text, bool withStore = true, std::string modeKey = kParamModeKeyAttached) {
    TParamLine line;
    line.Text = text;
    line.Caret = CharLength(text);
    line.Typing = true;
    line.CompleteAfterSpace = completeAfterSpace;
    line.ModeKey = std::move(modeKey);
    line.Excluded = excluded;
    return ParseParams(line, withStore ? &f.store : nullptr, f.paths);
  }

  bool completeAfterSpace = true;
  std::string excluded;
};

TEST_F(ParamEditTextTest, TheTokenAtTheCaretChoosesTheSources) {
  struct Case {
    const char* name;
    std::string text;
    std::string modeKey;
    int kind;
    TK keywords;
    Rows names;
    TO others;
    int wordStart;
    std::string word;
    std::string folder;
  } cases[] = {
      {"empty field", "", "%", 2, TK::Names, {"tools\\", "notepad", "abc", "grp/", "日本/"}, TO::Filled, 0, "", ""},
      {"empty after a blank", "x ", "%", 2, TK::Names, {"tools\\", "notepad", "abc", "grp/", "日本/"}, TO::Filled, 2, "", ""},
      {"a group", "notepad grp/", "%grp", 2, TK::Names, {"abc", "sub/"}, TO::Emptied, 12, "", ""},
      {"a group, a word", "grp/ab", "%grp", 2, TK::Names, {"abc", "sub/"}, TO::Emptied, 4, "ab", ""},
      {"a group below a group", "grp/sub/d", "%grp/sub", 2, TK::Names, {"deep"}, TO::Emptied, 8, "d", ""},
      {"double-byte names", "日本/ソ", "%日本", 2, TK::Names, {"ソフト", "表示"}, TO::Emptied, 3, "ソ", ""},
      {"a drive", "c:\\", "\\", 0, TK::Removed, {}, TO::Emptied, 3, "", "c:\\"},
      {"a folder keyword", "tools\\ap", "\\", 0, TK::Removed, {}, TO::Emptied, 6, "ap", "c:\\tools\\"},
      {"a program keyword", "notepad\\re", "\\", 0, TK::Removed, {}, TO::Emptied, 8, "re", "c:\\win\\"},
      {"a path with blanks", "x c:\\Program Files\\ap", "\\", 0, TK::Removed, {}, TO::Emptied, 19, "ap", "c:\\Program Files\\"},
      {"a path up to its blank", "c:\\Program ", "\\", 0, TK::Removed, {}, TO::Emptied, 3, "Program ", "c:\\"},
      {"a literal token", "!grp/ab", "/grp", 2, TK::Names, {}, TO::Emptied, 5, "ab", ""},
      {"a literal path", "!tools\\ap", "\\", 0, TK::Removed, {}, TO::Emptied, 7, "ap", "tools\\"},
      {"a word marked literal", "grp/!ab", "%grp", 2, TK::Names, {"abc", "sub/"}, TO::Emptied, 5, "ab", ""},
      {"an escaped mark", "grp/!!ab", "%grp", 2, TK::Names, {"abc", "sub/"}, TO::Emptied, 4, "!!ab", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TParamSources s = Typed(c.text);
    ASSERT_TRUE(s.Set);
    EXPECT_EQ(s.ModeKey, c.modeKey);
    EXPECT_EQ(s.Kind, c.kind);
    EXPECT_EQ(s.Keywords, c.keywords);
    EXPECT_EQ(s.Names.Items(), c.names);
    EXPECT_EQ(s.Others, c.others);
    EXPECT_EQ(s.WordStart, c.wordStart);
    EXPECT_EQ(s.Word, c.word);
    EXPECT_EQ(s.Folder, c.folder);
  }
}

TEST_F(ParamEditTextTest, GroupNamesAreListedWithTheirMarksAndTheUsableOption) {
  TParamLine line;
  line.Typing = true;
  line.ModeKey = kParamModeKeyAttached;
  for (bool usable : {false, true}) {
    line.AddBackSlash = usable;
    ParseParams(line, &f.store, f.paths);
    EXPECT_EQ(f.store.lastOptions, (std::vector<bool>{true, true, usable}));
  }
}

TEST_F(ParamEditTextTest, AnUnchangedModeKeyKeepsTheLists) {
  TParamSources first = Typed("grp/a");
  TParamSources second = Typed("grp/ab", true, first.ModeKey);
  EXPECT_EQ(second.ModeKey, "%grp");
  EXPECT_EQ(second.Keywords, TK::Unchanged);
  EXPECT_EQ(second.Others, TO::Unchanged);
  EXPECT_EQ(second.Word, "ab");
  EXPECT_EQ(second.WordStart, 4);
}

TEST_F(ParamEditTextTest, WithoutAStoreTokensAreLiteralAndAMarkedOneFindsNothing) {
  struct Case {
    std::string text, modeKey, folder;
    int wordStart;
  } cases[] = {
      {"ab", "/", "", 0},
      {"grp/ab", "/grp", "", 4},
      {"!ab", "%", "", 1},
      {"!grp/ab", "%grp", "", 5},
      {"!tools\\ap", "\\", "tools\\", 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TParamSources s = Typed(c.text, false, kParamModeKeyInitial);
    ASSERT_TRUE(s.Set);
    EXPECT_EQ(s.ModeKey, c.modeKey);
    EXPECT_TRUE(s.Names.Empty());
    EXPECT_EQ(s.Folder, c.folder);
    EXPECT_EQ(s.WordStart, c.wordStart);
  }
}

TEST_F(ParamEditTextTest, TheExcludedKeywordIsNeverOffered) {
  struct Case {
    const char* name;
    std::string excluded, text;
    Rows names;
  } cases[] = {
      {"a root item", "abc", "", {"tools\\", "notepad", "grp/", "日本/"}},
      {"a folder item", "tools", "", {"notepad", "abc", "grp/", "日本/"}},
      {"a group in the root", "grp", "", {"tools\\", "notepad", "abc", "日本/"}},
      {"an item in a group", "grp/abc", "grp/", {"sub/"}},
      {"a group in a group, any case", "GRP/Sub", "grp/", {"abc"}},
      {"the root's abc stays in grp", "abc", "grp/", {"abc", "sub/"}},
      {"grp's abc stays in the root", "grp/abc", "", {"tools\\", "notepad", "abc", "grp/", "日本/"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    excluded = c.excluded;
    EXPECT_EQ(Typed(c.text).Names.Items(), c.names);
  }
}

TEST_F(ParamEditTextTest, WithoutCompleteAfterSpaceOnlyTheFirstTokenIsSetUp) {
  completeAfterSpace = false;
  EXPECT_TRUE(Typed("grp/a").Set);
  EXPECT_FALSE(Typed("notepad grp/a").Set);
  // A path with blanks is still one token.
  TParamSources s = Typed("c:\\Program Files\\a");
  ASSERT_TRUE(s.Set);
  EXPECT_EQ(s.Folder, "c:\\Program Files\\");
  completeAfterSpace = true;
  EXPECT_TRUE(Typed("notepad grp/a").Set);
}

TEST_F(ParamEditTextTest, AddressesOfferTheUserListForTheWholeText) {
  for (const std::string text : {"http://www.ex", "MAILTO:a@b", "https://x/y"}) {
    SCOPED_TRACE(text);
    TParamSources s = Typed(text);
    ASSERT_TRUE(s.Set);
    EXPECT_EQ(s.ModeKey, ":");
    EXPECT_EQ(s.Others, TO::UserList);
    EXPECT_EQ(s.WordStart, 0);
    EXPECT_EQ(s.Word, text);
    EXPECT_EQ(s.Keywords, TK::Unchanged);
  }
}

TEST_F(ParamEditTextTest, NothingIsSetUpOutsideTyping) {
  TParamLine line;
  line.Text = "grp/a";
  line.Caret = 5;
  line.ModeKey = kParamModeKeyAttached;
  TParamSources s = ParseParams(line, &f.store, f.paths);
  EXPECT_FALSE(s.Set);
  EXPECT_EQ(s.ModeKey, kParamModeKeyAttached);
}

TEST_F(ParamEditTextTest, TokensSplitAtBlanksWithQuotedRunsKeptTogether) {
  // The quoted run counts as one token of the line: the caret token starts after it.
  TParamSources s = Typed("\"a b\" grp/x");
  EXPECT_EQ(s.ModeKey, "%grp");
  EXPECT_EQ(s.WordStart, 10);
  // Two blanks are an empty token between.
  s = Typed("x  grp/");
  EXPECT_EQ(s.WordStart, 7);
}

TEST_F(ParamEditTextTest, JoiningStopsAtTheFirstTokenThatNamesNothing) {
  // "c:\Program x" names nothing, so "Files\" is a token of its own.
  TParamSources s = Typed("c:\\Program x Files\\a");
  EXPECT_EQ(s.Folder, "Files\\");
  EXPECT_EQ(s.WordStart, 19);
}

}  // namespace
