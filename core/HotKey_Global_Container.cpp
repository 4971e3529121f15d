#include "core/HotKey_Global_Container.h"

#include <chrono>

#include "core/HotKey_Item.h"

namespace {
THotKeyWindowFactory& WindowFactory() {
  static THotKeyWindowFactory factory;
  return factory;
}
}  // namespace

void SetHotKeyWindowFactory(THotKeyWindowFactory factory) { WindowFactory() = std::move(factory); }

TGlobalHotKeyContainer::~TGlobalHotKeyContainer() { ReleaseWindow(); }

int TGlobalHotKeyContainer::RegisterItem(THotKeyItem* item) {
  int id = static_cast<int>(items_.size());
  items_.push_back(item);
  if (!window_ && WindowFactory()) window_ = WindowFactory()(*this);
  if (item && window_ && window_->Register(id, item->GetModifiers(), item->GetKey())) {
    lastId_ = -1;
    return id;
  }
  // An empty slot: a WM_HOTKEY for this id must never reach the item, which
  // may be freed while it is inactive.
  items_[static_cast<size_t>(id)] = nullptr;
  return -1;
}

void TGlobalHotKeyContainer::UnregisterItem(int id) {
  if (id < 0 || id >= SlotCount() || !items_[static_cast<size_t>(id)]) return;
  if (window_) window_->Unregister(id);
  items_[static_cast<size_t>(id)] = nullptr;
}

THotKeyItem* TGlobalHotKeyContainer::ItemAt(int id) const {
  return id >= 0 && id < SlotCount() ? items_[static_cast<size_t>(id)] : nullptr;
}

void TGlobalHotKeyContainer::HotKey(int id) {
  THotKeyItem* item = ItemAt(id);
  if (!item) return;
  if (item->GetKey() != 0) {
    lastId_ = -1;
    item->DoHotKey();
  } else {
    DoublePress(id);
  }
}

void TGlobalHotKeyContainer::DoublePress(int id) {
  int64_t now = Now();
  int64_t elapsed = now - lastTime_;
  if (elapsed < 0) elapsed = -elapsed;
  if (id == lastId_ && elapsed < static_cast<int64_t>(DoubleClickTime())) {
    // The first press stays the reference: a third press still within the
    // double-click time of the first fires again.
    items_[static_cast<size_t>(id)]->DoHotKey();
    return;
  }
  lastId_ = id;
  lastTime_ = now;
}

void TGlobalHotKeyContainer::ReleaseWindow() {
  for (int id = 0; id < SlotCount(); ++id) UnregisterItem(id);
  window_.reset();
}

int64_t TGlobalHotKeyContainer::Now() const {
  if (clock_) return clock_();
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

unsigned TGlobalHotKeyContainer::DoubleClickTime() const {
  if (doubleClickTime_ != 0) return doubleClickTime_;
  return window_ ? window_->DoubleClickTime() : 500;
}

TGlobalHotKeyContainer& GlobalHotKeyContainer() {
  static TGlobalHotKeyContainer container;
  return container;
}
