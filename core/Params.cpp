#include "core/Params.h"

#include "core/FileIO.h"
#include "core/Sjis.h"

namespace {

// The lines of an existing, readable parameter file.
bool LoadParamFile(const std::string& path, TStringList& out) {
  if (path.empty() || !fileio::FileExists(path)) return false;
  std::string data;
  if (!fileio::ReadWholeFile(path, data)) return false;
  out.SetText(data);
  return true;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> args;
  auto isBlank = [](char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; };
  size_t i = 0;
  for (;;) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i >= line.size() || line[i] == '\0') break;
    std::string arg;
    bool quoted = false;
    // Blanks and quotes are never trail bytes, so a byte walk is safe.
    while (i < line.size() && line[i] != '\0' && (quoted || !isBlank(line[i]))) {
      if (line[i] == '"') quoted = !quoted;
      else arg += line[i];
      ++i;
    }
    args.push_back(std::move(arg));
  }
  return args;
}

TStringList BuildParamList(const std::vector<std::string>& args) {
  TStringList list;
  static constexpr std::string_view kParamFile = "/ParamFile";
  if (args.size() == 1) {
    const std::string& a = args[0];
    if (sjis::StartsWithIgnoreCase(a, "/ParamFile=") && LoadParamFile(a.substr(kParamFile.size() + 1), list))
      return list;
    list.SetText(a);
    return list;
  }
  if (args.size() == 2 && sjis::EqualsIgnoreCase(args[0], kParamFile) && LoadParamFile(args[1], list)) return list;
  for (const std::string& a : args) list.Add(a);
  return list;
}

const TStringList& ParamList() {
  static const TStringList list = BuildParamList(ProgramArgs());
  return list;
}

std::string BuildHandOverText(const TStringList& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  // Control bytes and blanks never occur as the second byte of a double-byte
  // character, so cutting them from the end keeps every character whole.
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  text.push_back('\0');
  return text;
}
