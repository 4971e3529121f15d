#include "editor/HotKey_Dialog.h"

#include "editor/HotKeyEditState.h"
#include "editor/HotKey_Frame.h"
#include "editor/Int_Input.h"
#include "ui/Button.h"

namespace {

using ui::Kind;

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<THotKeyFrame>, "HotKeyFrame1", "", "",               8,  8, THotKeyFrame::kWidth, THotKeyFrame::kHeight},
  {Kind<ui::TButton>,  "OKButton",     "", "&OK",          200, 62, 80, 25},
  {Kind<ui::TButton>,  "CancelButton", "", "キャンセル(&C)", 284, 62, 80, 25},
};
// clang-format on

ui::TFormParams FormParams() {
  ui::TFormParams p;
  p.Caption = "ホットキーの設定";
  p.BorderStyle = ui::TBorderStyle::Single;
  p.BorderIcons = 0;
  p.ClientWidth = 372;
  p.ClientHeight = 95;
  return p;
}

std::string EditHotKey(ui::TWindow* owner, std::string_view text, bool global) {
  THotKeyDialog dialog(owner);
  if (!dialog.Handle()) return std::string(text);
  THotKeyFrame& frame = dialog.Frame();
  if (global) {
    frame.SetKind(kHotKeyKindGlobal);
  } else {
    frame.SetKind(kHotKeyKindLocal);
    dialog.SetEnableWinKey(false);
    dialog.SetEnableDoubleMod(false);
  }
  frame.SetHotKeyText(text);
  if (!dialog.Execute()) return std::string(text);
  return frame.GetHotKeyText();
}

}  // namespace

THotKeyDialog::THotKeyDialog(ui::TWindow* owner)
    : TDropFormLite(FormOfOwner(owner)), centreOwner_(owner), actions_(*this) {
  if (!Create(FormParams())) return;
  BuildLayout(kRows);
  actions_.Add(&ok_);
  actions_.Add(&cancel_);
  auto& okButton = Control<ui::TButton>("OKButton");
  auto& cancelButton = Control<ui::TButton>("CancelButton");
  ok_.LinkControl(okButton.Handle());
  cancel_.LinkControl(cancelButton.Handle());
  SetDefaultButton(&okButton);
  SetCancelButton(&cancelButton);
  ok_.OnUpdate = [this] { ok_.SetEnabled(Frame().IsValid()); };
  ok_.OnExecute = [this] { SetModalResult(IDOK); };
  cancel_.OnExecute = [this] { SetModalResult(IDCANCEL); };
}

THotKeyFrame& THotKeyDialog::Frame() const { return Control<THotKeyFrame>("HotKeyFrame1"); }

bool THotKeyDialog::EnableWinKey() const { return Frame().EnableWinKey(); }
void THotKeyDialog::SetEnableWinKey(bool on) { Frame().SetEnableWinKey(on); }
bool THotKeyDialog::EnableDoubleMod() const { return Frame().EnableDoubleMod(); }
void THotKeyDialog::SetEnableDoubleMod(bool on) { Frame().SetEnableDoubleMod(on); }

bool THotKeyDialog::Execute() {
  if (!Handle()) return false;
  CenterOverOwner(Handle(), centreOwner_);
  return ShowModal() == IDOK;
}

std::string EditGlobalHotKey(ui::TWindow* owner, std::string_view text) { return EditHotKey(owner, text, true); }
std::string EditLocalHotKey(ui::TWindow* owner, std::string_view text) { return EditHotKey(owner, text, false); }
