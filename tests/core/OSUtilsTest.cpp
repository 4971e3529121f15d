#include "core/OSUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(OSUtilsFlags, FromVersionNumbers) {
  struct Case { const char* name; TOSVersion v; bool nt, xp, w2000, w95; };
  const Case cases[] = {
      {"Windows 10", {2, 10, 0, 19045}, true, true, false, false},
      {"Windows 7", {2, 6, 1, 7601}, true, true, false, false},
      {"Vista", {2, 6, 0, 6000}, true, true, false, false},
      {"XP", {2, 5, 1, 2600}, true, true, false, false},
      {"Server 2003", {2, 5, 2, 3790}, true, true, false, false},
      {"2000", {2, 5, 0, 2195}, true, false, true, false},
      {"NT 4", {2, 4, 0, 1381}, true, false, false, false},
      {"95", {1, 4, 0, 950}, false, false, false, true},
      {"98", {1, 4, 10, 1998}, false, false, false, false},
  };
  for (const auto& c : cases) {
    TPlatformFlags f = PlatformFlagsFor(c.v);
    EXPECT_EQ(f.nt, c.nt) << c.name;
    EXPECT_EQ(f.winXP, c.xp) << c.name;
    EXPECT_EQ(f.win2000, c.w2000) << c.name;
    EXPECT_EQ(f.win95, c.w95) << c.name;
  }
}

TEST(OSUtilsFlags, RunningSystemIsACurrentNT) {
  EXPECT_TRUE(IsNT());
  EXPECT_TRUE(IsWinXP());
  EXPECT_FALSE(IsWin2000());
  EXPECT_FALSE(IsWin95());
}

TEST(OSUtilsVersion, FormatVersionString) {
  struct Case { const char* in; const char* out; };
  const Case cases[] = {
      {"1.5.0.312", "1.5a3"}, {"2.0.4.1500", "2.0r15"}, {"1.2.2.100", "1.2rc1"}, {"1.2.3.500", "1.2"},
      {"1.2.0.0", "1.2a"},    {"1.2.1.00", "1.2b"},     {"1.2.1.5", "1.2b5"},    {"1.2.9.1", "1.2"},
      {"1.2", "1.2"},         {"1.2.0", "1.2"},         {"7", "7"},              {"", ""},
      {"1.2.0.表x", "1.2a"},  {"1.2.0.12表", "1.2a1"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatVersionString(c.in), c.out) << c.in;
}

}  // namespace
