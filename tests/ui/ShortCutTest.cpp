// Actions and local hotkeys run from the message loop when their keys are typed
// for real into an active window of the program.
#include "ui/ActionList.h"
#include "ui/Form.h"

#include "core/HotKeyUtils.h"
#include "core/HotKey_List.h"
#include "core/Hotkey_Item_Local.h"
#include "tests/ui/UiFixture.h"

namespace {

class ShortCutTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::TCreateParams p;
    p.ClassName = "QvTestShortCutWindow";
    p.Style = WS_OVERLAPPEDWINDOW;
    p.X = 40; p.Y = 40; p.Width = 200; p.Height = 100;
    ASSERT_TRUE(window.Create(p));
    window.OnMessage = [this](ui::TMessageEvent& e) {
      if (e.Msg == WM_KEYDOWN || e.Msg == WM_SYSKEYDOWN) keysReached.push_back(static_cast<WORD>(e.WParam));
    };
    window.Show();
    SetForegroundWindow(window.Handle());
    SetFocus(window.Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window.Handle(); }));
  }
  bool Reached(WORD key) const { return std::find(keysReached.begin(), keysReached.end(), key) != keysReached.end(); }

  ui::TForm window;
  std::vector<WORD> keysReached;
};

TEST_F(ShortCutTest, ActionShortCutRunsInsteadOfReachingTheWindow) {
  ui::TActionList list(window);
  ui::TAction save, off;
  int saved = 0, offRuns = 0;
  save.SetShortCut(kScCtrl | 'S');
  save.OnExecute = [&] { ++saved; };
  off.SetShortCut(kScCtrl | 'D');
  off.SetEnabled(false);
  off.OnExecute = [&] { ++offRuns; };
  list.Add(&save);
  list.Add(&off);

  Type({VK_CONTROL, 'S'});
  ASSERT_TRUE(PumpUntil([&] { return saved == 1; }));
  Type({VK_CONTROL, 'D'});
  Type({'S'});
  ASSERT_TRUE(PumpUntil([&] { return Reached('D') && Reached('S'); }));
  EXPECT_EQ(saved, 1);  // plain S is no Ctrl+S
  EXPECT_EQ(offRuns, 0);
  keysReached.clear();
  Type({VK_CONTROL, 'S'});
  ASSERT_TRUE(PumpUntil([&] { return saved == 2; }));
  Drain();
  EXPECT_FALSE(Reached('S'));

  list.Suspended = true;
  Type({VK_CONTROL, 'S'});
  ASSERT_TRUE(PumpUntil([&] { return Reached('S'); }));
  EXPECT_EQ(saved, 2);
}

TEST_F(ShortCutTest, AltShortCutArrivesAsASystemKey) {
  ui::TActionList list(window);
  ui::TAction act;
  int runs = 0;
  act.SetShortCut(kScAlt | kScShift | VK_F7);
  act.OnExecute = [&] { ++runs; };
  list.Add(&act);
  Type({VK_MENU, VK_SHIFT, VK_F7});
  EXPECT_TRUE(PumpUntil([&] { return runs == 1; }));
}

TEST_F(ShortCutTest, LocalHotKeysOfTheListFireWhileTheProgramIsActive) {
  THotKeyList list;
  std::vector<std::string> fired;
  list.OnHotKey = [&](THotKeyItem&, const std::string& name, uint8_t classId) {
    fired.push_back(name);
    EXPECT_EQ(classId, 0);
  };
  list.SetHotKeyText("*ForceExe", "Ctrl+Enter");
  list.SetHotKeyText("<5>", "Alt+K");
  list.SetActive(true);
  EXPECT_TRUE(list.Active());
  Type({VK_CONTROL, VK_RETURN});
  ASSERT_TRUE(PumpUntil([&] { return fired.size() == 1; }));
  EXPECT_EQ(fired[0], "*ForceExe");

  list.FindByName("<5>")->SetHotKeyText("Ctrl+J");  // an active item moves to its new key
  Type({VK_MENU, 'K'});
  Type({VK_CONTROL, 'J'});
  ASSERT_TRUE(PumpUntil([&] { return fired.size() == 2; })) << ::testing::PrintToString(keysReached);
  EXPECT_EQ(fired[1], "<5>");
  EXPECT_TRUE(PumpUntil([&] { return Reached('K'); }));

  list.SetActive(false);
  Type({VK_CONTROL, 'J'});
  ASSERT_TRUE(PumpUntil([&] { return Reached('J'); }));
  EXPECT_EQ(fired.size(), 2u);
}

TEST_F(ShortCutTest, ActionFreedByWhatItRuns) {
  auto list = std::make_unique<ui::TActionList>(window);
  auto act = std::make_unique<ui::TAction>();
  act->SetShortCut(kScCtrl | 'Q');
  act->OnExecute = [&] { act.reset(); list.reset(); };
  list->Add(act.get());
  Type({VK_CONTROL, 'Q'});
  EXPECT_TRUE(PumpUntil([&] { return !act && !list; }));
}

}  // namespace
