#include "ui/ActionList.h"

#include <algorithm>

#include "ui/Application.h"

namespace ui {

bool TAction::Execute() {
  if (!Enabled || !OnExecute) return false;
  auto run = OnExecute;
  run();
  return true;
}

TActionList::TActionList() {
  if (TApplication* app = TApplication::Current())
    dispatch_ = app->OnShortCut.Add([this](WORD shortCut, bool& handled) {
      if (!handled) handled = IsShortCut(shortCut);
    });
}

void TActionList::Add(TAction* action) {
  if (action && std::find(actions_.begin(), actions_.end(), action) == actions_.end()) actions_.push_back(action);
}

void TActionList::Remove(TAction* action) { std::erase(actions_, action); }

bool TActionList::IsShortCut(WORD shortCut) {
  if (Suspended || shortCut == 0) return false;
  for (TAction* a : actions_)
    if (a->ShortCut == shortCut && a->Enabled && a->OnExecute) return a->Execute();
  return false;
}

}  // namespace ui
