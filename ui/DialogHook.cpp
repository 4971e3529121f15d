#include "ui/DialogHook.h"

#include <stdexcept>

#include "ui/ErrorHandler.h"
#include "ui/Window.h"

namespace ui {

namespace {
TDialogHook* g_hook = nullptr;
constexpr UINT_PTR kWatchTimer = 1;
}  // namespace

TDialogHook::TDialogHook(std::function<void(HWND dialog)> onDialog) : onDialog_(std::move(onDialog)) {
  if (g_hook) throw std::logic_error("TDialogHook: one at a time");
  receiver_ = std::make_unique<TMessageWindow>();
  receiver_->OnTimer = [this](TTimerEvent& e) {
    e.Answer(0);
    HandOver();
  };
  receiver_->Create("QvDialogHook");
  hook_ = SetWindowsHookExA(WH_CBT, &TDialogHook::HookProc, nullptr, GetCurrentThreadId());
  g_hook = this;
}

// A timer looks for the dialogs: its messages come only when the queue is
// empty, which is when a dialog box shows itself.
void TDialogHook::HandOver() {
  std::vector<HWND> shown;
  std::erase_if(waiting_, [&](HWND d) {
    if (!IsWindow(d)) return true;
    if (!IsWindowVisible(d)) return false;
    shown.push_back(d);
    return true;
  });
  if (waiting_.empty()) KillTimer(receiver_->Handle(), kWatchTimer);
  for (HWND dialog : shown) {
    ++count_;
    if (IsWindow(dialog) && onDialog_) {
      auto handler = onDialog_;
      handler(dialog);
    }
  }
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
    if (lstrcmpA(cls, "#32770") == 0 && g_hook->seen_.insert(dialog).second) {
      g_hook->waiting_.push_back(dialog);
      SetTimer(g_hook->receiver_->Handle(), kWatchTimer, 10, nullptr);
    }
  }
  // A later window may get the same handle.
  if (code == HCBT_DESTROYWND && g_hook) {
    g_hook->seen_.erase(reinterpret_cast<HWND>(wParam));
    std::erase(g_hook->waiting_, reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace ui
