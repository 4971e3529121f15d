#include "ui/ToolTip.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

namespace {
TTTOOLINFOA ToolInfo(HWND tip, HWND control) {
  TTTOOLINFOA ti = {};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = tip;  // the window asked for the text: the tooltip itself
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  ti.lpszText = LPSTR_TEXTCALLBACKA;
  return ti;
}
}  // namespace

bool TToolTip::Create(const TToolTipParams& p) {
  TCreateParams c;
  c.ClassName = TOOLTIPS_CLASSA;
  c.Style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;
  c.ExStyle = WS_EX_TOPMOST;
  c.X = c.Y = c.Width = c.Height = CW_USEDEFAULT;
  c.Parent = p.Owner;
  if (!TWindow::Create(c)) return false;
  SetMaxWidth(p.MaxWidth);
  SetDelays(p.InitialDelay, p.AutoPopDelay);
  return true;
}

TToolTip::TTool* TToolTip::Find(HWND control) {
  for (auto& t : tools_)
    if (t.control == control) return &t;
  return nullptr;
}

const TToolTip::TTool* TToolTip::Find(HWND control) const {
  for (const auto& t : tools_)
    if (t.control == control) return &t;
  return nullptr;
}

void TToolTip::Register(HWND control) {
  if (!Handle()) return;
  TTTOOLINFOA ti = ToolInfo(Handle(), control);
  SendMessageA(Handle(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void TToolTip::AddTool(HWND control, std::string text) {
  if (!control) return;
  if (TTool* t = Find(control)) {
    t->provider = nullptr;
    SetToolText(control, text);
    return;
  }
  tools_.push_back({control, std::move(text), nullptr, {}});
  Register(control);
}

void TToolTip::AddTool(HWND control, std::function<std::string()> text) {
  if (!control) return;
  if (TTool* t = Find(control)) {
    t->provider = std::move(text);
    return;
  }
  tools_.push_back({control, {}, std::move(text), {}});
  Register(control);
}

void TToolTip::RemoveTool(HWND control) {
  if (!Find(control)) return;
  if (Handle()) {
    TTTOOLINFOA ti = ToolInfo(Handle(), control);
    SendMessageA(Handle(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
  std::erase_if(tools_, [&](const TTool& t) { return t.control == control; });
}

bool TToolTip::HasTool(HWND control) const { return Find(control) != nullptr; }

std::string TToolTip::ToolText(HWND control) const {
  const TTool* t = Find(control);
  if (!t) return std::string();
  return t->provider ? t->provider() : t->text;
}

void TToolTip::SetToolText(HWND control, std::string_view text) {
  TTool* t = Find(control);
  if (!t) return;
  t->text = text;
  // A tip that shows asks for its text again and is redrawn at its new size
  // (TTM_UPDATE alone does not ask again under Wine).
  if (Handle() && ShownTool() == control) {
    TTTOOLINFOA ti = ToolInfo(Handle(), control);
    SendMessageA(Handle(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void TToolTip::SetMaxWidth(int pixels) {
  if (Handle()) SendMessageA(Handle(), TTM_SETMAXTIPWIDTH, 0, pixels > 0 ? pixels : 400);
}

void TToolTip::SetDelays(int initialMs, int autoPopMs) {
  if (!Handle()) return;
  if (initialMs >= 0) SendMessageA(Handle(), TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(initialMs, 0));
  if (autoPopMs >= 0) SendMessageA(Handle(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(std::min(autoPopMs, 32767), 0));
}

void TToolTip::SetActive(bool on) {
  if (Handle()) SendMessageA(Handle(), TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

HWND TToolTip::ShownTool() const {
  if (!Handle() || !IsWindowVisible(Handle())) return nullptr;
  TTTOOLINFOA ti = {};
  ti.cbSize = sizeof ti;
  if (!SendMessageA(Handle(), TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&ti))) return nullptr;
  return reinterpret_cast<HWND>(ti.uId);
}

void TToolTip::Pop() {
  if (Handle()) SendMessageA(Handle(), TTM_POP, 0, 0);
}

LRESULT TToolTip::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The tooltip asks itself for the tools' texts, in ANSI.
  if (msg == WM_NOTIFYFORMAT && reinterpret_cast<HWND>(wParam) == Handle()) return NFR_ANSI;
  if (msg == WM_NOTIFY) {
    auto* h = reinterpret_cast<NMHDR*>(lParam);
    if (h && h->hwndFrom == Handle() && h->code == TTN_GETDISPINFOA) {
      auto* info = reinterpret_cast<NMTTDISPINFOA*>(h);
      TTool* t = Find(reinterpret_cast<HWND>(h->idFrom));
      if (t) {
        t->given = t->provider ? t->provider() : t->text;
        info->lpszText = t->given.data();
      } else {
        info->szText[0] = '\0';
        info->lpszText = info->szText;
      }
      return 0;
    }
  }
  return TWindow::WndProc(msg, wParam, lParam);
}

}  // namespace ui
