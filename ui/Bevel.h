// A bevel (window class "QvBevel"): a sunken or raised box, an etched frame
// or an etched line, drawn over the controls it surrounds without covering
// them: the window is only its lines (a window region), and clicks go through
// it to what lies beneath.
#pragma once

#include "ui/Control.h"

namespace ui {

enum class TBevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
enum class TBevelStyle { Lowered, Raised };

struct TBevelParams : TControlParams {
  TBevelParams() { Style = WS_VISIBLE; }
  TBevelParams(HWND parent, int x, int y, int width, int height) : TControlParams(parent, "", x, y, width, height) {
    Style = WS_VISIBLE;
  }
  TBevelShape Shape = TBevelShape::Box;
  TBevelStyle BevelStyle = TBevelStyle::Lowered;
};

class TBevel : public TDrawnControl {
 public:
  using TParams = TBevelParams;
  bool Create(const TBevelParams& p);
  TBevelShape Shape() const { return shape_; }
  TBevelStyle Style() const { return style_; }
  void SetShape(TBevelShape shape, TBevelStyle style);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;

 private:
  void UpdateRegion();
  TBevelShape shape_ = TBevelShape::Box;
  TBevelStyle style_ = TBevelStyle::Lowered;
};

}  // namespace ui
