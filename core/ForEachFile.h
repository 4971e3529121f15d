// The one loop over FindFirstFileA / FindNextFileA: the find handle is closed
// on every way out, also when the callback throws or stops the listing.
// Names are the system's ANSI (Shift-JIS) bytes, passed on as they come.
// Win32 only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <type_traits>

#include "core/Handles.h"

namespace core {

// "." and "..", which a listing of "folder\*" gives besides the real entries.
constexpr bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }
inline bool IsDirectory(const WIN32_FIND_DATAA& found) { return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

enum class TDotEntries { Skip, Keep };

// Calls fn(const WIN32_FIND_DATAA&) for every entry that matches pattern, in
// the order the system gives them. fn may return bool: false ends the listing.
// A pattern that matches nothing (or a folder that cannot be read) calls fn
// never; the caller decides about the critical-error mode around the call.
template <class Fn>
void ForEachFile(const std::string& pattern, Fn&& fn, TDotEntries dots = TDotEntries::Skip) {
  WIN32_FIND_DATAA found;
  TUniqueFind find(FindFirstFileA(pattern.c_str(), &found));
  if (!find) return;
  do {
    if (dots == TDotEntries::Skip && IsDotEntry(found.cFileName)) continue;
    if constexpr (std::is_same_v<std::invoke_result_t<Fn&, const WIN32_FIND_DATAA&>, bool>) {
      if (!fn(static_cast<const WIN32_FIND_DATAA&>(found))) return;
    } else {
      fn(static_cast<const WIN32_FIND_DATAA&>(found));
    }
  } while (FindNextFileA(find.get(), &found));
}

}  // namespace core
