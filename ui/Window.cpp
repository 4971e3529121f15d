#include "ui/Window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cstring>
#include <mutex>
#include <unordered_map>

#include "core/Data_Blocks.h"
#include "core/Handles.h"
#include "core/ScopeGuard.h"
#include "ui/ErrorHandler.h"

namespace ui {

namespace {
// Which object each window of this process is bound to, and for a subclassed
// control the procedure below ours. A window property would do as well, but
// under Wine every read of one (and the common controls' subclass chain reads
// several per message) is a round trip to the window server, and this is read
// for every message.
struct TBinding {
  TWindow* Object = nullptr;
  WNDPROC Below = nullptr;  // a subclassed control's procedure below ours
  bool Wide = false;        // ours went in with the wide functions
};

class TBindings {
 public:
  TBinding Find(HWND hwnd) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = map_.find(hwnd);
    return it == map_.end() ? TBinding() : it->second;
  }
  void Bind(HWND hwnd, TWindow* object) {
    std::lock_guard<std::mutex> lock(mutex_);
    map_[hwnd].Object = object;
  }
  void Set(HWND hwnd, const TBinding& b) {
    std::lock_guard<std::mutex> lock(mutex_);
    map_[hwnd] = b;
  }
  // Leaves a subclass in the chain forwarding only.
  void Unbind(HWND hwnd) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = map_.find(hwnd);
    if (it == map_.end()) return;
    if (it->second.Below) it->second.Object = nullptr;
    else map_.erase(it);
  }
  void Forget(HWND hwnd) {
    std::lock_guard<std::mutex> lock(mutex_);
    map_.erase(hwnd);
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, TBinding> map_;
};

TBindings& Bindings() {
  static TBindings bindings;
  return bindings;
}

LRESULT CallBelow(const TBinding& b, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!b.Below) return b.Wide ? DefWindowProcW(hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
  return b.Wide ? CallWindowProcW(b.Below, hwnd, msg, wParam, lParam) : CallWindowProcA(b.Below, hwnd, msg, wParam, lParam);
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  return s;
}

template <class E>
E MakeEvent(UINT msg, WPARAM wParam, LPARAM lParam) {
  E e;
  e.Msg = msg;
  e.WParam = wParam;
  e.LParam = lParam;
  return e;
}

TMouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return TMouseButton::Right;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return TMouseButton::Middle;
    default: return TMouseButton::Left;
  }
}

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// The control an owner-draw message is about (none for a menu's).
HWND OwnerDrawControl(HWND parent, UINT msg, LPARAM lParam) {
  switch (msg) {
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      return d && d->CtlType != ODT_MENU ? d->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      return m && m->CtlType != ODT_MENU ? GetDlgItem(parent, static_cast<int>(m->CtlID)) : nullptr;
    }
    case WM_DELETEITEM: {
      auto* d = reinterpret_cast<DELETEITEMSTRUCT*>(lParam);
      return d ? d->hwndItem : nullptr;
    }
    case WM_COMPAREITEM: {
      auto* c = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
      return c ? c->hwndItem : nullptr;
    }
  }
  return nullptr;
}

// Runs handler with an event when it is set; true (with the result) when the
// handler took the message.
template <class E, class H>
bool Fire(const H& handler, E& e, LRESULT& result) {
  if (!handler) return false;
  handler(e);
  if (!e.Handled) return false;
  result = e.Result;
  return true;
}
}  // namespace

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  return s;
}

std::string TCopyDataEvent::Text() const {
  if (!Data || Size == 0) return std::string();
  return datablock::TextUpToNul(std::string_view(static_cast<const char*>(Data), Size));
}

TWindow::~TWindow() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  Detach();
  DestroyWindow(hwnd);
}

void TWindow::Detach() {
  if (!hwnd_) return;
  if (subclassed_) {
    // Someone who subclassed the control on top of ours still calls it:
    // putting the procedure below ours back would drop theirs. Ours then
    // stays, forwarding only, and goes at WM_NCDESTROY.
    const TBinding b = Bindings().Find(hwnd_);
    if (GetWindowLongPtrA(hwnd_, GWLP_WNDPROC) == chainProc_) {
      if (b.Wide) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(b.Below));
      else SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(b.Below));
      Bindings().Forget(hwnd_);
    } else {
      Bindings().Unbind(hwnd_);
    }
    subclassed_ = false;
  } else {
    Bindings().Forget(hwnd_);
  }
  hwnd_ = nullptr;
}

bool TWindow::Create(const TCreateParams& p) {
  if (hwnd_ || !p.ClassName) return false;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA info = {};
  info.cbSize = sizeof info;
  bool known = GetClassInfoExA(instance, p.ClassName, &info) || GetClassInfoExA(nullptr, p.ClassName, &info);
  bool control = known && info.lpfnWndProc != &TWindow::StaticWndProc;
  if (!known) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = p.ClassStyle;
    wc.lpfnWndProc = &TWindow::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = p.Background;
    wc.hIcon = p.Icon;
    wc.lpszClassName = p.ClassName;
    if (!RegisterClassExA(&wc)) return false;
  }
  HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(p.Id)) : nullptr;
  HWND hwnd = CreateWindowExA(p.ExStyle, p.ClassName, p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                              p.Parent, id, instance, control ? nullptr : this);
  if (!hwnd) return false;
  if (control) {
    Subclass(hwnd);
    if (OnCreate) Guarded("TWindow.OnCreate", [&] { OnCreate(); });
  }
  if (hwnd != hwnd_) return false;
  if (p.Font) SetFont(p.Font);
  return true;
}

void TWindow::Subclass(HWND hwnd) {
  hwnd_ = hwnd;
  // The messages keep the width the control takes them in.
  TBinding b;
  b.Object = this;
  b.Wide = IsWindowUnicode(hwnd) != FALSE;
  Bindings().Set(hwnd, b);
  const LONG_PTR ours = reinterpret_cast<LONG_PTR>(&TWindow::SubclassProc);
  const LONG_PTR below = b.Wide ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, ours) : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, ours);
  subclassed_ = below != 0;
  if (!subclassed_) {
    Bindings().Forget(hwnd);
    Bindings().Bind(hwnd, this);  // bound all the same, as a window of our own
    chainProc_ = 0;
    return;
  }
  b.Below = reinterpret_cast<WNDPROC>(below);
  Bindings().Set(hwnd, b);
  chainProc_ = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
}

void TWindow::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

TWindow* TWindow::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  // Another instance of the programs binds its windows the same way; its
  // pointers mean nothing here.
  // (Only windows of this process are ever bound.)
  return Bindings().Find(hwnd).Object;
}

void TWindow::Show() { if (hwnd_) ShowWindow(hwnd_, SW_SHOW); }
void TWindow::Hide() { if (hwnd_) ShowWindow(hwnd_, SW_HIDE); }
bool TWindow::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
bool TWindow::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
void TWindow::SetEnabled(bool on) { if (hwnd_) EnableWindow(hwnd_, on ? TRUE : FALSE); }
void TWindow::SetFont(HFONT font) { if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
void TWindow::SetBounds(int x, int y, int w, int h) { if (hwnd_) MoveWindow(hwnd_, x, y, w, h, TRUE); }
void TWindow::Focus() { if (hwnd_) SetFocus(hwnd_); }
void TWindow::Invalidate() { if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE); }

RECT TWindow::Bounds() const {
  RECT r = {};
  if (!hwnd_ || !GetWindowRect(hwnd_, &r)) return r;
  if (GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD) MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE TWindow::ClientSize() const {
  RECT r = {};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return {r.right - r.left, r.bottom - r.top};
}

std::string TWindow::Caption() const {
  if (!hwnd_) return std::string();
  int n = GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(hwnd_, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

void TWindow::SetCaption(std::string_view text) {
  if (hwnd_) SetWindowTextA(hwnd_, std::string(text).c_str());
}

LRESULT TWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (subclassed_) return CallBelow(Bindings().Find(hwnd_), hwnd_, msg, wParam, lParam);
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void TWindow::ControlCommand(TCommandEvent& e) { if (OnControlCommand) OnControlCommand(e); }
void TWindow::ControlNotify(TNotifyMessageEvent& e) { if (OnControlNotify) OnControlNotify(e); }
void TWindow::ControlColor(TCtlColorEvent& e) { if (OnControlColor) OnControlColor(e); }
void TWindow::ControlScroll(TScrollEvent& e) { if (OnControlScroll) OnControlScroll(e); }

bool TWindow::Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  auto childOf = [this](HWND h) -> TWindow* {
    TWindow* child = h ? FromHandle(h) : nullptr;
    return child != this ? child : nullptr;
  };
  auto take = [&result](const TMessageEvent& e) {
    if (e.Handled) result = e.Result;
    return e.Handled;
  };
  if (msg == WM_COMMAND) {
    TWindow* child = childOf(reinterpret_cast<HWND>(lParam));
    if (!child) return false;
    auto e = MakeEvent<TCommandEvent>(msg, wParam, lParam);
    e.Id = LOWORD(wParam);
    e.Code = HIWORD(wParam);
    e.Control = reinterpret_cast<HWND>(lParam);
    child->ControlCommand(e);
    return take(e);
  }
  if (msg == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    TWindow* child = header ? childOf(header->hwndFrom) : nullptr;
    if (!child) return false;
    auto e = MakeEvent<TNotifyMessageEvent>(msg, wParam, lParam);
    e.Header = header;
    child->ControlNotify(e);
    return take(e);
  }
  if (IsCtlColor(msg)) {
    TWindow* child = childOf(reinterpret_cast<HWND>(lParam));
    if (!child) return false;
    auto e = MakeEvent<TCtlColorEvent>(msg, wParam, lParam);
    e.DC = reinterpret_cast<HDC>(wParam);
    e.Control = reinterpret_cast<HWND>(lParam);
    child->ControlColor(e);
    return take(e);
  }
  if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
    TWindow* child = childOf(reinterpret_cast<HWND>(lParam));
    if (!child) return false;
    auto e = MakeEvent<TScrollEvent>(msg, wParam, lParam);
    e.Code = LOWORD(wParam);
    e.Pos = static_cast<short>(HIWORD(wParam));
    e.Control = reinterpret_cast<HWND>(lParam);
    e.Vertical = msg == WM_VSCROLL;
    child->ControlScroll(e);
    return take(e);
  }
  if (msg == WM_DRAWITEM || msg == WM_MEASUREITEM || msg == WM_DELETEITEM || msg == WM_COMPAREITEM) {
    TWindow* child = childOf(OwnerDrawControl(hwnd_, msg, lParam));
    if (!child) return false;
    auto e = MakeEvent<TMessageEvent>(msg, wParam, lParam);
    child->ControlMessage(e);
    return take(e);
  }
  return false;
}

LRESULT TWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnMessage) {
    auto e = MakeEvent<TMessageEvent>(msg, wParam, lParam);
    if (Fire(OnMessage, e, result)) return result;
  }
  switch (msg) {
    case WM_CREATE:
      if (OnCreate) OnCreate();
      break;
    case WM_DESTROY:
      if (OnDestroy) OnDestroy();
      break;
    case WM_SHOWWINDOW:
      if (wParam && OnShow) OnShow();
      if (!wParam && OnHide) OnHide();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && OnActivate) OnActivate();
      if (LOWORD(wParam) == WA_INACTIVE && OnDeactivate) OnDeactivate();
      break;
    case WM_SIZE: {
      auto e = MakeEvent<TSizeEvent>(msg, wParam, lParam);
      e.Kind = static_cast<UINT>(wParam);
      e.Width = LOWORD(lParam);
      e.Height = HIWORD(lParam);
      if (Fire(OnResize, e, result)) return result;
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      auto e = MakeEvent<TFocusEvent>(msg, wParam, lParam);
      e.Other = reinterpret_cast<HWND>(wParam);
      if (Fire(msg == WM_SETFOCUS ? OnSetFocus : OnKillFocus, e, result)) return result;
      break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
      auto& handler = down ? OnKeyDown : OnKeyUp;
      if (!handler) break;
      auto e = MakeEvent<TKeyEvent>(msg, wParam, lParam);
      e.Key = static_cast<WORD>(wParam);
      e.Shift = KeyboardShiftState();
      e.System = msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP;
      handler(e);
      if (e.Handled || e.Key == 0) return e.Result;
      wParam = e.Key;
      break;
    }
    case WM_CHAR: {
      if (!OnKeyPress) break;
      auto e = MakeEvent<TKeyPressEvent>(msg, wParam, lParam);
      e.Key = static_cast<char>(wParam);
      OnKeyPress(e);
      if (e.Handled || e.Key == 0) return e.Result;
      wParam = static_cast<unsigned char>(e.Key);
      break;
    }
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE: {
      const auto& handler = msg == WM_MOUSEMOVE ? OnMouseMove
                            : (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) ? OnMouseDown
                            : (msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP)       ? OnMouseUp
                                                                                                          : OnDblClick;
      auto e = MakeEvent<TMouseEvent>(msg, wParam, lParam);
      e.Button = ButtonOf(msg);
      e.Shift = MouseShiftState(wParam);
      e.X = GET_X_LPARAM(lParam);
      e.Y = GET_Y_LPARAM(lParam);
      if (Fire(handler, e, result)) return result;
      break;
    }
    case WM_PAINT: {
      if (!OnPaint || subclassed_) break;  // a control paints itself
      core::TPaintDC dc(hwnd_);
      auto e = MakeEvent<TPaintEvent>(msg, wParam, lParam);
      e.DC = dc.get();
      e.Update = dc.Area();
      OnPaint(e);
      return 0;
    }
    case WM_ERASEBKGND: {
      auto e = MakeEvent<TEraseEvent>(msg, wParam, lParam);
      e.DC = reinterpret_cast<HDC>(wParam);
      if (Fire(OnEraseBackground, e, result)) return result;
      break;
    }
    case WM_SETCURSOR: {
      auto e = MakeEvent<TSetCursorEvent>(msg, wParam, lParam);
      e.Window = reinterpret_cast<HWND>(wParam);
      e.HitTest = static_cast<short>(LOWORD(lParam));
      e.MouseMsg = HIWORD(lParam);
      if (Fire(OnSetCursor, e, result)) return result;
      break;
    }
    case WM_NCHITTEST: {
      if (!OnHitTest) break;
      auto e = MakeEvent<THitTestEvent>(msg, wParam, lParam);
      e.X = GET_X_LPARAM(lParam);
      e.Y = GET_Y_LPARAM(lParam);
      e.HitTest = static_cast<int>(DefaultProc(msg, wParam, lParam));
      OnHitTest(e);
      return e.HitTest;
    }
    case WM_SYSCOMMAND: {
      auto e = MakeEvent<TSysCommandEvent>(msg, wParam, lParam);
      e.Command = static_cast<UINT>(wParam & 0xFFF0);
      e.X = GET_X_LPARAM(lParam);
      e.Y = GET_Y_LPARAM(lParam);
      if (Fire(OnSysCommand, e, result)) return result;
      break;
    }
    case WM_COMMAND: {
      auto e = MakeEvent<TCommandEvent>(msg, wParam, lParam);
      e.Id = LOWORD(wParam);
      e.Code = HIWORD(wParam);
      e.Control = reinterpret_cast<HWND>(lParam);
      if (Fire(OnCommand, e, result)) return result;
      break;
    }
    case WM_NOTIFY: {
      auto e = MakeEvent<TNotifyMessageEvent>(msg, wParam, lParam);
      e.Header = reinterpret_cast<NMHDR*>(lParam);
      if (Fire(OnNotify, e, result)) return result;
      break;
    }
    case WM_COPYDATA: {
      if (!OnCopyData) break;
      auto e = MakeEvent<TCopyDataEvent>(msg, wParam, lParam);
      e.Sender = reinterpret_cast<HWND>(wParam);
      if (const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam)) {
        e.DataWord = data->dwData;
        e.Data = data->lpData;
        e.Size = data->lpData ? data->cbData : 0;
      }
      if (Fire(OnCopyData, e, result)) return result;
      break;
    }
    case WM_DROPFILES: {
      if (!OnDropFiles) break;
      auto drop = reinterpret_cast<HDROP>(wParam);
      auto finish = core::ScopeExit([drop] { DragFinish(drop); });
      auto e = MakeEvent<TDropFilesEvent>(msg, wParam, lParam);
      UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        UINT n = DragQueryFileA(drop, i, nullptr, 0);
        std::string name(n + 1, '\0');
        n = DragQueryFileA(drop, i, name.data(), n + 1);
        name.resize(n);
        e.Files.push_back(std::move(name));
      }
      DragQueryPoint(drop, &e.Point);
      OnDropFiles(e);
      return e.Result;
    }
    case WM_QUERYENDSESSION: {
      auto e = MakeEvent<TQueryEndSessionEvent>(msg, wParam, lParam);
      e.LogOff = (lParam & ENDSESSION_LOGOFF) != 0;
      if (Fire(OnQueryEndSession, e, result)) return result;
      break;
    }
    case WM_CONTEXTMENU: {
      auto e = MakeEvent<TContextMenuEvent>(msg, wParam, lParam);
      e.Window = reinterpret_cast<HWND>(wParam);
      e.X = GET_X_LPARAM(lParam);
      e.Y = GET_Y_LPARAM(lParam);
      if (Fire(OnContextMenu, e, result)) return result;
      break;
    }
    case WM_TIMER: {
      auto e = MakeEvent<TTimerEvent>(msg, wParam, lParam);
      e.Id = wParam;
      if (Fire(OnTimer, e, result)) return result;
      break;
    }
    case WM_WINDOWPOSCHANGING: {
      auto e = MakeEvent<TWindowPosEvent>(msg, wParam, lParam);
      e.Pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (Fire(OnWindowPosChanging, e, result)) return result;
      break;
    }
    case WM_INITMENUPOPUP: {
      auto e = MakeEvent<TInitMenuPopupEvent>(msg, wParam, lParam);
      e.Menu = reinterpret_cast<HMENU>(wParam);
      e.Index = LOWORD(lParam);
      e.WindowMenu = HIWORD(lParam) != 0;
      if (Fire(OnInitMenuPopup, e, result)) return result;
      break;
    }
    default:
      if (IsCtlColor(msg)) {
        auto e = MakeEvent<TCtlColorEvent>(msg, wParam, lParam);
        e.DC = reinterpret_cast<HDC>(wParam);
        e.Control = reinterpret_cast<HWND>(lParam);
        if (Fire(OnCtlColor, e, result)) return result;
      }
      break;
  }
  if (Unhandled(msg, wParam, lParam, result)) return result;
  if (Reflect(msg, wParam, lParam, result)) return result;
  return DefaultProc(msg, wParam, lParam);
}

LRESULT TWindow::Dispatch(TWindow* self, UINT msg, WPARAM wParam, LPARAM lParam) {
  // An exception ends here; the message then counts as handled (result 0),
  // except that a window being made is made all the same.
  LRESULT fallback = msg == WM_NCCREATE ? TRUE : 0;
  HWND hwnd = self->hwnd_;
  LRESULT result = Guarded("TWindow.WndProc", [&] { return self->WndProc(msg, wParam, lParam); }, fallback);
  if (msg == WM_NCDESTROY) {
    if (Bindings().Find(hwnd).Object == self) self->Detach();
    Bindings().Forget(hwnd);  // no message comes after this one
  }
  return result;
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      Bindings().Bind(hwnd, self);
    }
  }
  TWindow* self = FromHandle(hwnd);
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return Dispatch(self, msg, wParam, lParam);
}

LRESULT CALLBACK TWindow::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const TBinding b = Bindings().Find(hwnd);
  if (b.Object && b.Object->hwnd_ == hwnd) return Dispatch(b.Object, msg, wParam, lParam);
  // Detached while another subclass sits on top of ours: only forward.
  LRESULT result = CallBelow(b, hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) Bindings().Forget(hwnd);
  return result;
}

bool TMessageWindow::Create(const char* className) {
  TCreateParams p;
  p.ClassName = className;
  p.Style = 0;
  p.X = p.Y = p.Width = p.Height = 0;
  p.Parent = HWND_MESSAGE;
  p.Background = nullptr;
  return TWindow::Create(p);
}

}  // namespace ui
