#include "ui/RadioButton.h"

#include "ui/CheckBox.h"

namespace ui {

namespace {
bool IsRadio(HWND hwnd) {
  char cls[16] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, "BUTTON") != 0) return false;
  LONG type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
}

bool StartsGroup(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_GROUP) != 0; }

// The siblings of the group that holds hwnd, hidden and disabled ones
// included: from the nearest WS_GROUP at or before it up to the next one.
template <class F>
void ForEachInGroup(HWND hwnd, F&& f) {
  HWND first = hwnd;
  while (!StartsGroup(first)) {
    HWND prev = GetWindow(first, GW_HWNDPREV);
    if (!prev) break;
    first = prev;
  }
  for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w != first && StartsGroup(w)) break;
    f(w);
  }
}
}  // namespace

bool TRadioButton::Create(const TRadioButtonParams& p) {
  DWORD style = BS_AUTORADIOBUTTON;
  if (p.WordWrap || HasLineBreak(p.Caption)) style |= BS_MULTILINE;
  if (!CreateControl(p, "BUTTON", style)) return false;
  if (p.Checked) SetChecked(true);
  return true;
}

bool TRadioButton::Checked() const { return Handle() && SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// BM_SETCHECK alone leaves the others of the group checked: they are cleared
// as a click would clear them. (The button's own BM_SETCHECK moves the tab stop.)
void TRadioButton::SetChecked(bool on) {
  if (!Handle()) return;
  if (on) {
    ForEachInGroup(Handle(), [&](HWND w) {
      if (w != Handle() && IsRadio(w) && SendMessageA(w, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
        SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
    });
  }
  SendMessageA(Handle(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

void TRadioButton::Click() {
  if (OnClick) OnClick();
}

}  // namespace ui
