// The launcher's only window TZMRTMain (caption "quorvanemain"): its making,
// loading, reloading and shutdown, the state the launcher's other parts share,
// and the single-instance hand-over of a second start.
//
// The window's methods fall in three groups, each with its own block below and
// in UZMRT.cpp: the execution road and the editor requests; the window's
// behaviour (showing, hiding, focus, keys, mouse, sizing, timers, settings);
// and the status line, colours and menus.
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
#include "launcher/ParseParam.h"
#include "ui/ActionList.h"
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

namespace editor_requests {
class IEditorStarter;
}

inline constexpr char kLauncherMutexName[] = "RZMADEBYPELLMAR20020114";
inline constexpr char kLauncherClassName[] = "TZMRTMain";
inline constexpr char kLauncherCaption[] = "quorvanemain";
inline constexpr char kLauncherTitle[] = "quorvane";
inline constexpr char kLauncherHelpFile[] = ".\\Files\\Help\\index.htm";

// The text a second start hands over: every line followed by CR LF, then
// trailing blanks and line ends cut, then one NUL (part of the returned bytes).
std::string BuildHandOverText(const TStringList& lines);
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

// The status line's decisions, apart from the window.
struct TStatusChoice {
  std::string Text;
  int ColorSet = -1;  // -1: the mode's colour set
  std::string Icon;   // empty: the item's own icon
};
// For a current item. pathKind: TPathKind of its command; runModeOne: a
// group that runs its members as one command line.
TStatusChoice ItemStatus(int type, bool runModeOne, const std::string& command, const std::string& comment,
                         int pathKind);
// For typed text that is no keyword. exists tells whether a keyword path is
// registered.
TStatusChoice TextStatus(const std::string& text, bool validPath, bool registByEnter, const std::string& title,
                         const std::function<bool(const std::string&)>& exists);
// One entry of a colour setting (comma text of colour numbers, a set high bit
// naming a system colour) as RGB; sysDefault's colour when it is missing or
// not a number.
COLORREF SettingColor(const std::string& commaText, int n, int sysDefault);
// The leading number of a version text ("6.0.2900" gives 6); 0 without one.
int LeadingVersionNumber(const std::string& version);
// The tray tooltip: the first line alone below shell version 5, else with the
// start line (unless Exe_S is "なし" or empty) and the call line.
std::string TrayTipText(const std::string& firstLine, int shellMajor, const std::string& exeS,
                        const std::string& callHotKey);

class TZMRTMain : public ui::TForm, public ISystemCommandRunner {
 public:
  // Create: remembers the previous window (and its caret for "/CaretPos"),
  // then makes the window and runs its creation (FormCreate).
  explicit TZMRTMain(const TStringList& startParams, TLauncherServices services = DefaultLauncherServices());
  ~TZMRTMain() override;

  void Load(bool reread);
  void ReLoad(bool activate);
  void FormCloseQuery(bool& canClose);
  void FormClose();

  // ---- Execution road and editor requests ----
  void ExecuteSysCommand(std::unique_ptr<TStringIni> request) override;
  void ExecuteActionExecute();
  void Execute(bool throughAction, bool forced);
  void ExecuteByKeyword(const std::string& name);
  void HotKeyCommand(const std::string& name);
  void ShellRun(const std::string& text);
  void ShowEditor(std::unique_ptr<TStringIni> request);
  void OpenEditor();
  void ShowSettingPage(const std::string& page, int tabIndex);
  void SettingActionExecute();
  void VersionActionExecute();
  void EditCurrentKeywordActionExecute();
  void NewExActionExecute();
  void deleteActionExecute();
  void RegistActiveRequest();  // the capture hotkey
  void TargetDrop(TCustomDropTarget* target, const std::string& text);
  void TargetDropURL(const std::string& address, const std::string& title);
  void IconImageTargetDrop(const std::string& program, const std::string& caption);

  // ---- Window behaviour ----
  void ShowHideActionExecute();
  void ExitActionExecute();
  void HotKeyPressed(int index);
  void KeywordChanged();
  // The box parsed while the user typed: the status, width and icon follow.
  void TypedKeywordChanged();
  void AdjustWidth();
  void SaveSettings();
  void ForuceFocus(HWND window, bool mouseJump, bool pump);
  void FormShow();
  void FormHide();
  void ApplicationEvents1Activate();
  void ApplicationEvents1Deactivate();
  void ApplicationEvents1Idle(bool& done);
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
  void FormResize();
  void LimitCompleteTimer();
  void LimitExeTimer();
  bool IsImeOpen();
  // Seam: takes the size or move command a left button-down chose instead of
  // the system's own loop; true when it took it.
  std::function<bool(WPARAM command)> OnMouseSysCommand;
  // Seam: runs instead of the execute action where the window behaviour
  // starts it (the execution timer, a click on the icon picture).
  std::function<void()> ExecuteActionHook;

  // ---- Status line, colours and menus ----
  void SetStateColor(int n);
  void UpdateStatus();
  void DrawStatus(const std::string& text);
  void TargetEnter();
  void TargetLeave();
  void IconImageTargetMove(const std::string& program, const std::string& caption);
  // Opens the popup menu at a point in screen coordinates.
  void ShowPopupMenu(POINT at);
  void FormPaint(HDC dc);
  void PopupMenu1Popup();
  void IconImageMouseMove();
  // Takes the icon picture away with its tip.
  void DropIconImage();
  void UpdateTrayTip();
  void TrayIcon1MouseMove();
  void HelpActionExecute();
  void N6Click();
  void N8Click();
  void EditKeywordActionExecute();
  // The popup menu, built once; the tray icon opens the same one.
  HMENU PopupMenu() const { return popupMenu_.get(); }
  // A colour set's window, input text, status text and input background.
  struct TColorSet {
    COLORREF Back, Input, Comment, InputBack;
  };
  TColorSet ColorSet(int n) const;
  COLORREF WindowColor() const { return windowColor_; }
  COLORREF StatusTextColor() const { return statusTextColor_; }
  // The status text, what the line shows, and what was drawn last with its
  // time (the idle handler compares them).
  std::string StatusText, ShownStatusText, DrawnStatusText;
  double DrawnStatusTime = 0;
  std::string Hint;  // the window's hint (the status in the small layout)
  std::string IconHint;


  // What the switch parser drives (see ParseParam.h).
  void CopyDataReceived(TEasyCopyDataHandler* handler, const std::string& text, HWND sender);
  void RunCommand(const std::string& name);
  void RunSysCommand(int index, const std::string& text);
  void PasteText(const std::string& text, bool recomplete);
  void SetConfig(const std::string& first, const std::string& second);
  void MoveTo(int x, int y, bool percent);
  void ShowOrHide(bool show);
  void ActivateWindow();
  void ForuceFocus();
  void ResetIcon();
  void DropFiles(const std::string& text);
  void SetSelStart(int n);
  void SetSelLength(int n);
  void SetMode(const std::string& name);
  void ParseInput();

  // Shared state of the window.
  std::string UserDir;
  std::unique_ptr<TZMRTData> Data;
  std::unique_ptr<TKeyWordManager> KeyWordManager;
  std::unique_ptr<TKeyWordEdit> Edit1;  // the input box
  // The icon picture (TQVIconImage, while showicon=1) takes its place here when
  // it is built; until then the window has none and the box starts at the left.
  std::unique_ptr<TTrayIcon> TrayIcon1;
  std::unique_ptr<TParamParser> Parser;
  std::unique_ptr<TEasyCopyDataHandler> CopyData;  // the receiver, while the window takes requests
  // The item Enter would run: one the window made itself (a keyword run by
  // name, a drop), else the input box's current keyword. The window keeps no
  // pointer of its own to the box's keyword, which each parse replaces.
  TKeyWordX* CurrentItem() const;
  // Makes item (or none) the current item, owned by the window until the box
  // parses again or a run takes it.
  void SetCurrentItem(std::unique_ptr<TKeyWordX> item);
  // Current item := none.
  void ClearCurrentItem();
  std::unique_ptr<TQVIconImage> IconImage;  // while showicon=1
  // The window's and the icon picture's tips: Hint over the window and its
  // box, IconHint over the icon picture, each asked for when its tip shows.
  ui::TToolTip Hints;
  std::unique_ptr<TMultiDropTarget> DropTarget;
  std::string ModeKeyWord;
  std::string TitleText = kLauncherTitle;
  int ModeColor = 0;
  int ColorIndex = -1;
  double ShownStamp = -1;
  HWND PreviousWindow = nullptr;
  POINT PreviousCaret = {-1, -1};
  int HomeLeft = 0, BaseFormWidth = 0, BaseEditWidth = 0, FixedClientHeight = 0, EditLeftOffset = 0;
  bool Hidden = false, Starting = false, Closing = false, Running = false, Focusing = false,
       Dragging = false, LayoutPending = false, SelfResizing = false, FirstRun = false,
       MenuFromIcon = false;
  bool Started() const { return created_; }

  // Window styles chosen from BorderStyle.
  static void BorderStyleToWindowStyle(int borderStyle, DWORD& style, DWORD& exStyle);
  // Centre of the work area when left or top is -1, else the stored place.
  static POINT StartPosition(int left, int top, int width, int height, const RECT& workArea);

 private:
  void ConnectEvents();
  void CreateParams(ui::TCreateParams& params);
  void FormCreate(const TStringList& startParams);
  bool StartFirstRunEditor();
  void UpgradeIconFolder();
  void ApplyTray();
  void ApplyLayout();
  void RegisterHotKeys();
  double Now() const;

  // ---- Execution road and editor requests (private) ----
  void ShellOpen(const std::string& verb, const std::string& file, const std::string& params,
                 const std::string& dir, int show);
  std::unique_ptr<TKeyWordX> ownedItem_;
  // Hands the running item to the caller, who owns it for the run.
  std::unique_ptr<TKeyWordX> TakeCurrentItem();
  // The run of the current item (or of the typed text, forced) and the reset
  // of the box after it.
  void RunCurrentItem();
  // While a run waits on its program, switches that would replace the store,
  // the box's text or the running item wait until it ends.
  bool DeferWhileRunning(std::function<void()> action);
  void RunDeferred();
  std::vector<std::function<void()>> deferred_;
  bool IsRegistrableTarget(const std::string& value);
  void StartEditorWith(const std::string& switches);
  editor_requests::IEditorStarter& EditorStarter();
  std::unique_ptr<editor_requests::IEditorStarter> editorStarter_;
  std::unique_ptr<ui::TActionList> actions_;
  ui::TAction executeAction_;    // "実行", Enter
  ui::TAction selectAllAction_;  // "すべてを選択(&A)", Ctrl+A, for the input box

  // ---- Window behaviour (private) ----
  int StatusTextWidth(const std::string& text);  // in the window's font
  bool LimitTestPasses();
  IInputMethod& InputMethod();
  void SetTranslucent(bool on);
  void ClearInput();
  void MoveWindowTo(int left);
  void ApplyEditSettings();
  std::unique_ptr<ui::TTimer> completeTimer_, exeTimer_;
  ui::TConnection appActivate_, appDeactivate_, appIdle_, appMinimize_, appRestore_;
  POINT downPoint_ = {-1, -1};
  POINT lastMouse_ = {INT_MIN, INT_MIN};  // the one window sees every move of the pointer
  bool sizeCursor_ = false, cursorHidden_ = false;

  // ---- Status line, colours and menus (private) ----
  enum TMenuEntry : int;
  void BuildPopupMenu();
  void MenuCommand(int id);
  void HideAfterMenuStart();
  void ShowStatusIcon(const std::string& path, int index);
  RECT StatusArea() const;
  std::string loggedStatus_;  // the debug log names each new status once
  void PaintStatus(HDC dc, const std::string& text);
  core::TUniqueMenu popupMenu_;
  HMENU infoMenu_ = nullptr;  // owned by popupMenu_
  struct TMenuItemState {
    std::string Caption;
    bool Visible = true, Enabled = true;
  };
  std::vector<TMenuItemState> menuItems_;
  core::TUniqueBitmap enterBitmap_;
  bool enterBitmapTried_ = false;
  core::TUniqueBrush windowBrush_;
  COLORREF windowColor_ = GetSysColor(COLOR_BTNFACE);
  COLORREF statusTextColor_ = GetSysColor(COLOR_WINDOWTEXT);

  TLauncherServices services_;
  core::TUniqueIcon trayIconImage_;
  bool created_ = false;
  class TParserHost;
  std::unique_ptr<TParserHost> parserHost_;
  core::TUniqueFont font_;
};
