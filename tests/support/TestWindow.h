// A plain top-level window for tests, with a procedure that counts what reaches
// it, and a message pump that runs until a condition holds or time runs out.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct TestWindow {
  HWND hwnd = nullptr;
  TestWindow(DWORD style = WS_OVERLAPPEDWINDOW, HWND owner = nullptr);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  // Messages of this id that reached the window's own procedure.
  int OwnCount(UINT msg) const;
  static WNDPROC OwnProcedure();
};

// Pumps messages until done() or the timeout; true when done() held. With an
// application object the messages go through its loop (message filters,
// shortcuts, dialog keys), else they are dispatched plainly.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Pumps messages for the given time.
void PumpFor(DWORD ms);

// Keys as a window sees them typed: key down, the character, key up.
void SendTypedChar(HWND window, char c);
void SendTypedText(HWND window, const std::string& text);
// A key pressed and released, without a character.
void SendKeyPress(HWND window, WORD vk);
