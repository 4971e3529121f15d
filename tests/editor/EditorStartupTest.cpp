// The installed editor program started for real in a main folder of its own:
// the mode of its first parameter, one instance per mode, the hand-over of a
// second start and the windows a person sees.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FileIO.h"
#include "core/Handles.h"
#include "core/KeyWordX.h"
#include "tests/support/RealInput.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestWindow.h"

namespace {

struct TRecord {
  bool HadRecord = false;
  ULONG_PTR DataWord = 0;
  std::string Bytes;
  WPARAM WParam = 0;
};
std::vector<TRecord> g_records;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    TRecord r;
    r.WParam = wParam;
    if (const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam)) {
      r.HadRecord = true;
      r.DataWord = data->dwData;
      if (data->lpData) r.Bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
    }
    g_records.push_back(r);
    return 1;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A window of a mode's class standing in for the running instance.
struct TModeWindow {
  HWND hwnd = nullptr;
  explicit TModeWindow(const char* className) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    hwnd = CreateWindowA(className, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~TModeWindow() { DestroyWindow(hwnd); }
};

class EditorStartup : public ::testing::Test {
 protected:
  void SetUp() override {
    g_records.clear();
    fileio::ForceDirectories(dir / "Files");
    exe = dir / "Files\\QVEditor.exe";
    ASSERT_TRUE(CopyFileA(QV_EDITOR_EXE, exe.c_str(), FALSE));
    fileio::ForceDirectories(dir / "Users\\All Users");
    WriteTextFile(dir / "Users\\UseSameData.ini", "");
  }
  void TearDown() override {
    for (HANDLE p : processes) {
      if (WaitForSingleObject(p, 0) == WAIT_TIMEOUT) TerminateProcess(p, 1);
      CloseHandle(p);
    }
  }
  HANDLE Start(const std::string& args) {
    std::string line = "\"" + exe + "\" " + args;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, (dir / "Files").c_str(), &si, &pi))
      return nullptr;
    CloseHandle(pi.hThread);
    processes.push_back(pi.hProcess);
    return pi.hProcess;
  }
  // Ended by itself, while this thread takes the messages it is sent.
  static bool Ends(HANDLE process) {
    return PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 30000);
  }
  static HWND WaitForWindow(const char* className) {
    HWND found = nullptr;
    PumpUntil([&] { return (found = FindWindowA(className, nullptr)) && IsWindowVisible(found); }, 30000);
    return found;
  }
  static std::string Caption(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
  }
  static int CountWindows(const char* className) {
    int n = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, className, nullptr); w; w = FindWindowExA(nullptr, w, className, nullptr))
      ++n;
    return n;
  }

  TempDir dir;
  std::string exe;
  std::vector<HANDLE> processes;
};

TEST_F(EditorStartup, SecondStartHandsItsParametersToTheRunningWindowOfItsMode) {
  const struct {
    const char* args;
    const char* mutex;
    const char* windowClass;
    ULONG_PTR dataWord;
    std::string bytes;
  } cases[] = {
      // The version window only comes forward: a real record, no data.
      {"/version", "RZVERSIONMADEBYPELLMAR20020519", "TQVVersionDialog", 0, ""},
      {"/VERSION extra", "RZVERSIONMADEBYPELLMAR20020519", "TQVVersionDialog", 0, ""},
      {"/Setting /SelectedNode=入力/履歴", "RZSETTINGMADEBYPELLMAR20020127", "TRZSettingMain", 1,
       std::string("/SelectedNode=入力/履歴\0", 24)},
      {"Action=Edit Keyword=a/b", "RZEDITORMADEBYPELLMAR20020122", "TRZEditorMain", 1,
       std::string("Action=Edit\r\nKeyword=a/b\0", 25)},
      {"", "RZEDITORMADEBYPELLMAR20020122", "TRZEditorMain", 1, std::string("\0", 1)},
      {"/settings", "RZEDITORMADEBYPELLMAR20020122", "TRZEditorMain", 1, std::string("/settings\0", 10)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    g_records.clear();
    core::TUniqueKernelHandle mutex(CreateMutexA(nullptr, FALSE, c.mutex));
    TModeWindow running(c.windowClass);
    HANDLE second = Start(c.args);
    ASSERT_TRUE(second);
    ASSERT_TRUE(Ends(second));
    ASSERT_EQ(g_records.size(), 1u);
    EXPECT_TRUE(g_records[0].HadRecord);
    EXPECT_EQ(g_records[0].DataWord, c.dataWord);
    EXPECT_EQ(g_records[0].Bytes, c.bytes);
    EXPECT_EQ(g_records[0].WParam, reinterpret_cast<WPARAM>(running.hwnd));
    EXPECT_EQ(CountWindows(c.windowClass), 1) << "no window of its own";
  }
}

TEST_F(EditorStartup, HeldMutexWithoutItsWindowEndsTheStartSilently) {
  core::TUniqueKernelHandle mutex(CreateMutexA(nullptr, FALSE, "RZSETTINGMADEBYPELLMAR20020127"));
  HANDLE second = Start("/setting");
  ASSERT_TRUE(second);
  ASSERT_TRUE(Ends(second));
  EXPECT_EQ(CountWindows("TRZSettingMain"), 0);
}

TEST_F(EditorStartup, SeveralStartsAtOnceLeaveOneInstance) {
  std::vector<HANDLE> starts;
  for (int i = 0; i < 4; ++i) starts.push_back(Start("/version"));
  for (HANDLE p : starts) ASSERT_TRUE(p);
  HWND window = WaitForWindow("TQVVersionDialog");
  ASSERT_TRUE(window);
  int running = 0;
  PumpUntil([&] {
    running = 0;
    for (HANDLE p : starts) running += WaitForSingleObject(p, 0) == WAIT_TIMEOUT;
    return running <= 1;
  }, 30000);
  EXPECT_EQ(running, 1);
  EXPECT_EQ(CountWindows("TQVVersionDialog"), 1);
  PostMessageA(window, WM_CLOSE, 0, 0);
  for (HANDLE p : starts) EXPECT_TRUE(Ends(p));
}

// A person starts the version window, starts it again after it went out of
// sight, and closes it with Enter.
TEST_F(EditorStartup, VersionSwitchShowsTheVersionWindowAndASecondStartBringsItBack) {
  HANDLE first = Start("/version /Debug");
  ASSERT_TRUE(first);
  HWND window = WaitForWindow("TQVVersionDialog");
  ASSERT_TRUE(window);
  EXPECT_EQ(Caption(window), "バージョン情報");
  std::string log;
  fileio::ReadWholeFile(dir / "Files\\Debug.txt", log);
  EXPECT_NE(log.find("QVEditor.Intialize"), std::string::npos) << log;
  EXPECT_NE(log.find(" Param : 1: /version\r\n         2: /Debug\r\n"), std::string::npos) << log;

  ShowWindow(window, SW_HIDE);
  HANDLE second = Start("/version");
  ASSERT_TRUE(second);
  ASSERT_TRUE(Ends(second));
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; }, 10000));

  realinput::Type("{Enter}");
  EXPECT_TRUE(Ends(first));
}

TEST_F(EditorStartup, SettingSwitchShowsTheSettingsWindow) {
  HANDLE first = Start("/setting");
  ASSERT_TRUE(first);
  HWND window = WaitForWindow("TRZSettingMain");
  ASSERT_TRUE(window);
  EXPECT_EQ(Caption(window), "quorvaneの設定");
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Ends(first));
}

TEST_F(EditorStartup, WithoutParametersTheManagerShowsTheStoreAndEnterInItsTreeDoesNotCloseIt) {
  TKeyWordManager store(dir / "Users\\All Users\\Items", dir.path());
  store.NewKeyWord("電卓", "ツール", kTypeCommand);
  store.NewKeyWord("ツール", "", kTypeGroup);
  store.Save();
  HANDLE first = Start("");
  ASSERT_TRUE(first);
  HWND window = WaitForWindow("TRZEditorMain");
  ASSERT_TRUE(window);
  EXPECT_EQ(Caption(window), "キーワードマネージャ");
  HWND tree = FindWindowExA(window, nullptr, WC_TREEVIEWA, nullptr);
  ASSERT_TRUE(tree);
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 2);
  realinput::Type("{Esc}");
  EXPECT_TRUE(Ends(first)) << "キャンセル closes it";
}

TEST_F(EditorStartup, RequestWithoutTheManagerWindowEndsTheProgram) {
  ASSERT_TRUE(RemoveDirectoryA((dir / "Users\\All Users").c_str()));
  // An action the editor does not know: nothing to do, nothing to show.
  HANDLE first = Start("Action=Nothing Keyword=a");
  ASSERT_TRUE(first);
  ASSERT_TRUE(Ends(first));
  EXPECT_EQ(CountWindows("TRZEditorMain"), 0);
  EXPECT_TRUE(fileio::DirectoryExists(dir / "Users\\All Users")) << "the user data folder is made";
}

}  // namespace
