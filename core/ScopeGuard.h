// Runs a callable when the scope ends, on every way out (return, exception),
// for paired calls that have no owner type of their own: a flag set and
// cleared, a mode switched and restored. Dismiss() keeps it from running.
//
//   auto restore = core::ScopeExit([&] { running = false; });
//   core::TScopeGuard guard([&] { SetErrorMode(old); });  // the same, by its type
//
// Pure logic: no Windows header.
#pragma once

#include <type_traits>
#include <utility>

namespace core {

template <class Fn>
class [[nodiscard]] TScopeGuard {
 public:
  explicit TScopeGuard(Fn fn) noexcept(std::is_nothrow_move_constructible_v<Fn>) : fn_(std::move(fn)) {}
  // A moved guard runs once, from where it was moved to.
  TScopeGuard(TScopeGuard&& o) noexcept(std::is_nothrow_move_constructible_v<Fn>)
      : fn_(std::move(o.fn_)), active_(std::exchange(o.active_, false)) {}
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;
  TScopeGuard& operator=(TScopeGuard&&) = delete;
  // The callable must not throw: it runs from a destructor, also while an
  // exception unwinds.
  ~TScopeGuard() {
    if (active_) fn_();
  }

  void Dismiss() noexcept { active_ = false; }

 private:
  Fn fn_;
  bool active_ = true;
};

template <class Fn>
[[nodiscard]] TScopeGuard<std::decay_t<Fn>> ScopeExit(Fn&& fn) {
  return TScopeGuard<std::decay_t<Fn>>(std::forward<Fn>(fn));
}

}  // namespace core
