#include "core/UxThemeRT.h"

#include <gtest/gtest.h>

#include "core/XPTheme.h"
#include "tests/support/TestWindow.h"

namespace {

TEST(ThemeBinding, LibraryIsBoundByNameAndUsable) {
  InitXPTheme();
  InitXPTheme();  // once is enough; again does no harm
  ASSERT_TRUE(IsThemeLibraryLoaded());
  const auto& ux = UxTheme();
  ASSERT_NE(ux.OpenThemeData, nullptr);
  ASSERT_NE(ux.CloseThemeData, nullptr);
  ASSERT_NE(ux.IsThemeActive, nullptr);
  TestWindow w;
  if (HTHEME theme = ux.OpenThemeData(w.hwnd, L"BUTTON")) EXPECT_EQ(ux.CloseThemeData(theme), S_OK);
}

}  // namespace
