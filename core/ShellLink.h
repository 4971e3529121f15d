// Shell links (.lnk): one owner of the shell's IShellLinkA and IPersistFile for
// reading a link's target, working folder, arguments, icon and hotkey, and for
// writing a link. Win32 only.
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
  // The shell-link hotkey word; 0 when none.
  WORD HotKey() const;

  bool SetPath(const std::string& target);
  bool SetWorkingDirectory(const std::string& folder);
  bool SetHotKey(WORD word);
  // Writes the link to fileName, which becomes the link's current file.
  bool Save(const std::string& fileName);

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

// How a loaded link is resolved before its hotkey is read; the default never
// shows a search window and gives up after a second.
using TLinkResolver = bool (*)(TShellLink& link, HWND owner);
bool ResolveLinkWithoutUI(TShellLink& link, HWND owner);

// The hotkey word of any link that loads, whether resolving finds its target
// or not: a moved target must not lose the user's hotkey. 0 when the file is
// no link.
WORD ReadShellLinkHotKey(const std::string& linkFile, HWND owner, TLinkResolver resolve = ResolveLinkWithoutUI);

// Writes a link to target with its working folder; the hotkey word is set when
// given (0 clears it), left at the shell's default otherwise.
bool WriteShellLink(const std::string& linkFile, const std::string& target, const std::string& folder,
                    std::optional<WORD> hotKey);
