#include "core/FileIO.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

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
  std::string temp = path + ".~tmp" + std::to_string(getpid());
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
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
