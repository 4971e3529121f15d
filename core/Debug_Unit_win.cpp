// The log's platform half on Windows: console, clock, version facts.
#include <windows.h>

#include "core/Debug_Unit.h"

#include <algorithm>
#include <vector>

#include "core/OSUtils.h"
#include "core/ProgramPath.h"

namespace debugsys {

void OpenConsole() {
  // Output that already goes somewhere (a console, a pipe, a file) stays there;
  // a program started without one gets a console window of its own.
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) return;
  AllocConsole();
}

void ConsoleWrite(std::string_view text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
  size_t done = 0;
  while (done < text.size()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 20));
    if (!WriteFile(out, text.data() + done, chunk, &written, nullptr) || written == 0) return;
    done += written;
  }
  FlushFileBuffers(out);
}

std::string LogFileName() { return ProgramDir() + "\\Debug.txt"; }

}  // namespace debugsys

TDateTimeParts LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::string GetFileVersionText(const std::string& fileName) {
  DWORD dummy = 0;
  DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &dummy);
  if (size == 0) return std::string();
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(fileName.c_str(), 0, size, data.data())) return std::string();
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &len) || !info || len < sizeof *info)
    return std::string();
  return FormatFileVersionText(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::string GetFileTimeText(const std::string& fileName) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data)) return std::string();
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &st))
    return std::string();
  return FormatFileTimeText({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
}

std::string GetOSVersionText() {
  const TOSVersion v = SystemVersion();
  const TOSPlatform p = v.platformId == VER_PLATFORM_WIN32_NT        ? TOSPlatform::NT
                        : v.platformId == VER_PLATFORM_WIN32_WINDOWS ? TOSPlatform::Win9x
                                                                     : TOSPlatform::Other;
  return FormatOSVersionText(p, v.major, v.minor, v.build);
}
