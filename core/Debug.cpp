#include "core/Debug.h"

#include <cstdarg>

void TDebugLine::Start(std::unique_ptr<TDebugSink> sink) {
  std::lock_guard<std::mutex> lock(mu_);
  sink_ = std::move(sink);
  lines_.Clear();
  mark_ = std::chrono::steady_clock::now();
  on_.store(true, std::memory_order_release);
}

void TDebugLine::WriteHeader(const TDebugHeader& h) {
  std::string start = FormatLogDateTime(h.start).substr(0, 19);  // without the milliseconds
  Add("\r\nStart Debug(@" + start + ")... \r\nApplicatioName : " + h.title + "\r\nExeName        : " + h.programFile +
      "\r\n -------------------------------------------\r\n");
}

void TDebugLine::Finish() {
  std::lock_guard<std::mutex> lock(mu_);
  if (!on_.load(std::memory_order_relaxed)) return;
  try {
    if (sink_) sink_->SaveFile(lines_.GetText());
  } catch (...) {
  }
  on_.store(false, std::memory_order_release);
  sink_.reset();
}

int TDebugLine::Add(std::string_view text) {
  if (!Enabled()) return 0;
  std::lock_guard<std::mutex> lock(mu_);
  if (!on_.load(std::memory_order_relaxed)) return 0;
  try {
    int index = lines_.Add(std::string(text));
    // An empty entry shows as an empty line of its own.
    if (sink_) sink_->Echo(text.empty() ? std::string("\r\n\r\n") : std::string(text) + "\r\n");
    return index;
  } catch (...) {
    return 0;  // logging never disturbs the program
  }
}

int TDebugLine::AddFmt(const char* format, ...) {
  if (!Enabled()) return 0;
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  return Add(text);
}

long long TDebugLine::Elapsed() const {
  if (!Enabled()) return 0;
  std::lock_guard<std::mutex> lock(mu_);
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - mark_).count();
}

TStringList TDebugLine::Lines() const {
  std::lock_guard<std::mutex> lock(mu_);
  return lines_;
}

TDebugLine& DebugLine() {
  static TDebugLine log;
  return log;
}
