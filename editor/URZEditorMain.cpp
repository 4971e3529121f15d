#include "editor/URZEditorMain.h"

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"

namespace {

std::string WithBackslash(std::string folder) {
  if (!sjis::EndsWithChar(folder, '\\')) folder += '\\';
  return folder;
}

}  // namespace

void TEditorState::Load(const TFilePaths& paths) {
  UserDir = WithBackslash(paths.UserDir);
  ItemsDir = WithBackslash(paths.ItemsDir);
  MainDir = WithBackslash(paths.MainDir);

  Dialogs = TStringIni();
  if (fileio::FileExists(UserFile(kDialogsFileName))) Dialogs.LoadFromFile(UserFile(kDialogsFileName));

  HotKeyLines.Clear();
  std::string text;
  if (fileio::ReadWholeFile(UserFile(kHotKeyFileName), text)) HotKeyLines.SetText(text);

  WarningColor = kDefaultWarningColor;
  if (fileio::FileExists(UserFile(kSettingsFileName))) {
    TStringIni settings;
    settings.LoadFromFile(UserFile(kSettingsFileName));
    WarningColor = GetCommaInt(settings.ReadString("Comment_C", ""), kDefaultWarningColor, 1);
  }
}

void TEditorState::SaveDialogs() const { Dialogs.SaveToFile(UserFile(kDialogsFileName)); }

TEditorState& EditorState() {
  static TEditorState state;
  return state;
}
