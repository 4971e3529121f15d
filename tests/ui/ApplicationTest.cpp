#include "ui/Application.h"

#include <stdexcept>

#include "core/AppFlags.h"
#include "tests/ui/UiFixture.h"
#include "ui/Form.h"

namespace {

constexpr UINT kPing = WM_APP + 9;

ui::TCreateParams Params() {
  ui::TCreateParams p;
  p.ClassName = "QvTestAppWindow";
  p.Style = WS_OVERLAPPEDWINDOW;
  p.X = 20; p.Y = 20; p.Width = 200; p.Height = 100;
  return p;
}

using ApplicationTest = UiTest;

TEST_F(ApplicationTest, HiddenApplicationWindowCarriesTheTitle) {
  ASSERT_TRUE(IsWindow(app->Handle()));
  EXPECT_FALSE(IsWindowVisible(app->Handle()));
  char caption[64] = {};
  GetWindowTextA(app->Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "quorvane");
  EXPECT_EQ(ui::TApplication::Current(), app.get());
  EXPECT_THROW(ui::TApplication second, std::logic_error);
}

TEST_F(ApplicationTest, ClosingTheApplicationWindowClosesTheMainWindow) {
  ui::TForm main;
  bool asked = false;
  main.OnCloseQuery = [&](bool& canClose) { asked = true; canClose = false; };
  ASSERT_TRUE(main.Create(Params()));
  app->SetMainForm(&main);
  SendMessageA(app->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(asked);
  app->ProcessMessages();
  EXPECT_FALSE(app->Terminated());
  app->SetMainForm(nullptr);
  SendMessageA(app->Handle(), WM_CLOSE, 0, 0);
  app->ProcessMessages();
  EXPECT_TRUE(app->Terminated());
}

TEST_F(ApplicationTest, MessageFilterCanKeepAMessageFromItsWindow) {
  ui::TWindow w;
  std::vector<WPARAM> reached;
  w.OnMessage = [&](ui::TMessageEvent& e) {
    if (e.Msg != kPing) return;
    reached.push_back(e.WParam);
    e.Answer(0);
  };
  ASSERT_TRUE(w.Create(Params()));
  std::vector<WPARAM> filtered;
  auto filter = app->OnMessage.Add([&](MSG& msg, bool& handled) {
    if (msg.message != kPing) return;
    filtered.push_back(msg.wParam);
    handled = msg.wParam == 1;
  });
  PostMessageA(w.Handle(), kPing, 1, 0);
  PostMessageA(w.Handle(), kPing, 2, 0);
  app->ProcessMessages();
  EXPECT_EQ(filtered, (std::vector<WPARAM>{1, 2}));
  EXPECT_EQ(reached, std::vector<WPARAM>{2});

  filter.Disconnect();
  PostMessageA(w.Handle(), kPing, 1, 0);
  app->ProcessMessages();
  EXPECT_EQ(reached, (std::vector<WPARAM>{2, 1}));
}

TEST_F(ApplicationTest, IdleRunsWhenTheQueueIsEmptyUntilTerminated) {
  int idles = 0;
  bool pinged = false;
  ui::TWindow w;
  w.OnMessage = [&](ui::TMessageEvent& e) {
    if (e.Msg == kPing) pinged = idles == 0;
  };
  ASSERT_TRUE(w.Create(Params()));
  PostMessageA(w.Handle(), kPing, 0, 0);
  auto idle = app->OnIdle.Add([&](bool& done) {
    ++idles;
    done = idles >= 3;  // asks for more idle time twice, without waiting
    if (idles == 3) app->Terminate();
  });
  app->Run();
  EXPECT_TRUE(pinged);  // the queue first
  EXPECT_EQ(idles, 3);
  EXPECT_TRUE(app->Terminated());
  EXPECT_TRUE(app::Terminated());
}

TEST_F(ApplicationTest, ExceptionInALoopCallbackIsShownAndTheLoopGoesOn) {
  int idles = 0;
  auto idle = app->OnIdle.Add([&](bool& done) {
    ++idles;
    done = false;
    if (idles == 1) throw std::runtime_error("アイドル失敗");
    app->Terminate();
  });
  app->Run();
  EXPECT_GE(idles, 2);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "アイドル失敗");
}

TEST_F(ApplicationTest, ExceptionInAMessageFilterStaysInProcessMessages) {
  ui::TWindow w;
  ASSERT_TRUE(w.Create(Params()));
  auto filter = app->OnMessage.Add([&](MSG& msg, bool&) {
    if (msg.message == kPing) throw std::runtime_error("フィルター失敗");
  });
  PostMessageA(w.Handle(), kPing, 0, 0);
  PostMessageA(w.Handle(), kPing, 0, 0);
  app->ProcessMessages();
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Text, "フィルター失敗");
}

TEST_F(ApplicationTest, ActivationEventsOncePerChange) {
  std::vector<std::string> events;
  auto a = app->OnActivate.Add([&] { events.push_back("activate"); });
  auto d = app->OnDeactivate.Add([&] { events.push_back("deactivate"); });
  ui::TWindow w1, w2;
  ASSERT_TRUE(w1.Create(Params()));
  ASSERT_TRUE(w2.Create(Params()));
  events.clear();
  app->ActivateApp(false);
  for (HWND h : {app->Handle(), w1.Handle(), w2.Handle()}) SendMessageA(h, WM_ACTIVATEAPP, TRUE, 0);
  for (HWND h : {app->Handle(), w1.Handle(), w2.Handle()}) SendMessageA(h, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"activate", "deactivate"}));
}

}  // namespace
