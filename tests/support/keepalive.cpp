// Kept running in the background for a whole test run: while one GUI process
// lives, Wine keeps its desktop process, so each GUI test starts in a fraction of
// the time. Its first window starts that desktop process; the file named on the
// command line is then created, so the test script can wait for it: a desktop
// process started by a test instead would inherit ctest's output pipe and keep
// ctest waiting until the test's timeout. Ends when the wineserver is stopped.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = "QvTestKeepAlive";
  RegisterClassA(&wc);
  CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
  if (cmdLine && *cmdLine) {
    char path[MAX_PATH * 2] = {};
    const char* p = cmdLine;
    size_t n = 0;
    for (; *p && n + 1 < sizeof path; ++p)
      if (*p != '"') path[n++] = *p;  // Wine quotes a path that holds blanks
    HANDLE ready = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
