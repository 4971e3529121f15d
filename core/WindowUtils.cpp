#include "core/WindowUtils.h"

#include <string>

#include "core/AppEvents.h"
#include "core/Debug_Unit.h"
#include "core/Enum_Process.h"
#include "core/ProcessUtils.h"
#include "core/Sjis.h"
#include "core/StringList.h"

namespace {

// No size, no Z order, no activation, no owner Z order, no changing message, asynchronous.
constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING |
                           SWP_ASYNCWINDOWPOS;
static_assert(kMoveOnly == 0x4615);

std::string ReadCaption(HWND window) {
  char text[256] = {};
  int n = GetWindowTextA(window, text, sizeof text);
  return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string ReadClassName(HWND window) {
  char text[256] = {};
  int n = GetClassNameA(window, text, sizeof text);
  return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

bool IsOwnThread(HWND window) { return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId(); }

}  // namespace

POINT CenteredOver(const RECT& over, const RECT& window) {
  // C++ division truncates toward zero.
  POINT p;
  p.x = over.left + ((over.right - over.left) - (window.right - window.left)) / 2;
  p.y = over.top + ((over.bottom - over.top) - (window.bottom - window.top)) / 2;
  return p;
}

POINT CenteredOnDesktop(const RECT& desktop, int width, int height) {
  POINT p;
  p.x = ((desktop.right - desktop.left) - width) / 2;
  p.y = ((desktop.bottom - desktop.top) - height) / 2;
  return p;
}

void CenterWindow(HWND window, HWND over) {
  if (!over) {
    CenterWindowOnScreen(window);
    return;
  }
  RECT o, w;
  if (!GetWindowRect(over, &o) || !GetWindowRect(window, &w)) return;
  POINT p = CenteredOver(o, w);
  SetWindowPos(window, nullptr, p.x, p.y, 0, 0, kMoveOnly);
}

void CenterWindowOnScreen(HWND window) {
  RECT d;
  d.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  d.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  d.right = d.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  d.bottom = d.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  RECT w;
  if (!GetWindowRect(window, &w)) return;
  POINT p = CenteredOnDesktop(d, w.right - w.left, w.bottom - w.top);
  SetWindowPos(window, nullptr, p.x, p.y, 0, 0, kMoveOnly);
}

std::vector<HWND> OrderDefaultWindowCandidates(HWND foreground, bool foregroundIsOwn,
                                               const std::vector<TZOrderWindow>& zOrder, HWND applicationWindow) {
  std::vector<HWND> behind, inFront;
  bool isBehind = false;
  for (const TZOrderWindow& w : zOrder) {
    if (applicationWindow ? w.handle == applicationWindow : w.ownThread) isBehind = true;
    if (w.ownThread || w.handle == applicationWindow || !w.visible) continue;
    (isBehind ? behind : inFront).push_back(w.handle);
  }
  std::vector<HWND> result;
  if (foreground && !foregroundIsOwn) result.push_back(foreground);
  result.insert(result.end(), behind.begin(), behind.end());
  result.insert(result.end(), inFront.begin(), inFront.end());
  return result;
}

bool IgnoreListMatches(const TStringList& list, std::string_view caption, std::string_view className,
                       std::string_view exePath) {
  const std::string exeName = sjis::ExtractFileName(exePath);
  const std::string classLine = "Class:" + std::string(className);
  for (const std::string& line : list) {
    // A blank line would otherwise name every window without a caption.
    if (sjis::Trim(line).empty()) continue;
    if (sjis::EqualsIgnoreCase(line, caption) || sjis::EqualsIgnoreCase(line, exeName) ||
        sjis::EqualsIgnoreCase(line, exePath) || sjis::EqualsIgnoreCase(line, classLine))
      return true;
  }
  return false;
}

bool IsIgnored(HWND window, const TStringList* ignoreList) {
  if (!ignoreList) return false;
  const std::string caption = ReadCaption(window);
  const std::string className = ReadClassName(window);
  std::string exe;
  try {
    exe = GetWindowExeName(window);
  } catch (const EEnumProcessError&) {
    // Without the process functions the window is judged by caption and class alone.
  }
  DebugOut().Write("SearchingDefaultWindow : ").WriteLn().Indent();
  DebugOut().Write("Title     : " + caption).WriteLn();
  DebugOut().Write("ClassName : " + className).WriteLn();
  DebugOut().Write("FileName  : " + exe).WriteLn().Outdent();
  return IgnoreListMatches(*ignoreList, caption, className, exe);
}

HWND FindDefaultWindowIn(const TStringList* ignoreList) {
  std::vector<TZOrderWindow> zOrder;
  EnumWindows(
      [](HWND w, LPARAM param) -> BOOL {
        try {
          reinterpret_cast<std::vector<TZOrderWindow>*>(param)->push_back({w, IsOwnThread(w), IsWindowVisible(w) != 0});
          return TRUE;
        } catch (...) {
          return FALSE;  // out of memory: search what was gathered
        }
      },
      reinterpret_cast<LPARAM>(&zOrder));
  HWND foreground = GetForegroundWindow();
  const std::vector<HWND> candidates =
      OrderDefaultWindowCandidates(foreground, foreground && IsOwnThread(foreground), zOrder,
                                   static_cast<HWND>(app::ApplicationWindow()));
  for (HWND w : candidates)
    if (!IsIgnored(w, ignoreList)) return w;
  return nullptr;
}
