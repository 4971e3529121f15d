// The launcher's only window TZMRTMain (caption "quorvanemain"): its making,
// loading, reloading and shutdown, the state the launcher's other parts share,
// and the single-instance hand-over of a second start.
//
// The window's methods fall in three groups, each with its own block below and
// in UZMRT.cpp: the execution road and the editor requests; the window's
// behaviour (showing, hiding, focus, keys, mouse, timers, settings); and the
// status line, colours, menus and hints. Messages reach it as the typed
// events of ui/ (ConnectEvents).
#pragma once

#include <windows.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Handles.h"
#include "core/KeyWordX.h"
#include "core/StringList.h"
#include "launcher/Easy_CopyData_Handler.h"
#include "launcher/KeyWordEdit.h"
#include "launcher/LauncherStatus.h"
#include "launcher/ParseParam.h"
#include "ui/ActionList.h"
#include "ui/Application.h"
#include "ui/Event.h"
#include "ui/Form.h"
#include "ui/Timer.h"
#include "ui/ToolTip.h"
#include "ui/Window.h"

class TZMRTData;
class TTrayIcon;
class INotifyIconShell;
class TQVIconImage;
class TMultiDropTarget;
class TCustomDropTarget;
class IInputMethod;
class TLauncherLayout;
class TLauncherMenu;

namespace editor_requests {
class IEditorStarter;
}

inline constexpr char kLauncherMutexName[] = "RZMADEBYPELLMAR20020114";
inline constexpr char kLauncherClassName[] = "TZMRTMain";
inline constexpr char kLauncherCaption[] = "quorvanemain";
inline constexpr char kLauncherTitle[] = "quorvane";
inline constexpr char kLauncherHelpFile[] = ".\\Files\\Help\\index.htm";

// Sends the text to the window with data word argumentCount and wParam 0;
// false when there is no window to send it to.
bool HandOverToRunningLauncher(const TStringList& lines, int argumentCount);

// Platform services the window uses, replaceable in tests.
struct TLauncherServices {
  // Starts file with parameters by the shell's extended start (default verb,
  // no working folder); false with the system's error code when it fails.
  std::function<bool(const std::string& file, const std::string& params, DWORD& error)> StartProgram;
  INotifyIconShell* TrayShell = nullptr;  // the real shell when null
  // Plain shell starts (the editor's requests, ShellRun, help, folders):
  // owner, verb (empty: default), file, parameters, folder (empty: none), show.
  std::function<void(HWND owner, const std::string& verb, const std::string& file, const std::string& params,
                     const std::string& dir, int show)>
      ShellOpen;
  std::function<void()> Beep;  // MessageBeep(0)
  // Now as a date-time number (days since 1899-12-30): the 1000 ms guard and
  // the shown stamp read it.
  std::function<double()> Now;
  // The input method that says whether the input box's conversion is open
  // (the system's when null).
  std::shared_ptr<IInputMethod> InputMethod;
};
TLauncherServices DefaultLauncherServices();

// The launcher's window. Its pieces: the layout (launcher/LauncherLayout.h),
// the popup menu with its actions (launcher/LauncherMenu.h) and the status
// decisions (launcher/LauncherStatus.h). The public part is what the program,
// the tests and the switch parser use: the window's operations they call, its
// parts, and the state its parts share, which tests read and set.
class TZMRTMain : public ui::TForm, public ISystemCommandRunner {
 public:
  // Create: remembers the previous window (and its caret for "/CaretPos"),
  // then makes the window and runs its creation (FormCreate). The
  // application's window owns it (none without an application).
  explicit TZMRTMain(const TStringList& startParams, TLauncherServices services = DefaultLauncherServices(),
                     ui::TApplication* app = ui::TApplication::Current());
  ~TZMRTMain() override;
  bool Started() const { return created_; }

  void Load(bool reread);
  void ReLoad(bool activate);

  // ---- Execution road and editor requests ----
  void ExecuteSysCommand(std::unique_ptr<TStringIni> request) override;
  void ExecuteActionExecute();
  void HotKeyCommand(const std::string& name);
  // Empty, or a name that is no keyword, ends the mode keyword.
  void SetMode(const std::string& name);
  void ShowEditor(std::unique_ptr<TStringIni> request);
  void TargetDrop(TCustomDropTarget* target, const std::string& text);
  void IconImageTargetDrop(const std::string& program, const std::string& caption);
  // The item Enter would run: one the window made itself (a keyword run by
  // name, a drop), else the input box's current keyword. The window keeps no
  // pointer of its own to the box's keyword, which each parse replaces.
  TKeyWordX* CurrentItem() const;
  // Makes item (or none) the current item, owned by the window until the box
  // parses again or a run takes it.
  void SetCurrentItem(std::unique_ptr<TKeyWordX> item);
  // Current item := none.
  void ClearCurrentItem();

  // ---- Window behaviour ----
  void ShowHideActionExecute();
  void ShowOrHide(bool show);
  void HotKeyPressed(int index);
  void KeywordChanged();
  void AdjustWidth();
  void ApplicationEvents1Idle(bool& done);
  // Seam: takes the size or move command a left button-down chose instead of
  // the system's own loop; true when it took it.
  std::function<bool(WPARAM command)> OnMouseSysCommand;
  // Seam: runs instead of the execute action where the window behaviour
  // starts it (the execution timer, a click on the icon picture).
  std::function<void()> ExecuteActionHook;
  // The geometry (see TLauncherLayout).
  int HomeLeft() const;
  int EditLeftOffset() const;
  int FixedClientHeight() const;

  // ---- Status line, colours, menus and hints ----
  void SetStateColor(int n);
  void UpdateStatus();
  void PopupMenu1Popup();
  void TrayIcon1MouseMove();
  void HelpActionExecute();
  // The popup menu; the tray icon opens the same one.
  HMENU PopupMenu() const;
  COLORREF WindowColor() const { return windowColor_; }
  // The window's hint (the status, in the small layout with an icon picture),
  // shown over the window and its box, and the icon picture's, shown over
  // it: the tips of Hints.
  std::string Hint, IconHint;
  ui::TToolTip Hints;

  // ---- The window's parts and the state they share ----
  std::string UserDir;
  std::unique_ptr<TZMRTData> Data;
  std::unique_ptr<TKeyWordManager> KeyWordManager;
  std::unique_ptr<TKeyWordEdit> Edit1;  // the input box
  std::unique_ptr<TQVIconImage> IconImage;  // while showicon=1
  std::unique_ptr<TTrayIcon> TrayIcon1;
  std::unique_ptr<TParamParser> Parser;
  std::unique_ptr<TEasyCopyDataHandler> CopyData;  // the receiver, while the window takes requests
  // The status text and what the line shows.
  std::string StatusText, ShownStatusText;
  std::string ModeKeyWord;
  std::string TitleText = kLauncherTitle;
  int ModeColor = 0;
  int ColorIndex = -1;  // the colour set in force
  double ShownStamp = -1;
  bool Hidden = false, Starting = false, Closing = false, Running = false, FirstRun = false;

  // Window styles chosen from BorderStyle.
  static void BorderStyleToWindowStyle(int borderStyle, DWORD& style, DWORD& exStyle);
  // Centre of the work area when left or top is -1, else the stored place.
  static POINT StartPosition(int left, int top, int width, int height, const RECT& workArea);

 private:
  class TParserHost;
  class TRunBoxes;

  // ---- Making, loading, closing ----
  void ConnectEvents();
  void CreateParams(ui::TCreateParams& params);
  void FormCreate(const TStringList& startParams);
  void FormCloseQuery(bool& canClose);
  void FormClose();
  bool StartFirstRunEditor();
  void UpgradeIconFolder();
  void ApplyTray();
  void RegisterHotKeys();
  void ApplyEditSettings();
  double Now() const;
  HWND ApplicationWindow() const;

  // ---- Execution road and editor requests ----
  void Execute(bool throughAction, bool forced);
  void ExecuteByKeyword(const std::string& name);
  void ShellRun(const std::string& text);
  void OpenEditor();
  void ShowSettingPage(const std::string& page, int tabIndex);
  void SettingActionExecute();
  void VersionActionExecute();
  void EditCurrentKeywordActionExecute();
  void NewExActionExecute();
  void deleteActionExecute();
  void RegistActiveRequest();  // the capture hotkey
  void TargetDropURL(const std::string& address, const std::string& title);
  void ShellOpen(const std::string& verb, const std::string& file, const std::string& params,
                 const std::string& dir, int show);
  // Hands the running item to the caller, who owns it for the run.
  std::unique_ptr<TKeyWordX> TakeCurrentItem();
  // The run of the current item (or of the typed text, forced) and the reset
  // of the box after it.
  void RunCurrentItem();
  // While a run waits on its program, switches that would replace the store,
  // the box's text or the running item wait until it ends.
  bool DeferWhileRunning(std::function<void()> action);
  void RunDeferred();
  bool IsRegistrableTarget(const std::string& value);
  void StartEditorWith(const std::string& switches);
  editor_requests::IEditorStarter& EditorStarter();

  // ---- What the switch parser drives (see ParseParam.h) ----
  void CopyDataReceived(TEasyCopyDataHandler* handler, const std::string& text, HWND sender);
  void RunCommand(const std::string& name);
  void RunSysCommand(int index, const std::string& text);
  void PasteText(const std::string& text, bool recomplete);
  void SetConfig(const std::string& first, const std::string& second);
  void MoveTo(int x, int y, bool percent);
  void ActivateWindow();
  void ForuceFocus();
  void ResetIcon();
  void DropFiles(const std::string& text);
  void SetSelStart(int n);
  void SetSelLength(int n);
  void ParseInput();

  // ---- Window behaviour ----
  void ExitActionExecute();
  // The box parsed while the user typed: the status, width and icon follow.
  void TypedKeywordChanged();
  void SaveSettings();
  void ForuceFocus(HWND window, bool mouseJump, bool pump);
  void FormShow();
  void FormHide();
  void FormResize();
  void ApplicationEvents1Activate();
  void ApplicationEvents1Deactivate();
  void ApplicationEvents1Minimize();
  void ApplicationEvents1Restore();
  void TrayIcon1DblClick();
  void edit1KeyDown(WORD& key, ui::TShiftState shift);
  void Edit1KeyPress(char& key);
  // Mouse events of the window, the input box or the icon picture (sender),
  // in the sender's client coordinates.
  void Image1MouseDown(HWND sender, ui::TMouseButton button, int x, int y);
  void IconImageMouseUp(HWND sender, ui::TMouseButton button, int x, int y);
  void FormMouseMove(HWND sender, int x, int y);
  void LimitCompleteTimer();
  void LimitExeTimer();
  bool IsImeOpen();
  bool LimitTestPasses();
  IInputMethod& InputMethod();
  void SetTranslucent(bool on);
  void ClearInput();

  // ---- Status line, colours, menus and hints ----
  // A colour set's window, input text, status text and input background.
  struct TColorSet {
    COLORREF Back, Input, Comment, InputBack;
  };
  TColorSet ColorSet(int n) const;
  void ConnectMenu();
  void DrawStatus(const std::string& text);
  void FormPaint(HDC dc);
  void PaintStatus(HDC dc, const std::string& text);
  RECT StatusArea() const;
  void ShowStatusIcon(const std::string& path, int index);
  void TargetEnter();
  void TargetLeave();
  void IconImageTargetMove(const std::string& program, const std::string& caption);
  // Opens the popup menu at a point in screen coordinates.
  void ShowPopupMenu(POINT at);
  void IconImageMouseMove();
  void UpdateTrayTip();
  void HideAfterMenuStart();
  void N6Click();
  void N8Click();
  void EditKeywordActionExecute();
  void SetHint(const std::string& text);
  // Takes the icon picture away with its tip.
  void DropIconImage();
  void SetIconHint(const std::string& text);

  // ---- State ----
  TLauncherServices services_;
  ui::TApplication* app_;
  bool created_ = false;
  std::unique_ptr<TParserHost> parserHost_;
  std::unique_ptr<TRunBoxes> runBoxes_;
  std::unique_ptr<TMultiDropTarget> dropTarget_;
  std::unique_ptr<TLauncherLayout> layout_;
  std::unique_ptr<TLauncherMenu> menu_;
  std::unique_ptr<ui::TActionList> actions_;
  ui::TAction selectAllAction_;  // "すべてを選択(&A)", Ctrl+A, for the input box
  std::unique_ptr<editor_requests::IEditorStarter> editorStarter_;
  std::unique_ptr<TKeyWordX> ownedItem_;
  std::vector<std::function<void()>> deferred_;
  std::unique_ptr<ui::TTimer> completeTimer_, exeTimer_;
  ui::TConnection appActivate_, appDeactivate_, appIdle_, appMinimize_, appRestore_;
  HWND previousWindow_ = nullptr;  // in front before the launcher was called
  POINT previousCaret_ = {-1, -1};  // its caret, in screen coordinates
  bool focusing_ = false, dragging_ = false, menuFromIcon_ = false;
  POINT downPoint_ = {-1, -1};
  POINT lastMouse_ = {INT_MIN, INT_MIN};  // the one window sees every move of the pointer
  bool sizeCursor_ = false, cursorHidden_ = false;
  std::string drawnStatusText_;  // what the idle handler drew last
  std::string loggedStatus_;    // the debug log names each new status once
  core::TUniqueBrush windowBrush_;
  COLORREF windowColor_ = GetSysColor(COLOR_BTNFACE);
  COLORREF statusTextColor_ = GetSysColor(COLOR_WINDOWTEXT);
  core::TUniqueIcon trayIconImage_;
  core::TUniqueFont font_;
};
