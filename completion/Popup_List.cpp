#include "completion/Popup_List.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "core/Sjis.h"

TPopupList::TPopupList(ui::TWindow* owner, bool scrollBar)
    : owner_(dynamic_cast<ui::TEdit*>(owner)), scrollBar_(scrollBar) {
  if (!owner_) throw std::invalid_argument("不正なOwnerがセットされています");
}

TPopupList::~TPopupList() {
  if (Handle()) Destroy();
  painter_.reset();
}

bool TPopupList::CreateWnd() {
  painter_ = std::make_unique<ui::TWindow>();
  ui::TCreateParams owner;
  owner.ClassName = "QvPopupListRows";
  owner.Style = WS_POPUP;
  owner.X = owner.Y = 0;
  owner.Width = owner.Height = 1;
  if (!painter_->Create(owner)) return false;
  ui::TCreateParams p;
  p.ClassName = "LISTBOX";
  // No parent: the list floats above every window and belongs to no form; its
  // owner is the hidden painter.
  // Made without the scroll bar, which is added afterwards: so the list box
  // leaves the bar to this class.
  p.Style = WS_POPUP | WS_BORDER | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_NODATA;
  p.Parent = painter_->Handle();
  p.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  p.X = 0;
  p.Y = 0;
  p.Width = 100;
  p.Height = 100;
  if (!Create(p)) return false;
  if (scrollBar_) {
    SetWindowLongPtrA(Handle(), GWL_STYLE, GetWindowLongPtrA(Handle(), GWL_STYLE) | WS_VSCROLL);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  SetFont(owner_->Font());
  // Once, so that it paints its selection as a focused list does.
  DefaultProc(WM_SETFOCUS, 0, 0);
  SyncScrollBar();
  return true;
}

namespace {

// What a scroll bar shows, its place taken relative to its window.
bool SameLook(SCROLLBARINFO a, SCROLLBARINFO b, const RECT& wa, const RECT& wb) {
  OffsetRect(&a.rcScrollBar, -wa.left, -wa.top);
  OffsetRect(&b.rcScrollBar, -wb.left, -wb.top);
  return EqualRect(&a.rcScrollBar, &b.rcScrollBar) && a.dxyLineButton == b.dxyLineButton &&
         a.xyThumbTop == b.xyThumbTop && a.xyThumbBottom == b.xyThumbBottom &&
         std::equal(std::begin(a.rgstate), std::end(a.rgstate), std::begin(b.rgstate)) &&
         (wa.right - wa.left) == (wb.right - wb.left) && (wa.bottom - wa.top) == (wb.bottom - wb.top);
}

}  // namespace

void TPopupList::NoteBarDrawn() {
  bar_ = {};
  bar_.cbSize = sizeof(bar_);
  GetScrollBarInfo(Handle(), OBJID_VSCROLL, &bar_);
  GetWindowRect(Handle(), &barWindow_);
  barDrawn_ = true;
}

void TPopupList::SyncScrollBar() {
  if (!scrollBar_ || !Handle() || syncing_ || holdBar_) return;
  TScopedFlag syncing(syncing_);
  // The values the list box itself would give: its rows, its top row, and as
  // page the rows that fit wholly. They are kept current even while the
  // list's redraw is off, so that whatever draws the frame meanwhile (a new
  // size, showing the list) draws them; the bar itself is drawn again only
  // with the redraw on, and only when it would look different.
  RECT client = {};
  GetClientRect(Handle(), &client);
  const int height = ItemHeight();
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = Count() - 1;
  info.nPage = static_cast<UINT>(std::max(1, height > 0 ? static_cast<int>(client.bottom) / height : 1));
  info.nPos = TopIndex();
  SetScrollInfo(Handle(), SB_VERT, &info, FALSE);
  if (redrawOn_ && IsWindowVisible(Handle())) {
    SCROLLBARINFO now = {};
    now.cbSize = sizeof(now);
    GetScrollBarInfo(Handle(), OBJID_VSCROLL, &now);
    RECT window = {};
    GetWindowRect(Handle(), &window);
    if (!barDrawn_ || !SameLook(now, bar_, window, barWindow_)) {
      SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
      NoteBarDrawn();
    }
  }
}

int TPopupList::Count() const {
  LRESULT n = Handle() ? SendMessageA(Handle(), LB_GETCOUNT, 0, 0) : 0;
  return n > 0 ? static_cast<int>(n) : 0;
}

std::string TPopupList::Item(int index) const {
  if (!Handle() || index < 0 || index >= Count()) return std::string();
  return rows_[index];
}

void TPopupList::Clear() {
  if (Handle()) SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
  rows_ = TCandidateRows();
}

void TPopupList::SetItems(TCandidateRows rows) {
  if (!Handle()) return;
  {
    // The empty list between the two is nothing the scroll bar need show:
    // showing it would hide the bar and show it again.
    TScopedFlag hold(holdBar_);
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    rows_ = std::move(rows);
    if (!rows_.Empty()) SendMessageA(Handle(), LB_SETCOUNT, static_cast<WPARAM>(rows_.Count()), 0);
  }
  SyncScrollBar();
}

void TPopupList::ControlMessage(ui::TMessageEvent& e) {
  if (e.Msg != WM_DRAWITEM) return;
  DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(e.LParam));
  e.Answer(TRUE);
}

void TPopupList::DrawRow(const DRAWITEMSTRUCT& item) const {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  // The focus rectangle alone is drawn over what is there (it inverts).
  if (item.itemAction == ODA_FOCUS) {
    DrawFocusRect(dc, &r);
    return;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  COLORREF back = 0, text = 0;
  if (selected) {
    back = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    text = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  const std::string& s = rows_[static_cast<int>(item.itemID)];
  ExtTextOutA(dc, r.left + 1, r.top, ETO_OPAQUE | ETO_CLIPPED, &r, s.data(), static_cast<UINT>(s.size()), nullptr);
  if (selected) {
    SetBkColor(dc, back);
    SetTextColor(dc, text);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

LRESULT TPopupList::TopRowText(WPARAM size, LPARAM buffer, bool lengthOnly) const {
  const std::string& s = rows_[TopIndex()];  // none past the end
  // The messages come as the window's procedure takes them: wide when the
  // subclass chain is a wide one.
  if (IsWindowUnicode(Handle())) {
    const int wide = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (lengthOnly) return wide;
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    if (!out || size == 0) return 0;
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), text.data(), wide);
    const size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::copy_n(text.data(), n, out);
    out[n] = L'\0';
    return static_cast<LRESULT>(n);
  }
  if (lengthOnly) return static_cast<LRESULT>(s.size());
  auto* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  // Whole characters only.
  size_t n = 0;
  while (n < s.size()) {
    const size_t len = sjis::CharLen(s, n);
    if (n + len > static_cast<size_t>(size) - 1) break;
    n += len;
  }
  std::memcpy(out, s.data(), n);
  out[n] = '\0';
  return static_cast<LRESULT>(n);
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

bool TPopupList::MovesScrollBar(UINT msg) {
  switch (msg) {
    case LB_SETCOUNT: case LB_RESETCONTENT: case LB_SETTOPINDEX: case LB_SETCURSEL: case LB_SETCARETINDEX:
    case LB_SETITEMHEIGHT: case LB_ADDSTRING: case LB_INSERTSTRING: case LB_DELETESTRING:
    case WM_VSCROLL: case WM_MOUSEWHEEL: case WM_SIZE: case WM_KEYDOWN: case WM_SETREDRAW: case WM_SETFONT:
      return true;
  }
  return false;
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
    case WM_GETTEXT:
      return TopRowText(wParam, lParam, false);
    case WM_GETTEXTLENGTH:
      return TopRowText(0, 0, true);
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
    default: {
      if (msg == WM_SETREDRAW) redrawOn_ = wParam != 0;
      LRESULT result = TWindow::WndProc(msg, wParam, lParam);
      if (msg == WM_NCPAINT && scrollBar_) NoteBarDrawn();  // the frame shows the bar as it stands
      if (MovesScrollBar(msg)) SyncScrollBar();
      return result;
    }
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
