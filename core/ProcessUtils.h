// Program file of the process that owns a window.
#pragma once

#include <windows.h>

#include <string>

// Full path of the owning process's program file, or empty (a process that
// cannot be opened, such as another user's, has none). On the NT family raises
// EEnumProcessError when PSAPI.DLL or its entry points cannot be had (the 9x
// family: when its process enumerator cannot be made).
std::string GetWindowExeName(HWND window);
