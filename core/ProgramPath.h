// Full path of the running program file (Shift-JIS).
#pragma once

#include <string>

std::string ProgramFileName();
// Folder of the running program file, without a trailing backslash.
std::string ProgramDir();
