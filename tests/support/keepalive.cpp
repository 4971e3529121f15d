// Kept running in the background for a whole test run: while one GUI process
// lives, Wine keeps its desktop process, so each GUI test starts in a fraction of
// the time. Ends when the wineserver is stopped. With a file name as its
// argument it creates that file once its window exists, that is once the
// desktop process runs: a test started before that would start the desktop
// process itself, which then holds the test runner's output open.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.lpszClassName = "QvTestKeepAlive";
  RegisterClassA(&wc);
  CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
  if (cmdLine && *cmdLine) {
    HANDLE ready = CreateFileA(cmdLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
