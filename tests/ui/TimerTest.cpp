#include "ui/Timer.h"

#include <stdexcept>

#include "tests/ui/UiFixture.h"

namespace {

using TimerTest = UiTest;

TEST_F(TimerTest, TimersFireUnderIdsOfTheirOwn) {
  ui::TTimer a(10), b(15);
  EXPECT_NE(a.Id(), b.Id());
  int fa = 0, fb = 0;
  a.OnTimer = [&] { ++fa; };
  b.OnTimer = [&] { ++fb; };
  a.SetEnabled(true);
  b.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return fa >= 2 && fb >= 2; }));
  a.SetEnabled(false);
  int stopped = fa;
  EXPECT_TRUE(PumpUntil([&] { return fb >= 6; }));
  EXPECT_EQ(fa, stopped);
}

TEST_F(TimerTest, NoCollisionWithTimersOfOtherWindows) {
  ui::TTimer t(10);
  int ours = 0, theirs = 0;
  t.OnTimer = [&] { ++ours; };
  ui::TWindow w;
  ui::TCreateParams p;
  p.ClassName = "QvTestTimerUser";
  ASSERT_TRUE(w.Create(p));
  w.OnTimer = [&](ui::TTimerEvent& e) {
    if (e.Id == t.Id()) ++theirs;
    e.Answer(0);
  };
  SetTimer(w.Handle(), t.Id(), 10, nullptr);  // the same number, on a window of its own
  t.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ours >= 2 && theirs >= 2; }));
  KillTimer(w.Handle(), t.Id());
  t.SetEnabled(false);
  int before = ours;
  KillTimer(w.Handle(), t.Id());
  Drain();
  EXPECT_EQ(ours, before);
}

TEST_F(TimerTest, TimerMayFreeItselfAndFailuresAreShown) {
  auto t = std::make_unique<ui::TTimer>(10);
  t->OnTimer = [&] { t.reset(); };
  t->SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return !t; }));

  ui::TTimer failing(10);
  int calls = 0;
  failing.OnTimer = [&] {
    ++calls;
    throw std::runtime_error("タイマー失敗");
  };
  failing.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return calls >= 2; }));  // it keeps running
  ASSERT_GE(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "タイマー失敗");
}

TEST_F(TimerTest, IntervalZeroOrDisabledNeverRuns) {
  ui::TTimer t(0);
  int calls = 0;
  t.OnTimer = [&] { ++calls; };
  t.SetEnabled(true);
  Drain();
  EXPECT_EQ(calls, 0);
  t.SetInterval(10);
  EXPECT_TRUE(PumpUntil([&] { return calls >= 1; }));
}

}  // namespace
