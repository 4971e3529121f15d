// The dialog of a group keyword: how running the group runs its members,
// whether its icon follows its first member, parameter passing, repetition,
// the question before running and the priority of its members. Everything
// else is the base dialog's.
#pragma once

#include "editor/UEditCommand.h"

class TEditGroupCommand : public TEditCommand {
 public:
  explicit TEditGroupCommand(ui::TForm* owner);
  ~TEditGroupCommand() override;

  void ReadItem(TKeyWordX& item) override;

  static constexpr char kCaption[] = "グループ編集 ";

 private:
  void BuildGroup();
  // The controls write only while the dialog is up: filling them writes nothing.
  TStringIni* Writable() const;
  void RunModeClick();
  void OptionClick(const char* key, const char* box);
  void CountChange();
  // The count follows the repeat box; without repetition one run is stored.
  void FollowRepeat();
};
