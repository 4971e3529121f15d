#include "launcher/WindowUtils.h"

#include <gtest/gtest.h>

#include "tests/support/TestWindow.h"

namespace {

bool operator==(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

TEST(WindowPlacement, KeepRectOnDesktopTable) {
  const RECT d{0, 0, 1280, 1024};
  struct Case { const char* name; RECT r; POINT expect; };
  const Case cases[] = {
      {"inside", {10, 20, 110, 70}, {10, 20}},
      {"30 past right", {1210, 10, 1310, 60}, {1180, 10}},
      {"past left", {-50, 10, 50, 60}, {0, 10}},
      {"past bottom", {10, 1000, 110, 1050}, {10, 974}},
      {"past top", {10, -5, 110, 45}, {10, 0}},
  };
  for (const auto& c : cases) EXPECT_TRUE(KeepRectOnDesktop(c.r, d) == c.expect) << c.name;
  // A desktop that starts left of the primary monitor keeps its own left edge.
  const RECT wide{-1280, 0, 1280, 1024};
  EXPECT_TRUE(KeepRectOnDesktop({-1300, 10, -1200, 60}, wide) == (POINT{-1280, 10}));
}

TEST(WindowPlacement, PercentPositionTruncatesTowardZero) {
  const RECT w{5, 6, 105, 56};
  const RECT ref{100, 200, 403, 507};  // 303 x 307
  struct Case { int x, y; POINT expect; };
  const Case cases[] = {
      {0, 0, {100, 200}},   {100, 100, {403, 507}}, {50, 50, {251, 353}},
      {-1, 10, {5, 230}},   {10, -1, {130, 6}},     {-10, -3, {70, 191}},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(PercentPosition(w, ref, c.x, c.y) == c.expect) << c.x << "," << c.y;
}

TEST(WindowPlacement, RealWindowsMoveOntoTheDesktopAndByPercent) {
  TestWindow w(WS_POPUP | WS_VISIBLE);
  RECT d = DesktopRect();
  SetWindowPos(w.hwnd, nullptr, d.right - 70, 50, 100, 40, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(IsWindowInsideDesktop(w.hwnd));
  EXPECT_TRUE(IsWindowOnDesktop(w.hwnd, true));
  KeepWindowOnDesktop(w.hwnd);
  PumpUntil([&] { return IsWindowInsideDesktop(w.hwnd); }, 1000);
  RECT r;
  GetWindowRect(w.hwnd, &r);
  EXPECT_EQ(r.left, d.right - 100);

  TestWindow ref(WS_POPUP | WS_VISIBLE);
  SetWindowPos(ref.hwnd, nullptr, 200, 300, 400, 200, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceWindowByPercent(w.hwnd, ref.hwnd, 100, 50);
  PumpUntil([&] { GetWindowRect(w.hwnd, &r); return r.left == 600; }, 1000);
  EXPECT_EQ(r.left, 600);
  EXPECT_EQ(r.top, 400);
}

TEST(WindowPlacement, CaretOfOwnThreadIsNotAsked) {
  TestWindow w(WS_POPUP | WS_VISIBLE);
  POINT p = GetPreviousWindowCaretPos(w.hwnd);
  EXPECT_EQ(p.x, -1);
  EXPECT_EQ(p.y, -1);
  EXPECT_GT(GetWindowTextHeight(w.hwnd), 0);
}

}  // namespace
