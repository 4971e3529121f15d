// The lookups of the editor's completing edits (EditLookup.h) as the program
// answers them: from a keyword store and from the cached path tests. Store
// errors (an unreadable group file) end in the debug log as "not found".
#pragma once

#include <string>

#include "core/KeyWordX.h"
#include "editor/EditLookup.h"

class TStoreLookup : public IKeywordLookup {
 public:
  explicit TStoreLookup(TKeyWordManager& store) : store_(store) {}

  std::optional<std::string> Command(const std::string& path) override;
  bool IsGroup(const std::string& path) override;
  TStringList Names(const std::string& group, bool slashAfterGroups, bool backslashAfterFolders,
                    bool usableOnly) override;
  std::string ResolvePath(const std::string& text) override;

 private:
  TKeyWordManager& store_;
};

class TFileSystemLookup : public IPathLookup {
 public:
  bool IsFolder(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  bool Exists(const std::string& path) override;
};

// The editor's listing of a network name that is no folder: the cached
// network listing.
TStringList NetworkListing(const std::string& folder);
