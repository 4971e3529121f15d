// The candidate list of a completing edit: a list box outside its form, a
// top-level, top-most tool window that never takes activation or the focus,
// so the edit keeps the keyboard and the caret while the user looks at or
// clicks the list. The list box's own button handling would take the focus
// (it does under Wine even when activation is refused): button presses are
// handled here instead, selecting the row under the mouse.
//
// The list is virtual: the list box holds a row count, not strings (a no-data
// list box with owner-drawn rows of one height), and each row that comes into
// view is drawn from the candidate rows of the last build. So the cost of a
// refresh does not grow with the number of matches. The list's window text
// reads as its top row, for tools that read the list from outside.
//
// The vertical scroll bar is kept by this class, not by the list box (which is
// made without one and so leaves the bar alone), with the values the list box
// would give it; it is drawn again only when what it shows changes, as the
// platform's drawing of a scroll bar is slow next to everything else a key
// costs.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "completion/Complete_Data.h"
#include "ui/Edit.h"
#include "ui/Window.h"

class TPopupList : public ui::TWindow {
 public:
  // owner must be an edit, else std::invalid_argument with the system's message.
  TPopupList(ui::TWindow* owner, bool scrollBar);
  ~TPopupList() override;

  // Makes the hidden list window (a fixed height of 100 until the edit sizes it).
  bool CreateWnd();
  ui::TEdit& Owner() const { return *owner_; }
  bool ScrollBar() const { return scrollBar_; }

  int Count() const;
  std::string Item(int index) const;
  void Clear();
  // The rows to show, in place of the ones before: no row selected, the first on top.
  void SetItems(TCandidateRows rows);
  const TCandidateRows& Rows() const { return rows_; }
  int ItemIndex() const;  // -1 for none
  void SetItemIndex(int index);
  int TopIndex() const;
  void SetTopIndex(int index);
  void SetItemHeight(int height);
  int ItemHeight() const;
  void SetRedraw(bool on);

  // Shows the list without activating it, and hides it.
  void ShowNoActivate();
  // The measuring font of the popup placement; the rows use the list's own font.
  void SetListFont(HFONT font) { listFont_ = font; }
  HFONT ListFont() const { return listFont_; }
  // No mouse cursor over the list while the user types.
  void HideCursor(bool hidden) { cursorHidden_ = hidden; }
  bool CursorHidden() const { return cursorHidden_; }

  // The left button released over a row (after it was selected on the press).
  std::function<void()> OnClick;
  // The owning edit's candidate builder (set by the edit, not used by the list).
  TCompleteData* Data = nullptr;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // The rows' drawing, handed on by the owner.
  void ControlMessage(ui::TMessageEvent& e) override;

 private:
  int RowAt(LPARAM lParam) const;
  // A row as the list box draws one of its own strings.
  void DrawRow(const DRAWITEMSTRUCT& item) const;
  LRESULT TopRowText(WPARAM size, LPARAM buffer, bool lengthOnly) const;
  static bool MovesScrollBar(UINT msg);
  void SyncScrollBar();
  void NoteBarDrawn();

  ui::TEdit* owner_;
  // A hidden window that owns the list: an owner-drawn list box sends its
  // drawing requests to its owner (which hands them back to the list), and
  // the list floats without a parent.
  std::unique_ptr<ui::TWindow> painter_;
  TCandidateRows rows_;
  bool redrawOn_ = true;
  bool syncing_ = false;
  bool holdBar_ = false;
  // Sets a flag for a scope, and gives it back its value after.
  struct TScopedFlag {
    bool& Flag;
    bool Saved;
    explicit TScopedFlag(bool& flag) : Flag(flag), Saved(flag) { Flag = true; }
    ~TScopedFlag() { Flag = Saved; }
  };
  bool barDrawn_ = false;
  SCROLLBARINFO bar_ = {};  // as last drawn
  RECT barWindow_ = {};
  bool scrollBar_;
  HFONT listFont_ = nullptr;
  bool cursorHidden_ = false;
  bool pressed_ = false;
};
