// Centring dialogs and finding the window the user was working in before the
// program came to the front (skipping the windows an ignore list names).
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

class TStringList;

// Top-left corner that puts a window of rectangle `window` centred over `over`;
// halves truncate toward zero, as when the window is larger than `over`.
POINT CenteredOver(const RECT& over, const RECT& window);
// Top-left corner that centres a width x height window on the desktop
// rectangle, measured from (0, 0) rather than the desktop's own origin.
POINT CenteredOnDesktop(const RECT& desktop, int width, int height);

// Moves window so that its centre is over the centre of over (on the screen
// when over is null), without resizing, reordering or activating it.
void CenterWindow(HWND window, HWND over);
// Centres window on the whole virtual desktop.
void CenterWindowOnScreen(HWND window);

// One top-level window as met in a Z-order walk.
struct TZOrderWindow {
  HWND handle;
  bool ownThread;  // belongs to the program's user-interface thread
  bool visible;
};
// Candidates for the user's window, best first: the foreground window (unless
// it is the program's own), then the visible foreign windows behind the
// program's application window in Z order, then those in front of it. Without
// an application window the program's first own window met marks the place.
std::vector<HWND> OrderDefaultWindowCandidates(HWND foreground, bool foregroundIsOwn,
                                               const std::vector<TZOrderWindow>& zOrder, HWND applicationWindow);

// Whether a line of the ignore list names the window: its caption, the file name
// or full path of its program file, or "Class:" + its class name, all without
// regard to case. A blank line names nothing.
bool IgnoreListMatches(const TStringList& list, std::string_view caption, std::string_view className,
                       std::string_view exePath);
// IgnoreListMatches for a real window (false without a list); logs what it read.
bool IsIgnored(HWND window, const TStringList* ignoreList);

// The window the user was working in: the first candidate that the ignore list
// does not name, or null.
HWND FindDefaultWindowIn(const TStringList* ignoreList);
