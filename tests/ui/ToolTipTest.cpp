// Tooltips shown by resting the mouse on a control: several lines, and a
// text that is asked for each time or changed while the tip shows.
#include "ui/ToolTip.h"

#include <windows.h>

#include <string>

#include "tests/ui/ControlsFixture.h"
#include "ui/Button.h"

namespace {

class ToolTipTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ASSERT_TRUE(first.Create(ui::TButtonParams(Form(), "一つ目", 20, 20, 120, 30)));
    ASSERT_TRUE(second.Create(ui::TButtonParams(Form(), "二つ目", 20, 120, 120, 30)));
    ui::TToolTipParams p;
    p.Owner = Form();
    p.InitialDelay = 50;
    p.AutoPopDelay = 30000;
    ASSERT_TRUE(tip.Create(p));
    // Away from both buttons, so that the first hover is a new one.
    MouseTo(Form(), 400, 300);
    Drain();
  }
  // Rests the mouse on a control until its tip shows.
  bool Hover(HWND control) {
    POINT c = Center(control);
    MouseTo(control, c.x - 2, c.y);
    Drain();
    MouseTo(control, c.x, c.y);
    return PumpUntil([&] { return tip.ShownTool() == control; });
  }
  bool Leave() {
    MouseTo(Form(), 400, 300);
    return PumpUntil([&] { return tip.ShownTool() == nullptr; });
  }
  ui::TButton first, second;
  ui::TToolTip tip;
};

TEST_F(ToolTipTest, HoveringShowsTheTipOnSeveralLines) {
  const std::string text = "ダイアログでキー設定\r\n(通常では入力不可能なキーも設定可能)";
  tip.AddTool(first.Handle(), text);
  tip.AddTool(second.Handle(), std::string("一行だけ"));
  ASSERT_TRUE(Hover(first.Handle()));
  EXPECT_EQ(tip.ShownText(), text);
  RECT twoLines = {};
  GetWindowRect(tip.Handle(), &twoLines);
  ASSERT_TRUE(Leave());
  ASSERT_TRUE(Hover(second.Handle()));
  EXPECT_EQ(tip.ShownText(), "一行だけ");
  RECT oneLine = {};
  GetWindowRect(tip.Handle(), &oneLine);
  EXPECT_GT(twoLines.bottom - twoLines.top, oneLine.bottom - oneLine.top) << "the first tip has two lines";
  ASSERT_TRUE(Leave());
  tip.RemoveTool(second.Handle());
  EXPECT_FALSE(tip.HasTool(second.Handle()));
}

TEST_F(ToolTipTest, TheTextIsLive) {
  int calls = 0;
  tip.AddTool(first.Handle(), [&] { return "呼び出し" + std::to_string(++calls) + "回目"; });
  tip.AddTool(second.Handle(), std::string("前の文"));
  ASSERT_TRUE(Hover(first.Handle()));
  EXPECT_EQ(tip.ShownText(), "呼び出し" + std::to_string(calls) + "回目");
  int shownAt = calls;
  ASSERT_TRUE(Leave());
  ASSERT_TRUE(Hover(first.Handle()));
  EXPECT_GT(calls, shownAt) << "asked again when it shows again";
  EXPECT_EQ(tip.ShownText(), "呼び出し" + std::to_string(calls) + "回目");
  ASSERT_TRUE(Leave());

  ASSERT_TRUE(Hover(second.Handle()));
  tip.SetToolText(second.Handle(), "新しい文\r\n二行目");
  EXPECT_TRUE(PumpUntil([&] { return tip.ShownText() == "新しい文\r\n二行目"; })) << "the tip that shows changes at once";
  EXPECT_EQ(tip.ShownTool(), second.Handle());
  EXPECT_EQ(tip.ToolText(second.Handle()), "新しい文\r\n二行目");
}

}  // namespace
