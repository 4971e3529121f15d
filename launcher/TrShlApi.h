// One notification-area icon: a hidden message window of class "TaskTrayHandle",
// add, modify and delete with retries while the shell is busy, re-adding after
// the taskbar restarts, and single clicks told apart from double clicks.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <stdexcept>
#include <string>

class ENotifyIconError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The shell side, replaceable in tests.
class INotifyIconShell {
 public:
  virtual ~INotifyIconShell() = default;
  virtual bool Notify(DWORD message, NOTIFYICONDATAA* data) = 0;
  virtual DWORD LastError() = 0;
  virtual void Wait(DWORD milliseconds) = 0;
};
INotifyIconShell& RealNotifyIconShell();

class TTaskTrayIcon {
 public:
  static constexpr UINT kCallbackMessage = WM_USER + 200;
  // Synthetic mouse notifications sent as the callback message's lParam.
  static constexpr LPARAM kMouseEnter = 1234;
  static constexpr LPARAM kMouseExit = 1235;
  static constexpr LPARAM kMouseClick = 1236;  // wParam: 0 left, 1 right, 2 middle

  explicit TTaskTrayIcon(INotifyIconShell* shell = nullptr);
  ~TTaskTrayIcon();
  TTaskTrayIcon(const TTaskTrayIcon&) = delete;
  TTaskTrayIcon& operator=(const TTaskTrayIcon&) = delete;

  void SetIconHandle(HICON icon) { icon_ = icon; }
  HICON IconHandle() const { return icon_; }
  std::string GetTip() const { return data_.szTip; }
  void SetTip(const std::string& tip);

  // Each returns whether the icon is in the tray. AddIcon raises ENotifyIconError.
  bool AddIcon();
  bool ModifyIcon();
  bool DeleteIcon();
  bool Added() const { return added_; }

  HWND Handle();
  int ShellVersion() const { return shellVersion_; }  // major * 65536 + minor
  void SetShellVersion(int version) { shellVersion_ = version; }

  // Modifications are skipped while locked.
  void Lock() { ++lockCount_; }
  void Unlock() { if (lockCount_ > 0) --lockCount_; }

  bool DoForeground = false;
  bool CheckSingleDoubleClick = true;
  // The owner's handler of the hidden window's callback messages; true when handled.
  std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)> Callback;

 private:
  friend LRESULT CALLBACK TrayWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void TrackClicks(UINT msg, WPARAM wParam, LPARAM lParam);
  void ReportClick(int button);
  bool Shell(DWORD message);
  void PrepareRecord();

  INotifyIconShell& shell_;
  NOTIFYICONDATAA data_ = {};
  int lockCount_ = 0;
  HWND window_ = nullptr;
  bool added_ = false;
  HICON icon_ = nullptr;
  int shellVersion_;
  unsigned pressed_ = 0;  // 1 left, 2 right, 4 middle
  bool clickPending_ = false;
};
