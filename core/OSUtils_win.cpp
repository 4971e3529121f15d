#include <windows.h>
#include <shellapi.h>

#include "core/OSUtils.h"
#include "core/WebAddress.h"

#include <cstdio>
#include <string>
#include <vector>

#include "core/AttachedInput.h"
#include "core/FileIO.h"
#include "core/Sjis.h"

TOSVersion SystemVersion() {
  TOSVersion v;
  // RtlGetVersion reports the real version; GetVersionExA answers what the
  // program's manifest allows it to see.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  if (HMODULE ntdll = GetModuleHandleA("ntdll.dll")) {
    auto fn = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (fn && fn(&info) == 0) {
      v.platformId = info.dwPlatformId;
      v.major = info.dwMajorVersion;
      v.minor = info.dwMinorVersion;
      v.build = info.dwBuildNumber;
      return v;
    }
  }
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (GetVersionExA(&info)) {
#pragma GCC diagnostic pop
    v.platformId = info.dwPlatformId;
    v.major = info.dwMajorVersion;
    v.minor = info.dwMinorVersion;
    v.build = info.dwBuildNumber;
  }
  return v;
}

namespace {

std::string DoubleNulList(const std::string& s) { return s + std::string(2, '\0'); }

std::vector<char> ReadVersionInfo(const std::string& fileName) {
  DWORD dummy = 0;
  DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &dummy);
  if (size == 0) return {};
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(fileName.c_str(), 0, size, data.data())) return {};
  return data;
}

HICON IconByName(const std::string& path, bool small, bool nameOnly) {
  SHFILEINFOA info{};
  UINT flags = SHGFI_ICON | SHGFI_DISPLAYNAME | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
  if (nameOnly) flags |= SHGFI_USEFILEATTRIBUTES;
  if (!SHGetFileInfoA(path.c_str(), nameOnly ? FILE_ATTRIBUTE_NORMAL : 0, &info, sizeof info, flags)) return nullptr;
  return info.hIcon;
}

}  // namespace

void ForceForegroundWindow(HWND window) {
  HWND foreground = GetForegroundWindow();
  DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
  if (foregroundThread == windowThread) {
    BringWindowToTop(window);
    return;
  }
  {
    core::AttachedInput attach(windowThread, foregroundThread);
    BringWindowToTop(window);
    SetForegroundWindow(window);
  }
  // Wine drops the foreground when the input states part again; the window may
  // take it back now that no other thread holds it.
  if (GetForegroundWindow() != window) SetForegroundWindow(window);
}

bool ShellCopyFiles(HWND owner, const std::string& source, const std::string& destination) {
  const std::string from = DoubleNulList(source), to = DoubleNulList(destination);
  SHFILEOPSTRUCTA op{};
  op.hwnd = owner;
  op.wFunc = FO_COPY;
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;
  return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

std::string GetLoginUserName() {
  if (IsWin95()) return "All Users";
  char name[256];
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size) || size == 0) return "All Users";
  return std::string(name, strnlen(name, sizeof name));
}

std::string GetVersionInfoString(const std::string& fileName, const std::string& name) {
  std::vector<char> data = ReadVersionInfo(fileName);
  if (data.empty()) return std::string();
  struct Translation { WORD language, codePage; };
  Translation* tr = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&tr), &len) ||
      len < sizeof(Translation) || !tr)
    return std::string();
  char block[64];
  std::snprintf(block, sizeof block, "\\StringFileInfo\\%04x%04x\\", tr->language, tr->codePage);
  char* value = nullptr;
  if (!VerQueryValueA(data.data(), (block + name).c_str(), reinterpret_cast<void**>(&value), &len) || !value ||
      len == 0)
    return std::string();
  return std::string(value, strnlen(value, len));
}

HICON GetFileIcon(const std::string& rawPath, int index, bool small) {
  std::string path = rawPath;
  if (sjis::EndsWithChar(path, '\\')) path.pop_back();
  if (path.size() == 2 && path[1] == ':') path += '\\';
  if (IsWebAddress(path) || sjis::StartsWithIgnoreCase(path, "www."))
    return IconByName(IsWinXP() ? "*.url" : "*.html", small, true);
  if (sjis::StartsWithIgnoreCase(path, "mailto:")) return IconByName("*.eml", small, true);
  HICON icon = nullptr;
  if (fileio::FileExists(path) || fileio::DirectoryExists(path)) {
    const std::string ext = sjis::ToLowerAscii(sjis::ExtractFileExt(path));
    if (ext == ".exe" || ext == ".dll" || ext == ".cpl" || ext == ".icl") {
      HICON got = nullptr;
      if (ExtractIconExA(path.c_str(), index, small ? nullptr : &got, small ? &got : nullptr, 1) > 0 && got) icon = got;
    }
    if (!icon) icon = IconByName(path, small, false);
  }
  if (!icon) icon = IconByName(path, small, true);
  return icon;
}
