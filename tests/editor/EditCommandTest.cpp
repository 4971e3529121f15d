// The keyword dialogs on a keyword store in a temp folder, shown modally and
// driven from the application's modal report with real keys.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "core/Basic_Env_Handler.h"
#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/KeyWordX.h"
#include "core/Sjis.h"
#include "editor/SelectButton.h"
#include "editor/UEditNormalCommand2.h"
#include "editor/URZEditorMain.h"
#include "tests/support/DataSource.h"
#include "tests/support/DropBlocks.h"
#include "tests/support/RealInput.h"
#include "tests/support/TempDir.h"
#include "tests/ui/UiFixture.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/PageControl.h"

namespace {

using V = std::vector<std::string>;

class RecordingStarter : public IShellStarter {
 public:
  bool Start(SHELLEXECUTEINFOA& start) override {
    files.push_back(start.lpFile ? start.lpFile : "");
    verbs.push_back(start.lpVerb ? start.lpVerb : "");
    return true;
  }
  V files, verbs;
};

// A store: the root holds notepad (a command), other and the group tools,
// which holds ftp.
class CommandDialogTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    paths = TFilePaths(td / "Main");
    ASSERT_TRUE(fileio::ForceDirectories(paths.ItemsDir));
    ASSERT_TRUE(fileio::ForceDirectories(td / "Tools"));
    WriteTextFile(td / "Tools\\App.exe", "MZ");
    WriteTextFile(paths.ItemsDir + "\\%.vane",
                  "notepad\tType=0\tCommand=" + Escaped(td / "Tools\\App.exe") + "\tComment=メモ帳\tWait=1\tUseKeyword=0\r\n"
                  "other\tType=0\tCommand=x\tUseKeyword=0\r\n"
                  "tools\tType=5\r\n");
    WriteTextFile(paths.ItemsDir + "\\%tools.vane", "ftp\tType=0\tCommand=ftp.exe\tUseKeyword=0\r\n");
    state().Load(paths);
    state().DeleteItem = nullptr;
    m = std::make_unique<TKeyWordManager>(state().ItemsDir, state().MainDir);
    m->RunServices.ShellStart = &starter;
  }
  void TearDown() override {
    state().DeleteItem = nullptr;
    m.reset();
    UiTest::TearDown();
  }
  static std::string Escaped(const std::string& s) { return sjis::ReplaceAll(s, "\\", "\\\\"); }
  static TEditorState& state() { return EditorState(); }

  // Shows the dialog on the item; drive runs once the dialog is up and in
  // front. A dialog still open afterwards is ended with IDABORT.
  TKeyWordX* Run(TEditCommand& dlg, TKeyWordX& item, const std::function<void()>& drive, bool isNew = false) {
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      if (&f != &dlg) return;
      if (!PumpUntil([&] { return GetForegroundWindow() == dlg.Handle(); })) ADD_FAILURE() << "not in front";
      drive();
      Drain();
      if (dlg.Modal() && dlg.ModalResult() == 0) dlg.SetModalResult(IDABORT);
    });
    return dlg.Execute(item, state().HotKeyLines, *m, isNew, item.Name);
  }
  // Replaces the box's text by typing it.
  void TypeInto(ui::TEdit& box, const std::string& text) {
    box.Focus();
    SendMessageA(box.Handle(), EM_SETSEL, 0, -1);
    realinput::Type(text.empty() ? "{Del}" : text);
    Drain();
  }

  TempDir td;
  TFilePaths paths{td.path()};
  std::unique_ptr<TKeyWordManager> m;
  RecordingStarter starter;
};

// ---------------------------------------------------------------------------
// The hotkey line

TEST_F(CommandDialogTest, StoreHotKeyRewritesTheKeywordsFirstLine) {
  const std::string kw = m->EncodeKeyWordIDs("notepad");
  struct Case {
    const char* name;
    V before;
    const char* text;
    int scope;
    V after;
  } cases[] = {
      {"scope only: kept place", {"other\t2\t65\t0", kw + "\t2\t66\t0", "x\t2\t67\t0"}, "Ctrl+B", 1,
       {"other\t2\t65\t0", kw + "\t2\t66\t1", "x\t2\t67\t0"}},
      {"new key: moved to the top", {"other\t2\t65\t0", kw + "\t2\t66\t0"}, "Ctrl+C", 0,
       {kw + "\t2\t67\t0", "other\t2\t65\t0"}},
      {"cleared: removed", {"other\t2\t65\t0", kw + "\t2\t66\t0"}, "なし", 0, {"other\t2\t65\t0"}},
      {"none before: on top", {"other\t2\t65\t0"}, "Alt+F5", 1, {kw + "\t1\t116\t1", "other\t2\t65\t0"}},
      {"double press kept", {"other\t2\t65\t0", kw + "\t2\t0\t1"}, "Ctrl*2", 1, {"other\t2\t65\t0", kw + "\t2\t0\t1"}},
      {"second line of the keyword stays", {kw + "\t2\t65\t0", "other\t2\t66\t0", kw + "\t4\t67\t1"}, "Ctrl+A", 1,
       {kw + "\t2\t65\t1", "other\t2\t66\t0", kw + "\t4\t67\t1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TStringList lines(c.before);
    TEditCommand::StoreHotKey("notepad", *m, lines, c.text, c.scope);
    EXPECT_EQ(lines.Items(), c.after);
  }
}

TEST_F(CommandDialogTest, DialogShowsTheFirstHotKeyLineOfTheKeyword) {
  state().HotKeyLines = TStringList(V{"other\t2\t65\t0", "NOTEPAD\t2\t66\t1", "notepad\t4\t67\t0"});
  auto item = m->FindKeyWord("notepad");
  TNormalCommandDlg dlg(nullptr);
  std::string shown;
  int scope = -1;
  Run(dlg, *item, [&] {
    shown = dlg.Control<ui::TEdit>("HotKeyEdit").Text();
    scope = dlg.Control<TSelectButton>("ScopeButton").Selected();
    realinput::Type("{Enter}");
  });
  EXPECT_EQ(shown, "Ctrl+B");
  EXPECT_EQ(scope, 1);
  // OK leaves both lines as they were: the first one kept its keys and place.
  EXPECT_EQ(state().HotKeyLines.Items(),
            (V{"other\t2\t65\t0", m->EncodeKeyWordIDs("notepad") + "\t2\t66\t1", "notepad\t4\t67\t0"}));
}

TEST_F(CommandDialogTest, OkWithDoublePressKeepsItsLine) {
  state().HotKeyLines = TStringList(V{"notepad\t2\t0\t1"});
  auto item = m->FindKeyWord("notepad");
  TNormalCommandDlg dlg(nullptr);
  EXPECT_EQ(Run(dlg, *item, [&] { realinput::Type("{Enter}"); }), item.get());
  EXPECT_EQ(state().HotKeyLines.Items(), (V{m->EncodeKeyWordIDs("notepad") + "\t2\t0\t1"}));
}

// ---------------------------------------------------------------------------
// The name

TEST_F(CommandDialogTest, NameCheckShowsWhyAndRenamesAtOnce) {
  auto item = m->FindKeyWord("notepad");
  TNormalCommandDlg dlg(nullptr);
  struct Case {
    const char* typed;
    const char* label;
    bool ok;
  } cases[] = {
      {"", "キーワード(必ず何か入力してください)(&K)", false},
      {"a;b", "キーワード(使用できない文字列です)(&K)", false},
      {"other", "キーワード(すでに使用されています)(&K)", false},
      {"fresh", "キーワード(&K)", true},
      {"NOTEPAD", "キーワード(&K)", true},  // its own old name in another case
  };
  Run(dlg, *item, [&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.typed);
      TypeInto(dlg.Control<ui::TEdit>("NameEdit"), c.typed);
      auto& label = dlg.Control<ui::TLabel>("NameLabel");
      EXPECT_EQ(label.Caption(), c.label);
      EXPECT_EQ(label.FontColor(), c.ok ? GetSysColor(COLOR_WINDOWTEXT) : COLORREF(255));
      EXPECT_EQ(dlg.Control("OKButton").Enabled(), c.ok);
      if (c.ok) EXPECT_TRUE(m->Exists(c.typed));
    }
    EXPECT_TRUE(m->Exists("NOTEPAD"));
    EXPECT_FALSE(m->Exists("fresh"));
    realinput::Type("{Esc}");
  });
  EXPECT_EQ(item->Name, "notepad");
}

TEST_F(CommandDialogTest, CancelOfAnExistingItemPutsNameAndDataBack) {
  auto item = m->FindKeyWord("notepad");
  const V before = item->Data()->Lines.Items();
  TNormalCommandDlg dlg(nullptr);
  EXPECT_EQ(Run(dlg, *item, [&] {
              TypeInto(dlg.Control<ui::TEdit>("NameEdit"), "renamed");
              TypeInto(dlg.Control<ui::TEdit>("CommentEdit"), "changed");
              TypeInto(dlg.Control<ui::TEdit>("ParamEdit"), "-x");
              EXPECT_EQ(item->GetComment(), "changed");
              EXPECT_EQ(item->GetParam(), "-x");
              EXPECT_TRUE(m->Exists("renamed"));
              dlg.Control<ui::TButton>("CancelButton").Click();
            }),
            nullptr);
  EXPECT_FALSE(m->Exists("renamed"));
  auto back = m->FindKeyWord("notepad");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Data()->Lines.Items(), before);
}

TEST_F(CommandDialogTest, DeletedItemStaysDeletedAndIsReportedSo) {
  state().DeleteItem = [](ui::TAction*, TKeyWordManager& manager, const std::string& path) {
    auto kw = manager.FindKeyWord(path);
    if (!kw) return false;
    kw->Delete();
    return true;
  };
  auto item = m->FindKeyWord("notepad");
  TNormalCommandDlg dlg(nullptr);
  EXPECT_EQ(Run(dlg, *item, [&] {
              TypeInto(dlg.Control<ui::TEdit>("NameEdit"), "renamed");
              dlg.Control<ui::TButton>("DeleteButton").Click();
            }),
            nullptr);
  EXPECT_TRUE(dlg.Deleted());
  EXPECT_FALSE(m->Exists("renamed"));
  EXPECT_FALSE(m->Exists("notepad"));
  EXPECT_EQ(m->GetNames("").Items(), (V{"other", "tools"}));
}

// ---------------------------------------------------------------------------
// Keys, pages, defaults, help

TEST_F(CommandDialogTest, CtrlArrowsSwitchPagesAndShiftEnterConfirms) {
  state().Dialogs.WriteInteger("ShowAdvanced", 1);
  auto item = m->FindKeyWord("notepad");
  TNormalCommandDlg dlg(nullptr);
  std::vector<int> pages;
  EXPECT_EQ(Run(dlg, *item, [&] {
              auto& p = dlg.Control<ui::TPageControl>("Pages");
              pages.push_back(p.ActivePageIndex());
              for (const char* keys : {"right", "right", "left"}) {
                realinput::Chord({VK_CONTROL, WORD(keys[0] == 'r' ? VK_RIGHT : VK_LEFT)});
                Drain();
                pages.push_back(p.ActivePageIndex());
              }
              realinput::Chord({VK_SHIFT, VK_RETURN});
            }),
            item.get());
  EXPECT_EQ(pages, (std::vector<int>{0, 1, 2, 1}));
}

TEST_F(CommandDialogTest, AdvancedSwitchFollowsAndStoresShowAdvanced) {
  auto item = m->FindKeyWord("notepad");
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    auto& sw = dlg.Control<ui::TButton>("AdvancedSwitch");
    EXPECT_FALSE(dlg.Control<ui::TTabSheet>("AdvancedSheet").TabVisible());
    EXPECT_EQ(sw.Caption(), TEditCommand::kShowAdvanced);
    sw.Click();
    EXPECT_TRUE(dlg.Control<ui::TTabSheet>("AdvancedSheet").TabVisible());
    EXPECT_EQ(sw.Caption(), TEditCommand::kHideAdvanced);
    EXPECT_EQ(state().Dialogs.ReadInteger("ShowAdvanced", 0), 1);
  });
}

TEST_F(CommandDialogTest, DefaultsKeepTheItemsOwnValuesOut) {
  auto item = m->FindKeyWord("notepad");
  answer = IDYES;
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    TypeInto(dlg.Control<ui::TEdit>("ParamEdit"), "-p");
    dlg.Control<ui::TButton>("DefaultsButton").Click();
  });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "現在の設定をデフォルトに設定してもよいですか?");
  EXPECT_EQ(boxes[0].Flags & MB_YESNO, UINT(MB_YESNO));
  TStringIni saved;
  saved.LoadFromFile(state().UserDir + "Dialog_Default_info\\Normal.ini");
  EXPECT_EQ(saved.ReadString("Wait", ""), "1");
  EXPECT_EQ(saved.ReadString("Type", ""), "0");
  for (const char* key : {"Comment", "Icon", "IIndex", "Command", "Dir", "Param"}) EXPECT_FALSE(saved.ValueExists(key)) << key;
}

TEST_F(CommandDialogTest, F1OpensTheHelpPageOrSaysItIsMissing) {
  auto item = m->FindKeyWord("notepad");
  const std::string page = state().MainDir + "Files\\doc\\window\\NormalCommand.html";
  {
    TNormalCommandDlg dlg(nullptr);
    Run(dlg, *item, [&] { realinput::Chord({VK_F1}); });
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "ヘルプが見つかりません " + page);
  EXPECT_EQ(boxes[0].Caption, "quorvane");
  EXPECT_TRUE(starter.files.empty());

  WriteTextFile(page, "<html></html>");
  {
    TNormalCommandDlg dlg(nullptr);
    Run(dlg, *item, [&] { realinput::Chord({VK_F1}); });
  }
  ASSERT_EQ(starter.files.size(), 1u);
  EXPECT_EQ(starter.files[0], "file:///" + sjis::ReplaceAll(page, "\\", "/") + "#basic");
  EXPECT_EQ(starter.verbs[0], "");
}

// ---------------------------------------------------------------------------
// The normal command's own boxes

TEST_F(CommandDialogTest, TargetFillsTheWorkingFolder) {
  auto item = m->FindKeyWord("other");
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    auto& target = dlg.Control<ui::TEdit>("TargetEdit");
    auto& label = dlg.Control<ui::TLabel>("TargetLabel");
    EXPECT_EQ(label.FontColor(), COLORREF(255));  // "x" is nothing
    TypeInto(target, td / "Tools\\App.exe");
    EXPECT_EQ(dlg.Control<ui::TEdit>("DirEdit").Text(), td / "Tools\\");
    EXPECT_EQ(item->Data()->ReadString("Dir", ""), td / "Tools\\");
    EXPECT_EQ(item->GetCommand(), td / "Tools\\App.exe");
    EXPECT_EQ(label.FontColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_FALSE(IsWindowVisible(dlg.Control("ReplaceLink").Handle()));
    TypeInto(target, td / "Tools");
    EXPECT_EQ(dlg.Control<ui::TEdit>("DirEdit").Text(), td / "Tools\\");
    TypeInto(target, "http://example.jp/");
    EXPECT_EQ(label.FontColor(), GetSysColor(COLOR_WINDOWTEXT));
  });
}

TEST_F(CommandDialogTest, OptionBoxesWriteTheirKeys) {
  auto item = m->FindKeyWord("notepad");
  state().Dialogs.WriteInteger("ShowAdvanced", 1);
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    EXPECT_TRUE(dlg.Control<ui::TCheckBox>("WaitCheck").Checked());  // Wait=1 and no Icon
    auto click = [&](const char* name) {
      auto& box = dlg.Control<ui::TCheckBox>(name);
      dlg.Control<ui::TPageControl>("Pages").SetActivePage(
          &dlg.Control<ui::TTabSheet>(std::string(name) == "WaitCheck" || std::string(name) == "ExpandEnvCheck"
                                          ? "DetailSheet"
                                          : "AdvancedSheet"));
      Drain();
      box.Focus();
      realinput::Type(" ");
      Drain();
    };
    click("ExpandEnvCheck");
    EXPECT_EQ(item->Data()->ReadString("ExpandEnvironmentStrings", ""), "1");
    click("ExpandEnvCheck");
    EXPECT_FALSE(item->Data()->ValueExists("ExpandEnvironmentStrings"));
    click("ExpandWildCard");
    EXPECT_EQ(item->Data()->ReadString("ExpandWildCard", ""), "0");
    click("ExpandWildCard");
    EXPECT_FALSE(item->Data()->ValueExists("ExpandWildCard"));
    click("QuoteParam");
    EXPECT_EQ(item->Data()->ReadString("QuoteParam", ""), "0");
    click("UseSetParam");
    EXPECT_EQ(item->GetUseKeyWord(), 4);
    click("WaitCheck");
    EXPECT_EQ(item->Data()->ReadString("Wait", ""), "0");
  });
}

// Saves a shell link the way the shell writes one.
void SaveLink(const std::string& file, const std::string& target) {
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    link->SetPath(target.c_str());
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
      wchar_t wide[MAX_PATH] = {};
      MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
      persist->Save(wide, TRUE);
      persist->Release();
    }
    link->Release();
  }
  CoUninitialize();
}

TEST_F(CommandDialogTest, LinkTargetReplacesTheLinkOrTheFailureIsSaid) {
  const std::string good = td / "good.lnk";  // typed: ASCII only
  const std::string broken = td / "broken.lnk";
  SaveLink(good, td / "Tools\\App.exe");
  WriteTextFile(td / "gone.exe", "MZ");
  SaveLink(broken, td / "gone.exe");
  ASSERT_TRUE(fileio::DeleteFileAt(td / "gone.exe"));
  auto item = m->FindKeyWord("other");
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    auto& target = dlg.Control<ui::TEdit>("TargetEdit");
    TypeInto(target, broken);
    ASSERT_TRUE(IsWindowVisible(dlg.Control("ReplaceLink").Handle()));
    dlg.Control<ui::TButton>("ReplaceLink").Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, TNormalCommandDlg::kLinkFailed);
    EXPECT_EQ(target.Text(), broken);

    TypeInto(target, good);
    dlg.Control<ui::TButton>("ReplaceLink").Click();
    Drain();
    EXPECT_EQ(target.Text(), td / "Tools\\App.exe");
    EXPECT_EQ(item->GetCommand(), td / "Tools\\App.exe");
    EXPECT_FALSE(IsWindowVisible(dlg.Control("ReplaceLink").Handle()));
  });
  EXPECT_EQ(boxes.size(), 1u);
}

// The left button pressed or released for real where the pointer is.
void LeftButton(bool down) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &in, sizeof in);
}

POINT CentreOf(HWND w) {
  RECT r = {};
  GetWindowRect(w, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(CommandDialogTest, WindowDraggedOntoByThePickerFillsTheItem) {
  HWND target = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "選ばれる窓", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 700, 500,
                                160, 80, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(target, nullptr);
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  auto item = m->FindKeyWord("other");
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    if (!dlg.PickerShown()) dlg.Control<ui::TButton>("IconSwitch").Click();
    ASSERT_TRUE(IsWindowVisible(dlg.PickerWindow()));
    realinput::PointerTo(CentreOf(dlg.PickerWindow()));
    Drain();
    ASSERT_EQ(WindowFromPoint(CentreOf(dlg.PickerWindow())), dlg.PickerWindow());
    LeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == dlg.PickerWindow(); }));
    POINT over = CentreOf(target);
    realinput::PointerTo({over.x - 20, over.y});
    Drain();
    realinput::PointerTo(over);
    Drain();
    LeftButton(false);
    Drain();
    EXPECT_TRUE(sjis::EqualsIgnoreCase(item->GetCommand(), self)) << item->GetCommand();
    EXPECT_EQ(item->GetComment(), "選ばれる窓");
    EXPECT_EQ(dlg.Control<ui::TEdit>("CommentEdit").Text(), "選ばれる窓");
    EXPECT_TRUE(sjis::EqualsIgnoreCase(item->GetDir(), sjis::ExtractFilePath(self))) << item->GetDir();
    EXPECT_EQ(item->Data()->ReadInteger("IIndex", -1), 0);
    // The program has an icon: the icon button is back.
    EXPECT_FALSE(dlg.PickerShown());
  });
  DestroyWindow(target);
}

TEST_F(CommandDialogTest, ChosenProgramGivesItsVersionCommentWhileTheFileButtonHasTheFocus) {
  const std::string program = QV_VERSION_FIXTURE_EXE;
  auto old = ui::SetFileDialogHandler([&](ui::TFileDialogRequest& r) {
    r.FileName = program;
    return true;
  });
  auto item = m->FindKeyWord("other");
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    auto& comment = dlg.Control<ui::TEdit>("CommentEdit");
    // Ctrl+O from the name box: the file is taken, the comment is not.
    realinput::Type("{^O}");
    Drain();
    EXPECT_EQ(item->GetCommand(), program);
    EXPECT_EQ(comment.Text(), "");
    TypeInto(dlg.Control<ui::TEdit>("TargetEdit"), "x");
    realinput::PointerTo(CentreOf(dlg.Control("FileButton").Handle()));
    Drain();
    LeftButton(true);
    LeftButton(false);
    Drain();
    EXPECT_EQ(item->GetCommand(), program);
    EXPECT_EQ(comment.Text(), "版を示す見本");
    EXPECT_EQ(item->GetComment(), "版を示す見本");
  });
  ui::SetFileDialogHandler(old);
}

TEST_F(CommandDialogTest, WorkingFolderLabelShowsWhetherTheFolderExists) {
  auto item = m->FindKeyWord("other");
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    dlg.Control<ui::TPageControl>("Pages").SetActivePageIndex(1);
    Drain();
    auto& dir = dlg.Control<ui::TEdit>("DirEdit");
    auto& label = dlg.Control<ui::TLabel>("DirLabel");
    struct Case {
      std::string typed;
      COLORREF color;
    } cases[] = {
        {td / "Nowhere", COLORREF(255)},
        {td / "Tools\\", GetSysColor(COLOR_WINDOWTEXT)},
        {"", GetSysColor(COLOR_WINDOWTEXT)},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.typed);
      TypeInto(dir, c.typed);
      realinput::Type("{Esc}");  // closes a candidate list, if one opened
      Drain();
      EXPECT_EQ(item->Data()->ReadString("Dir", ""), c.typed);
      EXPECT_EQ(label.FontColor(), c.color);
    }
  });
}

TEST_F(CommandDialogTest, FolderButtonsFillTheirBoxFromThePicker) {
  std::vector<std::string> titles, roots;
  auto old = ui::SetBrowseFolderHandler([&](ui::TBrowseFolderRequest& r) {
    titles.push_back(r.Title);
    roots.push_back(r.Root);
    r.Folder = td / "Tools";
    return true;
  });
  auto item = m->FindKeyWord("notepad");
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    dlg.Control<ui::TButton>("TargetFolder").Click();
    Drain();
    EXPECT_EQ(dlg.Control<ui::TEdit>("TargetEdit").Text(), td / "Tools");
    EXPECT_EQ(item->GetCommand(), td / "Tools");
    dlg.Control<ui::TButton>("DirFolder").Click();
    Drain();
    EXPECT_EQ(item->Data()->ReadString("Dir", ""), td / "Tools");
  });
  ui::SetBrowseFolderHandler(old);
  EXPECT_EQ(titles, (V{"フォルダの選択", "フォルダの選択"}));
  // The target's own folder first: the file's folder, then the folder itself.
  ASSERT_EQ(roots.size(), 2u);
  EXPECT_TRUE(sjis::EqualsIgnoreCase(roots[0], td / "Tools\\") || sjis::EqualsIgnoreCase(roots[0], td / "Tools"))
      << roots[0];
}

// A browser's link dragged for real: onto the target box it replaces the
// box's text by the chosen part; outside the boxes it makes the item.
TEST_F(CommandDialogTest, DraggedWebLinkGoesIntoTheBoxOrMakesTheItem) {
  std::vector<std::string> menu;
  auto oldMenu = ui::SetTrackMenuHandler([&](const ui::TTrackMenuRequest& r) -> UINT {
    UINT chosen = 0;
    for (int i = 0; i < GetMenuItemCount(r.Menu); ++i) {
      char text[64] = {};
      GetMenuStringA(r.Menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      menu.push_back(text);
      if (std::string(text) == TDropFormLite::kPasteURL) chosen = GetMenuItemID(r.Menu, i);
    }
    return chosen;
  });
  auto dragTo = [](POINT at) {
    realinput::PointerTo(at);
    DataSource source;
    source.Put(TDropFormLite::Formats().FileGroupDescriptor, FileGroupDescriptorBlock(1, "例のページ.url"))
        .Text("http://example.jp/");
    auto* dropSource = new ImmediateDropSource;
    DWORD effect = 0;
    EXPECT_EQ(DoDragDrop(source.get(), dropSource, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect), DRAGDROP_S_DROP);
    dropSource->Release();
  };
  auto item = m->NewKeyWord("", "", kTypeCommand);
  ASSERT_TRUE(item);
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    auto& target = dlg.Control<ui::TEdit>("TargetEdit");
    TypeInto(target, "old");
    dragTo(CentreOf(target.Handle()));
    Drain();
    EXPECT_EQ(menu, (V{"URLを貼り付け", "タイトルを貼り付け", "キャンセル"}));
    EXPECT_EQ(target.Text(), "http://example.jp/");
    EXPECT_EQ(item->GetCommand(), "http://example.jp/");
    EXPECT_TRUE(item->Name.empty());

    RECT r = {};
    GetWindowRect(dlg.Control("ParamEdit").Handle(), &r);
    dragTo({r.left + 20, r.bottom + 12});  // the page below the parameter box
    Drain();
    EXPECT_EQ(dlg.Control<ui::TEdit>("NameEdit").Text(), "例のページ");
    EXPECT_EQ(item->Name, "例のページ");
    EXPECT_EQ(item->GetComment(), "例のページ");
    realinput::Type("{Enter}");
  }, true);
  ui::SetTrackMenuHandler(oldMenu);
  EXPECT_TRUE(m->Exists("例のページ"));
}

TEST_F(CommandDialogTest, ParameterMenuLeavesTheInsertedTextOnTheClipboard) {
  auto item = m->FindKeyWord("notepad");
  TNormalCommandDlg dlg(nullptr);
  std::vector<std::string> seen;
  auto old = ui::SetTrackMenuHandler([&](const ui::TTrackMenuRequest& r) -> UINT {
    // パラメータの挿入 > %1 [第1パラメータ]
    HMENU insert = GetSubMenu(r.Menu, 0);
    char text[128] = {};
    for (int i = 0; i < GetMenuItemCount(insert); ++i) {
      GetMenuStringA(insert, i, text, sizeof text, MF_BYPOSITION);
      seen.push_back(text);
    }
    return GetMenuItemID(insert, 1);
  });
  Run(dlg, *item, [&] {
    auto& param = dlg.Control<ui::TEdit>("ParamEdit");
    TypeInto(param, "a ");
    RECT r = {};
    GetWindowRect(param.Handle(), &r);
    SendMessageA(param.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(param.Handle()),
                 MAKELPARAM(r.left + 5, r.top + 5));
    Drain();
    EXPECT_EQ(param.Text(), "a %1");
    EXPECT_EQ(item->GetParam(), "a %1");
  });
  ui::SetTrackMenuHandler(old);
  EXPECT_EQ(ReadClipboardText(), "%1");
  ASSERT_EQ(seen.size(), 11u);
  EXPECT_EQ(seen[0], "%* [パラメータすべて]");
  EXPECT_EQ(seen[9], "%9 [第9パラメータ]");
  EXPECT_EQ(seen[10], "環境変数");
}

TEST_F(CommandDialogTest, DroppedTextNamesTheItemByItsFirstLineThroughTheCheck) {
  struct Case {
    const char* name;
    std::string dropped;
    std::string expectedName;
  } cases[] = {
      {"text with slash, blank and lines", "a/b c\r\nsecond line", "a_b_c"},
      {"file list", (td / "Tools\\App.exe") + "\r\n" + (td / "Tools"), "App"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto item = m->NewKeyWord("", "tools", kTypeCommand);
    ASSERT_TRUE(item);
    TNormalCommandDlg dlg(nullptr);
    Run(dlg, *item, [&] {
      dlg.DropFileOrText(c.dropped);
      Drain();
      EXPECT_EQ(dlg.Control<ui::TEdit>("NameEdit").Text(), c.expectedName);
      EXPECT_EQ(item->Name, c.expectedName);
      EXPECT_TRUE(m->Exists("tools/" + c.expectedName));
      realinput::Type("{Enter}");
    }, true);
    EXPECT_FALSE(sjis::Contains(item->GetKeyWord(), "\r"));
  }
}

// ---------------------------------------------------------------------------
// Pictures of the three pages, for a person to look at (QV_SCREENSHOTS names the folder).

void SaveWindowBitmap(HWND window, const std::string& file) {
  RECT r = {};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(dc, bmp);
  BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(dc, old);
  BITMAPINFOHEADER bi = {};
  bi.biSize = sizeof bi;
  bi.biWidth = w;
  bi.biHeight = h;
  bi.biPlanes = 1;
  bi.biBitCount = 24;
  bi.biCompression = BI_RGB;
  const int stride = (w * 3 + 3) & ~3;
  std::string bits(static_cast<size_t>(stride) * h, '\0');
  GetDIBits(dc, bmp, 0, h, bits.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;
  fh.bfSize = DWORD(sizeof fh + sizeof bi + bits.size());
  fh.bfOffBits = DWORD(sizeof fh + sizeof bi);
  std::string out(reinterpret_cast<char*>(&fh), sizeof fh);
  out.append(reinterpret_cast<char*>(&bi), sizeof bi);
  out += bits;
  WriteTextFile(file, out);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST_F(CommandDialogTest, PicturesOfThePages) {
  const char* folder = std::getenv("QV_SCREENSHOTS");
  if (!folder) GTEST_SKIP() << "QV_SCREENSHOTS not set";
  state().Dialogs.WriteInteger("ShowAdvanced", 1);
  state().HotKeyLines = TStringList(V{"tools/ftp\t2\t70\t1"});
  auto item = m->FindKeyWord("tools/ftp");
  TNormalCommandDlg dlg(nullptr);
  Run(dlg, *item, [&] {
    dlg.Control<ui::TEdit>("CommentEdit").SetText("ファイル転送の道具");
    dlg.Control<ui::TEdit>("NameEdit").SetText("転送");
    dlg.Control<ui::TEdit>("TargetEdit").SetText(td / "Tools\\App.exe");
    dlg.Control<ui::TEdit>("ParamEdit").SetText("-s %1");
    auto& pages = dlg.Control<ui::TPageControl>("Pages");
    const char* names[] = {"basic", "detail", "advanced"};
    for (int i = 0; i < 3; ++i) {
      pages.SetActivePageIndex(i);
      Drain();
      SaveWindowBitmap(dlg.Handle(), std::string(folder) + "\\editor-normal-" + names[i] + ".bmp");
    }
    pages.SetActivePageIndex(0);
    dlg.Control<ui::TEdit>("NameEdit").SetText("転送;");
    Drain();
    SaveWindowBitmap(dlg.Handle(), std::string(folder) + "\\editor-normal-name-warning.bmp");
  });
}

}  // namespace
