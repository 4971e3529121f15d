// The launcher's only window TZMRTMain (caption "quorvanemain"): its making,
// loading, reloading and shutdown, the state the launcher's other parts share,
// and the single-instance hand-over of a second start.
//
// Parts still to come plug in at the places named "stand-in": the icon picture (none yet), the drop
// target, the application-event handlers, execution and the status line.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/KeyWordX.h"
#include "core/StringList.h"
#include "launcher/Easy_CopyData_Handler.h"
#include "launcher/KeyWordEdit.h"
#include "launcher/ParseParam.h"
#include "ui/Event.h"
#include "ui/Handles.h"
#include "ui/Window.h"

class TZMRTData;
class TTrayIcon;
class INotifyIconShell;

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
};
TLauncherServices DefaultLauncherServices();

class TZMRTMain : public ui::TWindow, public ISystemCommandRunner {
 public:
  // Create: remembers the previous window (and its caret for "/CaretPos"),
  // then makes the window and runs its creation (FormCreate).
  explicit TZMRTMain(const TStringList& startParams, TLauncherServices services = DefaultLauncherServices());
  ~TZMRTMain() override;

  void Load(bool reread);
  void ReLoad(bool activate);
  void FormCloseQuery(bool& canClose);
  void FormClose();

  void ExecuteSysCommand(std::unique_ptr<TStringIni> request) override;

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
  std::unique_ptr<TKeyWordX> CurrentItem;
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

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateParams(ui::TCreateParams& params);
  void FormCreate(const TStringList& startParams);
  bool StartFirstRunEditor();
  void UpgradeIconFolder();
  void ApplyTray();
  void ApplyLayout();
  void RegisterHotKeys();
  void HotKeyPressed(int index);
  void HotKeyCommand(const std::string& name);
  void ShowSettingPage(const std::string& page, int tabIndex);
  void ApplicationIdle(bool& done);

  TLauncherServices services_;
  ui::TUniqueIcon trayIconImage_;
  bool created_ = false;
  class TParserHost;
  std::unique_ptr<TParserHost> parserHost_;
  ui::TConnection idleConnection_;  // stand-in for the application-events object
  ui::TUniqueFont font_;
};
