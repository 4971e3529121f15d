#include "core/ProgramPath.h"

#include <unistd.h>

#include "core/Sjis.h"

std::string ProgramFileName() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

std::string ProgramDir() { return sjis::ExcludeTrailingPathDelimiter(sjis::ExtractFilePath(ProgramFileName())); }
