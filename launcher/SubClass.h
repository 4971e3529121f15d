// Message filters on windows we do not own. One process-wide dispatcher replaces
// a watched window's procedure once, however many filters watch it, and routes
// each message to the filters registered for that window and message, before and
// after the window's own procedure.
//
// Lifetime: filters are heap objects. When their window is destroyed the
// dispatcher deletes every filter of it; owners learn of it through OnDestroy
// and must forget their pointer there. An owner that outlives the window deletes
// its filter itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

// Pointer-sized integers; without duplicates when AllowDuplicates is off.
class TIntegerList {
 public:
  bool AllowDuplicates = true;
  // Fired after a value is added or put.
  std::function<void()> OnChange;

  void Add(intptr_t value);
  void Put(int index, intptr_t value);
  intptr_t Get(int index) const { return items_.at(static_cast<size_t>(index)); }
  int IndexOf(intptr_t value) const;
  int Count() const { return static_cast<int>(items_.size()); }
  void Clear() { items_.clear(); }

 private:
  std::vector<intptr_t> items_;
};

// What a filter sees of one message. Setting Handled keeps it from the window's
// own procedure (in the before phase) and from later filters of the same phase.
struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result = 0;
  HWND Window;
  bool Handled = false;
};

class TCustomSubClass {
 public:
  explicit TCustomSubClass(HWND window);
  virtual ~TCustomSubClass();
  TCustomSubClass(const TCustomSubClass&) = delete;
  TCustomSubClass& operator=(const TCustomSubClass&) = delete;

  virtual void BeforeMessage(TMessage& message);
  virtual void AfterMessage(TMessage& message);

  void SetActive(bool value);
  bool Active() const { return active_; }
  HWND Window() const { return window_; }

  // Message ids to watch; changes re-register the filter while it is active.
  TIntegerList Messages;
  std::function<void(TCustomSubClass* sender)> OnDestroy;
  std::function<void(TCustomSubClass* sender, TMessage& message)> OnBeforeMessage;
  std::function<void(TCustomSubClass* sender, TMessage& message)> OnAfterMessage;

 private:
  HWND window_;
  bool active_ = false;
};

class TSubClass : public TCustomSubClass {
 public:
  using TCustomSubClass::TCustomSubClass;
};

// Where a helper bound to one window (the copy-data channel, the file drop
// handler) takes that window's messages from: a filter on it, for a window
// that is not a window of the GUI layer, or the window's owner, who hands them
// on from the window's typed event. The program's own windows use the owner.
enum class TMessageSource { Filter, Owner };

// For tests and diagnostics: how many filters hold the window's procedure.
int SubClassUseCount(HWND window);
