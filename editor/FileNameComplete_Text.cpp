#include "editor/FileNameComplete_Text.h"

#include "core/Sjis.h"
#include "core/StringUtils.h"

TFileNameSources ParseFileName(const TFileNameText& in, IKeywordLookup* store) {
  TFileNameSources out;
  const std::string& t = in.Text;
  const size_t bs = sjis::FindLastChar(t, '\\');
  if (bs != sjis::npos) {
    // The folder comes from the resolved text, the word and its place from the typed one.
    const std::string resolved = store ? store->ResolvePath(t) : t;
    out.Folder = sjis::ExtractFilePath(resolved);
    out.WordStart = CharLength(std::string_view(t).substr(0, bs + 1));
    out.Word = t.substr(bs + 1);
    out.Kind = in.OnlyFolders ? 1 : 0;
    out.CheckedLists = kFileNamePathChecks;
    return out;
  }
  const size_t slash = sjis::FindLastChar(t, '/');
  const size_t wordByte = slash == sjis::npos ? 0 : slash + 1;
  const std::string group = slash == sjis::npos ? std::string() : t.substr(0, slash);
  out.Word = t.substr(wordByte);
  out.WordStart = CharLength(std::string_view(t).substr(0, wordByte));
  out.Kind = 2;
  out.Drives = slash == sjis::npos ? TFileNameSources::TDrives::Filled : TFileNameSources::TDrives::Emptied;
  out.KeywordsSet = true;
  if (store && (slash == sjis::npos || store->IsGroup(group))) {
    out.Keywords = store->Names(group, true, true, true);
    RemoveListed(out.Keywords, group, in.ItemPath);
  }
  out.CheckedLists = kFileNameKeywordChecks;
  return out;
}
