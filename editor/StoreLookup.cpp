#include "editor/StoreLookup.h"

#include "core/Debug_Unit.h"
#include "core/FileList.h"
#include "core/FileUtils.h"

namespace {

// A group file that cannot be read lists nothing; a completion never fails for it.
template <class T, class F>
T OrWhenUnreadable(const char* what, T fallback, F&& f) {
  try {
    return f();
  } catch (const EKeyWordStoreError& e) {
    DebugOut().Write(what).Write(e.what()).WriteLn();
    return fallback;
  }
}

}  // namespace

std::optional<std::string> TStoreLookup::Command(const std::string& path) {
  return OrWhenUnreadable("StoreLookup.Command:", std::optional<std::string>(), [&]() -> std::optional<std::string> {
    std::unique_ptr<TKeyWordX> item = store_.FindKeyWord(path);
    if (!item) return std::nullopt;
    return item->GetCommand();
  });
}

bool TStoreLookup::IsGroup(const std::string& path) {
  return OrWhenUnreadable("StoreLookup.IsGroup:", false, [&] {
    std::unique_ptr<TKeyWordX> item = store_.FindKeyWord(path);
    return item && item->GetType() == kTypeGroup;
  });
}

TStringList TStoreLookup::Names(const std::string& group, bool slashAfterGroups, bool backslashAfterFolders,
                                bool usableOnly) {
  return OrWhenUnreadable("StoreLookup.Names:", TStringList(),
                          [&] { return store_.GetNames(group, slashAfterGroups, backslashAfterFolders, usableOnly); });
}

std::string TStoreLookup::ResolvePath(const std::string& text) {
  return OrWhenUnreadable("StoreLookup.ResolvePath:", text, [&] { return ResolveKeyWordPath(text, store_); });
}

bool TFileSystemLookup::IsFolder(const std::string& path) { return CheckPathKind(path, false, true, false); }
bool TFileSystemLookup::IsFile(const std::string& path) { return CheckPathKind(path, true, false, false); }
bool TFileSystemLookup::Exists(const std::string& path) { return PathExists(path); }

TStringList NetworkListing(const std::string& folder) {
  std::unique_ptr<TStringList> list = GetNetList(folder);
  return list ? std::move(*list) : TStringList();
}
