// The launcher's popup menu, which the tray icon opens too: a table of entries
// in their order, separators, the "情報" submenu and commands. Each command is
// the face of one action: the action's caption with its shortcut's text after
// a tab, shown while the action is visible, greyed while it is disabled;
// choosing the command runs the action. Win32 menus cannot hide an entry, so
// Rebuild takes the entries out and puts the visible ones back in order,
// without doubled, leading or trailing separators. The execute entry carries
// a bitmap and is the default item while it shows.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Handles.h"
#include "ui/ActionList.h"

class TLauncherMenu {
 public:
  // The command ids: the top level, then the submenu.
  enum TEntry : UINT {
    miExecute = 100, miShowHide, miNew, miManager, miEditCurrent, miDelete, miSetting, miInfo, miExit,
    miSite = 200, miVersion, miFolder, miHelp,
  };

  TLauncherMenu();
  TLauncherMenu(const TLauncherMenu&) = delete;
  TLauncherMenu& operator=(const TLauncherMenu&) = delete;

  HMENU Handle() const { return top_.get(); }
  // The action behind a command (miInfo has none).
  ui::TAction& Action(TEntry command);
  // The execute entry's bitmap: tried once, from the first file given.
  void LoadEnterBitmap(const std::string& file);
  // The entries again from their actions' state.
  void Rebuild();
  // Runs the action of a chosen command id; false for an id of no command.
  bool Command(UINT id);

 private:
  struct TRow {
    UINT Id;  // 0: a separator
    const char* Caption;
    WORD ShortCut;
  };
  void Fill(HMENU menu, const std::vector<TRow>& rows);
  ui::TAction* Find(UINT id);

  core::TUniqueMenu top_;
  HMENU info_ = nullptr;  // the submenu, owned by top_
  std::vector<TRow> topRows_, infoRows_;
  struct TCommand {
    UINT Id;
    std::unique_ptr<ui::TAction> Action;
  };
  std::vector<TCommand> commands_;
  core::TUniqueBitmap enterBitmap_;
  bool enterBitmapTried_ = false;
};
