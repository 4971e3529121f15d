// Fixture of the GUI layer's tests: an application object titled "quorvane",
// message boxes recorded instead of shown, and helpers that pump messages and
// type keys for real (SendInput).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "core/AppFlags.h"
#include "tests/support/TestWindow.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app = std::make_unique<ui::TApplication>();
    app->SetTitle("quorvane");
    ui::SetMessageBoxHandler([this](const ui::TMessageBoxRequest& r) {
      boxes.push_back(r);
      return answer;
    });
  }
  void TearDown() override {
    ui::SetMessageBoxHandler(nullptr);
    app.reset();
    app::SetTerminated(false);
  }

  // Pumps messages through the application's loop until cond holds; false
  // when it still does not after a generous deadline (a failure, never a
  // measurement).
  bool PumpUntil(const std::function<bool()>& cond) { return ::PumpUntil(cond, 10000); }
  // Handles what is queued now and what the system delivers soon after.
  void Drain() {
    for (int i = 0; i < 5; ++i) {
      app->ProcessMessages();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    app->ProcessMessages();
  }

  // Presses the keys in order and releases them in reverse order.
  static void Type(std::vector<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) {
      INPUT i = {};
      i.type = INPUT_KEYBOARD;
      i.ki.wVk = k;
      in.push_back(i);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
      INPUT i = {};
      i.type = INPUT_KEYBOARD;
      i.ki.wVk = *it;
      i.ki.dwFlags = KEYEVENTF_KEYUP;
      in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  }

  std::unique_ptr<ui::TApplication> app;
  std::vector<ui::TMessageBoxRequest> boxes;
  int answer = IDOK;
};
