#include "core/Cached_File_Utils.h"

namespace {
const bool g_installed = (SetFileUtilsClass(&TCachedFileUtils::Create), true);
}  // namespace

extern const int kCachedFileUtilsUnit = g_installed ? 1 : 0;

int TCachedFileUtils::GetPathKind(const std::string& path, bool allowWild) {
  if (int kind = cache_.Get(path)) return kind;
  int kind = TFileUtils::GetPathKind(path, allowWild);
  cache_.Put(path, kind);
  return kind;
}
