#include "ui/TrackBar.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

bool TTrackBar::Create(const TTrackBarParams& p) {
  DWORD kind = (p.Vertical ? TBS_VERT : TBS_HORZ) | (p.Frequency > 0 ? TBS_AUTOTICKS : TBS_NOTICKS);
  if (!CreateControl(p, TRACKBAR_CLASSA, kind)) return false;
  SetRange(p.Min, p.Max);
  SetFrequency(p.Frequency);
  SetLineSize(p.LineSize);
  SetPageSize(p.PageSize);
  SetPosition(p.Position);
  return true;
}

int TTrackBar::Min() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), TBM_GETRANGEMIN, 0, 0)) : 0; }
int TTrackBar::Max() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), TBM_GETRANGEMAX, 0, 0)) : 0; }

void TTrackBar::SetRange(int min, int max) {
  if (!Handle()) return;
  SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, std::min(min, max));
  SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, std::max(min, max));
  last_ = Position();
}

int TTrackBar::Position() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0)) : 0; }

void TTrackBar::SetPosition(int position) {
  if (!Handle()) return;
  SendMessageA(Handle(), TBM_SETPOS, TRUE, std::clamp(position, Min(), Max()));
  last_ = Position();
}

void TTrackBar::SetFrequency(int frequency) {
  if (Handle() && frequency > 0) SendMessageA(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
}

void TTrackBar::SetLineSize(int size) { if (Handle()) SendMessageA(Handle(), TBM_SETLINESIZE, 0, size); }
void TTrackBar::SetPageSize(int size) { if (Handle()) SendMessageA(Handle(), TBM_SETPAGESIZE, 0, size); }

RECT TTrackBar::ThumbRect() const {
  RECT r = {};
  if (Handle()) SendMessageA(Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TTrackBar::Change() { if (OnChange) OnChange(); }

// The control tells its parent of a move by WM_HSCROLL or WM_VSCROLL; the
// position is compared here instead, after each message by which the user can
// move the thumb, so that the bar needs nothing from its parent.
LRESULT TTrackBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL: case WM_TIMER: case WM_CAPTURECHANGED: {
      LRESULT r = TControl::WndProc(msg, wParam, lParam);
      if (Handle() && Position() != last_) {
        last_ = Position();
        Change();
      }
      return r;
    }
  }
  return TControl::WndProc(msg, wParam, lParam);
}

}  // namespace ui
