// Controls of a number in a range: the spin edit and its up-down, the
// up-down alone, the track bar and the progress bar.
#include <windows.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/support/RealInput.h"
#include "tests/ui/ControlsFixture.h"
#include "ui/Edit.h"
#include "ui/ProgressBar.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"
#include "ui/UpDown.h"

namespace {

class RangeTest : public ControlsTest {
 protected:
  // Types the characters one by one (digits, "-"), each key pressed and released.
  void TypeText(const std::string& text) {
    for (char c : text) {
      if (c == '-') Press({VK_OEM_MINUS});
      else Press({static_cast<WORD>(std::toupper(static_cast<unsigned char>(c)))});
    }
  }
  ui::TEdit other;
  void MakeOther() {
    ui::TCreateParams p;
    p.ClassName = "EDIT";
    p.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    p.Parent = Form();
    p.X = 300; p.Y = 10; p.Width = 100; p.Height = 22;
    ASSERT_TRUE(other.Create(p));
  }
};

TEST_F(RangeTest, SpinEditHoldsWhatIsTypedToItsRange) {
  MakeOther();
  struct TCase {
    const char* name;
    int min, max;
    std::string typed;
    int value;          // while the box has the focus
    std::string after;  // the text once it lost the focus
  };
  const TCase cases[] = {
      {"within", 0, 10000, "250", 250, "250"},
      {"above", 0, 10000, "20000", 10000, "10000"},
      {"no minus without negatives", 0, 10000, "-5", 5, "5"},
      {"below", -10, 10, "-50", -10, "-10"},
      {"letters are not typed", 0, 100, "a7b", 7, "7"},
      {"nothing", 5, 100, "", 5, "5"},
      {"no bounds", INT_MIN, INT_MAX, "-123456", -123456, "-123456"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::TSpinEdit spin;
    ui::TSpinEditParams p(Form(), "", 10, 10, 120, 22);
    p.Min = c.min;
    p.Max = c.max;
    ASSERT_TRUE(spin.Create(p));
    spin.Focus();
    spin.SetText("");
    TypeText(c.typed);
    EXPECT_EQ(spin.Value(), c.value);
    other.Focus();
    Drain();
    EXPECT_EQ(spin.Text(), c.after);
  }
}

TEST_F(RangeTest, SpinEditStepsByArrowsAndKeysWithinTheRange) {
  ui::TSpinEdit spin;
  ui::TSpinEditParams p(Form(), "", 10, 10, 120, 22);
  p.Min = 0;
  p.Max = 10000;
  p.Value = 9990;
  p.Increment = 5;
  ASSERT_TRUE(spin.Create(p));
  int changes = 0;
  spin.OnChange = [&] { ++changes; };
  spin.Focus();
  // Each arrow held until the box's thread has taken it: a loaded machine
  // delivers keys late, and a value read before would be the old one.
  auto arrows = [&](const char* script) { realinput::TypeSeen(script, [&] { Drain(); }); };
  arrows("{Up}");
  EXPECT_EQ(spin.Value(), 9995);
  arrows("{Up}{Up}");
  EXPECT_EQ(spin.Value(), 10000) << "held at Max";
  EXPECT_EQ(spin.Text(), "10000");
  EXPECT_EQ(changes, 2);
  arrows("{Down}");
  EXPECT_EQ(spin.Value(), 9995);

  // The arrows of the up-down: its lower half steps down.
  HWND ud = spin.UpDown().Handle();
  RECT r = {};
  GetClientRect(ud, &r);
  // A loaded machine may deliver the release after the arrow's auto-repeat
  // started, so the first step is the one to check.
  std::vector<int> seen;
  spin.OnChange = [&] { seen.push_back(spin.Value()); };
  ClickAt(ud, r.right / 2, r.bottom * 3 / 4);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), 9990);
  spin.SetValue(-3);
  EXPECT_EQ(spin.Text(), "0");
  spin.SetValue(99999);
  EXPECT_EQ(spin.Text(), "10000");
}

TEST_F(RangeTest, SpinEditsUpDownGoesWithIt) {
  ui::TSpinEdit spin;
  ASSERT_TRUE(spin.Create(ui::TSpinEditParams(Form(), "", 10, 10, 120, 22)));
  HWND ud = spin.UpDown().Handle();
  RECT edit = {}, arrows = {};
  GetWindowRect(spin.Handle(), &edit);
  GetWindowRect(ud, &arrows);
  // Together as wide as given (the arrows may stand over the box's border).
  EXPECT_NEAR(arrows.right - edit.left, 120, 3);
  EXPECT_GE(arrows.left, edit.right - 3);
  // Moved and sized afterwards, the bounds are the box's: the arrows follow.
  RECT box = spin.Bounds();
  int arrowsGap = arrows.left - edit.right;
  spin.SetBounds(50, 60, box.right - box.left + 30, 22);
  GetWindowRect(spin.Handle(), &edit);
  GetWindowRect(ud, &arrows);
  EXPECT_EQ(edit.right - edit.left, box.right - box.left + 30);
  EXPECT_EQ(arrows.left - edit.right, arrowsGap);
  EXPECT_EQ(arrows.top, edit.top);
  spin.SetBounds(50, 60, box.right - box.left + 30, 22);
  GetWindowRect(spin.Handle(), &edit);
  EXPECT_EQ(edit.right - edit.left, box.right - box.left + 30) << "no narrower each time it is placed";
  spin.Hide();
  EXPECT_FALSE(IsWindowVisible(ud));
  spin.Show();
  EXPECT_TRUE(IsWindowVisible(ud));
  EnableWindow(spin.Handle(), FALSE);
  EXPECT_FALSE(IsWindowEnabled(ud));
}

TEST_F(RangeTest, UpDownReportsAndMayRefuseASteps) {
  ui::TUpDown ud;
  ui::TUpDownParams p;
  p.Parent = Form();
  p.X = 10; p.Y = 10; p.Width = 20; p.Height = 40;
  p.Min = 1;
  p.Max = 3;
  p.Position = 2;
  p.Wrap = true;
  ASSERT_TRUE(ud.Create(p));
  std::vector<std::string> seen;
  bool refuse = false;
  ud.OnChanging = [&](int next, bool& allow) {
    seen.push_back("changing " + std::to_string(next));
    allow = !refuse;
  };
  ud.OnClick = [&](bool up) { seen.push_back(std::string(up ? "up " : "down ") + std::to_string(ud.Position())); };
  RECT r = {};
  GetClientRect(ud.Handle(), &r);
  ClickAt(ud.Handle(), r.right / 2, r.bottom / 4);
  ClickAt(ud.Handle(), r.right / 2, r.bottom / 4);  // past Max: round to Min
  refuse = true;
  ClickAt(ud.Handle(), r.right / 2, r.bottom * 3 / 4);
  EXPECT_EQ(seen, (std::vector<std::string>{"changing 3", "up 3", "changing 1", "up 1", "changing 3"}));
  EXPECT_EQ(ud.Position(), 1);
  ud.SetPosition(10);
  EXPECT_EQ(ud.Position(), 3);
  EXPECT_EQ(ud.StepFrom(3, 1), 1);
}

TEST_F(RangeTest, TrackBarReportsTheUsersMoves) {
  ui::TTrackBar bar;
  ui::TTrackBarParams p(Form(), "", 10, 10, 300, 40);
  p.Min = 0;
  p.Max = 600;
  p.Frequency = 50;
  p.LineSize = 1;
  p.PageSize = 50;
  p.Position = 100;
  ASSERT_TRUE(bar.Create(p));
  std::vector<int> seen;
  bar.OnChange = [&] { seen.push_back(bar.Position()); };
  bar.SetPosition(300);
  bar.SetPosition(900);
  EXPECT_EQ(bar.Position(), 600) << "held to the range";
  EXPECT_TRUE(seen.empty()) << "moves from code report nothing";
  bar.SetPosition(300);
  bar.Focus();
  struct TStep {
    WORD key;
    int position;
  };
  const TStep steps[] = {{VK_RIGHT, 301}, {VK_NEXT, 351}, {VK_END, 600}, {VK_HOME, 0}, {VK_LEFT, 0}};
  for (const auto& s : steps) {
    Press({s.key});
    EXPECT_EQ(bar.Position(), s.position) << "key " << s.key;
  }
  EXPECT_EQ(seen, (std::vector<int>{301, 351, 600, 0})) << "a key that moves nothing reports nothing";
  // A click on the channel right of the thumb moves it a page.
  RECT thumb = bar.ThumbRect();
  ClickAt(bar.Handle(), thumb.right + 60, (thumb.top + thumb.bottom) / 2);
  EXPECT_TRUE(PumpUntil([&] { return bar.Position() >= 50; })) << bar.Position();
  EXPECT_EQ(seen.size(), 5u);
  ReleaseButtons();
}

TEST_F(RangeTest, ProgressBarStepsStopAtMax) {
  ui::TProgressBar bar;
  ui::TProgressBarParams p(Form(), 10, 10, 300, 18);
  p.Max = 3;
  p.Step = 1;
  p.Smooth = true;
  ASSERT_TRUE(bar.Create(p));
  std::vector<int> seen;
  for (int i = 0; i < 5; ++i) {
    bar.StepIt();
    seen.push_back(bar.Position());
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 3, 3})) << "a full bar stays full";
  bar.SetPosition(-5);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetRange(10, 20);
  EXPECT_EQ(bar.Position(), 10);
  bar.StepBy(100);
  EXPECT_EQ(bar.Position(), 20);
}

}  // namespace
