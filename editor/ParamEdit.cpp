#include "editor/ParamEdit.h"

#include "core/FileList.h"
#include "core/File_Utils.h"
#include "editor/StoreLookup.h"

TParamEdit::TParamEdit() {
  Data().ExtraSources = {&keywordSource_, &currentDir_, &drives_, &userSource_};
  ListOrder = "40123";
  CheckedLists = "11110";
  InputFirstCandidate = false;
  SpecialChars = " \\/.";
  DeliminateChars = " \\/";
  UseList = true;
  AutoComplete = true;
}

TParamEdit::~TParamEdit() = default;

void TParamEdit::SetManager(TKeyWordManager* store) {
  store_ = store;
  modeKey_ = kParamModeKeyAttached;
  HidePopup();
  keywordSource_.Clear();
  currentDir_.Clear();
  drives_.Clear();
  userSource_.Clear();
}

void TParamEdit::SetUserList(const std::string& text) { userList_.SetText(text); }

void TParamEdit::ApplySources(const TParamSources& s) {
  using TK = TParamSources::TKeywords;
  using TO = TParamSources::TOthers;
  if (s.Keywords == TK::Names) keywordSource_ = s.Names;
  else if (s.Keywords == TK::Removed) keywordSource_.Clear();
  switch (s.Others) {
    case TO::Unchanged:
      break;
    case TO::Filled:
      currentDir_.SetText(ListCurrentDir());
      drives_.SetText(ListDrives(false));
      userSource_ = userList_;
      break;
    case TO::Emptied:
      currentDir_.Clear();
      drives_.Clear();
      userSource_.Clear();
      break;
    case TO::UserList:
      userSource_ = userList_;
      break;
  }
  Data().SourceKind = static_cast<uint8_t>(s.Kind);
  Data().FolderNow = s.Folder;
  Data().Word = s.Word;
  Data().WordStart = s.WordStart;
}

void TParamEdit::KeywordChange() {
  Data().MatchMode = 2;
  // Outside typing (or without the focus, when nothing is shown) the line is
  // read for nothing: the sources change only while the user types.
  if (refreshArmed_ && Handle() && Focused()) {
    TParamLine line;
    line.Caret = SelStart();
    line.Text = complete::PosSub(Text(), 0, line.Caret);
    line.Typing = true;
    line.CompleteAfterSpace = CompleteAfterSpace;
    line.AddBackSlash = AddBackSlash;
    line.ModeKey = modeKey_;
    line.Excluded = excluded_;
    TSilentCriticalErrors silent;  // paths on drives without a disk
    TFileSystemLookup paths;
    TParamSources s;
    if (store_) {
      TStoreLookup lookup(*store_);
      s = ParseParams(line, &lookup, paths);
    } else {
      s = ParseParams(line, nullptr, paths);
    }
    modeKey_ = s.ModeKey;
    if (s.Set) ApplySources(s);
    else Data().SourceKind = 5;  // a token that gets no candidates
  }
  TDynamicComplete::KeywordChange();
}

LRESULT TParamEdit::GetDlgCode(const MSG* msg, LRESULT code) {
  (void)msg;
  return code;  // no keys beyond the edit's own
}

LRESULT TParamEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDBLCLK && !GetshowPopup() && TextLength() == 0) {
    // An empty field shows everything it could offer.
    refreshArmed_ = true;
    KeywordChange();
    Change();
  }
  return TDynamicComplete::WndProc(msg, wParam, lParam);
}

TStringList TParamEdit::ListNetwork(const std::string& folder) { return NetworkListing(folder); }
