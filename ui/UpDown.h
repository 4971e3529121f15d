// An up-down control of the common controls (msctls_updown32): two arrows
// that step a position held to Min..Max by Increment, optionally wrapping
// round. With an associated text box it stands at the box's right edge and
// shows the position in it. OnChanging may refuse a step the user makes;
// OnClick fires after the position has changed (up: towards Max).
#pragma once

#include <climits>
#include <functional>

#include "ui/Control.h"

namespace ui {

struct TUpDownParams : TControlParams {
  TUpDownParams() { Style = WS_VISIBLE; Width = 16; Height = 22; }
  int Min = 0;
  int Max = 100;
  int Position = 0;
  int Increment = 1;
  bool Wrap = false;
  bool Horizontal = false;
  HWND Associate = nullptr;  // the text box that shows the position
  bool ArrowKeys = true;     // the arrow keys in the text box step too
};

class TUpDown : public TControl {
 public:
  using TParams = TUpDownParams;
  bool Create(const TUpDownParams& p);

  std::function<void(int newPosition, bool& allow)> OnChanging;
  std::function<void(bool up)> OnClick;

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Position() const;
  void SetPosition(int position);  // held to the range; the text box follows
  int Increment() const { return increment_; }
  void SetIncrement(int increment);
  HWND Associate() const;
  void SetAssociate(HWND edit);
  // Where a step from a position lands, as the control steps.
  int StepFrom(int position, int delta) const;

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;

 private:
  int min_ = 0, max_ = 100, increment_ = 1;
  bool wrap_ = false;
};

}  // namespace ui
