// The window base of the GUI layer. A TWindow owns one HWND. For a class of its
// own (any class name not known yet is registered with the layer's window
// procedure) the object is bound to the HWND at WM_NCCREATE, from the creation
// parameters. For a class of the system or another module ("EDIT", "LISTBOX",
// WC_TREEVIEWA...) the control is made and then subclassed (its window
// procedure replaced by the layer's, in the width the control takes messages
// in): its messages reach this object first and the procedure below ours (the
// control's own, or a subclass chain) is the default procedure. Either way every message goes through WndProc inside the
// layer's one exception barrier (ui/ErrorHandler.h).
//
// Messages become typed events (ui/Events.h), each taking one struct with the
// message's fields and Handled/Result; OnMessage sees every message first. What
// no event handles goes to the default procedure. A control class may override
// WndProc for its own workings; a window in a program needs the events only.
//
// Reflection: a parent hands a control's WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*,
// WM_HSCROLL / WM_VSCROLL and owner-draw messages to the control (its
// Control... methods) when its own event did not handle them, so a control
// class keeps its notifications to itself.
//
// Destroy order, in ~TWindow: (1) stop dispatching: the HWND no longer reaches
// this object, whose derived part is already gone; (2) remove the subclass of a
// control (left in place, forwarding only, when someone subclassed it on top of
// ours); (3) destroy the HWND, its child windows with
// it. A derived window that wants OnDestroy to run calls Destroy() in its own
// destructor, while it is still whole. A window destroyed from outside (by its
// parent, say) gets its events up to WM_NCDESTROY and is then left without a
// handle.
//
// Top-level behaviour (owner, modal state, closing, dialog keys) is TForm's
// (ui/Form.h); this base knows nothing of the application.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/Events.h"

namespace ui {

struct TCreateParams {
  const char* ClassName = nullptr;
  std::string Caption;
  DWORD Style = WS_OVERLAPPEDWINDOW;
  DWORD ExStyle = 0;
  int X = CW_USEDEFAULT, Y = CW_USEDEFAULT, Width = CW_USEDEFAULT, Height = CW_USEDEFAULT;
  HWND Parent = nullptr;  // the parent of a child, the owner of a top-level window; HWND_MESSAGE
  int Id = 0;             // control id of a child window
  HFONT Font = nullptr;   // sent as WM_SETFONT after creation; the caller keeps it
  // For a class the layer registers:
  UINT ClassStyle = 0;
  HBRUSH Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  HICON Icon = nullptr;
};

class TWindow {
 public:
  TWindow() = default;
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  // False when the window could not be made (or this object has one already).
  bool Create(const TCreateParams& params);
  // Destroys the HWND with the events still running.
  void Destroy();
  HWND Handle() const { return hwnd_; }
  // The object bound to a window of the layer, or none.
  static TWindow* FromHandle(HWND hwnd);

  void Show();
  void Hide();
  bool Visible() const;
  bool Enabled() const;
  void SetEnabled(bool on);
  std::string Caption() const;
  void SetCaption(std::string_view text);
  void SetFont(HFONT font);
  void SetBounds(int x, int y, int width, int height);
  // The window's rectangle in its parent's client area (the screen for a
  // top-level window), and its client area's size.
  RECT Bounds() const;
  SIZE ClientSize() const;
  void Focus();
  bool Focused() const { return hwnd_ && GetFocus() == hwnd_; }
  void Invalidate();

  // Notifications.
  std::function<void()> OnCreate;    // WM_CREATE; a control's right after it is subclassed
  std::function<void()> OnDestroy;   // WM_DESTROY
  std::function<void()> OnShow;      // WM_SHOWWINDOW, shown
  std::function<void()> OnHide;      // WM_SHOWWINDOW, hidden
  std::function<void()> OnActivate;  // WM_ACTIVATE, active
  std::function<void()> OnDeactivate;

  // Message events (ui/Events.h).
  std::function<void(TMessageEvent&)> OnMessage;  // every message, first
  std::function<void(TSizeEvent&)> OnResize;
  std::function<void(TFocusEvent&)> OnSetFocus;
  std::function<void(TFocusEvent&)> OnKillFocus;
  std::function<void(TKeyEvent&)> OnKeyDown;
  std::function<void(TKeyEvent&)> OnKeyUp;
  std::function<void(TKeyPressEvent&)> OnKeyPress;
  std::function<void(TMouseEvent&)> OnMouseDown;
  std::function<void(TMouseEvent&)> OnMouseUp;
  std::function<void(TMouseEvent&)> OnMouseMove;
  std::function<void(TMouseEvent&)> OnDblClick;
  std::function<void(TPaintEvent&)> OnPaint;  // windows of the layer's own classes
  std::function<void(TEraseEvent&)> OnEraseBackground;
  std::function<void(TCtlColorEvent&)> OnCtlColor;  // a child's colours
  std::function<void(TSetCursorEvent&)> OnSetCursor;
  std::function<void(THitTestEvent&)> OnHitTest;
  std::function<void(TSysCommandEvent&)> OnSysCommand;
  std::function<void(TCommandEvent&)> OnCommand;  // menus, accelerators and children
  std::function<void(TNotifyMessageEvent&)> OnNotify;  // children's WM_NOTIFY
  std::function<void(TCopyDataEvent&)> OnCopyData;
  std::function<void(TDropFilesEvent&)> OnDropFiles;  // needs DragAcceptFiles
  std::function<void(TQueryEndSessionEvent&)> OnQueryEndSession;
  std::function<void(TContextMenuEvent&)> OnContextMenu;
  std::function<void(TTimerEvent&)> OnTimer;
  std::function<void(TWindowPosEvent&)> OnWindowPosChanging;
  std::function<void(TInitMenuPopupEvent&)> OnInitMenuPopup;

  // This control's reflected notifications, for plain TWindow controls
  // (control classes override the Control... methods instead).
  std::function<void(TCommandEvent&)> OnControlCommand;
  std::function<void(TNotifyMessageEvent&)> OnControlNotify;
  std::function<void(TCtlColorEvent&)> OnControlColor;
  std::function<void(TScrollEvent&)> OnControlScroll;

 protected:
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The rest of the subclass chain for a control, else DefWindowProcA.
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
  bool Subclassed() const { return subclassed_; }

  // Reflected from the parent, when the parent's own event left the message.
  virtual void ControlCommand(TCommandEvent& e);
  virtual void ControlNotify(TNotifyMessageEvent& e);
  virtual void ControlColor(TCtlColorEvent& e);
  virtual void ControlScroll(TScrollEvent& e);
  // WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM, WM_COMPAREITEM.
  virtual void ControlMessage(TMessageEvent& e) { (void)e; }

  // What a derived window does with a message that OnMessage and the
  // message's own event left, before reflection and the default procedure;
  // true (with the result) when it took it. The window base takes none.
  virtual bool Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)msg, (void)wParam, (void)lParam, (void)result;
    return false;
  }

  // Stops dispatching to this object and removes the subclass, leaving the
  // HWND (step 1 and 2 of the destroy order).
  void Detach();

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT Dispatch(TWindow* self, UINT msg, WPARAM wParam, LPARAM lParam);
  void Subclass(HWND hwnd);
  bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  HWND hwnd_ = nullptr;
  bool subclassed_ = false;
  LONG_PTR chainProc_ = 0;  // the window procedure once our subclass was in
};

// A message-only window (no display, no activation, not enumerated): for
// receivers of hotkeys and timers.
class TMessageWindow : public TWindow {
 public:
  bool Create(const char* className);
};

}  // namespace ui
