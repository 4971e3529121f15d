// The launcher's status decisions, apart from its window: what the status line
// says (and in which colour set, with which icon) for the current item or the
// typed text, the colour settings, and the tray icon's tooltip.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct TStatusChoice {
  std::string Text;
  int ColorSet = -1;  // -1: the mode's colour set
  std::string Icon;   // empty: the item's own icon
};
// For a current item. pathKind: TPathKind of its command; runModeOne: a
// group that runs its members as one command line.
TStatusChoice ItemStatus(int type, bool runModeOne, const std::string& command, const std::string& comment,
                         int pathKind);
// For typed text that is no keyword. exists tells whether a keyword path is
// registered.
TStatusChoice TextStatus(const std::string& text, bool validPath, bool registByEnter, const std::string& title,
                         const std::function<bool(const std::string&)>& exists);
// One entry of a colour setting (comma text of colour numbers, a set high bit
// naming a system colour) as RGB; sysDefault's colour when it is missing or
// not a number.
COLORREF SettingColor(const std::string& commaText, int n, int sysDefault);
// The leading number of a version text ("6.0.2900" gives 6); 0 without one.
int LeadingVersionNumber(const std::string& version);
// The tray tooltip: the first line alone below shell version 5, else with the
// start line (unless Exe_S is "なし" or empty) and the call line.
std::string TrayTipText(const std::string& firstLine, int shellMajor, const std::string& exeS,
                        const std::string& callHotKey);
