// What a typed path denotes (its path kind), absolute paths, program search and
// short names: the file utilities both programs reach through FileUtilsInstance.
// The instance is a replaceable singleton: the class variable names the class
// whose object the accessor hands out, and the cached unit (Cached_File_Utils)
// sets it to its caching subclass at start-up.
#pragma once

#include <string>
#include <string_view>

#ifdef _WIN32
// The shell header's FindExecutable macro would rename the member below; taking
// the header in first lets its include guard keep the macro away for good.
#include <windows.h>
#include <shellapi.h>
#undef FindExecutable
#endif

// Path kinds, shared by every path test of the system.
enum TPathKind : int {
  pkNone = 1,        // empty, invalid, reserved, a bare wildcard, or nothing there
  pkFile = 2,        // an existing file
  pkDirectory = 3,   // an existing folder, or (editor) a network computer the network knows
  pkWildFile = 4,    // a wildcard whose first match is a file
  pkWildFolder = 5,  // a wildcard whose first match is a folder
};

// The launcher's copies of the path services never ask the network about bare
// computer names; the editor's do. Chosen once at start-up; the default is the
// editor's behaviour.
enum class TPathFlavour { Editor, Launcher };
void SetPathFlavour(TPathFlavour flavour);
TPathFlavour PathFlavour();

// Sets the system error mode to fail critical errors silently (no "insert a disk"
// box for an empty drive) for its lifetime, then restores the previous mode.
class TSilentCriticalErrors {
 public:
  TSilentCriticalErrors();
  ~TSilentCriticalErrors();
  TSilentCriticalErrors(const TSilentCriticalErrors&) = delete;
  TSilentCriticalErrors& operator=(const TSilentCriticalErrors&) = delete;

 private:
  unsigned int old_;
};

class TFileUtils {
 public:
  TFileUtils() = default;
  virtual ~TFileUtils() = default;
  TFileUtils(const TFileUtils&) = delete;
  TFileUtils& operator=(const TFileUtils&) = delete;

  // The class's virtual constructor, as stored in the class variable.
  static TFileUtils* Create() { return new TFileUtils; }

  virtual int GetPathKind(const std::string& path, bool allowWild);
  bool IsPathKind(const std::string& path, bool acceptFile, bool acceptWild, bool acceptDir);
  bool IsDirectory(const std::string& path) { return IsPathKind(path, false, false, true); }
  bool IsFile(const std::string& path) { return IsPathKind(path, true, false, false); }
  bool Exists(const std::string& path) { return IsPathKind(path, true, false, true); }
  bool ExistsWild(const std::string& path) { return IsPathKind(path, true, true, true); }

  // Full path of name found in folder (or along the system search path when
  // folder is empty), retried once with ".exe" when name has no extension;
  // empty when not found.
  std::string FindExecutable(const std::string& name, const std::string& folder);
  // The short (8.3) form of an existing path; the path itself when the system has none.
  std::string GetShortPath(const std::string& path);
  // The path made absolute against the current folder, "." and ".." resolved.
  std::string ExpandPath(const std::string& path);

  // The reserved device names ("con", "LPT1", ...), compared without regard to
  // case with the whole path less one trailing backslash.
  static bool IsReservedName(std::string_view path);
  // No folder part ("\" or ":") but a "*" or "?": a wildcard without a folder is no path.
  static bool IsBareWildcard(std::string_view path);
  // "\\" + a computer name, optionally with one trailing "\", and nothing else.
  static bool IsBareComputerName(std::string_view path);
  // Whether the network listing knows the computer of a bare computer name,
  // asked through listing (the network listing of "\\"). Logs what it compared.
  static bool IsKnownComputer(std::string_view path, const class TStringList& listing);
  static bool IsAbsolutePath(std::string_view path);

 protected:
  // Current folder and parent folder, without trailing backslash.
  static std::string CurrentDir();
  static std::string ParentDir(std::string_view path);
};

// The virtual constructor that names a class of file utilities.
using TFileUtilsClass = TFileUtils* (*)();
void SetFileUtilsClass(TFileUtilsClass cls);
TFileUtilsClass FileUtilsClass();
// The process's file utilities: an object of the class in the class variable,
// made on first use and again whenever the class variable has changed. A
// replaced object stays alive until program end, since callers may still hold it.
TFileUtils& FileUtilsInstance();
