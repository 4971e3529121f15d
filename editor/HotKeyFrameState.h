// What the hotkey frame shows (its four modifier boxes, the key list, the
// list's selection and text) and every rule that changes it, apart from the
// windows: the frame (editor/HotKey_Frame.h) reads its controls into View,
// runs one of these operations and writes View back. Pure logic.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hotkeyframe {
// Key list entries of their own.
inline constexpr const char* kDoubleEntry = "*2 (2度押し)";
inline constexpr const char* kDoubleKeyText = "*2";
inline constexpr const char* kNumberEntry = "#数値で直接指定...";
// The key list as it starts: "なし", A-Z, 1-9, 0, the named keys, the keys
// allowed alone, the number entry.
std::vector<std::string> BaseKeyList();
}  // namespace hotkeyframe

struct THotKeyFrameView {
  bool Shift = false, Alt = false, Ctrl = false, Win = false;
  bool WinVisible = true;
  std::vector<std::string> Items;
  int ItemIndex = -1;
  std::string Text;  // the key list's text box
  bool operator==(const THotKeyFrameView&) const = default;
};

class THotKeyFrameState {
 public:
  explicit THotKeyFrameState(bool doubleModSupported);

  THotKeyFrameView View;

  // The key the list names: its text, else the selected entry; the double
  // press entry reads as "*2".
  std::string GetKeyText() const;
  // "Shift+Alt+Ctrl+Win+" as checked and the key, "Ctrl*2" for a double
  // press; empty when the key names no entry.
  std::string GetHotKeyText() const;
  void SetHotKeyText(std::string_view text);
  // Part 0: the modifier bits, 1: the key of GetHotKeyText (logged).
  int GetHotKeyPart(int part) const;
  void SetModifiers(uint8_t bits);
  void SetKey(int code);
  void SetEnableWinKey(bool on);
  void SetEnableDoubleMod(bool on);
  void SetKind(uint8_t kind);
  void SetDefaultModifier(uint8_t modifier);
  void Normalize(uint8_t defaultModifier);
  void Normalize() { Normalize(defaultModifier_); }
  bool IsValid() const;
  // No box checked, "なし" selected.
  void Clear();
  // The caption of the key list's label.
  std::string KeyLabel() const;

  // The user's choice of the number entry, and the answer to it: a code, or
  // -1 when the number was not given (the choice before comes back then).
  bool NumberEntrySelected() const;
  void AnswerNumberEntry(int code);
  // Remembers the present entry as the one to come back to.
  void NoteSelection();

  bool EnableWinKey() const { return enableWin_; }
  bool EnableDoubleMod() const { return enableDouble_; }
  uint8_t Kind() const { return kind_; }
  uint8_t DefaultModifier() const { return defaultModifier_; }

 private:
  void ApplyKind();
  // The kind's rules, the boxes and entries they allow, and Normalize.
  void Reapply(uint8_t defaultModifier);
  void ShowWinBox();
  void ShowDoubleEntry();
  // The first entry equal to the text (letter case ignored), or -1.
  int IndexOf(std::string_view text) const;
  // The position of a key text in the list, above 0 ("なし" never counts).
  int ListPosition(std::string_view keyText) const;
  bool DoubleSelected() const;
  void Select(int index);
  void Insert(int index, std::string_view text);
  void Remove(int index);

  bool doubleSupported_;
  uint8_t defaultModifier_ = 8;
  bool enableWin_ = true;
  bool enableDouble_ = true;
  uint8_t kind_ = 0;
  bool updating_ = false;
  std::string noted_;  // the entry chosen before the number entry
};

// "#" and a number above 0: a key code given by number.
bool IsKeyCodeText(std::string_view text);
