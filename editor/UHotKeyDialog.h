// The dialog that adds or changes one entry of the hotkey list: the keyword a
// key runs (completed from the keyword store), the key combination (captured,
// or set in the hotkey dialog), and its scope, which is the item's class: 0
// active while the program is active, 1 system-wide.
#pragma once

#include <memory>

#include "editor/DropTargetFormLite.h"
#include "ui/ActionList.h"
#include "ui/ToolTip.h"

class THotKeyItem;
class TKeyWordManager;
class TParamEdit;
class THotKeyEdit;
class TSelectButton;
namespace ui {
class TLabel;
}

class TKW_HotKeyDialog : public TDropFormLite {
 public:
  explicit TKW_HotKeyDialog(ui::TWindow* owner);

  // Shows the item; on OK it holds a new item of the class chosen with the
  // combination and the keyword (stored with keyword identifiers), the old
  // one freed, and the result is true. On Cancel the item is untouched.
  bool Execute(std::unique_ptr<THotKeyItem>& item, TKeyWordManager& store);

  TParamEdit& KeyWordBox() const;
  ui::TLabel& KeyWordLabel() const;
  THotKeyEdit& HotKeyBox() const;
  TSelectButton& ScopeButton() const;
  ui::TToolTip& Hints() { return hints_; }
  ui::TAction& OKAction() { return ok_; }

 private:
  void CheckName();
  void ScopeChanged();
  void EditInDialog();

  ui::TWindow* centreOwner_;
  TKeyWordManager* store_ = nullptr;
  ui::TActionList actions_;
  ui::TAction ok_{"&OK"};
  ui::TToolTip hints_;
};
