// Fixture of the editor's dialog tests: the control tests' shown form, keys
// typed for real, and turns of the loop with idle time (where the actions of
// the dialogs update their state).
#pragma once

#include <string>

#include "tests/support/RealInput.h"
#include "tests/ui/ControlsFixture.h"
#include "ui/Application.h"

// Turns of the application's loop until its idle time has come twice.
inline void RunIdle(ui::TApplication& app) {
  int idles = 0;
  auto busy = app.OnIdle.Add([&](bool& done) {
    ++idles;
    done = false;
  });
  while (idles < 2) app.HandleMessageOrIdle();
}

class DialogTest : public ControlsTest {
 protected:
  void Keys(const std::string& script) {
    realinput::Type(script);
    Drain();
  }
  void Idle() { RunIdle(*app); }
};
