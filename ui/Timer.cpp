#include "ui/Timer.h"

#include <map>
#include <memory>

#include "ui/Window.h"

namespace ui {

namespace {

class TTimerWindow : public TMessageWindow {
 public:
  std::map<UINT_PTR, TTimer*> timers;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg != WM_TIMER) return TMessageWindow::WndProc(msg, wParam, lParam);
    auto it = timers.find(wParam);
    if (it != timers.end() && it->second->OnTimer) {
      auto run = it->second->OnTimer;  // the timer may be freed by what it runs
      run();
    }
    return 0;
  }
};

TTimerWindow& TimerWindow() {
  static std::unique_ptr<TTimerWindow> window;
  if (!window || !window->Handle()) {
    window = std::make_unique<TTimerWindow>();
    window->Create("QvTimerWindow");
  }
  return *window;
}

UINT_PTR NextTimerId() {
  static UINT_PTR next = 0;
  return ++next;
}

}  // namespace

TTimer::TTimer(UINT interval) : id_(NextTimerId()), interval_(interval) {}

TTimer::~TTimer() {
  enabled_ = false;
  Update();
}

void TTimer::SetInterval(UINT ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (running_) {
    running_ = false;
    KillTimer(TimerWindow().Handle(), id_);
  }
  Update();
}

void TTimer::SetEnabled(bool on) {
  enabled_ = on;
  Update();
}

void TTimer::Update() {
  bool run = enabled_ && interval_ > 0;
  if (run == running_) return;
  TTimerWindow& w = TimerWindow();
  if (run) {
    w.timers[id_] = this;
    running_ = SetTimer(w.Handle(), id_, interval_, nullptr) != 0;
    if (!running_) w.timers.erase(id_);
  } else {
    KillTimer(w.Handle(), id_);
    w.timers.erase(id_);
    running_ = false;
  }
}

}  // namespace ui
