// Local hotkey item (class id 0, "アクティブ時"): a shortcut that works while a
// window of the program is active.
#pragma once

#include <memory>

#include "core/HotKey_Item.h"
#include "core/HotKey_Local_Container.h"

class TLocalHotKeyItem : public THotKeyItem {
 public:
  TLocalHotKeyItem() = default;
  ~TLocalHotKeyItem() override;

  void SetActive(bool on) override;
  THotKeyClassInfo GetHotKeyClassInfo() const override { return ClassInfo(); }
  static THotKeyClassInfo ClassInfo() { return {"アクティブ時", false, 0}; }

  // The shortcut in the action list; 0 before the first activation.
  uint16_t ShortCut() const { return action_ ? action_->ShortCut : 0; }

 private:
  std::unique_ptr<THotKeyAction> action_;
};
