// A small push button ("...") that drops a menu of choices below itself when
// clicked; the chosen entry carries a radio mark and its index is the
// button's value. OnClick fires after a choice, not when the button is
// pressed. The editor uses it for the scope of a hotkey (0 active while the
// program is active, 1 system-wide).
#pragma once

#include <string>
#include <vector>

#include "ui/Button.h"
#include "ui/PopupMenu.h"

struct TSelectButtonParams : ui::TButtonParams {
  TSelectButtonParams() {
    Caption = "...";
    Width = 20;
    Height = 20;
  }
};

class TSelectButton : public ui::TButton {
 public:
  using TParams = TSelectButtonParams;
  bool Create(const TSelectButtonParams& p);

  // One menu entry per non-empty line; the first entry is checked.
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& items);
  // The index of the checked entry, -1 when none. Setting an index that no
  // entry has checks entry 0.
  int Selected() const;
  void SetSelected(int index);

  ui::TPopupMenu& Menu() { return menu_; }

 protected:
  void DoClick() override;

 private:
  void RebuildMenu();
  void Choose(ui::TMenuItem* entry);
  std::vector<std::string> items_;
  mutable ui::TPopupMenu menu_;  // Selected reads its checks
};
