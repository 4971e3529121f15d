#include "editor/FolderDlg.h"

#include <shlobj.h>

#include "ui/Dialogs.h"
#include "ui/OleStart.h"

bool TFolderDlg::Browse() {
  ui::TOleUse ole;
  ui::TBrowseFolderRequest request;
  request.Owner = owner_ ? owner_->Handle() : nullptr;
  request.Title = Title;
  request.Root = Root;
  request.Flags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE |
                  BIF_BROWSEINCLUDEFILES;
  const bool chosen = ui::BrowseForFolder(request);
  FolderName = chosen ? request.Folder : std::string();
  return chosen;
}
