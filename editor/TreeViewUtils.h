// Tree nodes found, made and named by delimited paths: keyword paths
// (group/sub/name) in the keyword manager's tree and settings page paths in
// the settings window's. A node's text is one part of the path; parts are
// compared without regard to case (Shift-JIS aware).
//
// The routines work on any tree with the node interface below, which
// ui::TTreeView and its TTreeNode have, and which tests give a plain model
// of. The general family (LocateNodeByPath and the three around it) splits
// a path as delimited text (TStringList::SetDelimitedText with the quote '"':
// a quoted part may hold blanks, an unquoted blank ends a part too); the
// keyword routines split at "/" and drop empty parts.
#pragma once

#include <concepts>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/Sjis.h"

// What the routines need of a tree and its nodes. AddChild with a null
// parent adds a root node; Delete takes the node's subtree with it.
template <class Tree>
concept NodeTree = requires(Tree& tree, std::remove_pointer_t<decltype(tree.FirstNode())>* node, std::string_view text) {
  { tree.FirstNode() } -> std::same_as<decltype(node)>;
  { tree.AddChild(node, text) } -> std::same_as<decltype(node)>;
  tree.Delete(node);
  { node->FirstChild() } -> std::same_as<decltype(node)>;
  { node->NextSibling() } -> std::same_as<decltype(node)>;
  { node->Parent() } -> std::same_as<decltype(node)>;
  { node->GetNext() } -> std::same_as<decltype(node)>;  // the next node in tree order
  { node->Text() } -> std::convertible_to<std::string>;
  node->Expand();
};

template <NodeTree Tree>
using NodeOf = std::remove_pointer_t<decltype(std::declval<Tree&>().FirstNode())>;

// The parts of a path as delimited text (see above).
std::vector<std::string> SplitNodePath(std::string_view path, char delimiter);
// The parts of a keyword path: split at "/", empty parts dropped.
std::vector<std::string> SplitKeywordPath(std::string_view path);

namespace treepath {

// The first of node and its following siblings whose text is part.
template <class Node>
Node* FindSibling(Node* node, const std::string& part) {
  for (; node; node = node->NextSibling())
    if (sjis::EqualsIgnoreCase(node->Text(), part)) return node;
  return nullptr;
}

}  // namespace treepath

// Walks the path from the first root node down. An empty part ends the walk
// with the node found so far. A part that no node at its place has gives
// nothing, or with create a new last child there (a root node at the top),
// its parent expanded when expand is set. A null tree, an empty path or an
// empty tree gives nothing (nothing is made in an empty tree).
template <NodeTree Tree>
NodeOf<Tree>* LocateNodeByPath(std::string_view path, char delimiter, bool create, Tree* tree, bool expand) {
  using Node = NodeOf<Tree>;
  if (!tree || path.empty()) return nullptr;
  Node* node = tree->FirstNode();
  if (!node) return nullptr;
  Node* parent = nullptr;
  Node* result = nullptr;
  for (const std::string& part : SplitNodePath(path, delimiter)) {
    if (part.empty()) break;
    result = treepath::FindSibling(node, part);
    if (!result) {
      if (!create) return nullptr;
      result = tree->AddChild(parent, part);
      if (!result) return nullptr;  // the node could not be made
      if (expand && parent) parent->Expand();
    }
    parent = result;
    node = result->FirstChild();
  }
  return result;
}

template <NodeTree Tree>
NodeOf<Tree>* FindNodeByPath(std::string_view path, char delimiter, Tree* tree) {
  return LocateNodeByPath(path, delimiter, false, tree, false);
}

// With creation; any error gives nothing.
template <NodeTree Tree>
NodeOf<Tree>* FindOrCreateNodeByPath(std::string_view path, char delimiter, bool expand, Tree* tree) {
  try {
    return LocateNodeByPath(path, delimiter, true, tree, expand);
  } catch (...) {
    return nullptr;
  }
}

// Deletes the node of the path with its subtree; true when there was one.
template <NodeTree Tree>
bool DeleteNodeByPath(std::string_view path, char delimiter, Tree* tree) {
  auto* node = FindNodeByPath(path, delimiter, tree);
  if (!node) return false;
  tree->Delete(node);
  return true;
}

// The node texts from the root down joined by the delimiter; empty for none.
template <class Node>
std::string GetNodePath(const Node* node, std::string_view delimiter) {
  std::vector<std::string> texts;
  for (; node; node = node->Parent()) texts.push_back(node->Text());
  std::string path;
  for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
    if (it != texts.rbegin()) path += delimiter;
    path += *it;
  }
  return path;
}

// The keyword path of a node: its texts joined by "/".
template <class Node>
std::string GetNodeKeywordName(const Node* node) {
  return GetNodePath(node, "/");
}

// The node of a keyword path, walked from the first root node; a path of no
// parts gives that first node.
template <NodeTree Tree>
NodeOf<Tree>* FindNodeByKeyword(std::string_view path, Tree& tree) {
  using Node = NodeOf<Tree>;
  const std::vector<std::string> parts = SplitKeywordPath(path);
  Node* node = tree.FirstNode();
  if (parts.empty()) return node;
  for (size_t i = 0; i < parts.size(); ++i) {
    Node* found = treepath::FindSibling(node, parts[i]);
    if (!found) return nullptr;
    if (i + 1 == parts.size()) return found;
    node = found->FirstChild();
  }
  return nullptr;
}

// The node of a keyword path anywhere in the tree: each part is the first
// node in tree order with that text under the node of the parts before it.
// With create a missing part becomes a new last child there (a root node at
// the top), also in an empty tree. No parts give nothing.
template <NodeTree Tree>
NodeOf<Tree>* FindTreeNode(std::string_view path, Tree& tree, bool create) {
  using Node = NodeOf<Tree>;
  const std::vector<std::string> parts = SplitKeywordPath(path);
  if (parts.empty()) return nullptr;
  Node* result = nullptr;
  for (const std::string& part : parts) {
    Node* found = nullptr;
    for (Node* n = tree.FirstNode(); n; n = n->GetNext())
      if (n->Parent() == result && sjis::EqualsIgnoreCase(n->Text(), part)) {
        found = n;
        break;
      }
    if (!found) {
      if (!create) return nullptr;
      found = tree.AddChild(result, part);
      if (!found) return nullptr;
    }
    result = found;
  }
  return result;
}
