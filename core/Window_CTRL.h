// A window handle of another program, with its caption and program file. The
// object does not own the window.
#pragma once

#include <windows.h>

#include <string>

class TWindowCTRL {
 public:
  explicit TWindowCTRL(HWND window) : Handle(window) {}

  std::string GetTitle() const;  // up to 260 characters
  // Full path of the program file of the window's process, or empty: what
  // GetWindowExeName gives, with its errors (EEnumProcessError).
  std::string GetExeName() const;

  HWND Handle;
};
