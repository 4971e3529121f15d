#include "editor/FileExtRules.h"

#include <algorithm>

#include "core/Sjis.h"
#include "core/StringList.h"

void SortUniqueExtensions(TStringList& list) {
  auto& items = list.Items();
  std::stable_sort(items.begin(), items.end(),
                   [](const std::string& a, const std::string& b) { return sjis::CompareIgnoreCase(a, b) < 0; });
  items.erase(std::unique(items.begin(), items.end(),
                          [](const std::string& a, const std::string& b) { return sjis::EqualsIgnoreCase(a, b); }),
              items.end());
}

std::string DottedExtension(std::string_view text) {
  if (sjis::StartsWithChar(text, '.')) return std::string(text);
  return "." + std::string(text);
}

bool ExtensionAcceptable(std::string_view text, std::string_view start, const std::vector<std::string>& listed) {
  if (text.empty()) return false;
  std::string dotted = DottedExtension(text);
  if (text == start || dotted == start) return true;
  for (const auto& entry : listed)
    if (sjis::EqualsIgnoreCase(entry, text) || sjis::EqualsIgnoreCase(entry, dotted)) return false;
  return true;
}
