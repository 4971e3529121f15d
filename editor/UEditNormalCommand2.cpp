#include "editor/UEditNormalCommand2.h"

#include "core/Basic_Env_Handler.h"
#include "core/FileIO.h"
#include "core/HotKeyUtils.h"
#include "core/KeyWordX.h"
#include "core/OSUtils.h"
#include "core/ShellLink.h"
#include "core/Sjis.h"
#include "editor/FileNameComplete.h"
#include "editor/FolderDlg.h"
#include "editor/ParamEdit.h"
#include "editor/URZEditorMain.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/GetTargetExeFile.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"
#include "ui/PageControl.h"
#include "ui/PopupMenu.h"

namespace {

using ui::Kind;

constexpr char kBoxCaption[] = "quorvane";
constexpr char kFolderTitle[] = "フォルダの選択";

// clang-format off
const ui::TLayoutRow kNormalRows[] = {
  {Kind<ui::TLabel>,    "TargetLabel",     "BasicSheet", "リンク先(&L)",             8, 104, 300,  16},
  {Kind<TFileNameComplete>, "TargetEdit",  "BasicSheet", "",                         8, 122, 300,  21},
  {Kind<ui::TButton>,   "FileButton",      "BasicSheet", "ファイル(&F)...",         312, 121,  80,  23},
  {Kind<ui::TButton>,   "ReplaceLink",     "BasicSheet", "リンク先に置換(&R)",      196, 148, 112,  23},
  {Kind<ui::TButton>,   "TargetFolder",    "BasicSheet", "フォルダ(&D)...",         312, 148,  80,  23},
  {Kind<ui::TLabel>,    "ParamLabel",      "BasicSheet", "パラメータ(&P)",            8, 156, 180,  16},
  {Kind<TParamEdit>,    "ParamEdit",       "BasicSheet", "",                         8, 176, 384,  21},
  {Kind<ui::TButton>,   "IconSwitch",      "BasicSheet", TNormalCommandDlg::kToTargetIcon, 192, 210, 200, 25},
  {Kind<ui::TLabel>,    "DirLabel",        "DetailSheet", "作業フォルダ(&F)",         8,  10, 300,  16},
  {Kind<TFileNameComplete>, "DirEdit",     "DetailSheet", "",                        8,  28, 352,  21},
  {Kind<ui::TButton>,   "DirFolder",       "DetailSheet", "...",                   364,  27,  28,  23},
  {Kind<ui::TLabel>,    "ShowStateLabel",  "DetailSheet", "表示状態(&L)",             8,  64,  90,  16},
  {Kind<ui::TComboBox>, "ShowStateBox",    "DetailSheet", "",                      100,  60, 150, 200, CBS_DROPDOWNLIST},
  {Kind<ui::TCheckBox>, "WaitCheck",       "DetailSheet", "起動したプログラムが終了するまで待つ(&W)", 8, 94, 384, 18},
  {Kind<ui::TCheckBox>, "ExpandEnvCheck",  "DetailSheet", "環境変数を展開する(&E)",   8, 116, 384, 18},
};
// clang-format on

// The names the parameter menu offers under 環境変数, each with what it stands for.
constexpr const char* kEnvironmentEntries[] = {
    "%windir%  [Windowsフォルダ]",           "%system%  [Systemフォルダ]",
    "%ActiveTitle%  [アクティブウィンドウのタイトル]", "%ActiveClass%  [アクティブウィンドウのクラス名]",
    "%ActiveExe%  [アクティブウィンドウの実行ファイル]", "%DESKTOP%  [デスクトップ]",
    "%STARTMENU%  [スタートメニュー]",       "%PROGRAMS%  [プログラム]",
    "%STARTUP%  [スタートアップ]",           "%ALTSTARTUP%  [スタートアップ(ローカル)]",
    "%PERSONAL%  [マイドキュメント]",         "%FAVORITES%  [お気に入り]",
    "%RECENT%  [最近使ったファイル]",         "%SENDTO%  [送る]",
    "%NETHOOD%  [ネットワーク]",             "%FONTS%  [フォント]",
    "%TEMPLATES%  [テンプレート]",           "%APPDATA%  [アプリケーションデータ]",
    "%PRINTHOOD%  [プリンタ]",               "%INTERNET_CACHE%  [インターネット一時ファイル]",
    "%COOKIES%  [クッキー]",                 "%HISTORY%  [履歴]",
    "%COMMON_DESKTOP%  [デスクトップ(共通)]", "%COMMON_STARTMENU%  [スタートメニュー(共通)]",
    "%COMMON_PROGRAMS%  [プログラム(共通)]",  "%COMMON_STARTUP%  [スタートアップ(共通)]",
    "%COMMON_ALTSTARTUP%  [スタートアップ(ローカル・共通)]", "%COMMON_FAVORITES%  [お気に入り(共通)]",
};

bool PathExists(const std::string& path) { return fileio::FileExists(path) || fileio::DirectoryExists(path); }

std::string Decoded(TKeyWordManager* manager, const TStringIni* data, const char* key) {
  if (!data) return std::string();
  const std::string raw = data->ReadString(key, "");
  return manager ? manager->DecodeKeyWordIDs(raw) : raw;
}

// Keeps the system's critical-error boxes (no disk in the drive) away for one scope.
class TQuietErrors {
 public:
  TQuietErrors() : old_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~TQuietErrors() { SetErrorMode(old_); }
  TQuietErrors(const TQuietErrors&) = delete;
  TQuietErrors& operator=(const TQuietErrors&) = delete;

 private:
  UINT old_;
};

}  // namespace

TNormalCommandDlg::TNormalCommandDlg(ui::TForm* owner) : TEditCommand(owner) {
  SetCaption(kCaption);
  HelpPage = "NormalCommand.html";
  TypeName = "Normal";
  KeptOutKeys.insert(KeptOutKeys.end(), {"Command", "Dir", "Param"});
  BuildNormal();
}

TNormalCommandDlg::~TNormalCommandDlg() = default;

void TNormalCommandDlg::BuildNormal() {
  BuildLayout(kNormalRows);
  Control("UseIcon").SetCaption("リンク先、作業フォルダ、アイコンの指定にキーワードを使う(&L)");
  Control("ReplaceLink").Hide();
  Control<ui::TComboBox>("ShowStateBox").SetItems({"通常表示", "最大化", "最小化"});
  Control<ui::TComboBox>("ShowStateBox").SetItemIndex(0);

  for (const char* name : {"TargetEdit", "DirEdit"}) Control<TFileNameComplete>(name).UseList = true;
  Control<ui::TEdit>("TargetEdit").OnChange = [this] { TargetChanged(); };
  Control<ui::TEdit>("ParamEdit").OnChange = [this] { ParamChanged(); };
  Control<ui::TEdit>("DirEdit").OnChange = [this] { DirChanged(); };
  Control<ui::TComboBox>("ShowStateBox").OnChange = [this] { ShowStateChanged(); };
  Control<ui::TComboBox>("ShowStateBox").OnSelect = [this] { ShowStateChanged(); };
  Control<ui::TCheckBox>("WaitCheck").OnClick = [this] {
    if (Item() && Item()->Data()) Item()->Data()->WriteInteger("Wait", Control<ui::TCheckBox>("WaitCheck").Checked() ? 1 : 0);
  };
  Control<ui::TCheckBox>("ExpandEnvCheck").OnClick = [this] {
    if (!Item() || !Item()->Data()) return;
    if (Control<ui::TCheckBox>("ExpandEnvCheck").Checked()) Item()->Data()->WriteInteger("ExpandEnvironmentStrings", 1);
    else Item()->Data()->DeleteKey("ExpandEnvironmentStrings");
  };
  Control<ui::TButton>("FileButton").OnClick = [this] { ChooseFile(); };
  Control<ui::TButton>("TargetFolder").OnClick = [this] { ChooseFolder(Control<ui::TEdit>("TargetEdit")); };
  Control<ui::TButton>("DirFolder").OnClick = [this] { ChooseFolder(Control<ui::TEdit>("DirEdit")); };
  Control<ui::TButton>("ReplaceLink").OnClick = [this] { ReplaceLink(); };
  Control<ui::TButton>("IconSwitch").OnClick = [this] { ShowPicker(!pickerShown_); };

  for (const char* name : {"NameEdit", "CommentEdit", "TargetEdit", "ParamEdit", "DirEdit"}) {
    auto& box = Control<ui::TEdit>(name);
    box.OnContextMenu = [this, &box](ui::TContextMenuEvent& e) {
      POINT at = {e.X, e.Y};
      if (e.FromKeyboard()) {
        at = {0, 0};
        ClientToScreen(box.Handle(), &at);
      }
      ShowParamMenu(box.Handle(), at.x, at.y);
      e.Handled = true;
    };
  }

  // The window picker stands where the icon button is, shown instead of it.
  const RECT iconBounds = Control("IconButton").Bounds();
  picker_ = std::make_unique<ui::TGetTargetExeFile>();
  picker_->CreatePicture(BasicSheet().Handle(), iconBounds.left + 5, iconBounds.top + 5, WS_CHILD);
  picker_->OnTargetDrop = [this](int, int, HWND, const std::string& title, const std::string& file) {
    TargetPicked(title, file);
  };

  URLReplacesBoxText = true;
  onFileDrop = [this](POINT, const std::string& files) { DropFileOrText(files); };
  onTextDrop = [this](POINT, const std::string& text) { DropFileOrText(text); };
  onURLDrop = [this](POINT, const std::string& address, const std::string& title) { DropWebAddress(address, title); };

  fileAction_.SetShortCut(kScCtrl | 'O');
  fileAction_.OnExecute = [this] { ChooseFile(); };
  // The base's action list is the form's first; a second list of our own keeps ownership plain.
  Own(std::make_unique<ui::TActionList>(*this)).Add(&fileAction_);
}

TKeyWordX* TNormalCommandDlg::Execute(TKeyWordX& item, TStringList& hotKeyLines, TKeyWordManager& manager, bool isNew,
                                      const std::string& oldName) {
  lastTarget_.clear();
  Control<TParamEdit>("ParamEdit").SetManager(&manager);
  for (const char* name : {"TargetEdit", "DirEdit"}) Control<TFileNameComplete>(name).SetManager(&manager, &item);
  return TEditCommand::Execute(item, hotKeyLines, manager, isNew, oldName);
}

void TNormalCommandDlg::ReadItem(TKeyWordX& item) {
  TKeyWordManager* m = Manager() ? Manager() : item.Manager;
  const TStringIni* data = item.Data();
  const std::string keptIcon = Decoded(m, data, "Icon");
  const int keptIndex = data ? data->ReadInteger("IIndex", 0) : 0;
  {
    // The boxes are filled first; the target change below then runs once, in order.
    filling_ = true;
    Control<ui::TEdit>("TargetEdit").SetText(Decoded(m, data, "Command"));
    Control<ui::TEdit>("ParamEdit").SetText(Decoded(m, data, "Param"));
    Control<TParamEdit>("ParamEdit").SetExcludedKeyword(item.GetKeyWord());
    Control<ui::TEdit>("DirEdit").SetText(Decoded(m, data, "Dir"));
    Control<ui::TComboBox>("ShowStateBox").SetItemIndex(data ? std::clamp(data->ReadInteger("ShowState", 0), 0, 2) : 0);
    Control<ui::TCheckBox>("ExpandEnvCheck").SetChecked(data && data->ReadInteger("ExpandEnvironmentStrings", 0) == 1);
    filling_ = false;
  }
  TargetChanged();
  if (!keptIcon.empty()) {
    item.SetIcon(keptIcon);
    item.SetIconIndex(keptIndex);
  }
  Control<ui::TCheckBox>("WaitCheck").SetChecked(item.Data() && item.Data()->ReadInteger("Wait", 0) == 1);
  TEditCommand::ReadItem(item);
}

void TNormalCommandDlg::SetIcon(HICON icon) {
  if (icon) TEditCommand::SetIcon(icon);
  ShowPicker(!icon);
}

HWND TNormalCommandDlg::PickerWindow() const { return picker_ ? picker_->Handle() : nullptr; }

void TNormalCommandDlg::ShowPicker(bool on) {
  pickerShown_ = on;
  if (picker_ && picker_->Handle()) ShowWindow(picker_->Handle(), on ? SW_SHOW : SW_HIDE);
  if (on) Control("IconButton").Hide();
  else Control("IconButton").Show();
  Control("IconSwitch").SetCaption(on ? kToNormalIcon : kToTargetIcon);
}

// ---------------------------------------------------------------------------
// Changes of the boxes

void TNormalCommandDlg::TargetChanged() {
  TKeyWordX* item = Item();
  if (filling_ || !item) return;
  const std::string text = Control<ui::TEdit>("TargetEdit").Text();
  if (!lastTarget_.empty() && sjis::EqualsIgnoreCase(text, lastTarget_)) return;
  lastTarget_ = text;
  item->SetCommand(text);
  item->SetIcon(text);

  TQuietErrors quiet;
  const std::string resolved = item->GetCommand();
  const bool isFile = fileio::FileExists(resolved);
  const bool isFolder = !isFile && fileio::DirectoryExists(resolved);
  std::string folder;
  if (isFile) folder = (sjis::FindChar(text, '\\') != sjis::npos || text == resolved) ? sjis::ExtractFilePath(text) : text + "\\";
  else if (isFolder) folder = text;
  if (!folder.empty()) folder = sjis::IncludeTrailingPathDelimiter(folder);

  if (isFile && sjis::EndsWithIgnoreCase(resolved, ".lnk")) Control("ReplaceLink").Show();
  else Control("ReplaceLink").Hide();

  const bool reachable = sjis::StartsWithIgnoreCase(resolved, "http://") ||
                         sjis::StartsWithIgnoreCase(resolved, "mailto:") || isFile || isFolder;
  Control<ui::TLabel>("TargetLabel").SetFontColor(LabelColor(reachable));
  core::TUniqueIcon icon = item->LoadIcon();
  SetIcon(icon.get());

  if ((isFile || isFolder) && (IsWindowVisible(Handle()) || IsNew())) {
    if (resolved.size() > 4 && sjis::EndsWithIgnoreCase(resolved, ".exe") && Control("FileButton").Focused()) {
      const std::string comment = GetVersionInfoString(resolved, "Comments");
      if (!comment.empty()) Control<ui::TEdit>("CommentEdit").SetText(comment);
    }
    Control<ui::TEdit>("DirEdit").SetText(folder);
    // The completing box reports no change while its page is hidden.
    DirChanged();
  }
}

void TNormalCommandDlg::ParamChanged() {
  if (!filling_ && Item()) Item()->SetParam(Control<ui::TEdit>("ParamEdit").Text());
}

void TNormalCommandDlg::DirChanged() {
  if (filling_ || !Item()) return;
  Item()->SetDir(Control<ui::TEdit>("DirEdit").Text());
  TQuietErrors quiet;
  const std::string dir = Item()->GetDir();
  Control<ui::TLabel>("DirLabel").SetFontColor(LabelColor(dir.empty() || fileio::DirectoryExists(dir)));
}

void TNormalCommandDlg::ShowStateChanged() {
  if (filling_ || !Item() || !Item()->Data()) return;
  Item()->Data()->WriteInteger("ShowState", std::max(0, Control<ui::TComboBox>("ShowStateBox").ItemIndex()));
}

void TNormalCommandDlg::UseKeywordClicked(ui::TCheckBox& box, int bit) {
  TEditCommand::UseKeywordClicked(box, bit);
  // The boxes complete keywords only where the item takes them.
  const bool on = box.Checked();
  if (&box == &Control("UseSetParam")) {
    Control<TParamEdit>("ParamEdit").SetManager(on ? Manager() : nullptr);
  } else {
    for (const char* name : {"TargetEdit", "DirEdit"})
      Control<TFileNameComplete>(name).SetManager(on ? Manager() : nullptr, on ? Item() : nullptr);
  }
  lastTarget_.clear();
  TargetChanged();
  DirChanged();
}

void TNormalCommandDlg::NameChanged() {
  TEditCommand::NameChanged();
  if (Item()) Control<TParamEdit>("ParamEdit").SetExcludedKeyword(Item()->GetKeyWord());
}

void TNormalCommandDlg::IconButtonClick() {
  Control<TFileNameComplete>("TargetEdit").SetshowPopup(false);
  TEditCommand::IconButtonClick();
}

// ---------------------------------------------------------------------------
// Buttons

void TNormalCommandDlg::ChooseFile() {
  if (!Item()) return;
  ui::TFileDialogRequest request;
  request.Owner = Handle();
  const std::string target = Item()->GetCommand();
  if (fileio::FileExists(target)) request.InitialDir = sjis::ExtractFilePath(target);
  else if (fileio::DirectoryExists(target)) request.InitialDir = target;
  bool chosen = false;
  WithoutTopMost([&] { chosen = ui::OpenFileDialog(request); });
  if (!chosen) return;
  Item()->SetCommand(request.FileName);
  ReadItem(*Item());
  TargetChanged();
}

void TNormalCommandDlg::ChooseFolder(ui::TEdit& box) {
  TFolderDlg dialog(this);
  dialog.Title = kFolderTitle;
  const std::string text = box.Text();
  if (fileio::DirectoryExists(text)) dialog.Root = text;
  else if (fileio::DirectoryExists(sjis::ExtractFilePath(text))) dialog.Root = sjis::ExtractFilePath(text);
  bool chosen = false;
  WithoutTopMost([&] { chosen = dialog.Execute(); });
  if (!chosen) return;
  box.SetText(dialog.FolderName);
  // The working-folder box reports no change while its page is hidden.
  DirChanged();
}

void TNormalCommandDlg::ReplaceLink() {
  if (!Item()) return;
  const std::string link = Item()->GetCommand();
  std::optional<TShellLinkTarget> target;
  if (sjis::EndsWithIgnoreCase(link, ".lnk")) {
    ui::TApplication* app = ui::TApplication::Current();
    target = ReadShellLinkTarget(link, app ? app->Handle() : Handle());
  }
  if (!target) {
    WithoutTopMost([&] { ui::ShowMessageBox(Handle(), kLinkFailed, kBoxCaption, MB_OK | MB_ICONEXCLAMATION); });
    return;
  }
  auto& box = Control<ui::TEdit>("TargetEdit");
  box.SetText(target->Target);
  box.Focus();
}

void TNormalCommandDlg::TargetPicked(const std::string& title, const std::string& program) {
  if (!Item() || (title == lastPickTitle_ && program == lastPickProgram_)) return;
  Item()->SetCommand(program);
  Item()->SetComment(title);
  Item()->SetIcon(program);
  Item()->SetIconIndex(0);
  Item()->SetDir(sjis::ExtractFilePath(program));
  ReadItem(*Item());
  lastPickTitle_ = title;
  lastPickProgram_ = program;
}

// ---------------------------------------------------------------------------
// Drops

std::string TNormalCommandDlg::NameFromText(const std::string& text) {
  std::vector<std::string> lines = sjis::SplitLines(text);
  std::string first;
  for (const std::string& line : lines)
    if (!sjis::Trim(line).empty()) {
      first = sjis::Trim(line);
      break;
    }
  return TKeyWordManager::ReplaceInvalidChars(first);
}

void TNormalCommandDlg::DropFileOrText(const std::string& text) {
  TKeyWordX* item = Item();
  if (!item) return;
  const std::string first = sjis::SplitLines(text).empty() ? text : sjis::SplitLines(text).front();
  std::string name;
  if (PathExists(first)) {
    item->SetCommand(first);
    item->SetIcon(first);
    const std::string fileName = sjis::ExtractFileName(sjis::ExcludeTrailingPathDelimiter(first));
    name = NameFromText(sjis::ChangeFileExt(fileName, ""));
    if (item->GetComment().empty()) item->SetComment(fileName);
  } else {
    name = NameFromText(text);
    if (item->GetComment().empty()) item->SetComment(text);
  }
  const bool nameEmpty = item->Name.empty();
  ReadItem(*item);
  if (nameEmpty) Control<ui::TEdit>("NameEdit").SetText(name);
  Control("NameEdit").Focus();
}

void TNormalCommandDlg::DropWebAddress(const std::string& address, const std::string& title) {
  TKeyWordX* item = Item();
  if (!item) return;
  item->SetCommand(address);
  item->SetIcon(address);
  if (item->GetComment().empty()) item->SetComment(title);
  const bool nameEmpty = item->Name.empty();
  ReadItem(*item);
  if (nameEmpty) Control<ui::TEdit>("NameEdit").SetText(NameFromText(title));
  Control("NameEdit").Focus();
}

// ---------------------------------------------------------------------------
// The edit boxes' menu

void TNormalCommandDlg::ShowParamMenu(HWND box, int x, int y) {
  ui::TPopupMenu menu;
  ui::TMenuItem* insert = menu.Items().Add("パラメータの挿入");
  auto add = [this, box](ui::TMenuItem* parent, std::string caption) {
    parent->Add(caption, [this, box, caption] { InsertParam(box, caption); });
  };
  add(insert, "%* [パラメータすべて]");
  static constexpr const char* kNumbers[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
  for (const char* n : kNumbers) add(insert, std::string("%") + n + " [第" + n + "パラメータ]");
  ui::TMenuItem* env = insert->Add("環境変数");
  for (const char* entry : kEnvironmentEntries) add(env, entry);
  menu.Items().Add("-");
  menu.Items().Add("切り取り(&T)", [box] { SendMessageA(box, WM_CUT, 0, 0); });
  menu.Items().Add("コピー(&C)", [box] { SendMessageA(box, WM_COPY, 0, 0); });
  menu.Items().Add("貼り付け(&P)", [box] { SendMessageA(box, WM_PASTE, 0, 0); });
  menu.Items().Add("削除(&D)", [box] { SendMessageA(box, WM_CLEAR, 0, 0); });
  menu.Items().Add("-");
  menu.Items().Add("すべて選択(&A)", [box] { SendMessageA(box, EM_SETSEL, 0, -1); });
  menu.Popup(x, y, Handle());
}

void TNormalCommandDlg::InsertParam(HWND box, const std::string& caption) {
  const size_t blank = sjis::FindChar(caption, ' ');
  const std::string text = blank == sjis::npos ? caption : caption.substr(0, blank);
  if (!WriteClipboardText(Handle(), text)) return;
  SetFocus(box);
  SendMessageA(box, WM_PASTE, 0, 0);
}
