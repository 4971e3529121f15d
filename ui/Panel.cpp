#include "ui/Panel.h"

namespace ui {

void Frame3D(HDC dc, RECT& r, COLORREF topLeft, COLORREF bottomRight, int width) {
  for (int i = 0; i < width && r.right - r.left > 1 && r.bottom - r.top > 1; ++i) {
    auto line = [&](int x, int y, int w, int h, COLORREF c) {
      RECT l = {x, y, x + w, y + h};
      SetBkColor(dc, c);
      ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &l, nullptr, 0, nullptr);
    };
    line(r.left, r.top, r.right - r.left - 1, 1, topLeft);
    line(r.left, r.top, 1, r.bottom - r.top - 1, topLeft);
    line(r.left, r.bottom - 1, r.right - r.left, 1, bottomRight);
    line(r.right - 1, r.top, 1, r.bottom - r.top, bottomRight);
    InflateRect(&r, -1, -1);
  }
}

namespace {
void DrawCut(HDC dc, RECT& r, TBevelCut cut, int width) {
  if (cut == TBevelCut::None) return;
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  if (cut == TBevelCut::Raised) Frame3D(dc, r, light, dark, width);
  else Frame3D(dc, r, dark, light, width);
}
}  // namespace

bool TPanel::Create(const TPanelParams& p) {
  outer_ = p.BevelOuter;
  inner_ = p.BevelInner;
  width_ = p.BevelWidth > 0 ? p.BevelWidth : 1;
  alignment_ = p.Alignment;
  fontColor_ = p.FontColor;
  TFrameParams c = p;
  if (p.SingleBorder) c.Style |= WS_BORDER;
  return CreateContainer(c, "QvPanel", CS_HREDRAW | CS_VREDRAW);
}

void TPanel::SetBevel(TBevelCut outer, TBevelCut inner, int width) {
  outer_ = outer;
  inner_ = inner;
  width_ = width > 0 ? width : 1;
  Invalidate();
}

void TPanel::SetSingleBorder(bool on) {
  if (!Handle()) return;
  LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  SetWindowLongA(Handle(), GWL_STYLE, on ? style | WS_BORDER : style & ~WS_BORDER);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Invalidate();
}

void TPanel::SetFontColor(COLORREF color) {
  fontColor_ = color;
  Invalidate();
}

RECT TPanel::InnerRect() const {
  RECT r = ClientRect();
  int inset = (outer_ != TBevelCut::None ? width_ : 0) + (inner_ != TBevelCut::None ? width_ : 0);
  InflateRect(&r, -inset, -inset);
  return r;
}

void TPanel::Paint(HDC dc) {
  RECT r = ClientRect();
  DrawCut(dc, r, outer_, width_);
  DrawCut(dc, r, inner_, width_);
  std::string text = WindowText(Handle());
  if (text.empty()) return;
  ParentBackground(Handle(), dc);  // the parent's text colour
  if (fontColor_ != CLR_INVALID) SetTextColor(dc, fontColor_);
  SetBkMode(dc, TRANSPARENT);
  core::TSelectObject font(dc, font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  UINT align = alignment_ == TAlignment::Center ? DT_CENTER : alignment_ == TAlignment::Right ? DT_RIGHT : DT_LEFT;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, align | DT_VCENTER | DT_SINGLELINE);
}

LRESULT TPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTEXT) {
    LRESULT r = TFrame::WndProc(msg, wParam, lParam);
    Invalidate();
    return r;
  }
  return TFrame::WndProc(msg, wParam, lParam);
}

}  // namespace ui
