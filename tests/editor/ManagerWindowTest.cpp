// The keyword manager window on a store of Japanese groups: the tree with its
// pictures, the panel of the selected keyword, the placement kept in
// Dialogs.ini and the requests of other instances.
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

}  // namespace
