#include "ui/SpinEdit.h"

#include <algorithm>
#include <string>

#include "core/StringUtils.h"

namespace ui {

int SpinValueOf(std::string_view text, int min, int max) { return WholeNumberInRange(text, min, max); }

bool TSpinEdit::Create(const TSpinEditParams& p) {
  min_ = std::min(p.Min, p.Max);
  max_ = std::max(p.Min, p.Max);
  TCreateParams c = p;
  c.ClassName = "EDIT";
  c.Style = p.Style | WS_CHILD | ES_AUTOHSCROLL;
  c.ExStyle |= WS_EX_CLIENTEDGE;
  if (!c.Parent || !TWindow::Create(c)) return false;
  TUpDownParams u;
  u.Parent = p.Parent;
  u.Style = p.Style & (WS_VISIBLE | WS_DISABLED);
  u.Min = min_;
  u.Max = max_;
  u.Increment = p.Increment;
  u.Associate = Handle();
  aligning_ = true;
  bool made = upDown_.Create(u);
  aligning_ = false;
  if (!made) return false;
  RECT box = Bounds(), arrows = upDown_.Bounds();
  arrowsDx_ = arrows.left - box.right;
  arrowsDy_ = arrows.top - box.top;
  arrowsDh_ = (arrows.bottom - arrows.top) - (box.bottom - box.top);
  SetValue(p.Value);
  return true;
}

int TSpinEdit::Value() const { return SpinValueOf(Text(), min_, max_); }

void TSpinEdit::SetValue(int value) {
  std::string text = std::to_string(std::clamp(value, min_, max_));
  if (Text() != text) SetText(text);
}

void TSpinEdit::SetRange(int min, int max) {
  int v = Value();
  min_ = std::min(min, max);
  max_ = std::max(min, max);
  upDown_.SetRange(min_, max_);
  SetValue(v);
}

void TSpinEdit::KeyPress(char& key) {
  auto c = static_cast<unsigned char>(key);
  bool allowed = c < 0x20 || (c >= '0' && c <= '9') || (c == '-' && min_ < 0);
  if (!allowed) {
    key = 0;
    MessageBeep(MB_OK);
    return;
  }
  TEdit::KeyPress(key);
}

void TSpinEdit::DoExit() {
  SetValue(Value());
  TEdit::DoExit();
}

// At creation the up-down narrowed the box by its own width; after a move or
// resize of the box it stands beside it again as it stood then.
void TSpinEdit::Realign() {
  if (aligning_ || !upDown_.Handle()) return;
  aligning_ = true;
  RECT box = Bounds(), arrows = upDown_.Bounds();
  SetWindowPos(upDown_.Handle(), nullptr, box.right + arrowsDx_, box.top + arrowsDy_, arrows.right - arrows.left,
               box.bottom - box.top + arrowsDh_, SWP_NOZORDER | SWP_NOACTIVATE);
  aligning_ = false;
}

LRESULT TSpinEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (upDown_.Handle() && lParam == 0) ShowWindow(upDown_.Handle(), wParam ? SW_SHOWNA : SW_HIDE);
      break;
    case WM_ENABLE:
      if (upDown_.Handle()) EnableWindow(upDown_.Handle(), static_cast<BOOL>(wParam));
      break;
    case WM_WINDOWPOSCHANGED: {
      LRESULT r = TEdit::WndProc(msg, wParam, lParam);
      auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) Realign();
      return r;
    }
  }
  return TEdit::WndProc(msg, wParam, lParam);
}

}  // namespace ui
