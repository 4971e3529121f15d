#include "tests/support/TempDir.h"

#include <cstdio>
#include <stdexcept>

#include "core/FileIO.h"

#ifdef _WIN32
#include <windows.h>

namespace {
void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = dir + "\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
      else { SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL); DeleteFileA(full.c_str()); }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}
}  // namespace

TempDir::TempDir() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    std::string p = std::string(base) + "qvtest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    if (CreateDirectoryA(p.c_str(), nullptr)) { path_ = p; break; }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create temp dir");
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::operator/(const std::string& name) const { return path_ + "\\" + name; }

#else
#include <ftw.h>
#include <stdlib.h>

TempDir::TempDir() {
  char tmpl[] = "/tmp/qvtestXXXXXX";
  if (!mkdtemp(tmpl)) throw std::runtime_error("cannot create temp dir");
  path_ = tmpl;
}

TempDir::~TempDir() {
  nftw(path_.c_str(), [](const char* p, const struct stat*, int, struct FTW*) { return std::remove(p); }, 16,
       FTW_DEPTH | FTW_PHYS);
}

std::string TempDir::operator/(const std::string& name) const { return path_ + "/" + name; }
#endif

void WriteTextFile(const std::string& path, const std::string& data) {
  if (!fileio::WriteFileReplacing(path, data)) throw std::runtime_error("cannot write " + path);
}

std::string ReadTextFile(const std::string& path) {
  std::string data;
  if (!fileio::ReadWholeFile(path, data)) throw std::runtime_error("cannot read " + path);
  return data;
}
