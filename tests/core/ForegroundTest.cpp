// ForceForegroundWindow moves the desktop's foreground window, which every
// process on the display shares: these tests run one at a time (resource lock
// "desktop_foreground") in a program of their own.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "core/OSUtils.h"

namespace {

HWND MakeWindow(const char* title) {
  static const char* kClass = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QVTestForegroundWindow";
    RegisterClassA(&wc);
    return "QVTestForegroundWindow";
  }();
  HWND w = CreateWindowExA(0, kClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  return w;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// A window of its own thread that takes the foreground and keeps its messages flowing.
class OtherThreadWindow {
 public:
  OtherThreadWindow() : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] {
      threadId_ = GetCurrentThreadId();
      window_ = MakeWindow("other");
      SetForegroundWindow(window_);
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
      SetEvent(ready_);
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
      DestroyWindow(window_);
    });
    while (MsgWaitForMultipleObjects(1, &ready_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) Pump();
  }
  ~OtherThreadWindow() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
  }
  HWND window() const { return window_; }

 private:
  HANDLE ready_;
  std::thread thread_;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

TEST(OSUtilsWindows, ForceForegroundWindowTakesTheForegroundFromAnotherThread) {
  HWND mine = MakeWindow("mine");
  ASSERT_NE(mine, nullptr);
  Pump();
  {
    OtherThreadWindow other;
    Pump();
    ASSERT_EQ(GetForegroundWindow(), other.window());
    ForceForegroundWindow(mine);
    Pump();
    EXPECT_EQ(GetForegroundWindow(), mine);
    // The input state is detached again: the other thread no longer shares ours.
    EXPECT_FALSE(AttachThreadInput(GetWindowThreadProcessId(other.window(), nullptr), GetCurrentThreadId(), FALSE));
  }
  DestroyWindow(mine);
}

TEST(OSUtilsWindows, ForceForegroundWindowOnTheForegroundThreadRaisesTheWindow) {
  HWND first = MakeWindow("first");
  HWND second = MakeWindow("second");
  SetForegroundWindow(second);
  Pump();
  ForceForegroundWindow(first);
  Pump();
  // first is above second in the z-order now.
  bool firstSeen = false;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == first) firstSeen = true;
    if (w == second) break;
  }
  EXPECT_TRUE(firstSeen);
  DestroyWindow(first);
  DestroyWindow(second);
}

}  // namespace
