// The completing edit and its popup list as real windows under Wine: keys sent
// to the edit (and through the application's loop for its key filter), the
// edit's text and selection and the list's rows read back.
#include "completion/DynamicComplete.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/FileIO.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestWindow.h"
#include "tests/ui/UiFixture.h"

namespace {

using Rows = std::vector<std::string>;

// The smallest descendant: the word is the text after the last "\" before the
// caret; with a "\" the folder before it is listed, else the words source.
class TTestComplete : public TDynamicComplete {
 public:
  TTestComplete() {
    Data().ExtraSources = {&Words};
    ListOrder = "201";
    CheckedLists = "111";
  }
  void KeywordChange() override {
    std::string t = complete::PosSub(Text(), 0, SelStart());
    size_t slash = sjis::FindLastChar(t, '\\');
    if (slash != sjis::npos) {
      Data().SourceKind = 0;
      Data().FolderNow = t.substr(0, slash + 1);
      Data().Word = t.substr(slash + 1);
      Data().WordStart = complete::ByteToPos(t, slash + 1);
    } else {
      Data().SourceKind = 2;
      Data().Word = t;
      Data().WordStart = 0;
    }
    TDynamicComplete::KeywordChange();
  }
  TStringList Words;
};

class DynamicCompleteTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    SetCharMode(true);
    MakeForm(200);
  }
  void MakeForm(int y) {
    ui::TCreateParams p;
    p.ClassName = "QvCompleteTestForm";
    p.Style = WS_POPUP | WS_BORDER;
    p.X = 100; p.Y = y; p.Width = 400; p.Height = 40;
    ASSERT_TRUE(form.Create(p));
    ui::TCreateParams e;
    e.Style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    e.Parent = form.Handle();
    e.Id = 1;
    e.X = 4; e.Y = 4; e.Width = 380; e.Height = 24;
    ASSERT_TRUE(edit.Create(e));
    form.Show();
    SetForegroundWindow(form.Handle());
    edit.Focus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit.Handle(); }));
  }
  HWND H() const { return edit.Handle(); }
  void Char(char c) { SendTypedChar(H(), c); }
  void Type(const std::string& s) { SendTypedText(H(), s); }
  void Key(WORD vk) { SendKeyPress(H(), vk); }
  // Through the application's loop, where its key filter sits.
  void PostKey(WORD vk) {
    PostMessageA(H(), WM_KEYDOWN, vk, 1);
    PostMessageA(H(), WM_KEYUP, vk, 0xC0000001);
    Drain();
  }
  std::string Selected() { return complete::PosSub(edit.Text(), edit.SelStart(), edit.SelEnd()); }
  Rows ListRows() {
    Rows r;
    for (int i = 0; i < edit.List().Count(); ++i) r.push_back(edit.List().Item(i));
    return r;
  }
  std::string SelectedRow() { return edit.List().Item(edit.List().ItemIndex()); }
  bool ListShown() { return edit.List().Visible(); }

  ui::TWindow form;
  TTestComplete edit;
};

TEST_F(DynamicCompleteTest, PopupOwnerMustBeAnEdit) {
  try {
    TPopupList bad(&form, true);
    FAIL() << "no exception";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "不正なOwnerがセットされています");
  }
}

TEST_F(DynamicCompleteTest, RedrawSwitchesLeaveVisibilityAlone) {
  TPopupList& list = edit.List();
  list.Hide();
  list.SetRedraw(false);
  list.SetRedraw(true);
  EXPECT_FALSE(list.Visible());
  list.ShowNoActivate();
  list.SetRedraw(false);
  EXPECT_TRUE(list.Visible());
  list.SetRedraw(true);
  EXPECT_TRUE(list.Visible());
  EXPECT_EQ(GetFocus(), H());
  edit.SetRedraw(false);
  edit.SetRedraw(true);
  EXPECT_TRUE(edit.Visible());
  edit.Hide();
  edit.SetRedraw(false);
  edit.SetRedraw(true);
  EXPECT_FALSE(edit.Visible());  // switching the redraw on never shows a hidden edit
}

TEST_F(DynamicCompleteTest, ListWithoutScrollBarHasNone) {
  edit.SetListScroll(false);
  EXPECT_FALSE(edit.List().ScrollBar());
  EXPECT_EQ(TDynamicComplete::SharedList(), &edit.List());
  std::vector<std::string> many;
  for (int i = 0; i < 30; ++i) many.push_back("row" + std::to_string(i + 10));
  edit.Words = TStringList(many);
  edit.UseList = true;
  Type("r");
  ASSERT_TRUE(ListShown());
  EXPECT_FALSE(GetWindowLongA(edit.List().Handle(), GWL_STYLE) & WS_VSCROLL);
  RECT r = {};
  GetClientRect(edit.List().Handle(), &r);
  int rowHeight = edit.List().ItemHeight();
  EXPECT_EQ(r.bottom, 15 * rowHeight + rowHeight / 2);  // ListSize rows and half a row
}

TEST_F(DynamicCompleteTest, MouseOverTheListSelectsAfterTheFirstMoveAndTheWheelScrolls) {
  std::vector<std::string> many = {"notepad", "notes", "nothing"};
  for (int i = 0; i < 30; ++i) many.push_back("no" + std::to_string(i + 10));
  edit.Words = TStringList(many);
  edit.UseList = true;
  Type("no");
  ASSERT_TRUE(ListShown());
  ASSERT_EQ(SelectedRow(), "notepad");
  HWND list = edit.List().Handle();
  RECT row = {};
  SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  int y = (row.top + row.bottom) / 2;
  SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(10, y));
  EXPECT_EQ(SelectedRow(), "notepad");  // the first move after typing is ignored
  SendMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(11, y));
  EXPECT_EQ(SelectedRow(), "nothing");
  EXPECT_EQ(edit.Text(), "nothing");
  EXPECT_EQ(GetFocus(), H());

  int top = edit.List().TopIndex();
  SendMessageA(H(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(edit.List().TopIndex(), top + 1);
  SendMessageA(H(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(edit.List().TopIndex(), top);
}

// The list holds no row texts (a virtual list box): what reads it from outside
// reads its top row as the window text, narrow or wide.
TEST_F(DynamicCompleteTest, ListWindowTextIsItsTopRow) {
  std::vector<std::string> many = {"表示設定", "表計算"};
  for (int i = 0; i < 30; ++i) many.push_back("表" + std::to_string(i + 10));
  edit.Words = TStringList(many);
  edit.UseList = true;
  SendMessageA(H(), WM_KEYDOWN, VK_PROCESSKEY, 1);
  SendMessageA(H(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("表"));
  ASSERT_TRUE(ListShown());
  HWND list = edit.List().Handle();
  char narrow[64] = {};
  GetWindowTextA(list, narrow, sizeof(narrow));
  EXPECT_STREQ(narrow, "表示設定");
  SendMessageA(H(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  ASSERT_EQ(edit.List().TopIndex(), 1);
  wchar_t wide[64] = {};
  GetWindowTextW(list, wide, 64);
  EXPECT_STREQ(wide, L"\u8868\u8A08\u7B97");  // 表計算
  EXPECT_EQ(GetWindowTextLengthW(list), 3);
  char cut[4] = {};
  GetWindowTextA(list, cut, sizeof(cut));
  EXPECT_STREQ(cut, "表");  // whole characters only
}

TEST_F(DynamicCompleteTest, SetMatchLevelFollowsUseList) {
  struct Case { bool useList; int level, mode; };
  const Case cases[] = {{false, 3, 2}, {false, -1, 2}, {false, 0, 2}, {false, 1, 2},
                        {true, 0, 0},  {true, 1, 1},   {true, 3, 2}};
  for (const Case& c : cases) {
    edit.UseList = c.useList;
    edit.SetMatchLevel(c.level);
    EXPECT_EQ(edit.Data().MatchMode, c.mode) << c.level;
    EXPECT_EQ(edit.MatchLevel(), c.level);
  }
  edit.SetMatchLevel(1);
  edit.SetMatchLevel(9);  // unknown: the mode stays
  EXPECT_EQ(edit.Data().MatchMode, 1);
}

TEST_F(DynamicCompleteTest, AddHistoryKeepsOneLineAtTheTop) {
  TStringList history({"x"});
  edit.SetHistory(&history);
  edit.AddHistory("abc ");
  edit.AddHistory("ABC");
  EXPECT_EQ(history.Items(), (Rows{"abc", "x"}));
}

TEST_F(DynamicCompleteTest, TypingCompletesInlineAndEnterAccepts) {
  edit.Words = TStringList({"Notepad", "notes", "cmd"});
  edit.AutoComplete = true;
  edit.UseList = true;
  Type("no");
  EXPECT_EQ(edit.Text(), "notepad");  // the typed letters keep their case
  EXPECT_EQ(Selected(), "tepad");
  EXPECT_TRUE(ListShown());
  EXPECT_EQ(ListRows(), (Rows{"Notepad", "notes"}));
  EXPECT_EQ(GetFocus(), H());
  PostKey(VK_RETURN);
  EXPECT_EQ(edit.Text(), "notepad");
  EXPECT_EQ(edit.SelStart(), 7);
  EXPECT_EQ(edit.SelLength(), 0);
  EXPECT_FALSE(ListShown());
}

TEST_F(DynamicCompleteTest, UpAndDownWrapAroundTheList) {
  edit.Words = TStringList({"alpha", "alps", "altitude"});
  edit.UseList = true;
  Type("al");
  ASSERT_TRUE(ListShown());
  EXPECT_EQ(SelectedRow(), "alpha");  // the best row, not put in without AutoComplete
  EXPECT_EQ(edit.Text(), "al");
  PostKey(VK_DOWN);
  EXPECT_EQ(SelectedRow(), "alps");
  EXPECT_EQ(edit.Text(), "alps");  // a row that starts with the word is put in
  EXPECT_EQ(Selected(), "ps");
  PostKey(VK_UP);
  EXPECT_EQ(SelectedRow(), "alpha");
  EXPECT_EQ(edit.Text(), "alpha");
  PostKey(VK_UP);
  EXPECT_EQ(SelectedRow(), "altitude");  // first row, Up: the last
  PostKey(VK_DOWN);
  EXPECT_EQ(SelectedRow(), "alpha");  // last row, Down: the first
  Key(VK_NEXT);
  EXPECT_EQ(SelectedRow(), "altitude");
}

TEST_F(DynamicCompleteTest, KeyFilterLeavesEnterWithModifiers) {
  edit.Words = TStringList({"notepad", "notes"});
  edit.UseList = true;
  Type("no");
  ASSERT_TRUE(ListShown());
  MSG m = {};
  m.hwnd = H();
  m.message = WM_KEYDOWN;
  m.wParam = VK_RETURN;
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  bool handled = false;
  edit.AppMessage(m, handled);
  EXPECT_FALSE(handled);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  edit.AppMessage(m, handled);
  EXPECT_TRUE(handled);
  m.wParam = VK_DOWN;
  handled = false;
  edit.AppMessage(m, handled);
  EXPECT_TRUE(handled);  // Up and Down always go to the focused completer
}

TEST_F(DynamicCompleteTest, HistoryWalkNeverPassesTheEnd) {
  TStringList history({"first", "second"});
  edit.SetHistory(&history);
  edit.UseHistory = true;
  Key(VK_DOWN);  // an empty history text is not in the history: the first line
  EXPECT_EQ(edit.Text(), "first");
  EXPECT_EQ(Selected(), "first");
  Key(VK_DOWN);
  EXPECT_EQ(edit.Text(), "second");
  Key(VK_DOWN);
  EXPECT_EQ(edit.Text(), "second");
  Key(VK_UP);
  EXPECT_EQ(edit.Text(), "first");

  TStringList empty;
  edit.SetHistory(&empty);
  Key(VK_DOWN);
  EXPECT_EQ(edit.Text(), "first");
}

TEST_F(DynamicCompleteTest, RightInTheMiddleDoesNothingAndAtTheEndAccepts) {
  edit.Words = TStringList({"notepad", "notes"});
  edit.AutoComplete = true;
  edit.UseList = true;
  std::vector<std::string> completed;
  edit.OnComplete = [&](TDynamicComplete&, int, const std::string& text) { completed.push_back(text); };
  Type("no");
  ASSERT_EQ(Selected(), "tepad");
  Key(VK_RIGHT);
  EXPECT_EQ(edit.Text(), "notepad");
  EXPECT_EQ(edit.SelStart(), 7);
  EXPECT_EQ(completed, (Rows{"notepad"}));

  edit.SetText("abc def");
  edit.SetSel(2, 0);
  WORD key = VK_RIGHT;
  SendMessageA(H(), WM_KEYDOWN, key, 1);
  EXPECT_EQ(edit.Text(), "abc def");
  EXPECT_EQ(completed.size(), 1u);
}

TEST_F(DynamicCompleteTest, ForceCompleteCommitsTheCommonPrefix) {
  edit.Words = TStringList({"notepad", "notes", "cmd"});
  Type("no");
  ASSERT_EQ(edit.Text(), "no");
  EXPECT_TRUE(edit.ForceComplete());
  EXPECT_EQ(edit.Text(), "notepad");
  EXPECT_EQ(edit.SelStart(), 4);  // the common part note is committed
  EXPECT_EQ(Selected(), "pad");
  EXPECT_TRUE(ListShown());

  edit.Words = TStringList({"cmd"});
  edit.SetText("");
  Type("cm");
  EXPECT_TRUE(edit.ForceComplete());  // one candidate: taken whole
  EXPECT_EQ(edit.Text(), "cmd");
  EXPECT_EQ(edit.SelStart(), 3);
  EXPECT_EQ(edit.SelLength(), 0);
  EXPECT_FALSE(edit.AutoComplete);  // the forced switches are restored
  EXPECT_FALSE(edit.UseList);
}

TEST_F(DynamicCompleteTest, NoInlineCompletionAfterBackspace) {
  edit.Words = TStringList({"notepad", "notes"});
  edit.AutoComplete = true;
  edit.UseList = true;
  Type("not");
  ASSERT_EQ(edit.Text(), "notepad");
  Char('\b');  // deletes the selected rest
  Char('\b');
  EXPECT_EQ(edit.Text(), "no");
  EXPECT_EQ(edit.SelLength(), 0);
}

TEST_F(DynamicCompleteTest, JapaneseCandidatesFromTextReplacedAsAnInputMethodDoes) {
  edit.Words = TStringList({"表示設定", "表計算", "ソフト"});
  edit.AutoComplete = true;
  edit.UseList = true;
  SendMessageA(H(), WM_KEYDOWN, VK_PROCESSKEY, 1);
  SendMessageA(H(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("表"));
  EXPECT_EQ(ListRows(), (Rows{"表示設定", "表計算"}));
  EXPECT_EQ(edit.Text(), "表示設定");
  EXPECT_EQ(Selected(), "示設定");
}

TEST_F(DynamicCompleteTest, DeactivationHidesThePopup) {
  edit.Words = TStringList({"notepad", "notes"});
  edit.UseList = true;
  Type("no");
  ASSERT_TRUE(ListShown());
  app->ActivateApp(true);
  app->ActivateApp(false);
  EXPECT_FALSE(ListShown());
  EXPECT_EQ(TDynamicComplete::SharedList(), nullptr);
}

TEST_F(DynamicCompleteTest, ClickOnTheListKeepsTheFocusInTheEdit) {
  edit.Words = TStringList({"notepad", "notes", "nothing"});
  edit.UseList = true;
  Type("no");
  ASSERT_TRUE(ListShown());
  HWND list = edit.List().Handle();
  EXPECT_TRUE(GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT row = {};
  SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  POINT p = {row.left + 5, (row.top + row.bottom) / 2};
  ClientToScreen(list, &p);
  SetCursorPos(p.x, p.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
  EXPECT_TRUE(PumpUntil([&] { return edit.Text() == "notes"; })) << edit.Text();
  EXPECT_EQ(GetFocus(), H());
  EXPECT_EQ(GetForegroundWindow(), form.Handle());
  EXPECT_EQ(edit.SelStart(), 5);
}

class DynamicCompleteFolderTest : public DynamicCompleteTest {
 protected:
  void SetUp() override {
    DynamicCompleteTest::SetUp();
    fileio::ForceDirectories(dir / "windows" + "\\system32");
    fileio::ForceDirectories(dir / "work");
    WriteTextFile(dir / "b.txt", "b");
    WriteTextFile(dir / "a.log", "a");
    WriteTextFile(dir / "表.txt", "x");
  }
  TempDir dir;
};

TEST_F(DynamicCompleteFolderTest, ListFolderGivesFoldersThenFiles) {
  edit.Sort = true;
  edit.Data().SourceKind = 0;
  EXPECT_EQ(edit.ListFolder(dir.path() + "\\").Items(), (Rows{"windows\\", "work\\", "a.log", "b.txt", "表.txt"}));
  edit.FileFilter = "*.txt";
  EXPECT_EQ(edit.ListFolder(dir.path()).Items(), (Rows{"windows\\", "work\\", "b.txt", "表.txt"}));
  edit.Data().SourceKind = 1;
  EXPECT_EQ(edit.ListFolder(dir.path()).Items(), (Rows{"windows\\", "work\\"}));
  EXPECT_TRUE(edit.ListFolder(dir / "missing").Empty());
}

TEST_F(DynamicCompleteFolderTest, BackslashCommitsTheFolderAndListsItsContents) {
  edit.Sort = true;
  edit.AutoComplete = true;
  edit.UseList = true;
  edit.SpecialChars = "\\";
  edit.SetText(dir.path());
  edit.SetSel(edit.TextLength(), 0);
  Type("\\wi");
  ASSERT_EQ(edit.Text(), dir.path() + "\\windows\\");
  ASSERT_EQ(Selected(), "ndows\\");
  Char('\\');
  EXPECT_EQ(edit.Text(), dir.path() + "\\windows\\");
  EXPECT_EQ(edit.SelLength(), 0);
  EXPECT_EQ(ListRows(), (Rows{"system32\\"}));
}

TEST_F(DynamicCompleteFolderTest, AfterABackslashTheFolderIsListed) {
  edit.Sort = true;
  edit.UseList = true;
  edit.Words = TStringList({"abc"});
  edit.SetText(dir.path());
  edit.SetSel(edit.TextLength(), 0);
  Char('\\');
  EXPECT_TRUE(ListShown());
  EXPECT_EQ(ListRows(), (Rows{"abc", "windows\\", "work\\", "a.log", "b.txt", "表.txt"}));
}

class DynamicCompleteBottomTest : public DynamicCompleteTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    SetCharMode(true);
    MakeForm(GetSystemMetrics(SM_CYSCREEN) - 60);
  }
};

TEST_F(DynamicCompleteBottomTest, NearTheBottomThePopupOpensAboveWithTheBestRowLast) {
  edit.Words = TStringList({"xab", "abc", "ab"});
  edit.UseList = true;
  edit.AutoComplete = true;
  Type("ab");
  ASSERT_TRUE(ListShown());
  EXPECT_TRUE(edit.Upward());
  Rows rows = ListRows();
  EXPECT_EQ(rows.back(), "ab");  // the exact match next to the edit
  EXPECT_EQ(SelectedRow(), "ab");
  RECT list = {}, e = {};
  GetWindowRect(edit.List().Handle(), &list);
  GetWindowRect(H(), &e);
  EXPECT_LE(list.bottom, e.top + 3);
}

}  // namespace
