#include "ui/ProgressBar.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

bool TProgressBar::Create(const TProgressBarParams& p) {
  step_ = p.Step;
  DWORD kind = (p.Smooth ? PBS_SMOOTH : 0) | (p.Vertical ? PBS_VERTICAL : 0);
  TControlParams c = p;
  c.Style &= ~WS_TABSTOP;
  if (!CreateControl(c, PROGRESS_CLASSA, kind)) return false;
  SetRange(p.Min, p.Max);
  SetPosition(p.Position);
  return true;
}

void TProgressBar::SetRange(int min, int max) {
  min_ = std::min(min, max);
  max_ = std::max(min, max);
  if (!Handle()) return;
  int pos = Position();
  SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  SetPosition(pos);
}

int TProgressBar::Position() const {
  return Handle() ? static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0)) : min_;
}

void TProgressBar::SetPosition(int position) {
  if (Handle()) SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(std::clamp(position, min_, max_)), 0);
}

}  // namespace ui
