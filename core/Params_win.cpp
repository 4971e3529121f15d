#include <windows.h>

#include "core/Params.h"

const std::vector<std::string>& ProgramArgs() {
  static const std::vector<std::string> args = [] {
    std::vector<std::string> all = SplitCommandLine(GetCommandLineA());
    if (!all.empty()) all.erase(all.begin());
    return all;
  }();
  return args;
}
