// What Enter does in the launcher window: running keywords, the hide rules, the
// mode keyword, system commands, and the requests the editor is sent.
#include <gtest/gtest.h>

#include <cstring>

#include "core/Sjis.h"
#include "core/ZMRTData.h"
#include "core/Data_Blocks.h"
#include "launcher/Data_Handler.h"
#include "launcher/Editor_Requests.h"
#include "ui/OleStart.h"
#include "launcher/SubClass.h"
#include "tests/launcher/LauncherFixture.h"
#include "tests/support/TestWindow.h"

namespace {

class ExecuteRoad : public LauncherWindow {
 protected:
  TZMRTMain& Start(const std::string& settings = "") {
    Settings(settings);
    TZMRTMain& m = Make();
    // A program that writes its command line to args.txt beside itself.
    recorder = dir / "rec\\rec.exe";
    fileio::ForceDirectories(dir / "rec");
    if (!fileio::FileExists(recorder)) EXPECT_TRUE(CopyFileA(QV_FAKE_EDITOR_EXE, recorder.c_str(), FALSE));
    return m;
  }
  void AddKeyword(const std::string& name, const std::string& command, int type = 0, const std::string& group = "") {
    auto item = main->KeyWordManager->NewKeyWord(name, group, type);
    ASSERT_TRUE(item);
    if (type == 2) item->Data()->WriteString("CommandIndex", command);
    else if (type != 5) item->SetCommand(command);
  }
  // Types a text and parses it the way the box does outside typing.
  void Type(const std::string& text) {
    main->Edit1->SetText(text);
    main->Edit1->SetSel(static_cast<int>(sjis::CharCount(text)), 0);
    main->Edit1->KeywordChange();
  }
  std::string RecordedArgs() {
    const std::string file = dir / "rec\\args.txt";
    PumpUntil([&] { return fileio::FileExists(file); }, 20000);
    return ReadTextFile(file);
  }
  // The parameters of the last editor start, or "-" when none happened.
  std::string EditorParams() const {
    for (auto it = shellCalls.rbegin(); it != shellCalls.rend(); ++it)
      if (it->file.size() >= 12 && it->file.compare(it->file.size() - 12, 12, "QVEditor.exe") == 0) return it->params;
    return "-";
  }
  static std::string Esc(const std::string& value) { return TStringIni::EscapeValue(value); }
  static std::string Quoted(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string("\"") + line + "\"\r\n";
    return text;
  }

  std::string recorder;
};

TEST_F(ExecuteRoad, EnterRunsTheKeywordAddsHistorySavesAndClearsTheBox) {
  TZMRTMain& m = Start("UseHistory=1\r\nUpPriority=1\r\nUpPriorityCount=1\r\n");
  AddKeyword("rec", recorder);
  Type("rec alpha");
  ASSERT_NE(m.CurrentItem(), nullptr);
  m.ExecuteActionExecute();
  EXPECT_NE(RecordedArgs().find("alpha"), std::string::npos);
  EXPECT_EQ(m.CurrentItem(), nullptr);
  EXPECT_EQ(m.Edit1->Text(), "");
  EXPECT_GE(m.Edit1->History().IndexOf("rec alpha"), 0);
  EXPECT_FALSE(m.Running);
  // The store was saved: a fresh store on the same folder finds the keyword.
  TKeyWordManager fresh(m.KeyWordManager->ItemsFolder(), m.KeyWordManager->MainFolder());
  EXPECT_TRUE(fresh.Exists("rec"));
}

TEST_F(ExecuteRoad, HideRulesAfterARun) {
  const struct {
    const char* settings;
    int type;  // 0 normal command, 2 system command
    bool pendingSwitches;
    bool hides;
  } cases[] = {
      {"HideWhenRun=1\r\nHideWhenSysRun=0\r\n", 0, false, true},
      {"HideWhenRun=1\r\nHideWhenSysRun=0\r\n", 2, false, false},
      {"HideWhenRun=1\r\nHideWhenSysRun=1\r\n", 2, false, true},
      {"HideWhenRun=0\r\nHideWhenSysRun=1\r\n", 0, false, false},
      // A run that hands the launcher new switches leaves it shown.
      {"HideWhenRun=1\r\nHideWhenSysRun=1\r\n", 2, true, false},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.settings) + " type " + std::to_string(c.type));
    const std::string name = "k" + std::to_string(++n);  // each run saves the store
    // No hide by deactivation: only the run's own rule counts here.
    TZMRTMain& m = Start(std::string(c.settings) + "hideWhenDeActivate=0\r\n");
    ShowWindow(m.Handle(), SW_SHOWNA);
    m.Hidden = false;
    // System command 11 parses its parameters as switches; 10 only opens a folder.
    AddKeyword(name, c.type == 0 ? recorder : (c.pendingSwitches ? "11" : "10"), c.type);
    Type(c.pendingSwitches ? name + " /X=5" : name);
    ASSERT_NE(m.CurrentItem(), nullptr);
    EXPECT_EQ(m.CurrentItem()->GetType(), c.type);
    m.ExecuteActionExecute();
    EXPECT_EQ(m.Hidden, c.hides);
    main.reset();
  }
}

TEST_F(ExecuteRoad, ForcedRunHandsTheTextToTheShellWithoutTheBang) {
  TZMRTMain& m = Start("HideWhenRun=1\r\n");
  ShowWindow(m.Handle(), SW_SHOWNA);
  Type("!notepad x.txt");
  ASSERT_EQ(m.CurrentItem(), nullptr);
  m.HotKeyCommand("*FORCEEXE");
  ASSERT_EQ(shellCalls.size(), 1u);
  EXPECT_EQ(shellCalls[0].file, "notepad x.txt");
  EXPECT_EQ(shellCalls[0].show, SW_SHOWDEFAULT);
  EXPECT_TRUE(m.Hidden);
}

TEST_F(ExecuteRoad, UnmatchedTextBecomesARequestOrABeep) {
  const struct {
    const char* settings;
    const char* text;
    std::string params;  // "-": no editor start
    int beeps;
    int color;
  } cases[] = {
      {"RegistByEnter=1\r\n", "abc/", Quoted({"Action=ChangeToGroup", "Keyword=abc"}), 0, -1},
      {"RegistByEnter=1\r\n", "newkey", Quoted({"Action=New", "KeyWord=newkey", "Type=-1"}), 0, -1},
      {"RegistByEnter=0\r\n", "newkey", "-", 1, 2},
      {"RegistByEnter=1\r\n", "a b", "-", 1, 1},
      {"RegistByEnter=1\r\n", "", "", 0, -1},  // the keyword manager
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    shellCalls.clear();
    beeps = 0;
    TZMRTMain& m = Start(c.settings);
    AddKeyword("abc", recorder);
    m.Edit1->SetText(c.text);
    m.ClearCurrentItem();
    m.ExecuteActionExecute();
    EXPECT_EQ(EditorParams(), c.params);
    EXPECT_EQ(beeps, c.beeps);
    if (c.beeps) EXPECT_EQ(m.ColorIndex, c.color);
    main.reset();
  }
}

TEST_F(ExecuteRoad, ModeKeywordRunsWithTheTypedTextAndIsLeft) {
  TZMRTMain& m = Start();
  AddKeyword("rec", recorder);
  m.SetMode("nothing");
  EXPECT_EQ(m.TitleText, "quorvane");
  m.SetMode("rec");
  EXPECT_EQ(m.TitleText, "Mode:rec");
  EXPECT_EQ(m.ModeColor, 2);
  m.Edit1->SetText("beta");
  m.ExecuteActionExecute();
  EXPECT_NE(RecordedArgs().find("beta"), std::string::npos);
  EXPECT_EQ(m.ModeKeyWord, "");
  EXPECT_EQ(m.TitleText, "quorvane");
}

TEST_F(ExecuteRoad, UnknownKeywordByNameShowsTheBoxAndRunsNothing) {
  TZMRTMain& m = Start();
  std::vector<std::string> boxes;
  ui::SetMessageBoxHandler([&](const ui::TMessageBoxRequest& r) {
    boxes.push_back(r.Text + "|" + r.Caption);
    return IDOK;
  });
  m.HotKeyCommand("missing/one");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "該当するキーワードがありません  missing/one|quorvane");
  EXPECT_TRUE(shellCalls.empty());
}

TEST_F(ExecuteRoad, SystemCommandsBuildRequestsAndActions) {
  TZMRTMain& m = Start();
  const std::string file = dir / "rec\\rec.exe";
  auto run = [&](int index, std::vector<std::string> params, const std::string& text = "") {
    shellCalls.clear();
    m.Edit1->SetText(text);
    TStringList list(params);
    m.KeyWordManager->RunSystemCommand(index, &list);
  };
  run(1, {"g/k"});
  EXPECT_EQ(EditorParams(), Quoted({"Action=Edit", "KeyWord=g/k"}));
  run(3, {file});
  EXPECT_EQ(EditorParams(), "\"Action=New\"\r\n\"Type=0\"\r\n\"Command=" + Esc(file) + "\"\r\n");
  run(3, {"name", "http://example.com/"});
  EXPECT_EQ(EditorParams(), Quoted({"Action=New", "Type=0", "KeyWord=name", "Command=http://example.com/"}));
  run(3, {"first", "second"});
  EXPECT_EQ(EditorParams(), Quoted({"Action=New", "Type=-1", "KeyWord=first"}));
  run(4, {"g/k"});
  EXPECT_EQ(EditorParams(), Quoted({"Action=Delete"}));
  run(4, {"g/k"}, "typed");
  EXPECT_EQ(EditorParams(), Quoted({"Action=Delete", "Keyword=g/k"}));
  run(7, {"x"});
  EXPECT_EQ(EditorParams(), Quoted({"Action=RegistActive", "KeyWord=x"}));
  run(8, {"x"});
  EXPECT_EQ(EditorParams(), Quoted({"Action=Select", "KeyWord=x"}));
  run(2, {});
  EXPECT_EQ(EditorParams(), "/setting");
  run(5, {});
  EXPECT_EQ(EditorParams(), "/version");
  run(10, {});
  ASSERT_EQ(shellCalls.size(), 1u);
  EXPECT_EQ(shellCalls[0].file, m.UserDir);

  char saved[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, saved);
  run(6, {file});
  char now[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, now);
  EXPECT_EQ(sjis::IncludeTrailingPathDelimiter(now), dir / "rec\\");
  SetCurrentDirectoryA(saved);

  run(11, {"/X=15", "/Y=25"});
  RECT r = {};
  GetWindowRect(m.Handle(), &r);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.top, 25);

  // Closing is posted: the window is still there until messages run.
  run(0, {});
  EXPECT_TRUE(IsWindow(m.Handle()));
  const HWND h = m.Handle();
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(h) || app.Terminated(); }, 5000));
}

TEST_F(ExecuteRoad, LongOrQuotedRequestsTravelThroughTheParamFile) {
  TZMRTMain& m = Start();
  auto request = [](const std::string& keyword) {
    auto r = std::make_unique<TStringIni>();
    r->WriteString("Action", "New");
    r->WriteString("KeyWord", keyword);
    return r;
  };
  m.ShowEditor(request("say \"hi\""));
  const std::string paramFile = editor_requests::ParamFilePath(m.UserDir);
  EXPECT_EQ(EditorParams(), "/ParamFile \"" + paramFile + "\"");
  EXPECT_NE(ReadTextFile(paramFile).find("KeyWord=say\\s\"hi\""), std::string::npos) << ReadTextFile(paramFile);
  // The launcher's line is in notify.txt once, whatever was there before.
  WriteTextFile(dir / "Files\\notify.txt", "tzmrtmain\tQUORVANEMAIN\r\n");
  m.ShowEditor(request("k"));
  EXPECT_EQ(ReadTextFile(dir / "Files\\notify.txt"), "tzmrtmain\tQUORVANEMAIN\r\n");
}

// The shell's older drop message (WM_DROPFILES) goes through the window's own
// drop event: no message filter sits on the launcher's window, not for copy
// data, drops or the icon picture's delayed loading either.
TEST_F(ExecuteRoad, ShellDropMessageOntoTheWindowBecomesANewRequest) {
  TZMRTMain& m = Start("showicon=1\r\nWaitTimeForIcon=50\r\n");
  ASSERT_TRUE(m.IconImage);
  EXPECT_EQ(SubClassUseCount(m.Handle()), 0);
  const std::string a = dir / "rec\\a.txt", b = dir / "rec\\表ソ.txt";
  WriteTextFile(a, "");
  WriteTextFile(b, "");
  const std::string block = datablock::BuildDropFiles({a, b});
  HGLOBAL memory = GlobalAlloc(GHND, block.size());
  std::memcpy(GlobalLock(memory), block.data(), block.size());
  GlobalUnlock(memory);
  SendMessageA(m.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  EXPECT_EQ(EditorParams(), "\"Action=New\"\r\n\"Command=" + Esc(a + "\r\n" + b) + "\"\r\n");
}

TEST_F(ExecuteRoad, DropsBecomeNewRequestsOrParametersOfTheShownKeyword) {
  TZMRTMain& m = Start();
  const std::string a = dir / "rec\\a.txt", b = dir / "rec\\b.txt";
  WriteTextFile(a, "");
  WriteTextFile(b, "");
  // Two files on an empty box: a two-line command, no keyword name.
  m.TargetDrop(nullptr, a + "\r\n" + b);
  EXPECT_EQ(EditorParams(), "\"Action=New\"\r\n\"Command=" + Esc(a + "\r\n" + b) + "\"\r\n");
  // Something that is no path: command and comment alike.
  m.TargetDrop(nullptr, "plain words");
  EXPECT_EQ(EditorParams(), Quoted({"Action=New", "Command=plain\\swords", "Comment=plain\\swords"}));
  // A file on a group keyword: named after the file inside that group.
  AddKeyword("tools", "", 5);
  Type("tools");
  ASSERT_NE(m.CurrentItem(), nullptr);
  m.TargetDrop(nullptr, a);
  EXPECT_EQ(EditorParams(), "\"Action=New\"\r\n\"Command=" + Esc(a) + "\"\r\n\"KeyWord=tools/a\"\r\n");
  // A file on a normal keyword runs it with the file, and no editor starts.
  AddKeyword("rec", recorder);
  Type("rec");
  shellCalls.clear();
  m.TargetDrop(nullptr, a);
  EXPECT_NE(RecordedArgs().find("a.txt"), std::string::npos);
  EXPECT_EQ(EditorParams(), "-");
  EXPECT_EQ(m.Edit1->Text(), "");
  // The icon dragged onto the launcher itself asks nothing.
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  m.IconImageTargetDrop(self, "quorvanemain");
  EXPECT_EQ(EditorParams(), "-");
  m.IconImageTargetDrop(recorder, "Recorder");
  EXPECT_EQ(EditorParams(),
            "\"Action=New\"\r\n\"Command=" + Esc(recorder) + "\"\r\n\"KeyWord=rec\"\r\n\"Comment=Recorder\"\r\n");
}

// Files dropped by the shell onto the window outside the box: the editor
// (a stand-in that writes its command line) is asked for a new keyword.
TEST_F(ExecuteRoad, FilesDroppedOnTheWindowBecomeANewRequestToTheEditor) {
  ui::InitOle();
  realShell = true;
  ASSERT_TRUE(CopyFileA(QV_FAKE_EDITOR_EXE, (dir / "Files\\QVEditor.exe").c_str(), FALSE));
  TZMRTMain& m = Start("HideWhenSetting=0\r\n");
  const std::string a = dir / "rec\\a.txt";
  WriteTextFile(a, "");
  SetWindowPos(m.Handle(), nullptr, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetCursorPos(5, 5);  // not over the box, which would take the drop itself
  HGLOBAL drop = ui::NewGlobalBlock(datablock::BuildDropFiles({a}));
  ASSERT_NE(drop, nullptr);
  SendMessageA(m.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  const std::string args = dir / "Files\\args.txt";
  EXPECT_TRUE(PumpUntil([&] { return fileio::FileExists(args); }, 20000));
  const std::string line = ReadTextFile(args);
  EXPECT_NE(line.find("\"Action=New\"\r\n\"Command=" + Esc(a) + "\"\r\n"), std::string::npos) << line;
  EXPECT_EQ(m.Edit1->Text(), "");
  main.reset();
  ui::FinalizeOle();
}

TEST_F(ExecuteRoad, AReloadAskedForDuringARunWaitsForItsEnd) {
  TZMRTMain& m = Start();
  AddKeyword("rec", recorder);
  m.Starting = false;  // the first idle event has passed
  m.ShownStamp = -1;
  m.Running = true;
  m.ReLoad(false);
  EXPECT_EQ(m.ShownStamp, -1) << "no load while the run uses the store";
  m.Running = false;
  Type("rec");
  m.ExecuteActionExecute();  // sets the stamp to -1 first
  EXPECT_EQ(m.ShownStamp, now) << "the load ran after the run";
}

}  // namespace
