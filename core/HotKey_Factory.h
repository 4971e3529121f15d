// Makes hotkey items by the class id that the hotkey file stores: 0 local
// ("アクティブ時"), 1 global ("常駐時"). An unknown id gives a local item.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "core/HotKey_Item.h"

class ECannotFindHotKeyClassError : public std::runtime_error {
 public:
  explicit ECannotFindHotKeyClassError(int classId);
};

class THotKeyFactory {
 public:
  // Raises ECannotFindHotKeyClassError only when class 0 itself is missing.
  std::unique_ptr<THotKeyItem> CreateByClassId(uint8_t classId) const;
  std::unique_ptr<THotKeyItem> CreateDefault() const { return CreateByClassId(0); }
  // A new item of the same class with the name and combination of item.
  std::unique_ptr<THotKeyItem> Clone(const THotKeyItem& item) const;
  // The class table, in order.
  static std::vector<THotKeyClassInfo> Classes();
};

const THotKeyFactory& HotKeyFactory();
