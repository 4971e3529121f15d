// A classic desktop for a test, which Wine cannot switch to: the program's
// theme entry points say that visual styles are off, and Unstyle takes the
// styles off the system's own controls of a window too, as a classic desktop
// would draw them.
#pragma once

#include <windows.h>

#include "core/UxThemeRT.h"

class ClassicDesktop {
 public:
  ClassicDesktop() : override_(Entries()) {}
  static void Unstyle(HWND window) {
    EnumChildWindows(
        window,
        [](HWND w, LPARAM) -> BOOL {
          if (auto set = UxTheme().SetWindowTheme) set(w, L"", L"");
          return TRUE;
        },
        0);
  }

 private:
  static BOOL WINAPI StylesOff() { return FALSE; }
  static TUxThemeEntryPoints Entries() {
    TUxThemeEntryPoints e = UxTheme();
    e.IsThemeActive = StylesOff;
    return e;
  }
  TUxThemeOverride override_;
};
