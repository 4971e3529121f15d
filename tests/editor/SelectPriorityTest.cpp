// The priority placement dialog for real under Wine: a new keyword in a
// group of a store, the list read back, Enter, arrows and Esc typed with
// SendInput, and the keyword moved where the caller moves it.
#include "editor/USelectPriority.h"

#include <gtest/gtest.h>

#include "core/KeyWordX.h"
#include "core/StringIni.h"
#include "tests/editor/DialogFixture.h"
#include "ui/ListBox.h"

namespace {

class SelectPriorityTest : public DialogTest {
 protected:
  TempDir td;
  TKeyWordManager store{td / "Items", td / "Main"};
  TStringIni dialogs;

  // The group with first, second and the new keyword at its top (where a new
  // keyword is made).
  std::unique_ptr<TKeyWordX> NewInGroup(const std::string& group, const std::string& first, const std::string& second,
                                        const std::string& name) {
    if (!group.empty()) {
      const size_t slash = group.rfind('/');
      store.NewKeyWord(group.substr(slash == std::string::npos ? 0 : slash + 1),
                       slash == std::string::npos ? "" : group.substr(0, slash), kTypeGroup);
    }
    store.NewKeyWord(second, group, kTypeCommand);
    store.NewKeyWord(first, group, kTypeCommand);
    return store.NewKeyWord(name, group, kTypeCommand);
  }
  std::vector<std::string> Order(const std::string& group) { return store.GetNames(group).Items(); }

  struct Seen {
    std::vector<std::string> items;
    int selected = -2;
    std::string caption;
  };
  // Runs the dialog, records what it shows and types keys.
  bool Run(TSelectPriority& d, TKeyWordX& keyword, const std::string& keys, Seen* seen = nullptr,
           ui::TAction* onTop = nullptr) {
    d.DialogOptions = &dialogs;
    return RunModal(
        d,
        [&] {
          if (seen) *seen = {d.List().Items(), d.List().ItemIndex(), d.Caption()};
          Keys(keys);
        },
        [&] { return d.Execute(onTop, keyword, store); });
  }
};

TEST_F(SelectPriorityTest, ThePresetEntryChosenWithEnterPlacesTheKeyword) {
  struct Case {
    const char* name;
    int defaultPriority;
    int selected;
    std::vector<std::string> order;
  } cases[] = {
      {"before B", 1, 1, {"A", "N", "B"}},
      {"past the end: the marker, last", 99, 2, {"A", "B", "N"}},
      {"below -1: none, first", -5, -1, {"N", "A", "B"}},
      {"-1: none", -1, -1, {"N", "A", "B"}},
      {"before A", 0, 0, {"N", "A", "B"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto n = NewInGroup("G" + std::to_string(c.defaultPriority + 10), "A", "B", "N");
    dialogs.WriteInteger("DefaultPriority", c.defaultPriority);
    TSelectPriority d(&form);
    Seen seen;
    const bool confirmed = Run(d, *n, "{Enter}", &seen);
    EXPECT_EQ(seen.items, (std::vector<std::string>{"A", "B", kLowestPriorityMarker}));
    EXPECT_EQ(seen.selected, c.selected);
    ASSERT_TRUE(confirmed);
    EXPECT_EQ(d.ChosenIndex(), c.selected);
    n->SetIndex(d.ChosenIndex());
    EXPECT_EQ(Order(n->Folder), c.order);
  }
}

TEST_F(SelectPriorityTest, ArrowsChooseAnotherPlace) {
  auto n = NewInGroup("G", "A", "B", "N");
  TSelectPriority d(&form);
  ASSERT_TRUE(Run(d, *n, "{Down}{Enter}"));  // from B to the marker
  EXPECT_EQ(d.ChosenIndex(), 2);
  n->SetIndex(d.ChosenIndex());
  EXPECT_EQ(Order("G"), (std::vector<std::string>{"A", "B", "N"}));
}

TEST_F(SelectPriorityTest, TheCaptionNamesTheGroupAndTheRootGroupHasThePlainOne) {
  store.NewKeyWord("道具", "", kTypeGroup);
  auto inGroup = NewInGroup("道具/画像", "A", "B", "N");
  auto atRoot = NewInGroup("", "x", "y", "z");
  Seen group, root;
  TSelectPriority d1(&form), d2(&form);
  Run(d1, *inGroup, "{Esc}", &group);
  Run(d2, *atRoot, "{Esc}", &root);
  EXPECT_EQ(group.caption, "道具/画像 - 優先度の設定");
  EXPECT_EQ(root.caption, "優先度の設定");
  // The root also lists the group made above, and never z itself.
  EXPECT_EQ(root.items, (std::vector<std::string>{"x", "y", "道具", kLowestPriorityMarker}));
}

TEST_F(SelectPriorityTest, EscCancelsAndLeavesTheStayOnTopActionAsItWas) {
  auto n = NewInGroup("G", "A", "B", "N");
  ui::TAction onTop("最前面");
  onTop.AutoCheck = true;
  int runs = 0;
  onTop.OnExecute = [&] { ++runs; };
  onTop.SetChecked(true);
  TSelectPriority d(&form);
  bool checkedWhileUp = true;
  d.DialogOptions = &dialogs;
  const bool confirmed = RunModal(
      d,
      [&] {
        checkedWhileUp = onTop.Checked();
        Keys("{Esc}");
      },
      [&] { return d.Execute(&onTop, *n, store); });
  EXPECT_FALSE(confirmed);
  EXPECT_FALSE(checkedWhileUp);
  EXPECT_TRUE(onTop.Checked());
  EXPECT_EQ(runs, 2);

  // Unchecked before: never touched.
  onTop.SetChecked(false);
  runs = 0;
  TSelectPriority d2(&form);
  EXPECT_TRUE(Run(d2, *n, "{Enter}", nullptr, &onTop));
  EXPECT_EQ(runs, 0);
  EXPECT_FALSE(onTop.Checked());
}

TEST_F(SelectPriorityTest, TheDialogStandsOverTheActiveForm) {
  auto n = NewInGroup("G", "A", "B", "N");
  TSelectPriority d(&form);
  RECT over = {}, dialog = {};
  RunModal(
      d,
      [&] {
        GetWindowRect(form.Handle(), &over);
        GetWindowRect(d.Handle(), &dialog);
      },
      [&] { return d.Execute(nullptr, *n, store); });
  EXPECT_NEAR((dialog.left + dialog.right) / 2, (over.left + over.right) / 2, 1);
  EXPECT_NEAR((dialog.top + dialog.bottom) / 2, (over.top + over.bottom) / 2, 1);
}

// The picture: a group with Japanese names (tests/support/editor-screenshot.sh).
TEST_F(SelectPriorityTest, ScreenshotThePlacement) {
  if (!ScreenshotsWanted()) GTEST_SKIP() << "no pictures asked for";
  store.NewKeyWord("メモ帳", "ソフト", kTypeCommand);
  auto n = NewInGroup("ソフト", "電卓", "ペイント", "新しい画像");
  TSelectPriority d(&form);
  RunModal(d, [&] { Shot(d, "editor-select-priority"); }, [&] { return d.Execute(nullptr, *n, store); });
}

}  // namespace
