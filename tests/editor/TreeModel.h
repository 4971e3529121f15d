// A plain tree with the node interface of ui::TTreeView (editor/TreeViewUtils.h),
// for the tree path tests on the host.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TTreeModel {
 public:
  class Node {
   public:
    std::string Text() const { return text_; }
    Node* Parent() const { return parent_; }
    Node* FirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    Node* NextSibling() const {
      const auto& list = Siblings();
      auto it = std::find_if(list.begin(), list.end(), [this](const auto& n) { return n.get() == this; });
      return it != list.end() && it + 1 != list.end() ? (it + 1)->get() : nullptr;
    }
    Node* GetNext() const {
      if (Node* child = FirstChild()) return child;
      for (const Node* n = this; n; n = n->parent_)
        if (Node* next = n->NextSibling()) return next;
      return nullptr;
    }
    void Expand() { expanded_ = true; }
    bool Expanded() const { return expanded_; }

   private:
    friend class TTreeModel;
    const std::vector<std::unique_ptr<Node>>& Siblings() const { return parent_ ? parent_->children_ : tree_->roots_; }
    TTreeModel* tree_ = nullptr;
    Node* parent_ = nullptr;
    std::string text_;
    bool expanded_ = false;
    std::vector<std::unique_ptr<Node>> children_;
  };

  Node* FirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
  Node* AddChild(Node* parent, std::string_view text) {
    auto node = std::make_unique<Node>();
    node->tree_ = this;
    node->parent_ = parent;
    node->text_ = std::string(text);
    auto& list = parent ? parent->children_ : roots_;
    list.push_back(std::move(node));
    return list.back().get();
  }
  void Delete(Node* node) {
    auto& list = node->parent_ ? node->parent_->children_ : roots_;
    list.erase(std::find_if(list.begin(), list.end(), [node](const auto& n) { return n.get() == node; }));
  }
  void Clear() { roots_.clear(); }
  int Count() const {
    int n = 0;
    for (Node* p = FirstNode(); p; p = p->GetNext()) ++n;
    return n;
  }

 private:
  std::vector<std::unique_ptr<Node>> roots_;
};
