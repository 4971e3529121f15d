#include "launcher/UZMRT.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <type_traits>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/ZMRTData.h"
#include "launcher/Priority_Manager.h"
#include "launcher/Taskbar.h"
#include "launcher/TrShlApi.h"
#include "tests/launcher/LauncherFixture.h"
#include "tests/support/TempDir.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

namespace {

TEST(LauncherStyles, BorderStyleChoosesTheFrame) {
  const struct {
    int border;
    DWORD added;
  } cases[] = {
      {0, WS_DLGFRAME | WS_SYSMENU}, {1, WS_SYSMENU | WS_THICKFRAME}, {2, WS_BORDER | WS_SYSMENU},
      {3, WS_SYSMENU},               {7, WS_DLGFRAME | WS_SYSMENU},
  };
  for (const auto& c : cases) {
    DWORD style = WS_POPUP, ex = 0;
    TZMRTMain::BorderStyleToWindowStyle(c.border, style, ex);
    EXPECT_EQ(style, WS_POPUP | c.added) << c.border;
    EXPECT_EQ(ex, static_cast<DWORD>(WS_EX_TOOLWINDOW));
  }
}

TEST(LauncherStyles, MinusOneCentresOnTheWorkArea) {
  const RECT work = {0, 0, 1001, 701};
  EXPECT_EQ(TZMRTMain::StartPosition(-1, 500, 300, 40, work).x, 350);
  EXPECT_EQ(TZMRTMain::StartPosition(-1, 500, 300, 40, work).y, 330);
  EXPECT_EQ(TZMRTMain::StartPosition(10, -1, 300, 40, work).x, 350);
  EXPECT_EQ(TZMRTMain::StartPosition(10, 20, 300, 40, work).x, 10);
  EXPECT_EQ(TZMRTMain::StartPosition(10, 20, 300, 40, work).y, 20);
}

TEST_F(LauncherWindow, MakesTheWindowTheOthersFindAndLoadsTheStore) {
  Settings("BorderStyle=2\r\n");
  TZMRTMain& m = Make();
  ASSERT_TRUE(m.Started());
  // The settings were read before the frame was chosen.
  EXPECT_TRUE(GetWindowLongPtrA(m.Handle(), GWL_STYLE) & WS_BORDER);
  EXPECT_FALSE(GetWindowLongPtrA(m.Handle(), GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(FindWindowA("TZMRTMain", "quorvanemain"), m.Handle());
  EXPECT_TRUE(GetWindowLongPtrA(m.Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  ASSERT_TRUE(m.KeyWordManager);
  EXPECT_EQ(m.KeyWordManager->ItemsFolder(), user + "\\Items\\");
  EXPECT_EQ(m.KeyWordManager->SystemCommandRunner, &m);
  EXPECT_EQ(m.UserDir, user);
  EXPECT_TRUE(m.Starting);
  EXPECT_FALSE(m.FirstRun);
  EXPECT_TRUE(starts.empty());
  EXPECT_FALSE(m.Hidden);
}

TEST_F(LauncherWindow, TrayIconIsMadeHiddenAndShownOnlyAsTheSettingsSay) {
  const struct {
    const char* settings;
    bool visible;
  } cases[] = {
      {"", true},
      {"HideTaskIcon=1\r\n", false},
      {"UseTaskTray=0\r\n", false},
  };
  for (const auto& c : cases) {
    shell.calls.clear();
    Settings(c.settings);
    TZMRTMain& m = Make();
    ASSERT_TRUE(m.TrayIcon1);
    EXPECT_EQ(m.TrayIcon1->Visible(), c.visible) << c.settings;
    // Nothing reached the tray before the load decided.
    const bool added = std::count(shell.calls.begin(), shell.calls.end(), static_cast<DWORD>(NIM_ADD)) > 0;
    EXPECT_EQ(added, c.visible) << c.settings;
    if (c.visible) {
      EXPECT_NE(m.TrayIcon1->Icon(), nullptr);
    }
    main.reset();
  }
}

// A window of another program that asks and keeps the answers.
struct Asker {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  std::unique_ptr<TEasyCopyDataHandler> handler = std::make_unique<TEasyCopyDataHandler>(window);
  std::vector<std::string> answers;
  Asker() {
    handler->OnReceived = [this](TEasyCopyDataHandler*, const std::string& text, HWND) { answers.push_back(text); };
  }
  ~Asker() {
    handler.reset();
    DestroyWindow(window);
  }
};

TEST_F(LauncherWindow, CopyDataIsBoundedAndAnsweredToTheSender) {
  Settings("");
  TZMRTMain& m = Make();
  Asker asker;
  EXPECT_EQ(SendCopyData(m.Handle(), 0, std::string("/getUserDir\0", 12), asker.window), FALSE);
  EXPECT_TRUE(asker.answers.empty());
  EXPECT_EQ(SendCopyData(m.Handle(), 2, std::string("/getUserDir\0junk", 16), asker.window), TRUE);
  EXPECT_EQ(m.CopyData->DataWord(), 2u);
  // cbData shorter than the text: "/getUser" asks nothing.
  EXPECT_EQ(SendCopyData(m.Handle(), 1, std::string("/getUserDir").substr(0, 8), asker.window), TRUE);
  EXPECT_EQ(SendCopyData(m.Handle(), 1, std::string("/getCurrentDir"), asker.window), TRUE);
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  ASSERT_EQ(asker.answers.size(), 2u);
  EXPECT_EQ(asker.answers[0], m.UserDir);
  EXPECT_EQ(asker.answers[1], current);
  // Without a sender the answer goes to the file, and a sender wins over it.
  const std::string file = dir / "t\\n\\answer.txt";
  EXPECT_EQ(SendCopyData(m.Handle(), 1, "/getUserDir\r\n/ResultFile=" + file + std::string(1, '\0')), TRUE);
  EXPECT_EQ(ReadTextFile(file), m.UserDir);
  fileio::DeleteFileAt(file);
  EXPECT_EQ(SendCopyData(m.Handle(), 1, "/getUserDir\r\n/ResultFile=" + file, asker.window), TRUE);
  EXPECT_FALSE(fileio::FileExists(file));
  EXPECT_EQ(asker.answers.size(), 3u);
  // Megabytes of random bytes without a NUL, as the last line of a request.
  std::string noise = "/getUserDir\r\n";
  unsigned state = 7;
  while (noise.size() < 4 * 1024 * 1024) {
    state = state * 1103515245u + 12345u;
    noise.push_back(static_cast<char>((state >> 16) % 255 + 1));
  }
  EXPECT_EQ(SendCopyData(m.Handle(), 1, noise, asker.window), TRUE);
  ASSERT_EQ(asker.answers.size(), 4u);
  EXPECT_EQ(asker.answers[3], m.UserDir);
}

TEST_F(LauncherWindow, SetConfigWritesOneKeyOrMergesAFile) {
  Settings("");
  TZMRTMain& m = Make();
  const std::string ini = user + "\\quorvane.ini";
  EXPECT_EQ(SendCopyData(m.Handle(), 1, "/SetConfig\r\nTestKey\r\nvalue one"), TRUE);
  EXPECT_NE(ReadTextFile(ini).find("TestKey=value\\sone\r\n"), std::string::npos) << ReadTextFile(ini);
  const std::string merged = dir / "merge.ini";
  WriteTextFile(merged, "MergedA=1\r\nMergedB=two\r\n");
  EXPECT_EQ(SendCopyData(m.Handle(), 1, "/SetConfig\r\n" + merged), TRUE);
  EXPECT_NE(ReadTextFile(ini).find("MergedA=1\r\nMergedB=two\r\n"), std::string::npos) << ReadTextFile(ini);
  // No key name: nothing nameless is stored.
  EXPECT_EQ(SendCopyData(m.Handle(), 1, "/SetConfig\r\n\r\nlost"), TRUE);
  EXPECT_EQ(ReadTextFile(ini).find("=lost"), std::string::npos) << ReadTextFile(ini);
}

TEST_F(LauncherWindow, PositionSwitchesMoveWithoutResizingAndSetHomeLeft) {
  Settings("");
  TZMRTMain& m = Make();
  RECT before = {};
  GetWindowRect(m.Handle(), &before);
  EXPECT_EQ(SendCopyData(m.Handle(), 1, "/X=30\r\n/Y=40"), TRUE);
  RECT r = {};
  GetWindowRect(m.Handle(), &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, before.right - before.left);
  EXPECT_EQ(m.HomeLeft(), 30);
  // -1 and a value that is no number keep the coordinate.
  EXPECT_EQ(SendCopyData(m.Handle(), 1, "/X=-1\r\n/Y=abc"), TRUE);
  GetWindowRect(m.Handle(), &r);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
}

TEST_F(LauncherWindow, HandOverReachesTheWindowWithTheArgumentCount) {
  Settings("");
  TZMRTMain& m = Make();
  const std::string file = dir / "handed.txt";
  EXPECT_TRUE(HandOverToRunningLauncher(TStringList({"/getUserDir", "/ResultFile=" + file + "  "}), 5));
  EXPECT_EQ(m.CopyData->DataWord(), 5u);
  EXPECT_EQ(ReadTextFile(file), m.UserDir);
  main.reset();
  EXPECT_FALSE(HandOverToRunningLauncher(TStringList({"/x"}), 1));
}

TEST_F(LauncherWindow, MissingItemsOrIconsStartsTheEditorSetupAndEnds) {
  for (const char* missing : {"\\Items", "\\Icons"}) {
    starts.clear();
    RemoveDirectoryA((user + missing).c_str());
    Settings("");
    TZMRTMain& m = Make();
    EXPECT_TRUE(m.FirstRun) << missing;
    EXPECT_FALSE(m.KeyWordManager) << missing;
    ASSERT_EQ(starts.size(), 1u) << missing;
    EXPECT_EQ(starts[0].file, dir / "Files\\QVEditor.exe");
    EXPECT_EQ(starts[0].params, "/setting /new");
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the application ends";
    main.reset();
    fileio::ForceDirectories(user + missing);
  }
}

TEST_F(LauncherWindow, HideSwitchOrHideWhenStartKeepsTheWindowHidden) {
  Settings("");
  EXPECT_TRUE(Make(TStringList({"/HIDE"})).Hidden);
  main.reset();
  Settings("hideWhenStart=1\r\n");
  EXPECT_TRUE(Make().Hidden);
  EXPECT_FALSE(main->Visible());
}

TEST_F(LauncherWindow, LayoutPutsTheBoxAfterTheIconPicture) {
  const struct {
    const char* settings;
    bool small;
    int left;
  } cases[] = {
      {"small=1\r\nshowicon=0\r\n", true, 0},
      {"small=0\r\nshowicon=0\r\n", false, 0},
      {"small=1\r\nshowicon=1\r\n", true, 20},
      {"small=0\r\nshowicon=1\r\n", false, 36},
  };
  for (const auto& c : cases) {
    Settings(c.settings);
    TZMRTMain& m = Make();
    RECT client = {}, box = {};
    GetClientRect(m.Handle(), &client);
    GetWindowRect(m.Edit1->Handle(), &box);
    MapWindowPoints(nullptr, m.Handle(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.left, c.left) << c.settings;
    EXPECT_EQ(m.EditLeftOffset(), c.left);
    EXPECT_EQ(m.IconImage != nullptr, c.left != 0);
    EXPECT_GE(client.bottom, c.small ? 18 : 36) << c.settings;
    EXPECT_EQ(client.bottom, m.FixedClientHeight());
    EXPECT_EQ(client.right, box.right + (c.small ? 10 : 0)) << c.settings;
    if (!c.small) {
      EXPECT_GT(box.top, 0) << "the status line lies above the box";
    }
    main.reset();
  }
}

TEST_F(LauncherWindow, InputBoxIsTheKeywordEditOfTheCurrentStore) {
  static_assert(std::is_same_v<decltype(TZMRTMain::Edit1), std::unique_ptr<TKeyWordEdit>>);
  Settings("");
  TZMRTMain& m = Make();
  ASSERT_TRUE(m.Edit1 && m.Edit1->Handle());
  EXPECT_EQ(GetParent(m.Edit1->Handle()), m.Handle());
  EXPECT_EQ(m.Edit1->KeywordManager(), m.KeyWordManager.get());
  ASSERT_NE(m.Edit1->PriorityManager(), nullptr);
  m.Load(true);  // a new store: the box and its priority manager follow it
  EXPECT_EQ(m.Edit1->KeywordManager(), m.KeyWordManager.get());
  EXPECT_EQ(m.Edit1->PriorityManager()->KeyWords(), m.KeyWordManager.get());
  EXPECT_EQ(m.Edit1->Text(), "");
}

TEST_F(LauncherWindow, IconUpgradeCopiesOnlyMissingIcons) {
  fileio::ForceDirectories(dir / "Files\\Icons");
  WriteTextFile(dir / "Files\\Icons\\a.ico", "shipped a");
  WriteTextFile(dir / "Files\\Icons\\b.ico", "shipped b");
  WriteTextFile(user + "\\Icons\\a.ico", "mine");
  WriteTextFile(user + "\\quorvane.ini", "");  // version 0
  Make();
  EXPECT_EQ(ReadTextFile(user + "\\Icons\\a.ico"), "mine");
  EXPECT_EQ(ReadTextFile(user + "\\Icons\\b.ico"), "shipped b");
}

TEST_F(LauncherWindow, ReloadWhileStartingIsIgnored) {
  Settings("");
  TZMRTMain& m = Make();
  m.KeyWordManager->NewKeyWord("k", "", 0);
  const int cached = m.KeyWordManager->CachedGroupCount();
  ASSERT_GT(cached, 0);
  m.ReLoad(false);
  EXPECT_EQ(m.KeyWordManager->CachedGroupCount(), cached);
  // The first idle (once the messages waiting are handled) ends the start; a
  // thread timer ends each wait after it.
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
  for (int i = 0; i < 200 && m.Starting; ++i) app.HandleMessageOrIdle();
  KillTimer(nullptr, timer);
  EXPECT_FALSE(m.Starting);
  m.ReLoad(false);
  EXPECT_EQ(m.KeyWordManager->CachedGroupCount(), 0) << "a new store";
}

TEST_F(LauncherWindow, HotKeyTakenElsewhereAsksToChangeTheSettings) {
  HWND other = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, VK_F11));
  Settings("Call_key=122\r\nCall_Mod=3\r\n");  // Alt 1 + Ctrl 2, F11
  std::vector<ui::TMessageBoxRequest> asked;
  ui::SetMessageBoxHandler([&](const ui::TMessageBoxRequest& r) {
    asked.push_back(r);
    return IDYES;
  });
  Make();
  UnregisterHotKey(other, 1);
  DestroyWindow(other);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Caption, "quorvane");
  EXPECT_EQ(asked[0].Flags & 0xF, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(asked[0].Text.rfind("呼び出しキーの登録失敗 - ", 0), 0u) << asked[0].Text;
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].params, "/setting /SelectedNode=基本/呼び出しキー /TabIndex=0");
}

TEST_F(LauncherWindow, ShutdownStopsTheReceiverFirstAndHidesTheTrayIconLast) {
  Settings("");
  TZMRTMain& m = Make();
  app.SetMainForm(&m);
  m.Show();
  m.KeyWordManager->NewKeyWord("k", "", 0);
  bool hiddenBeforeTray = false, parserGoneBeforeTray = false, cacheEmptyBeforeTray = false;
  shell.onCall = [&](DWORD message) {
    if (message != NIM_DELETE) return;
    hiddenBeforeTray = !m.Visible();
    parserGoneBeforeTray = !m.Parser;
    cacheEmptyBeforeTray = m.KeyWordManager->CachedGroupCount() == 0;
    // Data sent while closing finds no receiver.
    EXPECT_EQ(SendCopyData(m.Handle(), 1, std::string("late\0", 5)), FALSE);
  };
  m.Close();
  EXPECT_TRUE(m.Closing);
  EXPECT_TRUE(hiddenBeforeTray);
  EXPECT_TRUE(parserGoneBeforeTray);
  EXPECT_TRUE(cacheEmptyBeforeTray);
  ASSERT_FALSE(shell.calls.empty());
  EXPECT_EQ(shell.calls.back(), static_cast<DWORD>(NIM_DELETE));
  EXPECT_TRUE(app.Terminated());
  m.Load(true);  // a load after closing does nothing
  EXPECT_EQ(m.KeyWordManager->CachedGroupCount(), 0);
  app.SetMainForm(nullptr);
}

}  // namespace
