#include "editor/USelectPriority.h"

#include <algorithm>

#include "core/KeyWordX.h"
#include "core/ScopeGuard.h"
#include "core/StringIni.h"
#include "core/WindowUtils.h"
#include "editor/URZEditorMain.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/ListBox.h"

namespace {

constexpr char kCaption[] = "優先度の設定";

const ui::TLayoutRow kRows[] = {
    {ui::Kind<ui::TLabel>, "Label1", "", "", 8, 8, 240, 28},
    {ui::Kind<ui::TListBox>, "ListBox1", "", "", 8, 40, 240, 204},
    {ui::Kind<ui::TButton>, "OKButton", "", "", 44, 252, 75, 25},
    {ui::Kind<ui::TButton>, "CancelButton", "", "", 137, 252, 75, 25},
};

}  // namespace

TSelectPriority::TSelectPriority(ui::TForm* owner) : ui::TForm(owner) {
  ui::TFormParams p;
  p.ClassName = "TSelectPriority";
  p.Caption = kCaption;
  p.BorderStyle = ui::TBorderStyle::Single;
  p.BorderIcons = ui::biSystemMenu;
  p.ClientWidth = 256;
  p.ClientHeight = 283;
  p.Position = ui::TPosition::ScreenCenter;
  Create(p);
  BuildLayout(kRows);
  FormCreate();
}

TSelectPriority::~TSelectPriority() = default;

ui::TListBox& TSelectPriority::List() const { return Control<ui::TListBox>("ListBox1"); }

void TSelectPriority::FormCreate() {
  Control<ui::TLabel>("Label1").SetCaption("作成されたキーワードを\r\nどこに挿入する選択して下さい。");
  okAction_.SetShortCut(VK_RETURN);
  okAction_.OnExecute = [this] {
    confirmed_ = true;
    SetModalResult(IDOK);
  };
  cancelAction_.OnExecute = [this] { SetModalResult(IDCANCEL); };
  actions_.Add(&okAction_);
  actions_.Add(&cancelAction_);
  okAction_.LinkControl(Control("OKButton").Handle());
  cancelAction_.LinkControl(Control("CancelButton").Handle());
  SetDefaultButton(&Control("OKButton"));
  SetCancelButton(&Control("CancelButton"));
}

void TSelectPriority::FillList(TKeyWordX& keyword, TKeyWordManager& store) {
  std::vector<std::string> names = store.GetNames(keyword.Folder).Items();
  names.push_back(kLowestPriorityMarker);
  // The keyword itself is no place to put it before.
  if (auto own = std::find(names.begin(), names.end(), keyword.Name); own != names.end()) names.erase(own);
  List().SetItems(names);
}

bool TSelectPriority::Execute(ui::TAction* stayOnTop, TKeyWordX& keyword, TKeyWordManager& store) {
  if (ui::TForm* active = ui::TForm::ActiveForm(); active && active != this)
    CenterWindow(Handle(), active->Handle());
  else
    CenterWindowOnScreen(Handle());
  Position = ui::TPosition::Designed;

  const bool wasOnTop = stayOnTop && stayOnTop->Checked();
  if (wasOnTop) stayOnTop->Execute();
  core::TScopeGuard restoreOnTop([&] {
    if (wasOnTop && !stayOnTop->Checked()) stayOnTop->Execute();
  });

  confirmed_ = false;
  SetCaption(keyword.Folder.empty() ? std::string(kCaption) : keyword.Folder + " - " + kCaption);
  FillList(keyword, store);
  const int last = List().Count() - 1;
  const TStringIni& options = DialogOptions ? *DialogOptions : EditorState().Dialogs;
  const int preset = options.ReadInteger("DefaultPriority", 1);
  List().SetItemIndex(std::clamp(preset, -1, last));

  ShowModal();
  chosen_ = List().ItemIndex();
  return confirmed_;
}
