#include "ui/Frame.h"

namespace ui {

bool IsChildColorMessage(UINT msg) {
  return msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN || msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX ||
         msg == WM_CTLCOLORSCROLLBAR || msg == WM_CTLCOLORDLG;
}

LRESULT ContainerChildColor(HWND container, HBRUSH ownBrush, COLORREF ownColor, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Edit boxes and lists keep the window colour whatever lies behind them.
  bool background = msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORDLG;
  if (ownBrush && background) {
    SetBkColor(reinterpret_cast<HDC>(wParam), ownColor);
    return reinterpret_cast<LRESULT>(ownBrush);
  }
  HWND parent = GetParent(container);
  if (parent) return SendMessageA(parent, msg, wParam, lParam);
  return DefWindowProcA(container, msg, wParam, lParam);
}

bool TFrame::Create(const TFrameParams& p) { return CreateContainer(p, "QvFrame"); }

bool TFrame::CreateContainer(const TFrameParams& p, const char* className, UINT classStyle) {
  SetColor(p.Color);
  TFrameParams c = p;
  c.Background = nullptr;  // erased by WM_ERASEBKGND
  c.ClassStyle = classStyle;
  return CreateControl(c, className, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

void TFrame::SetColor(COLORREF color) {
  color_ = color;
  brush_.reset(color == CLR_INVALID ? nullptr : CreateSolidBrush(color));
  if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TFrame::PaintBackground(HDC dc) {
  RECT r = ClientRect();
  FillRect(dc, &r, brush_ ? brush_.get() : ParentBackground(Handle(), dc));
}

LRESULT TFrame::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (IsChildColorMessage(msg)) return ContainerChildColor(Handle(), brush_.get(), color_, msg, wParam, lParam);
  switch (msg) {
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PRINTCLIENT:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) Invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
  }
  return TControl::WndProc(msg, wParam, lParam);
}

}  // namespace ui
