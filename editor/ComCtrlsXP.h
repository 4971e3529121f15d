// A page of a page control that draws its body with the platform's visual
// styles (theme class "TAB", part 10, state 0), so that the controls on it
// show the themed page through: while themed, the children's WM_CTLCOLORBTN
// and WM_CTLCOLORSTATIC get the page's background drawn into their device
// context and the null brush. Without visual styles, or when the theme cannot
// draw, it is the layer's tab sheet. The theme handle is opened when the
// window is made, closed when it goes and opened again on WM_THEMECHANGED.
#pragma once

#include <windows.h>

#include "core/UxThemeRT.h"
#include "ui/PageControl.h"

class TXPTabSheet : public ui::TTabSheet {
 public:
  bool Create(const TParams& p);

  HTHEME Theme() const { return theme_.get(); }
  bool Themed() const { return Handle() && theme_.Themed(); }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // The themed body over the client area; false when the theme did not draw.
  bool DrawBody(HDC dc);
  TThemeHandle theme_;
};
