#include "ui/Control.h"

#include "core/Handles.h"

namespace ui {

int FreeControlId(HWND parent) {
  for (int id = 0x8000; id < 0xFFFF; ++id)
    if (!GetDlgItem(parent, id)) return id;
  return 0;
}

bool TControl::CreateControl(const TControlParams& p, const char* className, DWORD kindStyle, DWORD kindExStyle) {
  TCreateParams c = p;
  c.ClassName = className;
  c.Style = p.Style | WS_CHILD | kindStyle;
  c.ExStyle = p.ExStyle | kindExStyle;
  if (!c.Parent) return false;
  // The dialog keys find buttons by id: a control made without one (not by a
  // layout, which numbers its rows) gets one that no sibling has.
  if (c.Id == 0) c.Id = FreeControlId(c.Parent);
  return Create(c);
}

int TControl::Width() const {
  RECT r = Bounds();
  return r.right - r.left;
}

int TControl::Height() const {
  RECT r = Bounds();
  return r.bottom - r.top;
}

RECT TControl::ClientRect() const {
  RECT r = {};
  if (Handle()) GetClientRect(Handle(), &r);
  return r;
}

HFONT TControl::Font() const {
  HFONT f = Handle() ? reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)) : nullptr;
  return f ? f : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TControl::ControlCommand(TCommandEvent& e) {
  CommandNotify(e.Code);
  TWindow::ControlCommand(e);
}

void TControl::ControlNotify(TNotifyMessageEvent& e) {
  LRESULT result = 0;
  if (e.Header && Notify(*e.Header, result)) {
    e.Answer(result);
    return;
  }
  TWindow::ControlNotify(e);
}

void TControl::ControlColor(TCtlColorEvent& e) {
  TWindow::ControlColor(e);
  if (e.Handled || (e.Msg != WM_CTLCOLORSTATIC && e.Msg != WM_CTLCOLORBTN)) return;
  for (HWND w = GetParent(Handle()); w && (GetWindowLongA(w, GWL_STYLE) & WS_CHILD); w = GetParent(w)) {
    auto* container = dynamic_cast<TControl*>(FromHandle(w));
    COLORREF color = 0;
    HBRUSH brush = container ? container->ChildBackground(color) : nullptr;
    if (brush) {
      SetBkColor(e.DC, color);
      e.SetBrush(brush);
      return;
    }
  }
}

bool TControl::PassToParent(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND parent = ParentHandle();
  if (!parent) return false;
  bool fromChild = false;
  switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      fromChild = lParam != 0 && reinterpret_cast<HWND>(lParam) != Handle();
      break;
    case WM_NOTIFY:
      fromChild = lParam && reinterpret_cast<const NMHDR*>(lParam)->hwndFrom != Handle();
      break;
    case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORDLG:
      fromChild = true;
      break;
  }
  if (!fromChild) return false;
  result = SendMessageA(parent, msg, wParam, lParam);
  return true;
}

LRESULT TDrawnControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      core::TPaintDC dc(Handle());
      Paint(dc.get());
      if (OnPaint) {
        TPaintEvent e;
        e.Msg = msg;
        e.DC = dc.get();
        e.Update = dc.Area();
        OnPaint(e);
      }
      return 0;
    }
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      EraseBackground(dc);
      Paint(dc);
      return 0;
    }
  }
  return TControl::WndProc(msg, wParam, lParam);
}

bool TDrawnControl::Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg != WM_ERASEBKGND) return TControl::Unhandled(msg, wParam, lParam, result);
  EraseBackground(reinterpret_cast<HDC>(wParam));
  result = 1;
  return true;
}

std::string WindowText(HWND hwnd) {
  if (!hwnd) return std::string();
  int n = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(hwnd, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

int LineHeight(HFONT font) {
  core::TWindowDC dc(nullptr);
  core::TSelectObject select(dc.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc.get(), &tm);
  return tm.tmHeight;
}

TWindow* FindControlAt(POINT screenPoint, TWindow& start) {
  TWindow* found = &start;
  HWND w = start.Handle();
  while (w) {
    POINT p = screenPoint;
    ScreenToClient(w, &p);
    HWND child = ChildWindowFromPointEx(w, p, CWP_SKIPINVISIBLE);
    if (!child || child == w) break;
    w = child;
    // A child the layer did not make (the edit of a combo box) is passed
    // through: the control is the layer's window around it.
    if (TWindow* control = TWindow::FromHandle(w)) found = control;
  }
  return found;
}

HBRUSH ParentBackground(HWND child, HDC dc) {
  HWND parent = child ? GetParent(child) : nullptr;
  HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                                reinterpret_cast<LPARAM>(child)))
                        : nullptr;
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace ui
