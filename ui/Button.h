// A push button of the system class "BUTTON", with an optional picture (a
// bitmap or an icon that the button owns) beside or instead of its caption.
// Default marks the button that Enter presses in its form (drawn with the
// heavier frame); Cancel and ModalResult are read by the form that owns it.
#pragma once

#include "ui/Control.h"
#include "ui/Handles.h"

#include <functional>

namespace ui {

struct TButtonParams : TControlParams {
  using TControlParams::TControlParams;
  bool Default = false;
  bool Cancel = false;
  int ModalResult = 0;  // IDOK, IDCANCEL... ends a modal form when not 0
};

class TButton : public TControl {
 public:
  bool Create(const TButtonParams& p);

  std::function<void()> OnClick;

  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Cancel = false;
  int ModalResult = 0;

  // Presses the button as a click does (its OnClick runs).
  void Click();

  // The button shows the picture and keeps it until another one replaces it.
  void SetPicture(TUniqueBitmap bitmap);
  void SetPicture(TUniqueIcon icon);
  void ClearPicture();
  HBITMAP PictureBitmap() const { return bitmap_.get(); }
  HICON PictureIcon() const { return icon_.get(); }

 protected:
  void CommandNotify(WORD code) override;
  virtual void DoClick();

 private:
  bool default_ = false;
  TUniqueBitmap bitmap_;
  TUniqueIcon icon_;
};

}  // namespace ui
