// The application object: one per program, made first and destroyed last.
// It holds the title, the main form, the hidden application window (owner
// of the program's boxes and shell dialogs, and of the forms without an owner
// form, which keeps them off the taskbar), the message loop, the modal forms
// and the application events. Closing the main form ends the loop. Make it
// before any window, action list or hotkey item, and destroy the windows
// before it; hotkey items and action lists that outlive it stay safe but no
// longer fire (its end unregisters every global hotkey).
//
// The loop, per message: the OnMessage listeners may mark it handled; a key
// press in a window of the program is offered as a shortcut (the active
// form's, then OnShortCut: the local hotkeys); in a form with
// DialogNavigation the dialog keys move between its controls; what is left is
// translated and dispatched. Modal forms (TForm::ShowModal) run this same loop,
// and OnModal reports each once its loop runs. When the queue is empty, OnIdle
// runs and the loop waits for the next message unless a listener asks for
// more idle time. Code outside the layer that must let messages through while
// it waits (core's app::ProcessMessages) gets the same loop.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <vector>

#include "ui/Event.h"
#include "ui/Window.h"

namespace ui {

class THotKeyHost;
class TForm;

class TApplication {
 public:
  // Registers the common controls' classes, makes the hidden application
  // window and connects the hotkeys of core to the layer. Only one application
  // object may exist at a time.
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  static TApplication* Current();

  const std::string& Title() const { return title_; }
  void SetTitle(std::string_view title);  // also the application window's caption
  std::string HelpFile;

  // Also known to core as app::ApplicationWindow().
  HWND Handle() const { return appWindow_.Handle(); }
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form) { mainForm_ = form; }

  // Runs the message loop until the application terminates.
  void Run();
  // Ends the loop: posts WM_QUIT; Terminated (and the process-wide terminate
  // flag that core units read) is set when the loop takes it.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every message waiting, then returns (no idle, no waiting).
  void ProcessMessages();
  // Handles one message; false when none was waiting.
  bool HandleMessage();
  // One turn of the loop: a message, or idle and waiting when there is none.
  void HandleMessageOrIdle();
  // Runs the loop until done() holds or the application terminates; form is
  // the modal form, reported by OnModal once the queue first runs empty.
  void RunModalLoop(TForm& form, const std::function<bool()>& done);
  // The innermost modal form whose loop runs, or none.
  TForm* ModalForm() const { return modalForms_.empty() ? nullptr : modalForms_.back(); }
  // Listener(form): a modal form's loop runs (tests drive the form from here).
  TEvent<TForm&> OnModal;

  // Listener(msg, handled): set handled to keep the message from its window.
  TEvent<MSG&, bool&> OnMessage;
  // Listener(done): clear done to be called again before the loop waits.
  TEvent<bool&> OnIdle;
  // The program became the active one, or another program did.
  TEvent<> OnActivate;
  TEvent<> OnDeactivate;
  // Listener(shortCut, handled): a key pressed in a window of the program as a
  // menu shortcut value (key + 0x2000 Shift + 0x4000 Ctrl + 0x8000 Alt), when
  // the active form did not take it.
  TEvent<WORD, bool&> OnShortCut;

  // WM_ACTIVATEAPP, as any window of the program saw it; raises the events
  // once per change, and on deactivation core's notification
  // (app::RaiseDeactivated) after OnDeactivate.
  void ActivateApp(bool active);
  bool Active() const { return active_; }

  // Minimises the program (its application window, when shown) and raises
  // OnMinimize; Restore undoes it and raises OnRestore. Each runs once per
  // change; the application window's own minimise and restore commands come
  // here too.
  void Minimize();
  void Restore();
  bool Minimized() const { return minimized_; }
  TEvent<> OnMinimize;
  TEvent<> OnRestore;

 private:
  // Closing it (from its taskbar button, say) closes the main form. Every
  // top-level window of the thread gets WM_ACTIVATEAPP, this hidden one too:
  // it tells the application.
  class TAppWindow : public TWindow {
   protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  };
  void ProcessMessage(MSG& msg);
  bool IsShortCut(const MSG& msg);
  bool IsDialogKey(MSG& msg);
  void Idle();

  std::string title_;
  TAppWindow appWindow_;
  TForm* mainForm_ = nullptr;
  std::vector<TForm*> modalForms_;
  bool terminated_ = false;
  bool active_ = false;
  bool minimized_ = false;
  std::unique_ptr<THotKeyHost> hotKeys_;
};

// The shortcut value of a key pressed now (the modifier keys' current state).
WORD ShortCutFromKey(WORD virtualKey);

}  // namespace ui
