#include "core/ProcessUtils.h"

#include <memory>

#include "core/Enum_Process.h"
#include "core/OSUtils.h"

namespace {

// The 9x family has no PSAPI: its Toolhelp enumerator, walked to the process,
// gives the program file.
std::string ExeNameByWalk(DWORD pid) {
  std::unique_ptr<TProcessEnumerater> processes = CreateProcessEnumerater();
  for (long long id = processes->Next(); id != -1; id = processes->Next())
    if (id == static_cast<long long>(pid)) return processes->ExeName();
  return "";
}

}  // namespace

std::string GetWindowExeName(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == 0) return "";
  return IsNT() ? TProcessApi().ProgramFile(pid) : ExeNameByWalk(pid);
}
