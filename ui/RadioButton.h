// A radio button of the system class "BUTTON". The radio buttons of one
// parent form one group, up to a control with WS_GROUP: checking one, by a
// click, the arrow keys or from code, unchecks the others of its group. Only
// the checked button of a group is a tab stop, as in a dialog box.
#pragma once

#include "ui/Control.h"

#include <functional>

namespace ui {

struct TRadioButtonParams : TControlParams {
  using TControlParams::TControlParams;
  bool Checked = false;
  bool WordWrap = false;
};

class TRadioButton : public TControl {
 public:
  using TParams = TRadioButtonParams;
  bool Create(const TRadioButtonParams& p);

  // The user checked the button (a click, Space, or the arrow keys of a dialog).
  std::function<void()> OnClick;

  bool Checked() const;
  void SetChecked(bool on);

 protected:
  void CommandNotify(WORD code) override;
  virtual void Click();
};

}  // namespace ui
