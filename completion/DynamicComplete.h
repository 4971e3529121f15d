// The completing edit: a single-line edit that completes what the user types.
// On every change it refreshes (KeywordChange): it gathers candidates from a
// folder listing, its history and the extra sources of a descendant, ranks them
// (Complete_Data.h) and shows them in its popup list (Popup_List.h) under or
// above the word, completing inline (the added part selected) and committing
// the prefix common to all candidates when asked to.
//
// A descendant sets, before calling the inherited refresh, the word at the
// caret, its start (in positions, as the edit counts them), the folder to list
// and the source kind in Data(); it owns the extra sources it puts there.
// Source kinds: 0 files and folders of FolderNow, 1 folders only, 2 no folder
// listing, 3 no folder listing and no history, 4 the folder source as it is,
// 5 no completion.
//
// Process-wide: the active completer (the focused one) and the shared popup
// list (its list while it has the focus). Enter, Up and Down reach the focused
// completer first, through the application's message filter, while it has the
// focus; losing the application's activation hides the popup.
#pragma once

#include <windows.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>

#include "completion/Complete_Data.h"
#include "completion/DynamicComplete_Text.h"
#include "completion/Popup_List.h"
#include "core/Handles.h"
#include "core/StringList.h"
#include "ui/Edit.h"
#include "ui/Event.h"

class TDynamicComplete : public ui::TEdit {
 public:
  TDynamicComplete();
  ~TDynamicComplete() override;

  // Makes the edit (class "EDIT" unless given) and its hidden popup list, and
  // joins the application's message filter and deactivation event: make the
  // application object first.
  bool Create(ui::TCreateParams params);

  static TDynamicComplete* ActiveCompleter();
  static TPopupList* SharedList();

  // Properties.
  bool CompleteByEnter = true;
  int ListSize() const { return listSize_; }
  void SetListSize(int rows);
  bool ListScroll() const { return listScroll_; }
  void SetListScroll(bool on);
  int ListWidth = 0;
  bool InputFirstCandidate = false;
  bool AutoDecision = false;
  int HistoryMax = 30;
  bool ExtendWindow = false;
  std::string ListOrder = "01";
  std::string CheckedLists = "11";
  TStringList& History() { return *history_; }
  // Only stores the list (the caller keeps it); resets the history walk.
  void SetHistory(TStringList* history);
  bool UseHistory = false;
  bool UseList = false;
  bool AutoComplete = false;
  bool Sort = false;
  std::string FileFilter;
  std::string SpecialChars;
  std::string DeliminateChars;
  std::string CharToComplete;           // stored only
  std::function<void()> OnSelectedList;  // stored only
  bool ListRedraw() const { return listRedraw_; }
  void SetListRedraw(bool on);
  int MatchLevel() const { return matchLevel_; }
  void SetMatchLevel(int level);
  // A row was accepted: the position after it and the text accepted.
  std::function<void(TDynamicComplete& sender, int position, const std::string& text)> OnComplete;
  bool GetshowPopup();
  void SetshowPopup(bool show);
  std::string CompletedText() { return GetCompletedText(); }
  // Width of "s" in the list font; -1 without a shared list.
  int TextWidth();
  using ui::TEdit::TextWidth;

  TCompleteData& Data() { return data_; }
  TPopupList& List() { return *list_; }
  bool Upward() const { return upward_; }
  int RowCount() const { return rowCount_; }

  virtual std::string GetCompletedText();
  virtual void AddHistory(std::string line);
  // The listing of a folder: subfolders with a trailing "\", then (source kind
  // 0) the files matching FileFilter ("*" when empty); sorted with Sort.
  TStringList ListFolder(const std::string& folder);
  // The refresh.
  virtual void KeywordChange();
  void HidePopup();
  int ListTextWidth(std::string_view text);
  void SetListFont(const std::string& name, int size);

  void Complete();
  int getCompleteLevel();
  bool getCompleting();
  void ActivateLimitComplete() { limited_ = false; }

  // Text and background colours; the parent answers WM_CTLCOLOREDIT for the
  // box with CtlColor. Without SetColors the system's colours stay.
  void SetColors(COLORREF text, COLORREF back);
  bool HasColors() const { return backBrush_.get() != nullptr; }
  COLORREF TextColor() const { return textColor_; }
  COLORREF BackColor() const { return backColor_; }
  // The brush for WM_CTLCOLOREDIT, with the colours set on dc; null without colours.
  HBRUSH CtlColor(HDC dc) const;

  // Keys and insertion.
  int InsertCandidate(const std::string& candidate);
  void InsertSelected();
  void SelectIndex(int row);
  void MoveSelection(int delta);
  bool ForceComplete();
  bool CompleteToChar(char c);
  void DeleteWordRight();
  void DeleteWordLeft();

  // Application events (connected by Create; they act for the active completer).
  void AppMessage(MSG& msg, bool& handled);
  void AppActivate();
  void AppDeactivate();
  void MouseWheelDown();
  void MouseWheelUp();
  void ListClick();
  void ListMouseMove(ui::TShiftState shift, int x, int y);

 protected:
  void KeyDown(WORD& key, ui::TShiftState shift) override;
  void KeyUp(WORD& key, ui::TShiftState shift) override;
  void KeyPress(char& key) override;
  void Click() override;
  void DoEnter() override;
  void DoExit() override;
  void Change() override;
  LRESULT GetDlgCode(const MSG* msg, LRESULT code) override;  // the arrow keys
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // The listing of a network name that is no existing folder.
  virtual TStringList ListNetwork(const std::string& folder);

  // The refresh's state, for descendants.
  int caretAtLastRefresh_ = 0;
  bool refreshArmed_ = true;
  bool refreshSuppressed_ = false;
  bool listForced_ = false;
  bool limited_ = false;

 private:
  void MakeList();
  void ApplyListHeight();
  bool ParentVisible() const;
  complete::TEditState State() const;
  void Apply(const complete::TEditState& st);
  void KeyRight();
  void KeyEnter();
  void HistoryKey(bool up);
  void InstallHook();
  void RemoveHook();
  void DeleteSelectionQuietly();
  void SkipRefresh();

  std::unique_ptr<TPopupList> list_;
  TCompleteData data_;
  TStringList ownHistory_;
  TStringList* history_ = &ownHistory_;
  TStringList folderSource_;
  TStringList historySource_;
  core::TUniqueFont font_;
  core::TUniqueBrush backBrush_;
  COLORREF textColor_ = 0, backColor_ = 0;
  POINT lastMouse_ = {INT_MIN, INT_MIN};
  bool justTyped_ = false;
  int historyWalk_ = -1;
  int listSize_ = 15;
  unsigned char lastChar_ = 0;
  int rowCount_ = 0;
  int listHeightPx_ = 0;
  bool repaintNeeded_ = false;
  bool listScroll_ = true;
  bool listRedraw_ = true;
  int matchLevel_ = 2;
  bool upward_ = false;
  bool acceptedByRight_ = false;
  complete::TByteTracker bytes_;
  ui::TConnection onMessage_, onDeactivate_;
};
