// A new item's defaults: the user's defaults file of its kind, then what its
// command gives (name, folder, the program's description, icon).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/KeyWordX.h"
#include "editor/URZEditorMain.h"
#include "tests/support/TempDir.h"

namespace {

TEST(ItemDefaults, ANameFromTheCommandIsOneWholeAllowedCharacterAtLeast) {
  struct TCase {
    const char* command;
    std::string name;
  };
  const TCase cases[] = {
      {"C:\\tools\\メモ帳.exe", "メモ帳"},
      {"C:\\data\\", "data"},
      {"C:\\表\\", "表"},
      // Nothing before the extension: the first character, made allowed.
      {"\\\\server\\share\\.profile", "_"},
      {"表\\.x", "表"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_EQ(ItemNameFromCommand(c.command), c.name);
  }
}

class ItemDefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = EditorState();
    EditorState().UserDir = dir.path() + "\\";
    tool = dir / "道具.txt";
    WriteTextFile(tool, "x");
  }
  void TearDown() override { EditorState() = saved; }
  void Defaults(const std::string& file, const std::string& text) {
    CreateDirectoryA((dir / "Dialog_Default_info").c_str(), nullptr);
    WriteTextFile(dir / ("Dialog_Default_info\\" + file), text);
  }
  TempDir dir;
  TKeyWordManager store{dir / "Items", dir.path()};
  TEditorState saved;
  std::string tool;
};

TEST_F(ItemDefaultsTest, TheDefaultsFileFillsWhatIsEmptyExceptIsDir) {
  Defaults("Normal.ini", "Comment=既定の説明\r\nIsDir=1\r\nParam=-x\r\n=ignored\r\nDir=D:\\既定\r\n");
  auto item = store.NewKeyWord("メモ", "", kTypeCommand);
  item->SetCommand(tool);
  item->SetParam("-own");
  ApplyItemDefaults(*item, false);
  EXPECT_EQ(item->GetComment(), "既定の説明");
  EXPECT_EQ(item->GetParam(), "-own") << "a value of the item's own stays";
  EXPECT_EQ(item->Data()->ReadString("IsDir", ""), "") << "IsDir is never a default";
  EXPECT_EQ(item->GetDir(), "D:\\既定\\") << "the default folder, with its delimiter";
  EXPECT_EQ(item->GetIcon(), tool);
  EXPECT_EQ(item->Name, "メモ");
}

TEST_F(ItemDefaultsTest, EachKindItsOwnFileAndIcon) {
  Defaults("System.ini", "Comment=システムの既定\r\n");
  Defaults("Group.ini", "Comment=グループの既定\r\n");
  struct TCase {
    int type;
    std::string comment, icon;
  };
  const TCase cases[] = {
      {kTypeSystem, "システムの既定", "%IconDir\\SYSTEMKEYWORD.ico"},
      {kTypeGroup, "グループの既定", "%IconDir\\Group.ico"},
      {kTypeCommand, "", ""},  // no command: no icon
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    auto item = store.NewKeyWord("項目" + std::to_string(n++), "", c.type);
    ApplyItemDefaults(*item, false);
    EXPECT_EQ(item->GetComment(), c.comment);
    EXPECT_EQ(item->GetIcon(), c.icon);
  }
}

TEST_F(ItemDefaultsTest, AProgramsDescriptionAndFolderComeFromIt) {
  struct TCase {
    const char* name;
    std::string program, comment;
  };
  const TCase cases[] = {
      {"with a Comments text", QV_VERSION_FIXTURE_EXE, "版を示す見本"},
      {"without a version resource", QV_PLAIN_FIXTURE_EXE, "手で書いた"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto item = store.NewKeyWord("プログラム", "", kTypeCommand);
    item->SetCommand(c.program);
    item->SetComment("手で書いた");
    ApplyItemDefaults(*item, false);
    EXPECT_EQ(item->GetComment(), c.comment);
    std::string folder = c.program.substr(0, c.program.find_last_of("\\/") + 1);
    for (char& ch : folder)
      if (ch == '/') ch = '\\';
    EXPECT_EQ(item->GetDir(), folder);
    item->Delete();
  }
  auto folderItem = store.NewKeyWord("フォルダ", "", kTypeCommand);
  folderItem->SetCommand(dir.path());
  ApplyItemDefaults(*folderItem, false);
  EXPECT_EQ(folderItem->GetDir(), dir.path() + "\\") << "a folder is its own working folder";
}

}  // namespace
