// Controls of system classes, subclassed by the window base.
#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

#include "tests/ui/UiFixture.h"
#include "ui/Handles.h"
#include "ui/Window.h"

namespace {

class ControlTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::TCreateParams p;
    p.ClassName = "QvTestForm";
    p.Style = WS_OVERLAPPEDWINDOW;
    p.X = 60; p.Y = 60; p.Width = 300; p.Height = 200;
    ASSERT_TRUE(form.Create(p));
  }
  ui::TCreateParams Edit(int id) {
    ui::TCreateParams p;
    p.ClassName = "EDIT";
    p.Style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    p.Parent = form.Handle();
    p.Id = id;
    p.X = 4; p.Y = 4; p.Width = 200; p.Height = 24;
    return p;
  }
  ui::TWindow form;
};

TEST_F(ControlTest, EditIsSubclassedAndItsEventsRunFirst) {
  ui::TWindow edit;
  bool created = false;
  edit.OnCreate = [&] { created = true; };
  std::string typed;
  edit.OnKeyPress = [&](ui::TKeyPressEvent& e) {
    typed += e.Key;
    if (e.Key == 'x') e.Key = 0;        // swallowed
    else if (e.Key == 'a') e.Key = 'b';  // replaced
  };
  ASSERT_TRUE(edit.Create(Edit(101)));
  EXPECT_TRUE(created);
  EXPECT_EQ(ui::TWindow::FromHandle(edit.Handle()), &edit);
  EXPECT_EQ(GetDlgCtrlID(edit.Handle()), 101);
  for (char c : {'a', 'x', 'c'}) SendMessageA(edit.Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
  EXPECT_EQ(typed, "axc");
  EXPECT_EQ(edit.Caption(), "bc");  // the control's own procedure did the rest

  WORD seenKey = 0;
  edit.OnKeyDown = [&](ui::TKeyEvent& e) {
    seenKey = e.Key;
    if (e.Key == VK_HOME) e.Key = 0;
  };
  SendMessageA(edit.Handle(), EM_SETSEL, 2, 2);
  SendMessageA(edit.Handle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(seenKey, VK_HOME);
  DWORD start = 0;
  SendMessageA(edit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  EXPECT_EQ(start, 2u);  // Home never reached the edit
}

TEST_F(ControlTest, ParentHandsNotificationsToTheControl) {
  ui::TWindow edit;
  std::vector<WORD> codes;
  edit.OnControlCommand = [&](ui::TCommandEvent& e) { codes.push_back(e.Code); };
  ASSERT_TRUE(edit.Create(Edit(102)));
  edit.SetCaption("表示");
  EXPECT_NE(std::find(codes.begin(), codes.end(), WORD(EN_CHANGE)), codes.end());

  ui::TWindow tree;
  ui::TCreateParams p;
  p.ClassName = WC_TREEVIEWA;
  p.Style = WS_CHILD | WS_VISIBLE;
  p.Parent = form.Handle();
  p.Y = 40; p.Width = 200; p.Height = 100;
  ASSERT_TRUE(tree.Create(p));
  UINT notified = 0;
  tree.OnControlNotify = [&](ui::TNotifyMessageEvent& e) {
    notified = e.Header->code;
    e.Answer(5);
  };
  NMHDR h = {tree.Handle(), 0, NM_CLICK};
  EXPECT_EQ(SendMessageA(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&h)), 5);
  EXPECT_EQ(notified, UINT(NM_CLICK));
}

TEST_F(ControlTest, ExceptionInAControlsEventIsShown) {
  ui::TWindow edit;
  edit.OnKeyPress = [](ui::TKeyPressEvent&) { throw std::runtime_error("入力エラー"); };
  ASSERT_TRUE(edit.Create(Edit(103)));
  SendMessageA(edit.Handle(), WM_CHAR, 'q', 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "入力エラー");
  EXPECT_EQ(edit.Caption(), "");
}

TEST_F(ControlTest, DestroyingTheObjectRemovesTheSubclassThenTheControl) {
  HWND hwnd;
  WNDPROC classProc;
  {
    ui::TWindow edit;
    ASSERT_TRUE(edit.Create(Edit(104)));
    hwnd = edit.Handle();
    classProc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd, GCLP_WNDPROC));
    EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)), classProc);
  }
  EXPECT_FALSE(IsWindow(hwnd));

  // Subclassed by someone else on top of ours: ours stays, forwarding only.
  ui::TWindow edit;
  ASSERT_TRUE(edit.Create(Edit(105)));
  hwnd = edit.Handle();
  static WNDPROC below;
  below = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  WNDPROC top = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT { return CallWindowProcA(below, h, m, w, l); };
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(top));
  int pressed = 0;
  edit.OnKeyPress = [&](ui::TKeyPressEvent&) { ++pressed; };
  SendMessageA(hwnd, WM_CHAR, 'a', 0);
  EXPECT_EQ(pressed, 1);
  edit.Destroy();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(edit.Handle(), nullptr);
}

TEST_F(ControlTest, ParentDestroysItsControls) {
  ui::TWindow edit;
  ASSERT_TRUE(edit.Create(Edit(106)));
  HWND hwnd = edit.Handle();
  form.Destroy();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(edit.Handle(), nullptr);
  EXPECT_EQ(ui::TWindow::FromHandle(hwnd), nullptr);
}

}  // namespace
