#include "editor/UChangeIcon.h"

#include <shellapi.h>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/OSUtils.h"
#include "core/Sjis.h"
#include "editor/StoreLookup.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Dialogs.h"
#include "ui/Label.h"

namespace {

constexpr std::string_view kIconDir = "%Icondir";

const ui::TLayoutRow kRows[] = {
    {ui::Kind<ui::TLabel>, "Label1", "", "ファイル名(&F)", 8, 8, 200, 14},
    {ui::Kind<TFileNameComplete>, "FileNameComplete1", "", "", 8, 24, 349, 20},
    {ui::Kind<ui::TLabel>, "Label2", "", "現在のアイコン(&C)", 8, 52, 200, 14},
    {ui::Kind<ui::TListView>, "ListView1", "", "", 8, 68, 349, 198},
    {ui::Kind<ui::TButton>, "BrowseButton", "", "", 8, 276, 75, 25},
    {ui::Kind<ui::TCheckBox>, "ZOrderCheck", "", "", 90, 280, 104, 17},
    {ui::Kind<ui::TButton>, "OKButton", "", "", 200, 276, 75, 25},
    {ui::Kind<ui::TButton>, "CancelButton", "", "", 282, 276, 75, 25},
};

bool EndsWithAny(const std::string& path, std::initializer_list<const char*> endings) {
  for (const char* e : endings)
    if (sjis::EndsWithIgnoreCase(path, e)) return true;
  return false;
}

}  // namespace

TChangeIconDialog::TChangeIconDialog(ui::TForm* owner) : TDropFormLite(owner) {
  ui::TFormParams p;
  p.ClassName = "TChangeIconDialog";
  p.Caption = "アイコンの変更";
  p.BorderStyle = ui::TBorderStyle::Single;
  p.BorderIcons = ui::biSystemMenu;
  p.ClientWidth = 365;
  p.ClientHeight = 308;
  Create(p);
  BuildLayout(kRows);
  FormCreate();
}

TChangeIconDialog::~TChangeIconDialog() {
  onAppActivate_.Disconnect();
  onAppDeactivate_.Disconnect();
  // The view lets go of the images before they go.
  if (ui::TListView* view = FindControl<ui::TListView>("ListView1")) view->SetLargeImages(nullptr);
}

void TChangeIconDialog::FormCreate() {
  TFileNameComplete& box = FileBox();
  box.SetListSize(10);
  box.FileFilter = "*.*";
  box.SetMatchLevel(0);
  box.SpecialChars = "\\";
  box.SetFileType(TFileType::ftAllFile);
  box.UseHistory = false;
  box.SetListFont("ＭＳ ゴシック", 9);  // 12 pixels at 96 DPI
  box.OnChange = [this] { ShowIcons(); };
  Control<ui::TLabel>("Label1").SetFocusControl(box.Handle());

  ui::TListView& view = IconView();
  view.SetViewStyle(ui::TViewStyle::Icon);
  view.SetLargeImages(&images_);
  Control<ui::TLabel>("Label2").SetFocusControl(view.Handle());

  cancelAction_.OnExecute = [this] { SetModalResult(IDCANCEL); };
  okAction_.OnExecute = [this] { OK(); };
  okAction_.OnUpdate = [this] { okAction_.SetEnabled(IconView().ItemIndex() >= 0); };
  browseAction_.OnExecute = [this] { Browse(); };
  zOrderAction_.AutoCheck = true;
  zOrderAction_.SetShortCut(static_cast<WORD>('Z' | 0x8000));  // Alt+Z, as in the other dialogs
  zOrderAction_.OnExecute = [this] { ZOrderChange(); };
  for (ui::TAction* a : {&cancelAction_, &okAction_, &browseAction_, &zOrderAction_}) actions_.Add(a);
  cancelAction_.LinkControl(Control("CancelButton").Handle());
  okAction_.LinkControl(Control("OKButton").Handle());
  browseAction_.LinkControl(Control("BrowseButton").Handle());
  zOrderAction_.LinkControl(Control("ZOrderCheck").Handle());
  SetDefaultButton(&Control("OKButton"));
  SetCancelButton(&Control("CancelButton"));

  onFileDrop = [this](POINT, const std::string& files) { DropText(files); };
  onTextDrop = [this](POINT, const std::string& text) { DropText(text); };
  OnShow = [this] { FormShow(); };
  OnClose = [this](ui::TCloseAction& action) { FormClose(action); };
  Position = ui::TPosition::ScreenCenter;
}

void TChangeIconDialog::SetManager(TKeyWordManager* store, TKeyWordX* item) { FileBox().SetManager(store, item); }

bool TChangeIconDialog::Execute() {
  Hide();
  ShowModal();
  return result_;
}

void TChangeIconDialog::FormShow() {
  TFileNameComplete& box = FileBox();
  box.SetText(IconFile);
  box.Refresh();
  ShowIcons();
  if (IconIndex >= 0 && IconIndex < IconView().Count()) IconView().SetItemIndex(IconIndex);
  result_ = false;
  if (ui::TApplication* app = ui::TApplication::Current()) {
    onAppActivate_ = app->OnActivate.Add([this] { MainWindowHook(true); });
    onAppDeactivate_ = app->OnDeactivate.Add([this] { MainWindowHook(false); });
  }
}

void TChangeIconDialog::FormClose(ui::TCloseAction& action) {
  (void)action;
  // Leaving the file box closes its candidate popup.
  Control("CancelButton").Focus();
  onAppActivate_.Disconnect();
  onAppDeactivate_.Disconnect();
}

void TChangeIconDialog::MainWindowHook(bool active) {
  if (!Visible()) return;
  // The program that took the foreground keeps it.
  HWND front = active ? nullptr : GetForegroundWindow();
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (front && front != Handle()) {
    ForceForegroundWindow(front);
    SetForegroundWindow(front);
  }
  Invalidate();
}

std::string TChangeIconDialog::ResolvedPath(const std::string& text) {
  if (sjis::StartsWithIgnoreCase(text, kIconDir)) return FilePathsInstance().IconsDir + text.substr(kIconDir.size());
  if (TKeyWordManager* store = FileBox().Manager()) return TStoreLookup(*store).ResolvePath(text);
  return text;
}

void TChangeIconDialog::ShowIcons() {
  TSilentCriticalErrors silent;  // a file on a drive without a disk
  const std::string path = ResolvedPath(FileBox().Text());
  if (EndsWithAny(path, {".exe", ".dll", ".icl", ".cpl"})) {
    ListIconsOfFile(path);
  } else if (EndsWithAny(path, {".ico"})) {
    ShowIconFile(path);
  } else {
    IconView().Clear();
    images_.Clear();
  }
}

void TChangeIconDialog::ListIconsOfFile(const std::string& file) {
  ui::TListView& view = IconView();
  view.Clear();
  images_.Clear();
  HINSTANCE self = GetModuleHandleA(nullptr);
  const UINT count = static_cast<UINT>(reinterpret_cast<UINT_PTR>(ExtractIconA(self, file.c_str(), static_cast<UINT>(-1))));
  for (UINT i = 0; i < count; ++i) {
    // The list keeps a copy; the extracted icon goes at once.
    core::TUniqueIcon icon(ExtractIconA(self, file.c_str(), i));
    const int image = images_.AddIcon(icon.get());
    if (image >= 0) view.AddItem("", image);
  }
  if (view.Count() > 0) view.SetItemIndex(0);
}

void TChangeIconDialog::ShowIconFile(const std::string& file) {
  ui::TListView& view = IconView();
  view.Clear();
  images_.Clear();
  if (!fileio::FileExists(file)) return;
  core::TUniqueIcon icon(static_cast<HICON>(LoadImageA(nullptr, file.c_str(), IMAGE_ICON, 36, 36, LR_LOADFROMFILE)));
  const int image = images_.AddIcon(icon.get());
  if (image < 0) return;  // not an icon after all: the list stays empty
  view.SetItemIndex(view.AddItem("", image));
}

void TChangeIconDialog::OK() {
  TSilentCriticalErrors silent;
  const std::string path = ResolvedPath(FileBox().Text());
  result_ = false;
  if (fileio::FileExists(path) && EndsWithAny(path, {".exe", ".dll", ".icl", ".ico"})) {
    const int selected = IconView().ItemIndex();
    IconIndex = selected >= 0 ? IconView().ImageIndex(selected) : 0;
    IconFile = FileBox().Text();
    result_ = true;
  }
  SetModalResult(IDOK);
}

void TChangeIconDialog::Browse() {
  const bool topMost = StayOnTop();
  if (topMost) SetStayOnTop(false);
  ui::TFileDialogRequest request;
  request.Owner = Handle();
  request.Filter = kIconFileFilter;
  request.InitialDir = sjis::ExtractFilePath(ResolvedPath(IconFile));
  if (ui::OpenFileDialog(request)) {
    FileBox().SetText(request.FileName);
    ShowIcons();
  }
  if (topMost) SetStayOnTop(true);
}

void TChangeIconDialog::ZOrderChange() {
  SetStayOnTop(zOrderAction_.Checked());
  Invalidate();
}

void TChangeIconDialog::DropText(const std::string& text) {
  const std::vector<std::string> lines = sjis::SplitLines(text);
  FileBox().SetText(lines.empty() ? std::string() : lines.front());
  ShowIcons();
}
