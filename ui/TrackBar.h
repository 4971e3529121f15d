// A track bar of the common controls (msctls_trackbar32): a thumb moved
// along Min..Max by the mouse (dragging, or a page at a time by clicks beside
// it), the arrow keys (LineSize), Page Up/Down (PageSize), Home and End, with
// a tick mark every Frequency. OnChange fires after the user moved it.
#pragma once

#include <functional>

#include "ui/Control.h"

namespace ui {

struct TTrackBarParams : TControlParams {
  using TControlParams::TControlParams;
  int Min = 0;
  int Max = 10;
  int Position = 0;
  int Frequency = 1;  // 0: no tick marks
  int LineSize = 1;
  int PageSize = 2;
  bool Vertical = false;
};

class TTrackBar : public TControl {
 public:
  using TParams = TTrackBarParams;
  bool Create(const TTrackBarParams& p);

  std::function<void()> OnChange;

  int Min() const;
  int Max() const;
  void SetRange(int min, int max);
  int Position() const;
  void SetPosition(int position);  // held to the range
  void SetFrequency(int frequency);
  void SetLineSize(int size);
  void SetPageSize(int size);
  // The thumb's rectangle in client coordinates.
  RECT ThumbRect() const;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  virtual void Change();

 private:
  int last_ = 0;  // the position the user last saw reported
};

}  // namespace ui
