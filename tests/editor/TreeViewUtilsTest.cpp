// The tree path routines on a plain model of a tree (host and Windows).
#include "editor/TreeViewUtils.h"

#include <gtest/gtest.h>

#include "tests/editor/TreeModel.h"
#include "tests/editor/TreePathCases.h"

namespace {

static_assert(NodeTree<TTreeModel>);

TEST(TreePathOnModel, FindNodeByPath) {
  TTreeModel tree;
  treecases::Find(tree);
}

TEST(TreePathOnModel, FindOrCreateNodeByPath) {
  TTreeModel tree;
  treecases::FindOrCreate(tree);
}

TEST(TreePathOnModel, DeleteNodeByPath) {
  TTreeModel tree;
  treecases::Delete(tree);
}

TEST(TreePathOnModel, GetNodePathAndKeywordName) {
  TTreeModel tree;
  treecases::Names(tree);
}

TEST(TreePathOnModel, FindNodeByKeyword) {
  TTreeModel tree;
  treecases::Keyword(tree);
}

TEST(TreePathOnModel, FindTreeNode) {
  TTreeModel tree;
  treecases::AnyWhere(tree);
}

TEST(TreePathSplit, KeywordPathsSplitAtSlashesOnly) {
  EXPECT_EQ(SplitKeywordPath("/a//b c/表示/"), (std::vector<std::string>{"a", "b c", "表示"}));
  EXPECT_TRUE(SplitKeywordPath("").empty());
  EXPECT_EQ(SplitNodePath("a/\"b c\"/d e", '/'), (std::vector<std::string>{"a", "b c", "d", "e"}));
}

}  // namespace
