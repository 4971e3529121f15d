// The launcher's window placement helpers: where the user was typing in another
// program, placing a window at percentages of another, and keeping a window on
// the desktop (the bounding rectangle of all monitors).
#pragma once

#include <windows.h>

int GetWindowTextHeight(HWND window);
// The caret of the window's thread in screen coordinates, or (-1,-1). The
// fallback briefly brings the window to the front and then gives the foreground
// to returnTo (the launcher's application window).
POINT GetPreviousWindowCaretPos(HWND window, HWND returnTo = nullptr);
bool IsWindowOnDesktop(HWND window, bool overlap);
bool IsWindowInsideDesktop(HWND window);
void KeepWindowOnDesktop(HWND window);
// x or y of -1 keeps the window's present coordinate; no reference means the desktop.
void PlaceWindowByPercent(HWND window, HWND reference, int xPercent, int yPercent);

RECT DesktopRect();

// The arithmetic of the two moves, for any rectangles.
POINT KeepRectOnDesktop(const RECT& window, const RECT& desktop);
POINT PercentPosition(const RECT& window, const RECT& reference, int xPercent, int yPercent);
