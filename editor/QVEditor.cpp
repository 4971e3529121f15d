// The editor program. It lives in the Files folder of the main folder; its
// modes (keyword manager, settings window, version window) come with its
// start-up. It starts what every mode needs, the common controls with visual
// styles and OLE for the user-interface thread, and ends.
#include <windows.h>

#include "core/Debug_Unit.h"
#include "core/UxThemeRT.h"
#include "core/XPTheme.h"
#include "ui/OleStart.h"

namespace {

int RunEditor() {
  InitXPTheme();
  // Bound now, so that every window finds the library (or its absence) ready.
  IsThemeLibraryLoaded();
  ui::TOleUse ole;
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return RunEditor();
  } catch (...) {
    LogSwallowed("QVEditor.WinMain");
    return 0;
  }
}
