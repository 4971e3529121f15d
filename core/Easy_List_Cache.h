// Cache of string lists by key: the cache owns its copies.
#pragma once

#include "core/Easy_Cache.h"
#include "core/StringList.h"

class TEasyListCache : public TEasyCache {
 public:
  TEasyListCache() = default;
  ~TEasyListCache() override;

  // The cached list itself (owned by the cache, valid until the next Clear), or nullptr.
  TStringList* Get(std::string_view key) const { return static_cast<TStringList*>(TEasyCache::Get(key)); }
  // Copies the lines of list into the cached list of key, creating it when the key is new.
  void Put(std::string_view key, const TStringList& list);

 protected:
  void FreeValue(void* value) override;
};
