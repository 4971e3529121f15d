// The launcher window's behaviour, on a real window: showing and hiding, the
// deactivation guard, keys, the mouse zones, widening and the delay timers.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "core/OSUtils.h"
#include "core/ZMRTData.h"
#include "launcher/Priority_Manager.h"
#include "launcher/QVIconImage.h"
#include "tests/launcher/LauncherFixture.h"
#include "tests/support/RealInput.h"
#include "tests/support/TestWindow.h"

namespace {

constexpr double kMs = 1.0 / 86400000.0;

// A window of another thread that takes the foreground while it lives.
class OtherThreadWindow {
 public:
  OtherThreadWindow() {
    thread_ = std::thread([this] {
      threadId_ = GetCurrentThreadId();
      HWND w = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
      // Under load the first request may not take: ask until it does.
      for (int i = 0; i < 100 && GetForegroundWindow() != w; ++i) {
        SetForegroundWindow(w);
        Sleep(10);
      }
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
      ready_ = true;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
      DestroyWindow(w);
      finished_ = true;
    });
    PumpUntil([this] { return ready_.load(); }, 5000);
  }
  ~OtherThreadWindow() {
    while (!PostThreadMessageA(threadId_, WM_QUIT, 0, 0)) Sleep(1);
    // Pumping: the other window's end reactivates ours, which sends us messages.
    PumpUntil([this] { return finished_.load(); }, 5000);
    thread_.join();
  }

 private:
  std::thread thread_;
  std::atomic<DWORD> threadId_ = 0;
  std::atomic<bool> ready_ = false, finished_ = false;
};

class LauncherBehaviour : public LauncherWindow {
 protected:
  static std::string Row(const std::string& name) { return name + "\tType=0\r\n"; }
  TZMRTMain& Up(const std::string& settings) {
    WriteTextFile(user + "\\Items\\%.vane", Row("alpha") + Row("beta"));
    Settings("showicon=0\r\nWindowLeft=100\r\nWindowTop=100\r\n" + settings);
    TZMRTMain& m = Make();
    m.Starting = false;  // as the first idle event leaves it
    return m;
  }
  // The launcher called to the front as the call hotkey does.
  void Call(TZMRTMain& m) {
    m.HotKeyPressed(0);
    EXPECT_TRUE(PumpUntil([&] { return app.Active() && GetForegroundWindow() == m.Handle(); }, 3000));
  }
  int Left(TZMRTMain& m) {
    RECT r;
    GetWindowRect(m.Handle(), &r);
    return r.left;
  }
  int Width(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r.right - r.left;
  }
};

TEST_F(LauncherBehaviour, ShowHideActionTogglesAndClearsTheBox) {
  TZMRTMain& m = Up("");
  Call(m);
  ASSERT_TRUE(m.Visible());
  m.Edit1->SetText("alp");
  m.ShowHideActionExecute();
  EXPECT_TRUE(m.Hidden);
  EXPECT_FALSE(m.Visible());
  EXPECT_EQ(m.Edit1->Text(), "");
  m.ShowHideActionExecute();
  EXPECT_FALSE(m.Hidden);
  EXPECT_TRUE(m.Visible());
  EXPECT_TRUE(m.Edit1->UseList);  // back from UseList
  m.ShowOrHide(true);
  EXPECT_TRUE(m.Visible());
  m.ShowOrHide(false);
  m.ShowOrHide(false);
  EXPECT_FALSE(m.Visible());
}

TEST_F(LauncherBehaviour, DeactivationHidesOnlyAfterTheGuard) {
  const struct {
    const char* settings;
    const char* text;
    double laterMs;
    bool hidden;
  } cases[] = {
      {"hideWhenDeActivate=1\r\n", "", 500, false},
      {"hideWhenDeActivate=1\r\n", "", 2000, true},
      {"hideWhenDeActivate=1\r\nhideWhenEditting=1\r\n", "al", 2000, true},
      {"hideWhenDeActivate=1\r\nhideWhenEditting=0\r\n", "al", 2000, false},
      {"hideWhenDeActivate=0\r\n", "", 2000, false},
  };
  for (const auto& c : cases) {
    // Programs of other tests on the shared display may take the foreground
    // before our own window does: such a round does not count and is run again.
    bool counted = false;
    for (int round = 0; round < 5 && !counted; ++round) {
      TZMRTMain& m = Up(c.settings);
      Call(m);
      m.Edit1->SetText(c.text);
      now += c.laterMs * kMs;
      bool done = true;
      m.ApplicationEvents1Idle(done);
      if (app.Active()) {
        counted = true;
        OtherThreadWindow other;
        EXPECT_TRUE(PumpUntil([&] { return !app.Active(); }, 15000));
        PumpFor(20);  // what the deactivation sends on (the hide) is handled too
        EXPECT_EQ(m.Hidden, c.hidden) << c.settings << c.text << c.laterMs;
      }
      main.reset();
      PumpFor(20);
    }
    EXPECT_TRUE(counted) << "the launcher never kept the foreground";
  }
}

TEST_F(LauncherBehaviour, CallHotKeyInFrontHidesOnlyWithHideWhenReActivate) {
  for (bool hide : {true, false}) {
    TZMRTMain& m = Up(hide ? "hideWhenReActivate=1\r\n" : "hideWhenReActivate=0\r\n");
    Call(m);
    m.HotKeyPressed(0);
    EXPECT_EQ(m.Hidden, hide);
    EXPECT_EQ(m.Visible(), !hide);
    if (!hide) {
      EXPECT_EQ(GetForegroundWindow(), m.Handle());
    }
    main.reset();
  }
}

TEST_F(LauncherBehaviour, EscOnAnEmptyBoxEndsTheProgramWithEndWhenHideExceptWhileStarting) {
  for (bool starting : {true, false}) {
    TZMRTMain& m = Up("endWhenHide=1\r\n");
    m.Starting = starting;
    Call(m);
    m.Edit1->SetText("al");
    // The candidates go first, then the text.
    for (int i = 0; i < 2 && !m.Edit1->Text().empty(); ++i) SendKeyPress(m.Edit1->Handle(), VK_ESCAPE);
    EXPECT_EQ(m.Edit1->Text(), "");
    EXPECT_FALSE(m.Hidden);
    SendKeyPress(m.Edit1->Handle(), VK_ESCAPE);
    EXPECT_TRUE(m.Hidden);
    MSG msg;
    // Closing ends the loop: the quit is posted or already taken.
    const bool quit = PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE || app.Terminated();
    EXPECT_EQ(quit, !starting) << starting;
    main.reset();
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) if (msg.message != WM_QUIT) DispatchMessageA(&msg);
  }
}

TEST_F(LauncherBehaviour, EdgesSizeInWidthOnlyAndTheRestMoves) {
  TZMRTMain& m = Up("BorderStyle=1\r\n");
  std::vector<WPARAM> commands;
  m.OnMouseSysCommand = [&](WPARAM command) {
    commands.push_back(command);
    return true;
  };
  RECT client;
  GetClientRect(m.Handle(), &client);
  const struct {
    int x;
    WPARAM command;
  } cases[] = {{1, SC_SIZE + WMSZ_LEFT}, {2, SC_SIZE + WMSZ_LEFT}, {3, SC_MOVE + 2},
               {client.right - 3, SC_MOVE + 2}, {client.right - 2, SC_SIZE + WMSZ_RIGHT}};
  for (const auto& c : cases) {
    commands.clear();
    SendMessageA(m.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, 2));
    ASSERT_EQ(commands.size(), 1u) << c.x;
    EXPECT_EQ(commands[0], c.command) << c.x;
  }
  // A click that moved nothing parses the box again; the home left stays.
  EXPECT_EQ(m.HomeLeft(), Left(m));

  RECT w;
  GetWindowRect(m.Handle(), &w);
  const int midY = (w.top + w.bottom) / 2;
  const struct {
    POINT at;
    LRESULT hit;
  } hits[] = {{{w.left, w.top}, HTLEFT},      {{w.right - 1, w.bottom - 1}, HTRIGHT},
              {{w.left + 30, w.top}, HTBORDER}, {{w.left + 30, w.bottom - 1}, HTBORDER},
              {{w.left, midY}, HTLEFT},         {{w.right - 1, midY}, HTRIGHT}};
  for (const auto& h : hits) {
    const LRESULT got = SendMessageA(m.Handle(), WM_NCHITTEST, 0, MAKELPARAM(h.at.x, h.at.y));
    if (got == HTCLIENT) continue;  // a frame too thin to hit at this point
    EXPECT_EQ(got, h.hit) << h.at.x << "," << h.at.y;
  }
}

TEST_F(LauncherBehaviour, WindowMovesAreStoredUnlessStarting) {
  TZMRTMain& m = Up("");
  SetWindowPos(m.Handle(), nullptr, 150, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(m.Data->WindowLeft, 150);
  EXPECT_EQ(m.Data->WindowTop, 160);
  EXPECT_EQ(m.HomeLeft(), 150);
  m.Starting = true;
  SetWindowPos(m.Handle(), nullptr, 170, 180, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(m.Data->WindowLeft, 150);
}

TEST_F(LauncherBehaviour, LongTextWidensWithinTheDesktopAndShrinksBack) {
  TZMRTMain& m = Up("ExtendWindow=1\r\nExtendByComment=0\r\nWindowWidth=200\r\n");
  const int desktop = GetSystemMetrics(SM_CXSCREEN);
  SetWindowPos(m.Handle(), nullptr, desktop - 250, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int home = m.HomeLeft(), baseWidth = Width(m.Handle()), baseBox = Width(m.Edit1->Handle());
  ASSERT_EQ(home, desktop - 250);
  m.Edit1->SetText(std::string(60, 'W'));
  m.AdjustWidth();
  EXPECT_GT(Width(m.Edit1->Handle()), baseBox);
  EXPECT_GT(Width(m.Handle()), baseWidth);
  RECT r;
  GetWindowRect(m.Handle(), &r);
  EXPECT_LE(r.right, desktop);
  EXPECT_LT(r.left, home);
  EXPECT_EQ(m.HomeLeft(), home);
  // A text wider than the whole work area: the box stops at it.
  m.Edit1->SetText(std::string(600, 'W'));
  m.AdjustWidth();
  EXPECT_LE(Width(m.Handle()), desktop);
  m.Edit1->SetText("");
  m.AdjustWidth();
  EXPECT_EQ(Width(m.Handle()), baseWidth);
  EXPECT_EQ(Width(m.Edit1->Handle()), baseBox);
  EXPECT_EQ(Left(m), home);
}

TEST_F(LauncherBehaviour, LimitExeRunsTheKeywordAfterThePauseAndBackspaceArmsNothing) {
  TZMRTMain& m = Up("LimitExe=1\r\nLimitExe_time=50\r\nLimitExe_One=0\r\n");
  int runs = 0;
  m.ExecuteActionHook = [&] { ++runs; };
  Call(m);
  m.Edit1->Focus();
  SendTypedText(m.Edit1->Handle(), "alpha");
  m.Edit1->KeywordChange();  // the box parses outside typing, as after a pause
  m.KeywordChanged();
  ASSERT_NE(m.CurrentItem(), nullptr);
  // The timer waits while the program is not the active one: other programs
  // on the shared display may take the foreground meanwhile.
  EXPECT_TRUE(PumpUntil(
      [&] {
        if (!app.Active()) ForceForegroundWindow(m.Handle());
        return runs == 1;
      },
      3000));
  PumpFor(150);
  EXPECT_EQ(runs, 1);  // the timer stopped itself
  SendTypedChar(m.Edit1->Handle(), '\b');
  m.KeywordChanged();
  PumpFor(200);
  EXPECT_EQ(runs, 1);
}

TEST_F(LauncherBehaviour, DeleteAtTheEndOfAHistoryEntryRemovesIt) {
  TZMRTMain& m = Up("");
  m.Data->History.Add("alpha x");
  m.Data->History.Add("beta");
  Call(m);
  m.Edit1->SetText("alpha x");
  m.Edit1->SetSel(2, 0);
  SendKeyPress(m.Edit1->Handle(), VK_DELETE);  // caret inside: kept
  EXPECT_EQ(m.Data->History.IndexOf("alpha x"), 0);
  m.Edit1->SetText("alpha x");
  m.Edit1->SetSel(7, 0);
  SendKeyPress(m.Edit1->Handle(), VK_DELETE);
  EXPECT_EQ(m.Data->History.IndexOf("alpha x"), -1);
  EXPECT_EQ(m.Data->History.IndexOf("beta"), 0);
}

}  // namespace

namespace {

TEST_F(LauncherBehaviour, LoadGivesTheInputBoxItsSettings) {
  TZMRTMain& m = Up("MatchLevel=1\r\nListSize=7\r\nRunWhenShowPopup=1\r\nUseList=0\r\nEnableRomajiMatch=1\r\n"
                    "ListOrder=5210\r\nMaxHP=4\r\nEnableBackSpaceCancel=1\r\nTabMode=2\r\nHistoryCount=9\r\n");
  TKeyWordEdit& e = *m.Edit1;
  EXPECT_EQ(e.MatchLevel(), 1);
  EXPECT_EQ(e.ListSize(), 7);
  EXPECT_FALSE(e.CompleteByEnter);
  EXPECT_FALSE(e.UseList);
  EXPECT_TRUE(e.Data().UseRomaji);
  EXPECT_EQ(e.ListOrder, "5210");
  EXPECT_EQ(e.TabMode, 2);
  EXPECT_EQ(e.HistoryMax, 9);
  EXPECT_EQ(&e.History(), &m.Data->History);
  ASSERT_NE(e.PriorityManager(), nullptr);
  EXPECT_EQ(e.PriorityManager()->MaxHP, 4);
  EXPECT_TRUE(e.PriorityManager()->EnableBackSpaceCancel);
}

TEST_F(LauncherBehaviour, MinimiseCommandHidesTheWindow) {
  TZMRTMain& m = Up("");
  Call(m);
  SendMessageA(m.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(m.Hidden);
  EXPECT_FALSE(m.Visible());
  m.ShowHideActionExecute();
  EXPECT_TRUE(m.Visible());
}

// Rests the pointer on the middle of a window until a tip shows for it.
bool RestOn(HWND window, ui::TToolTip& tips) {
  realinput::PointerTo({GetSystemMetrics(SM_CXSCREEN) - 8, GetSystemMetrics(SM_CYSCREEN) - 8});
  PumpUntil([&] { return tips.ShownTool() == nullptr; }, 3000);
  RECT r = {};
  GetWindowRect(window, &r);
  const POINT middle = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  realinput::PointerTo({middle.x - 2, middle.y});
  PumpFor(50);
  realinput::PointerTo(middle);
  return PumpUntil([&] { return tips.ShownTool() == window; }, 5000);
}

TEST_F(LauncherBehaviour, HintsShowAsTipsWhereThePointerRests) {
  WriteTextFile(user + "\\Items\\%.vane", Row("alpha"));
  Settings("showicon=1\r\nsmall=1\r\nWindowLeft=100\r\nWindowTop=100\r\n");
  TZMRTMain& m = Make();
  m.Starting = false;
  Call(m);
  ASSERT_TRUE(m.IconImage);
  // The small layout has no room for the status line: the box's tip says it.
  ASSERT_TRUE(PumpUntil([&] { return !m.Hint.empty(); }, 3000)) << "the status went to the hint";
  ASSERT_TRUE(RestOn(m.Edit1->Handle(), m.Hints));
  EXPECT_EQ(m.Hints.ShownText(), m.Hint);
  EXPECT_EQ(m.Hint, m.ShownStatusText);
  // The icon picture's tip: what a click does and what a drag does, on two lines.
  ASSERT_TRUE(RestOn(m.IconImage->Handle(), m.Hints));
  const std::string tip = m.Hints.ShownText();
  EXPECT_EQ(tip.rfind("クリック : ", 0), 0u) << tip;
  EXPECT_NE(tip.find("\r\nドラッグ : ウィンドウを登録"), std::string::npos) << tip;
  realinput::PointerTo({GetSystemMetrics(SM_CXSCREEN) - 8, GetSystemMetrics(SM_CYSCREEN) - 8});
}

}  // namespace

namespace {

// Rests the pointer on a client point of a window, as a person does, until a
// tooltip of the launcher shows; its text, or "-" when none showed.
std::string HoverTip(HWND w, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(w, &p);
  realinput::PointerTo({p.x - 3, p.y});
  PumpFor(50);
  realinput::PointerTo({p.x, p.y});
  HWND tip = nullptr;
  const bool shown =
      PumpUntil([&] { return (tip = realinput::ShownWindow(GetCurrentProcessId(), "tooltips_class32")) != nullptr; },
                10000);
  return shown ? realinput::ToolTipText(tip) : "-";
}

void RestAway() {
  realinput::PointerTo({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
  PumpUntil([] { return realinput::ShownWindow(GetCurrentProcessId(), "tooltips_class32") == nullptr; }, 10000);
}

// The icon picture's hint says what a click and a drag do; in the small
// layout the status line has no room and is the window's tooltip instead.
TEST_F(LauncherBehaviour, HintsAreTheTooltipsOfTheIconPictureAndOfTheSmallWindow) {
  Settings("showicon=1\r\nsmall=1\r\nWindowLeft=100\r\nWindowTop=100\r\nWindowWidth=240\r\n");
  TZMRTMain& m = Make();
  m.Starting = false;
  RestAway();
  Call(m);
  ASSERT_TRUE(m.IconImage);
  const HWND icon = m.IconImage->Handle();
  EXPECT_EQ(HoverTip(icon, 8, 8), "クリック : キーワードマネージャ\r\nドラッグ : ウィンドウを登録");
  EXPECT_EQ(m.IconHint, "クリック : キーワードマネージャ\r\nドラッグ : ウィンドウを登録");
  RestAway();
  m.Edit1->SetText("a/b/c");  // no valid path: a click runs nothing
  m.UpdateStatus();
  EXPECT_EQ(HoverTip(icon, 8, 8), "ドラッグ : ウィンドウを登録");
  RestAway();
  // Right of the box lies the window itself.
  RECT client = {};
  GetClientRect(m.Handle(), &client);
  EXPECT_EQ(HoverTip(m.Handle(), client.right - 4, client.bottom / 2), "使用できない文字列");
  // The tip that shows follows the status.
  m.Edit1->SetText("");
  m.UpdateStatus();
  EXPECT_TRUE(PumpUntil(
      [&] {
        HWND tip = realinput::ShownWindow(GetCurrentProcessId(), "tooltips_class32");
        return tip && realinput::ToolTipText(tip) == "quorvane";
      },
      10000));
  RestAway();
  main.reset();

  // The normal layout draws the status line and has no window hint.
  Settings("showicon=1\r\nsmall=0\r\nWindowLeft=100\r\nWindowTop=100\r\n");
  TZMRTMain& normal = Make();
  normal.UpdateStatus();
  EXPECT_EQ(normal.Hint, "");
}

}  // namespace
