// Romaji to hiragana with a small fixed table, for input methods that will not
// convert romaji themselves: the hiragana is what they are asked to convert.
// Pure logic: no Windows header.
#pragma once

#include <string>
#include <string_view>

// Converts lower-case romaji to Shift-JIS hiragana. Bytes that are not
// romaji (digits, marks, Shift-JIS characters) are copied through.
std::string RomajiToKana(std::string_view text);

// Index of the table row whose consonant prefix equals the pending consonants,
// or -1 when there is none. The first matching row wins.
int FindRomajiRow(std::string_view pending);
