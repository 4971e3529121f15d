// The tree path routines on a live tree view under Wine: the same cases as on
// the model, with the nodes made, found, expanded and deleted in the control.
#include "editor/TreeViewUtils.h"

#include "tests/editor/TreePathCases.h"
#include "tests/ui/ControlsFixture.h"
#include "ui/TreeView.h"

namespace {

static_assert(NodeTree<ui::TTreeView>);

class TreePathOnTreeView : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ui::TTreeViewParams p(Form(), "", 10, 10, 300, 380);
    p.Font = font;
    ASSERT_TRUE(tree.Create(p));
  }
  // What the control itself holds: the items, counted by the control.
  int Items() const { return static_cast<int>(SendMessageA(tree.Handle(), TVM_GETCOUNT, 0, 0)); }
  ui::TTreeView tree;
};

TEST_F(TreePathOnTreeView, FindNodeByPath) { treecases::Find(tree); }

TEST_F(TreePathOnTreeView, FindOrCreateNodeByPath) {
  treecases::FindOrCreate(tree);
  treecases::Build(tree);
  auto* made = FindOrCreateNodeByPath("基本/表示/詳細", '/', true, &tree);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(Items(), treecases::kBuiltCount + 1);
  // The control shows the new node under its expanded parent.
  made->MakeVisible();
  RECT r = made->DisplayRect(true);
  EXPECT_EQ(tree.GetNodeAt((r.left + r.right) / 2, (r.top + r.bottom) / 2), made);
}

TEST_F(TreePathOnTreeView, DeleteNodeByPath) {
  treecases::Delete(tree);
  EXPECT_EQ(Items(), treecases::kBuiltCount - 2);
}

TEST_F(TreePathOnTreeView, GetNodePathAndKeywordName) { treecases::Names(tree); }

TEST_F(TreePathOnTreeView, FindNodeByKeyword) { treecases::Keyword(tree); }

TEST_F(TreePathOnTreeView, FindTreeNode) { treecases::AnyWhere(tree); }

// A node the user renames in place is found by its new name.
TEST_F(TreePathOnTreeView, ANodeRenamedByTheUserIsFoundByItsNewName) {
  treecases::Build(tree);
  auto* node = FindNodeByPath("基本/動作設定", '/', &tree);
  ASSERT_NE(node, nullptr);
  tree.SetSelected(node);
  tree.Focus();
  node->EditText();
  ASSERT_TRUE(PumpUntil([&] { return tree.IsEditing(); }));
  SetWindowTextA(tree.EditHandle(), "Moves");
  Press({VK_RETURN});
  ASSERT_TRUE(PumpUntil([&] { return !tree.IsEditing(); }));
  EXPECT_EQ(FindNodeByPath("基本/moves", '/', &tree), node);
  EXPECT_EQ(FindNodeByPath("基本/動作設定", '/', &tree), nullptr);
  EXPECT_EQ(GetNodeKeywordName(node), "基本/Moves");
}

}  // namespace
