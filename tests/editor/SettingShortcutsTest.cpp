// The settings window's shell shortcut page and the shared data folder, as
// real windows under Wine. The shell's special folders point into a temporary
// profile tree (the user and two other profiles, each with Startup, SendTo,
// Desktop and Programs), so no test touches the real user's folders; every
// link is read back from its .lnk file.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/Handles.h"
#include "core/HotKeyUtils.h"
#include "core/KeyWordX.h"
#include "core/OSUtils.h"
#include "core/ShellLink.h"
#include "core/Sjis.h"
#include "core/StringIni.h"
#include "core/StringList.h"
#include "editor/HotKey_Edit.h"
#include "editor/TreeViewUtils.h"
#include "editor/USettingForm.h"
#include "tests/core/RunSeams.h"
#include "tests/support/RealInput.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempDir.h"
#include "tests/ui/ControlsFixture.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Label.h"

namespace {

constexpr char kLogin[] = "qvtester";
const char* const kOthers[] = {"他のユーザー", "guest"};
constexpr WORD kCtrlSpace = (HOTKEYF_CONTROL << 8) | VK_SPACE;
constexpr WORD kAltQ = (HOTKEYF_ALT << 8) | 'Q';

std::string ReadFile(const std::string& file) {
  std::string text;
  fileio::ReadWholeFile(file, text);
  return text;
}

// Dialogs.ini as the dialog store reads and writes it (its values escaped).
std::string DialogValue(const std::string& file, const char* key) {
  TStringIni ini;
  ini.LoadFromFile(file);
  return ini.ReadString(key, "(none)");
}
void WriteDialogValue(const std::string& file, const char* key, const std::string& value) {
  TStringIni ini;
  ini.WriteString(key, value);
  ini.SaveToFile(file);
}

std::map<std::string, std::string> IniLines(const std::string& file) {
  TStringList lines;
  lines.SetText(ReadFile(file));
  std::map<std::string, std::string> byName;
  for (int i = 0; i < lines.Count(); ++i) {
    const size_t eq = lines[i].find('=');
    if (eq != std::string::npos) byName[lines[i].substr(0, eq)] = lines[i].substr(eq + 1);
  }
  return byName;
}

// A link read back from its file: target, working folder and hotkey.
struct TLinkRead {
  std::string Target, Folder;
  WORD HotKey = 0;
  bool operator==(const TLinkRead&) const = default;
};
std::ostream& operator<<(std::ostream& o, const TLinkRead& l) {
  return o << "{" << l.Target << ", " << l.Folder << ", " << l.HotKey << "}";
}
std::optional<TLinkRead> ReadLink(const std::string& file) {
  TShellLink link;
  if (!fileio::FileExists(file) || !link.Load(file)) return std::nullopt;
  return TLinkRead{link.Path(0), link.WorkingDirectory(), link.HotKey()};
}

class SettingShortcutsTest : public ControlsTest {
 protected:
  TempDir td;
  std::string main = td / "Main";
  std::string mainDir = main + "\\";
  std::string data = td / "Main\\Users\\All Users";
  TFilePaths oldPaths = FilePathsInstance();
  TRecordingShell shell;
  std::string login = kLogin;
  bool resolveFails = false;
  std::unique_ptr<TRZSettingMain> form;

  void SetUp() override {
    ControlsTest::SetUp();
    fileio::ForceDirectories(data);
    WriteTextFile(main + "\\Users\\UseSameData.ini", "");
    for (const std::string& profile : Profiles())
      for (const char* f : {"Startup", "SendTo", "Desktop", "Programs"}) fileio::ForceDirectories(Folder(profile, f));
    FilePathsInstance().SetMainDir(main);
  }
  void TearDown() override {
    form.reset();
    FilePathsInstance() = oldPaths;
    ControlsTest::TearDown();
  }
  static std::vector<std::string> Profiles() { return {kLogin, kOthers[0], kOthers[1]}; }
  // A profile's shell folder, without its trailing backslash (the page adds it).
  std::string Folder(const std::string& profile, const char* name) { return td / ("Profiles\\" + profile + "\\" + name); }
  std::string Own(const char* name) { return Folder(kLogin, name); }
  std::string StartMenuDir(const std::string& profile = kLogin) { return Folder(profile, "Programs") + "\\quorvane\\"; }
  // The launcher's link of a kind in a profile.
  std::string LinkOf(const TShortcutKind& k, const std::string& profile = kLogin) {
    static const std::map<std::string, const char*> dirs = {{"StartUp", "Startup"}, {"SendTo", "SendTo"}, {"DeskTop", "Desktop"}};
    return k.StartMenu ? StartMenuDir(profile) + k.LinkFile : Folder(profile, dirs.at(k.Kind)) + "\\" + k.LinkFile;
  }

  TSettingServices Services() {
    TSettingServices s;
    s.Shell = &shell;
    s.NT5OrLater = [] { return true; };
    s.NT = [] { return true; };
    s.LoginName = [this] { return login; };
    s.Clock = [] { return DWORD{0}; };
    s.Sleep = [](DWORD) {};
    s.FindLauncher = [] { return GetDesktopWindow(); };
    s.SpecialFolderPath = [this](HWND, int id) -> std::string {
      switch (id) {
        case CSIDL_STARTUP: return Own("Startup");
        case CSIDL_SENDTO: return Own("SendTo");
        case CSIDL_DESKTOP:
        case CSIDL_DESKTOPDIRECTORY: return Own("Desktop");
        case CSIDL_PROGRAMS: return Own("Programs");
      }
      ADD_FAILURE() << "folder id " << id;
      return "";
    };
    static bool* fails;
    fails = &resolveFails;
    s.ResolveLink = [](TShellLink& link, HWND owner) { return !*fails && ResolveLinkWithoutUI(link, owner); };
    return s;
  }
  TRZSettingMain& Shown(std::vector<std::string> params = {"/setting"}) {
    TStringList list;
    for (auto& p : params) list.Add(p);
    form = std::make_unique<TRZSettingMain>(list, Services());
    form->Show();
    ForceForegroundWindow(form->Handle());
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form->Handle(); }));
    Drain();
    return *form;
  }
  void Select(const std::string& path) {
    ui::TTreeNode* node = FindNodeByPath(path, '/', &form->TreeView1());
    ASSERT_TRUE(node) << path;
    node->Select();
    Drain();
  }
  void ShortcutPage() { Select("基本/ショートカット登録"); }
  void Click(ui::TWindow& control) { ClickAt(control.Handle(), 8, 8); }
  ui::TCheckBox& Box(const char* kind) { return form->Control<ui::TCheckBox>(FindShortcutKind(kind)->Box); }
  THotKeyEdit& HotKeyBox() { return form->Control<THotKeyEdit>(kShortcutHotKeyBox); }
  std::set<std::string> Pending() {
    std::set<std::string> p;
    for (int i = 0; i < form->PendingChanges().Count(); ++i) p.insert(form->PendingChanges()[i]);
    return p;
  }
  // The launcher's links as a folder layout of another installation wrote them.
  void WriteOldLinks(const std::string& oldMain, WORD hotKey) {
    const std::string exe = oldMain + "quorvane.exe";
    ASSERT_TRUE(WriteShellLink(Own("Startup") + "\\quorvane.lnk", exe, oldMain, std::nullopt));
    fileio::ForceDirectories(StartMenuDir());
    for (const TStartMenuLink& l : StartMenuLinks(oldMain))
      ASSERT_TRUE(WriteShellLink(StartMenuDir() + l.LinkFile, l.Target, oldMain,
                                 l.LinkFile == "quorvane.lnk" ? std::optional<WORD>(hotKey) : std::nullopt));
  }
  TLinkRead Launcher(WORD hotKey = 0) { return {mainDir + "quorvane.exe", mainDir, hotKey}; }
};

// ---- Set-up ----

TEST_F(SettingShortcutsTest, TheFirstVisitShowsTheLinksPresentAndTheStartHotKey) {
  struct Case {
    const char* name;
    std::vector<const char*> present;  // kinds whose launcher link exists
    WORD hotKey;
    bool resolveFails;
    std::string shown;
  } cases[] = {
      {"none", {}, 0, false, "なし"},
      {"start menu with a hotkey", {"StartMenu", "SendTo"}, kAltQ, false, "Alt+Q"},
      {"start menu without one", {"StartMenu", "DeskTop"}, 0, false, "なし"},
      // The installation moved: the link's target is gone and cannot be found.
      {"target gone", {"StartMenu", "StartUp"}, kAltQ, true, "Alt+Q"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fileio::ForceDirectories(StartMenuDir());
    for (const TShortcutKind& k : ShortcutKinds()) {
      DeleteFileA(LinkOf(k).c_str());
      for (const char* p : c.present) {
        if (p != std::string(k.Kind)) continue;
        ASSERT_TRUE(WriteShellLink(LinkOf(k), td / "gone\\quorvane.exe", td.path(),
                                   k.StartMenu ? std::optional<WORD>(c.hotKey) : std::nullopt));
      }
    }
    resolveFails = c.resolveFails;
    TRZSettingMain& f = Shown();
    ShortcutPage();
    for (const TShortcutKind& k : ShortcutKinds()) {
      bool expected = false;
      for (const char* p : c.present) expected |= p == std::string(k.Kind);
      EXPECT_EQ(Box(k.Kind).Checked(), expected) << k.Kind;
    }
    EXPECT_EQ(HotKeyBox().Text(), c.shown);
    EXPECT_EQ(HotKeyBox().Kind(), kHotKeyKindShellLink);
    EXPECT_EQ(f.ShortcutHints().ToolText(HotKeyBox().Handle()), "修飾キーのみで「なし」");
    EXPECT_EQ(HotKeyBox().Enabled(), Box("StartMenu").Checked());
    EXPECT_EQ(Pending(), std::set<std::string>{"ショートカット登録"}) << "no TargetPath yet";
    EXPECT_TRUE(f.ApplyButton().Enabled());
    form.reset();
  }
}

TEST_F(SettingShortcutsTest, TheFirstRunChecksStartMenuAndSendToAndOKWritesThemWithCtrlSpace) {
  TRZSettingMain& f = Shown({"/setting", "/new"});
  ShortcutPage();
  EXPECT_TRUE(Box("StartMenu").Checked());
  EXPECT_TRUE(Box("SendTo").Checked());
  EXPECT_FALSE(Box("StartUp").Checked());
  EXPECT_EQ(HotKeyBox().Text(), "Ctrl+Space");
  EXPECT_EQ(f.Settings()->Exe_S, "Ctrl+Space");
  EXPECT_TRUE(f.Control(kPerUserNote).Visible()) << "NT with the shared folder";
  shell.starts.clear();
  Click(f.Control("Button1"));  // OK
  EXPECT_FALSE(f.Visible());

  EXPECT_EQ(ReadLink(Own("SendTo") + "\\quorvaneに登録.lnk"), Launcher());
  EXPECT_FALSE(fileio::FileExists(Own("Startup") + "\\quorvane.lnk"));
  EXPECT_FALSE(fileio::FileExists(Own("Desktop") + "\\quorvane.lnk"));
  for (const TStartMenuLink& l : StartMenuLinks(mainDir))
    EXPECT_EQ(ReadLink(StartMenuDir() + l.LinkFile),
              (TLinkRead{l.Target, mainDir, l.LinkFile == "quorvane.lnk" ? kCtrlSpace : WORD{0}}))
        << l.LinkFile;
  ASSERT_FALSE(shell.starts.empty());
  EXPECT_EQ(shell.starts[0].file, StartMenuDir().substr(0, StartMenuDir().size() - 1)) << "the new folder is shown";
  EXPECT_FALSE(shell.starts[0].verbSet);
  EXPECT_EQ(IniLines(data + "\\quorvane.ini")["Exe_S"], "Ctrl+Space");
  EXPECT_EQ(DialogValue(data + "\\Dialogs.ini", "TargetPath"), mainDir);
}

TEST_F(SettingShortcutsTest, Screenshot) {
  TRZSettingMain& f = Shown({"/setting", "/new"});
  ShortcutPage();
  OfferScreenshot(f.Handle(), "editor-settings-shortcuts-first-run");
}

// ---- Apply ----

TEST_F(SettingShortcutsTest, AMovedInstallationRewritesEveryKindAndKeepsTheStartHotKey) {
  const std::string oldMain = td / "Old\\";
  WriteOldLinks(oldMain, kAltQ);
  WriteDialogValue(data + "\\Dialogs.ini", "TargetPath", oldMain);
  ASSERT_TRUE(WriteShellLink(Own("Desktop") + "\\unrelated.lnk", oldMain + "x.exe", oldMain, std::nullopt));
  resolveFails = true;  // the old target is gone

  TRZSettingMain& f = Shown();
  ShortcutPage();
  EXPECT_EQ(HotKeyBox().Text(), "Alt+Q");
  EXPECT_EQ(Pending(), std::set<std::string>{"ショートカット登録"});
  ASSERT_TRUE(f.ApplyButton().Enabled());
  Click(f.ApplyButton());

  EXPECT_EQ(ReadLink(Own("Startup") + "\\quorvane.lnk"), Launcher());
  EXPECT_FALSE(fileio::FileExists(Own("SendTo") + "\\quorvaneに登録.lnk")) << "unchecked: not made";
  for (const TStartMenuLink& l : StartMenuLinks(mainDir))
    EXPECT_EQ(ReadLink(StartMenuDir() + l.LinkFile),
              (TLinkRead{l.Target, mainDir, l.LinkFile == "quorvane.lnk" ? kAltQ : WORD{0}}))
        << l.LinkFile;
  EXPECT_TRUE(fileio::FileExists(Own("Desktop") + "\\unrelated.lnk"));
  EXPECT_TRUE(shell.starts.empty()) << "the folder was there";
  EXPECT_EQ(IniLines(data + "\\quorvane.ini")["Exe_S"], "Alt+Q");
  EXPECT_EQ(DialogValue(data + "\\Dialogs.ini", "TargetPath"), mainDir);
  EXPECT_TRUE(Pending().empty());
}

TEST_F(SettingShortcutsTest, BoxesByRealClicksWriteOnlyTheirKindsAndClearingTheStartMenuEmptiesExeS) {
  WriteOldLinks(mainDir, kAltQ);
  const std::string keptStartUp = Own("Startup") + "\\quorvane.lnk";
  ASSERT_TRUE(WriteShellLink(keptStartUp, td / "elsewhere.exe", td.path(), std::nullopt));  // not ours to rewrite
  WriteDialogValue(data + "\\Dialogs.ini", "TargetPath", mainDir);

  TRZSettingMain& f = Shown();
  ShortcutPage();
  EXPECT_TRUE(Pending().empty()) << "TargetPath is this folder";
  EXPECT_FALSE(f.ApplyButton().Enabled());
  Click(Box("SendTo"));
  EXPECT_EQ(Pending(), (std::set<std::string>{"SendTo", "ショートカット登録"}));
  Click(Box("SendTo"));
  Click(Box("SendTo"));
  EXPECT_EQ(f.PendingChanges().Count(), 2) << "each once";
  Click(f.ApplyButton());
  EXPECT_EQ(ReadLink(Own("SendTo") + "\\quorvaneに登録.lnk"), Launcher());
  EXPECT_EQ(ReadLink(keptStartUp)->Target, td / "elsewhere.exe") << "StartUp was not pending";
  EXPECT_EQ(IniLines(data + "\\quorvane.ini")["Exe_S"], "Alt+Q") << "the start-menu link is there";

  // A new hotkey pressed into the box goes into the start-menu link only.
  Click(HotKeyBox());
  Press({VK_MENU, 'K'});
  EXPECT_EQ(HotKeyBox().Text(), "Alt+K");
  EXPECT_EQ(Pending(), (std::set<std::string>{"StartMenu", "ショートカット登録"}));
  Click(f.ApplyButton());
  EXPECT_EQ(ReadLink(StartMenuDir() + "quorvane.lnk")->HotKey, HOTKEYF_ALT << 8 | 'K');
  EXPECT_EQ(IniLines(data + "\\quorvane.ini")["Exe_S"], "Alt+K");

  Click(Box("StartMenu"));
  EXPECT_FALSE(HotKeyBox().Enabled());
  Click(f.ApplyButton());
  EXPECT_FALSE(fileio::DirectoryExists(StartMenuDir())) << "its five links and the folder";
  EXPECT_EQ(IniLines(data + "\\quorvane.ini")["Exe_S"], "");
}

TEST_F(SettingShortcutsTest, CreateShortCutSetsAHotKeyForATextClearsItForNoneAndLeavesItForEmpty) {
  TRZSettingMain& f = Shown();
  struct Case {
    const char* text;
    WORD read;
  } cases[] = {{"Ctrl+Space", kCtrlSpace}, {"Alt+Q", kAltQ}, {"なし", 0}, {"", 0}, {"Ctrl", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string lnk = td / "作成.lnk";
    f.CreateShortCut(lnk, td / "表示.exe", c.text, mainDir);
    EXPECT_EQ(ReadLink(lnk), (TLinkRead{td / "表示.exe", mainDir, c.read}));
    DeleteFileA(lnk.c_str());
  }
  EXPECT_EQ(f.GetSpecialFolder(CSIDL_SENDTO), Own("SendTo") + "\\") << "with its backslash";
}

// The shell's own folders, only where they lie in this test run's Wine
// prefix (its drive_c and its home both live in build/); what the test makes
// there goes again.
TEST_F(SettingShortcutsTest, TheShellsOwnFoldersTakeTheLinksWhenTheyLieInTheTestPrefix) {
  const char* prefix = getenv("WINEPREFIX");
  if (!prefix || !strstr(prefix, "/build/")) GTEST_SKIP() << "not the test prefix";
  std::map<int, std::string> real;
  for (int id : {CSIDL_STARTUP, CSIDL_SENDTO, CSIDL_DESKTOP, CSIDL_DESKTOPDIRECTORY, CSIDL_PROGRAMS}) {
    real[id] = ShellSpecialFolderPath(nullptr, id);
    if (!sjis::StartsWithIgnoreCase(real[id], "C:\\users\\")) GTEST_SKIP() << real[id];
  }
  const std::string sendTo = sjis::IncludeTrailingPathDelimiter(real[CSIDL_SENDTO]) + "quorvaneに登録.lnk";
  if (fileio::FileExists(sendTo)) GTEST_SKIP() << "a link of someone else's";
  TStringList params;
  params.Add("/setting");
  TSettingServices s = Services();
  s.SpecialFolderPath = nullptr;  // the shell's
  form = std::make_unique<TRZSettingMain>(params, s);
  form->Show();
  ForceForegroundWindow(form->Handle());
  Drain();
  ShortcutPage();
  EXPECT_EQ(form->GetSpecialFolder(CSIDL_SENDTO), sjis::IncludeTrailingPathDelimiter(real[CSIDL_SENDTO]));
  Click(Box("SendTo"));
  Click(form->ApplyButton());
  EXPECT_EQ(ReadLink(sendTo), Launcher());
  fileio::DeleteFileAt(sendTo);
}

// ---- Delete all ----

TEST_F(SettingShortcutsTest, DeleteAllAsksThenRemovesTheLinksOfEveryProfile) {
  struct Case {
    const char* name;
    std::string login;
    int answer;
    bool ownGone, othersGone;
  } cases[] = {
      {"No keeps everything", kLogin, IDNO, false, false},
      {"every profile", kLogin, IDYES, true, true},
      {"login name not in the path", "nobody", IDYES, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& p : Profiles()) {
      fileio::ForceDirectories(StartMenuDir(p));
      for (const TShortcutKind& k : ShortcutKinds())
        ASSERT_TRUE(WriteShellLink(LinkOf(k, p), mainDir + "quorvane.exe", mainDir, {}));
      for (const TStartMenuLink& l : StartMenuLinks(mainDir))
        ASSERT_TRUE(WriteShellLink(StartMenuDir(p) + l.LinkFile, l.Target, mainDir, {}));
    }
    login = c.login;
    TRZSettingMain& f = Shown();
    ShortcutPage();
    ASSERT_TRUE(Box("StartMenu").Checked());
    boxes.clear();
    answer = c.answer;
    Click(f.Control(kDeleteShortcutsButton));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text,
              "すべてのユーザのquorvaneへのショートカットを削除します。\r\nよろしいですか?\r\n\r\n"
              "※この変更は今すぐ反映されます");
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    for (const std::string& p : Profiles()) {
      const bool gone = p == kLogin ? c.ownGone : c.othersGone;
      SCOPED_TRACE(p);
      for (const TShortcutKind& k : ShortcutKinds()) EXPECT_NE(fileio::FileExists(LinkOf(k, p)), gone) << k.Kind;
      EXPECT_NE(fileio::DirectoryExists(StartMenuDir(p)), gone);
    }
    EXPECT_EQ(Box("StartMenu").Checked(), !c.ownGone) << "the page shows the files as they are now";
    EXPECT_EQ(HotKeyBox().Enabled(), !c.ownGone);
    form.reset();
  }
}

// ---- Apply's order and the launcher ----

// A window of the launcher's class and caption that reads, when "/ReLoad"
// comes, which of the files Apply writes are there.
struct StandInLauncher {
  static inline StandInLauncher* current = nullptr;
  HWND hwnd = nullptr;
  std::string data;
  std::vector<std::string> watched, seen;

  explicit StandInLauncher(std::vector<std::string> files) : watched(std::move(files)) {
    current = this;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TZMRTMain";
    RegisterClassA(&wc);
    hwnd = CreateWindowA("TZMRTMain", "quorvanemain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~StandInLauncher() {
    DestroyWindow(hwnd);
    UnregisterClassA("TZMRTMain", GetModuleHandleA(nullptr));
    current = nullptr;
  }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA && current) {
      auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lp);
      current->data.assign(static_cast<const char*>(cds->lpData), cds->cbData);
      for (const std::string& f : current->watched)
        if (fileio::FileExists(f)) current->seen.push_back(f);
      return 1;
    }
    return DefWindowProcA(w, msg, wp, lp);
  }
};

TEST_F(SettingShortcutsTest, TheLauncherIsToldToReloadAfterEveryFileIsWritten) {
  std::vector<std::string> files = {data + "\\quorvane.ini", data + "\\RunCommand.ini", data + "\\Dialogs.ini",
                                    Own("SendTo") + "\\quorvaneに登録.lnk"};
  for (const TStartMenuLink& l : StartMenuLinks(mainDir)) files.push_back(StartMenuDir() + l.LinkFile);
  StandInLauncher launcher(files);
  TRZSettingMain& f = Shown({"/setting", "/new"});
  ShortcutPage();
  Click(f.ApplyButton());
  EXPECT_EQ(launcher.data, std::string("/ReLoad", 8));
  EXPECT_EQ(launcher.seen, files);
}

// ---- The shared data folder ----

class SettingSharedDataTest : public SettingShortcutsTest {
 protected:
  std::string own = main + "\\Users\\" + GetLoginUserName();
  void SetUp() override {
    SettingShortcutsTest::SetUp();
    login = GetLoginUserName();
    WriteTextFile(data + "\\Items\\%.vane", "memo\tType=0\tCommand=notepad.exe\r\n");
    WriteTextFile(data + "\\quorvane.ini", "version=150103\r\nMode=2\r\nHistoryCount=77\r\n");
    WriteTextFile(data + "\\History.txt", "memo\r\n");
    WriteTextFile(data + "\\Icons\\a.ico", "icon");
  }
  ui::TCheckBox& SharedBox() { return form->Control<ui::TCheckBox>("SharedData"); }
  bool Marker() { return fileio::FileExists(main + "\\Users\\UseSameData.ini"); }
};

TEST_F(SettingSharedDataTest, TheBoxAndApplyMoveEveryFileToTheUsersFolderAndBack) {
  struct Step {
    const char* name;
    std::string from, to;
    bool shared;
  } steps[] = {{"to the user's own folder", data, own, false}, {"back to the shared folder", own, data, true}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    FilePathsInstance().SetMainDir(main);  // as the editor's next start finds the folders
    TRZSettingMain& f = Shown();
    Select("基本");
    ASSERT_EQ(SharedBox().Checked(), !s.shared);
    Click(SharedBox());
    EXPECT_EQ(f.Settings()->DataFolder, s.to);
    EXPECT_EQ(f.Settings()->version, 0);
    boxes.clear();
    Click(f.ApplyButton());
    ASSERT_EQ(boxes.size(), 1u);
    const std::string name = s.shared ? "All Users" : GetLoginUserName();
    EXPECT_EQ(boxes[0].Text, "データ保存フォルダが変更されました\r\n\r\n\r\n各種設定、データは\r\n\r\n"
                             "[ quorvaneのフォルダ ]\\Users\\" + name + "\r\n\r\nに保存されます。\r\n\r\n\r\n"
                             "データのバックアップを取る際には「" + name + "」フォルダごと保存してください");
    EXPECT_EQ(Marker(), s.shared);
    EXPECT_EQ(ReadFile(s.to + "\\Items\\%.vane").substr(0, 4), "memo");
    EXPECT_EQ(IniLines(s.to + "\\quorvane.ini")["HistoryCount"], "77");
    EXPECT_EQ(ReadFile(s.to + "\\History.txt"), "memo\r\n");
    EXPECT_EQ(ReadFile(s.to + "\\Icons\\a.ico"), "icon");
    EXPECT_TRUE(fileio::FileExists(s.to + "\\Dialogs.ini"));
    EXPECT_EQ(f.DataFolder(), s.to);
    // A second Apply copies nothing again and writes into the new folder.
    boxes.clear();
    DeleteFileA((s.to + "\\RunCommand.ini").c_str());
    Click(SharedBox());
    Click(SharedBox());
    Click(f.ApplyButton());
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(fileio::FileExists(s.to + "\\RunCommand.ini"));
    form.reset();
    EXPECT_EQ(TFilePaths(main).UserDir, s.to) << "both programs now start in it";
  }
}

// An old folder without Items gets the shipped ones into the new folder, and
// the shipped icons when it has none either.
TEST_F(SettingSharedDataTest, WithoutItemsTheShippedItemsAndIconsAreCopied) {
  ASSERT_TRUE(DeleteFileA((data + "\\Items\\%.vane").c_str()) && RemoveDirectoryA((data + "\\Items").c_str()));
  ASSERT_TRUE(DeleteFileA((data + "\\Icons\\a.ico").c_str()) && RemoveDirectoryA((data + "\\Icons").c_str()));
  WriteTextFile(main + "\\Files\\Items\\%.vane", "shipped\tType=0\tCommand=notepad.exe\r\n");
  WriteTextFile(main + "\\Files\\Icons\\s.ico", "shipped icon");
  TRZSettingMain& f = Shown();
  Select("基本");
  Click(SharedBox());
  Click(f.ApplyButton());
  EXPECT_EQ(ReadFile(own + "\\Items\\%.vane").substr(0, 7), "shipped");
  EXPECT_EQ(ReadFile(own + "\\Icons\\s.ico"), "shipped icon");
  EXPECT_FALSE(Marker());
  EXPECT_EQ(f.DataFolder(), own);
}

TEST_F(SettingSharedDataTest, AFailedCopyLeavesTheOldFolderInUse) {
  WriteTextFile(own, "a file where the folder goes");
  TRZSettingMain& f = Shown();
  Select("基本");
  Click(SharedBox());
  Select("登録");
  Click(f.Control<ui::TCheckBox>("SelectPriority"));
  boxes.clear();
  Click(f.ApplyButton());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "データ保存フォルダを変更できませんでした");
  EXPECT_EQ(boxes[0].Caption, "quorvane");
  EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_OK));
  EXPECT_TRUE(Marker()) << "the marker as it was";
  EXPECT_TRUE(f.Shared());
  EXPECT_EQ(f.Settings()->DataFolder, data);
  EXPECT_TRUE(SharedBox().Checked());
  EXPECT_EQ(DialogValue(data + "\\Dialogs.ini", "SelectPriority"), "1") << "the rest of Apply went to the old folder";
  EXPECT_EQ(IniLines(data + "\\quorvane.ini")["HistoryCount"], "77");
  EXPECT_EQ(ReadFile(own), "a file where the folder goes");
  form.reset();
  EXPECT_EQ(TFilePaths(main).UserDir, data);
}


template <class F>
bool WaitFor(F done, DWORD boundMs = 30000) {
  for (DWORD waited = 0; waited < boundMs; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

// The launcher started after a switch finds the keywords stored before it.
TEST_F(SettingSharedDataTest, TheRealLauncherStartedAfterTheSwitchRunsAKeywordStoredBefore) {
  const std::string recorder = td / "rec\\rec.exe", args = td / "rec\\args.txt";
  fileio::ForceDirectories(td / "rec");
  ASSERT_TRUE(CopyFileA(QV_FAKE_EDITOR_EXE, recorder.c_str(), FALSE));
  {
    TKeyWordManager store(data + "\\Items", main);
    store.NewKeyWord("kirokuki", "", 0)->SetCommand(recorder);
    store.Save();
  }
  // Resident, called with Ctrl+Alt+Q.
  WriteTextFile(data + "\\quorvane.ini", "version=150103\r\nMode=0\r\nCall_Mod=3\r\nCall_key=81\r\n");
  TRZSettingMain& f = Shown();
  Select("基本");
  Click(SharedBox());
  Click(f.ApplyButton());
  form.reset();
  ASSERT_EQ(TFilePaths(main).UserDir, own);

  const std::string exe = main + "\\quorvane.exe";
  ASSERT_TRUE(CopyFileA(QV_LAUNCHER_EXE, exe.c_str(), FALSE));
  std::string line = "\"" + exe + "\" /Debug";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, main.c_str(),
                             &si, &pi));
  // The launcher goes with this test, also when a time-out ends it.
  core::TUniqueKernelHandle job(CreateJobObjectA(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  AssignProcessToJobObject(job.get(), pi.hProcess);
  ResumeThread(pi.hThread);
  CloseHandle(pi.hThread);
  core::TUniqueKernelHandle process(pi.hProcess);
  const auto log = [&] { return ReadFile(main + "\\Debug.txt"); };
  ASSERT_TRUE(WaitFor([&] { return log().find("TZMRTMain.Craete:END") != std::string::npos; })) << log();
  HWND window = FindLauncherMainWindow();
  ASSERT_TRUE(window);
  const auto idle = [&] {
    WaitForInputIdle(process.get(), 5000);
    for (int i = 0; i < 3; ++i) {
      DWORD_PTR r = 0;
      SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &r);
    }
  };
  idle();
  if (!IsWindowVisible(window) || GetForegroundWindow() != window) {
    if (IsWindowVisible(window)) ForceForegroundWindow(window);
    else realinput::Chord({VK_CONTROL, VK_MENU, 'Q'});
  }
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; }));
  idle();
  Sleep(300);
  realinput::TypeHeld("kirokuki{Enter}", idle);
  EXPECT_TRUE(WaitFor([&] { return fileio::FileExists(args); })) << log();
  PostMessageA(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.get(), 10000);
}

}  // namespace
