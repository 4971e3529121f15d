#include "launcher/Easy_CopyData_Handler.h"

#include <cstring>

#include "core/Debug_Unit.h"
#include "launcher/SubClass.h"
#include "ui/CopyData.h"

TEasyCopyDataHandler::TEasyCopyDataHandler(HWND window, TMessageSource source) : window_(window), source_(source) {
  if (source_ == TMessageSource::Owner) return;
  subClass_ = new TSubClass(window);
  subClass_->Messages.Add(WM_COPYDATA);
  subClass_->OnBeforeMessage = [this](TCustomSubClass* s, TMessage& m) { MessageSended(s, m); };
  subClass_->OnDestroy = [this](TCustomSubClass*) { subClass_ = nullptr; };
  subClass_->SetActive(true);
}

TEasyCopyDataHandler::~TEasyCopyDataHandler() {
  if (subClass_) {
    subClass_->OnDestroy = nullptr;
    delete subClass_;
  }
}

void TEasyCopyDataHandler::MessageSended(TCustomSubClass*, TMessage& message) {
  if (message.Msg != WM_COPYDATA) return;
  message.Handled = true;
  Take(message.WParam, message.LParam, message.Result);
}

void TEasyCopyDataHandler::Receive(ui::TCopyDataEvent& e) {
  e.Handled = true;
  Take(e.WParam, e.LParam, e.Result);
}

void TEasyCopyDataHandler::Take(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = FALSE;
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  std::string text;
  if (!ui::CopyDataText(data, text)) return;
  result = TRUE;
  DebugOut().Write("TEasyCopyDataHandler:MessageSended:").WriteLn().Indent().Write(text).WriteLn().Outdent();
  // The block belongs to the sender and is gone after the send: the callback
  // gets our own copy.
  if (!OnReceived) return;
  dataWord_ = data->dwData;
  // The callback may end the window and this handler with it: nothing of this
  // object is touched after it.
  const TReceived callback = OnReceived;
  callback(this, text, reinterpret_cast<HWND>(wParam));
}

bool TEasyCopyDataHandler::SendText(HWND target, const std::string& text) const {
  if (!target) return false;
  return ui::SendCopyData(target, window_, 1, text) != 0;
}
