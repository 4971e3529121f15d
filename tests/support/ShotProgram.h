// What the programs that show a form for a screenshot script share: their
// arguments, the file that tells the script which area to capture (WxH+X+Y)
// and the file whose appearance ends them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace shot {

// The command line split at blanks outside double quotes.
std::vector<std::string> Arguments(const char* cmdLine);
void WriteFile(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
// "WxH+X+Y" of a screen rectangle.
std::string Geometry(RECT r);
// The rectangle with a visible window's added.
RECT Union(RECT a, HWND w);

}  // namespace shot
