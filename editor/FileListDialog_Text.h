// Texts of the bulk registration: the shortened paths of the check list and
// the progress dialog's status lines. Pure logic: no Windows header.
#pragma once

#include <string>
#include <string_view>

// A long path with its middle folders left out: "C:\...\docs\a.txt", keeping
// as many of the last folders as fit into maxChars characters (double-byte
// characters count one). A shorter path, one directly in its root, or one
// without a drive or share comes back as it is; when not even one folder fits
// the file name alone follows "\...\" (and may be longer than asked).
std::string ShortenPath(std::string_view path, int maxChars);

// How many characters of the given width fit on a line of the list: the
// client width less 20 pixels, divided by the width of a ".".
int CharsPerLine(int clientWidth, int dotWidth);

// The name a path is registered under in the status line: its last
// component, without a trailing "\" ("C:\data\" gives "data").
std::string RegisteredName(std::string_view path);

// "a.txt を登録中...(1/3)" without the blank, and the closing line.
std::string RegisteringText(std::string_view name, int number, int count);
std::string RegisteredAllText(int count);
