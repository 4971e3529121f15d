#include "tests/support/TestWindow.h"

#include <map>

#include "core/AppEvents.h"

namespace {

std::map<HWND, std::map<UINT, int>>& Counts() {
  static std::map<HWND, std::map<UINT, int>> counts;
  return counts;
}

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  ++Counts()[hwnd][msg];
  return DefWindowProcA(hwnd, msg, wp, lp);
}

const char* ClassName() {
  static const char* name = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QvTestWindow";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
    return "QvTestWindow";
  }();
  return name;
}

}  // namespace

TestWindow::TestWindow(DWORD style, HWND owner) {
  hwnd = CreateWindowExA(0, ClassName(), "test", style, 100, 100, 300, 200, owner, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

TestWindow::~TestWindow() {
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
  Counts().erase(hwnd);
}

int TestWindow::OwnCount(UINT msg) const {
  auto it = Counts().find(hwnd);
  if (it == Counts().end()) return 0;
  auto m = it->second.find(msg);
  return m == it->second.end() ? 0 : m->second;
}

WNDPROC TestWindow::OwnProcedure() { return CountingProc; }

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    // Through the application's loop when there is one, as the programs run.
    if (!app::ProcessMessages()) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

void SendTypedChar(HWND window, char c) {
  WORD vk = static_cast<WORD>(VkKeyScanA(c) & 0xFF);
  SendMessageA(window, WM_KEYDOWN, vk, 1);
  SendMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
  SendMessageA(window, WM_KEYUP, vk, 0xC0000001);
}

void SendTypedText(HWND window, const std::string& text) {
  for (char c : text) SendTypedChar(window, c);
}

void SendKeyPress(HWND window, WORD vk) {
  SendMessageA(window, WM_KEYDOWN, vk, 1);
  SendMessageA(window, WM_KEYUP, vk, 0xC0000001);
}
