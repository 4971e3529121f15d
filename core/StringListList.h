// An ordered list that owns the string lists put into it.
#pragma once

#include <memory>
#include <vector>

#include "core/StringList.h"

class TStringListList {
 public:
  int Count() const { return static_cast<int>(lists_.size()); }
  // Takes ownership; returns the new list's index.
  int Add(std::unique_ptr<TStringList> list);
  int Add(TStringList list) { return Add(std::make_unique<TStringList>(std::move(list))); }
  // The list at index (owned by this list).
  TStringList& GetList(int index) { return *lists_.at(static_cast<size_t>(index)); }
  const TStringList& GetList(int index) const { return *lists_.at(static_cast<size_t>(index)); }
  void Delete(int index) { lists_.erase(lists_.begin() + index); }
  void Clear() { lists_.clear(); }

 private:
  std::vector<std::unique_ptr<TStringList>> lists_;
};
