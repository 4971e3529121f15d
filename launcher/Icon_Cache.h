// Image-list indexes of icons by path and icon index, one cache per pixel
// size, behind one process-wide lock (always taken before the factory's).
// Icons extracted from files are appended to the cache's image list, which
// only ever grows, so a recorded index stays valid.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

// Keys with their image-list index, most recently used first, with a limit.
class TIconKeyList {
 public:
  struct Entry {
    std::string Key;
    int Index;
  };
  explicit TIconKeyList(int limit) : limit_(limit) {}

  int Count() const { return static_cast<int>(items_.size()); }
  const Entry& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
  int IndexOf(std::string_view key) const;  // ignores ASCII case; -1 when absent
  void MoveToFront(int i);
  // Puts the key at the front with its index (replacing an older entry of
  // it), then cuts the list down to the limit.
  void Record(const std::string& key, int index);
  int Limit() const { return limit_; }

 private:
  std::vector<Entry> items_;
  int limit_;
};

class TIconCache {
 public:
  static constexpr int RecentLimit = 100;
  static constexpr int ExtractedLimit = 200;

  explicit TIconCache(int size) : size_(size) {}
  TIconCache(const TIconCache&) = delete;
  TIconCache& operator=(const TIconCache&) = delete;

  // Image-list index of the icon, loaded on a miss; -1 when there is none.
  int GetIconIndex(const std::string& path, int iconIndex);
  // The shell's system image list of this size, fetched once.
  HIMAGELIST GetImageList();

  int Size() const { return size_; }
  bool Small() const { return size_ <= 16; }
  const TIconKeyList& RecentKeys() const { return recent_; }
  const TIconKeyList& ExtractedKeys() const { return extracted_; }

  // The key of a path and icon index: path, comma, index in decimal.
  static std::string MakeKey(const std::string& path, int iconIndex);

 private:
  int Load(const std::string& key);

  TIconKeyList recent_{RecentLimit};
  TIconKeyList extracted_{ExtractedLimit};
  int size_;
  HIMAGELIST imageList_ = nullptr;
};

// Enters the cache lock and returns the cache of that pixel size.
TIconCache& LockIconCache(int size);
void UnlockIconCache();
// Frees every cache (program end; tests start afresh with it).
void FreeIconCaches();

class TIconCacheHold {
 public:
  explicit TIconCacheHold(int size) : cache_(LockIconCache(size)) {}
  ~TIconCacheHold() { UnlockIconCache(); }
  TIconCacheHold(const TIconCacheHold&) = delete;
  TIconCacheHold& operator=(const TIconCacheHold&) = delete;
  TIconCache* operator->() const { return &cache_; }
  TIconCache& operator*() const { return cache_; }

 private:
  TIconCache& cache_;
};
