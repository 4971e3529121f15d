#include "core/File_Paths.h"

#include "core/FileIO.h"
#include "core/OSUtils.h"
#include "core/ProgramPath.h"
#include "core/Sjis.h"

TFilePaths::TFilePaths() { SetMainDir(ProgramDir()); }

void TFilePaths::SetMainDir(std::string_view folder) {
  MainDir = sjis::ExcludeTrailingPathDelimiter(folder);
  UserDir = GetUserDir();
  // From the folder as given (a trailing backslash stays doubled here).
  FilesDir = std::string(folder) + "\\Files";
  IconsDir = UserDir + "\\Icons";
  ItemsDir = UserDir + "\\Items";
  DocDir = FilesDir + "\\doc";
}

std::string TFilePaths::GetUserDir() const {
  const std::string users = MainDir + "\\Users\\";
  if (fileio::FileExists(users + "UseSameData.ini")) return users + "All Users";
  return users + GetLoginUserName();
}

TFilePaths& FilePathsInstance() {
  static TFilePaths paths;
  return paths;
}
