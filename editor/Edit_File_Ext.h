// The dialog that edits the list of file extensions taken for executable
// files: a sorted list with add, edit and delete.
#pragma once

#include "ui/ActionList.h"
#include "editor/DropTargetFormLite.h"

class TStringList;
namespace ui {
class TListBox;
}

class TEditFileExt : public TDropFormLite {
 public:
  explicit TEditFileExt(ui::TWindow* owner);

  // Makes the list sorted and duplicate-free, lets the user edit it and
  // writes the list box's lines back however the dialog closes; whether
  // anything was changed.
  bool Execute(TStringList& list);
  ui::TListBox& List() const;
  ui::TAction& AddAction() { return add_; }
  ui::TAction& EditAction() { return edit_; }
  ui::TAction& DeleteAction() { return delete_; }

 private:
  void AddExtension();
  void EditExtension();
  void DeleteExtension();

  ui::TActionList actions_;
  ui::TAction add_{"追加(&A)"};
  ui::TAction edit_{"編集(&E)"};
  ui::TAction delete_{"削除(&D)", VK_DELETE};
  ui::TAction close_;
  bool changed_ = false;
};

bool ShowEditFileExt(ui::TWindow* owner, TStringList& list);
