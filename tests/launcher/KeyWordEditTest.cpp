// The launcher's input box as a real window under Wine: typed keys sent to the
// edit, the popup's rows and the edit's text read back, against a small store
// and a folder tree.
#include "launcher/KeyWordEdit.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "core/KeyWordX.h"
#include "core/StringIni.h"
#include "core/StringUtils.h"
#include "launcher/Priority_Manager.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestWindow.h"
#include "tests/ui/UiFixture.h"

namespace {

using Rows = std::vector<std::string>;

bool Has(const Rows& rows, const std::string& s) { return std::find(rows.begin(), rows.end(), s) != rows.end(); }

// Root: alpha, alps, beta, lit (takes no keywords as parameters) and the
// groups grp (abc, abd) and 日本 (ソフト, 表示: both end in the byte of
// "\"). Current folder: tree (alfile.txt, sub\).
class KeyWordEditTest : public UiTest {
 protected:
  TempDir td;
  std::string items = td / "Items";
  std::string tree = td / "tree";
  TKeyWordManager store{items, td / "Main"};
  char oldDir[MAX_PATH] = {};
  ui::TWindow form;
  TKeyWordEdit edit;

  static std::string Row(const std::string& name, const std::string& data = "Type=0") {
    return name + "\t" + data + "\r\n";
  }
  void SetUp() override {
    UiTest::SetUp();
    CreateDirectoryA(items.c_str(), nullptr);
    CreateDirectoryA(tree.c_str(), nullptr);
    CreateDirectoryA((tree + "\\sub").c_str(), nullptr);
    WriteTextFile(tree + "\\alfile.txt", "a");
    WriteTextFile(items + "\\%.vane",
                  Row("alpha") + Row("alps") + Row("beta") + Row("lit", "Type=0\tUseKeyword=0") +
                      Row("grp", "Type=5\tUpPriority=1") + Row("日本", "Type=5"));
    WriteTextFile(items + "\\%grp.vane", Row("abc") + Row("abd"));
    WriteTextFile(items + "\\%日本.vane", Row("ソフト") + Row("表示"));
    GetCurrentDirectoryA(MAX_PATH, oldDir);
    SetCurrentDirectoryA(tree.c_str());

    ui::TCreateParams p;
    p.ClassName = "QvKeyWordEditTestForm";
    p.Style = WS_POPUP | WS_BORDER;
    p.X = 100; p.Y = 200; p.Width = 400; p.Height = 40;
    ASSERT_TRUE(form.Create(p));
    ui::TCreateParams e;
    e.Style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    e.Parent = form.Handle();
    e.Id = 1;
    e.X = 4; e.Y = 4; e.Width = 380; e.Height = 24;
    edit.ListOrder = "234501";
    edit.CheckedLists = "111111";
    edit.UseList = true;
    edit.SetUserList("alpine\r\nzeta");
    ASSERT_TRUE(edit.Create(e));
    edit.SetKeywordManager(&store);
    form.Show();
    SetForegroundWindow(form.Handle());
    edit.Focus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit.Handle(); }));
  }
  void TearDown() override {
    SetCurrentDirectoryA(oldDir);
    UiTest::TearDown();
  }
  HWND H() const { return edit.Handle(); }
  void Char(char c) { SendTypedChar(H(), c); }
  void Type(const std::string& s) { SendTypedText(H(), s); }
  void Key(WORD vk) { SendKeyPress(H(), vk); }
  // Text put in as a paste, then one typed character.
  void Enter(const std::string& head, char last) {
    SendMessageA(H(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(head.c_str()));
    if (last) Char(last);
  }
  Rows ListRows() {
    Rows r;
    for (int i = 0; i < edit.List().Count(); ++i) r.push_back(edit.List().Item(i));
    return r;
  }
  bool ListShown() { return edit.List().Visible(); }
  std::string Selected() { return complete::PosSub(edit.Text(), edit.SelStart(), edit.SelEnd()); }
};

TEST_F(KeyWordEditTest, SourcesForTheTokenAtTheCaret) {
  struct Case {
    std::string head;
    char last;
    Rows shown;   // rows that must be there
    Rows absent;  // rows that must not
    int kind;
  } cases[] = {
      // First token: keywords of the root, current folder, user list.
      {"a", 'l', {"alpha", "alps", "alfile.txt", "alpine"}, {"beta", "abc"}, 2},
      {"", 'c', {"C:\\"}, {"abc"}, 2},  // the drives
      {"", 'z', {"zeta"}, {}, 2},
      // A group: its names only.
      {"grp/", 'a', {"abc", "abd"}, {"alpha", "alfile.txt", "alpine"}, 2},
      // A parameter of a keyword that takes keywords: the root again.
      {"alpha a", 'l', {"alps", "alfile.txt", "alpine"}, {}, 2},
      {"alpha grp/", 'a', {"abc", "abd"}, {"alfile.txt"}, 2},
      {"日本/ソ", 0, {"ソフト"}, {"表示"}, 2},
      // A wildcard: its matches, whatever the word.
      {"alpha " + tree + "\\*.tx", 't', {tree + "\\alfile.txt"}, {"alpha"}, 3},
      // A parameter of one that does not: nothing but the history.
      {"lit a", 'l', {}, {"alpha", "alfile.txt", "alpine"}, 2},
      // A path: the folder's files and folders.
      {tree + "\\", 's', {"sub\\"}, {"alps", "alpine"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.head + c.last);
    edit.SetText("");
    Enter(c.head, c.last);
    Rows rows = ListRows();
    for (const std::string& r : c.shown) EXPECT_TRUE(Has(rows, r)) << r;
    for (const std::string& r : c.absent) EXPECT_FALSE(Has(rows, r)) << r;
    EXPECT_EQ(edit.Data().SourceKind, c.kind);
    EXPECT_EQ(ListShown(), !c.shown.empty());
    if (c.head == "日本/ソ") {
      EXPECT_EQ(edit.Data().WordStart, 3) << "positions, as the edit counts them";
      EXPECT_EQ(edit.Data().Word, "ソ");
    }
  }
  EXPECT_EQ(edit.Data().FolderNow, tree + "\\");
  EXPECT_EQ(edit.Data().Word, "s");
}

TEST_F(KeyWordEditTest, TabCompletesOneKeywordAndAddsABlank) {
  EXPECT_TRUE(SendMessageA(H(), WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
  struct Case {
    bool useList, spaceAfterTab;
    std::string typed, text, keyword;
  } cases[] = {
      {true, true, "be", "beta ", "beta"},
      {false, true, "be", "beta ", "beta"},  // the popup is hidden
      {true, false, "gr", "grp/", "grp"},    // a group completes with its mark
      {true, true, "alpha gr", "alpha grp/ ", "alpha"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    edit.SetText("");
    edit.UseList = c.useList;
    edit.SpaceAfterTab = c.spaceAfterTab;
    Type(c.typed);
    EXPECT_EQ(ListShown(), c.useList);
    Key(VK_TAB);
    EXPECT_EQ(edit.Text(), c.text);
    EXPECT_EQ(edit.SelStart(), complete::PosLength(c.text));
    EXPECT_EQ(edit.SelLength(), 0);
    ASSERT_NE(edit.CurrentKeyword(), nullptr);
    EXPECT_EQ(edit.CurrentKeyword()->GetKeyWord(), c.keyword);
  }
}

TEST_F(KeyWordEditTest, TabModeZeroCyclesTheRows) {
  Type("grp/ab");
  ASSERT_TRUE(ListShown());
  ASSERT_EQ(ListRows(), (Rows{"abc", "abd"}));
  const int before = edit.List().ItemIndex();
  Key(VK_TAB);
  EXPECT_EQ(edit.List().ItemIndex(), before + 1);
  EXPECT_TRUE(ListShown());
}

TEST_F(KeyWordEditTest, TabModeOneTakesTheInlineRestAndAddsABlank) {
  edit.AutoComplete = true;
  edit.SpaceAfterTab = true;
  edit.TabMode = 1;
  Type("bet");
  ASSERT_EQ(edit.Text(), "beta");
  ASSERT_EQ(Selected(), "a");
  Key(VK_TAB);
  EXPECT_EQ(edit.Text(), "beta ");
  EXPECT_EQ(edit.SelStart(), 5);
}

TEST_F(KeyWordEditTest, HistoryKeepsRootKeywordsOnlyWithSimpleHistory) {
  for (const char* line : {"alpha", "grp/abc", "nothing here", "alpha x"}) edit.AddHistoryLine(line);
  EXPECT_EQ(edit.History().Items(), (Rows{"alpha x", "nothing here", "grp/abc"}));
  edit.AddSimpleHistory = true;
  edit.AddHistoryLine("alpha");
  EXPECT_EQ(edit.History()[0], "alpha");
}

TEST_F(KeyWordEditTest, DoubleClickOnTheEmptyBoxShowsTheFirstLevel) {
  SendMessageA(H(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  Rows rows = ListRows();
  for (const char* r : {"alpha", "beta", "grp/", "alfile.txt", "zeta"}) EXPECT_TRUE(Has(rows, r)) << r;
  EXPECT_TRUE(ListShown());
}

TEST_F(KeyWordEditTest, LineTextIsTheCompletedTextWithTheList) {
  Type("alph");
  EXPECT_EQ(edit.GetLineText(), "alpha");
  edit.UseList = false;
  EXPECT_EQ(edit.GetLineText(), "alph");
}

TEST_F(KeyWordEditTest, AcceptedRowGoesToThePriorityManager) {
  ASSERT_NE(edit.PriorityManager(), nullptr);
  edit.SetEnablePriorityBlock(true);
  EXPECT_TRUE(edit.PriorityManager()->EnablePriorityBlock);
  int changes = 0;
  edit.OnChangeKeyword = [&] { ++changes; };
  Type("alp");
  ASSERT_TRUE(ListShown());
  Key(VK_DOWN);  // alps
  Key(VK_RIGHT);
  EXPECT_EQ(edit.Text(), "alps");
  std::unique_ptr<TKeyWordX> alps = store.FindKeyWord("alps");
  ASSERT_TRUE(alps && alps->Data());
  EXPECT_EQ(alps->Data()->ReadString("ComplementedWord", ""), "alp");
  EXPECT_EQ(alps->Data()->ReadInteger("PriorityHP", 0), 1);
  EXPECT_GT(changes, 0) << "the accepted text is parsed outside typing";
  EXPECT_EQ(edit.Parser().CompletedKeyword, "alps");
  ASSERT_NE(edit.CurrentKeyword(), nullptr);
  EXPECT_EQ(edit.CurrentKeyword()->GetKeyWord(), "alps");
}

// The box's own key-downs feed the Backspace cancel when no hook runs.
class FakeKeySource : public IPriorityKeySource {
 public:
  bool Start(TPriorityManager&) override { return false; }
  void Stop() override {}
  bool Started() const override { return false; }
};

TEST_F(KeyWordEditTest, BackspaceRightAfterACompletionTakesItBack) {
  FakeKeySource source;
  TPriorityManager& pm = *edit.PriorityManager();
  pm.SetKeySource(&source);
  pm.TickCount = [] { return DWORD{1000}; };
  pm.EnableBackSpaceCancel = true;
  Type("alp");
  Key(VK_DOWN);  // alps
  Key(VK_RIGHT);
  ASSERT_EQ(edit.Text(), "alps");
  ASSERT_TRUE(pm.BackSpaceArmed());
  Key(VK_BACK);
  EXPECT_FALSE(pm.BackSpaceArmed());
  EXPECT_EQ(store.GetNames("").Items(), (Rows{"alpha", "beta", "alps", "lit", "grp", "日本"}));
  pm.SetKeySource(nullptr);
}

TEST_F(KeyWordEditTest, UpPriorityRaisesTheKeywordsOfTheLine) {
  Type("grp/abd x");
  ASSERT_NE(edit.CurrentKeyword(), nullptr);
  EXPECT_EQ(edit.Text(), "grp/abd x");
  EXPECT_EQ(edit.Parser().FoundKeywords.Items(), (Rows{"grp/abd"}));
  edit.UpPriority(1);
  EXPECT_EQ(store.GetNames("grp").Items(), (Rows{"abd", "abc"}));
  EXPECT_EQ(store.GetNames("").Items(), (Rows{"alpha", "alps", "beta", "grp", "lit", "日本"}));
}

}  // namespace
