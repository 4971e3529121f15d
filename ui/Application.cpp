#include "ui/Application.h"

#include <commctrl.h>

#include <stdexcept>

#include "core/AppEvents.h"
#include "core/AppFlags.h"
#include "core/ScopeGuard.h"
#include "ui/ErrorHandler.h"
#include "ui/Form.h"
#include "ui/HotKeyHost.h"

namespace ui {

namespace {
TApplication* g_current = nullptr;
}

TApplication* TApplication::Current() { return g_current; }

TApplication::TApplication() {
  if (g_current) throw std::logic_error("TApplication: one application object at a time");
  g_current = this;
  app::SetTerminated(false);
  // The common controls' window classes, for windows that make controls.
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  TCreateParams p;
  p.ClassName = "QvApplication";
  p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  p.X = p.Y = p.Width = p.Height = 0;
  appWindow_.Create(p);
  app::SetApplicationWindow(appWindow_.Handle());
  app::SetMessagePump([this] { ProcessMessages(); });
  hotKeys_ = std::make_unique<THotKeyHost>(*this);
}

// The hotkeys go first (they unregister through the hidden window), then the
// application window; the terminate flag stays as the loop left it.
TApplication::~TApplication() {
  hotKeys_.reset();
  app::SetMessagePump(nullptr);
  app::SetApplicationWindow(nullptr);
  appWindow_.Destroy();
  g_current = nullptr;
}

LRESULT TApplication::TAppWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  TApplication* app = TApplication::Current();
  if (msg == WM_ACTIVATEAPP && app) app->ActivateApp(wParam != 0);
  if (msg == WM_SYSCOMMAND && app && ((wParam & 0xFFF0) == SC_MINIMIZE || (wParam & 0xFFF0) == SC_RESTORE)) {
    if ((wParam & 0xFFF0) == SC_MINIMIZE) app->Minimize();
    else app->Restore();
    return 0;
  }
  if (msg != WM_CLOSE) return TWindow::WndProc(msg, wParam, lParam);
  if (app && app->MainForm()) app->MainForm()->Close();
  else if (app) app->Terminate();
  return 0;
}

void TApplication::SetTitle(std::string_view title) {
  title_ = title;
  appWindow_.SetCaption(title_);
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::Run() {
  while (!terminated_) HandleMessageOrIdle();
}

void TApplication::HandleMessageOrIdle() {
  Guarded("TApplication.Run", [&] {
    if (!HandleMessage()) Idle();
  });
}

void TApplication::RunModalLoop(TForm& form, const std::function<bool()>& done) {
  modalForms_.push_back(&form);
  auto pop = core::ScopeExit([this] { modalForms_.pop_back(); });
  bool reported = false;
  while (!terminated_ && !done()) {
    Guarded("TApplication.RunModal", [&] {
      if (HandleMessage()) return;
      if (!reported) {
        // Shown, activated and painted: a test can drive it now.
        reported = true;
        OnModal(form);
        return;
      }
      Idle();
    });
  }
}

bool TApplication::HandleMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    app::SetTerminated(true);
    return true;
  }
  // The listeners of the loop run here, outside any window procedure: they
  // get the same barrier.
  Guarded("TApplication.ProcessMessage", [&] { ProcessMessage(msg); });
  return true;
}

void TApplication::ProcessMessages() {
  while (!terminated_ && HandleMessage()) {
  }
}

void TApplication::ProcessMessage(MSG& msg) {
  bool handled = false;
  OnMessage(msg, handled);
  if (handled) return;
  if (IsShortCut(msg)) return;
  if (IsDialogKey(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

bool TApplication::IsShortCut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  // Only while a window of this program is the active one.
  if (!msg.hwnd || GetWindowThreadProcessId(msg.hwnd, nullptr) != GetCurrentThreadId() || !GetActiveWindow())
    return false;
  WORD shortCut = ShortCutFromKey(static_cast<WORD>(msg.wParam));
  // The form may be freed by what its action runs: nothing of it after.
  if (TForm* form = TForm::ActiveForm())
    if (form->IsShortCut(shortCut)) return true;
  bool handled = false;
  OnShortCut(shortCut, handled);
  return handled;
}

bool TApplication::IsDialogKey(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  TForm* form = TForm::FormOf(root);
  return form && form->DialogNavigation && IsDialogMessageA(root, &msg);
}

void TApplication::Idle() {
  bool done = true;
  OnIdle(done);
  if (done && !terminated_) WaitMessage();
}

void TApplication::ActivateApp(bool active) {
  if (active == active_) return;
  active_ = active;
  if (active) {
    OnActivate();
  } else {
    OnDeactivate();
    app::RaiseDeactivated();  // core's listeners (the caches)
  }
}

void TApplication::Minimize() {
  if (minimized_) return;
  minimized_ = true;
  if (IsWindowVisible(Handle())) ShowWindow(Handle(), SW_MINIMIZE);
  OnMinimize();
}

void TApplication::Restore() {
  if (!minimized_) return;
  minimized_ = false;
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  OnRestore();
}

WORD ShortCutFromKey(WORD virtualKey) {
  WORD sc = virtualKey & 0xFF;
  if (GetKeyState(VK_SHIFT) < 0) sc |= 0x2000;
  if (GetKeyState(VK_CONTROL) < 0) sc |= 0x4000;
  if (GetKeyState(VK_MENU) < 0) sc |= 0x8000;
  return sc;
}

}  // namespace ui
