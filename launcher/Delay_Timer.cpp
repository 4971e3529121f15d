#include "launcher/Delay_Timer.h"

#include <algorithm>

TDelayTimer::TDelayTimer(HWND window) : Window(window) { EnsureFilter(); }

TDelayTimer::~TDelayTimer() { Clear(); }

void TDelayTimer::EnsureFilter() {
  if (subClass_ || !IsWindow(Window)) return;
  subClass_ = new TSubClass(Window);
  subClass_->Messages.Add(WM_TIMER);
  subClass_->OnAfterMessage = [this](TCustomSubClass*, TMessage& m) { TimerMessage(m); };
  // The window was destroyed and the dispatcher freed the filter.
  subClass_->OnDestroy = [this](TCustomSubClass*) {
    subClass_ = nullptr;
    Clear();
  };
  subClass_->SetActive(true);
}

void TDelayTimer::Start(void* client, UINT milliseconds) {
  if (!client) return;
  EnsureFilter();
  auto it = std::find(Timers.begin(), Timers.end(), client);
  size_t slot;
  if (it != Timers.end()) {
    slot = static_cast<size_t>(it - Timers.begin());
    KillTimer(Window, kTimerIdBase + slot);
  } else {
    Timers.push_back(client);
    slot = Timers.size() - 1;
  }
  SetTimer(Window, kTimerIdBase + slot, milliseconds, nullptr);
}

void TDelayTimer::Stop(int timerId) {
  if (timerId < 0) return;
  KillTimer(Window, kTimerIdBase + static_cast<UINT_PTR>(timerId));
  if (static_cast<size_t>(timerId) + 1 == Timers.size()) {
    Timers.pop_back();
    while (!Timers.empty() && !Timers.back()) Timers.pop_back();
  }
}

void TDelayTimer::Clear() {
  for (size_t i = 0; i < Timers.size(); ++i)
    if (Timers[i]) KillTimer(Window, kTimerIdBase + i);
  Timers.clear();
  if (TSubClass* s = subClass_) {
    subClass_ = nullptr;
    s->OnDestroy = nullptr;
    delete s;
  }
}

void TDelayTimer::TimerMessage(TMessage& message) {
  if (message.Msg != WM_TIMER || message.WParam < kTimerIdBase) return;
  size_t slot = message.WParam - kTimerIdBase;
  if (slot >= Timers.size()) return;
  int id = static_cast<int>(slot);
  if (OnTimer && Timers[slot]) OnTimer(this, Timers[slot], id);
  Stop(id);
}
