#include "editor/Edit_File_Ext.h"

#include "core/HotKeyUtils.h"
#include "core/StringList.h"
#include "editor/Edit_File_Ext_Line.h"
#include "editor/FileExtRules.h"
#include "editor/Int_Input.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

namespace {

using ui::Kind;

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<ui::TListBox>, "ListBox1",     "", "",                                          8,   8, 140, 184, LBS_SORT},
  {Kind<ui::TLabel>,   "Label1",       "", "実行ファイルと\r\nみなすファイル\r\nの種類を設定", 158, 8, 96, 42},
  {Kind<ui::TButton>,  "AddButton",    "", "追加(&A)",                                 158,  60, 90, 25},
  {Kind<ui::TButton>,  "EditButton",   "", "編集(&E)",                                 158,  90, 90, 25},
  {Kind<ui::TButton>,  "DeleteButton", "", "削除(&D)",                                 158, 120, 90, 25},
};
// clang-format on

ui::TFormParams FormParams() {
  ui::TFormParams p;
  p.Caption = "拡張子の設定";
  p.BorderStyle = ui::TBorderStyle::Dialog;
  p.BorderIcons = ui::biSystemMenu;
  p.Position = ui::TPosition::OwnerCenter;
  p.ClientWidth = 256;
  p.ClientHeight = 200;
  return p;
}

}  // namespace

TEditFileExt::TEditFileExt(ui::TWindow* owner)
    : TDropFormLite(FormOfOwner(owner)), actions_(*this) {
  if (!Create(FormParams())) return;
  BuildLayout(kRows);
  add_.SetShortCut(HotKeyToShortCut(kModCtrl, 'N'));
  edit_.SetShortCut(HotKeyToShortCut(kModAlt, VK_RETURN));
  edit_.SetSecondaryShortCuts({VK_F2});
  close_.SetShortCut(VK_ESCAPE);
  close_.SetSecondaryShortCuts({VK_RETURN});
  for (ui::TAction* a : {&add_, &edit_, &delete_, &close_}) actions_.Add(a);
  add_.LinkControl(Control("AddButton").Handle());
  edit_.LinkControl(Control("EditButton").Handle());
  delete_.LinkControl(Control("DeleteButton").Handle());
  auto selected = [this] { return List().ItemIndex() >= 0; };
  edit_.OnUpdate = [this, selected] { edit_.SetEnabled(selected()); };
  delete_.OnUpdate = [this, selected] { delete_.SetEnabled(selected()); };
  add_.OnExecute = [this] { AddExtension(); };
  edit_.OnExecute = [this] { EditExtension(); };
  delete_.OnExecute = [this] { DeleteExtension(); };
  close_.OnExecute = [this] { SetModalResult(IDOK); };
}

ui::TListBox& TEditFileExt::List() const { return Control<ui::TListBox>("ListBox1"); }

void TEditFileExt::AddExtension() {
  std::string answer = ShowEditFileExtLine(this, List().Items(), -1);
  if (answer.empty()) return;
  List().SetItemIndex(List().Add(answer));
  changed_ = true;
}

void TEditFileExt::EditExtension() {
  int index = List().ItemIndex();
  if (index < 0) return;
  std::string answer = ShowEditFileExtLine(this, List().Items(), index);
  if (answer.empty()) return;
  List().SetItemIndex(List().SetItem(index, answer));
  changed_ = true;
}

void TEditFileExt::DeleteExtension() {
  int index = List().ItemIndex();
  if (index < 0) return;
  List().Delete(index);
  changed_ = true;
}

bool TEditFileExt::Execute(TStringList& list) {
  if (!Handle()) return false;
  SortUniqueExtensions(list);
  List().SetItems(list.Items());
  changed_ = false;
  ShowModal();
  list = TStringList(List().Items());
  return changed_;
}

bool ShowEditFileExt(ui::TWindow* owner, TStringList& list) {
  TEditFileExt dialog(owner);
  return dialog.Execute(list);
}
