#include "launcher/Taskbar.h"
#include "launcher/TrShlApi.h"

#include <gtest/gtest.h>

#include <deque>

#include "tests/support/TestWindow.h"

namespace {

// Records every shell call; fails the first calls as scripted.
struct FakeShell : INotifyIconShell {
  std::vector<DWORD> calls;
  std::deque<DWORD> failures;  // error of each failing call, oldest first
  DWORD error = 0;
  int waits = 0;
  std::string lastTip;
  DWORD lastSize = 0;
  bool Notify(DWORD message, NOTIFYICONDATAA* data) override {
    calls.push_back(message);
    lastTip = data->szTip;
    lastSize = data->cbSize;
    if (!failures.empty()) {
      error = failures.front();
      failures.pop_front();
      return false;
    }
    return true;
  }
  DWORD LastError() override { return error; }
  void Wait(DWORD) override { ++waits; }
};

HICON SomeIcon() { return LoadIconA(nullptr, IDI_APPLICATION); }

TEST(TaskTrayIcon, AddRetriesWhileTheShellTimesOut) {
  FakeShell shell;
  TTaskTrayIcon icon(&shell);
  icon.SetIconHandle(SomeIcon());
  shell.failures = {ERROR_TIMEOUT, ERROR_TIMEOUT, ERROR_TIMEOUT};  // add, then modify and add fail once
  EXPECT_TRUE(icon.AddIcon());
  EXPECT_EQ(shell.calls, (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_MODIFY}));
  EXPECT_EQ(shell.waits, 2);
  EXPECT_EQ(shell.lastSize, static_cast<DWORD>(NOTIFYICONDATAA_V2_SIZE));
}

TEST(TaskTrayIcon, AddFailuresRaiseTheirMessages) {
  {
    FakeShell shell;
    TTaskTrayIcon icon(&shell);
    icon.SetIconHandle(SomeIcon());
    shell.failures = {ERROR_ACCESS_DENIED};
    try {
      icon.AddIcon();
      FAIL();
    } catch (const ENotifyIconError& e) {
      EXPECT_STREQ(e.what(), "タスクトレイにアイコンを登録できません。");
    }
  }
  {
    FakeShell shell;
    TTaskTrayIcon icon(&shell);
    icon.SetIconHandle(SomeIcon());
    shell.failures.assign(20, ERROR_TIMEOUT);
    try {
      icon.AddIcon();
      FAIL();
    } catch (const ENotifyIconError& e) {
      EXPECT_STREQ(e.what(), "タスクトレイのアイコンを変更できません。");
    }
    EXPECT_EQ(shell.waits, 6);
    EXPECT_FALSE(icon.Added());
  }
}

TEST(TaskTrayIcon, NoIconHandleAddsNothing) {
  FakeShell shell;
  TTaskTrayIcon icon(&shell);
  EXPECT_FALSE(icon.AddIcon());
  EXPECT_TRUE(shell.calls.empty());
}

TEST(TaskTrayIcon, TaskbarRestartAddsTheIconAgain) {
  FakeShell shell;
  TTaskTrayIcon icon(&shell);
  icon.SetIconHandle(SomeIcon());
  ASSERT_TRUE(icon.AddIcon());
  shell.calls.clear();
  SendMessageA(icon.Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_EQ(shell.calls, std::vector<DWORD>{NIM_ADD});
  EXPECT_TRUE(icon.Added());
}

TEST(TaskTrayIcon, ModifyFailureOtherThanTimeOutAddsAgain) {
  FakeShell shell;
  TTaskTrayIcon icon(&shell);
  icon.SetIconHandle(SomeIcon());
  ASSERT_TRUE(icon.AddIcon());
  shell.calls.clear();
  shell.failures = {ERROR_TIMEOUT};
  EXPECT_TRUE(icon.ModifyIcon());
  shell.failures = {ERROR_INVALID_WINDOW_HANDLE};
  EXPECT_TRUE(icon.ModifyIcon());
  EXPECT_EQ(shell.calls, (std::vector<DWORD>{NIM_MODIFY, NIM_MODIFY, NIM_ADD}));
  icon.Lock();
  EXPECT_TRUE(icon.ModifyIcon());
  EXPECT_EQ(shell.calls.size(), 3u);
}

TEST(TaskTrayIcon, TipLengthFollowsTheShellVersion) {
  FakeShell shell;
  TTaskTrayIcon icon(&shell);
  std::string tip = "a\r\nb" + std::string(196, 'x');
  icon.SetShellVersion(5 * 65536);
  icon.SetTip(tip);
  EXPECT_EQ(icon.GetTip(), tip.substr(0, 127));
  icon.SetShellVersion(4 * 65536 + 71);
  icon.SetTip(tip);
  EXPECT_EQ(icon.GetTip(), ("a b" + std::string(196, 'x')).substr(0, 63));
  // 64 double-byte characters: the cut never splits one.
  std::string kana;
  for (int i = 0; i < 64; ++i) kana += "あ";
  icon.SetShellVersion(6 * 65536);
  icon.SetTip(kana);
  EXPECT_EQ(icon.GetTip().size(), 126u);
}

LPARAM Send(TTaskTrayIcon& icon, LPARAM mouse) {
  return SendMessageA(icon.Handle(), TTaskTrayIcon::kCallbackMessage, 0, mouse);
}

TEST(TaskTrayIcon, SingleClickIsReportedAfterTheDoubleClickTimeButADoubleClickIsNot) {
  FakeShell shell;
  TTaskTrayIcon icon(&shell);
  std::vector<WPARAM> clicks;
  icon.Callback = [&](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
    if (msg == TTaskTrayIcon::kCallbackMessage && lParam == TTaskTrayIcon::kMouseClick) clicks.push_back(wParam);
    return false;
  };
  Send(icon, WM_RBUTTONDOWN);
  Send(icon, WM_RBUTTONUP);
  EXPECT_TRUE(clicks.empty());
  ASSERT_TRUE(PumpUntil([&] { return !clicks.empty(); }, GetDoubleClickTime() + 2000));
  EXPECT_EQ(clicks, std::vector<WPARAM>{1});

  clicks.clear();
  Send(icon, WM_LBUTTONDOWN);
  Send(icon, WM_LBUTTONUP);
  Send(icon, WM_LBUTTONDBLCLK);
  Send(icon, WM_LBUTTONUP);
  PumpFor(GetDoubleClickTime() + 300);
  EXPECT_TRUE(clicks.empty());
}

TEST(TrayIcon, EventsAndMenusFromTheCallbackMessage) {
  FakeShell shell;
  TTrayIcon tray(&shell, false);
  EXPECT_TRUE(shell.calls.empty());  // created hidden
  int moves = 0, doubles = 0;
  std::vector<HMENU> menus;
  tray.OnMouseMove = [&](int, int) { ++moves; };
  tray.OnDblClick = [&] { ++doubles; };
  tray.OnTrackMenu = [&](HMENU m, POINT) { menus.push_back(m); };
  HMENU menu = CreatePopupMenu();
  tray.LButtonPopupMenu = menu;
  tray.RButtonPopupMenu = menu;

  tray.SetVisible(true);
  EXPECT_EQ(shell.calls, std::vector<DWORD>{NIM_ADD});
  TTaskTrayIcon& icon = tray.TaskTray();
  Send(icon, WM_MOUSEMOVE);
  Send(icon, WM_RBUTTONDOWN);
  Send(icon, WM_LBUTTONDBLCLK);
  PumpFor(50);  // the down posted after a double click opens no menu
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(menus, std::vector<HMENU>{menu});

  tray.SetTipHelp("");
  EXPECT_EQ(shell.calls.back(), static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(shell.lastTip, "");
  tray.SetVisible(false);
  EXPECT_EQ(shell.calls.back(), static_cast<DWORD>(NIM_DELETE));
  DestroyMenu(menu);
}

TEST(TrayIcon, RealShellTakesAndGivesBackTheIcon) {
  TTaskTrayIcon icon;
  icon.SetIconHandle(SomeIcon());
  icon.SetTip("quorvane テスト");
  ASSERT_TRUE(icon.AddIcon());
  EXPECT_TRUE(icon.ModifyIcon());
  EXPECT_FALSE(icon.DeleteIcon());
  EXPECT_EQ(SendMessageA(icon.Handle(), WM_QUERYENDSESSION, 0, 0), 1);
}

}  // namespace
