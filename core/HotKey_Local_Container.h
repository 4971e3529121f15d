// The process-wide list of the local hotkeys' shortcut actions. The GUI layer's
// message loop offers every shortcut pressed in a window of the program to
// ExecuteShortCut (ui/HotKeyHost connects the two), so a local hotkey works
// exactly while the program is active. Pure logic.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// A local item's action: its menu shortcut value and what it runs.
struct THotKeyAction {
  uint16_t ShortCut = 0;
  std::function<void()> OnExecute;
};

class TLocalHotKeyContainer {
 public:
  void AddAction(THotKeyAction* action);
  void RemoveAction(THotKeyAction* action);  // nothing for none or an action not in the list
  // Runs the first action with this shortcut (0 never matches); true when one ran.
  bool ExecuteShortCut(uint16_t shortCut);
  int ActionCount() const { return static_cast<int>(actions_.size()); }

 private:
  std::vector<THotKeyAction*> actions_;
};

TLocalHotKeyContainer& LocalHotKeyContainer();
