#include "core/Easy_List_Cache.h"

TEasyListCache::~TEasyListCache() { Clear(); }

void TEasyListCache::Put(std::string_view key, const TStringList& list) {
  if (TStringList* cached = Get(key)) {
    if (cached != &list) *cached = list;
    return;
  }
  TEasyCache::Put(key, new TStringList(list));
}

void TEasyListCache::FreeValue(void* value) { delete static_cast<TStringList*>(value); }
