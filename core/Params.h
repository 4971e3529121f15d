// The program's parameters as one list of lines. "/ParamFile" and a file name
// (two arguments), or "/ParamFile=" and a file name (one argument), take the
// lines from that existing file; one argument holding line breaks gives one
// entry per line; otherwise each argument is one entry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/StringList.h"

// Splits a command line into its arguments, the program name first: blanks
// and control characters separate, double quotes group and are removed. A
// backslash has no special meaning, so a quoted folder "C:\x\" stays whole.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The list from the arguments (without the program name).
TStringList BuildParamList(const std::vector<std::string>& args);

// The running program's arguments (without the program name).
const std::vector<std::string>& ProgramArgs();
// The process's list, built from ProgramArgs on first use; read-only after.
const TStringList& ParamList();

// The text a second start hands to the running instance: every line followed
// by CR LF, then trailing blanks and line ends cut, then one NUL (part of the
// returned bytes).
std::string BuildHandOverText(const TStringList& lines);
