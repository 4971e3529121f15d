// The dialog that asks for one whole number (0 to 10000), and the three ways
// it places a window: over the window of its owner, over another window, and
// in the middle of the work area. The placing routines move a window without
// resizing, reordering or activating it, and do not wait for its thread.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "editor/DropTargetFormLite.h"

namespace ui {
class TSpinEdit;
}

class TIntInput : public TDropFormLite {
 public:
  // The owner is any window of the program (a form or a control in one): the
  // dialog belongs to its form and is centred over it.
  explicit TIntInput(ui::TWindow* owner);

  // Shows the dialog modally: the number when it ended with OK, else -1.
  int Execute();
  ui::TSpinEdit& Field() const;

 private:
  ui::TWindow* centreOwner_;
};

// Asks with the caption given; -1 when the user did not answer with OK.
int InputInteger(ui::TWindow* owner, std::string_view caption);

// The form a window of the program stands in (itself for a form), or none.
ui::TForm* FormOfOwner(const ui::TWindow* owner);
// The window of the first windowed object up an owner chain: a control or a
// form with a window, else that form's owner; null when there is none.
HWND WindowedOwner(const ui::TWindow* component);

void CenterOverOwner(HWND window, const ui::TWindow* component);
void CenterOverWindow(HWND window, HWND other);
void CenterOnWorkArea(HWND window);
