#include <gtest/gtest.h>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/OSUtils.h"
#include "core/ProgramPath.h"
#include "tests/support/TempDir.h"

namespace {

TEST(FilePathsShared, UseSameDataSwitchesToAllUsers) {
  TempDir dir;
  const std::string main = dir / "ランチャー表";
  ASSERT_TRUE(fileio::ForceDirectories(main + "\\Users"));
  TFilePaths p(main);
  EXPECT_EQ(p.UserDir, main + "\\Users\\" + GetLoginUserName());
  WriteTextFile(main + "\\Users\\UseSameData.ini", "");
  EXPECT_EQ(p.GetUserDir(), main + "\\Users\\All Users");
  p.SetMainDir(main + "\\");
  EXPECT_EQ(p.UserDir, main + "\\Users\\All Users");
  EXPECT_EQ(p.IconsDir, main + "\\Users\\All Users\\Icons");
  EXPECT_EQ(p.ItemsDir, main + "\\Users\\All Users\\Items");
  EXPECT_FALSE(fileio::DirectoryExists(p.ItemsDir));  // nothing is created here
}

TEST(FilePathsShared, InstanceStartsFromTheProgramFolder) {
  TFilePaths& p = FilePathsInstance();
  EXPECT_EQ(&p, &FilePathsInstance());
  EXPECT_EQ(p.MainDir, ProgramDir());
  EXPECT_EQ(p.FilesDir, ProgramDir() + "\\Files");
}

}  // namespace
