#include "editor/TreeViewUtils.h"

#include "core/StringList.h"

std::vector<std::string> SplitNodePath(std::string_view path, char delimiter) {
  TStringList parts;
  parts.SetDelimitedText(path, delimiter, '"');
  return std::vector<std::string>(parts.begin(), parts.end());
}

std::vector<std::string> SplitKeywordPath(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = sjis::FindChar(path, '/', start);
    if (slash == sjis::npos) slash = path.size();
    if (slash > start) parts.emplace_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return parts;
}
