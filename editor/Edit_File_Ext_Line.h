// The dialog that asks for one file extension, new or changed, checked
// against the extensions already listed.
#pragma once

#include <string>
#include <vector>

#include "ui/ActionList.h"
#include "editor/DropTargetFormLite.h"

namespace ui {
class TEdit;
}

class TEditFileExtLine : public TDropFormLite {
 public:
  explicit TEditFileExtLine(ui::TWindow* owner);

  // Starts with the entry at index of listed (empty for -1); the answer on
  // OK, with "." put in front when missing, else empty.
  std::string Execute(const std::vector<std::string>& listed, int index);
  ui::TEdit& Field() const;
  ui::TAction& OKAction() { return ok_; }

 private:
  ui::TActionList actions_;
  ui::TAction ok_{"&OK", VK_RETURN};
  ui::TAction cancel_{"キャンセル(&C)", VK_ESCAPE};
  std::vector<std::string> listed_;
  std::string start_;
};

std::string ShowEditFileExtLine(ui::TWindow* owner, const std::vector<std::string>& listed, int index);
