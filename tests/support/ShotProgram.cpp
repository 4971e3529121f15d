#include "tests/support/ShotProgram.h"

namespace shot {

void WriteFile(const std::string& path, const std::string& text) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
}

bool FileExists(const std::string& path) { return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Geometry(RECT r) {
  return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) +
         "+" + std::to_string(r.top);
}

RECT Union(RECT a, HWND w) {
  RECT b = {};
  if (!w || !IsWindowVisible(w) || !GetWindowRect(w, &b)) return a;
  RECT u = {};
  UnionRect(&u, &a, &b);
  return u;
}

std::vector<std::string> Arguments(const char* cmdLine) {
  std::vector<std::string> args;
  std::string cur;
  bool quoted = false;
  for (const char* c = cmdLine; c && *c; ++c) {
    if (*c == '"') quoted = !quoted;
    else if (*c == ' ' && !quoted) {
      if (!cur.empty()) args.push_back(cur);
      cur.clear();
    } else cur += *c;
  }
  if (!cur.empty()) args.push_back(cur);
  return args;
}

}  // namespace shot
