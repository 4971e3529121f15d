#include "core/Params.h"

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace {

using V = std::vector<std::string>;

TEST(ParamsCommandLine, BlanksSeparateQuotesGroupAndAreRemoved) {
  struct Case { const char* line; V args; };
  const Case cases[] = {
      {"prog.exe", {"prog.exe"}},
      {"\"C:\\Program Files\\q.exe\" /a  b", {"C:\\Program Files\\q.exe", "/a", "b"}},
      {"p \"C:\\x\\\" next", {"p", "C:\\x\\", "next"}},
      {"p a\"b c\"d", {"p", "ab cd"}},
      {"p \"\"", {"p", ""}},
      {"p \"line1\r\nline2\"", {"p", "line1\r\nline2"}},
      {"p \"unterminated arg", {"p", "unterminated arg"}},
      {"p\tソ\\表 ", {"p", "ソ\\表"}},
      {"  ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
}

TEST(ParamsList, ParamFileAndLineRules) {
  TempDir dir;
  const std::string file = dir / "param 表.txt";
  WriteTextFile(file, "Action=New\r\nKeyWord=x\ny\r");
  const std::string missing = dir / "missing.txt";
  struct Case { const char* name; V args; V list; };
  const Case cases[] = {
      {"two arguments, file present", {"/paramfile", file}, {"Action=New", "KeyWord=x", "y"}},
      {"two arguments, file missing", {"/ParamFile", missing}, {"/ParamFile", missing}},
      {"two arguments, a folder", {"/ParamFile", dir.path()}, {"/ParamFile", dir.path()}},
      {"one argument, file present", {"/PARAMFILE=" + file}, {"Action=New", "KeyWord=x", "y"}},
      {"one argument, file missing", {"/ParamFile=" + missing}, {"/ParamFile=" + missing}},
      {"one argument of three lines", {"a\r\nb\nc"}, {"a", "b", "c"}},
      {"one plain argument", {"/Debug"}, {"/Debug"}},
      {"none", {}, {}},
      {"three arguments", {"/ParamFile", file, "x"}, {"/ParamFile", file, "x"}},
      {"two others with breaks", {"a\r\nb", "c"}, {"a\r\nb", "c"}},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildParamList(c.args).Items(), c.list) << c.name;
}

TEST(ParamsList, GlobalListIsTheProgramArguments) {
  EXPECT_EQ(ParamList().Items(), BuildParamList(ProgramArgs()).Items());
}

TEST(ParamsHandOver, TextJoinsLinesCutsTrailingBlanksAndEndsWithNul) {
  const struct {
    std::vector<std::string> lines;
    std::string text;
  } cases[] = {
      {{}, std::string("\0", 1)},
      {{"a"}, std::string("a\0", 2)},
      {{"/x", "y  "}, std::string("/x\r\ny\0", 6)},
      {{"a", "", " "}, std::string("a\0", 2)},
      {{" lead", "表 "}, std::string(" lead\r\n表\0", 10)},  // 表 ends in the byte of '\'
  };
  for (const auto& c : cases) EXPECT_EQ(BuildHandOverText(TStringList(c.lines)), c.text);
}

}  // namespace
