// A small keyed cache of answers that are only worth keeping while the user
// stays in the program: keys compare without regard to case, and by default the
// whole cache empties itself when the application is deactivated.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/AppEvents.h"

class TEasyCache {
 public:
  TEasyCache();  // auto-clear on
  virtual ~TEasyCache();
  TEasyCache(const TEasyCache&) = delete;
  TEasyCache& operator=(const TEasyCache&) = delete;

  // The value stored under key, or nullptr.
  void* Get(std::string_view key) const;
  // Replaces the value of an existing key (releasing the old one) or appends key and value.
  void Put(std::string_view key, void* value);
  // Releases every value through FreeValue and forgets every key.
  void Clear();
  void SetAutoClear(bool on);
  bool AutoClear() const { return subscription_ != 0; }
  int Count() const { return static_cast<int>(keys_.size()); }

 protected:
  // Releases one value; the base cache does not own its values.
  virtual void FreeValue(void* value);
  int IndexOf(std::string_view key) const;
  void* ValueAt(int index) const { return values_[static_cast<size_t>(index)]; }

 private:
  std::vector<std::string> keys_;
  std::vector<void*> values_;
  app::TSubscription subscription_ = 0;
};
