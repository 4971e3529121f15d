// The choosers and popup menus: the handlers that tests put in their place,
// and the real ones, met through the dialog hook or ended by posted keys.
#include "ui/Dialogs.h"

#include <stdexcept>

#include "tests/ui/UiFixture.h"
#include "ui/DialogHook.h"
#include "ui/Form.h"
#include "core/Handles.h"

namespace {

class DialogsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::TFormParams p;
    p.Caption = "持ち主";
    p.X = 50;
    p.Y = 50;
    ASSERT_TRUE(owner.Create(p));
    owner.Show();
    SetForegroundWindow(owner.Handle());
  }
  void TearDown() override {
    ui::SetFileDialogHandler(nullptr);
    ui::SetColorDialogHandler(nullptr);
    ui::SetBrowseFolderHandler(nullptr);
    ui::SetTrackMenuHandler(nullptr);
    UiTest::TearDown();
  }
  ui::TForm owner;
};

TEST_F(DialogsTest, HandlersAnswerInPlaceOfTheRealDialogs) {
  std::vector<std::string> asked;
  ui::SetFileDialogHandler([&](ui::TFileDialogRequest& r) {
    asked.push_back("file " + r.Title + " " + r.Filter);
    r.FileName = "C:\\icons\\a.ico";
    return true;
  });
  ui::SetColorDialogHandler([&](ui::TColorDialogRequest& r) {
    asked.push_back("color");
    r.Color = RGB(10, 20, 30);
    return true;
  });
  ui::SetBrowseFolderHandler([&](ui::TBrowseFolderRequest& r) {
    asked.push_back("folder " + r.Title + " " + r.Root);
    return false;
  });
  ui::SetTrackMenuHandler([&](const ui::TTrackMenuRequest& r) {
    asked.push_back("menu " + std::to_string(r.X) + "," + std::to_string(r.Y));
    return 41u;
  });
  ui::TFileDialogRequest file;
  file.Owner = owner.Handle();
  file.Title = "アイコンの変更";
  file.Filter = "アイコンファイル(*.ico,*.icl,*.dll,*.exe)|*.ico;*.icl;*.dll;*.exe";
  EXPECT_TRUE(ui::OpenFileDialog(file));
  EXPECT_EQ(file.FileName, "C:\\icons\\a.ico");
  ui::TColorDialogRequest color;
  EXPECT_TRUE(ui::ChooseColorDialog(color));
  EXPECT_EQ(color.Color, RGB(10, 20, 30));
  ui::TBrowseFolderRequest folder;
  folder.Title = "フォルダの選択";
  folder.Root = "C:\\windows";
  EXPECT_FALSE(ui::BrowseForFolder(folder));
  core::TUniqueMenu menu(CreatePopupMenu());
  EXPECT_EQ(ui::TrackMenu({menu.get(), owner.Handle(), 5, 6}), 41u);
  EXPECT_EQ(asked, (std::vector<std::string>{"file アイコンの変更 " + file.Filter, "color",
                                             "folder フォルダの選択 C:\\windows", "menu 5,6"}));
  // Put back: the handler before is handed back.
  EXPECT_TRUE(ui::SetTrackMenuHandler(nullptr) != nullptr);
}

TEST(DialogsFilter, BarsBecomeZeroBytes) {
  EXPECT_EQ(ui::SystemFilterText("テキスト(*.txt)|*.txt"), std::string("テキスト(*.txt)\0*.txt\0\0", 23));
  EXPECT_EQ(ui::SystemFilterText("a|*.a|b|*.b|"), std::string("a\0*.a\0b\0*.b\0\0", 13));
  EXPECT_EQ(ui::SystemFilterText(""), std::string("\0\0", 2));
}

// Each real dialog appears once to the hook, which ends it as the user would.
TEST_F(DialogsTest, RealDialogsAreHandedToTheHook) {
  struct TCase {
    const char* name;
    WORD press;  // the button the hook presses
    std::function<bool()> open;
    bool expected;
  };
  std::string chosen;
  const TCase cases[] = {
      {"open file, cancelled", IDCANCEL,
       [&] {
         ui::TFileDialogRequest r;
         r.Owner = owner.Handle();
         r.Title = "ファイルを開く";
         r.Filter = "すべて(*.*)|*.*";
         return ui::OpenFileDialog(r);
       },
       false},
      {"colour, chosen", IDOK,
       [&] {
         ui::TColorDialogRequest r;
         r.Owner = owner.Handle();
         r.Color = RGB(0, 128, 255);
         bool ok = ui::ChooseColorDialog(r);
         chosen = std::to_string(r.Color);
         return ok;
       },
       true},
      {"folder, cancelled", IDCANCEL,
       [&] {
         ui::TBrowseFolderRequest r;
         r.Owner = owner.Handle();
         r.Title = "フォルダの選択";
         r.Root = "C:\\windows";
         bool ok = ui::BrowseForFolder(r);
         chosen = r.Folder;
         return ok;
       },
       false},
      {"message box, yes", IDYES,
       [&] { return ui::ShowMessageBox(owner.Handle(), "よろしいですか", "quorvane", MB_YESNO) == IDYES; }, true},
  };
  ui::SetMessageBoxHandler(nullptr);  // the real box
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<HWND> dialogs;
    ui::TDialogHook hook([&](HWND dialog) {
      dialogs.push_back(dialog);
      EXPECT_TRUE(IsWindowVisible(dialog));
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(c.press, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, c.press)));
    });
    EXPECT_EQ(c.open(), c.expected);
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(hook.Count(), 1);
  }
  EXPECT_EQ(chosen, "");  // the folder browser left nothing
}

TEST_F(DialogsTest, OneDialogHookAtATime) {
  ui::TDialogHook first([](HWND) {});
  EXPECT_THROW(ui::TDialogHook second([](HWND) {}), std::logic_error);
}

// A real popup menu: the keys are queued before it opens, and its own loop
// reads them (down to the second item, Enter; or Esc).
TEST_F(DialogsTest, RealPopupMenuEndedByPostedKeys) {
  core::TUniqueMenu menu(CreatePopupMenu());
  AppendMenuA(menu.get(), MF_STRING, 11, "実行");
  AppendMenuA(menu.get(), MF_STRING, 12, "編集(&E)");
  AppendMenuA(menu.get(), MF_STRING, 13, "終了(&X)");
  struct TCase {
    const char* name;
    std::vector<WORD> keys;
    UINT expected;
  };
  const TCase cases[] = {
      {"down, down, enter", {VK_DOWN, VK_DOWN, VK_RETURN}, 12},
      {"escape", {VK_ESCAPE}, 0},
      {"mnemonic", {'X'}, 13},
  };
  int popups = 0;
  owner.OnInitMenuPopup = [&](ui::TInitMenuPopupEvent& e) { popups += e.Menu == menu.get(); };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (WORD k : c.keys) {
      PostMessageA(owner.Handle(), WM_KEYDOWN, k, 0);
      PostMessageA(owner.Handle(), WM_KEYUP, k, 0xC0000000);
    }
    POINT at = {80, 80};
    ClientToScreen(owner.Handle(), &at);
    EXPECT_EQ(ui::TrackMenu({menu.get(), owner.Handle(), at.x, at.y}), c.expected);
    Drain();
  }
  EXPECT_EQ(popups, 3);
}

}  // namespace
