#include "editor/ShortcutPage.h"

#include <windows.h>
#include <shlobj.h>

#include "core/Sjis.h"
#include "editor/HotKey_Edit.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Label.h"

namespace {

constexpr TShortcutKind kKinds[] = {
    {"StartUp", "ShortcutStartUp", "スタートアップに登録(&U)", CSIDL_STARTUP, CSIDL_STARTUP, "quorvane.lnk", false},
    {"SendTo", "ShortcutSendTo", "「送る」から登録できるようにする(推奨)(&N)", CSIDL_SENDTO, CSIDL_SENDTO,
     "quorvaneに登録.lnk", false},
    // Reading and writing name the same folder by two ids.
    {"DeskTop", "ShortcutDeskTop", "デスクトップに登録(&D)", CSIDL_DESKTOPDIRECTORY, CSIDL_DESKTOP, "quorvane.lnk",
     false},
    {"StartMenu", "ShortcutStartMenu", "スタートメニューに登録(&M)", CSIDL_PROGRAMS, CSIDL_PROGRAMS, "quorvane.lnk",
     true},
};

const ui::TLayoutRow kRows[] = {
    {ui::Kind<ui::TCheckBox>, kKinds[0].Box, kShortcutPage, kKinds[0].Caption, 12, 10, 372, 17, WS_TABSTOP},
    {ui::Kind<ui::TCheckBox>, kKinds[1].Box, kShortcutPage, kKinds[1].Caption, 12, 34,
     372, 17, WS_TABSTOP},
    {ui::Kind<ui::TCheckBox>, kKinds[2].Box, kShortcutPage, kKinds[2].Caption, 12, 58, 372, 17, WS_TABSTOP},
    {ui::Kind<ui::TCheckBox>, kKinds[3].Box, kShortcutPage, kKinds[3].Caption, 12, 82, 372, 17,
     WS_TABSTOP},
    {ui::Kind<ui::TLabel>, "ShortcutHotKeyLabel", kShortcutPage, "起動用ホットキー(&H)", 30, 108, 200, 14},
    {ui::Kind<THotKeyEdit>, kShortcutHotKeyBox, kShortcutPage, "", 30, 126, 200, 21, WS_TABSTOP},
    {ui::Kind<ui::TLabel>, "ShortcutHotKeyNote", kShortcutPage, "※システムのショートカットとかぶらないよう注意してください",
     30, 152, 360, 14},
    {ui::Kind<ui::TLabel>, "ShortcutRestartNote", kShortcutPage, "※再起動するまで反映されないことがあります", 12, 180,
     372, 14},
    {ui::Kind<ui::TLabel>, "ShortcutUncheckNote", kShortcutPage,
     "※チェックをはずすと作成されたショートカットは削除されます", 12, 198, 372, 14},
    {ui::Kind<ui::TButton>, kDeleteShortcutsButton, kShortcutPage, "作成したショートカットをすべて削除(&X)", 12, 226,
     260, 25, WS_TABSTOP},
    {ui::Kind<ui::TLabel>, kPerUserNote, kShortcutPage, "※このページの設定は各ユーザーごとに行ってください。", 12, 266,
     372, 14},
};

}  // namespace

std::span<const TShortcutKind> ShortcutKinds() { return kKinds; }

const TShortcutKind* FindShortcutKind(std::string_view kind) {
  for (const TShortcutKind& k : kKinds)
    if (kind == k.Kind) return &k;
  return nullptr;
}

std::span<const ui::TLayoutRow> ShortcutPageLayout() { return kRows; }

std::vector<TStartMenuLink> StartMenuLinks(const std::string& mainFolder) {
  return {
      {"quorvane.lnk", mainFolder + "quorvane.exe"},
      {"キーワードマネージャ.lnk", mainFolder + "Files\\QVEditor.exe"},
      {"更新履歴.lnk", mainFolder + "更新履歴.txt"},
      {"サポートページ.lnk", mainFolder + "サポートページ.url"},
      {"ヘルプ.lnk", mainFolder + "ヘルプ.chm"},
  };
}

std::string ProfilesFolderOf(std::string_view userFolder, std::string_view loginName) {
  if (loginName.empty()) return std::string();
  const std::string part = "\\" + std::string(loginName) + "\\";
  const size_t at = sjis::FindIgnoreCase(userFolder, part);
  return at == std::string_view::npos ? std::string() : std::string(userFolder.substr(0, at));
}

std::string ProfileFolderOf(std::string_view userFolder, std::string_view loginName, std::string_view profile) {
  return sjis::ReplaceAll(userFolder, "\\" + std::string(loginName) + "\\", "\\" + std::string(profile) + "\\", true);
}

std::string DeleteAllShortcutsQuestion() {
  return "すべてのユーザのquorvaneへのショートカットを削除します。\r\nよろしいですか?\r\n\r\n※この変更は今すぐ反映されます";
}
