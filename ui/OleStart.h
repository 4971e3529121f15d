// OLE for the user-interface thread, started by the first user and ended by
// the last: the drop targets of both programs (and anything else that needs
// OLE on that thread) share one start.
#pragma once

namespace ui {

void InitOle();
void FinalizeOle();
// Number of users that have started and not yet ended it.
int OleUsers();

// One use for a scope (a program's WinMain, a test).
class TOleUse {
 public:
  TOleUse() { InitOle(); }
  ~TOleUse() { FinalizeOle(); }
  TOleUse(const TOleUse&) = delete;
  TOleUse& operator=(const TOleUse&) = delete;
};

}  // namespace ui
