#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/OSUtils.h"
#include "core/ProgramPath.h"
#include "tests/support/TempDir.h"

namespace {

TEST(OSUtilsShell, CopyFilesCopiesShiftJisNamesAndReportsFailure) {
  TempDir dir;
  const std::string source = dir / "元 表.txt";
  WriteTextFile(source, "ソース");
  EXPECT_TRUE(ShellCopyFiles(nullptr, source, dir / "コピー.txt"));
  EXPECT_EQ(ReadTextFile(dir / "コピー.txt"), "ソース");
  ASSERT_TRUE(fileio::ForceDirectories(dir / "先ソ"));
  EXPECT_TRUE(ShellCopyFiles(nullptr, source, dir / "先ソ"));
  EXPECT_EQ(ReadTextFile(dir / "先ソ\\元 表.txt"), "ソース");
  EXPECT_FALSE(ShellCopyFiles(nullptr, dir / "ない.txt", dir / "x.txt"));
  EXPECT_FALSE(fileio::FileExists(dir / "x.txt"));
}

TEST(OSUtilsUser, LoginNameIsTheSystemsUser) {
  const std::string name = GetLoginUserName();
  EXPECT_FALSE(name.empty());
  EXPECT_NE(name, "All Users");
  if (const char* env = std::getenv("USERNAME")) {
    EXPECT_EQ(name, env);
  }
}

// The test program carries a version resource (VersionFixture.rc).
TEST(OSUtilsVersion, VersionResourceStringsAndFixedVersion) {
  const std::string exe = ProgramFileName();
  EXPECT_EQ(GetVersionInfoString(exe, "FileDescription"), "版表示テスト");
  EXPECT_EQ(GetVersionInfoString(exe, "FileVersion"), "1.5.0.312");
  EXPECT_EQ(GetVersionInfoString(exe, "NoSuchName"), "");
  EXPECT_EQ(GetFileVersionText(exe), "1.5.0.312");
  EXPECT_EQ(FormatVersionString(GetFileVersionText(exe)), "1.5a3");
  TempDir dir;
  WriteTextFile(dir / "plain.txt", "x");
  EXPECT_EQ(GetVersionInfoString(dir / "plain.txt", "FileVersion"), "");
  EXPECT_EQ(GetFileVersionText(dir / "plain.txt"), "");
  EXPECT_EQ(GetFileVersionText(dir / "missing.exe"), "");
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP bm{};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return bm.bmWidth;
}

TEST(OSUtilsIcons, EveryKindOfPathGetsAnIconOfTheAskedSize) {
  TempDir dir;
  WriteTextFile(dir / "文書.txt", "x");
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string cases[] = {
      dir / "文書.txt",  dir / "ない.txt", std::string(windows) + "\\notepad.exe",
      dir.path() + "\\", "C:",            "http://example.com/",
      "www.example.com", "mailto:a@example.com",
  };
  for (const std::string& path : cases) {
    HICON small = GetFileIcon(path, 0, true);
    HICON large = GetFileIcon(path, 0, false);
    ASSERT_NE(small, nullptr) << path;
    ASSERT_NE(large, nullptr) << path;
    EXPECT_EQ(IconWidth(small), GetSystemMetrics(SM_CXSMICON)) << path;
    EXPECT_EQ(IconWidth(large), GetSystemMetrics(SM_CXICON)) << path;
    DestroyIcon(small);
    DestroyIcon(large);
  }
}

TEST(OSUtilsVersion, SystemVersionIsTheRealOne) {
  const TOSVersion v = SystemVersion();
  EXPECT_EQ(v.platformId, static_cast<unsigned>(VER_PLATFORM_WIN32_NT));
  EXPECT_GE(v.major, 6u);
  EXPECT_EQ(GetOSVersionText(), FormatOSVersionText(TOSPlatform::NT, v.major, v.minor, v.build));
  EXPECT_NE(GetOSVersionText().find("[NT])"), std::string::npos);
}

}  // namespace
