// The typed message events of the window base: each message's fields arrive
// unpacked, Handled keeps the default procedure out, and a parent hands its
// controls' notifications on to them.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

#include "tests/support/TestWindow.h"
#include "tests/ui/UiFixture.h"
#include "core/Handles.h"
#include "ui/Window.h"

namespace {

class EventTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::TCreateParams p;
    p.ClassName = "QvTestEventWindow";
    p.Caption = "イベント";
    p.Style = WS_OVERLAPPEDWINDOW;
    p.X = 30; p.Y = 30; p.Width = 320; p.Height = 240;
    ASSERT_TRUE(window.Create(p));
  }
  ui::TCreateParams Child(const char* cls, DWORD style = 0) {
    ui::TCreateParams p;
    p.ClassName = cls;
    p.Style = WS_CHILD | WS_VISIBLE | style;
    p.Parent = window.Handle();
    p.Id = 100;
    p.Width = 100; p.Height = 24;
    return p;
  }
  ui::TWindow window;
};

TEST_F(EventTest, ChildColoursAskTheParentThenTheControl) {
  ui::TWindow edit;
  ASSERT_TRUE(edit.Create(Child("EDIT")));
  core::TUniqueBrush parentBrush(CreateSolidBrush(RGB(1, 2, 3))), ownBrush(CreateSolidBrush(RGB(4, 5, 6)));
  bool parentTakes = true;
  UINT parentSaw = 0;
  window.OnCtlColor = [&](ui::TCtlColorEvent& e) {
    parentSaw = e.Msg;
    EXPECT_EQ(e.Control, edit.Handle());
    if (parentTakes) e.SetBrush(parentBrush.get());
  };
  edit.OnControlColor = [&](ui::TCtlColorEvent& e) {
    SetTextColor(e.DC, RGB(255, 0, 0));
    e.SetBrush(ownBrush.get());
  };
  HDC dc = GetDC(edit.Handle());
  auto ask = [&] { return reinterpret_cast<HBRUSH>(SendMessageA(window.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit.Handle()))); };
  EXPECT_EQ(ask(), parentBrush.get());
  EXPECT_EQ(parentSaw, UINT(WM_CTLCOLOREDIT));
  parentTakes = false;
  EXPECT_EQ(ask(), ownBrush.get());
  EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
  ReleaseDC(edit.Handle(), dc);
}

TEST_F(EventTest, HitTestStartsFromTheDefaultAnswer) {
  std::vector<int> defaults;
  window.OnHitTest = [&](ui::THitTestEvent& e) {
    defaults.push_back(e.HitTest);
    if (e.HitTest == HTCLIENT) e.HitTest = HTCAPTION;  // drag by the client area
  };
  RECT client = {};
  GetClientRect(window.Handle(), &client);
  POINT mid = {client.right / 2, client.bottom / 2};
  ClientToScreen(window.Handle(), &mid);
  EXPECT_EQ(SendMessageA(window.Handle(), WM_NCHITTEST, 0, MAKELPARAM(mid.x, mid.y)), HTCAPTION);
  EXPECT_EQ(SendMessageA(window.Handle(), WM_NCHITTEST, 0, MAKELPARAM(-30000, -30000)), HTNOWHERE);
  EXPECT_EQ(defaults, (std::vector<int>{HTCLIENT, HTNOWHERE}));
}

TEST_F(EventTest, CursorSystemCommandAndWindowPosition) {
  HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
  window.OnSetCursor = [&](ui::TSetCursorEvent& e) {
    if (e.HitTest == HTCLIENT && e.MouseMsg == WM_MOUSEMOVE) e.SetCursor(wait);
  };
  EXPECT_EQ(SendMessageA(window.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
  EXPECT_EQ(GetCursor(), wait);

  std::vector<UINT> commands;
  window.OnSysCommand = [&](ui::TSysCommandEvent& e) {
    commands.push_back(e.Command);
    if (e.Command == SC_MINIMIZE) e.Answer(0);  // kept from the default
  };
  window.Show();
  SendMessageA(window.Handle(), WM_SYSCOMMAND, SC_MINIMIZE | 3, 0);
  EXPECT_FALSE(IsIconic(window.Handle()));
  EXPECT_EQ(commands, std::vector<UINT>{SC_MINIMIZE});

  window.OnWindowPosChanging = [](ui::TWindowPosEvent& e) {
    if (!(e.Pos->flags & SWP_NOMOVE)) e.Pos->x = 77;
  };
  SetWindowPos(window.Handle(), nullptr, 10, 12, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT r = window.Bounds();
  EXPECT_EQ(r.left, 77);
  EXPECT_EQ(r.top, 12);
}

TEST_F(EventTest, CopyDataHandsOverTheBytesAndTheSender) {
  struct TCase {
    const char* name;
    std::string bytes;
    ULONG_PTR dataWord;
    std::string text;
  };
  const TCase cases[] = {
      {"up to the zero byte", std::string("/ReLoad\r\n\0junk", 15), 1, "/ReLoad\r\n"},
      {"without a zero byte", "表示", 2, "表示"},
      {"empty", "", 3, ""},
  };
  ui::TCopyDataEvent seen;  // the fields, without the data that live only while it runs
  std::string seenText;
  window.OnCopyData = [&](ui::TCopyDataEvent& e) {
    seen = e;
    seen.Data = nullptr;
    seenText = e.Text();
    e.Answer(e.DataWord != 3);
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string data = c.bytes;
    COPYDATASTRUCT cds = {c.dataWord, static_cast<DWORD>(data.size()), data.empty() ? nullptr : data.data()};
    LRESULT r = SendMessageA(window.Handle(), WM_COPYDATA, reinterpret_cast<WPARAM>(app->Handle()), reinterpret_cast<LPARAM>(&cds));
    EXPECT_EQ(r, c.dataWord != 3 ? TRUE : FALSE);
    EXPECT_EQ(seenText, c.text);
    EXPECT_EQ(seen.Sender, app->Handle());
    EXPECT_EQ(seen.DataWord, c.dataWord);
    EXPECT_EQ(seen.Size, data.size());
  }
  window.OnCopyData = nullptr;
  COPYDATASTRUCT cds = {1, 0, nullptr};
  EXPECT_EQ(SendMessageA(window.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)), FALSE);
}

// The names of a drop, read before the handler, the drop finished after it.
TEST_F(EventTest, DropFilesGivesTheNamesAndThePoint) {
  const std::string names[] = {"C:\\data\\a.txt", "C:\\表計算\\予定.xls"};
  std::string list;
  for (const std::string& n : names) list += n + '\0';
  list += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = {12, 34};
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
  GlobalUnlock(memory);
  std::vector<std::string> files;
  POINT at = {};
  window.OnDropFiles = [&](ui::TDropFilesEvent& e) {
    files = e.Files;
    at = e.Point;
  };
  SendMessageA(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  EXPECT_EQ(files, (std::vector<std::string>{names[0], names[1]}));
  EXPECT_EQ(at.x, 12);
  EXPECT_EQ(at.y, 34);
}

TEST_F(EventTest, ContextMenuTimerMenuPopupAndErase) {
  std::vector<std::string> seen;
  window.OnContextMenu = [&](ui::TContextMenuEvent& e) {
    seen.push_back(e.FromKeyboard() ? "keyboard" : "mouse " + std::to_string(e.X) + "," + std::to_string(e.Y));
    e.Answer(0);
  };
  window.OnTimer = [&](ui::TTimerEvent& e) {
    seen.push_back("timer " + std::to_string(e.Id));
    KillTimer(window.Handle(), e.Id);
  };
  core::TUniqueMenu menu(CreatePopupMenu());
  window.OnInitMenuPopup = [&](ui::TInitMenuPopupEvent& e) {
    seen.push_back(std::string(e.Menu == menu.get() ? "popup " : "other ") + std::to_string(e.Index) + (e.WindowMenu ? " window" : ""));
  };
  window.OnEraseBackground = [&](ui::TEraseEvent& e) {
    seen.push_back(e.DC ? "erase" : "erase without DC");
    e.Answer(1);
  };
  SendMessageA(window.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.Handle()), MAKELPARAM(-1, -1));
  SendMessageA(window.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.Handle()), MAKELPARAM(50, 60));
  SendMessageA(window.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.get()), MAKELPARAM(2, TRUE));
  HDC dc = GetDC(window.Handle());
  EXPECT_EQ(SendMessageA(window.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  ReleaseDC(window.Handle(), dc);
  SetTimer(window.Handle(), 5, 10, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return seen.size() == 5; }));
  EXPECT_EQ(seen, (std::vector<std::string>{"keyboard", "mouse 50,60", "popup 2 window", "erase", "timer 5"}));
}

TEST_F(EventTest, KeyEventsReplaceOrSwallowTheKey) {
  ui::TWindow edit;
  ASSERT_TRUE(edit.Create(Child("EDIT", ES_AUTOHSCROLL)));
  std::vector<std::string> seen;
  edit.OnKeyDown = [&](ui::TKeyEvent& e) {
    seen.push_back(std::to_string(e.Key) + (e.System ? " sys" : ""));
    if (e.Key == VK_END) e.Key = VK_HOME;  // passed on in its place
  };
  edit.SetCaption("abc");
  SendMessageA(edit.Handle(), EM_SETSEL, 1, 1);
  SendMessageA(edit.Handle(), WM_KEYDOWN, VK_END, 0);
  DWORD start = 99;
  SendMessageA(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  EXPECT_EQ(start, 0u);  // went home, not to the end
  SendMessageA(edit.Handle(), WM_SYSKEYDOWN, 'F', 0x20000000);
  EXPECT_EQ(seen, (std::vector<std::string>{std::to_string(VK_END), std::to_string('F') + " sys"}));
}

// A window that takes no keys hands the focus on to its box, as the
// launcher's window does; each side is told who the focus came from or goes to.
TEST_F(EventTest, FocusEventsNameTheOtherWindowAndMayPassTheFocusOn) {
  ui::TWindow edit;
  ASSERT_TRUE(edit.Create(Child("EDIT", ES_AUTOHSCROLL)));
  std::vector<std::string> seen;
  auto name = [&](HWND w) { return w == window.Handle() ? "window" : w == edit.Handle() ? "edit" : w ? "other" : "none"; };
  window.OnSetFocus = [&](ui::TFocusEvent& e) {
    seen.push_back(std::string("window gets it from ") + name(e.Other));
    SetFocus(edit.Handle());
    e.Answer(0);
  };
  window.OnKillFocus = [&](ui::TFocusEvent& e) { seen.push_back(std::string("window loses it to ") + name(e.Other)); };
  edit.OnSetFocus = [&](ui::TFocusEvent& e) { seen.push_back(std::string("edit gets it from ") + name(e.Other)); };
  window.Show();
  SetForegroundWindow(window.Handle());
  SetFocus(nullptr);
  seen.clear();
  SetFocus(window.Handle());
  EXPECT_EQ(GetFocus(), edit.Handle());
  EXPECT_EQ(seen, (std::vector<std::string>{"window gets it from none", "window loses it to edit",
                                            "edit gets it from window"}));
  // The edit's own handling ran: it shows a caret where the focus is.
  EXPECT_TRUE(PumpUntil([&] {
    POINT caret = {-1, -1};
    return GetCaretPos(&caret) && caret.x >= 0;
  }));
}

class TScrollProbe : public ui::TWindow {
 public:
  std::vector<std::string> Seen;

 protected:
  void ControlScroll(ui::TScrollEvent& e) override {
    Seen.push_back(std::string(e.Vertical ? "v " : "h ") + std::to_string(e.Code) + " " + std::to_string(e.Pos));
    e.Answer(0);
  }
  void ControlMessage(ui::TMessageEvent& e) override {
    Seen.push_back(e.Msg == WM_DRAWITEM ? "draw" : "other");
    e.Answer(TRUE);
  }
};

TEST_F(EventTest, ScrollAndOwnerDrawGoToTheControl) {
  TScrollProbe bar;
  ASSERT_TRUE(bar.Create(Child(TRACKBAR_CLASSA)));
  SendMessageA(window.Handle(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 7), reinterpret_cast<LPARAM>(bar.Handle()));
  SendMessageA(window.Handle(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(bar.Handle()));
  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_BUTTON;
  draw.hwndItem = bar.Handle();
  EXPECT_EQ(SendMessageA(window.Handle(), WM_DRAWITEM, 100, reinterpret_cast<LPARAM>(&draw)), TRUE);
  draw.CtlType = ODT_MENU;  // a menu's: not the control's
  SendMessageA(window.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  EXPECT_EQ(bar.Seen, (std::vector<std::string>{"h " + std::to_string(TB_THUMBPOSITION) + " 7",
                                                "v " + std::to_string(SB_LINEDOWN) + " 0", "draw"}));
}

// Detach is the first two steps of the destroy order, here on their own.
class TDetachable : public ui::TWindow {
 public:
  using ui::TWindow::Detach;
};

LRESULT CALLBACK CountingSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_CHAR) ++*reinterpret_cast<int*>(data);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(EventTest, OursLeavesTheSubclassChainAndTheControlGoesOn) {
  TDetachable edit;
  ASSERT_TRUE(edit.Create(Child("EDIT", ES_AUTOHSCROLL)));
  HWND hwnd = edit.Handle();
  int theirs = 0, ours = 0;
  ASSERT_TRUE(SetWindowSubclass(hwnd, &CountingSubclass, 1, reinterpret_cast<DWORD_PTR>(&theirs)));
  edit.OnKeyPress = [&](ui::TKeyPressEvent&) { ++ours; };
  SendMessageA(hwnd, WM_CHAR, 'a', 0);
  EXPECT_EQ(theirs, 1);
  EXPECT_EQ(ours, 1);
  edit.Detach();
  SendMessageA(hwnd, WM_CHAR, 'b', 0);
  EXPECT_EQ(theirs, 2);
  EXPECT_EQ(ours, 1);
  char text[8] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, "ab");
  EXPECT_EQ(ui::TWindow::FromHandle(hwnd), nullptr);
  RemoveWindowSubclass(hwnd, &CountingSubclass, 1);
  DestroyWindow(hwnd);
}

TEST_F(EventTest, SubclassedOnTopTheOldWayOursStaysForwarding) {
  TDetachable edit;
  ASSERT_TRUE(edit.Create(Child("EDIT", ES_AUTOHSCROLL)));
  HWND hwnd = edit.Handle();
  static WNDPROC below;
  static int topCalls;
  topCalls = 0;
  below = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  WNDPROC top = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_CHAR) ++topCalls;
    return CallWindowProcA(below, h, m, w, l);
  };
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(top));
  edit.Detach();
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)), top);
  SendMessageA(hwnd, WM_CHAR, 'x', 0);
  EXPECT_EQ(topCalls, 1);
  char text[8] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, "x");
  DestroyWindow(hwnd);  // ours goes with it
}

// The test pump of tests/support runs the application's loop: its message
// filters see what it pumps.
TEST_F(EventTest, TheTestPumpGoesThroughTheApplication) {
  constexpr UINT kPing = WM_APP + 44;
  int filtered = 0, reached = 0;
  auto filter = app->OnMessage.Add([&](MSG& msg, bool& handled) {
    if (msg.message != kPing) return;
    ++filtered;
    handled = msg.wParam == 1;
  });
  window.OnMessage = [&](ui::TMessageEvent& e) {
    if (e.Msg == kPing) ++reached;
  };
  PostMessageA(window.Handle(), kPing, 1, 0);
  PostMessageA(window.Handle(), kPing, 2, 0);
  EXPECT_TRUE(::PumpUntil([&] { return filtered == 2; }, 5000));
  EXPECT_EQ(reached, 1);
}

}  // namespace
