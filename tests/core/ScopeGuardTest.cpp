#include "core/ScopeGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

TEST(ScopeGuard, RunsOnceOnEveryWayOut) {
  int runs = 0;
  { auto g = core::ScopeExit([&] { ++runs; }); }
  EXPECT_EQ(runs, 1);

  runs = 0;
  EXPECT_THROW(
      {
        core::TScopeGuard g([&] { ++runs; });
        throw std::runtime_error("leave");
      },
      std::runtime_error);
  EXPECT_EQ(runs, 1);

  // A guard handed out of a function runs once, at the receiver's scope end.
  runs = 0;
  {
    auto make = [&] { return core::ScopeExit([&] { ++runs; }); };
    auto g = make();
    EXPECT_EQ(runs, 0);
  }
  EXPECT_EQ(runs, 1);

  runs = 0;
  {
    auto a = core::ScopeExit([&] { ++runs; });
    auto b = std::move(a);
  }
  EXPECT_EQ(runs, 1);
}

TEST(ScopeGuard, DismissedGuardDoesNotRun) {
  int runs = 0;
  {
    auto g = core::ScopeExit([&] { ++runs; });
    g.Dismiss();
  }
  EXPECT_EQ(runs, 0);
}

TEST(ScopeGuard, NestedGuardsRunInReverseOrder) {
  std::vector<int> order;
  {
    auto first = core::ScopeExit([&] { order.push_back(1); });
    auto second = core::ScopeExit([&] { order.push_back(2); });
  }
  EXPECT_EQ(order, (std::vector<int>{2, 1}));
}

}  // namespace
