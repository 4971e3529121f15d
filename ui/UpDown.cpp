#include "ui/UpDown.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

bool TUpDown::Create(const TUpDownParams& p) {
  min_ = std::min(p.Min, p.Max);
  max_ = std::max(p.Min, p.Max);
  increment_ = p.Increment > 0 ? p.Increment : 1;
  wrap_ = p.Wrap;
  DWORD kind = UDS_NOTHOUSANDS;
  if (p.Associate) kind |= UDS_SETBUDDYINT | UDS_ALIGNRIGHT;
  if (p.ArrowKeys) kind |= UDS_ARROWKEYS;
  if (p.Horizontal) kind |= UDS_HORZ;
  if (p.Wrap) kind |= UDS_WRAP;
  TControlParams c = p;
  c.Style &= ~WS_TABSTOP;
  if (!CreateControl(c, UPDOWN_CLASSA, kind)) return false;
  SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  if (p.Associate) SetAssociate(p.Associate);
  SetIncrement(increment_);
  SetPosition(p.Position);
  return true;
}

void TUpDown::SetRange(int min, int max) {
  min_ = std::min(min, max);
  max_ = std::max(min, max);
  if (!Handle()) return;
  int pos = Position();
  SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  SetPosition(pos);
}

int TUpDown::Position() const {
  if (!Handle()) return min_;
  BOOL failed = FALSE;
  int pos = static_cast<int>(SendMessageA(Handle(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
  return std::clamp(pos, min_, max_);
}

void TUpDown::SetPosition(int position) {
  if (Handle()) SendMessageA(Handle(), UDM_SETPOS32, 0, static_cast<LPARAM>(std::clamp(position, min_, max_)));
}

void TUpDown::SetIncrement(int increment) {
  increment_ = increment > 0 ? increment : 1;
  if (!Handle()) return;
  UDACCEL accel = {0, static_cast<UINT>(increment_)};
  SendMessageA(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

HWND TUpDown::Associate() const {
  return Handle() ? reinterpret_cast<HWND>(SendMessageA(Handle(), UDM_GETBUDDY, 0, 0)) : nullptr;
}

void TUpDown::SetAssociate(HWND edit) {
  if (Handle()) SendMessageA(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
}

int TUpDown::StepFrom(int position, int delta) const {
  long long next = static_cast<long long>(std::clamp(position, min_, max_)) + delta;
  if (wrap_) {
    if (next > max_) return min_;
    if (next < min_) return max_;
  }
  return static_cast<int>(std::clamp<long long>(next, min_, max_));
}

// The step is made here rather than by the control, so that it is held to the
// range whatever the text box held, and OnClick reads the new position.
bool TUpDown::Notify(NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS) return false;
  auto& nm = reinterpret_cast<NMUPDOWN&>(header);
  result = 1;  // the control does not step by itself
  int before = std::clamp(nm.iPos, min_, max_);
  // One step is always the increment: the control's own first step of a
  // click may be 1 (Wine's is, when the press comes before its timer).
  const int delta = nm.iDelta > 0 ? increment_ : nm.iDelta < 0 ? -increment_ : 0;
  int next = StepFrom(nm.iPos, delta);
  bool allow = true;
  if (OnChanging) OnChanging(next, allow);
  if (!allow) return true;
  SetPosition(next);
  if (next != before && OnClick) OnClick(nm.iDelta > 0);
  return true;
}

}  // namespace ui
