// Actions shown by linked controls and menu items, run by their clicks and
// commands, updated at idle; shortcut texts.
#include "ui/ActionList.h"

#include "core/HotKeyUtils.h"
#include "tests/ui/TestKinds.h"
#include "tests/ui/UiFixture.h"
#include "ui/Form.h"

namespace {

using testkinds::TCheck;
using testkinds::TPushButton;

class ActionTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::TFormParams p;
    p.Caption = "アクション";
    p.ClientWidth = 240;
    p.ClientHeight = 120;
    ASSERT_TRUE(form.Create(p));
    static const ui::TLayoutRow kRows[] = {
        {ui::Kind<TPushButton>, "Save", "", "", 8, 8, 90, 25},
        {ui::Kind<TCheck>, "TopMost", "", "", 8, 40, 150, 20},
    };
    form.BuildLayout(kRows);
    list = std::make_unique<ui::TActionList>(form);
  }
  void TearDown() override {
    list.reset();
    UiTest::TearDown();
  }
  // Turns of the loop until idle ran that many times, without waiting.
  void Idle(int times) {
    int idles = 0;
    auto busy = app->OnIdle.Add([&](bool& done) {
      ++idles;
      done = false;
    });
    while (idles < times) app->HandleMessageOrIdle();
  }
  ui::TForm form;
  std::unique_ptr<ui::TActionList> list;
};

TEST_F(ActionTest, LinkedControlShowsTheActionAndItsClickRunsIt) {
  auto& button = form.Control<TPushButton>("Save");
  ui::TAction save("保存(&S)", kScCtrl | 'S');
  int saved = 0, reflected = 0;
  save.OnExecute = [&] { ++saved; };
  button.OnControlCommand = [&](ui::TCommandEvent&) { ++reflected; };
  list->Add(&save);
  save.LinkControl(button.Handle());
  EXPECT_EQ(button.Caption(), "保存(&S)");
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(reflected, 0);  // the action took the click
  EXPECT_EQ(button.Clicks, 0);

  save.SetCaption("上書き保存");
  save.SetEnabled(false);
  EXPECT_EQ(button.Caption(), "上書き保存");
  EXPECT_FALSE(IsWindowEnabled(button.Handle()));
  save.SetVisible(false);
  EXPECT_FALSE(GetWindowLongA(button.Handle(), GWL_STYLE) & WS_VISIBLE);
  save.SetVisible(true);
  save.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(button.Handle()));

  save.Unlink(button.Handle());
  SendMessageA(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(saved, 1);
  EXPECT_EQ(button.Clicks, 1);  // its own click again
}

TEST_F(ActionTest, AutoCheckTogglesTheCheckedStateOfItsControls) {
  auto& box = form.Control<TCheck>("TopMost");
  ui::TAction topMost("最前面に表示");
  topMost.AutoCheck = true;
  std::vector<bool> seen;
  topMost.OnExecute = [&] { seen.push_back(topMost.Checked()); };
  list->Add(&topMost);
  topMost.LinkControl(box.Handle());
  EXPECT_FALSE(box.Checked());
  SendMessageA(box.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(topMost.Checked());
  EXPECT_TRUE(box.Checked());
  EXPECT_TRUE(form.IsShortCut(0) == false);
  topMost.Execute();
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));  // checked before it runs
  topMost.SetChecked(true);
  EXPECT_TRUE(box.Checked());
}

TEST_F(ActionTest, LinkedMenuItemShowsCaptionShortCutAndState) {
  core::TUniqueMenu menu(CreatePopupMenu());
  AppendMenuA(menu.get(), MF_STRING, 40, "x");
  AppendMenuA(menu.get(), MF_STRING, 41, "y");
  SetMenuDefaultItem(menu.get(), 40, FALSE);
  auto text = [&](UINT id) {
    char buffer[64] = {};
    GetMenuStringA(menu.get(), id, buffer, sizeof buffer, MF_BYCOMMAND);
    return std::string(buffer);
  };
  auto state = [&](UINT id) { return GetMenuState(menu.get(), id, MF_BYCOMMAND); };
  ui::TAction save("保存(&S)", kScCtrl | 'S');
  int saved = 0;
  save.OnExecute = [&] { ++saved; };
  list->Add(&save);
  save.LinkMenuItem(menu.get(), 40);
  EXPECT_EQ(text(40), "保存(&S)\tCtrl+S");
  save.SetShortCut(kScCtrl | kScShift | 'S');  // at run time
  EXPECT_EQ(text(40), "保存(&S)\tShift+Ctrl+S");
  save.SetEnabled(false);
  save.SetChecked(true);
  EXPECT_TRUE(state(40) & MF_GRAYED);
  EXPECT_TRUE(state(40) & MF_CHECKED);
  EXPECT_EQ(GetMenuDefaultItem(menu.get(), FALSE, GMDI_USEDISABLED), 40u);  // kept
  EXPECT_EQ(text(41), "y");

  // The menu's command runs the action (not while disabled).
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(40, 0), 0);
  EXPECT_EQ(saved, 0);
  save.SetEnabled(true);
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(40, 0), 0);
  EXPECT_EQ(saved, 1);
  EXPECT_TRUE(list->ExecuteCommand(40));
  EXPECT_EQ(saved, 2);
  EXPECT_FALSE(list->ExecuteCommand(41));
}

TEST_F(ActionTest, OnUpdateRunsAtIdleWhileTheFormIsVisible) {
  auto& button = form.Control<TPushButton>("Save");
  ui::TAction save("保存");
  bool canSave = false;
  int updates = 0, listUpdates = 0;
  save.OnUpdate = [&] {
    ++updates;
    save.SetEnabled(canSave);
  };
  save.OnExecute = [] {};
  list->Add(&save);
  save.LinkControl(button.Handle());
  list->OnUpdate = [&](ui::TAction& a, bool& handled) {
    EXPECT_EQ(&a, &save);
    ++listUpdates;
    handled = listUpdates == 1;  // the first time the list's handler does it all
  };
  Idle(3);
  EXPECT_EQ(updates, 0);  // hidden
  form.Show();
  Idle(3);
  EXPECT_GE(listUpdates, 2);
  EXPECT_EQ(updates, listUpdates - 1);
  EXPECT_FALSE(IsWindowEnabled(button.Handle()));
  canSave = true;
  Idle(1);
  EXPECT_TRUE(IsWindowEnabled(button.Handle()));
  // Execute updates first: a disabled state set there stops the run.
  canSave = false;
  list->OnUpdate = nullptr;
  EXPECT_FALSE(save.Execute());
}

TEST_F(ActionTest, ShortCutsPrimarySecondaryAndSuspended) {
  ui::TAction edit("編集(&E)", kScAlt | VK_RETURN), off("削除(&D)", VK_DELETE);
  int edits = 0, offs = 0;
  edit.OnExecute = [&] { ++edits; };
  edit.SetSecondaryShortCuts({VK_F2});
  off.OnExecute = [&] { ++offs; };
  off.SetEnabled(false);
  list->Add(&edit);
  list->Add(&off);
  EXPECT_TRUE(form.IsShortCut(kScAlt | VK_RETURN));
  EXPECT_TRUE(form.IsShortCut(VK_F2));
  EXPECT_FALSE(form.IsShortCut(VK_DELETE));  // disabled: the key goes on
  EXPECT_FALSE(form.IsShortCut(VK_RETURN));
  EXPECT_EQ(edits, 2);
  EXPECT_EQ(offs, 0);
  list->Suspended = true;
  EXPECT_FALSE(form.IsShortCut(VK_F2));
  list->Suspended = false;
  bool taken = false;
  form.OnShortCut = [&](WORD shortCut, bool& handled) { handled = taken = shortCut == VK_F2; };
  EXPECT_TRUE(form.IsShortCut(VK_F2));
  EXPECT_TRUE(taken);
  EXPECT_EQ(edits, 2);
}

TEST_F(ActionTest, ActionsAndListsMayGoInEitherOrder) {
  auto early = std::make_unique<ui::TAction>("早い");
  ui::TAction stays("残る", VK_F5);
  int runs = 0;
  stays.OnExecute = [&] { ++runs; };
  list->Add(early.get());
  list->Add(&stays);
  EXPECT_EQ(list->Count(), 2);
  early.reset();
  EXPECT_EQ(list->Count(), 1);
  Idle(1);
  EXPECT_TRUE(form.IsShortCut(VK_F5));
  // An action that frees its list while it runs.
  ui::TAction freesList("解放", VK_F6);
  freesList.OnExecute = [&] { list.reset(); };
  list->Add(&freesList);
  EXPECT_TRUE(form.IsShortCut(VK_F6));
  EXPECT_FALSE(list);
  EXPECT_FALSE(form.IsShortCut(VK_F5));
}

TEST(ShortCutText, BothWays) {
  struct TCase {
    WORD shortCut;
    const char* text;
  };
  const TCase cases[] = {
      {kScCtrl | 'S', "Ctrl+S"},
      {kScShift | kScCtrl | VK_DELETE, "Shift+Ctrl+Del"},
      {VK_RETURN, "Enter"},
      {VK_ESCAPE, "Esc"},
      {VK_F2, "F2"},
      {kScAlt | VK_RETURN, "Alt+Enter"},
      {kScCtrl | VK_LEFT, "Ctrl+Left"},
      {kScAlt | 'Z', "Alt+Z"},
      {'7', "7"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ui::ShortCutToText(c.shortCut), c.text);
    EXPECT_EQ(ui::TextToShortCut(c.text), c.shortCut);
  }
  EXPECT_EQ(ui::TextToShortCut("ctrl+s"), kScCtrl | 'S');
  for (const char* none : {"", "Ctrl+", "Hyper+A", "Ctrl+Nothing", "+"}) EXPECT_EQ(ui::TextToShortCut(none), 0) << none;
  EXPECT_EQ(ui::ShortCutToText(0), "");
}

}  // namespace
