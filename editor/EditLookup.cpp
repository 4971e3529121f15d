#include "editor/EditLookup.h"

#include <algorithm>

#include "core/Sjis.h"

std::string ListedPath(const std::string& group, const std::string& listedName) {
  std::string name = listedName;
  // A name's last byte may be the trail byte 0x5C or 0x2F of a double-byte character.
  if (sjis::EndsWithChar(name, '/') || sjis::EndsWithChar(name, '\\')) name.pop_back();
  return group.empty() ? name : group + "/" + name;
}

void RemoveListed(TStringList& names, const std::string& group, const std::string& excluded) {
  if (excluded.empty()) return;
  auto& items = names.Items();
  items.erase(std::remove_if(items.begin(), items.end(),
                             [&](const std::string& n) { return sjis::EqualsIgnoreCase(ListedPath(group, n), excluded); }),
              items.end());
}
