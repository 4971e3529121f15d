// Global hotkey item (class id 1, "常駐時"): registered system-wide while
// active; a combination of modifiers without a key is watched as a double press.
#pragma once

#include "core/HotKey_Item.h"

class TGlobalHotKeyItem : public THotKeyItem {
 public:
  TGlobalHotKeyItem() = default;
  ~TGlobalHotKeyItem() override;

  // A failed registration leaves the item inactive with Id -1; a later
  // SetActive(true) tries again.
  void SetActive(bool on) override;
  THotKeyClassInfo GetHotKeyClassInfo() const override { return ClassInfo(); }
  static THotKeyClassInfo ClassInfo() { return {"常駐時", true, 1}; }

  int Id() const { return id_; }  // -1 while not registered

 private:
  int id_ = -1;
};
