// The editor program. It lives in the Files folder of the main folder; its
// first parameter chooses the mode: the version window, the settings window
// or the keyword manager. Every mode gets the common controls with visual
// styles and OLE for the user-interface thread.
#include <windows.h>

#include "core/Debug_Unit.h"
#include "core/Params.h"
#include "core/UxThemeRT.h"
#include "core/XPTheme.h"
#include "editor/EditorStartup.h"
#include "ui/OleStart.h"

namespace {

int RunEditor() {
  const TStringList& params = ParamList();
  InitDebugLog(TDebugStyle::Editor, params);
  InitXPTheme();
  // Bound now, so that every window finds the library (or its absence) ready.
  IsThemeLibraryLoaded();
  ui::TOleUse ole;
  int code = 0;
  try {
    code = RunEditorStartup(params, DefaultEditorModeHooks());
  } catch (...) {
    LogSwallowed("QVEditor.RunEditor");
  }
  FinishDebugLog();
  return code;
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
