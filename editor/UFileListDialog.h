// Registering several files at once: the check list of the paths, in which
// the user unchecks the ones not to register.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/Handles.h"
#include "editor/DropTargetFormLite.h"
#include "ui/ActionList.h"

class TStringIni;
class TStringList;
namespace ui {
class TCheckListBox;
class TImage;
}

class TFileListDialog : public TDropFormLite {
 public:
  // dialogs: the editor's Dialogs store (the size and AnalyzeShortCut), kept
  // by the caller.
  TFileListDialog(ui::TWindow* owner, TStringIni& dialogs);

  // Shows the paths checked; on OK paths keeps only the checked ones, in
  // their order, and true comes back. An empty list shows nothing. The box
  // "ショートカットはリンク先を登録" writes AnalyzeShortCut into request.
  bool Execute(TStringList& paths, TStringList& request);

  ui::TCheckListBox& List() const;
  ui::TAction& OKAction() { return ok_; }
  // How many characters a shortened path may have at the list's width.
  int LineChars() const { return lineChars_; }

 private:
  void FormResize();
  void Relist();
  void ShowIconOf(int index);
  void SaveSize();

  TStringIni& dialogs_;
  TStringList* request_ = nullptr;
  std::vector<std::string> paths_;
  ui::TActionList actions_;
  ui::TAction ok_{"OK"};
  ui::TAction cancel_{"キャンセル"};
  core::TUniqueFont listFont_;
  int lineChars_ = 0;
};

// The shell's icon of a file, folder or drive ("C:" is taken as "C:\");
// none when the shell has none.
core::TUniqueIcon GetShellIcon(const std::string& path, bool small);
