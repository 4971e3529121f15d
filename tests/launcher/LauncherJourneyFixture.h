// The real quorvane.exe in a temporary install folder, driven as a person
// drives it: keys typed with SendInput into the launcher's window, and what a
// person would see or get read from outside the process (a program started
// with its parameters, the box's text, the status line as the debug log
// names it, files in the data folder). Needs QV_LAUNCHER_EXE and
// QV_FAKE_EDITOR_EXE (a recorder program) defined.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/FileIO.h"
#include "core/KeyWordX.h"
#include "core/OSUtils.h"
#include "tests/support/RealInput.h"
#include "tests/support/TempDir.h"

template <class F>
bool WaitFor(F done, DWORD boundMs = 20000) {
  for (DWORD waited = 0; waited < boundMs; waited += 25) {
    if (done()) return true;
    Sleep(25);
  }
  return done();
}

// Call hotkey of the test: Ctrl+Alt+Q (modifier bits Alt 1, Ctrl 2).
constexpr char kCallKeySettings[] = "Call_Mod=3\r\nCall_key=81\r\n";

class LauncherJourney : public ::testing::Test {
 protected:
  void SetUp() override {
    exe = dir / "quorvane.exe";
    ASSERT_TRUE(CopyFileA(QV_LAUNCHER_EXE, exe.c_str(), FALSE));
    fileio::ForceDirectories(dir / "Files");
    ASSERT_TRUE(CopyFileA(QV_FAKE_EDITOR_EXE, (dir / "Files\\QVEditor.exe").c_str(), FALSE));
    fileio::ForceDirectories(dir / "Users");
    WriteTextFile(dir / "Users\\UseSameData.ini", "");
    user = dir / "Users\\All Users";
    fileio::ForceDirectories(user + "\\Items");
    fileio::ForceDirectories(user + "\\Icons");
  }
  void TearDown() override {
    if (HasFailure()) {
      // The end of the launcher's own account of what it did.
      const std::string log = Log();
      size_t at = log.size();
      for (int lines = 0; lines < 80 && at != std::string::npos && at > 0; ++lines) at = log.rfind('\n', at - 1);
      std::printf("--- end of Debug.txt ---\n%s\n", log.substr(at == std::string::npos ? 0 : at).c_str());
    }
    if (process) {
      if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        if (window) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 10000) == WAIT_TIMEOUT) TerminateProcess(process, 1);
      }
      CloseHandle(process);
    }
    for (HANDLE h : others_)
      if (h != process) CloseHandle(h);
    if (job) CloseHandle(job);
  }

  // A keyword whose command is a recorder of its own: a program that writes
  // its command line to args.txt beside itself. Returns that file.
  std::string Recorder(TKeyWordManager& store, const std::string& name, const std::string& group = "",
                       const std::string& comment = "") {
    const std::string folder = dir / ("rec_" + std::to_string(recorders_++));
    fileio::ForceDirectories(folder);
    const std::string program = folder + "\\rec.exe";
    CopyFileA(QV_FAKE_EDITOR_EXE, program.c_str(), FALSE);
    std::unique_ptr<TKeyWordX> item = store.NewKeyWord(name, group, 0);
    item->SetCommand(program);
    if (!comment.empty()) item->SetComment(comment);
    return folder + "\\args.txt";
  }
  void Settings(const std::string& extra) {
    WriteTextFile(user + "\\quorvane.ini", "version=150103\r\nUpPriorityByRate=0\r\nUpPriorityCount=1\r\n" +
                                               std::string(kCallKeySettings) + extra);
  }

  // Starts the launcher and waits until it shows its box with the focus in it.
  void Start() {
    StartProcess();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(WaitFor([&] { return Log().find("TZMRTMain.Craete:END") != std::string::npos; })) << Log();
    window = FindWindowA("TZMRTMain", "quorvanemain");
    ASSERT_TRUE(window);
    edit = FindWindowExA(window, nullptr, "Edit", nullptr);
    ASSERT_TRUE(edit);
    WaitForInputIdle(process, 10000);
    CallUp();
  }
  // Starts the launcher with "/Debug".
  void StartProcess() {
    process = StartInJob("\"" + exe + "\" /Debug");
    ASSERT_TRUE(process);
  }
  // Starts a program of the install folder, in it, tied to this test by a job
  // object: a program left behind would answer the next test's messages. The
  // handle stays valid until the test ends.
  HANDLE StartInJob(std::string line) {
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, dir.path().c_str(),
                        &si, &pi))
      return nullptr;
    if (!job) {
      job = CreateJobObjectA(nullptr, nullptr);
      JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
      limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
      SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    AssignProcessToJobObject(job, pi.hProcess);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    others_.push_back(pi.hProcess);
    return pi.hProcess;
  }
  // Brings the launcher up as a person does: with the call hotkey when it is
  // hidden (the hotkey toggles, so never while it is up). Then the box has
  // the focus.
  void CallUp() {
    // The pointer rests away from the box: over the popup list it would pick
    // the row under it, as it does for a person whose mouse lies there.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Idle();
    if (!IsWindowVisible(window)) realinput::Chord({VK_CONTROL, VK_MENU, 'Q'});
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; }))
        << "the launcher did not come up in front: " << Describe(GetForegroundWindow());
    Idle();
    Sleep(300);
    ASSERT_EQ(GetForegroundWindow(), window) << Describe(GetForegroundWindow());
  }
  static std::string Describe(HWND w) {
    char cls[64] = {}, title[64] = {};
    DWORD pid = 0;
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, title, sizeof title);
    GetWindowThreadProcessId(w, &pid);
    return std::string(cls) + " '" + title + "' pid " + std::to_string(pid);
  }
  // Waits until the launcher has hidden itself (after a run, or Esc).
  void ExpectHidden() {
    Idle();
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); })) << "the launcher stays shown";
    Idle();
    // The display tells Wine of the focus that left the hidden window a little
    // later; a person's next hotkey comes after that too.
    Sleep(300);
  }
  // Returns once the launcher has handled the input sent so far: a sent
  // message is answered at the launcher's next look at its queue, which also
  // takes the queued key; the next answer comes after that key was handled.
  void Idle() {
    WaitForInputIdle(process, 5000);
    for (int i = 0; i < 3; ++i) {
      DWORD_PTR r = 0;
      SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &r);
    }
  }
  // Types at a person's pace: each key held until the launcher has handled it.
  void Type(const std::string& script) {
    realinput::TypeHeld(script, [this] { Idle(); });
  }
  std::string BoxText() const {
    char text[512] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));  // another process
    return text;
  }
  std::string Log() const {
    std::string text;
    fileio::ReadWholeFile(dir / "Debug.txt", text);
    return text;
  }
  // The last status the launcher showed, as its debug log names it.
  std::string Status() const {
    const std::string log = Log();
    const std::string mark = "TZMRTMain.UpdateStatus:";
    const size_t at = log.rfind(mark);
    if (at == std::string::npos) return "-";
    const size_t end = log.find_first_of("\r\n", at);
    return log.substr(at + mark.size(), end - at - mark.size());
  }
  // The colour the box is painted in, read from the screen near its right end.
  COLORREF BoxBackground() const {
    RECT r = {};
    GetWindowRect(edit, &r);
    HDC screen = GetDC(nullptr);
    const COLORREF back = GetPixel(screen, r.right - 6, (r.top + r.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return back;
  }
  bool Alive() const { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }
  // A message box or any other dialog of the launcher's process.
  bool ShowsADialog() const { return realinput::ShownWindow(GetProcessId(process), "#32770") != nullptr; }
  static std::string Read(const std::string& file) {
    std::string text;
    fileio::ReadWholeFile(file, text);
    return text;
  }
  // The parameters a recorder got: its command line less the program.
  static std::string ArgsOf(const std::string& file) {
    if (!WaitFor([&] { return fileio::FileExists(file); })) return "(not run)";
    std::string line = Read(file);
    const size_t exeEnd = line.find("rec.exe");
    if (exeEnd == std::string::npos) return line;
    size_t at = exeEnd + 7;
    if (at < line.size() && line[at] == '"') ++at;
    while (at < line.size() && line[at] == ' ') ++at;
    return line.substr(at);
  }

  TempDir dir;
  std::string exe, user;
  HANDLE process = nullptr, job = nullptr;
  HWND window = nullptr, edit = nullptr;

 private:
  int recorders_ = 0;
  std::vector<HANDLE> others_;
};

