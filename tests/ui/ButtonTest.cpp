// Push buttons, check boxes, radio buttons and radio groups: driven by the
// mouse and keys, their state read back from the controls.
#include <windows.h>

#include <vector>

#include "tests/ui/ControlsFixture.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/RadioButton.h"
#include "ui/RadioGroup.h"

namespace {

using ButtonTest = ControlsTest;

core::TUniqueBitmap SolidBitmap(int size, COLORREF color) {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, size, size);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT r = {0, 0, size, size};
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return core::TUniqueBitmap(bmp);
}

TEST_F(ButtonTest, ClickSpaceAndTheFormsEnterPressTheButton) {
  ui::TButton ok, other;
  ui::TButtonParams p(Form(), "了解(&O)", 10, 10, 90, 26);
  p.Font = font;
  ASSERT_TRUE(ok.Create(p));
  ASSERT_TRUE(other.Create(ui::TButtonParams(Form(), kJapanese, 110, 10, 120, 26)));
  ui::TEdit edit;
  ui::TEditParams ep;
  ep.Parent = Form();
  ep.X = 10; ep.Y = 50; ep.Width = 100; ep.Height = 22;
  ASSERT_TRUE(edit.Create(ep));
  form.SetDefaultButton(&ok);
  EXPECT_EQ(ok.Caption(), "了解(&O)");
  EXPECT_EQ(other.Caption(), kJapanese);
  int clicks = 0, otherClicks = 0;
  ok.OnClick = [&] { ++clicks; };
  other.OnClick = [&] { ++otherClicks; };

  ClickAt(ok.Handle(), Center(ok.Handle()));
  EXPECT_EQ(clicks, 1);
  other.Focus();
  Press({VK_SPACE});
  EXPECT_EQ(otherClicks, 1);
  Press({VK_RETURN});
  EXPECT_EQ(otherClicks, 2) << "Enter presses the focused button";
  edit.Focus();
  Press({VK_RETURN});
  EXPECT_EQ(clicks, 2) << "and else the form's default button";
  EXPECT_EQ(otherClicks, 2);
  ok.Click();
  EXPECT_EQ(clicks, 3);
}

TEST_F(ButtonTest, PictureIsShownAndTheReplacedOneFreed) {
  ui::TButton b;
  ASSERT_TRUE(b.Create(ui::TButtonParams(Form(), "", 10, 10, 40, 40)));
  core::TUniqueBitmap first = SolidBitmap(34, RGB(255, 0, 0));
  HBITMAP firstHandle = first.get();
  b.SetPicture(std::move(first));
  EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageA(b.Handle(), BM_GETIMAGE, IMAGE_BITMAP, 0)), firstHandle);
  EXPECT_EQ(b.PictureBitmap(), firstHandle);

  core::TUniqueIcon icon(static_cast<HICON>(CopyImage(LoadIconA(nullptr, IDI_INFORMATION), IMAGE_ICON, 32, 32, 0)));
  HICON iconHandle = icon.get();
  b.SetPicture(std::move(icon));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(b.Handle(), BM_GETIMAGE, IMAGE_ICON, 0)), iconHandle);
  EXPECT_EQ(GetObjectType(firstHandle), 0u) << "the bitmap the button no longer shows is freed";
  EXPECT_EQ(b.PictureBitmap(), nullptr);
  b.ClearPicture();
  EXPECT_EQ(SendMessageA(b.Handle(), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

TEST_F(ButtonTest, CheckBoxClicksGoRoundItsStates) {
  using S = ui::TCheckBoxState;
  struct TCase {
    const char* name;
    bool allowGrayed;
    std::vector<S> afterClicks;
  };
  const TCase cases[] = {
      {"two states", false, {S::Checked, S::Unchecked, S::Checked}},
      {"three states", true, {S::Checked, S::Grayed, S::Unchecked}},
  };
  int y = 10;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::TCheckBox box;
    ui::TCheckBoxParams p(Form(), "選択する(&C)", 10, y, 200, 20);
    p.AllowGrayed = c.allowGrayed;
    p.Font = font;
    ASSERT_TRUE(box.Create(p));
    y += 30;
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    for (size_t i = 0; i < c.afterClicks.size(); ++i) {
      ClickAt(box.Handle(), 8, 10);
      EXPECT_EQ(box.State(), c.afterClicks[i]) << "after click " << i + 1;
      EXPECT_EQ(clicks, static_cast<int>(i + 1));
    }
    box.SetChecked(true);
    box.SetState(S::Unchecked);
    EXPECT_EQ(clicks, static_cast<int>(c.afterClicks.size())) << "setting the state from code is no click";
  }
}

TEST_F(ButtonTest, CheckBoxWithALineBreakWraps) {
  ui::TCheckBox box;
  ASSERT_TRUE(box.Create(ui::TCheckBoxParams(Form(), "このグループ内のキーワード実行時\r\nにその順位を上げる", 10, 10, 260, 34)));
  EXPECT_TRUE(GetWindowLongA(box.Handle(), GWL_STYLE) & BS_MULTILINE);
  EXPECT_EQ(box.Caption(), "このグループ内のキーワード実行時\r\nにその順位を上げる");
}

TEST_F(ButtonTest, RadioButtonsOfAGroupUncheckEachOther) {
  ui::TRadioButton a, b, c, other;
  ui::TRadioButtonParams pa(Form(), "常駐モード", 10, 10, 150, 20);
  pa.Style |= WS_GROUP;
  pa.Checked = true;
  ASSERT_TRUE(a.Create(pa));
  ASSERT_TRUE(b.Create(ui::TRadioButtonParams(Form(), "非常駐モード", 10, 35, 150, 20)));
  ASSERT_TRUE(c.Create(ui::TRadioButtonParams(Form(), "カスタム", 10, 60, 150, 20)));
  ui::TRadioButtonParams po(Form(), "別のグループ", 10, 100, 150, 20);
  po.Style |= WS_GROUP;
  po.Checked = true;
  ASSERT_TRUE(other.Create(po));
  std::vector<std::string> clicked;
  a.OnClick = [&] { clicked.push_back("a"); };
  b.OnClick = [&] { clicked.push_back("b"); };
  c.OnClick = [&] { clicked.push_back("c"); };
  auto states = [&] { return std::vector<bool>{a.Checked(), b.Checked(), c.Checked(), other.Checked()}; };

  ClickAt(b.Handle(), 8, 10);
  EXPECT_EQ(states(), (std::vector<bool>{false, true, false, true}));
  c.SetChecked(true);  // from code: the others of the group go too
  EXPECT_EQ(states(), (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(clicked, (std::vector<std::string>{"b"}));
  // Only the checked button of the group is a tab stop.
  EXPECT_FALSE(GetWindowLongA(b.Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(c.Handle(), GWL_STYLE) & WS_TABSTOP);

  // The arrow keys of the form move the check within the group.
  c.Focus();
  Press({VK_UP});
  EXPECT_EQ(states(), (std::vector<bool>{false, true, false, true}));
  EXPECT_EQ(clicked, (std::vector<std::string>{"b", "b"}));
  EXPECT_EQ(GetFocus(), b.Handle());
}

TEST_F(ButtonTest, RadioGroupHoldsItsButtonsAndReportsTheUsersChoice) {
  ui::TRadioGroup group;
  ui::TRadioGroupParams p(Form(), "動作モード(&M)", 10, 10, 300, 110);
  p.Items = {"常駐モード", "非常駐モード", "カスタム", "表示ソ"};
  p.Columns = 2;
  p.ItemIndex = 0;
  p.Font = font;
  ASSERT_TRUE(group.Create(p));
  int clicks = 0;
  group.OnClick = [&] { ++clicks; };
  ASSERT_EQ(group.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(GetParent(group.Button(i)->Handle()), group.Handle()) << "the buttons live inside the group box";
    EXPECT_EQ(group.Button(i)->Caption(), p.Items[static_cast<size_t>(i)]);
  }
  // Two columns: items 0 and 1 in the first, 2 and 3 in the second.
  EXPECT_EQ(group.Button(0)->Left(), group.Button(1)->Left());
  EXPECT_GT(group.Button(2)->Left(), group.Button(0)->Left());
  EXPECT_GT(group.Button(1)->Top(), group.Button(0)->Top());
  EXPECT_GT(group.Button(0)->Top(), 0);

  ClickAt(group.Button(3)->Handle(), 8, group.Button(3)->Height() / 2);
  EXPECT_EQ(group.ItemIndex(), 3);
  EXPECT_EQ(clicks, 1);
  ClickAt(group.Button(3)->Handle(), 8, group.Button(3)->Height() / 2);
  EXPECT_EQ(clicks, 1) << "the item already checked is no new choice";
  group.SetItemIndex(1);
  EXPECT_EQ(group.ItemIndex(), 1);
  EXPECT_FALSE(group.Button(3)->Checked());
  EXPECT_EQ(clicks, 1);
  group.SetItemIndex(-1);
  EXPECT_EQ(group.ItemIndex(), -1);

  group.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(group.Button(0)->Handle()));
  group.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(group.Button(0)->Handle()));

  // Moving the group box moves its buttons with it.
  RECT before = {};
  GetWindowRect(group.Button(0)->Handle(), &before);
  group.SetBounds(30, 40, 300, 110);
  RECT after = {};
  GetWindowRect(group.Button(0)->Handle(), &after);
  EXPECT_EQ(after.left - before.left, 20);
  EXPECT_EQ(after.top - before.top, 30);
}

}  // namespace
