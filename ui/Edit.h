// A single-line edit control of the system class "EDIT", subclassed by the
// window base, with the events a text box needs: key down, press and up, click,
// enter (focus gained), exit (focus lost) and change. Each event runs through a
// virtual method that a derived control overrides and that fires the event
// member, so a derived control decides what runs before and after the event.
//
// Positions (selection start, selection length, caret) are counted as the
// control counts them: in characters in an ANSI edit of Windows XP and later
// and under Wine (a double-byte character counts once).
//
// The change event comes from EN_CHANGE, which the parent hands on: the parent
// must be a window of this layer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/Window.h"

namespace ui {

// The creation struct of an edit box: a bordered single-line box that
// scrolls with the text.
struct TEditParams : TCreateParams {
  TEditParams() {
    ClassName = "EDIT";
    Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    ExStyle = WS_EX_CLIENTEDGE;
  }
};

class TEdit : public TWindow {
 public:
  using TParams = TEditParams;

  std::function<void()> OnChange;
  std::function<void()> OnEnter;
  std::function<void()> OnExit;
  std::function<void()> OnClick;

  std::string Text() const { return Caption(); }
  void SetText(std::string_view text) { SetCaption(text); }
  int TextLength() const;  // in positions, as CharLength counts (core/StringUtils.h)

  int SelStart() const;
  int SelLength() const;
  int SelEnd() const { return SelStart() + SelLength(); }
  // The selection runs from start for length positions; the caret ends at its end.
  void SetSel(int start, int length);
  void SetSelStart(int start) { SetSel(start, 0); }
  void SetSelLength(int length) { SetSel(SelStart(), length); }
  // Replaces the selection (deletes it for an empty text), as typing does.
  void ReplaceSel(std::string_view text);
  void ClearSelection() { ReplaceSel(""); }

  // WM_SETREDRAW; turning it on again does not repaint: see Invalidate. A
  // hidden control is left alone.
  void SetRedraw(bool on);
  bool RedrawOff() const { return redrawOff_; }
  // The caret in client coordinates (where it would be, when not focused).
  POINT CaretPos() const;
  int ClientHeight() const;
  int Height() const;
  // The screen position of the client area's top left corner.
  POINT ClientOrigin() const;

  // The font of the control (the system font when none was set).
  HFONT Font() const;
  // Width and height of a text drawn in a font (the control's when none).
  int TextWidth(std::string_view text, HFONT font = nullptr) const;
  int FontHeight(HFONT font = nullptr) const;

 protected:
  // Key events: setting key to 0 keeps it from the control. Each fires its
  // event (OnKeyDown...) with the message being handled.
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void Click();
  virtual void DoEnter();
  virtual void DoExit();
  virtual void Change();
  // WM_GETDLGCODE: the keys the control asks for on top of its own answer.
  virtual LRESULT GetDlgCode(const MSG* msg, LRESULT code) { (void)msg; return code; }

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void ControlCommand(TCommandEvent& e) override;

 private:
  TMessageEvent current_;  // the message the key and mouse methods run for
  bool pressed_ = false;  // the left button went down in the control
  bool redrawOff_ = false;
};

}  // namespace ui
