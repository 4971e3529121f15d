// The memo, the combo box, the list box and the check list: typed into and
// clicked, their texts, items and states read back.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/ControlsFixture.h"
#include "ui/Button.h"
#include "ui/CheckListBox.h"
#include "ui/ComboBox.h"
#include "ui/ListBox.h"
#include "ui/Memo.h"

namespace {

using MemoTest = ControlsTest;
using ComboBoxTest = ControlsTest;
using ListBoxTest = ControlsTest;
using CheckListBoxTest = ControlsTest;

TEST_F(MemoTest, LinesAreTheTextBetweenLineBreaks) {
  ui::TMemo memo;
  ASSERT_TRUE(memo.Create(ui::TMemoParams(Form(), "", 10, 10, 300, 120)));
  memo.SetLines({"一行目", "表示ソ", "", "last"});
  EXPECT_EQ(memo.Text(), "一行目\r\n表示ソ\r\n\r\nlast");
  EXPECT_EQ(memo.LineCount(), 4);
  memo.AddLine("追加");
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"一行目", "表示ソ", "", "last", "追加"}));
  memo.SetText("a\nb\rc");
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"a", "b", "c"}));
  memo.SetReadOnly(true);
  EXPECT_TRUE(memo.ReadOnly());
}

TEST_F(MemoTest, EnterAndTabAreTypedOnlyWhenTheMemoWantsThem) {
  struct TCase {
    const char* name;
    bool wantReturns, wantTabs;
    WORD key;
    const char* text;  // afterwards
    bool focusMoved, okPressed;
  };
  const TCase cases[] = {
      {"Enter typed", true, false, VK_RETURN, "ab\r\n", false, false},
      {"Enter presses the default button", false, false, VK_RETURN, "ab", false, true},
      {"Tab typed", false, true, VK_TAB, "ab\t", false, false},
      {"Tab moves on", true, false, VK_TAB, "ab", true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::TMemo memo;
    ui::TMemoParams p(Form(), "", 10, 10, 300, 120);
    p.WantReturns = c.wantReturns;
    p.WantTabs = c.wantTabs;
    ASSERT_TRUE(memo.Create(p));
    ui::TButton ok;
    ui::TButtonParams bp(Form(), "OK", 10, 140, 80, 25);
    bp.Id = IDOK;
    ASSERT_TRUE(ok.Create(bp));
    int pressed = 0;
    ok.OnClick = [&] { ++pressed; };
    memo.Focus();
    memo.SetText("ab");
    memo.SetSelStart(2);
    Press({c.key});
    EXPECT_EQ(memo.Text(), c.text);
    EXPECT_EQ(GetFocus() != memo.Handle(), c.focusMoved);
    EXPECT_EQ(pressed, c.okPressed ? 1 : 0);
  }
}

TEST_F(MemoTest, EscReachesTheForm) {
  ui::TMemo memo;
  ASSERT_TRUE(memo.Create(ui::TMemoParams(Form(), "", 10, 10, 300, 120)));
  int cancels = 0;
  form.OnCommand = [&](ui::TCommandEvent& e) {
    if (e.Id == IDCANCEL) {
      ++cancels;
      e.Answer(0);
    }
  };
  memo.Focus();
  Press({VK_ESCAPE});
  EXPECT_EQ(cancels, 1);
}

TEST_F(ComboBoxTest, TypingOpensTheListAndChoosingAnItemReportsIt) {
  ui::TComboBox combo;
  ui::TComboBoxParams p(Form(), "", 10, 10, 200, 200);
  p.Items = {"a表示", "bソ", "b二", "c"};
  p.AutoDropDown = true;
  p.Font = font;
  ASSERT_TRUE(combo.Create(p));
  ASSERT_NE(combo.EditHandle(), nullptr);
  std::vector<std::string> seen;
  combo.OnKeyPress = [&](ui::TKeyPressEvent& e) {
    seen.push_back(std::string("key ") + e.Key);
    if (e.Key == 'x') e.Key = 0;
  };
  combo.OnChange = [&] { seen.push_back("change " + combo.Text()); };
  combo.OnClick = [&] { seen.push_back("click"); };
  combo.OnSelect = [&] { seen.push_back("select"); };
  combo.OnCloseUp = [&] { seen.push_back("closeup"); };

  combo.Focus();
  Press({'X'});
  EXPECT_EQ(combo.Text(), "") << "a key eaten by OnKeyPress is not typed";
  EXPECT_FALSE(combo.DroppedDown());
  Press({'B'});
  EXPECT_EQ(combo.Text(), "b");
  EXPECT_TRUE(combo.DroppedDown()) << "the list opens on typing";
  seen.clear();
  // The open list follows the typed text to "bソ"; Down goes one further.
  Press({VK_DOWN});
  Press({VK_RETURN});
  EXPECT_FALSE(combo.DroppedDown());
  EXPECT_EQ(combo.ItemIndex(), combo.IndexOf("b二"));
  EXPECT_EQ(combo.Text(), "b二");
  ASSERT_FALSE(seen.empty());
  auto at = [&](const std::string& s) { return std::find(seen.begin(), seen.end(), s) - seen.begin(); };
  EXPECT_LT(at("click"), at("select"));
  EXPECT_LT(at("select"), static_cast<long>(seen.size()));
  EXPECT_LT(at("closeup"), static_cast<long>(seen.size()));
  EXPECT_NE(std::find_if(seen.begin(), seen.end(), [](const std::string& s) { return s.rfind("change ", 0) == 0; }),
            seen.end());
}

TEST_F(ComboBoxTest, ListStyleReportsOnlyTheUsersChoice) {
  ui::TComboBox combo;
  ui::TComboBoxParams p(Form(), "", 10, 10, 200, 200);
  p.ComboStyle = ui::TComboBoxStyle::DropDownList;
  p.Items = {"最も低い", "低い", "通常", "高い"};
  ASSERT_TRUE(combo.Create(p));
  EXPECT_EQ(combo.EditHandle(), nullptr);
  std::vector<std::string> seen;
  combo.OnClick = [&] { seen.push_back("click"); };
  combo.OnSelect = [&] { seen.push_back("select"); };
  combo.OnChange = [&] { seen.push_back("change"); };
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.Text(), "低い");
  EXPECT_TRUE(seen.empty());
  combo.Focus();
  Press({VK_DOWN});
  EXPECT_EQ(combo.ItemIndex(), 2);
  EXPECT_EQ(seen, (std::vector<std::string>{"click", "select", "change"}));
  EXPECT_EQ(combo.IndexOf("高い"), 3);
  EXPECT_EQ(combo.IndexOf("無い"), -1);
  EXPECT_EQ(combo.Items(), p.Items);
}

TEST_F(ComboBoxTest, ListStyleFromALayoutRowsStyle) {
  ui::TComboBox combo;
  ui::TComboBoxParams p(Form(), "", 10, 10, 200, 200);
  p.Style |= CBS_DROPDOWNLIST;
  ASSERT_TRUE(combo.Create(p));
  EXPECT_EQ(combo.ComboStyle(), ui::TComboBoxStyle::DropDownList);
  EXPECT_EQ(combo.EditHandle(), nullptr);
}

TEST_F(ListBoxTest, SortedListKeepsItsOrderWhereverItemsGo) {
  ui::TListBox list;
  ui::TListBoxParams p(Form(), "", 10, 10, 200, 150);
  p.Sorted = true;
  ASSERT_TRUE(list.Create(p));
  struct TStep {
    const char* text;
    int landsAt;
  };
  const TStep adds[] = {{".exe", 0}, {".BAT", 0}, {".com", 1}, {"表示", 3}, {".Zip", 3}};
  for (const auto& a : adds) EXPECT_EQ(list.Add(a.text), a.landsAt) << a.text;
  EXPECT_EQ(list.Items(), (std::vector<std::string>{".BAT", ".com", ".exe", ".Zip", "表示"}));
  EXPECT_EQ(list.Insert(0, ".txt"), 3) << "a sorted list puts an insert in its place";
  EXPECT_EQ(list.IndexOf(".bat"), 0) << "letter case ignored";
  EXPECT_EQ(list.IndexOf("表示"), 5);
  list.SetItemIndex(0);
  EXPECT_EQ(list.SetItem(0, ".xls"), 3);
  EXPECT_EQ(list.ItemIndex(), 3) << "the selection follows the changed item";
  list.Delete(3);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{".com", ".exe", ".txt", ".Zip", "表示"}));
}

TEST_F(ListBoxTest, UnsortedListInsertsAtThePlaceAsked) {
  ui::TListBox list;
  ui::TListBoxParams p(Form(), "", 10, 10, 200, 150);
  p.Items = {"b", "a"};
  ASSERT_TRUE(list.Create(p));
  EXPECT_EQ(list.Insert(1, "表"), 1);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"b", "表", "a"}));
}

TEST_F(ListBoxTest, MouseAndKeysSelectAndReportIt) {
  ui::TListBox list;
  ui::TListBoxParams p(Form(), "", 10, 10, 200, 150);
  p.Items = {"作成されたキーワード", "A", "B", "    ------優先度最低-------"};
  p.Font = font;
  ASSERT_TRUE(list.Create(p));
  int clicks = 0, doubles = 0;
  list.OnClick = [&] { ++clicks; };
  list.OnDblClick = [&] { ++doubles; };
  list.SetItemIndex(0);
  EXPECT_EQ(clicks, 0);
  RECT r = list.ItemRect(2);
  ClickAt(list.Handle(), r.left + 10, (r.top + r.bottom) / 2);
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  Press({VK_DOWN});
  EXPECT_EQ(list.ItemIndex(), 3);
  EXPECT_EQ(clicks, 2);
  r = list.ItemRect(1);
  DoubleClickAt(list.Handle(), r.left + 10, (r.top + r.bottom) / 2);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(list.ItemAtPos(r.left + 10, (r.top + r.bottom) / 2), 1);
  EXPECT_EQ(list.ItemAtPos(10, 140), -1) << "below the last item";
}

TEST_F(CheckListBoxTest, BoxesToggleByClickAndSpaceAndReportIt) {
  ui::TCheckListBox list;
  ui::TCheckListBoxParams p(Form(), "", 10, 10, 300, 150);
  p.Font = font;
  ASSERT_TRUE(list.Create(p));
  list.Add("キーワード", true);
  list.Add("フォルダ内のファイル", false);
  list.Add("履歴", true);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"キーワード", "フォルダ内のファイル", "履歴"}));
  std::vector<int> checks;
  int clicks = 0;
  list.OnClickCheck = [&](int i) { checks.push_back(i); };
  list.OnClick = [&] { ++clicks; };
  list.SetChecked(0, false);
  list.SetItemIndex(2);
  EXPECT_TRUE(checks.empty()) << "changes from code report nothing";
  EXPECT_EQ(clicks, 0);

  RECT box = list.CheckRect(1);
  ClickAt(list.Handle(), (box.left + box.right) / 2, (box.top + box.bottom) / 2);
  EXPECT_TRUE(list.Checked(1));
  EXPECT_EQ(checks, (std::vector<int>{1}));
  RECT item = list.ItemRect(0);
  ClickAt(list.Handle(), item.left + 80, (item.top + item.bottom) / 2);
  EXPECT_EQ(list.ItemIndex(), 0);
  EXPECT_GE(clicks, 1);
  EXPECT_FALSE(list.Checked(0)) << "a click on the text selects without checking";
  Press({VK_SPACE});
  EXPECT_TRUE(list.Checked(0));
  EXPECT_EQ(checks, (std::vector<int>{1, 0}));

  list.Exchange(0, 2);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"履歴", "フォルダ内のファイル", "キーワード"}));
  EXPECT_TRUE(list.Checked(0));
  EXPECT_TRUE(list.Checked(2));
  list.SetChecked(2, false);
  list.Exchange(2, 1);
  EXPECT_TRUE(list.Checked(2));
  EXPECT_FALSE(list.Checked(1));
  EXPECT_EQ(checks.size(), 2u);
}

}  // namespace
