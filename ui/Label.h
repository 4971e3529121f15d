// A text label drawn by the layer (window class "QvLabel"): one or more lines
// in a colour, alignment and font style of its own, on its parent's
// background (what the parent answers for WM_CTLCOLORSTATIC) or on a colour.
//
// An "&" marks the mnemonic. In a form with dialog navigation, Alt and the
// mnemonic move the focus to the control after the label in tab order, or to
// FocusControl when one is set (an edit box's text is then selected). A link
// label is blue and underlined, with a hand cursor; any label fires OnClick
// when clicked.
#pragma once

#include "ui/Control.h"
#include "core/Handles.h"

#include <functional>

namespace ui {

enum : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4 };
using TFontStyle = unsigned;
enum class TAlignment { Left, Center, Right };
enum class TTextLayout { Top, Center };

struct TLabelParams : TControlParams {
  TLabelParams() { Style = WS_VISIBLE; Height = 13; }
  TLabelParams(HWND parent, std::string caption, int x, int y, int width, int height)
      : TControlParams(parent, std::move(caption), x, y, width, height) {
    Style = WS_VISIBLE;
  }
  TAlignment Alignment = TAlignment::Left;
  TTextLayout Layout = TTextLayout::Top;
  bool WordWrap = false;
  bool ShowAccelChar = true;
  bool AutoSize = false;  // the size follows the text
  bool Link = false;
  TFontStyle FontStyle = 0;
  COLORREF FontColor = CLR_INVALID;  // CLR_INVALID: the parent's text colour
  COLORREF Color = CLR_INVALID;      // CLR_INVALID: the parent's background
};

class TLabel : public TDrawnControl {
 public:
  using TParams = TLabelParams;
  bool Create(const TLabelParams& p);

  std::function<void()> OnClick;
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;

  COLORREF FontColor() const { return fontColor_; }
  void SetFontColor(COLORREF color);  // CLR_INVALID: the parent's
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);  // CLR_INVALID: the parent's background
  TFontStyle FontStyle() const { return fontStyle_; }
  void SetFontStyle(TFontStyle style);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  void SetLayout(TTextLayout layout);
  void SetWordWrap(bool on);
  void SetShowAccelChar(bool on);
  void SetAutoSize(bool on);
  bool Link() const { return link_; }
  void SetLink(bool on);
  // The control that the mnemonic focuses; null: the next one in tab order.
  HWND FocusControl() const { return focusControl_; }
  void SetFocusControl(HWND control) { focusControl_ = control; }
  bool MouseInside() const { return mouseInside_; }
  // The colour the text is drawn in now (the link colour for a link).
  COLORREF TextColor() const;
  // Fits the size to the text (the width too unless the label wraps).
  void AdjustSize();

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  virtual void Click();
  void Paint(HDC dc) override;

 private:
  UINT TextFlags() const;
  HFONT DrawFont() const;
  void RebuildFont();

  TAlignment alignment_ = TAlignment::Left;
  TTextLayout layout_ = TTextLayout::Top;
  bool wordWrap_ = false, showAccel_ = true, autoSize_ = false, link_ = false;
  TFontStyle fontStyle_ = 0;
  COLORREF fontColor_ = CLR_INVALID, color_ = CLR_INVALID;
  HFONT baseFont_ = nullptr;  // set by WM_SETFONT; the caller keeps it
  core::TUniqueFont styledFont_;
  core::TUniqueBrush colorBrush_;
  HWND focusControl_ = nullptr;
  bool pressed_ = false, mouseInside_ = false;
};

// A copy of a font with the style bits added (bold, italic, underline).
core::TUniqueFont StyledFont(HFONT base, TFontStyle style);

}  // namespace ui
