// Cache of integers by key; 0 means "not cached", so 0 itself cannot be stored.
#pragma once

#include "core/Easy_Cache.h"

class TEasyIntegerCache : public TEasyCache {
 public:
  int Get(std::string_view key) const;
  void Put(std::string_view key, int value);
};
