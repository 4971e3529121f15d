#include "core/File_Utils.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "core/Debug_Unit.h"
#include "core/File_Lists.h"
#include "core/ForEachFile.h"
#include "core/Sjis.h"
#include "core/StringList.h"

namespace {

// JKEYB$ appears twice, as in the system's own list of device names.
constexpr const char* kReservedNames[] = {
    "<",        ">",        "con",      "prn",      "nul",      "aux",      "BILING$",  "LPT1",
    "LPT2",     "LPT3",     "LPT4",     "LPT5",     "LPT6",     "LPT7",     "LPT8",     "LPT9",
    "JKEYB$",   "COM1",     "COM2",     "COM3",     "COM4",     "DBLBUFF$", "CLOCK$",   "CONFIG$",
    "EMMXXXX0", "IFS$HLP$", "$IBMADSP", "$IBMAFNT", "JKEYB$",   "KKCFUNC$", "$MMXXXX0", "XMSXXXX0",
    "SETVER",   "SETVERXX", "CD_101",   "MSCD001",  "MS$KANJI", "MSCD$$$$",
};

TPathFlavour g_flavour = TPathFlavour::Editor;

bool IsExistingFolder(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFile(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Kind of the first match of pattern: none, wildcard-file or wildcard-folder.
int FirstMatchKind(const std::string& pattern) {
  int kind = pkNone;
  core::ForEachFile(pattern, [&](const WIN32_FIND_DATAA& fd) {
    kind = core::IsDirectory(fd) ? pkWildFolder : pkWildFile;
    return false;
  }, core::TDotEntries::Keep);
  return kind;
}

// "C:" of a drive path, "\\server\share" of a network path.
std::string DriveOf(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
  if (!sjis::StartsWith(path, "\\\\")) return "";
  size_t server = sjis::FindChar(path, '\\', 2);
  if (server == sjis::npos) return std::string(path);
  size_t share = sjis::FindChar(path, '\\', server + 1);
  return std::string(path.substr(0, share));
}

struct TFileUtilsSingleton {
  TFileUtilsClass cls = &TFileUtils::Create;
  TFileUtilsClass madeFrom = nullptr;
  // The current object is the last; replaced ones stay until program end.
  std::vector<std::unique_ptr<TFileUtils>> objects;
};

TFileUtilsSingleton& FileUtilsSingleton() {
  static TFileUtilsSingleton s;
  return s;
}

}  // namespace

// Defined by the cached unit; referring to it here keeps that unit, and with it
// its start-up choice of the caching class, in every program that uses these services.
extern const int kCachedFileUtilsUnit;
[[gnu::used]] static const int* const kKeepCachedUnit = &kCachedFileUtilsUnit;

void SetPathFlavour(TPathFlavour flavour) { g_flavour = flavour; }
TPathFlavour PathFlavour() { return g_flavour; }

TSilentCriticalErrors::TSilentCriticalErrors() {
  old_ = SetErrorMode(SEM_FAILCRITICALERRORS);
  SetErrorMode(old_ | SEM_FAILCRITICALERRORS);
}

TSilentCriticalErrors::~TSilentCriticalErrors() { SetErrorMode(old_); }

bool TFileUtils::IsReservedName(std::string_view path) {
  std::string name = sjis::EndsWithChar(path, '\\') ? std::string(path.substr(0, path.size() - 1)) : std::string(path);
  for (const char* r : kReservedNames)
    if (sjis::EqualsIgnoreCase(name, r)) return true;
  return false;
}

bool TFileUtils::IsBareWildcard(std::string_view path) {
  if (sjis::FindChar(path, '\\') != sjis::npos || sjis::FindChar(path, ':') != sjis::npos) return false;
  if (path == "." || path == "..") return false;
  return sjis::FindChar(path, '*') != sjis::npos || sjis::FindChar(path, '?') != sjis::npos;
}

bool TFileUtils::IsBareComputerName(std::string_view path) {
  if (!sjis::StartsWith(path, "\\\\")) return false;
  std::string_view rest = path.substr(2);
  if (sjis::EndsWithChar(rest, '\\')) rest.remove_suffix(1);
  return sjis::FindChar(rest, '\\') == sjis::npos;
}

bool TFileUtils::IsKnownComputer(std::string_view path, const TStringList& listing) {
  std::string name(path.substr(sjis::StartsWith(path, "\\\\") ? 2 : 0));
  if (!sjis::EndsWithChar(name, '\\')) name += '\\';
  DebugOut().Write("OSUtils.Names:" + name).WriteLn();
  DebugOut().Write("OSUtils.ComputerNames:" + listing.GetText()).WriteLn();
  return listing.IndexOf(name) >= 0;
}

bool TFileUtils::IsAbsolutePath(std::string_view path) {
  return path.size() >= 2 && (sjis::StartsWith(path, "\\\\") || (path[1] == ':' && !sjis::IsLeadByte(path[0])));
}

int TFileUtils::GetPathKind(const std::string& path, bool allowWild) {
  if (path.empty()) return pkNone;
  std::string copy = path;
  bool mayBeFile = true;
  if (sjis::EndsWithChar(copy, '\\')) {
    copy.pop_back();
    mayBeFile = false;
  }
  if (IsBareWildcard(copy) || IsReservedName(path)) return pkNone;

  const bool editor = g_flavour == TPathFlavour::Editor;
  std::unique_ptr<TSilentCriticalErrors> silent;
  if (editor) silent = std::make_unique<TSilentCriticalErrors>();
  int kind = pkNone;
  if (sjis::StartsWith(copy, "\\\\") && IsBareComputerName(path)) {
    if (editor) {
      std::unique_ptr<TStringList> computers = FileListsInstance().GetList("\\\\");
      if (computers && IsKnownComputer(path, *computers)) kind = pkDirectory;
    } else if (!mayBeFile) {
      return pkDirectory;
    }
  }
  if (!silent) silent = std::make_unique<TSilentCriticalErrors>();
  if (kind == pkNone && IsExistingFolder(copy)) kind = pkDirectory;
  if (kind == pkNone && mayBeFile && IsExistingFile(copy)) kind = pkFile;
  if (kind == pkNone && allowWild) kind = FirstMatchKind(path);
  return kind;
}

bool TFileUtils::IsPathKind(const std::string& path, bool acceptFile, bool acceptWild, bool acceptDir) {
  switch (GetPathKind(path, acceptWild)) {
    case pkWildFolder: return acceptWild && acceptDir;
    case pkWildFile: return acceptFile && acceptWild;
    case pkDirectory: return acceptDir;
    case pkFile: return acceptFile;
    default: return false;
  }
}

std::string TFileUtils::FindExecutable(const std::string& name, const std::string& folder) {
  if (name.empty()) return "";
  TSilentCriticalErrors silent;
  auto search = [&](const std::string& file) -> std::string {
    char buf[MAX_PATH];
    char* filePart = nullptr;
    DWORD n = SearchPathA(folder.empty() ? nullptr : folder.c_str(), file.c_str(), nullptr, MAX_PATH, buf, &filePart);
    return (n > 0 && n < MAX_PATH) ? std::string(buf, n) : std::string();
  };
  std::string found = search(name);
  if (found.empty() && sjis::ExtractFileExt(name).empty()) found = search(name + ".exe");
  return found;
}

std::string TFileUtils::GetShortPath(const std::string& path) {
  char buf[MAX_PATH];
  DWORD n = GetShortPathNameA(path.c_str(), buf, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return path;
  return sjis::TrimRight(std::string_view(buf, n));
}

std::string TFileUtils::CurrentDir() {
  char buf[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
  if (n == 0 || n >= MAX_PATH) return "";
  return sjis::ExcludeTrailingPathDelimiter(std::string_view(buf, n));
}

std::string TFileUtils::ParentDir(std::string_view path) {
  return sjis::ExcludeTrailingPathDelimiter(sjis::ExtractFilePath(sjis::ExcludeTrailingPathDelimiter(path)));
}

std::string TFileUtils::ExpandPath(const std::string& path) {
  std::string result;
  std::string_view rest = path;
  if (sjis::StartsWith(rest, "\\\\")) {
    result = "\\";
    rest.remove_prefix(2);
  } else if (sjis::StartsWithChar(rest, '\\')) {
    result = DriveOf(CurrentDir());
    rest.remove_prefix(1);
  }
  bool endedWithSlash = false;
  while (!rest.empty()) {
    size_t p = sjis::FindChar(rest, '\\');
    std::string part(rest.substr(0, p));
    if (p == sjis::npos) {
      rest = {};
      endedWithSlash = false;
    } else {
      rest.remove_prefix(p + 1);
      endedWithSlash = true;
    }
    if (result.empty()) {
      if (part == ".") result = CurrentDir();
      else if (part == "..") result = ParentDir(CurrentDir());
      else if (IsAbsolutePath(part)) result = part;
      else result = CurrentDir() + "\\" + part;
    } else if (part == "..") {
      result = ParentDir(result);
    } else if (part != ".") {
      result += "\\" + part;
    }
  }
  if (endedWithSlash) result += "\\";
  return result;
}

void SetFileUtilsClass(TFileUtilsClass cls) { FileUtilsSingleton().cls = cls ? cls : &TFileUtils::Create; }
TFileUtilsClass FileUtilsClass() { return FileUtilsSingleton().cls; }

TFileUtils& FileUtilsInstance() {
  TFileUtilsSingleton& s = FileUtilsSingleton();
  if (s.objects.empty() || s.madeFrom != s.cls) {
    s.objects.emplace_back(s.cls());
    s.madeFrom = s.cls;
  }
  return *s.objects.back();
}
