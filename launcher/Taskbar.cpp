#include "launcher/Taskbar.h"

TTrayIcon::TTrayIcon(INotifyIconShell* shell, bool visible)
    : tray_(std::make_unique<TTaskTrayIcon>(shell)), visible_(false) {
  tray_->Callback = [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    return Callback(msg, wParam, lParam);
  };
  tray_->SetTip(tipHelp_);
  SetVisible(visible);
}

TTrayIcon::~TTrayIcon() {
  try {
    Hide();
  } catch (...) {
  }
}

HICON TTrayIcon::IconHandle() const {
  if (icon_) return icon_;
  // Without an icon of its own the tray shows the program's icon.
  HICON program = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  return program ? program : LoadIconA(nullptr, IDI_APPLICATION);
}

void TTrayIcon::SetIcon(HICON icon) {
  icon_ = icon;
  Refresh();
}

void TTrayIcon::SetTipHelp(const std::string& tip) {
  tipHelp_ = tip;
  tray_->SetTip(tip);
  Refresh();
}

void TTrayIcon::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible) Show();
  else Hide();
}

void TTrayIcon::Show() {
  tray_->SetIconHandle(IconHandle());
  tray_->AddIcon();
}

void TTrayIcon::Hide() { tray_->DeleteIcon(); }

void TTrayIcon::Refresh() {
  if (!visible_) return;
  tray_->SetIconHandle(IconHandle());
  tray_->ModifyIcon();
}

void TTrayIcon::Popup(HMENU menu) {
  POINT p;
  GetCursorPos(&p);
  if (MenuOwner) SetForegroundWindow(MenuOwner);
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  if (OnTrackMenu) {
    OnTrackMenu(menu, p);
    return;
  }
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, p.x, p.y, 0, MenuOwner ? MenuOwner : tray_->Handle(), nullptr);
  // Lets the menu close when the user clicks elsewhere.
  if (MenuOwner) PostMessageA(MenuOwner, WM_NULL, 0, 0);
}

bool TTrayIcon::Callback(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != TTaskTrayIcon::kCallbackMessage) return false;
  POINT p;
  GetCursorPos(&p);
  // The down that the tray posts after a double click (wParam -1) opens no menu.
  bool synthetic = static_cast<LONG_PTR>(wParam) == -1;
  switch (lParam) {
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(p.x, p.y);
      break;
    case WM_LBUTTONDOWN:
      if (LButtonPopupMenu && AutoPopup && !synthetic) Popup(LButtonPopupMenu);
      else if (OnMouseDown) OnMouseDown(0, p.x, p.y);
      break;
    case WM_LBUTTONUP:
      if (OnMouseUp) OnMouseUp(0, p.x, p.y);
      break;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick();
      break;
    case WM_RBUTTONDOWN:
      if (RButtonPopupMenu && AutoPopup && !synthetic) Popup(RButtonPopupMenu);
      else if (OnMouseDown) OnMouseDown(1, p.x, p.y);
      break;
    case WM_RBUTTONUP:
      if (OnMouseUp) OnMouseUp(1, p.x, p.y);
      break;
    case WM_RBUTTONDBLCLK:
      if (OnRDblClick) OnRDblClick();
      break;
    case WM_MBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(2, p.x, p.y);
      break;
    case WM_MBUTTONUP:
      if (OnMouseUp) OnMouseUp(2, p.x, p.y);
      break;
    case TTaskTrayIcon::kMouseClick:
      if (OnMouseClick) OnMouseClick(static_cast<int>(wParam));
      break;
    default:
      return false;
  }
  return true;
}
