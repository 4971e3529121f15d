#include "editor/UFileListDialog.h"

#include <shellapi.h>

#include <algorithm>
#include <exception>

#include "core/Debug_Unit.h"
#include "core/Sjis.h"
#include "core/StringIni.h"
#include "core/StringList.h"
#include "editor/FileListDialog_Text.h"
#include "editor/Int_Input.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/CheckListBox.h"
#include "ui/Image.h"
#include "ui/Label.h"

namespace {

using ui::Kind;

constexpr int kDesignWidth = 440, kDesignHeight = 315;

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<ui::TLabel>,        "Label1",        "", "登録するファイルをチェック(&L)", 48, 8, 200, 16},
  {Kind<ui::TImage>,        "Image1",        "", "",                               8, 110, 32, 32},
  {Kind<ui::TCheckListBox>, "CheckListBox1", "", "",                               48, 26, 376, 200, WS_TABSTOP,
   ui::akLeft | ui::akTop | ui::akRight | ui::akBottom},
  {Kind<ui::TCheckBox>,     "CheckBox1",     "", "ショートカットはリンク先を登録", 48, 234, 250, 20, WS_TABSTOP,
   ui::akLeft | ui::akBottom},
  {Kind<ui::TButton>,       "OKButton",      "", "OK",                             0, 250, 75, 25, WS_TABSTOP,
   ui::akLeft | ui::akBottom},
  {Kind<ui::TButton>,       "CancelButton",  "", "キャンセル",                     0, 250, 75, 25, WS_TABSTOP,
   ui::akLeft | ui::akBottom},
};
// clang-format on

ui::TFormParams FormParams(const TStringIni& dialogs) {
  ui::TFormParams p;
  p.Caption = "まとめて登録";
  p.BorderStyle = ui::TBorderStyle::Sizeable;
  p.BorderIcons = ui::biSystemMenu;
  p.Position = ui::TPosition::OwnerCenter;
  p.Width = dialogs.ReadInteger("FileListDialog_Width", kDesignWidth);
  p.Height = dialogs.ReadInteger("FileListDialog_Height", kDesignHeight);
  return p;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

core::TUniqueIcon GetShellIcon(const std::string& path, bool small) {
  std::string p = sjis::ExcludeTrailingPathDelimiter(path);
  if (p.size() == 2 && p[1] == ':') p += '\\';
  SHFILEINFOA info{};
  const UINT flags = SHGFI_ICON | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
  if (!SHGetFileInfoA(p.c_str(), 0, &info, sizeof info, flags)) return core::TUniqueIcon();
  return core::TUniqueIcon(info.hIcon);
}

TFileListDialog::TFileListDialog(ui::TWindow* owner, TStringIni& dialogs)
    : TDropFormLite(FormOfOwner(owner)), dialogs_(dialogs), actions_(*this) {
  if (!Create(FormParams(dialogs))) return;
  BuildLayout(kRows);
  LOGFONTA lf{};
  lf.lfHeight = -Scale(12);
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(lf.lfFaceName, "ＭＳ ゴシック", LF_FACESIZE);
  listFont_.reset(CreateFontIndirectA(&lf));
  if (listFont_) List().SetFont(listFont_.get());

  auto& okButton = Control<ui::TButton>("OKButton");
  auto& cancelButton = Control<ui::TButton>("CancelButton");
  SetDefaultButton(&okButton);
  SetCancelButton(&cancelButton);
  actions_.Add(&ok_);
  actions_.Add(&cancel_);
  ok_.LinkControl(okButton.Handle());
  cancel_.LinkControl(cancelButton.Handle());
  ok_.OnUpdate = [this] {
    bool any = false;
    for (int i = 0; i < List().Count() && !any; ++i) any = List().Checked(i);
    ok_.SetEnabled(any);
  };
  ok_.OnExecute = [this] { SetModalResult(IDOK); };
  cancel_.OnExecute = [this] { SetModalResult(IDCANCEL); };

  List().OnClick = [this] { ShowIconOf(List().ItemIndex()); };
  List().OnSetFocus = [this](ui::TFocusEvent&) {
    if (List().ItemIndex() < 0 && List().Count() > 0) List().SetItemIndex(0);
  };
  Control<ui::TCheckBox>("CheckBox1").OnClick = [this] {
    if (request_)
      request_->SetValue("AnalyzeShortCut", Control<ui::TCheckBox>("CheckBox1").Checked() ? "1" : "0");
  };
  OnResize = [this](ui::TSizeEvent&) { FormResize(); };
  OnClose = [this](ui::TCloseAction&) { SaveSize(); };
  FormResize();
}

ui::TCheckListBox& TFileListDialog::List() const { return Control<ui::TCheckListBox>("CheckListBox1"); }

void TFileListDialog::FormResize() {
  if (!Handle()) return;
  RECT client = {};
  GetClientRect(Handle(), &client);
  auto& okButton = Control<ui::TButton>("OKButton");
  auto& cancelButton = Control<ui::TButton>("CancelButton");
  const RECT ok = okButton.Bounds(), cancel = cancelButton.Bounds();
  // The buttons stay together in the middle.
  const int okLeft = (Width(client) - Width(ok) - Width(cancel) - Scale(20)) / 2;
  okButton.SetBounds(okLeft, ok.top, Width(ok), Height(ok));
  cancelButton.SetBounds(okLeft + Width(ok) + Scale(10), cancel.top, Width(cancel), Height(cancel));
  const RECT list = List().Bounds();
  auto& image = Control<ui::TImage>("Image1");
  const RECT im = image.Bounds();
  image.SetBounds(im.left, list.top + (Height(list) - Height(im)) / 2, Width(im), Height(im));
  Relist();
}

void TFileListDialog::Relist() {
  RECT listClient = {};
  GetClientRect(List().Handle(), &listClient);
  int dot = 0;
  {
    HDC dc = GetDC(List().Handle());
    HGDIOBJ old = SelectObject(dc, List().Font() ? static_cast<HGDIOBJ>(List().Font()) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    if (GetTextExtentPoint32A(dc, ".", 1, &size)) dot = size.cx;
    SelectObject(dc, old);
    ReleaseDC(List().Handle(), dc);
  }
  lineChars_ = CharsPerLine(Width(listClient), dot);
  const int n = std::min(List().Count(), static_cast<int>(paths_.size()));
  for (int i = 0; i < n; ++i) {
    const std::string shown = ShortenPath(paths_[static_cast<size_t>(i)], lineChars_);
    if (List().Item(i) != shown) List().SetItem(i, shown);
  }
}

void TFileListDialog::ShowIconOf(int index) {
  if (index < 0 || index >= static_cast<int>(paths_.size())) return;
  Control<ui::TImage>("Image1").SetIcon(GetShellIcon(paths_[static_cast<size_t>(index)], false));
}

void TFileListDialog::SaveSize() {
  RECT r = {};
  if (!GetWindowRect(Handle(), &r)) return;
  TStringIni own;
  own.LoadFromExeIni();
  own.WriteInteger("Dialog_Width", Width(r));
  own.WriteInteger("Dialog_Height", Height(r));
  own.WriteInteger("Dialog_Y", r.top);
  own.WriteInteger("Dialog_X", r.left);
  own.SaveToExeIni();
  // The keys the size is read from, so that the next list opens as this one closed.
  dialogs_.WriteInteger("FileListDialog_Width", Width(r));
  dialogs_.WriteInteger("FileListDialog_Height", Height(r));
}

bool TFileListDialog::Execute(TStringList& paths, TStringList& request) {
  if (!Handle() || paths.Empty()) return false;
  request_ = &request;
  const std::string analyze = request.Value("AnalyzeShortCut");
  const bool analyzeOn = analyze.empty() ? dialogs_.ReadInteger("AnalyzeShortCut", 0) != 0
                                         : sjis::StrToIntDef(analyze, 0) != 0;
  Control<ui::TCheckBox>("CheckBox1").SetChecked(analyzeOn);
  paths_.assign(paths.begin(), paths.end());
  List().Clear();
  FormResize();
  for (const std::string& path : paths_) List().Add(ShortenPath(path, lineChars_), true);
  ShowIconOf(0);
  int result = 0;
  try {
    result = ShowModal();
  } catch (const std::exception& e) {
    // The manager window may hold unsaved changes: the program goes on, and
    // the registration counts as cancelled.
    DebugOut().Write("TFileListDialog.Execute:").Write(e.what()).WriteLn();
    result = 0;
  }
  request_ = nullptr;
  if (result != IDOK) return false;
  paths.Clear();
  for (int i = 0; i < List().Count() && i < static_cast<int>(paths_.size()); ++i)
    if (List().Checked(i)) paths.Add(paths_[static_cast<size_t>(i)]);
  return true;
}
