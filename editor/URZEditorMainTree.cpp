// The keyword manager's tree operations: copy, cut and paste of keywords,
// moves by dragging, sorting a group, and the tree's context menu.
//
// Nodes are owned by the tree and freed with their items, so every pointer
// the window keeps to a node (the copied, cut and dragged ones) is let go
// of in the tree's deletion event; a rebuild puts the marks back on the new
// nodes of the same keywords.
#include <windows.h>

#include <set>
#include <string>

#include "core/KeyWordX.h"
#include "editor/TreeViewUtils.h"
#include "editor/URZEditorMain.h"
#include "ui/Button.h"
#include "ui/Events.h"

void TRZEditorMain::SetUpTreeOperations() {
  ui::TTreeView& tree = TreeView1();
  tree.SetDragEnabled(true);
  tree.OnDeletion = [this](ui::TTreeNode* node) { TreeView1Deletion(node); };
  tree.OnStartDrag = [this](ui::TTreeNode* node, bool&) { TreeView1StartDrag(node); };
  tree.OnDragOver = [this](ui::TTreeNode* source, ui::TTreeNode* target, bool&) { TreeView1DragOver(source, target); };
  tree.OnDragDrop = [this](ui::TTreeNode* source, ui::TTreeNode* target) { TreeView1DragDrop(source, target); };
  tree.OnEndDrag = [this](ui::TTreeNode*, bool) { dragged_ = nullptr; };
  tree.OnMouseDown = [this](ui::TMouseEvent& e) { TreeView1MouseDown(e); };
  tree.OnContextMenu = [this](ui::TContextMenuEvent& e) { TreeView1ContextPopup(e); };

  auto hasItem = [this](ui::TAction& a) { a.OnUpdate = [this, &a] { a.SetEnabled(HasItem()); }; };
  hasItem(editAction_);
  hasItem(copyNode_);
  hasItem(cutNode_);
  hasItem(sortByName_);
  hasItem(sortByType_);
  changeToGroup_.OnUpdate = [this] { changeToGroup_.SetEnabled(current_ && current_->GetType() != kTypeGroup); };
  pasteNode_.OnUpdate = [this] { pasteNode_.SetEnabled(CanPaste()); };
  copyNode_.OnExecute = [this] { CopyNodeExecute(); };
  cutNode_.OnExecute = [this] { CutNodeExecute(); };
  pasteNode_.OnExecute = [this] { PasteNodeExecute(); };
  sortByName_.OnExecute = [this] { SortByNameExecute(); };
  sortByType_.OnExecute = [this] { SortByTypeExecute(); };
  for (ui::TAction* a : {&editAction_, &newExAction_, &newNormalAction_, &newFolder_, &changeToGroup_, &copyNode_,
                         &cutNode_, &pasteNode_, &sortByName_, &sortByType_})
    actions_.Add(a);
  BindButton("NewButton", newExAction_);
  BindButton("EditButton", editAction_);
  BindButton("DeleteButton", deleteAction_);

  // Enter on a keyword opens it; elsewhere it is OK's.
  OnShortCut = [this](WORD shortCut, bool& handled) {
    // While a node is dragged Esc ends the drag, not the window.
    if (shortCut == VK_ESCAPE && TreeView1().Dragging()) {
      TreeView1().CancelDrag();
      handled = true;
      return;
    }
    if (shortCut != VK_RETURN || GetFocus() != TreeView1().Handle() || !HasItem()) return;
    handled = true;
    editAction_.Execute();
  };
  BuildTreeMenu();
}

// A linked control shows the action's caption; these buttons keep their own,
// with the access key, and follow only the action's enabled state.
void TRZEditorMain::BindButton(const char* name, ui::TAction& action) {
  ui::TButton& button = Control<ui::TButton>(name);
  button.OnClick = [&action] { action.Execute(); };
  HWND handle = button.Handle();
  buttonLinks_.push_back(action.OnChange.Add([handle, &action] {
    if ((IsWindowEnabled(handle) != FALSE) != action.Enabled()) EnableWindow(handle, action.Enabled() ? TRUE : FALSE);
  }));
}

// ---- The context menu

void TRZEditorMain::BuildTreeMenu() {
  auto add = [this](ui::TMenuItem* parent, const char* caption, ui::TAction& action) {
    ui::TMenuItem* item = parent->Add(caption, [&action] { action.Execute(); });
    menuActions_.emplace_back(item, &action);
    return item;
  };
  ui::TMenuItem& root = treeMenu_.Items();
  add(&root, "編集", editAction_)->SetDefault(true);
  ui::TMenuItem* newMenu = root.Add("新規作成");
  add(newMenu, "グループ", newFolder_);
  add(newMenu, "通常コマンド", newNormalAction_);
  add(newMenu, "その他", newExAction_);
  ui::TMenuItem* sortMenu = root.Add("並び替え");
  add(sortMenu, "↑上へ", upNode_);
  add(sortMenu, "↓下へ", downNode_);
  add(sortMenu, "ABC順に並び替え", sortByName_);
  add(sortMenu, "種類順に並び替え", sortByType_);
  add(&root, "コピー", copyNode_);
  add(&root, "切り取り", cutNode_);
  add(&root, "貼り付け", pasteNode_);
  add(&root, "グループ化", changeToGroup_);
  add(&root, "名前の変更", reNameAction_);
  add(&root, "削除", deleteAction_);
  treeMenu_.OnPopup = [this] { TreeMenuPopup(); };
}

void TRZEditorMain::TreeMenuPopup() {
  TreeView1Change(TreeView1().Selected());
  for (auto& [item, action] : menuActions_) {
    action->Update();
    item->SetEnabled(action->Enabled());
    item->SetShortCutText(ui::ShortCutToText(action->ShortCut()));
  }
}

void TRZEditorMain::TreeView1ContextPopup(ui::TContextMenuEvent& e) {
  e.Handled = true;
  POINT at = {e.X, e.Y};
  if (e.FromKeyboard()) {
    // From the keyboard the menu opens at the selected keyword.
    RECT r = {};
    if (ui::TTreeNode* node = TreeView1().Selected()) r = node->DisplayRect(true);
    at = {r.left, r.bottom};
    ClientToScreen(TreeView1().Handle(), &at);
  }
  treeMenu_.Popup(at.x, at.y, Handle());
}

void TRZEditorMain::TreeView1MouseDown(ui::TMouseEvent& e) {
  ui::TTreeView& tree = TreeView1();
  const ui::TTreeHitTest hit = tree.HitTest(e.X, e.Y);
  ui::TTreeNode* node = (hit.Where & (ui::htOnItem | ui::htOnButton | ui::htOnIndent | ui::htOnRight)) ? hit.Node : nullptr;
  if (tree.Selected() != node) tree.SetSelected(node);
  TreeView1Change(tree.Selected());
}

// ---- Copy, cut and paste

void TRZEditorMain::TreeView1Deletion(ui::TTreeNode* node) {
  if (node == copied_) copied_ = nullptr;
  if (node == cut_) cut_ = nullptr;
  if (node == dragged_) dragged_ = nullptr;
}

void TRZEditorMain::CopyNodeExecute() {
  if (!HasItem()) return;
  if (cut_) cut_->SetCut(false);
  cut_ = nullptr;
  copied_ = TreeView1().Selected();
}

void TRZEditorMain::CutNodeExecute() {
  if (!HasItem()) return;
  copied_ = nullptr;
  if (cut_) cut_->SetCut(false);
  cut_ = TreeView1().Selected();
  cut_->SetCut(true);
}

bool TRZEditorMain::CanPaste() const {
  ui::TTreeView& tree = TreeView1();
  ui::TTreeNode* target = tree.Selected();
  ui::TTreeNode* mark = copied_ ? copied_ : cut_;
  return !tree.IsEditing() && mark && target && target != mark && !target->HasAsParent(mark);
}

void TRZEditorMain::PasteNodeExecute() {
  if (!CanPaste()) return;
  ui::TTreeNode* target = TreeView1().Selected();
  if (copied_) {
    PasteCopy(target);
    return;
  }
  ui::TTreeNode* source = cut_;
  source->SetCut(false);
  cut_ = nullptr;
  MoveNodeTo(source, target);
}

void TRZEditorMain::PasteCopy(ui::TTreeNode* target) {
  std::unique_ptr<TKeyWordX> source = manager_->FindKeyWord(GetNodeKeywordName(copied_));
  std::unique_ptr<TKeyWordX> at = manager_->FindKeyWord(GetNodeKeywordName(target));
  if (!source || !at) return;
  const bool intoGroup = at->GetType() == kTypeGroup;
  std::unique_ptr<TKeyWordX> copy = source->CopyTo(intoGroup ? at->GetKeyWord() : at->Folder);
  if (!copy) return;
  ui::TTreeView& tree = TreeView1();
  ui::TTreeNode* node = nullptr;
  if (intoGroup) {
    node = tree.AddChildFirst(target, copy->Name);
  } else {
    // The copy comes in first; it goes to just before the target.
    copy->SetIndex(at->GetIndex() - 1);
    node = tree.Insert(target, copy->Name);
  }
  if (!node) return;
  node->SetImageIndex(copied_->ImageIndex());
  node->SetSelectedIndex(copied_->SelectedIndex());
  if (copy->GetType() == kTypeGroup) BuildSubTree(node, copy->GetKeyWord());
  node->Select();
  TreeView1Change(node);
  modified_ = true;
}

// ---- Drags

void TRZEditorMain::TreeView1StartDrag(ui::TTreeNode* node) {
  dragged_ = node;
  node->Collapse();
}

void TRZEditorMain::TreeView1DragOver(ui::TTreeNode* source, ui::TTreeNode* target) {
  if (!target) return;
  if (!target->Selected()) target->Select();
  if (target == source) target->Collapse();
  else if (target->HasChildren() && !target->Expanded()) target->Expand();
}

void TRZEditorMain::TreeView1DragDrop(ui::TTreeNode* source, ui::TTreeNode* target) {
  // The tree offers no drop on the dragged node or below it.
  target->Select();
  MoveNodeTo(source, target);
}

void TRZEditorMain::MoveNodeTo(ui::TTreeNode* source, ui::TTreeNode* target) {
  if (!source || !target || source == target || target->HasAsParent(source)) return;
  std::unique_ptr<TKeyWordX> item = manager_->FindKeyWord(GetNodeKeywordName(source));
  std::unique_ptr<TKeyWordX> at = manager_->FindKeyWord(GetNodeKeywordName(target));
  if (!item || !at) return;
  ui::TTreeView& tree = TreeView1();
  if (at->GetType() == kTypeGroup) {
    item->SetFolder(at->GetKeyWord());
    item->SetIndex(0);
    tree.MoveNode(source, target, ui::TNodeAttachMode::AddChildFirst);
  } else {
    // Among its own siblings a keyword dragged down lands after the target,
    // dragged up before it; from another group it comes in before it.
    const bool after = source->Parent() == target->Parent() && source->Index() < target->Index();
    item->SetFolder(at->Folder);
    const int own = item->GetIndex();
    const int place = at->GetIndex();
    item->SetIndex(after || own > place ? place : place - 1);
    tree.MoveNode(source, target, after ? ui::TNodeAttachMode::InsertAfter : ui::TNodeAttachMode::Insert);
  }
  // The name may have been made unique in the new group.
  if (source->Text() != item->Name) source->SetText(item->Name);
  source->Select();
  TreeView1Change(source);
  modified_ = true;
}

// ---- Sorting

void TRZEditorMain::SortByNameExecute() { SortSelected(0); }
void TRZEditorMain::SortByTypeExecute() { SortSelected(1); }

void TRZEditorMain::SortSelected(int mode) {
  ui::TTreeNode* selected = TreeView1().Selected();
  ui::TTreeNode* target = selected && selected->HasChildren() ? selected : selected ? selected->Parent() : nullptr;
  manager_->SortFolder(target ? GetNodeKeywordName(target) : std::string(), mode);
  RebuildChildren(target);
  modified_ = true;
}

void TRZEditorMain::RebuildChildren(ui::TTreeNode* node) {
  ui::TTreeView& tree = TreeView1();
  auto inside = [node](ui::TTreeNode* n) { return n && (!node || n->HasAsParent(node)); };
  auto pathOf = [&](ui::TTreeNode* n) { return inside(n) ? GetNodeKeywordName(n) : std::string(); };
  const std::string selected = pathOf(tree.Selected());
  const std::string copied = pathOf(copied_);
  const std::string cut = pathOf(cut_);
  std::set<std::string> expanded;
  ui::TTreeNode* first = node ? node->FirstChild() : tree.FirstNode();
  for (ui::TTreeNode* n = first; inside(n); n = n->GetNext())
    if (n->Expanded()) expanded.insert(GetNodeKeywordName(n));
  const bool wasExpanded = node && node->Expanded();

  if (node) node->DeleteChildren();
  else
    while (ui::TTreeNode* n = tree.FirstNode()) n->Delete();
  BuildSubTree(node, node ? GetNodeKeywordName(node) : std::string());

  for (const std::string& path : expanded)
    if (ui::TTreeNode* n = FindNode(path)) n->Expand();
  if (wasExpanded) node->Expand();
  if (!copied.empty()) copied_ = FindNode(copied);
  if (!cut.empty()) {
    cut_ = FindNode(cut);
    if (cut_) cut_->SetCut(true);
  }
  if (!selected.empty())
    if (ui::TTreeNode* n = FindNode(selected)) n->Select();
  TreeView1Change(tree.Selected());
}
