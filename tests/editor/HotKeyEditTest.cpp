// The hotkey capture box on a real form, typed into with SendInput at a
// person's pace (each key handled before the next): the text it shows, the
// keys it lets through to the dialog, and its keyboard hook.
#include "editor/HotKey_Edit.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/HotKeyUtils.h"
#include "tests/ui/ControlsFixture.h"
#include "tests/support/Screenshot.h"
#include "ui/ActionList.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"

namespace {

class HotKeyEditTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    edit = &form.Own(std::make_unique<THotKeyEdit>());
    ui::TEditParams e;
    e.Parent = Form();
    e.X = 10; e.Y = 10; e.Width = 160; e.Height = 21;
    e.Font = font;
    ASSERT_TRUE(edit->Create(e));
    other = &form.Own(std::make_unique<ui::TEdit>());
    ui::TEditParams o = e;
    o.Caption = "ほかの欄";
    o.Y = 40;
    ASSERT_TRUE(other->Create(o));
    ok = &form.Own(std::make_unique<ui::TButton>());
    ASSERT_TRUE(ok->Create(ui::TButtonParams(Form(), "OK", 10, 80, 75, 25)));
    ok->OnClick = [this] { ++okClicks; };
    form.SetDefaultButton(ok);
    edit->OnChange = [this] { changes.push_back(edit->Text()); };
  }
  void TearDown() override {
    ReleaseModifiers();
    ControlsTest::TearDown();
  }
  void Key(WORD vk, bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
    Drain();
  }
  static void ReleaseModifiers() {
    for (WORD vk : {VK_CONTROL, VK_MENU, VK_SHIFT, VK_LWIN})
      if (GetAsyncKeyState(vk) < 0) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &in, sizeof in);
      }
  }
  void FocusEdit() {
    edit->Focus();
    Drain();
    ASSERT_TRUE(edit->Focused());
  }

  THotKeyEdit* edit = nullptr;
  ui::TEdit* other = nullptr;
  ui::TButton* ok = nullptr;
  int okClicks = 0;
  std::vector<std::string> changes;
};

struct TStep {
  WORD vk;
  bool down;
  const char* text;  // shown afterwards
};

TEST_F(HotKeyEditTest, PressedKeysShowAsTheirCombination) {
  struct TCase {
    const char* name;
    uint8_t kind;
    uint8_t defaultModifier;  // 8: none (kind 1 makes it Ctrl)
    std::vector<TStep> steps;
  };
  const TCase cases[] = {
      {"Ctrl, then K, then both released", kHotKeyKindGlobal, 8,
       {{VK_CONTROL, true, "Ctrl+"}, {'K', true, "Ctrl+K"}, {'K', false, "Ctrl+K"}, {VK_CONTROL, false, "Ctrl+K"}}},
      {"K alone with the default Ctrl", kHotKeyKindGlobal, 8, {{'K', true, "Ctrl+K"}, {'K', false, "Ctrl+K"}}},
      {"F5 alone", kHotKeyKindGlobal, 8, {{VK_F5, true, "F5"}, {VK_F5, false, "F5"}}},
      {"K alone on a local box", kHotKeyKindLocal, 8, {{'K', true, "K"}, {'K', false, "K"}}},
      {"the default Alt on a local box", kHotKeyKindLocal, kModAlt, {{'K', true, "Alt+K"}, {'K', false, "Alt+K"}}},
      {"BackSpace alone clears", kHotKeyKindGlobal, 8,
       {{'Q', true, "Ctrl+Q"}, {'Q', false, "Ctrl+Q"}, {VK_BACK, true, "なし"}, {VK_BACK, false, "なし"}}},
      {"a modifier released alone", kHotKeyKindGlobal, 8,
       {{VK_MENU, true, "Alt+"}, {VK_MENU, false, "なし"}}},
      {"Shift and Alt with a digit", kHotKeyKindGlobal, 8,
       {{VK_SHIFT, true, "Shift+"}, {VK_MENU, true, "Shift+Alt+"}, {'7', true, "Shift+Alt+7"},
        {'7', false, "Shift+Alt+7"}, {VK_MENU, false, "Shift+Alt+7"}, {VK_SHIFT, false, "Shift+Alt+7"}}},
      {"Ctrl+Enter is captured", kHotKeyKindGlobal, 8,
       {{VK_CONTROL, true, "Ctrl+"}, {VK_RETURN, true, "Ctrl+Enter"}, {VK_RETURN, false, "Ctrl+Enter"},
        {VK_CONTROL, false, "Ctrl+Enter"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    edit->SetKind(c.kind);
    edit->SetDefaultModifier(c.defaultModifier);
    edit->ClearText();
    FocusEdit();
    for (const auto& s : c.steps) {
      SCOPED_TRACE(std::to_string(s.vk) + (s.down ? " down" : " up"));
      Key(s.vk, s.down);
      EXPECT_EQ(edit->Text(), s.text);
    }
    EXPECT_EQ(okClicks, 0);
    ReleaseModifiers();
    other->Focus();
    Drain();
  }
}

TEST_F(HotKeyEditTest, WinKeyIsCapturedWithoutTheShiftTapItSends) {
  edit->SetKind(kHotKeyKindGlobal);
  FocusEdit();
  Key(VK_LWIN, true);
  EXPECT_EQ(edit->Text(), "WIN+");
  // The tap has gone by: Shift is up again and was never taken as a key.
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  Key('K', true);
  EXPECT_EQ(edit->Text(), "WIN+K");
  Key('K', false);
  Key(VK_LWIN, false);
  EXPECT_EQ(edit->Text(), "WIN+K");
  for (const auto& text : changes) EXPECT_EQ(text.find("Shift+"), std::string::npos) << text;

  // The scope goes back to active-while-active: a captured Win text goes.
  edit->SetKind(kHotKeyKindLocal);
  EXPECT_EQ(edit->Text(), "なし");
}

TEST_F(HotKeyEditTest, PlainEnterPressesTheDefaultButtonAndTabMovesOn) {
  edit->SetKind(kHotKeyKindGlobal);
  FocusEdit();
  Key('K', true);
  Key('K', false);
  Key(VK_RETURN, true);
  Key(VK_RETURN, false);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(edit->Text(), "Ctrl+K");
  // Enter alone may be captured where the box allows it (not in kind 1).
  edit->SetKind(kHotKeyKindLocal);
  edit->SetDefaultModifier(8);
  edit->SetEnableSingleEnter(true);
  Key(VK_RETURN, true);
  Key(VK_RETURN, false);
  EXPECT_EQ(edit->Text(), "Enter");
  EXPECT_EQ(okClicks, 1);
  Key(VK_TAB, true);
  Key(VK_TAB, false);
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(THotKeyEdit::HookEdit(), nullptr) << "the hook goes with the focus";
}

TEST_F(HotKeyEditTest, LeavingAnUnfinishedCombinationBringsBackTheLastOne) {
  edit->SetKind(kHotKeyKindGlobal);
  FocusEdit();
  Key(VK_CONTROL, true);
  Key('K', true);
  Key('K', false);
  Key(VK_CONTROL, false);
  ASSERT_EQ(edit->Text(), "Ctrl+K");
  Key(VK_MENU, true);
  ASSERT_EQ(edit->Text(), "Alt+");
  // The user clicks into the other box while Alt is held.
  ClickAt(other->Handle(), Center(other->Handle()));
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(edit->Text(), "Ctrl+K");
  Key(VK_MENU, false);
  EXPECT_EQ(edit->Text(), "Ctrl+K");
  EXPECT_EQ(edit->AcceptedText(), "Ctrl+K");

  // With nothing finished since the focus came, the text it had comes back.
  edit->SetText("Shift+F2");
  FocusEdit();
  Key(VK_MENU, true);
  ClickAt(other->Handle(), Center(other->Handle()));
  EXPECT_EQ(edit->Text(), "Shift+F2");
}

TEST_F(HotKeyEditTest, CapturedKeysReachNoShortcutAndNoCharacterIsTyped) {
  ui::TActionList actions(form);
  ui::TAction action("実行", static_cast<WORD>('K' | 0x4000));  // Ctrl+K
  int runs = 0;
  action.OnExecute = [&] { ++runs; };
  actions.Add(&action);
  edit->SetKind(kHotKeyKindGlobal);
  // The shortcut works elsewhere on the form.
  other->Focus();
  Drain();
  Key(VK_CONTROL, true);
  Key('K', true);
  Key('K', false);
  Key(VK_CONTROL, false);
  ASSERT_EQ(runs, 1);
  FocusEdit();
  Key(VK_CONTROL, true);
  Key('K', true);
  Key('K', false);
  Key(VK_CONTROL, false);
  EXPECT_EQ(runs, 1) << "the box took the keys first";
  EXPECT_EQ(edit->Text(), "Ctrl+K");
  // Letters never land in the box as text.
  edit->SetKind(kHotKeyKindLocal);
  edit->SetDefaultModifier(8);
  Key('A', true);
  Key('A', false);
  EXPECT_EQ(edit->Text(), "A");
  EXPECT_EQ(changes.back(), "A");
}

TEST_F(HotKeyEditTest, TheHookBelongsToTheFocusedBoxAndGoesWithIt) {
  EXPECT_EQ(THotKeyEdit::HookEdit(), nullptr);
  FocusEdit();
  EXPECT_EQ(THotKeyEdit::HookEdit(), edit);
  // A box on another form takes the hook over with the focus.
  ui::TForm popup;
  ui::TFormParams fp;
  fp.Caption = "別の窓";
  fp.X = 300; fp.Y = 300; fp.Width = 200; fp.Height = 100;
  ASSERT_TRUE(popup.Create(fp));
  auto& second = popup.Own(std::make_unique<THotKeyEdit>());
  ui::TEditParams p;
  p.Parent = popup.Handle();
  p.X = 10; p.Y = 10; p.Width = 100; p.Height = 21;
  ASSERT_TRUE(second.Create(p));
  EXPECT_EQ(second.Text(), "なし");
  popup.Show();
  SetForegroundWindow(popup.Handle());
  second.Focus();
  Drain();
  EXPECT_EQ(THotKeyEdit::HookEdit(), &second);
  // Freed while holding it: the hook is removed, and keys go on as usual.
  popup.Free(&second);
  EXPECT_EQ(THotKeyEdit::HookEdit(), nullptr);
  popup.Destroy();
  SetForegroundWindow(Form());
  other->Focus();
  Drain();
  other->SetText("");
  Key('X', true);
  Key('X', false);
  EXPECT_EQ(other->Text(), "x");
}

TEST_F(HotKeyEditTest, AnEmptiedBoxShowsNoneAndReportsOnlyTexts) {
  edit->SetText("Ctrl+K");
  changes.clear();
  edit->SetText("");
  EXPECT_EQ(edit->Text(), "なし");
  EXPECT_EQ(changes, (std::vector<std::string>{"なし"}));
}

// The picture: the box after Ctrl+K was typed.
TEST_F(HotKeyEditTest, ScreenshotCtrlK) {
  edit->SetKind(kHotKeyKindGlobal);
  FocusEdit();
  Key(VK_CONTROL, true);
  Key('K', true);
  Key('K', false);
  Key(VK_CONTROL, false);
  ASSERT_EQ(edit->Text(), "Ctrl+K");
  RECT area = {};
  GetWindowRect(edit->Handle(), &area);
  InflateRect(&area, 10, 8);
  OfferScreenshot(area, "editor-hotkey-edit");
}

}  // namespace
