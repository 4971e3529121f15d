#include "ui/Memo.h"

#include "core/Sjis.h"

namespace ui {

bool TMemo::Create(const TMemoParams& p) {
  WantReturns = p.WantReturns;
  WantTabs = p.WantTabs;
  TCreateParams c = p;
  c.ClassName = "EDIT";
  c.Style = p.Style | WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
  if (p.WantReturns) c.Style |= ES_WANTRETURN;
  if (p.ReadOnly) c.Style |= ES_READONLY;
  if (!p.WordWrap) c.Style |= ES_AUTOHSCROLL;
  if (p.ScrollBars == TScrollBars::Vertical || p.ScrollBars == TScrollBars::Both) c.Style |= WS_VSCROLL;
  if (p.ScrollBars == TScrollBars::Horizontal || p.ScrollBars == TScrollBars::Both) c.Style |= WS_HSCROLL;
  if (p.Border) c.ExStyle |= WS_EX_CLIENTEDGE;
  if (!c.Parent) return false;
  return TWindow::Create(c);
}

std::vector<std::string> TMemo::Lines() const { return sjis::SplitLines(Text()); }

void TMemo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  SetText(text);
}

void TMemo::AddLine(std::string_view line) {
  if (!Handle()) return;
  int end = TextLength();
  std::string add = Text().empty() ? std::string(line) : "\r\n" + std::string(line);
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
  ReplaceSel(add);
}

int TMemo::LineCount() const { return static_cast<int>(Lines().size()); }

bool TMemo::ReadOnly() const { return Handle() && (GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY); }
void TMemo::SetReadOnly(bool on) { if (Handle()) SendMessageA(Handle(), EM_SETREADONLY, on ? TRUE : FALSE, 0); }

// A multi-line edit asks for every key; it gives back to the dialog manager
// the keys that the memo does not want.
LRESULT TMemo::GetDlgCode(const MSG* msg, LRESULT code) {
  if (!msg || msg->message != WM_KEYDOWN) return WantTabs ? code | DLGC_WANTTAB : code & ~DLGC_WANTTAB;
  bool keep = true;
  switch (msg->wParam) {
    case VK_TAB: keep = WantTabs; break;
    case VK_RETURN: keep = WantReturns; break;
    case VK_ESCAPE: keep = false; break;
  }
  if (!keep) code &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
  return code;
}

}  // namespace ui

namespace ui {

// An edit box of a form with dialog navigation types no tab by itself (it
// asks its parent to move on): a wanted Tab is typed here.
void TMemo::KeyDown(WORD& key, TShiftState shift) {
  TEdit::KeyDown(key, shift);
  if (key == VK_TAB && WantTabs && !(shift & (ssCtrl | ssAlt)) && !ReadOnly()) {
    ReplaceSel("\t");
    key = 0;
  }
}

void TMemo::KeyPress(char& key) {
  TEdit::KeyPress(key);
  if (key == '\t' || (key == '\r' && !WantReturns)) key = 0;
}

}  // namespace ui
