// The base of the layer's controls: a child window made from a creation
// struct, with the properties every control shares (enabled, bounds, font,
// focus) and one place where the notifications its parent hands on arrive.
//
// Creation: a control's Create takes its own creation struct, derived from
// TControlParams; the control fills in the window class and adds WS_CHILD and
// the style bits of its kind to the caller's Style, which holds only the
// general bits (WS_VISIBLE, WS_TABSTOP, WS_GROUP, WS_DISABLED, WS_BORDER...).
//
// Events: a control fires its typed events for what the control itself
// reports. Setting a value from code fires only what the system control
// reports for such a change (an edit's text, a tree's or list view's
// selection), so a form that fills its controls sees the same events that it
// would see from the system's controls.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/Window.h"

namespace ui {

struct TControlParams : TCreateParams {
  TControlParams() {
    Style = WS_VISIBLE | WS_TABSTOP;
    X = 0; Y = 0; Width = 75; Height = 25;
  }
  TControlParams(HWND parent, std::string caption, int x, int y, int width, int height) : TControlParams() {
    Parent = parent;
    Caption = std::move(caption);
    X = x; Y = y; Width = width; Height = height;
  }
};

class TControl : public TWindow {
 public:
  bool Enabled() const;
  void SetEnabled(bool on);
  void SetVisible(bool on) { on ? Show() : Hide(); }
  bool Focused() const;

  // In the parent's client coordinates.
  RECT BoundsRect() const;
  int Left() const { return BoundsRect().left; }
  int Top() const { return BoundsRect().top; }
  int Width() const;
  int Height() const;
  RECT ClientRect() const;
  HWND ParentHandle() const { return Handle() ? GetParent(Handle()) : nullptr; }

  // The font of the control (the GUI font when none was set).
  HFONT Font() const;
  void Invalidate();

 protected:
  TControl();
  // Makes the window of the class with the kind's own style bits added to the
  // caller's. False when it could not be made.
  bool CreateControl(const TControlParams& p, const char* className, DWORD kindStyle, DWORD kindExStyle = 0);

  // WM_COMMAND's notification code and WM_NOTIFY, handed on by the parent.
  virtual void CommandNotify(WORD code) { (void)code; }
  virtual bool Notify(NMHDR& header, LRESULT& result) { (void)header; (void)result; return false; }
};

// The text of a window, and the height of a line of text in a font.
std::string WindowText(HWND hwnd);
int LineHeight(HFONT font);
// The brush and colours a parent answers for a child's WM_CTLCOLORSTATIC, in
// the child's device context (what a static text shows through).
HBRUSH ParentBackground(HWND child, HDC dc);

}  // namespace ui
