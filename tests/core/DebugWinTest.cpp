#include <windows.h>

#include <gtest/gtest.h>

#include "core/Debug.h"
#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/ProgramPath.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "tests/support/TempDir.h"

namespace {

TEST(DebugFacts, FileTimeTextIsTheLocalLastWriteTime) {
  TempDir dir;
  const std::string file = dir / "時刻.txt";
  WriteTextFile(file, "x");
  SYSTEMTIME st{};
  st.wYear = 2009; st.wMonth = 1; st.wDay = 2; st.wHour = 3; st.wMinute = 4; st.wSecond = 5;
  FILETIME local, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &local));
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
  HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &utc));
  CloseHandle(h);
  EXPECT_EQ(GetFileTimeText(file), "2009.01.02 03:04:05");
  EXPECT_EQ(GetFileTimeText(dir / "ない.txt"), "");
}

// The one test that touches Debug.txt beside the test program.
TEST(DebugSwitchOn, BothStylesWriteDebugTxtInTheProgramFolder) {
  const std::string file = ProgramDir() + "\\Debug.txt";
  ASSERT_EQ(debugsys::LogFileName(), file);
  WriteTextFile(file, "an old log");

  InitDebugLog(TDebugStyle::Launcher, TStringList({"/Debug=1"}));
  EXPECT_FALSE(DebugOut().Enabled());
  EXPECT_EQ(ReadTextFile(file), "an old log");

  InitDebugLog(TDebugStyle::Launcher, TStringList({"a", "b", "/DEBUG"}), "quorvane");
  ASSERT_TRUE(DebugOut().Enabled());
  EXPECT_FALSE(DebugLine().Enabled());
  DebugOut().Write("TTest.Run").WriteLn();
  SplitStringEx("x y", " ", '\0', false);
  std::string text = ReadTextFile(file);
  EXPECT_TRUE(sjis::StartsWith(text, "00001| Starting Debug(@")) << text;
  EXPECT_NE(text.find("00002|   Title     : quorvane\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("ExeName   : " + sjis::ExtractFileName(ProgramFileName()) + "\r\n"), std::string::npos);
  EXPECT_NE(text.find("Version   : 1.5.0.312\r\n"), std::string::npos);
  EXPECT_NE(text.find("00008|   DebugVer. : 1.20.0\r\n"), std::string::npos);
  EXPECT_NE(text.find("00010| TTest.Run\r\n00011| ArrayedParam.text=x\r\n00012| y"), std::string::npos) << text;
  EXPECT_EQ(text.find("an old log"), std::string::npos);
  FinishDebugLog();
  EXPECT_FALSE(DebugOut().Enabled());
  EXPECT_EQ(ReadTextFile(file), text + "\r\n");

  InitDebugLog(TDebugStyle::Editor, TStringList({"/debug"}));
  ASSERT_TRUE(DebugOut().Enabled());
  ASSERT_TRUE(DebugLine().Enabled());
  DebugOut().Write("TForm.Create").WriteLn();
  SplitStringEx("p q", " ", '\0', false);  // the editor's goes to the line log
  text = ReadTextFile(file);
  EXPECT_TRUE(sjis::StartsWith(text, "Starting Debug(@")) << text;
  EXPECT_NE(text.find("   Title     : " + sjis::ChangeFileExt(sjis::ExtractFileName(ProgramFileName()), "")),
            std::string::npos);
  EXPECT_TRUE(sjis::EndsWithIgnoreCase(text, "---\r\nTForm.Create\r\n\r\n")) << text;
  FinishDebugLog();
  // After a normal exit the editor's file holds the line log.
  text = ReadTextFile(file);
  EXPECT_TRUE(sjis::StartsWith(text, "\r\nStart Debug(@")) << text;
  EXPECT_NE(text.find("ExeName        : " + ProgramFileName() + "\r\n"), std::string::npos);
  EXPECT_TRUE(sjis::EndsWithIgnoreCase(text, "-------\r\n\r\nArrayedParam.text=p\r\nq\r\n\r\n")) << text;
  fileio::DeleteFileAt(file);
}

}  // namespace
