// A fresh, empty folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() joined with a relative name by the platform's separator.
  std::string operator/(const std::string& name) const;

 private:
  std::string path_;
};

// Writes or reads a whole file, for fixtures.
void WriteTextFile(const std::string& path, const std::string& data);
std::string ReadTextFile(const std::string& path);

// The platform's path separator, as a text.
inline std::string Sep() {
#ifdef _WIN32
  return "\\";
#else
  return "/";
#endif
}
