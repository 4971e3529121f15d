#include "editor/UEditGroupCommand2.h"

#include "core/KeyWordX.h"
#include "editor/CommandKindTexts.h"
#include "editor/ExtCtrlsXP.h"
#include "ui/CheckBox.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/SpinEdit.h"

namespace {

using ui::Kind;

// clang-format off
const ui::TLayoutRow kGroupRows[] = {
  {Kind<ui::TLabel>,      "KindName",        "BasicSheet",  "コマンド名 : グループ",      8, 104, 384,  16},
  {Kind<ui::TLabel>,      "DescLabel",       "BasicSheet",  "説明 : ",                   8, 124, 384,  16},
  {Kind<ui::TMemo>,       "NoteMemo",        "BasicSheet",  "",                          8, 142, 384, 112},
  {Kind<TXPRadioGroup>,   "RunModeGroup",    "DetailSheet", "実行時の動作(&R)",           8,   6, 384,  74},
  {Kind<ui::TCheckBox>,   "SyncIconCheck",   "DetailSheet", "アイコンを先頭のキーワードと同じにする(&I)", 8, 86, 384, 18},
  {Kind<ui::TCheckBox>,   "SameParamCheck",  "DetailSheet", "全てのコマンドに同じパラメータを渡す(&A)",   8, 106, 384, 18},
  {Kind<ui::TCheckBox>,   "RoopCheck",       "DetailSheet", "繰り返して実行する(&L)",     8, 126, 160, 18},
  {Kind<ui::TSpinEdit>,   "RoopCountEdit",   "DetailSheet", "",                        172, 124,  52,  21},
  {Kind<ui::TLabel>,      "RoopCountLabel",  "DetailSheet", "回繰り返す",                228, 128,  80,  16},
  {Kind<ui::TLabel>,      "RoopHint",        "DetailSheet", "(意味がわからない場合にはチェックなし)", 26, 146, 366, 16},
  {Kind<ui::TCheckBox>,   "AskRunCheck",     "DetailSheet", "実行するかどうかダイアログで確認する(&Q)",   8, 164, 384, 18},
  {Kind<ui::TCheckBox>,   "UpPriorityCheck", "DetailSheet", "このグループ内のキーワード実行時\rにその順位を上げる", 8, 186, 384, 32, BS_MULTILINE},
};
// clang-format on

}  // namespace

TEditGroupCommand::TEditGroupCommand(ui::TForm* owner) : TEditCommand(owner) {
  SetCaption(kCaption);
  TypeName = "Group";
  HelpPage = "GroupCommand.html";
  BuildGroup();
}

TEditGroupCommand::~TEditGroupCommand() = default;

void TEditGroupCommand::BuildGroup() {
  BuildLayout(kGroupRows);
  auto& note = Control<ui::TMemo>("NoteMemo");
  note.SetReadOnly(true);
  note.SetText(kGroupCommandHelp);
  auto& runMode = Control<TXPRadioGroup>("RunModeGroup");
  runMode.SetItems({"中のキーワードを全て実行", "先頭のキーワードのみ実行", "何もしない"});
  runMode.OnClick = [this] { RunModeClick(); };
  auto& count = Control<ui::TSpinEdit>("RoopCountEdit");
  count.SetRange(0, 10);
  count.OnChange = [this] { CountChange(); };
  Control<ui::TCheckBox>("SyncIconCheck").OnClick = [this] { OptionClick("SyncIcon", "SyncIconCheck"); };
  Control<ui::TCheckBox>("SameParamCheck").OnClick = [this] { OptionClick("SetSameParam", "SameParamCheck"); };
  Control<ui::TCheckBox>("RoopCheck").OnClick = [this] { OptionClick("Roop", "RoopCheck"); };
  Control<ui::TCheckBox>("AskRunCheck").OnClick = [this] { OptionClick("AskRun", "AskRunCheck"); };
  Control<ui::TCheckBox>("UpPriorityCheck").OnClick = [this] {
    if (TStringIni* data = Writable()) data->WriteInteger("UpPriority", Control<ui::TCheckBox>("UpPriorityCheck").Checked());
  };
}

TStringIni* TEditGroupCommand::Writable() const {
  if (!IsWindowVisible(Handle()) || !Item()) return nullptr;
  return Item()->Data();
}

void TEditGroupCommand::ReadItem(TKeyWordX& item) {
  TEditCommand::ReadItem(item);
  TStringIni* data = item.Data();
  const auto read = [&](const char* key, int def) { return data ? data->ReadInteger(key, def) : def; };
  const int runMode = read("RunMode", 0);
  Control<TXPRadioGroup>("RunModeGroup").SetItemIndex(runMode);
  Control<ui::TCheckBox>("SyncIconCheck").SetChecked(read("SyncIcon", 0) == 1);
  Control<ui::TCheckBox>("SameParamCheck").SetChecked(read("SetSameParam", 0) == 1);
  const bool roop = read("Roop", 0) == 1;
  Control<ui::TCheckBox>("RoopCheck").SetChecked(roop);
  Control<ui::TSpinEdit>("RoopCountEdit").SetValue(read("RoopCount", 1));
  Control<ui::TCheckBox>("AskRunCheck").SetChecked(read("AskRun", 1) == 1);
  Control<ui::TCheckBox>("UpPriorityCheck").SetChecked(read("UpPriority", 0) == 1);
  if (data && read("Roop", 0) == 0) data->WriteInteger("RoopCount", 1);
  Control("RoopCountEdit").SetEnabled(roop);
  if (runMode == 0) Control("AskRunCheck").Show();
  else Control("AskRunCheck").Hide();
}

void TEditGroupCommand::RunModeClick() {
  const int index = Control<TXPRadioGroup>("RunModeGroup").ItemIndex();
  if (index == 0) Control("AskRunCheck").Show();
  else Control("AskRunCheck").Hide();
  if (TStringIni* data = Writable(); data && index >= 0) data->WriteInteger("RunMode", index);
}

void TEditGroupCommand::OptionClick(const char* key, const char* box) {
  if (TStringIni* data = Writable()) data->WriteInteger(key, Control<ui::TCheckBox>(box).Checked() ? 1 : 0);
  FollowRepeat();
}

void TEditGroupCommand::FollowRepeat() {
  Control("RoopCountEdit").SetEnabled(Control<ui::TCheckBox>("RoopCheck").Checked());
  TStringIni* data = Item() ? Item()->Data() : nullptr;
  if (data && data->ReadInteger("Roop", 0) == 0) data->WriteInteger("RoopCount", 1);
}

void TEditGroupCommand::CountChange() {
  if (TStringIni* data = Writable()) data->WriteInteger("RoopCount", Control<ui::TSpinEdit>("RoopCountEdit").Value());
}
