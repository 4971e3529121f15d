#include "ui/HotKeyHost.h"

#include "core/HotKey_Local_Container.h"
#include "ui/Application.h"

namespace ui {

THotKeyWindow::THotKeyWindow(TGlobalHotKeyContainer& container) : container_(container) {
  Create("QvHotKeyWindow");
}

bool THotKeyWindow::Register(int id, uint8_t modifiers, int key) {
  return Handle() && RegisterHotKey(Handle(), id, modifiers, static_cast<UINT>(key));
}

void THotKeyWindow::Unregister(int id) {
  if (Handle()) UnregisterHotKey(Handle(), id);
}

unsigned THotKeyWindow::DoubleClickTime() const { return GetDoubleClickTime(); }

LRESULT THotKeyWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_HOTKEY) return TMessageWindow::WndProc(msg, wParam, lParam);
  container_.HotKey(static_cast<int>(wParam));
  return 0;
}

THotKeyHost::THotKeyHost(TApplication& app) {
  SetHotKeyWindowFactory([](TGlobalHotKeyContainer& c) { return std::make_unique<THotKeyWindow>(c); });
  shortCuts_ = app.OnShortCut.Add([](WORD shortCut, bool& handled) {
    if (!handled) handled = LocalHotKeyContainer().ExecuteShortCut(shortCut);
  });
}

THotKeyHost::~THotKeyHost() {
  GlobalHotKeyContainer().ReleaseWindow();
  SetHotKeyWindowFactory(nullptr);
}

}  // namespace ui
