// The dialog of a system-command keyword: which of the launcher's own actions
// it runs (the table of UEditSysCommand2_Table.h), that action's description
// and the parameters handed to it. Everything else is the base dialog's.
#pragma once

#include "editor/UEditCommand.h"
#include "editor/UEditSysCommand2_Table.h"

class TEditSysCommand : public TEditCommand {
 public:
  explicit TEditSysCommand(ui::TForm* owner);
  ~TEditSysCommand() override;

  void ReadItem(TKeyWordX& item) override;

  static constexpr char kCaption[] = "システムコマンド編集";

 private:
  void FormCreate();
  void ComboBox1Change();
  void Edit3Change();
  // Kept from the older dialog, where a box of its own was wired to it; no
  // box is now, so the base's use-keyword boxes work as in every dialog.
  void CheckBox1Click() {}

  bool filling_ = false;
};
