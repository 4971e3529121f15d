#include "core/Cached_File_Lists.h"

namespace {
const bool g_installed = (SetFileListsClass(&TCachedFileLists::Create), true);
}  // namespace

extern const int kCachedFileListsUnit = g_installed ? 1 : 0;

std::unique_ptr<TStringList> TCachedFileLists::GetList(const std::string& path) {
  if (const TStringList* cached = cache_.Get(path)) return std::make_unique<TStringList>(*cached);
  std::unique_ptr<TStringList> list = TFileLists::GetList(path);
  cache_.Put(path, *list);
  return list;
}
