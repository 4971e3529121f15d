// The settings window's shell shortcut page as data: the four kinds of link it
// keeps (start-up, SendTo, desktop and the start menu's own folder), the
// controls of the page, the links of the start-menu folder and how every
// user profile's copy of a folder is named. Nothing here touches a window;
// the page itself is part of the settings window (USettingForm_Shortcuts.cpp).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Layout.h"

inline constexpr char kShortcutPage[] = "ショートカット登録";
// The start-menu folder of the links below the start menu's programs folder.
inline constexpr char kStartMenuFolder[] = "quorvane\\";
inline constexpr char kShortcutHotKeyBox[] = "ShortcutHotKey";
inline constexpr char kDeleteShortcutsButton[] = "Button12";
inline constexpr char kPerUserNote[] = "ShortcutPerUserNote";

struct TShortcutKind {
  const char* Kind;     // also its entry among the pending changes
  const char* Box;      // the check box's name
  const char* Caption;  // the check box's text
  int ReadFolder;       // the shell folder ids the link lives in
  int WriteFolder;
  const char* LinkFile;  // the launcher's link; for the start menu below kStartMenuFolder
  bool StartMenu;
};

// StartUp, SendTo, DeskTop, StartMenu: the order Apply and delete-all go in.
std::span<const TShortcutKind> ShortcutKinds();
const TShortcutKind* FindShortcutKind(std::string_view kind);

// The page's controls.
std::span<const ui::TLayoutRow> ShortcutPageLayout();

struct TStartMenuLink {
  std::string LinkFile;
  std::string Target;
};
// The five links of the start-menu folder; the launcher's first.
std::vector<TStartMenuLink> StartMenuLinks(const std::string& mainFolder);

// The folder that holds every user's profile: the user's own folder cut before
// the first "\" + login name + "\"; empty when the name is not in the path.
std::string ProfilesFolderOf(std::string_view userFolder, std::string_view loginName);
// The same folder in the profile named profile: every "\" + login name + "\"
// of the user's own folder (without regard to case) becomes "\" + profile + "\".
std::string ProfileFolderOf(std::string_view userFolder, std::string_view loginName, std::string_view profile);

// The question before every user's links are deleted.
std::string DeleteAllShortcutsQuestion();
