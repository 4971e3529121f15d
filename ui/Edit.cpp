#include "ui/Edit.h"

#include <windowsx.h>

#include <utility>

#include "core/ScopeGuard.h"
#include "core/StringUtils.h"

namespace ui {

void TEdit::ControlCommand(TCommandEvent& e) {
  if (e.Code == EN_CHANGE) Change();
  TWindow::ControlCommand(e);
}

int TEdit::TextLength() const { return CharLength(Text()); }

int TEdit::SelStart() const {
  DWORD start = 0, end = 0;
  if (Handle()) SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TEdit::SelLength() const {
  DWORD start = 0, end = 0;
  if (Handle()) SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return end > start ? static_cast<int>(end - start) : 0;
}

void TEdit::SetSel(int start, int length) {
  if (!Handle()) return;
  if (start < 0) start = 0;
  if (length < 0) length = 0;
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
  SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
}

void TEdit::ReplaceSel(std::string_view text) {
  if (Handle()) SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(std::string(text).c_str()));
}

// The default handling of WM_SETREDRAW takes the visible style away and gives
// it back: only a visible control is switched off, and only one switched off
// is switched on again, so that a hidden control never shows by it.
void TEdit::SetRedraw(bool on) {
  if (!Handle()) return;
  if (on == !redrawOff_) return;
  if (!on && !(GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE)) return;
  redrawOff_ = !on;
  SendMessageA(Handle(), WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

POINT TEdit::CaretPos() const {
  POINT p = {0, 0};
  if (!Handle()) return p;
  if (Focused() && GetCaretPos(&p)) return p;
  LRESULT r = SendMessageA(Handle(), EM_POSFROMCHAR, static_cast<WPARAM>(SelEnd()), 0);
  if (r != -1) {
    p.x = static_cast<short>(LOWORD(r));
    p.y = static_cast<short>(HIWORD(r));
  }
  return p;
}

int TEdit::ClientHeight() const {
  RECT r = {};
  if (Handle()) GetClientRect(Handle(), &r);
  return r.bottom - r.top;
}

int TEdit::Height() const {
  RECT r = {};
  if (Handle()) GetWindowRect(Handle(), &r);
  return r.bottom - r.top;
}

POINT TEdit::ClientOrigin() const {
  POINT p = {0, 0};
  if (Handle()) ClientToScreen(Handle(), &p);
  return p;
}

HFONT TEdit::Font() const {
  HFONT f = Handle() ? reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)) : nullptr;
  return f ? f : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

int TEdit::TextWidth(std::string_view text, HFONT font) const {
  HDC dc = GetDC(Handle());
  if (!dc) return 0;
  HGDIOBJ old = SelectObject(dc, font ? font : Font());
  SIZE size = {0, 0};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
  return size.cx;
}

int TEdit::FontHeight(HFONT font) const {
  LOGFONTA lf = {};
  if (GetObjectA(font ? font : Font(), sizeof lf, &lf) && lf.lfHeight != 0) return lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  HDC dc = GetDC(Handle());
  if (!dc) return 0;
  HGDIOBJ old = SelectObject(dc, font ? font : Font());
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
  return tm.tmHeight;
}

namespace {
template <class E>
E EventFor(const TMessageEvent& current) {
  E e;
  e.Msg = current.Msg;
  e.WParam = current.WParam;
  e.LParam = current.LParam;
  return e;
}

void FireKey(const std::function<void(TKeyEvent&)>& handler, const TMessageEvent& current, WORD& key,
             TShiftState shift) {
  if (!handler) return;
  auto e = EventFor<TKeyEvent>(current);
  e.Key = key;
  e.Shift = shift;
  e.System = current.Msg == WM_SYSKEYDOWN || current.Msg == WM_SYSKEYUP;
  handler(e);
  key = e.Handled ? 0 : e.Key;
}
}  // namespace

void TEdit::KeyDown(WORD& key, TShiftState shift) { FireKey(OnKeyDown, current_, key, shift); }
void TEdit::KeyUp(WORD& key, TShiftState shift) { FireKey(OnKeyUp, current_, key, shift); }
void TEdit::KeyPress(char& key) {
  if (!OnKeyPress) return;
  auto e = EventFor<TKeyPressEvent>(current_);
  e.Key = key;
  OnKeyPress(e);
  key = e.Handled ? 0 : e.Key;
}
void TEdit::Click() { if (OnClick) OnClick(); }
void TEdit::DoEnter() { if (OnEnter) OnEnter(); }
void TEdit::DoExit() { if (OnExit) OnExit(); }
void TEdit::Change() { if (OnChange) OnChange(); }

LRESULT TEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_KEYUP: case WM_SYSKEYUP: case WM_CHAR:
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_GETDLGCODE:
      break;
    default:
      return TWindow::WndProc(msg, wParam, lParam);
  }
  if (OnMessage) {
    TMessageEvent e;
    e.Msg = msg;
    e.WParam = wParam;
    e.LParam = lParam;
    OnMessage(e);
    if (e.Handled) return e.Result;
  }
  // Key handlers may send keys of their own.
  auto restore = core::ScopeExit([this, previous = current_] { current_ = previous; });
  current_.Msg = msg;
  current_.WParam = wParam;
  current_.LParam = lParam;
  auto mouse = [&](TShiftState shift) {
    auto e = EventFor<TMouseEvent>(current_);
    e.Button = TMouseButton::Left;
    e.Shift = shift;
    e.X = GET_X_LPARAM(lParam);
    e.Y = GET_Y_LPARAM(lParam);
    return e;
  };
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(wParam);
      if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) KeyDown(key, KeyboardShiftState());
      else KeyUp(key, KeyboardShiftState());
      if (key == 0 || !Handle()) return 0;
      return DefaultProc(msg, key, lParam);
    }
    case WM_CHAR: {
      char key = static_cast<char>(wParam);
      KeyPress(key);
      if (key == 0 || !Handle()) return 0;
      return DefaultProc(msg, static_cast<unsigned char>(key), lParam);
    }
    case WM_SETFOCUS: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      DoEnter();
      return r;
    }
    case WM_KILLFOCUS: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      DoExit();
      return r;
    }
    case WM_LBUTTONDOWN:
      pressed_ = true;
      if (OnMouseDown) {
        auto e = mouse(KeyboardShiftState() | ssLeft);
        OnMouseDown(e);
        if (e.Handled) return e.Result;
      }
      return DefaultProc(msg, wParam, lParam);
    case WM_LBUTTONUP: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (OnMouseUp) {
        auto e = mouse(KeyboardShiftState());
        OnMouseUp(e);
      }
      RECT rc = {};
      GetClientRect(Handle(), &rc);
      POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (std::exchange(pressed_, false) && PtInRect(&rc, pt)) Click();
      return r;
    }
    case WM_GETDLGCODE: {
      LRESULT code = DefaultProc(msg, wParam, lParam);
      return GetDlgCode(reinterpret_cast<const MSG*>(lParam), code);
    }
  }
  return DefaultProc(msg, wParam, lParam);
}

}  // namespace ui
