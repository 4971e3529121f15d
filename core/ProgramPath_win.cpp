#include "core/ProgramPath.h"

#include <windows.h>

#include "core/Sjis.h"

std::string ProgramFileName() {
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return std::string();
    if (n < buf.size()) { buf.resize(n); return buf; }
    buf.resize(buf.size() * 2);
  }
}

std::string ProgramDir() { return sjis::ExcludeTrailingPathDelimiter(sjis::ExtractFilePath(ProgramFileName())); }
