// Key combinations as text and back: the one place that knows the hotkey text
// syntax ("Ctrl+Space", "Alt+Shift+F12", "Ctrl*2" for a double press of Ctrl,
// "#226" for a key without a name), and the two other numeric forms the platform
// knows: the hotkey word of a shell link and the menu shortcut value of an action.
// Pure logic; no function raises.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Modifier bits; the same values as MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN.
inline constexpr uint8_t kModAlt = 1;
inline constexpr uint8_t kModCtrl = 2;
inline constexpr uint8_t kModShift = 4;
inline constexpr uint8_t kModWin = 8;
inline constexpr uint8_t kModMask = 0x0F;

// Text of an empty or unusable combination ("none").
inline constexpr const char* kNoHotKeyText = "なし";

struct THotKey {
  uint8_t Modifiers = 0;
  int Key = 0;  // virtual-key code, 0 = none (a double press when modifiers are set)
  bool operator==(const THotKey&) const = default;
};

// allowAlone: a key without modifiers may be any key, not only one of the keys
// that are allowed alone (CapsLock, かな, 変換, 無変換, NumLock, F1-F24).
THotKey TextToHotKey(std::string_view text, bool allowAlone);
std::string HotKeyToText(uint8_t modifiers, int key, bool allowAlone);

uint8_t TextToModifiers(std::string_view text);
// "Alt+", "Win+", "Shift+", "Ctrl+" in this fixed order.
std::string ModifiersToText(uint8_t modifiers, bool omitWin);

// onlyAlone: only keys that are allowed alone are accepted.
int TextToKey(std::string_view text, bool onlyAlone);
struct TKeyName {
  std::string Name;
  bool AllowedAlone = false;
};
TKeyName KeyToTextEx(int key);
std::string KeyToText(int key);
// The names of the keys that need a modifier ("Space" ... "Num 0") and of the
// keys allowed alone ("CapsLock" ... "F24"), in the order the syntax knows
// them: for lists that offer every key by name.
std::vector<std::string> NamedKeyNames();
std::vector<std::string> AloneKeyNames();

// A double press: modifiers set, Win clear, no key.
bool IsDoubleMod(uint8_t modifiers, int key);
bool IsDoubleModText(std::string_view text);
bool IsValidHotKey(uint8_t modifiers, int key);

// Shell-link hotkey word: high byte HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4.
uint8_t TextToHotKeyFlags(std::string_view text);
std::string HotKeyFlagsToText(uint8_t flags);
uint16_t TextToHotKeyWord(std::string_view text);
std::string HotKeyWordToText(uint16_t word);

// Menu shortcut value: key + 0x2000 Shift + 0x4000 Ctrl + 0x8000 Alt; 0 when the
// key does not fit in 8 bits (a double press, key 0, gives 0 too).
inline constexpr uint16_t kScShift = 0x2000;
inline constexpr uint16_t kScCtrl = 0x4000;
inline constexpr uint16_t kScAlt = 0x8000;
uint16_t HotKeyToShortCut(uint8_t modifiers, int key);

// Whether the platform can watch double presses: every system but the first
// Windows 95 release (4.0).
struct TOSVersion;
bool IsDoubleModSupported();
bool IsDoubleModSupportedOn(const TOSVersion& version);
