#include "editor/ComCtrlsXP.h"

#include <vssym32.h>

#include "editor/StdCtrlsXP.h"

bool TXPTabSheet::Create(const TParams& p) {
  if (!TTabSheet::Create(p)) return false;
  theme_.Open(Handle(), L"TAB");
  return true;
}

bool TXPTabSheet::DrawBody(HDC dc) {
  const TUxThemeEntryPoints& ux = UxTheme();
  if (!ux.DrawThemeBackground) return false;
  RECT r = ClientRect();
  return SUCCEEDED(ux.DrawThemeBackground(theme_.get(), dc, TABP_BODY, 0, &r, nullptr));
}

LRESULT TXPTabSheet::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DESTROY:
      theme_.Close();
      break;
    case WM_THEMECHANGED:
      theme_.Open(Handle(), L"TAB");
      return 0;
    case WM_PAINT:
      if (Themed()) {
        core::TPaintDC dc(Handle());
        if (!DrawBody(dc.get())) EraseBackground(dc.get());
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (Themed() && DrawBody(reinterpret_cast<HDC>(wParam))) return 0;
      break;
  }
  return TTabSheet::WndProc(msg, wParam, lParam);
}

bool TXPTabSheet::Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (Themed()) {
    if (msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORSTATIC) {
      result = ThemedChildBackground(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
      return true;
    }
    if (msg == WM_ERASEBKGND && DrawBody(reinterpret_cast<HDC>(wParam))) {
      result = 1;
      return true;
    }
  }
  return TTabSheet::Unhandled(msg, wParam, lParam, result);
}
