#include "core/XPTheme.h"

#include <windows.h>
#include <commctrl.h>

void InitXPTheme() {
  static const bool done = [] {
    InitCommonControls();
    return true;
  }();
  (void)done;
}
