// A text box for a whole number with an up-down control at its right edge.
// The value is held to Min..Max: Value() reads the typed text within the
// range, and when the box loses the focus its text is corrected to it. Only
// digits (and "-" when Min is negative) can be typed. The arrows and the
// arrow keys step by Increment. The default range is every int ("no bounds").
// The width given at creation holds the box and the arrows; afterwards the
// window's bounds are the box's (as a layout reads and sets them) and the
// arrows stand beside it, hidden, shown and enabled with it.
#pragma once

#include <climits>

#include "ui/Control.h"
#include "ui/Edit.h"
#include "ui/UpDown.h"

namespace ui {

struct TSpinEditParams : TControlParams {
  using TControlParams::TControlParams;
  int Min = INT_MIN;
  int Max = INT_MAX;
  int Value = 0;
  int Increment = 1;
};

class TSpinEdit : public TEdit {
 public:
  using TParams = TSpinEditParams;
  bool Create(const TSpinEditParams& p);

  int Value() const;
  void SetValue(int value);
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Increment() const { return upDown_.Increment(); }
  void SetIncrement(int increment) { upDown_.SetIncrement(increment); }
  TUpDown& UpDown() { return upDown_; }

 protected:
  void KeyPress(char& key) override;
  void DoExit() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Realign();
  int min_ = INT_MIN, max_ = INT_MAX;
  TUpDown upDown_;
  bool aligning_ = false;
  // Where the arrows stood against the box once made: left of the box's
  // right edge, above its top, taller than it.
  int arrowsDx_ = 0, arrowsDy_ = 0, arrowsDh_ = 0;
};

// The number a text holds, held to min..max; a text that is no whole number
// gives 0 held to the range.
int SpinValueOf(std::string_view text, int min, int max);

}  // namespace ui
