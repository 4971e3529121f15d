#include "ui/GroupBox.h"

namespace ui {

bool TGroupBox::Create(const TGroupBoxParams& p) {
  TControlParams c = p;
  c.Style &= ~WS_TABSTOP;
  return CreateControl(c, "BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

bool TGroupBox::Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return PassToParent(msg, wParam, lParam, result);
}

}  // namespace ui
