#include "core/OSUtils.h"

#include <vector>

#include "core/Sjis.h"

TPlatformFlags PlatformFlagsFor(const TOSVersion& v) {
  TPlatformFlags f;
  f.nt = v.platformId == 2;
  // Any NT from 5.1 up: comparing the minor version alone would call 10.0 not XP.
  f.winXP = f.nt && (v.major > 5 || (v.major == 5 && v.minor >= 1));
  f.win2000 = f.nt && v.major == 5 && v.minor == 0;
  f.win95 = v.platformId == 1 && v.minor == 0;
  return f;
}

namespace {
const TPlatformFlags& Flags() {
  static const TPlatformFlags flags = PlatformFlagsFor(SystemVersion());
  return flags;
}
}  // namespace

bool IsNT() { return Flags().nt; }
bool IsWinXP() { return Flags().winXP; }
bool IsWin2000() { return Flags().win2000; }
bool IsWin95() { return Flags().win95; }

std::string FormatVersionString(std::string_view version) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t dot = version.find('.', start);  // "." is never a trail byte
    parts.emplace_back(version.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  if (parts.size() < 2) return std::string(version);
  std::string result = parts[0] + "." + parts[1];
  if (parts.size() < 4) return result;
  const std::string& c = parts[2];
  const char* suffix = c == "0" ? "a" : c == "1" ? "b" : c == "2" ? "rc" : c == "4" ? "r" : nullptr;
  if (!suffix) return result;
  std::string d = parts[3];
  if (sjis::CharCount(d) >= 2) d.resize(sjis::PrevPos(d, sjis::PrevPos(d, d.size())));
  if (sjis::EqualsIgnoreCase(d, "0")) d.clear();
  return result + suffix + d;
}
