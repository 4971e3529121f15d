#include "core/Hotkey_Item_Local.h"

#include "core/HotKeyUtils.h"

TLocalHotKeyItem::~TLocalHotKeyItem() { SetActive(false); }

void TLocalHotKeyItem::SetActive(bool on) {
  if (!action_) {
    action_ = std::make_unique<THotKeyAction>();
    action_->OnExecute = [this] { DoHotKey(); };
  }
  action_->ShortCut = HotKeyToShortCut(GetModifiers(), GetKey());
  if (on && !active_) {
    LocalHotKeyContainer().AddAction(action_.get());
    active_ = true;
  } else if (!on && active_) {
    LocalHotKeyContainer().RemoveAction(action_.get());
    active_ = false;
  }
}
