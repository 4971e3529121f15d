#include "ui/Label.h"

#include <windowsx.h>

#include <utility>

namespace ui {

namespace {
// Links are blue (the system's hot-light colour is grey under Wine).
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
}  // namespace

core::TUniqueFont StyledFont(HFONT base, TFontStyle style) {
  LOGFONTA lf = {};
  if (!GetObjectA(base ? base : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) return core::TUniqueFont();
  if (style & fsBold) lf.lfWeight = FW_BOLD;
  if (style & fsItalic) lf.lfItalic = TRUE;
  if (style & fsUnderline) lf.lfUnderline = TRUE;
  return core::TUniqueFont(CreateFontIndirectA(&lf));
}

bool TLabel::Create(const TLabelParams& p) {
  alignment_ = p.Alignment;
  layout_ = p.Layout;
  wordWrap_ = p.WordWrap;
  showAccel_ = p.ShowAccelChar;
  autoSize_ = p.AutoSize;
  link_ = p.Link;
  fontStyle_ = p.FontStyle;
  fontColor_ = p.FontColor;
  SetColor(p.Color);
  TControlParams c = p;
  c.Background = nullptr;  // the label paints all of itself
  c.ClassStyle = CS_HREDRAW | CS_VREDRAW;
  if (!CreateControl(c, "QvLabel", 0)) return false;
  RebuildFont();
  if (autoSize_) AdjustSize();
  return true;
}

void TLabel::SetFontColor(COLORREF color) {
  fontColor_ = color;
  Invalidate();
}

void TLabel::SetColor(COLORREF color) {
  color_ = color;
  colorBrush_.reset(color == CLR_INVALID ? nullptr : CreateSolidBrush(color));
  Invalidate();
}

void TLabel::SetFontStyle(TFontStyle style) {
  fontStyle_ = style;
  RebuildFont();
  if (autoSize_) AdjustSize();
  Invalidate();
}

void TLabel::SetAlignment(TAlignment a) {
  alignment_ = a;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TLabel::SetWordWrap(bool on) {
  wordWrap_ = on;
  if (autoSize_) AdjustSize();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool on) {
  showAccel_ = on;
  Invalidate();
}

void TLabel::SetAutoSize(bool on) {
  autoSize_ = on;
  if (on) AdjustSize();
}

void TLabel::SetLink(bool on) {
  link_ = on;
  RebuildFont();
  Invalidate();
}

COLORREF TLabel::TextColor() const {
  if (fontColor_ != CLR_INVALID) return fontColor_;
  if (link_) return kLinkColor;
  if (!Handle()) return GetSysColor(COLOR_WINDOWTEXT);
  core::TWindowDC dc(Handle());
  ParentBackground(Handle(), dc.get());
  return GetTextColor(dc.get());
}

void TLabel::RebuildFont() {
  TFontStyle style = fontStyle_ | (link_ ? TFontStyle(fsUnderline) : 0u);
  styledFont_ = style ? StyledFont(baseFont_, style) : core::TUniqueFont();
}

HFONT TLabel::DrawFont() const {
  if (styledFont_) return styledFont_.get();
  return baseFont_ ? baseFont_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

UINT TLabel::TextFlags() const {
  UINT f = alignment_ == TAlignment::Center ? DT_CENTER : alignment_ == TAlignment::Right ? DT_RIGHT : DT_LEFT;
  std::string text = WindowText(Handle());
  bool oneLine = !wordWrap_ && text.find_first_of("\r\n") == std::string::npos;
  if (wordWrap_) f |= DT_WORDBREAK;
  if (oneLine) f |= DT_SINGLELINE;
  if (oneLine && layout_ == TTextLayout::Center) f |= DT_VCENTER;
  if (!showAccel_) f |= DT_NOPREFIX;
  return f | DT_EXPANDTABS;
}

void TLabel::AdjustSize() {
  if (!Handle()) return;
  std::string text = WindowText(Handle());
  if (text.empty()) text.push_back(' ');  // the height of one line
  RECT r = ClientRect();
  if (!wordWrap_) r.right = r.left + 32767;
  {
    core::TWindowDC dc(Handle());
    core::TSelectObject font(dc.get(), DrawFont());
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, (TextFlags() & ~DT_VCENTER) | DT_CALCRECT);
  }
  SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLabel::Paint(HDC dc) {
  RECT r = ClientRect();
  HBRUSH parentBrush = ParentBackground(Handle(), dc);  // also the parent's text colour
  FillRect(dc, &r, colorBrush_ ? colorBrush_.get() : parentBrush);
  SetBkMode(dc, TRANSPARENT);
  if (fontColor_ != CLR_INVALID) SetTextColor(dc, fontColor_);
  else if (link_) SetTextColor(dc, kLinkColor);
  if (!IsWindowEnabled(Handle())) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  core::TSelectObject font(dc, DrawFont());
  std::string text = WindowText(Handle());
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFlags());
  if (GetFocus() == Handle()) DrawFocusRect(dc, &r);
}

// After the window's OnSetCursor: a link shows the hand.
bool TLabel::Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_SETCURSOR && link_ && LOWORD(lParam) == HTCLIENT) {
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
    result = TRUE;
    return true;
  }
  return TDrawnControl::Unhandled(msg, wParam, lParam, result);
}

void TLabel::Click() {
  if (OnClick) OnClick();
}

LRESULT TLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETFONT:
      baseFont_ = reinterpret_cast<HFONT>(wParam);
      RebuildFont();
      if (autoSize_) AdjustSize();
      if (LOWORD(lParam)) Invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(baseFont_);
    case WM_SETTEXT: {
      LRESULT r = TDrawnControl::WndProc(msg, wParam, lParam);
      if (autoSize_) AdjustSize();
      Invalidate();
      return r;
    }
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    case WM_GETDLGCODE: {
      // The label answers as a button, so that the dialog manager sends it
      // BM_CLICK for its mnemonic: a form is no dialog box and would not move
      // the focus on for a static text.
      LRESULT code = DLGC_BUTTON;
      auto* m = reinterpret_cast<const MSG*>(lParam);
      if (link_ && m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case BM_CLICK: {
      if (link_ && !focusControl_) {
        Click();
        return 0;
      }
      HWND target = focusControl_ && IsWindow(focusControl_)
                        ? focusControl_
                        : GetNextDlgTabItem(GetAncestor(Handle(), GA_ROOT), Handle(), FALSE);
      if (!target || target == Handle()) return 0;
      SetFocus(target);
      // As a dialog box does: the text of an edit box is selected.
      if (SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(target, EM_SETSEL, 0, -1);
      return 0;
    }
    case WM_KEYDOWN:
      if (link_ && (wParam == VK_RETURN || wParam == VK_SPACE)) {
        Click();
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      break;
    case WM_LBUTTONUP: {
      RECT rc = ClientRect();
      POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      LRESULT r = TDrawnControl::WndProc(msg, wParam, lParam);
      if (std::exchange(pressed_, false) && PtInRect(&rc, pt)) Click();
      return r;
    }
    case WM_MOUSEMOVE:
      if (!mouseInside_) {
        mouseInside_ = true;
        TRACKMOUSEEVENT t = {sizeof t, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&t);
        if (OnMouseEnter) OnMouseEnter();
      }
      break;
    case WM_MOUSELEAVE:
      mouseInside_ = false;
      pressed_ = false;
      if (OnMouseLeave) OnMouseLeave();
      return 0;
  }
  return TDrawnControl::WndProc(msg, wParam, lParam);
}

}  // namespace ui
