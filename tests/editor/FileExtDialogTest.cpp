// The extension dialogs on real windows: every command by its shortcut typed
// with SendInput, answers typed into the line dialog while its modal loop
// runs, and the list written back however the dialog closes.
#include "editor/Edit_File_Ext.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/StringList.h"
#include "editor/Edit_File_Ext_Line.h"
#include "tests/editor/DialogFixture.h"
#include "tests/support/RealInput.h"
#include "tests/support/Screenshot.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/ListBox.h"

namespace {

class FileExtDialogTest : public DialogTest {
 protected:
  void ClickItem(ui::TListBox& list, int index) {
    RECT r = list.ItemRect(index);
    ClickAt(list.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  // Runs the list dialog on list: script drives it, line drives each line
  // dialog that comes up inside it.
  bool Run(TStringList& list, const std::function<void(TEditFileExt&)>& script,
           const std::function<void(TEditFileExtLine&)>& line = {}) {
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      if (auto* l = dynamic_cast<TEditFileExtLine*>(&f)) {
        ++lines;
        lineCaption = l->Caption();
        if (line) line(*l);
        if (l->ModalResult() == 0) Keys("{Esc}");
        return;
      }
      auto& dialog = dynamic_cast<TEditFileExt&>(f);
      caption = dialog.Caption();
      Drain();
      script(dialog);
      if (dialog.ModalResult() == 0) Keys("{Esc}");
    });
    return ShowEditFileExt(&form, list);
  }
  int lines = 0;
  std::string caption, lineCaption;
};

TEST_F(FileExtDialogTest, TypedAnswersAreAddedOrRefused) {
  struct TCase {
    const char* name;
    std::vector<std::string> list;
    int edit;            // the entry edited (F2 / Alt+Enter), -1: Ctrl+N adds
    const char* typed;   // into the line dialog's field
    bool okEnabled;
    std::vector<std::string> after;
    bool changed;
  };
  const TCase cases[] = {
      {"bat is added as .bat in sorted place", {".exe", ".lnk"}, -1, "bat", true, {".bat", ".exe", ".lnk"}, true},
      {"bat while .bat is listed", {".bat", ".exe"}, -1, "bat", false, {".bat", ".exe"}, false},
      {".BAT while .bat is listed", {".bat", ".exe"}, -1, ".BAT", false, {".bat", ".exe"}, false},
      {"BAT while .bat is listed", {".bat", ".exe"}, -1, "BAT", false, {".bat", ".exe"}, false},
      {"an unchanged edit", {".bat", ".exe"}, 0, "", true, {".bat", ".exe"}, true},
      {".bat edited to bat", {".bat", ".exe"}, 0, "{End}{BS}{BS}{BS}{BS}bat", true, {".bat", ".exe"}, true},
      {".bat edited to .exe", {".bat", ".exe"}, 0, "{End}{BS}{BS}{BS}exe", false, {".bat", ".exe"}, false},
      {".exe edited to com moves to its place", {".bat", ".exe"}, 1, "{End}{BS}{BS}{BS}{BS}com", true,
       {".bat", ".com"}, true},
  };
  bool useAltEnter = false;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TStringList list(c.list);
    bool okEnabled = !c.okEnabled;
    std::string start;
    lines = 0;
    bool changed = Run(
        list,
        [&](TEditFileExt& d) {
          if (c.edit < 0) {
            Press({VK_CONTROL, 'N'});
          } else {
            ClickItem(d.List(), c.edit);
            // Both shortcuts of the edit command, by turns.
            Press(useAltEnter ? std::vector<WORD>{VK_MENU, VK_RETURN} : std::vector<WORD>{VK_F2});
            useAltEnter = !useAltEnter;
          }
          EXPECT_EQ(lines, 1);
          Keys("{Esc}");  // closes the list dialog
        },
        [&](TEditFileExtLine& l) {
          start = l.Field().Text();
          Keys(c.typed);
          Idle();
          okEnabled = l.Control<ui::TButton>("OKButton").Enabled();
          Keys("{Enter}");
        });
    EXPECT_EQ(okEnabled, c.okEnabled);
    EXPECT_EQ(start, c.edit < 0 ? "" : c.list[static_cast<size_t>(c.edit)]);
    EXPECT_EQ(list.Items(), c.after);
    EXPECT_EQ(changed, c.changed);
  }
  EXPECT_EQ(caption, "拡張子の設定");
  EXPECT_EQ(lineCaption, "EditFileExtLine");
}

TEST_F(FileExtDialogTest, DeleteNeedsASelectionAndEnterOrEscWriteTheListBack) {
  struct TCase {
    const char* name;
    int select;  // -1: none
    const char* closeKey;
    std::vector<std::string> after;
    bool changed;
  };
  const TCase cases[] = {
      {"Del deletes the selected entry, Esc closes", 1, "{Esc}", {".bat", ".exe"}, true},
      {"Del without a selection does nothing, Enter closes", -1, "{Enter}", {".bat", ".com", ".exe"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TStringList list({".exe", ".com", ".bat"});
    bool editEnabled = true, deleteEnabled = true;
    lines = 0;
    bool changed = Run(list, [&](TEditFileExt& d) {
      EXPECT_EQ(d.List().Items(), (std::vector<std::string>{".bat", ".com", ".exe"}));
      if (c.select >= 0) ClickItem(d.List(), c.select);
      Idle();
      editEnabled = d.Control<ui::TButton>("EditButton").Enabled();
      deleteEnabled = d.Control<ui::TButton>("DeleteButton").Enabled();
      Press({VK_DELETE});
      Press({VK_F2});  // no selection now either way: no line dialog
      Keys(c.closeKey);
    });
    EXPECT_EQ(editEnabled, c.select >= 0);
    EXPECT_EQ(deleteEnabled, c.select >= 0);
    EXPECT_EQ(lines, 0);
    EXPECT_EQ(list.Items(), c.after);
    EXPECT_EQ(changed, c.changed);
  }
}

TEST_F(FileExtDialogTest, TheCallersListComesBackSortedAndDuplicateFree) {
  TStringList list({".vbs", ".EXE", ".exe"});
  std::vector<std::string> shown;
  bool changed = Run(list, [&](TEditFileExt& d) {
    shown = d.List().Items();
    Keys("{Esc}");
  });
  EXPECT_FALSE(changed);
  EXPECT_EQ(shown, (std::vector<std::string>{".EXE", ".vbs"}));
  EXPECT_EQ(list.Items(), (std::vector<std::string>{".EXE", ".vbs"}));
}

TEST_F(FileExtDialogTest, TheLineDialogAnswersOnlyOnOK) {
  struct TCase {
    const char* name;
    const char* keys;
    std::string answer;
  };
  const TCase cases[] = {
      {"OK puts the dot in front", "vbs{Enter}", ".vbs"},
      {"a dot typed stays one", ".js{Enter}", ".js"},
      {"Esc gives nothing", "vbs{Esc}", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      Keys(c.keys);
      if (f.ModalResult() == 0) PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(ShowEditFileExtLine(&form, {".exe"}, -1), c.answer);
  }
}

// The picture: the list with an entry chosen.
TEST_F(FileExtDialogTest, ScreenshotTheExtensionList) {
  TStringList list({".exe", ".bat", ".COM", ".lnk", ".cmd", ".vbs"});
  Run(list, [&](TEditFileExt& d) {
    ClickItem(d.List(), 2);
    Idle();
    EXPECT_EQ(d.List().Item(2), ".COM");
    OfferScreenshot(d.Handle(), "editor-file-ext");
    Keys("{Esc}");
  });
}

}  // namespace
