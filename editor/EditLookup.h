// What the editor's completing edits ask while they parse typed text: the
// keyword store (commands, groups, name listings, reference resolution) and
// the file system (what a path names). The parses are pure logic over these
// two seams; the edits answer them from TKeyWordManager and the cached path
// tests (EditLookup_win.cpp), the host tests from fixtures.
#pragma once

#include <optional>
#include <string>

#include "core/StringList.h"

class IKeywordLookup {
 public:
  virtual ~IKeywordLookup() = default;
  // The command of the keyword at this path, or none when no keyword has it.
  virtual std::optional<std::string> Command(const std::string& path) = 0;
  virtual bool IsGroup(const std::string& path) = 0;
  // The item names of a group (empty for a missing one), marked as the store's
  // name listing marks them: "/" after groups, "\" after folder keywords.
  virtual TStringList Names(const std::string& group, bool slashAfterGroups, bool backslashAfterFolders,
                            bool usableOnly) = 0;
  // A path that may start with a keyword reference, as a real path.
  virtual std::string ResolvePath(const std::string& text) = 0;
};

class IPathLookup {
 public:
  virtual ~IPathLookup() = default;
  virtual bool IsFolder(const std::string& path) = 0;
  virtual bool IsFile(const std::string& path) = 0;
  // A file, a folder or a wildcard that matches one.
  virtual bool Exists(const std::string& path) = 0;
};

// The keyword path of a name listed for a group (a trailing "/" or "\" mark
// dropped): group + "/" + name, the name alone in the root.
std::string ListedPath(const std::string& group, const std::string& listedName);
// Removes from a group's listing the entries that stand for the keyword at
// excluded (compared without regard to case); nothing for an empty path.
void RemoveListed(TStringList& names, const std::string& group, const std::string& excluded);
