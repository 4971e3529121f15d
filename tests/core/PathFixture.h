// Shared by the path tests: a small tree in a temp folder, and the critical-error
// mode set to fail silently for the test's duration (as every caller of the
// listings and typed-path tests runs them), restored afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/AppEvents.h"
#include "core/FileIO.h"
#include "tests/support/TempDir.h"

class PathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldMode_ = SetErrorMode(SEM_FAILCRITICALERRORS);
    app::RaiseDeactivated();  // no answer cached by an earlier test
    root = dir.path();
    ASSERT_TRUE(fileio::ForceDirectories(root + "\\sub"));
    ASSERT_TRUE(fileio::ForceDirectories(root + "\\表"));  // trail byte 0x5C
    WriteTextFile(root + "\\file.txt", "f");
    WriteTextFile(root + "\\notes.ini", "n");
    WriteTextFile(root + "\\ソ.txt", "s");  // trail byte 0x5C
    WriteTextFile(root + "\\sub\\inner.txt", "i");
    char cur[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cur);
    oldDir_ = cur;
  }
  void TearDown() override {
    SetCurrentDirectoryA(oldDir_.c_str());
    app::RaiseDeactivated();
    SetErrorMode(oldMode_);
  }

  TempDir dir;
  std::string root;

 private:
  UINT oldMode_ = 0;
  std::string oldDir_;
};
