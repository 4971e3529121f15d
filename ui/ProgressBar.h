// A progress bar of the common controls (msctls_progress32) over Min..Max.
// StepIt advances by Step and stops at Max (the control itself would start
// again from Min, showing an empty bar when the work is done).
#pragma once

#include "ui/Control.h"

namespace ui {

struct TProgressBarParams : TControlParams {
  TProgressBarParams() { Style = WS_VISIBLE; Height = 17; }
  TProgressBarParams(HWND parent, int x, int y, int width, int height) : TControlParams(parent, "", x, y, width, height) {
    Style = WS_VISIBLE;
  }
  int Min = 0;
  int Max = 100;
  int Position = 0;
  int Step = 10;
  bool Smooth = false;
  bool Vertical = false;
};

class TProgressBar : public TControl {
 public:
  using TParams = TProgressBarParams;
  bool Create(const TProgressBarParams& p);

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Position() const;
  void SetPosition(int position);  // held to the range
  int Step() const { return step_; }
  void SetStep(int step) { step_ = step; }
  void StepIt() { SetPosition(Position() + step_); }
  void StepBy(int delta) { SetPosition(Position() + delta); }

 private:
  int min_ = 0, max_ = 100, step_ = 10;
};

}  // namespace ui
