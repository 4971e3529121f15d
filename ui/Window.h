// The window base of the GUI layer. A TWindow owns one HWND. For a class of its
// own (any class name not known yet is registered with the layer's window
// procedure) the object is bound to the HWND at WM_NCCREATE, from the creation
// parameters. For a class of the system or another module ("EDIT", "LISTBOX",
// WC_TREEVIEWA...) the control is made and then subclassed: its messages reach
// this object first and its own procedure is the default procedure. Either way
// every message goes through WndProc inside the layer's one exception barrier
// (ui/ErrorHandler.h).
//
// Messages become typed events named like form events (OnCreate, OnShow,
// OnCloseQuery, OnKeyDown...); a derived window can also override WndProc and
// call the base for what it does not handle. What no event handles goes to the
// default procedure. A parent hands a control's WM_COMMAND and WM_NOTIFY on to
// the control's OnCommandNotify and OnNotify when its own OnCommand did not
// take them.
//
// Destroy order, in ~TWindow: (1) stop dispatching: the HWND no longer reaches
// this object, whose derived part is already gone; (2) remove the subclass of a
// control (left in place, forwarding only, when someone subclassed it on top of
// ours); (3) destroy the HWND, its child windows with it. A derived window that
// wants OnDestroy to run calls Destroy() in its own destructor, while it is
// still whole. A window destroyed from outside (by its parent, say) gets its
// events up to WM_NCDESTROY and is then left without a handle.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace ui {

struct TCreateParams {
  const char* ClassName = nullptr;
  std::string Caption;
  DWORD Style = WS_OVERLAPPEDWINDOW;
  DWORD ExStyle = 0;
  int X = CW_USEDEFAULT, Y = CW_USEDEFAULT, Width = CW_USEDEFAULT, Height = CW_USEDEFAULT;
  HWND Parent = nullptr;  // HWND_MESSAGE for a message-only window
  int Id = 0;             // control id of a child window
  HFONT Font = nullptr;   // sent as WM_SETFONT after creation; the caller keeps it
  // For a class the layer registers:
  UINT ClassStyle = 0;
  HBRUSH Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  HICON Icon = nullptr;
};

// Modifier keys (and, for mouse events, buttons) down, as events report them.
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;
TShiftState KeyboardShiftState();

enum class TMouseButton { Left, Right, Middle };

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
  // Shows the window modally: every other enabled top-level window of the
  // thread is disabled, and the application's loop runs until SetModalResult
  // (or closing, which gives IDCANCEL) ends it or the application terminates
  // (0). The window is hidden again and the others enabled before it returns.
  int ShowModal();
  void SetModalResult(int result) { modalResult_ = result; }
  int ModalResult() const { return modalResult_; }
  // Tab, the arrow keys, Enter and Esc move between the controls and press the
  // default and cancel buttons, as in a dialog box (IsDialogMessage).
  bool DialogNavigation = false;

  void SetFont(HFONT font);
  void SetBounds(int x, int y, int width, int height);
  void Focus();

  // Typed events.
  std::function<void()> OnCreate;    // WM_CREATE; a control's right after it is subclassed
  std::function<void()> OnDestroy;   // WM_DESTROY
  std::function<void()> OnShow;      // WM_SHOWWINDOW, shown
  std::function<void()> OnHide;      // WM_SHOWWINDOW, hidden
  std::function<void()> OnActivate;  // WM_ACTIVATE, active
  std::function<void()> OnDeactivate;
  std::function<void()> OnResize;    // WM_SIZE
  // WM_CLOSE: OnCloseQuery may refuse; then OnClose runs and the window hides
  // (a modal one ends with IDCANCEL; the application's main window ends the
  // application instead).
  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void()> OnClose;
  // WM_KEYDOWN / WM_SYSKEYDOWN and WM_KEYUP / WM_SYSKEYUP: setting key to 0
  // keeps the key from the default procedure.
  std::function<void(WORD& key, TShiftState shift)> OnKeyDown;
  std::function<void(WORD& key, TShiftState shift)> OnKeyUp;
  // WM_CHAR (one byte; a double-byte character comes as two): setting key to
  // 0 swallows it, another value is passed on instead.
  std::function<void(char& key)> OnKeyPress;
  // Mouse messages in client coordinates.
  std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;
  std::function<void(TShiftState shift, int x, int y)> OnMouseMove;
  std::function<void()> OnDblClick;  // left button
  // WM_PAINT, between BeginPaint and EndPaint.
  std::function<void(HDC dc, const RECT& update)> OnPaint;
  // WM_COMMAND: control id, notification code, control; true when handled.
  std::function<bool(WORD id, WORD code, HWND control)> OnCommand;
  // This control's notifications, handed on by its parent: WM_COMMAND's code,
  // and WM_NOTIFY (true, with the result, when handled).
  std::function<void(WORD code)> OnCommandNotify;
  std::function<bool(NMHDR& header, LRESULT& result)> OnNotify;
  // Sees every message first; true (with its result) when it handled it.
  std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;

 protected:
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The class's own procedure for a control, else DefWindowProcA.
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT Dispatch(TWindow* self, UINT msg, WPARAM wParam, LPARAM lParam);
  void Subclass(HWND hwnd);
  void Detach();

  HWND hwnd_ = nullptr;
  WNDPROC oldProc_ = nullptr;  // set for a subclassed control
  int modalResult_ = 0;
  bool inModal_ = false;
};

// A message-only window (no display, no activation, not enumerated): for
// receivers of hotkeys and timers.
class TMessageWindow : public TWindow {
 public:
  bool Create(const char* className);
};

}  // namespace ui
