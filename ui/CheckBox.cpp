#include "ui/CheckBox.h"

namespace ui {

bool HasLineBreak(std::string_view caption) { return caption.find_first_of("\r\n") != std::string_view::npos; }

bool TCheckBox::Create(const TCheckBoxParams& p) {
  DWORD style = p.AllowGrayed ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
  if (p.LeftText) style |= BS_LEFTTEXT;
  if (p.WordWrap || HasLineBreak(p.Caption)) style |= BS_MULTILINE;
  if (!CreateControl(p, "BUTTON", style)) return false;
  if (p.Checked) SetChecked(true);
  return true;
}

TCheckBoxState TCheckBox::State() const {
  LRESULT s = Handle() ? SendMessageA(Handle(), BM_GETCHECK, 0, 0) : BST_UNCHECKED;
  if (s == BST_CHECKED) return TCheckBoxState::Checked;
  if (s == BST_INDETERMINATE) return TCheckBoxState::Grayed;
  return TCheckBoxState::Unchecked;
}

void TCheckBox::SetState(TCheckBoxState state) {
  if (Handle()) SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

bool TCheckBox::AllowGrayed() const {
  return Handle() && (GetWindowLongA(Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_AUTO3STATE;
}

void TCheckBox::SetAllowGrayed(bool on) {
  if (!Handle()) return;
  if (!on && State() == TCheckBoxState::Grayed) SetState(TCheckBoxState::Unchecked);
  SendMessageA(Handle(), BM_SETSTYLE, on ? BS_AUTO3STATE : BS_AUTOCHECKBOX, TRUE);
}

void TCheckBox::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

void TCheckBox::Click() {
  if (OnClick) OnClick();
}

}  // namespace ui
