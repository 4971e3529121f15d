// Pictures of real windows for tests/support/editor-screenshot.sh. A test
// named *Screenshot* builds a form and calls OfferScreenshot: when the script
// runs it (QV_SHOT_DIR names a folder), the window's screen rectangle goes to
// <name>.ready there, and the test pumps messages until the script has taken
// the picture and made <name>.done (at most 30 s). In an ordinary test run the
// call only lets the window paint.
#pragma once

#include <windows.h>

#include <string>

// True when the script asked for pictures.
bool ScreenshotsWanted();
void OfferScreenshot(HWND window, const std::string& name);
// The same for a screen area (a window with its open list, say).
void OfferScreenshot(RECT area, const std::string& name);
