// The editor's forms shown for editor-screenshot.sh, one per run. Arguments:
// the file to write once the form is ready (the area to capture, WxH+X+Y),
// the file whose appearance ends the program, and the form's name (the names
// in kShots).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/HotKeyUtils.h"
#include "core/ProgramPath.h"
#include "core/Sjis.h"
#include "editor/Edit_File_Ext.h"
#include "editor/Edit_File_Ext_Line.h"
#include "editor/UVersion.h"
#include "editor/HotKeyEditState.h"
#include "editor/HotKey_Dialog.h"
#include "editor/HotKey_Edit.h"
#include "editor/HotKey_Frame.h"
#include "editor/Int_Input.h"
#include "editor/SelectButton.h"
#include "tests/support/ShotProgram.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/SpinEdit.h"
#include "ui/Timer.h"

namespace {

using ui::Kind;

struct TShotRun {
  ui::TApplication& app;
  std::string readyFile, doneFile;
  DWORD start = GetTickCount();
  bool TimedOut() const { return GetTickCount() - start > 60000; }
  void Ready(RECT area) { shot::WriteFile(readyFile, shot::Geometry(area)); }
  // Runs the loop until the picture is taken.
  void Wait() {
    while (!app.Terminated() && !shot::FileExists(doneFile) && !TimedOut()) {
      app.ProcessMessages();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
  }
  void Show(ui::TForm& form) {
    form.Show();
    SetForegroundWindow(form.Handle());
    app.ProcessMessages();
  }
};

RECT WindowArea(HWND w) {
  RECT r = {};
  GetWindowRect(w, &r);
  return r;
}

// The hotkey dialog of a system-wide hotkey set to a double press, its key
// list open.
void HotKeyDialogShot(TShotRun& run) {
  THotKeyDialog dialog(nullptr);
  THotKeyFrame& frame = dialog.Frame();
  frame.SetKind(kHotKeyKindGlobal);
  frame.SetHotKeyText("Ctrl*2");
  CenterOnWorkArea(dialog.Handle());
  run.Show(dialog);
  frame.KeyList().Focus();
  frame.KeyList().SetDroppedDown(true);
  run.app.ProcessMessages();
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  GetComboBoxInfo(frame.KeyList().Handle(), &info);
  run.Ready(shot::Union(WindowArea(dialog.Handle()), info.hwndList));
  run.Wait();
}

// clang-format off
const ui::TLayoutRow kEditRows[] = {
  {Kind<ui::TLabel>,      "HotKeyLabel", "", "ショートカットキー(&T)",  8, 10, 160, 14},
  {Kind<THotKeyEdit>,     "HotKeyEdit",  "", "",                     8, 26, 160, 21},
  {Kind<ui::TButton>,     "DialogButton","", "...",                172, 26, 21, 21},
  {Kind<TSelectButton>,   "ScopeButton", "", "範囲(&C)",            198, 25, 64, 23},
  {Kind<ui::TLabel>,      "ScopeLabel",  "", "常駐時いつでも有効",    8, 54, 250, 14},
};
// clang-format on

// A hotkey box showing a captured combination beside its scope button; with
// menu, the scope button's menu is open.
void HotKeyEditShot(TShotRun& run, bool menu) {
  ui::TForm form;
  ui::TFormParams p;
  p.Caption = "ショートカットの設定";
  p.BorderStyle = ui::TBorderStyle::Dialog;
  p.BorderIcons = ui::biSystemMenu;
  p.ClientWidth = 272;
  p.ClientHeight = 78;
  p.X = 200;
  p.Y = 200;
  form.Create(p);
  form.BuildLayout(kEditRows);
  auto& edit = form.Control<THotKeyEdit>("HotKeyEdit");
  edit.SetKind(kHotKeyKindGlobal);
  edit.SetText("Ctrl+K");
  auto& scope = form.Control<TSelectButton>("ScopeButton");
  scope.SetItems({"アクティブ時いつでも有効", "常駐時いつでも有効"});
  scope.SetSelected(1);
  run.Show(form);
  form.Control("DialogButton").Focus();
  run.app.ProcessMessages();
  RECT area = WindowArea(form.Handle());
  if (!menu) {
    run.Ready(area);
    run.Wait();
    return;
  }
  // The menu's own loop runs the timer: it reports the open menu and closes
  // it when the picture is taken.
  ui::TTimer timer(200);
  bool reported = false;
  timer.OnTimer = [&] {
    HWND popup = FindWindowExA(nullptr, nullptr, "#32768", nullptr);
    if (!reported && popup && IsWindowVisible(popup)) {
      run.Ready(shot::Union(area, popup));
      reported = true;
    }
    if (shot::FileExists(run.doneFile) || run.TimedOut()) EndMenu();
  };
  timer.SetEnabled(true);
  PostMessageA(form.Handle(), WM_KEYDOWN, VK_DOWN, 1);
  scope.Click();
  run.Wait();
}

// The number dialog as the key list's number entry asks.
void NumberDialogShot(TShotRun& run) {
  TIntInput dialog(nullptr);
  dialog.SetCaption("キーコードの入力");
  dialog.Field().SetValue(226);
  CenterOnWorkArea(dialog.Handle());
  run.Show(dialog);
  dialog.Field().Focus();
  dialog.Field().SetSel(0, 3);
  run.app.ProcessMessages();
  run.Ready(WindowArea(dialog.Handle()));
  run.Wait();
}

// The extension list with an entry selected.
void FileExtShot(TShotRun& run) {
  TEditFileExt dialog(nullptr);
  dialog.List().SetItems({".exe", ".bat", ".COM", ".lnk", ".cmd", ".vbs"});
  dialog.List().SetItemIndex(2);
  CenterOnWorkArea(dialog.Handle());
  run.Show(dialog);
  dialog.List().Focus();
  run.app.ProcessMessages();
  run.Ready(WindowArea(dialog.Handle()));
  run.Wait();
}

// The line dialog with an extension typed.
void FileExtLineShot(TShotRun& run) {
  TEditFileExtLine dialog(nullptr);
  dialog.Field().SetText(".bat");
  CenterOnWorkArea(dialog.Handle());
  run.Show(dialog);
  dialog.Field().Focus();
  run.app.ProcessMessages();
  run.Ready(WindowArea(dialog.Handle()));
  run.Wait();
}

// The version window of the built launcher (the install folder's).
void VersionShot(TShotRun& run) {
  auto parent = [](const std::string& folder) {
    return sjis::ExtractFilePath(sjis::ExcludeTrailingPathDelimiter(folder));
  };
  // build/win/tests/editor -> build/win/dist
  TQVVersionDialog dialog(parent(parent(ProgramDir())) + "dist\\");
  run.Show(dialog);
  dialog.Control("OKButton").Focus();
  run.app.ProcessMessages();
  run.Ready(WindowArea(dialog.Handle()));
  run.Wait();
}

struct TShot {
  const char* name;
  std::function<void(TShotRun&)> show;
};
const TShot kShots[] = {
    {"hotkey-dialog", HotKeyDialogShot},
    {"hotkey-edit", [](TShotRun& r) { HotKeyEditShot(r, false); }},
    {"select-button", [](TShotRun& r) { HotKeyEditShot(r, true); }},
    {"number-dialog", NumberDialogShot},
    {"file-ext", FileExtShot},
    {"file-ext-line", FileExtLineShot},
    {"version", VersionShot},
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
  std::vector<std::string> args = shot::Arguments(cmdLine);
  if (args.size() < 3) return 2;
  ui::TApplication app;
  app.SetTitle("quorvane");
  TShotRun run{app, args[0], args[1]};
  for (const auto& s : kShots)
    if (args[2] == s.name) {
      s.show(run);
      return 0;
    }
  return 2;
}
