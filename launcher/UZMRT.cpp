#include "launcher/UZMRT.h"

#include <shellapi.h>

#include <chrono>
#include <cstring>

#include "core/AppFlags.h"
#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/OSUtils.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "core/ZMRTData.h"
#include "launcher/Drop_Target.h"
#include "launcher/QVIconImage.h"
#include "launcher/Taskbar.h"
#include "launcher/WindowUtils.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

namespace {

constexpr int kIconUpgradeVersion = 150103;

// Run message boxes of the keyword store go through the layer's box service,
// owned by the application window.
class TLauncherBoxes : public IRunMessageBox {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned int type) override {
    ui::TApplication* app = ui::TApplication::Current();
    return ui::ShowMessageBox(app ? app->Handle() : nullptr, text, caption, type);
  }
};
TLauncherBoxes& LauncherBoxes() {
  static TLauncherBoxes boxes;
  return boxes;
}

bool ShellStart(const std::string& file, const std::string& params, DWORD& error) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;
  ui::TApplication* app = ui::TApplication::Current();
  info.hwnd = app ? app->Handle() : nullptr;
  info.lpFile = file.c_str();
  info.lpParameters = params.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExA(&info)) return true;
  error = GetLastError();
  return false;
}

// Now as a date-time number: days since 1899-12-30 with the time as the fraction.
double NowStamp() {
  using namespace std::chrono;
  const double days = duration<double, std::ratio<86400>>(system_clock::now().time_since_epoch()).count();
  return days + 25569.0;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

std::string BuildHandOverText(const TStringList& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  // Control bytes and blanks never occur as the second byte of a double-byte
  // character, so cutting them from the end keeps every character whole.
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  text.push_back('\0');
  return text;
}

bool HandOverToRunningLauncher(const TStringList& lines, int argumentCount) {
  HWND target = FindWindowA(kLauncherClassName, nullptr);
  if (!target) return false;
  std::string text = BuildHandOverText(lines);
  COPYDATASTRUCT data = {};
  data.dwData = static_cast<ULONG_PTR>(argumentCount);
  data.cbData = static_cast<DWORD>(text.size());
  data.lpData = text.data();
  SendMessageA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  return true;
}

void PlainShellOpen(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                    const std::string& dir, int show) {
  ShellExecuteA(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(), params.empty() ? nullptr : params.c_str(),
                dir.empty() ? nullptr : dir.c_str(), show);
}

TLauncherServices DefaultLauncherServices() {
  TLauncherServices services;
  services.StartProgram = ShellStart;
  services.ShellOpen = PlainShellOpen;
  services.Beep = [] { MessageBeep(0); };
  services.Now = NowStamp;
  return services;
}

// ---- What the switch parser sees of the window ---------------------------

class TZMRTMain::TParserHost : public IParamParserHost {
 public:
  explicit TParserHost(TZMRTMain& main) : m_(main) {}
  bool IsStarting() const override { return m_.Starting; }
  void ReLoad(bool activate) override { m_.ReLoad(activate); }
  void ShowOrHide(bool show) override { m_.ShowOrHide(show); }
  std::string UserDir() const override { return m_.UserDir; }
  std::string CurrentDir() const override {
    char buffer[MAX_PATH * 2] = {};
    const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
  }
  void ResetIcon() override { m_.ResetIcon(); }
  void RunCommand(const std::string& name) override { m_.RunCommand(name); }
  void RunSysCommand(int index, const std::string& text) override { m_.RunSysCommand(index, text); }
  void ActivateWindow() override { m_.ActivateWindow(); }
  void PasteText(const std::string& text, bool recomplete) override { m_.PasteText(text, recomplete); }
  void SetConfig(const std::string& first, const std::string& second) override { m_.SetConfig(first, second); }
  bool PathExists(const std::string& path) const override {
    return fileio::FileExists(path) || fileio::DirectoryExists(path);
  }
  void DropFiles(const std::string& text) override { m_.DropFiles(text); }
  void MoveTo(int x, int y, bool percent) override { m_.MoveTo(x, y, percent); }
  void CaretPoint(int& x, int& y) const override { x = m_.PreviousCaret.x, y = m_.PreviousCaret.y; }
  void SetSelStart(int n) override { m_.SetSelStart(n); }
  void SetSelLength(int n) override { m_.SetSelLength(n); }
  void SetMode(const std::string& name) override { m_.SetMode(name); }
  void ParseInput() override { m_.ParseInput(); }
  void SendResult(uintptr_t sender, const std::string& text) override {
    if (m_.CopyData) m_.CopyData->SendText(reinterpret_cast<HWND>(sender), text);
  }
  void PutOnClipboard(const std::string& text) override { PutTextOnClipboard(m_.Handle(), text); }

 private:
  static void PutTextOnClipboard(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
      if (void* p = GlobalLock(memory)) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
      } else {
        GlobalFree(memory);
      }
    }
    CloseClipboard();
  }
  TZMRTMain& m_;
};

// ---- The main window ------------------------------------------------------

void TZMRTMain::BorderStyleToWindowStyle(int borderStyle, DWORD& style, DWORD& exStyle) {
  switch (borderStyle) {
    case 1: style |= WS_SYSMENU | WS_THICKFRAME; break;
    case 2: style |= WS_BORDER | WS_SYSMENU; break;
    case 3: style |= WS_SYSMENU; break;
    default: style |= WS_DLGFRAME | WS_SYSMENU; break;
  }
  exStyle |= WS_EX_TOOLWINDOW;
}

POINT TZMRTMain::StartPosition(int left, int top, int width, int height, const RECT& workArea) {
  if (left == -1 || top == -1)
    return {((workArea.right - workArea.left) - width) / 2, ((workArea.bottom - workArea.top) - height) / 2};
  return {left, top};
}

TZMRTMain::TZMRTMain(const TStringList& startParams, TLauncherServices services) : services_(std::move(services)) {
  if (!services_.StartProgram) services_.StartProgram = ShellStart;
  if (!services_.ShellOpen) services_.ShellOpen = PlainShellOpen;
  if (!services_.Beep) services_.Beep = [] { MessageBeep(0); };
  if (!services_.Now) services_.Now = NowStamp;
  PreviousWindow = GetForegroundWindow();
  if (startParams.Count() > 0) {
    for (const std::string& line : startParams)
      if (sjis::EqualsIgnoreCase(line, "/CaretPos")) {
        PreviousCaret = GetPreviousWindowCaretPos(PreviousWindow);
        break;
      }
  }
  ui::TCreateParams p;
  p.ClassName = kLauncherClassName;
  p.Caption = kLauncherCaption;
  p.Style = WS_POPUP | WS_CLIPCHILDREN;
  p.ExStyle = WS_EX_TOPMOST;
  ui::TApplication* app = ui::TApplication::Current();
  p.Parent = app ? app->Handle() : nullptr;  // owned by the application window: no taskbar button of its own
  CreateParams(p);
  p.Width = Data->WindowWidth > 0 ? Data->WindowWidth : 200;
  p.Height = 40;
  p.X = 0;
  p.Y = 0;
  if (!Create(p)) return;
  created_ = true;
  FormCreate(startParams);
}

TZMRTMain::~TZMRTMain() {
  CopyData.reset();
  idleConnection_.Disconnect();
  if (Data) {
    for (int i = 0; i < 2; ++i)
      if (THotKeyItem* item = Data->GetHotKey(i)) item->OnHotKey = nullptr;
    Data->HotKeyList.OnHotKey = nullptr;
    Data->HotKeyList.SetActive(false);
  }
  try {
    TrayIcon1.reset();
  } catch (...) {
  }
  Destroy();
}

void TZMRTMain::CreateParams(ui::TCreateParams& params) {
  UserDir = FilePathsInstance().UserDir;
  if (Data) Data->SetDataDir(UserDir);
  else Data = std::make_unique<TZMRTData>(UserDir);
  Data->Load();
  BorderStyleToWindowStyle(Data->BorderStyle, params.Style, params.ExStyle);
}

void TZMRTMain::FormCreate(const TStringList& startParams) {
  DebugOut().Write("TZMRTMain.Craete").WriteLn().Indent();
  Starting = true;
  Running = Focusing = MenuFromIcon = false;
  // Stand-in for the application-events object: only the first idle event,
  // which ends the start.
  if (ui::TApplication* app = ui::TApplication::Current())
    idleConnection_ = app->OnIdle.Add([this](bool&) { Starting = false; });
  parserHost_ = std::make_unique<TParserHost>(*this);
  Parser = std::make_unique<TParamParser>(parserHost_.get());

  Edit1 = std::make_unique<TKeyWordEdit>();
  Edit1->FileFilter = "*";
  {
    ui::TCreateParams p;
    p.Style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    p.ExStyle = WS_EX_CLIENTEDGE;
    p.Width = 100;
    p.Height = 20;
    p.Parent = Handle();
    p.Id = 1;
    Edit1->Create(p);
  }

  for (int i = 0; i < 2; ++i)
    if (THotKeyItem* item = Data->GetHotKey(i))
      item->OnHotKey = [this, i](THotKeyItem&, const std::string&, uint8_t) { HotKeyPressed(i); };

  Closing = Hidden = false;
  Load(true);

  // The drop target is not there yet.
  CopyData = std::make_unique<TEasyCopyDataHandler>(Handle());
  CopyData->OnReceived = [this](TEasyCopyDataHandler* handler, const std::string& text, HWND sender) {
    CopyDataReceived(handler, text, sender);
  };

  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT r = {};
  GetWindowRect(Handle(), &r);
  const int width = Data->WindowWidth > 0 ? Data->WindowWidth : r.right - r.left;
  const POINT at = StartPosition(Data->WindowLeft, Data->WindowTop, width, r.bottom - r.top, work);
  SetWindowPos(Handle(), nullptr, at.x, at.y, width, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  HomeLeft = at.x;
  LayoutPending = false;
  BaseFormWidth = width;
  ApplyLayout();
  RECT er = {};
  GetWindowRect(Edit1->Handle(), &er);
  BaseEditWidth = er.right - er.left;

  Parser->Parse(&startParams, 0);

  if (!app::Terminated() && !FirstRun && (Data->hideWhenStart || Parser->SawHide())) {
    Hidden = true;
    Hide();
  }
  DebugOut().Outdent().Write("TZMRTMain.Craete:END").WriteLn();
}

void TZMRTMain::Load(bool reread) {
  DebugOut().Write("TZMRTMain.Load").WriteLn().Indent();
  // Nothing may keep pointing into the keyword store this load replaces.
  CurrentItem = nullptr;
  ownedItem_.reset();
  ModeColor = 0;
  if (!TrayIcon1) {
    TrayIcon1 = std::make_unique<TTrayIcon>(services_.TrayShell, false);
    TrayIcon1->MenuOwner = Handle();
    TrayIcon1->OnMouseMove = [](int, int) {};  // the window's tray handlers come with its behaviour
    TrayIcon1->OnDblClick = [] {};
  }
  if (Closing) {
    DebugOut().Outdent().Write("TZMRTMain.Load:END").WriteLn();
    return;
  }
  Dragging = false;

  UserDir = FilePathsInstance().UserDir;
  if (Data) Data->SetDataDir(UserDir);
  else Data = std::make_unique<TZMRTData>(UserDir);

  if (!fileio::DirectoryExists(UserDir + "\\Items") || !fileio::DirectoryExists(UserDir + "\\Icons")) {
    FirstRun = true;
    StartFirstRunEditor();
    if (ui::TApplication* app = ui::TApplication::Current()) app->Terminate();
    DebugOut().Outdent().Write("TZMRTMain.Load:END").WriteLn();
    return;
  }

  if (Edit1) Edit1->SetKeywordManager(nullptr);  // the box's keyword goes before its store
  KeyWordManager.reset();
  KeyWordManager = std::make_unique<TKeyWordManager>(UserDir + "\\Items", FilePathsInstance().MainDir);
  KeyWordManager->SystemCommandRunner = this;
  KeyWordManager->RunServices.MessageBoxes = &LauncherBoxes();

  if (reread) Data->Load();
  else Data->ReadSettings();
  KeyWordManager->ExecutableExtensions = Data->ExecutableFileList;
  if (Edit1) Edit1->SetKeywordManager(KeyWordManager.get());

  ModeKeyWord.clear();
  TitleText = kLauncherTitle;

  SetWindowPos(Handle(), Data->showtop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // The icon picture's place: none until it is built, so the box starts at 0.
  EditLeftOffset = 0;
  LayoutPending = true;

  if (!FirstRun && Data->version < kIconUpgradeVersion) UpgradeIconFolder();

  ApplyTray();

  // Font of the input box and the window (the box's other settings come with the
  // window's settings code).
  const int size = Data->FontSize > 0 ? Data->FontSize : 9;
  HDC dc = GetDC(nullptr);
  const int height = -MulDiv(size, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(nullptr, dc);
  font_.reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, Data->Font.c_str()));
  if (Edit1) Edit1->SetFont(font_.get());
  SetFont(font_.get());

  ApplyLayout();

  LONG_PTR ex = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
  if (Data->TransParentMode == 1 && IsNT()) {
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Handle(), 0, static_cast<BYTE>(Data->TransParentValue), LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  }

  RegisterHotKeys();

  if (Edit1) Edit1->SetText("");
  CurrentItem = nullptr;
  ownedItem_.reset();

  Data->HotKeyList.OnHotKey = [this](THotKeyItem&, const std::string& name, uint8_t) { HotKeyCommand(name); };
  Data->HotKeyList.SetActive(false);
  Data->HotKeyList.SetActive(true);

  if (!Data->CD.empty()) SetCurrentDirectoryA(Data->CD.c_str());

  ShownStamp = Now();
  ColorIndex = -1;
  DebugOut().Outdent().Write("TZMRTMain.Load:END").WriteLn();
}

void TZMRTMain::ApplyLayout() {
  if (!Edit1 || !Edit1->Handle()) return;
  RECT er = {};
  GetWindowRect(Edit1->Handle(), &er);
  const int editHeight = GetWindowTextHeight(Edit1->Handle()) + 2 * GetSystemMetrics(SM_CYEDGE) + 2;
  RECT client = {};
  GetClientRect(Handle(), &client);
  int top = 0, minHeight = 18;
  if (!Data->Small) {
    // The status line lies above the box, as high as the box's own client area.
    top = editHeight - 2 * GetSystemMetrics(SM_CYEDGE);
    minHeight = 36;
  }
  int h = top + editHeight;
  if (h < minHeight) h = minHeight;
  MoveWindow(Edit1->Handle(), EditLeftOffset, top, client.right - EditLeftOffset, editHeight, TRUE);
  FixedClientHeight = h;
  RECT want = {0, 0, client.right, h};
  AdjustWindowRectEx(&want, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
  RECT wr = {};
  GetWindowRect(Handle(), &wr);
  SelfResizing = true;
  SetWindowPos(Handle(), nullptr, 0, 0, wr.right - wr.left, want.bottom - want.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(Handle(), &client);
  MoveWindow(Edit1->Handle(), EditLeftOffset, top, client.right - EditLeftOffset, editHeight, TRUE);
  SelfResizing = false;
  LayoutPending = false;
}

bool TZMRTMain::StartFirstRunEditor() {
  DWORD error = 0;
  const std::string editor = FilePathsInstance().FilesDir + "\\QVEditor.exe";
  if (services_.StartProgram(editor, "/setting /new", error)) return true;
  DebugOut().Write("UZMRT.ShowNew.Error").WriteInt(static_cast<long long>(error)).WriteLn();
  return false;
}

void TZMRTMain::UpgradeIconFolder() {
  const std::string from = FilePathsInstance().FilesDir + "\\Icons\\";
  const std::string to = UserDir + "\\Icons\\";
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((from + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (PathExists(to + name)) continue;
    ShellCopyFiles(Handle(), from + name, to + name);  // a failed copy is skipped
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

void TZMRTMain::ApplyTray() {
  ui::TApplication* app = ui::TApplication::Current();
  HWND appWindow = app ? app->Handle() : nullptr;
  try {
    TrayIcon1->SetVisible(false);
    if (Data->UseTaskTray) {
      if (appWindow) {
        ShowWindow(appWindow, SW_HIDE);
        SetWindowLongPtrA(appWindow, GWL_EXSTYLE, GetWindowLongPtrA(appWindow, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
      }
      if (!Data->HideTaskIcon && !TrayIcon1->Visible()) {
        const int side = GetSystemMetrics(SM_CYSMICON);
        trayIconImage_.reset(static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, side, side, 0)));
        TrayIcon1->SetIcon(trayIconImage_.get());
        TrayIcon1->SetTipHelp("");
        TrayIcon1->SetVisible(true);
      }
    } else {
      if (appWindow) {
        ShowWindow(appWindow, SW_SHOWNA);
        const LONG_PTR ex = GetWindowLongPtrA(appWindow, GWL_EXSTYLE);
        if (ex & WS_EX_TOOLWINDOW)
          SetWindowLongPtrA(appWindow, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW));
      }
      TrayIcon1->SetVisible(false);
    }
  } catch (...) {
    // Tray failures never stop a load.
  }
}

void TZMRTMain::RegisterHotKeys() {
  static const char* const kFailure[2] = {"呼び出しキーの登録失敗 - ", "キャプチャーの登録失敗 - "};
  static const char* const kPage[2] = {"基本/呼び出しキー", "入力/キーカスタマイズ"};
  static const int kTab[2] = {0, 3};
  for (int i = 0; i < 2; ++i) {
    THotKeyItem* item = Data->GetHotKey(i);
    if (!item) continue;
    item->SetActive(true);
    if ((item->GetKey() != 0 || item->GetModifiers() != 0) && !item->GetActive()) {
      const std::string text = std::string(kFailure[i]) + item->GetHotKeyText() +
                               "\r\n\r\nすでに他のプログラムで使用されている可能性があります\r\n\r\n\r\n設定を変更しますか?";
      ui::TApplication* app = ui::TApplication::Current();
      if (ui::ShowMessageBox(app ? app->Handle() : nullptr, text, kLauncherTitle, MB_YESNO) == IDYES)
        ShowSettingPage(kPage[i], kTab[i]);
    }
  }
}

void TZMRTMain::ReLoad(bool activate) {
  if (Starting) return;
  Load(true);
  if (activate) {
    ForceForegroundWindow(GetDesktopWindow());
    if (ui::TApplication* app = ui::TApplication::Current()) ForceForegroundWindow(app->Handle());
  }
}

void TZMRTMain::FormCloseQuery(bool& canClose) {
  if (ui::TApplication* app = ui::TApplication::Current()) {
    app->Terminate();
    app->ProcessMessages();
  }
  canClose = true;
}

void TZMRTMain::FormClose() {
  DebugOut().Write("TZMRTMain.FormClose").WriteLn();
  idleConnection_.Disconnect();
  CopyData.reset();
  Closing = true;
  Parser.reset();
  if (Visible()) Hide();
  if (Data && Data->UseTaskTray)
    if (ui::TApplication* app = ui::TApplication::Current()) ShowWindow(app->Handle(), SW_HIDE);
  if (KeyWordManager) KeyWordManager->ClearCache();
  try {
    if (TrayIcon1) TrayIcon1->SetVisible(false);
  } catch (...) {
  }
}

LRESULT TZMRTMain::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COPYDATA:
      return FALSE;  // only the receiver takes copy data
    case WM_CLOSE: {
      bool canClose = true;
      FormCloseQuery(canClose);
      if (!canClose) return 0;
      FormClose();
      if (ui::TApplication* app = ui::TApplication::Current())
        if (app->MainForm() == this) app->Terminate();
      return 0;
    }
    default:
      return ui::TWindow::WndProc(msg, wParam, lParam);
  }
}

// ---- Requests from the switch parser --------------------------------------

void TZMRTMain::CopyDataReceived(TEasyCopyDataHandler* handler, const std::string& text, HWND sender) {
  DebugOut().Write("TZMRTMain.CopyDataReceived dwData=").WriteInt(handler ? static_cast<long long>(handler->DataWord()) : 0).WriteLn().Indent();
  if (!text.empty()) {
    TStringList lines;
    lines.SetText(text);
    DebugOut().WriteStrings(&lines);
    PreviousWindow = GetForegroundWindow();
    if (lines.IndexOf("/CaretPos") >= 0) PreviousCaret = GetPreviousWindowCaretPos(PreviousWindow);
    if (Parser) Parser->Parse(&lines, reinterpret_cast<uintptr_t>(sender));
  } else {
    ForuceFocus();
    if (Parser) Parser->Parse(nullptr, reinterpret_cast<uintptr_t>(sender));
  }
  DebugOut().Outdent().Write("TZMRTMain.CopyDataReceived:END").WriteLn();
}

void TZMRTMain::RunSysCommand(int index, const std::string& text) {
  TStringList params;
  if (!text.empty()) params.SetText(text);
  if (Edit1) params.AddStrings(SplitStringQuoted(Edit1->GetLineText(), " ", '"'));
  if (KeyWordManager) KeyWordManager->RunSystemCommand(index, &params);
}

void TZMRTMain::SetConfig(const std::string& first, const std::string& second) {
  if (!Data) return;
  // A missing key name would store a nameless line: nothing is written then.
  if (!first.empty() && fileio::FileExists(first)) Data->MergeFile(first);
  else if (!sjis::Trim(first).empty()) Data->SetValue(first, second);
  Load(false);
}

void TZMRTMain::MoveTo(int x, int y, bool percent) {
  if (percent) {
    HWND reference = PreviousWindow && IsWindow(PreviousWindow) ? PreviousWindow : nullptr;
    PlaceWindowByPercent(Handle(), reference, x, y);
  } else {
    RECT r = {};
    GetWindowRect(Handle(), &r);
    SetWindowPos(Handle(), nullptr, x == -1 ? r.left : x, y == -1 ? r.top : y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  KeepWindowOnDesktop(Handle());
  RECT now = {};
  GetWindowRect(Handle(), &now);
  HomeLeft = now.left;
}

double TZMRTMain::Now() const { return services_.Now(); }

// ==== Execution road and editor requests ===================================

void TZMRTMain::ShellOpen(const std::string& verb, const std::string& file, const std::string& params,
                          const std::string& dir, int show) {
  services_.ShellOpen(Handle(), verb, file, params, dir, show);
}

void TZMRTMain::ExecuteSysCommand(std::unique_ptr<TStringIni>) { DebugOut().Write("TZMRTMain.ExecuteSysCommand").WriteLn(); }

void TZMRTMain::ExecuteActionExecute() { Execute(true, false); }

void TZMRTMain::Execute(bool, bool) {}

void TZMRTMain::ExecuteByKeyword(const std::string&) {}

void TZMRTMain::HotKeyCommand(const std::string& name) {
  DebugOut().Write("TZMRTMain.HotKeyCommand ").Write(name).WriteLn();
}

void TZMRTMain::ShellRun(const std::string& text) { ShellOpen("", text, "", "", SW_SHOWDEFAULT); }

void TZMRTMain::ShowEditor(std::unique_ptr<TStringIni>) {}

void TZMRTMain::OpenEditor() { ShowEditor(nullptr); }

void TZMRTMain::ShowSettingPage(const std::string& page, int tabIndex) {
  DWORD error = 0;
  const std::string editor = FilePathsInstance().FilesDir + "\\QVEditor.exe";
  const std::string params = "/setting /SelectedNode=" + page + " /TabIndex=" + std::to_string(tabIndex);
  if (!services_.StartProgram(editor, params, error))
    DebugOut().Write("UZMRT.ShowSettingPage.ShellExecuteError").WriteInt(static_cast<long long>(error)).WriteLn();
}

void TZMRTMain::SettingActionExecute() {}

void TZMRTMain::VersionActionExecute() {}

void TZMRTMain::EditCurrentKeywordActionExecute() {}

void TZMRTMain::NewExActionExecute() {}

void TZMRTMain::deleteActionExecute() {}

void TZMRTMain::RegistActiveRequest() {}

void TZMRTMain::TargetDrop(TCustomDropTarget*, const std::string&) {}

void TZMRTMain::TargetDropURL(const std::string&, const std::string&) {}

void TZMRTMain::IconImageTargetDrop(const std::string&, const std::string&) {}

void TZMRTMain::RunCommand(const std::string& name) { DebugOut().Write("TZMRTMain.RunCommand ").Write(name).WriteLn(); }

void TZMRTMain::PasteText(const std::string& text, bool recomplete) {
  DebugOut().Write("TZMRTMain.PasteText ").Write(text).Write(recomplete ? " 1" : " 0").WriteLn();
}

void TZMRTMain::DropFiles(const std::string& text) { DebugOut().Write("TZMRTMain.DropFiles ").Write(text).WriteLn(); }

void TZMRTMain::SetSelStart(int n) { DebugOut().Write("TZMRTMain.SetSelStart ").WriteInt(n).WriteLn(); }

void TZMRTMain::SetSelLength(int n) { DebugOut().Write("TZMRTMain.SetSelLength ").WriteInt(n).WriteLn(); }

void TZMRTMain::SetMode(const std::string& name) { DebugOut().Write("TZMRTMain.SetMode ").Write(name).WriteLn(); }

void TZMRTMain::ParseInput() { DebugOut().Write("TZMRTMain.ParseInput").WriteLn(); }

// ==== Window behaviour =====================================================

void TZMRTMain::ShowHideActionExecute() { DebugOut().Write("TZMRTMain.ShowHideActionExecute").WriteLn(); }

void TZMRTMain::ShowOrHide(bool show) { DebugOut().Write("TZMRTMain.ShowOrHide ").WriteInt(show).WriteLn(); }

void TZMRTMain::ActivateWindow() { DebugOut().Write("TZMRTMain.ActivateWindow").WriteLn(); }

void TZMRTMain::ForuceFocus() { DebugOut().Write("TZMRTMain.ForuceFocus").WriteLn(); }

void TZMRTMain::ExitActionExecute() { PostMessageA(Handle(), WM_CLOSE, 0, 0); }

void TZMRTMain::HotKeyPressed(int index) { DebugOut().Write("TZMRTMain.HotKeyPressed").WriteInt(index).WriteLn(); }

void TZMRTMain::KeywordChanged() {}

void TZMRTMain::AdjustWidth() {}

void TZMRTMain::SaveSettings() {}

void TZMRTMain::ResetIcon() { DebugOut().Write("TZMRTMain.ResetIcon").WriteLn(); }

// ==== Status line, colours and menus =======================================

void TZMRTMain::SetStateColor(int n) { ColorIndex = n; }

void TZMRTMain::UpdateStatus() {}

void TZMRTMain::DrawStatus(const std::string&) {}

void TZMRTMain::TargetEnter() {}

void TZMRTMain::TargetLeave() {}

void TZMRTMain::IconImageTargetMove(const std::string&, const std::string&) {}

void TZMRTMain::ShowPopupMenu(POINT) {}
