#include "ui/Window.h"

#include "ui/Application.h"
#include "ui/ErrorHandler.h"

namespace ui {

TWindow::~TWindow() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
}

bool TWindow::Create(const TCreateParams& p) {
  if (hwnd_ || !p.ClassName) return false;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExA(instance, p.ClassName, &existing)) {
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
  HWND hwnd = CreateWindowExA(p.ExStyle, p.ClassName, p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                              p.Parent, nullptr, instance, this);
  return hwnd != nullptr && hwnd == hwnd_;
}

void TWindow::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

TWindow* TWindow::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  if (reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC)) != &TWindow::StaticWndProc) return nullptr;
  return reinterpret_cast<TWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void TWindow::Show() { if (hwnd_) ShowWindow(hwnd_, SW_SHOW); }
void TWindow::Hide() { if (hwnd_) ShowWindow(hwnd_, SW_HIDE); }
bool TWindow::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
void TWindow::Close() { if (hwnd_) SendMessageA(hwnd_, WM_CLOSE, 0, 0); }

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
      return 0;
    case WM_DESTROY:
      if (OnDestroy) OnDestroy();
      return 0;
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
      if (app && app->MainForm() == this) app->Terminate();
      else Hide();
      return 0;
    }
    case WM_COMMAND:
      if (OnCommand && OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  // An exception ends here; the message then counts as handled (result 0),
  // except that a window being made is made all the same.
  LRESULT fallback = msg == WM_NCCREATE ? TRUE : 0;
  LRESULT result = Guarded("TWindow.WndProc", [&] { return self->WndProc(msg, wParam, lParam); }, fallback);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
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
