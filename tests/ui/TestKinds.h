// Control kinds for the layout tests: plain system controls made through the
// window base, each with the creation struct a layout row needs.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/Window.h"

namespace testkinds {

struct TButtonParams : ui::TCreateParams {
  TButtonParams() {
    ClassName = "BUTTON";
    Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
  }
};
class TPushButton : public ui::TWindow {
 public:
  using TParams = TButtonParams;
  int Clicks = 0;

 protected:
  void ControlCommand(ui::TCommandEvent& e) override {
    if (e.Code == BN_CLICKED) ++Clicks;
    ui::TWindow::ControlCommand(e);
  }
};

struct TCheckParams : ui::TCreateParams {
  TCheckParams() {
    ClassName = "BUTTON";
    Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
  }
};
class TCheck : public ui::TWindow {
 public:
  using TParams = TCheckParams;
  bool Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

// A group box that holds its controls as their parent.
struct TBoxParams : ui::TCreateParams {
  TBoxParams() {
    ClassName = "QvTestBox";
    Style = WS_CHILD | WS_VISIBLE;
    ExStyle = WS_EX_CONTROLPARENT;
  }
};
class TBox : public ui::TWindow {
 public:
  using TParams = TBoxParams;
};

struct TLabelParams : ui::TCreateParams {
  TLabelParams() {
    ClassName = "STATIC";
    Style = WS_CHILD | WS_VISIBLE;
  }
};
class TStaticText : public ui::TWindow {
 public:
  using TParams = TLabelParams;
};

// A kind that cannot be made (its class does not exist and cannot be
// registered: an empty name).
struct TBrokenParams : ui::TCreateParams {
  TBrokenParams() { ClassName = ""; }
};
class TBroken : public ui::TWindow {
 public:
  using TParams = TBrokenParams;
};

}  // namespace testkinds
