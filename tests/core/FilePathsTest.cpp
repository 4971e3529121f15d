#include "core/File_Paths.h"

#include <gtest/gtest.h>

#include "core/OSUtils.h"

namespace {

TEST(FilePaths, LayoutBelowTheMainFolder) {
  const std::string user = "C:\\Tools\\Q\\Users\\" + GetLoginUserName();
  TFilePaths p("C:\\Tools\\Q");
  EXPECT_EQ(p.MainDir, "C:\\Tools\\Q");
  EXPECT_EQ(p.FilesDir, "C:\\Tools\\Q\\Files");
  EXPECT_EQ(p.DocDir, "C:\\Tools\\Q\\Files\\doc");
  EXPECT_EQ(p.UserDir, user);
  EXPECT_EQ(p.IconsDir, user + "\\Icons");
  EXPECT_EQ(p.ItemsDir, user + "\\Items");
}

TEST(FilePaths, TrailingBackslashLeavesMainDirButNotFilesDir) {
  TFilePaths p("C:\\表\\");
  EXPECT_EQ(p.MainDir, "C:\\表");
  EXPECT_EQ(p.FilesDir, "C:\\表\\\\Files");
  p.SetMainDir("D:\\ソ");
  EXPECT_EQ(p.MainDir, "D:\\ソ");  // the trail byte 0x5C is no delimiter
  EXPECT_EQ(p.FilesDir, "D:\\ソ\\Files");
  EXPECT_EQ(p.UserDir, "D:\\ソ\\Users\\" + GetLoginUserName());
}

}  // namespace
