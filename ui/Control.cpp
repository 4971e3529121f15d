#include "ui/Control.h"

namespace ui {

TControl::TControl() {
  OnCommandNotify = [this](WORD code) { CommandNotify(code); };
  OnNotify = [this](NMHDR& header, LRESULT& result) { return Notify(header, result); };
}

bool TControl::CreateControl(const TControlParams& p, const char* className, DWORD kindStyle, DWORD kindExStyle) {
  TCreateParams c = p;
  c.ClassName = className;
  c.Style = p.Style | WS_CHILD | kindStyle;
  c.ExStyle = p.ExStyle | kindExStyle;
  if (!c.Parent) return false;
  return Create(c);
}

bool TControl::Enabled() const { return Handle() && IsWindowEnabled(Handle()); }
void TControl::SetEnabled(bool on) { if (Handle()) EnableWindow(Handle(), on ? TRUE : FALSE); }
bool TControl::Focused() const { return Handle() && GetFocus() == Handle(); }

RECT TControl::BoundsRect() const {
  RECT r = {};
  if (!Handle()) return r;
  GetWindowRect(Handle(), &r);
  if (HWND parent = GetParent(Handle())) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int TControl::Width() const {
  RECT r = BoundsRect();
  return r.right - r.left;
}

int TControl::Height() const {
  RECT r = BoundsRect();
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

void TControl::Invalidate() {
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
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
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

HBRUSH ParentBackground(HWND child, HDC dc) {
  HWND parent = child ? GetParent(child) : nullptr;
  HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                                reinterpret_cast<LPARAM>(child)))
                        : nullptr;
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace ui
