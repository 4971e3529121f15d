// The settings window's shell shortcut page: its set-up from the links
// present, its pending changes, the links Apply writes and deletes, and the
// button that deletes the launcher's links in every profile.
#include <windows.h>
#include <shlobj.h>

#include "core/FileIO.h"
#include "core/ForEachFile.h"
#include "core/HotKeyUtils.h"
#include "core/Sjis.h"
#include "editor/HotKey_Edit.h"
#include "editor/USettingForm.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"

namespace {

constexpr char kLauncherLink[] = "quorvane.lnk";

// Each start-menu link's file name; the launcher's link is what marks the folder as ours.
void DeleteLinks(const std::string& folder, const std::vector<TStartMenuLink>& links) {
  for (const TStartMenuLink& l : links)
    if (fileio::FileExists(folder + l.LinkFile)) fileio::DeleteFileAt(folder + l.LinkFile);
  RemoveDirectoryA(sjis::ExcludeTrailingPathDelimiter(folder).c_str());  // stays when not empty or in use
}

}  // namespace

std::string ShellSpecialFolderPath(HWND owner, int folderId) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, folderId, &list)) || !list) return std::string();
  char path[MAX_PATH] = {};
  const BOOL ok = SHGetPathFromIDListA(list, path);
  CoTaskMemFree(list);
  return ok ? std::string(path) : std::string();
}

std::string TRZSettingMain::GetSpecialFolder(int folderId) {
  std::string path = services_.SpecialFolderPath(Handle(), folderId);
  if (path.size() >= MAX_PATH) path.resize(MAX_PATH - 1);
  // No folder gives no path at all, so that no link lands in the current folder.
  return path.empty() ? path : sjis::IncludeTrailingPathDelimiter(path);
}

bool TRZSettingMain::CreateShortCut(const std::string& linkFile, const std::string& target,
                                    const std::string& hotKeyText, const std::string& folder) {
  std::optional<WORD> hotKey;
  if (const WORD word = TextToHotKeyWord(hotKeyText)) hotKey = word;
  else if (sjis::EqualsIgnoreCase(hotKeyText, kNoHotKeyText)) hotKey = 0;
  return WriteShellLink(linkFile, target, folder, hotKey);
}

WORD TRZSettingMain::GetShortCutHotKey(const std::string& linkFile) {
  return ReadShellLinkHotKey(linkFile, Handle(), services_.ResolveLink);
}

bool TRZSettingMain::FirstRun() const { return params_.Count() > 1 && sjis::EqualsIgnoreCase(params_[1], "/new"); }

void TRZSettingMain::BuildShortcutPage() {
  BuildLayout(ShortcutPageLayout());
  auto& hotKey = Control<THotKeyEdit>(kShortcutHotKeyBox);
  hotKey.SetKind(kHotKeyKindShellLink);
  Control<ui::TLabel>("ShortcutHotKeyLabel").SetFocusControl(hotKey.Handle());
  hotKey.OnChange = [this] { CheckBox14Click("StartMenu"); };
  ui::TToolTipParams tips;
  tips.Owner = Handle();
  shortcutHints_.Create(tips);
  shortcutHints_.AddTool(hotKey.Handle(), std::string("修飾キーのみで「なし」"));
  for (const TShortcutKind& k : ShortcutKinds())
    Control<ui::TCheckBox>(k.Box).OnClick = [this, &k] { CheckBox14Click(k.Kind); };
  Control<ui::TButton>(kDeleteShortcutsButton).OnClick = [this] { Button12Click(); };
  Control(kPerUserNote).Hide();
}

void TRZSettingMain::ShowPerUserNote() {
  ui::TWindow& note = Control(kPerUserNote);
  if (services_.NT() && shared_) note.Show();
  else note.Hide();
}

void TRZSettingMain::SetUpShortcutPage() {
  const std::string programs = GetSpecialFolder(CSIDL_PROGRAMS);
  const std::string startLink = programs.empty() ? programs : programs + kStartMenuFolder + kLauncherLink;
  auto& hotKey = Control<THotKeyEdit>(kShortcutHotKeyBox);
  auto& startMenu = Control<ui::TCheckBox>("ShortcutStartMenu");
  {
    ++filling_;  // the boxes show the files; no change of the user's
    for (const TShortcutKind& k : ShortcutKinds()) {
      const std::string folder = GetSpecialFolder(k.ReadFolder);
      const std::string link = folder + (k.StartMenu ? kStartMenuFolder : "") + k.LinkFile;
      Control<ui::TCheckBox>(k.Box).SetChecked(!folder.empty() && fileio::FileExists(link));
    }
    const WORD word = fileio::FileExists(startLink) ? GetShortCutHotKey(startLink) : 0;
    hotKey.SetText(HotKeyWordToText(word));
    if (FirstRun()) {
      startMenu.SetChecked(true);
      Control<ui::TCheckBox>("ShortcutSendTo").SetChecked(true);
      if (hotKey.Text().empty() || hotKey.Text() == kNoHotKeyText) hotKey.SetText("Ctrl+Space");
      settings_->Exe_S = hotKey.Text();
    }
    --filling_;
  }
  hotKey.SetEnabled(startMenu.Checked());

  const int pending = pendingChanges_.IndexOf(kShortcutPage);
  if (sjis::EqualsIgnoreCase(dialogs_->ReadString("TargetPath", ""), mainFolder_)) {
    if (pending >= 0) pendingChanges_.Delete(pending);
  } else {
    // Links of another installation folder: Apply writes every kind again.
    if (pending < 0) pendingChanges_.Add(kShortcutPage);
    EnableApply();
  }
  ShowPerUserNote();
}

void TRZSettingMain::CheckBox14Click(const char* kind) {
  if (closed_) return;
  Control(kShortcutHotKeyBox).SetEnabled(Control<ui::TCheckBox>("ShortcutStartMenu").Checked());
  if (filling_) return;
  EnableApply();
  if (initialisedPages_.IndexOf(kShortcutPage) < 0) return;
  for (const char* entry : {kind, static_cast<const char*>(kShortcutPage)})
    if (pendingChanges_.IndexOf(entry) < 0) pendingChanges_.Add(entry);
}

void TRZSettingMain::WriteShortcutKind(const TShortcutKind& kind, bool checked) {
  const std::string launcher = mainFolder_ + "quorvane.exe";
  if (!kind.StartMenu) {
    const std::string folder = GetSpecialFolder(checked ? kind.WriteFolder : kind.ReadFolder);
    if (folder.empty()) return;
    if (checked) CreateShortCut(folder + kind.LinkFile, launcher, "", mainFolder_);
    else if (fileio::FileExists(folder + kind.LinkFile)) fileio::DeleteFileAt(folder + kind.LinkFile);
    return;
  }
  const std::string programs = GetSpecialFolder(kind.WriteFolder);
  if (programs.empty()) return;
  const std::string folder = programs + kStartMenuFolder;
  const std::vector<TStartMenuLink> links = StartMenuLinks(mainFolder_);
  if (!checked) {
    if (fileio::DirectoryExists(folder)) DeleteLinks(folder, links);
    return;
  }
  if (!fileio::DirectoryExists(folder)) {
    fileio::ForceDirectories(folder);
    const std::string shown = sjis::ExcludeTrailingPathDelimiter(folder);
    SHELLEXECUTEINFOA start = {};
    start.cbSize = sizeof start;
    start.hwnd = Handle();
    start.lpFile = shown.c_str();
    start.nShow = SW_SHOWNORMAL;
    services_.Shell->Start(start);
  }
  const std::string hotKey = Control<THotKeyEdit>(kShortcutHotKeyBox).Text();
  for (const TStartMenuLink& l : links)
    CreateShortCut(folder + l.LinkFile, l.Target, &l == &links.front() ? hotKey : std::string(), mainFolder_);
}

void TRZSettingMain::WriteShortcutFiles() {
  settings_->Exe_S.clear();
  const bool moved = dialogs_->ReadString("TargetPath", "") != mainFolder_;
  for (const TShortcutKind& k : ShortcutKinds())
    if (moved || pendingChanges_.IndexOf(k.Kind) >= 0) WriteShortcutKind(k, Control<ui::TCheckBox>(k.Box).Checked());
  const std::string programs = GetSpecialFolder(CSIDL_PROGRAMS);
  if (!programs.empty() && fileio::FileExists(programs + kStartMenuFolder + kLauncherLink))
    settings_->Exe_S = Control<THotKeyEdit>(kShortcutHotKeyBox).Text();
}

void TRZSettingMain::DeleteStartMenuFolder(const std::string& folder) { DeleteLinks(folder, StartMenuLinks(mainFolder_)); }

void TRZSettingMain::Button12Click() {
  if (ui::ShowMessageBox(Handle(), DeleteAllShortcutsQuestion(), kMessageCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  EnableApply();
  const std::string login = services_.LoginName();
  const bool nt = services_.NT();
  for (const TShortcutKind& k : ShortcutKinds()) {
    const std::string own = GetSpecialFolder(k.ReadFolder);
    if (own.empty()) continue;
    // own: the user's folder, whose start-menu folder goes when it is there;
    // another profile's only when it holds the launcher's link.
    auto deleteIn = [&](const std::string& folder, bool ownFolder) {
      if (!k.StartMenu) {
        if (fileio::FileExists(folder + k.LinkFile)) fileio::DeleteFileAt(folder + k.LinkFile);
        return;
      }
      const std::string menu = folder + kStartMenuFolder;
      if (ownFolder ? fileio::DirectoryExists(menu) : fileio::FileExists(menu + kLauncherLink))
        DeleteStartMenuFolder(menu);
    };
    deleteIn(own, true);
    if (!nt) continue;
    const std::string profiles = ProfilesFolderOf(own, login);
    if (profiles.empty()) continue;
    core::ForEachFile(profiles + "\\*", [&](const WIN32_FIND_DATAA& found) {
      if (core::IsDirectory(found)) deleteIn(ProfileFolderOf(own, login, found.cFileName), false);
    });
  }
  const int at = initialisedPages_.IndexOf(kShortcutPage);
  if (at >= 0) initialisedPages_.Delete(at);
  PageControl1Change();
}
