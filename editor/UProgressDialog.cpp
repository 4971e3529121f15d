#include "editor/UProgressDialog.h"

#include <commctrl.h>

#include "core/StringIni.h"
#include "core/StringList.h"
#include "editor/FileListDialog_Text.h"
#include "editor/Int_Input.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace {

using ui::Kind;

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<ui::TLabel>,       "Label1",       "", "",     12, 10, 282, 16},
  {Kind<ui::TProgressBar>, "ProgressBar1", "", "",     12, 30, 282, 17, PBS_SMOOTH},
  {Kind<ui::TButton>,      "CloseButton",  "", "中断", 115, 56, 75, 25, WS_TABSTOP},
};
// clang-format on

ui::TFormParams FormParams() {
  ui::TFormParams p;
  p.Caption = "キーワードを登録中...";
  p.BorderStyle = ui::TBorderStyle::None;
  p.BorderIcons = ui::biSystemMenu;
  p.Position = ui::TPosition::OwnerCenter;
  p.ClientWidth = 306;
  p.ClientHeight = 88;
  p.StayOnTop = true;
  // A tool window of its own kind: a border and a system menu over no border style.
  p.Style = WS_CAPTION | WS_BORDER | WS_SYSMENU;
  p.ExStyle = WS_EX_TOOLWINDOW;
  return p;
}

void ProcessMessages() {
  if (ui::TApplication* app = ui::TApplication::Current()) app->ProcessMessages();
}

}  // namespace

TProgressDialog::TProgressDialog(ui::TWindow* owner, TRequestProcessor processor)
    : TDropFormLite(FormOfOwner(owner)), processor_(std::move(processor)), actions_(*this) {
  if (!Create(FormParams())) return;
  BuildLayout(kRows);
  Bar().SetStep(1);
  actions_.Add(&close_);
  close_.LinkControl(CloseButton().Handle());
  SetCancelButton(&CloseButton());
  close_.OnUpdate = [this] {
    close_.SetCaption(running_ ? "中断" : "完了");
    if (closeRequested_ && Modal() && ModalResult() == 0) SetModalResult(IDCANCEL);
  };
  close_.OnExecute = [this] {
    aborted_ = true;
    closeRequested_ = true;
    SetModalResult(IDCANCEL);
  };
  // However the dialog closes, the registration stops after the path at hand.
  OnClose = [this](ui::TCloseAction&) { aborted_ = true; };
  OnShow = [this] {
    if (!started_) start_.SetEnabled(true);
  };
  start_.SetEnabled(false);
  start_.OnTimer = [this] {
    start_.SetEnabled(false);
    if (started_) return;
    started_ = true;
    Register();
  };
}

ui::TLabel& TProgressDialog::Status() const { return Control<ui::TLabel>("Label1"); }
ui::TProgressBar& TProgressDialog::Bar() const { return Control<ui::TProgressBar>("ProgressBar1"); }
ui::TButton& TProgressDialog::CloseButton() const { return Control<ui::TButton>("CloseButton"); }

void TProgressDialog::Register() {
  if (!paths_ || !request_ || !store_) return;
  const int count = paths_->Count();
  Bar().SetRange(0, count);
  Bar().SetPosition(0);
  for (int i = 0; i < count && !aborted_; ++i) {
    const std::string& path = (*paths_)[i];
    // The request is a store of escaped values: a path's "\t" is no TAB.
    request_->SetValue("Command", TStringIni::EscapeValue(path));
    request_->SetValue("ShowDialog", "0");
    Status().SetCaption(RegisteringText(RegisteredName(path), i + 1, count));
    ProcessMessages();
    if (processor_) processor_(*request_, *store_);
    Bar().StepIt();
    ProcessMessages();
  }
  if (aborted_) {
    complete_ = false;
    if (Modal() && ModalResult() == 0) SetModalResult(IDCANCEL);
    return;
  }
  Bar().StepIt();
  MessageBeep(MB_ICONASTERISK);
  Status().SetCaption(RegisteredAllText(count));
  SetCaption("登録完了");
  running_ = false;
  close_.SetCaption("完了");
  SetDefaultButton(&CloseButton());
}

void TProgressDialog::Execute(const TStringList& paths, TStringList& request, TKeyWordManager& store) {
  if (!Handle()) return;
  paths_ = &paths;
  request_ = &request;
  store_ = &store;
  ShowModal();
  paths_ = nullptr;
  request_ = nullptr;
  store_ = nullptr;
}
