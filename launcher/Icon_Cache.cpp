#include "launcher/Icon_Cache.h"

#include <memory>

#include "core/FileIO.h"
#include "core/Sjis.h"
#include "launcher/Icon_Factory.h"

namespace {

CRITICAL_SECTION& CacheLock() {
  static CRITICAL_SECTION* lock = [] {
    auto* cs = new CRITICAL_SECTION;  // lives as long as the process: workers may still ask at exit
    InitializeCriticalSection(cs);
    return cs;
  }();
  return *lock;
}

std::vector<std::unique_ptr<TIconCache>>& Caches() {
  static std::vector<std::unique_ptr<TIconCache>> caches;
  return caches;
}

}  // namespace

// ---- TIconKeyList ----

int TIconKeyList::IndexOf(std::string_view key) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (sjis::EqualsIgnoreCase(items_[i].Key, key)) return static_cast<int>(i);
  return -1;
}

void TIconKeyList::MoveToFront(int i) {
  if (i <= 0 || i >= Count()) return;
  Entry e = std::move(items_[static_cast<size_t>(i)]);
  items_.erase(items_.begin() + i);
  items_.insert(items_.begin(), std::move(e));
}

void TIconKeyList::Record(const std::string& key, int index) {
  int old = IndexOf(key);
  if (old >= 0) items_.erase(items_.begin() + old);
  items_.insert(items_.begin(), Entry{key, index});
  if (limit_ > 0 && Count() > limit_) items_.resize(static_cast<size_t>(limit_));
}

// ---- TIconCache ----

std::string TIconCache::MakeKey(const std::string& path, int iconIndex) { return path + "," + std::to_string(iconIndex); }

HIMAGELIST TIconCache::GetImageList() {
  if (!imageList_) {
    TIconFactoryHold factory;
    imageList_ = factory->GetSystemImageList(Small());
  }
  return imageList_;
}

int TIconCache::GetIconIndex(const std::string& path, int iconIndex) {
  const std::string key = MakeKey(path, iconIndex);
  for (TIconKeyList* list : {&recent_, &extracted_}) {
    int i = list->IndexOf(key);
    if (i >= 0) {
      list->MoveToFront(i);
      return (*list)[0].Index;
    }
  }
  return Load(key);
}

int TIconCache::Load(const std::string& key) {
  // The index never holds a comma, so the last comma ends the path, however
  // many the path has.
  size_t comma = key.rfind(',');
  const std::string path = comma == std::string::npos ? key : key.substr(0, comma);
  const int iconIndex = comma == std::string::npos ? 0 : sjis::StrToIntDef(key.substr(comma + 1), 0);
  const std::string ext = sjis::ToLowerAscii(sjis::ExtractFileExt(path));

  TIconFactoryHold factory;
  int index = -1;
  const bool exists = fileio::FileExists(path) || fileio::DirectoryExists(path);
  if (!exists || ext == ".icl" || ext == ".cpl" || ext == ".exe" || (iconIndex > 0 && ext == ".dll")) {
    HICON icon = size_ > 16 ? factory->GetLargeIcon(path, iconIndex) : factory->GetSmallIcon(path, iconIndex);
    if (icon) {
      HIMAGELIST list = GetImageList();
      if (list) index = ImageList_ReplaceIcon(list, -1, icon);
      DestroyIcon(icon);
      if (index >= 0) {
        recent_.Record(key, index);
        extracted_.Record(key, index);
      }
    }
  }
  if (index < 0) {
    index = size_ > 16 ? factory->GetLargeIconIndex(path) : factory->GetSmallIconIndex(path);
    // A path the shell knows nothing of is asked again next time.
    if (index >= 0) recent_.Record(key, index);
  }
  return index;
}

// ---- the lock and the list of caches ----

TIconCache& LockIconCache(int size) {
  EnterCriticalSection(&CacheLock());
  auto& caches = Caches();
  for (auto& c : caches)
    if (c->Size() == size) return *c;
  caches.push_back(std::make_unique<TIconCache>(size));
  return *caches.back();
}

void UnlockIconCache() { LeaveCriticalSection(&CacheLock()); }

void FreeIconCaches() {
  EnterCriticalSection(&CacheLock());
  Caches().clear();
  LeaveCriticalSection(&CacheLock());
}
