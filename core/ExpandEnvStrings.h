// The editor's own %NAME% expansion: the special shell folders, the system and
// Windows folders, and three names that describe the window the user was
// working in (%ActiveTitle%, %ActiveClass%, %ActiveExe%).
#pragma once

#include <windows.h>

#include <string>

// Replaces every known %NAME% in text by its value; "%%" is one "%"; an unknown
// name, or one whose value is empty, stays as written.
std::string ExpandEnvStringsText(const std::string& text);

// The folder that holds Ignore.txt (the program's own folder until set).
void SetIgnoreFileFolder(const std::string& folder);
std::string IgnoreFilePath();

// The user's window (FindDefaultWindowIn with the lines of Ignore.txt; the file
// is created with the launcher's class and caption when missing), or null.
HWND FindDefaultWindow();
