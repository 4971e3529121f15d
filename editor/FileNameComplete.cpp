#include "editor/FileNameComplete.h"

#include "core/FileList.h"
#include "editor/FileNameComplete_Text.h"
#include "editor/StoreLookup.h"

TFileNameComplete::TFileNameComplete() {
  Data().ExtraSources = {&drives_, &keywords_};
  Data().SourceKind = 0;
  SpecialChars = "\\";
  UseList = true;
  SetMatchLevel(2);
  ListOrder = kFileNameListOrder;
}

TFileNameComplete::~TFileNameComplete() = default;

void TFileNameComplete::SetFileType(TFileType type) {
  fileType_ = type;
  Data().SourceKind = type == TFileType::ftOnlyDirectory ? 1 : 0;
}

std::string TFileNameComplete::GetCommand() {
  if (!store_) return Text();
  TSilentCriticalErrors silent;
  return TStoreLookup(*store_).ResolvePath(Text());
}

void TFileNameComplete::SetManager(TKeyWordManager* store, TKeyWordX* item) {
  store_ = store;
  item_ = item;
}

void TFileNameComplete::Refresh() {
  refreshArmed_ = true;
  KeywordChange();
}

TStringList TFileNameComplete::GetDriveList() {
  TStringList drives;
  drives.SetText(ListDrives(false));
  return drives;
}

void TFileNameComplete::KeywordChange() {
  Data().MatchMode = 2;
  SpecialChars = store_ ? " \\/" : " \\";
  AutoComplete = true;
  if (refreshArmed_ && Handle() && Focused()) {
    TFileNameText in;
    in.Text = complete::PosSub(Text(), 0, SelStart());
    in.OnlyFolders = fileType_ == TFileType::ftOnlyDirectory;
    if (item_) in.ItemPath = item_->GetKeyWord();
    TSilentCriticalErrors silent;
    TFileNameSources s;
    if (store_) {
      TStoreLookup lookup(*store_);
      s = ParseFileName(in, &lookup);
    } else {
      s = ParseFileName(in, nullptr);
    }
    Data().SourceKind = static_cast<uint8_t>(s.Kind);
    Data().FolderNow = s.Folder;
    Data().Word = s.Word;
    Data().WordStart = s.WordStart;
    CheckedLists = s.CheckedLists;
    if (s.Drives == TFileNameSources::TDrives::Filled) drives_ = GetDriveList();
    else if (s.Drives == TFileNameSources::TDrives::Emptied) drives_.Clear();
    if (s.KeywordsSet) keywords_ = std::move(s.Keywords);
  }
  TDynamicComplete::KeywordChange();
}

LRESULT TFileNameComplete::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDBLCLK && !GetshowPopup()) {
    // The whole list appears: an empty field needs a change too.
    Refresh();
    if (TextLength() == 0) Change();
  }
  return TDynamicComplete::WndProc(msg, wParam, lParam);
}

TStringList TFileNameComplete::ListNetwork(const std::string& folder) { return NetworkListing(folder); }
