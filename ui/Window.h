// The window base of the GUI layer. A TWindow owns one HWND of a class the layer
// registers; the object is bound to the HWND at WM_NCCREATE (from the creation
// parameters) and every message goes through WndProc, inside the layer's one
// exception barrier (ui/ErrorHandler.h). Messages become typed events named
// like form events (OnCreate, OnShow, OnCloseQuery...); a derived window can
// also override WndProc and call the base for what it does not handle. What no
// event handles goes to the default window procedure.
//
// Destroy order, in ~TWindow: (1) stop dispatching: the HWND no longer reaches
// this object, whose derived part is already gone, so its messages go to the
// default procedure; (2) destroy the HWND (its child windows go with it). A
// derived window that wants OnDestroy to run calls Destroy() in its own
// destructor, while it is still whole. A window destroyed from outside (by its
// parent, say) gets its events up to WM_NCDESTROY and is then left without a
// handle.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace ui {

struct TCreateParams {
  const char* ClassName = nullptr;  // registered on first use with the layer's window procedure
  std::string Caption;
  DWORD Style = WS_OVERLAPPEDWINDOW;
  DWORD ExStyle = 0;
  int X = CW_USEDEFAULT, Y = CW_USEDEFAULT, Width = CW_USEDEFAULT, Height = CW_USEDEFAULT;
  HWND Parent = nullptr;  // HWND_MESSAGE for a message-only window
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
  // Asks the window to close, as the user does (WM_CLOSE).
  void Close();
  std::string Caption() const;
  void SetCaption(std::string_view text);

  // Typed events.
  std::function<void()> OnCreate;    // WM_CREATE
  std::function<void()> OnDestroy;   // WM_DESTROY
  std::function<void()> OnShow;      // WM_SHOWWINDOW, shown
  std::function<void()> OnHide;      // WM_SHOWWINDOW, hidden
  std::function<void()> OnActivate;  // WM_ACTIVATE, active
  std::function<void()> OnDeactivate;
  std::function<void()> OnResize;    // WM_SIZE
  // WM_CLOSE: OnCloseQuery may refuse; then OnClose runs and the window hides
  // (the application's main window ends the application instead).
  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void()> OnClose;
  // WM_COMMAND: control id, notification code, control; true when handled.
  std::function<bool(WORD id, WORD code, HWND control)> OnCommand;
  // Sees every message first; true (with its result) when it handled it.
  std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;

 protected:
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// A message-only window (no display, no activation, not enumerated): for
// receivers of hotkeys and timers.
class TMessageWindow : public TWindow {
 public:
  bool Create(const char* className);
};

}  // namespace ui
