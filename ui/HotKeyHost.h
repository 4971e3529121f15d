// Connects the hotkey model of core to the GUI layer: the hidden message-only
// window that registers the global hotkeys and hands WM_HOTKEY to the global
// container, and the shortcut dispatch that runs the local hotkeys. The
// application object makes one and destroys it (unregistering every hotkey)
// before its own window goes.
#pragma once

#include "core/HotKey_Global_Container.h"
#include "ui/Event.h"
#include "ui/Window.h"

namespace ui {

class TApplication;

// The global container's window: WM_HOTKEY with an id goes to the container,
// which ignores ids it does not hold (any process can post one).
class THotKeyWindow : public TMessageWindow, public IHotKeyWindow {
 public:
  explicit THotKeyWindow(TGlobalHotKeyContainer& container);
  bool Register(int id, uint8_t modifiers, int key) override;
  void Unregister(int id) override;
  unsigned DoubleClickTime() const override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TGlobalHotKeyContainer& container_;
};

class THotKeyHost {
 public:
  explicit THotKeyHost(TApplication& app);
  ~THotKeyHost();
  THotKeyHost(const THotKeyHost&) = delete;
  THotKeyHost& operator=(const THotKeyHost&) = delete;

 private:
  TConnection shortCuts_;
};

}  // namespace ui
