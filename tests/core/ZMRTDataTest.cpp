#include "core/ZMRTData.h"

#include <gtest/gtest.h>

#include "core/FileIO.h"
#include "core/HotKey_Factory.h"
#include "tests/support/TempDir.h"

namespace {

TEST(ZMRTData, EmptyDataFolderGivesEveryDefault) {
  TempDir dir;
  TZMRTData d(dir / "Users");
  d.Load();
  struct B { const char* key; bool TZMRTData::*field; bool def; };
  const B bools[] = {
      {"HideCursor", &TZMRTData::HideCursor, true}, {"UpPriority", &TZMRTData::UpPriority, true},
      {"UpPriorityByRate", &TZMRTData::UpPriorityByRate, true}, {"HideWhenRun", &TZMRTData::HideWhenRun, true},
      {"HideWhenSetting", &TZMRTData::HideWhenSetting, true}, {"RunWhenShowPopup", &TZMRTData::RunWhenShowPopup, true},
      {"UseAutoComplete", &TZMRTData::UseAutoComplete, true}, {"SpaceAfterTab", &TZMRTData::SpaceAfterTab, true},
      {"UseList", &TZMRTData::UseList, true}, {"UseTaskTray", &TZMRTData::UseTaskTray, true},
      {"UseHistory", &TZMRTData::UseHistory, true}, {"AddSimpleHistory", &TZMRTData::AddSimpleHistory, true},
      {"ExtendWindow", &TZMRTData::ExtendWindow, true}, {"ExtendByComment", &TZMRTData::ExtendByComment, true},
      {"showicon", &TZMRTData::showicon, true}, {"showtop", &TZMRTData::showtop, true},
      {"RegistByEnter", &TZMRTData::RegistByEnter, true}, {"UseThread", &TZMRTData::UseThread, true},
      {"ListScroll", &TZMRTData::ListScroll, true},
      {"UpPriorityG", &TZMRTData::UpPriorityG, false}, {"hideWhenStart", &TZMRTData::hideWhenStart, false},
      {"hideWhenDeActivate", &TZMRTData::hideWhenDeActivate, false},
      {"hideWhenReActivate", &TZMRTData::hideWhenReActivate, false},
      {"hideWhenEditting", &TZMRTData::hideWhenEditting, false}, {"HideWhenSysRun", &TZMRTData::HideWhenSysRun, false},
      {"endWhenHide", &TZMRTData::endWhenHide, false}, {"EnableRomajiMatch", &TZMRTData::EnableRomajiMatch, false},
      {"EnablePriorityBlock", &TZMRTData::EnablePriorityBlock, false},
      {"EnableBackSpaceCancel", &TZMRTData::EnableBackSpaceCancel, false},
      {"RomajiMatchOnlyUpper", &TZMRTData::RomajiMatchOnlyUpper, false},
      {"UseKeywordInParam", &TZMRTData::UseKeywordInParam, false}, {"AutoDecision", &TZMRTData::AutoDecision, false},
      {"SortList", &TZMRTData::SortList, false}, {"InputFirstCandidate", &TZMRTData::InputFirstCandidate, false},
      {"HideTaskIcon", &TZMRTData::HideTaskIcon, false}, {"MouseFocus", &TZMRTData::MouseFocus, false},
      {"ForceFocus", &TZMRTData::ForceFocus, false}, {"OffIME", &TZMRTData::OffIME, false},
      {"small", &TZMRTData::Small, false}, {"LimitComplete", &TZMRTData::LimitComplete, false},
      {"LimitComplete_One", &TZMRTData::LimitComplete_One, false}, {"LimitExe", &TZMRTData::LimitExe, false},
      {"LimitExe_One", &TZMRTData::LimitExe_One, false}, {"AlwaysForce", &TZMRTData::AlwaysForce, false},
  };
  for (const auto& b : bools) EXPECT_EQ(d.*b.field, b.def) << b.key;
  struct I { const char* key; int TZMRTData::*field; int def; };
  const I ints[] = {
      {"UpPriorityCount", &TZMRTData::UpPriorityCount, 5}, {"MatchLevel", &TZMRTData::MatchLevel, 2},
      {"TabMode", &TZMRTData::TabMode, 0}, {"Mode", &TZMRTData::Mode, 0}, {"WindowLeft", &TZMRTData::WindowLeft, -1},
      {"WindowTop", &TZMRTData::WindowTop, -1}, {"WindowWidth", &TZMRTData::WindowWidth, 120},
      {"BorderStyle", &TZMRTData::BorderStyle, 0}, {"Priority", &TZMRTData::Priority, 3},
      {"WaitTimeForIcon", &TZMRTData::WaitTimeForIcon, 50}, {"TransParentMode", &TZMRTData::TransParentMode, 0},
      {"TransParentValue", &TZMRTData::TransParentValue, 200}, {"HistoryCount", &TZMRTData::HistoryCount, 100},
      {"CountToHistory", &TZMRTData::CountToHistory, 0}, {"ListSize", &TZMRTData::ListSize, 10},
      {"ListWidth", &TZMRTData::ListWidth, 0}, {"FontSize", &TZMRTData::FontSize, 9},
      {"HistoryMax", &TZMRTData::HistoryMax, 0}, {"MaxHP", &TZMRTData::MaxHP, 10},
      {"LimitComplete_time", &TZMRTData::LimitComplete_time, 500}, {"LimitExe_time", &TZMRTData::LimitExe_time, 800},
      {"version", &TZMRTData::version, 0},
  };
  for (const auto& i : ints) EXPECT_EQ(d.*i.field, i.def) << i.key;
  struct T { const char* key; std::string TZMRTData::*field; const char* def; };
  const T texts[] = {
      {"CD", &TZMRTData::CD, ""}, {"Exe_S", &TZMRTData::Exe_S, ""}, {"Font", &TZMRTData::Font, "ＭＳ ゴシック"},
      {"OtherCandidates", &TZMRTData::OtherCandidates, "http://\r\nmailto:"},
      {"ListOrder", &TZMRTData::ListOrder, "203451"}, {"CheckedLists", &TZMRTData::CheckedLists, "111111"},
      {"SpecialChars", &TZMRTData::SpecialChars, " \\/."}, {"CompleteChars", &TZMRTData::CompleteChars, ""},
      {"Back_C", &TZMRTData::Back_C, "\"-2147483633\",\"-2147483633\",\"-2147483646\",\"-2147483633\""},
      {"Comment_C", &TZMRTData::Comment_C, "\"-2147483640\",\"255\",\"-2147483639\",\"255\""},
      {"InputBack_C", &TZMRTData::InputBack_C, "\"-2147483643\",\"-2147483643\",\"-2147483643\",\"-2147483643\""},
      {"Input_C", &TZMRTData::Input_C, "\"-2147483640\",\"255\",\"-2147483640\",\"255\""},
  };
  for (const auto& t : texts) EXPECT_EQ(d.*t.field, t.def) << t.key;
  EXPECT_EQ(d.ExecutableFileList.Items(), std::vector<std::string>{".exe"});
  for (int i = 0; i < 2; ++i) {
    ASSERT_NE(d.GetHotKey(i), nullptr);
    EXPECT_EQ(d.GetHotKey(i)->GetClassId(), 1);
    EXPECT_EQ(d.GetHotKey(i)->GetHotKeyText(), "なし");
  }
  EXPECT_EQ(d.GetHotKey(2), nullptr);
  EXPECT_EQ(d.GetHotKey(-1), nullptr);
  EXPECT_EQ(d.HotKeyList.GetCount(), 0);
}

TEST(ZMRTData, FirstSaveCreatesTheFolderButNoHistory) {
  TempDir dir;
  std::string folder = dir / ("Users" + Sep() + "me");
  TZMRTData d(folder + Sep());
  EXPECT_EQ(d.DataFolder, folder);
  d.History.Add("notepad");
  d.Save();
  EXPECT_TRUE(fileio::DirectoryExists(folder));
  EXPECT_FALSE(fileio::FileExists(d.HistoryFile()));
  EXPECT_TRUE(fileio::FileExists(d.SettingsFile()));
  d.Save();
  EXPECT_EQ(ReadTextFile(d.HistoryFile()), "notepad\r\n");
}

TEST(ZMRTData, StoredValuesReadBackAndUnknownKeysSurvive) {
  TempDir dir;
  WriteTextFile(dir / "quorvane.ini",
                "TransParentValue=abc\r\nMatchLevel=1\r\nshowtop=0\r\nsmall=7\r\nMyOwnKey=kept\r\n"
                "OtherCandidates=http://\\nmailto:\\nftp://\r\nFont=ＭＳ\\sＰゴシック\r\n"
                "ExecutableFileList=.exe,.bat,.lnk\r\nCall_key=32\r\nCall_Mod=2\r\nCapture_key=67\r\nCapture_Mod=6\r\n");
  TZMRTData d(dir.path());
  d.Load();
  EXPECT_EQ(d.TransParentValue, 200);
  EXPECT_EQ(d.MatchLevel, 1);
  EXPECT_FALSE(d.showtop);
  EXPECT_TRUE(d.Small);
  EXPECT_EQ(d.OtherCandidates, "http://\r\nmailto:\r\nftp://");
  EXPECT_EQ(d.Font, "ＭＳ Ｐゴシック");
  EXPECT_EQ(d.ExecutableFileList.Items(), (std::vector<std::string>{".exe", ".bat", ".lnk"}));
  EXPECT_EQ(d.GetHotKey(0)->GetHotKeyText(), "Ctrl+Space");
  EXPECT_EQ(d.GetHotKey(1)->GetHotKeyText(), "Shift+Ctrl+C");

  d.WindowWidth = 333;
  d.CD = "C:\\作業 フォルダ";
  d.GetHotKey(0)->SetHotKeyText("Alt*2");
  d.Save();
  TStringIni back;
  back.LoadFromFile(d.SettingsFile());
  EXPECT_EQ(back.ReadString("MyOwnKey", ""), "kept");
  EXPECT_EQ(back.ReadInteger("WindowWidth", 0), 333);
  EXPECT_EQ(back.ReadString("CD", ""), "C:\\作業 フォルダ");
  EXPECT_EQ(back.ReadInteger("Call_key", -1), 0);
  EXPECT_EQ(back.ReadInteger("Call_Mod", -1), 1);
  EXPECT_EQ(back.ReadInteger("small", -1), 1);
  EXPECT_EQ(back.ReadString("TransParentValue", ""), "200");
  EXPECT_NE(ReadTextFile(d.SettingsFile()).find("OtherCandidates=http://\\nmailto:\\nftp://\r\n"), std::string::npos);
  EXPECT_NE(ReadTextFile(d.SettingsFile()).find("SpecialChars=\\s\\\\/.\r\n"), std::string::npos);
  EXPECT_FALSE(back.ValueExists("Exe_S"));  // an empty text removes its key

  TZMRTData again(dir.path());
  again.Load();
  EXPECT_EQ(again.WindowWidth, 333);
  EXPECT_EQ(again.SpecialChars, " \\/.");
  EXPECT_EQ(again.GetHotKey(0)->GetHotKeyText(), "Alt*2");
}

TEST(ZMRTData, HistoryInMemoryIsKeptByLoad) {
  TempDir dir;
  WriteTextFile(dir / "History.txt", "a\r\nb\r\n");
  TZMRTData d(dir.path());
  d.Load();
  EXPECT_EQ(d.History.Items(), (std::vector<std::string>{"a", "b"}));
  d.History.Add("c");
  d.Load();
  EXPECT_EQ(d.History.Items(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(ZMRTData, SetValueSavesAtOnceAndFieldsWaitForReadSettings) {
  TempDir dir;
  TZMRTData d(dir.path());
  d.Load();
  d.SetValue("MatchLevel", "1");
  TStringIni back;
  back.LoadFromFile(d.SettingsFile());
  EXPECT_EQ(back.ReadString("MatchLevel", ""), "1");
  EXPECT_EQ(d.MatchLevel, 2);
  d.ReadSettings();
  EXPECT_EQ(d.MatchLevel, 1);
}

TEST(ZMRTData, MergeFileWritesEveryNamedLine) {
  TempDir dir;
  WriteTextFile(dir / "quorvane.ini", "MatchLevel=3\r\nKeep=1\r\n");
  WriteTextFile(dir / "merge.ini", "MatchLevel=0\r\nnoequals\r\nCD=C:\\\\a\\sb\r\n");
  TZMRTData d(dir.path());
  d.Load();
  d.MergeFile(dir / "merge.ini");
  EXPECT_EQ(ReadTextFile(d.SettingsFile()), "MatchLevel=0\r\nKeep=1\r\nCD=C:\\\\a\\sb\r\n");
  d.MergeFile(dir / "missing.ini");
  EXPECT_EQ(d.Settings.ReadString("Keep", ""), "1");
}

TEST(ZMRTData, SplitListsAreSavedKeywordsFirstAndReloaded) {
  TempDir dir;
  WriteTextFile(dir / "ShortCut.txt", "*ForceExe\t2\t13\t0\r\n<1>\t2\t32\t1\r\n*DeleteLeftToken\t2\t8\t0\r\n<2>\t0\t116\t1\r\n");
  TZMRTData d(dir.path());
  d.Load();
  EXPECT_EQ(d.GetCommandHotKeys().GetCount(), 2);
  EXPECT_EQ(d.GetKeyWordHotKeys().GetCount(), 2);
  d.GetKeyWordHotKeys().Delete(1);
  EXPECT_TRUE(d.SaveHotKeyList());
  EXPECT_EQ(ReadTextFile(d.HotKeyFile()), "<1>\t2\t32\t1\r\n*ForceExe\t2\t13\t0\r\n*DeleteLeftToken\t2\t8\t0\r\n");
  EXPECT_EQ(d.HotKeyList.GetCount(), 3);
  d.Load();  // forgets the halves
  EXPECT_EQ(d.GetKeyWordHotKeys().GetCount(), 1);
}

TEST(ZMRTData, HotKeyListSaveFailureIsReported) {
  TempDir dir;
  fileio::ForceDirectories(dir / "ShortCut.txt");
  TZMRTData d(dir.path());
  d.HotKeyList.Add(HotKeyFactory().CreateDefault());
  EXPECT_FALSE(d.SaveHotKeyList());
  d.Save();  // never raises
  EXPECT_TRUE(fileio::FileExists(d.SettingsFile()));
}

}  // namespace
