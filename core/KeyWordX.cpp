#include "core/KeyWordX.h"
#include "core/WebAddress.h"

#include "core/Expand_Env_String.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <functional>

#include "core/AppEvents.h"
#include "core/AppFlags.h"
#include "core/Basic_Env_Handler.h"
#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/File_Lists.h"
#include "core/File_Utils.h"
#include "core/OSUtils.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"

namespace {

// The process's current folder, without a trailing backslash (kept on a root).
std::string CurrentFolder() {
  char buf[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
  return (n > 0 && n < MAX_PATH) ? std::string(buf, n) : std::string();
}

int LocaleCompareIgnoreCase(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - 2;
}

bool ExistsWild(const std::string& path) { return FileUtilsInstance().ExistsWild(path); }

// %NAME% expansion of resolved paths.
std::string ExpandKeyWordNames(const std::string& text) { return GetExpandEnvString().Expand(text); }

// ---------------------------------------------------------------------------

std::string JoinPath(const std::string& group, const std::string& name) {
  return group.empty() ? name : group + "/" + name;
}

bool IsAtOrBelow(const std::string& path, const std::string& root) {
  return sjis::EqualsIgnoreCase(path, root) || sjis::StartsWithIgnoreCase(path, root + "/");
}

std::string WithTrailingBackslash(std::string s) {
  if (!sjis::EndsWithChar(s, '\\')) s += '\\';
  return s;
}

std::string WithoutTrailingBackslash(std::string s) {
  if (sjis::EndsWithChar(s, '\\')) s.pop_back();
  return s;
}

bool DataIsPathKeyWord(const TStringIni& data) {
  if (data.ReadInteger("Type", 0) != kTypeSystem) return true;
  int index = data.ReadInteger("CommandIndex", 0);
  return index == 6 || index == 9 || index == 10;
}

// Holds a keyword path in the manager's GuardList while its command resolves.
class GuardEntry {
 public:
  GuardEntry(TStringList& list, std::string path) : list_(list), path_(std::move(path)) { list_.Add(path_); }
  ~GuardEntry() {
    for (int i = list_.Count() - 1; i >= 0; --i)
      if (list_[i] == path_) {
        list_.Delete(i);
        break;
      }
  }

 private:
  TStringList& list_;
  std::string path_;
};

const char kForbiddenChars[] = {'!', '\\', '/', ':', ',', ';', '<', '>', '*', '?', '"', '<', '>', ' ', '|', '%'};

}  // namespace

// ===========================================================================
// Identifiers and resolution

int GetKeyWordID(const std::string& path, int& lastId, TStringList& idList) {
  const std::string suffix = "=" + path;
  for (const std::string& line : idList) {
    if (line.size() <= suffix.size() || !sjis::EndsWithIgnoreCase(line, suffix)) continue;
    // The identifier is what stands before "=" + path; names may hold "=".
    int id;
    if (sjis::TryStrToInt(std::string_view(line).substr(0, line.size() - suffix.size()), id)) return id;
  }
  if (lastId == INT_MAX) return -1;
  ++lastId;
  idList.Add(sjis::IntToStr(lastId) + suffix);
  return lastId;
}

std::string ResolveKeyWordPath(const std::string& token, TKeyWordManager& manager) {
  if (sjis::StartsWithChar(token, '!')) return token.substr(1);
  std::string result = token;
  size_t slash = sjis::FindChar(token, '\\');
  if (slash != sjis::npos) {
    std::string head = token.substr(0, slash);
    std::string tail = token.substr(slash);
    if (manager.GuardList.IndexOf(head) < 0 && sjis::FindChar(head, ':') == sjis::npos) {
      std::string found;
      if (std::unique_ptr<TKeyWordX> kw = manager.FindKeyWord(head)) {
        if (kw->GetType() == kTypeGroup) {
          std::unique_ptr<TKeyWordX> first = manager.GetFirstKeyWord(kw->GetKeyWord());
          if (first && manager.GuardList.IndexOf(first->GetKeyWord()) < 0) found = kw->GetCommand();
        } else {
          found = kw->GetCommand();
        }
      } else {
        found = FileUtilsInstance().FindExecutable(head, std::string());
      }
      if (!found.empty()) {
        if (fileio::DirectoryExists(found)) head = found;
        else if (fileio::FileExists(found)) head = sjis::ExtractFilePath(found);
        head = WithoutTrailingBackslash(head);
        result = head + tail;
      }
    }
  } else if (manager.GuardList.IndexOf(token) < 0) {
    if (std::unique_ptr<TKeyWordX> kw = manager.FindKeyWord(token)) {
      bool guarded = false;
      if (kw->GetType() == kTypeGroup) {
        std::unique_ptr<TKeyWordX> first = manager.GetFirstKeyWord(kw->GetKeyWord());
        guarded = first && manager.GuardList.IndexOf(first->GetKeyWord()) >= 0;
      }
      if (!guarded) result = kw->GetCommand();
    } else {
      std::string found = FileUtilsInstance().FindExecutable(token, std::string());
      if (!found.empty()) result = found;
    }
  }
  return ExpandKeyWordNames(result);
}

// ===========================================================================
// TKeyWordManager

TKeyWordManager::TKeyWordManager(std::string itemsFolder, std::string mainFolder, IIconPathHook* iconHook)
    : itemsFolder_(WithTrailingBackslash(std::move(itemsFolder))),
      mainFolder_(WithTrailingBackslash(std::move(mainFolder))),
      iconHook_(iconHook) {
  ExecutableExtensions.Add(".exe");
  ExecutableExtensions.Add(".vbs");
  IconFolder = sjis::ExtractFilePath(WithoutTrailingBackslash(itemsFolder_)) + "Icons";
  // The factory calls the handler on its worker thread: nothing may escape it.
  if (iconHook_)
    iconHook_->SetOnGetPath([this](std::string& path) {
      try {
        ExpandIconDir(path);
      } catch (...) {
      }
    });
}

TKeyWordManager::~TKeyWordManager() {
  if (iconHook_) iconHook_->SetOnGetPath(nullptr);
  ClearCache();
}

TKeyWordGroupList* TKeyWordManager::CachedList(const std::string& groupPath) {
  for (CachedGroup& g : cache_)
    if (sjis::EqualsIgnoreCase(g.Path, groupPath)) return g.List.get();
  return nullptr;
}

TKeyWordGroupList& TKeyWordManager::CreateCachedList(const std::string& groupPath) {
  if (TKeyWordGroupList* l = CachedList(groupPath)) return *l;
  cache_.push_back(CachedGroup{groupPath, std::make_unique<TKeyWordGroupList>()});
  return *cache_.back().List;
}

TKeyWordGroupList* TKeyWordManager::GetFolderList(const std::string& groupPath) {
  if (TKeyWordGroupList* l = CachedList(groupPath)) return l;
  // A group queued for deletion has moved or gone; its old file must not come
  // back as if it were still the group.
  if (deleteList_.IndexOf(groupPath) >= 0) return nullptr;
  std::string fileName = kwfile::GroupFileName(itemsFolder_, groupPath);
  if (!fileio::FileExists(fileName)) return nullptr;
  DebugOut().Write("TKeyWordManager.LoadingFile... " + fileName).WriteLn();
  std::string text;
  fileio::RemoveStaleTemporaries(fileName);
  if (!fileio::ReadWholeFile(fileName, text))
    throw EKeyWordStoreError("ファイル:" + fileName + "読み込みに失敗しました。\r\n" +
                             "ファイルが読み取り可能かどうかチェックしてください。");
  auto list = std::make_unique<TKeyWordGroupList>();
  kwfile::ParseGroupText(text, *list);
  cache_.push_back(CachedGroup{groupPath, std::move(list)});
  return cache_.back().List.get();
}

void TKeyWordManager::Save() {
  if (app::Terminated()) return;
  if (idListLoaded_) {
    std::string fileName = itemsFolder_ + "IDList.txt";
    if (!fileio::WriteFileReplacing(fileName, kwfile::BuildIdListText(lastId_, idList_)))
      throw EKeyWordStoreError("ファイル:" + fileName + "書き込みに失敗しました。");
  }
  // Every group is written before any old file goes, and a file that is
  // rewritten anyway is not deleted first: a save that fails or is cut off
  // half-way leaves at worst a stale file, never a group whose items are
  // nowhere on disk.
  for (const CachedGroup& g : cache_) {
    std::string fileName = kwfile::GroupFileName(itemsFolder_, g.Path);
    fileio::ForceDirectories(sjis::ExtractFilePath(fileName));
    if (!fileio::WriteFileReplacing(fileName, kwfile::BuildGroupText(*g.List)))
      throw EKeyWordStoreError("ファイル:" + fileName + "書き込みに失敗しました。");
  }
  for (const std::string& path : deleteList_) {
    if (CachedList(path)) continue;
    std::string fileName = kwfile::GroupFileName(itemsFolder_, path);
    if (fileio::FileExists(fileName)) fileio::DeleteFileAt(fileName);
  }
}

void TKeyWordManager::LoadIDList() {
  idList_.Clear();
  lastId_ = -1;
  std::string text;
  fileio::RemoveStaleTemporaries(itemsFolder_ + "IDList.txt");
  if (fileio::ReadWholeFile(itemsFolder_ + "IDList.txt", text)) kwfile::ParseIdListText(text, lastId_, idList_);
  idListLoaded_ = true;
}

void TKeyWordManager::EnsureIdList() {
  if (!idListLoaded_) LoadIDList();
}

std::string TKeyWordManager::EncodeKeyWordToken(const std::string& token) {
  EnsureIdList();
  if (sjis::StartsWithChar(token, '!')) return token.substr(1);
  auto reference = [&](TKeyWordX& kw, const std::string& tail) {
    int id = GetKeyWordID(kw.GetKeyWord(), lastId_, idList_);
    return id < 0 ? token : "<" + sjis::IntToStr(id) + ">" + tail;
  };
  size_t slash = sjis::FindChar(token, '\\');
  if (slash != sjis::npos) {
    std::string head = token.substr(0, slash);
    if (sjis::FindChar(head, ':') != sjis::npos) return token;
    std::unique_ptr<TKeyWordX> kw = FindKeyWord(head);
    if (kw && kw->IsPathKeyWord()) return reference(*kw, token.substr(slash));
    return token;
  }
  if (std::unique_ptr<TKeyWordX> kw = FindKeyWord(token)) return reference(*kw, std::string());
  return token;
}

std::string TKeyWordManager::EncodeKeyWordIDs(const std::string& text) {
  EnsureIdList();
  std::string s = sjis::ReplaceAll(sjis::ReplaceAll(text, ">", ">>"), "<", "<<");
  std::vector<std::string> tokens = kwfile::SplitKeepEmpty(s, ' ');
  const size_t n = tokens.size();
  std::string out;
  for (size_t i = 0; i < n;) {
    std::string encoded = EncodeKeyWordToken(tokens[i]);
    std::string joined = ResolveKeyWordPath(tokens[i], *this);
    // A run of tokens that together name something on disk ('C:\Program' +
    // 'Files\x.exe') stays one path: the longest such run wins.
    size_t best = 0;
    for (size_t j = i + 1; j < n; ++j) {
      if (j > i + 1) joined += " " + tokens[j - 1];
      std::string part;
      if (sjis::FindChar(tokens[j], '\\') != sjis::npos) {
        for (const std::string& p : kwfile::SplitKeepEmpty(tokens[j], '\\'))
          if (!p.empty()) {
            part = p;
            break;
          }
      } else {
        part = tokens[j] + "*";
      }
      std::string probe = joined + " " + part;
      if (!sjis::EndsWithChar(probe, ' ') && ExistsWild(probe)) best = j;
    }
    if (i > 0) out += ' ';
    out += encoded;
    size_t last = best > i ? best : i;
    for (size_t k = i + 1; k <= last; ++k) out += " " + tokens[k];
    i = last + 1;
  }
  return out;
}

std::string TKeyWordManager::DecodeKeyWordIDs(const std::string& stored) {
  EnsureIdList();
  std::string s = sjis::ReplaceAll(stored, "<<", "\x12");
  std::string_view rest = s;
  std::string result;
  for (;;) {
    size_t open = sjis::FindChar(rest, '<');
    if (open == sjis::npos) break;
    result.append(rest.substr(0, open));
    rest.remove_prefix(open + 1);
    size_t close = sjis::FindChar(rest, '>');
    int id;
    if (close == sjis::npos || !sjis::TryStrToInt(rest.substr(0, close), id)) break;
    result += idList_.Value(rest.substr(0, close));
    rest.remove_prefix(close + 1);
  }
  result.append(rest);
  result = sjis::ReplaceAll(result, ">>", ">");
  return sjis::ReplaceAll(result, "\x12", "<");
}

void TKeyWordManager::RenameKeyWordID(const std::string& oldPath, const std::string& newPath) {
  EnsureIdList();
  if (oldPath.empty()) return;
  for (int i = 0; i < idList_.Count();) {
    std::string& line = idList_[i];
    // Identifiers hold no "=", so the path is everything after the first one.
    size_t eq = line.find('=');
    if (eq != std::string::npos) {
      std::string_view path = std::string_view(line).substr(eq + 1);
      bool same = sjis::EqualsIgnoreCase(path, oldPath);
      if (same || sjis::StartsWithIgnoreCase(path, oldPath + "/")) {
        if (newPath.empty()) {
          idList_.Delete(i);
          continue;
        }
        line = line.substr(0, eq + 1) + newPath + std::string(path.substr(oldPath.size()));
      }
    }
    ++i;
  }
}

void TKeyWordManager::SortFolder(const std::string& groupPath, int mode) {
  TKeyWordGroupList* list = GetFolderList(groupPath);
  if (!list) return;
  auto& items = list->Items;
  if (mode == 0) {
    std::stable_sort(items.begin(), items.end(), [](const TKeyWordEntry& a, const TKeyWordEntry& b) {
      return LocaleCompareIgnoreCase(a.Name, b.Name) < 0;
    });
  } else if (mode == 1) {
    auto type = [](const TKeyWordEntry& e) { return e.Data ? e.Data->ReadInteger("Type", 0) : 0; };
    std::stable_sort(items.begin(), items.end(),
                     [&](const TKeyWordEntry& a, const TKeyWordEntry& b) { return type(a) > type(b); });
  }
}

void TKeyWordManager::ClearCache() {
  deleteList_.Clear();
  cache_.clear();
}

bool TKeyWordManager::FindEntry(const std::string& path, TKeyWordGroupList*& list, int& index) {
  size_t slash = sjis::FindLastChar(path, '/');
  std::string group = slash == sjis::npos ? std::string() : path.substr(0, slash);
  std::string name = slash == sjis::npos ? path : path.substr(slash + 1);
  try {
    list = GetFolderList(group);
  } catch (const EKeyWordStoreError&) {
    return false;
  }
  if (!list) return false;
  index = list->IndexOf(name);
  return index >= 0 && list->Items[static_cast<size_t>(index)].Data;
}

TStringIni* TKeyWordManager::FindItemData(const std::string& path, bool tag) {
  TKeyWordGroupList* list;
  int index;
  if (!FindEntry(path, list, index)) return nullptr;
  TKeyWordEntry& e = list->Items[static_cast<size_t>(index)];
  if (tag) e.Data->WriteString("Keyword", e.Name);
  return e.Data.get();
}

std::unique_ptr<TKeyWordX> TKeyWordManager::FindKeyWord(const std::string& path) {
  if (path.empty()) return nullptr;
  if (!FindInvalidChars(sjis::ReplaceAll(path, "/", "")).empty()) return nullptr;
  std::string p = path;
  bool demandGroup = false;
  if (sjis::EndsWithChar(p, '/')) {
    p.pop_back();
    demandGroup = true;
  }
  std::vector<std::string> parts = kwfile::SplitKeepEmpty(p, '/');
  std::string soFar;
  TKeyWordGroupList* list;
  int index;
  for (size_t k = 0; k + 1 < parts.size(); ++k) {
    soFar = k == 0 ? parts[0] : soFar + "/" + parts[k];
    if (!FindEntry(soFar, list, index) ||
        list->Items[static_cast<size_t>(index)].Data->ReadInteger("Type", 0) != kTypeGroup)
      return nullptr;
  }
  if (!FindEntry(p, list, index)) return nullptr;
  const TKeyWordEntry& e = list->Items[static_cast<size_t>(index)];
  size_t slash = sjis::FindLastChar(p, '/');
  auto view = std::make_unique<TKeyWordX>(this, e.Name, slash == sjis::npos ? std::string() : p.substr(0, slash));
  view->data_ = e.Data.get();
  if (demandGroup && view->GetType() != kTypeGroup) return nullptr;
  return view;
}

bool TKeyWordManager::Exists(const std::string& path) { return FindKeyWord(path) != nullptr; }

std::string_view TKeyWordManager::ForbiddenChars() { return std::string_view(kForbiddenChars, sizeof kForbiddenChars); }

std::string TKeyWordManager::FindInvalidChars(const std::string& name) {
  std::string found;
  for (char c : kForbiddenChars)
    if (sjis::FindChar(name, c) != sjis::npos) found.assign(1, c);
  return found.empty() ? found : "\r\n" + found;
}

std::string TKeyWordManager::ReplaceInvalidChars(const std::string& name) {
  std::string r = name;
  for (char c : kForbiddenChars) r = sjis::ReplaceAll(r, std::string(1, c), "_");
  return r;
}

bool TKeyWordManager::IsValidPath(const std::string& path) {
  if (path.empty() || path == "/" || sjis::Contains(path, "//")) return false;
  std::string p = path;
  if (sjis::EndsWithChar(p, '/')) p.pop_back();
  size_t slash = sjis::FindLastChar(p, '/');
  std::string parent = slash == sjis::npos ? std::string() : p.substr(0, slash);
  std::string last = slash == sjis::npos ? p : p.substr(slash + 1);
  if (std::unique_ptr<TKeyWordX> kw = FindKeyWord(parent))
    return kw->GetType() == kTypeGroup && FindInvalidChars(last).empty();
  if (slash != sjis::npos) return false;
  return FindInvalidChars(last).empty();
}

std::unique_ptr<TKeyWordX> TKeyWordManager::NewKeyWord(const std::string& name, const std::string& groupPath,
                                                       int type) {
  if (!name.empty() && !FindInvalidChars(name).empty()) return nullptr;
  if (!GetFolderList(groupPath)) CreateCachedList(groupPath);
  auto view = std::make_unique<TKeyWordX>(this);
  view->EnsureData();
  view->SetType(type);
  view->Folder = groupPath;
  view->SetName(name);
  return view;
}

TStringList TKeyWordManager::GetNames(const std::string& groupPath, bool slashAfterGroups,
                                      bool backslashAfterFolders, bool usableOnly) {
  TStringList names;
  TKeyWordGroupList* list = GetFolderList(groupPath);
  if (!list) return names;
  for (const TKeyWordEntry& e : list->Items) {
    if (!slashAfterGroups && !backslashAfterFolders && !usableOnly) {
      names.Add(e.Name);
      continue;
    }
    int type = e.Data ? e.Data->ReadInteger("Type", 0) : 0;
    bool isDir = e.Data && e.Data->ReadBool("IsDir", false);
    if (usableOnly && e.Data && !DataIsPathKeyWord(*e.Data)) continue;
    std::string name = e.Name;
    if (backslashAfterFolders && isDir && type != kTypeGroup) name += "\\";
    if (slashAfterGroups && type == kTypeGroup) name += "/";
    names.Add(std::move(name));
  }
  return names;
}

TKeyWordList TKeyWordManager::GetKeyWords(const std::string& groupPath) {
  TKeyWordList views;
  TKeyWordGroupList* list = GetFolderList(groupPath);
  if (!list) return views;
  for (const TKeyWordEntry& e : list->Items) {
    auto view = std::make_unique<TKeyWordX>(this, e.Name, groupPath);
    view->data_ = e.Data.get();
    views.push_back(std::move(view));
  }
  return views;
}

TStringList TKeyWordManager::GetSubFolders(const std::string& groupPath) {
  TStringList paths;
  if (groupPath.empty()) return paths;
  std::string pattern = itemsFolder_ + "%" + sjis::ReplaceAll(groupPath, "/", "%") + "%*.vane";
  for (const std::string& name : ListWildMatches(pattern, true, false)) {
    std::string path = kwfile::GroupPathFromFileName(name);
    if (path.empty() || !sjis::StartsWithIgnoreCase(path, groupPath + "/")) continue;
    // A file waiting for deletion no longer holds a group.
    if (deleteList_.IndexOf(path) >= 0 && !CachedList(path)) continue;
    if (paths.IndexOf(path) < 0) paths.Add(std::move(path));
  }
  for (const CachedGroup& g : cache_)
    if (sjis::StartsWithIgnoreCase(g.Path, groupPath + "/") && paths.IndexOf(g.Path) < 0) paths.Add(g.Path);
  return paths;
}

std::unique_ptr<TKeyWordX> TKeyWordManager::GetFirstKeyWord(const std::string& groupPath) {
  TStringList names = GetNames(groupPath);
  if (names.Empty()) return nullptr;
  return FindKeyWord(JoinPath(groupPath, names[0]));
}

std::unique_ptr<TKeyWordX> TKeyWordManager::GetPrevKeyWord(TKeyWordX* item) {
  if (!item) return nullptr;
  TStringList names = GetNames(item->Folder);
  int index = names.IndexOf(item->Name);
  if (index < 1) return nullptr;
  return FindKeyWord(JoinPath(item->Folder, names[index - 1]));
}

void TKeyWordManager::ExpandIconDir(std::string& path) const {
  static constexpr std::string_view kIconDir = "%Icondir";
  if (sjis::StartsWithIgnoreCase(path, kIconDir)) path = IconFolder + path.substr(kIconDir.size());
}

void TKeyWordManager::AddToDeleteList(const std::string& groupPath) {
  if (deleteList_.IndexOf(groupPath) < 0) deleteList_.Add(groupPath);
}

void TKeyWordManager::DropGroupTree(const std::string& groupPath) {
  TStringList paths = GetSubFolders(groupPath);
  paths.Add(groupPath);
  for (const std::string& p : paths) AddToDeleteList(p);
  std::erase_if(cache_, [&](const CachedGroup& g) { return IsAtOrBelow(g.Path, groupPath); });
}

void TKeyWordManager::LoadGroupTree(const std::string& groupPath) {
  TStringList paths = GetSubFolders(groupPath);
  paths.Add(groupPath);
  for (const std::string& p : paths) GetFolderList(p);
}

void TKeyWordManager::RenameGroupTree(const std::string& oldPath, const std::string& newPath) {
  for (CachedGroup& g : cache_) {
    if (!IsAtOrBelow(g.Path, oldPath)) continue;
    AddToDeleteList(g.Path);
    g.Path = newPath + g.Path.substr(oldPath.size());
  }
}

// ===========================================================================
// TKeyWordX

TKeyWordX::TKeyWordX(TKeyWordManager* manager) : Manager(manager) {}

TKeyWordX::TKeyWordX(TKeyWordManager* manager, std::string name, std::string groupPath)
    : Folder(std::move(groupPath)), Name(std::move(name)), Manager(manager) {}

TKeyWordX::~TKeyWordX() = default;

TStringIni& TKeyWordX::EnsureData() {
  if (!data_) {
    ownData_ = std::make_unique<TStringIni>();
    data_ = ownData_.get();
  }
  return *data_;
}

std::string TKeyWordX::ReadValue(const char* key) { return data_ ? data_->ReadString(key, "") : std::string(); }

bool TKeyWordX::ReadFlag(const char* key, bool def) { return data_ ? data_->ReadBool(key, def) : def; }

std::unique_ptr<TKeyWordX> TKeyWordX::SyncIconSource() {
  if (!data_ || Name.empty() || !ReadFlag("SyncIcon", false) || GetType() != kTypeGroup) return nullptr;
  return Manager->GetFirstKeyWord(GetKeyWord());
}

std::string TKeyWordX::GetParam() {
  if (!data_) return std::string();
  int type = GetType();
  if (type == kTypeGroup && data_->ReadInteger("RunMode", 0) == 1) return std::string();
  std::string param = ReadValue("Param");
  return type == kTypeTemp ? param : Manager->DecodeKeyWordIDs(param);
}

std::string TKeyWordX::GetCommand() {
  if (!data_) return std::string();
  switch (int type = GetType()) {
    case kTypeCommand:
    case kTypeTemp: {
      std::string command = ReadValue("Command");
      if (!(GetUseKeyWord() & 1)) return command;
      if (type == kTypeCommand) command = Manager->DecodeKeyWordIDs(command);
      {
        GuardEntry guard(Manager->GuardList, GetKeyWord());
        command = ResolveKeyWordPath(command, *Manager);
      }
      if (ExistsWild(command)) command = FileUtilsInstance().ExpandPath(command);
      return command;
    }
    case kTypeSystem: {
      std::string folder;
      switch (data_->ReadInteger("CommandIndex", 0)) {
        case 9: folder = Manager->MainFolder(); break;
        case 10: folder = sjis::ExtractFilePath(WithoutTrailingBackslash(Manager->ItemsFolder())); break;
        case 6: folder = CurrentFolder(); break;
        default: break;
      }
      return WithoutTrailingBackslash(folder);
    }
    case kTypeGroup: {
      if (data_->ReadInteger("RunMode", 0) == 1) {
        std::unique_ptr<TKeyWordX> first = Manager->GetFirstKeyWord(GetKeyWord());
        return first ? first->GetCommand() : std::string();
      }
      return "\x08" + GetKeyWord();
    }
    default: return std::string();
  }
}

std::string TKeyWordX::GetIcon() {
  if (!data_) return std::string();
  std::string icon = ReadValue("Icon");
  if (std::unique_ptr<TKeyWordX> source = SyncIconSource()) icon = source->GetIcon();
  if (GetUseKeyWord() & 1) {
    if (GetType() != kTypeTemp) icon = Manager->DecodeKeyWordIDs(icon);
    icon = ResolveKeyWordPath(icon, *Manager);
  }
  return icon;
}

std::string TKeyWordX::GetDir() {
  if (!data_) return std::string();
  std::string dir = ReadValue("Dir");
  if (GetUseKeyWord() & 1) {
    if (GetType() != kTypeTemp) dir = Manager->DecodeKeyWordIDs(dir);
    dir = ResolveKeyWordPath(dir, *Manager);
  }
  return dir;
}

std::string TKeyWordX::GetComment() { return ReadValue("Comment"); }

int TKeyWordX::GetType() {
  if (!data_) return 0;
  if (TypeCache == -1) TypeCache = data_->ReadInteger("Type", 0);
  return TypeCache;
}

int TKeyWordX::GetIconIndex() {
  if (!data_) return 0;
  if (std::unique_ptr<TKeyWordX> source = SyncIconSource()) return source->GetIconIndex();
  return data_->ReadInteger("IIndex", 0);
}

int TKeyWordX::GetUseKeyWord() {
  if (!data_) return 0;
  if (UseKeywordCache != -1) return UseKeywordCache;
  return data_->ReadInteger("UseKeyword", GetType() == kTypeSystem ? 1 : 3);
}

std::string TKeyWordX::GetKeyWord() {
  if (sjis::EndsWithChar(Folder, '/')) Folder.pop_back();
  if (sjis::StartsWithChar(Name, '/')) Name.erase(0, 1);
  return JoinPath(Folder, Name);
}

int TKeyWordX::GetIndex() {
  TKeyWordGroupList* list = Manager->GetFolderList(Folder);
  return list ? list->IndexOf(Name) : -1;
}

bool TKeyWordX::IsPathKeyWord() { return data_ && (GetType() != kTypeSystem || DataIsPathKeyWord(*data_)); }

void TKeyWordX::WriteReferring(const char* key, const std::string& value, int bit) {
  TStringIni& data = EnsureData();
  bool encode = (GetUseKeyWord() & bit) && GetType() != kTypeTemp;
  data.WriteString(key, encode ? Manager->EncodeKeyWordIDs(value) : value);
}

void TKeyWordX::SetParam(const std::string& value) { WriteReferring("Param", value, 4); }

void TKeyWordX::SetCommand(const std::string& value) {
  WriteReferring("Command", value, 1);
  if (data_->ReadInteger("Type", 0) != kTypeCommand || value.empty()) {
    data_->DeleteKey("IsDir");
  } else if (FileUtilsInstance().IsDirectory(GetCommand())) {
    data_->WriteString("IsDir", "1");
  } else {
    data_->DeleteKey("IsDir");
  }
}

void TKeyWordX::SetComment(const std::string& value) { EnsureData().WriteString("Comment", value); }

void TKeyWordX::SetIcon(const std::string& value) {
  EnsureData();
  if (std::unique_ptr<TKeyWordX> source = SyncIconSource()) {
    source->SetIcon(value);
    return;
  }
  WriteReferring("Icon", value, 1);
}

void TKeyWordX::SetDir(const std::string& value) { WriteReferring("Dir", value, 1); }

void TKeyWordX::SetType(int type) {
  TStringIni& data = EnsureData();
  int old = GetType();
  if (type != old && !Name.empty()) {
    std::string path = GetKeyWord();
    if (type == kTypeGroup) {
      if (!Manager->GetFolderList(path)) Manager->CreateCachedList(path);
    } else if (old == kTypeGroup) {
      // Out of the cache too, or Save would write the group file right back.
      Manager->DropGroupTree(path);
    }
  }
  data.WriteInteger("Type", type);
  TypeCache = type;
}

void TKeyWordX::SetIconIndex(int index) {
  TStringIni& data = EnsureData();
  if (std::unique_ptr<TKeyWordX> source = SyncIconSource()) source->SetIconIndex(index);
  data.WriteInteger("IIndex", index);
}

void TKeyWordX::SetUseKeyWord(int bits) {
  TStringIni& data = EnsureData();
  if (GetType() != kTypeTemp) {
    std::string command = GetCommand(), icon = GetIcon(), dir = GetDir(), param = GetParam();
    data.WriteInteger("UseKeyword", bits);
    UseKeywordCache = bits;
    SetCommand(command);
    SetIcon(icon);
    SetDir(dir);
    SetParam(param);
  }
  UseKeywordCache = bits;
}

void TKeyWordX::SetIndex(int index) {
  TKeyWordGroupList* list = Manager->GetFolderList(Folder);
  if (!list) return;
  int i = list->IndexOf(Name);
  if (i < 0) return;
  list->Move(i, std::clamp(index, 0, list->Count() - 1));
}

void TKeyWordX::MoveUp() {
  int i = GetIndex();
  if (i > 0) SetIndex(i - 1);
}

void TKeyWordX::MoveDown() {
  TKeyWordGroupList* list = Manager->GetFolderList(Folder);
  if (!list) return;
  int i = list->IndexOf(Name);
  if (i >= 0 && i < list->Count() - 1) SetIndex(i + 1);
}

void TKeyWordX::MoveBefore(const std::string& siblingName) {
  TKeyWordGroupList* list = Manager->GetFolderList(Folder);
  if (!list) return;
  int own = list->IndexOf(Name);
  if (own < 0) return;
  int target = std::max(list->IndexOf(siblingName), 1);
  // Above the item the target slot stays where it is; below it, it moves up
  // by one once the item is out. The item as its own target stays.
  if (target < own) SetIndex(target);
  else if (target > own) SetIndex(target - 1);
}

std::string TKeyWordX::UniqueName(const TKeyWordGroupList& list, const std::string& name) {
  for (long long k = 0;; ++k) {
    std::string candidate = name + "(" + sjis::IntToStr(k) + ")";
    if (list.IndexOf(candidate) < 0) return candidate;
  }
}

std::unique_ptr<TStringIni> TKeyWordX::TakeDataForInsert() {
  if (ownData_ && data_ == ownData_.get()) return std::move(ownData_);
  auto copy = std::make_unique<TStringIni>();
  if (data_) copy->Lines = data_->Lines;
  return copy;
}

void TKeyWordX::SetName(const std::string& newName) {
  if (newName.empty()) return;
  if (GetType() == kTypeTemp) {
    Name = newName;
    return;
  }
  if (newName == Name) return;
  TKeyWordGroupList* list = Manager->GetFolderList(Folder);
  if (!list) return;
  const bool group = GetType() == kTypeGroup;
  const bool hadName = !Name.empty();
  const std::string oldPath = hadName ? GetKeyWord() : std::string();
  // Every group at or below the old path is read before anything changes, so
  // that no group file is left behind under the old name.
  if (group && hadName) Manager->LoadGroupTree(oldPath);

  std::string name = newName;
  if (!sjis::EqualsIgnoreCase(name, Name) && list->IndexOf(name) >= 0) name = UniqueName(*list, name);
  int index = hadName ? list->IndexOf(Name) : -1;
  if (index >= 0) list->Items[static_cast<size_t>(index)].Name = name;
  else data_ = list->Insert(0, name, TakeDataForInsert());
  Name = name;
  const std::string newPath = GetKeyWord();

  if (group) {
    if (hadName && Manager->CachedList(oldPath)) Manager->RenameGroupTree(oldPath, newPath);
    else Manager->CreateCachedList(newPath);
  }
  if (hadName) Manager->RenameKeyWordID(oldPath, newPath);
}

void TKeyWordX::SetFolder(const std::string& groupPath) {
  if (sjis::EqualsIgnoreCase(groupPath, Folder)) return;
  if (GetType() == kTypeTemp || Name.empty()) {
    Folder = groupPath;
    return;
  }
  const bool group = GetType() == kTypeGroup;
  const std::string oldPath = GetKeyWord();
  // A group cannot go into itself: its whole tree would lose its root.
  if (group && IsAtOrBelow(groupPath, oldPath)) return;
  TKeyWordGroupList* oldList = Manager->GetFolderList(Folder);
  if (!oldList) return;
  if (group) Manager->LoadGroupTree(oldPath);
  TKeyWordGroupList* target = Manager->GetFolderList(groupPath);
  if (!target) target = &Manager->CreateCachedList(groupPath);

  std::string name = Name;
  if (target->IndexOf(name) >= 0) name = UniqueName(*target, name);
  int oldIndex = oldList->IndexOf(Name);
  std::unique_ptr<TStringIni> data = oldIndex >= 0 ? oldList->Extract(oldIndex) : TakeDataForInsert();
  if (!data) data = TakeDataForInsert();
  data_ = target->Insert(0, name, std::move(data));
  Name = name;
  const std::string newPath = JoinPath(groupPath, name);
  if (group) Manager->RenameGroupTree(oldPath, newPath);
  Folder = groupPath;
  Manager->RenameKeyWordID(oldPath, newPath);
}

void TKeyWordX::Delete() {
  if (Name.empty()) return;
  TKeyWordGroupList* list = Manager->GetFolderList(Folder);
  if (!list) return;
  int index = list->IndexOf(Name);
  if (index < 0) return;
  const std::string path = GetKeyWord();
  if (GetType() == kTypeGroup) Manager->DropGroupTree(path);
  list->Extract(index);
  // The data went with the entry; the view keeps nothing that points at it.
  data_ = nullptr;
  ownData_.reset();
  Manager->RenameKeyWordID(path, std::string());
}

std::unique_ptr<TKeyWordX> TKeyWordX::CopyTo(const std::string& groupPath) {
  if (!groupPath.empty() && !Manager->IsValidPath(groupPath)) return nullptr;
  const int type = GetType();
  TKeyWordList children;
  if (type == kTypeGroup && !Name.empty()) {
    // A group copied into itself would copy its own copy without end.
    if (IsAtOrBelow(groupPath, GetKeyWord())) return nullptr;
    children = Manager->GetKeyWords(GetKeyWord());
  }
  std::unique_ptr<TKeyWordX> copy = Manager->NewKeyWord(std::string(), groupPath, type);
  if (!copy) return nullptr;
  copy->SetName(Name);
  if (data_) copy->data_->Lines = data_->Lines;
  copy->TypeCache = type;
  const std::string copyPath = copy->GetKeyWord();
  for (auto it = children.rbegin(); it != children.rend(); ++it) (*it)->CopyTo(copyPath);
  return copy;
}

core::TUniqueIcon TKeyWordX::LoadIcon() {
  try {
    if (GetType() == kTypeCommand && ReadValue("Icon").empty()) SetIcon(GetCommand());
    return LoadKeyWordIcon(GetIcon(), GetIconIndex());
  } catch (...) {
    return core::TUniqueIcon();
  }
}

core::TUniqueIcon LoadKeyWordIcon(const std::string& file, int index) {
  if (file.empty()) return core::TUniqueIcon();
  try {
    static constexpr std::string_view kIconDir = "%Icondir";
    std::string path = file;
    if (sjis::StartsWithIgnoreCase(path, kIconDir)) path = FilePathsInstance().IconsDir + path.substr(kIconDir.size());
    return core::TUniqueIcon(GetFileIcon(path, index, false));
  } catch (...) {
    return core::TUniqueIcon();
  }
}

void TKeyWordX::AddParam(const std::string& text) {
  if (!ArrayedParam) ArrayedParam = std::make_unique<TStringList>();
  ArrayedParam->Add(text);
}

std::string TKeyWordX::ToString() {
  std::string r = "TKeyWordX\r\n";
  r += "  Keyword      : " + GetKeyWord() + "\r\n";
  r += "  Command      : " + GetCommand() + "\r\n";
  r += "  Param        : " + GetParam() + "\r\n";
  if (ArrayedParam) {
    r += "  ArrayedParam : \r\n";
    for (const std::string& p : *ArrayedParam) r += "    " + p + "\r\n";
  }
  return r;
}

// ===========================================================================
// Run-time parameters

namespace {

// Texts of the run's message boxes, as the user sees them.
constexpr char kRunCaption[] = "キーワードの実行";
constexpr char kStartFailed[] = "起動失敗 - ";
constexpr char kReasonBadExe[] =
    "※考えられる主な原因\r\n     ・適切な実行ファイルでない\r\n     ・パラメータが長すぎる";
constexpr char kReasonNoAssociation[] = "ファイルがアプリケーションに関連付けられていません";
constexpr char kReasonMissing[] = "ファイルが存在しません";
constexpr char kWildCardCaption[] = "ワイルドカード実行の確認";
constexpr char kGroupCaption[] = "グループ実行の確認";
constexpr char kGroupAskAgainHint[] =
    "※もう一度確認ダイアログを出すようにするには、キーワードの設定画面の 「詳細」 タブで、\r\n\r\n"
    "       「実行するかどうかダイアログで確認する」   \r\n\r\n"
    "   にチェックを入れてください";

constexpr char kGroupMarker = '\x08';

bool IsDigit1To9(char c) { return c >= '1' && c <= '9'; }

std::string JoinWith(const TStringList& list, std::string_view separator) {
  std::string r;
  for (int k = 0; k < list.Count(); ++k) {
    if (k) r += separator;
    r += list[k];
  }
  return r;
}

// The values that placeholders stand for in one text: the parameters (already
// escaped for the run data, or raw for the command line), the line break after
// each "%*-n" entry, and the clipboard, read at most once.
struct TPlaceholderValues {
  const std::vector<std::string>& entries;
  const char* lineBreak;
  std::function<std::string()> clip;
};

// Replaces every placeholder of text in one pass: what a value brings in is
// never looked at again, so a parameter holding "%2" or "a%20b" stays as typed.
std::string SubstitutePlaceholders(std::string_view text, const TPlaceholderValues& v) {
  std::string out;
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    if (text[i] != '%') {
      size_t len = sjis::CharLen(text, i);
      out.append(text.substr(i, len));
      i += len;
      continue;
    }
    char next = i + 1 < n ? text[i + 1] : '\0';
    if (next == '%') {
      out += '%';
      i += 2;
    } else if (next == '*') {
      if (i + 3 < n && text[i + 2] == '-' && IsDigit1To9(text[i + 3])) {
        size_t after = static_cast<size_t>(text[i + 3] - '0');
        for (size_t k = after; k < v.entries.size(); ++k) out += v.entries[k] + v.lineBreak;
        i += 4;
      } else {
        for (size_t k = 0; k < v.entries.size(); ++k) out += (k ? " " : "") + v.entries[k];
        i += 2;
      }
    } else if (next == '0') {
      i += 2;
    } else if (IsDigit1To9(next)) {
      size_t index = static_cast<size_t>(next - '1');
      if (index < v.entries.size()) out += v.entries[index];
      i += 2;
    } else if (sjis::StartsWithIgnoreCase(text.substr(i), "%clip%")) {
      out += v.clip();
      i += 6;
    } else {
      out += '%';
      ++i;
    }
  }
  return out;
}

}  // namespace

bool TKeyWordX::ExistsInsertParam(const std::string& text) {
  bool found = sjis::FindIgnoreCase(text, "%clip%") != sjis::npos || sjis::Find(text, "%0") != sjis::npos ||
               sjis::Find(text, "%*") != sjis::npos;
  for (char d = '1'; d <= '9' && !found; ++d) found = sjis::Find(text, std::string("%") + d) != sjis::npos;
  DebugOut().Write("ExistsInsertParam : " + text + " = " + (found ? "true" : "false")).WriteLn();
  return found;
}

void TKeyWordX::ProcessParam(TStringIni& runData, std::string& commandLine, const std::string& extra) {
  if (!TypedParams) return;
  if (!ArrayedParam) ArrayedParam = std::make_unique<TStringList>();
  DebugOut().Write("KeywordX.ProcessParam:").WriteLn();

  // Typed parameters that were only the stored ones are no parameters.
  if (sjis::EqualsIgnoreCase(TypedParams->GetDelimitedText(' ', '"'), GetParam())) TypedParams->Clear();

  std::string fparam = runData.ReadString("FParam", "");
  const bool fromExtra = !ExistsInsertParam(fparam);
  if (fromExtra) fparam = extra;
  if (!fparam.empty() && Parser) {
    TStringList saved = *ArrayedParam;
    ArrayedParam->Clear();
    // The parser may give the item new lists: none is held across the call.
    TKeyWordX* parsed = Parser->ParseByKeyword(this, fparam, true);
    TStringList result;
    if (parsed && parsed->ArrayedParam) result = *parsed->ArrayedParam;
    if (fromExtra) result.AddStrings(saved);
    fparam = JoinWith(result, "\t");
    runData.WriteString("FParam", fparam);
    if (!ArrayedParam) ArrayedParam = std::make_unique<TStringList>();
    *ArrayedParam = saved;
    if (!TypedParams) TypedParams = std::make_unique<TStringList>();
  }
  TStringList& params = *ArrayedParam;
  const TStringList& typed = *TypedParams;

  std::vector<std::string> raw, escaped;
  for (const std::string& e : typed) {
    if (e.empty()) continue;
    raw.push_back(e);
    escaped.push_back(TStringIni::EscapeValue(e));
  }
  bool clipRead = false;
  std::string clip;
  auto clipText = [&]() -> const std::string& {
    if (!clipRead) {
      clip = Manager->RunServices.Clipboard->Read();
      clipRead = true;
    }
    return clip;
  };
  // In the run data every value is escaped like the text store's own values,
  // so that no parameter or clipboard text can break a line or add a key.
  TPlaceholderValues dataValues{escaped, "\\n", [&] { return TStringIni::EscapeValue(clipText()); }};
  TPlaceholderValues lineValues{raw, "\r\n", [&] { return clipText(); }};

  std::string text = runData.Lines.GetText();
  DebugOut().Write("TextBefore=\r\n" + text).WriteLn();
  text = SubstitutePlaceholders(text, dataValues);
  DebugOut().Write("AfterText=\r\n" + text).WriteLn();
  commandLine = SubstitutePlaceholders(commandLine, lineValues);
  runData.Lines.SetText(text);

  ExpandGroupMarkers(params);

  if (!fparam.empty()) {
    std::string now = runData.ReadString("FParam", "");
    if (!(extra.empty() && sjis::EqualsIgnoreCase(now, fparam)))
      params = SplitString(now, "\t");
  }
  DebugOut().Write("KeywordX.ProcessParam:END").WriteLn();
}

void TKeyWordX::ExpandGroupMarkers(TStringList& params) {
  // Each entry carries the groups it was expanded from, so that a group whose
  // items lead back to it ends there instead of growing without bound.
  std::vector<std::vector<std::string>> from(static_cast<size_t>(params.Count()));
  int i = 0;
  while (i < params.Count()) {
    const std::string& entry = params[i];
    std::unique_ptr<TKeyWordX> group;
    if (sjis::StartsWithChar(entry, kGroupMarker) && entry.size() > 1) group = Manager->FindKeyWord(entry.substr(1));
    if (!group || group->GetType() != kTypeGroup) {
      ++i;
      continue;
    }
    const std::string path = group->GetKeyWord();
    std::vector<std::string> chain = from[static_cast<size_t>(i)];
    const bool cycle = std::any_of(chain.begin(), chain.end(),
                                   [&](const std::string& p) { return sjis::EqualsIgnoreCase(p, path); });
    chain.push_back(path);
    params.Delete(i);
    from.erase(from.begin() + i);
    if (cycle) continue;
    // Each command goes in at the marker's place, so they end up last item first.
    for (const std::unique_ptr<TKeyWordX>& item : Manager->GetKeyWords(path)) {
      params.Insert(i, item->GetCommand());
      from.insert(from.begin() + i, chain);
    }
  }
}

// ===========================================================================
// Running

namespace {

class TSystemMessageBox : public IRunMessageBox {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned int type) override {
    return MessageBoxA(static_cast<HWND>(app::ApplicationWindow()), text.c_str(), caption.c_str(), type);
  }
};

class TSystemShellStart : public IShellStarter {
 public:
  bool Start(SHELLEXECUTEINFOA& start) override { return ShellExecuteExA(&start) != FALSE; }
};

class TSystemClipboard : public IClipboardText {
 public:
  std::string Read() override { return ReadClipboardText(); }
};

class TSystemMessagePump : public IMessagePump {
 public:
  void ProcessMessages() override {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The message loop that is waiting for it still has to see it.
        PostQuitMessage(static_cast<int>(msg.wParam));
        app::SetTerminated(true);
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
};

// Closes the process handle a start record holds, on every way out.
class TProcessHandleGuard {
 public:
  explicit TProcessHandleGuard(SHELLEXECUTEINFOA& start) : start_(start) {}
  ~TProcessHandleGuard() {
    if (start_.hProcess) CloseHandle(start_.hProcess);
    start_.hProcess = nullptr;
  }
  TProcessHandleGuard(const TProcessHandleGuard&) = delete;
  TProcessHandleGuard& operator=(const TProcessHandleGuard&) = delete;

 private:
  SHELLEXECUTEINFOA& start_;
};

// A second start (the "open with" dialog, the opener program) with everything
// of the first record but file, parameters and show state; true on success.
bool StartAgain(IShellStarter& shell, const SHELLEXECUTEINFOA& first, const std::string& file,
                const std::string& params, int show) {
  SHELLEXECUTEINFOA again = first;
  again.lpFile = file.c_str();
  again.lpParameters = params.c_str();
  again.nShow = show;
  again.hProcess = nullptr;
  TProcessHandleGuard guard(again);
  return shell.Start(again);
}

std::string ShowBreaks(const std::string& s) { return sjis::ReplaceAll(s, "\r\n", "\\n"); }

}  // namespace

TRunServices DefaultRunServices() {
  static TSystemMessageBox boxes;
  static TSystemShellStart shell;
  static TSystemClipboard clipboard;
  static TSystemMessagePump pump;
  return TRunServices{&boxes, &shell, &clipboard, &pump};
}

TRunOptions TRunOptions::Read(const TStringIni& ini) {
  TRunOptions o;
  o.RunByParam = ini.ReadBool("RunByParam", o.RunByParam);
  o.QuoteParam = ini.ReadBool("QuoteParam", o.QuoteParam);
  o.MaxWildCardRunCount = ini.ReadInteger("MaxWildCardRunCount", o.MaxWildCardRunCount);
  o.UseFiler = ini.ReadBool("UseFiler", o.UseFiler);
  o.FilerName = ini.ReadString("FilerName", o.FilerName);
  o.FilerParam = ini.ReadString("FilerParam", o.FilerParam);
  o.FileOpenMode = ini.ReadInteger("FileOpenMode", o.FileOpenMode);
  o.FileOpenFile = ini.ReadString("FileOpenFile", o.FileOpenFile);
  return o;
}

void TKeyWordX::RunCommand() {
  DebugOut().Write("TKeywordX.RunCommand").WriteLn();
  TStringIni& data = EnsureData();
  TStringIni run;
  run.Lines = data.Lines;
  run.WriteString("Command", GetCommand());
  run.WriteString("FParam", GetParam());
  run.WriteString("Dir", GetDir());
  if (!ArrayedParam) ArrayedParam = std::make_unique<TStringList>();
  if (!TypedParams) TypedParams = std::make_unique<TStringList>(*ArrayedParam);

  std::string command;
  if (data.ReadBool("ExpandWildCard", true)) ExpandWildCard(run, command);
  else command = run.ReadString("Command", "");
  ProcessParam(run, command, std::string());

  switch (GetType()) {
    case kTypeCommand:
    case kTypeTemp: Execute(command, &run); break;
    case kTypeSystem:
      try {
        Manager->RunSystemCommand(run.ReadInteger("CommandIndex", -1), ArrayedParam.get());
      } catch (...) {
        // A runner that fails ends the command silently.
      }
      break;
    case kTypeGroup: RunGroup(run); break;
    default: break;
  }
  DebugOut().Write("TKeywordX.RunCommand:END").WriteLn();
}

void TKeyWordX::ExpandWildCard(TStringIni& runData, std::string& commandLine) {
  commandLine = runData.ReadString("Command", "");
  TFileLists& lists = FileListsInstance();
  for (int i = 0; i < runData.Lines.Count(); ++i) {
    const std::string key = runData.Lines.Name(i);
    std::unique_ptr<TStringList> matches =
        lists.GetWildList(TStringIni::UnescapeValue(runData.Lines.ValueFromIndex(i)), false, false);
    if (!matches) continue;
    if (sjis::EqualsIgnoreCase(key, "Command")) commandLine = matches->GetText();
    else runData.Lines[i] = key + "=" + TStringIni::EscapeValue(matches->GetText());
  }
  if (!ArrayedParam) ArrayedParam = std::make_unique<TStringList>();
  TStringList& params = *ArrayedParam;
  for (int i = 0; i < params.Count();) {
    std::unique_ptr<TStringList> matches = lists.GetWildList(params[i], false, false);
    if (!matches) {
      ++i;
      continue;
    }
    const bool typedToo = TypedParams && i < TypedParams->Count();
    params.Delete(i);
    if (typedToo) TypedParams->Delete(i);
    for (int k = 0; k < matches->Count(); ++k) {
      params.Insert(i + k, (*matches)[k]);
      if (typedToo) TypedParams->Insert(i + k, (*matches)[k]);
    }
    i += matches->Count();
  }
}

void TKeyWordX::Execute(const std::string& commandLine, TStringIni* runData) {
  if (!runData) return;
  TStringIni& run = *runData;
  TStringIni options;
  if (!RunFile.empty() && fileio::FileExists(RunFile)) options.LoadFromFile(RunFile);
  const TRunOptions opts = TRunOptions::Read(options);
  RunByParam = opts.RunByParam;
  Manager->QuoteParam = opts.QuoteParam;
  if (!ArrayedParam) ArrayedParam = std::make_unique<TStringList>();
  if (!TypedParams) TypedParams = std::make_unique<TStringList>(*ArrayedParam);
  DebugOut().Write("KeywordX.Arrayedparam=" + ArrayedParam->GetText()).WriteLn();
  TFileUtils& fu = FileUtilsInstance();

  std::string command = commandLine;
  if (sjis::Contains(command, "\r\n")) {
    TStringList lines;
    lines.SetText(command);
    if (lines.Count() >= opts.MaxWildCardRunCount) {
      std::string question = "一度に" + sjis::IntToStr(lines.Count()) + "のファイルを開きます" + "実行しますか?";
      if (Manager->RunServices.MessageBoxes->Show(question, kWildCardCaption, MB_YESNO) != IDYES) return;
    }
    // Each line starts from the parameters the run had: what a line's filer
    // start put in must not become a parameter of the next line's.
    const TStringList params = *ArrayedParam;
    const TStringList typed = *TypedParams;
    for (const std::string& line : lines) {
      *ArrayedParam = params;
      *TypedParams = typed;
      run.WriteString("Command", line);
      Execute(line, runData);
    }
    return;
  }

  std::string params;
  bool filer = false;
  if (opts.UseFiler && fu.IsDirectory(command)) {
    DebugOut().Write("Keyword.FilerSet:Start").WriteLn();
    std::string program = ResolveKeyWordPath(Manager->DecodeKeyWordIDs(opts.FilerName), *Manager);
    if (!program.empty() && fu.IsFile(program)) {
      filer = true;
      if (sjis::EndsWithChar(command, '\\') && !sjis::EndsWithIgnoreCase(command, ":\\")) command.pop_back();
      run.WriteString("Dir", command);
      if (!opts.FilerParam.empty()) {
        run.WriteString("FParam", " " + opts.FilerParam);
        ArrayedParam->Insert(0, command);
        TypedParams->Insert(0, command);
        ProcessParam(run, program, run.ReadString("FParam", ""));
      } else {
        ArrayedParam->Insert(0, command);
      }
      command = program;
    }
    DebugOut().Write("Keyword.FilerSet:End").WriteLn();
  }

  TStringList list = *ArrayedParam;
  if (RunByParam && !IsExecutableFile(command) && !list.Empty()) {
    for (std::string& p : list)
      if (IsExecutableFile(p)) std::swap(command, p);
  }
  const bool isLong = list.GetText().size() > 1024;
  if (!list.Empty() && list[list.Count() - 1].empty()) list.Delete(list.Count() - 1);
  const bool quote = filer ? Manager->QuoteParam : run.ReadBool("QuoteParam", true);
  for (int i = 0; i < list.Count(); ++i) {
    std::string p = list[i];
    if (isLong) p = fu.GetShortPath(p);
    if (p.size() > 3 && sjis::EndsWithChar(p, '\\') && fu.IsDirectory(p)) p.pop_back();
    if (quote && !p.empty() && sjis::FindChar(p, ' ') != sjis::npos && fu.ExistsWild(p)) p = "\"" + p + "\"";
    if (i) params += ' ';
    params += p;
  }

  const std::string dir = run.ReadString("Dir", "");
  int show = run.ReadInteger("ShowState", 0);
  if (show == 0) show = SW_SHOWDEFAULT;
  else if (show == 1) show = SW_SHOWMAXIMIZED;
  else if (show == 2) show = SW_MINIMIZE;
  if (!sjis::EndsWithChar(command, '\\') && fu.IsDirectory(command)) command += '\\';

  SHELLEXECUTEINFOA start = {};
  start.cbSize = sizeof(start);
  start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  start.hwnd = static_cast<HWND>(app::ApplicationWindow());
  start.lpFile = command.c_str();
  start.lpParameters = params.c_str();
  start.lpDirectory = dir.empty() ? nullptr : dir.c_str();
  start.nShow = show;
  DebugOut().Write("TKeywordX.RunCommand:").WriteLn();
  DebugOut().Write("  Command : " + ShowBreaks(command)).WriteLn();
  DebugOut().Write("  Param   : " + ShowBreaks(params)).WriteLn();
  DebugOut().Write("  Dir     : " + ShowBreaks(dir)).WriteLn();

  options.WriteString("RunParam", params);
  options.WriteBool("Wait", ReadFlag("Wait", false));
  ShellExecute(start, options);
}

void TKeyWordX::ReportStartFailure(const std::string& command, const std::string& reason) {
  Manager->RunServices.MessageBoxes->Show(kStartFailed + command + "\r\n\r\n" + reason, kRunCaption, MB_OK);
}

void TKeyWordX::ShellExecute(SHELLEXECUTEINFOA& start, const TStringIni& options) {
  TRunServices& services = Manager->RunServices;
  start.hProcess = nullptr;
  TProcessHandleGuard guard(start);
  try {
    const std::string command = start.lpFile ? start.lpFile : "";
    DWORD began = GetTickCount();
    const bool started = services.ShellStart->Start(start);
    DebugOut().Write("TKeywordX.ShellExecute:").WriteInt(GetTickCount() - began).WriteLn();
    if (started) {
      if (start.hProcess && options.ReadBool("Wait", false)) {
        // The windows stay alive while the program runs; a handle that cannot
        // be waited on ends the wait at once.
        while (WaitForSingleObject(start.hProcess, 0) == WAIT_TIMEOUT && !app::Terminated()) {
          Sleep(50);
          services.Pump->ProcessMessages();
        }
      }
      return;
    }
    TFileUtils& fu = FileUtilsInstance();
    if (!fu.Exists(command)) {
      ReportStartFailure(command, kReasonMissing);
      return;
    }
    const TRunOptions opts = TRunOptions::Read(options);
    switch (opts.FileOpenMode) {
      case 0:
        if (sjis::EndsWithIgnoreCase(command, ".exe")) ReportStartFailure(command, kReasonBadExe);
        else if (!StartAgain(*services.ShellStart, start, "RUNDLL32.exe", "Shell32.dll,OpenAs_RunDLL " + command,
                             SW_SHOWDEFAULT))
          ReportStartFailure(command, kReasonNoAssociation);
        break;
      case 1: {
        std::string opener = ResolveKeyWordPath(Manager->DecodeKeyWordIDs(opts.FileOpenFile), *Manager);
        if (fu.IsFile(opener)) {
          std::string params = options.ReadString("RunParam", "");
          params += (params.empty() ? "\"" : " \"") + command + "\"";
          StartAgain(*services.ShellStart, start, opener, params, start.nShow);
        } else {
          ReportStartFailure(command, std::string(kReasonMissing) + "(" + opts.FileOpenFile + ")");
        }
        break;
      }
      case 2: ReportStartFailure(command, kReasonNoAssociation); break;
      default: break;
    }
  } catch (...) {
    // A failed start has been reported; nothing of it reaches the caller.
  }
}

void TKeyWordX::RunGroup(TStringIni& runData) {
  if (!Parser) return;
  const int mode = runData.ReadInteger("RunMode", 0);
  if (mode == 2) return;
  IRunMessageBox& boxes = *Manager->RunServices.MessageBoxes;
  if (mode != 1 && runData.ReadBool("AskRun", true)) {
    int answer = boxes.Show("グループ : " + GetKeyWord() + " を実行します。次回からも確認ダイアログを出しますか?",
                            kGroupCaption, MB_YESNOCANCEL);
    if (answer == IDNO) {
      EnsureData().WriteBool("AskRun", false);
      boxes.Show(kGroupAskAgainHint, kGroupCaption, MB_OK);
    } else if (answer != IDYES) {
      return;
    }
  }
  const int rounds = runData.ReadInteger("RoopCount", 1);
  const bool sameParam = runData.ReadBool("SetSameParam", false);
  if (!ArrayedParam) ArrayedParam = std::make_unique<TStringList>();
  std::string text;
  for (std::string& p : *ArrayedParam) {
    if (sjis::FindChar(p, ' ') != sjis::npos && !sjis::StartsWithChar(p, '"') && !sjis::EndsWithChar(p, '"'))
      p = "\"" + p + "\"";
    text += " " + p;
  }
  const bool hasParams = !ArrayedParam->Empty();
  const std::string path = GetKeyWord();
  for (int round = 0; round < rounds; ++round) {
    TKeyWordList items = Manager->GetKeyWords(path);
    for (size_t i = 0; i < items.size(); ++i) {
      const bool give = hasParams && (sameParam || i == 0);
      if (TKeyWordX* item = Parser->ParseByKeyword(items[i].get(), give ? text : std::string(), false)) {
        item->Parser = Parser;
        // The members read the same run options as the group.
        item->RunFile = RunFile;
        item->RunCommand();
      }
      if (mode == 1) break;
    }
  }
}

bool TKeyWordX::IsExecutableFile(const std::string& path) {
  if (!FileUtilsInstance().IsFile(path)) return false;
  const std::string ext = sjis::ExtractFileExt(path);
  return !ext.empty() && Manager->ExecutableExtensions.IndexOf(ext) >= 0;
}

void TKeyWordManager::RunSystemCommand(int commandIndex, const TStringList* params) {
  if (!SystemCommandRunner) return;
  auto request = std::make_unique<TStringIni>();
  request->WriteInteger("CommandIndex", commandIndex);
  std::string all;
  if (params) {
    for (int k = 0; k < params->Count(); ++k) {
      request->WriteString("%" + sjis::IntToStr(k + 1), (*params)[k]);
      if (k) all += ' ';
      all += (*params)[k];
    }
  }
  request->WriteString("%*", all);
  SystemCommandRunner->ExecuteSysCommand(std::move(request));
}

std::unique_ptr<TKeyWordX> TKeyWordManager::CreateTemp(const std::string& name, const std::string& text) {
  auto item = std::make_unique<TKeyWordX>(this, name, std::string());
  // Temporary items are never stored, so their values are written as typed.
  TStringIni& data = item->EnsureData();
  data.WriteString("Icon", text);
  data.WriteString("Command", text);
  data.WriteInteger("Type", kTypeTemp);
  item->TypeCache = kTypeTemp;

  TFileUtils& fu = FileUtilsInstance();
  const int kind = fu.GetPathKind(text, true);
  if (kind == pkFile || kind == pkDirectory || kind == pkWildFile) {
    // "C:" and "C:\" both give the drive's root with its one backslash.
    if (kind == pkDirectory) data.WriteString("Dir", sjis::IncludeTrailingPathDelimiter(sjis::ExcludeTrailingPathDelimiter(text)));
    else data.WriteString("Dir", CurrentFolder());
    const std::string command = fu.ExpandPath(text);
    DebugOut().WriteFmt("CreateTemp:FomarlFileName:%s >> %s", text.c_str(), command.c_str()).WriteLn();
    data.WriteString("Command", command);
    data.WriteString("Icon", command);
    if (!sjis::EqualsIgnoreCase(text, command)) data.WriteString("Comment", command);
    if (sjis::FindChar(command, '?') != sjis::npos || sjis::FindChar(command, '*') != sjis::npos) {
      data.WriteString("Comment", "ワイルドカード");
      item->WildCardTemp = true;
      data.WriteString("Icon", IconFolder + "\\WildCard.ico");
    }
  } else if (IsWebAddress(text) || sjis::StartsWith(text, "www.")) {
    data.WriteString("Comment", "URLを指定して開く");
  } else if (sjis::StartsWith(text, "mailto:")) {
    data.WriteString("Comment", "あて先を指定してメール");
  }
  return item;
}
