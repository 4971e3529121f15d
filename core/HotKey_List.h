// The owning, ordered list of hotkey items kept in ShortCut.txt: each entry binds
// a name (a keyword's stored full name, or an input-box command beginning with
// "*") to a combination and a scope. The file is read and written by a loader
// object (HotKey_Loader_File). Every item reports through the list's OnHotKey.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/HotKey_Item.h"

class THotKeyList;

class THotKeyLoader {
 public:
  virtual ~THotKeyLoader() = default;
  virtual bool LoadFromFile(const std::string& fileName, THotKeyList& list) = 0;
  virtual bool LoadFromStream(std::istream* stream, THotKeyList& list) = 0;
  virtual bool SaveToFile(const std::string& fileName, const THotKeyList& list) = 0;
  virtual bool SaveToStream(std::ostream* stream, const THotKeyList& list) = 0;
};

// The loader that new lists create (the file loader).
using THotKeyLoaderClass = std::unique_ptr<THotKeyLoader> (*)();
extern THotKeyLoaderClass HotKeyLoaderClass;

class THotKeyList {
 public:
  THotKeyList() = default;
  ~THotKeyList();  // frees every item
  THotKeyList(const THotKeyList&) = delete;
  THotKeyList& operator=(const THotKeyList&) = delete;

  THotKeyEvent OnHotKey;

  int Add(std::unique_ptr<THotKeyItem> item);
  // An index at or past the end appends; a negative one inserts at the front.
  void Insert(int index, std::unique_ptr<THotKeyItem> item);
  // Stores the item at an existing index and hands the old entry back to the
  // caller instead of freeing it; at an invalid index nothing is stored and the
  // item comes back.
  std::unique_ptr<THotKeyItem> PutItem(int index, std::unique_ptr<THotKeyItem> item);
  bool Delete(int index);
  int MoveUp(int index);
  int MoveDown(int index);
  int GetCount() const { return static_cast<int>(items_.size()); }
  THotKeyItem& GetItem(int index) const { return *items_.at(static_cast<size_t>(index)); }
  void Clear();

  THotKeyItem* FindByName(std::string_view name) const;
  std::string GetHotKeyText(std::string_view name) const;
  // Names the item, replaces (and frees) the first entry of that name ignoring
  // case, or puts it first. Storing the very item already there keeps it.
  void SetItem(std::string_view name, std::unique_ptr<THotKeyItem> item);
  void SetHotKeyText(std::string_view name, std::string_view text);

  bool LoadFromFile(const std::string& fileName);
  // False, with the old file left whole, when the file cannot be written.
  bool SaveToFile(const std::string& fileName);
  bool SaveToStream(std::ostream* stream);

  // Turns every item on or off, in list order.
  void SetActive(bool on);
  bool Active() const { return active_; }

 private:
  void Hook(THotKeyItem& item);
  void DoHotKey(THotKeyItem& sender, const std::string& name, uint8_t classId);
  THotKeyLoader& Loader();

  std::unique_ptr<THotKeyLoader> loader_;
  bool active_ = false;
  std::vector<std::unique_ptr<THotKeyItem>> items_;
};
