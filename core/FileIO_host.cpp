#include "core/FileIO.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "core/Sjis.h"

namespace fileio {

bool ReadWholeFile(const std::string& path, std::string& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string data;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (ok) out.swap(data);
  return ok;
}

bool WriteFileReplacing(const std::string& path, const std::string& data) {
  std::string folder = sjis::ExtractFilePath(path);
  if (!folder.empty() && !ForceDirectories(sjis::ExcludeTrailingPathDelimiter(folder))) return false;
  std::string temp = TemporaryName(path, static_cast<unsigned long>(getpid()));
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  RemoveStaleTemporaries(path);
  return true;
}

void RemoveStaleTemporaries(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string prefix = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  DIR* d = opendir(folder.c_str());
  if (!d) return;
  std::vector<std::string> stale;
  while (dirent* e = readdir(d)) {
    unsigned long pid = 0;
    const std::string full = prefix + e->d_name;
    if (!IsTemporaryNameOf(full, path, pid)) continue;
    const bool runs = static_cast<pid_t>(pid) == getpid() || kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
    if (!runs) stale.push_back(full);
  }
  closedir(d);
  for (const std::string& file : stale) std::remove(file.c_str());
}

bool AppendToFile(const std::string& path, const std::string& data) {
  FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return (std::fclose(f) == 0) && ok;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& path) {
  std::string dir = sjis::ExcludeTrailingPathDelimiter(path);
  if (dir.empty()) return false;
  if (DirectoryExists(dir)) return true;
  std::string parent = sjis::ExcludeTrailingPathDelimiter(sjis::ExtractFilePath(dir));
  if (!parent.empty() && parent != dir && !DirectoryExists(parent) && !ForceDirectories(parent)) return false;
  return mkdir(dir.c_str(), 0777) == 0 || DirectoryExists(dir);
}

bool DeleteFileAt(const std::string& path) { return std::remove(path.c_str()) == 0; }

}  // namespace fileio
