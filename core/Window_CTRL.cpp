#include "core/Window_CTRL.h"

#include "core/Enum_Process.h"

std::string TWindowCTRL::GetTitle() const {
  char text[261] = {};
  int n = GetWindowTextA(Handle, text, sizeof text);
  return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string TWindowCTRL::GetExeName() const {
  DWORD pid = 0;
  GetWindowThreadProcessId(Handle, &pid);
  if (pid == 0) return "";
  std::unique_ptr<TProcessEnumerater> processes = CreateProcessEnumerater();
  for (long long id = processes->Next(); id != -1; id = processes->Next())
    if (id == static_cast<long long>(pid)) return processes->ExeName();
  return "";
}
