// The keyword manager window on a store of Japanese groups: the tree with its
// pictures, the panel of the selected keyword, the placement kept in
// Dialogs.ini, the requests of other instances, and the tree's operations:
// copy, cut and paste, drags, sorts and the context menu.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/KeyWordX.h"
#include "editor/TreeViewUtils.h"
#include "editor/URZEditorMain.h"
#include "tests/editor/DialogFixture.h"
#include "ui/CopyData.h"
#include "ui/Image.h"
#include "ui/Dialogs.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"

namespace {

const char* const kTypeImages[] = {"excommand_small.ico", "normalcommand_small.ico", "systemcommand_small.ico",
                                   "groupcommand_small2.ico"};

// A main folder with the shared user data folder, the shipped pictures and
// a store: メモ帳, the group ツール with 電卓 and 再読込 (a system command),
// and an empty group 空.
class ManagerWindowTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    savedState = EditorState();
    savedPaths = FilePathsInstance();
    fileio::ForceDirectories(main / "Users\\All Users\\Icons");
    WriteTextFile(main / "Users\\UseSameData.ini", "");
    FilePathsInstance().SetMainDir(main.path());
    const std::string shipped = QV_EDITOR_FIXTURES "/../../../dist-data/Files/Icons/";
    for (const char* file : kTypeImages)
      ASSERT_TRUE(CopyFileA((shipped + file).c_str(), (FilePathsInstance().IconsDir + "\\" + file).c_str(), FALSE));
    EditorState().Load(FilePathsInstance());
    TKeyWordManager store(EditorState().ItemsDir, EditorState().MainDir);
    store.NewKeyWord("空", "", kTypeGroup);
    store.NewKeyWord("ツール", "", kTypeGroup);
    store.NewKeyWord("再読込", "ツール", kTypeSystem)->SetComment("設定を読み直す");
    store.NewKeyWord("電卓", "ツール", kTypeCommand)->SetComment("計算");
    auto memo = store.NewKeyWord("メモ帳", "", kTypeCommand);
    memo->SetComment("テキストを書く");
    memo->SetCommand(std::string(QV_VERSION_FIXTURE_EXE));
    store.Save();
  }
  void TearDown() override {
    EditorState() = savedState;
    FilePathsInstance() = savedPaths;
    DialogTest::TearDown();
  }
  // The window shown and in front, the tree with the focus on the node.
  void ShowWithSelected(TRZEditorMain& m, const std::string& path) {
    m.Show();
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == m.Handle(); }));
    m.TreeView1().Focus();
    ASSERT_TRUE(m.FindNode(path));
    m.FindNode(path)->Select();
    Idle();
  }
  void Press(std::vector<WORD> chord) {
    realinput::Chord(chord);
    Drain();
    Idle();
  }
  // Typed at a person's pace, with the idle time that follows.
  void Type(const std::string& script) {
    Keys(script);
    Idle();
  }
  void Click(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    realinput::PointerTo({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    Drain();
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Drain();
    Idle();
  }
  static std::vector<std::string> Names(const std::string& group) {
    TKeyWordManager store(EditorState().ItemsDir, EditorState().MainDir);
    return store.GetNames(group).Items();
  }
  static std::vector<std::string> Paths(TRZEditorMain& m) {
    std::vector<std::string> paths;
    for (ui::TTreeNode* n = m.TreeView1().FirstNode(); n; n = n->GetNext()) paths.push_back(GetNodeKeywordName(n));
    return paths;
  }

  TempDir main;
  TEditorState savedState;
  TFilePaths savedPaths;
};

TEST_F(ManagerWindowTest, TreeHoldsTheStoreInOrderWithThePictureOfEachType) {
  TRZEditorMain m;
  EXPECT_EQ(m.Caption(), "キーワードマネージャ");
  EXPECT_EQ(Paths(m), (std::vector<std::string>{"メモ帳", "ツール", "ツール/電卓", "ツール/再読込", "空"}));
  std::vector<int> images;
  for (ui::TTreeNode* n = m.TreeView1().FirstNode(); n; n = n->GetNext()) images.push_back(n->ImageIndex());
  EXPECT_EQ(images, (std::vector<int>{1, 3, 1, 2, 3}));
  EXPECT_EQ(m.TreeView1().Images()->Count(), 4);
}

TEST_F(ManagerWindowTest, MissingPictureLeavesTheOthersInTheirPlaces) {
  DeleteFileA((FilePathsInstance().IconsDir + "\\normalcommand_small.ico").c_str());
  TRZEditorMain m;
  ui::TTreeNode* memo = m.FindNode("メモ帳");
  ui::TTreeNode* reload = m.FindNode("ツール/再読込");
  ui::TTreeNode* group = m.FindNode("ツール");
  ASSERT_TRUE(memo && reload && group);
  EXPECT_EQ(memo->ImageIndex(), -1);
  EXPECT_EQ(reload->ImageIndex(), 1) << "the system picture, the second one loaded";
  EXPECT_EQ(group->ImageIndex(), 2);
}

TEST_F(ManagerWindowTest, ClickedNodeFillsThePanel) {
  TRZEditorMain m;
  m.Show();
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == m.Handle(); }));
  Drain();
  ui::TTreeNode* calc = m.FindNode("ツール/電卓");
  ASSERT_TRUE(calc);
  calc->MakeVisible();
  Drain();
  const RECT r = calc->DisplayRect(true);
  POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(m.TreeView1().Handle(), &at);
  realinput::PointerTo(at);
  Drain();
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return m.TreeView1().Selected() == calc; }));
  EXPECT_EQ(m.PlaceText().Caption(), "ツール/電卓");
  EXPECT_EQ(m.KindText().Caption(), "通常コマンド");
  EXPECT_EQ(m.CommentText().Caption(), "計算");
  ASSERT_NE(m.CurrentItem(), nullptr);

  m.FindNode("ツール/再読込")->Select();
  Drain();
  EXPECT_EQ(m.KindText().Caption(), "システムコマンド");
  m.FindNode("メモ帳")->Select();
  Drain();
  EXPECT_NE(m.ItemIcon().Icon(), nullptr) << "the program's icon";
  m.FindNode("空")->Select();
  Drain();
  EXPECT_EQ(m.KindText().Caption(), "グループ");
  EXPECT_EQ(m.ItemIcon().Icon(), nullptr) << "the group has no icon file";
  if (ScreenshotsWanted()) {
    m.FindNode("ツール/電卓")->Select();
    Shot(m, "editor-manager");
  }
  m.Close();
}

TEST_F(ManagerWindowTest, PlacementComesFromDialogsIniAndGoesBackAtClose) {
  TStringIni& dialogs = EditorState().Dialogs;
  dialogs.WriteInteger("Manager_X", 40);
  dialogs.WriteInteger("Manager_Y", 30);
  dialogs.WriteInteger("Manager_Width", 500);
  dialogs.WriteInteger("Manager_Height", 520);
  {
    TRZEditorMain m;
    const RECT r = m.Bounds();
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 520);
    m.Show();
    Drain();
    m.SetBounds(60, 70, 480, 510);
    m.Close();
    Drain();
  }
  EXPECT_EQ(dialogs.ReadInteger("Manager_X", 0), 60);
  EXPECT_EQ(dialogs.ReadInteger("Manager_Y", 0), 70);
  EXPECT_EQ(dialogs.ReadInteger("Manager_Width", 0), 480);
  EXPECT_EQ(dialogs.ReadInteger("Manager_Height", 0), 510);
}

TEST_F(ManagerWindowTest, WithoutPlacementTheDesignSizeIsCentred) {
  TRZEditorMain m;
  const RECT r = m.Bounds();
  EXPECT_EQ(r.right - r.left, m.Scale(458));
  EXPECT_EQ(r.bottom - r.top, m.Scale(494));
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
}

// The window's own top-most band is not checked: Wine keeps a window owned
// by the hidden application window out of it.
TEST_F(ManagerWindowTest, TopMostFromDialogsIniAndTheToggleWritesItBack) {
  EditorState().Dialogs.WriteInteger("TopMost", 1);
  TRZEditorMain m;
  EXPECT_TRUE(m.ZOrderAction().Checked());
  m.ZOrderAction().Execute();
  EXPECT_FALSE(m.ZOrderAction().Checked());
  EXPECT_EQ(EditorState().Dialogs.ReadInteger("TopMost", -1), 0);
  m.ZOrderAction().Execute();
  EXPECT_EQ(EditorState().Dialogs.ReadInteger("TopMost", -1), 1);
}

TEST_F(ManagerWindowTest, DelDeletesTheKeywordAndApplyWritesTheStore) {
  std::vector<std::string> asked;
  EditorState().DeleteItem = [&](ui::TAction*, TKeyWordManager& manager, const std::string& path) {
    asked.push_back(path);
    manager.FindKeyWord(path)->Delete();
    return true;
  };
  TRZEditorMain m;
  ShowWithSelected(m, "ツール/電卓");
  EXPECT_FALSE(m.ApplyAction().Enabled());
  Type("{Del}");
  EXPECT_EQ(asked, std::vector<std::string>{"ツール/電卓"});
  EXPECT_EQ(m.FindNode("ツール/電卓"), nullptr);
  EXPECT_TRUE(m.Modified());
  EXPECT_TRUE(m.ApplyAction().Enabled());
  EXPECT_EQ(Names("ツール"), (std::vector<std::string>{"電卓", "再読込"})) << "nothing written before Apply";
  Click(m.Control("ApplyButton").Handle());
  EXPECT_FALSE(m.Modified());
  EXPECT_EQ(Names("ツール"), std::vector<std::string>{"再読込"});
  m.Close();
}

TEST_F(ManagerWindowTest, DelInALabelEditIsTheEditsOwn) {
  std::vector<std::string> asked;
  EditorState().DeleteItem = [&](ui::TAction*, TKeyWordManager&, const std::string& path) {
    asked.push_back(path);
    return false;
  };
  TRZEditorMain m;
  ShowWithSelected(m, "ツール/電卓");
  Press({VK_F2});
  ASSERT_TRUE(m.TreeView1().IsEditing());
  Keys("{Home}{Del}");
  EXPECT_TRUE(asked.empty());
  EXPECT_TRUE(m.TreeView1().IsEditing());
  Keys("{Esc}");
  EXPECT_EQ(m.FindNode("ツール/電卓")->Text(), "電卓") << "the edit was cancelled";
  m.Close();
}

TEST_F(ManagerWindowTest, AltAndCtrlWithArrowsMoveTheKeywordInItsGroup) {
  TRZEditorMain m;
  ShowWithSelected(m, "メモ帳");
  Press({VK_MENU, VK_DOWN});
  EXPECT_EQ(Paths(m), (std::vector<std::string>{"ツール", "ツール/電卓", "ツール/再読込", "メモ帳", "空"}));
  Press({VK_CONTROL, VK_DOWN});
  EXPECT_EQ(Paths(m), (std::vector<std::string>{"ツール", "ツール/電卓", "ツール/再読込", "空", "メモ帳"}));
  EXPECT_FALSE(m.DownNode().Enabled()) << "the last one";
  Press({VK_MENU, VK_UP});
  EXPECT_EQ(Paths(m), (std::vector<std::string>{"ツール", "ツール/電卓", "ツール/再読込", "メモ帳", "空"}));
  EXPECT_TRUE(m.Modified());
  ASSERT_EQ(m.TreeView1().Selected(), m.FindNode("メモ帳"));
  m.ApplyActionExecute();
  EXPECT_EQ(Names(""), (std::vector<std::string>{"ツール", "メモ帳", "空"}));
  m.Close();
}

TEST_F(ManagerWindowTest, RenameRefusesForbiddenCharactersAndMakesTheNameUnique) {
  std::vector<std::string> boxes;
  auto old = ui::SetMessageBoxHandler([&](const ui::TMessageBoxRequest& r) {
    boxes.push_back(r.Text);
    return IDOK;
  });
  TRZEditorMain m;
  ShowWithSelected(m, "ツール/電卓");
  Press({VK_F2});
  Type("a b{Enter}");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "!\\/:,;<>*?\"<>半角スペース|%  は使用することができません");
  EXPECT_EQ(m.FindNode("ツール/電卓")->Text(), "電卓");
  EXPECT_FALSE(m.Modified());

  Press({VK_F2});
  Type("x{Enter}");
  ASSERT_TRUE(m.FindNode("ツール/x"));
  EXPECT_EQ(m.PlaceText().Caption(), "ツール/x");
  m.FindNode("ツール/再読込")->Select();
  Idle();
  Press({VK_F2});
  Type("x{Enter}");
  EXPECT_TRUE(m.FindNode("ツール/x(0)")) << testing::PrintToString(Paths(m));
  EXPECT_TRUE(m.Modified());
  ui::SetMessageBoxHandler(old);
  m.Close();
}

TEST_F(ManagerWindowTest, F1OpensTheManagersHelpPageOrSaysItIsMissing) {
  std::vector<ui::TMessageBoxRequest> boxes;
  auto old = ui::SetMessageBoxHandler([&](const ui::TMessageBoxRequest& r) {
    boxes.push_back(r);
    return IDOK;
  });
  struct TRecorder : IShellStarter {
    std::vector<std::string> opened;
    bool Start(SHELLEXECUTEINFOA& s) override {
      opened.push_back(s.lpFile);
      return true;
    }
  } shell;
  TRZEditorMain m;
  m.Shell = &shell;
  ShowWithSelected(m, "メモ帳");
  const std::string page = EditorState().MainDir + "Files\\doc\\window\\manager.html";
  Press({VK_F1});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "ヘルプが見つかりません " + page);
  EXPECT_EQ(boxes[0].Caption, "quorvane");
  fileio::ForceDirectories(main / "Files\\doc\\window");
  WriteTextFile(page, "<html></html>");
  Press({VK_F1});
  EXPECT_EQ(shell.opened, std::vector<std::string>{page});
  EXPECT_EQ(boxes.size(), 1u);
  ui::SetMessageBoxHandler(old);
  m.Close();
}

// Another instance's start: a request with a data word runs; only a request
// that asks for it, or a record without text to read, brings the window up.
TEST_F(ManagerWindowTest, CopyDataRunsRequestsAndShowsTheWindow) {
  std::vector<std::string> requests;
  bool answer = false;
  TRZEditorMain m([&](TStringIni& request) {
    requests.push_back(request.Lines.GetText());
    return answer;
  });
  TestWindow other;
  ui::SendCopyData(m.Handle(), other.hwnd, 1, "Action=Select\r\nKeyWord=ツール/電卓");
  ui::SendCopyData(m.Handle(), other.hwnd, 1, "");
  EXPECT_FALSE(m.Visible()) << "no request asked for the window";
  answer = true;
  ui::SendCopyData(m.Handle(), other.hwnd, 1, "Action=Edit");
  EXPECT_TRUE(m.Visible());
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0], "Action=Select\r\nKeyWord=ツール/電卓\r\n");
  EXPECT_EQ(requests[1], "");
  m.Hide();
  ui::SendCopyData(m.Handle(), other.hwnd, 0, "", ui::TCopyDataEnd::NoNul);
  EXPECT_TRUE(m.Visible()) << "the version-style record only shows it";
  EXPECT_EQ(requests.size(), 3u);
}

// ---------------------------------------------------------------------------
// Requests while the window is open: they work on its tree and its unsaved
// store; nothing is written before Apply.

class ManagerRequestTest : public ManagerWindowTest {
 protected:
  void SetUp() override {
    ManagerWindowTest::SetUp();
    previousBox = ui::SetMessageBoxHandler([this](const ui::TMessageBoxRequest& r) {
      boxes.push_back(r.Text);
      return IDYES;
    });
  }
  void TearDown() override {
    ui::SetMessageBoxHandler(previousBox);
    ManagerWindowTest::TearDown();
  }
  static bool Run(std::initializer_list<std::pair<const char*, std::string>> values) {
    TStringIni r;
    for (const auto& [key, value] : values) r.WriteString(key, value);
    return ExecuteParamAction(r);
  }
  ui::TMessageBoxHandler previousBox;
  std::vector<std::string> boxes;
};

TEST_F(ManagerRequestTest, SelectAndDeleteWorkOnTheTree) {
  TRZEditorMain m;
  ShowWithSelected(m, "メモ帳");
  Run({{"Action", "Select"}, {"Keyword", "無い"}});
  EXPECT_EQ(boxes, std::vector<std::string>{"該当するキーワードはありません  無い"});
  EXPECT_EQ(GetNodeKeywordName(m.TreeView1().Selected()), "メモ帳") << "the selection stays";

  Run({{"Action", "Select"}, {"Keyword", "ツール/電卓"}});
  EXPECT_EQ(GetNodeKeywordName(m.TreeView1().Selected()), "ツール/電卓");
  EXPECT_EQ(m.CurrentItem()->GetComment(), "計算");

  boxes.clear();
  Run({{"Action", "Delete"}, {"Keyword", "ツール/再読込"}});
  EXPECT_EQ(boxes.size(), 1u) << "asked once";
  EXPECT_EQ(m.FindNode("ツール/再読込"), nullptr);
  EXPECT_TRUE(m.Modified());
  EXPECT_EQ(Names("ツール"), (std::vector<std::string>{"電卓", "再読込"})) << "nothing written before Apply";
  EXPECT_EQ(EditorState().NewItem, "%All") << "the next save reloads everything";
  m.Close();
}

TEST_F(ManagerRequestTest, NewWithoutADialogGoesNextToTheSelection) {
  TRZEditorMain m;
  ShowWithSelected(m, "ツール/電卓");
  Run({{"Action", "New"}, {"Keyword", "追加"}, {"Command", "x.exe"}, {"ShowDialog", "0"}});
  EXPECT_EQ(Paths(m), (std::vector<std::string>{"メモ帳", "ツール", "ツール/追加", "ツール/電卓", "ツール/再読込", "空"}));
  EXPECT_EQ(GetNodeKeywordName(m.TreeView1().Selected()), "ツール/追加");
  EXPECT_EQ(m.Manager().GetNames("ツール").Items(), (std::vector<std::string>{"追加", "電卓", "再読込"}));
  EXPECT_TRUE(m.Modified());
  EXPECT_FALSE(EditorState().Busy);
  m.Close();
}

TEST_F(ManagerRequestTest, ACancelledKindDialogPlacesNothing) {
  TRZEditorMain m;
  ShowWithSelected(m, "メモ帳");
  const auto before = Paths(m);
  bool asked = false;
  auto modal = app->OnModal.Add([&](ui::TForm& f) {
    asked = true;
    PumpUntil([&] { return GetForegroundWindow() == f.Handle(); });
    Keys("{Esc}");
  });
  Press({VK_CONTROL, 'N'});
  EXPECT_TRUE(asked);
  EXPECT_EQ(Paths(m), before);
  EXPECT_FALSE(m.Modified());
  EXPECT_FALSE(EditorState().Busy);
  m.Close();
}

TEST_F(ManagerRequestTest, EditWithACommandPutsTheLinesBackWhenCancelled) {
  TRZEditorMain m;
  ShowWithSelected(m, "メモ帳");
  const auto before = m.Manager().FindKeyWord("メモ帳")->Data()->Lines.Items();
  auto modal = app->OnModal.Add([&](ui::TForm& f) {
    PumpUntil([&] { return GetForegroundWindow() == f.Handle(); });
    Keys("{Esc}");
  });
  Run({{"Action", "Edit"}, {"Keyword", "メモ帳"}, {"Command", "C:\\windows"}});
  EXPECT_FALSE(m.EditConfirmed());
  EXPECT_EQ(m.Manager().FindKeyWord("メモ帳")->Data()->Lines.Items(), before);
  m.Close();
}

TEST_F(ManagerRequestTest, GroupActionMakesTheItemAGroupOfItself) {
  TRZEditorMain m;
  ShowWithSelected(m, "ツール/電卓");
  m.ChangeToGroup().Execute();
  EXPECT_EQ(Paths(m), (std::vector<std::string>{"メモ帳", "ツール", "ツール/電卓", "ツール/電卓/電卓", "ツール/再読込", "空"}));
  EXPECT_EQ(m.CurrentItem()->GetType(), kTypeGroup);
  EXPECT_EQ(m.Manager().FindKeyWord("ツール/電卓/電卓")->GetComment(), "計算");
  Idle();
  EXPECT_FALSE(m.ChangeToGroup().Enabled()) << "a group is no item to group";
  m.ChangeToGroupExecute();
  EXPECT_EQ(boxes, std::vector<std::string>{"そのキーワードはすでにグループです  ツール/電卓"});
  m.Close();
}

// ---- Tree operations

// The store of the window tests with one more keyword, ブラウザ, last in the
// root: メモ帳, ツール {電卓, 再読込}, 空, ブラウザ.
class ManagerTreeTest : public ManagerWindowTest {
 protected:
  void SetUp() override {
    ManagerWindowTest::SetUp();
    TKeyWordManager store(EditorState().ItemsDir, EditorState().MainDir);
    store.NewKeyWord("ブラウザ", "", kTypeCommand)->SetIndex(3);
    store.Save();
  }
  // The store's keywords in the window's own cache, depth first as the tree.
  static std::vector<std::string> StorePaths(TRZEditorMain& m, const std::string& group = "") {
    std::vector<std::string> paths;
    for (const std::unique_ptr<TKeyWordX>& item : m.Manager().GetKeyWords(group)) {
      paths.push_back(item->GetKeyWord());
      if (item->GetType() == kTypeGroup)
        for (const std::string& p : StorePaths(m, item->GetKeyWord())) paths.push_back(p);
    }
    return paths;
  }
  POINT LabelPoint(ui::TTreeNode* n) {
    n->MakeVisible();
    Drain();
    const RECT r = n->DisplayRect(true);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // A drag with the left button from one keyword's label onto another's.
  void Drag(TRZEditorMain& m, const std::string& from, const std::string& to) {
    ui::TTreeView& tree = m.TreeView1();
    const POINT start = LabelPoint(m.FindNode(from));
    MouseTo(tree.Handle(), start.x, start.y);
    Drain();
    Button(true);
    // The control waits in its button-down for the mouse to move far enough.
    for (int d = 2; d <= 12; d += 2) MouseTo(tree.Handle(), start.x + d, start.y + d);
    Drain();
    ASSERT_TRUE(PumpUntil([&] { return tree.Dragging(); }));
    const POINT over = LabelPoint(m.FindNode(to));
    MouseTo(tree.Handle(), over.x, over.y);
    Drain();
    Button(false);
    Drain();
    Idle();
  }
  void Pick(TRZEditorMain& m, const std::string& path) {
    ASSERT_TRUE(m.FindNode(path)) << path;
    m.FindNode(path)->Select();
    Idle();
  }
};

struct TDragCase {
  const char* Name;
  const char* From;
  const char* To;
  std::vector<std::string> After;
  const char* Moved;  // the moved keyword's new path, selected
};

// Among siblings a drag down lands after the target and up before it; from
// another group it lands before the target whatever the places; onto a group
// it becomes the first member.
TEST_F(ManagerTreeTest, DragMovesTheKeywordWhereItWasDropped) {
  const TDragCase cases[] = {
      {"sibling down", "メモ帳", "ブラウザ", {"ツール", "ツール/電卓", "ツール/再読込", "空", "ブラウザ", "メモ帳"}, "メモ帳"},
      {"sibling up", "ブラウザ", "メモ帳", {"ブラウザ", "メモ帳", "ツール", "ツール/電卓", "ツール/再読込", "空"}, "ブラウザ"},
      {"other group", "ツール/電卓", "ブラウザ", {"メモ帳", "ツール", "ツール/再読込", "空", "電卓", "ブラウザ"}, "電卓"},
      {"other group up", "ツール/再読込", "メモ帳", {"再読込", "メモ帳", "ツール", "ツール/電卓", "空", "ブラウザ"}, "再読込"},
      {"onto a group", "メモ帳", "ツール", {"ツール", "ツール/メモ帳", "ツール/電卓", "ツール/再読込", "空", "ブラウザ"},
       "ツール/メモ帳"},
      {"onto an empty group", "ブラウザ", "空", {"メモ帳", "ツール", "ツール/電卓", "ツール/再読込", "空", "空/ブラウザ"},
       "空/ブラウザ"},
  };
  for (const TDragCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRZEditorMain m;
    ShowWithSelected(m, "メモ帳");
    Drag(m, c.From, c.To);
    EXPECT_EQ(Paths(m), c.After);
    EXPECT_EQ(StorePaths(m), c.After) << "the store as the tree";
    ASSERT_TRUE(m.TreeView1().Selected());
    EXPECT_EQ(GetNodeKeywordName(m.TreeView1().Selected()), c.Moved);
    EXPECT_EQ(m.PlaceText().Caption(), c.Moved);
    EXPECT_TRUE(m.Modified());
    m.Close();
  }
}

TEST_F(ManagerTreeTest, WhileDraggingTheNodeUnderThePointerIsSelectedAndOpened) {
  TRZEditorMain m;
  ShowWithSelected(m, "メモ帳");
  ui::TTreeView& tree = m.TreeView1();
  ui::TTreeNode* tools = m.FindNode("ツール");
  const POINT start = LabelPoint(tools);
  tools->Expand();
  MouseTo(tree.Handle(), start.x, start.y);
  Drain();
  Button(true);
  for (int d = 2; d <= 12; d += 2) MouseTo(tree.Handle(), start.x + d, start.y + d);
  Drain();
  ASSERT_TRUE(PumpUntil([&] { return tree.Dragging(); }));
  EXPECT_FALSE(tools->Expanded()) << "the dragged group closes";
  POINT over = LabelPoint(m.FindNode("ブラウザ"));
  MouseTo(tree.Handle(), over.x, over.y);
  Drain();
  EXPECT_EQ(tree.Selected(), m.FindNode("ブラウザ"));
  EXPECT_EQ(m.PlaceText().Caption(), "ブラウザ");
  Keys("{Esc}");
  Button(false);
  Drain();
  EXPECT_EQ(Paths(m), (std::vector<std::string>{"メモ帳", "ツール", "ツール/電卓", "ツール/再読込", "空", "ブラウザ"}));
  EXPECT_FALSE(m.Modified());

  // Over a closed group the group opens.
  tools->Collapse();
  const POINT memo = LabelPoint(m.FindNode("メモ帳"));
  MouseTo(tree.Handle(), memo.x, memo.y);
  Drain();
  Button(true);
  for (int d = 2; d <= 12; d += 2) MouseTo(tree.Handle(), memo.x + d, memo.y + d);
  Drain();
  ASSERT_TRUE(PumpUntil([&] { return tree.Dragging(); }));
  over = LabelPoint(tools);
  MouseTo(tree.Handle(), over.x, over.y);
  Drain();
  EXPECT_TRUE(tools->Expanded());
  Keys("{Esc}");
  Button(false);
  Drain();
  m.Close();
}

TEST_F(ManagerTreeTest, PasteOfACopyCopiesTheKeywordBeforeTheTargetOrIntoAGroup) {
  TRZEditorMain m;
  ShowWithSelected(m, "メモ帳");
  EXPECT_FALSE(m.PasteNode().Enabled()) << "nothing copied";
  Press({VK_CONTROL, 'C'});
  EXPECT_EQ(m.CopiedNode(), m.FindNode("メモ帳"));
  EXPECT_FALSE(m.PasteNode().Enabled()) << "onto itself";
  Pick(m, "ツール/再読込");
  Press({VK_CONTROL, 'V'});
  Pick(m, "空");
  Press({VK_CONTROL, 'V'});
  const std::vector<std::string> after = {"メモ帳", "ツール", "ツール/電卓", "ツール/メモ帳", "ツール/再読込",
                                          "空", "空/メモ帳", "ブラウザ"};
  EXPECT_EQ(Paths(m), after);
  EXPECT_EQ(StorePaths(m), after);
  EXPECT_EQ(GetNodeKeywordName(m.TreeView1().Selected()), "空/メモ帳");
  EXPECT_EQ(m.FindNode("空/メモ帳")->ImageIndex(), 1);
  EXPECT_TRUE(m.Modified());

  // A group comes with its contents, its name made unique beside itself.
  Pick(m, "ツール");
  Press({VK_CONTROL, 'C'});
  Pick(m, "ブラウザ");
  Press({VK_CONTROL, 'V'});
  const std::vector<std::string> groups = {"メモ帳", "ツール", "ツール/電卓", "ツール/メモ帳", "ツール/再読込", "空",
                                           "空/メモ帳", "ツール(0)", "ツール(0)/電卓", "ツール(0)/メモ帳",
                                           "ツール(0)/再読込", "ブラウザ"};
  EXPECT_EQ(Paths(m), groups);
  EXPECT_EQ(StorePaths(m), groups);
  Pick(m, "ツール/電卓");
  EXPECT_FALSE(m.PasteNode().Enabled()) << "into the copied group itself";
  m.Close();
}

TEST_F(ManagerTreeTest, PasteOfACutKeywordMovesItAndNeverIntoItself) {
  TRZEditorMain m;
  ShowWithSelected(m, "ツール");
  Press({VK_CONTROL, 'X'});
  ui::TTreeNode* tools = m.FindNode("ツール");
  EXPECT_EQ(m.CutNodeMark(), tools);
  EXPECT_TRUE(tools->Cut()) << "shown greyed";
  tools->Expand();
  for (const char* inside : {"ツール", "ツール/電卓"}) {
    Pick(m, inside);
    EXPECT_FALSE(m.PasteNode().Enabled()) << inside;
  }
  // Copying takes the cut mark away; cutting again puts it back.
  Press({VK_CONTROL, 'C'});
  EXPECT_FALSE(m.FindNode("ツール/電卓")->Cut() || tools->Cut());
  Pick(m, "ツール");
  Press({VK_CONTROL, 'X'});
  EXPECT_EQ(m.CopiedNode(), nullptr);
  Pick(m, "ブラウザ");
  ASSERT_TRUE(m.PasteNode().Enabled());
  Press({VK_CONTROL, 'V'});
  const std::vector<std::string> after = {"メモ帳", "空", "ブラウザ", "ツール", "ツール/電卓", "ツール/再読込"};
  EXPECT_EQ(Paths(m), after);
  EXPECT_EQ(StorePaths(m), after);
  EXPECT_EQ(m.CutNodeMark(), nullptr);
  EXPECT_FALSE(m.FindNode("ツール")->Cut());
  EXPECT_FALSE(m.PasteNode().Enabled()) << "a cut keyword is pasted once";
  m.Close();
}

struct TSortCase {
  const char* Name;
  const char* Selected;
  bool ByType;
  std::vector<std::string> After;
};

// The selected group is sorted, else the selected keyword's group, else the
// root; what was open stays open.
TEST_F(ManagerTreeTest, SortOrdersTheGroupOfTheSelection) {
  const TSortCase cases[] = {
      {"by type at the root", "メモ帳", true, {"ツール", "ツール/電卓", "ツール/再読込", "空", "メモ帳", "ブラウザ"}},
      {"by name at the root", "ブラウザ", false, {"ツール", "ツール/電卓", "ツール/再読込", "ブラウザ", "メモ帳", "空"}},
      {"by type inside a group", "ツール/電卓", true, {"メモ帳", "ツール", "ツール/再読込", "ツール/電卓", "空", "ブラウザ"}},
      {"by type of the selected group", "ツール", true, {"メモ帳", "ツール", "ツール/再読込", "ツール/電卓", "空", "ブラウザ"}},
  };
  for (const TSortCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRZEditorMain m;
    ShowWithSelected(m, c.Selected);
    m.FindNode("ツール")->Expand();
    (c.ByType ? m.SortByType() : m.SortByName()).Execute();
    EXPECT_EQ(Paths(m), c.After);
    EXPECT_EQ(StorePaths(m), c.After);
    EXPECT_TRUE(m.FindNode("ツール")->Expanded());
    ASSERT_TRUE(m.TreeView1().Selected());
    EXPECT_EQ(GetNodeKeywordName(m.TreeView1().Selected()), c.Selected);
    EXPECT_TRUE(m.Modified());
    m.Close();
  }
}

// A mark on a node that goes is dropped; one on a node that is moved or
// rebuilt stays with its keyword. Paste then never reaches a freed node.
TEST_F(ManagerTreeTest, MarksFollowTheirKeywordOrGoWithIt) {
  EditorState().DeleteItem = [](ui::TAction*, TKeyWordManager& manager, const std::string& path) {
    manager.FindKeyWord(path)->Delete();
    return true;
  };
  {
    SCOPED_TRACE("the group of the copied keyword deleted");
    TRZEditorMain m;
    ShowWithSelected(m, "ツール/電卓");
    Press({VK_CONTROL, 'C'});
    Pick(m, "ツール");
    Type("{Del}");
    EXPECT_EQ(m.CopiedNode(), nullptr);
    Pick(m, "ブラウザ");
    EXPECT_FALSE(m.PasteNode().Enabled());
    Press({VK_CONTROL, 'V'});
    EXPECT_EQ(Paths(m), (std::vector<std::string>{"メモ帳", "空", "ブラウザ"}));
    m.Close();
  }
  {
    SCOPED_TRACE("the group of the cut keyword sorted");
    TRZEditorMain m;
    ShowWithSelected(m, "ツール/電卓");
    Press({VK_CONTROL, 'X'});
    m.SortByType().Execute();
    ASSERT_NE(m.CutNodeMark(), nullptr);
    EXPECT_EQ(m.CutNodeMark(), m.FindNode("ツール/電卓"));
    EXPECT_TRUE(m.CutNodeMark()->Cut());
    Pick(m, "空");
    Press({VK_CONTROL, 'V'});
    EXPECT_EQ(StorePaths(m), (std::vector<std::string>{"メモ帳", "ツール", "ツール/再読込", "空", "空/電卓", "ブラウザ"}));
    m.Close();
  }
  {
    SCOPED_TRACE("the group of the copied keyword dragged");
    TRZEditorMain m;
    ShowWithSelected(m, "ツール/電卓");
    Press({VK_CONTROL, 'C'});
    Drag(m, "ツール", "空");
    EXPECT_EQ(m.CopiedNode(), m.FindNode("空/ツール/電卓"));
    Pick(m, "ブラウザ");
    Press({VK_CONTROL, 'V'});
    EXPECT_EQ(StorePaths(m), (std::vector<std::string>{"メモ帳", "空", "空/ツール", "空/ツール/電卓", "空/ツール/再読込",
                                                       "電卓", "ブラウザ"}));
    m.Close();
  }
}

// A right click selects the keyword under the pointer and opens the menu
// there, its entries enabled as their actions are.
TEST_F(ManagerTreeTest, RightClickSelectsAndTheMenuRunsTheChosenAction) {
  TRZEditorMain m;
  ShowWithSelected(m, "メモ帳");
  ui::TMenuItem* copy = m.TreeMenu().Items().Find("コピー");
  ui::TMenuItem* paste = m.TreeMenu().Items().Find("貼り付け");
  ASSERT_TRUE(copy && paste);
  EXPECT_TRUE(m.TreeMenu().Items().Find("編集")->Default());
  std::vector<bool> pasteEnabled;
  auto old = ui::SetTrackMenuHandler([&](const ui::TTrackMenuRequest& r) -> UINT {
    pasteEnabled.push_back((GetMenuState(r.Menu, paste->Command(), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0);
    return copy->Command();
  });
  const POINT at = LabelPoint(m.FindNode("ブラウザ"));
  MouseTo(m.TreeView1().Handle(), at.x, at.y);
  Drain();
  Button(true, true);
  Button(false, true);
  ASSERT_TRUE(PumpUntil([&] { return !pasteEnabled.empty(); }));
  Drain();
  EXPECT_EQ(m.CopiedNode(), m.FindNode("ブラウザ")) << "the clicked keyword was copied";
  EXPECT_EQ(m.PlaceText().Caption(), "ブラウザ");
  EXPECT_FALSE(pasteEnabled[0]);
  ui::SetTrackMenuHandler(old);
  m.Close();
}

// While a label is edited its keys are its own: the clipboard keys and Enter
// reach the edit, not the window's actions.
TEST_F(ManagerTreeTest, ClipboardKeysBelongToALabelEdit) {
  TRZEditorMain m;
  ShowWithSelected(m, "ブラウザ");
  EXPECT_EQ(m.CopyNode().ShortCut(), 'C' | 0x4000);
  EXPECT_EQ(m.OKAction().ShortCut(), VK_RETURN);
  Press({VK_F2});
  ASSERT_TRUE(m.TreeView1().IsEditing());
  EXPECT_EQ(m.CopyNode().ShortCut(), 0);
  EXPECT_EQ(m.PasteNode().ShortCut(), 0);
  EXPECT_EQ(m.OKAction().ShortCut(), 0);
  Press({VK_CONTROL, 'X'});
  EXPECT_EQ(m.CutNodeMark(), nullptr);
  Keys("{Esc}");
  Idle();
  EXPECT_EQ(m.CutNode().ShortCut(), 'X' | 0x4000);
  EXPECT_TRUE(m.Visible());
  m.Close();
}

// The buttons keep their own captions with the access keys and are enabled as
// their actions are.
TEST_F(ManagerTreeTest, ButtonsKeepTheirCaptionsAndFollowTheirActions) {
  TRZEditorMain m;
  m.Show();
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == m.Handle(); }));
  m.TreeView1().SetSelected(nullptr);
  Idle();
  EXPECT_EQ(m.Control("NewButton").Caption(), "新規作成(&N)");
  EXPECT_EQ(m.Control("EditButton").Caption(), "編集(&E)");
  EXPECT_EQ(m.Control("DeleteButton").Caption(), "削除(&D)");
  EXPECT_FALSE(IsWindowEnabled(m.Control("DeleteButton").Handle())) << "nothing selected";
  EXPECT_TRUE(IsWindowEnabled(m.Control("NewButton").Handle()));
  Pick(m, "メモ帳");
  EXPECT_TRUE(IsWindowEnabled(m.Control("DeleteButton").Handle()));
  EXPECT_TRUE(IsWindowEnabled(m.Control("EditButton").Handle()));
  m.Close();
}

}  // namespace
