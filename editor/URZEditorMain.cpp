#include "editor/URZEditorMain.h"

#include <windows.h>

#include "core/Debug_Unit.h"
#include "core/ExpandEnvStrings.h"
#include "core/FileIO.h"
#include "core/KeyWordX.h"
#include "core/OSUtils.h"
#include "core/ShellLink.h"
#include "core/File_Paths.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "editor/UEditGroupCommand2.h"
#include "editor/UEditNormalCommand2.h"
#include "editor/UEditSysCommand2.h"
#include "editor/UFileListDialog.h"
#include "editor/UProgressDialog.h"
#include "editor/USelectCommand.h"
#include "editor/USelectPriority.h"
#include "ui/ActionList.h"
#include "ui/Application.h"
#include "ui/CopyData.h"
#include "ui/MessageBox.h"

namespace {

std::string WithBackslash(std::string folder) {
  if (!sjis::EndsWithChar(folder, '\\')) folder += '\\';
  return folder;
}

}  // namespace

void TEditorState::Load(const TFilePaths& paths) {
  UserDir = WithBackslash(paths.UserDir);
  ItemsDir = WithBackslash(paths.ItemsDir);
  MainDir = WithBackslash(paths.MainDir);

  Dialogs = TStringIni();
  if (fileio::FileExists(UserFile(kDialogsFileName))) Dialogs.LoadFromFile(UserFile(kDialogsFileName));

  HotKeyLines.Clear();
  HotKeyLinesLoaded = true;
  std::string text;
  if (fileio::ReadWholeFile(UserFile(kHotKeyFileName), text)) {
    HotKeyLines.SetText(text);
  } else if (fileio::FileExists(UserFile(kHotKeyFileName))) {
    HotKeyLinesLoaded = false;
    DebugOut().Write("TEditorState.Load: ShortCut.txt could not be read").WriteLn();
  }

  WarningColor = kDefaultWarningColor;
  if (fileio::FileExists(UserFile(kSettingsFileName))) {
    TStringIni settings;
    settings.LoadFromFile(UserFile(kSettingsFileName));
    WarningColor = GetCommaInt(settings.ReadString("Comment_C", ""), kDefaultWarningColor, 1);
  }
}

void TEditorState::SaveDialogs() const { Dialogs.SaveToFile(UserFile(kDialogsFileName)); }

TEditorState& EditorState() {
  static TEditorState state = [] {
    TEditorState s;
    s.DeleteItem = DeleteItemConfirm;
    return s;
  }();
  return state;
}

namespace {

HWND ApplicationWindow() {
  ui::TApplication* app = ui::TApplication::Current();
  return app ? app->Handle() : nullptr;
}

std::string ApplicationTitle() {
  ui::TApplication* app = ui::TApplication::Current();
  return app && !app->Title().empty() ? app->Title() : std::string("quorvane");
}

// The folder of the running program, with a trailing "\".
std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return sjis::ExtractFilePath(std::string(path, n < MAX_PATH ? n : 0));
}

}  // namespace

namespace {

// Takes the calling window out of the top-most band for one scope (a box or a
// dialog in front of it) and puts it back, unless the toggle was switched
// meanwhile.
class TOutsideTopMost {
 public:
  explicit TOutsideTopMost(ui::TAction* topMost) : topMost_(topMost && topMost->Checked() ? topMost : nullptr) {
    if (topMost_) topMost_->Execute();
  }
  ~TOutsideTopMost() {
    if (topMost_ && !topMost_->Checked()) topMost_->Execute();
  }
  TOutsideTopMost(const TOutsideTopMost&) = delete;
  TOutsideTopMost& operator=(const TOutsideTopMost&) = delete;

 private:
  ui::TAction* topMost_;
};

}  // namespace

// A box while the calling window is out of the top-most band.
static int AskOutsideTopMost(ui::TAction* topMost, const std::string& text, UINT flags) {
  TOutsideTopMost outside(topMost);
  return ui::ShowMessageBox(GetActiveWindow(), text, ApplicationTitle(), flags);
}

void ShowWarning(ui::TAction* topMost, const std::string& text) {
  MessageBeep(MB_ICONEXCLAMATION);
  AskOutsideTopMost(topMost, text, MB_OK | MB_ICONWARNING);
}

namespace {

// A label padded with blanks to 16 bytes.
std::string Label(const std::string& label) {
  std::string l = label;
  if (l.size() < 16) l.append(16 - l.size(), ' ');
  return l;
}

}  // namespace

const char* KeywordTypeName(int type) {
  switch (type) {
    case 0: return "通常コマンド";
    case 1: return "拡張コマンド";
    case 2: return "システムコマンド";
    case 5: return "グループ";
    default: return "";
  }
}

std::string DeleteConfirmText(const std::string& name, const std::string& groupPath, int type,
                              const std::string& comment, const std::string& command) {
  std::string text = "以下のキーワードを削除してもよいですか?\r\n\r\n";
  text += Label("キーワード") + name + "\r\n";
  if (!groupPath.empty()) text += Label("グループ") + groupPath + "\r\n";
  text += Label("種類") + KeywordTypeName(type) + "\r\n";
  text += Label("コメント") + comment + "\r\n";
  if (type == 0) text += Label("リンク先") + command;
  return text;
}

void DropStaleHotKeyLines(TStringList& lines, TKeyWordManager& manager) {
  for (int i = lines.Count() - 1; i >= 0; --i) {
    const std::string& line = lines[i];
    const std::string name = line.substr(0, line.find('\t'));
    if (sjis::StartsWithChar(name, '*')) continue;
    if (!manager.Exists(manager.DecodeKeyWordIDs(name))) lines.Delete(i);
  }
}

bool DeleteItemConfirm(ui::TAction* topMost, TKeyWordManager& manager, const std::string& path) {
  TEditorState& state = EditorState();
  if (state.Busy) {
    ShowWarning(topMost, "他のキーワードを編集中です");
    return false;
  }
  TBusyScope busy(state);
  std::unique_ptr<TKeyWordX> item = manager.FindKeyWord(path);
  if (!item) {
    ShowWarning(topMost, "指定されたキーワードは存在しません\r\n    " + path);
    return false;
  }
  const int type = item->GetType();
  const std::string text =
      DeleteConfirmText(item->Name, item->Folder, type, item->GetComment(), type == 0 ? item->GetCommand() : "");
  MessageBeep(MB_ICONQUESTION);
  if (AskOutsideTopMost(topMost, text, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  item->Delete();
  DropStaleHotKeyLines(state.HotKeyLines, manager);
  return true;
}

std::string ReloadNotice(const std::string& oldItem, const std::string& newItem) {
  return "/ReLoad\r\n/OldItem=" + oldItem + "\r\n/NewItem=" + newItem + "\r\n";
}

std::vector<TNotifyTarget> ReadNotifyTargets(const std::string& text) {
  std::vector<TNotifyTarget> targets;
  TStringList lines;
  lines.SetText(text);
  for (const std::string& line : lines) {
    TStringList fields;
    fields.SetDelimitedText(line, '\t', '"');
    if (fields.Empty() || fields[0].empty()) continue;
    targets.push_back({fields[0], fields.Count() > 1 ? fields[1] : std::string()});
  }
  return targets;
}

void SaveAndNotify(TKeyWordManager& manager) {
  TEditorState& state = EditorState();
  try {
    manager.Save();
  } catch (const std::exception& e) {
    DebugOut().Write("URZEditorMain.SaveAndNotify:").Write(e.what()).WriteLn();
    ui::ShowMessageBox(ApplicationWindow(), "キーワードデータ保存失敗", "quorvane", MB_OK);
  }
  if (state.HotKeyLinesLoaded) {
    fileio::WriteFileReplacing(state.UserFile(kHotKeyFileName), state.HotKeyLines.GetText());
  } else {
    // What is on disk is the user's; the lines in hand are not.
    DebugOut().Write("URZEditorMain.SaveAndNotify: ShortCut.txt left as it is").WriteLn();
  }
  std::string text;
  if (fileio::ReadWholeFile(ProgramFolder() + "notify.txt", text)) {
    const std::string notice = ReloadNotice(state.OldItem, state.NewItem);
    for (const TNotifyTarget& t : ReadNotifyTargets(text)) {
      HWND target = FindWindowA(t.ClassName.c_str(), t.Caption.c_str());
      if (target) ui::SendCopyData(target, ApplicationWindow(), 1, notice);
    }
  }
  Sleep(100);
  if (HWND app = ApplicationWindow()) ForceForegroundWindow(app);
  if (ui::TApplication* app = ui::TApplication::Current()) app->ProcessMessages();
  Sleep(100);
  if (HWND app = ApplicationWindow()) ForceForegroundWindow(app);
}

HWND FindLauncherWindow() { return FindWindowA("TZMRTMain", "quorvanemain"); }

void SendIngMessage(bool force) {
  HWND launcher = FindLauncherWindow();
  DebugOut().Write("URZEditorMain.SendIngMessage.MainHandle : ").WriteInt(reinterpret_cast<INT_PTR>(launcher)).WriteLn();
  if (!launcher) return;
  if (!force && (!IsWindowVisible(launcher) || IsIconic(launcher))) return;
  DebugOut().Write("URZEditorMain.SendIngMessage : FocusToMain").WriteLn();
  ui::SendCopyData(launcher, nullptr, 1, "/Activate", ui::TCopyDataEnd::NoNul);
}

namespace {

const char* DefaultsFileOf(int type) {
  switch (type) {
    case kTypeCommand: return "Normal.ini";
    case kTypeSystem: return "System.ini";
    case kTypeGroup: return "Group.ini";
    default: return nullptr;
  }
}

bool PathExists(const std::string& path) { return fileio::FileExists(path) || fileio::DirectoryExists(path); }

}  // namespace

std::string ItemNameFromCommand(const std::string& command) {
  const std::string last = sjis::ExtractFileName(sjis::ExcludeTrailingPathDelimiter(command));
  const std::string ext = sjis::ExtractFileExt(last);
  std::string name = TKeyWordManager::ReplaceInvalidChars(last.substr(0, last.size() - ext.size()));
  if (name.empty() && !command.empty()) {
    // One whole character: the first byte alone may be half of one.
    name = TKeyWordManager::ReplaceInvalidChars(command.substr(0, sjis::CharLen(command, 0)));
  }
  return name;
}

namespace {

void ApplyDefaultsFile(TKeyWordX& item, int type) {
  const char* file = DefaultsFileOf(type);
  if (!file) return;
  const std::string folder = EditorState().UserFile("Dialog_Default_info");
  fileio::ForceDirectories(folder);
  std::string text;
  if (!fileio::ReadWholeFile(folder + "\\" + file, text)) return;
  TStringList lines;
  lines.SetText(text);
  TStringIni* data = item.Data();
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string name = lines.Name(i);
    if (name.empty() || name == "IsDir") continue;
    const std::string value = lines.ValueFromIndex(i);
    if (sjis::EqualsIgnoreCase(name, "Keyword")) {
      if (item.Name.empty()) item.SetName(value);
    } else if (data && data->ReadString(name, "").empty()) {
      data->WriteString(name, value);
    }
  }
}

}  // namespace

bool ReadShortCutInto(TKeyWordX& item) {
  const std::optional<TShellLinkTarget> target = ReadShellLinkTarget(item.GetCommand(), ApplicationWindow());
  if (!target) return false;
  item.SetCommand(target->Target);
  item.SetDir(target->Folder);
  item.SetParam(target->Arguments);
  item.SetIcon(target->Icon);
  item.SetIconIndex(target->IconIndex);
  return true;
}

void ApplyItemDefaults(TKeyWordX& item, bool analyzeShortCut) {
  const int type = item.GetType();
  if (!DefaultsFileOf(type)) return;
  ApplyDefaultsFile(item, type);
  if (type == kTypeCommand && PathExists(item.GetCommand())) {
    if (item.Name.empty()) item.SetName(ItemNameFromCommand(item.GetCommand()));
    if (analyzeShortCut) ReadShortCutInto(item);
    const std::string command = item.GetCommand();
    if (item.GetDir().empty())
      item.SetDir(fileio::DirectoryExists(command) ? command : sjis::ExtractFilePath(command));
    if (!item.GetDir().empty()) item.SetDir(sjis::IncludeTrailingPathDelimiter(item.GetDir()));
    if (sjis::CharCount(command) > 4 && sjis::EndsWithIgnoreCase(command, ".exe")) {
      const std::string comments = GetVersionInfoString(command, "Comments");
      if (!comments.empty()) item.SetComment(comments);
    }
  }
  const std::string command = item.GetCommand();
  if (item.GetIcon().empty() && (type != kTypeCommand || !command.empty())) {
    if (type == kTypeCommand) item.SetIcon(command);
    else if (type == kTypeSystem) item.SetIcon("%IconDir\\SYSTEMKEYWORD.ico");
    else item.SetIcon("%IconDir\\Group.ico");
  }
}


// ---- Requests ----

namespace {

std::string CutTrailingBackslash(std::string keyword) {
  if (sjis::EndsWithChar(keyword, '\\')) keyword.pop_back();
  return keyword;
}

std::string CutTrailingLineBreak(std::string text) {
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
  return text;
}

bool ShiftHeld() { return GetAsyncKeyState(VK_SHIFT) < 0; }

// The folder part of a keyword path ("" in the root) and its last part.
void SplitKeywordPath(const std::string& path, std::string& folder, std::string& name) {
  const size_t slash = sjis::FindLastChar(path, '/');
  folder = slash == sjis::npos ? std::string() : path.substr(0, slash);
  name = slash == sjis::npos ? path : path.substr(slash + 1);
}

template <class Dialog>
TKeyWordX* RunKindDialog(ui::TForm* owner, TKeyWordX& item, TKeyWordManager& manager, bool isNew, bool& deleted) {
  Dialog dialog(owner);
  TKeyWordX* result = dialog.Execute(item, EditorState().HotKeyLines, manager, isNew, item.Name);
  deleted = dialog.Deleted();
  return result;
}

}  // namespace

bool EditItemDialog(ui::TAction* topMost, std::unique_ptr<TKeyWordX>& item, bool isNew, TKeyWordManager& manager,
                    ui::TForm* owner, bool* deleted) {
  if (deleted) *deleted = false;
  TEditorState& state = EditorState();
  if (state.Busy) {
    ShowWarning(topMost, "他のキーワードを編集中です");
    return false;
  }
  if (!item) return false;
  TBusyScope busy(state);
  TOutsideTopMost outside(topMost);
  TKeyWordX* result = nullptr;
  bool gone = false;
  try {
    switch (item->GetType()) {
      case kTypeCommand: result = RunKindDialog<TNormalCommandDlg>(owner, *item, manager, isNew, gone); break;
      case kTypeSystem: result = RunKindDialog<TEditSysCommand>(owner, *item, manager, isNew, gone); break;
      case kTypeGroup: result = RunKindDialog<TEditGroupCommand>(owner, *item, manager, isNew, gone); break;
      default: break;
    }
  } catch (...) {
    // A fault inside a dialog counts as a cancel; the caller undoes its part.
    LogSwallowed("URZEditorMain.EditItemDialog");
    result = nullptr;
  }
  if (deleted) *deleted = gone;
  return result != nullptr;
}

std::unique_ptr<TKeyWordX> CreateItem(ui::TAction* topMost, TKeyWordManager& manager, const std::string& path,
                                      bool analyzeShortCut, int type, const std::string& comment,
                                      const std::string& command) {
  TEditorState& state = EditorState();
  if (state.Busy) {
    ShowWarning(topMost, "他のキーワードを編集中です");
    return nullptr;
  }
  TBusyScope busy(state);

  std::string p = path;
  if (sjis::EndsWithChar(p, '/') && command.empty()) {
    p.pop_back();
    type = kTypeGroup;
  }
  std::string folder;
  std::string name;
  if (manager.IsValidPath(p)) {
    if (manager.Exists(p)) p = path;
    SplitKeywordPath(p, folder, name);
  } else {
    name = TKeyWordManager::ReplaceInvalidChars(path);
  }
  if (!command.empty() && type == -1) type = kTypeCommand;

  std::unique_ptr<TKeyWordX> item;
  std::unique_ptr<TKeyWordX> existing =
      command.empty() && type == -1 && !p.empty() ? manager.FindKeyWord(p) : nullptr;
  if (existing && existing->GetType() == kTypeGroup) {
    item = manager.NewKeyWord(std::string(), existing->GetKeyWord(), -1);
  } else if (existing) {
    type = existing->GetType();
    item = existing->CopyTo(existing->Folder);
  } else {
    item = manager.NewKeyWord(name, folder, type);
  }
  if (!item) {
    ui::ShowMessageBox(ApplicationWindow(), "キーワード作成失敗 (" + name + ")", "quorvane", MB_OK);
    return nullptr;
  }
  if (!command.empty()) item->SetCommand(command);

  if (type == -1) {
    const std::string plugins = state.UserDir + "plugin";
    fileio::ForceDirectories(plugins);
    std::unique_ptr<TStringIni> kind;
    try {
      TSelectCommand dialog(nullptr);
      kind = dialog.Execute(&manager, std::string(), plugins);
    } catch (...) {
      LogSwallowed("URZEditorMain.CreateItem");
      kind.reset();
    }
    if (!kind) {
      item->Delete();
      return nullptr;
    }
    if (TStringIni* data = item->Data()) data->Lines = kind->Lines;
    item->TypeCache = -1;
  }
  if (!comment.empty()) item->SetComment(comment);
  item->MoveDown();
  ApplyItemDefaults(*item, analyzeShortCut);
  return item;
}

std::unique_ptr<TKeyWordX> GroupItem(ui::TAction* topMost, TKeyWordManager& manager, TKeyWordX& item,
                                     const std::string& comment, const std::string& command,
                                     std::unique_ptr<TKeyWordX>& moved) {
  const std::string path = item.GetKeyWord();
  const int position = item.GetIndex();
  const std::string folder = item.Folder;
  const std::string name = item.Name;
  std::unique_ptr<TKeyWordX> group = CreateItem(topMost, manager, path, false, kTypeGroup, comment, command);
  if (!group) {
    ShowWarning(topMost, "変換失敗" + path);
    return nullptr;
  }
  if (TStringIni* data = group->Data()) {
    data->WriteInteger("RunMode", 1);
    data->WriteInteger("SyncIcon", 1);
  }
  group->SetUseKeyWord(item.GetUseKeyWord());
  group->SetFolder(folder);
  item.SetFolder(group->GetKeyWord());
  group->SetName(name);
  group->SetIndex(position);
  moved = manager.FindKeyWord(group->GetKeyWord() + "/" + name);
  if (!moved) {
    ShowWarning(topMost, "変換失敗" + path);
    return nullptr;
  }
  return group;
}

namespace {

// The request in hand and what it has done so far.
class TRequestRun {
 public:
  TRequestRun(TStringIni& request, TKeyWordManager* manager) : request_(request), state_(EditorState()) {
    window_ = state_.Window;
    if (manager) {
      manager_ = manager;
    } else if (window_) {
      manager_ = &window_->RequestManager();
    } else {
      own_ = std::make_unique<TKeyWordManager>(state_.ItemsDir, state_.MainDir);
      manager_ = own_.get();
    }
    topMost_ = window_ ? window_->TopMostAction() : nullptr;
  }

  bool Run();

 private:
  void ChangeToGroup();
  void Select();
  void Edit();
  void NewBulk();
  void New();
  void Delete();
  bool Finish();
  void NotFound() { ShowWarning(topMost_, "該当するキーワードはありません  " + keyword_); }
  int DialogsValue(const char* key, int def) const { return state_.Dialogs.ReadInteger(key, def); }

  TStringIni& request_;
  TEditorState& state_;
  IRequestWindow* window_ = nullptr;
  std::unique_ptr<TKeyWordManager> own_;
  TKeyWordManager* manager_ = nullptr;
  ui::TAction* topMost_ = nullptr;
  std::string keyword_;
  std::string command_;
  bool changed_ = false;
  bool result_ = false;
};

bool TRequestRun::Run() {
  command_ = request_.ReadString("Command", "");
  const std::string action = request_.ReadString("Action", "");
  keyword_ = CutTrailingBackslash(request_.ReadString("Keyword", ""));
  state_.OldItem = state_.NewItem = keyword_;
  command_ = CutTrailingLineBreak(command_);

  std::string act = action;
  if (sjis::EqualsIgnoreCase(action, "RegistActive")) {
    command_ = ExpandEnvStringsText("%ActiveExe%");
    request_.WriteString("Comment", ExpandEnvStringsText("%ActiveTitle%"));
    act = "New";
  }
  if (sjis::EqualsIgnoreCase(act, "ChangeToGroup")) {
    ChangeToGroup();
  } else if (sjis::EqualsIgnoreCase(act, "Select")) {
    Select();
  } else if (sjis::EqualsIgnoreCase(act, "Edit")) {
    Edit();
  } else if (sjis::EqualsIgnoreCase(act, "New")) {
    if (sjis::Contains(command_, "\n")) NewBulk();
    else New();
  } else if (sjis::EqualsIgnoreCase(act, "Delete")) {
    Delete();
  }
  return Finish();
}

void TRequestRun::ChangeToGroup() {
  if (window_) {
    if (keyword_.empty()) {
      result_ = true;
      return;
    }
    if (!window_->SelectAndShow(keyword_)) return NotFound();
    window_->RunGroupAction();
    return;
  }
  std::unique_ptr<TKeyWordX> item = manager_->FindKeyWord(keyword_);
  if (!item) return NotFound();
  if (item->GetType() == kTypeGroup) {
    ShowWarning(topMost_, "そのキーワードはすでにグループです  " + keyword_);
    return;
  }
  const int position = item->GetIndex();
  const std::string folder = item->Folder;
  const std::string name = item->Name;
  std::unique_ptr<TKeyWordX> moved;
  // A group whatever the request's Type says: anything else would leave the
  // item below a keyword that holds no members.
  std::unique_ptr<TKeyWordX> group =
      GroupItem(topMost_, *manager_, *item, request_.ReadString("Comment", item->GetComment()), command_, moved);
  if (!group) return;
  bool deleted = false;
  if (EditItemDialog(topMost_, group, false, *manager_, nullptr, &deleted)) {
    state_.NewItem = moved->GetKeyWord();
    changed_ = true;
    return;
  }
  if (deleted) {
    // The dialog took the group (and the item in it) away itself.
    state_.NewItem.clear();
    changed_ = true;
    return;
  }
  moved->SetFolder(folder);
  moved->SetIndex(position);
  group->Delete();
  moved->SetName(name);
}

void TRequestRun::Select() {
  if (window_) {
    if (keyword_.empty()) {
      window_->ClearSelection();
      return;
    }
    if (!window_->SelectAndShow(keyword_)) NotFound();
    return;
  }
  if (keyword_.empty()) {
    result_ = true;
    return;
  }
  if (!manager_->Exists(keyword_)) return NotFound();
  state_.SelectKeyword = keyword_;
  result_ = true;
}

void TRequestRun::Edit() {
  if (keyword_.empty()) {
    result_ = true;
    return;
  }
  std::unique_ptr<TKeyWordX> item = manager_->FindKeyWord(keyword_);
  if (!item) return NotFound();
  const bool hasCommand = !command_.empty();
  if (window_) {
    window_->SelectAndShow(keyword_);
    TStringList kept;
    if (item->Data()) kept = item->Data()->Lines;
    if (hasCommand) {
      item->SetCommand(command_);
      item->SetIcon(command_);
      if (fileio::FileExists(command_))
        item->Data()->WriteString("dir", sjis::ExcludeTrailingPathDelimiter(sjis::ExtractFilePath(command_)));
      else if (fileio::DirectoryExists(command_))
        item->Data()->WriteString("dir", command_);
    }
    if (!window_->RunEditAction()) {
      // The dialog may have deleted the item: only a live one gets its lines back.
      if (std::unique_ptr<TKeyWordX> still = manager_->FindKeyWord(keyword_); still && still->Data())
        still->Data()->Lines = kept;
    }
    window_->SelectAndShow(keyword_);
    return;
  }
  state_.NewItem = item->GetKeyWord();
  // The command a request brings is kept only when the dialog is confirmed.
  TStringList kept;
  if (item->Data()) kept = item->Data()->Lines;
  if (hasCommand) {
    item->SetCommand(command_);
    item->SetIcon(command_);
  }
  bool deleted = false;
  const bool confirmed = EditItemDialog(topMost_, item, hasCommand, *manager_, nullptr, &deleted);
  if (deleted) {
    state_.NewItem.clear();
  } else {
    if (!confirmed && item->Data()) item->Data()->Lines = kept;
    state_.NewItem = item->GetKeyWord();
  }
  changed_ = true;
}

void TRequestRun::NewBulk() {
  TStringList lines;
  lines.SetText(command_);
  TStringList paths;
  for (const std::string& line : lines)
    if (!line.empty()) paths.Add(line);
  bool go = false;
  {
    TFileListDialog list(nullptr, state_.Dialogs);
    try {
      go = list.Execute(paths, request_.Lines) && !paths.Empty();
    } catch (...) {
      // Counted as cancelled; the window's unsaved changes stay.
      LogSwallowed("URZEditorMain.NewBulk");
      go = false;
    }
  }
  if (!go) return;
  request_.WriteInteger("EnableSave", 0);
  TProgressDialog progress(nullptr, [](TStringList& lines, TKeyWordManager& manager) {
    TStringIni one;
    one.Lines = lines;
    ExecuteParamActionEx(one, &manager);
  });
  progress.Execute(paths, request_.Lines, *manager_);
  request_.WriteInteger("EnableSave", 1);
  changed_ = true;
}

void TRequestRun::New() {
  const bool analyze = request_.ReadBool("AnalyzeShortCut", DialogsValue("AnalyzeShortCut", 0) != 0);
  std::unique_ptr<TKeyWordX> item = CreateItem(topMost_, *manager_, keyword_, analyze,
                                               request_.ReadInteger("Type", -1), request_.ReadString("Comment", ""),
                                               command_);
  if (!item) return;
  const bool show = request_.ReadBool("ShowDialog", true) && DialogsValue("ShowDialogWhenRegist", 1) != 0;
  if (window_) {
    window_->PlaceNewItem(std::move(item), show);
    return;
  }
  if (!show) {
    if (item->Name.empty()) item->SetName("Keyword");
    item->SetIndex(DialogsValue("DefaultPriority", 1));
    state_.NewItem = item->GetKeyWord();
    changed_ = true;
    return;
  }
  bool deleted = false;
  if (!EditItemDialog(topMost_, item, true, *manager_, nullptr, &deleted)) {
    if (!deleted) item->Delete();
    state_.NewItem.clear();
    changed_ = deleted;
    return;
  }
  changed_ = true;
  int position = DialogsValue("DefaultPriority", 1);
  if (DialogsValue("SelectPriority", 0) == 1) {
    TSelectPriority priority(nullptr);
    if (!priority.Execute(topMost_, *item, *manager_)) {
      item->Delete();
      state_.NewItem.clear();
      changed_ = false;
      return;
    }
    position = priority.ChosenIndex();
  }
  item->SetIndex(position);
  state_.NewItem = item->GetKeyWord();
}

void TRequestRun::Delete() {
  if (window_) {
    if (!window_->SelectAndShow(keyword_)) return NotFound();
    window_->RunDeleteAction();
    state_.NewItem.clear();
    return;
  }
  if (DeleteItemConfirm(topMost_, *manager_, keyword_)) {
    state_.NewItem.clear();
    changed_ = true;
  }
}

bool TRequestRun::Finish() {
  if (!window_ && changed_ && request_.ReadInteger("EnableSave", 1) == 1) {
    SaveAndNotify(*manager_);
    own_.reset();
    SendIngMessage(false);
    result_ = ShiftHeld();
  } else {
    state_.OldItem = state_.NewItem = "%All";
  }
  return result_;
}

}  // namespace

bool ExecuteParamActionEx(TStringIni& request, TKeyWordManager* manager) {
  TRequestRun run(request, manager);
  return run.Run();
}

bool ExecuteParamAction(TStringIni& request) { return ExecuteParamActionEx(request, nullptr); }
