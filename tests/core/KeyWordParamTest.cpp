// Keyword resolution (keyword heads, the program path, "!" literals) and the
// substitution of run-time parameters into the run data and the command line.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/KeyWordX.h"
#include "tests/core/RunSeams.h"

namespace {

using V = std::vector<std::string>;

std::string SearchPathOf(const char* name) {
  char buf[MAX_PATH];
  DWORD n = SearchPathA(nullptr, name, ".exe", MAX_PATH, buf, nullptr);
  return n ? std::string(buf, n) : std::string();
}

// ---------------------------------------------------------------------------
// Resolution

class Resolve : public RunFixture {};

TEST_F(Resolve, TokensTable) {
  std::string tools = Folder("Tools");
  std::string exe = File("a\\b.exe");
  std::string first = Folder("First");
  Item("qvtools", {{"Command", tools + "\\"}});
  Item("qvfile", {{"Command", exe}});
  Item("qvgrp", {{"RunMode", "1"}}, "", kTypeGroup);
  Item("one", {{"Command", first}}, "qvgrp");
  Item("qvall", {}, "", kTypeGroup);
  Item("one", {{"Command", first}}, "qvall");
  Item("qvempty", {}, "", kTypeGroup);
  SetEnvironmentVariableA("QV_RESOLVE", "C:\\env");

  struct Row {
    const char* name;
    std::string token;
    std::string want;
  } rows[] = {
      {"keyword folder as head", "qvtools\\bin\\x.exe", tools + "\\bin\\x.exe"},
      {"keyword file as head gives its folder", "qvfile\\c.txt", td / "a\\c.txt"},
      {"group standing for its first item", "qvgrp\\x", first + "\\x"},
      {"group running all is no folder", "qvall\\x", "qvall\\x"},
      {"empty group resolves nothing", "qvempty\\x", "qvempty\\x"},
      {"program on the search path", "notepad", SearchPathOf("notepad")},
      {"program head gives its folder", "notepad\\x", sjis::ExcludeTrailingPathDelimiter(
                                                          sjis::ExtractFilePath(SearchPathOf("notepad"))) + "\\x"},
      {"literal", "!notepad", "notepad"},
      {"literal is not expanded", "!%ENV.QV_RESOLVE%", "%ENV.QV_RESOLVE%"},
      {"drive head is no keyword", "C:\\qvtools", "C:\\qvtools"},
      {"names expanded", "%ENV.QV_RESOLVE%\\y", "C:\\env\\y"},
      {"unknown stays", "qv_no_such_thing", "qv_no_such_thing"},
      {"keyword name alone", "qvfile", exe},
  };
  for (const Row& r : rows) EXPECT_EQ(ResolveKeyWordPath(r.token, m), r.want) << r.name;
  EXPECT_TRUE(m.GuardList.Empty());
}

// A store error while a command resolves leaves the guard list as it was, so
// that the item still resolves once the store reads again.
TEST_F(Resolve, GuardListRestoredWhenResolutionFails) {
  std::string first = Folder("First");
  Item("grp", {{"RunMode", "1"}}, "", kTypeGroup);
  Item("one", {{"Command", first}}, "grp");
  Item("x", {{"Command", "grp\\sub"}});
  m.Save();
  TKeyWordManager fresh(items, td / "Main");
  auto view = fresh.FindKeyWord("x");
  ASSERT_TRUE(view);
  HANDLE h = CreateFileA((items + "\\%grp.vane").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_THROW(view->GetCommand(), EKeyWordStoreError);
  CloseHandle(h);
  EXPECT_TRUE(fresh.GuardList.Empty());
  EXPECT_EQ(view->GetCommand(), first + "\\sub");
}

// ---------------------------------------------------------------------------
// Placeholders

class Params : public RunFixture {
 protected:
  // Runs ProcessParam over a run data holding FParam=fparam (and After=1),
  // with the typed parameters; returns the command line.
  std::string Process(const V& typed, const std::string& fparam, std::string line, const std::string& param = "") {
    auto kw = Item("k", {{"Param", param}});
    kw->ArrayedParam = std::make_unique<TStringList>(typed);
    kw->TypedParams = std::make_unique<TStringList>(typed);
    run = TStringIni();
    run.WriteString("FParam", fparam);
    run.WriteString("After", "1");
    kw->ProcessParam(run, line, "");
    return line;
  }
  std::string FParam() const { return run.ReadString("FParam", ""); }
  TStringIni run;
};

TEST_F(Params, SubstitutionTable) {
  clipboard.text = "CB";
  struct Row {
    const char* name;
    V typed;
    std::string text;  // both the FParam value and the command line
    std::string wantLine;
    std::string wantData;
    std::string param = "";
  } rows[] = {
      {"one parameter", {"a"}, "[%1][%2][%*-1]", "[a][][]", "[a][][]"},
      {"blank inside a parameter", {"a", "b c"}, "%*|%2", "a b c|b c", "a b c|b c"},
      {"after the n-th", {"a", "b c", "d"}, "%*-1", "b c\r\nd\r\n", "b c\r\nd\r\n"},
      {"after the last", {"a", "b"}, "%*-2", "", ""},
      {"percent", {"a"}, "%%1 100%% %", "%1 100% %", "%1 100% %"},
      {"clipboard in any case", {}, "%CLIP%+%clip%", "CB+CB", "CB+CB"},
      {"zero removed", {"a"}, "x%0y", "xy", "xy"},
      {"ten is one and a digit", {"a"}, "%10", "a0", "a0"},
      {"empty parameters skipped", {"", "a"}, "%1", "a", "a"},
      {"double-byte before percent", {"表"}, "ソ%1表", "ソ表表", "ソ表表"},
      {"lone lead byte at the end", {"a"}, "%1\x82", "a\x82", "a\x82"},
      {"typed were the stored ones", {"p", "q"}, "%1", "", "", "p q"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Process(r.typed, r.text, r.text, r.param), r.wantLine) << r.name;
    EXPECT_EQ(FParam(), r.wantData) << r.name;
    EXPECT_EQ(run.ReadString("After", ""), "1") << r.name;
  }
  EXPECT_EQ(clipboard.reads, 1);  // once for the row that asked for it
}

TEST_F(Params, DataTextHoldsValuesEscaped) {
  Process({"a", "b c"}, "%2", "");
  EXPECT_EQ(run.Lines[0], "FParam=b\\sc");
}

// What a value brings in is never substituted again.
TEST_F(Params, ParametersAreSubstitutedOnce) {
  clipboard.text = "CB";
  struct Row {
    const char* name;
    V typed;
    std::string text;
    std::string want;
  } rows[] = {
      {"parameter holding a placeholder", {"%2", "x"}, "%1-%2", "%2-x"},
      {"escaped address", {"a%20b"}, "q=%1", "q=a%20b"},
      {"parameter holding all", {"%*"}, "%1", "%*"},
      {"parameter holding zero", {"%0"}, "%1", "%0"},
      {"parameter holding clip", {"%clip%"}, "%1", "%clip%"},
      {"parameter holding percents", {"%%"}, "%1", "%%"},
      {"clipboard holding a placeholder", {"a"}, "%clip%", "CB"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Process(r.typed, r.text, r.text), r.want) << r.name;
    EXPECT_EQ(FParam(), r.want) << r.name;
  }
  clipboard.text = "%1";
  EXPECT_EQ(Process({"a"}, "%clip%", "%clip%"), "%1");
  EXPECT_EQ(FParam(), "%1");
}

// A clipboard text with TABs and line breaks stays inside its value.
TEST_F(Params, ClipboardEscapedInTheRunData) {
  clipboard.text = "a\tb\r\nInjected=1\nc d";
  EXPECT_EQ(Process({}, "[%clip%]", "[%clip%]"), "[a\tb\r\nInjected=1\nc d]");
  EXPECT_EQ(run.Lines.Count(), 2);
  EXPECT_FALSE(run.ValueExists("Injected"));
  EXPECT_EQ(FParam(), "[a\tb\r\nInjected=1\r\nc d]");
  EXPECT_EQ(run.ReadString("After", ""), "1");
}

// The entries after the n-th stay on the value's line of the run data.
TEST_F(Params, LineBreaksOfTheRestEscapedInTheRunData) {
  Process({"a", "b", "c"}, "%*-1", "");
  EXPECT_EQ(run.Lines.Count(), 2);
  EXPECT_EQ(run.Lines[0], "FParam=b\\nc\\n");
  EXPECT_EQ(FParam(), "b\r\nc\r\n");
}

TEST_F(Params, ExistsInsertParam) {
  auto kw = Item("k", {});
  for (const char* yes : {"%CLIP%", "x%0", "%*", "a%9b", "%1"}) EXPECT_TRUE(kw->ExistsInsertParam(yes)) << yes;
  for (const char* no : {"", "100%", "%a", "%%", "%clip"}) EXPECT_FALSE(kw->ExistsInsertParam(no)) << no;
}

TEST_F(Params, GroupMarkersBecomeTheGroupsCommandsLastFirst) {
  Item("G", {}, "", kTypeGroup);
  for (const char* n : {"C", "B", "A"}) Item(n, {{"Command", std::string("C:\\") + n + ".exe"}}, "G");
  Item("H", {}, "", kTypeGroup);
  Item("inner", {{"Command", "C:\\inner.exe"}}, "H");
  Item("toH", {{"Command", "H"}}, "G");  // a command that names a group is its marker
  auto kw = Item("k", {});
  kw->ArrayedParam = std::make_unique<TStringList>(V{"x", "\x08G", "\x08nothing", "y"});
  kw->TypedParams = std::make_unique<TStringList>();
  TStringIni d;
  std::string line;
  kw->ProcessParam(d, line, "");
  EXPECT_EQ(kw->ArrayedParam->Items(), (V{"x", "C:\\C.exe", "C:\\B.exe", "C:\\A.exe", "C:\\inner.exe", "\x08nothing", "y"}));
}

// A group whose item leads back to it is expanded once, and the same group
// given twice is expanded twice.
TEST_F(Params, GroupMarkerCycleEnds) {
  Item("G", {}, "", kTypeGroup);
  Item("back", {{"Command", "G"}}, "G");
  Item("a", {{"Command", "C:\\a.exe"}}, "G");
  auto kw = Item("k", {});
  kw->ArrayedParam = std::make_unique<TStringList>(V{"\x08G", "\x08g"});
  kw->TypedParams = std::make_unique<TStringList>();
  TStringIni d;
  std::string line;
  kw->ProcessParam(d, line, "");
  EXPECT_EQ(kw->ArrayedParam->Items(), (V{"C:\\a.exe", "C:\\a.exe"}));
}

TEST_F(Params, ParserSplitsTheStoredParameters) {
  TSplitParser parser;
  auto kw = Item("k", {{"Param", "-n %1"}});
  kw->Parser = &parser;
  kw->ArrayedParam = std::make_unique<TStringList>(V{"foo bar"});
  kw->TypedParams = std::make_unique<TStringList>(V{"foo bar"});
  TStringIni d;
  d.WriteString("FParam", kw->GetParam());
  std::string line = "tool";
  kw->ProcessParam(d, line, "");
  ASSERT_EQ(parser.calls.size(), 1u);
  EXPECT_EQ(parser.calls[0].text, "-n %1");
  EXPECT_TRUE(parser.calls[0].paramMode);
  EXPECT_EQ(kw->ArrayedParam->Items(), (V{"-n", "foo bar"}));
  EXPECT_EQ(d.ReadString("FParam", ""), "-n\tfoo bar");
}

TEST_F(Params, ExtraTextParsedWhenTheStoredOnesHoldNoPlaceholder) {
  TSplitParser parser;
  auto kw = Item("k", {});
  kw->Parser = &parser;
  kw->ArrayedParam = std::make_unique<TStringList>(V{"typed"});
  kw->TypedParams = std::make_unique<TStringList>(V{"typed"});
  TStringIni d;
  d.WriteString("FParam", "plain");
  std::string line;
  kw->ProcessParam(d, line, "x \"y z\"");
  ASSERT_EQ(parser.calls.size(), 1u);
  EXPECT_EQ(parser.calls[0].text, "x \"y z\"");
  EXPECT_EQ(kw->ArrayedParam->Items(), (V{"x", "y z", "typed"}));
}

TEST_F(Params, NothingWithoutTypedParameters) {
  auto kw = Item("k", {});
  TStringIni d;
  d.WriteString("FParam", "%1");
  std::string line = "%1";
  kw->ProcessParam(d, line, "");
  EXPECT_EQ(line, "%1");
  EXPECT_EQ(d.ReadString("FParam", ""), "%1");
}

}  // namespace
