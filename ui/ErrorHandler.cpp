#include "ui/ErrorHandler.h"

#include <atomic>
#include <exception>
#include <string>

#include <windows.h>

#include "core/AppEvents.h"
#include "core/Debug_Unit.h"
#include "ui/MessageBox.h"

namespace ui {

void HandleException(const char* where) noexcept {
  // A box shown from here runs a modal loop; further failures while it is up
  // (a failing timer, say) are only logged, or the boxes would pile up.
  static std::atomic<bool> showing{false};
  try {
    std::string text;
    try {
      throw;
    } catch (const std::exception& e) {
      text = e.what();
    } catch (...) {
      text = "不明な例外が発生しました";
    }
    DebugOut().Write(where).Write(".Exception: ").Write(text).WriteLn();
    if (showing.exchange(true)) return;
    struct TReset { std::atomic<bool>& flag; ~TReset() { flag = false; } } reset{showing};
    // The application window carries the title as its caption; the barrier
    // (and so the window base) needs no more of the application.
    HWND owner = static_cast<HWND>(app::ApplicationWindow());
    char title[256] = {};
    if (owner) GetWindowTextA(owner, title, sizeof title);
    ShowMessageBox(owner, text, title, MB_OK | MB_ICONSTOP);
  } catch (...) {
  }
}

}  // namespace ui
