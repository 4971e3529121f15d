// Registering several files at once on real windows: the check list driven
// by keys and clicks typed with SendInput, and the progress dialog running a
// recording request processor.
#include <windows.h>

#include <string>
#include <vector>

#include "core/KeyWordX.h"
#include "core/StringIni.h"
#include "core/StringList.h"
#include "editor/FileListDialog_Text.h"
#include "editor/UFileListDialog.h"
#include "editor/UProgressDialog.h"
#include "tests/editor/DialogFixture.h"
#include "tests/support/Screenshot.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/CheckListBox.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace {

class FileListDialogTest : public DialogTest {
 protected:
  // Runs the dialog on paths; script drives it while its modal loop runs.
  bool Run(TStringList& paths, const std::function<void(TFileListDialog&)>& script) {
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      auto& dialog = dynamic_cast<TFileListDialog&>(f);
      ++shown;
      caption = dialog.Caption();
      Drain();
      script(dialog);
      if (dialog.ModalResult() == 0) Keys("{Esc}");
    });
    TFileListDialog dialog(&form, dialogs);
    return dialog.Execute(paths, request);
  }
  void ClickItemBox(TFileListDialog& d, int index) {
    RECT r = d.List().CheckRect(index);
    ClickAt(d.List().Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  TStringIni dialogs;
  TStringList request;
  int shown = 0;
  std::string caption;
};

TEST_F(FileListDialogTest, OKKeepsOnlyTheCheckedPathsInTheirOrder) {
  TStringList paths({"C:\\docs\\a.txt", "C:\\docs\\b.txt", "C:\\docs\\c.txt"});
  std::vector<std::string> shownItems;
  std::string okCaption, cancelCaption;
  const bool ok = Run(paths, [&](TFileListDialog& d) {
    shownItems = d.List().Items();
    okCaption = d.Control("OKButton").Caption();
    cancelCaption = d.Control("CancelButton").Caption();
    ClickItemBox(d, 1);
    Keys("{Enter}");
  });
  EXPECT_EQ(caption, "まとめて登録");
  EXPECT_EQ(okCaption, "OK");
  EXPECT_EQ(cancelCaption, "キャンセル");
  EXPECT_EQ(shownItems, (std::vector<std::string>{"C:\\docs\\a.txt", "C:\\docs\\b.txt", "C:\\docs\\c.txt"}));
  EXPECT_TRUE(ok);
  EXPECT_EQ(paths.Count(), 2);
  EXPECT_EQ(paths.GetText(), "C:\\docs\\a.txt\r\nC:\\docs\\c.txt\r\n");
}

TEST_F(FileListDialogTest, NothingCheckedDisablesOKAndCancelKeepsTheList) {
  TStringList paths({"C:\\a.txt", "C:\\b.txt"});
  bool okWhileOne = false, okWhileNone = true;
  const bool ok = Run(paths, [&](TFileListDialog& d) {
    ClickItemBox(d, 0);
    Idle();
    okWhileOne = IsWindowEnabled(d.Control("OKButton").Handle()) != FALSE;
    ClickItemBox(d, 1);
    Idle();
    okWhileNone = IsWindowEnabled(d.Control("OKButton").Handle()) != FALSE;
    Keys("{Enter}");  // OK is off: nothing happens
    Drain();
    EXPECT_EQ(d.ModalResult(), 0);
  });
  EXPECT_TRUE(okWhileOne);
  EXPECT_FALSE(okWhileNone);
  EXPECT_FALSE(ok);
  EXPECT_EQ(paths.Count(), 2) << "a cancelled list is left as it was";
}

TEST_F(FileListDialogTest, AnEmptyListShowsNothing) {
  TStringList paths;
  EXPECT_FALSE(Run(paths, [](TFileListDialog&) {}));
  EXPECT_EQ(shown, 0);
}

TEST_F(FileListDialogTest, TheShortcutBoxWritesTheRequestAndTheSizeIsKept) {
  dialogs.WriteInteger("AnalyzeShortCut", 1);
  TStringList paths({"C:\\a.lnk"});
  bool startedChecked = false;
  RECT outer = {};
  Run(paths, [&](TFileListDialog& d) {
    auto& box = d.Control<ui::TCheckBox>("CheckBox1");
    startedChecked = box.Checked();
    RECT r = {};
    GetClientRect(box.Handle(), &r);
    ClickAt(box.Handle(), 6, r.bottom / 2);
    SetWindowPos(d.Handle(), nullptr, 0, 0, 520, 360, SWP_NOMOVE | SWP_NOZORDER);
    Drain();
    GetWindowRect(d.Handle(), &outer);
    Keys("{Esc}");
  });
  EXPECT_TRUE(startedChecked) << "the Dialogs store's choice without one in the request";
  EXPECT_EQ(request.Value("AnalyzeShortCut"), "0");
  EXPECT_EQ(dialogs.ReadInteger("FileListDialog_Width", 0), outer.right - outer.left);
  EXPECT_EQ(dialogs.ReadInteger("FileListDialog_Height", 0), outer.bottom - outer.top);
  // The next list opens in that size.
  Run(paths, [&](TFileListDialog& d) {
    RECT r = {};
    GetWindowRect(d.Handle(), &r);
    EXPECT_EQ(r.right - r.left, outer.right - outer.left);
  });
}

TEST_F(FileListDialogTest, LongPathsAreShortenedToTheListsWidth) {
  // Longer than the list shows at its design width, whatever the font.
  std::string deep = "C:";
  for (int i = 1; i <= 14; ++i) deep += "\\フォルダ" + std::to_string(i) + "番";
  deep += "\\説明書.txt";
  TStringList paths({deep});
  std::string shownNarrow, shownWide;
  int charsNarrow = 0;
  Run(paths, [&](TFileListDialog& d) {
    shownNarrow = d.List().Item(0);
    charsNarrow = d.LineChars();
    SetWindowPos(d.Handle(), nullptr, 0, 0, 1200, 315, SWP_NOMOVE | SWP_NOZORDER);
    Drain();
    shownWide = d.List().Item(0);
  });
  EXPECT_GT(charsNarrow, 10);
  EXPECT_EQ(shownNarrow, ShortenPath(deep, charsNarrow));
  EXPECT_EQ(shownNarrow.rfind("C:\\...\\", 0), 0u) << shownNarrow;
  EXPECT_EQ(shownWide, deep) << "wide enough for the whole path";
}

TEST_F(FileListDialogTest, ScreenshotJapaneseNames) {
  TStringList paths({"C:\\Users\\山田\\デスクトップ\\議事録.txt", "C:\\Program Files\\表計算ソフト\\表計算.exe",
                     "D:\\写真\\2026年\\旅行\\", "C:\\Users\\山田\\ドキュメント\\とても長い名前のフォルダ\\"
                     "さらに長い名前のフォルダ\\報告書.doc"});
  Run(paths, [&](TFileListDialog& d) {
    ClickItemBox(d, 2);
    OfferScreenshot(d.Handle(), "editor-file-list");
  });
}

class ProgressDialogTest : public DialogTest {
 protected:
  ProgressDialogTest() : store("C:\\nowhere\\Items", "C:\\nowhere") {}
  struct TCall {
    std::string command, showDialog, status;
  };
  // Runs the dialog; during(i) runs inside the processor for path i, after(d)
  // once the dialog is idle after the loop.
  void Run(const TStringList& paths, const std::function<void(TProgressDialog&, int)>& during,
           const std::function<void(TProgressDialog&)>& after) {
    TProgressDialog* running = nullptr;
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      auto& d = dynamic_cast<TProgressDialog&>(f);
      // The loop runs from inside this modal loop; wait for it to end.
      for (int i = 0; i < 500 && d.Running() && d.ModalResult() == 0; ++i) {
        app->ProcessMessages();
        Sleep(5);
      }
      Drain();
      if (d.ModalResult() == 0) {
        after(d);
        if (d.ModalResult() == 0) Keys("{Esc}");
      }
    });
    TProgressDialog dialog(&form, [&](TStringList& request, TKeyWordManager&) {
      calls.push_back({TStringIni::UnescapeValue(request.Value("Command")), request.Value("ShowDialog"), running->Status().Caption()});
      during(*running, static_cast<int>(calls.size()) - 1);
    });
    running = &dialog;
    dialog.Execute(paths, request, store);
    aborted = dialog.Aborted();
    complete = dialog.Complete();
  }
  TKeyWordManager store;
  TStringList request;
  std::vector<TCall> calls;
  bool aborted = false, complete = false;
};

TEST_F(ProgressDialogTest, EveryPathIsRegisteredInTurnAndTheEndIsShown) {
  request.SetValue("Action", "New");
  TStringList paths({"C:\\docs\\a.txt", "C:\\data\\", "C:\\ソフト\\表.exe"});
  std::string status, title, button;
  int position = -1, max = -1;
  Run(paths, [](TProgressDialog&, int) {},
      [&](TProgressDialog& d) {
        status = d.Status().Caption();
        title = d.Caption();
        button = d.CloseButton().Caption();
        position = d.Bar().Position();
        max = d.Bar().Max();
        OfferScreenshot(d.Handle(), "editor-progress-done");
      });
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].command, "C:\\docs\\a.txt");
  EXPECT_EQ(calls[0].showDialog, "0");
  EXPECT_EQ(calls[0].status, "a.txtを登録中...(1/3)");
  EXPECT_EQ(calls[1].status, "dataを登録中...(2/3)");
  EXPECT_EQ(calls[2].status, "表.exeを登録中...(3/3)");
  EXPECT_EQ(status, "登録完了(3個のアイテム追加)!");
  EXPECT_EQ(title, "登録完了");
  EXPECT_EQ(button, "完了");
  EXPECT_EQ(position, 3);
  EXPECT_EQ(max, 3);
  EXPECT_EQ(request.Value("Action"), "New") << "the rest of the request goes with every path";
  EXPECT_TRUE(complete);
}

TEST_F(ProgressDialogTest, TheStopButtonEndsAfterThePathAtHand) {
  TStringList paths({"C:\\1.txt", "C:\\2.txt", "C:\\3.txt", "C:\\4.txt", "C:\\5.txt"});
  std::string buttonWhileRunning;
  Run(paths,
      [&](TProgressDialog& d, int i) {
        if (i != 1) return;
        buttonWhileRunning = d.CloseButton().Caption();
        RECT r = {};
        GetClientRect(d.CloseButton().Handle(), &r);
        ClickAt(d.CloseButton().Handle(), r.right / 2, r.bottom / 2);
        for (int n = 0; n < 200 && !d.Aborted(); ++n) {
          app->ProcessMessages();
          Sleep(5);
        }
      },
      [](TProgressDialog&) { ADD_FAILURE() << "a stopped dialog closes"; });
  EXPECT_EQ(buttonWhileRunning, "中断");
  EXPECT_EQ(calls.size(), 2u) << "the paths before the stop stay registered";
  EXPECT_TRUE(aborted);
  EXPECT_FALSE(complete);
}

TEST_F(ProgressDialogTest, ComingBackToTheDialogRegistersNothingAgain) {
  TStringList paths({"C:\\a.txt", "C:\\b.txt"});
  Run(paths, [](TProgressDialog&, int) {},
      [&](TProgressDialog& d) {
        // Hidden and shown again, and activated again, as after a box or a switch.
        d.Hide();
        Drain();
        d.Show();
        SetForegroundWindow(d.Handle());
        Drain();
        for (int i = 0; i < 20; ++i) {
          app->ProcessMessages();
          Sleep(5);
        }
      });
  EXPECT_EQ(calls.size(), 2u);
}

}  // namespace
