#include "ui/Window.h"

#include <stdexcept>

#include "tests/ui/UiFixture.h"
#include "ui/ErrorHandler.h"
#include "ui/Handles.h"

namespace {

constexpr UINT kPing = WM_APP + 7;

class PingWindow : public ui::TWindow {
 public:
  int pings = 0;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == kPing) { ++pings; return 42; }
    return TWindow::WndProc(msg, wParam, lParam);
  }
};

ui::TCreateParams Params(const char* caption = "テスト窓") {
  ui::TCreateParams p;
  p.ClassName = "QvTestWindow";
  p.Caption = caption;
  p.Style = WS_OVERLAPPEDWINDOW;
  p.X = 10; p.Y = 10; p.Width = 300; p.Height = 200;
  return p;
}

using WindowTest = UiTest;

TEST_F(WindowTest, ObjectIsBoundAtCreationAndEventsRun) {
  PingWindow w;
  std::vector<std::string> events;
  w.OnCreate = [&] { events.push_back(w.Handle() ? "create" : "create without handle"); };
  w.OnShow = [&] { events.push_back("show"); };
  w.OnHide = [&] { events.push_back("hide"); };
  w.OnResize = [&](ui::TSizeEvent&) { events.push_back("resize"); };
  w.OnCommand = [&](ui::TCommandEvent& e) {
    events.push_back("command " + std::to_string(e.Id) + "/" + std::to_string(e.Code));
    e.Answer(0);
  };
  ASSERT_TRUE(w.Create(Params()));
  EXPECT_FALSE(w.Create(Params()));  // one window per object
  EXPECT_EQ(ui::TWindow::FromHandle(w.Handle()), &w);
  EXPECT_EQ(ui::TWindow::FromHandle(GetDesktopWindow()), nullptr);
  EXPECT_EQ(w.Caption(), "テスト窓");
  w.SetCaption("表示ソ");
  EXPECT_EQ(w.Caption(), "表示ソ");

  EXPECT_EQ(SendMessageA(w.Handle(), kPing, 0, 0), 42);
  EXPECT_EQ(w.pings, 1);
  SendMessageA(w.Handle(), WM_COMMAND, MAKEWPARAM(5, 1), 0);
  w.Show();
  w.Hide();
  EXPECT_EQ(events.front(), "create");
  EXPECT_NE(std::find(events.begin(), events.end(), "command 5/1"), events.end());
  EXPECT_NE(std::find(events.begin(), events.end(), "show"), events.end());
  EXPECT_EQ(events.back(), "hide");
}

TEST_F(WindowTest, MouseAndPaintEvents) {
  ui::TWindow w;
  std::vector<std::string> events;
  w.OnMouseDown = [&](ui::TMouseEvent& e) {
    events.push_back("down " + std::to_string(int(e.Button)) + " " + std::to_string(e.Shift) + " " + std::to_string(e.X) +
                     "," + std::to_string(e.Y));
  };
  w.OnMouseUp = [&](ui::TMouseEvent& e) { events.push_back("up " + std::to_string(int(e.Button))); };
  w.OnMouseMove = [&](ui::TMouseEvent& e) { events.push_back("move " + std::to_string(e.X) + "," + std::to_string(e.Y)); };
  w.OnDblClick = [&](ui::TMouseEvent& e) { events.push_back("dbl " + std::to_string(int(e.Button))); };
  int painted = 0;
  w.OnPaint = [&](ui::TPaintEvent& e) { painted += e.DC != nullptr; };
  auto p = Params();
  p.ClassName = "QvTestDblClkWindow";
  p.ClassStyle = CS_DBLCLKS;
  ASSERT_TRUE(w.Create(p));
  SendMessageA(w.Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(10, 20));
  SendMessageA(w.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(-3, 4));
  SendMessageA(w.Handle(), WM_RBUTTONUP, 0, 0);
  SendMessageA(w.Handle(), WM_LBUTTONDBLCLK, 0, 0);
  SendMessageA(w.Handle(), WM_MBUTTONDBLCLK, 0, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"down 0 9 10,20", "move -3,4", "up 1", "dbl 0", "dbl 2"}));
  w.Show();
  InvalidateRect(w.Handle(), nullptr, TRUE);
  UpdateWindow(w.Handle());
  EXPECT_GE(painted, 1);
}

TEST_F(WindowTest, OnMessageSeesEveryMessageFirst) {
  ui::TWindow w;
  int seen = 0;
  w.OnMessage = [&](ui::TMessageEvent& e) {
    if (e.Msg != kPing) return;
    ++seen;
    e.Answer(7);
  };
  ASSERT_TRUE(w.Create(Params()));
  EXPECT_EQ(SendMessageA(w.Handle(), kPing, 0, 0), 7);
  EXPECT_EQ(seen, 1);
}

TEST_F(WindowTest, DestroyOrder) {
  HWND hwnd;
  int destroyed = 0;
  {
    ui::TWindow w;
    w.OnDestroy = [&] { ++destroyed; };
    ASSERT_TRUE(w.Create(Params()));
    hwnd = w.Handle();
  }
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(destroyed, 0);  // the object was half gone: no event

  ui::TWindow w;
  w.OnDestroy = [&] { ++destroyed; };
  ASSERT_TRUE(w.Create(Params()));
  w.Destroy();
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(w.Handle(), nullptr);

  ui::TWindow outside;
  ASSERT_TRUE(outside.Create(Params()));
  DestroyWindow(outside.Handle());  // from outside: the object is left without a handle
  EXPECT_EQ(outside.Handle(), nullptr);
}

TEST_F(WindowTest, ExceptionStopsAtTheWindowProcedureAndIsShown) {
  ui::TWindow w;
  int kind = 0;
  w.OnCommand = [&](ui::TCommandEvent&) {
    if (kind == 0) throw std::runtime_error("キーワードが壊れています");
    throw 42;
  };
  ASSERT_TRUE(w.Create(Params()));
  EXPECT_EQ(SendMessageA(w.Handle(), WM_COMMAND, 1, 0), 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "キーワードが壊れています");
  EXPECT_EQ(boxes[0].Caption, "quorvane");
  EXPECT_EQ(boxes[0].Flags, UINT(MB_OK | MB_ICONSTOP));
  EXPECT_EQ(boxes[0].Owner, app->Handle());
  kind = 1;
  SendMessageA(w.Handle(), WM_COMMAND, 1, 0);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].Text, "不明な例外が発生しました");
  EXPECT_TRUE(IsWindow(w.Handle()));
}

TEST_F(WindowTest, FailureWhileTheErrorBoxIsUpIsOnlyLogged) {
  ui::TWindow w;
  ASSERT_TRUE(w.Create(Params()));
  w.OnCommand = [&](ui::TCommandEvent&) { throw std::runtime_error("again"); };
  ui::SetMessageBoxHandler([&](const ui::TMessageBoxRequest& r) {
    boxes.push_back(r);
    SendMessageA(w.Handle(), WM_COMMAND, 1, 0);  // as a timer would while the box is up
    return IDOK;
  });
  SendMessageA(w.Handle(), WM_COMMAND, 1, 0);
  EXPECT_EQ(boxes.size(), 1u);
  SendMessageA(w.Handle(), WM_COMMAND, 1, 0);
  EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(WindowTest, ExceptionInCreationStillMakesTheWindow) {
  ui::TWindow w;
  w.OnCreate = [] { throw std::runtime_error("作成失敗"); };
  EXPECT_TRUE(w.Create(Params()));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "作成失敗");
}

TEST_F(WindowTest, GuardedReturnsTheFallback) {
  EXPECT_EQ(ui::Guarded("Test", []() -> int { throw std::runtime_error("x"); }, -1), -1);
  EXPECT_EQ(ui::Guarded("Test", [] { return 3; }, -1), 3);
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(WindowTest, HandlesCloseWhatTheyOwn) {
  ui::TUniqueFont font(CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ ゴシック"));
  ASSERT_TRUE(font);
  ui::TUniqueFont moved = std::move(font);
  EXPECT_FALSE(font);
  HFONT raw = moved.get();
  moved.reset();
  EXPECT_EQ(GetObjectType(raw), 0u);

  ui::TUniqueHwnd hwnd(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  HWND h = hwnd.get();
  ASSERT_TRUE(IsWindow(h));
  hwnd.reset();
  EXPECT_FALSE(IsWindow(h));
}

}  // namespace
