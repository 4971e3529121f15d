#include "core/FileIO.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/StringIni.h"
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

// What a save killed between writing and replacing leaves behind goes at the
// next save or load of that file, unless the process that made it still runs.
TEST(SafeReplace, StaleTemporariesGoAtTheNextSaveOrLoad) {
  TempDir dir;
  const std::string file = dir / "データ.txt";
  // A process that runs for the test's length: its save may be under way.
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  char cmd[] = "cmd.exe";
  ASSERT_TRUE(CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si, &pi));
  const std::string dead = fileio::TemporaryName(file, 999996);
  const std::string running = fileio::TemporaryName(file, pi.dwProcessId);
  const std::vector<std::string> kept = {running, file + ".~tmpx12", file + ".bak",
                                          fileio::TemporaryName(dir / "other.txt", 999996)};
  for (const std::string& f : kept) WriteTextFile(f, "keep");
  auto stale = [&] { WriteTextFile(dead, "half a save"); };

  stale();
  ASSERT_TRUE(fileio::WriteFileReplacing(file, "saved"));
  EXPECT_FALSE(fileio::FileExists(dead)) << "after a save";
  stale();
  TStringIni ini;
  ini.LoadFromFile(file);
  EXPECT_FALSE(fileio::FileExists(dead)) << "after a load";
  for (const std::string& f : kept) EXPECT_TRUE(fileio::FileExists(f)) << f;
  EXPECT_EQ(ReadTextFile(file), "saved");

  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  fileio::RemoveStaleTemporaries(file);
  EXPECT_FALSE(fileio::FileExists(running)) << "its process has ended";
}

TEST(Append, CreatesThenAppends) {
  TempDir dir;
  const std::string file = dir / "log.txt";
  ASSERT_TRUE(fileio::AppendToFile(file, "a"));
  ASSERT_TRUE(fileio::AppendToFile(file, "b"));
  EXPECT_EQ(ReadTextFile(file), "ab");
}

}  // namespace
