#include "launcher/QV_Env_Handler.h"

#include <gtest/gtest.h>

#include "core/Expand_Env_String.h"
#include "core/File_Paths.h"

namespace {

// Puts the process's folder layout in a given main folder for one test.
class QVEnvHandlerTest : public ::testing::Test {
 protected:
  void TearDown() override { FilePathsInstance() = saved_; }
  TFilePaths& Layout(const char* mainDir) {
    FilePathsInstance().SetMainDir(mainDir);
    return FilePathsInstance();
  }

 private:
  TFilePaths saved_ = FilePathsInstance();
};

TEST_F(QVEnvHandlerTest, LauncherFolders) {
  TExpandEnvString e;
  TQVEnvHandler h(e);
  const TFilePaths& f = Layout("C:\\Tools\\Q\\");
  struct Row {
    const char* in;
    std::string out;
  } rows[] = {
      {"%QV.MainDir%\\x", "C:\\Tools\\Q\\x"},
      {"%qv.userdir%", f.UserDir},
      {"%QV.MainDrive%", "C:"},
      {"%QV.IconDir%\\a.ico", f.UserDir + "\\Icons\\a.ico"},
      {"%QV.ItemDir%", f.UserDir + "\\Items"},
      {"%QV.Other%", "%QV.Other%"},
      {"%MainDir%", "%MainDir%"},
  };
  for (const Row& r : rows) EXPECT_EQ(e.Expand(r.in), r.out) << r.in;
  Layout("\\\\server\\share\\移動");  // values are read anew at every expansion
  EXPECT_EQ(e.Expand("%QV.MainDir%|%QV.MainDrive%"), "\\\\server\\share\\移動|\\\\server\\share");
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

TEST_F(QVEnvHandlerTest, ComesThirdOnTheProcessExpander) {
  TQVEnvHandler& h = QVEnvHandler();
  EXPECT_EQ(&QVEnvHandler(), &h);
  EXPECT_EQ(GetExpandEnvString().Handlers().Count(), 3u);
  Layout("E:\\Q");
  EXPECT_EQ(GetExpandEnvString().Expand("%QV.MainDrive%|%ENV.QV_NOT_SET_ANYWHERE%"), "E:|%QV_NOT_SET_ANYWHERE%");
}

}  // namespace
