// Receives and sends WM_COPYDATA on one window. What arrives is untrusted: the
// text is bounded by cbData whether or not a NUL comes, and a message without
// data or with a data word of 0 is dropped.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "launcher/SubClass.h"
#include "ui/CopyData.h"
#include "ui/Events.h"

class TEasyCopyDataHandler {
 public:
  using TReceived = std::function<void(TEasyCopyDataHandler* sender, const std::string& text, HWND from)>;

  explicit TEasyCopyDataHandler(HWND window, TMessageSource source = TMessageSource::Filter);
  ~TEasyCopyDataHandler();
  TEasyCopyDataHandler(const TEasyCopyDataHandler&) = delete;
  TEasyCopyDataHandler& operator=(const TEasyCopyDataHandler&) = delete;

  // Sends text and a NUL to target with wParam = this handler's window; false
  // when there is no target or the receiver did not take it.
  bool SendText(HWND target, const std::string& text) const;
  // The window's copy-data event, handed on by the owner (TMessageSource::Owner).
  void Receive(ui::TCopyDataEvent& e);

  HWND Window() const { return window_; }
  // The data word of the last message handed to the callback.
  ULONG_PTR DataWord() const { return dataWord_; }
  bool Listening() const { return subClass_ != nullptr || source_ == TMessageSource::Owner; }
  TReceived OnReceived;

 private:
  void MessageSended(TCustomSubClass* sender, TMessage& message);
  // Answers the message (TRUE when its text was taken), then hands the text to
  // the callback.
  void Take(WPARAM wParam, LPARAM lParam, LRESULT& result);

  HWND window_;
  TMessageSource source_;
  ULONG_PTR dataWord_ = 0;
  TSubClass* subClass_ = nullptr;  // deleted by the dispatcher when the window goes
};
