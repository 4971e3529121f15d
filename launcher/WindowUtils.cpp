#include "launcher/WindowUtils.h"

#include <cstdlib>
#include <string>

#include "core/AttachedInput.h"
#include "core/Debug_Unit.h"
#include "core/Handles.h"

namespace {

// No size or z-order change, no activation, no WM_WINDOWPOSCHANGING, asynchronous.
constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                            SWP_NOSENDCHANGING | SWP_ASYNCWINDOWPOS;

}  // namespace

RECT DesktopRect() {
  int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (w <= 0 || h <= 0) { x = 0; y = 0; w = GetSystemMetrics(SM_CXSCREEN); h = GetSystemMetrics(SM_CYSCREEN); }
  return RECT{x, y, x + w, y + h};
}

int GetWindowTextHeight(HWND window) {
  core::TWindowDC dc(window);
  if (!dc) return 0;
  TEXTMETRICA tm;
  return GetTextMetricsA(dc.get(), &tm) ? tm.tmHeight : 0;
}

POINT GetPreviousWindowCaretPos(HWND window, HWND returnTo) {
  POINT result{-1, -1};
  DWORD own = GetCurrentThreadId();
  DWORD other = GetWindowThreadProcessId(window, nullptr);
  if (!window || other == own) return result;

  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(other, &info)) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    int height = std::abs(info.rcCaret.bottom - info.rcCaret.top);
    DebugOut().Write(std::string("PreviousWindow:") + text).WriteLn();
    DebugOut().Write("PreiviousWindow.CaretHeight:").WriteInt(height).WriteLn();
    if (height > 1 && IsWindowVisible(window) && !IsIconic(window) && IsWindowInsideDesktop(window)) {
      POINT p{info.rcCaret.left, info.rcCaret.top + height};
      HWND from = info.hwndCaret ? info.hwndCaret : info.hwndFocus;
      if (ClientToScreen(from, &p)) result = p;
    }
    return result;
  }

  core::AttachedInput attached(own, other);
  if (attached.Attached()) {
    SetForegroundWindow(window);
    HWND focus = GetFocus();
    POINT p;
    if (focus && GetWindowThreadProcessId(focus, nullptr) != own && GetCaretPos(&p) && ClientToScreen(focus, &p)) {
      p.y += GetWindowTextHeight(window);
      result = p;
    }
    if (returnTo) SetForegroundWindow(returnTo);
  }
  return result;
}

bool IsWindowOnDesktop(HWND window, bool overlap) {
  RECT r, d = DesktopRect(), tmp;
  if (!GetWindowRect(window, &r)) return false;
  if (overlap) return IntersectRect(&tmp, &r, &d) != FALSE;
  return r.left >= d.left && r.top >= d.top && r.right <= d.right && r.bottom <= d.bottom;
}

bool IsWindowInsideDesktop(HWND window) { return IsWindowOnDesktop(window, false); }

POINT KeepRectOnDesktop(const RECT& r, const RECT& d) {
  POINT p{r.left, r.top};
  if (r.bottom > d.bottom) p.y = d.bottom - (r.bottom - r.top);
  else if (r.top < d.top) p.y = d.top;
  if (r.right > d.right) p.x = d.right - (r.right - r.left);
  else if (r.left < d.left) p.x = d.left;
  return p;
}

void KeepWindowOnDesktop(HWND window) {
  RECT r;
  if (!GetWindowRect(window, &r)) return;
  POINT p = KeepRectOnDesktop(r, DesktopRect());
  if (p.x != r.left || p.y != r.top) SetWindowPos(window, nullptr, p.x, p.y, 0, 0, kMoveFlags);
}

POINT PercentPosition(const RECT& w, const RECT& ref, int x, int y) {
  // Integer division truncates toward zero, also for negative percentages.
  POINT p{w.left, w.top};
  if (x != -1) p.x = ref.left + static_cast<LONG>(static_cast<long long>(x) * (ref.right - ref.left) / 100);
  if (y != -1) p.y = ref.top + static_cast<LONG>(static_cast<long long>(y) * (ref.bottom - ref.top) / 100);
  return p;
}

void PlaceWindowByPercent(HWND window, HWND reference, int xPercent, int yPercent) {
  if (!reference) reference = GetDesktopWindow();
  RECT w, ref;
  if (!GetWindowRect(window, &w) || !GetWindowRect(reference, &ref)) return;
  POINT p = PercentPosition(w, ref, xPercent, yPercent);
  SetWindowPos(window, nullptr, p.x, p.y, 0, 0, kMoveFlags);
}
