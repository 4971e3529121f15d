// The editor's simple line log: one entry per Add, echoed to the console while
// the program runs and saved to Debug.txt at program end. Off (and storing
// nothing) unless InitDebugLog turned it on for the editor.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "core/Debug_Unit.h"
#include "core/StringList.h"

class TDebugLine {
 public:
  TDebugLine() = default;
  TDebugLine(const TDebugLine&) = delete;
  TDebugLine& operator=(const TDebugLine&) = delete;

  void Start(std::unique_ptr<TDebugSink> sink);
  void WriteHeader(const TDebugHeader& header);
  // Saves the entries to the log file and turns the log off.
  void Finish();

  // Appends text as one entry (it may hold line breaks) and echoes it with CR
  // LF; the entry's index, or 0 when off.
  int Add(std::string_view text);
  int AddFmt(const char* format, ...) QV_PRINTF_FORMAT(2, 3);
  // Whole milliseconds since the log started (0 when off).
  long long Elapsed() const;
  void Noop() {}

  bool Enabled() const { return on_.load(std::memory_order_acquire); }
  TStringList Lines() const;

 private:
  mutable std::mutex mu_;
  std::atomic<bool> on_{false};
  std::unique_ptr<TDebugSink> sink_;
  std::chrono::steady_clock::time_point mark_;
  TStringList lines_;
};

TDebugLine& DebugLine();
