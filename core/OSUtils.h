// Platform flags and small operating-system services shared by both programs.
// The flag rules and version-string formatting are pure (OSUtils.cpp); the
// system calls live in OSUtils_win.cpp, with a host stand-in for host builds.
#pragma once

#include <string>
#include <string_view>

// The system's own version numbers (not the compatibility ones).
struct TOSVersion {
  unsigned platformId = 2;  // 0 Win32s, 1 the Windows 95 family, 2 NT
  unsigned major = 0, minor = 0, build = 0;
};
TOSVersion SystemVersion();

struct TPlatformFlags {
  bool nt = false, winXP = false, win2000 = false, win95 = false;
};
TPlatformFlags PlatformFlagsFor(const TOSVersion& v);

// Set once, on first use, from SystemVersion().
bool IsNT();
bool IsWinXP();    // NT 5.1 or later (Windows XP and every later version)
bool IsWin2000();  // NT 5.0
bool IsWin95();    // the Windows 95 family with minor version 0

// "a.b.c.d" as the version window shows it: '1.5.0.312' gives '1.5a3',
// '2.0.4.1500' '2.0r15', '1.2.2.100' '1.2rc1', '1.2.3.500' '1.2'.
std::string FormatVersionString(std::string_view version);

// The user name the system reports; "All Users" when it cannot, or on Windows 95.
std::string GetLoginUserName();

#ifdef _WIN32
struct HWND__;
struct HICON__;

// Brings the window to the front and makes it the foreground window, borrowing
// the foreground thread's input state when the window belongs to another thread.
void ForceForegroundWindow(HWND__* window);
// One silent shell copy (no confirmations, folders created as needed); true when
// the shell reports success and nothing was aborted.
bool ShellCopyFiles(HWND__* owner, const std::string& source, const std::string& destination);
// A string of the file's version resource (language and code page from its
// first translation); empty when there is none.
std::string GetVersionInfoString(const std::string& fileName, const std::string& name);
// The icon for a path, a web or mail address, or a program's icon number
// index; small or large. Null when none is found. The caller destroys it.
HICON__* GetFileIcon(const std::string& path, int index, bool small);
#endif
