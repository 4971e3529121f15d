// The keyword manager window of unit URZEditorMain.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/KeyWordX.h"
#include "core/OSUtils.h"
#include "editor/TreeViewUtils.h"
#include "editor/URZEditorMain.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/CopyData.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"
#include "ui/Panel.h"

namespace {

using ui::Kind;

constexpr int kDesignWidth = 458;
constexpr int kDesignHeight = 494;

// The pictures of the tree, by image index.
constexpr const char* kImageFiles[] = {"excommand_small.ico", "normalcommand_small.ico", "systemcommand_small.ico",
                                       "groupcommand_small2.ico"};

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<ui::TTreeView>, "TreeView1",     "",       "",               8,   8, 340, 300, 0, ui::akLeft | ui::akTop | ui::akRight | ui::akBottom},
  {Kind<ui::TButton>,   "NewButton",     "",       "新規作成(&N)",  358,   8,  82,  25, 0, ui::akTop | ui::akRight},
  {Kind<ui::TButton>,   "EditButton",    "",       "編集(&E)",      358,  40,  82,  25, 0, ui::akTop | ui::akRight},
  {Kind<ui::TButton>,   "DeleteButton",  "",       "削除(&D)",      358,  72,  82,  25, 0, ui::akTop | ui::akRight},
  {Kind<ui::TPanel>,    "BottomPanel",   "",       "",               0, 314, 450, 153, 0, ui::akLeft | ui::akRight | ui::akBottom},
  {Kind<ui::TImage>,    "ItemIcon",      "BottomPanel", "",         12,   8,  32,  32, SS_NOTIFY},
  {Kind<ui::TLabel>,    "PlaceLabel",    "BottomPanel", "場所",     56,   8,  48,  14},
  {Kind<ui::TLabel>,    "PlaceText",     "BottomPanel", "",        108,   8, 334,  14, 0, ui::akLeft | ui::akTop | ui::akRight},
  {Kind<ui::TLabel>,    "KindLabel",     "BottomPanel", "種類",     56,  28,  48,  14},
  {Kind<ui::TLabel>,    "KindText",      "BottomPanel", "",        108,  28, 334,  14, 0, ui::akLeft | ui::akTop | ui::akRight},
  {Kind<ui::TLabel>,    "CommentLabel",  "BottomPanel", "コメント", 56,  48,  48,  14},
  {Kind<ui::TLabel>,    "CommentText",   "BottomPanel", "",        108,  48, 334,  56, 0, ui::akLeft | ui::akTop | ui::akRight},
  {Kind<ui::TButton>,   "OKButton",      "BottomPanel", "OK",      150, 116,  80,  25},
  {Kind<ui::TButton>,   "CancelButton",  "BottomPanel", "キャンセル", 250, 116, 80, 25},
  {Kind<ui::TButton>,   "ApplyButton",   "BottomPanel", "適用(&A)", 350, 116, 80,  25},
  {Kind<ui::TCheckBox>, "ZOrderCheck",   "BottomPanel", "",        386, 120,  17,  17},
  {Kind<ui::TButton>,   "HelpButton",    "BottomPanel", "?",       410, 116,  25,  25},
};
// clang-format on

}  // namespace

TRZEditorMain::TRZEditorMain(TManagerRequestRunner runRequest)
    : TDropFormLite(nullptr), runRequest_(std::move(runRequest)) {
  ui::TFormParams p;
  p.ClassName = kManagerClassName;
  p.Caption = kManagerCaption;
  p.BorderStyle = ui::TBorderStyle::Sizeable;
  p.Width = kDesignWidth;
  p.Height = kDesignHeight;
  Create(p);
  BuildLayout(kRows);
  FormCreate();
  EditorState().Window = this;
}

TRZEditorMain::~TRZEditorMain() {
  if (EditorState().Window == this) EditorState().Window = nullptr;
  // The tree lets go of the images before they go.
  if (auto* tree = FindControl<ui::TTreeView>("TreeView1")) tree->SetImages(nullptr);
}

ui::TTreeView& TRZEditorMain::TreeView1() const { return Control<ui::TTreeView>("TreeView1"); }
ui::TLabel& TRZEditorMain::PlaceText() const { return Control<ui::TLabel>("PlaceText"); }
ui::TLabel& TRZEditorMain::KindText() const { return Control<ui::TLabel>("KindText"); }
ui::TLabel& TRZEditorMain::CommentText() const { return Control<ui::TLabel>("CommentText"); }
ui::TImage& TRZEditorMain::ItemIcon() const { return Control<ui::TImage>("ItemIcon"); }

int TRZEditorMain::ImageOfType(int type) {
  switch (type) {
    case kTypeCommand: return 1;
    case kTypeSystem: return 2;
    case kTypeGroup: return 3;
    default: return 0;
  }
}

void TRZEditorMain::FormCreate() {
  TEditorState& state = EditorState();
  if (!manager_) manager_ = std::make_unique<TKeyWordManager>(state.ItemsDir, state.MainDir);

  ui::TTreeView& tree = TreeView1();
  tree.OnChange = [this](ui::TTreeNode* node) { TreeView1Change(node); };
  LoadImages();
  tree.SetImages(&images_);
  BuildSubTree(nullptr, "");
  FillPanel(nullptr);
  // A click on the icon runs the keyword, to try it.
  ItemIcon().OnMouseUp = [this](ui::TMouseEvent&) { TestRun(); };

  OnCopyData = [this](ui::TCopyDataEvent& e) {
    std::string text;
    const bool request = ui::CopyDataText(reinterpret_cast<const COPYDATASTRUCT*>(e.LParam), text);
    CopyData(text, request);
    e.Answer(TRUE);
  };

  okAction_.OnExecute = [this] { OKActionExecute(); };
  cancelAction_.OnExecute = [this] { CancelActionExecute(); };
  applyAction_.OnExecute = [this] { ApplyActionExecute(); };
  applyAction_.OnUpdate = [this] { applyAction_.SetEnabled(modified_); };
  zOrderAction_.AutoCheck = true;
  zOrderAction_.SetShortCut(static_cast<WORD>('Z' | 0x8000));  // Alt+Z
  zOrderAction_.OnExecute = [this] { ZOrderChange(); };
  deleteAction_.SetSecondaryShortCuts({static_cast<WORD>(VK_DELETE | 0x2000)});
  deleteAction_.OnUpdate = [this] { deleteAction_.SetEnabled(HasItem()); };
  deleteAction_.OnExecute = [this] { DeleteActionExecute(); };
  upNode_.SetSecondaryShortCuts({static_cast<WORD>(VK_UP | 0x4000)});
  upNode_.OnUpdate = [this] {
    ui::TTreeNode* node = TreeView1().Selected();
    upNode_.SetEnabled(!TreeView1().IsEditing() && node && node->PrevSibling());
  };
  upNode_.OnExecute = [this] { UpNodeExecute(); };
  downNode_.SetSecondaryShortCuts({static_cast<WORD>(VK_DOWN | 0x4000)});
  downNode_.OnUpdate = [this] {
    ui::TTreeNode* node = TreeView1().Selected();
    downNode_.SetEnabled(node && node->NextSibling());
  };
  downNode_.OnExecute = [this] { DownNodeExecute(); };
  reNameAction_.OnUpdate = [this] { reNameAction_.SetEnabled(HasItem()); };
  reNameAction_.OnExecute = [this] { ReNameActionExecute(); };
  helpAction_.OnExecute = [this] { HelpActionExecute(); };
  tree.OnEdited = [this](ui::TTreeNode* node, std::string& text, bool& accept) { TreeView1Edited(node, text, accept); };
  for (ui::TAction* a : {&okAction_, &cancelAction_, &applyAction_, &zOrderAction_, &deleteAction_, &upNode_, &downNode_,
                         &reNameAction_, &helpAction_})
    actions_.Add(a);
  helpAction_.LinkControl(Control("HelpButton").Handle());
  okAction_.LinkControl(Control("OKButton").Handle());
  cancelAction_.LinkControl(Control("CancelButton").Handle());
  applyAction_.LinkControl(Control("ApplyButton").Handle());
  zOrderAction_.LinkControl(Control("ZOrderCheck").Handle());
  SetUpTreeOperations();

  BindEditActions();
  actions_.OnUpdate = [this](ui::TAction&, bool&) { ActionList1Update(); };
  ActionList1Update();

  OnResize = [this](ui::TSizeEvent&) { FormResize(); };
  OnClose = [this](ui::TCloseAction&) { FormClose(); };

  if (state.Dialogs.ReadInteger("TopMost", 0) == 1) zOrderAction_.Execute();
  ApplyPlacement();
  FormResize();

  if (!state.NewItem.empty())
    if (ui::TTreeNode* node = FindNode(state.NewItem)) node->Select();
  if (!state.SelectKeyword.empty())
    if (ui::TTreeNode* node = FindNode(state.SelectKeyword)) node->Select();
}

void TRZEditorMain::LoadImages() {
  COLORREF back = TreeView_GetBkColor(TreeView1().Handle());
  images_.SetBkColor(back == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_WINDOW) : back);
  const std::string icons = FilePathsInstance().IconsDir + "\\";
  for (size_t i = 0; i < imageSlots_.size(); ++i) {
    const std::string path = icons + kImageFiles[i];
    // A picture that cannot be loaded is left out; its nodes show none.
    if (!fileio::FileExists(path)) continue;
    core::TUniqueIcon icon = LoadKeyWordIcon(path, 0);
    if (icon) imageSlots_[i] = images_.AddIcon(icon.get());
  }
}

void TRZEditorMain::BuildSubTree(ui::TTreeNode* node, const std::string& groupPath) {
  for (const std::unique_ptr<TKeyWordX>& item : manager_->GetKeyWords(groupPath)) {
    ui::TTreeNode* child = TreeView1().AddChild(node, item->Name);
    const int image = imageSlots_[ImageOfType(item->GetType())];
    child->SetImageIndex(image);
    child->SetSelectedIndex(image);
    if (item->GetType() == kTypeGroup) BuildSubTree(child, item->GetKeyWord());
  }
}

ui::TTreeNode* TRZEditorMain::FindNode(const std::string& path) { return FindTreeNode(path, TreeView1(), false); }

void TRZEditorMain::TreeView1Change(ui::TTreeNode* node) {
  ui::TTreeView& tree = TreeView1();
  if (node && node == tree.TopItem())
    if (ui::TTreeNode* before = node->PrevVisible()) tree.SetTopItem(before);
  current_.reset();
  if (node) current_ = manager_->FindKeyWord(GetNodeKeywordName(node));
  FillPanel(current_.get());
}

void TRZEditorMain::FillPanel(TKeyWordX* item) {
  if (!item) {
    PlaceText().SetCaption("");
    KindText().SetCaption("");
    CommentText().SetCaption("");
    ItemIcon().SetIcon(core::TUniqueIcon());
    return;
  }
  PlaceText().SetCaption(item->GetKeyWord());
  KindText().SetCaption(KeywordTypeName(item->GetType()));
  CommentText().SetCaption(item->GetComment());
  ItemIcon().SetIcon(item->LoadIcon());
}

void TRZEditorMain::TestRun() {
  if (!current_) return;
  // Without the launcher's host interfaces: system commands and groups do nothing.
  current_->RunCommand();
}

void TRZEditorMain::CopyData(const std::string& text, bool hasRequest) {
  if (!hasRequest) {
    Show();
    ForceForegroundWindow(Handle());
    return;
  }
  TStringIni request;
  request.Lines.SetText(text);
  if (runRequest_ && runRequest_(request)) {
    Show();
    ForceForegroundWindow(Handle());
  }
}

void TRZEditorMain::ActionList1Update() {
  // While a label or an edit box takes keys, the keys are theirs.
  char className[32] = {};
  HWND focus = GetFocus();
  const bool typing =
      TreeView1().IsEditing() || (focus && GetClassNameA(focus, className, sizeof className) && lstrcmpiA(className, "Edit") == 0);
  actions_.Suspended = typing;
  constexpr WORD ctrl = 0x4000;
  cancelAction_.SetShortCut(typing ? 0 : VK_ESCAPE);
  deleteAction_.SetShortCut(typing ? 0 : VK_DELETE);
  okAction_.SetShortCut(typing ? 0 : VK_RETURN);
  copyNode_.SetShortCut(typing ? 0 : static_cast<WORD>('C' | ctrl));
  pasteNode_.SetShortCut(typing ? 0 : static_cast<WORD>('V' | ctrl));
  cutNode_.SetShortCut(typing ? 0 : static_cast<WORD>('X' | ctrl));
}

void TRZEditorMain::ZOrderChange() {
  SetStayOnTop(zOrderAction_.Checked());
  EditorState().Dialogs.WriteInteger("TopMost", zOrderAction_.Checked() ? 1 : 0);
}

void TRZEditorMain::ApplyPlacement() {
  CenterOnScreen();
  const RECT r = Bounds();
  const TStringIni& dialogs = EditorState().Dialogs;
  const int x = dialogs.ReadInteger("Manager_X", r.left);
  const int y = dialogs.ReadInteger("Manager_Y", r.top);
  const int w = dialogs.ReadInteger("Manager_Width", r.right - r.left);
  const int h = dialogs.ReadInteger("Manager_Height", r.bottom - r.top);
  SetBounds(x, y, w, h);
}

void TRZEditorMain::FormResize() {
  ui::TWindow* ok = FindControl("OKButton");
  ui::TWindow* cancel = FindControl("CancelButton");
  ui::TWindow* apply = FindControl("ApplyButton");
  ui::TWindow* zOrder = FindControl("ZOrderCheck");
  ui::TWindow* help = FindControl("HelpButton");
  ui::TWindow* panel = FindControl("BottomPanel");
  ui::TWindow* newButton = FindControl("NewButton");
  if (!ok || !cancel || !apply || !zOrder || !help || !panel || !newButton) return;  // still being laid out
  auto width = [](ui::TWindow* w) {
    const RECT r = w->Bounds();
    return static_cast<int>(r.right - r.left);
  };
  auto height = [](ui::TWindow* w) {
    const RECT r = w->Bounds();
    return static_cast<int>(r.bottom - r.top);
  };
  const SIZE client = ClientSize();
  const int cw = client.cx;
  const int smalls = width(zOrder) + width(help);
  const int k = (width(ok) + width(cancel) + width(apply) + smalls - cw + Scale(80)) / 3;
  const int buttonWidth = std::clamp(width(ok) - k, Scale(70), Scale(91));
  const int top = ok->Bounds().top;
  const int okLeft = cw - 3 * buttonWidth - smalls - Scale(60);
  ok->SetBounds(okLeft, top, buttonWidth, height(ok));
  cancel->SetBounds(okLeft + buttonWidth + Scale(20), top, buttonWidth, height(cancel));
  apply->SetBounds(okLeft + 2 * (buttonWidth + Scale(20)), top, buttonWidth, height(apply));
  const int panelWidth = width(panel);
  help->SetBounds(panelWidth - width(help) - Scale(4), help->Bounds().top, width(help), height(help));
  zOrder->SetBounds(panelWidth - width(help) - width(zOrder) - Scale(8), zOrder->Bounds().top, width(zOrder),
                    height(zOrder));

  ui::TTreeView& tree = TreeView1();
  const RECT treeBounds = tree.Bounds();
  const int treeWidth = cw - width(newButton) - Scale(20) - treeBounds.left;
  const int treeHeight = std::max<int>(0, panel->Bounds().top - treeBounds.top);
  tree.SetBounds(treeBounds.left, treeBounds.top, treeWidth, treeHeight);
  for (const char* name : {"NewButton", "EditButton", "DeleteButton"}) {
    ui::TWindow& b = Control(name);
    b.SetBounds(treeBounds.left + treeWidth + Scale(10), b.Bounds().top, width(&b), height(&b));
  }
}

void TRZEditorMain::DeleteActionExecute() {
  ui::TTreeNode* node = TreeView1().Selected();
  if (!node || !current_) return;
  const std::string path = current_->GetKeyWord();
  TEditorState& state = EditorState();
  const bool deleted = state.DeleteItem ? state.DeleteItem(&zOrderAction_, *manager_, path)
                                        : DeleteItemConfirm(&zOrderAction_, *manager_, path);
  if (!deleted) return;
  node->Delete();
  modified_ = true;
  TreeView1Change(TreeView1().Selected());
}

void TRZEditorMain::UpNodeExecute() {
  ui::TTreeNode* node = TreeView1().Selected();
  if (!node) return;
  if (current_) current_->MoveUp();
  if (ui::TTreeNode* before = node->PrevSibling()) TreeView1().MoveNode(node, before, ui::TNodeAttachMode::Insert);
  modified_ = true;
}

void TRZEditorMain::DownNodeExecute() {
  ui::TTreeNode* node = TreeView1().Selected();
  if (!node) return;
  if (current_) current_->MoveDown();
  if (ui::TTreeNode* after = node->NextSibling()) TreeView1().MoveNode(node, after, ui::TNodeAttachMode::InsertAfter);
  modified_ = true;
}

void TRZEditorMain::ReNameActionExecute() {
  if (ui::TTreeNode* node = TreeView1().Selected()) node->EditText();
}

namespace {

std::string ForbiddenNameWarning() {
  std::string text;
  for (char c : TKeyWordManager::ForbiddenChars()) text += c == ' ' ? std::string("半角スペース") : std::string(1, c);
  return text + "  は使用することができません";
}

}  // namespace

void TRZEditorMain::TreeView1Edited(ui::TTreeNode* node, std::string& text, bool& accept) {
  accept = false;
  if (!node) return;
  std::unique_ptr<TKeyWordX> item = manager_->FindKeyWord(GetNodeKeywordName(node));
  if (!item) return;
  if (!TKeyWordManager::FindInvalidChars(text).empty()) {
    ShowWarning(&zOrderAction_, ForbiddenNameWarning());
    return;
  }
  if (text.empty()) return;
  if (text != item->Name) {
    item->SetName(text);
    modified_ = true;
  }
  text = item->Name;
  accept = true;
  if (node == TreeView1().Selected()) {
    current_ = std::move(item);
    FillPanel(current_.get());
  }
}

void TRZEditorMain::HelpActionExecute() {
  const std::string file = EditorState().MainDir + "Files\\doc\\window\\manager.html";
  if (!fileio::FileExists(file)) {
    ui::ShowMessageBox(Handle(), "ヘルプが見つかりません " + file, "quorvane", MB_OK);
    return;
  }
  SHELLEXECUTEINFOA start = {};
  start.cbSize = sizeof start;
  start.hwnd = Handle();
  start.lpFile = file.c_str();
  start.nShow = SW_SHOWNORMAL;
  (Shell ? Shell : DefaultRunServices().ShellStart)->Start(start);
}

void TRZEditorMain::ApplyActionExecute() {
  SaveAndNotify(*manager_);
  modified_ = false;
}

void TRZEditorMain::OKActionExecute() {
  if (TreeView1().IsEditing()) {
    TreeView1().EndEditing(false);
    return;
  }
  if (modified_) ApplyActionExecute();
  Close();
}

void TRZEditorMain::CancelActionExecute() { Close(); }

void TRZEditorMain::FormClose() {
  const RECT r = Bounds();
  TStringIni& dialogs = EditorState().Dialogs;
  dialogs.WriteInteger("Manager_X", r.left);
  dialogs.WriteInteger("Manager_Y", r.top);
  dialogs.WriteInteger("Manager_Width", r.right - r.left);
  dialogs.WriteInteger("Manager_Height", r.bottom - r.top);
  SendIngMessage(false);
}
