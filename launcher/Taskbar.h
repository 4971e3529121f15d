// The launcher's tray icon component: icon, tooltip, visibility, a popup menu
// per mouse button, and the mouse-move and double-click events. Menus are plain
// HMENU handles tracked for MenuOwner, which receives their WM_COMMAND.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "launcher/TrShlApi.h"

class TTrayIcon {
 public:
  explicit TTrayIcon(INotifyIconShell* shell = nullptr, bool visible = true);
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  void SetIcon(HICON icon);
  HICON Icon() const { return icon_; }
  void SetTipHelp(const std::string& tip);
  const std::string& TipHelp() const { return tipHelp_; }
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }

  bool AutoPopup = true;
  HMENU LButtonPopupMenu = nullptr;
  HMENU RButtonPopupMenu = nullptr;
  HWND MenuOwner = nullptr;  // gets the menus' WM_COMMAND; also brought to the front

  std::function<void(int x, int y)> OnMouseMove;
  std::function<void()> OnDblClick;
  std::function<void()> OnRDblClick;
  std::function<void(int button, int x, int y)> OnMouseDown;  // 0 left, 1 right, 2 middle
  std::function<void(int button, int x, int y)> OnMouseUp;
  std::function<void(int button)> OnMouseClick;
  // Replaces the modal menu in tests.
  std::function<void(HMENU menu, POINT at)> OnTrackMenu;

  TTaskTrayIcon& TaskTray() { return *tray_; }

 private:
  bool Callback(UINT msg, WPARAM wParam, LPARAM lParam);
  void Show();
  void Hide();
  void Refresh();
  void Popup(HMENU menu);
  HICON IconHandle() const;

  std::unique_ptr<TTaskTrayIcon> tray_;
  HICON icon_ = nullptr;
  std::string tipHelp_ = "TipHelp";
  bool visible_;
};
