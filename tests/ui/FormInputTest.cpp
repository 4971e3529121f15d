// Modal forms driven by typed keys (SendInput): Enter and Esc press the
// default and cancel buttons, nested modals each take their own keys, and only
// the active form's actions take shortcuts.
#include "core/HotKeyUtils.h"
#include "tests/ui/TestKinds.h"
#include "tests/ui/UiFixture.h"
#include "ui/ActionList.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"

namespace {

using testkinds::TBox;
using testkinds::TPushButton;

const ui::TLayoutRow kDialogRows[] = {
    {ui::Kind<ui::TEdit>, "Edit1", "", "", 8, 8, 200, 21},
    {ui::Kind<TBox>, "Box", "", "", 8, 40, 220, 40},
    {ui::Kind<TPushButton>, "InBox", "Box", "枠内の既定", 4, 4, 90, 25},
    {ui::Kind<TPushButton>, "OK", "", "OK", 48, 90, 75, 25},
    {ui::Kind<TPushButton>, "Cancel", "", "キャンセル", 130, 90, 75, 25},
};

// A dialog of the table above; its default and cancel buttons as asked.
class TDialog : public ui::TForm {
 public:
  explicit TDialog(const char* caption, ui::TForm* owner = nullptr) : ui::TForm(owner) {
    ui::TFormParams p;
    p.Caption = caption;
    p.BorderStyle = ui::TBorderStyle::Dialog;
    p.ClientWidth = 240;
    p.ClientHeight = 124;
    p.Position = ui::TPosition::ScreenCenter;
    Create(p);
    BuildLayout(kDialogRows);
    SetModalResultOf(&Control("OK"), IDOK);
    SetModalResultOf(&Control("Cancel"), IDCANCEL);
    SetModalResultOf(&Control("InBox"), IDRETRY);
    SetDefaultButton(&Control("OK"));
    SetCancelButton(&Control("Cancel"));
  }
};

using FormInputTest = UiTest;

TEST_F(FormInputTest, EnterAndEscPressTheDefaultAndCancelButtons) {
  struct TCase {
    const char* name;
    const char* focus;
    WORD key;
    const char* defaultButton;  // "" for none
    const char* cancelButton;
    int expected;  // 0: the key did nothing
  };
  const TCase cases[] = {
      {"enter in the edit: default", "Edit1", VK_RETURN, "OK", "Cancel", IDOK},
      {"esc in the edit: cancel", "Edit1", VK_ESCAPE, "OK", "Cancel", IDCANCEL},
      {"enter on a focused button: that button", "Cancel", VK_RETURN, "OK", "Cancel", IDCANCEL},
      {"enter, default button inside a box", "Edit1", VK_RETURN, "InBox", "Cancel", IDRETRY},
      {"esc without a cancel button", "Edit1", VK_ESCAPE, "OK", "", 0},
      {"enter without a default button", "Edit1", VK_RETURN, "", "Cancel", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TDialog dialog("キーで閉じる");
    dialog.SetDefaultButton(*c.defaultButton ? &dialog.Control(c.defaultButton) : nullptr);
    dialog.SetCancelButton(*c.cancelButton ? &dialog.Control(c.cancelButton) : nullptr);
    bool typed = false;
    auto modal = app->OnModal.Add([&](ui::TForm& form) {
      ASSERT_EQ(&form, &dialog);
      ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
      dialog.Control(c.focus).Focus();
      Type({c.key});
      typed = true;
      if (c.expected == 0) {
        Drain();
        dialog.SetModalResult(IDABORT);  // still up: ended here
      }
    });
    EXPECT_EQ(dialog.ShowModal(), c.expected ? c.expected : IDABORT);
    EXPECT_TRUE(typed);
  }
}

// A combo box keeps an edit of its own with the id 1001; Wine's dialog keys
// look for the default button's id through every window of the form, so a
// row numbered 1001 lost Enter to a combo box standing before it.
TEST_F(FormInputTest, EnterReachesTheDefaultButtonPastAComboBoxInAContainer) {
  const ui::TLayoutRow rows[] = {
      {ui::Kind<TBox>, "Box", "", "", 8, 8, 220, 40},
      {ui::Kind<TPushButton>, "OK", "", "OK", 48, 90, 75, 25},
      {ui::Kind<ui::TComboBox>, "List", "Box", "", 4, 4, 120, 200},
      {ui::Kind<ui::TEdit>, "Edit1", "", "", 8, 60, 200, 21},
  };
  ui::TForm dialog;
  ui::TFormParams p;
  p.Caption = "コンボの後の既定ボタン";
  p.BorderStyle = ui::TBorderStyle::Dialog;
  p.ClientWidth = 240;
  p.ClientHeight = 124;
  ASSERT_TRUE(dialog.Create(p));
  dialog.BuildLayout(rows);
  dialog.SetModalResultOf(&dialog.Control("OK"), IDOK);
  dialog.SetDefaultButton(&dialog.Control("OK"));
  auto modal = app->OnModal.Add([&](ui::TForm&) {
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
    dialog.Control("Edit1").Focus();
    Type({VK_RETURN});
    Drain();
    if (dialog.ModalResult() == 0) dialog.SetModalResult(IDABORT);
  });
  EXPECT_EQ(dialog.ShowModal(), IDOK);
}

TEST_F(FormInputTest, NestedModalsEachTakeTheirOwnKeys) {
  TDialog outer("外側");
  TDialog inner("内側", &outer);
  int innerResult = 0;
  HWND activeAfterInner = nullptr;
  std::vector<std::string> order;
  auto modal = app->OnModal.Add([&](ui::TForm& form) {
    order.push_back(form.Caption());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form.Handle(); }));
    if (&form == &outer) {
      innerResult = inner.ShowModal();
      activeAfterInner = GetActiveWindow();
      outer.Control("Edit1").Focus();
      Type({VK_RETURN});
    } else {
      inner.Control("Edit1").Focus();
      Type({VK_ESCAPE});
    }
  });
  EXPECT_EQ(outer.ShowModal(), IDOK);
  EXPECT_EQ(innerResult, IDCANCEL);  // the Esc ended the inner only
  EXPECT_EQ(activeAfterInner, outer.Handle());
  EXPECT_EQ(order, (std::vector<std::string>{"外側", "内側"}));
}

TEST_F(FormInputTest, OnlyTheActiveFormsActionsTakeShortcuts) {
  ui::TForm main;
  ui::TFormParams p;
  p.Caption = "主";
  p.X = 20;
  p.Y = 20;
  ASSERT_TRUE(main.Create(p));
  ui::TActionList mainActions(main);
  ui::TAction mainEnter("実行", VK_RETURN), mainSave("保存", kScCtrl | 'S');
  int mainEnters = 0, mainSaves = 0, dialogSaves = 0;
  mainEnter.OnExecute = [&] { ++mainEnters; };
  mainSave.OnExecute = [&] { ++mainSaves; };
  mainActions.Add(&mainEnter);
  mainActions.Add(&mainSave);
  main.Show();
  SetForegroundWindow(main.Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main.Handle(); }));

  TDialog dialog("ダイアログ", &main);
  ui::TActionList dialogActions(dialog);
  ui::TAction dialogSave("保存", kScCtrl | 'S');
  dialogSave.OnExecute = [&] { ++dialogSaves; };
  dialogActions.Add(&dialogSave);
  auto modal = app->OnModal.Add([&](ui::TForm&) {
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
    dialog.Control("Edit1").Focus();
    Type({VK_CONTROL, 'S'});
    ASSERT_TRUE(PumpUntil([&] { return dialogSaves == 1; }));
    Type({VK_RETURN});  // the dialog's default button, not the main form's action
  });
  EXPECT_EQ(dialog.ShowModal(), IDOK);
  EXPECT_EQ(mainEnters, 0);
  EXPECT_EQ(mainSaves, 0);

  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == main.Handle(); }));
  Type({VK_CONTROL, 'S'});
  Type({VK_RETURN});
  EXPECT_TRUE(PumpUntil([&] { return mainSaves == 1 && mainEnters == 1; }));
  EXPECT_EQ(dialogSaves, 1);
}

TEST_F(FormInputTest, TabMovesAndTheFocusComesBackOnActivation) {
  TDialog dialog("移動");
  dialog.Show();
  SetForegroundWindow(dialog.Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
  // The first control takes the focus when the form is activated.
  EXPECT_EQ(GetFocus(), dialog.Control("Edit1").Handle());
  Type({VK_TAB});
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == dialog.Control("InBox").Handle(); }));  // into the box
  Type({VK_TAB});
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == dialog.Control("OK").Handle(); }));
  // Away and back: the button keeps the focus.
  ui::TForm other;
  ui::TFormParams p;
  p.Caption = "他";
  ASSERT_TRUE(other.Create(p));
  other.Show();
  SetForegroundWindow(other.Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Handle(); }));
  SetForegroundWindow(dialog.Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
  EXPECT_EQ(GetFocus(), dialog.Control("OK").Handle());
}

}  // namespace
