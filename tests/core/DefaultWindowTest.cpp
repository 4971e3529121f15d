// The search for the user's window among real windows. It looks at every
// top-level window of the desktop and at the foreground, so these tests run
// alone (no other test's windows around).
#include <windows.h>

#include <gtest/gtest.h>

#include "core/AppEvents.h"
#include "core/ExpandEnvStrings.h"
#include "core/FileIO.h"
#include "core/ProgramPath.h"
#include "core/StringList.h"
#include "core/WindowUtils.h"
#include "tests/support/TempDir.h"

namespace {

// Two visible windows of another thread, which the search takes as windows of
// another program: A without a caption, B with one. Made once and left to the
// end of the process: under Wine without a window manager, taking a visible
// window down waits two seconds for the X server.
class ForeignWindows {
 public:
  static ForeignWindows& Get() {
    static ForeignWindows* windows = new ForeignWindows;
    return *windows;
  }
  HWND a = nullptr, b = nullptr;

 private:
  ForeignWindows() {
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &ForeignWindows::Run, this, 0, &threadId_);
    WaitForSingleObject(ready_, INFINITE);
  }

 private:
  static DWORD WINAPI Run(void* param) {
    auto* self = static_cast<ForeignWindows*>(param);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvForeignA";
    RegisterClassA(&wc);
    wc.lpszClassName = "QvForeignB";
    RegisterClassA(&wc);
    self->a = CreateWindowExA(0, "QvForeignA", "", WS_POPUP | WS_VISIBLE, 10, 10, 80, 40, nullptr, nullptr,
                              wc.hInstance, nullptr);
    self->b = CreateWindowExA(0, "QvForeignB", "外部B", WS_POPUP | WS_VISIBLE, 30, 30, 80, 40, nullptr, nullptr,
                              wc.hInstance, nullptr);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the quit is posted
    SetEvent(self->ready_);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
  }
  HANDLE ready_ = nullptr, thread_ = nullptr;  // never closed: see above
  DWORD threadId_ = 0;
};

void ToTop(HWND w) { SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

// Z order from the top: B, the program's window F (foreground), its hidden
// application window, A, then whatever else the desktop holds.
class DefaultWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(foreign.a && foreign.b);
    appWindow = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "app", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    // Left to the end of the process, as the foreign windows are.
    form = CreateWindowExA(0, "STATIC", "form", WS_POPUP | WS_VISIBLE, 200, 200, 100, 50, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    app::SetApplicationWindow(appWindow);
    SetForegroundWindow(form);
    ToTop(foreign.a);
    ToTop(appWindow);
    ToTop(form);
    ToTop(foreign.b);
    ASSERT_EQ(GetForegroundWindow(), form);
    SetIgnoreFileFolder(dir.path());
  }
  void TearDown() override {
    SetIgnoreFileFolder("");
    app::SetApplicationWindow(nullptr);
  }
  void WriteIgnore(const std::string& text) { WriteTextFile(dir / "Ignore.txt", text); }

  ForeignWindows& foreign = ForeignWindows::Get();
  HWND appWindow = nullptr, form = nullptr;
  TempDir dir;
};

TEST_F(DefaultWindow, FirstCandidateIsTheWindowBehindTheProgram) {
  TStringList none;
  EXPECT_EQ(FindDefaultWindowIn(&none), foreign.a);
  EXPECT_EQ(FindDefaultWindowIn(nullptr), foreign.a);
  TStringList skipA({"Class:QvForeignA"});
  EXPECT_EQ(FindDefaultWindowIn(&skipA), foreign.b);  // in front of the program: last
  TStringList skipBoth({"Class:QvForeignA", "外部B"});
  EXPECT_EQ(FindDefaultWindowIn(&skipBoth), nullptr);
}

TEST_F(DefaultWindow, MissingIgnoreFileIsCreatedWithTheLauncherLines) {
  EXPECT_EQ(FindDefaultWindow(), foreign.a);
  EXPECT_EQ(ReadTextFile(dir / "Ignore.txt"), "TZMRTMain\r\nquorvanemain\r\n");
}

TEST_F(DefaultWindow, BlankIgnoreLineSkipsNoWindowWithoutCaption) {
  WriteIgnore("\r\nClass:QvForeignB\r\n");
  EXPECT_EQ(FindDefaultWindow(), foreign.a);
}

TEST_F(DefaultWindow, ActiveNamesDescribeTheUsersWindow) {
  const std::string exe = ProgramFileName();
  EXPECT_EQ(ExpandEnvStringsText("%ActiveTitle%|%ActiveClass%|%ActiveExe%"),
            "%ActiveTitle%|QvForeignA|" + exe);  // A's empty caption leaves the name
  WriteIgnore("class:qvforeigna\r\n");
  EXPECT_EQ(ExpandEnvStringsText("%activetitle%|%ActiveClass%|%ActiveExe%"), "外部B|QvForeignB|" + exe);
  WriteIgnore("Class:QvForeignA\r\nClass:QvForeignB\r\n");
  EXPECT_EQ(ExpandEnvStringsText("[%ActiveTitle%]"), "[%ActiveTitle%]");
}

}  // namespace
