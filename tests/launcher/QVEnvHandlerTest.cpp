#include "launcher/QV_Env_Handler.h"

#include <gtest/gtest.h>

#include "core/Basic_Env_Handler.h"
#include "core/Expand_Env_String.h"

namespace {

TQVFolders Layout(const std::string& main) {
  return TQVFolders{main, main + "\\Users\\ユーザ", main + "\\Users\\ユーザ\\Icons", main + "\\Users\\ユーザ\\Items"};
}

TEST(QVEnvHandler, LauncherFolders) {
  TExpandEnvString e;
  std::string main = "C:\\Tools\\Q";
  int asked = 0;
  TQVEnvHandler h(e, [&] {
    ++asked;
    return Layout(main);
  });
  struct Row {
    const char* in;
    std::string out;
  } rows[] = {
      {"%QV.MainDir%\\x", "C:\\Tools\\Q\\x"},
      {"%qv.userdir%", "C:\\Tools\\Q\\Users\\ユーザ"},
      {"%QV.MainDrive%", "C:"},
      {"%QV.IconDir%\\a.ico", "C:\\Tools\\Q\\Users\\ユーザ\\Icons\\a.ico"},
      {"%QV.ItemDir%", "C:\\Tools\\Q\\Users\\ユーザ\\Items"},
      {"%QV.Other%", "%QV.Other%"},
      {"%MainDir%", "%MainDir%"},
  };
  for (const Row& r : rows) EXPECT_EQ(e.Expand(r.in), r.out) << r.in;
  main = "D:\\Moved";  // values are computed anew at every expansion
  EXPECT_EQ(e.Expand("%QV.MainDir%"), "D:\\Moved");
  EXPECT_EQ(asked, 6);
}

TEST(QVEnvHandler, DriveOfAPath) {
  struct Row {
    const char* path;
    const char* drive;
  } rows[] = {
      {"C:\\Tools\\Q", "C:"}, {"\\\\server\\share\\q", "\\\\server\\share"}, {"\\\\server\\share", "\\\\server\\share"},
      {"\\\\server", "\\\\server"}, {"Tools\\Q", ""}, {"", ""}, {"\\\\表\\ソ\\x", "\\\\表\\ソ"},
  };
  for (const Row& r : rows) EXPECT_EQ(ExtractFileDrive(r.path), r.drive) << r.path;
}

TEST(QVEnvHandler, ComesThirdOnTheProcessExpander) {
  TQVEnvHandler& h = QVEnvHandler([] { return Layout("E:\\Q"); });
  EXPECT_EQ(&QVEnvHandler(nullptr), &h);
  EXPECT_EQ(GetExpandEnvString().Handlers().Count(), 3u);
  EXPECT_EQ(GetExpandEnvString().Expand("%QV.MainDrive%|%ENV.QV_NOT_SET_ANYWHERE%"), "E:|%QV_NOT_SET_ANYWHERE%");
}

}  // namespace
