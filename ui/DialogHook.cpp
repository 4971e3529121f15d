#include "ui/DialogHook.h"

#include <stdexcept>

#include "ui/ErrorHandler.h"
#include "ui/Window.h"

namespace ui {

namespace {
TDialogHook* g_hook = nullptr;
constexpr UINT kDialogMet = WM_APP + 0x3270;
}  // namespace

TDialogHook::TDialogHook(std::function<void(HWND dialog)> onDialog) : onDialog_(std::move(onDialog)) {
  if (g_hook) throw std::logic_error("TDialogHook: one at a time");
  receiver_ = std::make_unique<TMessageWindow>();
  receiver_->OnMessage = [this](TMessageEvent& e) {
    if (e.Msg != kDialogMet) return;
    e.Answer(0);
    HWND dialog = reinterpret_cast<HWND>(e.WParam);
    ++count_;
    if (IsWindow(dialog) && onDialog_) {
      auto handler = onDialog_;
      handler(dialog);
    }
  };
  receiver_->Create("QvDialogHook");
  hook_ = SetWindowsHookExA(WH_CBT, &TDialogHook::HookProc, nullptr, GetCurrentThreadId());
  g_hook = this;
}

TDialogHook::~TDialogHook() {
  if (hook_) UnhookWindowsHookEx(hook_);
  g_hook = nullptr;
}

LRESULT CALLBACK TDialogHook::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_hook) {
    auto dialog = reinterpret_cast<HWND>(wParam);
    char cls[16] = {};
    GetClassNameA(dialog, cls, sizeof cls);
    // Handed over later, from the dialog's loop: inside the hook the dialog
    // is not active yet, and a test that ends it there would end it twice.
    if (lstrcmpA(cls, "#32770") == 0 && g_hook->seen_.insert(dialog).second)
      PostMessageA(g_hook->receiver_->Handle(), kDialogMet, reinterpret_cast<WPARAM>(dialog), 0);
  }
  // A later window may get the same handle.
  if (code == HCBT_DESTROYWND && g_hook) g_hook->seen_.erase(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace ui
