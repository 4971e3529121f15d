// A picture (system class "STATIC" with SS_ICON) that shows an icon it owns,
// centred in its bounds.
#pragma once

#include "core/Handles.h"
#include "ui/Control.h"

namespace ui {

struct TImageParams : TControlParams {
  TImageParams() {
    Style = WS_VISIBLE;
    Width = 32;
    Height = 32;
  }
};

class TImage : public TControl {
 public:
  using TParams = TImageParams;
  bool Create(const TImageParams& p);

  // Shows the icon (none for null) and keeps it until another replaces it.
  void SetIcon(core::TUniqueIcon icon);
  HICON Icon() const { return icon_.get(); }

 private:
  core::TUniqueIcon icon_;
};

}  // namespace ui
