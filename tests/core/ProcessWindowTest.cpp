// Process enumeration, program files of windows, centring, and the pure parts
// of the default-window search (candidate order, ignore-list matching).
#include <windows.h>

#include <gtest/gtest.h>

#include "core/Enum_Process.h"
#include "core/ProcessUtils.h"
#include "core/ProgramPath.h"
#include "core/Sjis.h"
#include "core/StringList.h"
#include "core/WindowUtils.h"
#include "core/Window_CTRL.h"

namespace {

// Finds this process with an enumerator; its program file, or "(not found)".
std::string OwnExeName(TProcessEnumerater& e) {
  const long long self = GetCurrentProcessId();
  for (long long id = e.Next(); id != -1; id = e.Next())
    if (id == self) {
      EXPECT_EQ(e.ProcessID(), self);
      return e.ExeName();
    }
  return "(not found)";
}

TEST(ProcessEnumerater, NTFindsThisProcessWithItsFullPath) {
  TProcessEnumeraterNT e;
  EXPECT_EQ(e.ProcessID(), -1);  // before the first Next
  EXPECT_TRUE(sjis::EqualsIgnoreCase(OwnExeName(e), ProgramFileName())) << ProgramFileName();
}

TEST(ProcessEnumerater, ToolhelpFindsThisProcessAndItsProgramFile) {
  TProcessEnumerater9x e;
  EXPECT_EQ(e.ProcessID(), -1);
  const std::string exe = OwnExeName(e);
  // The NT family's toolhelp gives the file name, 9x the full path.
  EXPECT_TRUE(sjis::EndsWithIgnoreCase(exe, sjis::ExtractFileName(ProgramFileName()))) << exe;
}

TEST(ProcessEnumerater, EndStaysAtTheEnd) {
  TProcessEnumeraterNT nt;
  TProcessEnumerater9x toolhelp;
  for (TProcessEnumerater* e : {static_cast<TProcessEnumerater*>(&nt), static_cast<TProcessEnumerater*>(&toolhelp)}) {
    int n = 0;
    while (e->Next() != -1) ++n;
    EXPECT_GT(n, 0);
    EXPECT_EQ(e->Next(), -1);
    EXPECT_EQ(e->ProcessID(), -1);
    EXPECT_EQ(e->ExeName(), "");
  }
}

TEST(ProcessApi, ProgramFileOfAProcessById) {
  const TProcessApi psapi;
  EXPECT_TRUE(sjis::EqualsIgnoreCase(psapi.ProgramFile(GetCurrentProcessId()), ProgramFileName()));
  EXPECT_EQ(psapi.ProgramFile(0), "");
  EXPECT_EQ(psapi.ProgramFile(0xFFFFFFF0u), "");  // no such process
}

TEST(ProcessEnumerater, FactoryGivesTheNTEnumeratorOnNT) {
  auto e = CreateProcessEnumerater();
  EXPECT_NE(dynamic_cast<TProcessEnumeraterNT*>(e.get()), nullptr);
}

// A plain top-level window of this thread, destroyed with the object.
class TestWindow {
 public:
  TestWindow(const char* caption, int x, int y, int w, int h, DWORD style = WS_POPUP) {
    hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", caption, style, x, y, w, h, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() { DestroyWindow(hwnd); }
  RECT Rect() const { RECT r; GetWindowRect(hwnd, &r); return r; }
  HWND hwnd;
};

TEST(WindowCTRL, CaptionAndProgramFileOfAWindow) {
  TestWindow w("窓の表題", 0, 0, 50, 50);
  ASSERT_TRUE(w.hwnd);
  TWindowCTRL ctrl(w.hwnd);
  EXPECT_EQ(ctrl.GetTitle(), "窓の表題");
  EXPECT_TRUE(sjis::EqualsIgnoreCase(ctrl.GetExeName(), ProgramFileName()));
  EXPECT_TRUE(sjis::EqualsIgnoreCase(GetWindowExeName(w.hwnd), ProgramFileName()));
  EXPECT_EQ(GetWindowExeName(nullptr), "");
  EXPECT_EQ(TWindowCTRL(nullptr).GetExeName(), "");
}

TEST(Centring, OverAnotherWindowTruncatesTowardZero) {
  struct Case { const char* name; RECT over, window; LONG x, y; };
  const Case cases[] = {
      {"smaller inside", {0, 0, 100, 100}, {0, 0, 50, 50}, 25, 25},
      {"odd difference", {0, 0, 100, 100}, {7, 7, 58, 58}, 24, 24},
      {"offset owner", {10, 20, 110, 220}, {0, 0, 40, 101}, 40, 69},
      {"larger than owner", {0, 0, 100, 100}, {0, 0, 301, 51}, -100, 24},  // -201 / 2 is -100
      {"negative owner", {-200, -100, -100, 0}, {0, 0, 51, 151}, -176, -125},
  };
  for (const Case& c : cases) {
    POINT p = CenteredOver(c.over, c.window);
    EXPECT_EQ(p.x, c.x) << c.name;
    EXPECT_EQ(p.y, c.y) << c.name;
  }
}

TEST(Centring, OnTheDesktopIgnoresItsOrigin) {
  struct Case { const char* name; RECT desktop; int w, h; LONG x, y; };
  const Case cases[] = {
      {"one screen", {0, 0, 1280, 1024}, 100, 24, 590, 500},
      {"screen to the left", {-1280, 0, 1280, 1024}, 100, 25, 1230, 499},
      {"wider window", {0, 0, 100, 100}, 301, 100, -100, 0},
  };
  for (const Case& c : cases) {
    POINT p = CenteredOnDesktop(c.desktop, c.w, c.h);
    EXPECT_EQ(p.x, c.x) << c.name;
    EXPECT_EQ(p.y, c.y) << c.name;
  }
}

TEST(Centring, MovesRealWindowsWithoutResizing) {
  TestWindow owner("owner", 100, 100, 400, 300), dialog("dialog", 0, 0, 121, 61);
  ASSERT_TRUE(owner.hwnd && dialog.hwnd);
  CenterWindow(dialog.hwnd, owner.hwnd);
  RECT r = dialog.Rect();
  POINT expect = CenteredOver(owner.Rect(), RECT{0, 0, 121, 61});
  EXPECT_EQ(r.left, expect.x);
  EXPECT_EQ(r.top, expect.y);
  EXPECT_EQ(r.right - r.left, 121);
  EXPECT_EQ(r.bottom - r.top, 61);

  CenterWindow(dialog.hwnd, nullptr);  // no owner: the screen
  RECT desktop{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  desktop.right = desktop.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  desktop.bottom = desktop.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  expect = CenteredOnDesktop(desktop, 121, 61);
  r = dialog.Rect();
  EXPECT_EQ(r.left, expect.x);
  EXPECT_EQ(r.top, expect.y);
}

HWND H(int n) { return reinterpret_cast<HWND>(static_cast<intptr_t>(n)); }

TEST(DefaultWindowCandidates, OrderOfTheSearch) {
  using W = std::vector<TZOrderWindow>;
  using R = std::vector<HWND>;
  struct Case { const char* name; HWND fg; bool fgOwn; W z; HWND app; R expect; };
  const Case cases[] = {
      {"foreground first, then behind the program, then in front",
       H(5), false, {{H(1), false, true}, {H(9), true, false}, {H(2), false, true}, {H(3), false, true}}, H(9),
       {H(5), H(2), H(3), H(1)}},
      {"own foreground: the first visible window behind the program",
       H(8), true, {{H(8), true, true}, {H(9), true, false}, {H(2), false, false}, {H(3), false, true}}, H(9),
       {H(3)}},
      {"own windows are skipped everywhere",
       nullptr, false, {{H(7), true, true}, {H(9), true, false}, {H(6), true, true}, {H(2), false, true}}, H(9),
       {H(2)}},
      {"no application window: the first own window marks the place",
       nullptr, false, {{H(1), false, true}, {H(7), true, true}, {H(2), false, true}}, nullptr, {H(2), H(1)}},
      {"nothing visible", H(8), true, {{H(8), true, true}, {H(2), false, false}}, H(9), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(OrderDefaultWindowCandidates(c.fg, c.fgOwn, c.z, c.app), c.expect) << c.name;
}

TEST(IgnoreList, LinesNameCaptionsProgramsAndClasses) {
  TStringList list({"Class:Notepad", "notepad.exe", "C:\\Tools\\vim.exe", "", "  ", "メモ帳 - 無題", "表示"});
  struct Case { const char* name; const char *caption, *cls, *exe; bool ignored; };
  const Case cases[] = {
      {"class line", "anything", "Notepad", "D:\\x\\edit.exe", true},
      {"class ignores case", "anything", "NOTEPAD", "", true},
      {"class name alone is no class line", "anything", "Note", "", false},
      {"program file name anywhere", "x", "Edit", "D:\\bin\\NOTEPAD.EXE", true},
      {"full path only there", "x", "Edit", "C:\\tools\\VIM.exe", true},
      {"same name elsewhere", "x", "Edit", "D:\\vim.exe", false},
      {"caption", "メモ帳 - 無題", "Edit", "", true},
      {"double-byte caption differs", "表", "Edit", "", false},
      {"blank lines name nothing", "", "Edit", "", false},
      {"blank caption and program", "  ", "Edit", "", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IgnoreListMatches(list, c.caption, c.cls, c.exe), c.ignored) << c.name;
  EXPECT_FALSE(IsIgnored(GetDesktopWindow(), nullptr));
}

}  // namespace
