// The settings window's data: what a spin box stores, the mode presets, help
// files of page paths and the rows' reads and writes (host and Windows).
#include "editor/SettingPages.h"

#include <gtest/gtest.h>

namespace {

struct SpinCase {
  const char* name;
  int min, max;
  const char* text;
  int stored;
};

TEST(SettingSpinRow, StoresTheTypedNumberHeldToTheRowsRange) {
  TSettingRow bounded = *FindSettingRow("DefaultPriority");  // 0..1000
  ASSERT_EQ(bounded.Min, 0);
  ASSERT_EQ(bounded.Max, 1000);
  const SpinCase cases[] = {
      {"within", 0, 1000, "12", 12},
      {"above the top", 0, 1000, "5000", 1000},
      {"below the bottom", 0, 1000, "-3", 0},
      {"no number", 0, 1000, "abc", 0},
      {"empty", 0, 1000, "", 0},
      {"no number where the range starts at 1", 1, 300, "x", 1},
      {"zero where the range starts at 1", 1, 300, "0", 1},
      {"no bounds keep what was typed", INT_MIN, INT_MAX, "123456789", 123456789},
      {"no bounds, negative", INT_MIN, INT_MAX, "-42", -42},
  };
  for (const SpinCase& c : cases) {
    TSettingRow row = bounded;
    row.Min = c.min;
    row.Max = c.max;
    EXPECT_EQ(SpinStoredValue(row, c.text), c.stored) << c.name;
  }
}

TEST(SettingModePreset, TheTwoFixedModesSetTheirTenOptionsAndCustomKeepsThem) {
  struct Case {
    int mode;
    bool endWhenHide, UseTaskTray, ForceFocus;
  };
  for (Case c : {Case{0, false, true, false}, Case{1, true, false, true}}) {
    TZMRTData s("C:\\nowhere");
    s.hideWhenStart = s.HideWhenSysRun = s.hideWhenDeActivate = s.hideWhenEditting = s.HideTaskIcon = true;
    s.HideWhenRun = s.HideWhenSetting = false;
    s.MouseFocus = true;
    ApplyModePreset(s, c.mode);
    EXPECT_FALSE(s.hideWhenStart || s.HideWhenSysRun || s.hideWhenDeActivate || s.hideWhenEditting || s.HideTaskIcon)
        << c.mode;
    EXPECT_TRUE(s.HideWhenRun && s.HideWhenSetting) << c.mode;
    EXPECT_EQ(s.endWhenHide, c.endWhenHide) << c.mode;
    EXPECT_EQ(s.UseTaskTray, c.UseTaskTray) << c.mode;
    EXPECT_EQ(s.ForceFocus, c.ForceFocus) << c.mode;
    EXPECT_TRUE(s.MouseFocus) << "not one of the ten";
  }
  TZMRTData s("C:\\nowhere");
  s.hideWhenStart = true;
  s.endWhenHide = true;
  ApplyModePreset(s, kCustomMode);
  EXPECT_TRUE(s.hideWhenStart && s.endWhenHide);
}

TEST(SettingHelpFile, CaptionsBecomeTheirHelpNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"入力/候補リスト/カスタマイズ", "Files\\doc\\setting\\input\\list\\custmize.html"},
      {"実行/タイマー", "Files\\doc\\setting\\run\\タイマー.html"},
      {"基本", "Files\\doc\\setting\\basic.html"},
      {"基本/呼び出しキー", "Files\\doc\\setting\\basic\\call_key.html"},
      {"表示/半透明化", "Files\\doc\\setting\\display\\transparent.html"},
  };
  for (auto [path, file] : cases) EXPECT_EQ(HelpFileOfPath(path), file) << path;
}

TEST(SettingPageTree, NineteenHelpNamesAndTheConditionalNodes) {
  int named = 0;
  for (const TPageNode& n : PageNodes()) named += n.HelpName ? 1 : 0;
  EXPECT_EQ(named, 19);
  EXPECT_EQ(PageNodes().size(), 20u);
  const TPageNode& setting = *FindPageNode("動作設定");
  EXPECT_FALSE(PageNodeShown(setting, {.Mode = 0}));
  EXPECT_TRUE(PageNodeShown(setting, {.Mode = 2}));
  EXPECT_FALSE(PageNodeShown(*FindPageNode("半透明化"), {.NT5 = false}));
}

TEST(SettingRowStores, EachRowReadsAndWritesOnlyItsKey) {
  TZMRTData s("C:\\nowhere");
  TStringIni run, dialogs;
  TSettingStores stores{s, run, dialogs};
  const TSettingRow& priority = *FindSettingRow("DefaultPriority");
  EXPECT_EQ(ReadRowValue(priority, stores), 1) << "its default";
  WriteRowValue(priority, 7, stores);
  EXPECT_EQ(dialogs.Lines.GetText(), "DefaultPriority=7\r\n");
  EXPECT_EQ(run.Lines.GetText(), "");
  EXPECT_EQ(ReadRowValue(*FindSettingRow("ShowDialogWhenRegist"), stores), 1);
  const TSettingRow& sysRun = *FindSettingRow("HideWhenSysRun");
  WriteRowValue(sysRun, 1, stores);
  EXPECT_TRUE(s.HideWhenSysRun);
  EXPECT_EQ(sysRun.Rule, TSettingRule::EnabledWhile);
  EXPECT_STREQ(sysRun.Other, "HideWhenRun");
  WriteRowValue(*FindSettingRow("Mode"), 2, stores);
  EXPECT_EQ(s.Mode, 2);
  EXPECT_EQ(RadioItems(*FindSettingRow("Mode")), (std::vector<std::string>{"常駐モード", "非常駐モード", "カスタム"}));
}

}  // namespace

TEST(SettingCandidateRows, ListOrderNamesEachSourceOnceAndTheOthersFollowInNumberOrder) {
  struct Case {
    const char* order;
    const char* checked;
    const char* rows;     // the sources in row order
    const char* stored;   // CheckedLists of those rows
  };
  const Case cases[] = {
      {"203451", "111111", "203451", "111111"},  // the defaults
      {"5", "0", "501234", "011111"},            // one named, unchecked
      {"2233", "1111", "230145", "111111"},      // a digit twice: its first place only
      {"ab", "10", "012345", "101111"},          // two non-digits: both are 0
      {"9", "", "012345", "111111"},             // no such source
      {"01234599", "111111", "012345", "111111"},
  };
  for (const Case& c : cases) {
    const auto rows = CandidateRows(c.order, c.checked);
    EXPECT_EQ(ListOrderOf(rows), c.rows) << c.order;
    EXPECT_EQ(CheckedListsOf(rows), c.stored) << c.order;
  }
  EXPECT_STREQ(CandidateSourceName(4), "ドライブリスト(A:\\,C:\\,E:\\,...)");
}

TEST(SettingFontSize, TheWholePartOfANumberOrNine) {
  const std::pair<const char*, int> cases[] = {{"12", 12}, {"10.5", 10}, {"", 9}, {"abc", 9}, {"10.", 9},
                                               {"1x", 9},  {"78", 78},   {"0", 0}};
  for (auto [text, size] : cases) EXPECT_EQ(FontSizeOfText(text), size) << text;
}

namespace {

TEST(SettingColours, EachStatesDefaultsAsStoredNumbers) {
  constexpr int face = -2147483633, text = -2147483640, window = -2147483643, caption = -2147483646,
                captionText = -2147483639;
  const int expected[4][kColourKeyCount] = {{face, text, window, text},
                                            {face, 255, window, 255},
                                            {caption, captionText, window, text},
                                            {face, 255, window, 255}};
  for (int state = 0; state < kColourStateCount; ++state)
    for (int key = 0; key < kColourKeyCount; ++key)
      EXPECT_EQ(DefaultColourValue(key, state), expected[state][key]) << "state " << state << " key " << key;
}

TEST(SettingColours, AnEntryIsSetAtItsStateAndAShortListIsPadded) {
  struct Case {
    const char* list;
    int state, value;
    const char* result;
  } cases[] = {
      {"\"1\",\"2\",\"3\",\"4\"", 1, 255, "\"1\",\"255\",\"3\",\"4\""},
      {"\"1\"", 3, -2147483633, "\"1\",\"\",\"\",\"-2147483633\""},
      {"", 0, 7, "\"7\""},
  };
  for (const Case& c : cases) EXPECT_EQ(WithColourEntry(c.list, c.state, c.value), c.result) << c.list;
  EXPECT_EQ(ColourValue(ColourEntry("\"1\",\"\"", 1), ckComment), -2147483640) << "empty: window text";
  EXPECT_EQ(ColourValue(ColourEntry("\"1\"", 3), ckBack), -2147483633) << "missing: button face";
}

TEST(SettingPreview, GeometryBySizeIconAndFrame) {
  struct Case {
    const char* name;
    bool small, icon;
    int border;
    // frame, inner height, icon size, icon left, icon top, input left, top, width, label shown, label height
    int frame, innerHeight, iconSize, iconLeft, iconTop, inputLeft, inputTop, inputWidth;
    bool label;
    int labelHeight;
  } cases[] = {
      {"normal, icon, raised", false, true, 0, 1, 46, 32, 2, 7, 36, 23, 300 - 2 - 36 - 2, true, 22},
      {"normal, icon, thick", false, true, 1, 2, 46, 32, 2, 7, 36, 23, 300 - 4 - 36 - 2, true, 22},
      {"normal, no icon, flat", false, false, 2, 1, 46, 0, 0, 23, 0, 23, 300 - 2 - 2, true, 22},
      {"normal, no icon, none", false, false, 3, 0, 46, 0, 0, 23, 0, 23, 300 - 2, true, 22},
      {"small, icon, raised", true, true, 0, 1, 21, 16, 1, 2, 18, 0, 300 - 2 - 18 - 5, false, 0},
      {"small, no icon, thick", true, false, 1, 2, 21, 0, 0, 10, 0, 0, 300 - 4 - 5, false, 0},
  };
  for (const Case& c : cases) {
    const TPreviewGeometry g = PreviewGeometry(c.small, c.icon, c.border, 300, 21);
    EXPECT_EQ(g.Frame, c.frame) << c.name;
    EXPECT_EQ(g.InnerHeight, c.innerHeight) << c.name;
    EXPECT_EQ(g.Height, c.innerHeight + 2 * c.frame) << c.name;
    EXPECT_EQ(g.IconSize, c.iconSize) << c.name;
    EXPECT_EQ(g.IconLeft, c.iconLeft) << c.name;
    EXPECT_EQ(g.IconTop, c.iconTop) << c.name;
    EXPECT_EQ(g.InputLeft, c.inputLeft) << c.name;
    EXPECT_EQ(g.InputTop, c.inputTop) << c.name;
    EXPECT_EQ(g.InputWidth, c.inputWidth) << c.name;
    EXPECT_EQ(g.LabelVisible, c.label) << c.name;
    EXPECT_EQ(g.LabelHeight, c.labelHeight) << c.name;
  }
  EXPECT_EQ(PreviewGeometry(true, true, 0, 300, 10).InnerHeight, 16) << "at least 16";
  EXPECT_EQ(PreviewGeometry(false, true, 0, 300, 10).InnerHeight, 36) << "at least 36";
}

}  // namespace
