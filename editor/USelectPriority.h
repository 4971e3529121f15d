// Where a new keyword goes in its group: the dialog lists the group's other
// items in priority order and an end marker; the entry chosen is the one the
// keyword is put before (the marker: last). The caller moves the keyword
// there (TKeyWordX::SetIndex) or deletes it when the dialog was cancelled.
#pragma once

#include "ui/ActionList.h"
#include "ui/Form.h"

class TKeyWordManager;
class TKeyWordX;
class TStringIni;
namespace ui {
class TListBox;
}

inline constexpr char kLowestPriorityMarker[] = "    ------優先度最低-------";

class TSelectPriority : public ui::TForm {
 public:
  explicit TSelectPriority(ui::TForm* owner = nullptr);
  ~TSelectPriority() override;

  // The store DefaultPriority is read from (it preselects an entry); none:
  // the editor's Dialogs.ini store.
  const TStringIni* DialogOptions = nullptr;

  // Shows the group of keyword; a checked stay-on-top action is off while
  // the dialog is up. True when confirmed with OK.
  bool Execute(ui::TAction* stayOnTop, TKeyWordX& keyword, TKeyWordManager& store);
  // The list position chosen (-1: none), valid after a confirmed Execute.
  int ChosenIndex() const { return chosen_; }

  ui::TListBox& List() const;
  ui::TAction& OKAction() { return okAction_; }

 private:
  void FormCreate();
  void FillList(TKeyWordX& keyword, TKeyWordManager& store);

  ui::TActionList actions_{*this};
  ui::TAction okAction_{"OK"};
  ui::TAction cancelAction_{"キャンセル"};
  bool confirmed_ = false;
  int chosen_ = -1;
};
