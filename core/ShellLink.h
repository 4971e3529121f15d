// Shell links (.lnk): one owner of the shell's IShellLinkA and IPersistFile for
// reading a link's target, working folder, arguments and icon. Win32 only.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "core/Handles.h"

class TShellLink {
 public:
  // Makes the shell's link object; COM is started on this thread for the
  // object's lifetime (and balanced again), so callers need no session of their own.
  TShellLink();
  ~TShellLink();
  TShellLink(const TShellLink&) = delete;
  TShellLink& operator=(const TShellLink&) = delete;

  bool Ready() const { return link_ && file_; }
  bool Load(const std::string& fileName);
  // Finds a moved target; owner is the window any search dialog belongs to.
  bool Resolve(HWND owner, DWORD flags);
  // Each empty when the link holds none (or nothing is loaded).
  std::string Path(DWORD flags) const;
  std::string WorkingDirectory() const;
  std::string Arguments() const;
  std::string IconLocation(int& index) const;

 private:
  HRESULT com_;
  core::TComPtr<IShellLinkA> link_;
  core::TComPtr<IPersistFile> file_;
};

// What a link leads to, when its target exists as a file or folder.
struct TShellLinkTarget {
  std::string Target;
  std::string Folder;
  std::string Arguments;
  std::string Icon;
  int IconIndex = 0;
};

// Loads the link, resolves it (any match, owner window), and reads its target
// path (UNC form preferred). Nothing when any step fails or the target is gone.
std::optional<TShellLinkTarget> ReadShellLinkTarget(const std::string& linkFile, HWND owner);
