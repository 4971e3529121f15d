// A multicast event: several listeners (each with a connection that removes it
// again when it goes) called in the order they were added. Listeners may be
// added or removed while the event runs; a removed one is not called again.
#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace ui {

// Removes its listener when destroyed (or by Disconnect). Move-only.
class TConnection {
 public:
  TConnection() = default;
  explicit TConnection(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}
  ~TConnection() { Disconnect(); }
  TConnection(TConnection&& o) noexcept : disconnect_(std::move(o.disconnect_)) { o.disconnect_ = nullptr; }
  TConnection& operator=(TConnection&& o) noexcept {
    if (this != &o) { Disconnect(); disconnect_ = std::move(o.disconnect_); o.disconnect_ = nullptr; }
    return *this;
  }
  void Disconnect() {
    if (disconnect_) { auto d = std::move(disconnect_); disconnect_ = nullptr; d(); }
  }

 private:
  std::function<void()> disconnect_;
};

template <class... Args>
class TEvent {
 public:
  using THandler = std::function<void(Args...)>;

  [[nodiscard]] TConnection Add(THandler handler) {
    auto entry = std::make_shared<TEntry>(TEntry{std::move(handler), true});
    state_->entries.push_back(entry);
    std::weak_ptr<TState> weak = state_;
    return TConnection([weak, entry] {
      entry->alive = false;
      if (auto s = weak.lock()) std::erase(s->entries, entry);
    });
  }

  void operator()(Args... args) const {
    auto state = state_;  // the owner of the event may go while a listener runs
    auto snapshot = state->entries;
    for (const auto& e : snapshot)
      if (e->alive) e->handler(args...);
  }

  bool Empty() const { return state_->entries.empty(); }

 private:
  struct TEntry { THandler handler; bool alive; };
  struct TState { std::vector<std::shared_ptr<TEntry>> entries; };
  std::shared_ptr<TState> state_ = std::make_shared<TState>();
};

}  // namespace ui
