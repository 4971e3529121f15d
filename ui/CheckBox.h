// A check box of the system class "BUTTON" that checks itself when clicked.
// With AllowGrayed a click goes round unchecked, checked, grayed. A caption
// with a line break wraps onto several lines.
#pragma once

#include "ui/Control.h"

#include <functional>

namespace ui {

enum class TCheckBoxState { Unchecked = BST_UNCHECKED, Checked = BST_CHECKED, Grayed = BST_INDETERMINATE };

struct TCheckBoxParams : TControlParams {
  using TControlParams::TControlParams;
  bool Checked = false;
  bool AllowGrayed = false;
  bool LeftText = false;  // the box right of the caption
  bool WordWrap = false;
};

class TCheckBox : public TControl {
 public:
  using TParams = TCheckBoxParams;
  bool Create(const TCheckBoxParams& p);

  // The user clicked the box (or pressed Space on it); the state has changed.
  std::function<void()> OnClick;

  bool Checked() const { return State() == TCheckBoxState::Checked; }
  void SetChecked(bool on) { SetState(on ? TCheckBoxState::Checked : TCheckBoxState::Unchecked); }
  TCheckBoxState State() const;
  void SetState(TCheckBoxState state);
  bool AllowGrayed() const;
  void SetAllowGrayed(bool on);

 protected:
  void CommandNotify(WORD code) override;
  virtual void Click();
};

// True when a caption needs the multi-line style of a button.
bool HasLineBreak(std::string_view caption);

}  // namespace ui
