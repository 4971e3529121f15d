// A seam for tests that must meet a real system dialog (a message box, a file,
// colour or folder chooser that no handler replaced): while a TDialogHook
// lives, every dialog box of the class "#32770" that the thread activates is
// handed to OnDialog once, from the dialog's own modal loop, after its first
// activation (its controls exist). The handler may read the dialog, press its
// buttons or post it keys.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <set>

namespace ui {

class TMessageWindow;

class TDialogHook {
 public:
  // One at a time per program (the hook has no way to find its object
  // otherwise): a second gives std::logic_error.
  explicit TDialogHook(std::function<void(HWND dialog)> onDialog);
  ~TDialogHook();
  TDialogHook(const TDialogHook&) = delete;
  TDialogHook& operator=(const TDialogHook&) = delete;

  int Count() const { return count_; }

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  std::function<void(HWND)> onDialog_;
  std::unique_ptr<TMessageWindow> receiver_;
  HHOOK hook_ = nullptr;
  std::set<HWND> seen_;
  int count_ = 0;
};

}  // namespace ui
