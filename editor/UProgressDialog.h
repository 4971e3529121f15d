// Registering several files at once: each checked path goes through the
// request processing in turn, with a bar and a button that stops after the
// path at hand.
#pragma once

#include <functional>
#include <memory>

#include "editor/DropTargetFormLite.h"
#include "ui/ActionList.h"
#include "ui/Timer.h"

class TKeyWordManager;
class TStringList;
namespace ui {
class TButton;
class TLabel;
class TProgressBar;
}

// Carries out one request (Command and ShowDialog set for the path at hand).
using TRequestProcessor = std::function<void(TStringList& request, TKeyWordManager& store)>;

class TProgressDialog : public TDropFormLite {
 public:
  TProgressDialog(ui::TWindow* owner, TRequestProcessor processor);

  // Shows the dialog modally; the registration starts once, after it first
  // shows, and the dialog stays until the user closes it (or it was stopped).
  void Execute(const TStringList& paths, TStringList& request, TKeyWordManager& store);

  ui::TLabel& Status() const;
  ui::TProgressBar& Bar() const;
  ui::TButton& CloseButton() const;
  ui::TAction& CloseAction() { return close_; }
  bool Aborted() const { return aborted_; }
  bool Complete() const { return complete_; }
  bool Running() const { return running_; }

 private:
  void Register();

  TRequestProcessor processor_;
  const TStringList* paths_ = nullptr;
  TStringList* request_ = nullptr;
  TKeyWordManager* store_ = nullptr;
  ui::TActionList actions_;
  ui::TAction close_{"中断"};
  ui::TTimer start_{1};
  bool started_ = false;
  bool aborted_ = false;
  bool running_ = true;
  bool complete_ = true;
  bool closeRequested_ = false;
};
