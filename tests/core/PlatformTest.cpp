// The test environment itself: a wrong locale or display would skew every text
// and window test silently, so these fail loudly instead.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/FileIO.h"
#include "tests/support/TempDir.h"

namespace {

TEST(Platform, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(Platform, ShiftJisFileNamesWork) {
  TempDir dir;
  const std::string folder = dir / "表示ソフト";
  ASSERT_TRUE(fileio::ForceDirectories(folder + "\\下"));
  WriteTextFile(folder + "\\下\\名前.txt", "x");
  EXPECT_TRUE(fileio::FileExists(folder + "\\下\\名前.txt"));
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*.txt").c_str(), &fd);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);  // the file is one folder deeper
  h = FindFirstFileA((folder + "\\下\\*.txt").c_str(), &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(fd.cFileName, "名前.txt");
  FindClose(h);
}

}  // namespace
