#include "core/StringListList.h"

int TStringListList::Add(std::unique_ptr<TStringList> list) {
  if (!list) list = std::make_unique<TStringList>();
  lists_.push_back(std::move(list));
  return Count() - 1;
}
