#include "editor/URZEditorMain.h"

#include <windows.h>

#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/KeyWordX.h"
#include "core/OSUtils.h"
#include "core/ShellLink.h"
#include "core/File_Paths.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
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

// A box while the calling window is out of the top-most band.
static int AskOutsideTopMost(ui::TAction* topMost, const std::string& text, UINT flags) {
  const bool wasOnTop = topMost && topMost->Checked();
  if (wasOnTop) topMost->Execute();
  const int answer = ui::ShowMessageBox(GetActiveWindow(), text, ApplicationTitle(), flags);
  if (wasOnTop && !topMost->Checked()) topMost->Execute();
  return answer;
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

const char* TypeName(int type) {
  switch (type) {
    case 0: return "通常コマンド";
    case 1: return "拡張コマンド";
    case 2: return "システムコマンド";
    case 5: return "グループ";
    default: return "";
  }
}

}  // namespace

std::string DeleteConfirmText(const std::string& name, const std::string& groupPath, int type,
                              const std::string& comment, const std::string& command) {
  std::string text = "以下のキーワードを削除してもよいですか?\r\n\r\n";
  text += Label("キーワード") + name + "\r\n";
  if (!groupPath.empty()) text += Label("グループ") + groupPath + "\r\n";
  text += Label("種類") + TypeName(type) + "\r\n";
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

