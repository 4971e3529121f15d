#include "editor/Edit_File_Ext_Line.h"

#include "editor/FileExtRules.h"
#include "editor/Int_Input.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Label.h"

namespace {

using ui::Kind;

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<ui::TLabel>,  "Label1",       "", "先頭に . をつけて拡張子を指定",   8,  8, 220, 14},
  {Kind<ui::TEdit>,   "Edit1",        "", "",                             8, 26, 220, 21},
  {Kind<ui::TButton>, "OKButton",     "", "&OK",                         72, 58,  75, 25},
  {Kind<ui::TButton>, "CancelButton", "", "キャンセル(&C)",               153, 58,  75, 25},
};
// clang-format on

ui::TFormParams FormParams() {
  ui::TFormParams p;
  p.Caption = "EditFileExtLine";
  p.BorderStyle = ui::TBorderStyle::Dialog;
  p.BorderIcons = ui::biSystemMenu;
  p.Position = ui::TPosition::OwnerCenter;
  p.ClientWidth = 236;
  p.ClientHeight = 91;
  return p;
}

}  // namespace

TEditFileExtLine::TEditFileExtLine(ui::TWindow* owner)
    : TDropFormLite(FormOfOwner(owner)), actions_(*this) {
  if (!Create(FormParams())) return;
  BuildLayout(kRows);
  actions_.Add(&ok_);
  actions_.Add(&cancel_);
  ok_.LinkControl(Control("OKButton").Handle());
  cancel_.LinkControl(Control("CancelButton").Handle());
  SetDefaultButton(&Control("OKButton"));
  SetCancelButton(&Control("CancelButton"));
  ok_.OnUpdate = [this] { ok_.SetEnabled(ExtensionAcceptable(Field().Text(), start_, listed_)); };
  ok_.OnExecute = [this] { SetModalResult(IDOK); };
  cancel_.OnExecute = [this] { SetModalResult(IDCANCEL); };
}

ui::TEdit& TEditFileExtLine::Field() const { return Control<ui::TEdit>("Edit1"); }

std::string TEditFileExtLine::Execute(const std::vector<std::string>& listed, int index) {
  if (!Handle()) return std::string();
  listed_ = listed;
  start_ = index >= 0 && index < static_cast<int>(listed.size()) ? listed[static_cast<size_t>(index)] : std::string();
  Field().SetText(start_);
  SetActiveControl(&Field());
  Field().SetSel(0, Field().TextLength());
  if (ShowModal() != IDOK) return std::string();
  return DottedExtension(Field().Text());
}

std::string ShowEditFileExtLine(ui::TWindow* owner, const std::vector<std::string>& listed, int index) {
  TEditFileExtLine dialog(owner);
  return dialog.Execute(listed, index);
}
