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

}  // namespace
