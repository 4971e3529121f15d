#include "launcher/Delay_Timer.h"

#include <gtest/gtest.h>

#include "tests/support/TestWindow.h"

namespace {

struct Fired {
  void* client;
  int id;
  DWORD at;
};

TEST(DelayTimer, RestartedTimerFiresOnceAfterTheSecondStart) {
  TestWindow w;
  TDelayTimer timer(w.hwnd);
  std::vector<Fired> fired;
  timer.OnTimer = [&](TDelayTimer*, void* c, int id) { fired.push_back({c, id, GetTickCount()}); };
  int client = 0;
  timer.Start(&client, 150);
  PumpFor(100);
  DWORD second = GetTickCount();
  timer.Start(&client, 150);
  ASSERT_TRUE(PumpUntil([&] { return !fired.empty(); }, 2000));
  PumpFor(200);
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].client, &client);
  EXPECT_EQ(fired[0].id, 0);
  EXPECT_GE(fired[0].at - second, 140u);
  EXPECT_EQ(timer.SlotCount(), 0);
}

TEST(DelayTimer, ClientsGetTheirOwnIdsAndMiddleSlotsAreKept) {
  TestWindow w;
  TDelayTimer timer(w.hwnd);
  std::vector<int> ids;
  timer.OnTimer = [&](TDelayTimer*, void*, int id) { ids.push_back(id); };
  int a = 0, b = 0;
  timer.Start(&a, 20);
  timer.Start(&b, 5000);
  ASSERT_TRUE(PumpUntil([&] { return !ids.empty(); }, 2000));
  EXPECT_EQ(ids, std::vector<int>{0});
  EXPECT_EQ(timer.SlotCount(), 2);  // slot 0 keeps its client
  timer.Stop(1);
  EXPECT_EQ(timer.SlotCount(), 1);  // the last slot goes; slot 0 keeps its client for reuse
  timer.Start(&a, 5000);
  EXPECT_EQ(timer.SlotCount(), 1);
}

TEST(DelayTimer, OtherTimersOfTheWindowAreLeftAlone) {
  TestWindow w;
  TDelayTimer timer(w.hwnd);
  int calls = 0;
  timer.OnTimer = [&](TDelayTimer*, void*, int) { ++calls; };
  int a = 0;
  timer.Start(&a, 5000);
  SetTimer(w.hwnd, 0, 10, nullptr);  // the window's own timer with id 0
  ASSERT_TRUE(PumpUntil([&] { return w.OwnCount(WM_TIMER) >= 2; }, 2000));
  KillTimer(w.hwnd, 0);
  EXPECT_EQ(calls, 0);
}

TEST(DelayTimer, SurvivesItsWindowBeingDestroyed) {
  auto w = std::make_unique<TestWindow>();
  TDelayTimer timer(w->hwnd);
  int a = 0;
  timer.Start(&a, 5000);
  w.reset();
  EXPECT_EQ(timer.SlotCount(), 0);
  timer.Start(&a, 10);  // a dead window: nothing fires, nothing crashes
  PumpFor(50);
}

}  // namespace
