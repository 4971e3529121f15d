// A push button of the system class "BUTTON", with an optional picture (a
// bitmap or an icon that the button owns) beside or instead of its caption.
// Which button is the default or the cancel button of its form, and which
// modal result a button gives, the form decides.
#pragma once

#include "ui/Control.h"
#include "core/Handles.h"

#include <functional>

namespace ui {

struct TButtonParams : TControlParams {
  using TControlParams::TControlParams;
};

class TButton : public TControl {
 public:
  using TParams = TButtonParams;
  bool Create(const TButtonParams& p);

  std::function<void()> OnClick;

  // Presses the button as a click does (its OnClick runs).
  void Click();

  // The button shows the picture and keeps it until another one replaces it.
  void SetPicture(core::TUniqueBitmap bitmap);
  void SetPicture(core::TUniqueIcon icon);
  void ClearPicture();
  HBITMAP PictureBitmap() const { return bitmap_.get(); }
  HICON PictureIcon() const { return icon_.get(); }

 protected:
  void CommandNotify(WORD code) override;
  virtual void DoClick();

 private:
  core::TUniqueBitmap bitmap_;
  core::TUniqueIcon icon_;
};

}  // namespace ui
