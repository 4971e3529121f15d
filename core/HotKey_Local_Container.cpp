#include "core/HotKey_Local_Container.h"

#include <algorithm>

void TLocalHotKeyContainer::AddAction(THotKeyAction* action) {
  if (action && std::find(actions_.begin(), actions_.end(), action) == actions_.end()) actions_.push_back(action);
}

void TLocalHotKeyContainer::RemoveAction(THotKeyAction* action) {
  actions_.erase(std::remove(actions_.begin(), actions_.end(), action), actions_.end());
}

bool TLocalHotKeyContainer::ExecuteShortCut(uint16_t shortCut) {
  if (shortCut == 0) return false;
  for (THotKeyAction* a : actions_) {
    if (a->ShortCut != shortCut || !a->OnExecute) continue;
    // The action may be freed by what it runs; run a copy.
    auto run = a->OnExecute;
    run();
    return true;
  }
  return false;
}

TLocalHotKeyContainer& LocalHotKeyContainer() {
  static TLocalHotKeyContainer container;
  return container;
}
