// Conversions between the program's ANSI (Shift-JIS) text and the platform's
// 16-bit text, for the few interfaces that take only one kind (themes, wide
// drag formats). A character the other side cannot hold becomes the code
// page's default character.
#pragma once

#include <string>
#include <string_view>

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);
std::string WideToAnsi(std::u16string_view text);
