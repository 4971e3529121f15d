#include "ui/Frame.h"

namespace ui {

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

HBRUSH TFrame::ChildBackground(COLORREF& color) const {
  color = color_;
  return brush_.get();
}

bool TFrame::EraseBackground(HDC dc) {
  RECT r = ClientRect();
  FillRect(dc, &r, brush_ ? brush_.get() : ParentBackground(Handle(), dc));
  return true;
}

LRESULT TFrame::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) Invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
  }
  return TDrawnControl::WndProc(msg, wParam, lParam);
}

bool TFrame::Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (TDrawnControl::Unhandled(msg, wParam, lParam, result)) return true;
  return PassToParent(msg, wParam, lParam, result);
}

}  // namespace ui
