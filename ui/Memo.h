// A multi-line edit (the system class "EDIT" with ES_MULTILINE): the text box
// with its events (ui/Edit.h) and its text as lines. In a form with dialog
// navigation, Enter starts a new line only with WantReturns (else it presses
// the default button) and Tab is typed only with WantTabs (else it moves on);
// Esc always reaches the form. Without a form's navigation the keys that the
// memo does not want are not typed either.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"
#include "ui/Edit.h"

namespace ui {

enum class TScrollBars { None, Horizontal, Vertical, Both };

struct TMemoParams : TControlParams {
  using TControlParams::TControlParams;
  bool ReadOnly = false;
  bool WantReturns = true;
  bool WantTabs = false;
  bool WordWrap = true;
  TScrollBars ScrollBars = TScrollBars::Vertical;
  bool Border = true;
};

class TMemo : public TEdit {
 public:
  using TParams = TMemoParams;
  bool Create(const TMemoParams& p);

  // The lines of the text (line breaks CR LF, a lone CR or LF).
  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  // Appends a line at the end, as typing it would.
  void AddLine(std::string_view line);
  int LineCount() const;

  bool ReadOnly() const;
  void SetReadOnly(bool on);
  bool WantReturns = true;
  bool WantTabs = false;

 protected:
  LRESULT GetDlgCode(const MSG* msg, LRESULT code) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
};

}  // namespace ui
