// Activation and focus, for real: the program loses the foreground to a window
// of another thread; the dialog keys move the focus.
#include <atomic>
#include <thread>

#include "core/AppEvents.h"
#include "tests/ui/UiFixture.h"
#include "ui/Form.h"

namespace {

ui::TCreateParams Params() {
  ui::TCreateParams p;
  p.ClassName = "QvTestActivation";
  p.Style = WS_OVERLAPPEDWINDOW;
  p.X = 20; p.Y = 20; p.Width = 200; p.Height = 100;
  return p;
}

using ApplicationTest = UiTest;

TEST_F(ApplicationTest, AnotherThreadsWindowTakingTheForegroundDeactivates) {
  ui::TWindow w;
  ASSERT_TRUE(w.Create(Params()));
  w.Show();
  SetForegroundWindow(w.Handle());
  ASSERT_TRUE(PumpUntil([&] { return app->Active(); }));
  int deactivated = 0, coreNotified = 0;
  auto d = app->OnDeactivate.Add([&] { ++deactivated; });
  app::TSubscription s = app::SubscribeDeactivated([&] { coreNotified += deactivated; });
  HWND other = nullptr;
  std::atomic<DWORD> otherThread = 0;
  std::atomic<bool> finished = false;
  std::thread t([&] {
    otherThread = GetCurrentThreadId();
    other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(other);
    finished = true;
  });
  // Pumping all along: the other thread's activation sends messages to ours.
  EXPECT_TRUE(PumpUntil([&] { return deactivated == 1; }));
  EXPECT_FALSE(app->Active());
  EXPECT_EQ(coreNotified, 1);  // after OnDeactivate
  app::UnsubscribeDeactivated(s);
  while (!PostThreadMessageA(otherThread, WM_QUIT, 0, 0)) Sleep(1);
  EXPECT_TRUE(PumpUntil([&] { return finished.load(); }));  // its window's end reactivates ours
  t.join();
}

TEST_F(ApplicationTest, DialogNavigationMovesTheFocusWithTab) {
  ui::TForm form;
  ui::TWindow first, second;
  form.DialogNavigation = true;
  ASSERT_TRUE(form.Create(Params()));
  for (auto* b : {&first, &second}) {
    ui::TCreateParams p;
    p.ClassName = "BUTTON";
    p.Caption = "ボタン";
    p.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    p.Parent = form.Handle();
    p.Y = b == &first ? 0 : 30;
    p.Width = 80; p.Height = 24;
    ASSERT_TRUE(b->Create(p));
  }
  form.Show();
  SetForegroundWindow(form.Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form.Handle(); }));
  first.Focus();
  ASSERT_EQ(GetFocus(), first.Handle());
  PostMessageA(first.Handle(), WM_KEYDOWN, VK_TAB, 0);
  app->ProcessMessages();
  EXPECT_EQ(GetFocus(), second.Handle());
  form.DialogNavigation = false;
  PostMessageA(second.Handle(), WM_KEYDOWN, VK_TAB, 0);
  app->ProcessMessages();
  EXPECT_EQ(GetFocus(), second.Handle());
}

}  // namespace
