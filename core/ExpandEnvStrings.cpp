#include "core/ExpandEnvStrings.h"

#include <shlobj.h>

#include "core/Enum_Process.h"
#include "core/FileIO.h"
#include "core/ProcessUtils.h"
#include "core/ProgramPath.h"
#include "core/Sjis.h"
#include "core/StringList.h"
#include "core/WindowUtils.h"

namespace {

// Stands for "%%" while names are parsed.
constexpr char kLiteralPercent = 0x12;

struct TSpecialFolder {
  const char* name;
  int csidl;
};

// Indexes 0-22 of the name list; the same names and shell folders as the main expansion.
constexpr TSpecialFolder kSpecialFolders[] = {
    {"DESKTOP", 0x10},          {"STARTMENU", 0x0b},         {"PROGRAMS", 0x02},         {"STARTUP", 0x07},
    {"ALTSTARTUP", 0x1d},       {"PERSONAL", 0x05},          {"FAVORITES", 0x06},        {"RECENT", 0x08},
    {"SENDTO", 0x09},           {"NETHOOD", 0x13},           {"FONTS", 0x14},            {"TEMPLATES", 0x15},
    {"APPDATA", 0x1a},          {"PRINTHOOD", 0x1b},         {"INTERNET_CACHE", 0x20},   {"COOKIES", 0x21},
    {"HISTORY", 0x22},          {"COMMON_DESKTOP", 0x19},    {"COMMON_STARTMENU", 0x16}, {"COMMON_PROGRAMS", 0x17},
    {"COMMON_STARTUP", 0x18},   {"COMMON_ALTSTARTUP", 0x1e}, {"COMMON_FAVORITES", 0x1f},
};
static_assert(std::size(kSpecialFolders) == 23);

std::string& IgnoreFolder() {
  static std::string folder;
  return folder;
}

std::string SpecialFolder(int csidl) {
  LPITEMIDLIST pidl = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(GetActiveWindow(), csidl, &pidl)) || !pidl) return "";
  char path[MAX_PATH] = {};
  BOOL ok = SHGetPathFromIDListA(pidl, path);
  CoTaskMemFree(pidl);
  return ok ? sjis::ExcludeTrailingPathDelimiter(path) : std::string();
}

std::string ResolveName(const std::string& name) {
  for (const TSpecialFolder& f : kSpecialFolders)
    if (sjis::EqualsIgnoreCase(name, f.name)) return SpecialFolder(f.csidl);
  char buf[MAX_PATH + 1] = {};
  if (sjis::EqualsIgnoreCase(name, "system")) {
    UINT n = GetSystemDirectoryA(buf, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buf, n) : std::string();
  }
  if (sjis::EqualsIgnoreCase(name, "windir")) {
    UINT n = GetWindowsDirectoryA(buf, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buf, n) : std::string();
  }
  const bool title = sjis::EqualsIgnoreCase(name, "ActiveTitle");
  const bool cls = sjis::EqualsIgnoreCase(name, "ActiveClass");
  const bool exe = sjis::EqualsIgnoreCase(name, "ActiveExe");
  if (!title && !cls && !exe) return "";
  HWND window = FindDefaultWindow();
  if (!window) return "";
  if (exe) {
    try {
      return GetWindowExeName(window);
    } catch (const EEnumProcessError&) {
      return "";
    }
  }
  char text[256] = {};
  int n = title ? GetWindowTextA(window, text, sizeof text) : GetClassNameA(window, text, sizeof text);
  return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace

std::string ExpandEnvStringsText(const std::string& text) {
  const std::string work = sjis::ReplaceAll(text, "%%", std::string(1, kLiteralPercent));
  std::string result;
  size_t pos = 0;
  for (;;) {
    size_t open = work.find('%', pos);  // "%" is never the trail byte of a double-byte character
    if (open == std::string::npos) {
      result.append(work, pos);
      break;
    }
    result.append(work, pos, open - pos);
    size_t close = work.find('%', open + 1);
    if (close == std::string::npos) {
      result.append(work, open);
      break;
    }
    const std::string name = work.substr(open + 1, close - open - 1);
    const std::string value = ResolveName(name);
    result += value.empty() ? "%" + name + "%" : value;
    pos = close + 1;
  }
  return sjis::ReplaceAll(result, std::string(1, kLiteralPercent), "%");
}

void SetIgnoreFileFolder(const std::string& folder) { IgnoreFolder() = folder; }

std::string IgnoreFilePath() {
  const std::string folder = IgnoreFolder().empty() ? ProgramDir() : IgnoreFolder();
  return sjis::IncludeTrailingPathDelimiter(folder) + "Ignore.txt";
}

HWND FindDefaultWindow() {
  const std::string path = IgnoreFilePath();
  TStringList ignore;
  if (!fileio::FileExists(path)) {
    ignore.Add("TZMRTMain");     // the launcher's window class
    ignore.Add("quorvanemain");  // and its caption
    fileio::WriteFileReplacing(path, ignore.GetText());  // failures only cost the file
  } else {
    std::string data;
    if (fileio::ReadWholeFile(path, data)) ignore.SetText(data);
  }
  return FindDefaultWindowIn(&ignore);
}
