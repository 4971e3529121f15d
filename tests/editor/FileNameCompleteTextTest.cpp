// The file-name edit's parse of the text before its caret, on a store and a
// file system in memory.
#include "editor/FileNameComplete_Text.h"

#include <gtest/gtest.h>

#include "core/StringUtils.h"
#include "tests/editor/LookupFixture.h"

namespace {

using TD = TFileNameSources::TDrives;
using Rows = std::vector<std::string>;

class FileNameCompleteTextTest : public LookupTest {
 protected:
  TFileNameSources Parse(const std::string& text, bool withStore = true) {
    TFileNameText in;
    in.Text = text;
    in.OnlyFolders = onlyFolders;
    in.ItemPath = item;
    return ParseFileName(in, withStore ? &f.store : nullptr);
  }

  bool onlyFolders = false;
  std::string item;
};

TEST_F(FileNameCompleteTextTest, APathListsItsFolderAndKeepsTheTypedPlaces) {
  struct Case {
    std::string text;
    bool store;
    std::string folder, word;
    int wordStart;
  } cases[] = {
      {"c:\\win\\no", true, "c:\\win\\", "no", 7},
      // The reference picks the folder; the word stays where it was typed.
      {"tools\\ap", true, "c:\\tools\\", "ap", 6},
      {"tools\\sub\\x", true, "c:\\tools\\sub\\", "x", 10},
      {"tools\\ap", false, "tools\\", "ap", 6},
      {"!tools\\ap", true, "tools\\", "ap", 7},
      {"日本\\ソ", true, "日本\\", "ソ", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TFileNameSources s = Parse(c.text, c.store);
    EXPECT_EQ(s.Folder, c.folder);
    EXPECT_EQ(s.Word, c.word);
    EXPECT_EQ(s.WordStart, c.wordStart);
    EXPECT_EQ(s.Kind, 0);
    EXPECT_EQ(s.CheckedLists, "1001");
    EXPECT_FALSE(s.KeywordsSet);
    EXPECT_EQ(s.Drives, TD::Unchanged);
  }
}

TEST_F(FileNameCompleteTextTest, OnlyFoldersAreListedForAFolderBox) {
  onlyFolders = true;
  EXPECT_EQ(Parse("c:\\").Kind, 1);
  EXPECT_EQ(Parse("").Kind, 2);
}

TEST_F(FileNameCompleteTextTest, AKeywordPathListsItsGroup) {
  struct Case {
    std::string text;
    Rows keywords;
    TD drives;
    std::string word;
    int wordStart;
  } cases[] = {
      {"", {"tools\\", "notepad", "abc", "grp/", "日本/"}, TD::Filled, "", 0},
      {"no", {"tools\\", "notepad", "abc", "grp/", "日本/"}, TD::Filled, "no", 0},
      {"grp/", {"abc", "sub/"}, TD::Emptied, "", 4},
      {"grp/sub/de", {"deep"}, TD::Emptied, "de", 8},
      {"日本/表", {"ソフト", "表示"}, TD::Emptied, "表", 3},
      // Not a group: nothing to offer but the history.
      {"notepad/x", {}, TD::Emptied, "x", 8},
      {"nothing/", {}, TD::Emptied, "", 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TFileNameSources s = Parse(c.text);
    EXPECT_TRUE(s.KeywordsSet);
    EXPECT_EQ(s.Keywords.Items(), c.keywords);
    EXPECT_EQ(s.Drives, c.drives);
    EXPECT_EQ(s.Word, c.word);
    EXPECT_EQ(s.WordStart, c.wordStart);
    EXPECT_EQ(s.Kind, 2);
    EXPECT_EQ(s.CheckedLists, "0111");
  }
  EXPECT_EQ(f.store.lastOptions, (std::vector<bool>{true, true, true}));
}

TEST_F(FileNameCompleteTextTest, WithoutAStoreOnlyDrivesAndHistoryAreOffered) {
  TFileNameSources s = Parse("grp/", false);
  EXPECT_TRUE(s.KeywordsSet);
  EXPECT_TRUE(s.Keywords.Empty());
  EXPECT_EQ(Parse("", false).Drives, TD::Filled);
}

TEST_F(FileNameCompleteTextTest, TheEditedItemIsLeftOutOfItsOwnGroupOnly) {
  struct Case {
    std::string item, text;
    Rows keywords;
  } cases[] = {
      {"tools", "", {"notepad", "abc", "grp/", "日本/"}},
      {"grp", "", {"tools\\", "notepad", "abc", "日本/"}},
      {"grp/abc", "grp/", {"sub/"}},
      {"grp/abc", "", {"tools\\", "notepad", "abc", "grp/", "日本/"}},
      {"abc", "grp/", {"abc", "sub/"}},
      {"日本/表示", "日本/", {"ソフト"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item + " in " + c.text);
    item = c.item;
    EXPECT_EQ(Parse(c.text).Keywords.Items(), c.keywords);
  }
}

}  // namespace
