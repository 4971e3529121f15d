// The launcher's own actions as the editor knows them: one constant table of
// twelve entries, each with a short name (the system-command dialog's choice
// and the last part of a new-item template's path), a title (the Comment of a
// keyword made from the template), a description and the launcher's action
// number. Every list built from it keeps the table's order, which is not the
// order of the action numbers.
#pragma once

#include <array>
#include <string_view>

struct TSysCommandInfo {
  std::string_view Description;
  std::string_view Name;
  std::string_view Title;
  int CommandIndex;
};

extern const std::array<TSysCommandInfo, 12> SysCommands;

// The table position of an action number; -1 when no entry has it.
int FindSysCommand(int commandIndex);

// What a system command is, for the dialog's information page and the
// new-item kind dialog.
extern const std::string_view kSysCommandOverview;

// The two actions that open a folder: their keywords are folders (IsDir=1).
inline bool SysCommandOpensFolder(int commandIndex) { return commandIndex == 9 || commandIndex == 10; }
