// The hotkey dialog: a hotkey frame with OK and Cancel, for the keys a
// capture box cannot take. EditGlobalHotKey and EditLocalHotKey run it for a
// system-wide hotkey (kind 1) and for one active while the program is active
// (kind 0, no Win, no double press); each call makes its own dialog and
// frees it afterwards.
#pragma once

#include <string>
#include <string_view>

#include "ui/ActionList.h"
#include "editor/DropTargetFormLite.h"

class THotKeyFrame;

class THotKeyDialog : public TDropFormLite {
 public:
  explicit THotKeyDialog(ui::TWindow* owner);

  THotKeyFrame& Frame() const;
  bool EnableWinKey() const;
  void SetEnableWinKey(bool on);
  bool EnableDoubleMod() const;
  void SetEnableDoubleMod(bool on);

  // Centred over the owner's window (the work area without one), shown
  // modally; true for OK.
  bool Execute();

  ui::TAction& OKAction() { return ok_; }
  ui::TAction& CancelAction() { return cancel_; }

 private:
  ui::TWindow* centreOwner_;
  ui::TActionList actions_;
  ui::TAction ok_{"&OK"};
  ui::TAction cancel_{"キャンセル(&C)"};
};

// The text after the dialog: the frame's on OK, else the text given.
std::string EditGlobalHotKey(ui::TWindow* owner, std::string_view text);
std::string EditLocalHotKey(ui::TWindow* owner, std::string_view text);
