#include "ui/ListBox.h"

namespace ui {

bool TListBox::Create(const TListBoxParams& p) {
  DWORD kind = LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  if (p.Sorted) kind |= LBS_SORT;
  if (!CreateControl(p, "LISTBOX", kind, p.Border ? WS_EX_CLIENTEDGE : 0)) return false;
  for (const auto& item : p.Items) Add(item);
  return true;
}

bool TListBox::Sorted() const { return Handle() && (GetWindowLongA(Handle(), GWL_STYLE) & LBS_SORT); }
int TListBox::Count() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0)) : 0; }

std::string TListBox::Item(int index) const {
  if (!Handle()) return std::string();
  LRESULT n = SendMessageA(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  n = SendMessageA(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(n == LB_ERR ? 0 : static_cast<size_t>(n));
  return text;
}

std::vector<std::string> TListBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0, n = Count(); i < n; ++i) items.push_back(Item(i));
  return items;
}

void TListBox::SetItems(const std::vector<std::string>& items) {
  if (!Handle()) return;
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  Clear();
  for (const auto& item : items) Add(item);
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  Invalidate();
}

int TListBox::Add(std::string_view text) {
  if (!Handle()) return -1;
  std::string s(text);
  LRESULT r = SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  return r < 0 ? -1 : static_cast<int>(r);
}

int TListBox::Insert(int index, std::string_view text) {
  if (!Handle()) return -1;
  if (Sorted()) return Add(text);
  std::string s(text);
  LRESULT r = SendMessageA(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
  return r < 0 ? -1 : static_cast<int>(r);
}

int TListBox::SetItem(int index, std::string_view text) {
  if (index < 0 || index >= Count()) return -1;
  bool selected = ItemIndex() == index;
  Delete(index);
  int at = Insert(index, text);
  if (selected) SetItemIndex(at);
  return at;
}

void TListBox::Delete(int index) { if (Handle()) SendMessageA(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }
void TListBox::Clear() { if (Handle()) SendMessageA(Handle(), LB_RESETCONTENT, 0, 0); }

int TListBox::IndexOf(std::string_view text) const {
  if (!Handle()) return -1;
  std::string s(text);
  LRESULT r = SendMessageA(Handle(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.c_str()));
  return r == LB_ERR ? -1 : static_cast<int>(r);
}

int TListBox::ItemIndex() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)) : -1; }
void TListBox::SetItemIndex(int index) { if (Handle()) SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
int TListBox::TopIndex() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0)) : 0; }
void TListBox::SetTopIndex(int index) { if (Handle()) SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0); }

int TListBox::ItemAtPos(int x, int y) const {
  if (!Handle()) return -1;
  LRESULT r = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
  if (HIWORD(r)) return -1;  // outside the client area
  // The answer is the nearest item: below the last one it is the last.
  int index = LOWORD(r);
  RECT item = ItemRect(index);
  POINT pt = {x, y};
  return index < Count() && PtInRect(&item, pt) ? index : -1;
}

RECT TListBox::ItemRect(int index) const {
  RECT r = {};
  if (Handle()) SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

void TListBox::CommandNotify(WORD code) {
  if (code == LBN_SELCHANGE) Click();
  else if (code == LBN_DBLCLK) DblClick();
}

void TListBox::Click() { if (OnClick) OnClick(); }
void TListBox::DblClick() { if (OnDblClick) OnDblClick(); }

}  // namespace ui
