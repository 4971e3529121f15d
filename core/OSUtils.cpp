// Placeholder flags until the unit is written: a current NT system.
#include "core/OSUtils.h"

bool IsNT() { return true; }
bool IsWinXP() { return true; }
bool IsWin2000() { return false; }
bool IsWin95() { return false; }
