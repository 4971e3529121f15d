// The naming of the temporary files of a safe save; shared by both backends.
#include "core/FileIO.h"

#include <cstdlib>

namespace fileio {

namespace {
constexpr char kTemporaryMark[] = ".~tmp";
}

std::string TemporaryName(const std::string& path, unsigned long pid) {
  return path + kTemporaryMark + std::to_string(pid);
}

bool IsTemporaryNameOf(const std::string& name, const std::string& path, unsigned long& pid) {
  const std::string prefix = path + kTemporaryMark;
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return false;
  const std::string digits = name.substr(prefix.size());
  if (digits.size() > 10) return false;
  for (char c : digits)
    if (c < '0' || c > '9') return false;
  pid = std::strtoul(digits.c_str(), nullptr, 10);
  return true;
}

}  // namespace fileio
