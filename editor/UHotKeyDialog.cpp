#include "editor/UHotKeyDialog.h"

#include "core/HotKey_Factory.h"
#include "core/HotKey_Item.h"
#include "core/KeyWordX.h"
#include "core/WindowUtils.h"
#include "editor/HotKey_Dialog.h"
#include "editor/HotKey_Edit.h"
#include "editor/Int_Input.h"
#include "editor/ParamEdit.h"
#include "editor/SelectButton.h"
#include "ui/Button.h"
#include "ui/Label.h"

namespace {

using ui::Kind;

constexpr const char* kDialogHint = "ダイアログでキー設定(通常では入力不可能なキーも設定可能)";
constexpr const char* kScopeHint = "キーの有効範囲を設定します";

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<ui::TLabel>,    "KeyWordLabel", "", "キーワード(&K)",          8,   8, 280, 14},
  {Kind<TParamEdit>,    "KeyWordEdit",  "", "",                       8,  24, 280, 21},
  {Kind<ui::TLabel>,    "HotKeyLabel",  "", "ショートカットキー(&T)",    8,  54, 200, 14},
  {Kind<THotKeyEdit>,   "HotKeyEdit",   "", "",                       8,  70, 160, 21},
  {Kind<ui::TButton>,   "DialogButton", "", "...",                  172,  70,  21, 21},
  {Kind<TSelectButton>, "ScopeButton",  "", "範囲(&C)",              200,  69,  88, 23},
  {Kind<ui::TButton>,   "OKButton",     "", "&OK",                  132, 104,  75, 25},
  {Kind<ui::TButton>,   "CancelButton", "", "キャンセル",             213, 104,  75, 25},
};
// clang-format on

ui::TFormParams FormParams() {
  ui::TFormParams p;
  p.Caption = "ショートカットの設定";
  p.BorderStyle = ui::TBorderStyle::Dialog;
  p.BorderIcons = ui::biSystemMenu;
  p.ClientWidth = 296;
  p.ClientHeight = 137;
  return p;
}

}  // namespace

TKW_HotKeyDialog::TKW_HotKeyDialog(ui::TWindow* owner)
    : TDropFormLite(FormOfOwner(owner)), centreOwner_(owner), actions_(*this) {
  if (!Create(FormParams())) return;
  BuildLayout(kRows);
  TParamEdit& box = KeyWordBox();
  box.SetListSize(15);
  box.UseHistory = false;
  box.FileFilter = "*.*";
  box.SetshowPopup(false);
  box.Sort = false;
  box.SetMatchLevel(0);
  box.DeliminateChars = " \\/";
  box.SpecialChars = " \\/.";
  box.AddBackSlash = false;
  box.SetCCheckedList("00010");
  box.SetCListOrder("40123");
  box.CompleteAfterSpace = false;
  box.OnChange = [this] { CheckName(); };
  KeyWordLabel().SetFocusControl(box.Handle());
  TSelectButton& scope = ScopeButton();
  scope.SetItems({"アクティブ時いつでも有効", "常駐時いつでも有効"});
  scope.SetSelected(0);
  scope.OnClick = [this] { ScopeChanged(); };
  Control<ui::TButton>("DialogButton").OnClick = [this] { EditInDialog(); };

  auto& okButton = Control<ui::TButton>("OKButton");
  auto& cancelButton = Control<ui::TButton>("CancelButton");
  actions_.Add(&ok_);
  ok_.LinkControl(okButton.Handle());
  ok_.OnUpdate = [this] { ok_.SetEnabled(store_ && store_->Exists(KeyWordBox().Text())); };
  ok_.OnExecute = [this] { SetModalResult(IDOK); };
  SetDefaultButton(&okButton);
  SetCancelButton(&cancelButton);
  SetModalResultOf(&cancelButton, IDCANCEL);

  ui::TToolTipParams tp;
  tp.Owner = Handle();
  hints_.Create(tp);
  hints_.AddTool(Control("DialogButton").Handle(), std::string(kDialogHint));
  hints_.AddTool(scope.Handle(), std::string(kScopeHint));
}

TParamEdit& TKW_HotKeyDialog::KeyWordBox() const { return Control<TParamEdit>("KeyWordEdit"); }
ui::TLabel& TKW_HotKeyDialog::KeyWordLabel() const { return Control<ui::TLabel>("KeyWordLabel"); }
THotKeyEdit& TKW_HotKeyDialog::HotKeyBox() const { return Control<THotKeyEdit>("HotKeyEdit"); }
TSelectButton& TKW_HotKeyDialog::ScopeButton() const { return Control<TSelectButton>("ScopeButton"); }

void TKW_HotKeyDialog::CheckName() {
  const std::string text = KeyWordBox().Text();
  ui::TLabel& label = KeyWordLabel();
  if (text.empty() || !store_ || !store_->Exists(text)) {
    label.SetCaption(text.empty() ? "キーワード(必須)(&K)" : "キーワード(存在しません)(&K)");
    label.SetFontColor(RGB(255, 0, 0));
  } else {
    label.SetCaption("キーワード(&K)");
    label.SetFontColor(GetSysColor(COLOR_WINDOWTEXT));
  }
}

void TKW_HotKeyDialog::ScopeChanged() {
  HotKeyBox().SetKind(ScopeButton().Selected() != 0 ? kHotKeyKindGlobal : kHotKeyKindLocal);
}

void TKW_HotKeyDialog::EditInDialog() {
  THotKeyEdit& edit = HotKeyBox();
  edit.SetText(ScopeButton().Selected() != 0 ? EditGlobalHotKey(this, edit.Text()) : EditLocalHotKey(this, edit.Text()));
}

bool TKW_HotKeyDialog::Execute(std::unique_ptr<THotKeyItem>& item, TKeyWordManager& store) {
  if (!Handle() || !item) return false;
  if (HWND over = WindowedOwner(centreOwner_)) CenterWindow(Handle(), over);
  else CenterWindowOnScreen(Handle());
  store_ = &store;
  TParamEdit& box = KeyWordBox();
  box.SetManager(&store);
  box.SetText(store.DecodeKeyWordIDs(item->GetName()));
  CheckName();
  // The class's kind first, then the text: a system-wide Win or double press
  // text would not survive the local kind's rules.
  uint8_t classId = item->GetHotKeyClassInfo().ClassId;
  ScopeButton().SetSelected(classId);
  ScopeChanged();
  HotKeyBox().SetText(item->GetHotKeyText());
  ScopeChanged();
  if (ShowModal() != IDOK) return false;
  std::unique_ptr<THotKeyItem> made = HotKeyFactory().CreateByClassId(static_cast<uint8_t>(ScopeButton().Selected()));
  made->SetHotKeyText(HotKeyBox().Text());
  made->SetName(store.EncodeKeyWordIDs(box.Text()));
  item = std::move(made);
  return true;
}
