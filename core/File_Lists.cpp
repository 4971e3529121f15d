#include "core/File_Lists.h"

#include <windows.h>
#include <winnetwk.h>

#include <utility>

#include "core/File_Utils.h"
#include "core/ForEachFile.h"
#include "core/Sjis.h"

namespace {

TNetEnumerator& NetEnumerator() {
  static TNetEnumerator e;
  return e;
}

struct TFileListsSingleton {
  TFileListsClass cls = &TFileLists::Create;
  TFileListsClass madeFrom = nullptr;
  std::vector<std::unique_ptr<TFileLists>> objects;  // replaced ones stay until program end
};

TFileListsSingleton& FileListsSingleton() {
  static TFileListsSingleton s;
  return s;
}

bool IsExistingFolder(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// Keeps the cached unit, and its start-up choice of the caching class, linked in.
extern const int kCachedFileListsUnit;
[[gnu::used]] static const int* const kKeepCachedUnit = &kCachedFileListsUnit;

TNetEnumerator SetNetEnumerator(TNetEnumerator enumerator) {
  TNetEnumerator old = std::move(NetEnumerator());
  NetEnumerator() = std::move(enumerator);
  return old;
}

std::vector<TNetResourceEntry> SystemNetEnumerate(const std::string& remoteName) {
  std::vector<TNetResourceEntry> result;
  char provider[] = "Microsoft Windows Network";
  std::string remote = remoteName;
  NETRESOURCEA nr = {};
  nr.dwScope = RESOURCE_GLOBALNET;
  nr.dwType = RESOURCETYPE_ANY;
  nr.dwUsage = RESOURCEUSAGE_CONTAINER;
  nr.lpProvider = provider;
  nr.lpRemoteName = remote.empty() ? nullptr : remote.data();
  HANDLE h = nullptr;
  if (WNetOpenEnumA(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, &nr, &h) != NO_ERROR) return result;
  // One read: what fits into 1600 bytes is the listing.
  alignas(NETRESOURCEA) unsigned char buffer[1600];
  DWORD count = 0xFFFFFFFF;
  DWORD size = sizeof buffer;
  if (WNetEnumResourceA(h, &count, buffer, &size) == NO_ERROR) {
    const NETRESOURCEA* entries = reinterpret_cast<const NETRESOURCEA*>(buffer);
    for (DWORD i = 0; i < count; ++i) {
      TNetResourceEntry e;
      if (entries[i].lpRemoteName) e.remoteName = entries[i].lpRemoteName;
      e.container = (entries[i].dwUsage & RESOURCEUSAGE_CONTAINER) != 0;
      result.push_back(std::move(e));
    }
  }
  WNetCloseEnum(h);
  return result;
}

TStringList ListNetResources(const std::string& path) {
  std::string base = sjis::EndsWithChar(path, '\\') ? path.substr(0, path.size() - 1) : path;
  std::vector<TNetResourceEntry> entries = NetEnumerator() ? NetEnumerator()(base) : SystemNetEnumerate(base);
  size_t cut = 0;
  if (sjis::StartsWith(base, "\\\\")) cut = base.size() + 1;
  else if (!base.empty()) cut = 2;
  TStringList list;
  for (const TNetResourceEntry& e : entries) {
    std::string name = e.remoteName;
    if (e.container && sjis::StartsWith(name, "\\\\") && !sjis::EndsWithChar(name, '\\')) name += '\\';
    if (!sjis::EndsWithChar(name, '\\') && IsExistingFolder(name)) name += '\\';
    list.Add(name.substr(std::min(cut, name.size())));
  }
  return list;
}

bool HasWildcard(const std::string& text) {
  return sjis::FindChar(text, '*') != sjis::npos || sjis::FindChar(text, '?') != sjis::npos;
}

TStringList ListWildMatches(const std::string& pattern, bool namesOnly, bool folderSlash) {
  const std::string folder = namesOnly ? std::string() : sjis::ExtractFilePath(pattern);
  TStringList folders, files;
  core::ForEachFile(pattern, [&](const WIN32_FIND_DATAA& fd) {
    const std::string name = fd.cFileName;
    if (core::IsDirectory(fd)) folders.Add(folder + name + (folderSlash ? "\\" : ""));
    else files.Add(folder + name);
  });
  folders.AddStrings(files);
  return folders;
}

std::unique_ptr<TStringList> TFileLists::GetList(const std::string& path) {
  auto list = std::make_unique<TStringList>();
  if (path == "\\\\") {
    if (PathFlavour() == TPathFlavour::Launcher) return list;
    std::unique_ptr<TStringList> groups = GetList("");
    for (const std::string& group : *groups) {
      if (group.empty() || group == "\\\\") continue;  // would list the workgroups, or this, again
      std::unique_ptr<TStringList> computers = GetList(group);
      list->AddStrings(*computers);
    }
    return list;
  }
  *list = ListNetResources(path);
  return list;
}

std::unique_ptr<TStringList> TFileLists::GetWildList(const std::string& pattern, bool namesOnly, bool folderSlash) {
  if (!HasWildcard(pattern) || !FileUtilsInstance().ExistsWild(pattern)) return nullptr;
  return std::make_unique<TStringList>(ListWildMatches(pattern, namesOnly, folderSlash));
}

void SetFileListsClass(TFileListsClass cls) { FileListsSingleton().cls = cls ? cls : &TFileLists::Create; }
TFileListsClass FileListsClass() { return FileListsSingleton().cls; }

TFileLists& FileListsInstance() {
  TFileListsSingleton& s = FileListsSingleton();
  if (s.objects.empty() || s.madeFrom != s.cls) {
    s.objects.emplace_back(s.cls());
    s.madeFrom = s.cls;
  }
  return *s.objects.back();
}
