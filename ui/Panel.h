// A panel (window class "QvPanel"): a container with raised or lowered
// bevels, an optional single-line border, a colour and a caption drawn in the
// middle. Its controls sit on top of the caption.
#pragma once

#include "ui/Frame.h"
#include "ui/Label.h"

namespace ui {

enum class TBevelCut { None, Lowered, Raised };

struct TPanelParams : TFrameParams {
  using TFrameParams::TFrameParams;
  TBevelCut BevelOuter = TBevelCut::Raised;
  TBevelCut BevelInner = TBevelCut::None;
  int BevelWidth = 1;
  bool SingleBorder = false;  // a plain line around the panel (outside the bevels)
  TAlignment Alignment = TAlignment::Center;
  COLORREF FontColor = CLR_INVALID;
};

class TPanel : public TFrame {
 public:
  using TParams = TPanelParams;
  bool Create(const TPanelParams& p);

  TBevelCut BevelOuter() const { return outer_; }
  TBevelCut BevelInner() const { return inner_; }
  int BevelWidth() const { return width_; }
  void SetBevel(TBevelCut outer, TBevelCut inner, int width);
  void SetSingleBorder(bool on);
  void SetFontColor(COLORREF color);
  // The client area inside the bevels, where the caption is drawn.
  RECT InnerRect() const;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;

 private:
  TBevelCut outer_ = TBevelCut::Raised, inner_ = TBevelCut::None;
  int width_ = 1;
  TAlignment alignment_ = TAlignment::Center;
  COLORREF fontColor_ = CLR_INVALID;
};

// Draws width one-pixel frames inward from r: topLeft on the top and left
// edges, bottomRight on the others; r ends inside them.
void Frame3D(HDC dc, RECT& r, COLORREF topLeft, COLORREF bottomRight, int width);

}  // namespace ui
