// The settings window as a real window under Wine: its page tree for each
// mode and platform, the tree state, start parameters, the mode group and its
// presets, every option row clicked with the mouse, help, the tree keys,
// closing, Apply to a stand-in launcher and to the real quorvane.exe, and the
// first run's copies and wait. A temp main folder whose data folder is the
// shared one (Users\All Users).
#include "editor/USettingForm.h"

#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <set>

#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/KeyWordX.h"
#include "core/OSUtils.h"
#include "core/Sjis.h"
#include "editor/HotKey_Dialog.h"
#include "editor/HotKey_Frame.h"
#include "editor/Edit_File_Ext.h"
#include "editor/Edit_File_Ext_Line.h"
#include "editor/HotKey_Edit.h"
#include "editor/SelectButton.h"
#include "editor/UHotKeyDialog.h"
#include "editor/ParamEdit.h"
#include "editor/FileNameComplete.h"
#include "editor/TreeViewUtils.h"
#include "ui/Application.h"
#include "tests/core/RunSeams.h"
#include "tests/editor/DialogFixture.h"
#include "tests/support/RealInput.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempDir.h"
#include "tests/ui/ControlsFixture.h"
#include "ui/Button.h"
#include "ui/DialogHook.h"
#include "ui/CheckBox.h"
#include "ui/CheckListBox.h"
#include "ui/ComboBox.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/Panel.h"
#include "ui/RadioGroup.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"

namespace {

using Captions = std::vector<std::string>;

std::string ReadFile(const std::string& file) {
  std::string text;
  fileio::ReadWholeFile(file, text);
  return text;
}

// The lines of a name=value file, by name.
std::map<std::string, std::string> IniLines(const std::string& file) {
  TStringList lines;
  lines.SetText(ReadFile(file));
  std::map<std::string, std::string> byName;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string& l = lines[i];
    const size_t eq = l.find('=');
    if (eq != std::string::npos) byName[l.substr(0, eq)] = l.substr(eq + 1);
  }
  return byName;
}

std::set<std::string> ChangedNames(const std::map<std::string, std::string>& a,
                                   const std::map<std::string, std::string>& b) {
  std::set<std::string> changed;
  for (const auto& [k, v] : a)
    if (!b.count(k) || b.at(k) != v) changed.insert(k);
  for (const auto& [k, v] : b)
    if (!a.count(k)) changed.insert(k);
  return changed;
}

class SettingFormTest : public ControlsTest {
 protected:
  TempDir td;
  std::string main = td.path();
  std::string data = td / "Users\\All Users";
  TFilePaths oldPaths = FilePathsInstance();
  TRecordingShell shell;
  bool nt5 = true;
  std::function<std::vector<std::string>()> faces;  // the screen's when empty
  std::unique_ptr<TRZSettingMain> form;

  void SetUp() override {
    ControlsTest::SetUp();
    fileio::ForceDirectories(data);
    WriteTextFile(td / "Users\\UseSameData.ini", "");
    FilePathsInstance().SetMainDir(main);
  }
  void TearDown() override {
    form.reset();
    FilePathsInstance() = oldPaths;
    ControlsTest::TearDown();
  }
  TSettingServices Services() {
    TSettingServices s;
    s.Shell = &shell;
    s.NT5OrLater = [this] { return nt5; };
    s.ShiftJisFaces = faces;
    return s;
  }
  TRZSettingMain& Open(std::vector<std::string> params = {"/setting"}, TSettingServices services = {}) {
    if (!services.Shell) services = Services();
    TStringList list;
    for (auto& p : params) list.Add(p);
    form = std::make_unique<TRZSettingMain>(list, std::move(services));
    return *form;
  }
  // Shown and in front, as the editor shows it.
  TRZSettingMain& Shown(std::vector<std::string> params = {"/setting"}) {
    TRZSettingMain& f = Open(std::move(params));
    f.Show();
    ForceForegroundWindow(f.Handle());  // another program (the launcher) may be in front
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == f.Handle(); }));
    Drain();
    return f;
  }
  void Select(const std::string& path) {
    ui::TTreeNode* node = FindNodeByPath(path, '/', &form->TreeView1());
    ASSERT_TRUE(node) << path;
    node->Select();
    Drain();
  }
  std::string Selected() { return GetNodePath(form->TreeView1().Selected(), "/"); }
  std::string Header() { return form->Control<ui::TLabel>("HeaderLabel").Caption(); }
  void Click(ui::TWindow& control) { ClickAt(control.Handle(), 8, 8); }
  void Keys(const std::string& script) { realinput::TypeHeld(script, [this] { Drain(); }); }
  void Press(std::vector<WORD> keys) { ControlsTest::Press(std::move(keys)); }
  ui::TCheckBox& Check(const char* name) { return form->Control<ui::TCheckBox>(name); }
};

// ---- The tree ----

TEST_F(SettingFormTest, TheTreeShowsItsConditionalNodesByModeListIconsAndPlatform) {
  const Captions always = {"基本", "ショートカット登録", "呼び出しキー", "入力", "候補リスト", "カスタマイズ",
                           "オートコンプリート", "履歴", "キー割り当て", "キーカスタマイズ", "実行", "タイマー",
                           "ファイラー", "関連付けのないとき", "表示", "配色", "アイコン描画", "半透明化", "登録"};
  auto without = [&](std::initializer_list<const char*> gone) {
    Captions c;
    for (const auto& s : always)
      if (std::find(gone.begin(), gone.end(), s) == gone.end()) c.push_back(s);
    return c;
  };
  Captions custom = always;
  custom.insert(custom.begin() + 1, "動作設定");
  struct Case {
    const char* name;
    const char* ini;
    bool nt5;
    Captions nodes;
  } cases[] = {
      {"resident", "Mode=0\r\n", true, always},
      {"not resident", "Mode=1\r\n", true, always},
      {"custom", "Mode=2\r\n", true, custom},
      {"no list", "UseList=0\r\n", true, without({"カスタマイズ"})},
      {"no icons", "showicon=0\r\n", true, without({"アイコン描画"})},
      {"before NT 5.0", "", false, without({"半透明化"})},
      {"before NT 5.0, no icons", "showicon=0\r\n", false, without({"アイコン描画", "半透明化"})},
  };
  for (const Case& c : cases) {
    WriteTextFile(data + "\\quorvane.ini", c.ini);
    nt5 = c.nt5;
    TRZSettingMain& f = Open();
    EXPECT_EQ(f.NodeCaptions(), c.nodes) << c.name;
    EXPECT_EQ(f.Caption(), "quorvaneの設定");
    EXPECT_FALSE(f.ApplyButton().Enabled()) << c.name << ": creation enables nothing";
    for (int i = 0; i < f.PageControl1().PageCount(); ++i)
      EXPECT_FALSE(f.PageControl1().Page(i)->TabVisible()) << c.name;
    form.reset();
  }
}

TEST_F(SettingFormTest, TreeStateNoneExpandsNothingAndAnUnknownSelectionSelectsTheFirstNode) {
  WriteTextFile(data + "\\Dialogs.ini", "Setting_Expanded=None\r\nSetting_Selected=どこにもない\r\n");
  TRZSettingMain& f = Open();
  for (ui::TTreeNode* n = f.TreeView1().FirstNode(); n; n = n->GetNext()) EXPECT_FALSE(n->Expanded()) << n->Text();
  EXPECT_EQ(Selected(), "基本");
  EXPECT_EQ(Header(), "  基本");
  f.Close();
  const auto ini = IniLines(data + "\\Dialogs.ini");
  EXPECT_EQ(ini.at("Setting_Expanded"), "None");
  EXPECT_EQ(ini.at("Setting_Selected"), "基本");
}

TEST_F(SettingFormTest, TreeStateExpandsTheListedNodesSelectsTheLastMatchAndIsSavedAtClose) {
  WriteTextFile(data + "\\Dialogs.ini", "Setting_Expanded=入力,実行\r\nSetting_Selected=履歴\r\n");
  TRZSettingMain& f = Open();
  EXPECT_EQ(Selected(), "入力/履歴");
  EXPECT_EQ(Header(), "  入力 > 履歴");
  EXPECT_FALSE(FindNodeByPath("基本", '/', &f.TreeView1())->Expanded());
  EXPECT_TRUE(FindNodeByPath("実行", '/', &f.TreeView1())->Expanded());
  Select("表示/配色");
  f.Close();
  const auto ini = IniLines(data + "\\Dialogs.ini");
  EXPECT_EQ(ini.at("Setting_Expanded"), "入力,実行,表示");
  EXPECT_EQ(ini.at("Setting_Selected"), "配色");
}

TEST_F(SettingFormTest, StartParametersAndCopyDataSelectAPageAndFocusItsControl) {
  TRZSettingMain& f = Open({"/setting", "/SelectedNode=基本/呼び出しキー", "/TabIndex=0"});
  EXPECT_EQ(Selected(), "基本/呼び出しキー");
  EXPECT_EQ(Header(), "  基本 > 呼び出しキー");
  EXPECT_EQ(f.PageControl1().ActivePage()->Caption(), "呼び出しキー");

  // A second start's hand-over, as WM_COPYDATA from another window.
  auto send = [&](const std::string& lines) {
    std::string text = lines + std::string(1, '\0');
    COPYDATASTRUCT cds = {1, static_cast<DWORD>(text.size()), text.data()};
    TestWindow sender;
    SendMessageA(f.Handle(), WM_COPYDATA, reinterpret_cast<WPARAM>(sender.hwnd), reinterpret_cast<LPARAM>(&cds));
    Drain();
  };
  send("/SelectedNode=基本\r\n/TabIndex=0");
  EXPECT_EQ(Selected(), "基本");
  EXPECT_TRUE(f.Visible()) << "a focused control shows the window";
  EXPECT_TRUE(IsChild(f.PageOf("基本")->Handle(), GetFocus())) << "the page's first control has the focus";

  send("/SelectedNode=登録\r\n/TabIndex=99");
  EXPECT_EQ(Selected(), "登録") << "a control index past the page only selects it";
  send("/SelectedNode=どこにもない");
  EXPECT_EQ(Selected(), "登録") << "a path of no node changes nothing";
}

TEST_F(SettingFormTest, EachPageIsSetUpOnItsFirstVisitOnly) {
  WriteTextFile(data + "\\Dialogs.ini", "SelectPriority=1\r\n");
  TRZSettingMain& f = Shown();
  EXPECT_EQ(f.SetUpRuns("登録"), 0);
  Select("登録");
  EXPECT_TRUE(Check("SelectPriority").Checked());
  EXPECT_NE(f.Control<ui::TLabel>("RegistNote").Caption().find("優先度は0が最高で"), std::string::npos);
  Select("基本");
  f.DialogOptions()->WriteInteger("SelectPriority", 0);
  Select("登録");
  EXPECT_EQ(f.SetUpRuns("登録"), 1);
  EXPECT_TRUE(Check("SelectPriority").Checked()) << "not filled again";
  EXPECT_EQ(f.SetUpRuns("基本"), 1);
  EXPECT_FALSE(f.ApplyButton().Enabled()) << "set-up enables nothing";
}

// ---- The operation mode ----

TEST_F(SettingFormTest, ChoosingResidentOverwritesTheTenOptionsAndRemovesTheCustomPage) {
  WriteTextFile(data + "\\quorvane.ini",
                "Mode=2\r\nhideWhenStart=1\r\nHideWhenRun=0\r\nHideWhenSysRun=1\r\nHideWhenSetting=0\r\n"
                "hideWhenDeActivate=1\r\nhideWhenEditting=1\r\nendWhenHide=1\r\nUseTaskTray=0\r\n"
                "HideTaskIcon=1\r\nForceFocus=1\r\nMouseFocus=1\r\n");
  TRZSettingMain& f = Shown();
  EXPECT_NE(f.ModeExplanationLabel().Caption().find("上級者の方にお勧めです。"), std::string::npos);
  EXPECT_TRUE(Check("endWhenHide").Checked());

  auto& mode = f.Control<ui::TRadioGroup>("Mode");
  Click(*mode.Button(0));
  EXPECT_EQ(mode.ItemIndex(), 0);
  EXPECT_EQ(f.ModeExplanationLabel().Caption(), ModeExplanation(0));
  EXPECT_EQ(FindNodeByPath("基本/動作設定", '/', &f.TreeView1()), nullptr);
  EXPECT_TRUE(f.ApplyButton().Enabled());
  TZMRTData& s = *f.Settings();
  EXPECT_EQ(s.Mode, 0);
  const std::pair<const char*, bool> resident[] = {
      {"hideWhenStart", false}, {"HideWhenRun", true},  {"HideWhenSysRun", false}, {"HideWhenSetting", true},
      {"hideWhenDeActivate", false}, {"hideWhenEditting", false}, {"endWhenHide", false}, {"UseTaskTray", true},
      {"HideTaskIcon", false}, {"ForceFocus", false}, {"MouseFocus", true}};
  for (auto [name, on] : resident) EXPECT_EQ(Check(name).Checked(), on) << name << " shows the preset";

  Click(*mode.Button(1));
  EXPECT_EQ(f.ModeExplanationLabel().Caption(), ModeExplanation(1));
  EXPECT_TRUE(s.endWhenHide && s.ForceFocus && !s.UseTaskTray);

  Click(*mode.Button(2));
  EXPECT_NE(FindNodeByPath("基本/動作設定", '/', &f.TreeView1()), nullptr);
  EXPECT_EQ(f.TreeView1().FirstNode()->FirstChild()->Text(), "動作設定") << "the first child of 基本";
  EXPECT_TRUE(s.endWhenHide && s.ForceFocus && !s.UseTaskTray) << "custom keeps what the last preset set";
  EXPECT_TRUE(Check("endWhenHide").Checked());
}

// ---- The option rows ----

TEST_F(SettingFormTest, EachCheckRowChangesExactlyItsKey) {
  // The boxes that enable others go from off to on before those are clicked.
  WriteTextFile(data + "\\quorvane.ini",
                "Mode=2\r\nHideWhenRun=0\r\nhideWhenDeActivate=0\r\nUseTaskTray=0\r\nUseList=0\r\n"
                "UseAutoComplete=0\r\nUseHistory=0\r\nCall_key=75\r\nCall_Mod=2\r\n");
  TRZSettingMain& f = Shown();
  for (const char* path : {"基本/動作設定", "基本/呼び出しキー", "入力", "入力/候補リスト", "入力/オートコンプリート",
                           "入力/履歴", "登録"}) {
    Select(path);
    const std::string full = path;
    const std::string page = full.substr(full.rfind('/') + 1);  // npos + 1: the whole path
    for (const TSettingRow* row : RowsOfPage(page)) {
      if (row->Kind != TSettingKind::Check) continue;
      const bool g = row->Store == TSettingStore::G;
      const std::string file = data + (g ? "\\Dialogs.ini" : "\\quorvane.ini");
      auto save = [&] {
        if (g) f.DialogOptions()->SaveToFile(file);
        else f.Settings()->Save();
        return IniLines(file);
      };
      const auto before = save();
      const bool was = Check(row->Name).Checked();
      Click(Check(row->Name));
      EXPECT_NE(Check(row->Name).Checked(), was) << row->Name;
      EXPECT_EQ(ChangedNames(before, save()), std::set<std::string>{row->Key}) << row->Name;
      EXPECT_TRUE(f.ApplyButton().Enabled()) << row->Name;
    }
  }
}

TEST_F(SettingFormTest, ASpinRowStoresTheTypedNumberHeldToItsRangeAndOnlyItsKey) {
  TRZSettingMain& f = Shown();
  struct Case {
    const char* path;
    const char* spin;
    const char* typed;
    int stored;
  };
  const Case cases[] = {{"入力/候補リスト", "ListSize", "500", 300},   {"入力/候補リスト", "ListSize", "0", 1},
                        {"入力/候補リスト", "ListWidth", "2000", 1000}, {"入力/履歴", "HistoryCount", "999999", 100000},
                        {"入力/履歴", "HistoryCount", "77", 77}};
  for (const Case& c : cases) {
    Select(c.path);
    f.Settings()->Save();
    const auto before = IniLines(data + "\\quorvane.ini");
    auto& spin = f.Control<ui::TSpinEdit>(c.spin);
    ClickAt(spin.Handle(), 4, 4);
    Keys("{End}{BS}{BS}{BS}{BS}{BS}{BS}" + std::string(c.typed));
    f.Settings()->Save();
    const auto after = IniLines(data + "\\quorvane.ini");
    const auto changed = ChangedNames(before, after);
    EXPECT_TRUE(changed.empty() || changed == std::set<std::string>{c.spin}) << c.spin;
    EXPECT_EQ(after.at(c.spin), std::to_string(c.stored)) << c.spin << " typed " << c.typed;
  }
}

TEST_F(SettingFormTest, DependentBoxesFollowTheirOwnBox) {
  WriteTextFile(data + "\\quorvane.ini", "Mode=2\r\nHideWhenRun=1\r\nhideWhenDeActivate=0\r\nUseTaskTray=1\r\n");
  TRZSettingMain& f = Shown();
  Select("基本/動作設定");
  EXPECT_TRUE(Check("HideWhenSysRun").Enabled());
  EXPECT_FALSE(Check("hideWhenEditting").Enabled());
  Click(Check("HideWhenRun"));
  EXPECT_FALSE(Check("HideWhenSysRun").Enabled());
  Click(Check("hideWhenDeActivate"));
  EXPECT_TRUE(Check("hideWhenEditting").Enabled());
  Click(Check("UseTaskTray"));
  EXPECT_FALSE(Check("HideTaskIcon").Enabled());
  (void)f;
}

TEST_F(SettingFormTest, TheDefaultPrioritySpinStoresTheTypedNumberHeldToItsRange) {
  TRZSettingMain& f = Shown();
  Select("登録");
  auto& spin = f.Control<ui::TSpinEdit>("DefaultPriority");
  EXPECT_EQ(spin.Text(), "1") << "its default";
  ClickAt(spin.Handle(), 4, 4);
  Keys("{End}{BS}{BS}{BS}{BS}5000");
  EXPECT_EQ(f.DialogOptions()->ReadInteger("DefaultPriority", -1), 1000) << "typed 5000 into 0..1000";
  Keys("{End}{BS}{BS}{BS}{BS}");
  EXPECT_EQ(spin.Text(), "");
  EXPECT_EQ(f.DialogOptions()->ReadInteger("DefaultPriority", -1), 0) << "no number";
  Keys("42");
  EXPECT_EQ(f.DialogOptions()->ReadInteger("DefaultPriority", -1), 42);
  EXPECT_TRUE(f.ApplyButton().Enabled());
}

// ---- Hotkey boxes ----

TEST_F(SettingFormTest, TheCallKeyTakesAPressedGlobalHotKeyAndEnablesHideOnCall) {
  WriteTextFile(data + "\\quorvane.ini", "Call_key=0\r\nCall_Mod=0\r\n");
  TRZSettingMain& f = Shown();
  Select("基本/呼び出しキー");
  auto& box = f.Control<THotKeyEdit>("CallKey");
  EXPECT_EQ(box.Kind(), 1) << "global";
  EXPECT_EQ(box.Text(), "なし");
  EXPECT_FALSE(Check("hideWhenReActivate").Enabled()) << "no valid call key";
  f.Settings()->Save();
  const auto before = IniLines(data + "\\quorvane.ini");
  Click(box);
  Press({VK_CONTROL, 'K'});
  EXPECT_EQ(box.Text(), "Ctrl+K");
  EXPECT_TRUE(Check("hideWhenReActivate").Enabled());
  ASSERT_TRUE(f.ApplyButton().Enabled());
  Click(f.ApplyButton());
  EXPECT_EQ(ChangedNames(before, IniLines(data + "\\quorvane.ini")), (std::set<std::string>{"Call_key", "Call_Mod"}));
  TZMRTData saved(data);
  saved.Load();
  EXPECT_EQ(saved.GetHotKey(0)->GetHotKeyText(), "Ctrl+K");
}

TEST_F(SettingFormTest, TheCallKeysButtonEditsTheBoxInTheGlobalDialog) {
  WriteTextFile(data + "\\quorvane.ini", "Call_key=75\r\nCall_Mod=2\r\n");
  TRZSettingMain& f = Shown();
  Select("基本/呼び出しキー");
  std::string caption;
  auto modal = app->OnModal.Add([&](ui::TForm& d) {
    caption = d.Caption();
    Drain();
    auto& dialog = dynamic_cast<THotKeyDialog&>(d);
    ClickAt(dialog.Frame().ShiftBox().Handle(), 6, 6);
    Drain();
    ClickAt(dialog.Control<ui::TButton>("OKButton").Handle(), 8, 8);
  });
  EXPECT_EQ(f.Control<THotKeyEdit>("CallKey").Text(), "Ctrl+K");
  Click(f.Control<ui::TButton>("CallKeyButton"));
  Drain();
  EXPECT_FALSE(caption.empty()) << "the dialog came";
  EXPECT_EQ(f.Control<THotKeyEdit>("CallKey").Text(), "Shift+Ctrl+K");
  EXPECT_TRUE(f.ApplyButton().Enabled());
  EXPECT_EQ(f.Settings()->GetHotKey(0)->GetHotKeyText(), f.Control<THotKeyEdit>("CallKey").Text());
}

TEST_F(SettingFormTest, TheKeyCustomizeBoxesAreFilledAtTheirFirstVisitAndStoreTheirHotKey) {
  WriteTextFile(data + "\\quorvane.ini", "Capture_key=0\r\nCapture_Mod=0\r\n");
  TRZSettingMain& f = Shown();
  Select("入力/キーカスタマイズ");
  struct Case {
    const char* box;
    int kind;
    WORD key;
  };
  const Case cases[] = {{"DeleteRightToken", 0, 'J'}, {"DeleteLeftToken", 0, 'G'}, {"ForceExe", 0, 'E'},
                        {"CaptureKey", 1, 'Q'}};
  for (const Case& c : cases) {
    auto& box = f.Control<THotKeyEdit>(c.box);
    EXPECT_EQ(box.Kind(), c.kind) << c.box;
    EXPECT_EQ(box.Text(), "なし") << c.box << ": none yet";
  }
  f.Settings()->Save();
  const auto iniBefore = IniLines(data + "\\quorvane.ini");
  for (const Case& c : cases) {
    Click(f.Control<THotKeyEdit>(c.box));
    Press({VK_CONTROL, c.key});
    EXPECT_EQ(f.Control<THotKeyEdit>(c.box).Text(), std::string("Ctrl+") + char(c.key)) << c.box;
  }
  Click(f.ApplyButton());
  EXPECT_EQ(ChangedNames(iniBefore, IniLines(data + "\\quorvane.ini")),
            (std::set<std::string>{"Capture_key", "Capture_Mod"}));
  TZMRTData saved(data);
  saved.Load();
  EXPECT_EQ(saved.GetHotKey(1)->GetHotKeyText(), "Ctrl+Q");
  for (const Case& c : cases) {
    if (c.kind == 1) continue;
    EXPECT_EQ(saved.GetCommandHotKeys().GetHotKeyText(std::string("*") + c.box), std::string("Ctrl+") + char(c.key))
        << c.box;
  }
}

// ---- Candidate sources ----

TEST_F(SettingFormTest, ASourceNamedTwiceIsListedOnceAndAltArrowsMoveTheFocusedList) {
  WriteTextFile(data + "\\quorvane.ini", "ListOrder=2233\r\nCheckedLists=1011\r\n");
  TRZSettingMain& f = Shown();
  Select("入力/候補リスト/カスタマイズ");
  auto& list = f.Control<ui::TCheckListBox>("CheckListBox1");
  const std::vector<std::string> rows = {"キーワード", "カレントフォルダのファイル", "フォルダ内のファイル", "履歴",
                                         "ドライブリスト(A:\\,C:\\,E:\\,...)", "その他(ユーザー設定)"};
  EXPECT_EQ(list.Items(), rows);
  EXPECT_FALSE(list.Checked(1));
  EXPECT_FALSE(f.ApplyButton().Enabled());
  f.Settings()->Save();
  const auto before = IniLines(data + "\\quorvane.ini");

  ClickAt(list.Handle(), list.ItemRect(2).left + 40, list.ItemRect(2).top + 4);
  EXPECT_EQ(list.ItemIndex(), 2);
  Press({VK_MENU, VK_UP});
  EXPECT_EQ(list.Item(1), "フォルダ内のファイル");
  EXPECT_EQ(list.ItemIndex(), 1) << "the moved row stays selected";
  Press({VK_MENU, VK_UP});
  Press({VK_MENU, VK_DOWN});
  Press({VK_MENU, VK_UP});
  EXPECT_EQ(list.Item(0), "フォルダ内のファイル");
  EXPECT_FALSE(f.Control<ui::TButton>("UpButton2").Enabled()) << "the first row";
  ASSERT_TRUE(f.ApplyButton().Enabled());
  Click(f.ApplyButton());
  const auto after = IniLines(data + "\\quorvane.ini");
  EXPECT_EQ(ChangedNames(before, after), (std::set<std::string>{"ListOrder", "CheckedLists"}));
  EXPECT_EQ(after.at("ListOrder"), "023145") << "six digits, each once";
  EXPECT_EQ(after.at("CheckedLists"), "110111") << "the check moved with its row";
}

// ---- Fonts ----

TEST_F(SettingFormTest, TheFontListOffersTheShiftJisFacesAndAChoiceChangesOnlyFont) {
  WriteTextFile(data + "\\quorvane.ini", "Font=NoSuchFace\r\nFontSize=9\r\n");
  TRZSettingMain& f = Shown();
  Select("表示");
  auto& face = f.Control<ui::TComboBox>("ComboBox2");
  ASSERT_GT(face.Count(), 1) << "Wine's Japanese faces";
  const std::vector<std::string> items = face.Items();
  EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
  EXPECT_EQ(face.ItemIndex(), 0) << "a missing face selects the first entry";
  EXPECT_EQ(f.Settings()->Font, "NoSuchFace") << "until a choice is made";
  f.Settings()->Save();
  const auto before = IniLines(data + "\\quorvane.ini");
  ClickAt(face.Handle(), 20, 8);
  Press({VK_DOWN});
  EXPECT_EQ(face.ItemIndex(), 1);
  ASSERT_TRUE(f.ApplyButton().Enabled());
  Click(f.ApplyButton());
  const auto after = IniLines(data + "\\quorvane.ini");
  EXPECT_EQ(ChangedNames(before, after), std::set<std::string>{"Font"});
  TZMRTData saved(data);
  saved.Load();
  EXPECT_EQ(saved.Font, face.Item(1));
}

TEST_F(SettingFormTest, WithoutShiftJisFacesTheListIsEmptyAndShowsTheStoredFace) {
  WriteTextFile(data + "\\quorvane.ini", "Font=ＭＳ ゴシック\r\n");
  faces = [] { return std::vector<std::string>{}; };
  TRZSettingMain& f = Shown();
  Select("表示");
  auto& face = f.Control<ui::TComboBox>("ComboBox2");
  EXPECT_EQ(face.Count(), 0);
  EXPECT_EQ(face.Text(), "ＭＳ ゴシック");
  EXPECT_EQ(f.Settings()->Font, "ＭＳ ゴシック");
  EXPECT_FALSE(f.ApplyButton().Enabled());
}

TEST_F(SettingFormTest, TheTypedFontSizeStoresItsWholePart) {
  TRZSettingMain& f = Shown();
  Select("表示");
  auto& size = f.Control<ui::TComboBox>("ComboBox3");
  EXPECT_EQ(size.Text(), "9");
  ClickAt(size.Handle(), 10, 8);
  Keys("{End}{BS}10.5");
  EXPECT_EQ(f.Settings()->FontSize, 10);
  Keys("{End}{BS}{BS}{BS}{BS}x");
  EXPECT_EQ(f.Settings()->FontSize, 9) << "no number";
}

// ---- Help, keys, drawing ----

// ---- The rows of 候補リスト, カスタマイズ, オートコンプリート, 履歴, 実行, タイマー,
// ファイラー, 関連付けのないとき, 表示, アイコン描画 and 半透明化 ----

// The three files Apply writes, as "file:key" lines.
std::map<std::string, std::string> AppliedLines(TRZSettingMain& f, const std::string& data) {
  f.Button11Click();
  std::map<std::string, std::string> all;
  for (const char* file : {"quorvane.ini", "RunCommand.ini", "Dialogs.ini"})
    for (const auto& [k, v] : IniLines(data + "\\" + file)) all[std::string(file) + ":" + k] = v;
  return all;
}

class SettingRowsTest : public SettingFormTest {
 protected:
  void SetUp() override {
    SettingFormTest::SetUp();
    // Every controlling box on, so that each row can be changed.
    WriteTextFile(data + "\\quorvane.ini",
                  "UseList=1\r\nEnableRomajiMatch=1\r\nRomajiMatchOnlyUpper=0\r\nMatchLevel=1\r\nUpPriority=1\r\n"
                  "UpPriorityCount=1\r\nUpPriorityByRate=0\r\nLimitComplete=1\r\nLimitComplete_time=500\r\n"
                  "LimitExe=1\r\nLimitExe_time=1000\r\nsmall=0\r\nshowicon=1\r\nshowtop=0\r\nBorderStyle=0\r\nUseThread=1\r\n"
                  "Priority=3\r\nWaitTimeForIcon=300\r\nTransParentMode=0\r\nTransParentValue=200\r\n");
    WriteTextFile(data + "\\RunCommand.ini", "UseFiler=1\r\nFileOpenMode=1\r\n");
  }
  void Type(ui::TWindow& box, const std::string& script) {
    ClickAt(box.Handle(), 4, 4);
    Keys(script);
  }
  void Choose(ui::TRadioGroup& group, int item) { Click(*group.Button(item)); }
  // A drop-down list takes the next item by the Down key.
  void Next(ui::TComboBox& combo) {
    SetFocus(combo.Handle());
    Press({VK_DOWN});
  }
};

TEST_F(SettingRowsTest, EachRowChangedByInputChangesOnlyItsKeyAtApply) {
  TRZSettingMain& f = Shown();
  auto radio = [&](const char* n) -> ui::TRadioGroup& { return f.Control<ui::TRadioGroup>(n); };
  auto combo = [&](const char* n) -> ui::TComboBox& { return f.Control<ui::TComboBox>(n); };
  struct Case {
    const char* path;
    const char* row;
    std::function<void()> input;
    const char* stored;  // the line's value in its file
  };
  // Rows that enable or show others come after them.
  const Case cases[] = {
      {"入力/候補リスト", "MatchLevel", [&] { Choose(radio("MatchLevel"), 0); }, "2"},
      {"入力/候補リスト", "MatchLevel", [&] { Choose(radio("MatchLevel"), 2); }, "0"},
      {"入力/候補リスト", "RomajiMatchOnlyUpper", [&] { Click(Check("RomajiMatchOnlyUpper")); }, "1"},
      {"入力/オートコンプリート", "SpecialChars", [&] { Type(f.Control("SpecialChars"), "{End}x"); }, "\\s\\\\/.x"},
      {"実行", "UpPriorityCount", [&] { Type(f.Control("UpPriorityCount"), "{End}{BS}123456"); }, "123456"},
      {"実行", "UpPriorityByRate", [&] { Next(combo("UpPriorityByRate")); }, "1"},
      {"実行", "MaxWildCardRunCount", [&] { Type(f.Control("MaxWildCardRunCount"), "{End}{BS}{BS}25"); }, "25"},
      {"実行", "RunByParam", [&] { Click(Check("RunByParam")); }, "1"},
      {"実行", "UpPriority", [&] { Click(Check("UpPriority")); }, "0"},
      {"実行/タイマー", "LimitComplete_time", [&] { Type(f.Control("LimitComplete_time"), "{End}{BS}{BS}{BS}99999"); },
       "10000"},
      {"実行/タイマー", "LimitComplete_One", [&] { Click(Check("LimitComplete_One")); }, "1"},
      {"実行/タイマー", "LimitExe_time", [&] { Type(f.Control("LimitExe_time"), "{End}{BS}{BS}{BS}{BS}250"); }, "250"},
      {"実行/タイマー", "LimitExe_One", [&] { Click(Check("LimitExe_One")); }, "1"},
      {"実行/タイマー", "LimitComplete", [&] { Click(Check("LimitComplete")); }, "0"},
      {"実行/タイマー", "LimitExe", [&] { Click(Check("LimitExe")); }, "0"},
      {"実行/ファイラー", "FilerName", [&] { Type(f.Control("FilerName"), "fz"); }, "fz"},
      {"実行/ファイラー", "FilerParam", [&] { Type(f.Control("FilerParam"), "-n"); }, "-n"},
      {"実行/ファイラー", "QuoteParam", [&] { Click(Check("QuoteParam")); }, "0"},
      {"実行/ファイラー", "UseFiler", [&] { Click(Check("UseFiler")); }, "0"},
      {"実行/関連付けのないとき", "FileOpenFile", [&] { Type(f.Control("FileOpenFile"), "ed"); }, "ed"},
      {"実行/関連付けのないとき", "FileOpenMode", [&] { Choose(radio("FileOpenMode"), 2); }, "2"},
      {"表示", "small", [&] { Choose(radio("small"), 1); }, "1"},
      {"表示", "showtop", [&] { Click(Check("showtop")); }, "1"},
      {"表示", "BorderStyle", [&] { Next(combo("BorderStyle")); }, "1"},
      {"表示/アイコン描画", "WaitTimeForIcon", [&] { Click(f.Control("WaitTimeForIconRight")); }, "310"},
      {"表示/アイコン描画", "Priority", [&] { Next(combo("Priority")); }, "4"},
      {"表示/アイコン描画", "UseThread", [&] { Click(Check("UseThread")); }, "0"},
      {"表示/半透明化", "TransParentValue", [&] { Click(f.Control("TransParentValueLeft")); }, "190"},
      {"表示/半透明化", "TransParentMode", [&] { Choose(radio("TransParentMode"), 1); }, "1"},
      {"表示", "showicon", [&] { Click(Check("showicon")); }, "0"},
      {"入力/候補リスト", "EnableRomajiMatch", [&] { Click(Check("EnableRomajiMatch")); }, "0"},
  };
  for (const Case& c : cases) {
    Select(c.path);
    const TSettingRow* row = FindSettingRow(c.row);
    ASSERT_TRUE(row) << c.row;
    const std::string file = row->Store == TSettingStore::R ? "RunCommand.ini" : "quorvane.ini";
    const auto before = AppliedLines(f, data);
    c.input();
    EXPECT_TRUE(f.ApplyButton().Enabled()) << c.row;
    const auto after = AppliedLines(f, data);
    const std::string line = file + ":" + row->Key;
    EXPECT_EQ(ChangedNames(before, after), std::set<std::string>{line}) << c.row;
    EXPECT_EQ(after.count(line) ? after.at(line) : "", c.stored) << c.row;
  }
}

// The memo keeps its line breaks; the hidden boxes hold what they were filled with.
TEST_F(SettingRowsTest, TheMemoStoresItsWholeTextAndTheHiddenBoxesKeepTheirValues) {
  WriteTextFile(data + "\\quorvane.ini", "CountToHistory=77\r\nHistoryMax=123456\r\nCompleteChars=;:\r\n");
  TRZSettingMain& f = Shown();
  for (const char* hidden : {"CountToHistory", "HistoryMax", "CompleteChars"})
    EXPECT_FALSE(IsWindowVisible(f.Control(hidden).Handle())) << hidden;
  EXPECT_EQ(f.Control<ui::TSpinEdit>("CountToHistory").Text(), "50") << "held to 0..50";
  EXPECT_EQ(f.Control<ui::TSpinEdit>("HistoryMax").Text(), "123456");
  EXPECT_EQ(f.Control<ui::TEdit>("CompleteChars").Text(), ";:");
  Select("入力/候補リスト/カスタマイズ");
  auto& memo = f.Control<ui::TMemo>("OtherCandidates");
  EXPECT_EQ(memo.Text(), "http://\r\nmailto:");
  ClickAt(memo.Handle(), 4, 4);
  Press({VK_CONTROL, VK_END});
  Keys("{Enter}ftp:");
  EXPECT_EQ(f.Settings()->OtherCandidates, "http://\r\nmailto:\r\nftp:");
  EXPECT_TRUE(f.ApplyButton().Enabled());
}

TEST_F(SettingRowsTest, MatchLevelShowsItsReversedItemAndAValueOutsideIsHeldAsTwo) {
  struct Case {
    const char* stored;
    int item;
    int held;
  } cases[] = {{"0", 2, 0}, {"1", 1, 1}, {"2", 0, 2}, {"7", 0, 2}, {"-1", 0, 2}};
  for (const Case& c : cases) {
    WriteTextFile(data + "\\quorvane.ini", std::string("MatchLevel=") + c.stored + "\r\n");
    TRZSettingMain& f = Open();
    EXPECT_EQ(f.Control<ui::TRadioGroup>("MatchLevel").ItemIndex(), c.item) << c.stored;
    EXPECT_EQ(f.Settings()->MatchLevel, c.held) << c.stored;
    EXPECT_FALSE(f.ApplyButton().Enabled());
    form.reset();
  }
}

// Each controlling box or group, off and on, and what follows it.
TEST_F(SettingRowsTest, ControlsFollowTheBoxOrGroupThatEnablesOrShowsThem) {
  WriteTextFile(data + "\\RunCommand.ini", "UseFiler=1\r\nFileOpenMode=1\r\nRunByParam=1\r\n");
  TRZSettingMain& f = Shown();
  enum What { Enabled, Shown_ };
  struct Case {
    const char* path;
    const char* control;
    std::function<void()> off, on;
    const char* dependent;
    What what;
  };
  auto click = [&](const char* n) { return [this, n] { Click(Check(n)); }; };
  auto choose = [&](const char* n, int i) { return [this, n, i] { Choose(form->Control<ui::TRadioGroup>(n), i); }; };
  const Case cases[] = {
      {"入力/候補リスト", "UseList", click("UseList"), click("UseList"), "MatchLevel", Enabled},
      {"入力/候補リスト", "EnableRomajiMatch", click("EnableRomajiMatch"), click("EnableRomajiMatch"),
       "RomajiMatchOnlyUpper", Shown_},
      {"実行", "RunByParam", click("RunByParam"), click("RunByParam"), "Button25", Enabled},
      {"実行", "UpPriority", click("UpPriority"), click("UpPriority"), "UpPriorityCount", Enabled},
      {"実行", "UpPriority", click("UpPriority"), click("UpPriority"), "UpPriorityByRate", Enabled},
      {"実行/タイマー", "LimitComplete", click("LimitComplete"), click("LimitComplete"), "LimitComplete_time", Enabled},
      {"実行/タイマー", "LimitComplete", click("LimitComplete"), click("LimitComplete"), "LimitComplete_One", Enabled},
      {"実行/タイマー", "LimitExe", click("LimitExe"), click("LimitExe"), "LimitExe_time", Enabled},
      {"実行/タイマー", "LimitExe", click("LimitExe"), click("LimitExe"), "LimitExe_One", Enabled},
      {"実行/ファイラー", "UseFiler", click("UseFiler"), click("UseFiler"), "FilerGroup", Shown_},
      {"実行/ファイラー", "UseFiler", click("UseFiler"), click("UseFiler"), "FilerName", Shown_},
      {"実行/ファイラー", "UseFiler", click("UseFiler"), click("UseFiler"), "FilerParam", Shown_},
      {"実行/ファイラー", "UseFiler", click("UseFiler"), click("UseFiler"), "QuoteParam", Shown_},
      {"実行/関連付けのないとき", "FileOpenMode", choose("FileOpenMode", 0), choose("FileOpenMode", 1), "FileOpenFile",
       Shown_},
      {"実行/関連付けのないとき", "FileOpenMode", choose("FileOpenMode", 2), choose("FileOpenMode", 1), "FileOpenFile",
       Shown_},
      {"表示/アイコン描画", "UseThread", click("UseThread"), click("UseThread"), "Priority", Enabled},
      {"表示/半透明化", "TransParentMode", choose("TransParentMode", 2), choose("TransParentMode", 0),
       "TransParentValue", Shown_},
      {"表示/半透明化", "TransParentMode", choose("TransParentMode", 2), choose("TransParentMode", 1),
       "TransParentValue", Shown_},
  };
  auto state = [&](const Case& c) {
    HWND w = f.Control(c.dependent).Handle();
    return c.what == Enabled ? IsWindowEnabled(w) != FALSE : IsWindowVisible(w) != FALSE;
  };
  for (const Case& c : cases) {
    Select(c.path);
    EXPECT_TRUE(state(c)) << c.dependent << " at the start";
    c.off();
    EXPECT_FALSE(state(c)) << c.dependent << " after " << c.control << " off";
    c.on();
    EXPECT_TRUE(state(c)) << c.dependent << " after " << c.control << " on";
  }
}

TEST_F(SettingRowsTest, TheTransparencyBarIsHiddenBeforeNT5AndTheArrowLabelsStayInRange) {
  nt5 = false;
  TRZSettingMain& f = Open();
  EXPECT_FALSE(IsWindowVisible(f.Control("TransParentValue").Handle()) && f.Visible());
  EXPECT_FALSE(f.Control("TransParentValue").Visible());
  form.reset();
  nt5 = true;
  WriteTextFile(data + "\\quorvane.ini", "TransParentValue=250\r\nWaitTimeForIcon=5\r\n");
  TRZSettingMain& g = Shown();
  Select("表示/半透明化");
  EXPECT_EQ(g.Control<ui::TLabel>("TransParentValueNumber").Caption(), "250");
  Click(g.Control("TransParentValueRight"));
  EXPECT_EQ(g.Settings()->TransParentValue, 255) << "held to the bar's end";
  EXPECT_EQ(g.Control<ui::TLabel>("TransParentValueNumber").Caption(), "255");
  Select("表示/アイコン描画");
  EXPECT_EQ(g.Control<ui::TLabel>("WaitTimeForIconNumber").Caption(), "5ミリ秒");
  Click(g.Control("WaitTimeForIconLeft"));
  EXPECT_EQ(g.Settings()->WaitTimeForIcon, 0);
  EXPECT_EQ(g.Control<ui::TLabel>("WaitTimeForIconNumber").Caption(), "0ミリ秒");
  // Underlined while the pointer is over it.
  auto& arrow = g.Control<ui::TLabel>("WaitTimeForIconRight");
  POINT over = {4, 4};
  ClientToScreen(arrow.Handle(), &over);
  realinput::PointerTo(over);
  EXPECT_TRUE(PumpUntil([&] { return (arrow.FontStyle() & ui::fsUnderline) != 0; }));
  realinput::PointerTo({over.x, over.y + 60});
  EXPECT_TRUE(PumpUntil([&] { return (arrow.FontStyle() & ui::fsUnderline) == 0; }));
}

TEST_F(SettingRowsTest, TheFilerBoxShowsKeywordPathsStoresIdsAndColoursItsLabel) {
  // A keyword "ed" whose command is a file that exists.
  const std::string exe = td / "ed.exe";
  WriteTextFile(exe, "");
  fileio::ForceDirectories(data + "\\Items");
  WriteTextFile(data + "\\Items\\%.vane", "ed\tType=0\tCommand=" + sjis::ReplaceAll(exe, "\\", "\\\\") + "\r\n");
  TKeyWordManager store(data + "\\Items", main);
  const std::string stored = store.EncodeKeyWordIDs("ed");
  store.Save();
  ASSERT_NE(stored, "ed") << "the keyword has an id";
  WriteTextFile(data + "\\RunCommand.ini", "UseFiler=1\r\nFilerName=" + stored + "\r\n");
  TRZSettingMain& f = Shown();
  Select("実行/ファイラー");
  auto& box = f.Control<TFileNameComplete>("FilerName");
  EXPECT_EQ(box.Text(), "ed") << "the keyword path";
  EXPECT_EQ(box.ListOrder, "0231");
  EXPECT_EQ(box.CheckedLists, "1111");
  auto& label = f.Control<ui::TLabel>("FilerNameLabel");
  EXPECT_EQ(label.FontColor(), GetSysColor(COLOR_WINDOWTEXT)) << "resolves to a file";
  ClickAt(box.Handle(), 4, 4);
  Keys("{End}x");
  EXPECT_EQ(label.FontColor(), RGB(255, 0, 0)) << "edx is nothing";
  Keys("{BS}");
  EXPECT_EQ(f.RunOptions()->ReadString("FilerName", ""), stored) << "ids again";
  EXPECT_EQ(label.FontColor(), GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(SettingRowsTest, TheFileButtonOffersProgramsFromTheBoxesFolder) {
  const std::string folder = td / "tools";
  fileio::ForceDirectories(folder);
  WriteTextFile(data + "\\RunCommand.ini", "FileOpenMode=1\r\nFileOpenFile=" + sjis::ReplaceAll(folder, "\\", "\\\\") + "\r\n");
  ui::TFileDialogRequest seen;
  auto old = ui::SetFileDialogHandler([&](ui::TFileDialogRequest& r) {
    seen = r;
    r.FileName = folder + "\\edit.exe";
    return true;
  });
  TRZSettingMain& f = Shown();
  Select("実行/関連付けのないとき");
  Click(f.Control("FileOpenFileButton"));
  ui::SetFileDialogHandler(old);
  EXPECT_EQ(seen.Filter, "実行ファイル(*.exe) | *.exe");
  EXPECT_EQ(seen.InitialDir, folder) << "the box's text is a folder";
  EXPECT_EQ(f.Control<ui::TEdit>("FileOpenFile").Text(), folder + "\\edit.exe");
  EXPECT_EQ(f.RunOptions()->ReadString("FileOpenFile", ""), folder + "\\edit.exe");
  EXPECT_TRUE(f.ApplyButton().Enabled());
}

// The system's own choosers, once each for real: what is picked in them
// reaches the box and the store.
TEST_F(SettingRowsTest, TheRealFileDialogAndColourChooserFillTheirRows) {
  const std::string folder = td / "tools";
  fileio::ForceDirectories(folder);
  WriteTextFile(folder + "\\edit.exe", "MZ");
  WriteTextFile(data + "\\RunCommand.ini", "FileOpenMode=1\r\nFileOpenFile=" + sjis::ReplaceAll(folder, "\\", "\\\\") + "\r\n");
  int dialogs = 0;
  ui::TDialogHook hook([&](HWND dialog) {
    ++dialogs;
    // The file dialog's name box takes the program; the colour chooser keeps
    // the colour it was opened with. OK either way.
    SetDlgItemTextA(dialog, cmb13, (folder + "\\edit.exe").c_str());
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  });
  TRZSettingMain& f = Shown();
  Select("実行/関連付けのないとき");
  Click(f.Control("FileOpenFileButton"));
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(sjis::EqualsIgnoreCase(f.Control<ui::TEdit>("FileOpenFile").Text(), folder + "\\edit.exe"))
      << f.Control<ui::TEdit>("FileOpenFile").Text();

  Select("表示/配色");
  const COLORREF before = f.Control<ui::TPanel>("Swatch1").Color();
  Click(f.Control("ColourButton1"));
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(f.Control<ui::TPanel>("Swatch1").Color(), before);
  EXPECT_TRUE(f.ApplyButton().Enabled());
}

TEST_F(SettingRowsTest, TheExtensionButtonEnablesApplyOnlyForAChangedList) {
  WriteTextFile(data + "\\RunCommand.ini", "RunByParam=1\r\n");
  TRZSettingMain& f = Shown();
  Select("実行");
  std::string caption;
  std::function<void()> script;
  auto modal = app->OnModal.Add([&](ui::TForm& d) {
    if (dynamic_cast<TEditFileExtLine*>(&d)) {
      Keys("bat{Enter}");
      return;
    }
    caption = d.Caption();
    Drain();
    script();
    if (d.ModalResult() == 0) Keys("{Esc}");
  });
  script = [] {};
  Click(f.Control("Button25"));
  EXPECT_EQ(caption, "拡張子の設定");
  EXPECT_FALSE(f.ApplyButton().Enabled()) << "nothing changed";
  script = [this] { Press({VK_CONTROL, 'N'}); };
  Click(f.Control("Button25"));
  EXPECT_TRUE(f.ApplyButton().Enabled());
  EXPECT_GE(f.Settings()->ExecutableFileList.IndexOf(".bat"), 0);
}

TEST_F(SettingRowsTest, TheFixedNotesOfTheRunTimerAndFilerPages) {
  TRZSettingMain& f = Shown();
  EXPECT_EQ(f.Control<ui::TLabel>("RunNote").Caption(),
            "※データファイルにパラメータとして実行ファイルが与えられた場合、\r\n"
            "　その実行ファイルでデータファイルを開きます\r\n\r\n"
            "  パラメータが与えられていない場合、関連付けから開きます。");
  EXPECT_EQ(f.Control<ui::TLabel>("TimerNote").Caption(), "※BackSpaceか[←]でキャンセルされます");
  EXPECT_EQ(f.Control<ui::TLabel>("FilerNote").Caption(), "") << "set at the first visit";
  Select("実行/ファイラー");
  const std::string note = f.Control<ui::TLabel>("FilerNote").Caption();
  EXPECT_EQ(note.substr(0, note.find("%2")),
            "ここでパラメータを指定した場合、\r\n\r\n    %*  がリンク先+実行時指定したパラメータ全体と、\r\n"
            "    %1  がリンク先と、\r\n    ");
  EXPECT_NE(note.find("    %2  が第1パラメータと、\r\n"), std::string::npos);
  EXPECT_EQ(note.substr(note.rfind("\r\n") + 2), "    %9  が第8パラメータと、 置き換えられます。");
}

// ---- キー割り当て ----

class SettingKeyAssignTest : public SettingFormTest {
 protected:
  void SetUp() override {
    SettingFormTest::SetUp();
    fileio::ForceDirectories(data + "\\Items");
    WriteTextFile(data + "\\Items\\%.vane", "alpha\tType=0\r\nbeta\tType=0\r\n日本語\tType=0\r\n");
  }
  // The keyword hotkey dialog, answered with a keyword (empty: as it is) and a key with Ctrl.
  std::function<void(ui::TForm&)> Answer(const char* keyword, WORD key) {
    return [this, keyword, key](ui::TForm& d) {
      auto& dialog = dynamic_cast<TKW_HotKeyDialog&>(d);
      ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
      Drain();
      if (*keyword) SendMessageA(dialog.KeyWordBox().Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(keyword));
      dialog.KeyWordBox().HidePopup();
      Click(dialog.HotKeyBox());
      Press({VK_CONTROL, key});
      RunIdle(*app);
      Click(dialog.Control("OKButton"));
    };
  }
  void Run(ui::TWindow& button, std::function<void(ui::TForm&)> answer) {
    auto modal = app->OnModal.Add(std::move(answer));
    Click(button);
    Drain();
  }
  std::vector<std::string> Rows() {
    auto& view = form->Control<ui::TListView>("ListView1");
    std::vector<std::string> rows;
    for (int i = 0; i < view.Count(); ++i)
      rows.push_back(view.Caption(i) + " " + view.SubItem(i, 1) + " " + view.SubItem(i, 2));
    return rows;
  }
  void ClickRow(int i) {
    auto& view = form->Control<ui::TListView>("ListView1");
    ClickAt(view.Handle(), view.ItemRect(i).left + 20, view.ItemRect(i).top + 4);
  }
};

TEST_F(SettingKeyAssignTest, KeywordHotKeysAreAddedChangedMovedAndDeleted) {
  TRZSettingMain& f = Shown();
  Select("入力/キー割り当て");
  auto& view = f.Control<ui::TListView>("ListView1");
  EXPECT_EQ(view.Count(), 0);
  EXPECT_FALSE(f.Control("Button9").Enabled());
  EXPECT_FALSE(f.Control("Button10").Enabled());

  Run(f.Control("Button8"), Answer("alpha", 'A'));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"alpha Ctrl+A アクティブ時"}));
  EXPECT_EQ(view.ItemIndex(), 0) << "the new row is selected";
  Run(f.Control("Button8"), Answer("beta", 'B'));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"beta Ctrl+B アクティブ時", "alpha Ctrl+A アクティブ時"}))
      << "at the selected row";
  ClickRow(1);
  Run(f.Control("Button8"), Answer("日本語", 'J'));
  EXPECT_EQ(view.Caption(1), "日本語") << "before the selected row";
  // Nothing selected: the new row goes to the top.
  ClickAt(view.Handle(), 100, view.ItemRect(view.Count() - 1).bottom + 30);
  ASSERT_EQ(view.ItemIndex(), -1);
  EXPECT_FALSE(f.Control("Button9").Enabled());
  Run(f.Control("Button8"), Answer("alpha", 'Q'));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"alpha Ctrl+Q アクティブ時", "beta Ctrl+B アクティブ時",
                                              "日本語 Ctrl+J アクティブ時", "alpha Ctrl+A アクティブ時"}));

  // 変更 on the last row, then moves by Alt+Up and Alt+Down.
  ClickRow(3);
  EXPECT_FALSE(f.Control("DownButton1").Enabled()) << "the last row";
  Run(f.Control("Button9"), Answer("", 'Z'));
  EXPECT_EQ(Rows().back(), "alpha Ctrl+Z アクティブ時");
  ClickRow(3);
  Press({VK_MENU, VK_UP});
  Press({VK_MENU, VK_UP});
  Press({VK_MENU, VK_DOWN});
  Press({VK_MENU, VK_UP});
  EXPECT_EQ(view.ItemIndex(), 1);
  EXPECT_EQ(Rows()[1], "alpha Ctrl+Z アクティブ時");
  // The Delete key deletes the selected row.
  ClickRow(0);
  Press({VK_DELETE});
  const std::vector<std::string> left = {"alpha Ctrl+Z アクティブ時", "beta Ctrl+B アクティブ時",
                                         "日本語 Ctrl+J アクティブ時"};
  EXPECT_EQ(Rows(), left);

  ASSERT_TRUE(f.ApplyButton().Enabled());
  Click(f.ApplyButton());
  TZMRTData saved(data);
  saved.Load();
  TKeyWordManager store(data + "\\Items", main);
  std::vector<std::string> stored;
  for (int i = 0; i < saved.GetKeyWordHotKeys().GetCount(); ++i) {
    const THotKeyItem& item = saved.GetKeyWordHotKeys().GetItem(i);
    stored.push_back(store.DecodeKeyWordIDs(item.GetName()) + " " + item.GetHotKeyText() + " " +
                     item.GetHotKeyClassInfo().Caption);
  }
  EXPECT_EQ(stored, left) << "the list in its order";
}

TEST_F(SettingKeyAssignTest, CancelledDialogsChangeNothing) {
  TRZSettingMain& f = Shown();
  Select("入力/キー割り当て");
  auto cancel = [this](ui::TForm& d) {
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == d.Handle(); }));
    Click(d.Control("CancelButton"));
  };
  Run(f.Control("Button8"), cancel);
  EXPECT_EQ(f.Control<ui::TListView>("ListView1").Count(), 0);
  Run(f.Control("Button8"), Answer("beta", 'B'));
  f.Button11Click();
  Run(f.Control("Button9"), cancel);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"beta Ctrl+B アクティブ時"}));
  EXPECT_FALSE(f.ApplyButton().Enabled());
  EXPECT_EQ(f.Settings()->GetKeyWordHotKeys().GetCount(), 1);
}

TEST_F(SettingKeyAssignTest, Screenshot) {
  WriteTextFile(data + "\\quorvane.ini", "Comment_C=\"0\",\"255\"\r\nInput_C=\"0\",\"255\"\r\n");
  WriteTextFile(data + "\\RunCommand.ini", "UseFiler=1\r\nFilerName=C:\\\\tools\\\\filer.exe\r\n");
  TRZSettingMain& f = Shown();
  Select("入力/キー割り当て");
  Run(f.Control("Button8"), Answer("alpha", 'A'));
  Run(f.Control("Button8"), Answer("日本語", 'J'));
  OfferScreenshot(f.Handle(), "editor-settings-key-assign");
  Select("表示/配色");
  SetFocus(f.Control("ComboBox4").Handle());
  Press({VK_DOWN});
  OfferScreenshot(f.Handle(), "editor-settings-colours-warning");
  Select("実行/ファイラー");
  OfferScreenshot(f.Handle(), "editor-settings-filer");
}

// ---- 配色 and the preview ----

TEST_F(SettingFormTest, AColourIsWrittenAtTheChosenStateAndTheDefaultsRestoreIt) {
  WriteTextFile(data + "\\quorvane.ini", "Comment_C=\"0\"\r\n");
  TRZSettingMain& f = Shown();
  Select("表示/配色");
  auto& state = f.Control<ui::TComboBox>("ComboBox4");
  auto& box = f.Control("PreviewBox");
  EXPECT_EQ(GetParent(box.Handle()), f.PageOf("配色")->Handle()) << "the preview moved onto 配色";
  SetFocus(state.Handle());
  Press({VK_DOWN});
  ASSERT_EQ(state.ItemIndex(), 1) << "警告時";
  EXPECT_EQ(f.Control<ui::TLabel>("PreviewLabel").FontColor(), GetSysColor(COLOR_WINDOWTEXT)) << "a missing entry";

  const auto before = AppliedLines(f, data);
  COLORREF offered = 1;
  auto old = ui::SetColorDialogHandler([&](ui::TColorDialogRequest& r) {
    offered = r.Color;
    r.Color = RGB(1, 2, 3);
    return true;
  });
  Click(f.Control("ColourButton1"));
  ui::SetColorDialogHandler(old);
  EXPECT_EQ(offered, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(f.Settings()->Comment_C, "\"0\",\"197121\"") << "padded to the state";
  EXPECT_EQ(f.Control<ui::TPanel>("Swatch1").Color(), RGB(1, 2, 3));
  EXPECT_EQ(f.Control<ui::TLabel>("PreviewLabel").FontColor(), RGB(1, 2, 3));
  ASSERT_TRUE(f.ApplyButton().Enabled());
  EXPECT_EQ(ChangedNames(before, AppliedLines(f, data)), std::set<std::string>{"quorvane.ini:Comment_C"});

  Click(f.Control("Button14"));
  for (int k = 0; k < kColourKeyCount; ++k)
    EXPECT_EQ(ColourEntry(f.Settings()->*ColourKeyField(k), 1), std::to_string(DefaultColourValue(k, 1))) << k;
  EXPECT_EQ(f.Control<ui::TLabel>("PreviewLabel").FontColor(), RGB(255, 0, 0));

  Select("表示");
  EXPECT_EQ(GetParent(box.Handle()), f.PageOf("表示")->Handle());
  EXPECT_EQ(f.Control<ui::TLabel>("PreviewLabel").FontColor(), GetSysColor(COLOR_WINDOWTEXT)) << "表示 shows 通常状態";
}

TEST_F(SettingFormTest, ThePreviewFollowsSizeIconAndFrame) {
  WriteTextFile(data + "\\quorvane.ini", "small=0\r\nshowicon=1\r\nBorderStyle=0\r\nWindowWidth=300\r\n");
  TRZSettingMain& f = Shown();
  Select("表示");
  auto& edit = f.Control<ui::TEdit>("PreviewEdit");
  auto check = [&](const char* name) {
    const TZMRTData& s = *f.Settings();
    const TPreviewGeometry g = PreviewGeometry(s.Small, s.showicon, s.BorderStyle, 300, edit.Height());
    const RECT r = f.Control("Preview").Bounds();
    EXPECT_EQ(r.right - r.left, g.Width) << name;
    EXPECT_EQ(r.bottom - r.top, g.Height) << name;
    const int inset = s.BorderStyle == 2 ? 0 : g.Frame;
    const RECT e = edit.Bounds();
    EXPECT_EQ(e.left, inset + g.InputLeft) << name;
    EXPECT_EQ(e.top, inset + g.InputTop) << name;
    EXPECT_EQ(e.right - e.left, g.InputWidth) << name;
    EXPECT_EQ(f.Control("PreviewLabel").Visible(), g.LabelVisible) << name;
    EXPECT_EQ(f.Control("PreviewIcon").Visible(), g.IconSize > 0) << name;
  };
  check("normal, icon, raised");
  Click(*f.Control<ui::TRadioGroup>("small").Button(1));
  check("small");
  Click(Check("showicon"));
  check("small, no icon");
  for (int frame = 1; frame < 4; ++frame) {
    SetFocus(f.Control("BorderStyle").Handle());
    Press({VK_DOWN});
    ASSERT_EQ(f.Settings()->BorderStyle, frame);
    check(("frame " + std::to_string(frame)).c_str());
  }
}

TEST_F(SettingFormTest, HelpOpensThePagesFileOrSaysItIsMissing) {
  const std::string doc = main + "\\Files\\doc\\setting\\";
  fileio::ForceDirectories(doc + "input\\list");
  fileio::ForceDirectories(doc + "run");
  WriteTextFile(doc + "input\\list\\custmize.html", "<html></html>");
  WriteTextFile(doc + "run\\タイマー.html", "<html></html>");
  TRZSettingMain& f = Shown();
  struct Case {
    const char* path;
    std::string file;
    bool exists;
  } cases[] = {
      {"入力/候補リスト/カスタマイズ", doc + "input\\list\\custmize.html", true},
      {"実行/タイマー", doc + "run\\タイマー.html", true},
      {"表示/配色", doc + "display\\color.html", false},
  };
  for (const Case& c : cases) {
    Select(c.path);
    shell.starts.clear();
    boxes.clear();
    Press({VK_F1});
    if (c.exists) {
      ASSERT_EQ(shell.starts.size(), 1u) << c.path;
      EXPECT_EQ(shell.starts[0].file, c.file);
      EXPECT_FALSE(shell.starts[0].verbSet);
      EXPECT_EQ(shell.starts[0].nShow, SW_SHOWNORMAL);
      EXPECT_TRUE(boxes.empty());
    } else {
      EXPECT_TRUE(shell.starts.empty());
      ASSERT_EQ(boxes.size(), 1u) << c.path;
      EXPECT_EQ(boxes[0].Text, "ヘルプが見つかりません " + c.file);
      EXPECT_EQ(boxes[0].Caption, "quorvane");
    }
  }
  (void)f;
}

TEST_F(SettingFormTest, CtrlArrowsWalkTheTree) {
  WriteTextFile(data + "\\Dialogs.ini", "Setting_Expanded=None\r\nSetting_Selected=入力\r\n");
  TRZSettingMain& f = Shown();
  ui::TTreeNode* input = FindNodeByPath("入力", '/', &f.TreeView1());
  Press({VK_CONTROL, VK_RIGHT});
  EXPECT_TRUE(input->Expanded()) << "a collapsed node expands";
  Press({VK_CONTROL, VK_RIGHT});
  EXPECT_EQ(Selected(), "入力/候補リスト") << "an expanded node selects its first child";
  Press({VK_CONTROL, VK_DOWN});
  EXPECT_EQ(Selected(), "入力/オートコンプリート") << "the next visible node (候補リスト is collapsed)";
  Press({VK_CONTROL, VK_UP});
  Press({VK_CONTROL, VK_UP});
  EXPECT_EQ(Selected(), "入力");
  Press({VK_CONTROL, VK_LEFT});
  EXPECT_FALSE(input->Expanded()) << "an expanded node collapses";
  Press({VK_CONTROL, VK_LEFT});
  EXPECT_EQ(Selected(), "入力") << "a root node has no parent to go to";
  Press({VK_CONTROL, VK_UP});
  EXPECT_EQ(Selected(), "基本");
  Press({VK_CONTROL, VK_UP});
  EXPECT_EQ(Selected(), "基本") << "nothing above the first node";
  EXPECT_EQ(f.PageControl1().ActivePage()->Caption(), "基本");
}

TEST_F(SettingFormTest, ThreeNodesAreDrawnBold) {
  TRZSettingMain& f = Shown();
  for (const char* caption : {"基本", "ショートカット登録", "呼び出しキー", "入力", "登録"}) {
    ui::TTreeItemDraw item;
    item.Node = FindNodeByPath(caption, '/', &f.TreeView1());
    if (!item.Node) item.Node = FindNodeByPath(std::string("基本/") + caption, '/', &f.TreeView1());
    ASSERT_TRUE(item.Node) << caption;
    item.Selected = true;
    item.Hot = true;
    f.TreeView1CustomDrawItem(item);
    const bool emphasised = std::string(caption) != "入力" && std::string(caption) != "登録";
    EXPECT_EQ(item.FontStyle, emphasised ? (ui::fsBold | ui::fsUnderline) : 0u) << caption;
    EXPECT_EQ(item.BackColor, emphasised ? GetSysColor(COLOR_BTNFACE) : 0u) << caption;
  }
}

// ---- Closing ----

TEST_F(SettingFormTest, CancelAndOKBothSaveTheDialogOptions) {
  for (const char* button : {"Button2", "Button1"}) {
    DeleteFileA((data + "\\Dialogs.ini").c_str());
    TRZSettingMain& f = Shown();
    Select("登録");
    Click(Check("AnalyzeShortCut"));
    Click(f.Control(button));
    EXPECT_FALSE(f.Visible()) << button;
    EXPECT_EQ(IniLines(data + "\\Dialogs.ini")["AnalyzeShortCut"], "1") << button;
    EXPECT_EQ(fileio::FileExists(data + "\\quorvane.ini"), std::string(button) == "Button1")
        << button << ": OK applies the enabled Apply first";
    DeleteFileA((data + "\\quorvane.ini").c_str());
    form.reset();
  }
}

TEST_F(SettingFormTest, OKWithApplyDisabledWritesNeitherSettingsNorRunOptions) {
  TRZSettingMain& f = Shown();
  Press({VK_RETURN});
  EXPECT_FALSE(f.Visible());
  EXPECT_FALSE(fileio::FileExists(data + "\\quorvane.ini"));
  EXPECT_FALSE(fileio::FileExists(data + "\\RunCommand.ini"));
  EXPECT_TRUE(fileio::FileExists(data + "\\Dialogs.ini"));
}

// ---- Apply ----

// A window of the launcher's class and caption that records what it is sent,
// and which files existed when the message came.
struct StandInLauncher {
  static inline StandInLauncher* current = nullptr;
  HWND hwnd = nullptr;
  std::string data;
  ULONG_PTR word = 0;
  HWND sender = nullptr;
  std::string senderCaption;
  std::vector<std::string> filesThen;
  std::string folder;

  explicit StandInLauncher(std::string dataFolder) : folder(std::move(dataFolder)) {
    current = this;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TZMRTMain";
    RegisterClassA(&wc);
    hwnd = CreateWindowA("TZMRTMain", "quorvanemain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~StandInLauncher() {
    DestroyWindow(hwnd);
    UnregisterClassA("TZMRTMain", GetModuleHandleA(nullptr));
    current = nullptr;
  }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COPYDATA && current) {
      auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lp);
      current->data.assign(static_cast<const char*>(cds->lpData), cds->cbData);
      current->word = cds->dwData;
      current->sender = reinterpret_cast<HWND>(wp);
      char caption[256] = {};
      GetWindowTextA(current->sender, caption, sizeof caption);
      current->senderCaption = caption;
      for (const char* f : {"quorvane.ini", "Items\\IDList.txt", "RunCommand.ini", "Dialogs.ini"})
        if (fileio::FileExists(current->folder + "\\" + f)) current->filesThen.push_back(f);
      return 1;
    }
    return DefWindowProcA(w, msg, wp, lp);
  }
};

TEST_F(SettingFormTest, ApplyWritesTheStoresThenTellsTheLauncherToReload) {
  StandInLauncher launcher(data);
  TRZSettingMain& f = Shown();
  f.Settings()->hideWhenStart = true;
  f.RunOptions()->WriteInteger("UseFiler", 1);
  {  // a keyword store with something to write
    f.PendingChanges().Add("StartUp");
  }
  Select("登録");
  Click(Check("SelectPriority"));
  ASSERT_TRUE(f.ApplyButton().Enabled());
  Click(f.ApplyButton());

  EXPECT_EQ(launcher.data, std::string("/ReLoad", 8)) << "8 bytes with the NUL";
  EXPECT_EQ(launcher.word, 1u);
  EXPECT_EQ(launcher.sender, f.Handle());
  EXPECT_EQ(launcher.senderCaption, "設定反映中・・・");
  EXPECT_EQ(launcher.filesThen, (std::vector<std::string>{"quorvane.ini", "RunCommand.ini", "Dialogs.ini"}))
      << "every store is written before the notice";
  EXPECT_EQ(IniLines(data + "\\quorvane.ini")["hideWhenStart"], "1");
  EXPECT_EQ(IniLines(data + "\\RunCommand.ini")["UseFiler"], "1");
  EXPECT_EQ(IniLines(data + "\\Dialogs.ini")["SelectPriority"], "1");
  EXPECT_FALSE(f.ApplyButton().Enabled());
  EXPECT_EQ(f.Caption(), "quorvaneの設定");
  EXPECT_EQ(f.PendingChanges().Count(), 0);
}

TEST_F(SettingFormTest, ApplyWithoutALauncherWritesEveryFileAndSendsNothing) {
  ASSERT_EQ(FindLauncherMainWindow(), nullptr);
  TRZSettingMain& f = Shown();
  Select("登録");
  Click(Check("SelectPriority"));
  Click(f.ApplyButton());
  for (const char* file : {"quorvane.ini", "RunCommand.ini", "Dialogs.ini"})
    EXPECT_TRUE(fileio::FileExists(data + "\\" + file)) << file;
  EXPECT_FALSE(f.ApplyButton().Enabled());
}

// ---- First run ----

class SettingFirstRunTest : public SettingFormTest {
 protected:
  void SetUp() override {
    SettingFormTest::SetUp();
    const std::string files = main + "\\Files\\";
    fileio::ForceDirectories(files + "Items");
    fileio::ForceDirectories(files + "Icons");
    WriteTextFile(files + "Items\\%.vane", "shipped\tType=0\tCommand=notepad\r\n");
    WriteTextFile(files + "Icons\\a.ico", "icon");
    WriteTextFile(files + "shortcut.txt", "shipped keys\r\n");
    WriteTextFile(files + "quorvane.ini", "Mode=1\r\n");
  }
};

TEST_F(SettingFirstRunTest, NewCopiesOnlyWhatIsMissingAndSaysWhereTheDataGo) {
  WriteTextFile(data + "\\quorvane.ini", "Mode=2\r\n");  // already there: kept
  TRZSettingMain& f = Open({"/setting", "/new"});
  EXPECT_TRUE(fileio::FileExists(data + "\\Items\\%.vane"));
  EXPECT_TRUE(fileio::FileExists(data + "\\Icons\\a.ico"));
  EXPECT_EQ(ReadFile(data + "\\shortcut.txt"), "shipped keys\r\n");
  EXPECT_EQ(ReadFile(data + "\\quorvane.ini"), "Mode=2\r\n") << "never overwritten";
  EXPECT_EQ(f.Settings()->Mode, 2);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Caption, "quorvane");
  EXPECT_EQ(boxes[0].Text,
            "初回起動なので設定ウィンドウを表示します\r\n\r\n\r\n各種設定、データは\r\n\r\n"
            "[ quorvaneのフォルダ ]\\Users\\All Users\r\n\r\nに保存されます。\r\n\r\n\r\n"
            "データのバックアップを取る際には「All Users」フォルダごと保存してください");
}

TEST_F(SettingFirstRunTest, ClosingStartsTheLauncherAndWaitsAtMostSixtySeconds) {
  DWORD now = 0;
  std::vector<DWORD> sleeps;
  int looks = 0;
  TSettingServices s = Services();
  s.Clock = [&] { return now; };
  s.Sleep = [&](DWORD ms) {
    sleeps.push_back(ms);
    now += ms;
  };
  s.FindLauncher = [&] {
    ++looks;
    return static_cast<HWND>(nullptr);
  };
  bool told = false;
  s.SendIngMessage = [&](bool forced) { told = forced; };
  TRZSettingMain& f = Open({"/setting", "/new"}, s);
  f.Show();
  boxes.clear();
  f.Close();
  EXPECT_FALSE(f.Visible());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "ドラッグアンドドロップでファイルやURLを登録出来ます");
  ASSERT_EQ(shell.starts.size(), 1u);
  EXPECT_EQ(shell.starts[0].file, main + "\\quorvane.exe");
  EXPECT_EQ(shell.starts[0].params, "/New");
  EXPECT_FALSE(shell.starts[0].verbSet);
  EXPECT_FALSE(shell.starts[0].dirSet);
  EXPECT_EQ(shell.starts[0].nShow, SW_SHOWDEFAULT);
  EXPECT_EQ(shell.starts[0].hwnd, f.Handle());
  ASSERT_FALSE(sleeps.empty());
  EXPECT_EQ(sleeps.back(), 500u);
  EXPECT_EQ(now, 60100u + 500u) << "the last look came after 60 s";
  EXPECT_EQ(looks, 602);
  EXPECT_TRUE(told) << "told forced";
}

TEST_F(SettingFirstRunTest, TheWaitEndsWhenTheLauncherComes) {
  DWORD now = 0;
  TSettingServices s = Services();
  s.Clock = [&] { return now; };
  s.Sleep = [&](DWORD ms) { now += ms; };
  s.FindLauncher = [&] { return now >= 300 ? GetDesktopWindow() : nullptr; };
  TRZSettingMain& f = Open({"/setting", "/new"}, s);
  f.Close();
  EXPECT_EQ(now, 800u);
}

// ---- Pictures ----

TEST_F(SettingFormTest, Screenshot) {
  WriteTextFile(data + "\\quorvane.ini", "Mode=0\r\n");
  TRZSettingMain& f = Shown();
  Select("基本");
  OfferScreenshot(f.Handle(), "editor-settings-basic");
  form.reset();
  WriteTextFile(data + "\\quorvane.ini", "Mode=2\r\n");
  WriteTextFile(data + "\\Dialogs.ini", "Setting_Expanded=基本,入力\r\nSetting_Selected=動作設定\r\n");
  TRZSettingMain& g = Shown();
  EXPECT_EQ(Selected(), "基本/動作設定");
  OfferScreenshot(g.Handle(), "editor-settings-setting");
  Select("入力/候補リスト/カスタマイズ");
  OfferScreenshot(g.Handle(), "editor-settings-customize");
  Select("入力/キーカスタマイズ");
  OfferScreenshot(g.Handle(), "editor-settings-keys");
}

}  // namespace

namespace {

// What the editor's log writes, kept in memory.
class LogCapture : public TDebugSink {
 public:
  void Echo(std::string_view) override {}
  void SaveFile(std::string_view) override {}
  void AppendFile(std::string_view) override {}
  void RemoveFile() override {}
};

TEST_F(SettingFormTest, ApplyLogsTheHandleAndThePayload) {
  StandInLauncher launcher(data);
  DebugOut().Start(TDebugStyle::Editor, std::make_unique<LogCapture>());
  TRZSettingMain& f = Shown();
  Select("登録");
  Click(Check("SelectPriority"));
  Click(f.ApplyButton());
  const std::string log = DebugOut().Text();
  DebugOut().Finish();
  EXPECT_NE(log.find("USettingForm.SendMessage:" + std::to_string(reinterpret_cast<INT_PTR>(launcher.hwnd))),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("/ReLoad\r\n"), std::string::npos) << log;
}

template <class F>
bool WaitFor(F done, DWORD boundMs = 30000) {
  for (DWORD waited = 0; waited < boundMs; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

// The installed launcher in the temp main folder, started with "/Debug".
class SettingWithLauncherTest : public SettingFormTest {
 protected:
  HANDLE process = nullptr;
  void TearDown() override {
    if (process) {
      if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        if (HWND w = FindLauncherMainWindow()) PostMessageA(w, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 10000) == WAIT_TIMEOUT) TerminateProcess(process, 1);
      }
      CloseHandle(process);
    }
    SettingFormTest::TearDown();
  }
  HWND StartLauncher() {
    const std::string exe = main + "\\quorvane.exe";
    if (!CopyFileA(QV_LAUNCHER_EXE, exe.c_str(), FALSE)) return nullptr;
    fileio::ForceDirectories(data + "\\Items");
    fileio::ForceDirectories(data + "\\Icons");
    WriteTextFile(data + "\\quorvane.ini", "version=150103\r\nMode=0\r\n");
    std::string line = "\"" + exe + "\" /Debug";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, main.c_str(), &si, &pi))
      return nullptr;
    CloseHandle(pi.hThread);
    process = pi.hProcess;
    if (!WaitFor([&] { return Log().find("TZMRTMain.Craete:END") != std::string::npos; })) return nullptr;
    HWND launcher = FindLauncherMainWindow();
    // Out of the way until it is called up.
    if (launcher) SendLines(launcher, "/hide");
    if (!WaitFor([&] { return !IsWindowVisible(launcher); })) return nullptr;
    return launcher;
  }
  static void SendLines(HWND window, const std::string& lines) {
    std::string text = lines + std::string(1, '\0');
    COPYDATASTRUCT cds = {1, static_cast<DWORD>(text.size()), text.data()};
    SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
  }
  std::string Log() { return ReadFile(main + "\\Debug.txt"); }
};

TEST_F(SettingWithLauncherTest, ApplyReloadsTheRealLauncherAndNotResidentEndsItAtEsc) {
  HWND launcher = StartLauncher();
  ASSERT_TRUE(launcher) << Log();
  const size_t reloadsBefore = Log().find("/ReLoad");
  EXPECT_EQ(reloadsBefore, std::string::npos);

  TRZSettingMain& f = Shown();
  Click(*f.Control<ui::TRadioGroup>("Mode").Button(1));  // 非常駐モード
  ASSERT_TRUE(f.ApplyButton().Enabled());
  Click(f.ApplyButton());
  EXPECT_EQ(IniLines(data + "\\quorvane.ini")["endWhenHide"], "1");
  ASSERT_TRUE(WaitFor([&] { return Log().find("/ReLoad") != std::string::npos; })) << Log();

  // Called up, the launcher now ends when Esc hides it.
  SendLines(launcher, "/Activate");
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(launcher) && GetForegroundWindow() == launcher; }))
      << "the launcher did not come up in front";
  WaitForInputIdle(process, 5000);
  Sleep(300);
  realinput::Type("{Esc}");
  EXPECT_EQ(WaitForSingleObject(process, 20000), WAIT_OBJECT_0) << "still running after Esc";
}

// The journey: a system-wide keyword hotkey made on キー割り当て runs its
// keyword in the real launcher after Apply's reload.
TEST_F(SettingWithLauncherTest, ASystemWideKeywordHotKeyAddedAndAppliedRunsItsKeywordInTheLauncher) {
  fileio::ForceDirectories(data + "\\Items");
  const std::string recorder = sjis::ReplaceAll(QV_FRONT_WINDOW_EXE, "/", "\\");
  WriteTextFile(data + "\\Items\\%.vane",
                "記録\tType=0\tCommand=" + sjis::ReplaceAll(recorder, "\\", "\\\\") + "\r\n");
  HWND launcher = StartLauncher();
  ASSERT_TRUE(launcher) << Log();
  ASSERT_EQ(FindWindowA("QvFrontWindow", nullptr), nullptr);

  TRZSettingMain& f = Shown();
  Select("入力/キー割り当て");
  {
    auto modal = app->OnModal.Add([&](ui::TForm& d) {
      auto& dialog = dynamic_cast<TKW_HotKeyDialog&>(d);
      ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
      Drain();
      SendMessageA(dialog.KeyWordBox().Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("記録"));
      dialog.KeyWordBox().HidePopup();
      ui::SetTrackMenuHandler(
          [&](const ui::TTrackMenuRequest&) { return dialog.ScopeButton().Menu().Items().Item(1)->Command(); });
      ClickAt(dialog.ScopeButton().Handle(), 8, 8);
      ui::SetTrackMenuHandler(nullptr);
      Click(dialog.HotKeyBox());
      Press({VK_CONTROL, VK_SHIFT, 'Q'});
      RunIdle(*app);
      Click(dialog.Control("OKButton"));
    });
    Click(f.Control("Button8"));
    Drain();
  }
  auto& view = f.Control<ui::TListView>("ListView1");
  ASSERT_EQ(view.Count(), 1);
  EXPECT_EQ(view.Caption(0), "記録");
  EXPECT_EQ(view.SubItem(0, 2), "常駐時");
  ASSERT_TRUE(f.ApplyButton().Enabled());
  Click(f.ApplyButton());
  ASSERT_TRUE(WaitFor([&] { return Log().find("/ReLoad") != std::string::npos; })) << Log();
  Sleep(500);

  Press({VK_CONTROL, VK_SHIFT, 'Q'});
  HWND recorded = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (recorded = FindWindowA("QvFrontWindow", nullptr)) != nullptr; }))
      << "the keyword did not run: " << view.SubItem(0, 1);
  if (recorded) PostMessageA(recorded, WM_CLOSE, 0, 0);
}

}  // namespace
