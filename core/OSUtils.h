// Platform flags and small operating-system services shared by both programs.
#pragma once

#include <string>

// Set once, on first use, from the system's version information.
bool IsNT();
bool IsWinXP();    // NT 5.1 or later (Windows XP and every later version)
bool IsWin2000();  // NT 5.0
bool IsWin95();
