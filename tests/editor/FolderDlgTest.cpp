// The folder picker: through the replaceable browser handler, and the real
// shell browser met by the dialog hook, which selects and presses its buttons.
#include "editor/FolderDlg.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>

#include "core/Sjis.h"
#include "tests/support/TestWindow.h"
#include "tests/ui/UiFixture.h"
#include "ui/DialogHook.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"

namespace {

class FolderDlgTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::TFormParams p;
    p.Caption = "フォルダの持ち主";
    p.X = 60;
    p.Y = 60;
    ASSERT_TRUE(owner.Create(p));
    owner.Show();
    SetForegroundWindow(owner.Handle());
    // Below C:\ itself: Wine's browser also shows the user's folder at the
    // top of its tree, and a root inside it does not always come to be selected.
    root = "C:\\qvfolder" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "\\sub").c_str(), nullptr);
  }
  void TearDown() override {
    RemoveDirectoryA((root + "\\sub").c_str());
    RemoveDirectoryA(root.c_str());
    ui::SetBrowseFolderHandler(nullptr);
    UiTest::TearDown();
  }
  // The text of the browser tree's selected item; empty when none is selected.
  static std::string SelectedInTree(HWND dialog) {
    HWND tree = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM out) -> BOOL {
          char cls[32] = {};
          GetClassNameA(w, cls, sizeof cls);
          if (lstrcmpiA(cls, WC_TREEVIEWA) != 0) return TRUE;
          *reinterpret_cast<HWND*>(out) = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&tree));
    if (!tree) return "";
    HTREEITEM item = TreeView_GetSelection(tree);
    if (!item) return "";
    char text[MAX_PATH] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
  }
  // The browser fills its tree and selects the root after it is shown, the
  // later the busier the machine: waits until the tree's selection is the name.
  static bool WaitSelected(HWND dialog, const std::string& name) {
    return ::PumpUntil([&] { return sjis::EqualsIgnoreCase(SelectedInTree(dialog), name); }, 10000);
  }
  static void Press(HWND dialog, WORD id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }

  std::string root;
  ui::TForm owner;
};

TEST_F(FolderDlgTest, TheBrowserIsAskedForTheRootAndAnswersTheFolder) {
  ui::TBrowseFolderRequest asked;
  std::string answer = "C:\\picked";
  bool ok = true;
  ui::SetBrowseFolderHandler([&](ui::TBrowseFolderRequest& r) {
    asked = r;
    r.Folder = answer;
    return ok;
  });
  TFolderDlg dlg(&owner);
  dlg.Title = "フォルダの選択";
  dlg.Root = "C:\\windows";
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.FolderName, "C:\\picked");
  EXPECT_EQ(asked.Owner, owner.Handle());
  EXPECT_EQ(asked.Title, "フォルダの選択");
  EXPECT_EQ(asked.Root, "C:\\windows");
  EXPECT_EQ(asked.Flags, 0x4059u);
  // A refusal leaves no folder, whatever the browser left behind.
  ok = false;
  answer = "C:\\stale";
  EXPECT_FALSE(dlg.Execute());
  EXPECT_EQ(dlg.FolderName, "");
}

// The real browser (Wine's): it opens on the root, and its OK gives the
// selected folder.
TEST_F(FolderDlgTest, TheRealBrowserOpensOnTheRootAndGivesTheChoice) {
  LPITEMIDLIST computer = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
  struct TCase {
    const char* name;
    std::string root;
    std::function<void(HWND)> act;
    bool chosen;
    std::string folder;
  };
  const std::string missing = root + "\\missing";
  const TCase cases[] = {
      {"the root", root, [&](HWND d) { Press(d, IDOK); }, true, root},
      {"another folder", root,
       [&](HWND d) {
         SendMessageA(d, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>((root + "\\sub").c_str()));
         EXPECT_TRUE(WaitSelected(d, "sub"));
         Press(d, IDOK);
       },
       true, root + "\\sub"},
      {"cancelled", root, [&](HWND d) { Press(d, IDCANCEL); }, false, ""},
      {"a missing root", missing, [&](HWND d) { Press(d, IDCANCEL); }, false, ""},
      // No file-system folder: no path, so no choice.
      {"My Computer", root,
       [&](HWND d) {
         const std::string before = SelectedInTree(d);
         SendMessageA(d, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(computer));
         EXPECT_TRUE(::PumpUntil([&] { return SelectedInTree(d) != before; }, 10000));
         Press(d, IDOK);
       },
       false, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string selected;
    ui::TDialogHook hook([&](HWND dialog) {
      // An existing root comes to be selected; a missing one never does.
      if (c.root == missing) ::PumpUntil([] { return false; }, 300);
      else EXPECT_TRUE(WaitSelected(dialog, sjis::ExtractFileName(c.root)));
      selected = SelectedInTree(dialog);
      c.act(dialog);
    });
    TFolderDlg dlg(&owner);
    dlg.Title = "フォルダの選択";
    dlg.Root = c.root;
    dlg.FolderName = "C:\\before";
    EXPECT_EQ(dlg.Execute(), c.chosen);
    EXPECT_EQ(hook.Count(), 1);
    EXPECT_TRUE(sjis::EqualsIgnoreCase(dlg.FolderName, c.folder)) << dlg.FolderName;
    if (c.root == missing) EXPECT_NE(selected, "missing");
  }
  CoTaskMemFree(computer);
}

}  // namespace
