// The message-box service: every modal box of both programs goes through here
// (MessageBoxA, so Shift-JIS texts and Japanese captions arrive as they are).
// Tests replace the handler to script answers and record what was asked.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace ui {

struct TMessageBoxRequest {
  HWND Owner = nullptr;
  std::string Text;
  std::string Caption;
  UINT Flags = MB_OK;
};

using TMessageBoxHandler = std::function<int(const TMessageBoxRequest&)>;

// The answer: IDOK, IDYES, IDNO, IDCANCEL...
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags);
// Installs a handler in place of the real boxes and returns the one before;
// nullptr brings the real boxes back.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);

}  // namespace ui
