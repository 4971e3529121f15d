// File utilities that remember each path's kind while the application stays
// active. Its unit makes this class the one FileUtilsInstance hands out.
#pragma once

#include "core/Easy_Integer_Cache.h"
#include "core/File_Utils.h"

class TCachedFileUtils : public TFileUtils {
 public:
  static TFileUtils* Create() { return new TCachedFileUtils; }

  // A cached kind is returned as it is, whatever allowWild: callers rely on the
  // first answer for a path standing until the application is deactivated.
  int GetPathKind(const std::string& path, bool allowWild) override;

  TEasyIntegerCache& Cache() { return cache_; }

 private:
  TEasyIntegerCache cache_;
};
