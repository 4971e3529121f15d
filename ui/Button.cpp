#include "ui/Button.h"

namespace ui {

bool TButton::Create(const TButtonParams& p) { return CreateControl(p, "BUTTON", BS_PUSHBUTTON); }

void TButton::Click() {
  if (Handle()) SendMessageA(Handle(), BM_CLICK, 0, 0);
}

// The button shows one picture; it is handed the new one before the old one
// is freed, so it never draws a freed handle.
void TButton::SetPicture(core::TUniqueBitmap bitmap) {
  if (Handle()) {
    SendMessageA(Handle(), BM_SETIMAGE, IMAGE_ICON, 0);
    SendMessageA(Handle(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
  }
  icon_.reset();
  bitmap_ = std::move(bitmap);
}

void TButton::SetPicture(core::TUniqueIcon icon) {
  if (Handle()) {
    SendMessageA(Handle(), BM_SETIMAGE, IMAGE_BITMAP, 0);
    SendMessageA(Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.get()));
  }
  bitmap_.reset();
  icon_ = std::move(icon);
}

void TButton::ClearPicture() {
  if (Handle()) {
    SendMessageA(Handle(), BM_SETIMAGE, IMAGE_BITMAP, 0);
    SendMessageA(Handle(), BM_SETIMAGE, IMAGE_ICON, 0);
  }
  bitmap_.reset();
  icon_.reset();
}

void TButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) DoClick();
}

void TButton::DoClick() {
  if (OnClick) OnClick();
}

}  // namespace ui
