// Plain listings for the completion units: the current folder, the drives, the
// network (cached until the application is deactivated) and wildcard matches.
#pragma once

#include <memory>
#include <string>

#include "core/StringList.h"

// Every folder of the current folder ("." and ".." included) as name + "\",
// then every file name; CR LF between entries, none after the last.
std::string ListCurrentDir();
// Every logical drive root ("C:\"), one per line (CR LF between), floppy drives
// left out unless includeFloppy.
std::string ListDrives(bool includeFloppy);
// "\\": every computer of every workgroup; anything else: the network listing
// of that path (see ListNetResources). A new list that the caller owns.
std::unique_ptr<TStringList> GetNetList(const std::string& path);
// Matches of a wildcard pattern, folders first, without folder marks; no list
// when the pattern holds no wildcard or matches nothing (PathExists).
std::unique_ptr<TStringList> ListWildPath(const std::string& pattern, bool namesOnly);
