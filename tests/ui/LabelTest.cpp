// Labels, and the containers (frame, panel, group box) with the bevel: what
// they draw, read back from their pictures, and how input reaches the
// controls inside them.
#include <windows.h>

#include <functional>
#include <memory>

#include "tests/ui/ControlsFixture.h"
#include "ui/Bevel.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Frame.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace {

using LabelTest = ControlsTest;
using ContainerTest = ControlsTest;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);

ui::TCreateParams EditParams(HWND parent, int x, int y) {
  ui::TCreateParams p;
  p.ClassName = "EDIT";
  p.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
  p.ExStyle = WS_EX_CLIENTEDGE;
  p.Parent = parent;
  p.X = x; p.Y = y; p.Width = 120; p.Height = 22;
  return p;
}

TEST_F(LabelTest, TextStandsWhereTheAlignmentPutsIt) {
  struct TCase {
    const char* name;
    ui::TAlignment alignment;
  };
  const TCase cases[] = {{"left", ui::TAlignment::Left}, {"centre", ui::TAlignment::Center}, {"right", ui::TAlignment::Right}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::TLabel label;
    ui::TLabelParams p(Form(), "表示ソ", 10, 10, 200, 20);
    p.Alignment = c.alignment;
    p.FontColor = kRed;
    p.Font = font;
    ASSERT_TRUE(label.Create(p));
    EXPECT_EQ(label.Caption(), "表示ソ");
    TSnapshot shot(label.Handle());
    int first = shot.FirstColumn(kRed), last = shot.LastColumn(kRed);
    ASSERT_GE(first, 0) << "the text is drawn in its colour";
    int leftGap = first, rightGap = shot.Width - 1 - last;
    switch (c.alignment) {
      case ui::TAlignment::Left: EXPECT_LT(leftGap, 4); EXPECT_GT(rightGap, 100); break;
      case ui::TAlignment::Right: EXPECT_LT(rightGap, 4); EXPECT_GT(leftGap, 100); break;
      case ui::TAlignment::Center: EXPECT_LE(std::abs(leftGap - rightGap), 4); break;
    }
  }
}

TEST_F(LabelTest, ColoursComeFromTheLabelOrItsParent) {
  ui::TFrame frame;
  ui::TFrameParams fp(Form(), "", 10, 10, 300, 100);
  fp.Color = kGreen;
  ASSERT_TRUE(frame.Create(fp));
  ui::TLabel onFrame, ownColour;
  ui::TLabelParams p(frame.Handle(), "緑の上", 5, 5, 120, 20);
  ASSERT_TRUE(onFrame.Create(p));
  p.Caption = "赤の上";
  p.Y = 40;
  p.Color = kRed;
  ASSERT_TRUE(ownColour.Create(p));

  TSnapshot shot(onFrame.Handle());
  EXPECT_EQ(shot.At(shot.Width - 1, shot.Height - 1), kGreen) << "the label shows the frame's colour through";
  EXPECT_GT(shot.Count(GetSysColor(COLOR_WINDOWTEXT), 40), 0) << "in the parent's text colour";
  TSnapshot own(ownColour.Handle());
  EXPECT_EQ(own.At(own.Width - 1, own.Height - 1), kRed);

  onFrame.SetLink(true);
  EXPECT_EQ(onFrame.TextColor(), RGB(0, 0, 255));
  onFrame.SetFontColor(RGB(0, 0, 128));
  EXPECT_EQ(onFrame.TextColor(), RGB(0, 0, 128));
}

TEST_F(LabelTest, MnemonicFocusesTheNextControlOrTheFocusControl) {
  ui::TEdit first, second, third;
  ui::TLabel plain, linked;
  ASSERT_TRUE(first.Create(EditParams(Form(), 10, 10)));
  ui::TLabelParams lp(Form(), "名前(&N)", 10, 40, 100, 18);
  ASSERT_TRUE(plain.Create(lp));
  ASSERT_TRUE(second.Create(EditParams(Form(), 120, 40)));
  lp.Caption = "キー(&K)";
  lp.Y = 70;
  ASSERT_TRUE(linked.Create(lp));
  ASSERT_TRUE(third.Create(EditParams(Form(), 120, 100)));
  linked.SetFocusControl(first.Handle());  // not the one after it
  third.SetText("abc");
  second.SetText("候補ソ");

  struct TCase {
    const char* name;
    WORD key;
    HWND expected;
  };
  const TCase cases[] = {
      {"the control after the label", 'N', second.Handle()},
      {"the focus control", 'K', first.Handle()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    third.Focus();
    Press({VK_MENU, c.key});
    EXPECT_EQ(GetFocus(), c.expected);
  }
  EXPECT_EQ(second.SelLength(), 3) << "an edit box reached by a mnemonic has its text selected";
}

TEST_F(LabelTest, ClickHandCursorAndMouseOverOfALink) {
  ui::TLabel link;
  ui::TLabelParams p(Form(), "https://example.jp/サポート", 10, 10, 220, 20);
  p.Link = true;
  p.Font = font;
  ASSERT_TRUE(link.Create(p));
  std::vector<std::string> seen;
  link.OnClick = [&] { seen.push_back("click"); };
  link.OnMouseEnter = [&] { seen.push_back("enter"); };
  link.OnMouseLeave = [&] { seen.push_back("leave"); };
  ClickAt(link.Handle(), 20, 10);
  EXPECT_TRUE(link.MouseInside());
  SendMessageA(link.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
  MouseTo(Form(), 400, 300);
  EXPECT_TRUE(PumpUntil([&] { return !link.MouseInside(); }));
  EXPECT_EQ(seen, (std::vector<std::string>{"enter", "click", "leave"}));
  // A link is drawn blue and underlined: a row of blue under the text.
  TSnapshot shot(link.Handle());
  int longestRun = 0;
  for (int y = 0; y < shot.Height; ++y) {
    int run = 0;
    for (int x = 0; x < shot.Width; ++x) {
      run = TSnapshot::Near(shot.At(x, y), RGB(0, 0, 255), 40) ? run + 1 : 0;
      longestRun = std::max(longestRun, run);
    }
  }
  EXPECT_GT(longestRun, 60);
}

TEST_F(LabelTest, AutoSizeFollowsTheText) {
  ui::TLabel label;
  ui::TLabelParams p(Form(), "短い", 10, 10, 10, 10);
  p.AutoSize = true;
  p.Font = font;
  ASSERT_TRUE(label.Create(p));
  int shortWidth = label.Width();
  EXPECT_GT(shortWidth, 10);
  label.SetCaption("実行ファイルと\r\nみなすファイル\r\nの種類を設定");
  EXPECT_GT(label.Width(), shortWidth);
  EXPECT_GE(label.Height(), 3 * ui::LineHeight(font));
}

// The three containers behave alike for what lies inside them.
struct TContainerKind {
  const char* name;
  std::function<std::unique_ptr<ui::TControl>(HWND parent)> make;
};

TEST_F(ContainerTest, ControlsInsideGetTheirEventsTabAndGoWithTheContainer) {
  const TContainerKind kinds[] = {
      {"frame", [](HWND parent) {
         auto c = std::make_unique<ui::TFrame>();
         EXPECT_TRUE(c->Create(ui::TFrameParams(parent, "", 10, 60, 300, 120)));
         return std::unique_ptr<ui::TControl>(std::move(c));
       }},
      {"panel", [](HWND parent) {
         auto c = std::make_unique<ui::TPanel>();
         EXPECT_TRUE(c->Create(ui::TPanelParams(parent, "パネル", 10, 60, 300, 120)));
         return std::unique_ptr<ui::TControl>(std::move(c));
       }},
      {"group box", [](HWND parent) {
         auto c = std::make_unique<ui::TGroupBox>();
         EXPECT_TRUE(c->Create(ui::TGroupBoxParams(parent, "修飾キー", 10, 60, 300, 120)));
         return std::unique_ptr<ui::TControl>(std::move(c));
       }},
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.name);
    ui::TEdit before;
    ASSERT_TRUE(before.Create(EditParams(Form(), 10, 10)));
    auto container = kind.make(Form());
    ui::TButton button;
    ASSERT_TRUE(button.Create(ui::TButtonParams(container->Handle(), "中のボタン", 20, 40, 120, 26)));
    ui::TCheckBox box;
    ASSERT_TRUE(box.Create(ui::TCheckBoxParams(container->Handle(), "中の選択", 20, 75, 120, 20)));
    int clicks = 0, checks = 0, formCommands = 0;
    button.OnClick = [&] { ++clicks; };
    box.OnClick = [&] { ++checks; };
    form.OnCommand = [&](ui::TCommandEvent& e) {
      if (e.Control == button.Handle()) ++formCommands;
    };
    form.SetModalResult(0);
    form.SetModalResultOf(&button, IDOK);

    ClickAt(button.Handle(), Center(button.Handle()));
    ClickAt(box.Handle(), 8, 10);
    EXPECT_EQ(clicks, 1) << "the button's notification reaches it once";
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(formCommands, 1) << "by way of the form";
    EXPECT_EQ(form.ModalResult(), IDOK) << "so a button inside gives the form its result";
    form.SetModalResultOf(&button, 0);
    form.OnCommand = nullptr;
    before.Focus();
    Press({VK_TAB});
    EXPECT_EQ(GetFocus(), button.Handle()) << "Tab goes into the container";
    Press({VK_TAB});
    EXPECT_EQ(GetFocus(), box.Handle());

    RECT r1 = {}, r2 = {};
    GetWindowRect(button.Handle(), &r1);
    container->SetBounds(40, 70, 300, 120);
    GetWindowRect(button.Handle(), &r2);
    EXPECT_EQ(r2.left - r1.left, 30);
    container->Hide();
    EXPECT_FALSE(IsWindowVisible(button.Handle()));
    HWND inside = button.Handle();
    container.reset();
    EXPECT_FALSE(IsWindow(inside)) << "the controls go with their container";
    EXPECT_EQ(button.Handle(), nullptr);
  }
}

TEST_F(ContainerTest, PanelBevelsAndColourAreDrawn) {
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  struct TCase {
    const char* name;
    ui::TBevelCut outer;
    int width;
    COLORREF topLeft, bottomRight;
  };
  const TCase cases[] = {
      {"raised", ui::TBevelCut::Raised, 1, light, dark},
      {"lowered", ui::TBevelCut::Lowered, 1, dark, light},
      {"raised twice as wide", ui::TBevelCut::Raised, 2, light, dark},
      {"none", ui::TBevelCut::None, 1, kGreen, kGreen},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::TPanel panel;
    ui::TPanelParams p(Form(), "", 10, 10, 200, 80);
    p.BevelOuter = c.outer;
    p.BevelWidth = c.width;
    p.Color = kGreen;
    ASSERT_TRUE(panel.Create(p));
    TSnapshot shot(panel.Handle());
    EXPECT_EQ(shot.At(0, 10), c.topLeft);
    EXPECT_EQ(shot.At(c.width - 1, 10), c.topLeft);
    EXPECT_EQ(shot.At(shot.Width - 1, 10), c.bottomRight);
    EXPECT_EQ(shot.At(c.width + 2, 10), kGreen) << "inside the bevel the panel's colour";
    RECT inner = panel.InnerRect();
    EXPECT_EQ(inner.left, c.outer == ui::TBevelCut::None ? 0 : c.width);
  }
}

TEST_F(ContainerTest, ChildOfAColouredPanelShowsItsColour) {
  ui::TPanel panel;
  ui::TPanelParams p(Form(), "", 10, 10, 200, 80);
  p.Color = kGreen;
  p.BevelOuter = ui::TBevelCut::None;
  ASSERT_TRUE(panel.Create(p));
  ui::TLabel label;
  ASSERT_TRUE(label.Create(ui::TLabelParams(panel.Handle(), "x", 10, 10, 50, 20)));
  HDC dc = GetDC(label.Handle());
  HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(panel.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(label.Handle())));
  LOGBRUSH lb = {};
  GetObjectA(brush, sizeof lb, &lb);
  ReleaseDC(label.Handle(), dc);
  EXPECT_EQ(lb.lbColor, kGreen);
  // Without a colour the panel answers what its parent answers.
  panel.SetColor(CLR_INVALID);
  dc = GetDC(label.Handle());
  brush = reinterpret_cast<HBRUSH>(SendMessageA(panel.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                reinterpret_cast<LPARAM>(label.Handle())));
  GetObjectA(brush, sizeof lb, &lb);
  ReleaseDC(label.Handle(), dc);
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
}

TEST_F(ContainerTest, BevelDrawsAroundControlsWithoutTakingTheirClicks) {
  ui::TButton inside;
  ASSERT_TRUE(inside.Create(ui::TButtonParams(Form(), "枠の中", 30, 30, 100, 30)));
  ui::TBevel bevel;
  ui::TBevelParams bp(Form(), 20, 20, 140, 60);
  bp.Shape = ui::TBevelShape::Frame;
  ASSERT_TRUE(bevel.Create(bp));
  EXPECT_EQ(GetWindow(bevel.Handle(), GW_HWNDNEXT), nullptr) << "beneath its siblings";
  int clicks = 0, formDowns = 0;
  inside.OnClick = [&] { ++clicks; };
  form.OnMouseDown = [&](ui::TMouseEvent&) { ++formDowns; };
  ClickAt(inside.Handle(), Center(inside.Handle()));
  EXPECT_EQ(clicks, 1);
  ClickAt(bevel.Handle(), 1, 30);  // on the frame's line
  EXPECT_EQ(formDowns, 1) << "a click on the line goes through to the form";
  ClickAt(bevel.Handle(), 6, 30);  // inside the frame, beside the button
  EXPECT_EQ(formDowns, 2);

  TSnapshot shot(bevel.Handle());
  EXPECT_EQ(shot.At(0, 30), GetSysColor(COLOR_BTNSHADOW)) << "an etched frame: shadow outside";
  EXPECT_EQ(shot.At(1, 30), GetSysColor(COLOR_BTNHIGHLIGHT)) << "and light inside";
}

}  // namespace
