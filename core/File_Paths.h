// The folder layout both programs share: the main folder, the shipped files
// below it and the per-user (or shared) data folder with its icons and items.
// Every folder is held without a trailing backslash. No folder is created here.
#pragma once

#include <string>
#include <string_view>

class TFilePaths {
 public:
  // The layout of the running program's folder.
  TFilePaths();
  explicit TFilePaths(std::string_view mainDir) { SetMainDir(mainDir); }

  // Recomputes every folder from folder (the editor passes the parent of its own).
  void SetMainDir(std::string_view folder);
  // MainDir\Users\ and "All Users" when Users\UseSameData.ini exists there,
  // else the login name ("All Users" when it cannot be read).
  std::string GetUserDir() const;

  std::string MainDir;
  std::string FilesDir;
  std::string IconsDir;
  std::string UserDir;
  std::string DocDir;
  std::string ItemsDir;
};

// The one process-wide layout, created on first use from the program's folder.
TFilePaths& FilePathsInstance();
