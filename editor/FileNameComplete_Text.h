// How the file-name edit (FileNameComplete.h) reads the text before its caret:
// with a "\" it is a path, whose head may be a keyword reference ("tools\bin"
// where tools is a keyword for a folder), and the folder's files are offered;
// without one it is a keyword path of groups joined by "/", and the group's
// names (or drives and the top level) are offered. Pure logic over the lookups
// of EditLookup.h.
//
// The word start counts characters of the text as typed: resolving a
// reference only chooses the folder listed.
#pragma once

#include <string>

#include "core/StringList.h"
#include "editor/EditLookup.h"

struct TFileNameSources {
  enum class TDrives { Unchanged, Filled, Emptied };

  int Kind = 0;  // source kind: 0 files and folders, 1 folders only, 2 no folder listing
  std::string Folder;
  int WordStart = 0;
  std::string Word;
  std::string CheckedLists;
  TDrives Drives = TDrives::Unchanged;  // source 2
  bool KeywordsSet = false;             // source 3 becomes Keywords
  TStringList Keywords;
};

struct TFileNameText {
  std::string Text;  // the text before the caret
  bool OnlyFolders = false;
  std::string ItemPath;  // the keyword being edited, never offered for itself; empty for none
};

// Source numbers of the edit: 0 folder listing, 1 history, 2 drives, 3 keyword names.
inline constexpr char kFileNameListOrder[] = "0231";
inline constexpr char kFileNamePathChecks[] = "1001";     // folder listing and history
inline constexpr char kFileNameKeywordChecks[] = "0111";  // drives, keyword names, history

// store may be null (no keyword references, no names).
TFileNameSources ParseFileName(const TFileNameText& in, IKeywordLookup* store);
