#include "core/FileList.h"

#include <windows.h>

#include <cstring>

#include "core/Easy_List_Cache.h"
#include "core/FileUtils.h"
#include "core/File_Lists.h"
#include "core/ForEachFile.h"
#include "core/Sjis.h"

namespace {

TEasyListCache& NetCache() {
  static TEasyListCache cache;
  return cache;
}

std::string JoinLines(const TStringList& list) {
  std::string text;
  for (int i = 0; i < list.Count(); ++i) {
    if (i > 0) text += "\r\n";
    text += list[i];
  }
  return text;
}

}  // namespace

std::string ListCurrentDir() {
  TStringList folders, files;
  // "." and ".." are listed too, as folders.
  core::ForEachFile("*", [&](const WIN32_FIND_DATAA& fd) {
    if (core::IsDirectory(fd)) folders.Add(std::string(fd.cFileName) + "\\");
    else files.Add(fd.cFileName);
  }, core::TDotEntries::Keep);
  folders.AddStrings(files);
  return JoinLines(folders);
}

std::string ListDrives(bool includeFloppy) {
  // 105 bytes hold all 26 roots; the size passed leaves out the final NUL.
  char buffer[106] = {};
  DWORD n = GetLogicalDriveStringsA(105, buffer);
  TStringList drives;
  if (n > 0 && n <= 105) {
    for (const char* p = buffer; *p; p += strlen(p) + 1)
      if (includeFloppy || !IsFloppyDrive(p)) drives.Add(p);
  }
  return JoinLines(drives);
}

std::unique_ptr<TStringList> GetNetList(const std::string& path) {
  if (path == "\\\\") {
    auto all = std::make_unique<TStringList>();
    std::unique_ptr<TStringList> groups = GetNetList("");
    for (const std::string& group : *groups) {
      if (group.empty() || group == "\\\\") continue;  // would list the workgroups, or this, again
      all->AddStrings(*GetNetList(group));
    }
    return all;
  }
  if (const TStringList* cached = NetCache().Get(path)) return std::make_unique<TStringList>(*cached);
  auto list = std::make_unique<TStringList>(ListNetResources(path));
  NetCache().Put(path, *list);
  return list;
}

std::unique_ptr<TStringList> ListWildPath(const std::string& pattern, bool namesOnly) {
  if (!HasWildcard(pattern) || !PathExists(pattern)) return nullptr;
  return std::make_unique<TStringList>(ListWildMatches(pattern, namesOnly, false));
}
