#include "core/Easy_Integer_Cache.h"

#include <cstdint>

int TEasyIntegerCache::Get(std::string_view key) const {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(TEasyCache::Get(key)));
}

void TEasyIntegerCache::Put(std::string_view key, int value) {
  TEasyCache::Put(key, reinterpret_cast<void*>(static_cast<std::intptr_t>(value)));
}
