// One-shot timers, one per client object, on a window's WM_TIMER (watched
// through a message filter). Starting a client's timer again restarts it.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "launcher/SubClass.h"

class TDelayTimer {
 public:
  explicit TDelayTimer(HWND window);
  ~TDelayTimer();
  TDelayTimer(const TDelayTimer&) = delete;
  TDelayTimer& operator=(const TDelayTimer&) = delete;

  // A null client does nothing.
  void Start(void* client, UINT milliseconds);
  void Stop(int timerId);
  void Clear();

  std::function<void(TDelayTimer* sender, void* client, int timerId)> OnTimer;

  int SlotCount() const { return static_cast<int>(Timers.size()); }

  // Window timer ids are offset so that they never collide with the window's
  // other timers; OnTimer and Stop use the slot index.
  static constexpr UINT_PTR kTimerIdBase = 0x51D0;

 private:
  void EnsureFilter();
  void TimerMessage(TMessage& message);

  std::vector<void*> Timers;  // slot index = timer id
  HWND Window;
  TSubClass* subClass_ = nullptr;
};
