#include "launcher/Icon_Thread_Work.h"

#include <typeinfo>

#include "launcher/Icon_Cache.h"

void TIconThreadWork::Execute() {
  TIconCacheHold cache(Size);
  ImageIndex = cache->GetIconIndex(Path, IconIndex);
  ImageList = cache->GetImageList();
}

bool TIconThreadWork::IsSame(const TThreadWork& other) const {
  if (typeid(other) != typeid(*this)) return false;
  const auto& o = static_cast<const TIconThreadWork&>(other);
  return o.Path == Path && o.IconIndex == IconIndex && o.Size == Size;
}
