#include "core/Params.h"

#include "core/FileIO.h"

const std::vector<std::string>& ProgramArgs() {
  static const std::vector<std::string> args = [] {
    std::vector<std::string> all;
    std::string data;
    if (fileio::ReadWholeFile("/proc/self/cmdline", data)) {
      size_t start = 0;
      for (size_t i = 0; i < data.size(); ++i) {
        if (data[i] == '\0') { all.push_back(data.substr(start, i - start)); start = i + 1; }
      }
    }
    if (!all.empty()) all.erase(all.begin());
    return all;
  }();
  return args;
}
