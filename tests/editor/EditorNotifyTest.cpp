// What the editor tells others after a save: the windows of notify.txt get
// the reload notice, the launcher "/Activate"; and hotkey lines that could
// not be read are never written over the file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/File_Paths.h"
#include "core/KeyWordX.h"
#include "editor/URZEditorMain.h"
#include "tests/support/TempDir.h"

namespace {

struct TNotice {
  HWND To = nullptr;
  ULONG_PTR DataWord = 0;
  std::string Bytes;
  WPARAM From = 0;
};
std::vector<TNotice> g_notices;

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    TNotice n;
    n.To = hwnd;
    n.From = wParam;
    if (data) {
      n.DataWord = data->dwData;
      if (data->lpData) n.Bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
    }
    g_notices.push_back(n);
    return 1;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A window of the given class and caption that records what it is sent.
struct TRecorder {
  HWND hwnd = nullptr;
  TRecorder(const char* className, const char* caption, bool visible = false) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecorderProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    hwnd = CreateWindowA(className, caption, WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 20, 20, nullptr, nullptr,
                         wc.hInstance, nullptr);
  }
  ~TRecorder() { DestroyWindow(hwnd); }
};

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path);
  return p.substr(0, p.find_last_of('\\') + 1);
}

TEST(EditorNotify, NotifyListLinesNameAClassAndACaption) {
  const auto targets = ReadNotifyTargets("TZMRTMain\tquorvanemain\r\n\r\nOnlyAClass\r\n\"A Class\"\t\"窓の 名前\"\r\n");
  ASSERT_EQ(targets.size(), 3u);
  EXPECT_EQ(targets[0].ClassName, "TZMRTMain");
  EXPECT_EQ(targets[0].Caption, "quorvanemain");
  EXPECT_EQ(targets[1].ClassName, "OnlyAClass");
  EXPECT_EQ(targets[1].Caption, "");
  EXPECT_EQ(targets[2].ClassName, "A Class");
  EXPECT_EQ(targets[2].Caption, "窓の 名前");
}

class SaveAndNotifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_notices.clear();
    state = EditorState();
    EditorState().UserDir = dir.path() + "\\";
    EditorState().ItemsDir = dir.path() + "\\Items\\";
    EditorState().HotKeyLines.SetText("メモ\t2\t77\t0\r\n");
    EditorState().HotKeyLinesLoaded = true;
    EditorState().OldItem = "ツール/旧";
    EditorState().NewItem = "ツール/新";
    notifyFile = ProgramFolder() + "notify.txt";
  }
  void TearDown() override {
    DeleteFileA(notifyFile.c_str());
    EditorState() = state;
  }
  TempDir dir;
  TEditorState state;
  std::string notifyFile;
};

TEST_F(SaveAndNotifyTest, ListedWindowsGetTheReloadNoticeAndTheHotKeysAreWritten) {
  TRecorder listed("QvNotifyListed", "一覧の窓");
  TRecorder other("QvNotifyOther", "ほかの窓");
  WriteTextFile(notifyFile, "QvNotifyListed\t一覧の窓\r\nQvNotifyMissing\tnone\r\n");
  TKeyWordManager store(EditorState().ItemsDir, dir.path());
  SaveAndNotify(store);
  ASSERT_EQ(g_notices.size(), 1u);
  EXPECT_EQ(g_notices[0].To, listed.hwnd);
  EXPECT_EQ(g_notices[0].DataWord, 1u);
  const std::string expected = std::string("/ReLoad\r\n/OldItem=ツール/旧\r\n/NewItem=ツール/新\r\n") + '\0';
  EXPECT_EQ(g_notices[0].Bytes, expected) << "the NUL is counted in cbData";
  EXPECT_EQ(ReadTextFile(dir / "ShortCut.txt"), "メモ\t2\t77\t0\r\n");
}

TEST_F(SaveAndNotifyTest, HotKeyLinesThatCouldNotBeReadAreNotWrittenOverTheFile) {
  WriteTextFile(dir / "ShortCut.txt", "ユーザーの\t2\t65\t0\r\n");
  {
    // Held open with no sharing while the state loads: the read fails.
    HANDLE held = CreateFileA((dir / "ShortCut.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TFilePaths paths(dir.path());
    paths.UserDir = dir.path();
    paths.ItemsDir = dir.path() + "\\Items";
    TEditorState loaded;
    loaded.Load(paths);
    CloseHandle(held);
    EditorState().HotKeyLines = loaded.HotKeyLines;
    EditorState().HotKeyLinesLoaded = loaded.HotKeyLinesLoaded;
  }
  EXPECT_FALSE(EditorState().HotKeyLinesLoaded);
  TKeyWordManager store(EditorState().ItemsDir, dir.path());
  SaveAndNotify(store);
  EXPECT_EQ(ReadTextFile(dir / "ShortCut.txt"), "ユーザーの\t2\t65\t0\r\n");
}

TEST(EditorNotify, TheLauncherIsToldToActivateWhenVisibleOrForced) {
  struct TCase {
    const char* name;
    bool visible, force, sent;
  };
  const TCase cases[] = {
      {"visible", true, false, true},
      {"hidden", false, false, false},
      {"hidden but forced", false, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_notices.clear();
    TRecorder launcher("TZMRTMain", "quorvanemain", c.visible);
    SendIngMessage(c.force);
    ASSERT_EQ(g_notices.size(), c.sent ? 1u : 0u);
    if (!c.sent) continue;
    EXPECT_EQ(g_notices[0].DataWord, 1u);
    EXPECT_EQ(g_notices[0].Bytes, "/Activate") << "9 bytes, no NUL";
    EXPECT_EQ(g_notices[0].From, 0u);
  }
  g_notices.clear();
  SendIngMessage(true);
  EXPECT_TRUE(g_notices.empty()) << "no launcher, nothing sent";
}

}  // namespace
