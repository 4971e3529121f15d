// The few file-system services that the pure-logic units need, behind one seam:
// FileIO_win.cpp implements them over the ANSI Win32 API (paths are Shift-JIS
// bytes), FileIO_host.cpp over the C library for host builds and tests.
#pragma once

#include <string>

namespace fileio {

// Whole file into out; false (out untouched) when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& out);

// Writes data to path safely: into a temporary file in the same folder, then
// replaces the old file, so a failed or interrupted save never leaves a
// truncated file behind. Creates missing parent folders. False on failure, with
// the old file left whole.
bool WriteFileReplacing(const std::string& path, const std::string& data);

// Removes what interrupted saves of path left behind: the files named
// path + ".~tmp" + a process id that WriteFileReplacing writes, when that
// process no longer runs (a save under way in another program is left alone).
// Only those names are touched. WriteFileReplacing calls it after each save;
// the stores call it when they load a data file.
void RemoveStaleTemporaries(const std::string& path);

// The temporary name WriteFileReplacing uses for path in process pid, and
// whether name is such a name (giving the pid).
std::string TemporaryName(const std::string& path, unsigned long pid);
bool IsTemporaryNameOf(const std::string& name, const std::string& path, unsigned long& pid);

// Appends to path, creating it when missing.
bool AppendToFile(const std::string& path, const std::string& data);

bool FileExists(const std::string& path);       // an existing file, not a folder
bool DirectoryExists(const std::string& path);
// Creates the folder with every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::string& path);
bool DeleteFileAt(const std::string& path);

}  // namespace fileio
