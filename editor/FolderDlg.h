// The folder picker: the shell's folder browser, opened on a starting folder,
// for the command dialog's target and working folder. The browser goes
// through ui::BrowseForFolder, which tests replace.
//
// The new-style browser needs OLE on the calling thread: each run holds it for
// its own time (OLE counts the starts, so one made by the program stays).
#pragma once

#include <string>

#include "ui/Window.h"

class TFolderDlg {
 public:
  // The browser is modal to the owner's window (none: no owner).
  explicit TFolderDlg(ui::TWindow* owner = nullptr) : owner_(owner) {}

  std::string Title;       // shown above the tree
  std::string Root;        // selected when the browser opens; empty for none
  std::string FolderName;  // the folder chosen by the last run

  bool Execute() { return Browse(); }
  // True with FolderName set when a file-system folder was chosen; false with
  // FolderName empty on cancel and for a choice that is no such folder.
  bool Browse();

 private:
  ui::TWindow* owner_;
};
