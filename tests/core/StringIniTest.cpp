#include "core/StringIni.h"

#include <gtest/gtest.h>

#include "core/AppFlags.h"
#include "core/FileIO.h"
#include "tests/support/TempDir.h"

namespace {

using V = std::vector<std::string>;

TEST(StringIniEscaping, WriteEscapesAndReadUndoes) {
  struct Case { const char* name; std::string value; std::string stored; };
  const Case cases[] = {
      {"blank", "a b", "a\\sb"},
      {"crlf", "x\r\ny", "x\\ny"},
      {"tab", "a\tb", "a\\tb"},
      {"backslash before n", "x\\ny", "x\\\\ny"},
      {"windows path", "C:\\Windows", "C:\\\\Windows"},
      {"lone lf", "a\nb", "a\\nb"},
      {"lone cr", "a\rb", "a\\nb"},
      {"so trail byte", "ソ n", "ソ\\sn"},
  };
  for (const auto& c : cases) {
    TStringIni ini;
    ini.WriteString("K", c.value);
    ASSERT_EQ(ini.Lines.Count(), 1) << c.name;
    EXPECT_EQ(ini.Lines[0], "K=" + c.stored) << c.name;
    std::string expectBack = c.value;
    if (std::string(c.name).rfind("lone", 0) == 0) expectBack = "a\r\nb";
    EXPECT_EQ(ini.ReadString("k", "d"), expectBack) << c.name;
  }
}

TEST(StringIniEscaping, ReadOfHandWrittenValues) {
  struct Case { const char* line; const char* value; };
  const Case cases[] = {
      {"K=C:\\Windows", "C:\\Windows"},  // backslash that starts no escape stays
      {"K=C:\\temp", "C:\temp"},         // \t is taken as an escape
      {"K=a\\Nb\\Sc\\Td", "a\r\nb c\td"},
      {"K=\x14x", "\x14x"},               // without a backslash 0x14 is kept
      {"K=\x14\\x", "\\\\x"},             // with one it reads back as a backslash
  };
  for (const auto& c : cases) {
    TStringIni ini;
    ini.Lines.SetText(c.line);
    EXPECT_EQ(ini.ReadString("K", ""), c.value) << c.line;
  }
}

TEST(StringIniValues, ValueNeverSplitsItsLineOrInjectsAKey) {
  TStringIni ini;
  ini.WriteString("A", "1\nB=evil\r");
  EXPECT_EQ(ini.Lines.Count(), 1);
  EXPECT_FALSE(ini.ValueExists("B"));
  TStringIni back;
  back.Lines.SetText(ini.Lines.GetText());
  EXPECT_EQ(back.Lines.Count(), 1);
  EXPECT_EQ(back.ReadString("A", ""), "1\r\nB=evil\r\n");
}

TEST(StringIniValues, EmptyWriteDeletesAndEmptyReadIsNotDefault) {
  TStringIni ini;
  ini.Lines.SetText("Mode=\r\nX=1\r\n");
  EXPECT_EQ(ini.ReadString("Mode", "def"), "");
  EXPECT_EQ(ini.ReadInteger("Mode", 3), 3);
  ini.WriteString("X", "");
  EXPECT_FALSE(ini.ValueExists("X"));
  EXPECT_EQ(ini.ReadString("X", "def"), "def");
}

TEST(StringIniValues, FirstLineOfANameWins) {
  TStringIni ini;
  ini.Lines.SetText("A=1\r\na=2\r\nnoequals\r\n");
  EXPECT_EQ(ini.ReadString("A", ""), "1");
  ini.WriteInteger("a", 5);
  EXPECT_EQ(ini.Lines.Items(), (V{"a=5", "a=2", "noequals"}));
  EXPECT_TRUE(ini.DeleteKey("A"));
  EXPECT_EQ(ini.ReadString("A", ""), "2");
  EXPECT_FALSE(ini.ValueExists("noequals"));
  EXPECT_EQ(ini.GetName(1), "noequals");
  EXPECT_EQ(ini.GetName(9), "");
  ini.WriteString("New", "v");
  EXPECT_EQ(ini.Lines[ini.Lines.Count() - 1], "New=v");
}

TEST(StringIniValues, TypedReads) {
  struct Case { const char* stored; bool def; bool expect; };
  const Case bools[] = {{"0", true, false}, {"7", false, true}, {"-1", false, true},
                        {"yes", true, true}, {"yes", false, false}, {"true", false, false}};
  for (const auto& c : bools) {
    TStringIni ini;
    ini.Lines.Add(std::string("B=") + c.stored);
    EXPECT_EQ(ini.ReadBool("B", c.def), c.expect) << c.stored;
  }
  TStringIni ini;
  ini.Lines.SetText("I=-12\r\nJ=12x\r\n");
  EXPECT_EQ(ini.ReadInteger("I", 0), -12);
  EXPECT_EQ(ini.ReadInteger("J", 4), 4);
  EXPECT_EQ(ini.ReadInteger("Missing", 9), 9);
}

TEST(StringIniValues, ReadsNothingWhileTerminating) {
  TStringIni ini;
  ini.WriteString("A", "1");
  app::SetTerminated(true);
  EXPECT_EQ(ini.ReadString("A", "d"), "");
  app::SetTerminated(false);
  EXPECT_EQ(ini.ReadString("A", "d"), "1");
}

TEST(StringIniSetText, EscapesWholeTextKeepingLines) {
  TStringIni ini;
  ini.Lines.Add("keep");
  EXPECT_EQ(ini.SetText(""), "");
  EXPECT_EQ(ini.Lines.Items(), V{"keep"});
  EXPECT_EQ(ini.SetText("a=1 2\r\nb=x\\y"), "a=1\\s2\r\nb=x\\\\y");
  EXPECT_EQ(ini.Lines.Items(), (V{"a=1\\s2", "b=x\\\\y"}));
  EXPECT_EQ(ini.IndexOfKey("B"), 1);
  EXPECT_EQ(ini.IndexOfKey("c"), -1);
}

TEST(StringIniFiles, SaveCreatesFoldersAndLoadReplacesLines) {
  TempDir dir;
  const std::string file = dir / ("sub" + Sep() + "deeper" + Sep() + "x.ini");
  TStringIni ini;
  ini.WriteString("名前", "値 です");
  ini.Lines.Add("no equals");
  ini.SaveToFile(file);
  EXPECT_EQ(ReadTextFile(file), "名前=値\\sです\r\nno equals\r\n");

  TStringIni back;
  back.Lines.Add("old");
  back.LoadFromFile(file);
  EXPECT_EQ(back.Lines.Count(), 2);
  EXPECT_EQ(back.ReadString("名前", ""), "値 です");
}

TEST(StringIniFiles, MissingFileKeepsLines) {
  TempDir dir;
  TStringIni ini;
  ini.Lines.Add("A=1");
  ini.LoadFromFile(dir / "none.ini");
  EXPECT_EQ(ini.Lines.Items(), V{"A=1"});
}

TEST(StringIniFiles, SaveToUnwritablePlaceIsSilentAndKeepsOldFile) {
  TempDir dir;
  // A file where the folder should be: the save cannot create it.
  WriteTextFile(dir / "blocker", "x");
  TStringIni ini;
  ini.WriteString("A", "1");
  ini.SaveToFile(dir / ("blocker" + Sep() + "a.ini"));
  EXPECT_FALSE(fileio::FileExists(dir / ("blocker" + Sep() + "a.ini")));
  EXPECT_EQ(ReadTextFile(dir / "blocker"), "x");
}

}  // namespace
