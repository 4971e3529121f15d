#include "editor/USelectCommand.h"

#include <commctrl.h>

#include <algorithm>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/KeyWordX.h"
#include "core/WindowUtils.h"
#include "editor/TreeViewUtils.h"
#include "editor/USelectCommand_Templates.h"
#include "ui/Button.h"
#include "ui/Memo.h"
#include "ui/Panel.h"
#include "ui/TreeView.h"

namespace {

constexpr char kCaption[] = "新規作成 - 種類を選択";
constexpr int kButtonPanelHeight = 41;

const ui::TLayoutRow kRows[] = {
    {ui::Kind<ui::TTreeView>, "TreeView1", "", "", 0, 0, 320, 220},
    {ui::Kind<ui::TMemo>, "Memo1", "", "", 0, 220, 320, 139},
    {ui::Kind<ui::TPanel>, "Panel1", "", "", 0, 359, 320, kButtonPanelHeight, 0, ui::akLeft | ui::akRight | ui::akBottom},
    {ui::Kind<ui::TButton>, "OKButton", "Panel1", "", 75, 8, 75, 25},
    {ui::Kind<ui::TButton>, "CancelButton", "Panel1", "", 160, 8, 75, 25},
};

}  // namespace

TSelectCommand::TSelectCommand(ui::TForm* owner) : TDropFormLite(owner) {
  ui::TFormParams p;
  p.ClassName = "TSelectCommand";
  p.Caption = kCaption;
  p.BorderStyle = ui::TBorderStyle::Sizeable;
  p.BorderIcons = ui::biSystemMenu;
  p.ClientWidth = 320;
  p.ClientHeight = 400;
  Create(p);
  BuildLayout(kRows);
  FormCreate();
}

TSelectCommand::~TSelectCommand() {
  // The tree lets go of the images before they go.
  if (auto* tree = FindControl<ui::TTreeView>("TreeView1")) tree->SetImages(nullptr);
}

ui::TTreeView& TSelectCommand::Tree() const { return Control<ui::TTreeView>("TreeView1"); }
ui::TMemo& TSelectCommand::HelpBox() const { return Control<ui::TMemo>("Memo1"); }

void TSelectCommand::FormCreate() {
  ui::TTreeView& tree = Tree();
  tree.SetReadOnly(true);
  COLORREF back = TreeView_GetBkColor(tree.Handle());
  images_.SetBkColor(back == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_WINDOW) : back);
  // The kinds' pictures from the user's icon folder; one that is missing or
  // cannot be loaded is left out (the shell would hand a generic picture for
  // a missing file).
  for (std::string_view file : kKindImageFiles) {
    const std::string path = FilePathsInstance().IconsDir + "\\" + std::string(file);
    if (!fileio::FileExists(path)) continue;
    core::TUniqueIcon icon = LoadKeyWordIcon(path, 0);
    if (icon) images_.AddIcon(icon.get());
  }
  tree.SetImages(&images_);
  tree.OnChange = [this](ui::TTreeNode* node) { TreeView1Change(node); };
  tree.OnDblClick = [this] { TreeView1DblClick(); };
  HelpBox().SetReadOnly(true);

  okAction_.OnUpdate = [this] { OKActionUpdate(); };
  okAction_.OnExecute = [this] { OKActionExecute(); };
  cancelAction_.OnExecute = [this] { CancelActionExecute(); };
  actions_.Add(&okAction_);
  actions_.Add(&cancelAction_);
  okAction_.LinkControl(Control("OKButton").Handle());
  cancelAction_.LinkControl(Control("CancelButton").Handle());
  SetDefaultButton(&Control("OKButton"));
  SetCancelButton(&Control("CancelButton"));

  OnResize = [this](ui::TSizeEvent&) { FormResize(); };
  OnClose = [this](ui::TCloseAction&) { FormClose(); };
  FormResize();
}

void TSelectCommand::FormResize() {
  ui::TWindow* panel = FindControl("Panel1");
  ui::TWindow* ok = FindControl("OKButton");
  ui::TWindow* cancel = FindControl("CancelButton");
  if (!panel || !ok || !cancel) return;  // still being laid out
  const SIZE inner = ClientSize();
  const RECT panelBounds = panel->Bounds();
  ui::TTreeView& tree = Tree();
  const RECT treeBounds = tree.Bounds();
  tree.SetBounds(0, treeBounds.top, inner.cx, treeBounds.bottom - treeBounds.top);
  const RECT helpBounds = HelpBox().Bounds();
  HelpBox().SetBounds(0, helpBounds.top, inner.cx, std::max<int>(0, panelBounds.top - helpBounds.top));
  const RECT okBounds = ok->Bounds(), cancelBounds = cancel->Bounds();
  const int okWidth = okBounds.right - okBounds.left, cancelWidth = cancelBounds.right - cancelBounds.left;
  const int okLeft = (inner.cx - okWidth - cancelWidth) / 2 - 10;
  ok->SetBounds(okLeft, okBounds.top, okWidth, okBounds.bottom - okBounds.top);
  cancel->SetBounds(okLeft + okWidth + 10, cancelBounds.top, cancelWidth, cancelBounds.bottom - cancelBounds.top);
}

std::unique_ptr<TStringIni> TSelectCommand::Execute(TKeyWordManager* manager, const std::string& captionSuffix,
                                                    std::string folder) {
  if (ui::TForm* active = ui::TForm::ActiveForm(); active && active != this)
    CenterWindow(Handle(), active->Handle());
  else
    CenterWindowOnScreen(Handle());
  Position = ui::TPosition::Designed;
  manager_ = manager;
  // The folder has no use here; callers still pass the one they work in.
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  result_.reset();
  Tree().Clear();
  AddTemplates();
  okAction_.SetEnabled(false);
  SetCaption(captionSuffix.empty() ? std::string(kCaption) : "種類を選択 - " + captionSuffix);
  ShowModal();
  return std::move(result_);
}

TStringIni* TSelectCommand::AddTemplate(const std::string& path, const std::string& command, int iconIndex,
                                        const std::string& icon, int image, int type, std::string_view help) {
  return HangTemplate(path, image, std::make_unique<TStringIni>(MakeTemplate(path, command, iconIndex, icon, type, help)));
}

TStringIni* TSelectCommand::HangTemplate(const std::string& path, int image, std::unique_ptr<TStringIni> data) {
  ui::TTreeNode* node = FindTreeNode(path, Tree(), true);
  if (!node) return nullptr;
  TStringIni* t = data.get();
  node->SetData(std::move(data));
  node->SetImageIndex(image);
  node->SetSelectedIndex(image);
  return t;
}

void TSelectCommand::AddTemplates() {
  for (TKindTemplate& kind : KindTemplates())
    HangTemplate(kind.Path, kind.Image, std::make_unique<TStringIni>(std::move(kind.Data)));
}

void TSelectCommand::TreeView1Change(ui::TTreeNode* node) {
  TStringIni* t = node ? node->Data<TStringIni>() : nullptr;
  HelpBox().SetText(t ? t->ReadString("Help", "") : "");
  okAction_.SetEnabled(t != nullptr);
}

void TSelectCommand::OKActionUpdate() {
  ui::TTreeNode* node = Tree().Selected();
  okAction_.SetEnabled(node && node->Data<TStringIni>());
}

void TSelectCommand::OKActionExecute() {
  ui::TTreeNode* node = Tree().Selected();
  std::unique_ptr<TStringIni> chosen = node ? node->TakeData<TStringIni>() : nullptr;
  if (!chosen) return;
  chosen->DeleteKey("Help");
  chosen->DeleteKey("Path");
  result_ = std::move(chosen);
  SetModalResult(IDOK);
}

// Only what OK can do: a double click on empty space, before any node was
// chosen, has no template to take.
void TSelectCommand::TreeView1DblClick() { okAction_.Execute(); }

void TSelectCommand::CancelActionExecute() {
  result_.reset();
  SetModalResult(IDCANCEL);
}

void TSelectCommand::FormClose() {
  for (ui::TTreeNode* node = Tree().FirstNode(); node; node = node->GetNext()) node->ClearData();
}
