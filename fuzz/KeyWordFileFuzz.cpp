// Reads arbitrary bytes as a group file and as IDList.txt; what is written back
// must read back to the same items.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/KeyWordFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TKeyWordGroupList list;
  kwfile::ParseGroupText(text, list);
  TKeyWordGroupList back;
  kwfile::ParseGroupText(kwfile::BuildGroupText(list), back);
  if (back.Count() != list.Count()) __builtin_trap();
  for (int i = 0; i < list.Count(); ++i) {
    const TKeyWordEntry& a = list.Items[static_cast<size_t>(i)];
    const TKeyWordEntry& b = back.Items[static_cast<size_t>(i)];
    if (a.Name != b.Name || !(a.Data->Lines == b.Data->Lines)) __builtin_trap();
  }
  int lastId;
  TStringList entries;
  kwfile::ParseIdListText(text, lastId, entries);
  if (lastId < -1) __builtin_trap();
  kwfile::SplitKeepEmpty(text, ' ');
  kwfile::GroupPathFromFileName(text);
  return 0;
}
