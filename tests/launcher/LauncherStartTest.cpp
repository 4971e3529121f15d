// The real quorvane.exe, started in a folder of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/FileIO.h"
#include "core/KeyWordX.h"
#include "tests/support/TempDir.h"

namespace {

// Waits for a condition without timing anything: the bound only keeps a broken
// build from hanging the run.
template <class F>
bool WaitFor(F done, DWORD boundMs = 30000) {
  for (DWORD waited = 0; waited < boundMs; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

class LauncherProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    exe = dir / "quorvane.exe";
    ASSERT_TRUE(CopyFileA(QV_LAUNCHER_EXE, exe.c_str(), FALSE));
    fileio::ForceDirectories(dir / "Files");
    fileio::ForceDirectories(dir / "Users");
    WriteTextFile(dir / "Users\\UseSameData.ini", "");
    user = dir / "Users\\All Users";
    fileio::ForceDirectories(user);
    WriteTextFile(user + "\\quorvane.ini", "version=150103\r\n");
  }
  void TearDown() override {
    for (HANDLE p : processes) {
      if (WaitForSingleObject(p, 0) == WAIT_TIMEOUT) {
        if (HWND w = FindWindowA("TZMRTMain", nullptr)) PostMessageA(w, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(p, 10000) == WAIT_TIMEOUT) TerminateProcess(p, 1);
      }
      CloseHandle(p);
    }
  }
  void MakeDataFolders() {
    fileio::ForceDirectories(user + "\\Items");
    fileio::ForceDirectories(user + "\\Icons");
  }
  HANDLE Start(const std::string& args) {
    std::string line = "\"" + exe + "\" " + args;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.path().c_str(), &si, &pi))
      return nullptr;
    CloseHandle(pi.hThread);
    processes.push_back(pi.hProcess);
    return pi.hProcess;
  }
  // A keyword of the root group whose command is a copy of the recorder, which
  // writes its command line to args.txt beside itself.
  std::string SaveRecorderKeyword(const std::string& name, const std::string& param) {
    const std::string recorder = dir / "rec\\rec.exe";
    fileio::ForceDirectories(dir / "rec");
    CopyFileA(QV_FAKE_EDITOR_EXE, recorder.c_str(), FALSE);
    TKeyWordManager store(user + "\\Items", dir.path());
    std::unique_ptr<TKeyWordX> item = store.FindKeyWord(name);
    if (!item) item = store.NewKeyWord(name, "", 0);
    item->SetCommand(recorder);
    item->SetParam(param);
    store.Save();
    return dir / "rec\\args.txt";
  }
  // The window of a launcher started with "/Debug", once its start has ended
  // (the window is found by class before it takes requests).
  HWND ReadyLauncher() {
    if (!WaitFor([&] { return Log().find("TZMRTMain.Craete:END") != std::string::npos; })) return nullptr;
    return FindWindowA("TZMRTMain", "quorvanemain");
  }
  static void SendLines(HWND window, const std::string& lines) {
    std::string text = lines + std::string(1, '\0');
    COPYDATASTRUCT data = {1, static_cast<DWORD>(text.size()), text.data()};
    SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }
  static DWORD ExitCode(HANDLE process) {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process, &code);
    return code;
  }
  std::string Log() const {
    std::string text;
    fileio::ReadWholeFile(dir / "Debug.txt", text);
    return text;
  }
  static size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }

  TempDir dir;
  std::string exe, user;
  std::vector<HANDLE> processes;
};

TEST_F(LauncherProgram, SecondStartHandsItsLinesToTheFirstAndEnds) {
  MakeDataFolders();
  HANDLE first = Start("/hide /Debug");
  ASSERT_TRUE(first);
  ASSERT_TRUE(WaitFor([] { return FindWindowA("TZMRTMain", "quorvanemain") != nullptr; }));
  HWND window = FindWindowA("TZMRTMain", "quorvanemain");
  EXPECT_FALSE(IsWindowVisible(window)) << "/hide";

  HANDLE second = Start("alpha \"beta gamma\"");
  ASSERT_TRUE(second);
  ASSERT_EQ(WaitForSingleObject(second, 30000), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCode(second), 0u);
  EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first one still runs";
  ASSERT_TRUE(WaitFor([&] { return Log().find("TZMRTMain.CopyDataReceived:END") != std::string::npos; }));
  std::string log = Log();
  const size_t at = log.find("TZMRTMain.CopyDataReceived");
  EXPECT_NE(log.find("alpha", at), std::string::npos) << log;
  EXPECT_NE(log.find("beta gamma", at), std::string::npos) << log;
  EXPECT_NE(log.find("dwData=2", at), std::string::npos) << log;

  // A parameter file: its lines go over, the data word stays the argument count.
  WriteTextFile(dir / "p.txt", "one\r\ntwo\r\nthree\r\n");
  HANDLE fromFile = Start("/ParamFile p.txt");
  ASSERT_EQ(WaitForSingleObject(fromFile, 30000), WAIT_OBJECT_0);
  ASSERT_TRUE(WaitFor([&] { return Count(Log(), "TZMRTMain.CopyDataReceived:END") == 2; }));
  log = Log();
  const size_t fileAt = log.find("TZMRTMain.CopyDataReceived", log.find("TZMRTMain.CopyDataReceived:END"));
  EXPECT_NE(log.find("dwData=2", fileAt), std::string::npos) << log;
  EXPECT_NE(log.find("three", fileAt), std::string::npos) << log;

  // No arguments: data word 0, which the running launcher ignores.
  HANDLE third = Start("");
  ASSERT_EQ(WaitForSingleObject(third, 30000), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCode(third), 0u);
  EXPECT_EQ(Count(Log(), "TZMRTMain.CopyDataReceived:END"), 2u);

  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(first, 30000), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCode(first), 0u);
  log = Log();
  EXPECT_NE(log.find("TZMRTMain.FormClose"), std::string::npos) << log;
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "RZMADEBYPELLMAR20020114");
  EXPECT_EQ(mutex, nullptr) << "the mutex ends with the process";
  if (mutex) CloseHandle(mutex);
}

// Another program drives the running launcher: garbage changes nothing, and a
// second start's "/getUserDir" answers into the result file.
TEST_F(LauncherProgram, CopyDataFromOtherProcessesIsUntrustedAndAnswered) {
  MakeDataFolders();
  HANDLE first = Start("/hide");
  ASSERT_TRUE(first);
  ASSERT_TRUE(WaitFor([] { return FindWindowA("TZMRTMain", "quorvanemain") != nullptr; }));
  HWND window = FindWindowA("TZMRTMain", "quorvanemain");

  std::string noise(1024 * 1024, '\0');
  unsigned state = 12345;
  for (char& c : noise) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>((state >> 16) % 255 + 1);  // never a NUL
  }
  const std::string askFirst = "/getUserDir\r\n/ResultFile=" + (dir / "never.txt");
  const struct {
    ULONG_PTR word;
    std::string bytes;
    DWORD size;
  } garbage[] = {
      {1, noise, static_cast<DWORD>(noise.size())},
      {0, askFirst + std::string(1, '\0'), static_cast<DWORD>(askFirst.size() + 1)},
      {1, askFirst, 11},  // "/getUserDir" cut before its line end and file name
      {1, "/RunSysCommand=99999999999999999999\r\n/X=-2147483649", 52},
  };
  for (const auto& g : garbage) {
    COPYDATASTRUCT data = {g.word, g.size, const_cast<char*>(g.bytes.data())};
    SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }
  SendMessageA(window, WM_COPYDATA, 0, 0);  // Wine refuses it in the sender already
  EXPECT_FALSE(fileio::FileExists(dir / "never.txt"));

  const std::string file = dir / "answers\\t\\n.txt";
  HANDLE second = Start("/getUserDir \"/ResultFile=" + file + "\"");
  ASSERT_TRUE(second);
  ASSERT_EQ(WaitForSingleObject(second, 30000), WAIT_OBJECT_0);
  ASSERT_TRUE(WaitFor([&] { return fileio::FileExists(file); }));
  std::string answer = ReadTextFile(file);
  if (!answer.empty() && answer.back() == '\\') answer.pop_back();
  EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, answer.c_str(), -1, user.c_str(), -1), CSTR_EQUAL)
      << answer << " / " << user;
  EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the launcher still runs";
}

TEST_F(LauncherProgram, MissingItemsStartsTheEditorSetupAndEnds) {
  fileio::ForceDirectories(user + "\\Icons");
  ASSERT_TRUE(CopyFileA(QV_FAKE_EDITOR_EXE, (dir / "Files\\QVEditor.exe").c_str(), FALSE));
  HANDLE launcher = Start("/hide");
  ASSERT_TRUE(launcher);
  ASSERT_EQ(WaitForSingleObject(launcher, 30000), WAIT_OBJECT_0);
  EXPECT_EQ(ExitCode(launcher), 0u);
  const std::string args = dir / "Files\\args.txt";
  ASSERT_TRUE(WaitFor([&] { return fileio::FileExists(args); }));
  const std::string line = ReadTextFile(args);
  EXPECT_NE(line.find("QVEditor.exe"), std::string::npos) << line;
  EXPECT_EQ(line.substr(line.size() - 13), "/setting /new") << line;
}

TEST_F(LauncherProgram, RunCommandRunsTheKeywordAndReLoadSeesAChangedGroupFile) {
  MakeDataFolders();
  const std::string args = SaveRecorderKeyword("rec", "first");
  ASSERT_TRUE(Start("/hide /Debug"));
  HWND window = ReadyLauncher();
  ASSERT_TRUE(window);
  SendLines(window, "/RunCommand=rec");
  ASSERT_TRUE(WaitFor([&] { return fileio::FileExists(args); }));
  EXPECT_NE(ReadTextFile(args).find("first"), std::string::npos) << ReadTextFile(args);
  fileio::DeleteFileAt(args);

  SaveRecorderKeyword("rec", "second");
  SendLines(window, "/ReLoad\r\n/hide");
  SendLines(window, "/RunCommand=rec");
  ASSERT_TRUE(WaitFor([&] { return fileio::FileExists(args); }));
  EXPECT_NE(ReadTextFile(args).find("second"), std::string::npos) << ReadTextFile(args);

  // A keyword that does not exist runs nothing.
  fileio::DeleteFileAt(args);
  SendLines(window, "/RunCommand=nothing");
  Sleep(500);
  EXPECT_FALSE(fileio::FileExists(args));
}

TEST_F(LauncherProgram, UnmatchedTypedTextStartsTheEditorWithANewRequest) {
  MakeDataFolders();
  WriteTextFile(user + "\\quorvane.ini", "version=150103\r\nRegistByEnter=1\r\nHideWhenSetting=0\r\n");
  ASSERT_TRUE(CopyFileA(QV_FAKE_EDITOR_EXE, (dir / "Files\\QVEditor.exe").c_str(), FALSE));
  ASSERT_TRUE(Start("/Debug"));
  HWND window = ReadyLauncher();
  ASSERT_TRUE(window);
  HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr);
  ASSERT_TRUE(edit);
  SendLines(window, "/Paste\r\nnewkey");
  ASSERT_TRUE(WaitFor([&] {
    char text[64] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));  // another process: no GetWindowText
    return std::string(text) == "newkey";
  })) << Log();
  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
  const std::string args = dir / "Files\\args.txt";
  ASSERT_TRUE(WaitFor([&] { return fileio::FileExists(args); }));
  const std::string line = ReadTextFile(args);
  EXPECT_NE(line.find("\"Action=New\"\r\n\"KeyWord=newkey\"\r\n\"Type=-1\""), std::string::npos) << line;
  EXPECT_TRUE(fileio::FileExists(dir / "Files\\notify.txt"));
}

}  // namespace
