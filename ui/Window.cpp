#include "ui/Window.h"

#include <windowsx.h>

#include <vector>

#include "ui/Application.h"
#include "ui/ErrorHandler.h"

namespace ui {

namespace {
// Window properties: the bound object, and a subclassed control's own procedure.
constexpr const char* kObjectProp = "QvWindowObject";
constexpr const char* kOldProcProp = "QvWindowOldProc";

WNDPROC OldProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOldProcProp)); }

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
}  // namespace

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  return s;
}

TWindow::~TWindow() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  Detach();
  DestroyWindow(hwnd);
}

void TWindow::Detach() {
  RemovePropA(hwnd_, kObjectProp);
  if (oldProc_) {
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC));
    if (current == &TWindow::SubclassProc) {
      SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
      RemovePropA(hwnd_, kOldProcProp);
    }
    oldProc_ = nullptr;
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
  SetPropA(hwnd, kObjectProp, this);
  oldProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWindow::SubclassProc)));
  SetPropA(hwnd, kOldProcProp, reinterpret_cast<HANDLE>(oldProc_));
}

int TWindow::ShowModal() {
  TApplication* app = TApplication::Current();
  if (!hwnd_ || !app || inModal_) return 0;
  std::vector<HWND> disabled;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&disabled));
  std::erase_if(disabled, [&](HWND w) { return w == hwnd_ || !IsWindowVisible(w) || !IsWindowEnabled(w); });
  for (HWND w : disabled) EnableWindow(w, FALSE);
  modalResult_ = 0;
  inModal_ = true;
  HWND self = hwnd_;
  Show();
  SetForegroundWindow(self);
  while (modalResult_ == 0 && IsWindow(self) && !app->Terminated()) app->HandleMessageOrIdle();
  inModal_ = false;
  // The others first, so that activation goes back to one of them.
  for (HWND w : disabled)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  if (hwnd_) Hide();
  return app->Terminated() && modalResult_ == 0 ? 0 : modalResult_;
}

void TWindow::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

TWindow* TWindow::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  // Another instance of the programs binds its windows the same way; its
  // pointers mean nothing here.
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  return static_cast<TWindow*>(GetPropA(hwnd, kObjectProp));
}

void TWindow::Show() { if (hwnd_) ShowWindow(hwnd_, SW_SHOW); }
void TWindow::Hide() { if (hwnd_) ShowWindow(hwnd_, SW_HIDE); }
bool TWindow::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
void TWindow::Close() { if (hwnd_) SendMessageA(hwnd_, WM_CLOSE, 0, 0); }
void TWindow::SetFont(HFONT font) { if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
void TWindow::SetBounds(int x, int y, int w, int h) { if (hwnd_) MoveWindow(hwnd_, x, y, w, h, TRUE); }
void TWindow::Focus() { if (hwnd_) SetFocus(hwnd_); }

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
  if (oldProc_) return CallWindowProcA(oldProc_, hwnd_, msg, wParam, lParam);
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT TWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (OnMessage) {
    LRESULT result = 0;
    if (OnMessage(msg, wParam, lParam, result)) return result;
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
    case WM_ACTIVATEAPP:
      if (TApplication* app = TApplication::Current()) app->ActivateApp(wParam != 0);
      break;
    case WM_SIZE:
      if (OnResize) OnResize();
      break;
    case WM_CLOSE: {
      bool canClose = true;
      if (OnCloseQuery) OnCloseQuery(canClose);
      if (!canClose) return 0;
      if (OnClose) OnClose();
      TApplication* app = TApplication::Current();
      if (inModal_) modalResult_ = IDCANCEL;
      else if (app && app->MainForm() == this) app->Terminate();
      else Hide();
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
      auto& handler = down ? OnKeyDown : OnKeyUp;
      if (!handler) break;
      WORD key = static_cast<WORD>(wParam);
      handler(key, KeyboardShiftState());
      if (key == 0) return 0;
      wParam = key;
      break;
    }
    case WM_CHAR: {
      if (!OnKeyPress) break;
      char key = static_cast<char>(wParam);
      OnKeyPress(key);
      if (key == 0) return 0;
      wParam = static_cast<unsigned char>(key);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      bool down = msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
      auto& handler = down ? OnMouseDown : OnMouseUp;
      if (!handler) break;
      TMouseButton button = (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP)   ? TMouseButton::Left
                            : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) ? TMouseButton::Right
                                                                             : TMouseButton::Middle;
      handler(button, MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    }
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick();
      break;
    case WM_PAINT: {
      if (!OnPaint || oldProc_) break;  // a control paints itself
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      struct TEnd { HWND h; PAINTSTRUCT* ps; ~TEnd() { EndPaint(h, ps); } } end{hwnd_, &ps};
      OnPaint(dc, ps.rcPaint);
      return 0;
    }
    case WM_COMMAND: {
      auto control = reinterpret_cast<HWND>(lParam);
      if (OnCommand && OnCommand(LOWORD(wParam), HIWORD(wParam), control)) return 0;
      TWindow* child = control ? FromHandle(control) : nullptr;
      if (child && child != this && child->OnCommandNotify) {
        child->OnCommandNotify(HIWORD(wParam));
        return 0;
      }
      break;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      TWindow* child = header ? FromHandle(header->hwndFrom) : nullptr;
      LRESULT result = 0;
      if (child && child != this && child->OnNotify && child->OnNotify(*header, result)) return result;
      break;
    }
  }
  return DefaultProc(msg, wParam, lParam);
}

LRESULT TWindow::Dispatch(TWindow* self, UINT msg, WPARAM wParam, LPARAM lParam) {
  // An exception ends here; the message then counts as handled (result 0),
  // except that a window being made is made all the same.
  LRESULT fallback = msg == WM_NCCREATE ? TRUE : 0;
  HWND hwnd = self->hwnd_;
  LRESULT result = Guarded("TWindow.WndProc", [&] { return self->WndProc(msg, wParam, lParam); }, fallback);
  if (msg == WM_NCDESTROY && GetPropA(hwnd, kObjectProp) == self) self->Detach();
  return result;
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      SetPropA(hwnd, kObjectProp, self);
    }
  }
  TWindow* self = FromHandle(hwnd);
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  return Dispatch(self, msg, wParam, lParam);
}

LRESULT CALLBACK TWindow::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* self = FromHandle(hwnd);
  if (self) return Dispatch(self, msg, wParam, lParam);
  // Detached while another subclass sits on top of ours: only forward.
  WNDPROC old = OldProcOf(hwnd);
  LRESULT result = old ? CallWindowProcA(old, hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) RemovePropA(hwnd, kOldProcProp);
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
