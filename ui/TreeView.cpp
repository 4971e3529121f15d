#include "ui/TreeView.h"

#include <windowsx.h>

#include <vector>

#include "core/AnsiText.h"
#include "core/ScopeGuard.h"

#include "ui/ImageList.h"

namespace ui {

namespace {
constexpr int kTextMax = 1024;

std::string FromWide(const wchar_t* text) { return text ? WideToAnsi(std::wstring_view(text)) : std::string(); }

// The index the control keeps for "no image": -1 would ask the parent.
int ToItemImage(int index) { return index < 0 ? I_IMAGENONE : index; }
int FromItemImage(int index) { return index < 0 ? -1 : index; }
}  // namespace

// ---- TTreeNode

TTreeNode* TTreeNode::Relative(UINT relation) const {
  HWND tree = tree_->Handle();
  if (!tree || !item_) return nullptr;
  auto next = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item_)));
  return tree_->NodeFromHandle(next);
}

UINT TTreeNode::State(UINT mask) const {
  HWND tree = tree_->Handle();
  if (!tree || !item_) return 0;
  return static_cast<UINT>(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_), mask)) & mask;
}

void TTreeNode::SetState(UINT state, UINT mask) {
  HWND tree = tree_->Handle();
  if (!tree || !item_) return;
  TVITEMA item = {};
  item.mask = TVIF_STATE;
  item.hItem = item_;
  item.state = state;
  item.stateMask = mask;
  SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

std::string TTreeNode::Text() const {
  HWND tree = tree_->Handle();
  if (!tree || !item_) return std::string();
  std::string text(kTextMax, '\0');
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = item_;
  item.pszText = text.data();
  item.cchTextMax = kTextMax;
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return std::string();
  text.resize(strnlen(text.c_str(), kTextMax));
  return text;
}

void TTreeNode::SetText(std::string_view text) {
  HWND tree = tree_->Handle();
  if (!tree || !item_) return;
  std::string s(text);
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = item_;
  item.pszText = s.data();
  SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int TTreeNode::ImageIndex() const {
  HWND tree = tree_->Handle();
  TVITEMA item = {};
  item.mask = TVIF_IMAGE;
  item.hItem = item_;
  if (!tree || !item_ || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return FromItemImage(item.iImage);
}

void TTreeNode::SetImageIndex(int index) {
  HWND tree = tree_->Handle();
  if (!tree || !item_) return;
  TVITEMA item = {};
  item.mask = TVIF_IMAGE;
  item.hItem = item_;
  item.iImage = ToItemImage(index);
  SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int TTreeNode::SelectedIndex() const {
  HWND tree = tree_->Handle();
  TVITEMA item = {};
  item.mask = TVIF_SELECTEDIMAGE;
  item.hItem = item_;
  if (!tree || !item_ || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return FromItemImage(item.iSelectedImage);
}

void TTreeNode::SetSelectedIndex(int index) {
  HWND tree = tree_->Handle();
  if (!tree || !item_) return;
  TVITEMA item = {};
  item.mask = TVIF_SELECTEDIMAGE;
  item.hItem = item_;
  item.iSelectedImage = ToItemImage(index);
  SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

TTreeNode* TTreeNode::Parent() const { return Relative(TVGN_PARENT); }
TTreeNode* TTreeNode::FirstChild() const { return Relative(TVGN_CHILD); }
TTreeNode* TTreeNode::NextSibling() const { return Relative(TVGN_NEXT); }
TTreeNode* TTreeNode::PrevSibling() const { return Relative(TVGN_PREVIOUS); }
TTreeNode* TTreeNode::NextVisible() const { return Relative(TVGN_NEXTVISIBLE); }
TTreeNode* TTreeNode::PrevVisible() const { return Relative(TVGN_PREVIOUSVISIBLE); }

TTreeNode* TTreeNode::LastChild() const {
  TTreeNode* last = FirstChild();
  while (last)
    if (TTreeNode* next = last->NextSibling()) last = next;
    else break;
  return last;
}

TTreeNode* TTreeNode::GetNext() const {
  if (TTreeNode* child = FirstChild()) return child;
  for (const TTreeNode* n = this; n; n = n->Parent())
    if (TTreeNode* next = n->NextSibling()) return next;
  return nullptr;
}

int TTreeNode::Index() const {
  int i = 0;
  for (TTreeNode* n = PrevSibling(); n; n = n->PrevSibling()) ++i;
  return i;
}

int TTreeNode::Count() const {
  int i = 0;
  for (TTreeNode* n = FirstChild(); n; n = n->NextSibling()) ++i;
  return i;
}

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* n = Parent(); n; n = n->Parent()) ++level;
  return level;
}

bool TTreeNode::HasAsParent(const TTreeNode* ancestor) const {
  if (!ancestor) return false;
  for (TTreeNode* n = Parent(); n; n = n->Parent())
    if (n == ancestor) return true;
  return false;
}

bool TTreeNode::Expanded() const { return State(TVIS_EXPANDED) != 0; }

void TTreeNode::Expand(bool recurse) {
  if (tree_->Handle() && item_) SendMessageA(tree_->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
  if (recurse)
    for (TTreeNode* c = FirstChild(); c; c = c->NextSibling()) c->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  if (recurse)
    for (TTreeNode* c = FirstChild(); c; c = c->NextSibling()) c->Collapse(true);
  if (tree_->Handle() && item_) SendMessageA(tree_->Handle(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
}

bool TTreeNode::Selected() const { return tree_->Selected() == this; }
void TTreeNode::Select() { tree_->SetSelected(this); }
bool TTreeNode::Cut() const { return State(TVIS_CUT) != 0; }
void TTreeNode::SetCut(bool on) { SetState(on ? TVIS_CUT : 0, TVIS_CUT); }
bool TTreeNode::Bold() const { return State(TVIS_BOLD) != 0; }
void TTreeNode::SetBold(bool on) { SetState(on ? TVIS_BOLD : 0, TVIS_BOLD); }

void TTreeNode::MakeVisible() {
  if (tree_->Handle() && item_) SendMessageA(tree_->Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_));
}

void TTreeNode::EditText() {
  if (!tree_->Handle() || !item_) return;
  SetFocus(tree_->Handle());
  SendMessageA(tree_->Handle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item_));
}

RECT TTreeNode::DisplayRect(bool textOnly) const {
  // The message takes the item in the rectangle's place and answers in it.
  union {
    RECT rect;
    HTREEITEM item;
  } io = {};
  if (!tree_->Handle() || !item_) return RECT{};
  io.item = item_;
  if (!SendMessageA(tree_->Handle(), TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&io.rect)))
    return RECT{};
  return io.rect;
}

void TTreeNode::Delete() { tree_->Delete(this); }

void TTreeNode::DeleteChildren() {
  while (TTreeNode* c = FirstChild()) tree_->Delete(c);
}

void TTreeNode::MoveTo(TTreeNode* target, TNodeAttachMode mode) { tree_->MoveNode(this, target, mode); }

// ---- TTreeView

TTreeView::~TTreeView() {
  // The items go with the window after this object's part is gone: their
  // nodes (and data) go first.
  CancelDrag();
  nodes_.clear();
}

bool TTreeView::Create(const TTreeViewParams& p) {
  DragEnabled = p.DragEnabled;
  DWORD kind = 0;
  if (p.ShowLines) kind |= TVS_HASLINES;
  if (p.ShowRoot) kind |= TVS_LINESATROOT;
  if (p.ShowButtons) kind |= TVS_HASBUTTONS;
  if (!p.ReadOnly) kind |= TVS_EDITLABELS;
  if (!p.HideSelection) kind |= TVS_SHOWSELALWAYS;
  if (p.RowSelect) kind |= TVS_FULLROWSELECT;
  if (p.HotTrack) kind |= TVS_TRACKSELECT;
  if (!p.DragEnabled) kind |= TVS_DISABLEDRAGDROP;
  return CreateControl(p, WC_TREEVIEWA, kind, p.Border ? WS_EX_CLIENTEDGE : 0);
}

TTreeNode* TTreeView::NodeFromHandle(HTREEITEM item) const {
  if (!Handle() || !item) return nullptr;
  TVITEMA info = {};
  info.mask = TVIF_PARAM;
  info.hItem = item;
  if (!SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info))) return nullptr;
  auto* node = reinterpret_cast<TTreeNode*>(info.lParam);
  return nodes_.count(node) ? node : nullptr;
}

TTreeNode* TTreeView::InsertItem(HTREEITEM parent, HTREEITEM after, std::string_view text) {
  if (!Handle()) return nullptr;
  auto node = std::unique_ptr<TTreeNode>(new TTreeNode(this));
  std::string s(text);
  TVINSERTSTRUCTA ins = {};
  ins.hParent = parent;
  ins.hInsertAfter = after;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  ins.item.pszText = s.data();
  ins.item.lParam = reinterpret_cast<LPARAM>(node.get());
  ins.item.iImage = ins.item.iSelectedImage = 0;  // the first image until one is set
  TTreeNode* raw = node.get();
  nodes_.emplace(raw, std::move(node));
  raw->item_ = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  if (!raw->item_) {
    nodes_.erase(raw);
    return nullptr;
  }
  return raw;
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, std::string_view text) {
  return InsertItem(parent ? parent->item_ : TVI_ROOT, TVI_LAST, text);
}

TTreeNode* TTreeView::AddChildFirst(TTreeNode* parent, std::string_view text) {
  return InsertItem(parent ? parent->item_ : TVI_ROOT, TVI_FIRST, text);
}

TTreeNode* TTreeView::Insert(TTreeNode* before, std::string_view text) {
  if (!before) return AddChild(nullptr, text);
  TTreeNode* parent = before->Parent();
  TTreeNode* prev = before->PrevSibling();
  return InsertItem(parent ? parent->item_ : TVI_ROOT, prev ? prev->item_ : TVI_FIRST, text);
}

TTreeNode* TTreeView::InsertAfter(TTreeNode* after, std::string_view text) {
  if (!after) return AddChild(nullptr, text);
  TTreeNode* parent = after->Parent();
  return InsertItem(parent ? parent->item_ : TVI_ROOT, after->item_, text);
}

TTreeNode* TTreeView::Add(TTreeNode* sibling, std::string_view text) {
  return AddChild(sibling ? sibling->Parent() : nullptr, text);
}

void TTreeView::Forget(TTreeNode* node) {
  if (!nodes_.count(node)) return;
  if (OnDeletion) OnDeletion(node);
  if (node == dragNode_) CancelDrag();
  if (node == dropTarget_) dropTarget_ = nullptr;
  nodes_.erase(node);
}

void TTreeView::Delete(TTreeNode* node) {
  if (!node || !nodes_.count(node) || !Handle()) return;
  // The items report their deletion to the parent, which hands it on here;
  // the nodes are forgotten either way, in case the parent does not.
  std::vector<TTreeNode*> gone = {node};
  for (TTreeNode* n = node->FirstChild(); n && n != node; n = n->GetNext()) {
    if (!n->HasAsParent(node)) break;
    gone.push_back(n);
  }
  if (dragNode_ && (dragNode_ == node || dragNode_->HasAsParent(node))) CancelDrag();
  SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
  for (TTreeNode* n : gone) Forget(n);
}

void TTreeView::Clear() {
  CancelDrag();
  dropTarget_ = nullptr;
  if (Handle()) SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  // Nodes the parent did not report gone go now, each told as a deletion.
  while (!nodes_.empty()) Forget(nodes_.begin()->first);
}

void TTreeView::SetDragEnabled(bool on) {
  DragEnabled = on;
  if (!Handle()) return;
  LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
  style = on ? (style & ~static_cast<LONG_PTR>(TVS_DISABLEDRAGDROP)) : (style | TVS_DISABLEDRAGDROP);
  SetWindowLongPtrA(Handle(), GWL_STYLE, style);
}

// Copies the items of node and its children to the new place, depth first;
// the new items carry the same node objects.
HTREEITEM TTreeView::CopyItems(TTreeNode* node, HTREEITEM parent, HTREEITEM after, std::map<TTreeNode*, HTREEITEM>& made) {
  std::string text(kTextMax, '\0');
  TVITEMA old = {};
  old.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
  old.hItem = node->item_;
  old.pszText = text.data();
  old.cchTextMax = kTextMax;
  old.stateMask = TVIS_CUT | TVIS_BOLD;
  SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&old));
  TVINSERTSTRUCTA ins = {};
  ins.hParent = parent;
  ins.hInsertAfter = after;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
  ins.item.pszText = text.data();
  ins.item.iImage = old.iImage;
  ins.item.iSelectedImage = old.iSelectedImage;
  ins.item.state = old.state & (TVIS_CUT | TVIS_BOLD);
  ins.item.stateMask = TVIS_CUT | TVIS_BOLD;
  ins.item.lParam = reinterpret_cast<LPARAM>(node);
  auto fresh = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  if (!fresh) return nullptr;
  made[node] = fresh;
  for (TTreeNode* c = node->FirstChild(); c; c = c->NextSibling()) CopyItems(c, fresh, TVI_LAST, made);
  return fresh;
}

void TTreeView::MoveNode(TTreeNode* node, TTreeNode* target, TNodeAttachMode mode) {
  if (!Handle() || !node || !nodes_.count(node) || node == target) return;
  if (target && (!nodes_.count(target) || target->HasAsParent(node))) return;
  HTREEITEM parent = TVI_ROOT, after = TVI_LAST;
  auto parentOf = [](TTreeNode* n) { TTreeNode* p = n->Parent(); return p ? p->item_ : TVI_ROOT; };
  switch (mode) {
    case TNodeAttachMode::AddChild: parent = target ? target->item_ : TVI_ROOT; after = TVI_LAST; break;
    case TNodeAttachMode::AddChildFirst: parent = target ? target->item_ : TVI_ROOT; after = TVI_FIRST; break;
    case TNodeAttachMode::Add: parent = target ? parentOf(target) : TVI_ROOT; after = TVI_LAST; break;
    case TNodeAttachMode::AddFirst: parent = target ? parentOf(target) : TVI_ROOT; after = TVI_FIRST; break;
    case TNodeAttachMode::Insert: {
      if (!target) break;
      parent = parentOf(target);
      TTreeNode* prev = target->PrevSibling();
      after = prev ? (prev == node ? (node->PrevSibling() ? node->PrevSibling()->item_ : TVI_FIRST) : prev->item_)
                   : TVI_FIRST;
      break;
    }
    case TNodeAttachMode::InsertAfter:
      if (!target) break;
      parent = parentOf(target);
      after = target->item_;
      break;
  }
  ++quiet_;
  auto loud = core::ScopeExit([this] { --quiet_; });
  bool wasSelected = Selected() == node || (Selected() && Selected()->HasAsParent(node));
  TTreeNode* selected = Selected();
  std::vector<TTreeNode*> expanded;
  for (TTreeNode* n = node; n && (n == node || n->HasAsParent(node)); n = n->GetNext())
    if (n->Expanded()) expanded.push_back(n);
  std::map<TTreeNode*, HTREEITEM> made;
  HTREEITEM oldItem = node->item_;
  if (!CopyItems(node, parent, after, made)) return;
  // The nodes belong to the new items from now on, so the old ones go without them.
  for (auto& [n, item] : made) n->item_ = item;
  SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(oldItem));
  for (TTreeNode* n : expanded) n->Expand();
  if (wasSelected) SetSelected(selected);
}

TTreeNode* TTreeView::FirstNode() const {
  if (!Handle()) return nullptr;
  return NodeFromHandle(reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_ROOT, 0)));
}

int TTreeView::Count() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), TVM_GETCOUNT, 0, 0)) : 0; }

TTreeNode* TTreeView::Selected() const {
  if (!Handle()) return nullptr;
  return NodeFromHandle(reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TTreeView::SetSelected(TTreeNode* node) {
  if (Handle()) SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

TTreeNode* TTreeView::TopItem() const {
  if (!Handle()) return nullptr;
  return NodeFromHandle(reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

void TTreeView::SetTopItem(TTreeNode* node) {
  if (Handle() && node) SendMessageA(Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(node->item_));
}

TTreeNode* TTreeView::DropTarget() const { return dropTarget_; }

// The highlight is set on the item's state as well: the control does not
// move it when nothing is selected or when the target is the selected item.
void TTreeView::SetDropTarget(TTreeNode* node) {
  if (!Handle()) return;
  TTreeNode* old = dropTarget_;
  dropTarget_ = node;
  SendMessageA(Handle(), TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
  if (old && old != node && nodes_.count(old)) old->SetState(0, TVIS_DROPHILITED);
  if (node) node->SetState(TVIS_DROPHILITED, TVIS_DROPHILITED);
}

void TTreeView::FullExpand() {
  for (TTreeNode* n = FirstNode(); n; n = n->NextSibling()) n->Expand(true);
}

void TTreeView::FullCollapse() {
  for (TTreeNode* n = FirstNode(); n; n = n->NextSibling()) n->Collapse(true);
}

void TTreeView::SortChildren(TTreeNode* parent, const std::function<int(TTreeNode& a, TTreeNode& b)>& compare) {
  if (!Handle() || !compare) return;
  TVSORTCB sort = {};
  sort.hParent = parent ? parent->item_ : TVI_ROOT;
  sort.lpfnCompare = [](LPARAM a, LPARAM b, LPARAM data) -> int {
    auto& f = *reinterpret_cast<const std::function<int(TTreeNode&, TTreeNode&)>*>(data);
    return f(*reinterpret_cast<TTreeNode*>(a), *reinterpret_cast<TTreeNode*>(b));
  };
  sort.lParam = reinterpret_cast<LPARAM>(&compare);
  SendMessageA(Handle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

HWND TTreeView::EditHandle() const {
  return Handle() ? reinterpret_cast<HWND>(SendMessageA(Handle(), TVM_GETEDITCONTROL, 0, 0)) : nullptr;
}

bool TTreeView::IsEditing() const { return EditHandle() != nullptr; }

void TTreeView::EndEditing(bool cancel) {
  if (Handle()) SendMessageA(Handle(), TVM_ENDEDITLABELNOW, cancel ? TRUE : FALSE, 0);
}

bool TTreeView::ReadOnly() const { return !Handle() || !(GetWindowLongA(Handle(), GWL_STYLE) & TVS_EDITLABELS); }

void TTreeView::SetReadOnly(bool on) {
  if (!Handle()) return;
  LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  SetWindowLongA(Handle(), GWL_STYLE, on ? style & ~TVS_EDITLABELS : style | TVS_EDITLABELS);
}

TTreeHitTest TTreeView::HitTest(int x, int y) const {
  TTreeHitTest r;
  if (!Handle()) return r;
  TVHITTESTINFO info = {};
  info.pt = {x, y};
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  r.Node = NodeFromHandle(item);
  r.Where = 0;
  static const struct { UINT from; unsigned to; } kMap[] = {
      {TVHT_NOWHERE, htNowhere}, {TVHT_ONITEMLABEL, htOnLabel}, {TVHT_ONITEMICON, htOnIcon},
      {TVHT_ONITEMBUTTON, htOnButton}, {TVHT_ONITEMINDENT, htOnIndent}, {TVHT_ONITEMRIGHT, htOnRight},
      {TVHT_ABOVE, htAbove}, {TVHT_BELOW, htBelow}, {TVHT_TOLEFT, htToLeft}, {TVHT_TORIGHT, htToRight},
  };
  for (const auto& m : kMap)
    if (info.flags & m.from) r.Where |= m.to;
  if (!r.Where) r.Where = htNowhere;
  return r;
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const {
  TTreeHitTest hit = HitTest(x, y);
  return (hit.Where & htOnItem) ? hit.Node : nullptr;
}

void TTreeView::SetImages(TImageList* images) {
  images_ = images;
  if (Handle()) SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

HFONT TTreeView::StyleFont(TFontStyle style) {
  auto it = fonts_.find(style);
  if (it == fonts_.end()) it = fonts_.emplace(style, StyledFont(Font(), style)).first;
  return it->second.get();
}

bool TTreeView::CustomDraw(NMTVCUSTOMDRAW& cd, LRESULT& result) {
  if (!OnCustomDrawItem) return false;
  if (cd.nmcd.dwDrawStage == CDDS_PREPAINT) {
    result = CDRF_NOTIFYITEMDRAW;
    return true;
  }
  if (cd.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return false;
  TTreeItemDraw item;
  item.Node = nodes_.count(reinterpret_cast<TTreeNode*>(cd.nmcd.lItemlParam))
                  ? reinterpret_cast<TTreeNode*>(cd.nmcd.lItemlParam) : nullptr;
  item.Selected = (cd.nmcd.uItemState & CDIS_SELECTED) != 0;
  item.Focused = (cd.nmcd.uItemState & CDIS_FOCUS) != 0;
  item.Hot = (cd.nmcd.uItemState & CDIS_HOT) != 0;
  item.TextColor = cd.clrText;
  item.BackColor = cd.clrTextBk;
  OnCustomDrawItem(item);
  cd.clrText = item.TextColor;
  cd.clrTextBk = item.BackColor;
  result = CDRF_DODEFAULT;
  if (item.FontStyle) {
    SelectObject(cd.nmcd.hdc, StyleFont(item.FontStyle));
    result |= CDRF_NEWFONT;
  }
  return true;
}

bool TTreeView::Notify(NMHDR& header, LRESULT& result) {
  auto nodeOf = [this](const TVITEMA& item) -> TTreeNode* {
    auto* n = reinterpret_cast<TTreeNode*>(item.lParam);
    return nodes_.count(n) ? n : nullptr;
  };
  if (header.code == NM_CUSTOMDRAW) return CustomDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(header), result);
  if (header.code == TVN_DELETEITEMA || header.code == TVN_DELETEITEMW) {
    // A moved node's old item goes, the node stays with its new item.
    auto& nm = reinterpret_cast<NMTREEVIEWA&>(header);
    TTreeNode* n = nodeOf(nm.itemOld);
    if (n && n->item_ == nm.itemOld.hItem) Forget(n);
    return true;
  }
  if (quiet_) return false;
  switch (header.code) {
    case TVN_SELCHANGINGA:
    case TVN_SELCHANGINGW: {
      bool allow = true;
      if (OnChanging) OnChanging(nodeOf(reinterpret_cast<NMTREEVIEWA&>(header).itemNew), allow);
      result = allow ? FALSE : TRUE;
      return true;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      if (OnChange) OnChange(nodeOf(reinterpret_cast<NMTREEVIEWA&>(header).itemNew));
      return true;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      auto& nm = reinterpret_cast<NMTREEVIEWA&>(header);
      bool allow = true;
      auto& handler = (nm.action & TVE_EXPAND) ? OnExpanding : OnCollapsing;
      if (handler) handler(nodeOf(nm.itemNew), allow);
      result = allow ? FALSE : TRUE;
      return true;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
      auto& nm = reinterpret_cast<NMTREEVIEWA&>(header);
      auto& handler = (nm.action & TVE_EXPAND) ? OnExpanded : OnCollapsed;
      if (handler) handler(nodeOf(nm.itemNew));
      return true;
    }
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW: {
      bool allow = true;
      if (OnEditing) OnEditing(nodeOf(reinterpret_cast<NMTVDISPINFOA&>(header).item), allow);
      result = allow ? FALSE : TRUE;
      return true;
    }
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW: {
      auto& nm = reinterpret_cast<NMTVDISPINFOA&>(header);
      TTreeNode* node = nodeOf(nm.item);
      result = FALSE;  // the text is set here, as the handler leaves it
      if (!nm.item.pszText) {
        if (OnCancelEdit) OnCancelEdit(node);
        return true;
      }
      std::string text = header.code == TVN_ENDLABELEDITA ? std::string(nm.item.pszText)
                                                          : FromWide(reinterpret_cast<const wchar_t*>(nm.item.pszText));
      bool accept = true;
      if (OnEdited) OnEdited(node, text, accept);
      if (accept && node && nodes_.count(node)) node->SetText(text);
      return true;
    }
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW: {
      TTreeNode* node = nodeOf(reinterpret_cast<NMTREEVIEWA&>(header).itemNew);
      if (!DragEnabled || !node) return false;
      bool allow = true;
      if (OnStartDrag) OnStartDrag(node, allow);
      if (!allow) return true;
      dragNode_ = node;
      // The keys (Esc) come to the tree while it drags, as the mouse does.
      if (GetFocus() != Handle()) SetFocus(Handle());
      SetCapture(Handle());
      return true;
    }
    case NM_DBLCLK:
      if (OnDblClick) OnDblClick();
      return false;
    case NM_RCLICK: {
      // The control sends its context menu message only when the parent
      // leaves the click alone, which not every parent does: it is sent here.
      const DWORD at = GetMessagePos();
      SendMessageA(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), static_cast<LPARAM>(at));
      result = TRUE;
      return true;
    }
  }
  return false;
}

void TTreeView::DragMove(POINT pt) {
  TTreeHitTest hit = HitTest(pt.x, pt.y);
  TTreeNode* target = (hit.Where & (htOnItem | htOnIndent | htOnRight | htOnButton)) ? hit.Node : nullptr;
  bool accept = target && target != dragNode_ && !target->HasAsParent(dragNode_);
  if (OnDragOver) OnDragOver(dragNode_, target, accept);
  // The handler may have ended the drag (deleting the node, say).
  if (!dragNode_) return;
  SetDropTarget(accept ? target : nullptr);
  SetCursor(LoadCursorA(nullptr, accept ? IDC_ARROW : IDC_NO));
  // Near the top or bottom edge the tree scrolls on.
  RECT client = ClientRect();
  if (pt.y < 8) SendMessageA(Handle(), WM_VSCROLL, SB_LINEUP, 0);
  else if (pt.y > client.bottom - 8) SendMessageA(Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
}

void TTreeView::EndDrag(bool drop) {
  TTreeNode* source = dragNode_;
  if (!source) return;
  TTreeNode* target = drop ? DropTarget() : nullptr;
  dragNode_ = nullptr;
  SetDropTarget(nullptr);
  if (GetCapture() == Handle()) ReleaseCapture();
  if (target && OnDragDrop) OnDragDrop(source, target);
  if (OnEndDrag && nodes_.count(source)) OnEndDrag(source, target != nullptr);
}

void TTreeView::CancelDrag() { EndDrag(false); }

LRESULT TTreeView::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (dragNode_) {
    switch (msg) {
      case WM_MOUSEMOVE:
        DragMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      case WM_LBUTTONUP:
        EndDrag(true);
        return 0;
      case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) CancelDrag();
        return 0;
      case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle()) CancelDrag();
        return 0;
      case WM_SETCURSOR:
        return TRUE;  // DragMove chose it
      case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;  // Esc ends the drag, not the form
    }
  }
  if (msg == WM_SETFONT) fonts_.clear();
  return TControl::WndProc(msg, wParam, lParam);
}

}  // namespace ui
