#include "editor/URZEditorMain.h"

#include <windows.h>

#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/KeyWordX.h"
#include "core/OSUtils.h"
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
  static TEditorState state;
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

void ShowWarning(ui::TAction* topMost, const std::string& text) {
  MessageBeep(MB_ICONEXCLAMATION);
  const bool wasOnTop = topMost && topMost->Checked();
  if (wasOnTop) topMost->Execute();
  HWND owner = GetActiveWindow();
  ui::ShowMessageBox(owner, text, ApplicationTitle(), MB_OK | MB_ICONWARNING);
  if (wasOnTop && !topMost->Checked()) topMost->Execute();
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

