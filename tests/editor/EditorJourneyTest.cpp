// The launcher and the editor of the install layout together, as a person
// uses them: a word that names no keyword and Enter bring up the editor's
// new-keyword dialogs; what is OK'd there is saved, the launcher reloads and
// runs it.
#include "tests/launcher/LauncherJourneyFixture.h"

#include <commctrl.h>

#include <cctype>

#include "core/Sjis.h"

namespace {

class EditorJourney : public LauncherJourney {
 protected:
  void SetUp() override {
    LauncherJourney::SetUp();
    ASSERT_TRUE(CopyFileA(QV_EDITOR_EXE, (dir / "Files\\QVEditor.exe").c_str(), FALSE));
    Settings("");
  }
  // The editor's window of that caption, once it is shown and in front.
  HWND EditorWindow(const char* caption) {
    HWND w = nullptr;
    WaitFor([&] {
      w = FindWindowA(nullptr, caption);
      return w && IsWindowVisible(w) && GetForegroundWindow() == w;
    });
    return w;
  }
  // Lets the editor's window take what was typed before the next key.
  static void Settle(HWND w) {
    DWORD_PTR r = 0;
    for (int i = 0; i < 3; ++i) SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &r);
  }
  void TypeInto(HWND w, const std::string& script) { realinput::TypeHeld(script, [w] { Settle(w); }); }
  std::string Items() const { return Read(user + "\\Items\\%.vane"); }
  // Starts the editor of the install folder; it ends with the test.
  HANDLE StartEditor(const std::string& args) {
    return StartInJob("\"" + dir / "Files\\QVEditor.exe" + "\" " + args);
  }
  // A child window of w (at any depth) whose text is text.
  static bool HasChildText(HWND w, const std::string& text) {
    struct TFind {
      const std::string* text;
      bool found = false;
    } find{&text};
    EnumChildWindows(
        w,
        [](HWND child, LPARAM p) -> BOOL {
          auto* f = reinterpret_cast<TFind*>(p);
          char buffer[256] = {};
          SendMessageTimeoutA(child, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 2000,
                              nullptr);
          f->found = *f->text == buffer;
          return !f->found;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
  }

  bool EditorRuns() const {
    return FindWindowA(nullptr, "新規作成 - 種類を選択") || FindWindowA(nullptr, "通常コマンド設定");
  }
};

TEST_F(EditorJourney, AnUnknownWordBecomesAKeywordThatRunsAfterTheReload) {
  const std::string recorder = dir / "rec_new\\rec.exe";
  fileio::ForceDirectories(dir / "rec_new");
  ASSERT_TRUE(CopyFileA(QV_FAKE_EDITOR_EXE, recorder.c_str(), FALSE));
  Start();
  Type("recnew{Enter}");

  HWND kind = EditorWindow("新規作成 - 種類を選択");
  ASSERT_TRUE(kind) << "the kind dialog did not come up in front: " << Describe(GetForegroundWindow());
  // 通常コマンド is the first kind.
  TypeInto(kind, "{Home}{Enter}");

  HWND dialog = EditorWindow("通常コマンド設定");
  ASSERT_TRUE(dialog) << Describe(GetForegroundWindow());
  // The link box, by its label's access key; then the recorder's path.
  realinput::Chord({VK_MENU, 'L'});
  Settle(dialog);
  TypeInto(dialog, recorder);
  realinput::Chord({VK_SHIFT, VK_RETURN});

  ASSERT_TRUE(WaitFor([&] { return !EditorRuns(); })) << "the editor stays";
  ASSERT_TRUE(WaitFor([&] { return Items().find("recnew\t") != std::string::npos; })) << Items();
  // The link box completes paths in the case the file system gives them.
  auto lower = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  EXPECT_NE(lower(Items()).find(lower(sjis::ReplaceAll(recorder, "\\", "\\\\"))), std::string::npos) << Items();
  ASSERT_TRUE(WaitFor([&] { return Log().find("/ReLoad") != std::string::npos; })) << "no reload notice";

  Idle();
  if (IsWindowVisible(window)) {
    Type("{Esc}");
    ExpectHidden();
  }
  CallUp();
  Type("recnew{Enter}");
  EXPECT_TRUE(WaitFor([&] { return fileio::FileExists(dir / "rec_new\\args.txt"); })) << "the new keyword did not run";
}

TEST_F(EditorJourney, EscInTheKindDialogSavesNothing) {
  WriteTextFile(user + "\\Items\\%.vane", "other\tType=0\tCommand=x.exe\r\n");
  Start();
  Type("nothing{Enter}");
  HWND kind = EditorWindow("新規作成 - 種類を選択");
  ASSERT_TRUE(kind) << Describe(GetForegroundWindow());
  TypeInto(kind, "{Esc}");
  ASSERT_TRUE(WaitFor([&] { return !EditorRuns(); }));
  Sleep(300);
  EXPECT_EQ(Items(), "other\tType=0\tCommand=x.exe\r\n");
}

TEST_F(EditorJourney, EnterOnTheEmptyBoxOpensTheKeywordManager) {
  WriteTextFile(user + "\\Items\\%.vane", "道具\tType=5\r\n");
  WriteTextFile(user + "\\Items\\%道具.vane", "メモ\tType=0\tCommand=notepad.exe\r\n");
  Start();
  Type("{Enter}");
  HWND manager = EditorWindow("キーワードマネージャ");
  ASSERT_TRUE(manager) << Describe(GetForegroundWindow());
  char cls[32] = {};
  GetClassNameA(manager, cls, sizeof cls);
  EXPECT_STREQ(cls, "TRZEditorMain");
  HWND tree = FindWindowExA(manager, nullptr, "SysTreeView32", nullptr);
  ASSERT_TRUE(tree);
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 2) << "the group and its keyword";
  TypeInto(manager, "{Esc}");
  EXPECT_TRUE(WaitFor([&] { return !FindWindowA("TRZEditorMain", nullptr); })) << "Esc closes it";
}

// A box of the editor's with that caption, shown and in front.
HWND FrontBox(const char* caption) {
  HWND w = nullptr;
  WaitFor([&] {
    w = FindWindowA("#32770", caption);
    return w && IsWindowVisible(w) && GetForegroundWindow() == w;
  });
  return w;
}

void ClickButton(HWND parent, const char* text) {
  HWND button = FindWindowExA(parent, nullptr, "Button", text);
  for (HWND child = nullptr; !button && (child = FindWindowExA(parent, child, nullptr, nullptr));)
    button = FindWindowExA(child, nullptr, "Button", text);
  ASSERT_TRUE(button) << text;
  RECT r;
  GetWindowRect(button, &r);
  realinput::PointerTo({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

TEST_F(EditorJourney, AFirstRunGoesThroughTheSettingsWindowAndBringsTheLauncherBack) {
  // No user data at all: the launcher hands the first run to the editor.
  RemoveDirectoryA((user + "\\Items").c_str());
  RemoveDirectoryA((user + "\\Icons").c_str());
  DeleteFileA((user + "\\quorvane.ini").c_str());
  for (const char* shipped : {"Items", "Icons"}) fileio::ForceDirectories(dir / ("Files\\" + std::string(shipped)));
  WriteTextFile(dir / "Files\\Items\\%.vane", "shipped\tType=0\tCommand=x.exe\r\n");
  WriteTextFile(dir / "Files\\shortcut.txt", "");
  WriteTextFile(dir / "Files\\quorvane.ini", "version=150103\r\n");
  StartProcess();

  HWND first = FrontBox("quorvane");
  ASSERT_TRUE(first) << "no first-run box: " << Describe(GetForegroundWindow());
  realinput::Type("{Enter}");
  HWND settings = EditorWindow("quorvaneの設定");
  ASSERT_TRUE(settings) << Describe(GetForegroundWindow());
  EXPECT_TRUE(fileio::FileExists(user + "\\Items\\%.vane")) << "the shipped keywords were copied";
  EXPECT_TRUE(fileio::FileExists(user + "\\quorvane.ini"));
  ClickButton(settings, "OK");

  HWND hint = FrontBox("quorvane");
  ASSERT_TRUE(hint) << Describe(GetForegroundWindow());
  realinput::Type("{Enter}");
  HWND launcher = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    launcher = FindWindowA("TZMRTMain", "quorvanemain");
    return launcher && IsWindowVisible(launcher) && GetForegroundWindow() == launcher;
  })) << "the launcher did not come up in front: " << Describe(GetForegroundWindow());
  window = launcher;
}

TEST_F(EditorJourney, ASecondSettingsStartShowsTheNamedPageInTheRunningWindow) {
  ASSERT_TRUE(StartEditor("/setting"));
  HWND settings = EditorWindow("quorvaneの設定");
  ASSERT_TRUE(settings) << Describe(GetForegroundWindow());
  HANDLE second = StartEditor("/setting /SelectedNode=基本/呼び出しキー /TabIndex=0");
  ASSERT_TRUE(second);
  EXPECT_EQ(WaitForSingleObject(second, 20000), WAIT_OBJECT_0) << "the second start hands over and ends";
  EXPECT_TRUE(WaitFor([&] { return HasChildText(settings, "  基本 > 呼び出しキー"); })) << "the page's header";
  EXPECT_EQ(FindWindowA("TRZSettingMain", nullptr), settings) << "one settings window";
}

TEST_F(EditorJourney, TheFirstRunsEndTellsTheStartedLauncherToTakeTheFocus) {
  RemoveDirectoryA((user + "\\Items").c_str());
  RemoveDirectoryA((user + "\\Icons").c_str());
  for (const char* shipped : {"Items", "Icons"}) fileio::ForceDirectories(dir / ("Files\\" + std::string(shipped)));
  WriteTextFile(dir / "Files\\shortcut.txt", "");
  ASSERT_TRUE(StartEditor("/setting /new /Debug"));
  HWND first = FrontBox("quorvane");
  ASSERT_TRUE(first) << Describe(GetForegroundWindow());
  realinput::Type("{Enter}");
  HWND settings = EditorWindow("quorvaneの設定");
  ASSERT_TRUE(settings) << Describe(GetForegroundWindow());
  ClickButton(settings, "OK");
  HWND hint = FrontBox("quorvane");
  ASSERT_TRUE(hint) << Describe(GetForegroundWindow());
  realinput::Type("{Enter}");
  const std::string editorLog = dir / "Files\\Debug.txt";
  ASSERT_TRUE(WaitFor([&] { return Read(editorLog).find("SendIngMessage : FocusToMain") != std::string::npos; }))
      << Read(editorLog);
  const std::string log = Read(editorLog);
  const std::string mark = "URZEditorMain.SendIngMessage.MainHandle : ";
  const size_t at = log.rfind(mark);
  ASSERT_NE(at, std::string::npos);
  EXPECT_NE(log.substr(at + mark.size(), 2), "0\r") << "a launcher window was found";
  EXPECT_LT(at, log.rfind("SendIngMessage : FocusToMain"));
  window = FindWindowA("TZMRTMain", "quorvanemain");
  EXPECT_TRUE(window);
}

}  // namespace
