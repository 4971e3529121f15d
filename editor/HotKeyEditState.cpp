#include "editor/HotKeyEditState.h"

#include "core/Debug_Unit.h"
#include "core/HotKeyUtils.h"
#include "core/Sjis.h"

namespace {

constexpr int kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12,
              kVkEscape = 0x1B, kVkDelete = 0x2E, kVkLWin = 0x5B, kVkRWin = 0x5C, kVkLShift = 0xA0, kVkRShift = 0xA1,
              kVkLControl = 0xA2, kVkRControl = 0xA3, kVkLMenu = 0xA4, kVkRMenu = 0xA5;

bool IsModifierKey(int key) {
  return (key >= kVkShift && key <= kVkMenu) || key == kVkLWin || key == kVkRWin || (key >= kVkLShift && key <= kVkRMenu);
}

const char* DefaultModifierWord(uint8_t modifier) {
  switch (modifier) {
    case kModAlt: return "Alt+";
    case kModCtrl: return "Ctrl+";
    case kModShift: return "Shift+";
  }
  return "";
}

}  // namespace

THotKeyEditState::THotKeyEditState() : Text(kNoHotKeyText) {}

void THotKeyEditState::ApplyKind() {
  switch (kind_) {
    case kHotKeyKindLocal:
      enableWin_ = false;
      enableDouble_ = false;
      break;
    case kHotKeyKindGlobal:
      singleEnter_ = false;
      if (defaultModifier_ == 8) defaultModifier_ = kModCtrl;
      break;
    case kHotKeyKindShellLink:
      enableDouble_ = false;
      enableWin_ = false;
      singleEnter_ = false;
      if (defaultModifier_ == 8) defaultModifier_ = kModCtrl;
      break;
  }
}

void THotKeyEditState::Reapply() {
  ApplyKind();
  DropForbiddenText();
}

void THotKeyEditState::DropForbiddenText() {
  // The box writes "WIN+", the syntax reads any case: a Win text is one
  // whatever its spelling.
  if (!enableWin_ && sjis::FindIgnoreCase(Text, "Win+") != sjis::npos) Text = kNoHotKeyText;
  if (!enableDouble_ && IsDoubleModText(Text)) Text = kNoHotKeyText;
}

void THotKeyEditState::SetKind(uint8_t kind) {
  kind_ = kind;
  if (kind == kHotKeyKindGlobal) enableWin_ = enableDouble_ = true;
  Reapply();
}

void THotKeyEditState::SetDefaultModifier(uint8_t modifier) {
  defaultModifier_ = modifier;
  Reapply();
  if (modifier == 8 && TextToHotKey(Text, false).Key == 0) Text = kNoHotKeyText;
}

void THotKeyEditState::SetEnableWinKey(bool on) {
  enableWin_ = on;
  Reapply();
}

void THotKeyEditState::SetEnableDoubleMod(bool on) {
  enableDouble_ = on;
  Reapply();
}

void THotKeyEditState::SetEnableSingleEnter(bool on) {
  singleEnter_ = on;
  Reapply();
}

bool THotKeyEditState::SetKeyState(int key, uint8_t bits) {
  DebugOut().Write("THotKeyEdit.SetKeyState: Code = ").WriteInt(key).WriteLn();
  if (key == kVkTab) return false;
  captured_ = true;
  key_ = 0;
  int k = IsModifierKey(key) ? 0 : key;
  TKeyName name = KeyToTextEx(k);
  std::string prefix;
  if (bits & kModShift) prefix += "Shift+";
  if ((bits & kModWin) && enableWin_) prefix += "WIN+";
  if (bits & kModAlt) prefix += "Alt+";
  if (bits & kModCtrl) prefix += "Ctrl+";
  if (!name.AllowedAlone && prefix.empty()) prefix = DefaultModifierWord(defaultModifier_);
  Text = prefix + name.Name;
  if ((key == kVkBack || key == kVkDelete) && bits == 0) Text = kNoHotKeyText;
  return true;
}

bool THotKeyEditState::KeyUpStep() {
  if (!captured_) return false;
  THotKey hk = TextToHotKey(Text, defaultModifier_ == 8);
  modifiers_ = hk.Modifiers;
  key_ = hk.Key;
  // A double press comes from the dialog, never from keys; passing through
  // the box must not wipe it.
  bool doublePress = enableDouble_ && IsDoubleModText(Text) && IsDoubleMod(hk.Modifiers, hk.Key);
  if (hk.Key == 0 && !doublePress) Text = kNoHotKeyText;
  else acceptedText_ = Text;
  savedText_ = Text;
  return true;
}

void THotKeyEditState::Enter() {
  exited_ = false;
  captured_ = false;
  savedText_ = Text;
}

void THotKeyEditState::Exit() {
  exited_ = true;
  captured_ = true;
  if (sjis::EndsWithChar(Text, '+')) Text = savedText_;
  KeyUpStep();
}

bool HotKeyEditPassesKey(int key, uint8_t bits, bool singleEnter) {
  if (key == kVkTab || key == kVkEscape) return true;
  return key == kVkReturn && bits == 0 && !singleEnter;
}

uint8_t HotKeyModifierBits(bool shift, bool ctrl, bool alt, bool win, int key, bool down) {
  auto held = [&](bool before, bool isThisKey) { return isThisKey ? down : before; };
  uint8_t bits = 0;
  if (held(shift, key == kVkShift || key == kVkLShift || key == kVkRShift)) bits |= kModShift;
  if (held(ctrl, key == kVkControl || key == kVkLControl || key == kVkRControl)) bits |= kModCtrl;
  if (held(alt, key == kVkMenu || key == kVkLMenu || key == kVkRMenu)) bits |= kModAlt;
  if (held(win, key == kVkLWin || key == kVkRWin)) bits |= kModWin;
  return bits;
}

THotKeyHookStep HotKeyHookStep(bool& suppressNext, int key, bool down, uint8_t bits, bool singleEnter) {
  THotKeyHookStep step;
  if (suppressNext) {
    if (!down) suppressNext = false;
    return step;
  }
  if (key == kVkTab || key == kVkEscape) return step;
  step.Key = key;
  if (key == kVkLWin || key == kVkRWin) {
    if (down && !(bits & kModShift)) {
      suppressNext = true;
      step.SendShiftTap = true;
    }
    if (!down) step.Key = 0;
  }
  if (HotKeyEditPassesKey(key, bits, singleEnter)) return step;
  step.PassOn = false;
  (down ? step.KeyDown : step.KeyUp) = true;
  return step;
}
