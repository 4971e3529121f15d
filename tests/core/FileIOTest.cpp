#include "core/FileIO.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace {

int CountFiles(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  int n = 0;
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return n;
}

TEST(SafeReplace, ReplacesWholeFileAndLeavesNoTemporary) {
  TempDir dir;
  const std::string file = dir / "data.txt";
  WriteTextFile(file, std::string(10000, 'a'));
  ASSERT_TRUE(fileio::WriteFileReplacing(file, "short"));
  EXPECT_EQ(ReadTextFile(file), "short");
  EXPECT_EQ(CountFiles(dir.path()), 1);
}

TEST(SafeReplace, FailedReplaceKeepsOldFileWhole) {
  TempDir dir;
  const std::string file = dir / "locked.txt";
  WriteTextFile(file, "old contents");
  // Held open without sharing: the replace cannot happen.
  HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(fileio::WriteFileReplacing(file, "new"));
  CloseHandle(h);
  EXPECT_EQ(ReadTextFile(file), "old contents");
  EXPECT_EQ(CountFiles(dir.path()), 1);
}

TEST(SafeReplace, CreatesMissingFolders) {
  TempDir dir;
  const std::string file = dir / "a\\表\\ソ\\x.txt";
  ASSERT_TRUE(fileio::WriteFileReplacing(file, "x"));
  EXPECT_TRUE(fileio::DirectoryExists(dir / "a\\表\\ソ"));
  EXPECT_TRUE(fileio::FileExists(file));
  EXPECT_FALSE(fileio::FileExists(dir / "a"));
}

TEST(Append, CreatesThenAppends) {
  TempDir dir;
  const std::string file = dir / "log.txt";
  ASSERT_TRUE(fileio::AppendToFile(file, "a"));
  ASSERT_TRUE(fileio::AppendToFile(file, "b"));
  EXPECT_EQ(ReadTextFile(file), "ab");
}

}  // namespace
