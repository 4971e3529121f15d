#include "ui/Image.h"

namespace ui {

bool TImage::Create(const TImageParams& p) {
  TImageParams c = p;
  c.Style &= ~WS_TABSTOP;
  if (!CreateControl(c, "STATIC", SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL)) return false;
  // SS_ICON sizes the control to its icon; the bounds given stay.
  SetBounds(p.X, p.Y, p.Width, p.Height);
  return true;
}

// The control is handed the new icon before the old one is freed, so it
// never draws a freed handle.
void TImage::SetIcon(core::TUniqueIcon icon) {
  if (Handle()) SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
  icon_ = std::move(icon);
}

}  // namespace ui
