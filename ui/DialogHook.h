// A seam for tests that must meet a real system dialog (a message box, a file,
// colour or folder chooser that no handler replaced): while a TDialogHook
// lives, every dialog box of the class "#32770" that the thread activates is
// handed to OnDialog once, from the dialog's own modal loop, once it is shown
// (a dialog box shows itself when its loop first finds the queue empty). The
// handler may read the dialog, press its buttons or post it keys.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <vector>

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
  void HandOver();
  std::function<void(HWND)> onDialog_;
  std::unique_ptr<TMessageWindow> receiver_;
  HHOOK hook_ = nullptr;
  std::set<HWND> seen_;
  std::vector<HWND> waiting_;  // activated, not yet shown
  int count_ = 0;
};

}  // namespace ui
