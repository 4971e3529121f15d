// A launcher window on a temporary main folder with the shared user data
// folder "Users\All Users", its tray, shell starts, beeps and clock recorded
// or set by the test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "launcher/TrShlApi.h"
#include "launcher/UZMRT.h"
#include "tests/support/TempDir.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

struct FakeShell : INotifyIconShell {
  std::vector<DWORD> calls;
  std::function<void(DWORD)> onCall;
  bool Notify(DWORD message, NOTIFYICONDATAA*) override {
    calls.push_back(message);
    if (onCall) onCall(message);
    return true;
  }
  DWORD LastError() override { return 0; }
  void Wait(DWORD) override {}
};

struct StartCall {
  std::string file, params;
};

struct ShellCall {
  HWND owner;
  std::string verb, file, params, dir;
  int show;
};

// A main folder with the shared user data folder "Users\All Users".
class LauncherWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    fileio::ForceDirectories(dir / "Users");
    WriteTextFile(dir / "Users\\UseSameData.ini", "");
    user = dir / "Users\\All Users";
    fileio::ForceDirectories(user + "\\Items");
    fileio::ForceDirectories(user + "\\Icons");
    fileio::ForceDirectories(dir / "Files");
    FilePathsInstance().SetMainDir(dir.path());
  }
  void TearDown() override {
    main.reset();
    FilePathsInstance() = saved_;
    ui::SetMessageBoxHandler(nullptr);
  }
  void Settings(const std::string& lines) { WriteTextFile(user + "\\quorvane.ini", "version=150103\r\n" + lines); }
  TZMRTMain& Make(const TStringList& params = {}) {
    TLauncherServices services;
    services.TrayShell = &shell;
    services.StartProgram = [this](const std::string& file, const std::string& params, DWORD&) {
      starts.push_back({file, params});
      return true;
    };
    if (realShell) return MakeWith(params, services);
    services.ShellOpen = [this](HWND owner, const std::string& verb, const std::string& file,
                                const std::string& params, const std::string& dir, int show) {
      shellCalls.push_back({owner, verb, file, params, dir, show});
    };
    services.Beep = [this] { ++beeps; };
    services.Now = [this] { return now; };
    return MakeWith(params, services);
  }
  TZMRTMain& MakeWith(const TStringList& params, const TLauncherServices& services) {
    main = std::make_unique<TZMRTMain>(params, services);
    return *main;
  }
  static LRESULT SendCopyData(HWND to, ULONG_PTR word, const std::string& bytes, HWND from = nullptr) {
    COPYDATASTRUCT data = {word, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    return SendMessageA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data));
  }

  ui::TApplication app;
  TempDir dir;
  std::string user;
  FakeShell shell;
  std::vector<StartCall> starts;
  std::vector<ShellCall> shellCalls;
  int beeps = 0;
  bool realShell = false;  // shell starts and beeps for real
  double now = 46000.5;  // the window's clock, in days; tests move it
  std::unique_ptr<TZMRTMain> main;

 private:
  TFilePaths saved_ = FilePathsInstance();
};

