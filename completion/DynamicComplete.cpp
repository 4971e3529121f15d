#include "completion/DynamicComplete.h"

#include <algorithm>

#include "core/AppFlags.h"
#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/File_Lists.h"
#include "core/File_Utils.h"
#include "core/ForEachFile.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "ui/Application.h"
#include "ui/ErrorHandler.h"

namespace {

TDynamicComplete* g_active = nullptr;
TPopupList* g_shared = nullptr;
bool g_popupShown = false;
// The activation hook: installed while a popup is shown.
ui::TConnection g_hook;
bool g_hookInstalled = false;

bool SameText(std::string_view a, std::string_view b) { return sjis::EqualsIgnoreCase(a, b); }

char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Runs f with a flag set, restoring the flag's value afterwards.
template <class F>
void WithFlag(bool& flag, bool value, F&& f) {
  bool saved = flag;
  flag = value;
  f();
  flag = saved;
}

}  // namespace

TDynamicComplete* TDynamicComplete::ActiveCompleter() { return g_active; }
TPopupList* TDynamicComplete::SharedList() { return g_shared; }

TDynamicComplete::TDynamicComplete() {
  data_.FolderSource = &folderSource_;
  data_.HistorySource = &historySource_;
  data_.DedupeLimit = listSize_;
  SetMatchLevel(2);
}

TDynamicComplete::~TDynamicComplete() {
  // The rows refer to the sources, and a descendant's are gone by now.
  if (list_) list_->Clear();
  ui::Guarded("TDynamicComplete.Destroy", [&] { HidePopup(); });
  if (g_active == this) g_active = nullptr;
  if (list_ && g_shared == list_.get()) g_shared = nullptr;
  onMessage_.Disconnect();
  onDeactivate_.Disconnect();
  if (!g_active) RemoveHook();
  list_.reset();
  if (Handle()) Destroy();
}

bool TDynamicComplete::Create(ui::TCreateParams params) {
  if (!params.ClassName) params.ClassName = "EDIT";
  if (!TEdit::Create(params)) return false;
  if (ui::TApplication* app = ui::TApplication::Current()) {
    onMessage_ = app->OnMessage.Add([this](MSG& msg, bool& handled) { AppMessage(msg, handled); });
    onDeactivate_ = app->OnDeactivate.Add([this] { AppDeactivate(); });
  }
  MakeList();
  return list_ && list_->Handle();
}

void TDynamicComplete::MakeList() {
  list_ = std::make_unique<TPopupList>(this, listScroll_);
  list_->OnClick = [this] { ListClick(); };
  list_->OnMouseMove = [this](ui::TMouseEvent& e) { ListMouseMove(e.Shift, e.X, e.Y); };
  list_->Data = &data_;
  list_->CreateWnd();
  list_->SetFont(font_ ? font_.get() : Font());
  list_->SetListFont(font_ ? font_.get() : Font());
  ApplyListHeight();
}

void TDynamicComplete::ApplyListHeight() {
  int h = FontHeight(list_ && list_->ListFont() ? list_->ListFont() : nullptr);
  listHeightPx_ = std::abs(listSize_ * h);
  if (list_) list_->SetItemHeight(h);
}

void TDynamicComplete::SetListSize(int rows) {
  listSize_ = rows;
  data_.DedupeLimit = rows;
  ApplyListHeight();
}

void TDynamicComplete::SetListScroll(bool on) {
  if (on == listScroll_) return;
  listScroll_ = on;
  if (!list_) return;
  bool shared = g_shared == list_.get();
  if (shared) g_shared = nullptr;
  list_.reset();
  MakeList();
  if (shared && Focused()) DoEnter();
}

void TDynamicComplete::SetListRedraw(bool on) { listRedraw_ = g_shared ? on : true; }

void TDynamicComplete::SetHistory(TStringList* history) {
  history_ = history ? history : &ownHistory_;
  historyWalk_ = -1;
}

void TDynamicComplete::SetMatchLevel(int level) {
  matchLevel_ = level;
  data_.MatchMode = complete::MatchModeFor(level, UseList, data_.MatchMode);
}

void TDynamicComplete::AddHistory(std::string line) {
  complete::AddHistoryLine(*history_, std::move(line), HistoryMax);
  historyWalk_ = -1;
}

TStringList TDynamicComplete::ListNetwork(const std::string& folder) {
  std::unique_ptr<TStringList> list = FileListsInstance().GetList(folder);
  return list ? std::move(*list) : TStringList();
}

TStringList TDynamicComplete::ListFolder(const std::string& folder) {
  TSilentCriticalErrors silent;
  if (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\' && !fileio::DirectoryExists(folder))
    return ListNetwork(folder);
  std::string dir = sjis::EndsWithChar(folder, '\\') ? folder.substr(0, folder.size() - 1) : folder;
  TStringList out;
  if (dir.empty() || !fileio::DirectoryExists(dir + "\\")) return out;
  auto byName = [](const std::string& a, const std::string& b) { return sjis::CompareIgnoreCase(a, b) < 0; };
  core::ForEachFile(dir + "\\*", [&](const WIN32_FIND_DATAA& fd) {
    if (core::IsDirectory(fd)) out.Add(std::string(fd.cFileName) + "\\");
  });
  if (Sort) std::stable_sort(out.begin(), out.end(), byName);
  if (data_.SourceKind != 0) return out;
  // Without a filter every file is offered, as "*" would.
  std::string filter = FileFilter.empty() ? std::string("*") : FileFilter;
  std::vector<std::string> files;
  core::ForEachFile(dir + "\\" + filter, [&](const WIN32_FIND_DATAA& fd) {
    if (!core::IsDirectory(fd)) files.push_back(fd.cFileName);
  });
  if (Sort) std::stable_sort(files.begin(), files.end(), byName);
  for (auto& f : files) out.Add(std::move(f));
  return out;
}

bool TDynamicComplete::ParentVisible() const {
  HWND parent = Handle() ? GetParent(Handle()) : nullptr;
  return parent ? IsWindowVisible(parent) != FALSE : Visible();
}

complete::TEditState TDynamicComplete::State() const { return {Text(), SelStart(), SelLength()}; }

void TDynamicComplete::Apply(const complete::TEditState& st) {
  if (st.Text != Text()) SetText(st.Text);
  SetSel(st.SelStart, st.SelLength);
}

void TDynamicComplete::DeleteSelectionQuietly() {
  WithFlag(refreshSuppressed_, true, [&] { ClearSelection(); });
}

std::string TDynamicComplete::GetCompletedText() {
  if (!list_ || list_->ItemIndex() < 0) return Text();
  return complete::CompletedText(State(), data_.WordStart, list_->Item(list_->ItemIndex()));
}

int TDynamicComplete::ListTextWidth(std::string_view text) {
  return TEdit::TextWidth(text, list_ && list_->ListFont() ? list_->ListFont() : nullptr);
}

int TDynamicComplete::TextWidth() { return g_shared ? std::abs(ListTextWidth("s")) : -1; }

void TDynamicComplete::SetListFont(const std::string& name, int size) {
  core::TWindowDC screen(nullptr);
  int height = -MulDiv(size, screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96, 72);
  core::TUniqueFont font(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name.c_str()));
  if (!font) return;
  SetFont(font.get());
  if (list_) {
    list_->SetFont(font.get());
    list_->SetListFont(font.get());
  }
  font_ = std::move(font);
  ApplyListHeight();
}

// ---- focus and application events

void TDynamicComplete::DoEnter() {
  TEdit::DoEnter();
  limited_ = false;
  DebugOut().Write("TDynamicComplete.doEnter").WriteLn();
  g_active = this;
  if (g_shared && g_shared != list_.get()) ui::Guarded("TDynamicComplete.DoEnter", [&] { g_shared->Hide(); });
  g_shared = list_.get();
  caretAtLastRefresh_ = SelStart();
  refreshArmed_ = true;
  if (list_) list_->SetRedraw(true);
  DebugOut().Write("TDynamicComplete.doEnter:END").WriteLn();
}

void TDynamicComplete::DoExit() {
  SetshowPopup(false);
  if (list_) {
    list_->Hide();
    list_->Clear();
  }
  if (g_shared) g_shared->Hide();
  g_shared = nullptr;
  if (g_active == this) g_active = nullptr;
  RemoveHook();
  TEdit::DoExit();
}

void TDynamicComplete::InstallHook() {
  if (g_hookInstalled) return;
  ui::TApplication* app = ui::TApplication::Current();
  if (!app) return;
  g_hook = app->OnActivate.Add([] {
    if (g_active) g_active->AppActivate();
  });
  g_hookInstalled = true;
}

void TDynamicComplete::RemoveHook() {
  g_hook.Disconnect();
  g_hookInstalled = false;
}

void TDynamicComplete::AppActivate() {
  if (g_active == this && Focused()) DoEnter();
}

void TDynamicComplete::AppDeactivate() {
  if (g_active != this && !(list_ && g_shared == list_.get())) return;
  if (g_shared) {
    ui::Guarded("TDynamicComplete.AppDeactivate", [&] { g_shared->Hide(); });
    g_shared->Clear();
  }
  g_popupShown = false;
  refreshArmed_ = false;
  if (!app::Terminated()) KeywordChange();
  refreshArmed_ = true;
  g_shared = nullptr;
  RemoveHook();
}

void TDynamicComplete::AppMessage(MSG& msg, bool& handled) {
  if (msg.message != WM_KEYDOWN || g_active != this || !Focused()) return;
  WORD key = static_cast<WORD>(msg.wParam);
  if (key == VK_RETURN && CompleteByEnter && list_ && list_->Visible()) {
    if (GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0) return;
    handled = true;
    ui::TShiftState shift = ui::KeyboardShiftState();
    WORD k = VK_RETURN;
    KeyDown(k, shift);
    char c = '\r';
    KeyPress(c);
    k = VK_RETURN;
    KeyUp(k, shift);
  } else if (key == VK_UP || key == VK_DOWN) {
    handled = true;
    ui::TShiftState shift = ui::KeyboardShiftState();
    WORD k = key;
    KeyDown(k, shift);
    k = key;
    KeyUp(k, shift);
  }
}

LRESULT TDynamicComplete::GetDlgCode(const MSG* msg, LRESULT code) {
  (void)msg;
  return code | DLGC_WANTARROWS;
}

void TDynamicComplete::MouseWheelDown() {
  if (list_ && list_->Visible()) {
    SendMessageA(list_->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    return;
  }
  WORD key = VK_DOWN;
  KeyDown(key, ui::KeyboardShiftState());
}

void TDynamicComplete::MouseWheelUp() {
  if (list_ && list_->Visible()) {
    SendMessageA(list_->Handle(), WM_VSCROLL, SB_LINEUP, 0);
    return;
  }
  WORD key = VK_UP;
  KeyDown(key, ui::KeyboardShiftState());
}

LRESULT TDynamicComplete::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSEWHEEL) {
    if (GET_WHEEL_DELTA_WPARAM(wParam) < 0) MouseWheelDown();
    else MouseWheelUp();
    return 0;
  }
  if (msg == WM_CHAR) {
    // A key press may switch the redraw off until its refresh, which the
    // control's handling of the character has run by now (or never will).
    LRESULT r = TEdit::WndProc(msg, wParam, lParam);
    SetRedraw(true);
    return r;
  }
  return TEdit::WndProc(msg, wParam, lParam);
}

void TDynamicComplete::ListClick() {
  if (!list_) return;
  int row = list_->ItemIndex();
  if (row >= 0) {
    std::string text = list_->Item(row);
    SkipRefresh();
    InsertCandidate(text);
    SetSelStart(SelEnd());
  }
  int wordStart = data_.WordStart;
  SetshowPopup(false);
  KeywordChange();
  if (data_.WordStart == wordStart) SetshowPopup(false);
}

void TDynamicComplete::ListMouseMove(ui::TShiftState, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(list_->Handle(), &p);
  if (p.x == lastMouse_.x && p.y == lastMouse_.y) return;
  lastMouse_ = p;
  list_->HideCursor(false);
  if (justTyped_) {
    justTyped_ = false;
    return;
  }
  LRESULT r = SendMessageA(list_->Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
  if (HIWORD(r) != 0) return;
  int row = LOWORD(r);
  if (row != list_->ItemIndex()) {
    SelectIndex(row);
    Invalidate();
  }
}

// ---- the refresh

// A descendant's refresh sees the refresh disarmed (no typing) and the base
// only re-arms it: the list stays as it is.
void TDynamicComplete::SkipRefresh() {
  refreshArmed_ = false;
  KeywordChange();
  refreshArmed_ = true;
}

void TDynamicComplete::Change() {
  if (!ParentVisible()) return;
  if (caretAtLastRefresh_ == -1) caretAtLastRefresh_ = TextLength();
  if (refreshSuppressed_ || GetKeyState(VK_BACK) < 0 || GetKeyState(VK_DELETE) < 0) {
    TEdit::Change();
    return;
  }
  KeywordChange();
  caretAtLastRefresh_ = -1;
  TEdit::Change();
  SetRedraw(true);
  if (!repaintNeeded_) Invalidate();
  repaintNeeded_ = true;
}

void TDynamicComplete::KeywordChange() {
  if (!Handle() || !list_ || !Focused()) return;
  if (!refreshArmed_) {
    refreshArmed_ = true;
    return;
  }
  rowCount_ = 0;
  if (data_.SourceKind == 5) {
    SetshowPopup(false);
    return;
  }
  if (!g_shared) DoEnter();
  // The folder source.
  switch (data_.SourceKind) {
    case 0:
    case 1:
      if (!SameText(data_.FolderNow, data_.FolderLast) || !g_popupShown) {
        data_.FolderLast = data_.FolderNow;
        folderSource_ = ListFolder(data_.FolderNow);
      }
      break;
    case 4:
      break;
    default:
      data_.FolderLast.assign(1, '"');
      folderSource_.Clear();
  }
  std::string text = Text();
  int caret = SelStart();
  if (data_.Word.empty() && data_.SourceKind != 3 && data_.SourceKind != 4 && caret != 0) {
    std::string before = complete::PosSub(text, data_.WordStart - 1, data_.WordStart);
    if (before.size() != 1 || std::string_view("\\/%! ").find(before[0]) == std::string_view::npos) {
      SetshowPopup(false);
      return;
    }
  }
  if (UseHistory) historySource_ = complete::HistorySource(*history_, complete::PosSub(text, 0, data_.WordStart), HistoryMax);
  RECT editRect = {};
  GetWindowRect(Handle(), &editRect);
  upward_ = complete::OpensUpward(GetSystemMetrics(SM_CYSCREEN), listHeightPx_, editRect.top);
  data_.Upward = upward_;
  data_.TrackCommonPrefix = AutoDecision;
  data_.ListOrder = ListOrder;
  data_.CheckedLists = CheckedLists;
  if (data_.Word.empty() || !g_popupShown) listForced_ = false;
  bool ownUseList = UseList;
  if (listForced_) UseList = true;
  // A refresh that ends with the list hidden and emptied whatever it holds
  // (the caret did not advance, no list wanted) builds no rows: it only needs
  // to know whether there would be any.
  if (caretAtLastRefresh_ >= caret && !UseList && ParentVisible() && g_active) {
    list_->SetRedraw(false);
    if (data_.HasCandidates()) SetSelLength(0);
    SetshowPopup(false);
    UseList = ownUseList;
    list_->SetRedraw(true);
    return;
  }
  data_.BuildList();
  TCandidateRows built = data_.TakeRows();
  list_->SetRedraw(false);
  rowCount_ = built.Count();
  int c = -1;
  if (!data_.Word.empty() && rowCount_ > 0)
    c = data_.SelectionIndex >= 0 ? data_.SelectionIndex : (upward_ ? rowCount_ - 1 : 0);

  if (rowCount_ == 0) {
    SetshowPopup(false);
  } else {
    list_->SetItems(std::move(built));
    const TCandidateRows& rows = list_->Rows();
    SetSelLength(0);
    if (caretAtLastRefresh_ >= caret) {
      // The caret did not advance: no inline completion.
      if (UseList) {
        if (upward_) list_->SetItemIndex(rowCount_ - 1);
        list_->SetItemIndex(InputFirstCandidate ? c : -1);
        SetshowPopup(true);
      } else {
        list_->SetItemIndex(InputFirstCandidate ? c : -1);
        SetshowPopup(false);
      }
    } else if (UseList || AutoComplete) {
      list_->SetItemIndex(c);
      if (!upward_) list_->SetTopIndex(c);
      else if (rowCount_ - c - listSize_ >= 0) list_->SetTopIndex(rowCount_ - c - listSize_);
      bool stop = false;
      // The inline completion below shows the list again where the completed
      // word puts it: showing it before as well would only place it twice.
      const bool completesInline = c >= 0 && AutoComplete && data_.BestLevel > 1;
      if (AutoComplete && AutoDecision && c >= 0 && data_.CommonPrefixLength != 0) {
        if (data_.CompletionOffset + data_.CommonPrefixLength < complete::PosLength(rows[c])) {
          if (!completesInline) SetshowPopup(true);
        } else {
          if (rowCount_ == 1) {
            InsertCandidate(rows[c]);
            SetshowPopup(false);
          }
          if (SelLength() > 0) {
            SetSelStart(SelEnd());
            stop = true;
          }
        }
      } else if (!completesInline) {
        SetshowPopup(true);
      }
      if (!stop && completesInline) {
        InsertCandidate(rows[c]);
        if (AutoDecision && data_.CommonPrefixLength > 0) {
          int common = data_.WordStart + data_.CommonPrefixLength;
          int end = SelEnd();
          if (common > caret && common <= end) SetSel(common, end - common);
          std::string head = complete::PosSub(Text(), data_.WordStart, common);
          for (int i = 0; i < rowCount_; ++i) {
            if (SameText(rows[i], head) || SameText(rows[i], head + "\\") || SameText(rows[i], head + "/")) {
              list_->SetItemIndex(i);
              DeleteSelectionQuietly();
              break;
            }
          }
        }
        SetshowPopup(true);
      }
    } else {
      if (InputFirstCandidate) {
        if (c != list_->ItemIndex()) list_->Hide();
        if (upward_ && c < 0) list_->SetItemIndex(rowCount_ - 1);
      } else if (upward_) {
        list_->SetItemIndex(rowCount_ - 1);
      }
      list_->SetItemIndex(c);
      SetshowPopup(UseList);
    }
  }
  UseList = ownUseList;
  list_->SetRedraw(true);
}

void TDynamicComplete::HidePopup() {
  RemoveHook();
  if (list_ && list_->Visible()) {
    SetRedraw(true);
    list_->Hide();
    caretAtLastRefresh_ = SelStart();
  }
}

bool TDynamicComplete::GetshowPopup() {
  if (!g_shared) return false;
  bool visible = g_shared->Visible();
  if (visible && g_shared->Count() == 1 && Text() == CompletedText() && SelLength() == 0) return false;
  return visible;
}

void TDynamicComplete::SetshowPopup(bool show) {
  if (!Handle() || !ParentVisible() || !g_shared || !g_active || !list_) return;
  TPopupList& list = *list_;
  g_popupShown = show;
  int m = ListTextWidth("M");
  if (upward_ && list.ItemIndex() < 0) list.SetTopIndex(list.Count() - 2);
  if (!show) {
    list.Clear();
    RemoveHook();
    if (list.Visible()) {
      list.Hide();
      SkipRefresh();
    }
    SetRedraw(true);
    caretAtLastRefresh_ = SelStart();
    return;
  }
  InstallHook();
  complete::TPopupInput in;
  in.Rows = list.Count();
  in.ListSize = listSize_;
  in.FontHeight = FontHeight(list.ListFont());
  in.ListHeightPx = listHeightPx_;
  in.ScrollBar = listScroll_;
  in.Upward = upward_;
  in.MWidth = m;
  in.Longest = data_.Longest;
  in.ListWidth = ListWidth;
  complete::TPopupRect size = complete::PopupSize(in);
  // Rows fill the client area; the border comes on top.
  RECT wr = {}, cr = {};
  GetWindowRect(list.Handle(), &wr);
  GetClientRect(list.Handle(), &cr);
  size.Height += (wr.bottom - wr.top) - (cr.bottom - cr.top);
  std::string text = Text();
  POINT caret = CaretPos();
  POINT origin = ClientOrigin();
  complete::TPopupPlace at;
  at.CaretX = caret.x + origin.x;
  at.CaretY = caret.y + origin.y;
  at.ClientHeight = ClientHeight();
  at.EditHeight = Height();
  at.WordWidth = ListTextWidth(complete::PosSub(text, data_.WordStart, SelEnd()));
  at.ExtendWindow = ExtendWindow;
  at.ClientOriginX = origin.x;
  at.BeforeWidth = ListTextWidth(complete::PosSub(text, 0, data_.WordStart));
  RECT desktop = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
  at.ScreenRight = desktop.right > 0 ? desktop.right : GetSystemMetrics(SM_CXSCREEN);
  complete::TPopupRect place = complete::PlacePopup(size, upward_, at);
  if (listRedraw_) list.SetRedraw(false);
  const bool moved = wr.left != place.X || wr.top != place.Y || wr.right - wr.left != size.Width ||
                     wr.bottom - wr.top != size.Height;
  if (!Focused()) Focus();
  UINT flags = SWP_NOACTIVATE | (moved ? 0 : SWP_NOMOVE | SWP_NOSIZE);
  if (AutoComplete && !UseList && list.ItemIndex() >= 0 && SelStart() > caretAtLastRefresh_) {
    if (moved) SetWindowPos(list.Handle(), HWND_TOPMOST, place.X, place.Y, size.Width, size.Height, flags);
    list.Hide();
  } else if (UseList || listForced_) {
    // One call moves, sizes, raises and shows the list; a list that stays
    // where it is, on top and shown, is only drawn again (its rows changed):
    // hiding it and showing it again would draw the windows under it too.
    const bool onTop = list.Visible() && GetTopWindow(nullptr) == list.Handle();
    if (onTop) flags |= SWP_NOZORDER;
    else flags |= SWP_SHOWWINDOW;
    if (!onTop || moved) SetWindowPos(list.Handle(), HWND_TOPMOST, place.X, place.Y, size.Width, size.Height, flags);
  } else {
    if (moved) SetWindowPos(list.Handle(), HWND_TOPMOST, place.X, place.Y, size.Width, size.Height, flags);
    list.Clear();
    list.Hide();
    g_popupShown = false;
  }
  // The list's redraw stays off until the refresh ends (KeywordChange turns it
  // on): each time it comes on, the list is drawn again.
}

// ---- published methods

void TDynamicComplete::Complete() { KeyRight(); }

int TDynamicComplete::getCompleteLevel() {
  if (limited_) return -1;
  if (!g_shared) return 0;
  if (SameText(Text(), CompletedText()) && list_->ItemIndex() >= 0 && SelLength() == 0) return 0;
  return g_shared->Count();
}

bool TDynamicComplete::getCompleting() { return list_ && list_->ItemIndex() >= 0; }

// ---- insertion

int TDynamicComplete::InsertCandidate(const std::string& candidate) {
  refreshSuppressed_ = true;
  SetRedraw(false);
  complete::TEditState st = State();
  int result = complete::InsertCandidate(st, data_.WordStart, data_.Word.empty(), candidate);
  Apply(st);
  SetRedraw(true);
  Invalidate();
  refreshSuppressed_ = false;
  repaintNeeded_ = false;
  return result;
}

void TDynamicComplete::InsertSelected() {
  if (AutoComplete && list_ && list_->Count() > 0 && list_->ItemIndex() >= 0) InsertCandidate(list_->Item(list_->ItemIndex()));
}

void TDynamicComplete::SelectIndex(int row) {
  if (!list_ || list_->Count() == 0) return;
  int target = complete::SelectTarget(row, list_->ItemIndex(), list_->Count());
  list_->SetItemIndex(target);
  std::string s = list_->Item(target);
  if (sjis::StartsWithIgnoreCase(s, data_.Word)) InsertCandidate(s);
  else DeleteSelectionQuietly();
  SkipRefresh();
}

void TDynamicComplete::MoveSelection(int delta) {
  if (list_) SelectIndex(list_->ItemIndex() + delta);
}

bool TDynamicComplete::ForceComplete() {
  int caret = SelStart();
  int row = list_ && list_->ItemIndex() >= 0 ? list_->ItemIndex() : 0;
  bool ac = AutoComplete, ad = AutoDecision, ul = UseList;
  AutoDecision = AutoComplete = UseList = true;
  caretAtLastRefresh_ = 0;
  DeleteSelectionQuietly();
  KeywordChange();
  AutoComplete = ac;
  AutoDecision = ad;
  UseList = ul;
  listForced_ = true;
  Invalidate();
  if (SelStart() != caret) return true;
  if (list_ && row < list_->Count()) list_->SetItemIndex(row);
  return false;
}

bool TDynamicComplete::CompleteToChar(char c) {
  c = LowerChar(c);
  if (!list_ || !((list_->Count() > 0 && list_->Visible()) || SelLength() > 0)) return false;
  std::string typed = complete::PosSub(Text(), data_.WordStart, SelStart());
  bool consumed = false;
  int row = list_->ItemIndex();
  if (row >= 0) {
    complete::TCut cut = complete::CutAtChar(list_->Item(row), typed, c);
    if (cut.Commit) {
      DeleteSelectionQuietly();
      int pos = InsertCandidate(cut.Row);
      if (OnComplete) OnComplete(*this, pos, cut.Row);
      SetSelStart(SelEnd());
      int caret = SelStart();
      std::string next = complete::PosSub(Text(), caret, caret + 1);
      if (next.size() == 1 && LowerChar(next[0]) == c) {
        SetSel(caret, 1);
        DeleteSelectionQuietly();
        SetSelStart(caret);
      }
      if (!cut.Row.empty() && sjis::CharLen(cut.Row, cut.Row.size() - 1) == 1 &&
          !sjis::IsTrailByteAt(cut.Row, cut.Row.size() - 1) && LowerChar(cut.Row.back()) == c) {
        SetSelStart(caret + 1);
        consumed = true;
        KeywordChange();
      }
    }
  }
  row = list_->ItemIndex();
  if (row >= 0 && SameText(list_->Item(row), typed)) SetshowPopup(false);
  return consumed;
}

void TDynamicComplete::DeleteWordRight() {
  complete::TEditState st = State();
  complete::DeleteWordRight(st, DeliminateChars);
  WithFlag(refreshSuppressed_, true, [&] { Apply(st); });
  Change();
}

void TDynamicComplete::DeleteWordLeft() {
  complete::TEditState st = State();
  complete::DeleteWordLeft(st, DeliminateChars);
  WithFlag(refreshSuppressed_, true, [&] { Apply(st); });
  refreshArmed_ = true;
  bool ac = AutoComplete, ul = UseList;
  AutoComplete = false;
  if (SelStart() == 0) UseList = false;
  KeywordChange();
  AutoComplete = ac;
  UseList = ul;
}

// ---- keys

void TDynamicComplete::KeyDown(WORD& key, ui::TShiftState shift) {
  TEdit::KeyDown(key, shift);
  caretAtLastRefresh_ = SelStart();
  if (Focused() && !g_shared) DoEnter();
  switch (key) {
    case VK_BACK:
      if (SelStart() == 0) {
        SetshowPopup(false);
        list_->Clear();
      }
      break;
    case VK_RETURN:
      KeyEnter();
      break;
    case VK_PRIOR:
    case VK_NEXT:
      if (list_->Visible()) {
        SelectIndex(list_->ItemIndex() + (key == VK_PRIOR ? -(listSize_ / 2) : listSize_ / 2));
        key = 0;
      }
      break;
    case VK_HOME:
      SetshowPopup(false);
      break;
    case VK_LEFT:
      SetshowPopup(false);
      limited_ = true;
      list_->Clear();
      break;
    case VK_UP:
    case VK_DOWN:
      if (list_->Visible()) {
        SelectIndex(list_->ItemIndex() + (key == VK_UP ? -1 : 1));
        key = 0;
      } else if (UseHistory && !GetshowPopup()) {
        HistoryKey(key == VK_UP);
        key = 0;
      }
      break;
    case VK_RIGHT:
      KeyRight();
      break;
  }
  // The caret is already one past the accepted row.
  if (key == VK_RIGHT && acceptedByRight_) key = 0;
  acceptedByRight_ = false;
  SetRedraw(true);
  Invalidate();
}

void TDynamicComplete::KeyEnter() {
  if (!GetshowPopup()) return;
  int row = list_->ItemIndex();
  if (row >= 0) {
    std::string text = list_->Item(row);
    DeleteSelectionQuietly();
    InsertCandidate(text);
    SetSelStart(SelEnd());
    SkipRefresh();
  }
  SetshowPopup(false);
}

void TDynamicComplete::HistoryKey(bool up) {
  int at = complete::HistoryStep(*history_, Text(), up);
  if (at < 0) return;
  historyWalk_ = at;
  refreshArmed_ = false;  // the refresh of this change is skipped
  std::string line = (*history_)[at];
  SetText(line);
  refreshArmed_ = true;
  SetSel(0, complete::PosLength(line));
}

void TDynamicComplete::KeyRight() {
  int row = list_->ItemIndex();
  if (list_->Visible() && row >= 0 && SelStart() > data_.WordStart + complete::PosLength(list_->Item(row)))
    SetshowPopup(false);
  int length = TextLength();
  if (SelStart() < length && SelEnd() < length) return;
  SetSelStart(length);
  row = list_->ItemIndex();
  if (row < 0) {
    KeywordChange();
    return;
  }
  std::string text = list_->Item(row);
  int wordStart = data_.WordStart;
  int pos = InsertCandidate(text);
  if (OnComplete) OnComplete(*this, SelStart(), text);
  SetSelStart(std::min(pos + 1, TextLength()));
  acceptedByRight_ = true;
  refreshArmed_ = true;
  KeywordChange();
  Change();
  if (data_.WordStart == wordStart) SetshowPopup(false);
}

void TDynamicComplete::KeyPress(char& key) {
  justTyped_ = true;
  repaintNeeded_ = true;
  unsigned char b = static_cast<unsigned char>(key);
  bool trail = bytes_.Feed(b);
  if (b == 127 || b == '\t') {
    key = 0;
    return;
  }
  if (b == VK_BACK) {
    caretAtLastRefresh_ = TextLength();
    limited_ = true;
  }
  if (list_) list_->HideCursor(true);
  // A trail byte is never a special character, whatever its value.
  if (!trail && complete::IsSpecialChar(key, SpecialChars)) {
    if (!g_shared || (list_->Count() == 0 && AutoComplete && SelLength() > 0)) {
      bool ac = AutoComplete, ul = UseList, ifc = InputFirstCandidate;
      AutoComplete = UseList = InputFirstCandidate = true;
      caretAtLastRefresh_ = 0;
      refreshArmed_ = true;
      KeywordChange();
      AutoComplete = ac;
      UseList = ul;
      InputFirstCandidate = ifc;
    }
    if (CompleteToChar(key)) key = 0;
  }
  TEdit::KeyPress(key);
  lastChar_ = static_cast<unsigned char>(key);
  if (lastChar_ > 27 && lastChar_ != ' ' && SelLength() > 0 && GetshowPopup() && AutoComplete) {
    repaintNeeded_ = false;
    SetRedraw(false);
  }
}

void TDynamicComplete::KeyUp(WORD& key, ui::TShiftState shift) {
  if (key == VK_BACK) {
    caretAtLastRefresh_ = INT_MAX;
    bool ul = UseList;
    if (SelStart() == 0 || TextLength() == 0) UseList = false;
    KeywordChange();
    UseList = ul;
  } else if (key == VK_DELETE) {
    KeywordChange();
  }
  TEdit::KeyUp(key, shift);
}

void TDynamicComplete::Click() {
  TEdit::Click();
  SkipRefresh();
  SetshowPopup(false);
  if (list_) list_->Clear();
}

void TDynamicComplete::SetColors(COLORREF text, COLORREF back) {
  textColor_ = text;
  if (!backBrush_ || back != backColor_) backBrush_.reset(CreateSolidBrush(back));
  backColor_ = back;
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

HBRUSH TDynamicComplete::CtlColor(HDC dc) const {
  if (!backBrush_) return nullptr;
  SetTextColor(dc, textColor_);
  SetBkColor(dc, backColor_);
  return backBrush_.get();
}
