// Fixture of the control tests: a shown, active form with dialog navigation
// to put controls on, with its font (ＭＳ Ｐゴシック 9 pt), and the mouse
// driven for real (SendInput) at points of a control's client area.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/ui/UiFixture.h"
#include "core/Handles.h"
#include "ui/Form.h"
#include "ui/Window.h"

class ControlsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::TFormParams p;
    p.Caption = "コントロールの試験";
    p.X = 40; p.Y = 40; p.Width = 560; p.Height = 440;
    p.DialogNavigation = true;
    ASSERT_TRUE(form.Create(p));
    font = form.Font();
    form.Show();
    SetForegroundWindow(form.Handle());
    // The mouse away from every control: where an earlier test left it, an
    // open list would follow it.
    MouseToScreen(GetSystemMetrics(SM_CXSCREEN) - 8, GetSystemMetrics(SM_CYSCREEN) - 8);
    Drain();
  }
  void TearDown() override {
    ReleaseButtons();
    form.Destroy();
    UiTest::TearDown();
  }

  HWND Form() const { return form.Handle(); }

  // The screen point of a client point of a window.
  static POINT ScreenPoint(HWND w, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(w, &p);
    return p;
  }
  static POINT Center(HWND w) {
    RECT r = {};
    GetClientRect(w, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  static void MouseTo(HWND w, int x, int y) {
    POINT p = ScreenPoint(w, x, y);
    MouseToScreen(p.x, p.y);
  }
  static void MouseToScreen(int x, int y) {
    POINT p = {x, y};
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((p.x * 65535.0) / (GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
    in.mi.dy = static_cast<LONG>((p.y * 65535.0) / (GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
  }
  static void Button(bool down, bool right = false) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                          : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendInput(1, &in, sizeof in);
  }
  static void ReleaseButtons() {
    if (GetAsyncKeyState(VK_LBUTTON) < 0) Button(false);
    if (GetAsyncKeyState(VK_RBUTTON) < 0) Button(false, true);
  }
  // A click of the left button at a client point; the messages are handled.
  void ClickAt(HWND w, int x, int y) {
    MouseTo(w, x, y);
    Drain();
    Button(true);
    Button(false);
    Drain();
  }
  void ClickAt(HWND w, POINT p) { ClickAt(w, p.x, p.y); }
  void DoubleClickAt(HWND w, int x, int y) {
    MouseTo(w, x, y);
    Drain();
    Button(true);
    Button(false);
    Button(true);
    Button(false);
    Drain();
  }
  // Presses the keys (in order, released in reverse) and handles what follows.
  void Press(std::vector<WORD> keys) {
    Type(std::move(keys));
    Drain();
  }

  ui::TForm form;
  HFONT font = nullptr;  // the form's own
};

// What a window draws of its client area (WM_PRINTCLIENT into a bitmap of
// its own), read back pixel by pixel.
struct TSnapshot {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;
  explicit TSnapshot(HWND w, UINT flags = PRF_CLIENT | PRF_ERASEBKGND) {
    RECT r = {};
    GetClientRect(w, &r);
    Width = r.right;
    Height = r.bottom;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = Width;
    bi.bmiHeader.biHeight = -Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all = {0, 0, Width, Height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    SendMessageA(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    GdiFlush();
    const auto* p = static_cast<const DWORD*>(bits);
    for (int i = 0; i < Width * Height; ++i) Pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    ReleaseDC(nullptr, screen);
  }
  COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
  // Pixels near a colour: anti-aliased text blends its edges into the background.
  static bool Near(COLORREF a, COLORREF b, int tolerance = 60) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
  }
  int Count(COLORREF c, int tolerance = 60) const {
    return static_cast<int>(std::count_if(Pixels.begin(), Pixels.end(), [&](COLORREF p) { return Near(p, c, tolerance); }));
  }
  // The leftmost and rightmost columns holding the colour (-1 when none).
  int FirstColumn(COLORREF c, int tolerance = 60) const {
    for (int x = 0; x < Width; ++x)
      for (int y = 0; y < Height; ++y)
        if (Near(At(x, y), c, tolerance)) return x;
    return -1;
  }
  int LastColumn(COLORREF c, int tolerance = 60) const {
    for (int x = Width - 1; x >= 0; --x)
      for (int y = 0; y < Height; ++y)
        if (Near(At(x, y), c, tolerance)) return x;
    return -1;
  }
};

// Japanese captions used by the tests (Shift-JIS in the program).
inline const std::string kJapanese = "日本語の表示ソ";
