#include "core/Window_CTRL.h"

#include "core/ProcessUtils.h"

std::string TWindowCTRL::GetTitle() const {
  char text[261] = {};
  int n = GetWindowTextA(Handle, text, sizeof text);
  return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string TWindowCTRL::GetExeName() const { return GetWindowExeName(Handle); }
