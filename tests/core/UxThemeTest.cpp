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

BOOL WINAPI StylesOff() { return FALSE; }

TEST(ThemeBinding, AnOverrideStandsInWhileItLivesAndTheOneBeforeComesBack) {
  auto* const real = UxTheme().IsThemeActive;
  {
    TUxThemeEntryPoints off = UxTheme();
    off.IsThemeActive = StylesOff;
    TUxThemeOverride classic(off);
    EXPECT_EQ(UxTheme().IsThemeActive, &StylesOff);
    EXPECT_TRUE(IsThemeLibraryLoaded());
    {
      TUxThemeOverride missing(TUxThemeEntryPoints{}, false);
      EXPECT_FALSE(IsThemeLibraryLoaded());
      EXPECT_EQ(UxTheme().OpenThemeData, nullptr);
    }
    EXPECT_EQ(UxTheme().IsThemeActive, &StylesOff);
    EXPECT_TRUE(IsThemeLibraryLoaded());
  }
  EXPECT_EQ(UxTheme().IsThemeActive, real);
}

// A handle is closed by the library that opened it, even when another stands
// in by then; nothing is opened without the library.
TEST(ThemeBinding, ThemeHandleOpensThroughTheEntryPointsAndClosesOnce) {
  TestWindow w;
  TThemeHandle handle;
  {
    TUxThemeOverride missing(TUxThemeEntryPoints{}, false);
    handle.Open(w.hwnd, L"BUTTON");
    EXPECT_EQ(handle.get(), nullptr);
    EXPECT_FALSE(handle.Themed());
  }
  handle.Open(w.hwnd, L"BUTTON");
  ASSERT_NE(handle.get(), nullptr);
  EXPECT_TRUE(handle.Themed()) << "Wine reports styles on";
  {
    TUxThemeEntryPoints off = UxTheme();
    off.IsThemeActive = StylesOff;
    TUxThemeOverride classic(off);
    EXPECT_FALSE(handle.Themed());
  }
  {
    TUxThemeOverride missing(TUxThemeEntryPoints{}, false);
    handle.Close();
  }
  EXPECT_EQ(handle.get(), nullptr);
  handle.Close();
}

}  // namespace
