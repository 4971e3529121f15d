#include "ui/GetTargetExeFile.h"

#include <windowsx.h>

#include "ui/ErrorHandler.h"

namespace ui {

namespace {
constexpr const char* kPictureClass = "TGetTargetExeFile";
constexpr const char* kCursorResource = "TARGETICON";
}  // namespace

TGetTargetExeFile::~TGetTargetExeFile() {
  if (cursorShown_) SetCursor(previousCursor_ ? previousCursor_ : LoadCursorA(nullptr, IDC_ARROW));
}

bool TGetTargetExeFile::CreatePicture(HWND parent, int x, int y, DWORD style) {
  TCreateParams p;
  p.ClassName = kPictureClass;
  p.Style = style;
  p.X = x;
  p.Y = y;
  p.Width = 32;
  p.Height = 32;
  p.Parent = parent;
  p.Background = nullptr;
  return Create(p);
}

void TGetTargetExeFile::SetTarget(std::unique_ptr<TWindowCTRL> target) {
  if (target.get() != target_.get()) target_ = std::move(target);
}

TWindowCTRL* TGetTargetExeFile::PickWindowAt(int x, int y) {
  POINT pt = {x, y};
  if (Handle()) ClientToScreen(Handle(), &pt);
  HWND window = WindowFromPoint(pt);
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  if (!root) root = window;
  SetTarget(root ? std::make_unique<TWindowCTRL>(root) : nullptr);
  return target_.get();
}

void TGetTargetExeFile::MouseDownAt(int x, int y) {
  downPoint_ = {x, y};
  SetTarget(nullptr);
  picking_ = true;
}

void TGetTargetExeFile::ShowTargetCursor() {
  // A missing resource leaves whatever cursor is up; the pick goes on.
  HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), kCursorResource);
  if (!cursor) cursor = reinterpret_cast<HCURSOR>(LoadIconA(GetModuleHandleA(nullptr), kCursorResource));
  HCURSOR old = cursor ? SetCursor(cursor) : GetCursor();
  if (!cursorShown_) previousCursor_ = old;
  cursorShown_ = true;
}

void TGetTargetExeFile::MouseMoveAt(int x, int y) {
  if (!picking_ || (x == downPoint_.x && y == downPoint_.y)) return;
  if (!dragStarted_) {
    dragStarted_ = true;
    if (CancelTargetDrag()) {
      dragStarted_ = false;
      picking_ = false;
      return;
    }
    // Picking may have ended inside CancelTargetDrag (the capture was taken).
    if (!picking_) return;
    ShowTargetCursor();
  }
  // The window is picked whether or not anyone follows the moves: the drop
  // reports the last one picked.
  if (!cursorShown_) return;
  TWindowCTRL* t = PickWindowAt(x, y);
  if (t && OnTargetMove) OnTargetMove(x, y, t->Handle, t->GetTitle(), t->GetExeName());
}

bool TGetTargetExeFile::MouseUpAt(int x, int y) {
  bool dropped = false;
  if (cursorShown_ && OnTargetDrop && picking_) {
    if (TWindowCTRL* t = target_.get()) OnTargetDrop(x, y, t->Handle, t->GetTitle(), t->GetExeName());
    dropped = true;
  }
  EndPick();
  return dropped;
}

void TGetTargetExeFile::EndPick() {
  // The cursor goes back whether or not anyone listened for the drop, so that
  // the drag cursor never outlives the pick.
  if (cursorShown_) {
    cursorShown_ = false;
    SetCursor(previousCursor_ ? previousCursor_ : LoadCursorA(nullptr, IDC_ARROW));
    previousCursor_ = nullptr;
  }
  picking_ = false;
  dragStarted_ = false;
}

LRESULT TGetTargetExeFile::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // The layer's own press handling is not run: a press starts a pick.
      SetCapture(Handle());
      MouseDownAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE: {
      LRESULT r = TWindow::WndProc(msg, wParam, lParam);
      MouseMoveAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return r;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      bool dropped = MouseUpAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      // Also after a pick that was abandoned: the press took the mouse.
      if (GetCapture() == Handle()) ReleaseCapture();
      if (dropped) return 0;
      return TWindow::WndProc(msg, wParam, lParam);
    }
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a drag loop, a menu): the pick is over.
      if (picking_ && reinterpret_cast<HWND>(lParam) != Handle()) EndPick();
      break;
    case WM_SETCURSOR:
      if (cursorShown_) return TRUE;
      break;
  }
  return TWindow::WndProc(msg, wParam, lParam);
}

}  // namespace ui
