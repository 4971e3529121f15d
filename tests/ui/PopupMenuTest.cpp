// Popup menus: the system menu always shows the visible items in order, with
// their checks, radio marks and default; one real TrackPopupMenu driven by
// posted keys, and one through the replaceable TrackMenu.
#include "ui/PopupMenu.h"

#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/ControlsFixture.h"
#include "ui/Dialogs.h"

namespace {

using PopupMenuTest = ControlsTest;

std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    char text[128] = {};
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STRING;
    mii.dwTypeData = text;
    mii.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii);
    texts.push_back((mii.fType & MFT_SEPARATOR) ? "-" : text);
  }
  return texts;
}

MENUITEMINFOA InfoAt(HMENU menu, int pos) {
  MENUITEMINFOA mii = {};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_ID;
  GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &mii);
  return mii;
}

TEST_F(PopupMenuTest, HiddenItemsLeaveTheMenuAndComeBackInTheirPlace) {
  ui::TPopupMenu menu;
  ui::TMenuItem& root = menu.Items();
  ui::TMenuItem* edit = root.Add("編集");
  ui::TMenuItem* newItem = root.Add("新規作成");
  root.Add("-");
  ui::TMenuItem* copy = root.Add("コピー");
  ui::TMenuItem* remove = root.Add("削除");
  EXPECT_EQ(MenuTexts(menu.Handle()), (std::vector<std::string>{"編集", "新規作成", "-", "コピー", "削除"}));
  struct TStep {
    ui::TMenuItem* item;
    bool visible;
    std::vector<std::string> texts;
  };
  const TStep steps[] = {
      {newItem, false, {"編集", "-", "コピー", "削除"}},
      {remove, false, {"編集", "-", "コピー"}},
      {edit, false, {"-", "コピー"}},
      {remove, true, {"-", "コピー", "削除"}},
      {newItem, true, {"新規作成", "-", "コピー", "削除"}},
      {edit, true, {"編集", "新規作成", "-", "コピー", "削除"}},
  };
  for (const auto& s : steps) {
    s.item->SetVisible(s.visible);
    EXPECT_EQ(MenuTexts(menu.Handle()), s.texts) << s.item->Caption() << (s.visible ? " shown" : " hidden");
  }
  // Changes of a hidden item show when it comes back.
  copy->SetVisible(false);
  copy->SetCaption("コピー(&C)");
  copy->SetShortCutText("Ctrl+C");
  copy->SetVisible(true);
  EXPECT_EQ(MenuTexts(menu.Handle())[3], "コピー(&C)\tCtrl+C");
  EXPECT_EQ(root.Find("コピー(C)"), copy);
  std::unique_ptr<ui::TMenuItem> taken = root.Remove(newItem);
  EXPECT_EQ(MenuTexts(menu.Handle()), (std::vector<std::string>{"編集", "-", "コピー(&C)\tCtrl+C", "削除"}));
  root.Insert(1, std::move(taken));
  EXPECT_EQ(MenuTexts(menu.Handle())[1], "新規作成");
}

TEST_F(PopupMenuTest, ChecksRadioGroupsDefaultAndSubmenusAreInTheMenu) {
  ui::TPopupMenu menu;
  ui::TMenuItem& root = menu.Items();
  ui::TMenuItem* sort = root.Add("並び替え");
  ui::TMenuItem* byName = sort->Add("ABC順に並び替え");
  ui::TMenuItem* byType = sort->Add("種類順に並び替え");
  ui::TMenuItem* other = sort->Add("別の組");
  for (ui::TMenuItem* r : {byName, byType, other}) r->SetRadioItem(true);
  other->SetGroupIndex(2);
  ui::TMenuItem* edit = root.Add("編集");
  ui::TMenuItem* topMost = root.Add("最前面");

  EXPECT_EQ(InfoAt(menu.Handle(), 0).hSubMenu, sort->Handle());
  ASSERT_NE(sort->Handle(), nullptr);
  EXPECT_EQ(MenuTexts(sort->Handle()), (std::vector<std::string>{"ABC順に並び替え", "種類順に並び替え", "別の組"}));
  byName->SetChecked(true);
  other->SetChecked(true);
  byType->SetChecked(true);
  EXPECT_FALSE(byName->Checked()) << "a radio item unchecks its group";
  EXPECT_TRUE(other->Checked()) << "but not another group";
  auto checked = [&](HMENU m, int pos) { return (InfoAt(m, pos).fState & MFS_CHECKED) != 0; };
  EXPECT_EQ((std::vector<bool>{checked(sort->Handle(), 0), checked(sort->Handle(), 1), checked(sort->Handle(), 2)}),
            (std::vector<bool>{false, true, true}));
  EXPECT_TRUE(InfoAt(sort->Handle(), 1).fType & MFT_RADIOCHECK);

  edit->SetDefault(true);
  EXPECT_EQ(GetMenuDefaultItem(menu.Handle(), TRUE, 0), 1u);
  topMost->SetDefault(true);
  EXPECT_FALSE(edit->Default()) << "one default per menu";
  EXPECT_EQ(GetMenuDefaultItem(menu.Handle(), TRUE, 0), 2u);
  topMost->SetEnabled(false);
  EXPECT_TRUE(InfoAt(menu.Handle(), 2).fState & MFS_DISABLED);
  topMost->SetEnabled(true);

  topMost->AutoCheck = true;
  topMost->Click();
  EXPECT_TRUE(topMost->Checked());
  EXPECT_TRUE(checked(menu.Handle(), 2));
  topMost->Click();
  EXPECT_FALSE(topMost->Checked());
  byName->AutoCheck = true;
  byName->Click();
  byName->Click();
  EXPECT_TRUE(byName->Checked()) << "choosing a radio item checks it, again and again";
  EXPECT_FALSE(byType->Checked());
}

TEST_F(PopupMenuTest, RealMenuIsEndedByKeys) {
  ui::TPopupMenu menu;
  ui::TMenuItem& root = menu.Items();
  std::vector<std::string> clicked;
  root.Add("一つ目", [&] { clicked.push_back("1"); });
  ui::TMenuItem* hidden = root.Add("隠れた", [&] { clicked.push_back("hidden"); });
  ui::TMenuItem* second = root.Add("二つ目", [&] { clicked.push_back("2"); });
  ui::TMenuItem* sub = root.Add("その他");
  sub->Add("中の一つ目", [&] { clicked.push_back("sub 1"); });
  second->AutoCheck = true;
  hidden->SetVisible(false);
  int popups = 0;
  menu.OnPopup = [&] { ++popups; };
  POINT at = ScreenPoint(Form(), 50, 50);

  struct TCase {
    const char* name;
    std::vector<WORD> keys;
    const char* clicked;  // nullptr: none
  };
  const TCase cases[] = {
      {"the second visible item", {VK_DOWN, VK_DOWN, VK_RETURN}, "2"},
      {"into the submenu", {VK_UP, VK_RIGHT, VK_RETURN}, "sub 1"},
      {"Esc chooses nothing", {VK_DOWN, VK_ESCAPE, VK_ESCAPE}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clicked.clear();
    // The keys wait in the queue for the menu's own loop.
    for (WORD k : c.keys) {
      PostMessageA(Form(), WM_KEYDOWN, k, 1);
      PostMessageA(Form(), WM_KEYUP, k, 0xC0000001);
    }
    ui::TMenuItem* chosen = menu.Popup(at.x, at.y, Form());
    if (c.clicked) {
      ASSERT_EQ(clicked.size(), 1u);
      EXPECT_EQ(clicked[0], c.clicked);
      EXPECT_NE(chosen, nullptr);
    } else {
      EXPECT_TRUE(clicked.empty());
      EXPECT_EQ(chosen, nullptr);
    }
    Drain();
  }
  EXPECT_EQ(popups, 3);
  EXPECT_TRUE(second->Checked()) << "AutoCheck ran with the choice";
}

TEST_F(PopupMenuTest, ThePopupGoesThroughTheReplaceableTrackMenu) {
  ui::TPopupMenu menu;
  int clicks = 0;
  ui::TMenuItem* item = menu.Items().Add("URLを貼り付け", [&] { ++clicks; });
  menu.Items().Add("タイトルを貼り付け");
  std::vector<ui::TTrackMenuRequest> asked;
  auto before = ui::SetTrackMenuHandler([&](const ui::TTrackMenuRequest& r) {
    asked.push_back(r);
    return item->Command();
  });
  EXPECT_EQ(menu.Popup(120, 130, Form()), item);
  ui::SetTrackMenuHandler(before);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Menu, menu.Handle());
  EXPECT_EQ(asked[0].Owner, Form());
  EXPECT_EQ(asked[0].X, 120);
  EXPECT_EQ(asked[0].Y, 130);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
