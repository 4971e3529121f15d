// Plain path tests for the completion units and the editor's dialogs: a path
// kind test with its own cache (emptied when the application is deactivated)
// and the floppy-drive test.
#pragma once

#include <functional>
#include <string>

// Whether path is of an accepted kind: a file (acceptFile), a folder or known
// network computer (acceptDir), or a wildcard whose first match is one of those
// (acceptWild). A path written with a trailing "\" is never a file. Kinds are
// cached under the path exactly as passed in.
bool CheckPathKind(const std::string& path, bool acceptFile, bool acceptDir, bool acceptWild);
inline bool PathExists(const std::string& path) { return CheckPathKind(path, true, true, true); }

// True when path starts with a drive ("A:") whose shell display name holds "FD".
bool IsFloppyDrive(const std::string& path);

// The shell's display name of a drive root ("A:\"). Replaceable so that tests
// can show a floppy drive on a machine without one; an empty function restores
// the shell's. Returns the previous source.
using TDriveDisplayNameSource = std::function<std::string(const std::string& root)>;
TDriveDisplayNameSource SetDriveDisplayNameSource(TDriveDisplayNameSource source);
std::string ShellDriveDisplayName(const std::string& root);
