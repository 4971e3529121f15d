#include "editor/UVersion.h"

#include <cstdio>

#include "core/KeyWordX.h"
#include "core/OSUtils.h"
#include "core/ProgramPath.h"
#include "core/Sjis.h"
#include "editor/ProductLinks.h"
#include "ui/Button.h"
#include "ui/Image.h"
#include "ui/Label.h"

namespace {

using ui::Kind;

constexpr COLORREF kLinkColor = RGB(0, 0, 255);

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<ui::TImage>,  "Image1",       "", "",                    12, 12,  32, 32},
  {Kind<ui::TLabel>,  "ProductLabel", "", "製品名         :",    56, 14, 112, 14},
  {Kind<ui::TLabel>,  "ProductName",  "", "quorvane",           170, 14, 200, 14},
  {Kind<ui::TLabel>,  "VersionLabel", "", "バージョン     :",    56, 36, 112, 14},
  {Kind<ui::TEdit>,   "VersionEdit",  "", "",                   170, 33, 200, 20, ES_READONLY},
  {Kind<ui::TLabel>,  "TimeLabel",    "", "最終更新日     :",    56, 58, 112, 14},
  {Kind<ui::TEdit>,   "TimeEdit",     "", "",                   170, 55, 200, 20, ES_READONLY},
  {Kind<ui::TLabel>,  "SiteLabel",    "", "サポートサイト :",    56, 80, 112, 14},
  {Kind<TLinkField>,  "SiteEdit",     "", "",                   170, 80, 200, 16},
  {Kind<ui::TLabel>,  "MailLabel",    "", "メール         :",    56, 100, 112, 14},
  {Kind<TLinkField>,  "MailEdit",     "", "",                   170, 100, 200, 16},
  {Kind<ui::TButton>, "OKButton",     "", "&OK",                295, 124, 75, 25},
};
// clang-format on

ui::TFormParams FormParams() {
  ui::TFormParams p;
  p.ClassName = kVersionDialogClass;
  p.Caption = "バージョン情報";
  p.BorderStyle = ui::TBorderStyle::Single;
  p.BorderIcons = ui::biSystemMenu;
  p.StayOnTop = true;
  p.Position = ui::TPosition::ScreenCenter;
  p.ClientWidth = 382;
  p.ClientHeight = 158;
  return p;
}

}  // namespace

// ---- TLinkField ----

void TLinkField::Click() {
  if (OnOpen) OnOpen();
  ui::TEdit::Click();
}

void TLinkField::KeyPress(char& key) {
  if (key == '\r') {
    key = 0;
    if (OnOpen) OnOpen();
    return;
  }
  ui::TEdit::KeyPress(key);
}

// Enter is the field's own: it opens the link rather than pressing a button.
LRESULT TLinkField::GetDlgCode(const MSG* msg, LRESULT code) {
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
  return code;
}

void TLinkField::ControlColor(ui::TCtlColorEvent& e) {
  SetTextColor(e.DC, kLinkColor);
  SetBkColor(e.DC, GetSysColor(COLOR_BTNFACE));
  e.SetBrush(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT TLinkField::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
    return TRUE;
  }
  return ui::TEdit::WndProc(msg, wParam, lParam);
}

// ---- TQVVersionDialog ----

std::string EditorMainFolder() { return sjis::ExtractFilePath(ProgramDir()); }

std::string FormatVersionTime(const SYSTEMTIME& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%u年%u月%u日 %02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
  return text;
}

TQVVersionDialog::TQVVersionDialog(std::string mainFolder, IShellStarter* shell)
    : TDropFormLite(nullptr),
      mainFolder_(sjis::IncludeTrailingPathDelimiter(mainFolder)),
      shell_(shell ? shell : DefaultRunServices().ShellStart),
      actions_(*this) {
  if (!Create(FormParams())) return;
  BuildLayout(kRows);
  fixedFont_.reset(CreateFontA(-MulDiv(9, Dpi(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                               "ＭＳ ゴシック"));
  for (const char* name : {"ProductLabel", "VersionLabel", "TimeLabel", "SiteLabel", "MailLabel"})
    Control(name).SetFont(fixedFont_.get());
  Control<ui::TLabel>("ProductLabel").SetFontStyle(ui::fsBold);
  linkFont_ = ui::StyledFont(Font(), ui::fsUnderline);
  for (TLinkField* link : {&SiteField(), &MailField()}) {
    link->SetFont(linkFont_.get());
    link->OnOpen = [this, link] { OpenLink(link->Text()); };
    // The OK shortcut follows the focus at once, not only at the next idle.
    link->OnEnter = link->OnExit = [this] { ok_.Update(); };
  }
  SiteField().SetText(kSupportSiteAddress);
  MailField().SetText(kSupportMailAddress);
  actions_.Add(&ok_);
  ok_.LinkControl(Control("OKButton").Handle());
  ok_.OnUpdate = [this] { ok_.SetShortCut(LinkFocused() ? 0 : VK_RETURN); };
  ok_.OnExecute = [this] { Close(); };
  // A second start of the version mode asks the window forward; what it
  // sends does not matter.
  onCopyData = [this](const std::string&, HWND) {
    Show();
    ForceForegroundWindow(Handle());
  };
  FormCreate();
}

void TQVVersionDialog::FormCreate() {
  std::string exe = mainFolder_ + "quorvane.exe";
  Image().SetIcon(core::TUniqueIcon(GetFileIcon(exe, 0, false)));
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  FILETIME local = {};
  SYSTEMTIME t = {};
  if (GetFileAttributesExA(exe.c_str(), GetFileExInfoStandard, &data) &&
      FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &t))
    TimeField().SetText(FormatVersionTime(t));
  VersionField().SetText(FormatVersionString(GetVersionInfoString(exe, "FileVersion")));
}

bool TQVVersionDialog::LinkFocused() const { return SiteField().Focused() || MailField().Focused(); }

void TQVVersionDialog::OpenLink(const std::string& text) {
  std::string target = sjis::Contains(text, "@") ? "mailto:" + text : text;
  SHELLEXECUTEINFOA start = {};
  start.cbSize = sizeof start;
  start.hwnd = Handle();
  start.lpFile = target.c_str();
  start.nShow = SW_SHOWNORMAL;
  shell_->Start(start);
}

ui::TEdit& TQVVersionDialog::VersionField() const { return Control<ui::TEdit>("VersionEdit"); }
ui::TEdit& TQVVersionDialog::TimeField() const { return Control<ui::TEdit>("TimeEdit"); }
TLinkField& TQVVersionDialog::SiteField() const { return Control<TLinkField>("SiteEdit"); }
TLinkField& TQVVersionDialog::MailField() const { return Control<TLinkField>("MailEdit"); }
ui::TImage& TQVVersionDialog::Image() const { return Control<ui::TImage>("Image1"); }
