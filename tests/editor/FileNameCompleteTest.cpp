// The file-name edit as a real window under Wine: keys typed with SendInput,
// the popup's rows, the text and the resolved command read back, against a
// store and a folder tree in a temp folder.
#include "editor/FileNameComplete.h"

#include <gtest/gtest.h>

#include "tests/editor/EditFixture.h"

namespace {

class FileNameCompleteTest : public EditWindowTest {
 protected:
  TFileNameComplete edit;
};

TEST_F(FileNameCompleteTest, AFolderKeywordListsItsFolder) {
  edit.SetManager(&store, nullptr);
  Place(edit);
  Keys("tools\\");
  EXPECT_EQ(ListRows(), (Rows{"sub\\", "alfile.txt", "alpha.txt"}));
  EXPECT_EQ(edit.Command(), tree + "\\");
  EXPECT_EQ(edit.Data().WordStart, 6);
  Keys("alp");
  EXPECT_EQ(ListRows(), (Rows{"alpha.txt"}));
  EXPECT_EQ(edit.Text(), "tools\\alpha.txt");
  EXPECT_EQ(edit.Command(), tree + "\\alpha.txt");
}

TEST_F(FileNameCompleteTest, AnAcceptedFileReplacesTheWordAsTyped) {
  edit.SetManager(&store, nullptr);
  Place(edit);
  struct Case {
    const char* typed;
    std::string text, command;
  } cases[] = {
      {"tools\\alf{Enter}", "tools\\alfile.txt", "\\alfile.txt"},
      {"tools\\s{Enter}deep{Enter}", "tools\\sub\\deep.txt", "\\sub\\deep.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Clear();
    Keys(c.typed);
    EXPECT_EQ(edit.Text(), c.text);
    EXPECT_EQ(edit.Command(), tree + c.command);
  }
}

TEST_F(FileNameCompleteTest, KeywordPathsOfferGroupsAndTheEmptyFieldEverything) {
  edit.SetManager(&store, nullptr);
  Place(edit);
  Keys("grp/");
  EXPECT_EQ(ListRows(), (Rows{"abc", "abd", "sub/"}));
  Keys("sub/");
  EXPECT_EQ(ListRows(), (Rows{"deep"}));
  Clear();
  Keys("c");
  EXPECT_TRUE(Has(ListRows(), "C:\\"));
  Rows rows = DoubleClickEmpty();
  for (const char* expected : {"C:\\", "tools\\", "notepad", "alpha", "grp/", "日本/"}) EXPECT_TRUE(Has(rows, expected)) << expected;
  EXPECT_FALSE(Has(rows, "abc"));
}

TEST_F(FileNameCompleteTest, AFolderBoxListsFoldersOnly) {
  edit.SetManager(&store, nullptr);
  edit.SetFileType(TFileType::ftOnlyDirectory);
  Place(edit);
  Keys("tools\\");
  EXPECT_EQ(ListRows(), (Rows{"sub\\"}));
}

TEST_F(FileNameCompleteTest, TheEditedItemIsNotOfferedForItself) {
  std::unique_ptr<TKeyWordX> abc = store.FindKeyWord("grp/abc");
  std::unique_ptr<TKeyWordX> sub = store.FindKeyWord("grp/sub");
  ASSERT_TRUE(abc && sub);
  Place(edit);
  struct Case {
    TKeyWordX* item;
    const char* typed;
    Rows rows;
  } cases[] = {
      {abc.get(), "grp/", {"abd", "sub/"}},
      {sub.get(), "grp/", {"abc", "abd"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    edit.SetManager(&store, c.item);
    Clear();
    Keys(c.typed);
    EXPECT_EQ(ListRows(), c.rows);
  }
}

TEST_F(FileNameCompleteTest, WithoutAStoreTheTextIsAPath) {
  Place(edit);
  Keys("grp/");
  EXPECT_FALSE(ListShown());
  Clear();
  Keys("c:\\win");
  EXPECT_TRUE(Has(ListRows(), "windows\\"));
  EXPECT_EQ(edit.Command(), edit.Text());
  Clear();
  Keys("tools\\");
  EXPECT_FALSE(ListShown());
  EXPECT_EQ(edit.Command(), "tools\\");
}

}  // namespace
