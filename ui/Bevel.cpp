#include "ui/Bevel.h"

#include "core/Handles.h"

namespace ui {

namespace {
// The width of the edges: a box is one pixel of each colour, the etched
// frame and lines two.
constexpr int kEdge = 2;
}  // namespace

bool TBevel::Create(const TBevelParams& p) {
  shape_ = p.Shape;
  style_ = p.BevelStyle;
  TControlParams c = p;
  c.Background = nullptr;
  c.ClassStyle = CS_HREDRAW | CS_VREDRAW;
  if (!CreateControl(c, "QvBevel", WS_CLIPSIBLINGS)) return false;
  // Beneath its siblings, so that it never paints over them.
  SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  UpdateRegion();
  return true;
}

void TBevel::SetShape(TBevelShape shape, TBevelStyle style) {
  shape_ = shape;
  style_ = style;
  UpdateRegion();
  Invalidate();
}

void TBevel::UpdateRegion() {
  if (!Handle()) return;
  RECT r = ClientRect();
  if (shape_ != TBevelShape::Box && shape_ != TBevelShape::Frame && shape_ != TBevelShape::Spacer) {
    SetWindowRgn(Handle(), nullptr, TRUE);
    return;
  }
  HRGN outer = CreateRectRgn(0, 0, r.right, r.bottom);
  if (r.right > 2 * kEdge && r.bottom > 2 * kEdge) {
    HRGN inner = CreateRectRgn(kEdge, kEdge, r.right - kEdge, r.bottom - kEdge);
    CombineRgn(outer, outer, inner, RGN_DIFF);
    DeleteObject(inner);
  }
  if (shape_ == TBevelShape::Spacer) SetRectRgn(outer, 0, 0, 0, 0);
  SetWindowRgn(Handle(), outer, TRUE);  // the window owns the region now
}

void TBevel::Paint(HDC dc) {
  RECT r = ClientRect();
  FillRect(dc, &r, ParentBackground(Handle(), dc));
  bool lowered = style_ == TBevelStyle::Lowered;
  switch (shape_) {
    case TBevelShape::Box:
      DrawEdge(dc, &r, lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      break;
    case TBevelShape::Frame:
      DrawEdge(dc, &r, lowered ? EDGE_ETCHED : EDGE_BUMP, BF_RECT);
      break;
    case TBevelShape::TopLine:
      DrawEdge(dc, &r, lowered ? EDGE_ETCHED : EDGE_BUMP, BF_TOP);
      break;
    case TBevelShape::BottomLine: {
      RECT l = {r.left, r.bottom - kEdge, r.right, r.bottom};
      DrawEdge(dc, &l, lowered ? EDGE_ETCHED : EDGE_BUMP, BF_TOP);
      break;
    }
    case TBevelShape::LeftLine:
      DrawEdge(dc, &r, lowered ? EDGE_ETCHED : EDGE_BUMP, BF_LEFT);
      break;
    case TBevelShape::RightLine: {
      RECT l = {r.right - kEdge, r.top, r.right, r.bottom};
      DrawEdge(dc, &l, lowered ? EDGE_ETCHED : EDGE_BUMP, BF_LEFT);
      break;
    }
    case TBevelShape::Spacer:
      break;
  }
}

LRESULT TBevel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_SIZE:
      UpdateRegion();
      break;
  }
  return TDrawnControl::WndProc(msg, wParam, lParam);
}

}  // namespace ui
