// The process-wide register of system-wide hotkeys. Each registration attempt
// takes a new id (the index of a new slot; ids are never reused), and WM_HOTKEY
// for an id reaches the item in that slot. A combination of modifiers without a
// key is a double press: it fires on the second press within the system's
// double-click time. The platform side, a hidden window that calls
// RegisterHotKey and receives WM_HOTKEY, is the GUI layer's (ui/HotKeyHost);
// this unit holds the logic and is pure.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class THotKeyItem;
class TGlobalHotKeyContainer;

// The hidden window of the container.
class IHotKeyWindow {
 public:
  virtual ~IHotKeyWindow() = default;
  virtual bool Register(int id, uint8_t modifiers, int key) = 0;
  virtual void Unregister(int id) = 0;
  virtual unsigned DoubleClickTime() const = 0;  // milliseconds
};

// Makes the hidden window that reports WM_HOTKEY to the container's HotKey().
using THotKeyWindowFactory = std::function<std::unique_ptr<IHotKeyWindow>(TGlobalHotKeyContainer&)>;
// Installed by the GUI layer's application object; with none, every
// registration fails.
void SetHotKeyWindowFactory(THotKeyWindowFactory factory);

class TGlobalHotKeyContainer {
 public:
  TGlobalHotKeyContainer() = default;
  ~TGlobalHotKeyContainer();  // unregisters every hotkey still registered

  // The id of the new registration, or -1 when the combination could not be
  // registered (taken by another program, say); a failed slot stays empty.
  int RegisterItem(THotKeyItem* item);
  void UnregisterItem(int id);

  // WM_HOTKEY with this id (any process can post one: unknown ids are ignored).
  void HotKey(int id);

  // Unregisters everything and drops the window; items that unregister later
  // find their slots empty. The application object does this at its end.
  void ReleaseWindow();

  // Milliseconds of a monotonic clock; replaceable for tests.
  using TClock = std::function<int64_t()>;
  void SetClock(TClock clock) { clock_ = std::move(clock); }
  // Overrides the window's double-click time (0: the window's again).
  void SetDoubleClickTime(unsigned ms) { doubleClickTime_ = ms; }

  int SlotCount() const { return static_cast<int>(items_.size()); }
  THotKeyItem* ItemAt(int id) const;

 private:
  void DoublePress(int id);
  int64_t Now() const;
  unsigned DoubleClickTime() const;

  std::unique_ptr<IHotKeyWindow> window_;
  int lastId_ = -1;
  int64_t lastTime_ = 0;
  std::vector<THotKeyItem*> items_;
  TClock clock_;
  unsigned doubleClickTime_ = 0;
};

TGlobalHotKeyContainer& GlobalHotKeyContainer();
