// The keyword manager window's creating and editing: new items placed in the
// tree, the kind dialogs run on them, groups made of items, drops, and what
// keyword requests do while the window is open.
#include <windows.h>

#include "core/KeyWordX.h"
#include "editor/TreeViewUtils.h"
#include "editor/URZEditorMain.h"

void TRZEditorMain::BindEditActions() {
  editAction_.OnExecute = [this] { EditActionExecute(); };
  newExAction_.OnExecute = [this] { NewItemExecute(-1); };
  newNormalAction_.OnExecute = [this] { NewItemExecute(kTypeCommand); };
  newFolder_.OnExecute = [this] { NewItemExecute(kTypeGroup); };
  changeToGroup_.OnExecute = [this] { ChangeToGroupExecute(); };
  TreeView1().OnDblClick = [this] {
    if (HasItem()) EditActionExecute();
  };
  onFileDrop = [this](POINT, const std::string& files) { FileDropped(files); };
  onTextDrop = [this](POINT, const std::string& text) { FileDropped(text); };
  onURLDrop = [this](POINT, const std::string& address, const std::string& title) { URLDropped(address, title); };
  onDragOver = [this](POINT point, DWORD&) {
    ui::TTreeView& t = TreeView1();
    POINT p = point;
    ScreenToClient(t.Handle(), &p);
    if (ui::TTreeNode* node = t.GetNodeAt(p.x, p.y)) node->Select();
    SetFocus(t.Handle());
  };
}


bool TRZEditorMain::EditItem(std::unique_ptr<TKeyWordX>& item, ui::TTreeNode* anchor, bool showDialog) {
  if (!item) return false;
  ui::TTreeView& tree = TreeView1();
  bool isNew = false;
  ui::TTreeNode* node = nullptr;
  if (anchor) {
    isNew = true;
    std::unique_ptr<TKeyWordX> target = manager_->FindKeyWord(GetNodeKeywordName(anchor));
    if (target && target->GetType() == kTypeGroup) {
      item->SetFolder(target->GetKeyWord());
      node = tree.AddChildFirst(anchor, item->Name);
    } else if (target) {
      item->SetFolder(target->Folder);
      item->MoveBefore(target->Name);
    }
  }
  if (!node && !item->Name.empty()) node = FindNode(item->GetKeyWord());
  if (!node) {
    isNew = true;
    node = anchor ? tree.Insert(anchor, item->Name) : tree.AddChildFirst(nullptr, item->Name);
  }

  bool confirmed = true;
  bool deleted = false;
  if (showDialog) confirmed = EditItemDialog(&zOrderAction_, item, isNew, *manager_, this, &deleted);
  if (confirmed) modified_ = true;

  if (!confirmed && deleted) {
    node->Delete();
    modified_ = true;
    node = nullptr;
  } else if (!confirmed && isNew) {
    item->Delete();
    node->Delete();
    node = nullptr;
  }
  if (node) {
    const int image = imageSlots_[ImageOfType(item->GetType())];
    node->SetImageIndex(image);
    node->SetSelectedIndex(image);
    if (node->Text() != item->Name) node->SetText(item->Name);
    node->Select();
    item->SetIndex(node->Index());
    if (Visible()) SetFocus(tree.Handle());
  }
  EditorState().Busy = false;
  TreeView1Change(tree.Selected());
  return confirmed;
}

void TRZEditorMain::EditActionExecute() {
  editConfirmed_ = false;
  if (!current_) return;
  if (EditItem(current_, nullptr, true)) {
    modified_ = true;
    editConfirmed_ = true;
  }
  if (TreeView1().IsEditing()) TreeView1().EndEditing(false);
}

void TRZEditorMain::NewItemExecute(int type) {
  TEditorState& state = EditorState();
  std::unique_ptr<TKeyWordX> item = CreateItem(&zOrderAction_, *manager_, std::string(),
                                               state.Dialogs.ReadInteger("AnalyzeShortCut", 0) != 0, type,
                                               std::string(), std::string());
  // Refused, failed or cancelled in the kind dialog: nothing to place.
  if (!item) return;
  EditItem(item, current_ ? TreeView1().Selected() : nullptr, true);
}

void TRZEditorMain::ChangeToGroupExecute() {
  ui::TTreeNode* node = TreeView1().Selected();
  if (!node || !current_) return;
  const std::string path = current_->GetKeyWord();
  if (current_->GetType() == kTypeGroup) {
    ShowWarning(&zOrderAction_, "そのキーワードはすでにグループです  " + path);
    return;
  }
  std::unique_ptr<TKeyWordX> moved;
  std::unique_ptr<TKeyWordX> group =
      GroupItem(&zOrderAction_, *manager_, *current_, current_->GetComment(), std::string(), moved);
  if (!group) return;
  const int itemImage = imageSlots_[ImageOfType(moved->GetType())];
  const int groupImage = imageSlots_[ImageOfType(kTypeGroup)];
  node->SetImageIndex(groupImage);
  node->SetSelectedIndex(groupImage);
  ui::TTreeNode* child = TreeView1().AddChildFirst(node, moved->Name);
  child->SetImageIndex(itemImage);
  child->SetSelectedIndex(itemImage);
  current_ = std::move(group);
  FillPanel(current_.get());
  modified_ = true;
}

void TRZEditorMain::FileDropped(const std::string& text) {
  std::string keyword;
  if (current_) keyword = current_->GetType() == kTypeGroup ? current_->GetKeyWord() : current_->Folder;
  if (!keyword.empty()) keyword += "/";
  TStringIni request;
  request.WriteString("Action", "New");
  request.WriteString("Keyword", keyword);
  request.WriteString("Command", text);
  ExecuteParamAction(request);
}

void TRZEditorMain::URLDropped(const std::string& address, const std::string& title) {
  TEditorState& state = EditorState();
  std::unique_ptr<TKeyWordX> item =
      CreateItem(&zOrderAction_, *manager_, TKeyWordManager::ReplaceInvalidChars(title),
                 state.Dialogs.ReadInteger("AnalyzeShortCut", 0) != 0, kTypeCommand, title, address);
  if (!item) return;
  EditItem(item, current_ ? TreeView1().Selected() : nullptr, true);
}

bool TRZEditorMain::SelectAndShow(const std::string& path) {
  ui::TTreeNode* node = FindNode(path);
  if (!node) return false;
  node->Select();
  node->MakeVisible();
  return true;
}

void TRZEditorMain::ClearSelection() { TreeView1().SetSelected(nullptr); }

bool TRZEditorMain::RunEditAction() {
  EditActionExecute();
  return editConfirmed_;
}

bool TRZEditorMain::PlaceNewItem(std::unique_ptr<TKeyWordX> item, bool showDialog) {
  ui::TTreeNode* anchor = current_ ? TreeView1().Selected() : nullptr;
  // Without a selection the item stays in its own group.
  if (!anchor && !item->Folder.empty()) anchor = FindNode(item->Folder);
  return EditItem(item, anchor, showDialog);
}
