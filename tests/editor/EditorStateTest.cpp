#include "editor/URZEditorMain.h"

#include <gtest/gtest.h>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "tests/support/TempDir.h"

namespace {

TEST(EditorState, LoadsTheUsersFilesAndKeepsDefaultsForMissingOnes) {
  TempDir td;
  const TFilePaths paths(td / "Main");
  TEditorState s;
  s.Load(paths);
  EXPECT_EQ(s.UserDir, paths.UserDir + "\\");
  EXPECT_EQ(s.ItemsDir, paths.ItemsDir + "\\");
  EXPECT_EQ(s.MainDir, paths.MainDir + "\\");
  EXPECT_EQ(s.WarningColor, 255);
  EXPECT_TRUE(s.HotKeyLines.Empty());
  EXPECT_TRUE(s.Dialogs.Lines.Empty());

  ASSERT_TRUE(fileio::ForceDirectories(paths.UserDir));
  WriteTextFile(s.UserFile("Dialogs.ini"), "ShowAdvanced=1\r\n");
  WriteTextFile(s.UserFile("ShortCut.txt"), "メモ\t2\t65\t0\r\n<3>\t4\t0\t1\r\n");
  WriteTextFile(s.UserFile("quorvane.ini"), "Comment_C=0,16711680,3\r\n");
  s.Load(paths);
  EXPECT_EQ(s.Dialogs.ReadInteger("ShowAdvanced", 0), 1);
  EXPECT_EQ(s.HotKeyLines.Items(), (std::vector<std::string>{"メモ\t2\t65\t0", "<3>\t4\t0\t1"}));
  EXPECT_EQ(s.WarningColor, 16711680);

  // A settings file without the entry keeps the red of invalid entries.
  WriteTextFile(s.UserFile("quorvane.ini"), "Comment_C=0\r\n");
  s.Load(paths);
  EXPECT_EQ(s.WarningColor, 255);

  s.Dialogs.WriteInteger("TopMostChild", 1);
  s.SaveDialogs();
  EXPECT_EQ(ReadTextFile(s.UserFile("Dialogs.ini")), "ShowAdvanced=1\r\nTopMostChild=1\r\n");
}

TEST(EditorState, BusyScopeClearsOnEveryWayOut) {
  TEditorState s;
  try {
    TBusyScope busy(s);
    EXPECT_TRUE(s.Busy);
    throw 1;
  } catch (int) {
  }
  EXPECT_FALSE(s.Busy);
}

}  // namespace
