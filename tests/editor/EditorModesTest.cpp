#include "editor/EditorModes.h"

#include <gtest/gtest.h>

#include "core/StringList.h"

namespace {

using V = std::vector<std::string>;

TEST(EditorModes, FirstParameterChoosesTheModeIgnoringCase) {
  const struct {
    V params;
    TEditorMode mode;
  } cases[] = {
      {{}, TEditorMode::Manager},
      {{"/version"}, TEditorMode::Version},
      {{"/VERSION"}, TEditorMode::Version},
      {{"/Setting", "/new"}, TEditorMode::Setting},
      {{"/settings"}, TEditorMode::Manager},
      {{"Action=Edit", "/setting"}, TEditorMode::Manager},
      {{"/Debug", "/version"}, TEditorMode::Manager},
  };
  for (const auto& c : cases) EXPECT_EQ(EditorModeOf(TStringList(c.params)).Mode, c.mode) << testing::PrintToString(c.params);
}

TEST(EditorModes, EachModeHasItsMutexClassAndTitle) {
  const TEditorModeInfo& version = EditorModeOf(TStringList(V{"/version"}));
  EXPECT_STREQ(version.MutexName, "RZVERSIONMADEBYPELLMAR20020519");
  EXPECT_STREQ(version.WindowClass, "TQVVersionDialog");
  EXPECT_STREQ(version.Title, "バージョン情報");
  const TEditorModeInfo& setting = EditorModeOf(TStringList(V{"/setting"}));
  EXPECT_STREQ(setting.MutexName, "RZSETTINGMADEBYPELLMAR20020127");
  EXPECT_STREQ(setting.WindowClass, "TRZSettingMain");
  EXPECT_STREQ(setting.Title, "quorvaneの設定");
  const TEditorModeInfo& manager = EditorModeOf(TStringList());
  EXPECT_STREQ(manager.MutexName, "RZEDITORMADEBYPELLMAR20020122");
  EXPECT_STREQ(manager.WindowClass, "TRZEditorMain");
  EXPECT_STREQ(manager.Title, "キーワードの編集");
}

TEST(EditorModes, HandOverTextByMode) {
  const struct {
    TEditorMode mode;
    V params;
    std::string bytes;
  } cases[] = {
      {TEditorMode::Setting, {"/setting", "/SelectedNode=入力/履歴"}, std::string("/SelectedNode=入力/履歴\0", 24)},
      {TEditorMode::Setting, {"/setting"}, std::string("\0", 1)},
      {TEditorMode::Manager, {"Action=Edit", "Keyword=a/b"}, std::string("Action=Edit\r\nKeyword=a/b\0", 25)},
      {TEditorMode::Manager, {}, std::string("\0", 1)},
      {TEditorMode::Version, {"/version", "x"}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(EditorHandOverText(c.mode, TStringList(c.params)), c.bytes) << c.bytes;
  EXPECT_EQ(EditorHandOverDataWord(TEditorMode::Version), 0u);
  EXPECT_EQ(EditorHandOverDataWord(TEditorMode::Setting), 1u);
  EXPECT_EQ(EditorHandOverDataWord(TEditorMode::Manager), 1u);
}

TEST(EditorModes, ParamLogAlignsLaterParametersUnderTheFirst) {
  EXPECT_EQ(EditorParamLogText(TStringList(V{"/setting", "/new"})),
            " Param : 1: /setting\r\n         2: /new\r\n\r\n\r\n");
  EXPECT_EQ(EditorParamLogText(TStringList()), " Param : \r\n\r\n\r\n");
}

}  // namespace
