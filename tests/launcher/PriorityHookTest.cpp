// The journal-record hook as this system runs it: a Backspace injected after a
// completion reaches the manager through the hook, without the input box.
#include <windows.h>

#include <gtest/gtest.h>

#include "launcher/Priority_Manager.h"
#include "tests/launcher/PriorityFixture.h"
#include "tests/support/TestWindow.h"

namespace {

void SendKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// Injected keys go to the foreground window's thread, whose message
// retrieval runs the journal hook: a window of this thread takes the focus.
class PriorityHook : public PriorityStore {
 protected:
  TestWindow window;
  PriorityHook() {
    ShowWindow(window.hwnd, SW_SHOW);
    // The key must reach this thread: the window is in front before it is sent.
    PumpUntil(
        [&] {
          if (GetForegroundWindow() != window.hwnd) SetForegroundWindow(window.hwnd);
          return GetForegroundWindow() == window.hwnd;
        },
        10000);
    SetFocus(window.hwnd);
    PumpFor(50);
  }
  void SetUp() override {
    ASSERT_EQ(GetForegroundWindow(), window.hwnd) << "another window kept the foreground";
  }
};

TEST_F(PriorityHook, InjectedBackspaceReachesTheJournalHook) {
  Put("%.vane", Row("k0") + Row("k1") + Row("k2"));
  TPriorityManager pm(&m);
  pm.EnableBackSpaceCancel = true;
  pm.BackSpaceWindow = 600000;  // the hook's path is tested here, not the time
  pm.Complemented(Find("k1").get(), "k");
  ASSERT_TRUE(pm.HookStarted()) << "SetWindowsHookEx(WH_JOURNALRECORD) failed: " << GetLastError();
  SendKey(VK_BACK);
  PumpUntil([&] { return !pm.BackSpaceArmed(); }, 5000);
  EXPECT_FALSE(pm.BackSpaceArmed());
  EXPECT_FALSE(pm.HookStarted());
  EXPECT_EQ(Names(""), (std::vector<std::string>{"k0", "k2", "k1"}));
}

TEST_F(PriorityHook, OtherInjectedKeyEndsTheWindow) {
  Put("%.vane", Row("k0") + Row("k1") + Row("k2"));
  TPriorityManager pm(&m);
  pm.EnableBackSpaceCancel = true;
  pm.BackSpaceWindow = 600000;
  pm.Complemented(Find("k1").get(), "k");
  ASSERT_TRUE(pm.HookStarted());
  SendKey(VK_F13);
  PumpUntil([&] { return !pm.BackSpaceArmed(); }, 5000);
  EXPECT_FALSE(pm.HookStarted());
  EXPECT_EQ(Names(""), (std::vector<std::string>{"k0", "k1", "k2"}));
}

}  // namespace
