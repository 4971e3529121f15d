// The system-command and group dialogs for real under Wine, on a keyword
// store in a temp folder: shown modally, driven with real keys from the
// application's modal report, the item's data read back.
#include <gtest/gtest.h>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/KeyWordX.h"
#include "core/StringUtils.h"
#include "editor/UEditGroupCommand2.h"
#include "editor/UEditSysCommand2.h"
#include "editor/URZEditorMain.h"
#include "tests/editor/DialogFixture.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Memo.h"
#include "ui/PageControl.h"
#include "ui/RadioButton.h"
#include "ui/RadioGroup.h"
#include "ui/SpinEdit.h"

namespace {

// A store: the root holds notepad, the system command sys and the group grp.
class SysGroupDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_TRUE(fileio::ForceDirectories(paths.ItemsDir));
    WriteTextFile(paths.ItemsDir + "\\%.vane",
                  "notepad\tType=0\tCommand=notepad.exe\r\nsys\tType=2\tCommandIndex=0\r\ngrp\tType=5\r\n");
    EditorState().Load(paths);
    EditorState().DeleteItem = nullptr;
    m = std::make_unique<TKeyWordManager>(EditorState().ItemsDir, EditorState().MainDir);
  }
  void TearDown() override {
    m.reset();
    DialogTest::TearDown();
  }
  // The item with these data lines (name=value, TAB-separated as stored).
  std::unique_ptr<TKeyWordX> Item(const std::string& name, const std::string& data) {
    auto item = m->FindKeyWord(name);
    item->Data()->Lines.Clear();
    const TStringList lines = SplitString(data, "\t");
    for (const std::string& line : lines) item->Data()->Lines.Add(line);
    return item;
  }
  TKeyWordX* Run(TEditCommand& dlg, TKeyWordX& item, const std::function<void()>& act) {
    return RunModal(dlg, act, [&] { return dlg.Execute(item, EditorState().HotKeyLines, *m, false, item.Name); });
  }
  void TypeInto(ui::TEdit& box, const std::string& text) {
    box.Focus();
    SendMessageA(box.Handle(), EM_SETSEL, 0, -1);
    Keys(text);
  }
  static void ShowPage(TEditCommand& dlg, const char* sheet) {
    dlg.Control<ui::TPageControl>("Pages").SetActivePage(&dlg.Control<ui::TTabSheet>(sheet));
  }

  TempDir td;
  TFilePaths paths{td.path()};
  std::unique_ptr<TKeyWordManager> m;
};

// ---------------------------------------------------------------------------
// System command

TEST_F(SysGroupDialogTest, EachActionIsShownByItsNameAndChosenWithKeys) {
  for (size_t shown = 0; shown < SysCommands.size(); ++shown) {
    const size_t chosen = (shown + 5) % SysCommands.size();
    SCOPED_TRACE(std::string(SysCommands[shown].Name) + " then " + std::string(SysCommands[chosen].Name));
    auto item = Item("sys", "Type=2\tCommandIndex=" + std::to_string(SysCommands[shown].CommandIndex) + "\tIsDir=1");
    TEditSysCommand dlg(&form);
    std::string name, description;
    TKeyWordX* ok = Run(dlg, *item, [&] {
      auto& kinds = dlg.Control<ui::TComboBox>("ComboBox1");
      name = kinds.Text();
      description = dlg.Control<ui::TMemo>("Memo1").Text();
      kinds.Focus();
      std::string keys = "{Home}";
      for (size_t i = 0; i < chosen; ++i) keys += "{Down}";
      Keys(keys + "{Enter}");
    });
    EXPECT_EQ(name, SysCommands[shown].Name);
    EXPECT_EQ(description, SysCommands[shown].Description);
    ASSERT_EQ(ok, item.get());
    EXPECT_EQ(item->Data()->ReadInteger("CommandIndex", -1), SysCommands[chosen].CommandIndex);
    const bool folder = SysCommands[chosen].CommandIndex == 9 || SysCommands[chosen].CommandIndex == 10;
    EXPECT_EQ(item->Data()->ReadString("IsDir", "none"), folder ? "1" : "none");
  }
}

TEST_F(SysGroupDialogTest, AnUnknownActionShowsTheFirstAndIsStoredAsIt) {
  for (const char* index : {"12", "-1", ""}) {
    SCOPED_TRACE(index);
    auto item = Item("sys", std::string("Type=2\tIsDir=1") + (*index ? std::string("\tCommandIndex=") + index : ""));
    TEditSysCommand dlg(&form);
    std::string name;
    int heldWhileUp = -2;
    Run(dlg, *item, [&] {
      name = dlg.Control<ui::TComboBox>("ComboBox1").Text();
      heldWhileUp = item->Data()->ReadInteger("CommandIndex", -2);
      Keys("{Enter}");
    });
    EXPECT_EQ(name, "終了");
    EXPECT_EQ(heldWhileUp, 0);
    EXPECT_FALSE(item->Data()->ValueExists("IsDir"));
  }
}

TEST_F(SysGroupDialogTest, TheParameterIsStoredWithKeywordIdsOnlyUnderItsFlag) {
  for (int bits : {0, 4}) {
    SCOPED_TRACE(bits);
    auto item = Item("sys", "Type=2\tCommandIndex=1\tUseKeyword=" + std::to_string(bits));
    TEditSysCommand dlg(&form);
    ASSERT_TRUE(Run(dlg, *item, [&] {
      TypeInto(dlg.Control<ui::TEdit>("Edit3"), "notepad");
      Keys("{Enter}");
    }));
    const std::string stored = item->Data()->ReadString("Param", "");
    if (bits == 4) {
      EXPECT_EQ(stored, m->EncodeKeyWordIDs("notepad"));
      EXPECT_NE(stored, "notepad");
    } else {
      EXPECT_EQ(stored, "notepad");
    }
    EXPECT_EQ(m->DecodeKeyWordIDs(stored), "notepad");
  }
}

TEST_F(SysGroupDialogTest, TheDefaultsOfSystemCommandsGoToTheirOwnFile) {
  EditorState().Dialogs.WriteInteger("ShowAdvanced", 1);
  auto item = Item("sys", "Type=2\tCommandIndex=8\tComment=c");
  answer = IDYES;
  TEditSysCommand dlg(&form);
  Run(dlg, *item, [&] {
    SendMessageA(dlg.Control("DefaultsButton").Handle(), BM_CLICK, 0, 0);
    Drain();
    Keys("{Esc}");
  });
  EditorState().Dialogs.DeleteKey("ShowAdvanced");
  TStringIni defaults;
  defaults.LoadFromFile(EditorState().UserDir + "Dialog_Default_info\\System.ini");
  EXPECT_EQ(defaults.ReadInteger("CommandIndex", -1), 8);
  EXPECT_FALSE(defaults.ValueExists("Comment"));
}

// ---------------------------------------------------------------------------
// Group

TEST_F(SysGroupDialogTest, ReadingAGroupFillsTheControlsAndWritesOnlyTheRepeatCount) {
  struct Case {
    const char* data;
    const char* dataAtShow;  // what the item holds once the dialog is up
    int runMode;
    bool askRunShown, countEnabled;
    int count;
  } cases[] = {
      {"Type=5\tRoop=0\tRoopCount=5", "Type=5\tRoop=0\tRoopCount=1", 0, true, false, 5},
      {"Type=5\tRoop=1\tRoopCount=5", "Type=5\tRoop=1\tRoopCount=5", 0, true, true, 5},
      {"Type=5\tRunMode=1\tRoop=1\tRoopCount=5", "Type=5\tRunMode=1\tRoop=1\tRoopCount=5", 1, false, true, 5},
      {"Type=5\tRunMode=2\tAskRun=0", "Type=5\tRunMode=2\tAskRun=0\tRoopCount=1", 2, false, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    auto item = Item("grp", c.data);
    TEditGroupCommand dlg(&form);
    std::vector<std::string> atShow;
    int runMode = -1, count = -1;
    bool askRun = false, countEnabled = false;
    Run(dlg, *item, [&] {
      atShow = item->Data()->Lines.Items();
      runMode = dlg.Control<ui::TRadioGroup>("RunModeGroup").ItemIndex();
      ShowPage(dlg, "DetailSheet");
      Drain();
      askRun = IsWindowVisible(dlg.Control("AskRunCheck").Handle());
      countEnabled = IsWindowEnabled(dlg.Control("RoopCountEdit").Handle());
      count = dlg.Control<ui::TSpinEdit>("RoopCountEdit").Value();
      Keys("{Esc}");
    });
    EXPECT_EQ(atShow, SplitString(c.dataAtShow, "\t").Items());
    EXPECT_EQ(runMode, c.runMode);
    EXPECT_EQ(askRun, c.askRunShown);
    EXPECT_EQ(countEnabled, c.countEnabled);
    EXPECT_EQ(count, c.count);
  }
}

TEST_F(SysGroupDialogTest, TheRepeatCountIsHeldToTen) {
  auto item = Item("grp", "Type=5\tRoop=1\tRoopCount=2");
  TEditGroupCommand dlg(&form);
  ASSERT_TRUE(Run(dlg, *item, [&] {
    ShowPage(dlg, "DetailSheet");
    TypeInto(dlg.Control<ui::TSpinEdit>("RoopCountEdit"), "20");
    Keys("{Enter}");
  }));
  EXPECT_EQ(item->Data()->ReadInteger("RoopCount", -1), 10);
}

TEST_F(SysGroupDialogTest, TheFirstMemberOnlyHidesTheQuestionAndCancelPutsTheOldLinesBack) {
  const std::string data = "Type=5\tRoop=1\tRoopCount=3\tAskRun=1";
  auto item = Item("grp", data);
  TEditGroupCommand dlg(&form);
  std::string runMode, roop, roopCount;
  bool askRun = true, countEnabled = true;
  TKeyWordX* ok = Run(dlg, *item, [&] {
    ShowPage(dlg, "DetailSheet");
    Drain();
    dlg.Control<ui::TRadioGroup>("RunModeGroup").Button(0)->Focus();
    Keys("{Down}");  // 先頭のキーワードのみ実行
    askRun = IsWindowVisible(dlg.Control("AskRunCheck").Handle());
    runMode = item->Data()->ReadString("RunMode", "");
    dlg.Control("RoopCheck").Focus();
    Keys(" ");  // repetition off
    roop = item->Data()->ReadString("Roop", "");
    roopCount = item->Data()->ReadString("RoopCount", "");
    countEnabled = IsWindowEnabled(dlg.Control("RoopCountEdit").Handle());
    Keys("{Esc}");
  });
  EXPECT_FALSE(askRun);
  EXPECT_EQ(runMode, "1");
  EXPECT_EQ(roop, "0");
  EXPECT_EQ(roopCount, "1");
  EXPECT_FALSE(countEnabled);
  EXPECT_EQ(ok, nullptr);
  EXPECT_EQ(item->Data()->Lines.Items(), SplitString(data, "\t").Items());
}

// Pictures (tests/support/editor-screenshot.sh): the group's details and the
// system command on the manager with its description.
TEST_F(SysGroupDialogTest, ScreenshotGroupAndSystemDialogs) {
  if (!ScreenshotsWanted()) GTEST_SKIP() << "no pictures asked for";
  auto group = Item("grp", "Type=5\tRoop=1\tRoopCount=3");
  TEditGroupCommand g(&form);
  Run(g, *group, [&] {
    ShowPage(g, "DetailSheet");
    Shot(g, "editor-group-command");
  });
  auto sys = Item("sys", "Type=2\tCommandIndex=8");
  TEditSysCommand s(&form);
  Run(s, *sys, [&] { Shot(s, "editor-system-command"); });
}

}  // namespace
