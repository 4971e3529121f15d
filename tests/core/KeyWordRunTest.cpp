// Running keywords: the start data handed to the shell, the run options of
// RunCommand.ini, the failure reports with their texts, waiting, groups,
// system commands, wildcards and temporary items. The shell, the message boxes,
// the clipboard and the message pump are stand-ins, except in the last tests,
// which start real processes.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/AppEvents.h"
#include "core/KeyWordX.h"
#include "tests/core/RunSeams.h"

namespace {

using V = std::vector<std::string>;

const std::string kFailed = "起動失敗 - ";
const std::string kRunCaption = "キーワードの実行";
const std::string kMissing = "ファイルが存在しません";
const std::string kNoAssociation = "ファイルがアプリケーションに関連付けられていません";

class Exec : public RunFixture {
 protected:
  // Executes a command line directly with a run data of the given values.
  void ExecuteLine(const std::string& line, const Values& values = {}, const V& params = {}) {
    auto kw = Item("k", {});
    kw->ArrayedParam = std::make_unique<TStringList>(params);
    TStringIni d;
    for (const auto& [key, value] : values) d.WriteString(key, value);
    kw->Execute(line, &d);
  }
  const TStartRecord& OnlyStart() {
    EXPECT_EQ(shell.starts.size(), 1u);
    if (shell.starts.empty()) shell.starts.emplace_back();
    return shell.starts[0];
  }
};

// ---------------------------------------------------------------------------
// Start data

TEST_F(Exec, StartRecord) {
  std::string tool = File("tool.exe");
  std::string dir = Folder("work");
  void* window = reinterpret_cast<void*>(0x1234);
  app::SetApplicationWindow(window);
  auto kw = Item("t", {{"Command", tool}, {"Dir", dir}, {"Param", "%1 -x"}});
  Run(*kw, {"a"});
  app::SetApplicationWindow(nullptr);
  const TStartRecord& s = OnlyStart();
  EXPECT_EQ(s.cbSize, sizeof(SHELLEXECUTEINFOA));
#ifdef _WIN64
  EXPECT_EQ(s.cbSize, 112u);
#endif
  EXPECT_EQ(s.fMask, 0x440u);
  EXPECT_EQ(s.hwnd, static_cast<HWND>(window));
  EXPECT_FALSE(s.verbSet);
  EXPECT_EQ(s.file, tool);
  EXPECT_EQ(s.params, "a -x");
  EXPECT_EQ(s.dir, dir);
  EXPECT_EQ(s.nShow, 10);
  EXPECT_TRUE(boxes.shown.empty());
  // The run worked on its own copy of the item data.
  EXPECT_EQ(kw->Data()->ReadString("Param", ""), "%1 -x");
  EXPECT_FALSE(kw->Data()->ValueExists("FParam"));
}

TEST_F(Exec, ShowStatesAndFolders) {
  std::string tool = File("tool.exe");
  std::string dir = Folder("work");
  struct Row {
    const char* name;
    Values values;
    int show;
    std::string file;
    bool dirSet;
  } rows[] = {
      {"default", {}, 10, tool, false},
      {"maximized", {{"ShowState", "1"}}, 3, tool, false},
      {"minimized", {{"ShowState", "2"}}, 6, tool, false},
      {"other passes", {{"ShowState", "7"}}, 7, tool, false},
  };
  for (const Row& r : rows) {
    shell.starts.clear();
    Values values = r.values;
    values.push_back({"Command", tool});
    auto kw = Item("t", values);
    Run(*kw);
    EXPECT_EQ(OnlyStart().nShow, r.show) << r.name;
    EXPECT_EQ(OnlyStart().file, r.file) << r.name;
    EXPECT_EQ(OnlyStart().dirSet, r.dirSet) << r.name;
  }
  shell.starts.clear();
  auto folder = Item("f", {{"Command", dir}});
  Run(*folder);
  EXPECT_EQ(OnlyStart().file, dir + "\\");  // a folder is opened with its backslash
}

TEST_F(Exec, ParameterText) {
  std::string docs = Folder("My Docs");
  std::string sub = Folder("sub");
  struct Row {
    const char* name;
    V params;
    Values values;
    std::string want;
  } rows[] = {
      {"existing path with blank quoted", {docs, "x"}, {}, "\"" + docs + "\" x"},
      {"quoting off", {docs, "x"}, {{"QuoteParam", "0"}}, docs + " x"},
      {"missing path with blank as it is", {td / "no such", "y"}, {}, td / "no such" + " y"},
      {"folder loses its backslash", {sub + "\\"}, {}, sub},
      {"drive root keeps it", {"C:\\"}, {}, "C:\\"},
      {"last empty entry dropped", {"a", ""}, {}, "a"},
      {"one empty entry only", {"a", "", ""}, {}, "a "},
  };
  std::string tool = File("tool.exe");
  for (const Row& r : rows) {
    shell.starts.clear();
    Values values = r.values;
    values.push_back({"Command", tool});
    auto kw = Item("t", values);
    Run(*kw, r.params);
    EXPECT_EQ(OnlyStart().params, r.want) << r.name;
  }
}

TEST_F(Exec, LongParameterTextUsesShortForms) {
  std::string folder = Folder("a rather long folder name");
  char shortForm[MAX_PATH];
  ASSERT_GT(GetShortPathNameA(folder.c_str(), shortForm, MAX_PATH), 0u);
  V params{folder};
  for (int i = 0; i < 30; ++i) params.push_back(std::string(40, static_cast<char>('a' + i % 26)));
  auto kw = Item("t", {{"Command", File("tool.exe")}});
  Run(*kw, params);
  std::string want = shortForm;
  for (size_t i = 1; i < params.size(); ++i) want += " " + params[i];
  EXPECT_EQ(OnlyStart().params, want);

  shell.starts.clear();
  params.resize(2);
  Run(*kw, params);
  EXPECT_EQ(OnlyStart().params, "\"" + folder + "\" " + params[1]);
}

// ---------------------------------------------------------------------------
// Several commands at once

TEST_F(Exec, ManyLinesAskFirst) {
  auto lines = [](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "C:\\f" + std::to_string(i) + ".txt\r\n";
    return s;
  };
  boxes.answers = {IDNO};
  ExecuteLine(lines(10));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "一度に10のファイルを開きます実行しますか?");
  EXPECT_EQ(boxes.shown[0].caption, "ワイルドカード実行の確認");
  EXPECT_EQ(boxes.shown[0].type, static_cast<unsigned>(MB_YESNO));
  EXPECT_TRUE(shell.starts.empty());

  boxes.shown.clear();
  boxes.answers = {IDYES};
  ExecuteLine(lines(10));
  EXPECT_EQ(boxes.shown.size(), 1u);
  ASSERT_EQ(shell.starts.size(), 10u);
  EXPECT_EQ(shell.starts[9].file, "C:\\f9.txt");

  boxes.shown.clear();
  shell.starts.clear();
  ExecuteLine(lines(9));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(shell.starts.size(), 9u);

  Options("MaxWildCardRunCount=3\r\n");
  shell.starts.clear();
  boxes.answers = {IDCANCEL};
  ExecuteLine(lines(3));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "一度に3のファイルを開きます実行しますか?");
  EXPECT_TRUE(shell.starts.empty());
}

TEST_F(Exec, WildcardItemRunsEachMatch) {
  File("w\\a.txt");
  File("w\\b.txt");
  File("w\\c.ini");
  Folder("w\\d.txt");
  auto temp = m.CreateTemp("w", td / "w\\*.txt");
  temp->RunFile = RunIni();
  temp->ArrayedParam = std::make_unique<TStringList>();
  temp->RunCommand();
  EXPECT_EQ(shell.Files(), (V{td / "w\\d.txt\\", td / "w\\a.txt", td / "w\\b.txt"}));

  shell.starts.clear();
  temp->Data()->WriteBool("ExpandWildCard", false);
  temp->RunCommand();
  EXPECT_EQ(shell.Files(), V{td / "w\\*.txt"});
}

TEST_F(Exec, WildcardsExpandInValuesAndParameters) {
  std::string a = File("w\\a.txt"), b = File("w\\b.txt");
  auto kw = Item("k", {{"Command", "C:\\tool.exe"}, {"Note", td / "w\\*.txt"}, {"Other", "*.txt"}});
  kw->ArrayedParam = std::make_unique<TStringList>(V{"x", td / "w\\*.txt", td / "w\\*.none", "y"});
  kw->TypedParams = std::make_unique<TStringList>(*kw->ArrayedParam);
  TStringIni d;
  d.Lines = kw->Data()->Lines;
  std::string line;
  kw->ExpandWildCard(d, line);
  EXPECT_EQ(line, "C:\\tool.exe");
  EXPECT_EQ(d.ReadString("Note", ""), a + "\r\n" + b + "\r\n");
  EXPECT_EQ(d.ReadString("Other", ""), "*.txt");  // a bare pattern is no path
  V want{"x", a, b, td / "w\\*.none", "y"};
  EXPECT_EQ(kw->ArrayedParam->Items(), want);
  EXPECT_EQ(kw->TypedParams->Items(), want);
}

// ---------------------------------------------------------------------------
// RunCommand.ini

TEST_F(Exec, RunOptionsDefaultsAndKeys) {
  TRunOptions d = TRunOptions::Read(TStringIni());
  EXPECT_FALSE(d.RunByParam);
  EXPECT_TRUE(d.QuoteParam);
  EXPECT_EQ(d.MaxWildCardRunCount, 10);
  EXPECT_FALSE(d.UseFiler);
  EXPECT_EQ(d.FilerName, "");
  EXPECT_EQ(d.FilerParam, "");
  EXPECT_EQ(d.FileOpenMode, 0);
  EXPECT_EQ(d.FileOpenFile, "");
  TStringIni ini;
  ini.Lines.SetText(
      "RunByParam=1\r\nQuoteParam=0\r\nMaxWildCardRunCount=4\r\nUseFiler=1\r\nFilerName=C:\\\\f.exe\r\n"
      "FilerParam=/e,%1\r\nFileOpenMode=2\r\nFileOpenFile=C:\\\\o\\sx.exe\r\n");
  TRunOptions o = TRunOptions::Read(ini);
  EXPECT_TRUE(o.RunByParam);
  EXPECT_FALSE(o.QuoteParam);
  EXPECT_EQ(o.MaxWildCardRunCount, 4);
  EXPECT_TRUE(o.UseFiler);
  EXPECT_EQ(o.FilerName, "C:\\f.exe");
  EXPECT_EQ(o.FilerParam, "/e,%1");
  EXPECT_EQ(o.FileOpenMode, 2);
  EXPECT_EQ(o.FileOpenFile, "C:\\o x.exe");
  EXPECT_STREQ(kRunOptionsFileName, "RunCommand.ini");
}

TEST_F(Exec, RunByParamPutsTheExecutableParameterFirst) {
  std::string doc = File("doc.txt"), tool = File("tool.exe");
  auto kw = Item("k", {{"Command", doc}});
  Run(*kw, {tool, "z"});
  EXPECT_EQ(OnlyStart().file, doc);
  EXPECT_EQ(OnlyStart().params, tool + " z");

  Options("RunByParam=1\r\n");
  shell.starts.clear();
  Run(*kw, {tool, "z"});
  EXPECT_EQ(OnlyStart().file, tool);
  EXPECT_EQ(OnlyStart().params, doc + " z");
}

TEST_F(Exec, FilerOpensFolders) {
  std::string filer = File("filer.exe");
  std::string docs = Folder("My Docs");
  TSplitParser parser;
  auto kw = Item("d", {{"Command", docs + "\\"}});
  kw->Parser = &parser;

  Options("UseFiler=1\r\nFilerName=" + TStringIni::EscapeValue(filer) + "\r\nFilerParam=/e,%1\r\n");
  Run(*kw);
  EXPECT_EQ(OnlyStart().file, filer);
  EXPECT_EQ(OnlyStart().params, "/e," + docs);
  EXPECT_EQ(OnlyStart().dir, docs);

  struct Row {
    const char* name;
    std::string options;
    std::string file;
    std::string params;
  } rows[] = {
      {"without parameters the folder is one", "UseFiler=1\r\nFilerName=" + TStringIni::EscapeValue(filer) + "\r\n",
       filer, "\"" + docs + "\""},
      {"filer quoting off", "UseFiler=1\r\nQuoteParam=0\r\nFilerName=" + TStringIni::EscapeValue(filer) + "\r\n",
       filer, docs},
      {"missing filer leaves it to the shell", "UseFiler=1\r\nFilerName=C:\\\\no\\\\filer.exe\r\n", docs + "\\", ""},
      {"filer off", "FilerName=" + TStringIni::EscapeValue(filer) + "\r\n", docs + "\\", ""},
  };
  for (const Row& r : rows) {
    Options(r.options);
    shell.starts.clear();
    Run(*kw);
    EXPECT_EQ(OnlyStart().file, r.file) << r.name;
    EXPECT_EQ(OnlyStart().params, r.params) << r.name;
  }
}

// Every folder of a wildcard goes to the filer on its own.
TEST_F(Exec, FilerGetsEachMatchedFolderAlone) {
  std::string filer = File("filer.exe");
  std::string f1 = Folder("w\\f1"), f2 = Folder("w\\f2");
  Options("UseFiler=1\r\nFilerName=" + TStringIni::EscapeValue(filer) + "\r\n");
  auto temp = m.CreateTemp("w", td / "w\\f*");
  temp->RunFile = RunIni();
  temp->ArrayedParam = std::make_unique<TStringList>(V{"-x"});
  temp->RunCommand();
  ASSERT_EQ(shell.starts.size(), 2u);
  EXPECT_EQ(shell.starts[0].params, f1 + " -x");
  EXPECT_EQ(shell.starts[1].params, f2 + " -x");
}

// ---------------------------------------------------------------------------
// Failure reports

TEST_F(Exec, FailureReports) {
  std::string badExe = File("bad.exe"), readme = File("readme.xyz"), opener = File("opener.exe");
  struct Row {
    const char* name;
    std::string options;
    std::string command;
    V params;
    std::deque<bool> results;
    std::string reason;  // empty: no box
    V files;             // every start, in order
    std::string secondParams = "";
  } rows[] = {
      {"missing file", "", "C:\\nothing.exe", {}, {false}, kMissing, {"C:\\nothing.exe"}},
      {"bad program", "", badExe, {}, {false}, "※考えられる主な原因\r\n     ・適切な実行ファイルでない\r\n     ・パラメータが長すぎる", {badExe}},
      {"open with", "", readme, {}, {false, true}, "", {readme, "RUNDLL32.exe"}, "Shell32.dll,OpenAs_RunDLL " + readme},
      {"open with fails too", "", readme, {}, {false, false}, kNoAssociation, {readme, "RUNDLL32.exe"},
       "Shell32.dll,OpenAs_RunDLL " + readme},
      {"opener", "FileOpenMode=1\r\nFileOpenFile=" + TStringIni::EscapeValue(opener) + "\r\n", readme, {}, {false, false}, "",
       {readme, opener}, "\"" + readme + "\""},
      {"opener with parameters", "FileOpenMode=1\r\nFileOpenFile=" + TStringIni::EscapeValue(opener) + "\r\n", readme, {"-p"},
       {false}, "", {readme, opener}, "-p \"" + readme + "\""},
      {"opener missing", "FileOpenMode=1\r\nFileOpenFile=C:\\\\none\\sx.exe\r\n", readme, {}, {false},
       kMissing + "(C:\\none x.exe)", {readme}},
      {"report only", "FileOpenMode=2\r\n", readme, {}, {false}, kNoAssociation, {readme}},
      {"unknown mode", "FileOpenMode=3\r\n", readme, {}, {false}, "", {readme}},
  };
  for (const Row& r : rows) {
    Options(r.options);
    shell.starts.clear();
    boxes.shown.clear();
    shell.results = r.results;
    auto kw = Item("k", {{"Command", r.command}});
    Run(*kw, r.params);
    EXPECT_EQ(shell.Files(), r.files) << r.name;
    if (shell.starts.size() > 1) {
      EXPECT_EQ(shell.starts[1].params, r.secondParams) << r.name;
      EXPECT_EQ(shell.starts[1].cbSize, sizeof(SHELLEXECUTEINFOA)) << r.name;
    }
    if (r.reason.empty()) {
      EXPECT_TRUE(boxes.shown.empty()) << r.name;
    } else {
      ASSERT_EQ(boxes.shown.size(), 1u) << r.name;
      EXPECT_EQ(boxes.shown[0].text, kFailed + r.command + "\r\n\r\n" + r.reason) << r.name;
      EXPECT_EQ(boxes.shown[0].caption, kRunCaption) << r.name;
      EXPECT_EQ(boxes.shown[0].type, static_cast<unsigned>(MB_OK)) << r.name;
    }
  }
  EXPECT_EQ(shell.starts[0].nShow, 10);
}

TEST_F(Exec, OpenWithDialogShowsDefault) {
  std::string readme = File("readme.xyz");
  shell.results = {false, true};
  auto kw = Item("k", {{"Command", readme}, {"ShowState", "2"}});
  Run(*kw);
  ASSERT_EQ(shell.starts.size(), 2u);
  EXPECT_EQ(shell.starts[1].nShow, 10);
}

// ---------------------------------------------------------------------------
// Waiting and the process handle

class Wait : public Exec {
 protected:
  void SetUp() override {
    Exec::SetUp();
    event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    shell.process = event;
  }
  void TearDown() override {
    CloseHandle(event);
    Exec::TearDown();
  }
  // Whether the run closed the process handle it was given.
  bool Closed(HANDLE h) {
    DWORD flags;
    return !GetHandleInformation(h, &flags);
  }
  HANDLE event = nullptr;
};

TEST_F(Wait, WaitRunPumpsMessagesUntilTheProcessEnds) {
  pump.onCall = [&](int calls) {
    if (calls == 3) SetEvent(event);
  };
  auto kw = Item("k", {{"Command", File("tool.exe")}, {"Wait", "1"}});
  Run(*kw);
  EXPECT_EQ(pump.calls, 3);
  ASSERT_EQ(shell.handedOut.size(), 1u);
  EXPECT_TRUE(Closed(shell.handedOut[0]));
}

TEST_F(Wait, ProcessHandleClosedWithoutWait) {
  auto kw = Item("k", {{"Command", File("tool.exe")}});
  Run(*kw);
  EXPECT_EQ(pump.calls, 0);
  ASSERT_EQ(shell.handedOut.size(), 1u);
  EXPECT_TRUE(Closed(shell.handedOut[0]));
}

TEST_F(Wait, SecondStartsHandleClosedToo) {
  std::string readme = File("readme.xyz");
  shell.results = {false, true};
  auto kw = Item("k", {{"Command", readme}});
  Run(*kw);
  ASSERT_EQ(shell.handedOut.size(), 1u);
  EXPECT_TRUE(Closed(shell.handedOut[0]));
}

// ---------------------------------------------------------------------------
// Groups

class Group : public Exec {
 protected:
  TSplitParser parser;
  // A group with items A and B (A on top), each a command naming a program.
  std::unique_ptr<TKeyWordX> MakeGroup(const Values& values) {
    auto g = Item("grp", values, "", kTypeGroup);
    Item("B", {{"Command", "C:\\B.exe"}}, "grp");
    Item("A", {{"Command", "C:\\A.exe"}}, "grp");
    g->Parser = &parser;
    return g;
  }
  std::string Question() const {
    return "グループ : grp を実行します。次回からも確認ダイアログを出しますか?";
  }
};

TEST_F(Group, RoundsAndModes) {
  struct Row {
    const char* name;
    Values values;
    V files;
  } rows[] = {
      {"two rounds", {{"AskRun", "0"}, {"RoopCount", "2"}}, {"C:\\A.exe", "C:\\B.exe", "C:\\A.exe", "C:\\B.exe"}},
      {"first item only", {{"RunMode", "1"}, {"RoopCount", "2"}}, {"C:\\A.exe", "C:\\A.exe"}},
      {"nothing", {{"RunMode", "2"}}, {}},
      {"no rounds", {{"AskRun", "0"}, {"RoopCount", "0"}}, {}},
  };
  for (const Row& r : rows) {
    shell.starts.clear();
    auto g = MakeGroup(r.values);
    Run(*g);
    EXPECT_EQ(shell.Files(), r.files) << r.name;
    EXPECT_TRUE(boxes.shown.empty()) << r.name;
    m.ClearCache();
  }
}

TEST_F(Group, NothingWithoutParser) {
  auto g = MakeGroup({{"AskRun", "0"}});
  g->Parser = nullptr;
  Run(*g);
  EXPECT_TRUE(shell.starts.empty());
}

TEST_F(Group, Confirmation) {
  auto g = MakeGroup({});
  boxes.answers = {IDCANCEL};
  Run(*g);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, Question());
  EXPECT_EQ(boxes.shown[0].caption, "グループ実行の確認");
  EXPECT_EQ(boxes.shown[0].type, static_cast<unsigned>(MB_YESNOCANCEL));
  EXPECT_TRUE(shell.starts.empty());

  boxes.shown.clear();
  boxes.answers = {IDYES};
  Run(*g);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(shell.starts.size(), 2u);
  EXPECT_FALSE(g->Data()->ValueExists("AskRun"));

  boxes.shown.clear();
  shell.starts.clear();
  boxes.answers = {IDNO};
  Run(*g);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text,
            "※もう一度確認ダイアログを出すようにするには、キーワードの設定画面の 「詳細」 タブで、\r\n\r\n"
            "       「実行するかどうかダイアログで確認する」   \r\n\r\n"
            "   にチェックを入れてください");
  EXPECT_EQ(boxes.shown[1].caption, "グループ実行の確認");
  EXPECT_EQ(boxes.shown[1].type, static_cast<unsigned>(MB_OK));
  EXPECT_EQ(shell.starts.size(), 2u);
  EXPECT_EQ(g->Data()->ReadString("AskRun", ""), "0");

  boxes.shown.clear();
  Run(*g);
  EXPECT_TRUE(boxes.shown.empty());  // not asked again
}

TEST_F(Group, ParametersGoToTheFirstItemOrToEvery) {
  auto g = MakeGroup({{"AskRun", "0"}});
  Run(*g, {"a b", "c", "\"q r\""});
  ASSERT_EQ(parser.calls.size(), 2u);
  EXPECT_EQ(parser.calls[0].keyword, "grp/A");
  EXPECT_EQ(parser.calls[0].text, " \"a b\" c \"q r\"");
  EXPECT_FALSE(parser.calls[0].paramMode);
  EXPECT_EQ(parser.calls[1].text, "");
  ASSERT_EQ(shell.starts.size(), 2u);
  EXPECT_EQ(shell.starts[0].params, "a b c q r");

  parser.calls.clear();
  g->Data()->WriteBool("SetSameParam", true);
  Run(*g, {"x"});
  ASSERT_EQ(parser.calls.size(), 2u);
  EXPECT_EQ(parser.calls[0].text, " x");
  EXPECT_EQ(parser.calls[1].text, " x");
}

TEST_F(Group, MembersUseTheGroupsRunOptions) {
  Options("FileOpenMode=2\r\n");
  std::string readme = File("readme.xyz");
  auto g = Item("grp", {{"AskRun", "0"}}, "", kTypeGroup);
  Item("r", {{"Command", readme}}, "grp");
  g->Parser = &parser;
  shell.results = {false};
  Run(*g);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kFailed + readme + "\r\n\r\n" + kNoAssociation);
}

// ---------------------------------------------------------------------------
// System commands

class TRecordingRunner : public ISystemCommandRunner {
 public:
  std::vector<std::unique_ptr<TStringIni>> requests;
  bool fail = false;
  void ExecuteSysCommand(std::unique_ptr<TStringIni> request) override {
    requests.push_back(std::move(request));
    if (fail) throw std::runtime_error("runner failed");
  }
};

TEST_F(Exec, SystemCommandGoesToTheRunner) {
  TRecordingRunner runner;
  auto kw = Item("s", {{"CommandIndex", "4"}}, "", kTypeSystem);
  Run(*kw, {"a", "b c"});  // no runner: nothing
  m.SystemCommandRunner = &runner;
  Run(*kw, {"a", "b c"});
  ASSERT_EQ(runner.requests.size(), 1u);
  EXPECT_EQ(runner.requests[0]->Lines.Items(), (V{"CommandIndex=4", "%1=a", "%2=b\\sc", "%*=a\\sb\\sc"}));
  runner.fail = true;
  EXPECT_NO_THROW(Run(*kw));
  EXPECT_EQ(runner.requests[1]->ReadInteger("CommandIndex", 0), 4);
  EXPECT_TRUE(shell.starts.empty());
}

// ---------------------------------------------------------------------------
// Temporary items and executable files

TEST_F(Exec, TemporaryItems) {
  std::string dir = Folder("dir");
  std::string file = File("dir\\file.txt");
  char cur[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cur);
  SetCurrentDirectoryA(dir.c_str());
  struct Row {
    const char* name;
    std::string text;
    std::string command, icon, dir, comment;
    bool wild = false;
  } rows[] = {
      {"web address", "www.example.com", "www.example.com", "www.example.com", "", "URLを指定して開く"},
      {"http", "http://example.com/", "http://example.com/", "http://example.com/", "", "URLを指定して開く"},
      {"mail", "mailto:a@b", "mailto:a@b", "mailto:a@b", "", "あて先を指定してメール"},
      {"plain text", "hello", "hello", "hello", "", ""},
      {"relative file", "file.txt", file, file, dir, file},
      {"absolute file", file, file, file, dir, ""},
      {"folder", dir + "\\", dir + "\\", dir + "\\", dir + "\\", ""},
      {"drive root", "C:\\", "C:\\", "C:\\", "C:\\", ""},
      {"pattern", dir + "\\*.txt", dir + "\\*.txt", m.IconFolder + "\\WildCard.ico", dir, "ワイルドカード", true},
  };
  for (const Row& r : rows) {
    auto t = m.CreateTemp("typed", r.text);
    EXPECT_EQ(t->GetType(), kTypeTemp) << r.name;
    EXPECT_EQ(t->Name, "typed") << r.name;
    EXPECT_EQ(t->Data()->ReadString("Command", ""), r.command) << r.name;
    EXPECT_EQ(t->Data()->ReadString("Icon", ""), r.icon) << r.name;
    EXPECT_EQ(t->Data()->ReadString("Dir", ""), r.dir) << r.name;
    EXPECT_EQ(t->GetComment(), r.comment) << r.name;
    EXPECT_EQ(t->WildCardTemp, r.wild) << r.name;
  }
  SetCurrentDirectoryA(cur);
  EXPECT_EQ(m.GetNames("").Count(), 0);  // never stored
}

TEST_F(Exec, TemporaryItemValuesAreNotEncoded) {
  Item("qvtool", {{"Command", "C:\\t.exe"}});
  auto t = m.CreateTemp("x", "qvtool");
  EXPECT_EQ(t->Data()->ReadString("Command", ""), "qvtool");
  EXPECT_EQ(t->GetCommand(), "C:\\t.exe");
}

TEST_F(Exec, ExecutableFiles) {
  auto kw = Item("k", {});
  struct Row {
    std::string path;
    bool want;
  } rows[] = {
      {File("a.EXE"), true}, {File("b.vbs"), true}, {File("c.txt"), false},
      {File("noext"), false}, {td / "missing.exe", false}, {Folder("dir.exe"), false},
  };
  for (const Row& r : rows) EXPECT_EQ(kw->IsExecutableFile(r.path), r.want) << r.path;
  m.ExecutableExtensions.Clear();
  m.ExecutableExtensions.Add(".txt");
  EXPECT_TRUE(kw->IsExecutableFile(td / "c.txt"));
  EXPECT_FALSE(kw->IsExecutableFile(td / "a.EXE"));
}

// ---------------------------------------------------------------------------
// Real processes

// The real shell start, keeping a copy of each process handle for the test.
class TKeepingShell : public IShellStarter {
 public:
  std::vector<HANDLE> kept;
  bool Start(SHELLEXECUTEINFOA& s) override {
    bool ok = DefaultRunServices().ShellStart->Start(s);
    if (ok && s.hProcess) {
      HANDLE dup = nullptr;
      DuplicateHandle(GetCurrentProcess(), s.hProcess, GetCurrentProcess(), &dup, 0, FALSE, DUPLICATE_SAME_ACCESS);
      kept.push_back(dup);
    }
    return ok;
  }
};

TEST_F(Exec, RealWaitReturnsAfterTheProcessEnds) {
  TKeepingShell real;
  m.RunServices.ShellStart = &real;
  m.RunServices.Pump = DefaultRunServices().Pump;
  auto kw = Item("cmd", {{"Command", "cmd"}, {"Wait", "1"}, {"ShowState", "2"}});
  Run(*kw, {"/c", "exit", "3"});
  ASSERT_EQ(real.kept.size(), 1u);
  EXPECT_EQ(WaitForSingleObject(real.kept[0], 0), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(real.kept[0], &code));
  EXPECT_EQ(code, 3u);
  CloseHandle(real.kept[0]);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Exec, RealMissingFileGivesItsReason) {
  m.RunServices.ShellStart = DefaultRunServices().ShellStart;
  std::string missing = td / "nothing here.exe";
  auto kw = Item("m", {{"Command", missing}});
  Run(*kw);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kFailed + missing + "\r\n\r\n" + kMissing);
  EXPECT_EQ(boxes.shown[0].caption, kRunCaption);
}

}  // namespace
