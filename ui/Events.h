// The typed message events of the window base (ui/Window.h). Every event of a
// message takes one struct: the message as it came (Msg, WParam, LParam), its
// fields unpacked, and what the handler decides. A handler that sets Handled
// keeps the message from the default procedure, and the window answers Result.
// A handler that leaves Handled alone lets the default procedure run (with the
// fields a struct allows to change, such as a key, put back into the message).
// Notifications without fields of their own (OnCreate, OnShow, OnActivate...)
// take no struct.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

// Modifier keys (and, for mouse events, buttons) down, as events report them.
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;
TShiftState KeyboardShiftState();

enum class TMouseButton { Left, Right, Middle };

struct TMessageEvent {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  bool Handled = false;
  LRESULT Result = 0;
  void Answer(LRESULT result) {
    Handled = true;
    Result = result;
  }
};

// WM_xBUTTONDOWN / UP / DBLCLK and WM_MOUSEMOVE, in client coordinates. Button
// is Left for a move.
struct TMouseEvent : TMessageEvent {
  TMouseButton Button = TMouseButton::Left;
  TShiftState Shift = 0;
  int X = 0, Y = 0;
};

// WM_KEYDOWN / WM_SYSKEYDOWN and WM_KEYUP / WM_SYSKEYUP. Setting Key to 0 keeps
// the key from the default procedure as Handled does; another key is passed on
// in its place.
struct TKeyEvent : TMessageEvent {
  WORD Key = 0;
  TShiftState Shift = 0;
  bool System = false;  // the SYS variant (Alt held, or F10)
};

// WM_CHAR, one byte (a double-byte character comes as two). Key 0 swallows it,
// another byte is passed on in its place.
struct TKeyPressEvent : TMessageEvent {
  char Key = 0;
};

// WM_PAINT of a window of the layer's own class: DC is the paint DC, between
// BeginPaint and EndPaint, which the layer calls.
struct TPaintEvent : TMessageEvent {
  HDC DC = nullptr;
  RECT Update = {};
};

// WM_ERASEBKGND. Handled with Result 1 says the background is erased.
struct TEraseEvent : TMessageEvent {
  HDC DC = nullptr;
};

// WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLORLISTBOX...:
// the parent's OnCtlColor, then the control's own ControlColor. SetBrush
// answers with the brush (which the caller keeps alive).
struct TCtlColorEvent : TMessageEvent {
  HDC DC = nullptr;
  HWND Control = nullptr;
  void SetBrush(HBRUSH brush) { Answer(reinterpret_cast<LRESULT>(brush)); }
};

// WM_SETCURSOR. SetCursor shows the cursor and answers that it is set.
struct TSetCursorEvent : TMessageEvent {
  HWND Window = nullptr;  // the window under the pointer
  int HitTest = 0;        // HTCLIENT...
  UINT MouseMsg = 0;      // the mouse message that caused it, 0 for a move of a window
  void SetCursor(HCURSOR cursor) {
    ::SetCursor(cursor);
    Answer(TRUE);
  }
};

// WM_NCHITTEST. HitTest starts as the default procedure's answer; the window
// answers what the handler leaves there (Handled does not matter).
struct THitTestEvent : TMessageEvent {
  int X = 0, Y = 0;  // screen coordinates
  int HitTest = HTNOWHERE;
};

// WM_SYSCOMMAND. Command is the command without its low four bits (SC_MINIMIZE...).
struct TSysCommandEvent : TMessageEvent {
  UINT Command = 0;
  int X = 0, Y = 0;  // screen coordinates, for a command chosen with the mouse
};

// WM_COMMAND. Code is 0 for a menu and 1 for an accelerator, with no Control.
struct TCommandEvent : TMessageEvent {
  WORD Id = 0;
  WORD Code = 0;
  HWND Control = nullptr;
  bool FromMenu() const { return Control == nullptr && Code == 0; }
};

// WM_NOTIFY.
struct TNotifyMessageEvent : TMessageEvent {
  NMHDR* Header = nullptr;
};

// WM_HSCROLL / WM_VSCROLL from a control (a track bar, an up-down), handed to
// the control.
struct TScrollEvent : TMessageEvent {
  int Code = 0;  // SB_xxx / TB_xxx
  int Pos = 0;   // for SB_THUMBPOSITION and SB_THUMBTRACK
  HWND Control = nullptr;
  bool Vertical = false;
};

// WM_COPYDATA. The data belong to the sender and live only while the handler
// runs. Handled with Result TRUE says it was taken.
struct TCopyDataEvent : TMessageEvent {
  HWND Sender = nullptr;  // the window wParam names
  ULONG_PTR DataWord = 0;
  const void* Data = nullptr;
  DWORD Size = 0;
  bool HasData() const { return LParam != 0; }
  // The bytes up to the first zero byte (all of them without one).
  std::string Text() const;
};

// WM_DROPFILES. The layer reads the names before the handler and finishes the
// drop after it.
struct TDropFilesEvent : TMessageEvent {
  std::vector<std::string> Files;
  POINT Point = {0, 0};  // client coordinates of the drop
};

// WM_QUERYENDSESSION: the session is about to end (a log-off when LogOff).
// Answer TRUE to let it end; left alone, the default procedure says TRUE.
struct TQueryEndSessionEvent : TMessageEvent {
  bool LogOff = false;
};

// WM_CONTEXTMENU. From the keyboard (Shift+F10, the menu key) X and Y are -1.
struct TContextMenuEvent : TMessageEvent {
  HWND Window = nullptr;  // the window clicked, this one or a child
  int X = 0, Y = 0;       // screen coordinates
  bool FromKeyboard() const { return X == -1 && Y == -1; }
};

// WM_TIMER of a timer set on this window (ui::TTimer has windows of its own).
struct TTimerEvent : TMessageEvent {
  UINT_PTR Id = 0;
};

// WM_SETFOCUS and WM_KILLFOCUS. Other is the window that lost the focus (to
// OnSetFocus) or that gets it (to OnKillFocus); either may be none. A control
// of the system wants the message too: leave Handled alone for one.
struct TFocusEvent : TMessageEvent {
  HWND Other = nullptr;
};

// WM_SIZE.
struct TSizeEvent : TMessageEvent {
  UINT Kind = SIZE_RESTORED;  // SIZE_MINIMIZED, SIZE_MAXIMIZED...
  int Width = 0, Height = 0;  // the client area
};

// WM_WINDOWPOSCHANGING: the handler may change Pos.
struct TWindowPosEvent : TMessageEvent {
  WINDOWPOS* Pos = nullptr;
};

// WM_INITMENUPOPUP.
struct TInitMenuPopupEvent : TMessageEvent {
  HMENU Menu = nullptr;
  int Index = 0;
  bool WindowMenu = false;  // the system menu
};

}  // namespace ui
