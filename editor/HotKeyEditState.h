// The rules of the hotkey capture box apart from its window: what a key
// pressed or released makes of the text, what the kinds allow, and which key
// events the keyboard hook passes on. The box (editor/HotKey_Edit.h) keeps
// one of these and shows Text. Pure logic.
#pragma once

#include <cstdint>
#include <string>

// Kinds of hotkey: 0 active while the program is active (no Win, no double
// press), 1 system-wide, 3 the hotkey of a shell link (no Win, no double press).
inline constexpr uint8_t kHotKeyKindLocal = 0;
inline constexpr uint8_t kHotKeyKindGlobal = 1;
inline constexpr uint8_t kHotKeyKindShellLink = 3;

class THotKeyEditState {
 public:
  std::string Text;  // as the box shows it; "なし" at first

  THotKeyEditState();

  void SetKind(uint8_t kind);
  void SetDefaultModifier(uint8_t modifier);
  void SetEnableWinKey(bool on);
  void SetEnableDoubleMod(bool on);
  void SetEnableSingleEnter(bool on);
  uint8_t Kind() const { return kind_; }
  uint8_t DefaultModifier() const { return defaultModifier_; }
  bool EnableWinKey() const { return enableWin_; }
  bool EnableDoubleMod() const { return enableDouble_; }
  bool EnableSingleEnter() const { return singleEnter_; }

  // A key went down with these modifier bits held (Alt 1, Ctrl 2, Shift 4,
  // Win 8). False for Tab, which changes nothing.
  bool SetKeyState(int key, uint8_t bits);
  // After a key went up (or once when the focus leaves): a text that names a
  // hotkey is kept, anything else becomes "なし". False when no key was
  // pressed since the focus came.
  bool KeyUpStep();
  void Enter();
  // The focus leaves: an unfinished combination gives way to the last one.
  void Exit();

  bool Captured() const { return captured_; }
  bool Exited() const { return exited_; }
  uint8_t Modifiers() const { return modifiers_; }
  int Key() const { return key_; }
  const std::string& AcceptedText() const { return acceptedText_; }
  const std::string& SavedText() const { return savedText_; }

 private:
  void ApplyKind();
  void Reapply();
  // What the switched-off abilities leave of the text.
  void DropForbiddenText();

  uint8_t defaultModifier_ = 8;
  uint8_t kind_ = kHotKeyKindLocal;
  bool enableWin_ = false, enableDouble_ = false, singleEnter_ = false;
  bool captured_ = false, exited_ = false;
  uint8_t modifiers_ = 0;
  int key_ = 0;
  std::string acceptedText_, savedText_;
};

// Whether the capture box lets a key through to the dialog: Tab, Esc, and
// Enter without a modifier unless Enter alone may be captured.
bool HotKeyEditPassesKey(int key, uint8_t bits, bool singleEnter);

// The modifier bits held, as a key event leaves them: the key states read
// before the event, with the event's own modifier key put in or taken out.
uint8_t HotKeyModifierBits(bool shift, bool ctrl, bool alt, bool win, int key, bool down);

// What the keyboard hook does with one key event.
struct THotKeyHookStep {
  bool PassOn = true;         // handed to the next hook and the window
  bool SendShiftTap = false;  // press and release Shift (the shell ignores the lone Win then)
  bool KeyDown = false;       // SetKeyState(Key, bits)
  bool KeyUp = false;         // the key-up step
  int Key = 0;
};
// suppressNext: the hook's own flag, kept between events: the events of the
// Shift tap it sent pass on, up to the next key-up.
THotKeyHookStep HotKeyHookStep(bool& suppressNext, int key, bool down, uint8_t bits, bool singleEnter);
