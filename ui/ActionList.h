// Actions with keyboard shortcuts. An action list joins the application's
// shortcut dispatch when it is made (so make it after the application object):
// while a window of the program is active, a key press whose shortcut value
// (ui::ShortCutFromKey) equals an enabled action's runs that action instead of
// reaching the window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Event.h"

namespace ui {

class TAction {
 public:
  std::string Caption;
  WORD ShortCut = 0;
  bool Enabled = true;
  std::function<void()> OnExecute;

  // Runs OnExecute when enabled; true when it ran. The action may be freed by
  // what it runs.
  bool Execute();
};

class TActionList {
 public:
  TActionList();
  TActionList(const TActionList&) = delete;
  TActionList& operator=(const TActionList&) = delete;

  void Add(TAction* action);
  void Remove(TAction* action);
  int Count() const { return static_cast<int>(actions_.size()); }
  // A suspended list runs no shortcut.
  bool Suspended = false;

  // Runs the first enabled action with this shortcut (0 never matches).
  bool IsShortCut(WORD shortCut);

 private:
  std::vector<TAction*> actions_;
  TConnection dispatch_;
};

}  // namespace ui
