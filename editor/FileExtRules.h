// The rules of the list of executable file extensions that the extension
// dialogs edit: the list is sorted (letter case ignored) and holds no entry
// twice, and an extension always begins with ".". Pure logic.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TStringList;

// Sorted without regard to case; of entries equal but for case the first stays.
void SortUniqueExtensions(TStringList& list);
// The text with "." put in front when it does not begin with one.
std::string DottedExtension(std::string_view text);
// Whether the line dialog may answer text: not empty, and not already listed
// (any case, as typed or with the "." put in front) unless it, as typed or
// dotted, is exactly the entry being edited.
bool ExtensionAcceptable(std::string_view text, std::string_view start, const std::vector<std::string>& listed);
