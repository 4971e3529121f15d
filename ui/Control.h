// The base of the layer's controls: a child window made from a creation
// struct, with what every control shares (bounds, font) and one place where
// the notifications its parent hands on arrive.
//
// Creation: a control's Create takes its creation struct (its TParams,
// derived from TControlParams); the control fills in the window class and
// adds WS_CHILD and the style bits of its kind to the caller's Style, which
// holds only the general bits (WS_VISIBLE, WS_TABSTOP, WS_GROUP, WS_DISABLED,
// WS_BORDER...). A layout row (ui/Layout.h) adds its style the same way.
//
// Events: a control fires its typed events for what the control itself
// reports. Setting a value from code fires only what the system control
// reports for such a change (an edit's text, a tree's or list view's
// selection), so a form that fills its controls sees the same events that it
// would see from the system's controls.
//
// Containers (frame, panel, group box, page control) pass their children's
// notifications and colour requests on to their own parent, so that the form
// sees every control's WM_COMMAND (modal results, linked actions, OnCommand)
// and hands it to the control once. A control's background (WM_CTLCOLORSTATIC
// and WM_CTLCOLORBTN) is, unless its OnControlColor or the form's OnCtlColor
// answers, that of the nearest container with a colour of its own.
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
  int Left() const { return Bounds().left; }
  int Top() const { return Bounds().top; }
  int Width() const;
  int Height() const;
  RECT ClientRect() const;
  HWND ParentHandle() const { return Handle() ? GetParent(Handle()) : nullptr; }
  void SetVisible(bool on) { on ? Show() : Hide(); }

  // The font of the control (the GUI font when none was set).
  HFONT Font() const;

 protected:
  // Makes the window of the class with the kind's own style bits added to the
  // caller's. False when it could not be made.
  bool CreateControl(const TControlParams& p, const char* className, DWORD kindStyle, DWORD kindExStyle = 0);

  // WM_COMMAND's notification code and WM_NOTIFY, handed on by the parent;
  // Notify answers true (with the result) when it took the notification.
  virtual void CommandNotify(WORD code) { (void)code; }
  virtual bool Notify(NMHDR& header, LRESULT& result) { (void)header; (void)result; return false; }
  // The brush a container gives the controls inside it (null: none of its own).
  virtual HBRUSH ChildBackground(COLORREF& color) const { (void)color; return nullptr; }
  // For containers: passes a child's notification or colour request on to the
  // parent; true (with the parent's answer) when it did.
  bool PassToParent(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  void ControlCommand(TCommandEvent& e) override;
  void ControlNotify(TNotifyMessageEvent& e) override;
  void ControlColor(TCtlColorEvent& e) override;
};

// A control the layer draws itself (label, bevel, frame, panel, tab sheet):
// its face is Paint's and its background EraseBackground's. WM_ERASEBKGND
// erases (after the window's OnEraseBackground), WM_PAINT paints the face
// (then OnPaint runs on the same paint DC) and WM_PRINTCLIENT draws both into
// the DC it brings, which no erase message precedes.
class TDrawnControl : public TControl {
 protected:
  virtual void Paint(HDC dc) { (void)dc; }
  // Fills the background; false when the face covers it all, so that nothing
  // is erased first and nothing flickers.
  virtual bool EraseBackground(HDC dc) {
    (void)dc;
    return false;
  }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// An id that no child of parent has (0x8000 and up).
int FreeControlId(HWND parent);
// The text of a window, and the height of a line of text in a font.
std::string WindowText(HWND hwnd);
int LineHeight(HFONT font);
// The innermost control of the layer under a screen point, searching from a
// window down: while the window has a visible child at the point (disabled
// children and containers included), go into that child. The start itself
// when none of its children is there.
TWindow* FindControlAt(POINT screenPoint, TWindow& start);
// The brush a parent answers for a child's WM_CTLCOLORSTATIC, in the child's
// device context (which then holds the parent's text colour): what a static
// text shows through.
HBRUSH ParentBackground(HWND child, HDC dc);

}  // namespace ui
