// The GUI layer's one exception barrier. No C++ exception may cross a window
// procedure, hook, timer or thread callback: the dispatch of every window of the
// layer runs through Guarded, and so do the message loop's own callbacks.
// An escaped exception is written to the debug log and shown the way the
// application's default error handler does it: a box with the exception's
// text, the application title as caption and the stop icon.
#pragma once

#include <utility>

namespace ui {

// Call inside a catch block. where names the callback for the log. Never raises.
void HandleException(const char* where) noexcept;

// Runs f and returns its result; after an exception, fallback.
template <class F, class R>
R Guarded(const char* where, F&& f, R fallback) noexcept {
  try {
    return std::forward<F>(f)();
  } catch (...) {
    HandleException(where);
    return fallback;
  }
}

template <class F>
void Guarded(const char* where, F&& f) noexcept {
  try {
    std::forward<F>(f)();
  } catch (...) {
    HandleException(where);
  }
}

}  // namespace ui
