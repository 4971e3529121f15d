// The new-item kind dialog for real under Wine: the tree of kinds walked with
// keys and double clicks through SendInput, the help box read back, and the
// template handed out on OK.
#include "editor/USelectCommand.h"

#include <gtest/gtest.h>

#include "core/File_Paths.h"
#include "editor/TreeViewUtils.h"
#include "editor/UEditSysCommand2_Table.h"
#include "editor/USelectCommand_Templates.h"
#include "tests/editor/DialogFixture.h"
#include "ui/Memo.h"
#include "ui/TreeView.h"

namespace {

std::vector<std::string> KeyNames(const TStringIni& t) {
  std::vector<std::string> keys;
  for (int i = 0; i < t.Lines.Count(); ++i) keys.push_back(t.GetName(i));
  return keys;
}

class SelectCommandTest : public DialogTest {
 protected:
  std::unique_ptr<TStringIni> Run(TSelectCommand& d, const std::function<void()>& act, const std::string& suffix = "") {
    return RunModal(d, act, [&] { return d.Execute(nullptr, suffix, "C:\\"); });
  }
  int TemplatesLeft(TSelectCommand& d) {
    int left = 0;
    for (ui::TTreeNode* n = d.Tree().FirstNode(); n; n = n->GetNext()) left += n->HasData();
    return left;
  }
  std::vector<std::string> Paths(TSelectCommand& d) {
    std::vector<std::string> paths;
    for (ui::TTreeNode* n = d.Tree().FirstNode(); n; n = n->GetNext()) paths.push_back(GetNodeKeywordName(n));
    return paths;
  }
  static POINT LabelCenter(ui::TTreeNode* node) {
    const RECT r = node->DisplayRect(true);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
};

TEST_F(SelectCommandTest, TheTreeHoldsEveryKindInOrderWithItsImage) {
  TSelectCommand d(&form);
  std::vector<std::string> paths;
  std::vector<int> images;
  std::string caption;
  bool okEnabled = true, okWhenSelected = false;
  auto chosen = Run(d, [&] {
    paths = Paths(d);
    for (ui::TTreeNode* n = d.Tree().FirstNode(); n; n = n->GetNext()) images.push_back(n->ImageIndex());
    caption = d.Caption();
    // Wine's tree selects its first node when it gets the focus.
    d.Tree().SetSelected(nullptr);
    Idle();
    okEnabled = d.OKAction().Enabled();
    d.Tree().FirstNode()->Select();
    Idle();
    okWhenSelected = d.OKAction().Enabled();
  });
  std::vector<std::string> expected;
  std::vector<int> expectedImages;
  for (const TKindTemplate& k : KindTemplates()) {
    expected.push_back(k.Path);
    expectedImages.push_back(k.Image);
  }
  EXPECT_EQ(paths, expected);
  EXPECT_EQ(images, expectedImages);
  EXPECT_EQ(caption, "新規作成 - 種類を選択");
  EXPECT_FALSE(okEnabled) << "no node chosen";
  EXPECT_TRUE(okWhenSelected);
  EXPECT_EQ(chosen, nullptr);
  EXPECT_EQ(TemplatesLeft(d), 0);
}

// The kinds' pictures come from the user's icon folder, as shipped; one that
// is missing is left out.
TEST_F(SelectCommandTest, ThePicturesComeFromTheUserIconFolder) {
  TempDir icons;
  const std::string shipped = QV_EDITOR_FIXTURES "/../../../dist-data/Files/Icons/";
  for (const char* file : {"excommand_small.ico", "normalcommand_small.ico", "systemcommand_small.ico", "groupcommand_small2.ico"})
    ASSERT_TRUE(CopyFileA((shipped + file).c_str(), (icons / file).c_str(), FALSE)) << file;
  const std::string old = FilePathsInstance().IconsDir;
  FilePathsInstance().IconsDir = icons.path();
  TSelectCommand all(&form);
  DeleteFileA((icons / "systemcommand_small.ico").c_str());
  TSelectCommand three(&form);
  FilePathsInstance().IconsDir = old;
  EXPECT_EQ(all.Images().Count(), 4);
  EXPECT_EQ(three.Images().Count(), 3);
}

TEST_F(SelectCommandTest, KeysChooseTheManagerActionAndItsTemplateComesOutWithoutHelpOrPath) {
  TSelectCommand d(&form);
  std::string help;
  auto chosen = Run(d, [&] {
    d.Tree().Focus();
    // From the top: システムコマンド, open it, its third action.
    Keys("{Home}{Down}{Right}{Down}{Down}{Down}");
    help = d.HelpBox().Text();
    Keys("{Enter}");
  });
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(help, std::string(SysCommands[2].Description));
  EXPECT_EQ(KeyNames(*chosen), (std::vector<std::string>{"Type", "Icon", "IIndex", "CommandIndex", "Comment"}));
  EXPECT_EQ(chosen->ReadInteger("Type", -1), 2);
  EXPECT_EQ(chosen->ReadString("Icon", ""), "%IconDir\\systemkeyword.ico");
  EXPECT_EQ(chosen->ReadInteger("IIndex", -1), 0);
  EXPECT_EQ(chosen->ReadInteger("CommandIndex", -1), 8);
  EXPECT_EQ(chosen->ReadString("Comment", ""), "【キーワードマネージャ】");
  EXPECT_EQ(TemplatesLeft(d), 0) << "the others went with the dialog";
}

TEST_F(SelectCommandTest, EachKindGivesItsTemplate) {
  const std::vector<TKindTemplate> kinds = KindTemplates();
  for (const TKindTemplate& kind : kinds) {
    SCOPED_TRACE(kind.Path);
    TSelectCommand d(&form);
    std::string help;
    auto chosen = Run(d, [&] {
      ui::TTreeNode* node = FindTreeNode(kind.Path, d.Tree(), false);
      ASSERT_NE(node, nullptr);
      d.Tree().Focus();
      node->Select();
      Drain();
      help = d.HelpBox().Text();
      Keys("{Enter}");
    });
    ASSERT_NE(chosen, nullptr);
    TStringIni expected = kind.Data;
    EXPECT_EQ(help, expected.ReadString("Help", "?"));
    expected.DeleteKey("Help");
    expected.DeleteKey("Path");
    EXPECT_EQ(chosen->Lines, expected.Lines);
  }
}

TEST_F(SelectCommandTest, TheSystemCommandNodeGivesATemplateWithoutAnAction) {
  TSelectCommand d(&form);
  auto chosen = Run(d, [&] {
    d.Tree().Focus();
    Keys("{Home}{Down}{Enter}");
  });
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->ReadInteger("Type", -1), 2);
  EXPECT_FALSE(chosen->ValueExists("CommandIndex"));
  EXPECT_FALSE(chosen->ValueExists("Comment"));
}

TEST_F(SelectCommandTest, CancelAndTheCloseBoxGiveNothingAndLeaveNoTemplate) {
  for (const char* how : {"cancel", "close"}) {
    SCOPED_TRACE(how);
    TSelectCommand d(&form);
    auto chosen = Run(d, [&] {
      d.Tree().Focus();
      Keys("{Home}{Down}");
      if (std::string(how) == "cancel")
        Keys("{Esc}");
      else
        Type({VK_MENU, VK_F4});
    });
    EXPECT_EQ(chosen, nullptr);
    EXPECT_EQ(TemplatesLeft(d), 0);
  }
}

// A double click does what OK does, and only when OK can: on empty space
// before any node was chosen it does nothing (it once took the template of
// no node).
TEST_F(SelectCommandTest, ADoubleClickOnEmptySpaceWithNothingSelectedDoesNothing) {
  TSelectCommand d(&form);
  bool openAfterEmpty = false;
  int selectedAfterEmpty = 1;
  auto chosen = Run(d, [&] {
    ui::TTreeView& tree = d.Tree();
    tree.SetSelected(nullptr);
    Drain();
    const RECT client = tree.Bounds();
    DoubleClickAt(tree.Handle(), 40, client.bottom - client.top - 12);  // below the last node
    Drain();
    openAfterEmpty = d.Visible() && d.ModalResult() == 0;
    selectedAfterEmpty = tree.Selected() != nullptr;
    ui::TTreeNode* group = FindTreeNode("グループ", tree, false);
    ASSERT_NE(group, nullptr);
    const POINT label = LabelCenter(group);
    DoubleClickAt(tree.Handle(), label.x, label.y);
  });
  EXPECT_TRUE(openAfterEmpty);
  EXPECT_EQ(selectedAfterEmpty, 0);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->ReadInteger("Type", -1), 5);
  EXPECT_EQ(chosen->ReadString("Icon", ""), "%IconDir\\group.ico");
}

TEST_F(SelectCommandTest, ASuffixNamesWhatTheKeywordIsFor) {
  TSelectCommand d(&form);
  std::string caption;
  Run(d, [&] { caption = d.Caption(); }, "メモ帳");
  EXPECT_EQ(caption, "種類を選択 - メモ帳");
}

TEST_F(SelectCommandTest, ResizingKeepsTheButtonsCentredAndTheHelpDownToThem) {
  TSelectCommand d(&form);
  RECT ok = {}, cancel = {}, help = {}, tree = {}, panel = {};
  SIZE inner = {};
  Run(d, [&] {
    RECT w = {};
    GetWindowRect(d.Handle(), &w);
    SetWindowPos(d.Handle(), nullptr, 0, 0, w.right - w.left + 120, w.bottom - w.top + 60, SWP_NOMOVE | SWP_NOZORDER);
    Drain();
    inner = d.ClientSize();
    ok = d.Control("OKButton").Bounds();
    cancel = d.Control("CancelButton").Bounds();
    help = d.HelpBox().Bounds();
    tree = d.Tree().Bounds();
    panel = d.Control("Panel1").Bounds();
  });
  const int okWidth = ok.right - ok.left, cancelWidth = cancel.right - cancel.left;
  EXPECT_EQ(ok.left, (inner.cx - okWidth - cancelWidth) / 2 - 10);
  EXPECT_EQ(cancel.left, ok.right + 10);
  EXPECT_EQ(tree.right - tree.left, inner.cx);
  EXPECT_EQ(help.right - help.left, inner.cx);
  EXPECT_EQ(help.bottom, panel.top);
  EXPECT_EQ(panel.bottom, inner.cy);
}

// The picture: the system commands open under the kinds (tests/support/editor-screenshot.sh).
TEST_F(SelectCommandTest, ScreenshotTheKinds) {
  if (!ScreenshotsWanted()) GTEST_SKIP() << "no pictures asked for";
  TSelectCommand d(&form);
  Run(d, [&] {
    d.Tree().Focus();
    Keys("{Home}{Down}{Right}{Down}{Down}{Down}");
    Shot(d, "editor-select-command");
  });
}

}  // namespace
