#include "core/FileUtils.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <utility>

#include "core/Easy_Integer_Cache.h"
#include "core/FileList.h"
#include "core/File_Utils.h"
#include "core/ForEachFile.h"
#include "core/Sjis.h"

namespace {

TEasyIntegerCache& KindCache() {
  static TEasyIntegerCache cache;
  return cache;
}

TDriveDisplayNameSource& DisplayNameSource() {
  static TDriveDisplayNameSource source;
  return source;
}

bool Accepts(int kind, bool acceptFile, bool acceptDir, bool acceptWild) {
  switch (kind) {
    case pkWildFolder: return acceptWild && acceptDir;
    case pkWildFile: return acceptWild && acceptFile;
    case pkDirectory: return acceptDir;
    case pkFile: return acceptFile;
    default: return false;
  }
}

}  // namespace

bool CheckPathKind(const std::string& path, bool acceptFile, bool acceptDir, bool acceptWild) {
  if (path.empty()) return false;
  std::string copy = path;
  if (sjis::EndsWithChar(copy, '\\')) {
    copy.pop_back();
    acceptFile = false;
  }
  if (int cached = KindCache().Get(path)) return Accepts(cached, acceptFile, acceptDir, acceptWild);
  if (TFileUtils::IsBareWildcard(copy) || TFileUtils::IsReservedName(path)) return false;

  int kind = pkNone;
  if (sjis::StartsWith(copy, "\\\\") && acceptDir && TFileUtils::IsBareComputerName(path)) {
    std::unique_ptr<TStringList> computers = GetNetList("\\\\");
    if (TFileUtils::IsKnownComputer(path, *computers)) kind = pkDirectory;
  }
  if (kind == pkNone) {
    DWORD a = GetFileAttributesA(copy.c_str());
    if (a != INVALID_FILE_ATTRIBUTES) kind = (a & FILE_ATTRIBUTE_DIRECTORY) ? pkDirectory : pkFile;
  }
  if (kind == pkNone && acceptWild) {
    // The first entry decides, "." included.
    core::ForEachFile(copy, [&](const WIN32_FIND_DATAA& fd) {
      kind = core::IsDirectory(fd) ? pkWildFolder : pkWildFile;
      return false;
    }, core::TDotEntries::Keep);
  }
  KindCache().Put(path, kind);
  return Accepts(kind, acceptFile, acceptDir, acceptWild);
}

TDriveDisplayNameSource SetDriveDisplayNameSource(TDriveDisplayNameSource source) {
  TDriveDisplayNameSource old = std::move(DisplayNameSource());
  DisplayNameSource() = std::move(source);
  return old;
}

std::string ShellDriveDisplayName(const std::string& root) {
  SHFILEINFOA info = {};
  if (!SHGetFileInfoA(root.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) return "";
  return info.szDisplayName;
}

bool IsFloppyDrive(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return false;
  std::string root = path.substr(0, 2) + "\\";
  std::string name = DisplayNameSource() ? DisplayNameSource()(root) : ShellDriveDisplayName(root);
  return sjis::Find(name, "FD") != sjis::npos;
}
