#include "ui/GroupBox.h"

#include "ui/Frame.h"

namespace ui {

bool TGroupBox::Create(const TGroupBoxParams& p) {
  TControlParams c = p;
  c.Style &= ~WS_TABSTOP;
  return CreateControl(c, "BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

LRESULT TGroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (IsChildColorMessage(msg)) return ContainerChildColor(Handle(), nullptr, CLR_INVALID, msg, wParam, lParam);
  return TControl::WndProc(msg, wParam, lParam);
}

}  // namespace ui
