#include "core/Basic_Env_Handler.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include <gtest/gtest.h>

#include "core/Expand_Env_String.h"
#include "core/Sjis.h"

namespace {

void PutClipboard(UINT format, const void* data, size_t size) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  if (data) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(mem), data, size);
    GlobalUnlock(mem);
    SetClipboardData(format, mem);
  }
  CloseClipboard();
}

std::string DropList(const std::vector<std::string>& files) {
  std::string block(sizeof(DROPFILES), '\0');
  DROPFILES df = {};
  df.pFiles = sizeof(DROPFILES);
  std::memcpy(block.data(), &df, sizeof df);
  for (const auto& f : files) { block += f; block += '\0'; }
  block += '\0';
  return block;
}

TEST(BasicEnvHandler, ChainHoldsTheBuiltInResolversOnce) {
  GetBasicEnvHandler();
  EXPECT_EQ(GetExpandEnvString().Handlers().Count(), 2u);
}

TEST(BasicEnvHandler, SpecialFoldersWithoutTrailingBackslash) {
  TExpandEnvString& e = GetExpandEnvString();
  char buf[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, buf, CSIDL_DESKTOPDIRECTORY, FALSE));
  std::string desktop = sjis::ExcludeTrailingPathDelimiter(buf);
  EXPECT_EQ(e.Expand("%DeskTop%\\x"), desktop + "\\x");
  std::string personal = e.Expand("%PERSONAL%");
  EXPECT_FALSE(sjis::EndsWithChar(personal, '\\')) << personal;
  EXPECT_NE(personal, "%PERSONAL%");
}

TEST(BasicEnvHandler, EnvironmentAndSystemFolders) {
  TExpandEnvString& e = GetExpandEnvString();
  SetEnvironmentVariableA("QV_TEST_VAR", "表 value");
  EXPECT_EQ(e.Expand("[%env.QV_TEST_VAR%]"), "[表 value]");
  EXPECT_EQ(e.Expand("%ENV.QV_NO_SUCH_VAR%"), "%QV_NO_SUCH_VAR%");
  std::string longValue(400, 'x');
  SetEnvironmentVariableA("QV_TEST_LONG", longValue.c_str());
  EXPECT_EQ(e.Expand("%ENV.QV_TEST_LONG%"), longValue);
  char sys[MAX_PATH];
  GetSystemDirectoryA(sys, MAX_PATH);
  EXPECT_EQ(e.Expand("%system%"), sys);
  char win[MAX_PATH];
  GetWindowsDirectoryA(win, MAX_PATH);
  EXPECT_EQ(e.Expand("%WINDIR%"), win);
}

TEST(BasicEnvHandler, ClipboardTextFilesOrNothing) {
  TExpandEnvString& e = GetExpandEnvString();
  const char text[] = "クリップ text";
  PutClipboard(CF_TEXT, text, sizeof text);
  EXPECT_EQ(e.Expand("<%Clip%>"), "<クリップ text>");

  std::string drop = DropList({"C:\\a\\表.txt", "C:\\b c"});
  PutClipboard(CF_HDROP, drop.data(), drop.size());
  EXPECT_EQ(e.Expand("%ClipText%"), "C:\\a\\表.txt\r\nC:\\b c");

  PutClipboard(CF_TEXT, nullptr, 0);
  EXPECT_EQ(e.Expand("<%clip%>"), "<>");
}

}  // namespace
