#include "ui/ComboBox.h"

#include <commctrl.h>

#include "ui/ErrorHandler.h"

namespace ui {

namespace {
constexpr UINT_PTR kEditSubclass = 1;
}

TComboBox::~TComboBox() {
  if (edit_ && IsWindow(edit_)) RemoveWindowSubclass(edit_, &TComboBox::EditProc, kEditSubclass);
}

bool TComboBox::Create(const TComboBoxParams& p) {
  style_ = p.ComboStyle;
  AutoDropDown = p.AutoDropDown;
  DWORD kind = WS_VSCROLL | CBS_AUTOHSCROLL | (style_ == TComboBoxStyle::DropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
  if (p.Sorted) kind |= CBS_SORT;
  if (!CreateControl(p, "COMBOBOX", kind)) return false;
  // The window's own style decides (a layout row may have given the list style).
  if ((GetWindowLongA(Handle(), GWL_STYLE) & 3) == CBS_DROPDOWNLIST) style_ = TComboBoxStyle::DropDownList;
  SendMessageA(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(p.DropDownCount > 0 ? p.DropDownCount : 8), 0);
  if (style_ == TComboBoxStyle::DropDown) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(Handle(), &info)) edit_ = info.hwndItem;
    if (edit_) SetWindowSubclass(edit_, &TComboBox::EditProc, kEditSubclass, reinterpret_cast<DWORD_PTR>(this));
  }
  for (const auto& item : p.Items) Add(item);
  if (p.ItemIndex >= 0) SetItemIndex(p.ItemIndex);
  return true;
}

int TComboBox::ItemIndex() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : -1; }

void TComboBox::SetItemIndex(int index) {
  if (!Handle()) return;
  if (index < 0 && style_ == TComboBoxStyle::DropDown) {
    // CB_SETCURSEL -1 empties the text box too; the text stays.
    std::string text = Text();
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextA(Handle(), text.c_str());
    return;
  }
  SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TComboBox::Count() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)) : 0; }

std::string TComboBox::Item(int index) const {
  if (!Handle()) return std::string();
  LRESULT n = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == CB_ERR) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  n = SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(n == CB_ERR ? 0 : static_cast<size_t>(n));
  return text;
}

std::vector<std::string> TComboBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0, n = Count(); i < n; ++i) items.push_back(Item(i));
  return items;
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  Clear();
  for (const auto& item : items) Add(item);
}

int TComboBox::Add(std::string_view text) {
  if (!Handle()) return -1;
  std::string s(text);
  return static_cast<int>(SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str())));
}

int TComboBox::Insert(int index, std::string_view text) {
  if (!Handle()) return -1;
  std::string s(text);
  return static_cast<int>(SendMessageA(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str())));
}

void TComboBox::Delete(int index) { if (Handle()) SendMessageA(Handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void TComboBox::Clear() { if (Handle()) SendMessageA(Handle(), CB_RESETCONTENT, 0, 0); }

int TComboBox::IndexOf(std::string_view text) const {
  if (!Handle()) return -1;
  std::string s(text);
  LRESULT r = SendMessageA(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.c_str()));
  return r == CB_ERR ? -1 : static_cast<int>(r);
}

bool TComboBox::DroppedDown() const { return Handle() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0); }
void TComboBox::SetDroppedDown(bool on) { if (Handle()) SendMessageA(Handle(), CB_SHOWDROPDOWN, on ? TRUE : FALSE, 0); }

void TComboBox::CommandNotify(WORD code) {
  switch (code) {
    case CBN_EDITCHANGE: Change(); break;
    case CBN_SELCHANGE:
      Click();
      Select();
      Change();
      break;
    case CBN_DROPDOWN: if (OnDropDown) OnDropDown(); break;
    case CBN_CLOSEUP: if (OnCloseUp) OnCloseUp(); break;
  }
}

void TComboBox::Change() { if (OnChange) OnChange(); }
void TComboBox::Click() { if (OnClick) OnClick(); }
void TComboBox::Select() { if (OnSelect) OnSelect(); }

bool TComboBox::KeyDown(WORD& key) {
  if (!OnKeyDown) return false;
  TKeyEvent e;
  e.Msg = WM_KEYDOWN;
  e.WParam = key;
  e.Key = key;
  e.Shift = KeyboardShiftState();
  OnKeyDown(e);
  key = e.Handled ? 0 : e.Key;
  return key == 0;
}

bool TComboBox::KeyPress(char& key) {
  if (OnKeyPress) {
    TKeyPressEvent e;
    e.Msg = WM_CHAR;
    e.WParam = static_cast<unsigned char>(key);
    e.Key = key;
    OnKeyPress(e);
    key = e.Handled ? 0 : e.Key;
  }
  if (key == 0) return true;
  // A character typed (not a control key) opens the list.
  if (AutoDropDown && static_cast<unsigned char>(key) >= 0x20 && !DroppedDown()) SetDroppedDown(true);
  return false;
}

LRESULT TComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_KEYDOWN || msg == WM_CHAR) {
    if (msg == WM_KEYDOWN) {
      WORD key = static_cast<WORD>(wParam);
      if (KeyDown(key)) return 0;
      wParam = key;
    } else {
      char key = static_cast<char>(wParam);
      if (KeyPress(key)) return 0;
      wParam = static_cast<unsigned char>(key);
    }
    return DefaultProc(msg, wParam, lParam);
  }
  return TControl::WndProc(msg, wParam, lParam);
}

LRESULT CALLBACK TComboBox::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
  auto* self = reinterpret_cast<TComboBox*>(data);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &TComboBox::EditProc, id);
    if (self->edit_ == hwnd) self->edit_ = nullptr;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  if (msg != WM_KEYDOWN && msg != WM_CHAR) return DefSubclassProc(hwnd, msg, wParam, lParam);
  return Guarded("TComboBox.EditProc", [&]() -> LRESULT {
    if (msg == WM_KEYDOWN) {
      WORD key = static_cast<WORD>(wParam);
      if (self->KeyDown(key)) return 0;
      wParam = key;
    } else {
      char key = static_cast<char>(wParam);
      if (self->KeyPress(key)) return 0;
      wParam = static_cast<unsigned char>(key);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }, LRESULT(0));
}

}  // namespace ui
