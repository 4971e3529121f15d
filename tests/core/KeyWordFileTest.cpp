#include "core/KeyWordFile.h"

#include <gtest/gtest.h>

namespace {

using V = std::vector<std::string>;

TEST(KeyWordFileNames, GroupPathMapsToFileAndBack) {
  struct Case { const char* path; const char* file; };
  const Case cases[] = {
      {"", "%.vane"},
      {"Tools", "%Tools.vane"},
      {"a/b", "%a%b.vane"},
      {"ソフト/表", "%ソフト%表.vane"},  // trail bytes 0x5C stay inside their characters
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kwfile::GroupFileName("C:\\u\\Items\\", c.path), std::string("C:\\u\\Items\\") + c.file) << c.path;
    if (*c.path) {
      EXPECT_EQ(kwfile::GroupPathFromFileName(c.file), c.path) << c.file;
    }
  }
  for (const char* notGroup : {"%.vane", "%a%.vane", "a.vane", "%a.txt", "IDList.txt"})
    EXPECT_EQ(kwfile::GroupPathFromFileName(notGroup), "") << notGroup;
}

TEST(KeyWordFileLines, SplitItemLine) {
  struct Case { const char* name; std::string line; V fields; };
  const Case cases[] = {
      {"plain", "ftp\tType=0\tCommand=<3>\\\\ftp.exe\tUseKeyword=3", {"ftp", "Type=0", "Command=<3>\\\\ftp.exe", "UseKeyword=3"}},
      {"blanks and controls separate", "  \t n \t\x01\x1f a=1 \r", {"n", "a=1"}},
      {"runs of TABs give no empty field", "n\t\t\tT=0", {"n", "T=0"}},
      {"empty field only quoted", "n\t\"\"\tT=0", {"n", "", "T=0"}},
      {"doubled quote", "n\t\"C=say \"\"hi\"\"\"", {"n", "C=say \"hi\""}},
      {"quoted TAB and blank", "\"a b\"\t\"x\ty\"", {"a b", "x\ty"}},
      {"unterminated quote runs to the end", "n\t\"abc def", {"n", "abc def"}},
      {"text right after a closing quote", "\"ab\"cd", {"ab", "cd"}},
      {"double-byte text", "ソフト\tCommand=表\\\\x", {"ソフト", "Command=表\\\\x"}},
      {"lone lead byte keeps its TAB", "n\tK=ab\x81\tT=0", {"n", "K=ab\x81", "T=0"}},
      {"lone lead byte before a closing quote", "\"a b\x81\"\tT=0", {"a b\x81", "T=0"}},
      {"NUL ends the line", std::string("n\tT=0\0\tX=1", 11), {"n", "T=0"}},
      {"NUL inside a quote", std::string("n\t\"a\0b\"\tX=1", 11), {"n", "a"}},
      {"NUL first", std::string("\0n\tT=0", 6), {}},
      {"only separators", " \t\x02", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(kwfile::SplitItemLine(c.line), c.fields) << c.name;
}

TEST(KeyWordFileLines, QuoteItemField) {
  struct Case { std::string field; std::string written; };
  const Case cases[] = {
      {"Type=0", "Type=0"},
      {"Command=C:\\\\a", "Command=C:\\\\a"},
      {"", "\"\""},
      {"a b", "\"a b\""},
      {"a\tb", "\"a\tb\""},
      {"x\x01", "\"x\x01\""},
      {"C=say \"hi\"", "\"C=say \"\"hi\"\"\""},
      {"ソ表", "ソ表"},
      {"!", "!"},  // code 33 is the first that needs no quotes
  };
  for (const auto& c : cases) EXPECT_EQ(kwfile::QuoteItemField(c.field), c.written) << c.field;
}

TEST(KeyWordFileLines, EveryFieldReadsBackAsWritten) {
  const V fields = {"name", "", "a b", "\"", "\"\"", "x\ty", "say \"hi\" now", "\x7f\x01\x1f", "ソ\\表", "ab\x81",
                    "\x81", "\"\x81", " lead", "trail "};
  for (const std::string& f : fields) {
    TStringList data({f, "Type=0"});
    std::string line = kwfile::BuildItemLine(f, data);
    EXPECT_EQ(kwfile::SplitItemLine(line), (V{f, f, "Type=0"})) << line;
  }
}

TEST(KeyWordFileGroups, ParseAnyLineBreakAndDropNameOnlyLines) {
  TKeyWordGroupList list;
  kwfile::ParseGroupText("a\tType=0\r\nonly\r\nb\tType=5\rc\tK=1\tL=2\n\r\n\"\"\tType=3", list);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Items[0].Name, "a");
  EXPECT_EQ(list.Items[1].Name, "b");
  EXPECT_EQ(list.Items[2].Data->Lines.Items(), (V{"K=1", "L=2"}));
  EXPECT_EQ(list.Items[3].Name, "");
  EXPECT_EQ(list.IndexOf("ONLY"), -1);
  EXPECT_EQ(list.IndexOf("B"), 1);
}

TEST(KeyWordFileGroups, BuildWritesEveryItemWithDataInOrder) {
  TKeyWordGroupList list;
  list.Insert(0, "x", std::make_unique<TStringIni>());
  list.Insert(0, "nodata", nullptr);
  auto d = std::make_unique<TStringIni>();
  d->WriteString("Comment", "say \"hi\"");
  d->WriteInteger("Type", 0);
  list.Insert(0, "top", std::move(d));
  EXPECT_EQ(kwfile::BuildGroupText(list), "top\t\"Comment=say\\s\"\"hi\"\"\"\tType=0\r\nx\t\r\n");

  TKeyWordGroupList back;
  kwfile::ParseGroupText(kwfile::BuildGroupText(list), back);
  ASSERT_EQ(back.Count(), 1);  // a line with only the name is dropped on reading
  EXPECT_EQ(back.Items[0].Data->ReadString("Comment", ""), "say \"hi\"");
}

TEST(KeyWordFileGroups, MoveAndExtractKeepDataInPlace) {
  TKeyWordGroupList list;
  TStringIni* a = list.Insert(9, "a", std::make_unique<TStringIni>());  // clamped to the end
  list.Insert(1, "b", std::make_unique<TStringIni>());
  list.Insert(2, "c", std::make_unique<TStringIni>());
  list.Move(0, 5);
  EXPECT_EQ(list.Items[2].Name, "a");
  EXPECT_EQ(list.Items[2].Data.get(), a);
  std::unique_ptr<TStringIni> taken = list.Extract(2);
  EXPECT_EQ(taken.get(), a);
  EXPECT_EQ(list.Count(), 2);
}

TEST(KeyWordFileIdList, Parse) {
  struct Case { const char* name; const char* text; int lastId; V entries; };
  const Case cases[] = {
      {"empty file", "", -1, {}},
      {"count and entries", "5\r\n3=Tools/Net\r\n4=a b\r\n", 5, {"3=Tools/Net", "4=a b"}},
      {"lone LF and CR", "1\n0=a\r1=b", 1, {"0=a", "1=b"}},
      {"count below an entry is raised", "2\r\n7=x\r\n", 7, {"7=x"}},
      {"first line no integer is kept", "0=a\r\n1=b", 1, {"0=a", "1=b"}},
      {"garbage first line", "abc\r\n", -1, {"abc"}},
      {"negative count", "-9\r\n", -1, {}},
      {"empty lines dropped", "3\r\n\r\n2=x\r\n", 3, {"2=x"}},
  };
  for (const auto& c : cases) {
    int lastId = 99;
    TStringList entries({"stale"});
    kwfile::ParseIdListText(c.text, lastId, entries);
    EXPECT_EQ(lastId, c.lastId) << c.name;
    EXPECT_EQ(entries.Items(), c.entries) << c.name;
  }
  EXPECT_EQ(kwfile::BuildIdListText(0, TStringList({"0=a"})), "0\r\n0=a\r\n");
  EXPECT_EQ(kwfile::BuildIdListText(-1, TStringList()), "-1\r\n");
}

TEST(KeyWordFileSplit, SplitKeepEmpty) {
  struct Case { const char* text; char delimiter; V parts; };
  const Case cases[] = {
      {"a b", ' ', {"a", "b"}},
      {"a  b", ' ', {"a", "", "b"}},
      {"", ' ', {""}},
      {"a ", ' ', {"a", ""}},
      {"\"a b\"", ' ', {"\"a", "b\""}},  // no quote grouping
      {"表\\x", '\\', {"表", "x"}},      // the trail byte of 表 is no delimiter
  };
  for (const auto& c : cases) EXPECT_EQ(kwfile::SplitKeepEmpty(c.text, c.delimiter), c.parts) << c.text;
}

}  // namespace
