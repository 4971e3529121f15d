// A group box of the system class "BUTTON" that is a real container: the
// controls inside it are its child windows, so they move, hide and go with it,
// their notifications go on to the form (ui/Control.h), and Tab in a form with
// dialog navigation goes through them (WS_EX_CONTROLPARENT). The caption's
// mnemonic focuses the first control inside, as in a dialog box.
#pragma once

#include "ui/Control.h"

namespace ui {

struct TGroupBoxParams : TControlParams {
  TGroupBoxParams() { Style = WS_VISIBLE; }
  TGroupBoxParams(HWND parent, std::string caption, int x, int y, int width, int height)
      : TControlParams(parent, std::move(caption), x, y, width, height) {
    Style = WS_VISIBLE;
  }
};

class TGroupBox : public TControl {
 public:
  using TParams = TGroupBoxParams;
  bool Create(const TGroupBoxParams& p);

 protected:
  bool Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
