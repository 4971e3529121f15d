// The icon chooser as a real modal dialog under Wine: keys typed with
// SendInput, the icon view read back, the file dialog through its handler and
// once for real, a drop, and another program taking the foreground. Fixtures:
// a library with five icons (and a copy named .cpl), an icon file, a broken
// one, all in a temp icons folder, and a store whose keyword icons names it.
#include "editor/UChangeIcon.h"

#include <windows.h>

#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>

#include "core/File_Paths.h"
#include "core/Sjis.h"
#include "tests/support/RealInput.h"
#include "tests/support/TempDir.h"
#include "tests/ui/UiFixture.h"
#include "ui/DialogHook.h"
#include "ui/Dialogs.h"

namespace {

class ChangeIconTest : public UiTest {
 protected:
  TempDir td;
  std::string icons = td / "Icons";
  std::string items = td / "Items";
  TKeyWordManager store{items, td / "Main"};
  std::string oldIconsDir;

  void SetUp() override {
    UiTest::SetUp();
    CreateDirectoryA(icons.c_str(), nullptr);
    CreateDirectoryA(items.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(QV_ICON_DLL, (icons + "\\five.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(QV_ICON_DLL, (icons + "\\five.cpl").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(QV_EDITOR_FIXTURES "/circle.ico", (icons + "\\circle.ico").c_str(), FALSE));
    WriteTextFile(icons + "\\broken.ico", "no icon here");
    WriteTextFile(items + "\\%.vane",
                  "icons\tType=0\tCommand=" + sjis::ReplaceAll(icons, "\\", "\\\\") + "\tIsDir=1\r\n");
    oldIconsDir = FilePathsInstance().IconsDir;
    FilePathsInstance().IconsDir = icons;
    // The pointer away from the dialog: over the popup it would pick rows.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  void TearDown() override {
    FilePathsInstance().IconsDir = oldIconsDir;
    ui::SetFileDialogHandler(nullptr);
    UiTest::TearDown();
  }

  // Runs the dialog; act runs once it is up and in front. A dialog that act
  // left open is closed with Esc.
  bool Run(TChangeIconDialog& d, const std::function<void()>& act) {
    bool acted = false;
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      if (&f != &d) return;
      ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == d.Handle(); }));
      Drain();
      act();
      acted = true;
      Drain();
      if (d.ModalResult() == 0) Keys("{Esc}");
    });
    const bool chosen = d.Execute();
    EXPECT_TRUE(acted);
    return chosen;
  }
  void Keys(const std::string& script) { realinput::TypeSeen(script, [this] { Drain(); }); }
  // Turns of the loop until idle ran once (the actions' updates), without waiting.
  void Idle() {
    int idles = 0;
    auto busy = app->OnIdle.Add([&](bool& done) {
      ++idles;
      done = false;
    });
    while (idles < 1) app->HandleMessageOrIdle();
  }
  void AltKey(WORD key) {
    Type({VK_MENU, key});
    Drain();
  }
};

TEST_F(ChangeIconTest, ALibraryShowsItsIconsWithTheGivenOneSelected) {
  struct Case {
    int given, selected;
  } cases[] = {{0, 0}, {3, 3}, {7, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.given);
    TChangeIconDialog d;
    d.IconFile = icons + "\\five.dll";
    d.IconIndex = c.given;
    int count = -1, images = -1, selected = -1;
    const bool chosen = Run(d, [&] {
      count = d.IconView().Count();
      images = d.Images().Count();
      selected = d.IconView().ItemIndex();
      Keys("{Tab}{Enter}");
    });
    EXPECT_EQ(count, 5);
    EXPECT_EQ(images, 5);
    EXPECT_EQ(selected, c.selected);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(d.IconIndex, c.selected);
    EXPECT_EQ(d.IconFile, icons + "\\five.dll");
  }
}

TEST_F(ChangeIconTest, ArrowsChooseAnotherIcon) {
  TChangeIconDialog d;
  d.IconFile = icons + "\\five.dll";
  d.IconIndex = 1;
  const bool chosen = Run(d, [&] { Keys("{Tab}{Right}{Right}{Enter}"); });
  EXPECT_TRUE(chosen);
  EXPECT_EQ(d.IconIndex, 3);
}

TEST_F(ChangeIconTest, ATypedPathCompletesThroughAKeywordAndIsKeptAsTyped) {
  TChangeIconDialog d;
  d.SetManager(&store, nullptr);
  int count = -1;
  std::string completed;
  const bool chosen = Run(d, [&] {
    Keys("icons\\five.d");
    completed = d.FileBox().Text();
    count = d.IconView().Count();
    Keys("{Tab}{Enter}");
  });
  EXPECT_EQ(completed, "icons\\five.dll");  // completed inline from the keyword's folder
  EXPECT_EQ(count, 5);
  EXPECT_TRUE(chosen);
  EXPECT_EQ(d.IconFile, "icons\\five.dll");
}

TEST_F(ChangeIconTest, ClosingTakesTheCandidatesAway) {
  TChangeIconDialog d;
  d.SetManager(&store, nullptr);
  bool popup = false;
  const bool chosen = Run(d, [&] {
    Keys("icons\\ci");
    popup = d.FileBox().List().Visible();
    Keys("{Esc}");
  });
  EXPECT_TRUE(popup);
  EXPECT_FALSE(chosen);
  EXPECT_FALSE(d.FileBox().List().Visible());
  EXPECT_EQ(d.IconFile, "");
}

TEST_F(ChangeIconTest, TheIconsFolderNameIsKeptAsTyped) {
  TChangeIconDialog d;
  int count = -1;
  const bool chosen = Run(d, [&] {
    Keys("%Icondir\\circle.ico");
    count = d.IconView().Count();
    Keys("{Tab}{Enter}");
  });
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(chosen);
  EXPECT_EQ(d.IconFile, "%Icondir\\circle.ico");
  EXPECT_EQ(d.IconIndex, 0);
}

TEST_F(ChangeIconTest, NoIconToShowLeavesOKDisabledAndNothingChosen) {
  for (const std::string file : {"%Icondir\\none.ico", "%Icondir\\broken.ico", "%Icondir\\none.dll", "%Icondir\\five.txt"}) {
    SCOPED_TRACE(file);
    TChangeIconDialog d;
    d.IconFile = file;
    int count = -1, result = -1;
    bool okEnabled = true;
    const bool chosen = Run(d, [&] {
      count = d.IconView().Count();
      Idle();
      okEnabled = IsWindowEnabled(d.Control("OKButton").Handle()) != FALSE;
      Keys("{Tab}{Enter}");  // the default button is off
      result = d.ModalResult();
    });
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(result, 0) << "Enter did nothing";
    EXPECT_FALSE(chosen);
    EXPECT_EQ(d.IconFile, file);
  }
}

TEST_F(ChangeIconTest, AControlPanelItemShowsItsIconsButIsRefused) {
  TChangeIconDialog d;
  d.IconFile = "%Icondir\\five.cpl";
  d.IconIndex = 2;
  int count = -1, result = 0;
  const bool chosen = Run(d, [&] {
    count = d.IconView().Count();
    Keys("{Tab}{Enter}");
    result = d.ModalResult();
  });
  EXPECT_EQ(count, 5);
  EXPECT_EQ(result, IDOK) << "OK closes the dialog";
  EXPECT_FALSE(chosen);
  EXPECT_EQ(d.IconFile, "%Icondir\\five.cpl");
  EXPECT_EQ(d.IconIndex, 2);
}

TEST_F(ChangeIconTest, BrowseOpensInTheIconsFolderWithTopMostOffMeanwhile) {
  ui::TFileDialogRequest asked;
  bool topMostMeanwhile = true;
  TChangeIconDialog d;
  ui::SetFileDialogHandler([&](ui::TFileDialogRequest& r) {
    asked = r;
    topMostMeanwhile = d.StayOnTop();

    r.FileName = icons + "\\five.dll";
    return true;
  });
  d.IconFile = "%Icondir\\circle.ico";
  bool topMostBefore = false, topMostAfter = false;
  int count = -1;
  Run(d, [&] {
    AltKey('Z');  // keep the dialog in front
    topMostBefore = d.StayOnTop();
    AltKey('B');
    topMostAfter = d.StayOnTop();
    count = d.IconView().Count();
  });
  EXPECT_TRUE(topMostBefore);
  EXPECT_FALSE(topMostMeanwhile);
  EXPECT_TRUE(topMostAfter);
  EXPECT_EQ(asked.Owner, d.Handle());
  EXPECT_EQ(asked.Filter, kIconFileFilter);
  EXPECT_EQ(asked.InitialDir, icons + "\\");
  EXPECT_EQ(d.FileBox().Text(), icons + "\\five.dll");
  EXPECT_EQ(count, 5);
}

TEST_F(ChangeIconTest, BrowseWithTheRealFileDialog) {
  TChangeIconDialog d;
  d.IconFile = "%Icondir\\circle.ico";
  int dialogs = 0;
  std::string title;
  ui::TDialogHook hook([&](HWND dialog) {
    ++dialogs;
    // The file name box (a combo box with an edit) takes the name; OK opens it.
    SetDlgItemTextA(dialog, cmb13, (icons + "\\five.dll").c_str());
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  });
  int count = -1;
  Run(d, [&] {
    AltKey('B');
    count = d.IconView().Count();
  });
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(sjis::EqualsIgnoreCase(d.FileBox().Text(), icons + "\\five.dll")) << d.FileBox().Text();
  EXPECT_EQ(count, 5);
}

TEST_F(ChangeIconTest, ADroppedFileBecomesTheText) {
  TChangeIconDialog d;
  d.IconFile = "%Icondir\\circle.ico";
  int count = -1;
  Run(d, [&] {
    // What the shell hands over for one dropped file.
    const std::string file = icons + "\\five.dll";
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + file.size() + 2);
    auto* df = static_cast<DROPFILES*>(GlobalLock(drop));
    df->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(df) + sizeof(DROPFILES), file.c_str(), file.size());
    GlobalUnlock(drop);
    PostMessageA(d.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    Drain();
    count = d.IconView().Count();
  });
  EXPECT_EQ(d.FileBox().Text(), icons + "\\five.dll");
  EXPECT_EQ(count, 5);
}

TEST_F(ChangeIconTest, AnotherProgramInFrontLeavesTheDialogTopMost) {
  TChangeIconDialog d;
  d.IconFile = "%Icondir\\five.dll";
  bool topMostBefore = true, topMost = false;
  HWND front = nullptr, foreground = nullptr;
  Run(d, [&] {
    d.SetStayOnTop(false);
    topMostBefore = d.StayOnTop();
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    char cmd[] = QV_FRONT_WINDOW_EXE;
    ASSERT_TRUE(CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    EXPECT_TRUE(PumpUntil([&] {
      front = FindWindowA("QvFrontWindow", nullptr);
      return front && GetForegroundWindow() == front && !app->Active();
    }));
    Drain();
    topMost = d.StayOnTop();
    foreground = GetForegroundWindow();
    PostMessageA(front, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    SetForegroundWindow(d.Handle());
    PumpUntil([&] { return GetForegroundWindow() == d.Handle(); });
  });
  EXPECT_FALSE(topMostBefore);
  EXPECT_TRUE(topMost);
  EXPECT_EQ(foreground, front);
}

// The picture: the library's icons under the Japanese labels (tests/support/editor-screenshot.sh).
TEST_F(ChangeIconTest, ScreenshotTheChooser) {
  char shots[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("QV_SHOT_DIR", shots, sizeof shots)) GTEST_SKIP() << "QV_SHOT_DIR not set";
  TChangeIconDialog d;
  d.SetManager(&store, nullptr);
  d.IconFile = "icons\\five.dll";
  d.IconIndex = 2;
  Run(d, [&] {
    RECT r = {};
    GetWindowRect(d.Handle(), &r);
    const std::string base = std::string(shots) + "\\";
    WriteTextFile(base + "editor-icon-chooser.ready", std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
                                                   "+" + std::to_string(r.left) + "+" + std::to_string(r.top));
    EXPECT_TRUE(PumpUntil([&] { return GetFileAttributesA((base + "editor-icon-chooser.done").c_str()) != INVALID_FILE_ATTRIBUTES; }));
  });
}

}  // namespace
