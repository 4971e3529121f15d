// The log's platform half on the host: standard output, the C library clock.
#include "core/Debug_Unit.h"

#include <sys/stat.h>
#include <sys/time.h>

#include <cstdio>
#include <ctime>

#include "core/OSUtils.h"
#include "core/ProgramPath.h"

namespace debugsys {

void OpenConsole() {}

void ConsoleWrite(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

std::string LogFileName() { return ProgramDir() + "/Debug.txt"; }

}  // namespace debugsys

namespace {
TDateTimeParts Parts(time_t t, int ms) {
  struct tm tm {};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms};
}
}  // namespace

TDateTimeParts LocalNow() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  return Parts(tv.tv_sec, static_cast<int>(tv.tv_usec / 1000));
}

std::string GetFileVersionText(const std::string&) { return std::string(); }

std::string GetFileTimeText(const std::string& fileName) {
  struct stat st {};
  if (stat(fileName.c_str(), &st) != 0) return std::string();
  return FormatFileTimeText(Parts(st.st_mtime, 0));
}

std::string GetOSVersionText() {
  const TOSVersion v = SystemVersion();
  return FormatOSVersionText(TOSPlatform::NT, v.major, v.minor, v.build);
}
