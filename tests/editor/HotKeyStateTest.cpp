// The rules of the hotkey frame and the hotkey capture box, apart from their
// windows: what the boxes, the key list and the box's text become after each
// step a user or a form takes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string_view>
#include <string>
#include <vector>

#include "core/Debug_Unit.h"
#include "core/HotKeyUtils.h"
#include "editor/HotKeyEditState.h"
#include "editor/HotKeyFrameState.h"

namespace {

using namespace hotkeyframe;

// The user picks an entry of the key list (the list's events then normalise).
void Pick(THotKeyFrameState& f, const std::string& entry) {
  for (size_t i = 0; i < f.View.Items.size(); ++i)
    if (f.View.Items[i] == entry) {
      f.View.ItemIndex = static_cast<int>(i);
      f.View.Text = entry;
    }
  f.Normalize();
}
// The user types into the key list's text box.
void TypeKey(THotKeyFrameState& f, const std::string& text) {
  f.View.Text = text;
  f.View.ItemIndex = -1;
  f.Normalize();
}
void Check(THotKeyFrameState& f, bool& box, bool on) {
  box = on;
  f.Normalize();
}
std::string Boxes(const THotKeyFrameView& v) {
  std::string s;
  if (v.Shift) s += "S";
  if (v.Alt) s += "A";
  if (v.Ctrl) s += "C";
  if (v.Win) s += "W";
  return s;
}
std::string Selected(const THotKeyFrameView& v) {
  return v.ItemIndex >= 0 ? v.Items[static_cast<size_t>(v.ItemIndex)] : "(none)";
}

TEST(HotKeyFrameState, KeyListHoldsEveryKeyInOrder) {
  THotKeyFrameState f(true);
  const auto& items = f.View.Items;
  ASSERT_EQ(items.size(), 1u + 1 + 26 + 10 + NamedKeyNames().size() + AloneKeyNames().size() + 1);
  EXPECT_EQ(items[0], "なし");
  EXPECT_EQ(items[1], kDoubleEntry);
  EXPECT_EQ(items[2], "A");
  EXPECT_EQ(items[27], "Z");
  EXPECT_EQ(items[28], "1");
  EXPECT_EQ(items[37], "0");
  EXPECT_EQ(items[38], "Space");
  EXPECT_EQ(items.back(), kNumberEntry);
  EXPECT_EQ(items[items.size() - 2], "F24");
  // Without double presses on the system there is no such entry.
  THotKeyFrameState old(false);
  EXPECT_EQ(old.View.Items[1], "A");
}

struct TFrameCase {
  const char* name;
  std::function<void(THotKeyFrameState&)> steps;
  const char* boxes;     // S A C W checked
  bool winVisible;
  const char* selected;  // the selected entry
  const char* hotKey;    // GetHotKeyText
  bool valid;
};

TEST(HotKeyFrameState, StepsGiveTheBoxesListAndText) {
  const TFrameCase cases[] = {
      {"a new frame: kind 0, Shift and the double press", [](auto&) {}, "S", false, kDoubleEntry, "Shift*2", true},
      {"kind 1 with Ctrl: the double press gives Ctrl*2",
       [](auto& f) {
         f.SetKind(1);
         f.SetModifiers(kModCtrl);
         Pick(f, kDoubleEntry);
       },
       "C", true, kDoubleEntry, "Ctrl*2", true},
      {"then checking Win selects なし",
       [](auto& f) {
         f.SetKind(1);
         f.SetModifiers(kModCtrl);
         Pick(f, kDoubleEntry);
         Check(f, f.View.Win, true);
       },
       "CW", true, "なし", "", true},
      {"kind 0: A with no box stays A (default modifier none)",
       [](auto& f) {
         f.Clear();
         Pick(f, "A");
       },
       "", false, "A", "A", true},
      {"kind 1: A with no box checks Ctrl",
       [](auto& f) {
         f.SetKind(1);
         f.Clear();
         Pick(f, "A");
       },
       "C", true, "A", "Ctrl+A", true},
      {"a key allowed alone needs no modifier",
       [](auto& f) {
         f.SetKind(1);
         f.Clear();
         Pick(f, "F5");
       },
       "", true, "F5", "F5", true},
      {"Ctrl+#226 puts #226 at position 1",
       [](auto& f) { f.SetHotKeyText("Ctrl+#226"); }, "C", false, "#226", "Ctrl+#226", true},
      {"a typed text that names no entry is not valid",
       [](auto& f) {
         f.SetKind(1);
         TypeKey(f, "xyz");
       },
       "S", true, "(none)", "", false},
      {"a typed code is valid and kept",
       [](auto& f) {
         f.Clear();
         TypeKey(f, "#300");
       },
       "", false, "(none)", "#300", true},
      {"a key typed in lower case is the list's key",
       [](auto& f) {
         f.SetKind(1);
         f.Clear();
         TypeKey(f, "k");
       },
       "C", true, "(none)", "Ctrl+K", true},
      {"double press switched off: the entry goes and なし is selected",
       [](auto& f) {
         f.SetKind(1);
         f.SetHotKeyText("Ctrl*2");
         f.SetEnableDoubleMod(false);
       },
       "C", true, "なし", "", true},
      {"kind 3: no Win, no double press, Ctrl by default",
       [](auto& f) {
         f.SetKind(3);
         f.Clear();
         Pick(f, "Q");
       },
       "C", false, "Q", "Ctrl+Q", true},
      {"Win+K on a global frame",
       [](auto& f) {
         f.SetKind(1);
         f.SetHotKeyText("Win+K");
       },
       "W", true, "K", "Win+K", true},
      {"Win+K on a local frame: the hidden box stays unchecked",
       [](auto& f) { f.SetHotKeyText("Win+K"); }, "", false, "K", "K", true},
      {"key 0 without modifiers clears",
       [](auto& f) {
         f.SetHotKeyText("Alt+F5");
         f.SetModifiers(0);
         f.SetKey(0);
       },
       "", false, "なし", "", true},
      {"key 0 with modifiers is the double press",
       [](auto& f) {
         f.SetKind(1);
         f.SetHotKeyText("Alt+F5");
         f.SetKey(0);
       },
       "A", true, kDoubleEntry, "Alt*2", true},
      {"an empty text clears", [](auto& f) { f.SetHotKeyText(""); }, "", false, "なし", "", true},
      {"the default modifier Alt is checked for a plain key",
       [](auto& f) {
         f.SetDefaultModifier(kModAlt);
         f.Clear();
         Pick(f, "Space");
       },
       "A", false, "Space", "Alt+Space", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    THotKeyFrameState f(true);
    c.steps(f);
    EXPECT_EQ(Boxes(f.View), c.boxes);
    EXPECT_EQ(f.View.WinVisible, c.winVisible);
    EXPECT_EQ(Selected(f.View), c.selected);
    EXPECT_EQ(f.GetHotKeyText(), c.hotKey);
    EXPECT_EQ(f.IsValid(), c.valid);
    EXPECT_EQ(f.KeyLabel(), c.valid ? "キー(&K)" : "キー(&K)(不正な値)");
  }
}

TEST(HotKeyFrameState, ApplyingATextRunsNoNormalisation) {
  THotKeyFrameState f(true);
  f.SetKind(1);
  f.SetHotKeyText("Ctrl+#226");
  ASSERT_EQ(f.View.Items[1], "#226");
  ASSERT_EQ(f.View.Items[2], kDoubleEntry);
  // The same code again adds no second entry.
  f.SetHotKeyText("Alt+#226");
  EXPECT_EQ(f.View.Items[2], kDoubleEntry);
  EXPECT_EQ(f.GetHotKeyText(), "Alt+#226");
  EXPECT_EQ(f.GetHotKeyPart(0), kModAlt);
  EXPECT_EQ(f.GetHotKeyPart(1), 226);
  // A key that needs a modifier, applied without one, stays as given.
  f.SetHotKeyText("K");
  EXPECT_EQ(f.GetHotKeyText(), "K");
}

TEST(HotKeyFrameState, TheNumberEntryAsksAndAnAbandonedAnswerRestoresTheChoice) {
  struct TCase {
    const char* name;
    const char* before;  // picked before the number entry, or nullptr: typed junk
    int answer;
    const char* selected;
    const char* hotKey;
  };
  const TCase cases[] = {
      {"a code with a name selects it", "B", 65, "A", "Ctrl+A"},
      {"a code without one gets an entry", "B", 300, "#300", "Ctrl+#300"},
      {"closed without OK: the entry before comes back", "B", -1, "B", "Ctrl+B"},
      {"closed without OK after junk: なし", nullptr, -1, "なし", ""},
      {"0 is no key", "B", 0, "なし", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    THotKeyFrameState f(true);
    f.SetKind(1);
    f.Clear();
    if (c.before) Pick(f, c.before);
    else TypeKey(f, "junk");
    f.NoteSelection();
    Pick(f, kNumberEntry);
    ASSERT_TRUE(f.NumberEntrySelected());
    f.NoteSelection();  // the number entry itself is never the one to come back to
    f.AnswerNumberEntry(c.answer);
    f.Normalize();
    EXPECT_FALSE(f.NumberEntrySelected());
    EXPECT_EQ(Selected(f.View), c.selected);
    EXPECT_EQ(f.GetHotKeyText(), c.hotKey);
  }
}

// ---- The capture box ----

constexpr int kCtrl = 0x11, kAlt = 0x12, kShiftKey = 0x10, kLWin = 0x5B;

struct TEditCase {
  const char* name;
  std::function<void(THotKeyEditState&)> steps;
  const char* text;
};

THotKeyEditState Global() {
  THotKeyEditState e;
  e.SetKind(kHotKeyKindGlobal);
  return e;
}

TEST(HotKeyEditState, KeysMakeTheText) {
  const TEditCase cases[] = {
      {"Ctrl down shows Ctrl+", [](auto& e) { e.SetKeyState(kCtrl, kModCtrl); }, "Ctrl+"},
      {"and K shows Ctrl+K",
       [](auto& e) {
         e.SetKeyState(kCtrl, kModCtrl);
         e.SetKeyState('K', kModCtrl);
       },
       "Ctrl+K"},
      {"releasing both keeps Ctrl+K",
       [](auto& e) {
         e.SetKeyState(kCtrl, kModCtrl);
         e.SetKeyState('K', kModCtrl);
         e.KeyUpStep();
         e.KeyUpStep();
       },
       "Ctrl+K"},
      {"K alone: the default Ctrl", [](auto& e) { e.SetKeyState('K', 0); }, "Ctrl+K"},
      {"F5 alone stays alone", [](auto& e) { e.SetKeyState(0x74, 0); }, "F5"},
      {"BackSpace alone clears", [](auto& e) { e.SetKeyState(0x08, 0); }, "なし"},
      {"Delete alone clears", [](auto& e) { e.SetKeyState(0x2E, 0); }, "なし"},
      {"Ctrl+BackSpace is a hotkey", [](auto& e) { e.SetKeyState(0x08, kModCtrl); }, "Ctrl+BackSpace"},
      {"a modifier released alone ends as なし",
       [](auto& e) {
         e.SetKeyState(kCtrl, kModCtrl);
         e.KeyUpStep();
       },
       "なし"},
      {"every modifier, in its order",
       [](auto& e) { e.SetKeyState('Z', kModShift | kModWin | kModAlt | kModCtrl); }, "Shift+WIN+Alt+Ctrl+Z"},
      {"Win and K", [](auto& e) {
         e.SetKeyState(kLWin, kModWin);
         e.SetKeyState('K', kModWin);
         e.KeyUpStep();
       }, "WIN+K"},
      {"Tab changes nothing",
       [](auto& e) {
         e.SetKeyState('K', kModAlt);
         EXPECT_FALSE(e.SetKeyState(0x09, 0));
       },
       "Alt+K"},
      {"leaving on Alt+ brings back the last combination",
       [](auto& e) {
         e.Enter();
         e.SetKeyState('K', kModCtrl);
         e.KeyUpStep();
         e.SetKeyState(kAlt, kModAlt);
         e.Exit();
       },
       "Ctrl+K"},
      {"leaving on Alt+ with nothing done brings back the text it had",
       [](auto& e) {
         e.Text = "Shift+F2";
         e.Enter();
         e.SetKeyState(kAlt, kModAlt);
         e.Exit();
       },
       "Shift+F2"},
      {"a double press from the dialog survives a pass through the box",
       [](auto& e) {
         e.Text = "Ctrl*2";
         e.Enter();
         e.Exit();
       },
       "Ctrl*2"},
      {"switching to kind 0 clears a captured WIN+K",
       [](auto& e) {
         e.SetKeyState(kLWin, kModWin);
         e.SetKeyState('K', kModWin);
         e.KeyUpStep();
         e.SetKind(kHotKeyKindLocal);
       },
       "なし"},
      {"switching to kind 0 clears a double press",
       [](auto& e) {
         e.Text = "Alt*2";
         e.SetKind(kHotKeyKindLocal);
       },
       "なし"},
      {"Win off clears a Win text in any spelling",
       [](auto& e) {
         e.Text = "win+Q";
         e.SetEnableWinKey(false);
       },
       "なし"},
      {"the default modifier 8 clears a text that needs one",
       [](auto& e) {
         e.SetKind(kHotKeyKindLocal);
         e.Text = "K";
         e.SetDefaultModifier(8);
       },
       "なし"},
      {"the default modifier 8 keeps a key allowed alone",
       [](auto& e) {
         e.SetKind(kHotKeyKindLocal);
         e.Text = "F7";
         e.SetDefaultModifier(8);
       },
       "F7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    THotKeyEditState e = Global();
    c.steps(e);
    EXPECT_EQ(e.Text, c.text);
  }
}

TEST(HotKeyEditState, KindRules) {
  THotKeyEditState e;
  EXPECT_EQ(e.Text, "なし");
  EXPECT_FALSE(e.EnableWinKey());
  EXPECT_EQ(e.DefaultModifier(), 8);
  // Kind 0 with no default modifier: a plain key is a hotkey of its own.
  e.SetKeyState('K', 0);
  e.KeyUpStep();
  EXPECT_EQ(e.Text, "K");
  EXPECT_EQ(e.Key(), 'K');
  EXPECT_EQ(e.AcceptedText(), "K");
  // The Win bit writes nothing while Win is off.
  e.SetKeyState('K', kModWin | kModCtrl);
  EXPECT_EQ(e.Text, "Ctrl+K");

  e.SetEnableSingleEnter(true);
  e.SetKind(kHotKeyKindGlobal);
  EXPECT_TRUE(e.EnableWinKey());
  EXPECT_TRUE(e.EnableDoubleMod());
  EXPECT_FALSE(e.EnableSingleEnter());
  EXPECT_EQ(e.DefaultModifier(), kModCtrl);
  // Kind 1 keeps a default modifier of its own.
  e.SetDefaultModifier(kModShift);
  EXPECT_EQ(e.DefaultModifier(), kModShift);

  e.SetKind(kHotKeyKindShellLink);
  EXPECT_FALSE(e.EnableWinKey());
  EXPECT_FALSE(e.EnableDoubleMod());
  e.SetEnableWinKey(true);
  EXPECT_FALSE(e.EnableWinKey()) << "a shell link's hotkey never has Win";
}

TEST(HotKeyEditState, KeyUpStepNeedsAKeyPressed) {
  THotKeyEditState e = Global();
  e.Text = "Alt+";
  e.Enter();
  EXPECT_FALSE(e.KeyUpStep());
  EXPECT_EQ(e.Text, "Alt+") << "no key was pressed since the focus came";
}

TEST(HotKeyEditState, HookPassesDialogKeysAndTheShiftTap) {
  struct TEvent {
    int key;
    bool down;
    uint8_t bits;
    bool passOn, shiftTap, keyDown, keyUp;
    int stepKey;
  };
  struct TCase {
    const char* name;
    bool singleEnter;
    std::vector<TEvent> events;
  };
  const TCase cases[] = {
      {"Tab and Esc pass", false,
       {{0x09, true, 0, true, false, false, false, 0}, {0x1B, true, 0, true, false, false, false, 0}}},
      {"plain Enter passes to the default button", false, {{0x0D, true, 0, true, false, false, false, 0}}},
      {"Enter alone is captured when allowed", true, {{0x0D, true, 0, false, false, true, false, 0x0D}}},
      {"Ctrl+Enter is captured", false, {{0x0D, true, kModCtrl, false, false, true, false, 0x0D}}},
      {"a lone Win sends a Shift tap, which passes", false,
       {{kLWin, true, kModWin, false, true, true, false, kLWin},
        {kShiftKey, true, kModWin | kModShift, true, false, false, false, 0},
        {kShiftKey, false, kModWin, true, false, false, false, 0},
        {'K', true, kModWin, false, false, true, false, 'K'},
        {'K', false, kModWin, false, false, false, true, 'K'},
        {kLWin, false, 0, false, false, false, true, 0}}},
      {"Win with Shift held sends none", false, {{kLWin, true, kModWin | kModShift, false, false, true, false, kLWin}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool suppress = false;
    for (const auto& ev : c.events) {
      SCOPED_TRACE(ev.key);
      THotKeyHookStep s = HotKeyHookStep(suppress, ev.key, ev.down, ev.bits, c.singleEnter);
      EXPECT_EQ(s.PassOn, ev.passOn);
      EXPECT_EQ(s.SendShiftTap, ev.shiftTap);
      EXPECT_EQ(s.KeyDown, ev.keyDown);
      EXPECT_EQ(s.KeyUp, ev.keyUp);
      if (ev.keyDown || ev.keyUp) {
        EXPECT_EQ(s.Key, ev.stepKey);
      }
    }
    EXPECT_FALSE(suppress);
  }
}

TEST(HotKeyEditState, ModifierBitsCountTheEventsOwnKey) {
  EXPECT_EQ(HotKeyModifierBits(false, false, false, false, kCtrl, true), kModCtrl);
  EXPECT_EQ(HotKeyModifierBits(false, true, false, false, kCtrl, false), 0);
  EXPECT_EQ(HotKeyModifierBits(true, false, false, false, 0xA5, true), kModShift | kModAlt);
  EXPECT_EQ(HotKeyModifierBits(false, false, false, false, 0x5C, true), kModWin);
  EXPECT_EQ(HotKeyModifierBits(false, true, true, true, 'K', true), kModCtrl | kModAlt | kModWin);
}

// The log, while on, says which key came and what the frame read.
class NullSink : public TDebugSink {
  void Echo(std::string_view) override {}
  void SaveFile(std::string_view) override {}
  void AppendFile(std::string_view) override {}
  void RemoveFile() override {}
};

TEST(HotKeyStateLog, KeysAndReadTextsAreLogged) {
  DebugOut().Start(TDebugStyle::Editor, std::make_unique<NullSink>());
  THotKeyEditState e;
  e.SetKeyState(0x4B, kModCtrl);
  THotKeyFrameState f(true);
  f.SetHotKeyText("Alt+F5");
  f.GetHotKeyPart(1);
  std::string log = DebugOut().Text();
  DebugOut().Finish();
  EXPECT_NE(log.find("THotKeyEdit.SetKeyState: Code = 75"), std::string::npos) << log;
  EXPECT_NE(log.find("KeyString:Alt+F5"), std::string::npos) << log;
}

}  // namespace
