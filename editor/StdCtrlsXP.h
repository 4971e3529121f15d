// Group boxes that draw themselves with the platform's visual styles, so that
// a group box on a themed page shows the page's background and the theme's
// frame and caption. Without visual styles (no library, styles off) they are
// the layer's group box and radio group as they are.
//
// TXPGroupControl holds what TXPGroupBox and TXPRadioGroup (ExtCtrlsXP.h)
// share: the theme handle of the window (class "BUTTON"), opened when the
// window is made, closed when it goes and opened again on WM_THEMECHANGED;
// while themed, the children's WM_CTLCOLORBTN and WM_CTLCOLORSTATIC are
// answered with the parent's themed background drawn into the child's device
// context and the null brush, the background is the parent's, and the frame
// (part 4, state 1, or 2 when disabled) and caption are the theme's.
#pragma once

#include <windows.h>

#include <string>

#include "core/UxThemeRT.h"
#include "ui/GroupBox.h"

// Where a themed group box draws, for a text height and caption width: the
// frame runs under the middle of the caption line, and the caption (padded
// by 8 when it has text) stands 8 pixels in from the left (the right for
// right-to-left reading).
struct TGroupBoxGeometry {
  RECT Frame = {};
  RECT Caption = {};
};
TGroupBoxGeometry GroupBoxGeometry(int textHeight, int captionWidth, bool hasCaption, int width, int height,
                                   bool rightToLeft);

// Paints a group box window with a theme into dc. False when a theme call
// failed: the caller paints it classically.
bool PaintThemedGroupBox(HWND box, HDC dc, HTHEME theme, HFONT font);

// The answer of a themed container to a child's colour request: the
// container's own background drawn into the child's device context, and the
// null brush so the child draws nothing over it.
LRESULT ThemedChildBackground(HWND child, HDC childDC);

template <class TBase>
class TXPGroupControl : public TBase {
 public:
  using typename TBase::TParams;

  bool Create(const TParams& p) {
    if (!TBase::Create(p)) return false;
    theme_.Open(this->Handle(), L"BUTTON");
    return true;
  }

  HTHEME Theme() const { return theme_.get(); }
  bool Themed() const { return this->Handle() && theme_.Themed(); }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_DESTROY:
        theme_.Close();
        break;
      case WM_THEMECHANGED:
        // The system's button opens its own data again too.
        TBase::WndProc(msg, wParam, lParam);
        theme_.Open(this->Handle(), L"BUTTON");
        return 0;
      case WM_PAINT:
        if (ThemedWithParent()) {
          PAINTSTRUCT ps;
          HDC dc = BeginPaint(this->Handle(), &ps);
          Paint(dc);
          EndPaint(this->Handle(), &ps);
          return 0;
        }
        break;
      case WM_PRINTCLIENT:
        if (ThemedWithParent()) {
          Paint(reinterpret_cast<HDC>(wParam));
          return 0;
        }
        break;
    }
    return TBase::WndProc(msg, wParam, lParam);
  }

  bool Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (Themed()) {
      if (msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORSTATIC) {
        result = ThemedChildBackground(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
        return true;
      }
      if (msg == WM_ERASEBKGND && this->ParentHandle()) {
        auto dc = reinterpret_cast<HDC>(wParam);
        RECT r = this->ClientRect();
        FillRect(dc, &r, ui::ParentBackground(this->Handle(), dc));
        result = 1;
        return true;
      }
    }
    return TBase::Unhandled(msg, wParam, lParam, result);
  }

 private:
  bool ThemedWithParent() const { return Themed() && this->ParentHandle(); }
  void Paint(HDC dc) {
    if (!PaintThemedGroupBox(this->Handle(), dc, theme_.get(), this->Font()))
      this->DefaultProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  }

  TThemeHandle theme_;
};

class TXPGroupBox : public TXPGroupControl<ui::TGroupBox> {};
