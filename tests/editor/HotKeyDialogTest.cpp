// The hotkey dialog and its frame, driven for real while the dialog's modal
// loop runs: modifier boxes clicked, the key list typed into and chosen from
// with keys, the number dialog answered, the dialog ended by Enter and Esc.
#include "editor/HotKey_Dialog.h"

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "editor/HotKeyFrameState.h"
#include "editor/HotKey_Frame.h"
#include "editor/Int_Input.h"
#include "tests/editor/DialogFixture.h"
#include "tests/support/RealInput.h"
#include "tests/support/Screenshot.h"
#include "ui/Button.h"

namespace {

class HotKeyDialogTest : public DialogTest {
 protected:
  // Runs the dialog: script drives it once its loop runs, answer drives the
  // number dialog when that comes up inside it.
  std::string Run(bool global, const std::string& text, const std::function<void(THotKeyDialog&)>& script,
                  const std::function<void(TIntInput&)>& answer = {}) {
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      if (auto* number = dynamic_cast<TIntInput*>(&f)) {
        ++numberDialogs;
        numberCaption = number->Caption();
        if (answer) answer(*number);
        else PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
        return;
      }
      auto& dialog = dynamic_cast<THotKeyDialog&>(f);
      Drain();
      script(dialog);
      if (dialog.ModalResult() == 0 && dialog.Visible()) {
        ADD_FAILURE() << "the script left the dialog open";
        PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
      }
    });
    return global ? EditGlobalHotKey(&form, text) : EditLocalHotKey(&form, text);
  }
  static std::string Boxes(THotKeyFrame& f) {
    std::string s;
    if (f.ShiftBox().Checked()) s += "S";
    if (f.AltBox().Checked()) s += "A";
    if (f.CtrlBox().Checked()) s += "C";
    if (f.WinBox().Checked()) s += "W";
    return s;
  }
  void Click(ui::TWindow& control) { ClickAt(control.Handle(), Center(control.Handle())); }

  int numberDialogs = 0;
  std::string numberCaption;
};

TEST_F(HotKeyDialogTest, GlobalDialogChoosesTheDoublePressAndWinTakesItBack) {
  std::string caption, afterDouble, afterWin, boxesAfterWin;
  DWORD style = 0;
  bool winShown = false;
  std::string result = Run(true, "Ctrl+K", [&](THotKeyDialog& d) {
    THotKeyFrame& f = d.Frame();
    caption = d.Caption();
    style = static_cast<DWORD>(GetWindowLongA(d.Handle(), GWL_STYLE));
    winShown = f.WinBox().Visible();
    EXPECT_EQ(f.KeyList().Text(), "K");
    EXPECT_EQ(Boxes(f), "C");
    // Up the closed list to the entry after "なし".
    f.KeyList().Focus();
    for (int i = 0; i < 60 && f.KeyList().ItemIndex() > 1; ++i) Press({VK_UP});
    EXPECT_EQ(f.KeyList().Text(), hotkeyframe::kDoubleEntry);
    afterDouble = f.GetHotKeyText();
    Click(f.WinBox());
    afterWin = f.KeyList().Text();
    boxesAfterWin = Boxes(f);
    Keys("{Esc}");
  });
  EXPECT_EQ(caption, "ホットキーの設定");
  EXPECT_EQ(style & WS_SYSMENU, 0u);
  EXPECT_TRUE(winShown);
  EXPECT_EQ(afterDouble, "Ctrl*2");
  EXPECT_EQ(afterWin, "なし");
  EXPECT_EQ(boxesAfterWin, "CW");
  EXPECT_EQ(result, "Ctrl+K") << "Esc gives the text back";
}

TEST_F(HotKeyDialogTest, ATypedKeyGetsTheDefaultModifierOfTheKind) {
  struct TCase {
    const char* name;
    bool global;
    std::string result;
  };
  const TCase cases[] = {
      {"local: no modifier, no Win box, no double press", false, "A"},
      {"global: Ctrl", true, "Ctrl+A"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool winShown = true, hasDouble = true;
    std::string boxes;
    std::string result = Run(c.global, "なし", [&](THotKeyDialog& d) {
      THotKeyFrame& f = d.Frame();
      winShown = f.WinBox().Visible();
      hasDouble = f.KeyList().IndexOf(hotkeyframe::kDoubleEntry) >= 0;
      f.KeyList().Focus();
      Keys("{End}{BS}{BS}{BS}a");
      EXPECT_TRUE(f.KeyList().DroppedDown()) << "the list opens on typing";
      boxes = Boxes(f);
      Press({VK_F4});
      Keys("{Enter}");
    });
    EXPECT_EQ(winShown, c.global);
    EXPECT_EQ(hasDouble, c.global);
    EXPECT_EQ(boxes, c.global ? "C" : "");
    EXPECT_EQ(result, c.result);
  }
}

TEST_F(HotKeyDialogTest, AKeyWithoutANameGetsAnEntryOfItsOwn) {
  std::string item1, text;
  int index = -1;
  std::string result = Run(true, "Ctrl+#226", [&](THotKeyDialog& d) {
    THotKeyFrame& f = d.Frame();
    item1 = f.KeyList().Item(1);
    index = f.KeyList().ItemIndex();
    text = f.KeyList().Text();
    Keys("{Enter}");
  });
  EXPECT_EQ(item1, "#226");
  EXPECT_EQ(index, 1);
  EXPECT_EQ(text, "#226");
  EXPECT_EQ(result, "Ctrl+#226");
}

TEST_F(HotKeyDialogTest, AnUnknownKeyTextMarksTheLabelAndDisablesOK) {
  std::string label, labelAfter;
  bool okEnabled = true, stillOpen = false;
  std::string result = Run(true, "Alt+F5", [&](THotKeyDialog& d) {
    THotKeyFrame& f = d.Frame();
    auto& ok = d.Control<ui::TButton>("OKButton");
    f.KeyList().Focus();
    Keys("{End}{BS}{BS}xyz");
    label = f.KeyLabel().Caption();
    Press({VK_F4});
    Idle();
    okEnabled = ok.Enabled();
    Keys("{Enter}");
    stillOpen = d.ModalResult() == 0;
    Keys("{BS}{BS}{BS}F6");
    labelAfter = f.KeyLabel().Caption();
    Press({VK_F4});
    Keys("{Esc}");
  });
  EXPECT_EQ(label, "キー(&K)(不正な値)");
  EXPECT_FALSE(okEnabled);
  EXPECT_TRUE(stillOpen) << "Enter cannot press a disabled OK";
  EXPECT_EQ(labelAfter, "キー(&K)");
  EXPECT_EQ(result, "Alt+F5");
}

TEST_F(HotKeyDialogTest, TheNumberEntryAsksForTheCode) {
  struct TCase {
    const char* name;
    bool openList;       // chosen in the open list (else stepped to in the closed one)
    const char* answer;  // typed into the number dialog; nullptr: closed
    std::string result;
  };
  const TCase cases[] = {
      {"a code without a name", false, "{End}{BS}300{Enter}", "Ctrl+#300"},
      {"a code with one, from the open list", true, "{End}{BS}65{Enter}", "Ctrl+A"},
      {"closed: the key chosen before comes back", true, nullptr, "Ctrl+K"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    numberDialogs = 0;
    std::string shown;
    std::string result = Run(
        true, "Ctrl+K",
        [&](THotKeyDialog& d) {
          THotKeyFrame& f = d.Frame();
          ui::TComboBox& list = f.KeyList();
          list.Focus();
          if (c.openList) Press({VK_F4});
          for (int i = 0; i < 40 && numberDialogs == 0 && list.ItemIndex() != list.Count() - 1; ++i)
            Press({VK_NEXT});
          EXPECT_EQ(numberDialogs, c.openList ? 0 : 1) << "asked only once the list is closed";
          if (c.openList) Keys("{Enter}");
          PumpUntil([&] { return numberDialogs > 0 && list.Text() != hotkeyframe::kNumberEntry; });
          shown = f.GetHotKeyText();
          Keys("{Enter}");
        },
        [&](TIntInput& n) {
          if (c.answer) realinput::Type(c.answer);
          else PostMessageA(n.Handle(), WM_CLOSE, 0, 0);
        });
    EXPECT_EQ(numberDialogs, 1);
    EXPECT_EQ(numberCaption, "キーコードの入力");
    EXPECT_EQ(shown, c.result);
    EXPECT_EQ(result, c.result);
  }
}

TEST_F(HotKeyDialogTest, TheDialogIsCentredOverItsOwnerOrTheWorkArea) {
  RECT work = {};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  struct TCase {
    const char* name;
    ui::TWindow* owner;
  };
  const TCase cases[] = {{"over the owner", &form}, {"no owner: the work area", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RECT r = {};
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      GetWindowRect(f.Handle(), &r);
      Keys("{Esc}");
    });
    EXPECT_EQ(EditLocalHotKey(c.owner, "F3"), "F3");
    RECT over = work;
    if (c.owner) GetWindowRect(c.owner->Handle(), &over);
    else OffsetRect(&over, -work.left, -work.top);  // from the screen's origin
    EXPECT_EQ(r.left, over.left + ((over.right - over.left) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, over.top + ((over.bottom - over.top) - (r.bottom - r.top)) / 2);
  }
}

// The picture: a system-wide double press with the key list open.
TEST_F(HotKeyDialogTest, ScreenshotDoublePressWithTheKeyListOpen) {
  THotKeyDialog dialog(&form);
  THotKeyFrame& f = dialog.Frame();
  f.SetKind(1);
  f.SetHotKeyText("Ctrl*2");
  EXPECT_EQ(f.GetHotKeyText(), "Ctrl*2");
  CenterOverOwner(dialog.Handle(), &form);
  dialog.Show();
  SetForegroundWindow(dialog.Handle());
  // Raised before the list drops, so that the list stays above it.
  PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); });
  Drain();
  f.KeyList().Focus();
  f.KeyList().SetDroppedDown(true);
  Drain();
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  GetComboBoxInfo(f.KeyList().Handle(), &info);
  RECT area = {}, list = {};
  GetWindowRect(dialog.Handle(), &area);
  GetWindowRect(info.hwndList, &list);
  UnionRect(&area, &area, &list);
  OfferScreenshot(area, "editor-hotkey-dialog");
  f.KeyList().SetDroppedDown(false);
}

}  // namespace
