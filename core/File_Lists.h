// Listings of wildcard matches and of the network (workgroups, computers,
// shares): the file lists both programs reach through FileListsInstance, a
// replaceable singleton like FileUtilsInstance.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/StringList.h"

// One resource of a network enumeration.
struct TNetResourceEntry {
  std::string remoteName;
  bool container = false;  // holds further resources (a workgroup or a computer)
};
// Enumerates the network resources below remoteName (empty: the workgroups).
// Nothing when the enumeration cannot be opened or read.
using TNetEnumerator = std::function<std::vector<TNetResourceEntry>(const std::string& remoteName)>;
// Replaces the enumerator (an empty function restores the system's); returns
// the previous one. Lets tests list a network that the test machine lacks.
TNetEnumerator SetNetEnumerator(TNetEnumerator enumerator);
// The system's enumeration: one read of at most 1600 bytes of results, from the
// "Microsoft Windows Network" provider.
std::vector<TNetResourceEntry> SystemNetEnumerate(const std::string& remoteName);

// The network listing of path: names relative to it, a trailing "\" on
// containers and reachable folders (computers of a workgroup come as "NAME\",
// shares of "\\server" as "share\"). Not "\\" itself: see GetList.
TStringList ListNetResources(const std::string& path);

// Every match of pattern, folders first ("." and ".." left out) then files, each
// group in file-system order; names alone or with the pattern's folder; with
// folderSlash a folder entry ends in "\". No existence test.
TStringList ListWildMatches(const std::string& pattern, bool namesOnly, bool folderSlash);
// Whether text holds "*" or "?".
bool HasWildcard(const std::string& text);

class TFileLists {
 public:
  TFileLists() = default;
  virtual ~TFileLists() = default;
  TFileLists(const TFileLists&) = delete;
  TFileLists& operator=(const TFileLists&) = delete;

  static TFileLists* Create() { return new TFileLists; }

  // "\\": every computer of every workgroup (the launcher's copy: nothing);
  // anything else: ListNetResources.
  virtual std::unique_ptr<TStringList> GetList(const std::string& path);
  // The matches of a wildcard pattern; no list when the pattern holds no
  // wildcard or matches nothing.
  std::unique_ptr<TStringList> GetWildList(const std::string& pattern, bool namesOnly, bool folderSlash);
};

using TFileListsClass = TFileLists* (*)();
void SetFileListsClass(TFileListsClass cls);
TFileListsClass FileListsClass();
// Made on first use and again whenever the class variable has changed; a
// replaced object stays alive until program end.
TFileLists& FileListsInstance();
