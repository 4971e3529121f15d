// The launcher's one source of icons from the shell, behind one process-wide
// lock: every call goes between AcquireIconFactory and ReleaseIconFactory (or
// inside a TIconFactoryHold). Paths are normalised, and may be rewritten by
// the OnGetPath hook, before every look-up.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <functional>
#include <string>

// The two shell calls the factory makes; tests put their own in.
class TIconSource {
 public:
  virtual ~TIconSource() = default;
  virtual DWORD_PTR GetFileInfo(const std::string& path, DWORD attributes, SHFILEINFOA& info, UINT flags) = 0;
  // Extracts one icon at a zero-based position; the caller frees what it gets.
  virtual UINT ExtractIcons(const std::string& file, int index, HICON* largeIcon, HICON* smallIcon) = 0;
};

class TIconFactory {
 public:
  TIconFactory() = default;
  virtual ~TIconFactory() = default;
  TIconFactory(const TIconFactory&) = delete;
  TIconFactory& operator=(const TIconFactory&) = delete;

  // Index in the shell's system image list of that size; -1 when the shell has none.
  int GetSmallIconIndex(const std::string& path);
  int GetLargeIconIndex(const std::string& path);
  HIMAGELIST GetSystemImageList(bool smallSize);
  // The icon of a path; iconIndex above 0 picks that (1-based) icon of an icon
  // file. The caller frees the icon. Null when there is none.
  HICON GetLargeIcon(const std::string& path, int iconIndex);
  HICON GetSmallIcon(const std::string& path, int iconIndex);

  virtual std::string NormalizePath(const std::string& path);

  // Lets a client rewrite every path before it is looked up.
  std::function<void(TIconFactory* sender, std::string& path)> OnGetPath;

  // Null puts the shell back.
  void SetSource(TIconSource* source) { source_ = source; }

 private:
  TIconSource& Source();
  int GetIconIndex(const std::string& path, bool smallSize);
  HICON GetIcon(const std::string& path, int iconIndex, bool smallSize);

  TIconSource* source_ = nullptr;
};

// Enters the factory lock (creating the factory on first use).
TIconFactory& AcquireIconFactory();
void ReleaseIconFactory();

class TIconFactoryHold {
 public:
  TIconFactoryHold() : factory_(AcquireIconFactory()) {}
  ~TIconFactoryHold() { ReleaseIconFactory(); }
  TIconFactoryHold(const TIconFactoryHold&) = delete;
  TIconFactoryHold& operator=(const TIconFactoryHold&) = delete;
  TIconFactory* operator->() const { return &factory_; }
  TIconFactory& operator*() const { return factory_; }

 private:
  TIconFactory& factory_;
};

// True for an existing file whose extension is ".exe", ".dll", ".cpl" or ".icl".
bool IsIconFile(const std::string& path);
