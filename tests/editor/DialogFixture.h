// Fixture of the editor dialogs' tests: each dialog runs modally for real and
// the test drives it from the application's modal report, once the dialog is
// in front, with keys and clicks through SendInput. The controls fixture's
// shown form stands for the window the dialogs are opened from.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/support/RealInput.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempDir.h"
#include "tests/ui/ControlsFixture.h"
#include "ui/Application.h"
#include "ui/Form.h"

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
  // Runs execute (which shows dialog modally) and act once the dialog is up
  // and in front; a dialog that act left open is closed with Esc.
  template <class Execute>
  auto RunModal(ui::TForm& dialog, const std::function<void()>& act, Execute execute) {
    bool acted = false;
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      if (&f != &dialog) return;
      EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
      Drain();
      act();
      acted = true;
      Drain();
      if (dialog.ModalResult() == 0 && dialog.Visible()) Keys("{Esc}");
    });
    auto result = execute();
    EXPECT_TRUE(acted) << "the dialog was never shown modally";
    return result;
  }
  // Keys at a person's pace: each one held until the dialog handled it.
  void Keys(const std::string& script) { realinput::TypeHeld(script, [this] { Drain(); }); }
  // Turns of the loop with idle time (the actions' updates).
  void Idle() { RunIdle(*app); }
  void Shot(ui::TForm& dialog, const std::string& name) {
    Drain();
    OfferScreenshot(dialog.Handle(), name);
  }
};
