#include "editor/UEditSysCommand2.h"

#include "core/KeyWordX.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/PageControl.h"

namespace {

using ui::Kind;

// clang-format off
const ui::TLayoutRow kSysRows[] = {
  {Kind<ui::TLabel>,    "KindLabel",     "BasicSheet", "コマンドの種類(&T)",   8, 104, 190,  16},
  {Kind<ui::TComboBox>, "ComboBox1",     "BasicSheet", "",                    8, 120, 190, 300, CBS_DROPDOWNLIST | WS_VSCROLL},
  {Kind<ui::TLabel>,    "ParamLabel",    "BasicSheet", "パラメータ",          206, 104, 186,  16},
  {Kind<ui::TEdit>,     "Edit3",         "BasicSheet", "",                  206, 120, 186,  21, WS_BORDER | ES_AUTOHSCROLL},
  {Kind<ui::TLabel>,    "DescLabel",     "BasicSheet", "説明:",                8, 148, 190,  16},
  {Kind<ui::TMemo>,     "Memo1",         "BasicSheet", "",                    8, 164, 384,  90},
  {Kind<ui::TTabSheet>, "InfoSheet",     "Pages",      "コマンド情報",         0,   0,   0,   0},
  {Kind<ui::TLabel>,    "InfoName",      "InfoSheet",  "コマンド名 : システムコマンド", 8, 10, 384, 16},
  {Kind<ui::TMemo>,     "InfoMemo",      "InfoSheet",  "",                    8,  30, 384, 224},
};
// clang-format on

}  // namespace

TEditSysCommand::TEditSysCommand(ui::TForm* owner) : TEditCommand(owner) {
  SetCaption(kCaption);
  FormCreate();
}

TEditSysCommand::~TEditSysCommand() = default;

void TEditSysCommand::FormCreate() {
  TypeName = "System";
  HelpPage = "SystemCommand.html";
  BuildLayout(kSysRows);
  Control<ui::TLabel>("KindLabel").SetFocusControl(Control("ComboBox1").Handle());
  Control<ui::TLabel>("ParamLabel").SetFocusControl(Control("Edit3").Handle());
  Control<ui::TMemo>("Memo1").SetReadOnly(true);
  auto& info = Control<ui::TMemo>("InfoMemo");
  info.SetReadOnly(true);
  info.SetText(kSysCommandOverview);

  std::vector<std::string> names;
  for (const TSysCommandInfo& entry : SysCommands) names.emplace_back(entry.Name);
  auto& kinds = Control<ui::TComboBox>("ComboBox1");
  kinds.SetItems(names);
  kinds.OnChange = [this] { ComboBox1Change(); };
  kinds.OnClick = [this] { ComboBox1Change(); };
  Control<ui::TEdit>("Edit3").OnChange = [this] { Edit3Change(); };
}

void TEditSysCommand::ReadItem(TKeyWordX& item) {
  TEditCommand::ReadItem(item);
  const TStringIni* data = item.Data();
  auto& kinds = Control<ui::TComboBox>("ComboBox1");
  kinds.SetItemIndex(0);
  const int entry = FindSysCommand(data ? data->ReadInteger("CommandIndex", 0) : 0);
  if (entry >= 0) kinds.SetItemIndex(entry);
  {
    filling_ = true;
    TKeyWordManager* m = Manager() ? Manager() : item.Manager;
    const std::string stored = data ? data->ReadString("Param", "") : "";
    Control<ui::TEdit>("Edit3").SetText(m ? m->DecodeKeyWordIDs(stored) : stored);
    filling_ = false;
  }
  ComboBox1Change();
}

void TEditSysCommand::ComboBox1Change() {
  const int entry = Control<ui::TComboBox>("ComboBox1").ItemIndex();
  if (entry < 0 || entry >= static_cast<int>(SysCommands.size())) return;
  const TSysCommandInfo& info = SysCommands[static_cast<size_t>(entry)];
  Control<ui::TMemo>("Memo1").SetText(info.Description);
  TKeyWordX* item = Item();
  if (!item || !item->Data()) return;
  item->Data()->WriteInteger("CommandIndex", info.CommandIndex);
  if (SysCommandOpensFolder(info.CommandIndex)) item->Data()->WriteInteger("IsDir", 1);
  else item->Data()->DeleteKey("IsDir");
}

void TEditSysCommand::Edit3Change() {
  if (filling_ || !Item()) return;
  Item()->SetParam(Control<ui::TEdit>("Edit3").Text());
}
