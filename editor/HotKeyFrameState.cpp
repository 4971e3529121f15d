#include "editor/HotKeyFrameState.h"

#include "core/Debug_Unit.h"
#include "core/HotKeyUtils.h"
#include "core/Sjis.h"

namespace hotkeyframe {

std::vector<std::string> BaseKeyList() {
  std::vector<std::string> items{kNoHotKeyText};
  for (char c = 'A'; c <= 'Z'; ++c) items.emplace_back(1, c);
  for (char c = '1'; c <= '9'; ++c) items.emplace_back(1, c);
  items.emplace_back("0");
  for (auto& name : NamedKeyNames()) items.push_back(std::move(name));
  for (auto& name : AloneKeyNames()) items.push_back(std::move(name));
  items.emplace_back(kNumberEntry);
  return items;
}

}  // namespace hotkeyframe

using namespace hotkeyframe;

bool IsKeyCodeText(std::string_view text) {
  int code = 0;
  return text.size() >= 2 && text[0] == '#' && sjis::TryStrToInt(text.substr(1), code) && code > 0;
}

THotKeyFrameState::THotKeyFrameState(bool doubleModSupported) : doubleSupported_(doubleModSupported) {
  View.Items = BaseKeyList();
  defaultModifier_ = 8;
  SetEnableWinKey(true);
  SetEnableDoubleMod(true);
  Select(1);
  updating_ = false;
  SetKind(0);
  View.Shift = true;
  NoteSelection();
}

int THotKeyFrameState::IndexOf(std::string_view text) const {
  for (size_t i = 0; i < View.Items.size(); ++i)
    if (sjis::EqualsIgnoreCase(View.Items[i], text)) return static_cast<int>(i);
  return -1;
}

int THotKeyFrameState::ListPosition(std::string_view keyText) const {
  int i = IndexOf(keyText == kDoubleKeyText ? std::string_view(kDoubleEntry) : keyText);
  return i > 0 ? i : -1;
}

std::string THotKeyFrameState::GetKeyText() const {
  std::string text = View.Text;
  if (text.empty() && View.ItemIndex >= 0 && View.ItemIndex < static_cast<int>(View.Items.size()))
    text = View.Items[static_cast<size_t>(View.ItemIndex)];
  if (text == kDoubleEntry) return kDoubleKeyText;
  return text;
}

bool THotKeyFrameState::DoubleSelected() const { return GetKeyText() == kDoubleKeyText; }

std::string THotKeyFrameState::GetHotKeyText() const {
  std::string key = GetKeyText();
  int pos = ListPosition(key);
  // A code typed as "#" and a number is as good as one chosen from the list:
  // the dialog accepts it, so it must not come back empty.
  if (pos < 0 && !IsKeyCodeText(key)) return std::string();
  std::string prefix;
  if (View.Shift) prefix += "Shift+";
  if (View.Alt) prefix += "Alt+";
  if (View.Ctrl) prefix += "Ctrl+";
  if (View.Win) prefix += "Win+";
  if (key == kDoubleKeyText) {
    if (!prefix.empty()) prefix.pop_back();
    return prefix + kDoubleKeyText;
  }
  // The list's own spelling: a key typed in lower case is still the key.
  return prefix + (pos > 0 ? View.Items[static_cast<size_t>(pos)] : key);
}

int THotKeyFrameState::GetHotKeyPart(int part) const {
  std::string text = GetHotKeyText();
  DebugOut().Write("KeyString:").Write(text).WriteLn();
  THotKey hk = TextToHotKey(text, true);
  return part == 0 ? hk.Modifiers : hk.Key;
}

void THotKeyFrameState::Select(int index) {
  if (index < 0 || index >= static_cast<int>(View.Items.size())) {
    View.ItemIndex = -1;
    View.Text.clear();
    return;
  }
  View.ItemIndex = index;
  View.Text = View.Items[static_cast<size_t>(index)];
}

void THotKeyFrameState::Insert(int index, std::string_view text) {
  View.Items.insert(View.Items.begin() + index, std::string(text));
  if (View.ItemIndex >= index) ++View.ItemIndex;
}

void THotKeyFrameState::Remove(int index) {
  View.Items.erase(View.Items.begin() + index);
  // The text box keeps the text of a removed selection, as the list does.
  if (View.ItemIndex == index) View.ItemIndex = -1;
  else if (View.ItemIndex > index) --View.ItemIndex;
}

void THotKeyFrameState::Clear() {
  View.Shift = View.Alt = View.Ctrl = View.Win = false;
  Select(0);
}

void THotKeyFrameState::SetHotKeyText(std::string_view text) {
  if (text.empty() || text == kNoHotKeyText) {
    Clear();
    return;
  }
  THotKey hk = TextToHotKey(text, true);
  updating_ = true;
  SetModifiers(hk.Modifiers);
  SetKey(hk.Key);
  updating_ = false;
}

void THotKeyFrameState::SetModifiers(uint8_t bits) {
  View.Shift = (bits & kModShift) != 0;
  View.Alt = (bits & kModAlt) != 0;
  View.Ctrl = (bits & kModCtrl) != 0;
  // A hidden box is never checked, also while a text is applied.
  View.Win = (bits & kModWin) != 0 && enableWin_;
  Normalize();
}

void THotKeyFrameState::SetKey(int code) {
  if (code < 0) return;
  std::string keyText;
  if (code == 0) {
    if (GetHotKeyPart(0) == 0) {
      Clear();
      return;
    }
    keyText = kDoubleEntry;
  } else {
    keyText = KeyToText(code);
  }
  if (IsKeyCodeText(keyText) && IndexOf(keyText) < 0) Insert(1, keyText);
  Select(IndexOf(keyText));
  Normalize();
}

void THotKeyFrameState::ApplyKind() {
  switch (kind_) {
    case 0:
      enableWin_ = false;
      break;
    case 1:
      if (defaultModifier_ == 8) defaultModifier_ = kModCtrl;
      break;
    case 3:
      enableDouble_ = false;
      enableWin_ = false;
      if (defaultModifier_ == 8) defaultModifier_ = kModCtrl;
      break;
  }
}

void THotKeyFrameState::ShowWinBox() {
  View.WinVisible = enableWin_;
  if (!enableWin_) View.Win = false;
}

void THotKeyFrameState::ShowDoubleEntry() {
  int pos = -1;
  for (size_t i = 0; i < View.Items.size(); ++i)
    if (View.Items[i] == kDoubleEntry) pos = static_cast<int>(i);
  if (enableDouble_ && pos < 0) Insert(1, kDoubleEntry);
  if (!enableDouble_ && pos >= 0) Remove(pos);
}

void THotKeyFrameState::Reapply(uint8_t defaultModifier) {
  ApplyKind();
  ShowWinBox();
  ShowDoubleEntry();
  Normalize(defaultModifier);
}

void THotKeyFrameState::SetEnableWinKey(bool on) {
  enableWin_ = on;
  Reapply(defaultModifier_);
}

void THotKeyFrameState::SetEnableDoubleMod(bool on) {
  enableDouble_ = on && doubleSupported_;
  Reapply(defaultModifier_);
}

void THotKeyFrameState::SetKind(uint8_t kind) {
  kind_ = kind;
  if (kind == 1) {
    enableWin_ = true;
    enableDouble_ = doubleSupported_;
  }
  Reapply(defaultModifier_);
}

void THotKeyFrameState::SetDefaultModifier(uint8_t modifier) {
  defaultModifier_ = modifier;
  // Normalised with the modifier given, not the one the kind may make of it.
  Reapply(modifier);
}

void THotKeyFrameState::Normalize(uint8_t defaultModifier) {
  if (updating_) return;
  if (!enableWin_) View.Win = false;
  if (DoubleSelected() && (!enableDouble_ || View.Win)) Select(0);
  if (View.Shift || View.Alt || View.Ctrl || View.Win) return;
  std::string key = GetKeyText();
  for (const auto& name : AloneKeyNames())
    if (sjis::EqualsIgnoreCase(key, name)) return;
  if (sjis::EqualsIgnoreCase(key, kNoHotKeyText)) return;
  switch (defaultModifier) {
    case kModAlt: View.Alt = true; break;
    case kModCtrl: View.Ctrl = true; break;
    case kModShift: View.Shift = true; break;
    case 8:
      if (DoubleSelected()) View.Shift = true;
      break;
  }
}

bool THotKeyFrameState::IsValid() const {
  std::string key = GetKeyText();
  return key.empty() || ListPosition(key) > 0 || sjis::EqualsIgnoreCase(key, kNoHotKeyText) || IsKeyCodeText(key);
}

std::string THotKeyFrameState::KeyLabel() const { return IsValid() ? "キー(&K)" : "キー(&K)(不正な値)"; }

bool THotKeyFrameState::NumberEntrySelected() const {
  return !View.Items.empty() && View.ItemIndex == static_cast<int>(View.Items.size()) - 1 &&
         View.Items.back() == kNumberEntry;
}

void THotKeyFrameState::NoteSelection() {
  if (NumberEntrySelected()) return;
  noted_ = View.ItemIndex >= 0 ? View.Items[static_cast<size_t>(View.ItemIndex)] : std::string();
}

void THotKeyFrameState::AnswerNumberEntry(int code) {
  if (code >= 0) SetKey(code);
  else Select(noted_.empty() ? 0 : IndexOf(noted_));
  if (View.ItemIndex < 0 || NumberEntrySelected()) Select(0);
}
