#include "core/AppEvents.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace app {

namespace {

struct TEntry {
  TSubscription id;
  std::function<void()> handler;
};

struct TRegistry {
  std::vector<TEntry> entries;
  TSubscription next = 1;
  void* applicationWindow = nullptr;
  std::function<void()> pump;
};

// Never destroyed: objects that unsubscribe in their destructors may be freed
// at program end in any order.
TRegistry& Registry() {
  static TRegistry* registry = new TRegistry;
  return *registry;
}

}  // namespace

TSubscription SubscribeDeactivated(std::function<void()> handler) {
  TRegistry& r = Registry();
  r.entries.push_back({r.next, std::move(handler)});
  return r.next++;
}

void UnsubscribeDeactivated(TSubscription subscription) {
  auto& entries = Registry().entries;
  entries.erase(std::remove_if(entries.begin(), entries.end(), [&](const TEntry& e) { return e.id == subscription; }),
                entries.end());
}

void RaiseDeactivated() {
  std::vector<TSubscription> round;
  for (const TEntry& e : Registry().entries) round.push_back(e.id);
  for (TSubscription id : round) {
    auto& entries = Registry().entries;
    auto it = std::find_if(entries.begin(), entries.end(), [&](const TEntry& e) { return e.id == id; });
    if (it == entries.end()) continue;
    std::function<void()> handler = it->handler;  // the entry may go away while it runs
    handler();
  }
}

void SetApplicationWindow(void* window) { Registry().applicationWindow = window; }
void* ApplicationWindow() { return Registry().applicationWindow; }

void SetMessagePump(std::function<void()> pump) { Registry().pump = std::move(pump); }

bool ProcessMessages() {
  std::function<void()> pump = Registry().pump;  // may be replaced while it runs
  if (!pump) return false;
  pump();
  return true;
}

}  // namespace app
