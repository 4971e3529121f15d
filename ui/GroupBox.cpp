#include "ui/GroupBox.h"

namespace ui {

bool TGroupBox::Create(const TGroupBoxParams& p) {
  TControlParams c = p;
  c.Style &= ~WS_TABSTOP;
  return CreateControl(c, "BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

// The system's group box draws its frame and caption only; as a container
// (clipping its children) it fills the rest with its parent's background.
bool TGroupBox::Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_ERASEBKGND) {
    auto dc = reinterpret_cast<HDC>(wParam);
    RECT r = ClientRect();
    FillRect(dc, &r, ParentBackground(Handle(), dc));
    result = 1;
    return true;
  }
  return PassToParent(msg, wParam, lParam, result);
}

}  // namespace ui
