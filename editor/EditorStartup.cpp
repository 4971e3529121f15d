#include "editor/EditorStartup.h"

#include <windows.h>

#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/Sjis.h"
#include "editor/URZEditorMain.h"
#include "editor/USettingForm.h"
#include "editor/UVersion.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/CopyData.h"

TEditorModeHooks DefaultEditorModeHooks() {
  TEditorModeHooks hooks;
  hooks.RunSetting = [](const TStringList& params) {
    TSettingServices services;
    // The window writes Dialogs.ini itself; the program's copy must not
    // overwrite it at the end.
    services.DetachEditorDialogs = [] { EditorState().DialogsDetached = true; };
    services.SendIngMessage = SendIngMessage;
    RunSettingWindow(params, std::move(services));
  };
  hooks.ExecuteParamAction = ExecuteParamAction;
  hooks.RunManager = [execute = hooks.ExecuteParamAction] {
    TRZEditorMain manager(execute);
    ui::TApplication::Current()->SetMainForm(&manager);
    manager.Show();
    ui::TApplication::Current()->Run();
    ui::TApplication::Current()->SetMainForm(nullptr);
  };
  return hooks;
}

TModeInstance::TModeInstance(const TEditorModeInfo& mode) {
  // Not owned: it only tells later starts that this one runs. Opening first
  // and creating after would let two starts at once both pass the open.
  HANDLE mutex = CreateMutexA(nullptr, FALSE, mode.MutexName);
  const DWORD error = GetLastError();
  mutex_ = mutex;
  // A mutex of another user's session exists too when it may not be opened.
  first_ = !(error == ERROR_ALREADY_EXISTS || (!mutex && error == ERROR_ACCESS_DENIED));
}

TModeInstance::~TModeInstance() {
  if (mutex_) CloseHandle(mutex_);
}

bool HandOverToRunningEditor(const TEditorModeInfo& mode, const TStringList& params) {
  HWND running = FindWindowA(mode.WindowClass, nullptr);
  if (!running) return false;
  // The record is always real, also for the version window that reads
  // nothing: a null one cannot cross into another process.
  ui::SendCopyData(running, running, EditorHandOverDataWord(mode.Mode), EditorHandOverText(mode.Mode, params),
                   ui::TCopyDataEnd::NoNul);
  return true;
}

namespace {

void RunVersion() {
  TQVVersionDialog dialog;
  ui::TApplication::Current()->SetMainForm(&dialog);
  dialog.Show();
  ui::TApplication::Current()->Run();
  ui::TApplication::Current()->SetMainForm(nullptr);
}

void RunManagerMode(const TStringList& params, const TEditorModeHooks& hooks, ui::TApplication& app) {
  TEditorState& state = EditorState();
  fileio::ForceDirectories(sjis::ExcludeTrailingPathDelimiter(state.UserDir));
  bool showWindow = true;
  if (!params.Empty()) {
    TStringIni request;
    request.Lines = params;
    showWindow = hooks.ExecuteParamAction(request);
  }
  if (showWindow) {
    app.SetTitle(kManagerWindowTitle);
    hooks.RunManager();
  }
  fileio::ForceDirectories(sjis::ExcludeTrailingPathDelimiter(state.UserDir));
}

}  // namespace

int RunEditorStartup(const TStringList& params, const TEditorModeHooks& hooks) {
  DebugOut().Write("QVEditor.Intialize").WriteLn();
  DebugOut().Write(EditorParamLogText(params));

  // Every file below comes from the main folder, the parent of the program's.
  FilePathsInstance().SetMainDir(sjis::ExcludeTrailingPathDelimiter(EditorMainFolder()));
  EditorState().Load(FilePathsInstance());

  const TEditorModeInfo& mode = EditorModeOf(params);
  TModeInstance instance(mode);
  if (!instance.First()) {
    const bool sent = HandOverToRunningEditor(mode, params);
    DebugOut().Write("QVEditor.HandOver: ").Write(mode.WindowClass).Write(sent ? " told" : " not found").WriteLn();
    return 0;
  }

  ui::TApplication app;
  app.SetTitle(mode.Title);
  switch (mode.Mode) {
    case TEditorMode::Version:
      RunVersion();
      break;
    case TEditorMode::Setting:
      hooks.RunSetting(params);
      break;
    case TEditorMode::Manager:
      RunManagerMode(params, hooks, app);
      break;
  }
  if (!EditorState().DialogsDetached) EditorState().SaveDialogs();
  return 0;
}
