#include "core/Easy_Cache.h"

#include "core/Sjis.h"

TEasyCache::TEasyCache() { SetAutoClear(true); }

TEasyCache::~TEasyCache() {
  // Derived caches clear themselves first, while their FreeValue still exists.
  Clear();
  SetAutoClear(false);
}

int TEasyCache::IndexOf(std::string_view key) const {
  for (size_t i = 0; i < keys_.size(); ++i)
    if (sjis::EqualsIgnoreCase(keys_[i], key)) return static_cast<int>(i);
  return -1;
}

void* TEasyCache::Get(std::string_view key) const {
  int i = IndexOf(key);
  return i < 0 ? nullptr : ValueAt(i);
}

void TEasyCache::Put(std::string_view key, void* value) {
  int i = IndexOf(key);
  if (i < 0) {
    keys_.emplace_back(key);
    values_.push_back(value);
    return;
  }
  void* old = values_[static_cast<size_t>(i)];
  values_[static_cast<size_t>(i)] = value;
  if (old != value) FreeValue(old);
}

void TEasyCache::Clear() {
  std::vector<void*> values;
  values.swap(values_);
  keys_.clear();
  for (void* v : values) FreeValue(v);
}

void TEasyCache::SetAutoClear(bool on) {
  if (on == AutoClear()) return;
  if (on) {
    subscription_ = app::SubscribeDeactivated([this] { Clear(); });
  } else {
    app::UnsubscribeDeactivated(subscription_);
    subscription_ = 0;
  }
}

void TEasyCache::FreeValue(void*) {}
