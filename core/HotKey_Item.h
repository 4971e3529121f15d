// A hotkey item: one named key combination that, while active, calls back when
// the user presses it. The kinds (local: while a window of the program is
// active; global: system-wide) are told apart by the class id that the hotkey
// file stores, and are made by class id through the hotkey factory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class THotKeyItem;

// Sender, its name, its class id.
using THotKeyEvent = std::function<void(THotKeyItem& sender, const std::string& name, uint8_t classId)>;

struct THotKeyClassInfo {
  std::string Caption;
  bool Global = false;  // false for class 0, true for class 1
  uint8_t ClassId = 0;
};

class THotKeyItem {
 public:
  THotKeyItem() = default;
  THotKeyItem(const THotKeyItem&) = delete;
  THotKeyItem& operator=(const THotKeyItem&) = delete;
  // Every kind deactivates itself in its own destructor (a virtual call here
  // would no longer reach it).
  virtual ~THotKeyItem() = default;

  THotKeyEvent OnHotKey;

  virtual std::string GetName() const { return name_; }
  virtual void SetName(std::string_view name) { name_ = name; }
  uint8_t GetModifiers() const { return modifiers_; }
  int GetKey() const { return key_; }
  uint8_t GetClassId() const { return GetHotKeyClassInfo().ClassId; }

  // Each setter stores, then re-activates an active item once with the whole
  // new combination.
  void SetHotKey(uint8_t modifiers, int key);
  void SetKey(int key);
  void SetModifiers(uint8_t modifiers);
  // Text syntax of HotKeyUtils, keys alone allowed.
  virtual void SetHotKeyText(std::string_view text);
  virtual std::string GetHotKeyText() const;

  virtual bool GetActive() const { return active_; }
  virtual void SetActive(bool on) = 0;

  // Copies name and combination from other (none clears them); class, event and
  // activation stay. An active item re-activates once.
  virtual void Assign(const THotKeyItem* other);
  // (Not GetClassInfo: windows.h makes that name a macro.)
  virtual THotKeyClassInfo GetHotKeyClassInfo() const = 0;

  // Calls OnHotKey. The handler may free this item (a reload of the list), so
  // nothing of the item is touched after it returns.
  virtual void DoHotKey();

 protected:
  // Re-activation after a change of the combination.
  void Changed();
  bool active_ = false;

 private:
  std::string name_;
  int key_ = 0;
  uint8_t modifiers_ = 0;
};
