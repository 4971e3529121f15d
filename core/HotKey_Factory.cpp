#include "core/HotKey_Factory.h"

#include <string>

#include "core/Hotkey_Item_Global.h"
#include "core/Hotkey_Item_Local.h"

namespace {

struct TClassRow {
  THotKeyClassInfo (*Info)();
  std::unique_ptr<THotKeyItem> (*Make)();
};

const TClassRow kClasses[] = {
    {&TLocalHotKeyItem::ClassInfo, [] { return std::unique_ptr<THotKeyItem>(new TLocalHotKeyItem); }},
    {&TGlobalHotKeyItem::ClassInfo, [] { return std::unique_ptr<THotKeyItem>(new TGlobalHotKeyItem); }},
};

}  // namespace

ECannotFindHotKeyClassError::ECannotFindHotKeyClassError(int classId)
    : std::runtime_error("Cannot Find HotKeyClass " + std::to_string(classId)) {}

std::unique_ptr<THotKeyItem> THotKeyFactory::CreateByClassId(uint8_t classId) const {
  for (const auto& row : kClasses)
    if (row.Info().ClassId == classId) return row.Make();
  if (classId != 0) return CreateByClassId(0);
  throw ECannotFindHotKeyClassError(0);
}

std::unique_ptr<THotKeyItem> THotKeyFactory::Clone(const THotKeyItem& item) const {
  auto copy = CreateByClassId(item.GetClassId());
  copy->Assign(&item);
  return copy;
}

std::vector<THotKeyClassInfo> THotKeyFactory::Classes() {
  std::vector<THotKeyClassInfo> r;
  for (const auto& row : kClasses) r.push_back(row.Info());
  return r;
}

const THotKeyFactory& HotKeyFactory() {
  static THotKeyFactory factory;
  return factory;
}
