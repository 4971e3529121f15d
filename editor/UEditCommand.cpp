#include "editor/UEditCommand.h"

#include <algorithm>

#include "core/FileIO.h"
#include "core/HotKeyUtils.h"
#include "core/KeyWordX.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "editor/ComCtrlsXP.h"
#include "editor/HotKey_Dialog.h"
#include "editor/HotKey_Edit.h"
#include "editor/SelectButton.h"
#include "editor/StdCtrlsXP.h"
#include "editor/UChangeIcon.h"
#include "editor/URZEditorMain.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"
#include "ui/PageControl.h"

namespace {

using ui::Kind;

constexpr char kNameEmpty[] = "キーワード(必ず何か入力してください)(&K)";
constexpr char kNameInvalid[] = "キーワード(使用できない文字列です)(&K)";
constexpr char kNameTaken[] = "キーワード(すでに使用されています)(&K)";
constexpr char kNameOk[] = "キーワード(&K)";
constexpr char kAskDefaults[] = "現在の設定をデフォルトに設定してもよいですか?";
constexpr char kHelpMissing[] = "ヘルプが見つかりません ";
constexpr char kBoxCaption[] = "quorvane";
constexpr char kDefaultsFolder[] = "Dialog_Default_info\\";

constexpr int kBitInputParam = 2;
constexpr int kBitIcon = 1;
constexpr int kBitSetParam = 4;

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<ui::TPageControl>, "Pages",          "", "",                                    6,   6, 428, 292, 0, ui::akLeft | ui::akTop | ui::akRight | ui::akBottom},
  {Kind<TXPTabSheet>,      "BasicSheet",     "Pages", "基本(&B)",                        0,   0,   0,   0},
  {Kind<TXPTabSheet>,      "DetailSheet",    "Pages", "詳細(&S)",                        0,   0,   0,   0},
  {Kind<TXPTabSheet>,      "AdvancedSheet",  "Pages", "高度な設定(&H)",                  0,   0,   0,   0},
  {Kind<ui::TLabel>,       "NameLabel",      "BasicSheet", kNameOk,                      8,  10, 320,  16},
  {Kind<ui::TEdit>,        "NameEdit",       "BasicSheet", "",                           8,  28, 330,  21, WS_BORDER | ES_AUTOHSCROLL},
  {Kind<ui::TButton>,      "IconButton",     "BasicSheet", "アイコンの変更",             350,  10,  42,  42, BS_BITMAP},
  {Kind<ui::TLabel>,       "CommentLabel",   "BasicSheet", "コメント(&C)",                 8,  56, 320,  16},
  {Kind<ui::TEdit>,        "CommentEdit",    "BasicSheet", "",                           8,  74, 384,  21, WS_BORDER | ES_AUTOHSCROLL},
  {Kind<ui::TButton>,      "AdvancedSwitch", "DetailSheet", TEditCommand::kShowAdvanced,               8, 232, 190,  25},
  {Kind<ui::TLabel>,       "HotKeyLabel",    "AdvancedSheet", "ショートカット(&K)",        8,  10, 160,  16},
  {Kind<THotKeyEdit>,      "HotKeyEdit",     "AdvancedSheet", "",                          8,  28, 190,  21},
  {Kind<ui::TButton>,      "HotKeyDialog",   "AdvancedSheet", "...",                     202,  27,  26,  23},
  {Kind<TSelectButton>,    "ScopeButton",    "AdvancedSheet", "範囲(&C)",                236,  27,  88,  23},
  {Kind<TXPGroupBox>,      "UseKeyword",     "AdvancedSheet", "キーワードの使用(&U)",      8,  58, 404, 124},
  {Kind<ui::TCheckBox>,    "UseInputParam",  "UseKeyword", "入力時のパラメータにキーワードを使う(&P)", 10, 18, 386, 18},
  {Kind<ui::TCheckBox>,    "UseIcon",        "UseKeyword", "アイコンの指定にキーワードを使う(&I)",     10, 38, 386, 18},
  {Kind<ui::TCheckBox>,    "UseSetParam",    "UseKeyword", "設定時のパラメータにキーワードを使う(&W)", 10, 58, 386, 18},
  {Kind<ui::TLabel>,       "UseKeywordNote", "UseKeyword", "※チェックした項目では、キーワードが\r\n   リンク先に置換されるようになります。", 10, 82, 366, 32},
  {Kind<ui::TCheckBox>,    "QuoteParam",     "AdvancedSheet", "空白を含むファイル・フォルダ名を\"で囲う(&Q)", 8, 188, 384, 18},
  {Kind<ui::TCheckBox>,    "ExpandWildCard", "AdvancedSheet", "ワイルドカードを展開して渡す(&E)", 8, 210, 384, 18},
  {Kind<ui::TButton>,      "DefaultsButton", "AdvancedSheet", "現在の設定をデフォルトとする(&D)", 8, 234, 230, 25},
  {Kind<ui::TButton>,      "OKButton",       "", "OK",                                   6, 306,  80,  26, BS_DEFPUSHBUTTON, ui::akLeft | ui::akBottom},
  {Kind<ui::TButton>,      "CancelButton",   "", "キャンセル",                          92, 306,  80,  26, 0, ui::akLeft | ui::akBottom},
  {Kind<ui::TButton>,      "DeleteButton",   "", "削除(&X)",                           178, 306,  80,  26, 0, ui::akLeft | ui::akBottom},
  {Kind<ui::TButton>,      "HelpButton",     "", "?",                                  346, 306,  26,  26, 0, ui::akRight | ui::akBottom},
  {Kind<ui::TCheckBox>,    "TopMostButton",  "", "最前面",                             376, 306,  58,  26, BS_PUSHLIKE, ui::akRight | ui::akBottom},
};
// clang-format on

// The fields of a hotkey line; TAB is the only separator, so keyword names
// with blanks stay whole.
std::vector<std::string> HotKeyFields(const std::string& line) { return SplitString(line, "\t").Items(); }

bool SamePath(const std::string& a, const std::string& b) { return sjis::EqualsIgnoreCase(a, b); }

int FirstHotKeyLine(const std::string& path, TKeyWordManager& manager, const TStringList& lines) {
  for (int i = 0; i < lines.Count(); ++i) {
    const std::vector<std::string> f = HotKeyFields(lines[i]);
    if (f.size() >= 3 && SamePath(manager.DecodeKeyWordIDs(f[0]), path)) return i;
  }
  return -1;
}

int ToInt(const std::string& s, int def) { return sjis::StrToIntDef(s, def); }

}  // namespace

TEditCommand::TEditCommand(ui::TForm* owner) : TDropFormLite(owner) {
  ui::TFormParams p;
  p.ClassName = "TEditCommand";
  p.BorderStyle = ui::TBorderStyle::Sizeable;
  p.BorderIcons = ui::biSystemMenu;
  p.ClientWidth = 440;
  p.ClientHeight = 338;
  p.DialogNavigation = true;
  Create(p);
  BuildBase();
}

TEditCommand::~TEditCommand() = default;

ui::TTabSheet& TEditCommand::BasicSheet() const { return Control<ui::TTabSheet>("BasicSheet"); }
ui::TTabSheet& TEditCommand::DetailSheet() const { return Control<ui::TTabSheet>("DetailSheet"); }

void TEditCommand::BuildBase() {
  BuildLayout(kRows);
  auto& scope = Control<TSelectButton>("ScopeButton");
  scope.SetItems({"アクティブ時に有効", "常駐時に有効"});
  scope.SetSelected(0);
  scope.OnClick = [this] { ScopeChanged(); };
  Control<ui::TButton>("HotKeyDialog").OnClick = [this] { EditHotKeyInDialog(); };
  ChooseIcon = [this](std::string& file, int& index, bool) {
    TChangeIconDialog dialog(this);
    dialog.IconFile = file;
    dialog.IconIndex = index;
    dialog.SetManager(manager_, item_);
    if (!dialog.Execute()) return false;
    file = dialog.IconFile;
    index = dialog.IconIndex;
    return true;
  };

  SetDefaultButton(&Control("OKButton"));
  SetCancelButton(&Control("CancelButton"));
  SetModalResultOf(&Control("OKButton"), IDOK);
  SetModalResultOf(&Control("CancelButton"), IDCANCEL);

  Control<ui::TEdit>("NameEdit").OnChange = [this] { NameChanged(); };
  Control<ui::TEdit>("CommentEdit").OnChange = [this] { CommentChanged(); };
  Control<ui::TButton>("IconButton").OnClick = [this] { IconButtonClick(); };
  Control<ui::TButton>("AdvancedSwitch").OnClick = [this] { SwitchAdvanced(); };
  Control<ui::TButton>("DefaultsButton").OnClick = [this] { SaveDefaults(); };
  Control<ui::TButton>("DeleteButton").OnClick = [this] { DeleteClick(); };
  Control<ui::TButton>("HelpButton").OnClick = [this] { ShowHelp(); };
  for (auto [name, bit] : {std::pair{"UseInputParam", kBitInputParam}, {"UseIcon", kBitIcon}, {"UseSetParam", kBitSetParam}}) {
    auto& box = Control<ui::TCheckBox>(name);
    box.OnClick = [this, &box, bit = bit] {
      if (IsWindowVisible(Handle())) UseKeywordClicked(box, bit);
    };
  }
  Control<ui::TCheckBox>("QuoteParam").OnClick = [this] {
    if (!item_ || !item_->Data() || !IsWindowVisible(Handle())) return;
    item_->Data()->WriteBool("QuoteParam", Control<ui::TCheckBox>("QuoteParam").Checked());
  };
  Control<ui::TCheckBox>("ExpandWildCard").OnClick = [this] {
    if (!item_ || !item_->Data() || !IsWindowVisible(Handle())) return;
    if (Control<ui::TCheckBox>("ExpandWildCard").Checked()) item_->Data()->DeleteKey("ExpandWildCard");
    else item_->Data()->WriteInteger("ExpandWildCard", 0);
  };

  actions_ = std::make_unique<ui::TActionList>(*this);
  topMost_.SetCaption("最前面");
  topMost_.SetShortCut(kScAlt | 'Z');
  topMost_.OnExecute = [this] { ToggleTopMost(); };
  topMost_.LinkControl(Control("TopMostButton").Handle());
  actions_->Add(&topMost_);
  okShift_.SetShortCut(kScShift | VK_RETURN);
  okShift_.OnExecute = [this] {
    if (Control("OKButton").Enabled()) Control<ui::TButton>("OKButton").Click();
  };
  actions_->Add(&okShift_);
  iconAction_.SetShortCut(kScCtrl | 'I');
  iconAction_.OnExecute = [this] { IconButtonClick(); };
  actions_->Add(&iconAction_);
  helpAction_.SetShortCut(VK_F1);
  helpAction_.OnExecute = [this] { ShowHelp(); };
  actions_->Add(&helpAction_);
  nextPage_.SetShortCut(kScCtrl | VK_RIGHT);
  nextPage_.OnExecute = [this] { Control<ui::TPageControl>("Pages").SelectNextPage(true); };
  actions_->Add(&nextPage_);
  prevPage_.SetShortCut(kScCtrl | VK_LEFT);
  prevPage_.OnExecute = [this] { Control<ui::TPageControl>("Pages").SelectNextPage(false); };
  actions_->Add(&prevPage_);

  OnShow = [this] { SetActiveControl(&Control("NameEdit")); };
}

// ---------------------------------------------------------------------------
// Running the dialog

TKeyWordX* TEditCommand::Execute(TKeyWordX& item, TStringList& hotKeyLines, TKeyWordManager& manager, bool isNew,
                                 const std::string& oldName) {
  TEditorState& state = EditorState();
  if (Owner()) CenterOver(Owner()->Handle());
  else CenterOnScreen();
  manager_ = &manager;
  warningColor_ = static_cast<COLORREF>(state.WarningColor);
  isNew_ = isNew;
  lastName_.clear();
  deleted_ = false;
  if (state.Dialogs.ReadInteger("TopMostChild", 0) == 1 && !topMost_.Checked()) ToggleTopMost();

  item_ = &item;
  oldName_ = oldName;
  path_ = item.GetKeyWord();
  fileio::ForceDirectories(state.UserDir + kDefaultsFolder);
  defaults_ = TStringIni();
  defaults_.LoadFromFile(state.UserDir + kDefaultsFolder + TypeName + ".ini");

  if (!item.Name.empty()) {
    std::string text;
    int scope = 0;
    if (FindHotKey(path_, manager, hotKeyLines, text, scope)) {
      // The scope first: a system-wide double press would not survive the local kind's rules.
      Control<TSelectButton>("ScopeButton").SetSelected(scope);
      ScopeChanged();
      Control<THotKeyEdit>("HotKeyEdit").SetText(text);
    }
  }

  TStringIni kept;
  if (item.Data()) kept = *item.Data();
  ReadItem(item);
  if (!item.Folder.empty()) SetCaption(Caption() + "    -" + item.Folder);
  ApplyAdvanced();

  const int result = ShowModal();
  Control("CancelButton").Focus();
  if (deleted_) return nullptr;
  if (result == IDOK) {
    StoreHotKey(item.GetKeyWord(), manager, hotKeyLines, Control<THotKeyEdit>("HotKeyEdit").Text(),
                std::max(0, Control<TSelectButton>("ScopeButton").Selected()));
    return &item;
  }
  try {
    item.SetName(oldName_);  // a copy: the caller may hand in the item's own Name
  } catch (...) {
  }
  if (!isNew && !oldName_.empty() && manager.Exists(path_) && item.Data()) *item.Data() = kept;
  return nullptr;
}

bool TEditCommand::FindHotKey(const std::string& keywordPath, TKeyWordManager& manager, const TStringList& hotKeyLines,
                              std::string& text, int& scope) {
  const int at = FirstHotKeyLine(keywordPath, manager, hotKeyLines);
  if (at < 0) return false;
  const std::vector<std::string> f = HotKeyFields(hotKeyLines[at]);
  text = HotKeyToText(static_cast<uint8_t>(ToInt(f[1], 0)), ToInt(f[2], 0), true);
  scope = f.size() >= 4 ? std::clamp(ToInt(f[3], 0), 0, 1) : 0;
  return true;
}

void TEditCommand::StoreHotKey(const std::string& keywordPath, TKeyWordManager& manager, TStringList& hotKeyLines,
                               const std::string& hotKeyText, int scope) {
  int index = FirstHotKeyLine(keywordPath, manager, hotKeyLines);
  int oldMods = -1;
  int oldKey = -1;
  if (index >= 0) {
    const std::vector<std::string> f = HotKeyFields(hotKeyLines[index]);
    oldMods = ToInt(f[1], -1);
    oldKey = ToInt(f[2], -1);
    hotKeyLines.Delete(index);
  }
  const THotKey hk = TextToHotKey(hotKeyText, true);
  // A double press has key 0 and is a hotkey all the same.
  if (!IsValidHotKey(hk.Modifiers, hk.Key)) return;
  if (index < 0 || hk.Modifiers != oldMods || hk.Key != oldKey) index = 0;
  hotKeyLines.Insert(index, manager.EncodeKeyWordIDs(keywordPath) + "\t" + std::to_string(hk.Modifiers) + "\t" +
                                std::to_string(hk.Key) + "\t" + std::to_string(scope));
}

// ---------------------------------------------------------------------------
// Filling the controls

void TEditCommand::ReadItem(TKeyWordX& item) {
  Control<ui::TEdit>("NameEdit").SetText(item.Name);
  Control<ui::TEdit>("CommentEdit").SetText(item.GetComment());
  const int bits = item.GetUseKeyWord();
  Control<ui::TCheckBox>("UseInputParam").SetChecked(bits & kBitInputParam);
  Control<ui::TCheckBox>("UseIcon").SetChecked(bits & kBitIcon);
  Control<ui::TCheckBox>("UseSetParam").SetChecked(bits & kBitSetParam);
  const TStringIni* data = item.Data();
  Control<ui::TCheckBox>("QuoteParam").SetChecked(data ? data->ReadBool("QuoteParam", true) : true);
  Control<ui::TCheckBox>("ExpandWildCard").SetChecked(data ? data->ReadBool("ExpandWildCard", true) : true);
  core::TUniqueIcon icon = item.LoadIcon();
  SetIcon(icon.get());
}

void TEditCommand::SetIcon(HICON icon) {
  auto& button = Control<ui::TButton>("IconButton");
  core::TWindowDC screen(nullptr);
  core::TUniqueMemoryDC dc(CreateCompatibleDC(screen.get()));
  core::TUniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 34, 34));
  if (!dc || !bitmap) return;
  {
    core::TSelectObject select(dc.get(), bitmap.get());
    RECT r = {0, 0, 34, 34};
    FillRect(dc.get(), &r, GetSysColorBrush(COLOR_BTNFACE));
    if (icon) DrawIconEx(dc.get(), 1, 1, icon, 32, 32, 0, nullptr, DI_NORMAL);
  }
  button.SetPicture(std::move(bitmap));
}

// ---------------------------------------------------------------------------
// Reactions

void TEditCommand::NameChanged() { CheckName(); }

void TEditCommand::CheckName() {
  if (!item_ || !manager_) return;
  auto& label = Control<ui::TLabel>("NameLabel");
  const std::string name = Control<ui::TEdit>("NameEdit").Text();
  const std::string full = item_->Folder.empty() ? name : item_->Folder + "/" + name;
  const char* caption = kNameOk;
  if (name.empty()) caption = kNameEmpty;
  else if (!TKeyWordManager::FindInvalidChars(name).empty()) caption = kNameInvalid;
  else if (manager_->Exists(full) && !SamePath(name, oldName_) && !SamePath(name, lastName_)) caption = kNameTaken;
  nameValid_ = caption == kNameOk;
  label.SetCaption(caption);
  label.SetFontColor(LabelColor(nameValid_));
  Control("OKButton").SetEnabled(nameValid_);
  if (!nameValid_) return;
  SetDefaultButton(&Control("OKButton"));
  item_->SetName(name);
  lastName_ = item_->Name;
}

void TEditCommand::CommentChanged() {
  if (item_) item_->SetComment(Control<ui::TEdit>("CommentEdit").Text());
}

void TEditCommand::UseKeywordClicked(ui::TCheckBox& box, int bit) {
  if (!item_) return;
  int bits = item_->GetUseKeyWord();
  if (box.Checked()) bits |= bit;
  else bits &= ~bit;
  item_->SetUseKeyWord(bits);
}

void TEditCommand::IconButtonClick() {
  if (!item_ || !manager_ || !ChooseIcon) return;
  Focus();
  std::string file = manager_->DecodeKeyWordIDs(item_->Data() ? item_->Data()->ReadString("Icon", "") : "");
  int index = item_->Data() ? item_->Data()->ReadInteger("IIndex", 0) : 0;
  bool chosen = false;
  WithoutTopMost([&] { chosen = ChooseIcon(file, index, Control<ui::TCheckBox>("UseIcon").Checked()); });
  if (!chosen) return;
  item_->SetIconIndex(index);
  item_->SetIcon(file);
  ReadItem(*item_);
}

void TEditCommand::ScopeChanged() {
  Control<THotKeyEdit>("HotKeyEdit")
      .SetKind(Control<TSelectButton>("ScopeButton").Selected() == 1 ? kHotKeyKindGlobal : kHotKeyKindLocal);
}

void TEditCommand::EditHotKeyInDialog() {
  auto& box = Control<THotKeyEdit>("HotKeyEdit");
  std::string text;
  WithoutTopMost([&] {
    text = Control<TSelectButton>("ScopeButton").Selected() == 1 ? EditGlobalHotKey(this, box.Text())
                                                                  : EditLocalHotKey(this, box.Text());
  });
  box.SetText(text);
}

void TEditCommand::ApplyAdvanced() {
  const bool show = EditorState().Dialogs.ReadInteger("ShowAdvanced", 0) == 1;
  Control<ui::TTabSheet>("AdvancedSheet").SetTabVisible(show);
  Control("AdvancedSwitch").SetCaption(show ? kHideAdvanced : kShowAdvanced);
}

void TEditCommand::SwitchAdvanced() {
  const bool visible = Control<ui::TTabSheet>("AdvancedSheet").TabVisible();
  EditorState().Dialogs.WriteInteger("ShowAdvanced", visible ? 0 : 1);
  ApplyAdvanced();
}

void TEditCommand::SaveDefaults() {
  if (!item_ || !item_->Data()) return;
  int answer = IDNO;
  WithoutTopMost([&] {
    MessageBeep(MB_ICONQUESTION);
    answer = ui::ShowMessageBox(Handle(), kAskDefaults, kBoxCaption, MB_YESNO | MB_ICONQUESTION);
  });
  if (answer != IDYES) return;
  TStringIni lines = *item_->Data();
  for (const std::string& key : KeptOutKeys)
    while (lines.DeleteKey(key)) {
    }
  const std::string folder = EditorState().UserDir + kDefaultsFolder;
  fileio::ForceDirectories(folder);
  lines.SaveToFile(folder + TypeName + ".ini");
  defaults_ = lines;
}

void TEditCommand::DeleteClick() {
  TEditorState& state = EditorState();
  if (!item_ || !manager_ || !state.DeleteItem) return;
  state.Busy = false;
  bool removed = false;
  WithoutTopMost([&] { removed = state.DeleteItem(&topMost_, *manager_, item_->GetKeyWord()); });
  state.Busy = true;
  if (!removed) return;
  deleted_ = true;
  SetModalResult(IDCANCEL);
}

void TEditCommand::ToggleTopMost() {
  const bool on = !topMost_.Checked();
  topMost_.SetChecked(on);
  EditorState().Dialogs.WriteInteger("TopMostChild", on ? 1 : 0);
  SetStayOnTop(on);
}

void TEditCommand::ShowHelp() {
  const std::string file = EditorState().MainDir + "Files\\doc\\window\\" + HelpPage;
  if (!fileio::FileExists(file)) {
    ui::ShowMessageBox(Handle(), kHelpMissing + file, kBoxCaption, MB_OK);
    return;
  }
  const std::string url = "file:///" + sjis::ReplaceAll(file, "\\", "/") + "#basic";
  SHELLEXECUTEINFOA start = {};
  start.cbSize = sizeof start;
  start.hwnd = Handle();
  start.lpFile = url.c_str();
  start.nShow = SW_SHOWNORMAL;
  if (manager_ && manager_->RunServices.ShellStart) manager_->RunServices.ShellStart->Start(start);
  else ShellExecuteExA(&start);
}
