#include "completion/Popup_List.h"

#include <windowsx.h>

#include <stdexcept>

TPopupList::TPopupList(ui::TWindow* owner, bool scrollBar)
    : owner_(dynamic_cast<ui::TEdit*>(owner)), scrollBar_(scrollBar) {
  if (!owner_) throw std::invalid_argument("不正なOwnerがセットされています");
}

TPopupList::~TPopupList() {
  if (Handle()) Destroy();
}

bool TPopupList::CreateWnd() {
  ui::TCreateParams p;
  p.ClassName = "LISTBOX";
  // No parent: the list floats above every window and belongs to no form.
  p.Style = WS_POPUP | WS_BORDER | LBS_NOINTEGRALHEIGHT | (scrollBar_ ? WS_VSCROLL : 0);
  p.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  p.X = 0;
  p.Y = 0;
  p.Width = 100;
  p.Height = 100;
  if (!Create(p)) return false;
  SetFont(owner_->Font());
  // Once, so that it paints its selection as a focused list does.
  DefaultProc(WM_SETFOCUS, 0, 0);
  return true;
}

int TPopupList::Count() const {
  LRESULT n = Handle() ? SendMessageA(Handle(), LB_GETCOUNT, 0, 0) : 0;
  return n > 0 ? static_cast<int>(n) : 0;
}

std::string TPopupList::Item(int index) const {
  if (!Handle() || index < 0 || index >= Count()) return std::string();
  LRESULT n = SendMessageA(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n <= 0) return std::string();
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = SendMessageA(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

void TPopupList::Clear() {
  if (Handle()) SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

void TPopupList::SetItems(const TStringList& items) {
  if (!Handle()) return;
  SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
  for (const std::string& s : items) SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

int TPopupList::ItemIndex() const {
  LRESULT i = Handle() ? SendMessageA(Handle(), LB_GETCURSEL, 0, 0) : LB_ERR;
  return i == LB_ERR ? -1 : static_cast<int>(i);
}

void TPopupList::SetItemIndex(int index) {
  if (Handle()) SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TPopupList::TopIndex() const {
  return Handle() ? static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0)) : 0;
}

void TPopupList::SetTopIndex(int index) {
  if (Handle() && index >= 0) SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void TPopupList::SetItemHeight(int height) {
  if (Handle() && height > 0 && height < 256) SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
}

int TPopupList::ItemHeight() const {
  return Handle() ? static_cast<int>(SendMessageA(Handle(), LB_GETITEMHEIGHT, 0, 0)) : 0;
}

void TPopupList::SetRedraw(bool on) {
  if (!Handle()) return;
  SendMessageA(Handle(), WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) InvalidateRect(Handle(), nullptr, TRUE);
}

void TPopupList::ShowNoActivate() {
  if (Handle())
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

int TPopupList::RowAt(LPARAM lParam) const {
  LRESULT r = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, lParam);
  if (HIWORD(r) != 0) return -1;  // outside every row
  int row = LOWORD(r);
  return row < Count() ? row : -1;
}

LRESULT TPopupList::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEACTIVATE: case WM_SETCURSOR: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONUP:
      if (OnMessage) {
        ui::TMessageEvent e;
        e.Msg = msg;
        e.WParam = wParam;
        e.LParam = lParam;
        OnMessage(e);
        if (e.Handled) return e.Result;
      }
      break;
    default:
      return TWindow::WndProc(msg, wParam, lParam);
  }
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_SETCURSOR:
      if (cursorHidden_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(nullptr);
        return TRUE;
      }
      break;
    // The list box's own handling of these calls SetFocus.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      int row = RowAt(lParam);
      if (row >= 0) SetItemIndex(row);
      pressed_ = row >= 0;
      return 0;
    }
    case WM_LBUTTONUP: {
      bool pressed = pressed_;
      pressed_ = false;
      if (pressed && RowAt(lParam) >= 0 && OnClick) OnClick();
      return 0;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return 0;
  }
  return DefaultProc(msg, wParam, lParam);
}
