#include "core/Hotkey_Item_Global.h"

#include "core/HotKey_Global_Container.h"

TGlobalHotKeyItem::~TGlobalHotKeyItem() { SetActive(false); }

void TGlobalHotKeyItem::SetActive(bool on) {
  if (on) {
    if (active_) return;
    id_ = GlobalHotKeyContainer().RegisterItem(this);
    active_ = id_ != -1;
  } else if (active_ && id_ != -1) {
    GlobalHotKeyContainer().UnregisterItem(id_);
    id_ = -1;
    active_ = false;
  }
}
