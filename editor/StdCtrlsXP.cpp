#include "editor/StdCtrlsXP.h"

#include <vssym32.h>

#include "core/AnsiText.h"
#include "core/Handles.h"
#include "ui/Control.h"

TGroupBoxGeometry GroupBoxGeometry(int textHeight, int captionWidth, bool hasCaption, int width, int height,
                                   bool rightToLeft) {
  TGroupBoxGeometry g;
  g.Frame = {0, textHeight / 2 - 1, width - 1, height - 1};
  const int pad = hasCaption ? 8 : 0;
  const int left = rightToLeft ? g.Frame.right - captionWidth - 8 : 8;
  g.Caption = {left, 0, left + captionWidth + pad, textHeight};
  return g;
}

bool PaintThemedGroupBox(HWND box, HDC dc, HTHEME theme, HFONT font) {
  const TUxThemeEntryPoints& ux = UxTheme();
  if (!theme || !ux.GetThemeTextExtent || !ux.DrawThemeBackground || !ux.DrawThemeText) return false;
  const std::wstring caption = AnsiToWide(ui::WindowText(box));
  const int state = IsWindowEnabled(box) ? GBS_NORMAL : GBS_DISABLED;
  const bool rightToLeft = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  const DWORD flags = DT_CENTER | DT_SINGLELINE | (rightToLeft ? DT_RTLREADING : 0);
  core::TSelectObject selectFont(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));

  RECT extent = {};
  if (FAILED(ux.GetThemeTextExtent(theme, dc, BP_GROUPBOX, state, L"0", 1, flags, nullptr, &extent))) return false;
  const int textHeight = extent.bottom - extent.top;
  int captionWidth = 0;
  // An empty caption needs no measuring: its width is 0 and the frame unbroken.
  if (!caption.empty()) {
    if (FAILED(ux.GetThemeTextExtent(theme, dc, BP_GROUPBOX, state, caption.c_str(), static_cast<int>(caption.size()),
                                     flags, nullptr, &extent)))
      return false;
    captionWidth = extent.right - extent.left;
  }
  RECT client = {};
  GetClientRect(box, &client);
  const TGroupBoxGeometry g = GroupBoxGeometry(textHeight, captionWidth, !caption.empty(), client.right, client.bottom,
                                               rightToLeft);

  FillRect(dc, &client, ui::ParentBackground(box, dc));
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, g.Caption.left, g.Caption.top, g.Caption.right, g.Caption.bottom);
  const HRESULT drawn = ux.DrawThemeBackground(theme, dc, BP_GROUPBOX, state, &g.Frame, nullptr);
  RestoreDC(dc, saved);
  if (FAILED(drawn)) return false;
  if (!caption.empty()) {
    RECT r = g.Caption;
    ux.DrawThemeText(theme, dc, BP_GROUPBOX, state, caption.c_str(), static_cast<int>(caption.size()), flags, 0, &r);
  }
  return true;
}

LRESULT ThemedChildBackground(HWND child, HDC childDC) {
  if (IsThemeLibraryLoaded() && UxTheme().DrawThemeParentBackground)
    UxTheme().DrawThemeParentBackground(child, childDC, nullptr);
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}
