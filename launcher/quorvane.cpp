// The launcher program: one instance per desktop. A second start hands its
// parameters to the running launcher and ends.
#include <windows.h>

#include <exception>

#include "core/Debug_Unit.h"
#include "core/ExpandEnvStrings.h"
#include "core/File_Paths.h"
#include "core/File_Utils.h"
#include "core/Handles.h"
#include "core/Params.h"
#include "launcher/Drop_Source.h"
#include "launcher/QV_Env_Handler.h"
#include "launcher/UZMRT.h"
#include "ui/Application.h"
#include "ui/OleStart.h"

namespace {

// The process's services, in the order later steps rely on.
void InitialiseUnits() {
  const TStringList& params = ParamList();
  InitDebugLog(TDebugStyle::Launcher, params, kLauncherTitle);
  QVEnvHandler();
  SetPathFlavour(TPathFlavour::Launcher);
  SetIgnoreFileFolder(FilePathsInstance().UserDir);
  // OLE for drops onto the window and drags out of the icon picture.
  ui::InitOle();
  InitDropSourceUnit();
}

void FinaliseUnits() {
  FinalizeDropSourceUnit();
  ui::FinalizeOle();
  FinishDebugLog();
}

int RunLauncher() {
  InitialiseUnits();
  const TStringList& params = ParamList();

  HANDLE running = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kLauncherMutexName);
  if (running) {
    CloseHandle(running);
    HandOverToRunningLauncher(params, static_cast<int>(ProgramArgs().size()));
    FinaliseUnits();
    return 0;
  }
  // Not owned: it only tells later starts that this one runs.
  core::TUniqueKernelHandle mutex(CreateMutexA(nullptr, FALSE, kLauncherMutexName));
  try {
    ui::TApplication app;
    app.SetTitle(kLauncherTitle);
    app.HelpFile = kLauncherHelpFile;
    {
      TZMRTMain main(params, DefaultLauncherServices(), &app);
      if (main.Started() && !main.FirstRun) {
        app.SetMainForm(&main);
        if (!main.Hidden) main.Show();
        app.Run();
        app.SetMainForm(nullptr);
      } else {
        app.ProcessMessages();
      }
    }
  } catch (...) {
    // Whatever escapes the window's making or the loop ends the program quietly.
    LogSwallowed("quorvane.RunLauncher");
  }
  FinaliseUnits();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return RunLauncher();
  } catch (...) {
    LogSwallowed("quorvane.WinMain");
    return 0;
  }
}
