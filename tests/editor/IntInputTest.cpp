// The number dialog, typed into for real while its modal loop runs, and the
// three routines that place a window.
#include "editor/Int_Input.h"

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "tests/support/RealInput.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/ControlsFixture.h"
#include "ui/Button.h"
#include "ui/SpinEdit.h"

namespace {

using IntInputTest = ControlsTest;

RECT WindowRect(HWND w) {
  RECT r = {};
  GetWindowRect(w, &r);
  return r;
}
POINT Middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST_F(IntInputTest, OnlyOKGivesTheNumberAndTheFieldHoldsItsRange) {
  struct TCase {
    const char* name;
    const char* keys;  // typed once the dialog runs
    bool openAfterKeys;  // then closed by the system's close
    int expected;
  };
  const TCase cases[] = {
      {"a number and Enter", "{End}{BS}42{Enter}", false, 42},
      {"above the range", "{End}{BS}20000{Enter}", false, 10000},
      {"the start value", "{Enter}", false, 0},
      {"Esc does nothing (there is no cancel button)", "{Esc}", true, -1},
      {"a number typed, then closed", "{End}{BS}7", true, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string caption;
    DWORD style = 0;
    RECT dialogRect = {};
    bool open = false;
    auto modal = app->OnModal.Add([&](ui::TForm& dialog) {
      caption = dialog.Caption();
      style = static_cast<DWORD>(GetWindowLongA(dialog.Handle(), GWL_STYLE));
      dialogRect = WindowRect(dialog.Handle());
      realinput::Type(c.keys);
      Drain();
      open = dialog.ModalResult() == 0;
      if (open) PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(InputInteger(&form, "キーコードの入力"), c.expected);
    EXPECT_EQ(open, c.openAfterKeys);
    EXPECT_EQ(caption, "キーコードの入力");
    EXPECT_EQ(style & WS_SYSMENU, 0u) << "no buttons in the caption";
    EXPECT_EQ(style & WS_THICKFRAME, 0u);
    // Centred over its owner.
    POINT mine = Middle(dialogRect), owner = Middle(WindowRect(Form()));
    EXPECT_LE(std::abs(mine.x - owner.x), 1);
    EXPECT_LE(std::abs(mine.y - owner.y), 1);
  }
}

TEST_F(IntInputTest, TheDialogStartsWithItsResourceCaptionAndFocusedField) {
  TIntInput dialog(&form);
  EXPECT_EQ(dialog.Caption(), "数値の入力");
  EXPECT_EQ(dialog.Field().Min(), 0);
  EXPECT_EQ(dialog.Field().Max(), 10000);
  EXPECT_EQ(dialog.Field().Value(), 0);
  EXPECT_EQ(dialog.FindControl<ui::TButton>("CancelButton"), nullptr);
  bool fieldFocused = false;
  auto modal = app->OnModal.Add([&](ui::TForm&) {
    fieldFocused = dialog.Field().Focused();
    realinput::Type("{Enter}");
  });
  EXPECT_EQ(dialog.Execute(), 0);
  EXPECT_TRUE(fieldFocused);
}

class PlacingTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ui::TFormParams p;
    p.Caption = "動かす窓";
    p.X = 10;
    p.Y = 20;
    p.Width = 151;
    p.Height = 77;
    p.BorderStyle = ui::TBorderStyle::Single;
    ASSERT_TRUE(moved.Create(p));
    moved.Show();
    SetForegroundWindow(Form());
    Drain();
  }
  void TearDown() override {
    moved.Destroy();
    ControlsTest::TearDown();
  }
  // Waits for the asynchronous move.
  RECT MovedTo(POINT expected) {
    PumpUntil([&] {
      RECT r = WindowRect(moved.Handle());
      return r.left == expected.x && r.top == expected.y;
    });
    return WindowRect(moved.Handle());
  }
  ui::TForm moved;
};

TEST_F(PlacingTest, EachRoutinePutsTheWindowWhereItsRuleSays) {
  RECT work = {};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  RECT before = WindowRect(moved.Handle());
  const int w = before.right - before.left, h = before.bottom - before.top;
  auto& button = form.Own(std::make_unique<ui::TButton>());
  ASSERT_TRUE(button.Create(ui::TButtonParams(Form(), "基準", 300, 200, 60, 30)));
  RECT over = WindowRect(button.Handle()), owner = WindowRect(Form());
  ui::TForm unmade(&form);  // a form without a window: its owner's counts
  ui::TForm lonely;         // none up its chain

  struct TCase {
    const char* name;
    std::function<void()> place;
    POINT expected;
  };
  const TCase cases[] = {
      {"over another window", [&] { CenterOverWindow(moved.Handle(), button.Handle()); },
       {over.left + ((over.right - over.left) - w) / 2, over.top + ((over.bottom - over.top) - h) / 2}},
      {"over no window: the work area", [&] { CenterOverWindow(moved.Handle(), nullptr); },
       {((work.right - work.left) - w) / 2, ((work.bottom - work.top) - h) / 2}},
      {"on the work area", [&] { CenterOnWorkArea(moved.Handle()); },
       {((work.right - work.left) - w) / 2, ((work.bottom - work.top) - h) / 2}},
      {"over a control as owner", [&] { CenterOverOwner(moved.Handle(), &button); },
       {over.left + ((over.right - over.left) - w) / 2, over.top + ((over.bottom - over.top) - h) / 2}},
      {"over the owner of a form without a window", [&] { CenterOverOwner(moved.Handle(), &unmade); },
       {owner.left + ((owner.right - owner.left) - w) / 2, owner.top + ((owner.bottom - owner.top) - h) / 2}},
      {"no owner with a window: the work area", [&] { CenterOverOwner(moved.Handle(), &lonely); },
       {((work.right - work.left) - w) / 2, ((work.bottom - work.top) - h) / 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetWindowPos(moved.Handle(), nullptr, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Drain();
    HWND above = GetWindow(moved.Handle(), GW_HWNDPREV);
    c.place();
    RECT r = MovedTo(c.expected);
    EXPECT_EQ(r.left, c.expected.x);
    EXPECT_EQ(r.top, c.expected.y);
    EXPECT_EQ(r.right - r.left, w) << "not resized";
    EXPECT_EQ(r.bottom - r.top, h);
    EXPECT_EQ(GetActiveWindow(), Form()) << "not activated";
    EXPECT_EQ(GetWindow(moved.Handle(), GW_HWNDPREV), above) << "not reordered";
  }
}

// The picture: the dialog as the key list asks, a code typed.
TEST_F(IntInputTest, ScreenshotTheNumberDialog) {
  auto modal = app->OnModal.Add([&](ui::TForm& dialog) {
    realinput::Type("{End}{BS}226");
    Drain();
    OfferScreenshot(dialog.Handle(), "editor-number-dialog");
    realinput::Type("{Enter}");
  });
  EXPECT_EQ(InputInteger(&form, "キーコードの入力"), 226);
}

}  // namespace
