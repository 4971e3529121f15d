#include "core/HotKeyUtils.h"

#include "core/OSUtils.h"
#include "core/Sjis.h"

namespace {

struct TKeyRow {
  const char* Name;
  int Code;
};

// Keys that need a modifier unless the caller allows keys alone. Searched in
// this order; the punctuation is that of the Japanese keyboard layout.
constexpr TKeyRow kNamedKeys[] = {
    {"Space", 0x20},    {"Enter", 0x0D},  {"BackSpace", 0x08}, {"Delete", 0x2E}, {"Tab", 0x09},
    {"↑", 0x26},        {"↓", 0x28},      {"←", 0x25},         {"→", 0x27},      {"<", 0xBC},
    {">", 0xBE},        {"/", 0xBF},      {":", 0xBA},         {";", 0xBB},      {"@", 0xC0},
    {"[", 0xDB},        {"]", 0xDD},      {"^", 0xDE},         {"-", 0xBD},      {"PageDown", 0x22},
    {"PageUp", 0x21},   {"Home", 0x24},   {"End", 0x23},       {"Insert", 0x2D}, {"Num 1", 0x61},
    {"Num 2", 0x62},    {"Num 3", 0x63},  {"Num 4", 0x64},     {"Num 5", 0x65},  {"Num 6", 0x66},
    {"Num 7", 0x67},    {"Num 8", 0x68},  {"Num 9", 0x69},     {"Num 0", 0x60},
};

constexpr TKeyRow kAloneKeys[] = {
    {"CapsLock", 0xF0}, {"かな", 0x15}, {"変換", 0x1C}, {"無変換", 0x1D}, {"NumLock", 0x90},
    {"F1", 0x70},  {"F2", 0x71},  {"F3", 0x72},  {"F4", 0x73},  {"F5", 0x74},  {"F6", 0x75},
    {"F7", 0x76},  {"F8", 0x77},  {"F9", 0x78},  {"F10", 0x79}, {"F11", 0x7A}, {"F12", 0x7B},
    {"F13", 0x7C}, {"F14", 0x7D}, {"F15", 0x7E}, {"F16", 0x7F}, {"F17", 0x80}, {"F18", 0x81},
    {"F19", 0x82}, {"F20", 0x83}, {"F21", 0x84}, {"F22", 0x85}, {"F23", 0x86}, {"F24", 0x87},
};

bool ContainsWord(std::string_view text, std::string_view word) {
  return sjis::FindIgnoreCase(text, word) != sjis::npos;
}

bool EndsWithDoubleMark(std::string_view text) {
  return text.size() >= 2 && text.substr(text.size() - 2) == "*2" && !sjis::IsTrailByteAt(text, text.size() - 2);
}

}  // namespace

uint8_t TextToModifiers(std::string_view text) {
  std::string t(text);
  if (EndsWithDoubleMark(t)) t.replace(t.size() - 2, 2, "+2");
  uint8_t m = 0;
  if (ContainsWord(t, "Ctrl+")) m |= kModCtrl;
  if (ContainsWord(t, "Shift+")) m |= kModShift;
  if (ContainsWord(t, "WIN+")) m |= kModWin;
  if (ContainsWord(t, "Alt+")) m |= kModAlt;
  return m;
}

std::string ModifiersToText(uint8_t modifiers, bool omitWin) {
  std::string r;
  if (modifiers & kModAlt) r += "Alt+";
  if ((modifiers & kModWin) && !omitWin) r += "Win+";
  if (modifiers & kModShift) r += "Shift+";
  if (modifiers & kModCtrl) r += "Ctrl+";
  return r;
}

int TextToKey(std::string_view text, bool onlyAlone) {
  if (sjis::CharCount(text) > 4 && EndsWithDoubleMark(text)) return 0;
  size_t plus = sjis::FindLastChar(text, '+');
  std::string_view part = plus == sjis::npos ? text : text.substr(plus + 1);
  if (part.empty()) return 0;

  int key = 0;
  bool alone = false;
  bool named = false;
  for (const auto& row : kNamedKeys)
    if (sjis::EqualsIgnoreCase(part, row.Name)) { key = row.Code; named = true; }
  for (const auto& row : kAloneKeys)
    if (sjis::EqualsIgnoreCase(part, row.Name)) { key = row.Code; named = true; alone = true; }
  if (!named) {
    if (sjis::CharCount(part) >= 2 && part[0] == '#') {
      key = sjis::StrToIntDef(part.substr(1), 0) & 0xFFFF;
    } else if (part.size() == 1 && part[0] >= 'A' && part[0] <= 'Z') {
      key = part[0];
    } else if (part[0] >= '0' && part[0] <= '9') {
      key = part[0];
    }
  }
  if (onlyAlone && !alone) return 0;
  return key;
}

bool IsDoubleModText(std::string_view text) {
  if (sjis::CharCount(text) < 4) return false;
  if (ContainsWord(text, "Win+") || ContainsWord(text, "Win*")) return false;
  if (!ContainsWord(text, "Alt*") && !ContainsWord(text, "Ctrl*") && !ContainsWord(text, "Shift*")) return false;
  return EndsWithDoubleMark(text);
}

THotKey TextToHotKey(std::string_view text, bool allowAlone) {
  THotKey r;
  r.Modifiers = TextToModifiers(text);
  r.Key = TextToKey(text, r.Modifiers == 0 && !allowAlone);
  if (r.Key == 0 && !IsDoubleModText(text)) r.Modifiers = 0;
  return r;
}

bool IsDoubleMod(uint8_t modifiers, int key) {
  return key == 0 && (modifiers & kModMask) != 0 && (modifiers & kModWin) == 0;
}

bool IsValidHotKey(uint8_t modifiers, int key) { return key != 0 || IsDoubleMod(modifiers, key); }

TKeyName KeyToTextEx(int key) {
  for (const auto& row : kNamedKeys)
    if (row.Code == key) return {row.Name, false};
  for (const auto& row : kAloneKeys)
    if (row.Code == key) return {row.Name, true};
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return {std::string(1, static_cast<char>(key)), false};
  if (key != 0) return {"#" + sjis::IntToStr(key), false};
  return {};
}

std::string KeyToText(int key) { return KeyToTextEx(key).Name; }

namespace {
template <size_t N>
std::vector<std::string> NamesOf(const TKeyRow (&rows)[N]) {
  std::vector<std::string> names;
  names.reserve(N);
  for (const auto& row : rows) names.emplace_back(row.Name);
  return names;
}
}  // namespace

std::vector<std::string> NamedKeyNames() { return NamesOf(kNamedKeys); }
std::vector<std::string> AloneKeyNames() { return NamesOf(kAloneKeys); }

std::string HotKeyToText(uint8_t modifiers, int key, bool allowAlone) {
  std::string prefix = ModifiersToText(modifiers, false);
  if (IsDoubleMod(modifiers, key)) {
    if (prefix.empty()) return kNoHotKeyText;
    return prefix.substr(0, prefix.size() - 1) + "*2";
  }
  if (key == 0) return kNoHotKeyText;
  TKeyName name = KeyToTextEx(key);
  if (!name.Name.empty() && (!prefix.empty() || name.AllowedAlone || allowAlone)) return prefix + name.Name;
  return kNoHotKeyText;
}

uint8_t TextToHotKeyFlags(std::string_view text) {
  uint8_t f = 0;
  if (ContainsWord(text, "Ctrl+")) f |= 2;
  if (ContainsWord(text, "Shift+")) f |= 1;
  if (ContainsWord(text, "Alt+")) f |= 4;
  return f;
}

std::string HotKeyFlagsToText(uint8_t flags) {
  std::string r;
  if (flags & 4) r += "Alt+";
  if (flags & 1) r += "Shift+";
  if (flags & 2) r += "Ctrl+";
  return r;
}

uint16_t TextToHotKeyWord(std::string_view text) {
  uint8_t flags = TextToHotKeyFlags(text);
  int key = TextToKey(text, flags == 0);
  if (key == 0) return 0;
  return static_cast<uint16_t>(flags * 256 + (key & 0xFF));
}

std::string HotKeyWordToText(uint16_t word) {
  if (word == 0) return kNoHotKeyText;
  std::string prefix = HotKeyFlagsToText(static_cast<uint8_t>(word >> 8));
  TKeyName name = KeyToTextEx(word & 0xFF);
  if (!name.Name.empty() && (!prefix.empty() || name.AllowedAlone)) return prefix + name.Name;
  return kNoHotKeyText;
}

uint16_t HotKeyToShortCut(uint8_t modifiers, int key) {
  if (key <= 0 || key > 0xFF) return 0;
  uint16_t sc = static_cast<uint16_t>(key);
  if (modifiers & kModShift) sc |= kScShift;
  if (modifiers & kModCtrl) sc |= kScCtrl;
  if (modifiers & kModAlt) sc |= kScAlt;
  return sc;
}

bool IsDoubleModSupportedOn(const TOSVersion& v) { return !(v.platformId == 1 && v.minor == 0); }

bool IsDoubleModSupported() { return IsDoubleModSupportedOn(SystemVersion()); }
