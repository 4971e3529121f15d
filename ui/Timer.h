// A timer that calls OnTimer every Interval milliseconds while enabled. All
// timers live on one hidden window of the layer, each under an id of its own
// that is never reused, so they cannot collide with each other nor with timers
// that other code sets on its own windows. OnTimer runs inside the layer's
// exception barrier and may free its own timer.
#pragma once

#include <windows.h>

#include <functional>

namespace ui {

class TTimer {
 public:
  explicit TTimer(UINT interval = 1000);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  std::function<void()> OnTimer;

  UINT Interval() const { return interval_; }
  void SetInterval(UINT ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  UINT_PTR Id() const { return id_; }

 private:
  void Update();
  UINT_PTR id_;
  UINT interval_;
  bool enabled_ = false;
  bool running_ = false;
};

}  // namespace ui
