// The subclassed edit of the layer: its events, and positions in characters.
#include "ui/Edit.h"

#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/UiFixture.h"

namespace {

class TWantsTab : public ui::TEdit {
 protected:
  LRESULT GetDlgCode(const MSG*, LRESULT code) override { return code | DLGC_WANTTAB; }
};

class EditTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::TCreateParams p;
    p.ClassName = "QvEditTestForm";
    p.Style = WS_POPUP | WS_BORDER;
    p.X = 60; p.Y = 60; p.Width = 300; p.Height = 80;
    ASSERT_TRUE(form.Create(p));
    form.Show();
    SetForegroundWindow(form.Handle());
  }
  ui::TCreateParams Edit(int y) {
    ui::TCreateParams p;
    p.ClassName = "EDIT";
    p.Style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    p.Parent = form.Handle();
    p.X = 4; p.Y = y; p.Width = 200; p.Height = 24;
    return p;
  }
  ui::TWindow form;
};

TEST_F(EditTest, EventsOfFocusChangeAndClick) {
  ui::TEdit a, b;
  std::vector<std::string> seen;
  a.OnEnter = [&] { seen.push_back("enter"); };
  a.OnExit = [&] { seen.push_back("exit"); };
  a.OnChange = [&] { seen.push_back("change:" + a.Text()); };
  a.OnClick = [&] { seen.push_back("click"); };
  ASSERT_TRUE(a.Create(Edit(4)));
  ASSERT_TRUE(b.Create(Edit(34)));
  a.Focus();
  a.SetText("x");
  SendMessageA(a.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(a.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageA(a.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(a.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 5));  // released outside: no click
  b.Focus();
  EXPECT_EQ(seen, (std::vector<std::string>{"enter", "change:x", "click", "exit"}));
}

TEST_F(EditTest, SelectionCountsCharacters) {
  ui::TEdit e;
  ASSERT_TRUE(e.Create(Edit(4)));
  e.SetText("表示abc");
  EXPECT_EQ(e.TextLength(), 5);
  e.SetSel(1, 3);
  EXPECT_EQ(e.SelStart(), 1);
  EXPECT_EQ(e.SelLength(), 3);
  e.ReplaceSel("ソ");
  EXPECT_EQ(e.Text(), "表ソc");
  EXPECT_EQ(e.SelStart(), 2);
  EXPECT_GT(e.TextWidth("MMMM"), e.TextWidth("M"));
  EXPECT_GT(e.FontHeight(), 0);
}

TEST_F(EditTest, KeyEventsRunBeforeTheControlAndMayEatTheKey) {
  ui::TEdit e;
  std::string typed;
  e.OnKeyPress = [&](ui::TKeyPressEvent& k) {
    typed += k.Key;
    if (k.Key == 'x') k.Key = 0;
  };
  WORD up = 0;
  e.OnKeyUp = [&](ui::TKeyEvent& k) { up = k.Key; };
  ASSERT_TRUE(e.Create(Edit(4)));
  for (char c : {'a', 'x', 'b'}) SendMessageA(e.Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
  SendMessageA(e.Handle(), WM_KEYUP, VK_END, 0xC0000001);
  EXPECT_EQ(typed, "axb");
  EXPECT_EQ(e.Text(), "ab");
  EXPECT_EQ(up, VK_END);
}

TEST_F(EditTest, DialogCodeAddsWhatTheControlAsksFor) {
  ui::TEdit plain;
  TWantsTab tab;
  ASSERT_TRUE(plain.Create(Edit(4)));
  ASSERT_TRUE(tab.Create(Edit(34)));
  EXPECT_FALSE(SendMessageA(plain.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
  EXPECT_TRUE(SendMessageA(tab.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
  EXPECT_TRUE(SendMessageA(tab.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL);
}

}  // namespace
