// The tree path cases, run on any tree with the node interface: the host
// model (TreeViewUtilsTest.cpp) and a live tree view under Wine
// (TreeViewPathTest.cpp). A node found is told by its path, "" for none.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editor/TreeViewUtils.h"

namespace treecases {

// Keyword
//   Sub
//     b
//   b
//   ソフト        (0x5C as a trail byte)
// 基本
//   動作設定
//   表示          (0x5C as a trail byte)
//   表示 設定
// a
//   b
template <class Tree>
void Build(Tree& tree) {
  tree.Clear();
  auto* keyword = tree.AddChild(nullptr, "Keyword");
  tree.AddChild(tree.AddChild(keyword, "Sub"), "b");
  tree.AddChild(keyword, "b");
  tree.AddChild(keyword, "ソフト");
  auto* basic = tree.AddChild(nullptr, "基本");
  tree.AddChild(basic, "動作設定");
  tree.AddChild(basic, "表示");
  tree.AddChild(basic, "表示 設定");
  tree.AddChild(tree.AddChild(nullptr, "a"), "b");
}
inline constexpr int kBuiltCount = 11;

template <class Node>
std::string PathOf(const Node* node) {
  return GetNodePath(node, "/");
}

template <class Tree>
void Find(Tree& tree) {
  struct TCase {
    const char* Name;
    const char* Path;
    char Delimiter;
    const char* Found;
  } cases[] = {
      {"Japanese parts", "基本/動作設定", '/', "基本/動作設定"},
      {"Latin parts in any letter case", "KEYWORD/sub/B", '/', "Keyword/Sub/b"},
      {"a trailing delimiter", "a/", '/', "a"},
      {"an empty part stops the walk", "a//b", '/', "a"},
      {"a missing part", "基本/なし", '/', ""},
      {"a leading delimiter", "/a", '/', ""},
      {"an unquoted blank ends a part", "基本 表示", '/', "基本/表示"},
      {"a quoted part keeps its blank", "基本/\"表示 設定\"", '/', "基本/表示 設定"},
      {"another delimiter over trail bytes 0x5C", "基本\\表示", '\\', "基本/表示"},
      {"the same in a Latin group", "keyword\\ソフト", '\\', "Keyword/ソフト"},
      {"empty path", "", '/', ""},
  };
  for (const TCase& c : cases) {
    Build(tree);
    EXPECT_EQ(PathOf(FindNodeByPath(c.Path, c.Delimiter, &tree)), c.Found) << c.Name;
    EXPECT_EQ(tree.Count(), kBuiltCount) << c.Name << ": nothing made";
  }
  Tree* none = nullptr;
  EXPECT_EQ(FindNodeByPath("a", '/', none), nullptr);
}

template <class Tree>
void FindOrCreate(Tree& tree) {
  struct TCase {
    const char* Name;
    const char* Path;
    bool Expand;
    const char* Found;
    int Added;
    const char* Expanded;  // a node expanded for the new ones, or ""
  } cases[] = {
      {"all there", "基本/表示", true, "基本/表示", 0, ""},
      {"missing parts under the last one found", "基本/表示/詳細/色", true, "基本/表示/詳細/色", 2, "基本/表示/詳細"},
      {"not expanded unless asked", "基本/表示/詳細", false, "基本/表示/詳細", 1, ""},
      {"a new root node", "新しい/ページ", true, "新しい/ページ", 2, "新しい"},
      {"an empty part stops before anything is made", "a//c", true, "a", 0, ""},
  };
  for (const TCase& c : cases) {
    Build(tree);
    auto* node = FindOrCreateNodeByPath(c.Path, '/', c.Expand, &tree);
    EXPECT_EQ(PathOf(node), c.Found) << c.Name;
    EXPECT_EQ(tree.Count(), kBuiltCount + c.Added) << c.Name;
    if (*c.Expanded) {
      auto* parent = FindNodeByPath(c.Expanded, '/', &tree);
      ASSERT_NE(parent, nullptr) << c.Name;
      EXPECT_TRUE(parent->Expanded()) << c.Name;
    } else if (node && node->Parent()) {
      EXPECT_EQ(node->Parent()->Expanded(), false) << c.Name;
    }
  }
  tree.Clear();
  EXPECT_EQ(FindOrCreateNodeByPath("基本/表示", '/', true, &tree), nullptr) << "an empty tree";
  EXPECT_EQ(tree.Count(), 0) << "nothing is made in an empty tree";
}

template <class Tree>
void Delete(Tree& tree) {
  Build(tree);
  EXPECT_TRUE(DeleteNodeByPath("keyword/sub", '/', &tree));
  EXPECT_EQ(tree.Count(), kBuiltCount - 2) << "the node with its subtree";
  EXPECT_EQ(FindNodeByPath("Keyword/Sub", '/', &tree), nullptr);
  EXPECT_EQ(PathOf(FindNodeByPath("Keyword/b", '/', &tree)), "Keyword/b");
  EXPECT_FALSE(DeleteNodeByPath("Keyword/なし", '/', &tree));
  EXPECT_EQ(tree.Count(), kBuiltCount - 2);
}

template <class Tree>
void Names(Tree& tree) {
  Build(tree);
  auto* third = FindNodeByPath("Keyword/Sub/b", '/', &tree);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(GetNodePath(third, "::>"), "Keyword::>Sub::>b") << "a delimiter of three characters";
  EXPECT_EQ(GetNodePath(third->Parent()->Parent(), "::>"), "Keyword");
  EXPECT_EQ(GetNodeKeywordName(third), "Keyword/Sub/b");
  decltype(third) none = nullptr;
  EXPECT_EQ(GetNodePath(none, "/"), "");
  EXPECT_EQ(GetNodeKeywordName(none), "");
}

template <class Tree>
void Keyword(Tree& tree) {
  struct TCase {
    const char* Name;
    const char* Path;
    const char* Found;
  } cases[] = {
      {"no parts: the first node", "", "Keyword"},
      {"only slashes: the first node", "//", "Keyword"},
      {"any letter case", "keyword/sub/B", "Keyword/Sub/b"},
      {"empty parts dropped", "/a//b/", "a/b"},
      {"a missing part", "Keyword/x", ""},
      {"below a node without children", "a/b/c", ""},
      {"not a root", "Sub/b", ""},
  };
  for (const TCase& c : cases) {
    Build(tree);
    EXPECT_EQ(PathOf(FindNodeByKeyword(c.Path, tree)), c.Found) << c.Name;
  }
  tree.Clear();
  EXPECT_EQ(FindNodeByKeyword("", tree), nullptr) << "an empty tree";
}

template <class Tree>
void AnyWhere(Tree& tree) {
  struct TCase {
    const char* Name;
    const char* Path;
    bool Create;
    const char* Found;
    int Added;
  } cases[] = {
      {"b only under a, though another b comes first", "a/b", false, "a/b", 0},
      {"the child of its own parent", "Keyword/b", false, "Keyword/b", 0},
      {"empty parts dropped", "//keyword//SUB/b/", false, "Keyword/Sub/b", 0},
      {"the first part is a root", "Sub/b", false, "", 0},
      {"no parts", "/", true, "", 0},
      {"missing, not made", "a/b/新規", false, "", 0},
      {"missing, made", "a/b/新規/その下", true, "a/b/新規/その下", 2},
      {"a new root", "別/x", true, "別/x", 2},
  };
  for (const TCase& c : cases) {
    Build(tree);
    EXPECT_EQ(PathOf(FindTreeNode(c.Path, tree, c.Create)), c.Found) << c.Name;
    EXPECT_EQ(tree.Count(), kBuiltCount + c.Added) << c.Name;
  }
  tree.Clear();
  EXPECT_EQ(PathOf(FindTreeNode("x/y", tree, true)), "x/y") << "made in an empty tree too";
  EXPECT_EQ(tree.Count(), 2);
}

}  // namespace treecases
