// The tree view: where nodes go, the data they own, images, label editing,
// dragging with the drop highlight, custom-drawn colours and hit tests.
#include "ui/TreeView.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/ControlsFixture.h"
#include "ui/ImageList.h"

namespace {

// Counts its destructions.
struct TCounted {
  int* count;
  std::string name;
  ~TCounted() { ++*count; }
};

class TreeViewTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ui::TTreeViewParams p(Form(), "", 10, 10, 300, 300);
    p.DragEnabled = true;
    p.Font = font;
    ASSERT_TRUE(tree.Create(p));
  }
  // "A(a1,a2) B": the texts of a level, children in brackets.
  static std::string Shape(ui::TTreeNode* first) {
    std::string s;
    for (ui::TTreeNode* n = first; n; n = n->NextSibling()) {
      if (!s.empty()) s += " ";
      s += n->Text();
      if (n->FirstChild()) s += "(" + Shape(n->FirstChild()) + ")";
    }
    return s;
  }
  std::string Shape() { return Shape(tree.FirstNode()); }
  // The point in the middle of a node's label.
  static POINT LabelPoint(ui::TTreeNode* n) {
    RECT r = n->DisplayRect(true);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  ui::TTreeView tree;
};

TEST_F(TreeViewTest, NodesGoWhereTheyAreInserted) {
  ui::TTreeNode* a = tree.AddChild(nullptr, "基本");
  ui::TTreeNode* b = tree.AddChild(nullptr, "表示");
  tree.AddChild(a, "呼び出しキー");
  tree.AddChildFirst(a, "動作設定");
  tree.Insert(b, "入力");
  tree.InsertAfter(a, "ショートカット登録");
  tree.Add(a, "登録");
  tree.AddChildFirst(nullptr, "最初");
  EXPECT_EQ(Shape(), "最初 基本(動作設定 呼び出しキー) ショートカット登録 入力 表示 登録");
  EXPECT_EQ(tree.Count(), 8);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(a->Count(), 2);
  EXPECT_EQ(a->FirstChild()->Level(), 1);
  EXPECT_EQ(a->FirstChild()->Parent(), a);
  EXPECT_EQ(a->LastChild()->Text(), "呼び出しキー");
  EXPECT_TRUE(a->LastChild()->HasAsParent(a));
  EXPECT_FALSE(a->HasAsParent(a->LastChild()));
  // Tree order: children first.
  std::vector<std::string> order;
  for (ui::TTreeNode* n = tree.FirstNode(); n; n = n->GetNext()) order.push_back(n->Text());
  EXPECT_EQ(order, (std::vector<std::string>{"最初", "基本", "動作設定", "呼び出しキー", "ショートカット登録", "入力",
                                            "表示", "登録"}));
  b->SetText("表示ソ");
  EXPECT_EQ(b->Text(), "表示ソ");
  EXPECT_EQ(tree.NodeFromHandle(b->Handle()), b);
}

TEST_F(TreeViewTest, DataGoesWithItsNodeAndStaysWhenMoved) {
  int freed = 0;
  ui::TTreeNode* group = tree.AddChild(nullptr, "グループ");
  ui::TTreeNode* item = tree.AddChild(group, "項目");
  ui::TTreeNode* kept = tree.AddChild(group, "残す");
  ui::TTreeNode* other = tree.AddChild(nullptr, "他");
  group->SetData(std::make_unique<TCounted>(&freed, "g"));
  item->SetData(std::make_unique<TCounted>(&freed, "i"));
  kept->SetData(std::make_unique<TCounted>(&freed, "k"));
  other->SetData(std::make_unique<TCounted>(&freed, "o"));
  EXPECT_EQ(item->Data<TCounted>()->name, "i");
  EXPECT_EQ(item->Data<int>(), nullptr) << "data of another type is none";

  // What keeps node pointers hears of each node that goes, data still there.
  std::vector<std::string> gone;
  tree.OnDeletion = [&](ui::TTreeNode* n) {
    auto* d = n->Data<TCounted>();
    gone.push_back(d ? d->name : "-");
  };
  std::unique_ptr<TCounted> taken = kept->TakeData<TCounted>();
  ASSERT_TRUE(taken);
  group->MoveTo(other, ui::TNodeAttachMode::AddChild);
  EXPECT_EQ(freed, 0) << "a move frees nothing";
  EXPECT_TRUE(gone.empty()) << "a moved node stays";
  EXPECT_EQ(Shape(), "他(グループ(項目 残す))");
  EXPECT_EQ(group->Parent(), other) << "the same node objects, at their new place";
  EXPECT_EQ(item->Data<TCounted>()->name, "i");

  tree.Delete(group);
  EXPECT_EQ(freed, 2) << "the group's data and its child's";
  EXPECT_EQ(Shape(), "他");
  std::sort(gone.begin(), gone.end());
  EXPECT_EQ(gone, (std::vector<std::string>{"-", "g", "i"})) << "each node of the branch, once";
  taken.reset();
  EXPECT_EQ(freed, 3);
  gone.clear();
  tree.Clear();
  EXPECT_EQ(freed, 4);
  EXPECT_EQ(gone, std::vector<std::string>{"o"});
  tree.OnDeletion = nullptr;

  tree.AddChild(nullptr, "最後")->SetData(std::make_unique<TCounted>(&freed, "l"));
  {
    ui::TTreeView another;
    ASSERT_TRUE(another.Create(ui::TTreeViewParams(Form(), "", 320, 10, 100, 100)));
    another.AddChild(another.AddChild(nullptr, "x"), "y")->SetData(std::make_unique<TCounted>(&freed, "y"));
  }
  EXPECT_EQ(freed, 5) << "a tree that goes frees its nodes' data";
}

TEST_F(TreeViewTest, MovesTakeTheSubtreeToTheirPlace) {
  struct TCase {
    const char* name;
    ui::TNodeAttachMode mode;
    const char* target;
    const char* shape;
  };
  const TCase cases[] = {
      {"before a sibling further down", ui::TNodeAttachMode::Insert, "C", "B A(a1) C"},
      {"after a sibling", ui::TNodeAttachMode::InsertAfter, "C", "B C A(a1)"},
      {"into a node", ui::TNodeAttachMode::AddChildFirst, "B", "B(A(a1)) C"},
      {"last at its level", ui::TNodeAttachMode::Add, "B", "B C A(a1)"},
      {"first at its level", ui::TNodeAttachMode::AddFirst, "C", "A(a1) B C"},
      {"onto its own child", ui::TNodeAttachMode::AddChild, "a1", "A(a1) B C"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    tree.Clear();
    ui::TTreeNode* a = tree.AddChild(nullptr, "A");
    ui::TTreeNode* a1 = tree.AddChild(a, "a1");
    ui::TTreeNode* b = tree.AddChild(nullptr, "B");
    ui::TTreeNode* cNode = tree.AddChild(nullptr, "C");
    a->Expand();
    a1->SetCut(true);
    ui::TTreeNode* target = std::string(c.target) == "B" ? b : std::string(c.target) == "C" ? cNode : a1;
    a->MoveTo(target, c.mode);
    EXPECT_EQ(Shape(), c.shape);
    EXPECT_TRUE(a->Expanded()) << "the moved node stays expanded";
    EXPECT_TRUE(a1->Cut()) << "and its children keep their state";
    EXPECT_EQ(a1->Parent(), a);
  }
}

TEST_F(TreeViewTest, ImagesComeFromTheImageList) {
  ui::TImageList images(16, 16);
  HICON icon = static_cast<HICON>(LoadImageA(nullptr, IDI_APPLICATION, IMAGE_ICON, 16, 16, LR_SHARED));
  ASSERT_EQ(images.AddIcon(icon), 0);
  ASSERT_EQ(images.AddIcon(icon), 1);
  ui::TTreeNode* plain = tree.AddChild(nullptr, "画像なし");
  int leftWithout = plain->DisplayRect(true).left;
  tree.SetImages(&images);
  ui::TTreeNode* pictured = tree.AddChild(nullptr, "画像あり");
  pictured->SetImageIndex(1);
  pictured->SetSelectedIndex(0);
  EXPECT_EQ(pictured->ImageIndex(), 1);
  EXPECT_EQ(pictured->SelectedIndex(), 0);
  EXPECT_GE(pictured->DisplayRect(true).left, leftWithout + 16) << "the label stands right of the image";
  pictured->SetImageIndex(-1);
  EXPECT_EQ(pictured->ImageIndex(), -1);
  tree.SetImages(nullptr);
}

TEST_F(TreeViewTest, LabelsAreEditedInPlace) {
  ui::TTreeNode* node = tree.AddChild(nullptr, "古い名前");
  tree.AddChild(nullptr, "他");
  std::vector<std::string> seen;
  bool allowEdit = true, accept = true;
  tree.OnEditing = [&](ui::TTreeNode* n, bool& allow) {
    seen.push_back("editing " + n->Text());
    allow = allowEdit;
  };
  tree.OnEdited = [&](ui::TTreeNode* n, std::string& text, bool& ok) {
    seen.push_back("edited " + text);
    ok = accept;
    text += "(0)";  // the handler may change the text it accepts
    (void)n;
  };
  tree.OnCancelEdit = [&](ui::TTreeNode*) { seen.push_back("cancel"); };

  node->EditText();
  ASSERT_TRUE(tree.IsEditing());
  SetWindowTextA(tree.EditHandle(), "新しい名前");
  Press({VK_RETURN});
  EXPECT_FALSE(tree.IsEditing());
  EXPECT_EQ(node->Text(), "新しい名前(0)");

  accept = false;
  node->EditText();
  SetWindowTextA(tree.EditHandle(), "拒否");
  Press({VK_RETURN});
  EXPECT_EQ(node->Text(), "新しい名前(0)");

  node->EditText();
  Press({VK_ESCAPE});
  EXPECT_FALSE(tree.IsEditing());

  allowEdit = false;
  node->EditText();
  EXPECT_FALSE(tree.IsEditing());
  tree.SetReadOnly(true);
  allowEdit = true;
  node->EditText();
  EXPECT_FALSE(tree.IsEditing()) << "a read-only tree edits nothing";
  EXPECT_EQ(seen, (std::vector<std::string>{"editing 古い名前", "edited 新しい名前", "editing 新しい名前(0)",
                                           "edited 拒否", "editing 新しい名前(0)", "cancel",
                                           "editing 新しい名前(0)"}));
}

TEST_F(TreeViewTest, DraggingHighlightsTheTargetAndDropsThere) {
  ui::TTreeNode* a = tree.AddChild(nullptr, "ドラッグする");
  ui::TTreeNode* a1 = tree.AddChild(a, "その子");
  ui::TTreeNode* b = tree.AddChild(nullptr, "途中");
  ui::TTreeNode* c = tree.AddChild(nullptr, "落とす先");
  a->Expand();
  std::vector<std::string> seen;
  ui::TTreeNode* highlightedOverC = nullptr;
  ui::TTreeNode* highlightedOverChild = a;
  tree.OnStartDrag = [&](ui::TTreeNode* n, bool&) { seen.push_back("start " + n->Text()); };
  tree.OnDragDrop = [&](ui::TTreeNode* s, ui::TTreeNode* t) { seen.push_back("drop " + s->Text() + " on " + t->Text()); };
  tree.OnEndDrag = [&](ui::TTreeNode* s, bool dropped) { seen.push_back(std::string("end ") + (dropped ? "dropped" : "cancelled")); (void)s; };

  // The control waits in its button-down for the mouse to move far enough:
  // the moves are queued with the press.
  POINT from = LabelPoint(a);
  MouseTo(tree.Handle(), from.x, from.y);
  Drain();
  Button(true);
  for (int dy = 2; dy <= 12; dy += 2) MouseTo(tree.Handle(), from.x + dy, from.y + dy);
  Drain();
  ASSERT_TRUE(PumpUntil([&] { return tree.Dragging(); })) << "the drag starts once the mouse moved far enough";
  POINT over = LabelPoint(a1);
  MouseTo(tree.Handle(), over.x, over.y);
  Drain();
  highlightedOverChild = tree.DropTarget();
  over = LabelPoint(c);
  MouseTo(tree.Handle(), over.x, over.y);
  Drain();
  highlightedOverC = tree.DropTarget();
  auto hilited = [&](ui::TTreeNode* n) {
    return (SendMessageA(tree.Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(n->Handle()), TVIS_DROPHILITED) &
            TVIS_DROPHILITED) != 0;
  };
  bool drawnHighlighted = hilited(c);
  Button(false);
  Drain();
  EXPECT_TRUE(drawnHighlighted) << "the target is drawn as a drop target";
  EXPECT_FALSE(hilited(c));
  EXPECT_EQ(highlightedOverChild, nullptr) << "no drop on the dragged node's own child";
  EXPECT_EQ(highlightedOverC, c);
  EXPECT_EQ(tree.DropTarget(), nullptr) << "the highlight goes with the drag";
  EXPECT_FALSE(tree.Dragging());
  EXPECT_EQ(seen, (std::vector<std::string>{"start ドラッグする", "drop ドラッグする on 落とす先", "end dropped"}));

  // Esc cancels a drag.
  seen.clear();
  from = LabelPoint(b);
  MouseTo(tree.Handle(), from.x, from.y);
  Drain();
  Button(true);
  for (int dy = 2; dy <= 12; dy += 2) MouseTo(tree.Handle(), from.x + dy, from.y + dy);
  Drain();
  ASSERT_TRUE(PumpUntil([&] { return tree.Dragging(); }));
  Press({VK_ESCAPE});
  EXPECT_FALSE(tree.Dragging());
  Button(false);
  Drain();
  EXPECT_EQ(seen, (std::vector<std::string>{"start 途中", "end cancelled"}));
}

TEST_F(TreeViewTest, CustomDrawSetsColoursAndStyleOfEachItem) {
  tree.AddChild(nullptr, "同じ文字");
  tree.AddChild(nullptr, "同じ文字");
  ui::TTreeNode* second = tree.FirstNode()->NextSibling();
  ui::TTreeNode* plain = tree.AddChild(nullptr, "ふつう");
  std::vector<ui::TTreeNode*> drawn;
  tree.OnCustomDrawItem = [&](ui::TTreeItemDraw& item) {
    drawn.push_back(item.Node);
    if (item.Node == plain) return;
    item.TextColor = RGB(255, 0, 0);
    item.BackColor = RGB(255, 255, 255);
    if (item.Node == second) item.FontStyle = ui::fsBold;
  };
  tree.SetSelected(nullptr);
  TSnapshot shot(tree.Handle());
  EXPECT_EQ(drawn.size(), 3u);
  auto redSpan = [&](ui::TTreeNode* n) {
    RECT r = n->DisplayRect(false);
    int first = -1, last = -1;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = 0; x < shot.Width; ++x)
        if (TSnapshot::Near(shot.At(x, y), RGB(255, 0, 0), 70)) {
          if (first < 0 || x < first) first = x;
          if (x > last) last = x;
        }
    return first < 0 ? 0 : last - first + 1;
  };
  int normal = redSpan(tree.FirstNode()), bold = redSpan(second);
  EXPECT_GT(normal, 10) << "the text is drawn in the colour the handler chose";
  EXPECT_GT(bold, normal) << "a bold label is wider";
  EXPECT_EQ(redSpan(plain), 0);
}

TEST_F(TreeViewTest, HitTestTellsWhereAPointLies) {
  ui::TTreeNode* parent = tree.AddChild(nullptr, "親");
  tree.AddChild(parent, "子");
  ui::TTreeNode* last = tree.AddChild(nullptr, "最後");
  RECT label = parent->DisplayRect(true);
  int midY = (label.top + label.bottom) / 2;
  struct TCase {
    const char* name;
    int x, y;
    ui::TTreeNode* node;
    unsigned where;
  };
  const TCase cases[] = {
      {"on the label", (label.left + label.right) / 2, midY, parent, ui::htOnLabel},
      {"right of it", label.right + 40, midY, parent, ui::htOnRight},
      {"on the button", label.left - 10, midY, parent, ui::htOnButton},
      {"below every item", 20, last->DisplayRect(false).bottom + 40, nullptr, ui::htNowhere},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::TTreeHitTest hit = tree.HitTest(c.x, c.y);
    EXPECT_EQ(hit.Node, c.node);
    EXPECT_TRUE(hit.Where & c.where) << hit.Where;
  }
  EXPECT_EQ(tree.GetNodeAt((label.left + label.right) / 2, midY), parent);
  EXPECT_EQ(tree.GetNodeAt(label.right + 40, midY), nullptr);
}

TEST_F(TreeViewTest, SelectionAndExpansionByTheUserAreReported) {
  ui::TTreeNode* a = tree.AddChild(nullptr, "甲");
  tree.AddChild(a, "甲の子");
  ui::TTreeNode* b = tree.AddChild(nullptr, "乙");
  std::vector<std::string> seen;
  bool allowChange = true, allowExpand = true;
  tree.OnChanging = [&](ui::TTreeNode* n, bool& allow) {
    seen.push_back("changing " + n->Text());
    allow = allowChange;
  };
  tree.OnChange = [&](ui::TTreeNode* n) { seen.push_back("change " + (n ? n->Text() : std::string("none"))); };
  tree.OnExpanding = [&](ui::TTreeNode* n, bool& allow) {
    seen.push_back("expanding " + n->Text());
    allow = allowExpand;
  };
  tree.OnExpanded = [&](ui::TTreeNode* n) { seen.push_back("expanded " + n->Text()); };

  ClickAt(tree.Handle(), LabelPoint(b));
  EXPECT_EQ(tree.Selected(), b);
  allowChange = false;
  ClickAt(tree.Handle(), LabelPoint(a));
  EXPECT_EQ(tree.Selected(), b) << "a refused change keeps the selection";
  allowChange = true;
  tree.SetSelected(a);  // the control reports a selection from code too
  EXPECT_EQ(tree.Selected(), a);
  allowExpand = false;
  RECT r = a->DisplayRect(true);
  ClickAt(tree.Handle(), r.left - 10, (r.top + r.bottom) / 2);
  EXPECT_FALSE(a->Expanded());
  allowExpand = true;
  ClickAt(tree.Handle(), r.left - 10, (r.top + r.bottom) / 2);
  EXPECT_TRUE(a->Expanded());
  EXPECT_EQ(seen, (std::vector<std::string>{"changing 乙", "change 乙", "changing 甲", "changing 甲", "change 甲",
                                           "expanding 甲", "expanding 甲", "expanded 甲"}));
}

}  // namespace
