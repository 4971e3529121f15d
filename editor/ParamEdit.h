// The editor's completing edit for parameter lines (the parameter field of the
// command dialog, the keyword field of the hotkey dialog): for the token at the
// caret it offers the names of a keyword group, a folder's files, the drives,
// the current folder and the user's own entries (ParamEdit_Text.h reads the
// line). Sources, in the builder's numbering: 0 folder listing, 1 history,
// 2 keyword names, 3 current folder, 4 drives, 5 user list.
#pragma once

#include <functional>
#include <string>

#include "completion/DynamicComplete.h"
#include "core/KeyWordX.h"
#include "core/StringList.h"
#include "editor/ParamEdit_Text.h"

class TParamEdit : public TDynamicComplete {
 public:
  TParamEdit();
  ~TParamEdit() override;

  // The base's ListOrder and CheckedLists under the names the dialogs set.
  const std::string& CListOrder() const { return ListOrder; }
  void SetCListOrder(const std::string& order) { ListOrder = order; }
  const std::string& CCheckedList() const { return CheckedLists; }
  void SetCCheckedList(const std::string& checked) { CheckedLists = checked; }
  // Complete every token, not only the first.
  bool CompleteAfterSpace = true;
  // The name listing lists only keywords usable in a path.
  bool AddBackSlash = false;
  // Stored only.
  std::function<void()> OnChangeKeyword;

  // Attaches the store (not owned; null for none): hides the popup and
  // empties the keyword, folder, drive and user sources.
  void SetManager(TKeyWordManager* store);
  TKeyWordManager* Manager() const { return store_; }
  // One entry a line.
  void SetUserList(const std::string& text);
  // The path of the keyword being edited: never offered.
  void SetExcludedKeyword(const std::string& path) { excluded_ = path; }
  const std::string& ExcludedKeyword() const { return excluded_; }
  const std::string& ModeKey() const { return modeKey_; }

  void KeywordChange() override;

 protected:
  LRESULT GetDlgCode(const MSG* msg, LRESULT code) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  TStringList ListNetwork(const std::string& folder) override;

 private:
  void ApplySources(const TParamSources& s);

  TKeyWordManager* store_ = nullptr;
  std::string modeKey_ = kParamModeKeyInitial;
  std::string excluded_;
  TStringList userList_;
  TStringList keywordSource_, currentDir_, drives_, userSource_;
};
