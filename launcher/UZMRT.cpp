#include "launcher/UZMRT.h"

#include <shellapi.h>

#include <chrono>
#include <climits>
#include <cstring>

#include "core/Basic_Env_Handler.h"
#include "core/AppFlags.h"
#include "core/ScopeGuard.h"
#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/ForEachFile.h"
#include "core/OSUtils.h"
#include "core/Params.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "core/StringIni.h"
#include "core/WebAddress.h"
#include "core/ZMRTData.h"
#include "core/File_Utils.h"
#include "completion/InputMethod.h"
#include "launcher/Drop_Target.h"
#include "launcher/Editor_Requests.h"
#include "launcher/LauncherLayout.h"
#include "launcher/LauncherMenu.h"
#include "launcher/Priority_Manager.h"
#include "launcher/QVIconImage.h"
#include "launcher/Taskbar.h"
#include "launcher/WindowUtils.h"
#include "ui/CopyData.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

namespace {

constexpr int kIconUpgradeVersion = 150103;

bool ShellStart(HWND owner, const std::string& file, const std::string& params, DWORD& error) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
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

bool HandOverToRunningLauncher(const TStringList& lines, int argumentCount) {
  HWND target = FindWindowA(kLauncherClassName, nullptr);
  if (!target) return false;
  // The text carries its own NUL.
  ui::SendCopyData(target, nullptr, static_cast<ULONG_PTR>(argumentCount), BuildHandOverText(lines),
                   ui::TCopyDataEnd::NoNul);
  return true;
}

void PlainShellOpen(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                    const std::string& dir, int show) {
  ShellExecuteA(owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(), params.empty() ? nullptr : params.c_str(),
                dir.empty() ? nullptr : dir.c_str(), show);
}

TLauncherServices DefaultLauncherServices() {
  // StartProgram is left to the window, whose starts the application window owns.
  TLauncherServices services;
  services.ShellOpen = PlainShellOpen;
  services.Beep = [] { MessageBeep(0); };
  services.Now = NowStamp;
  return services;
}

// Run message boxes of the keyword store go through the layer's box service,
// owned by the application window.
class TZMRTMain::TRunBoxes : public IRunMessageBox {
 public:
  explicit TRunBoxes(const TZMRTMain& main) : m_(main) {}
  int Show(const std::string& text, const std::string& caption, unsigned int type) override {
    return ui::ShowMessageBox(m_.ApplicationWindow(), text, caption, type);
  }

 private:
  const TZMRTMain& m_;
};

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
  void CaretPoint(int& x, int& y) const override { x = m_.previousCaret_.x, y = m_.previousCaret_.y; }
  void SetSelStart(int n) override { m_.SetSelStart(n); }
  void SetSelLength(int n) override { m_.SetSelLength(n); }
  void SetMode(const std::string& name) override { m_.SetMode(name); }
  void ParseInput() override { m_.ParseInput(); }
  void SendResult(uintptr_t sender, const std::string& text) override {
    if (m_.CopyData) m_.CopyData->SendText(reinterpret_cast<HWND>(sender), text);
  }
  void PutOnClipboard(const std::string& text) override { WriteClipboardText(m_.Handle(), text); }

 private:
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

TZMRTMain::TZMRTMain(const TStringList& startParams, TLauncherServices services, ui::TApplication* app)
    : services_(std::move(services)), app_(app), runBoxes_(std::make_unique<TRunBoxes>(*this)) {
  if (!services_.StartProgram)
    services_.StartProgram = [this](const std::string& file, const std::string& params, DWORD& error) {
      return ShellStart(ApplicationWindow(), file, params, error);
    };
  if (!services_.ShellOpen) services_.ShellOpen = PlainShellOpen;
  if (!services_.Beep) services_.Beep = [] { MessageBeep(0); };
  if (!services_.Now) services_.Now = NowStamp;
  previousWindow_ = GetForegroundWindow();
  if (startParams.Count() > 0) {
    for (const std::string& line : startParams)
      if (sjis::EqualsIgnoreCase(line, "/CaretPos")) {
        previousCaret_ = GetPreviousWindowCaretPos(previousWindow_);
        break;
      }
  }
  ui::TCreateParams p;
  p.ClassName = kLauncherClassName;
  p.Caption = kLauncherCaption;
  p.Style = WS_POPUP | WS_CLIPCHILDREN;
  p.ExStyle = WS_EX_TOPMOST;
  p.Parent = ApplicationWindow();  // owned by the application window: no taskbar button of its own
  CreateParams(p);
  p.Width = Data->WindowWidth > 0 ? Data->WindowWidth : 200;
  p.Height = 40;
  p.X = 0;
  p.Y = 0;
  ConnectEvents();
  if (!Create(p)) return;
  created_ = true;
  FormCreate(startParams);
}

TZMRTMain::~TZMRTMain() {
  CopyData.reset();
  dropTarget_.reset();
  for (ui::TConnection* c : {&appActivate_, &appDeactivate_, &appIdle_, &appMinimize_, &appRestore_}) c->Disconnect();
  completeTimer_.reset();
  exeTimer_.reset();
  if (Data) {
    for (int i = 0; i < 2; ++i)
      if (THotKeyItem* item = Data->GetHotKey(i)) item->OnHotKey = nullptr;
    Data->HotKeyList.OnHotKey = nullptr;
    Data->HotKeyList.SetActive(false);
  }
  try {
    TrayIcon1.reset();
  } catch (...) {
    LogSwallowed("TZMRTMain.Destroy");
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
  Running = focusing_ = menuFromIcon_ = false;
  if (app_) {
    appActivate_ = app_->OnActivate.Add([this] { ApplicationEvents1Activate(); });
    appDeactivate_ = app_->OnDeactivate.Add([this] { ApplicationEvents1Deactivate(); });
    appIdle_ = app_->OnIdle.Add([this](bool& done) { ApplicationEvents1Idle(done); });
    appMinimize_ = app_->OnMinimize.Add([this] { ApplicationEvents1Minimize(); });
    appRestore_ = app_->OnRestore.Add([this] { ApplicationEvents1Restore(); });
  }
  menu_ = std::make_unique<TLauncherMenu>();
  ConnectMenu();
  actions_ = std::make_unique<ui::TActionList>(*this);
  actions_->Add(&menu_->Action(TLauncherMenu::miExecute));  // Enter
  selectAllAction_.SetCaption("すべてを選択(&A)");
  selectAllAction_.SetShortCut(0x4000 | 'A');
  selectAllAction_.OnExecute = [this] {
    if (Edit1) SendMessageA(Edit1->Handle(), EM_SETSEL, 0, -1);
  };
  actions_->Add(&selectAllAction_);
  parserHost_ = std::make_unique<TParserHost>(*this);
  Parser = std::make_unique<TParamParser>(parserHost_.get());

  Edit1 = std::make_unique<TKeyWordEdit>();
  Edit1->FileFilter = "*";
  Edit1->OnKeyDown = [this](ui::TKeyEvent& e) { edit1KeyDown(e.Key, e.Shift); };
  Edit1->OnKeyPress = [this](ui::TKeyPressEvent& e) { Edit1KeyPress(e.Key); };
  Edit1->OnChangeKeyword = [this] { KeywordChanged(); };
  Edit1->OnTypedKeyword = [this] { TypedKeywordChanged(); };
  Edit1->OnMouseMove = [this](ui::TMouseEvent& e) { FormMouseMove(Edit1->Handle(), e.X, e.Y); };
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
  {
    ui::TToolTipParams tp;
    tp.Owner = Handle();
    if (Hints.Create(tp)) {
      auto windowHint = [this] { return Hint; };
      Hints.AddTool(Handle(), windowHint);
      Hints.AddTool(Edit1->Handle(), windowHint);
    }
  }
  layout_ = std::make_unique<TLauncherLayout>(Handle(), *Edit1, *Data);
  layout_->OnBaseChanged = [this] {
    if (Visible()) SaveSettings();
  };

  OnResize = [this](ui::TSizeEvent&) { FormResize(); };
  OnShow = [this] { FormShow(); };
  OnHide = [this] { FormHide(); };
  OnMouseDown = [this](ui::TMouseEvent& e) { Image1MouseDown(Handle(), e.Button, e.X, e.Y); };
  OnMouseUp = [this](ui::TMouseEvent& e) { IconImageMouseUp(Handle(), e.Button, e.X, e.Y); };
  OnMouseMove = [this](ui::TMouseEvent& e) { FormMouseMove(Handle(), e.X, e.Y); };

  for (int i = 0; i < 2; ++i)
    if (THotKeyItem* item = Data->GetHotKey(i))
      item->OnHotKey = [this, i](THotKeyItem&, const std::string&, uint8_t) { HotKeyPressed(i); };

  Closing = Hidden = false;
  Load(true);

  dropTarget_ = std::make_unique<TMultiDropTarget>(Handle(), TMessageSource::Owner);
  dropTarget_->AppendToEdit = true;
  dropTarget_->OnDropFiles = [this](TMultiDropTarget* sender, const std::string& text) { TargetDrop(sender, text); };
  dropTarget_->OnDropURL = [this](TMultiDropTarget*, const std::string& address, const std::string& title) {
    TargetDropURL(address, title);
  };
  dropTarget_->OnDragOver = [this](TMultiDropTarget*) { TargetEnter(); };
  dropTarget_->OnDragEnd = [this](TMultiDropTarget*) { TargetLeave(); };
  CopyData = std::make_unique<TEasyCopyDataHandler>(Handle(), TMessageSource::Owner);
  CopyData->OnReceived = [this](TEasyCopyDataHandler* handler, const std::string& text, HWND sender) {
    CopyDataReceived(handler, text, sender);
  };

  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT r = {};
  GetWindowRect(Handle(), &r);
  const int width = Data->WindowWidth > 0 ? Data->WindowWidth : r.right - r.left;
  layout_->Start(StartPosition(Data->WindowLeft, Data->WindowTop, width, r.bottom - r.top, work), width);

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
  ClearCurrentItem();
  ModeColor = 0;
  if (!TrayIcon1) {
    TrayIcon1 = std::make_unique<TTrayIcon>(services_.TrayShell, false);
    TrayIcon1->MenuOwner = Handle();
    TrayIcon1->OnMouseMove = [this](int, int) { TrayIcon1MouseMove(); };
    PopupMenu1Popup();
    TrayIcon1->LButtonPopupMenu = TrayIcon1->RButtonPopupMenu = PopupMenu();
    TrayIcon1->OnDblClick = [] {};
  }
  if (Closing) {
    DebugOut().Outdent().Write("TZMRTMain.Load:END").WriteLn();
    return;
  }
  dragging_ = false;

  UserDir = FilePathsInstance().UserDir;
  if (Data) Data->SetDataDir(UserDir);
  else Data = std::make_unique<TZMRTData>(UserDir);

  if (!fileio::DirectoryExists(UserDir + "\\Items") || !fileio::DirectoryExists(UserDir + "\\Icons")) {
    FirstRun = true;
    StartFirstRunEditor();
    if (app_) app_->Terminate();
    DebugOut().Outdent().Write("TZMRTMain.Load:END").WriteLn();
    return;
  }

  if (Edit1) Edit1->SetKeywordManager(nullptr);  // the box's keyword goes before its store
  KeyWordManager.reset();
  KeyWordManager = std::make_unique<TKeyWordManager>(UserDir + "\\Items", FilePathsInstance().MainDir);
  KeyWordManager->SystemCommandRunner = this;
  KeyWordManager->RunServices.MessageBoxes = runBoxes_.get();

  if (reread) Data->Load();
  else Data->ReadSettings();
  KeyWordManager->ExecutableExtensions = Data->ExecutableFileList;
  if (Edit1) Edit1->SetKeywordManager(KeyWordManager.get());

  ModeKeyWord.clear();
  TitleText = kLauncherTitle;

  SetWindowPos(Handle(), Data->showtop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  DropIconImage();
  if (Data->showicon) {
    IconImage = std::make_unique<TQVIconImage>(Handle());
    if (Hints.Handle()) Hints.AddTool(IconImage->Handle(), [this] { return IconHint; });
    SetClassLongPtrA(IconImage->Handle(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursor(nullptr, IDC_HAND)));
    IconImage->OnMouseDown = [this](ui::TMouseEvent& e) { Image1MouseDown(IconImage->Handle(), e.Button, e.X, e.Y); };
    IconImage->OnMouseUp = [this](ui::TMouseEvent& e) { IconImageMouseUp(IconImage->Handle(), e.Button, e.X, e.Y); };
    IconImage->OnMouseMove = [this](ui::TMouseEvent&) { IconImageMouseMove(); };
    IconImage->OnTargetDrop = [this](int, int, HWND, const std::string& title, const std::string& file) {
      IconImageTargetDrop(file, title);
    };
    IconImage->OnTargetMove = [this](int, int, HWND, const std::string& title, const std::string& file) {
      IconImageTargetMove(file, title);
    };
    IconImage->SetSmall(Data->Small);
    IconImage->SetThreadPriority(Data->Priority);
    IconImage->SetUseThread(Data->UseThread);
    IconImage->DelayTime = Data->WaitTimeForIcon;
    ShowWindow(IconImage->Handle(), SW_HIDE);
    layout_->Refit();
    IconImage->SetIcon("%IconDir\\main.ico", 0);
  } else {
    layout_->Refit(0);
    UpdateStatus();
  }

  if (!FirstRun && Data->version < kIconUpgradeVersion) UpgradeIconFolder();

  ApplyTray();

  if (Edit1) ApplyEditSettings();

  const int size = Data->FontSize > 0 ? Data->FontSize : 9;
  HDC dc = GetDC(nullptr);
  const int height = -MulDiv(size, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(nullptr, dc);
  font_.reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, Data->Font.c_str()));
  if (Edit1) Edit1->SetFont(font_.get());
  SetFont(font_.get());

  layout_->Arrange(IconImage ? IconImage->Handle() : nullptr);

  SetTranslucent(Data->TransParentMode == 1);

  RegisterHotKeys();

  if (Edit1) {
    Edit1->SetText("");
    Edit1->HidePopup();
  }
  ClearCurrentItem();
  UpdateStatus();  // the title on the empty box

  Data->HotKeyList.OnHotKey = [this](THotKeyItem&, const std::string& name, uint8_t) { HotKeyCommand(name); };
  Data->HotKeyList.SetActive(false);
  Data->HotKeyList.SetActive(true);

  if (!Data->CD.empty()) SetCurrentDirectoryA(Data->CD.c_str());

  ShownStamp = Now();
  ColorIndex = -1;
  SetStateColor(-1);
  DebugOut().Outdent().Write("TZMRTMain.Load:END").WriteLn();
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
  core::ForEachFile(from + "*", [&](const WIN32_FIND_DATAA& found) {
    const std::string name = found.cFileName;
    if (PathExists(to + name)) return;
    ShellCopyFiles(Handle(), from + name, to + name);  // a failed copy is skipped
  });
}

void TZMRTMain::ApplyTray() {
  HWND appWindow = ApplicationWindow();
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
    LogSwallowed("TZMRTMain.ApplyTray");
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
      if (ui::ShowMessageBox(ApplicationWindow(), text, kLauncherTitle, MB_YESNO) == IDYES)
        ShowSettingPage(kPage[i], kTab[i]);
    }
  }
}

void TZMRTMain::ReLoad(bool activate) {
  if (Starting) return;
  if (DeferWhileRunning([this, activate] { ReLoad(activate); })) return;
  Load(true);
  if (activate) {
    ForceForegroundWindow(GetDesktopWindow());
    if (app_) ForceForegroundWindow(app_->Handle());
  }
}

void TZMRTMain::FormCloseQuery(bool& canClose) {
  if (app_) {
    app_->Terminate();
    app_->ProcessMessages();
  }
  canClose = true;
}

void TZMRTMain::FormClose() {
  DebugOut().Write("TZMRTMain.FormClose").WriteLn();
  for (ui::TConnection* c : {&appActivate_, &appDeactivate_, &appIdle_, &appMinimize_, &appRestore_}) c->Disconnect();
  CopyData.reset();
  dropTarget_.reset();
  Closing = true;
  Parser.reset();
  if (Visible()) Hide();
  DropIconImage();
  if (Data && Data->UseTaskTray)
    if (app_) ShowWindow(app_->Handle(), SW_HIDE);
  if (KeyWordManager) KeyWordManager->ClearCache();
  try {
    if (TrayIcon1) TrayIcon1->SetVisible(false);
  } catch (...) {
    LogSwallowed("TZMRTMain.FormClose");
  }
}

// ---- Requests from the switch parser --------------------------------------

void TZMRTMain::CopyDataReceived(TEasyCopyDataHandler* handler, const std::string& text, HWND sender) {
  DebugOut().Write("TZMRTMain.CopyDataReceived dwData=").WriteInt(handler ? static_cast<long long>(handler->DataWord()) : 0).WriteLn().Indent();
  if (!text.empty()) {
    TStringList lines;
    lines.SetText(text);
    DebugOut().WriteStrings(&lines);
    previousWindow_ = GetForegroundWindow();
    if (lines.IndexOf("/CaretPos") >= 0) previousCaret_ = GetPreviousWindowCaretPos(previousWindow_);
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
    HWND reference = previousWindow_ && IsWindow(previousWindow_) ? previousWindow_ : nullptr;
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
  layout_->SetHomeLeft(now.left);
}

double TZMRTMain::Now() const { return services_.Now(); }

HWND TZMRTMain::ApplicationWindow() const { return app_ ? app_->Handle() : nullptr; }

// ==== Execution road and editor requests ===================================

void TZMRTMain::ShellOpen(const std::string& verb, const std::string& file, const std::string& params,
                          const std::string& dir, int show) {
  services_.ShellOpen(Handle(), verb, file, params, dir, show);
}

namespace {

// Runs the window's editor starts through the window's plain shell start.
class TWindowEditorStarter : public editor_requests::IEditorStarter {
 public:
  explicit TWindowEditorStarter(std::function<void(const editor_requests::TEditorStart&)> start)
      : start_(std::move(start)) {}
  void Start(const editor_requests::TEditorStart& s) override { start_(s); }

 private:
  std::function<void(const editor_requests::TEditorStart&)> start_;
};

bool EndsWithSlash(const std::string& text) { return sjis::EndsWithChar(text, '/'); }

// Only called after EndsWithSlash, so the last byte is a whole "/".
std::string WithoutLastChar(const std::string& text) {
  return text.empty() ? text : text.substr(0, text.size() - 1);
}

std::string FirstLine(const std::string& text) {
  const size_t end = text.find_first_of("\r\n");
  return end == std::string::npos ? text : text.substr(0, end);
}

int LineCount(const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  return lines.Count();
}

// The file name without folder and extension.
std::string BareFileName(const std::string& path) {
  return sjis::ChangeFileExt(sjis::ExtractFileName(path), "");
}

}  // namespace

TKeyWordX* TZMRTMain::CurrentItem() const {
  if (ownedItem_) return ownedItem_.get();
  return Edit1 ? Edit1->CurrentKeyword() : nullptr;
}

void TZMRTMain::SetCurrentItem(std::unique_ptr<TKeyWordX> item) {
  ownedItem_ = std::move(item);
  if (!ownedItem_ && Edit1) Edit1->DropCurrentKeyword();
}

void TZMRTMain::ClearCurrentItem() {
  ownedItem_.reset();
  if (Edit1) Edit1->DropCurrentKeyword();
}

std::unique_ptr<TKeyWordX> TZMRTMain::TakeCurrentItem() {
  if (ownedItem_) return std::move(ownedItem_);
  return Edit1 ? Edit1->Parser().TakeCurrent() : nullptr;
}

void TZMRTMain::RunDeferred() {
  while (!deferred_.empty() && !Running && !Closing) {
    std::function<void()> next = std::move(deferred_.front());
    deferred_.erase(deferred_.begin());
    next();
  }
}

bool TZMRTMain::DeferWhileRunning(std::function<void()> action) {
  if (!Running) return false;
  deferred_.push_back(std::move(action));
  return true;
}

void TZMRTMain::ExecuteActionExecute() { Execute(true, false); }

void TZMRTMain::Execute(bool throughAction, bool forced) {
  ShownStamp = -1;
  DebugOut().Write("UZMRT.Execute:Start").WriteLn().Indent();
  auto end = [] { DebugOut().Outdent().Write("UZMRT.Execute:END").WriteLn(); };
  if (!Edit1 || !KeyWordManager || Running) {
    end();
    return;
  }
  if (throughAction && !ModeKeyWord.empty()) {
    const std::string mode = ModeKeyWord;
    ExecuteByKeyword(mode);
    SetMode("");
    end();
    return;
  }
  // What the box shows is what runs: a text changed without a refresh (the
  // window hidden, a switch) is parsed here.
  if (!ownedItem_) Edit1->FollowLine();
  if (CurrentItem() || forced || Data->AlwaysForce) {
    RunCurrentItem();
    end();
    RunDeferred();
    return;
  }

  SetStateColor(3);
  const std::string text = Edit1->Text();
  auto request = std::make_unique<TStringIni>();
  if (EndsWithSlash(text) && KeyWordManager->Exists(WithoutLastChar(text))) {
    request->WriteString("Action", "ChangeToGroup");
    request->WriteString("Keyword", WithoutLastChar(text));
  } else if (KeyWordManager->IsValidPath(text) && Data->RegistByEnter) {
    request->WriteString("Action", "New");
    request->WriteString("KeyWord", text);
    request->WriteInteger("Type", -1);
  } else if (!text.empty()) {
    services_.Beep();
    SetStateColor(KeyWordManager->IsValidPath(text) ? 2 : 1);
    end();
    return;
  }
  ShowEditor(std::move(request));
  SetStateColor(-1);
  end();
}

void TZMRTMain::RunCurrentItem() {
  SetStateColor(3);
  int type = 0;
  std::string before;
  {
    // Whatever escapes below, the next Enter is not refused and the box's
    // switches are the settings' again.
    Running = true;
    auto stopRunning = core::ScopeExit([this] { Running = false; });
    auto restoreSwitches = core::ScopeExit([this] {
      Edit1->UseList = Data->UseList;
      Edit1->AutoComplete = Data->UseAutoComplete;
    });
    try {
      Edit1->DoComplete();
    } catch (...) {
      LogSwallowed("UZMRT.Execute:DoComplete");
    }
    if (Parser) Parser->ClearParams();
    // The run owns its item: typing or a switch handled while it waits cannot
    // free it under the run.
    std::unique_ptr<TKeyWordX> running = TakeCurrentItem();
    if (running) {
      try {
        const std::string line = Edit1->GetLineText();
        running->Parser = Edit1.get();
        running->RunFile = UserDir + "\\RunCommand.ini";
        type = running->GetType();
        if (Data->UpPriority) {
          if (Data->UpPriorityByRate) Edit1->UpPriorityByPer(Data->UpPriorityCount);
          else Edit1->UpPriority(Data->UpPriorityCount);
        }
        Edit1->HidePopup();
        if (app_) app_->ProcessMessages();
        before = Edit1->Text();
        {
          Edit1->UseList = false;
          Edit1->AutoComplete = false;
          auto restore = core::ScopeExit([this] {
            Edit1->UseList = Data->UseList;
            Edit1->AutoComplete = Data->UseAutoComplete;
          });
          running->RunCommand();
        }
        Edit1->HidePopup();
        if (Data->UseHistory) Edit1->AddHistoryLine(line);
        KeyWordManager->Save();
      } catch (...) {
        // A failing run still hides and resets the box below.
        LogSwallowed("UZMRT.Execute:RunCommand");
      }
    } else {
      std::string text = Edit1->Text();
      if (sjis::StartsWithChar(text, '!')) text.erase(0, 1);
      ShellRun(text);
      SetStateColor(-1);
    }
    ClearCurrentItem();
    running.reset();
    if (Parser && Parser->PendingText().empty() && Data->HideWhenRun && !Hidden &&
        (Data->HideWhenSysRun || type != 2))
      ShowHideActionExecute();
  }
  {
    Edit1->UseList = false;
    Edit1->AutoComplete = false;
    auto restoreSwitches = core::ScopeExit([this] {
      Edit1->UseList = Data->UseList;
      Edit1->AutoComplete = Data->UseAutoComplete;
    });
    Edit1->SetKeywordManager(KeyWordManager.get());
    const std::string now = Edit1->Text();
    if (now.empty() || now != before) Edit1->KeywordChange();
    else Edit1->SetText("");
    UpdateStatus();
  }
  if (Parser && Parser->ParseFlag()) ParseInput();
}

void TZMRTMain::ExecuteByKeyword(const std::string& name) {
  if (!KeyWordManager || !Edit1) return;
  std::unique_ptr<TKeyWordX> found = KeyWordManager->FindKeyWord(KeyWordManager->DecodeKeyWordIDs(name));
  if (!found) {
    ui::ShowMessageBox(app_ ? app_->Handle() : Handle(), "該当するキーワードがありません  " + name, kLauncherTitle, MB_OK);
    return;
  }
  Edit1->ParseByKeyword(found.get(), Edit1->CompletedText(), false);
  SetCurrentItem(std::move(found));
  DebugOut().Write("UZMRT.ExecuteByKeyword").WriteLn().Indent();
  {
    // A run by name raises nothing; the setting is back even when the run throws.
    const bool up = Data->UpPriority;
    Data->UpPriority = false;
    auto restore = core::ScopeExit([this, up] { Data->UpPriority = up; });
    Execute(false, false);
  }
  DebugOut().Outdent().Write("UZMRT.ExecuteByKeyword:END").WriteLn();
}

void TZMRTMain::HotKeyCommand(const std::string& name) {
  if (!Edit1) return;
  if (sjis::EqualsIgnoreCase(name, "*DeleteRightToken")) Edit1->DeleteWordRight();
  else if (sjis::EqualsIgnoreCase(name, "*DeleteLeftToken")) Edit1->DeleteWordLeft();
  else if (sjis::EqualsIgnoreCase(name, "*ForceExe")) Execute(false, true);
  else ExecuteByKeyword(name);
}

void TZMRTMain::SetMode(const std::string& name) {
  if (!name.empty() && KeyWordManager && KeyWordManager->Exists(KeyWordManager->DecodeKeyWordIDs(name))) {
    ModeKeyWord = name;
    ModeColor = 2;
    SetStateColor(2);
    TitleText = "Mode:" + name;
    UpdateStatus();
    return;
  }
  ModeColor = 0;
  SetStateColor(0);
  TitleText = kLauncherTitle;
  if (!ModeKeyWord.empty()) {
    ModeKeyWord.clear();
    UpdateStatus();
  }
}

bool TZMRTMain::IsRegistrableTarget(const std::string& value) {
  if (!KeyWordManager) return false;
  const std::string path = ResolveKeyWordPath(value, *KeyWordManager);
  if (path.empty()) return false;
  return fileio::FileExists(path) || fileio::DirectoryExists(path) || IsWebAddress(path) ||
         sjis::StartsWithIgnoreCase(path, "mailto:");
}

void TZMRTMain::ExecuteSysCommand(std::unique_ptr<TStringIni> request) {
  if (!request) return;
  const int index = request->ReadInteger("CommandIndex", -1);
  const std::string p1 = request->ReadString("%1", ""), p2 = request->ReadString("%2", "");
  DebugOut().Write("TZMRTMain.ExecuteSysCommand ").WriteInt(index).WriteLn();
  auto editor = [this](std::initializer_list<std::pair<const char*, std::string>> keys) {
    auto r = std::make_unique<TStringIni>();
    for (const auto& [key, value] : keys) r->WriteString(key, value);
    ShowEditor(std::move(r));
  };
  switch (index) {
    case 0:
      // Closing frees what the caller may still be using: post it.
      PostMessageA(Handle(), WM_CLOSE, 0, 0);
      break;
    case 1: editor({{"Action", "Edit"}, {"KeyWord", p1}}); break;
    case 2: SettingActionExecute(); break;
    case 3: {
      auto r = std::make_unique<TStringIni>();
      r->WriteString("Action", "New");
      r->WriteInteger("Type", -1);
      if (!p1.empty() || request->ValueExists("%1")) {
        if (IsRegistrableTarget(p1)) {
          r->WriteInteger("Type", 0);
          r->WriteString("Command", p1);
        } else {
          r->WriteString("KeyWord", p1);
        }
      }
      if (!p2.empty() || request->ValueExists("%2")) {
        if (IsRegistrableTarget(p2)) {
          r->WriteInteger("Type", 0);
          r->WriteString("Command", p2);
        } else if (!r->ValueExists("KeyWord")) {
          r->WriteString("KeyWord", p2);
        }
      }
      ShowEditor(std::move(r));
      break;
    }
    case 4: {
      auto r = std::make_unique<TStringIni>();
      r->WriteString("Action", "Delete");
      if (Edit1 && !Edit1->Text().empty()) r->WriteString("Keyword", p1);
      ShowEditor(std::move(r));
      break;
    }
    case 5: VersionActionExecute(); break;
    case 6: {
      std::string folder = p1;
      if (fileio::FileExists(folder)) folder = sjis::ExtractFilePath(folder);
      folder = sjis::IncludeTrailingPathDelimiter(folder);
      SetCurrentDirectoryA(folder.c_str());
      break;
    }
    case 7: editor({{"Action", "RegistActive"}, {"KeyWord", p1}}); break;
    case 8: editor({{"Action", "Select"}, {"KeyWord", p1}}); break;
    case 9: ShellOpen("", FilePathsInstance().MainDir, "", "", SW_SHOWNORMAL); break;
    case 10: ShellOpen("", UserDir, "", "", SW_SHOWNORMAL); break;
    case 11: {
      const TStringList lines = SplitStringQuoted(request->ReadString("%*", ""), " ", '"');
      if (Parser) Parser->Parse(&lines, 0);
      break;
    }
    default: break;
  }
}

void TZMRTMain::ShellRun(const std::string& text) { ShellOpen("", text, "", "", SW_SHOWDEFAULT); }

// ---- Editor requests ----

editor_requests::IEditorStarter& TZMRTMain::EditorStarter() {
  if (!editorStarter_)
    editorStarter_ = std::make_unique<TWindowEditorStarter>([this](const editor_requests::TEditorStart& s) {
      services_.ShellOpen(s.Owner, s.Verb, s.File, s.Params, s.Directory, s.Show);
    });
  return *editorStarter_;
}

void TZMRTMain::ShowEditor(std::unique_ptr<TStringIni> request) {
  SetMode("");
  SetStateColor(3);
  if (Edit1) {
    Edit1->UseList = false;
    Edit1->SetText("");
    Edit1->HidePopup();
    Edit1->UseList = Data->UseList;
  }
  UpdateStatus();
  HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  editor_requests::TEditorFolders folders{FilePathsInstance().MainDir, FilePathsInstance().FilesDir, UserDir};
  try {
    editor_requests::SendRequest(Handle(), std::move(request), KeyWordManager.get(), folders, EditorStarter());
  } catch (...) {
    LogSwallowed("TZMRTMain.ShowEditor");
    // A failed start is not reported.
  }
  SetCursor(previous);
  if (Data->HideWhenSetting && !Hidden) ShowHideActionExecute();
  SetStateColor(-1);
}

void TZMRTMain::OpenEditor() { ShowEditor(nullptr); }

void TZMRTMain::ShowSettingPage(const std::string& page, int tabIndex) {
  DWORD error = 0;
  const std::string editor = FilePathsInstance().FilesDir + "\\QVEditor.exe";
  const std::string params = "/setting /SelectedNode=" + page + " /TabIndex=" + std::to_string(tabIndex);
  if (!services_.StartProgram(editor, params, error))
    DebugOut().Write("UZMRT.ShowSettingPage.ShellExecuteError").WriteInt(static_cast<long long>(error)).WriteLn();
  Hidden = false;
  ShowHideActionExecute();
}

void TZMRTMain::StartEditorWith(const std::string& switches) {
  editor_requests::StartEditorSwitch(Handle(), switches, FilePathsInstance().FilesDir, EditorStarter());
  if (Data->HideWhenSetting && !Hidden) ShowHideActionExecute();
}

void TZMRTMain::SettingActionExecute() { StartEditorWith("/setting"); }

void TZMRTMain::VersionActionExecute() { StartEditorWith("/version"); }

void TZMRTMain::EditCurrentKeywordActionExecute() {
  if (!Edit1 || !KeyWordManager) return;
  SetStateColor(3);
  if (CurrentItem() && CurrentItem()->GetType() == 3) {
    const std::string command = CurrentItem()->GetCommand();
    TargetDrop(nullptr, command);
    return;
  }
  if (CurrentItem()) {
    auto r = std::make_unique<TStringIni>();
    r->WriteString("Action", "Edit");
    r->WriteString("KeyWord", CurrentItem()->GetKeyWord());
    ShowEditor(std::move(r));
  } else {
    const std::string text = Edit1->Text();
    if (text.empty()) {
      OpenEditor();
    } else if (!KeyWordManager->IsValidPath(text)) {
      services_.Beep();
    } else {
      auto r = std::make_unique<TStringIni>();
      r->WriteString("Action", "New");
      r->WriteString("KeyWord", text);
      r->WriteInteger("Type", -1);
      ShowEditor(std::move(r));
    }
  }
  SetStateColor(-1);
}

void TZMRTMain::NewExActionExecute() {
  if (!Edit1 || !KeyWordManager) return;
  auto r = std::make_unique<TStringIni>();
  r->WriteString("Action", "New");
  const std::string text = Edit1->Text();
  if (!text.empty() && !CurrentItem()) {
    if (KeyWordManager->IsValidPath(text)) r->WriteString("Keyword", text);
  } else if (CurrentItem()) {
    const int type = CurrentItem()->GetType();
    if (type == 3) {
      const std::string command = CurrentItem()->GetCommand();
      r->WriteString("Command", command);
      if (fileio::FileExists(command) || fileio::DirectoryExists(command))
        r->WriteString("Keyword", BareFileName(sjis::ExcludeTrailingPathDelimiter(command)));
    } else if (type == 5) {
      r->WriteString("Keyword", CurrentItem()->GetKeyWord());
    } else if (type == 0) {
      r->WriteString("Command", CurrentItem()->GetCommand());
      r->WriteString("Keyword", CurrentItem()->Name);
    }
  }
  r->WriteInteger("Type", -1);
  ShowEditor(std::move(r));
}

void TZMRTMain::deleteActionExecute() {
  if (!CurrentItem()) return;
  SetStateColor(3);
  auto r = std::make_unique<TStringIni>();
  r->WriteString("Action", "Delete");
  r->WriteString("Keyword", CurrentItem()->GetKeyWord());
  ShowEditor(std::move(r));
  SetStateColor(-1);
}

void TZMRTMain::RegistActiveRequest() {
  auto r = std::make_unique<TStringIni>();
  r->WriteString("Action", "RegistActive");
  ShowEditor(std::move(r));
}

void TZMRTMain::TargetDrop(TCustomDropTarget*, const std::string& text) {
  if (!Edit1 || !KeyWordManager) return;
  std::string head = FirstLine(text);
  auto r = std::make_unique<TStringIni>();
  r->WriteString("Action", "New");
  if (!(fileio::FileExists(head) || fileio::DirectoryExists(head)) && !IsWebAddress(head)) {
    r->WriteString("Command", text);
    r->WriteString("Comment", text);
    ShowEditor(std::move(r));
    return;
  }
  r->WriteString("Command", text);
  head = sjis::ExcludeTrailingPathDelimiter(head);
  const std::string input = Edit1->Text();
  if (KeyWordManager->IsValidPath(input) && !CurrentItem() && !input.empty() && LineCount(text) <= 1) {
    r->WriteString("KeyWord", EndsWithSlash(input) ? WithoutLastChar(input) : input);
    ShowEditor(std::move(r));
    return;
  }
  if (CurrentItem() && CurrentItem()->GetType() == 5) {
    r->WriteString("KeyWord", CurrentItem()->GetKeyWord() + "/" +
                                  TKeyWordManager::ReplaceInvalidChars(BareFileName(head)));
    ShowEditor(std::move(r));
    return;
  }
  if (CurrentItem() && CurrentItem()->GetType() == 0) {
    // Run the shown keyword with the dropped item as its parameter.
    std::unique_ptr<TKeyWordX> item = Edit1->Parser().Parse(input + " " + text);
    if (item) {
      item->Parser = Edit1.get();
      item->RunFile = UserDir + "\\RunCommand.ini";
      try {
        item->RunCommand();
      } catch (...) {
        LogSwallowed("TZMRTMain.TargetDrop");
      }
    }
    ClearCurrentItem();
    Edit1->SetText("");
    if (Data->HideWhenRun) ShowHideActionExecute();
    return;
  }
  ShowEditor(std::move(r));
}

void TZMRTMain::TargetDropURL(const std::string& address, const std::string& title) {
  if (!Edit1 || !KeyWordManager) return;
  const std::string input = Edit1->Text();
  if (KeyWordManager->IsValidPath(input) && !CurrentItem()) {
    auto r = std::make_unique<TStringIni>();
    r->WriteString("Action", "New");
    r->WriteString("Command", address);
    r->WriteString("Comment", title);
    r->WriteString("KeyWord", input);
    ShowEditor(std::move(r));
    return;
  }
  TargetDrop(nullptr, address);
}

void TZMRTMain::IconImageTargetDrop(const std::string& program, const std::string& caption) {
  if (!Edit1 || !KeyWordManager) return;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  if (program.empty() || sjis::EqualsIgnoreCase(program, self)) {
    UpdateStatus();
    return;
  }
  auto r = std::make_unique<TStringIni>();
  r->WriteString("Action", "New");
  r->WriteString("Command", program);
  const std::string named = sjis::ExcludeTrailingPathDelimiter(program);
  const std::string file = TKeyWordManager::ReplaceInvalidChars(BareFileName(named));
  const std::string input = Edit1->Text();
  if (!input.empty() && KeyWordManager->IsValidPath(input) && !CurrentItem()) {
    r->WriteString("KeyWord", input);
  } else if (CurrentItem() && CurrentItem()->GetType() == 5) {
    r->WriteString("KeyWord", CurrentItem()->GetKeyWord() + "/" + file);
  } else if (!CurrentItem() || CurrentItem()->GetType() != 0) {
    r->WriteString("KeyWord", BareFileName(named));
  } else {
    r->WriteString("KeyWord", CurrentItem()->GetKeyWord());
    r->WriteString("Action", "Edit");
  }
  r->WriteString("Comment", caption);
  ShowEditor(std::move(r));
}

// ---- What the switch parser drives ----

void TZMRTMain::RunCommand(const std::string& name) {
  if (DeferWhileRunning([this, name] { RunCommand(name); })) return;
  if (!KeyWordManager || !Edit1) return;
  std::unique_ptr<TKeyWordX> found = KeyWordManager->FindKeyWord(name);
  if (!found) return;
  Edit1->ParseByKeyword(found.get(), Edit1->CompletedText(), false);
  SetCurrentItem(std::move(found));
  const bool hide = Data->HideWhenRun;
  Data->HideWhenRun = false;
  auto restore = core::ScopeExit([this, hide] { Data->HideWhenRun = hide; });
  ExecuteActionExecute();
}

void TZMRTMain::PasteText(const std::string& text, bool recomplete) {
  if (DeferWhileRunning([this, text, recomplete] { PasteText(text, recomplete); })) return;
  if (!Edit1) return;
  ShowOrHide(true);
  if (!text.empty()) {
    const bool list = Edit1->UseList, complete = Edit1->AutoComplete;
    Edit1->UseList = false;
    Edit1->AutoComplete = false;
    Edit1->SetText(text);
    Edit1->SetRedraw(true);
    Edit1->Invalidate();
    const int length = static_cast<int>(sjis::CharCount(text));
    Edit1->SetSel(length, 0);
    Edit1->UseList = list;
    Edit1->AutoComplete = complete;
  } else {
    Edit1->SetText("");
  }
  if (recomplete) ParseInput();
}

void TZMRTMain::DropFiles(const std::string& text) { TargetDrop(nullptr, text); }

void TZMRTMain::SetSelStart(int n) {
  if (!Edit1) return;
  if (n != Edit1->SelStart()) {
    Edit1->SetSelStart(n);
    Edit1->HidePopup();
  }
}

void TZMRTMain::SetSelLength(int n) {
  if (Edit1) Edit1->SetSelLength(n);
}

void TZMRTMain::ParseInput() {
  if (!Edit1) return;
  Edit1->KeywordChange();
}

// ==== Window behaviour =====================================================

namespace {

constexpr double kGuardDays = 1000.0 / 86400000.0;

// Translucency exists from Windows 2000 on; the function is looked up so the
// program still starts where it is missing.
bool TranslucencyAvailable() { return IsNT() && LOBYTE(LOWORD(GetVersion())) >= 5; }

using TSetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
TSetLayered SetLayeredFunction() {
  static const TSetLayered f = reinterpret_cast<TSetLayered>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetLayeredWindowAttributes")));
  return f;
}

POINT ToScreen(HWND window, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(window, &p);
  return p;
}

}  // namespace

void TZMRTMain::SetTranslucent(bool on) {
  if (!Handle()) return;
  const LONG_PTR ex = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
  TSetLayered setLayered = SetLayeredFunction();
  if (on && TranslucencyAvailable() && setLayered) {
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
    setLayered(Handle(), 0, static_cast<BYTE>(Data->TransParentValue), LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  }
}

IInputMethod& TZMRTMain::InputMethod() {
  if (!services_.InputMethod) services_.InputMethod = CreateSystemInputMethod();
  return *services_.InputMethod;
}

bool TZMRTMain::IsImeOpen() {
  if (!Edit1 || !Edit1->Handle()) return false;
  Edit1->Focus();
  return InputMethod().IsOpen(reinterpret_cast<std::uintptr_t>(Edit1->Handle()));
}

void TZMRTMain::ClearInput() {
  Edit1->HidePopup();
  Edit1->UseList = false;
  Edit1->SetText("");
  Edit1->UseList = Data->UseList;
}

void TZMRTMain::ShowHideActionExecute() {
  DebugOut().Write("TZMRTMain.ShowHideActionExecute").WriteLn();
  ui::TApplication* app = app_;
  if (Edit1) ClearInput();
  if (Hidden) {
    ShowWindow(Handle(), SW_SHOW);
    Show();
    if (app) app->Restore();
    Hidden = false;
    if (Data->OffIME && Edit1) InputMethod().SetOpen(reinterpret_cast<std::uintptr_t>(Edit1->Handle()), false);
  } else {
    if (Edit1) Edit1->UseList = false;
    Hide();
    if (!Data->UseTaskTray && app) app->Minimize();
    if (Data->endWhenHide && !Starting) {
      try {
        Close();
        if (app) app->Terminate();
      } catch (...) {
        LogSwallowed("TZMRTMain.ShowHideActionExecute");
      }
    }
    Hidden = true;
  }
}

void TZMRTMain::ShowOrHide(bool show) {
  Hidden = show;
  ShowHideActionExecute();
}

void TZMRTMain::ForuceFocus(HWND window, bool mouseJump, bool pump) {
  ShownStamp = Now();
  focusing_ = true;
  if (!(Data->TransParentMode == 1 && TranslucencyAvailable())) SetTranslucent(false);
  HWND appWindow = ApplicationWindow();
  const bool ours = window == Handle() || (appWindow && window == appWindow);
  // The application window has no face of its own: the launcher's window is
  // the one that is shown and takes the foreground for it.
  if (ours) window = Handle();
  ShowWindow(window, SW_SHOW);
  if (ours) {
    try {
      Hidden = false;
      if (app_) app_->Restore();
      BringWindowToTop(Handle());
      Show();
      if (Edit1) Edit1->Focus();
    } catch (...) {
      LogSwallowed("TZMRTMain.ForuceFocus");
    }
    DebugOut().Write("UZMRT.Application.ForuceFocus").WriteLn();
    ForceForegroundWindow(Handle());
    if (pump) {
      focusing_ = false;
      if (app_) app_->ProcessMessages();
      Sleep(100);
      focusing_ = true;
    }
  }
  DebugOut().Write("UZMRT.ForuceFocus").WriteLn();
  ForceForegroundWindow(window);
  if (mouseJump) {
    RECT r = {};
    GetWindowRect(window, &r);
    if (r.left > 0 && r.top > 0) SetCursorPos(r.right - 10, r.top + 10);
  }
  focusing_ = false;
}

void TZMRTMain::ForuceFocus() { ForuceFocus(ApplicationWindow(), Data->MouseFocus, false); }

void TZMRTMain::ActivateWindow() { ForuceFocus(ApplicationWindow(), Data->MouseFocus, true); }

void TZMRTMain::ExitActionExecute() { PostMessageA(Handle(), WM_CLOSE, 0, 0); }

void TZMRTMain::HotKeyPressed(int index) {
  DebugOut().Write("TZMRTMain.HotKeyPressed").WriteInt(index).WriteLn();
  if (index == 1) {
    RegistActiveRequest();
    return;
  }
  if (GetForegroundWindow() == Handle() && !Hidden && Data->hideWhenReActivate) {
    ShowHideActionExecute();
    return;
  }
  if (Hidden) ShowHideActionExecute();
  ForuceFocus(Handle(), Data->MouseFocus, false);
}

void TZMRTMain::ApplicationEvents1Activate() {
  DebugOut().Write("TZMRTMain.ApplicationEvents1Activate").WriteLn();
  if (Edit1 && Edit1->Text().empty()) Edit1->ActivateLimitComplete();
  menuFromIcon_ = false;
  if (!(Data->TransParentMode == 1 && TranslucencyAvailable())) SetTranslucent(false);
  if (Data->OffIME && Edit1) InputMethod().SetOpen(reinterpret_cast<std::uintptr_t>(Edit1->Handle()), false);
  ColorIndex = -1;
  SetStateColor(-1);
  DebugOut().Write("TZMRTMain.ApplicationEvents1Activate:END").WriteLn();
}

void TZMRTMain::ApplicationEvents1Deactivate() {
  previousWindow_ = nullptr;
  if (!Starting) SetMode("");
  if (ShownStamp == -1 && Data->hideWhenDeActivate && !Hidden &&
      (Data->hideWhenEditting || (Edit1 && Edit1->Text().empty())))
    ShowHideActionExecute();
  if (!focusing_) {
    UpdateStatus();
    SetStateColor(-1);  // the inactive look is the colour set's business
    if (Data->TransParentMode != 2) SetTranslucent(true);
  }
  SaveSettings();
}

void TZMRTMain::ApplicationEvents1Idle(bool& done) {
  if (app::Terminated()) return;
  if (KeyWordManager) KeyWordManager->GetFolderList("");
  if (Edit1) Edit1->SetRedraw(true);
  if (ShownStamp != -1 && Now() - ShownStamp > kGuardDays) ShownStamp = -1;
  Starting = false;
  if (StatusText != drawnStatusText_) {
    drawnStatusText_ = StatusText;
    done = false;  // one more idle call
    ShownStatusText = StatusText;
    AdjustWidth();
    DrawStatus(ShownStatusText);
  }
}

void TZMRTMain::ApplicationEvents1Minimize() {
  Hidden = true;
  if (Data->UseTaskTray) ShowWindow(ApplicationWindow(), SW_HIDE);
  if (Data->endWhenHide && !Closing && !Starting) Close();
}

void TZMRTMain::ApplicationEvents1Restore() {
  if (Hidden) ShowHideActionExecute();
  Hidden = false;
  Show();
  ShowWindow(Handle(), SW_SHOW);
  ApplicationEvents1Activate();
}

void TZMRTMain::FormShow() {
  if (Data->ForceFocus && !Data->hideWhenStart) {
    try {
      ForuceFocus(Handle(), Data->MouseFocus, false);
    } catch (...) {
      LogSwallowed("TZMRTMain.FormShow");
    }
  }
  if (Data->UseTaskTray) ShowWindow(ApplicationWindow(), SW_HIDE);
  KeepWindowOnDesktop(Handle());
}

void TZMRTMain::FormHide() {
  if (Data->UseTaskTray) ShowWindow(ApplicationWindow(), SW_HIDE);
  // While starting, hiding never ends the program.
  if (Data->endWhenHide && !Closing && !Starting) Close();
}

void TZMRTMain::TrayIcon1DblClick() { ShowHideActionExecute(); }

void TZMRTMain::edit1KeyDown(WORD& key, ui::TShiftState) {
  if (Closing || !Edit1) return;
  if (Data->HideCursor) {
    cursorHidden_ = true;
    SetCursor(nullptr);
  }
  if (key == VK_DELETE) {
    const std::string text = Edit1->Text();
    const int at = Edit1->History().IndexOf(text);
    if (!text.empty() && at >= 0 && Edit1->SelStart() + Edit1->SelLength() == Edit1->TextLength())
      Edit1->History().Delete(at);
  } else if (key == VK_ESCAPE) {
    if (Edit1->GetshowPopup()) Edit1->HidePopup();
    else if (!Edit1->Text().empty()) ClearInput();
    else if (!ModeKeyWord.empty()) SetMode("");
    else if (!Hidden) ShowHideActionExecute();
  }
}

void TZMRTMain::Edit1KeyPress(char& key) {
  menuFromIcon_ = false;
  if (key == '\r' || key == '\n' || key == '\x1b') key = 0;  // the box would beep
}

void TZMRTMain::Image1MouseDown(HWND sender, ui::TMouseButton button, int x, int y) {
  const bool listShown = Edit1 && Edit1->GetshowPopup();
  if (Edit1) Edit1->HidePopup();
  downPoint_ = ToScreen(sender, -1, -1);
  if (button != ui::TMouseButton::Left) return;
  ReleaseCapture();
  RECT client = {};
  GetClientRect(Handle(), &client);
  WPARAM command;
  if (x <= 2) command = SC_SIZE + WMSZ_LEFT;
  else if (x >= client.right - 2) command = SC_SIZE + WMSZ_RIGHT;
  else {
    command = SC_MOVE + 2;
    if (!listShown) downPoint_ = ToScreen(sender, x, y);
  }
  SendMessageA(Handle(), WM_SYSCOMMAND, command, 0);
  SendMessageA(Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void TZMRTMain::IconImageMouseUp(HWND sender, ui::TMouseButton button, int x, int y) {
  if (dragging_) return;
  SaveSettings();
  const POINT at = ToScreen(sender, x, y);
  if (button == ui::TMouseButton::Right) {
    ShowPopupMenu(at);
  } else if (menuFromIcon_) {
    menuFromIcon_ = false;
  } else if (button == ui::TMouseButton::Left && IconImage && sender == IconImage->Handle()) {
    if (ExecuteActionHook) ExecuteActionHook();
    else ExecuteActionExecute();
  } else if (at.x == downPoint_.x && at.y == downPoint_.y) {
    if (Edit1) Edit1->KeywordChange();
  } else {
    RECT r = {};
    GetWindowRect(Handle(), &r);
    layout_->SetHomeLeft(r.left);
  }
}

void TZMRTMain::FormMouseMove(HWND sender, int x, int y) {
  const POINT at = ToScreen(sender, x, y);
  POINT& last = lastMouse_;
  if (at.x != last.x && at.y != last.y) {
    const POINT own = ToScreen(Handle(), 0, 0);
    RECT client = {};
    GetClientRect(Handle(), &client);
    const int cx = at.x - own.x;
    sizeCursor_ = cx <= 2 || cx >= client.right - 10;
    cursorHidden_ = false;
  }
  last = at;
}

void TZMRTMain::FormResize() {
  if (layout_) layout_->Resize();
}

void TZMRTMain::AdjustWidth() {
  if (layout_ && layout_->AdjustWidth(StatusText, font_.get())) UpdateStatus();
}

int TZMRTMain::HomeLeft() const { return layout_ ? layout_->HomeLeft() : 0; }
int TZMRTMain::EditLeftOffset() const { return layout_ ? layout_->EditLeftOffset() : 0; }
int TZMRTMain::FixedClientHeight() const { return layout_ ? layout_->FixedClientHeight() : 0; }

bool TZMRTMain::LimitTestPasses() {
  return CurrentItem() && app_ && app_->Active() && Edit1 && Edit1->getCompleteLevel() != -1 && !IsImeOpen();
}

void TZMRTMain::TypedKeywordChanged() {
  if (!Edit1) return;
  if (!Running) ownedItem_.reset();  // the box's keyword is current again
  UpdateStatus();
  AdjustWidth();
  if (IconImage) IconImage->Refresh();
}

void TZMRTMain::KeywordChanged() {
  if (!Edit1) return;
  TypedKeywordChanged();
  if (completeTimer_) completeTimer_->SetEnabled(false);
  if (exeTimer_) exeTimer_->SetEnabled(false);
  if (!LimitTestPasses()) return;
  const int level = Edit1->getCompleteLevel();
  if (Data->LimitComplete) {
    if (!completeTimer_) completeTimer_ = std::make_unique<ui::TTimer>();
    completeTimer_->SetEnabled(false);
    const std::string completed = Edit1->CompletedText();
    const bool endsInFolder = !completed.empty() && (completed.back() == '\\' || completed.back() == '/') &&
                              !sjis::IsTrailByteAt(completed, completed.size() - 1);
    if (Edit1->List().ItemIndex() >= 0 && (!Data->LimitComplete_One || level < 2) && endsInFolder) {
      completeTimer_->OnTimer = [this] { LimitCompleteTimer(); };
      completeTimer_->SetInterval(static_cast<UINT>(Data->LimitComplete_time));
      completeTimer_->SetEnabled(true);
    }
  }
  if (Data->LimitExe) {
    if (!exeTimer_) exeTimer_ = std::make_unique<ui::TTimer>();
    if (!Data->LimitExe_One || level < 2) {
      exeTimer_->OnTimer = [this] { LimitExeTimer(); };
      exeTimer_->SetInterval(static_cast<UINT>(Data->LimitExe_time));
      exeTimer_->SetEnabled(true);
    }
  }
}

void TZMRTMain::LimitCompleteTimer() {
  if (!LimitTestPasses()) return;
  completeTimer_->SetEnabled(false);
  Edit1->Complete();
}

void TZMRTMain::LimitExeTimer() {
  if (!LimitTestPasses()) return;
  exeTimer_->SetEnabled(false);
  if (ExecuteActionHook) ExecuteActionHook();
  else ExecuteActionExecute();
}

void TZMRTMain::SaveSettings() {
  try {
    char current[MAX_PATH * 2] = {};
    const DWORD n = GetCurrentDirectoryA(sizeof current, current);
    if (n > 0 && n < sizeof current) Data->CD.assign(current, n);
    Data->version = kIconUpgradeVersion;
    Data->WindowWidth = layout_ ? layout_->BaseFormWidth() : 0;
    // The box works on the settings' own history list.
    Data->Save();
  } catch (...) {
    LogSwallowed("TZMRTMain.SaveSettings");
  }
}

void TZMRTMain::ApplyEditSettings() {
  TKeyWordEdit& e = *Edit1;
  e.Data().UseRomaji = Data->EnableRomajiMatch;
  e.Data().RomajiOnlyUpper = Data->RomajiMatchOnlyUpper;
  e.SetHistory(&Data->History);
  e.UseHistory = Data->UseHistory;
  e.HistoryMax = Data->HistoryCount;
  e.AutoComplete = Data->UseAutoComplete;
  e.AutoDecision = Data->AutoDecision;
  e.SpaceAfterTab = Data->SpaceAfterTab;
  e.UseList = Data->UseList;
  e.Sort = Data->SortList;
  e.SetMatchLevel(Data->MatchLevel);
  e.SetListSize(Data->ListSize);
  e.SetListScroll(Data->ListScroll);
  e.ListWidth = Data->ListWidth;
  e.InputFirstCandidate = Data->InputFirstCandidate;
  e.ExtendWindow = Data->ExtendWindow;
  e.ListOrder = Data->ListOrder;
  e.CheckedLists = Data->CheckedLists;
  e.SetUserList(Data->OtherCandidates);
  e.CompleteByEnter = !Data->RunWhenShowPopup;
  e.SetEnablePriorityBlock(Data->EnablePriorityBlock);
  if (TPriorityManager* priority = e.PriorityManager()) {
    priority->MaxHP = Data->MaxHP;
    priority->EnableBackSpaceCancel = Data->EnableBackSpaceCancel;
  }
  e.SpecialChars = Data->SpecialChars;
  e.CharToComplete = Data->CompleteChars;
  e.TabMode = Data->TabMode;
}

void TZMRTMain::ResetIcon() { DebugOut().Write("TZMRTMain.ResetIcon").WriteLn(); }

// ==== Status line, colours and menus =======================================

namespace {

constexpr char kMakerSite[] = "https://quorvane.example.org/";  // the project's page
std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string WithoutAmpersands(const std::string& text) { return sjis::ReplaceAll(text, "&", ""); }

}  // namespace

void TZMRTMain::ConnectMenu() {
  const std::pair<TLauncherMenu::TEntry, void (TZMRTMain::*)()> commands[] = {
      {TLauncherMenu::miExecute, &TZMRTMain::ExecuteActionExecute},
      {TLauncherMenu::miShowHide, &TZMRTMain::ShowHideActionExecute},
      {TLauncherMenu::miNew, &TZMRTMain::NewExActionExecute},
      {TLauncherMenu::miManager, &TZMRTMain::EditKeywordActionExecute},
      {TLauncherMenu::miEditCurrent, &TZMRTMain::EditCurrentKeywordActionExecute},
      {TLauncherMenu::miDelete, &TZMRTMain::deleteActionExecute},
      {TLauncherMenu::miSetting, &TZMRTMain::SettingActionExecute},
      {TLauncherMenu::miExit, &TZMRTMain::ExitActionExecute},
      {TLauncherMenu::miSite, &TZMRTMain::N6Click},
      {TLauncherMenu::miVersion, &TZMRTMain::VersionActionExecute},
      {TLauncherMenu::miFolder, &TZMRTMain::N8Click},
      {TLauncherMenu::miHelp, &TZMRTMain::HelpActionExecute},
  };
  for (const auto& [entry, run] : commands) menu_->Action(entry).OnExecute = [this, run = run] { (this->*run)(); };
}

HMENU TZMRTMain::PopupMenu() const { return menu_ ? menu_->Handle() : nullptr; }

void TZMRTMain::PopupMenu1Popup() {
  if (!menu_) return;
  using M = TLauncherMenu;
  const std::string folderName = sjis::ExtractFileName(sjis::ExcludeTrailingPathDelimiter(UserDir));
  menu_->Action(M::miFolder).SetCaption("設定フォルダ (" + folderName + ")");
  if (IconImage && IsWindowVisible(IconImage->Handle())) menuFromIcon_ = true;
  ui::TAction& exec = menu_->Action(M::miExecute);
  ui::TAction& edit = menu_->Action(M::miEditCurrent);
  ui::TAction& del = menu_->Action(M::miDelete);
  edit.SetVisible(false);
  menu_->LoadEnterBitmap(UserDir + "\\Icons\\Enter.bmp");
  const std::string text = Edit1 ? Edit1->Text() : std::string();
  if (!text.empty()) {
    exec.SetVisible(true);
    if (CurrentItem()) {
      if (CurrentItem()->GetType() == kTypeTemp) {
        del.SetVisible(false);
      } else {
        edit.SetVisible(true);
        edit.SetCaption(Quoted(CurrentItem()->Name) + "の設定");
        del.SetVisible(true);
        del.SetCaption(Quoted(CurrentItem()->Name) + "を削除");
      }
      exec.SetCaption("実行");
    } else {
      if (KeyWordManager && KeyWordManager->IsValidPath(text)) exec.SetCaption(StatusText);
      else exec.SetVisible(false);
      del.SetVisible(false);
    }
  } else {
    exec.SetVisible(true);
    exec.SetEnabled(true);
    exec.SetCaption("キーワードマネージャ");
    del.SetVisible(false);
  }
  menu_->Action(M::miShowHide).SetCaption(Hidden ? "表示" : "隠す");
  menu_->Rebuild();
}

void TZMRTMain::ShowPopupMenu(POINT at) {
  SetForegroundWindow(Handle());
  // The menu's WM_INITMENUPOPUP prepares the entries.
  TrackPopupMenu(PopupMenu(), TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
  PostMessageA(Handle(), WM_NULL, 0, 0);
}

TZMRTMain::TColorSet TZMRTMain::ColorSet(int n) const {
  return {SettingColor(Data->Back_C, n, COLOR_BTNFACE), SettingColor(Data->Input_C, n, COLOR_WINDOWTEXT),
          SettingColor(Data->Comment_C, n, COLOR_WINDOWTEXT), SettingColor(Data->InputBack_C, n, COLOR_WINDOW)};
}

void TZMRTMain::SetStateColor(int n) {
  if (n == -1) n = ModeColor;
  if (n == ColorIndex || !Data) return;
  const TColorSet c = ColorSet(n);
  windowColor_ = c.Back;
  windowBrush_.reset(CreateSolidBrush(c.Back));
  statusTextColor_ = c.Comment;
  if (Edit1) Edit1->SetColors(c.Input, c.InputBack);
  if (IconImage) IconImage->Color = c.Back;
  InvalidateRect(Handle(), nullptr, TRUE);
  DrawStatus(ShownStatusText);
  if (IconImage) IconImage->Reload();
  ColorIndex = n;
}

void TZMRTMain::ShowStatusIcon(const std::string& path, int index) {
  if (IconImage) IconImage->SetIcon(path, index);
}

void TZMRTMain::UpdateStatus() {
  if (Running || !Data) return;
  auto logChange = core::ScopeExit([this] {
    if (StatusText == loggedStatus_) return;
    loggedStatus_ = StatusText;
    DebugOut().Write("TZMRTMain.UpdateStatus:").Write(StatusText).WriteLn();
  });
  if (IconImage) IconImage->DropContents().Clear();
  if (CurrentItem()) {
    TKeyWordX& item = *CurrentItem();
    const std::string command = item.GetCommand();
    if (IconImage) {
      IconImage->DropContents().Add(command);
      if (item.ArrayedParam) IconImage->DropContents().AddStrings(*item.ArrayedParam);
    }
    std::string icon = item.GetIcon();
    if (icon.empty()) icon = command;
    const int type = item.GetType();
    const bool runModeOne = item.Data() && item.Data()->ReadInteger("RunMode", 0) == 1;
    int kind = pkNone;
    if (type == kTypeCommand || type == kTypeTemp || (type == kTypeGroup && runModeOne)) {
      TSilentCriticalErrors silent;
      kind = FileUtilsInstance().GetPathKind(command, true);
    }
    const TStatusChoice choice = ItemStatus(type, runModeOne, command, item.GetComment(), kind);
    StatusText = choice.Text;
    SetStateColor(choice.ColorSet);
    if (StatusText != ShownStatusText) {
      ShownStatusText = StatusText;
      DrawStatus(ShownStatusText);
    }
    ShowStatusIcon(icon, item.GetIconIndex());
    return;
  }
  const std::string text = Edit1 ? Edit1->Text() : std::string();
  const bool valid = !text.empty() && KeyWordManager && KeyWordManager->IsValidPath(text);
  const TStatusChoice choice =
      TextStatus(text, valid, Data->RegistByEnter, TitleText,
                 [this](const std::string& path) { return KeyWordManager && KeyWordManager->Exists(path); });
  StatusText = ShownStatusText = choice.Text;
  SetStateColor(choice.ColorSet);
  DrawStatus(ShownStatusText);
  ShowStatusIcon(choice.Icon, 0);
}

RECT TZMRTMain::StatusArea() const {
  RECT client = {};
  GetClientRect(Handle(), &client);
  RECT area = {layout_ ? layout_->EditLeftOffset() : 0, 0, client.right, 0};
  if (Edit1 && Edit1->Handle()) {
    RECT er = {};
    GetWindowRect(Edit1->Handle(), &er);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&er), 2);
    area.bottom = er.top;
  }
  return area;
}

void TZMRTMain::PaintStatus(HDC dc, const std::string& text) {
  if (IconImage && Data && Data->Small) {
    SetHint(text);  // no room for a line: the window's hint says it
    return;
  }
  if (IconImage) SetHint("");
  const RECT area = StatusArea();
  HBRUSH brush = windowBrush_ ? windowBrush_.get() : GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &area, brush);
  if (area.bottom <= area.top) return;
  core::TSelectObject font(dc, font_.get());
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  const int width = area.right - area.left;
  const int x = size.cx < width ? area.left + (width - size.cx) / 2 : area.left;
  RECT client = {};
  GetClientRect(Handle(), &client);
  const int editHeight = Edit1 ? Edit1->Height() : 0;
  const int y = (client.bottom - editHeight - size.cy) / 2;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, statusTextColor_);
  ExtTextOutA(dc, x, y, ETO_CLIPPED, &area, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void TZMRTMain::DrawStatus(const std::string& text) {
  if (!Handle()) return;
  HDC dc = GetDC(Handle());
  PaintStatus(dc, text);
  ReleaseDC(Handle(), dc);
}

void TZMRTMain::FormPaint(HDC dc) { PaintStatus(dc, ShownStatusText); }

void TZMRTMain::DropIconImage() {
  if (!IconImage) return;
  if (Hints.HasTool(IconImage->Handle())) Hints.RemoveTool(IconImage->Handle());
  IconImage.reset();
}

void TZMRTMain::IconImageMouseMove() {
  PopupMenu1Popup();
  menuFromIcon_ = false;
  const std::string text = Edit1 ? Edit1->Text() : std::string();
  if (!CurrentItem() && !text.empty() && !(KeyWordManager && KeyWordManager->IsValidPath(text)))
    SetIconHint("ドラッグ : ウィンドウを登録");
  else
    SetIconHint("クリック : " + WithoutAmpersands(menu_->Action(TLauncherMenu::miExecute).Caption()) +
                "\r\nドラッグ : ウィンドウを登録");
}

// A tip that shows changes at once.
void TZMRTMain::SetHint(const std::string& text) {
  Hint = text;
  Hints.SetToolText(Handle(), text);
  if (Edit1) Hints.SetToolText(Edit1->Handle(), text);
}

void TZMRTMain::SetIconHint(const std::string& text) {
  IconHint = text;
  if (IconImage) Hints.SetToolText(IconImage->Handle(), text);
}

void TZMRTMain::IconImageTargetMove(const std::string& program, const std::string& caption) {
  if (Edit1) Edit1->UseList = false;
  char own[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, own, sizeof own);
  if (sjis::EqualsIgnoreCase(program, own)) {
    StatusText = TitleText;
    ShowStatusIcon(own, 0);
  } else {
    ShowStatusIcon(program, 0);
    StatusText = caption;
  }
  ShownStatusText = StatusText;
  DrawStatus(ShownStatusText);
  if (Edit1) {
    Edit1->HidePopup();
    Edit1->UseList = Data && Data->UseList;
  }
}

void TZMRTMain::TargetEnter() {
  if (Edit1) {
    Edit1->UseList = false;
    Edit1->AutoComplete = false;
  }
  dragging_ = true;
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  POINT p = {};
  GetCursorPos(&p);
  RECT box = {};
  if (Edit1) GetWindowRect(Edit1->Handle(), &box);
  std::string status, icon;
  if (Edit1 && PtInRect(&box, p)) {
    status = "貼り付け";
    icon = "%IconDir\\Paste.ico";
  } else if (CurrentItem() && CurrentItem()->GetType() == kTypeCommand) {
    UpdateStatus();  // a drop runs it with what was dropped
    status = StatusText;
  } else {
    std::string name = CurrentItem() ? CurrentItem()->GetKeyWord() : std::string();
    if (!name.empty()) name.erase(sjis::PrevPos(name, name.size()));
    std::unique_ptr<TKeyWordX> link = !name.empty() && KeyWordManager ? KeyWordManager->FindKeyWord(name) : nullptr;
    if (link && link->GetType() == kTypeCommand && fileio::DirectoryExists(link->GetCommand())) {
      status = "リンク先の書き換え";
      icon = "%IconDir\\Replacelink.ico";
    } else {
      status = "新規作成";
      icon = "%IconDir\\New.ico";
    }
  }
  statusTextColor_ = GetSysColor(COLOR_BTNTEXT);
  StatusText = ShownStatusText = status;
  DrawStatus(ShownStatusText);
  if (!icon.empty()) ShowStatusIcon(icon, 0);
}

void TZMRTMain::TargetLeave() {
  if (Edit1) {
    Edit1->ParseByKeyword(CurrentItem(), Edit1->Text(), false);  // without one, the box's new keyword
  }
  statusTextColor_ = ColorSet(ColorIndex < 0 ? ModeColor : ColorIndex).Comment;
  UpdateStatus();
  dragging_ = false;
  if (Edit1 && Data) {
    Edit1->UseList = Data->UseList;
    Edit1->AutoComplete = Data->UseAutoComplete;
  }
}

void TZMRTMain::UpdateTrayTip() {
  if (!TrayIcon1 || !Data) return;
  try {
    char own[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, own, sizeof own);
    const std::string first = GetVersionInfoString(own, "OriginalFilename") + " ver" +
                              FormatVersionString(GetVersionInfoString(own, "FileVersion"));
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof system);
    // Wine's "6.0.2900..." has no number in its first four characters: read
    // the leading number instead.
    const int shell = LeadingVersionNumber(GetVersionInfoString(std::string(system) + "\\shell32.dll", "ProductVersion"));
    std::string hotKey;
    if (THotKeyItem* call = Data->GetHotKey(0))
      if (call->GetKey() != 0 || call->GetModifiers() != 0) hotKey = call->GetHotKeyText();
    TrayIcon1->SetTipHelp(TrayTipText(first, shell, Data->Exe_S, hotKey));
  } catch (...) {
    LogSwallowed("TZMRTMain.UpdateTrayTip");
  }
}

void TZMRTMain::TrayIcon1MouseMove() {
  if (TrayIcon1 && TrayIcon1->TipHelp().empty()) UpdateTrayTip();
}

void TZMRTMain::HideAfterMenuStart() {
  if (Data && Data->HideWhenSetting && !Hidden) ShowHideActionExecute();
}

void TZMRTMain::HelpActionExecute() {
  const std::string page = FilePathsInstance().DocDir + "\\window\\main.html";
  if (!fileio::FileExists(page)) ui::ShowMessageBox(Handle(), "ヘルプが見つかりません - " + page, kLauncherTitle, MB_OK);
  else ShellOpen("", page, "", "", SW_SHOWDEFAULT);
  HideAfterMenuStart();
}

void TZMRTMain::N6Click() {
  ShellOpen("", kMakerSite, "", "", SW_SHOWNORMAL);
  HideAfterMenuStart();
}

void TZMRTMain::N8Click() { ShellOpen("", UserDir, "", "", SW_SHOWDEFAULT); }

void TZMRTMain::EditKeywordActionExecute() { OpenEditor(); }

// ==== Messages =============================================================

// The window's messages, as typed events. They are connected before the
// window is made, so that what its making sends goes through them too.
void TZMRTMain::ConnectEvents() {
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
  // The main form's closing then ends the application.
  OnClose = [this](ui::TCloseAction&) { FormClose(); };
  OnCopyData = [this](ui::TCopyDataEvent& e) {
    if (CopyData) CopyData->Receive(e);
    else e.Answer(FALSE);  // only the receiver takes copy data
  };
  OnDropFiles = [this](ui::TDropFilesEvent& e) {
    if (dropTarget_) dropTarget_->FileHandler().DropFiles(e.Files);
  };
  OnSetFocus = [this](ui::TFocusEvent& e) {
    // The window itself takes no keys: whenever it gets the focus (at start,
    // on activation) the input box gets it, so typing always reaches the box.
    if (Edit1 && Edit1->Handle() && IsWindowVisible(Edit1->Handle())) {
      SetFocus(Edit1->Handle());
      e.Answer(0);
    }
  };
  OnHitTest = [](ui::THitTestEvent& e) {
    // The window sizes in width only.
    switch (e.HitTest) {
      case HTTOP: case HTBOTTOM: e.HitTest = HTBORDER; break;
      case HTTOPLEFT: case HTBOTTOMLEFT: e.HitTest = HTLEFT; break;
      case HTTOPRIGHT: case HTBOTTOMRIGHT: e.HitTest = HTRIGHT; break;
    }
  };
  OnWindowPosChanging = [this](ui::TWindowPosEvent& e) {
    if (Starting || !layout_ || layout_->SelfResizing() || (e.Pos->flags & SWP_NOMOVE)) return;
    Data->WindowLeft = e.Pos->x;
    Data->WindowTop = e.Pos->y;
    layout_->SetHomeLeft(e.Pos->x);
  };
  OnSysCommand = [this](ui::TSysCommandEvent& e) {
    if (e.Command == SC_MINIMIZE) {
      Hidden = true;
      if (Data->UseTaskTray) ShowWindow(ApplicationWindow(), SW_HIDE);
      Hide();
      e.Answer(0);
    } else if ((e.Command == SC_SIZE || e.Command == SC_MOVE) && OnMouseSysCommand && OnMouseSysCommand(e.WParam)) {
      e.Answer(0);
    }
  };
  OnSetCursor = [this](ui::TSetCursorEvent& e) {
    if (cursorHidden_) e.SetCursor(nullptr);
    else if (e.Window == Handle() && e.HitTest == HTCLIENT)
      e.SetCursor(LoadCursor(nullptr, sizeCursor_ ? IDC_SIZEWE : IDC_ARROW));
  };
  OnInitMenuPopup = [this](ui::TInitMenuPopupEvent& e) {
    if (!e.Menu || e.Menu != PopupMenu()) return;
    PopupMenu1Popup();
    e.Answer(0);
  };
  OnCommand = [this](ui::TCommandEvent& e) {
    if (e.FromMenu() && menu_ && menu_->Command(e.Id)) e.Answer(0);
  };
  OnCtlColor = [this](ui::TCtlColorEvent& e) {
    if (e.Msg == WM_CTLCOLOREDIT && Edit1 && e.Control == Edit1->Handle() && Edit1->HasColors())
      e.SetBrush(Edit1->CtlColor(e.DC));
  };
  OnEraseBackground = [this](ui::TEraseEvent& e) {
    if (!windowBrush_) return;
    RECT client = {};
    GetClientRect(Handle(), &client);
    FillRect(e.DC, &client, windowBrush_.get());
    e.Answer(1);
  };
  OnPaint = [this](ui::TPaintEvent& e) { FormPaint(e.DC); };
}
