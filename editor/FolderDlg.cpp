#include "editor/FolderDlg.h"

#include <shlobj.h>

#include "core/Handles.h"
#include "ui/Dialogs.h"

bool TFolderDlg::Browse() {
  core::TOleSession ole;
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
