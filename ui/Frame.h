// A plain container (window class "QvFrame"): a child window that holds
// other controls, for a group of controls made and moved together; the base
// of the panel and of the page of a page control. Tab in a form with dialog
// navigation goes through its controls (WS_EX_CONTROLPARENT); their
// notifications go on to the form (ui/Control.h). It shows its parent's
// background unless it has a colour of its own, which its controls then show
// through.
#pragma once

#include "ui/Control.h"
#include "core/Handles.h"

namespace ui {

struct TFrameParams : TControlParams {
  TFrameParams() { Style = WS_VISIBLE; }
  TFrameParams(HWND parent, std::string caption, int x, int y, int width, int height)
      : TControlParams(parent, std::move(caption), x, y, width, height) {
    Style = WS_VISIBLE;
  }
  COLORREF Color = CLR_INVALID;  // CLR_INVALID: the parent's background
};

class TFrame : public TDrawnControl {
 public:
  using TParams = TFrameParams;
  bool Create(const TFrameParams& p);

  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);

 protected:
  bool CreateContainer(const TFrameParams& p, const char* className, UINT classStyle = 0);
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  HBRUSH ChildBackground(COLORREF& color) const override;
  // Fills the client area with the frame's background.
  bool EraseBackground(HDC dc) override;
  HFONT font_ = nullptr;  // set by WM_SETFONT; the caller keeps it

 private:
  COLORREF color_ = CLR_INVALID;
  core::TUniqueBrush brush_;
};

}  // namespace ui
