#include "ui/MessageBox.h"

namespace ui {

namespace {
TMessageBoxHandler& Handler() {
  static TMessageBoxHandler handler;
  return handler;
}
}  // namespace

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
  TMessageBoxRequest request{owner, std::string(text), std::string(caption), flags};
  if (Handler()) {
    TMessageBoxHandler handler = Handler();
    return handler(request);
  }
  return MessageBoxA(owner, request.Text.c_str(), request.Caption.c_str(), flags);
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
  TMessageBoxHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}

}  // namespace ui
