// The select button on a real form: its menu built from the item lines, the
// check it keeps, where the menu drops and what a choice fires; chosen
// through the replaceable menu handler after a real click, and once through
// a real popup menu ended by posted keys.
#include "editor/SelectButton.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/ControlsFixture.h"
#include "ui/Dialogs.h"

namespace {

class SelectButtonTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    button = &form.Own(std::make_unique<TSelectButton>());
    TSelectButtonParams p;
    p.Parent = Form();
    p.X = 120;
    p.Y = 60;
    p.Font = font;
    ASSERT_TRUE(button->Create(p));
    button->OnClick = [this] { clicks.push_back(button->Selected()); };
  }
  void TearDown() override {
    ui::SetTrackMenuHandler(nullptr);
    ControlsTest::TearDown();
  }
  // The entries as the menu shows them, with their checks.
  std::vector<std::string> Entries() {
    std::vector<std::string> out;
    HMENU menu = button->Menu().Handle();
    for (int i = 0, n = menu ? GetMenuItemCount(menu) : 0; i < n; ++i) {
      char text[128] = {};
      MENUITEMINFOA mii = {};
      mii.cbSize = sizeof mii;
      mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
      mii.dwTypeData = text;
      mii.cch = sizeof text;
      GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii);
      std::string e = text;
      if (mii.fType & MFT_RADIOCHECK) e += " (radio)";
      if (mii.fState & MFS_CHECKED) e += " *";
      out.push_back(e);
    }
    return out;
  }

  TSelectButton* button = nullptr;
  std::vector<int> clicks;
};

TEST_F(SelectButtonTest, StartsAsASmallTabStopWithAnEmptyMenu) {
  EXPECT_EQ(button->Caption(), "...");
  EXPECT_EQ(button->Width(), 20);
  EXPECT_EQ(button->Height(), 20);
  EXPECT_TRUE(GetWindowLongA(button->Handle(), GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(button->Items().empty());
  EXPECT_EQ(button->Selected(), -1);
  button->SetSelected(0);
  EXPECT_EQ(button->Selected(), -1) << "nothing to check";
}

TEST_F(SelectButtonTest, ItemsMakeOneCheckedEntryPerLine) {
  button->SetItems({"a", "", "b"});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"&a (radio) *", "&b (radio)"}));
  EXPECT_EQ(button->Selected(), 0);
  struct TCase {
    int set, expected;
  };
  for (const TCase& c : {TCase{1, 1}, TCase{5, 0}, TCase{-1, 0}, TCase{1, 1}}) {
    button->SetSelected(c.set);
    EXPECT_EQ(button->Selected(), c.expected) << c.set;
  }
  // New items rebuild the menu, checked at its first entry again.
  button->SetItems({"アクティブ時いつでも有効", "常駐時いつでも有効"});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"アクティブ時いつでも有効 (radio) *", "常駐時いつでも有効 (radio)"}));
  button->SetItems({});
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(button->Selected(), -1);
  EXPECT_TRUE(clicks.empty()) << "no choice was made";
}

TEST_F(SelectButtonTest, AClickDropsTheMenuAtTheBottomLeftAndAChoiceFiresOnClick) {
  button->SetItems({"アクティブ時いつでも有効", "常駐時いつでも有効"});
  std::vector<ui::TTrackMenuRequest> asked;
  std::vector<LRESULT> states;
  int choose = 1;
  ui::SetTrackMenuHandler([&](const ui::TTrackMenuRequest& r) {
    asked.push_back(r);
    states.push_back(SendMessageA(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    return choose < 0 ? 0u : button->Menu().Items().Item(choose)->Command();
  });
  ClickAt(button->Handle(), Center(button->Handle()));
  RECT r = {};
  GetWindowRect(button->Handle(), &r);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].X, r.left);
  EXPECT_EQ(asked[0].Y, r.bottom);
  EXPECT_EQ(asked[0].Owner, Form());
  EXPECT_NE(states[0], 0) << "shown pressed while the menu is up";
  EXPECT_EQ(SendMessageA(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  EXPECT_EQ(clicks, (std::vector<int>{1}));
  // The entry already checked still fires; no choice fires nothing.
  ClickAt(button->Handle(), Center(button->Handle()));
  choose = -1;
  Press({VK_SPACE});
  EXPECT_EQ(asked.size(), 3u) << "Space on the focused button drops it too";
  EXPECT_EQ(clicks, (std::vector<int>{1, 1}));
  EXPECT_EQ(button->Selected(), 1);
}

TEST_F(SelectButtonTest, ARealMenuIsChosenByKeys) {
  button->SetItems({"Alpha", "Beta", "Gamma"});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"&Alpha (radio) *", "&Beta (radio)", "&Gamma (radio)"}));
  struct TCase {
    const char* name;
    std::vector<WORD> keys;
    std::vector<int> clicks;
    int selected;
  };
  const TCase cases[] = {
      {"down twice and Enter", {VK_DOWN, VK_DOWN, VK_RETURN}, {1}, 1},
      {"the accelerator", {'G'}, {1, 2}, 2},
      {"Esc chooses nothing", {VK_DOWN, VK_ESCAPE, VK_ESCAPE}, {1, 2}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // The keys wait in the queue for the menu's own loop.
    for (WORD k : c.keys) {
      PostMessageA(Form(), WM_KEYDOWN, k, 1);
      PostMessageA(Form(), WM_KEYUP, k, 0xC0000001);
    }
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    Drain();
    EXPECT_EQ(clicks, c.clicks);
    EXPECT_EQ(button->Selected(), c.selected);
  }
}

}  // namespace
