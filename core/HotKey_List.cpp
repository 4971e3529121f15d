#include "core/HotKey_List.h"

#include <utility>

#include "core/HotKeyUtils.h"
#include "core/HotKey_Factory.h"
#include "core/HotKey_Loader_File.h"
#include "core/Sjis.h"

THotKeyLoaderClass HotKeyLoaderClass = [] { return std::unique_ptr<THotKeyLoader>(new THotKeyLoaderFile); };

THotKeyList::~THotKeyList() { Clear(); }

void THotKeyList::Hook(THotKeyItem& item) {
  item.OnHotKey = [this](THotKeyItem& sender, const std::string& name, uint8_t classId) { DoHotKey(sender, name, classId); };
}

void THotKeyList::DoHotKey(THotKeyItem& sender, const std::string& name, uint8_t classId) {
  if (!OnHotKey) return;
  THotKeyEvent handler = OnHotKey;  // the handler may reload and so free this list's items
  handler(sender, name, classId);
}

int THotKeyList::Add(std::unique_ptr<THotKeyItem> item) {
  if (!item) return -1;
  Hook(*item);
  items_.push_back(std::move(item));
  return GetCount() - 1;
}

void THotKeyList::Insert(int index, std::unique_ptr<THotKeyItem> item) {
  if (!item) return;
  if (index >= GetCount()) { Add(std::move(item)); return; }
  if (index < 0) index = 0;
  Hook(*item);
  items_.insert(items_.begin() + index, std::move(item));
}

std::unique_ptr<THotKeyItem> THotKeyList::PutItem(int index, std::unique_ptr<THotKeyItem> item) {
  if (!item || index < 0 || index >= GetCount()) return item;
  Hook(*item);
  return std::exchange(items_[static_cast<size_t>(index)], std::move(item));
}

bool THotKeyList::Delete(int index) {
  if (index < 0 || index >= GetCount()) return false;
  auto item = std::move(items_[static_cast<size_t>(index)]);
  items_.erase(items_.begin() + index);
  return true;  // item freed here, after the list no longer holds it
}

int THotKeyList::MoveUp(int index) {
  if (index < 1 || index > GetCount() - 1) return index;
  std::swap(items_[static_cast<size_t>(index - 1)], items_[static_cast<size_t>(index)]);
  return index - 1;
}

int THotKeyList::MoveDown(int index) {
  if (index < 0 || index > GetCount() - 2) return index;
  std::swap(items_[static_cast<size_t>(index)], items_[static_cast<size_t>(index + 1)]);
  return index + 1;
}

void THotKeyList::Clear() {
  auto old = std::move(items_);
  items_.clear();
  old.clear();
}

THotKeyItem* THotKeyList::FindByName(std::string_view name) const {
  for (const auto& item : items_)
    if (sjis::EqualsIgnoreCase(item->GetName(), name)) return item.get();
  return nullptr;
}

std::string THotKeyList::GetHotKeyText(std::string_view name) const {
  THotKeyItem* item = FindByName(name);
  return item ? item->GetHotKeyText() : std::string(kNoHotKeyText);
}

void THotKeyList::SetItem(std::string_view name, std::unique_ptr<THotKeyItem> item) {
  if (!item) return;
  // The item may be an entry of this list already: then the list keeps owning it
  // and it must neither be freed nor end up in the list twice.
  int self = -1;
  for (int j = 0; j < GetCount(); ++j)
    if (items_[static_cast<size_t>(j)] == item) self = j;
  THotKeyItem* raw = self >= 0 ? item.release() : item.get();
  raw->SetName(name);
  for (int i = 0; i < GetCount(); ++i) {
    auto& entry = items_[static_cast<size_t>(i)];
    if (!sjis::EqualsIgnoreCase(entry->GetName(), name)) continue;
    if (i == self) return;
    auto old = std::move(entry);
    if (self >= 0) {
      entry = std::move(items_[static_cast<size_t>(self)]);
      items_.erase(items_.begin() + self);
    } else {
      Hook(*item);
      entry = std::move(item);
    }
    return;
  }
  Insert(0, std::move(item));
}

void THotKeyList::SetHotKeyText(std::string_view name, std::string_view text) {
  THotKeyItem* item = FindByName(name);
  if (!item) {
    auto fresh = HotKeyFactory().CreateDefault();
    item = fresh.get();
    SetItem(name, std::move(fresh));
  }
  item->SetHotKeyText(text);
}

THotKeyLoader& THotKeyList::Loader() {
  if (!loader_) loader_ = HotKeyLoaderClass();
  return *loader_;
}

bool THotKeyList::LoadFromFile(const std::string& fileName) { return Loader().LoadFromFile(fileName, *this); }
bool THotKeyList::SaveToFile(const std::string& fileName) { return Loader().SaveToFile(fileName, *this); }
bool THotKeyList::SaveToStream(std::ostream* stream) { return Loader().SaveToStream(stream, *this); }

void THotKeyList::SetActive(bool on) {
  for (size_t i = 0; i < items_.size(); ++i) items_[i]->SetActive(on);
  active_ = on && !items_.empty();
}
