// The window picker: a 32 x 32 picture from which the user drags the pointer
// across the desktop onto a window of another program. While the button is
// held it reports the top-level window under the pointer, with its caption and
// program file; on release it reports the last one. Both programs use it: the
// editor as it is, the launcher's icon picture by deriving from it and
// answering CancelTargetDrag (it drags its own contents out instead).
//
// It lives in the GUI layer, not in core: it is a window of the layer, and
// core stays free of the layer (the layer builds on core).
//
// "Top-level" means the root of the parent chain (GetAncestor GA_ROOT): a child
// control reports the window it sits in, while an owned window (a dialog, a
// tool window) is reported as itself, not as its owner, which is often a
// hidden window the user never pointed at.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "core/Window_CTRL.h"
#include "ui/Window.h"

namespace ui {

class TGetTargetExeFile : public TWindow {
 public:
  using TTargetMoveEvent =
      std::function<void(int x, int y, HWND handle, const std::string& title, const std::string& filePath)>;

  TGetTargetExeFile() = default;
  ~TGetTargetExeFile() override;

  // Makes the picture as a child of parent, 32 x 32 at (x, y).
  bool CreatePicture(HWND parent, int x, int y, DWORD style = WS_CHILD | WS_VISIBLE);

  void SetTarget(std::unique_ptr<TWindowCTRL> target);
  TWindowCTRL* Target() const { return target_.get(); }
  // The top-level window under a point of the picture's client area, made the
  // target; none when there is no window there.
  TWindowCTRL* PickWindowAt(int x, int y);

  bool Picking() const { return picking_; }
  bool DragStarted() const { return dragStarted_; }
  // The drag cursor is up (the pick has left its starting point).
  bool TargetCursorShown() const { return cursorShown_; }

  TTargetMoveEvent OnTargetMove;
  TTargetMoveEvent OnTargetDrop;

  // The mouse handling, as the window's button and move messages run it
  // (client coordinates).
  void MouseDownAt(int x, int y);
  void MouseMoveAt(int x, int y);
  // True when the release reported a drop; otherwise the layer's OnMouseUp runs.
  bool MouseUpAt(int x, int y);

 protected:
  // Asked once per pick, on the first move away from the press: true abandons
  // the pick until the next press.
  virtual bool CancelTargetDrag() { return false; }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ShowTargetCursor();
  void EndPick();

  bool picking_ = false;
  bool dragStarted_ = false;
  bool cursorShown_ = false;
  POINT downPoint_ = {0, 0};
  HCURSOR previousCursor_ = nullptr;
  std::unique_ptr<TWindowCTRL> target_;
};

}  // namespace ui
