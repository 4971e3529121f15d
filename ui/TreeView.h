// A tree view of the common controls (SysTreeView32) whose items are
// TTreeNode objects owned by the tree. A node lives as long as its item: it
// goes, with the data it holds, when the item is deleted (by Delete, Clear,
// or the control's destruction); moving a node keeps the object and its data.
//
// Nodes go in as the last or first child of a node (or of the root), or just
// before or after a node. Images come from an image list the tree shows but
// does not own. Labels can be edited in place unless the tree is read-only.
// With DragEnabled the user drags a node with the left button: the node under
// the pointer is highlighted as the drop target while OnDragOver accepts it,
// and releasing the button there fires OnDragDrop; Esc cancels. OnCustomDrawItem
// changes the colours and font style of each item as it is drawn.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/Control.h"
#include "core/Handles.h"
#include "ui/Label.h"

namespace ui {

class TImageList;
class TTreeView;

enum class TNodeAttachMode {
  Add,            // the last sibling of the target
  AddFirst,       // the first sibling of the target
  AddChild,       // the last child of the target (of the root for none)
  AddChildFirst,  // the first child of the target (of the root for none)
  Insert,         // just before the target
  InsertAfter,    // just after the target
};

class TTreeNode {
 public:
  TTreeView& TreeView() const { return *tree_; }
  HTREEITEM Handle() const { return item_; }

  std::string Text() const;
  void SetText(std::string_view text);
  int ImageIndex() const;  // -1: none
  void SetImageIndex(int index);
  int SelectedIndex() const;  // the image while selected
  void SetSelectedIndex(int index);

  TTreeNode* Parent() const;
  TTreeNode* FirstChild() const;
  TTreeNode* LastChild() const;
  TTreeNode* NextSibling() const;
  TTreeNode* PrevSibling() const;
  // The next node in tree order (children first), or null after the last.
  TTreeNode* GetNext() const;
  TTreeNode* NextVisible() const;
  TTreeNode* PrevVisible() const;
  // The place among the siblings (0 for the first).
  int Index() const;
  int Count() const;  // children
  bool HasChildren() const { return FirstChild() != nullptr; }
  int Level() const;  // 0 at the root
  // True when ancestor is this node's parent, grandparent...
  bool HasAsParent(const TTreeNode* ancestor) const;

  bool Expanded() const;
  void Expand(bool recurse = false);
  void Collapse(bool recurse = false);
  bool Selected() const;
  void Select();
  // Greyed, as a node that has been cut.
  bool Cut() const;
  void SetCut(bool on);
  bool Bold() const;
  void SetBold(bool on);
  void MakeVisible();
  // Starts editing the label in place.
  void EditText();
  // The item's rectangle (the label's only with textOnly) in client coordinates.
  RECT DisplayRect(bool textOnly) const;

  void Delete();
  void DeleteChildren();
  void MoveTo(TTreeNode* target, TNodeAttachMode mode);

  // The node's data: owned by the node, freed with it.
  template <class T>
  T* Data() const {
    auto* h = dynamic_cast<THolder<T>*>(data_.get());
    return h ? h->value.get() : nullptr;
  }
  template <class T>
  void SetData(std::unique_ptr<T> value) {
    auto h = std::make_unique<THolder<T>>();
    h->value = std::move(value);
    data_ = std::move(h);
  }
  // Takes the data out of the node: the caller owns it from then on.
  template <class T>
  std::unique_ptr<T> TakeData() {
    auto* h = dynamic_cast<THolder<T>*>(data_.get());
    if (!h) return nullptr;
    std::unique_ptr<T> value = std::move(h->value);
    data_.reset();
    return value;
  }
  bool HasData() const { return data_ != nullptr; }
  void ClearData() { data_.reset(); }

 private:
  friend class TTreeView;
  explicit TTreeNode(TTreeView* tree) : tree_(tree) {}
  struct THolderBase {
    virtual ~THolderBase() = default;
  };
  template <class T>
  struct THolder : THolderBase {
    std::unique_ptr<T> value;
  };
  TTreeNode* Relative(UINT relation) const;
  UINT State(UINT mask) const;
  void SetState(UINT state, UINT mask);

  TTreeView* tree_;
  HTREEITEM item_ = nullptr;
  std::unique_ptr<THolderBase> data_;
};

struct TTreeViewParams : TControlParams {
  using TControlParams::TControlParams;
  bool ShowLines = true;
  bool ShowRoot = true;
  bool ShowButtons = true;
  bool ReadOnly = false;  // no label editing
  bool HideSelection = false;
  bool RowSelect = false;
  bool HotTrack = false;
  bool Border = true;
  bool DragEnabled = false;
};

// One item as it is drawn: the handler changes the colours and the style.
struct TTreeItemDraw {
  TTreeNode* Node = nullptr;
  bool Selected = false;
  bool Focused = false;  // the selected item of a focused tree
  bool Hot = false;      // under the pointer (hot-tracking)
  COLORREF TextColor = 0;
  COLORREF BackColor = 0;
  TFontStyle FontStyle = 0;
};

// Where a point lies relative to the items.
enum : unsigned {
  htNowhere = 1, htOnLabel = 2, htOnIcon = 4, htOnButton = 8, htOnIndent = 16, htOnRight = 32,
  htAbove = 64, htBelow = 128, htToLeft = 256, htToRight = 512,
  htOnItem = htOnLabel | htOnIcon,
};
struct TTreeHitTest {
  TTreeNode* Node = nullptr;
  unsigned Where = htNowhere;
};

class TTreeView : public TControl {
 public:
  using TParams = TTreeViewParams;
  TTreeView() = default;
  ~TTreeView() override;
  bool Create(const TTreeViewParams& p);

  std::function<void(TTreeNode* node)> OnChange;  // the selection changed (null: none)
  std::function<void(TTreeNode* node, bool& allow)> OnChanging;
  std::function<void(TTreeNode* node, bool& allow)> OnExpanding;  // by the user
  std::function<void(TTreeNode* node, bool& allow)> OnCollapsing;
  std::function<void(TTreeNode* node)> OnExpanded;
  std::function<void(TTreeNode* node)> OnCollapsed;
  std::function<void(TTreeNode* node, bool& allow)> OnEditing;
  // The edit ended with a text: accept it (possibly changed) or refuse it.
  std::function<void(TTreeNode* node, std::string& text, bool& accept)> OnEdited;
  std::function<void(TTreeNode* node)> OnCancelEdit;
  std::function<void()> OnDblClick;
  std::function<void(TTreeNode* node, bool& allow)> OnStartDrag;
  // accept starts as: a target that is neither the dragged node nor below it.
  std::function<void(TTreeNode* source, TTreeNode* target, bool& accept)> OnDragOver;
  std::function<void(TTreeNode* source, TTreeNode* target)> OnDragDrop;
  std::function<void(TTreeNode* source, bool dropped)> OnEndDrag;
  std::function<void(TTreeItemDraw& item)> OnCustomDrawItem;
  // A node is about to go (each node of a deleted branch; never a moved node,
  // which stays): what keeps pointers to nodes lets go of it here.
  std::function<void(TTreeNode* node)> OnDeletion;

  // New nodes; a null parent is the root. Null when the item could not be made.
  TTreeNode* AddChild(TTreeNode* parent, std::string_view text);
  TTreeNode* AddChildFirst(TTreeNode* parent, std::string_view text);
  TTreeNode* Insert(TTreeNode* before, std::string_view text);  // null: last at the root
  TTreeNode* InsertAfter(TTreeNode* after, std::string_view text);
  TTreeNode* Add(TTreeNode* sibling, std::string_view text);  // the last sibling
  void Delete(TTreeNode* node);
  void Clear();
  // Moves the node with its children (the objects and their data stay); a
  // move onto itself or below itself does nothing.
  void MoveNode(TTreeNode* node, TTreeNode* target, TNodeAttachMode mode);

  TTreeNode* FirstNode() const;  // the first node at the root
  int Count() const;             // every node
  TTreeNode* NodeFromHandle(HTREEITEM item) const;
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* node);
  TTreeNode* TopItem() const;  // the first visible node
  void SetTopItem(TTreeNode* node);
  TTreeNode* DropTarget() const;
  void SetDropTarget(TTreeNode* node);
  void FullExpand();
  void FullCollapse();
  // Sorts the children of parent (null: the root) by compare (< 0: a first).
  void SortChildren(TTreeNode* parent, const std::function<int(TTreeNode& a, TTreeNode& b)>& compare);

  bool IsEditing() const;
  HWND EditHandle() const;
  void EndEditing(bool cancel);
  bool ReadOnly() const;
  void SetReadOnly(bool on);

  TTreeHitTest HitTest(int x, int y) const;
  // The node whose label or image is at the point, or null.
  TTreeNode* GetNodeAt(int x, int y) const;

  void SetImages(TImageList* images);
  TImageList* Images() const { return images_; }

  bool DragEnabled = false;
  // Turns the user's drags on or off after creation.
  void SetDragEnabled(bool on);
  bool Dragging() const { return dragNode_ != nullptr; }
  TTreeNode* DragNode() const { return dragNode_; }
  void CancelDrag();

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TTreeNode;
  TTreeNode* InsertItem(HTREEITEM parent, HTREEITEM after, std::string_view text);
  HTREEITEM CopyItems(TTreeNode* node, HTREEITEM parent, HTREEITEM after, std::map<TTreeNode*, HTREEITEM>& made);
  void Forget(TTreeNode* node);
  bool CustomDraw(NMTVCUSTOMDRAW& cd, LRESULT& result);
  HFONT StyleFont(TFontStyle style);
  void DragMove(POINT pt);
  void EndDrag(bool drop);

  std::unordered_map<TTreeNode*, std::unique_ptr<TTreeNode>> nodes_;
  TImageList* images_ = nullptr;
  int quiet_ = 0;  // no events while nodes are moved
  TTreeNode* dragNode_ = nullptr;
  TTreeNode* dropTarget_ = nullptr;
  std::map<TFontStyle, core::TUniqueFont> fonts_;
};

}  // namespace ui
