#include "launcher/TrShlApi.h"

#include <shlwapi.h>

#include <algorithm>

#include "core/Sjis.h"

namespace {

constexpr UINT_PTR kClickTimer = 7;
constexpr int kShell50 = 5 * 65536;

class ShellNotify : public INotifyIconShell {
 public:
  bool Notify(DWORD message, NOTIFYICONDATAA* data) override { return Shell_NotifyIconA(message, data) != FALSE; }
  DWORD LastError() override { return GetLastError(); }
  void Wait(DWORD ms) override { Sleep(ms); }
};

UINT TaskbarCreatedMessage() {
  static const UINT msg = RegisterWindowMessageA("TaskbarCreated");
  return msg;
}

int ReadShellVersion() {
  HMODULE shell = LoadLibraryA("shell32.dll");
  if (!shell) return 0;
  int version = 0;
  auto get = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")));
  DLLVERSIONINFO info = {};
  info.cbSize = sizeof info;
  if (get && SUCCEEDED(get(&info))) version = static_cast<int>(info.dwMajorVersion * 65536 + info.dwMinorVersion);
  FreeLibrary(shell);
  return version;
}

LRESULT CALLBACK TrayWindowProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

const char* TrayClass() {
  static const char* name = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TrayWindowProcThunk;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "TaskTrayHandle";
    RegisterClassA(&wc);
    return "TaskTrayHandle";
  }();
  return name;
}

}  // namespace

INotifyIconShell& RealNotifyIconShell() {
  static ShellNotify shell;
  return shell;
}

LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* icon = reinterpret_cast<TTaskTrayIcon*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_QUERYENDSESSION) return 1;
  if (!icon) return DefWindowProcA(hwnd, msg, wParam, lParam);
  try {
    return icon->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    // Nothing may leave a window procedure.
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

namespace {
LRESULT CALLBACK TrayWindowProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return TrayWindowProc(hwnd, msg, wParam, lParam);
}
}  // namespace

TTaskTrayIcon::TTaskTrayIcon(INotifyIconShell* shell)
    : shell_(shell ? *shell : RealNotifyIconShell()), shellVersion_(ReadShellVersion()) {}

TTaskTrayIcon::~TTaskTrayIcon() {
  try {
    DeleteIcon();
  } catch (...) {
  }
  if (window_) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

HWND TTaskTrayIcon::Handle() {
  if (!window_) {
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, TrayClass(), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    TaskbarCreatedMessage();
  }
  return window_;
}

void TTaskTrayIcon::SetTip(const std::string& tip) {
  std::string t = tip;
  size_t limit = 127;
  if (shellVersion_ < kShell50) {
    // Older shells show one line of at most 63 bytes.
    t = sjis::ReplaceAll(sjis::ReplaceAll(sjis::NormalizeLineBreaks(t), "\r\n", " "), "\t", " ");
    limit = 63;
  }
  if (t.size() > limit) {
    size_t cut = 0;
    // Never cut a double-byte character in half.
    while (cut < t.size() && sjis::NextPos(t, cut) <= limit) cut = sjis::NextPos(t, cut);
    t.resize(cut);
  }
  std::fill(std::begin(data_.szTip), std::end(data_.szTip), '\0');
  std::copy(t.begin(), t.end(), data_.szTip);
}

void TTaskTrayIcon::PrepareRecord() {
  if (shellVersion_ >= kShell50) {
    data_.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data_.dwState = NIS_SHAREDICON;
    data_.dwStateMask = 0;
    data_.dwInfoFlags = 0;
  } else {
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
  }
  data_.uID = 1;
  data_.hWnd = Handle();
  data_.uCallbackMessage = kCallbackMessage;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.hIcon = icon_;
}

bool TTaskTrayIcon::Shell(DWORD message) {
  if (DoForeground && message != NIM_DELETE) SetForegroundWindow(Handle());
  return shell_.Notify(message, &data_);
}

bool TTaskTrayIcon::AddIcon() {
  if (added_) return true;
  PrepareRecord();
  if (!icon_) return false;
  added_ = Shell(NIM_ADD);
  // A shell that is busy (a slow start after log-on) answers with a time-out;
  // the icon may then be there already, so try modify before adding again.
  for (int counter = 5; !added_;) {
    if (shell_.LastError() != ERROR_TIMEOUT) throw ENotifyIconError("タスクトレイにアイコンを登録できません。");
    shell_.Wait(2000);
    added_ = Shell(NIM_MODIFY) || Shell(NIM_ADD);
    if (added_) break;
    if (counter == 0) throw ENotifyIconError("タスクトレイのアイコンを変更できません。");
    --counter;
  }
  return added_;
}

bool TTaskTrayIcon::ModifyIcon() {
  if (lockCount_ > 0) return added_;
  if (!added_) return AddIcon();
  if (!icon_) return added_;
  PrepareRecord();
  if (!Shell(NIM_MODIFY) && shell_.LastError() != ERROR_TIMEOUT) {
    added_ = false;
    try {
      AddIcon();
    } catch (const ENotifyIconError&) {
    }
  }
  return added_;
}

bool TTaskTrayIcon::DeleteIcon() {
  if (added_) {
    PrepareRecord();
    shell_.Notify(NIM_DELETE, &data_);
    added_ = false;
  }
  return added_;
}

void TTaskTrayIcon::ReportClick(int button) {
  unsigned bit = 1u << button;
  if (pressed_ & bit) SendMessageA(Handle(), kCallbackMessage, static_cast<WPARAM>(button), kMouseClick);
  clickPending_ = false;
  pressed_ &= ~bit;
}

void TTaskTrayIcon::TrackClicks(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kClickTimer) {
    KillTimer(Handle(), kClickTimer);
    if (clickPending_) ReportClick((pressed_ & 1) ? 0 : (pressed_ & 2) ? 1 : 2);
    return;
  }
  if (msg != kCallbackMessage) return;
  auto button = [](LPARAM m) {
    switch (m) {
      case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return 0;
      case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return 1;
      default: return 2;
    }
  };
  switch (lParam) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
      if (static_cast<LONG_PTR>(wParam) >= 0) pressed_ |= 1u << button(lParam);
      break;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
      if (!CheckSingleDoubleClick) {
        ReportClick(button(lParam));
      } else if (!clickPending_) {
        SetTimer(Handle(), kClickTimer, GetDoubleClickTime(), nullptr);
        clickPending_ = true;
      }
      break;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: {
      int b = button(lParam);
      clickPending_ = false;
      pressed_ &= ~(1u << b);
      UINT down = b == 0 ? WM_LBUTTONDOWN : b == 1 ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
      // Marked with wParam -1: the down that follows a double click starts no click.
      PostMessageA(Handle(), kCallbackMessage, static_cast<WPARAM>(-1), down);
      break;
    }
    default:
      break;
  }
}

LRESULT TTaskTrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == TaskbarCreatedMessage() && added_) {
    // The taskbar was restarted and forgot every icon.
    added_ = false;
    try {
      AddIcon();
    } catch (const ENotifyIconError&) {
    }
  }
  TrackClicks(msg, wParam, lParam);
  LRESULT result = 0;
  if (Callback && Callback(msg, wParam, lParam, result)) return result;
  return DefWindowProcA(Handle(), msg, wParam, lParam);
}
