// File lists that remember each network listing while the application stays
// active. Its unit makes this class the one FileListsInstance hands out.
#pragma once

#include "core/Easy_List_Cache.h"
#include "core/File_Lists.h"

class TCachedFileLists : public TFileLists {
 public:
  static TFileLists* Create() { return new TCachedFileLists; }

  // A new copy of the cached listing, or the listing made now and cached.
  std::unique_ptr<TStringList> GetList(const std::string& path) override;

  TEasyListCache& Cache() { return cache_; }

 private:
  TEasyListCache cache_;
};
