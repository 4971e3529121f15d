#include "core/HotKey_Item.h"

#include "core/HotKeyUtils.h"

void THotKeyItem::SetHotKey(uint8_t modifiers, int key) {
  modifiers_ = modifiers & kModMask;
  key_ = key;
  Changed();
}

void THotKeyItem::SetKey(int key) { SetHotKey(modifiers_, key); }
void THotKeyItem::SetModifiers(uint8_t modifiers) { SetHotKey(modifiers, key_); }

void THotKeyItem::SetHotKeyText(std::string_view text) {
  THotKey k = TextToHotKey(text, true);
  SetHotKey(k.Modifiers, k.Key);
}

std::string THotKeyItem::GetHotKeyText() const { return HotKeyToText(modifiers_, key_, true); }

void THotKeyItem::Changed() {
  if (!GetActive()) return;
  SetActive(false);
  SetActive(true);
}

void THotKeyItem::Assign(const THotKeyItem* other) {
  if (other) {
    SetName(other->GetName());
    SetHotKey(other->GetModifiers(), other->GetKey());
  } else {
    SetName("");
    SetHotKey(0, 0);
  }
}

void THotKeyItem::DoHotKey() {
  if (!OnHotKey) return;
  THotKeyEvent handler = OnHotKey;
  std::string name = GetName();
  uint8_t classId = GetClassId();
  handler(*this, name, classId);
}
