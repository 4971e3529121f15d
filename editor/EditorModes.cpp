#include "editor/EditorModes.h"

#include "core/Params.h"
#include "core/Sjis.h"
#include "core/StringList.h"

namespace {

const TEditorModeInfo kVersion = {TEditorMode::Version, "RZVERSIONMADEBYPELLMAR20020519", "TQVVersionDialog",
                                  "バージョン情報"};
const TEditorModeInfo kSetting = {TEditorMode::Setting, "RZSETTINGMADEBYPELLMAR20020127", "TRZSettingMain",
                                  "quorvaneの設定"};
// The manager's title changes to kManagerWindowTitle once its window opens.
const TEditorModeInfo kManager = {TEditorMode::Manager, "RZEDITORMADEBYPELLMAR20020122", "TRZEditorMain",
                                  "キーワードの編集"};

}  // namespace

const TEditorModeInfo& EditorModeOf(const TStringList& params) {
  if (params.Empty()) return kManager;
  if (sjis::EqualsIgnoreCase(params[0], "/version")) return kVersion;
  if (sjis::EqualsIgnoreCase(params[0], "/setting")) return kSetting;
  return kManager;
}

std::string EditorHandOverText(TEditorMode mode, const TStringList& params) {
  switch (mode) {
    case TEditorMode::Version:
      return {};
    case TEditorMode::Setting: {
      TStringList rest(params);
      if (!rest.Empty()) rest.Delete(0);
      return BuildHandOverText(rest);
    }
    case TEditorMode::Manager:
      break;
  }
  return BuildHandOverText(params);
}

unsigned EditorHandOverDataWord(TEditorMode mode) { return mode == TEditorMode::Version ? 0 : 1; }

std::string EditorParamLogText(const TStringList& params) {
  std::string text = " Param : ";
  for (int i = 0; i < params.Count(); ++i) {
    if (i > 0) text += "\r\n" + std::string(9, ' ');
    text += std::to_string(i + 1) + ": " + params[i];
  }
  return text + "\r\n\r\n\r\n";
}
