// A form: a top-level window of the program with the behaviour of a dialog
// box or a main window on top of the window base.
//
// Owner: a form may name another form as its owner. The owner's window owns
// the form's window (it stays above the owner and goes with it), the form
// centres over it, and objects handed to the owner with Own live as long as
// the owner does: owned forms, action lists, menus... A form without an owner
// is owned by the application's hidden window, which keeps it off the taskbar
// unless TFormParams::ShowInTaskbar.
//
// Closing (WM_CLOSE, Close, the close box, Alt+F4): OnCloseQuery may refuse;
// then OnClose chooses what happens (by default the form hides; the
// application's main form ends the application instead). A modal form closes
// by getting a modal result: SetModalResult, a button given a result with
// SetModalResultOf, or closing, which gives IDCANCEL; the same OnCloseQuery
// and OnClose then decide whether ShowModal returns.
//
// Keys: while the form is the active window its action lists take their
// shortcuts (and only then: a modal dialog's Enter and Esc never reach the main
// form's actions). With DialogNavigation, Tab, the arrow keys and mnemonics
// move between the controls; Enter clicks the focused push button or else the
// default button, Esc the cancel button.
//
// The form owns one font, ＭＳ Ｐゴシック 9 pt at the screen's DPI, that the
// controls of its layout get. Sizes in TFormParams and in the layout are
// pixels at 96 DPI, scaled to the screen's (Scale).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Handles.h"
#include "ui/Layout.h"
#include "ui/Window.h"

namespace ui {

class TActionList;

enum class TBorderStyle {
  None,         // no frame, no caption
  Single,       // a caption and a thin frame, not resizable
  Sizeable,     // a caption and a sizing frame
  Dialog,       // a dialog's frame: no minimise or maximise box
  ToolWindow,   // a small caption, not resizable
  SizeToolWin,  // a small caption and a sizing frame
};

// The caption's buttons.
enum : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;

enum class TPosition {
  Designed,        // at TFormParams X, Y
  ScreenCenter,    // centred on the whole desktop
  WorkAreaCenter,  // centred on the work area
  OwnerCenter,     // centred over the owner form (the screen without one)
};

// What closing does, chosen by OnClose.
enum class TCloseAction { None, Hide, Minimize };

struct TFormParams {
  // Forms found by their class from outside give a class of their own.
  const char* ClassName = "QvForm";
  std::string Caption;
  TBorderStyle BorderStyle = TBorderStyle::Sizeable;
  TBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition Position = TPosition::Designed;
  int X = CW_USEDEFAULT, Y = CW_USEDEFAULT;  // screen pixels, for Designed
  // The outer size, or the client size when ClientWidth and ClientHeight are
  // set; 96-DPI pixels.
  int Width = 320, Height = 240;
  int ClientWidth = 0, ClientHeight = 0;
  bool StayOnTop = false;
  bool ShowInTaskbar = false;
  bool DialogNavigation = true;
  DWORD Style = 0, ExStyle = 0;  // added to what the border style gives
  HICON Icon = nullptr, SmallIcon = nullptr;  // the caller keeps them
  UINT ClassStyle = 0;
  HBRUSH Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

// The window styles of a border style and its caption buttons.
void FormWindowStyle(TBorderStyle border, TBorderIcons icons, DWORD& style, DWORD& exStyle);

class TForm : public TWindow {
 public:
  explicit TForm(TForm* owner = nullptr);
  ~TForm() override;

  using TWindow::Create;
  bool Create(const TFormParams& params);

  // The form of a window: itself when it is a form, else the form whose
  // window is its root; none for a window outside any form.
  static TForm* FormOf(HWND window);
  // The form that is the active window, if any.
  static TForm* ActiveForm();

  // ---- Owner and what it owns ----
  TForm* Owner() const { return owner_; }
  // Takes the object; it is freed with the form (before the form's window
  // goes), the last handed over first.
  template <class T>
  T& Own(std::unique_ptr<T> object) {
    T& ref = *object;
    owned_.push_back(std::unique_ptr<TOwned>(new TOwnedObject<T>(std::move(object))));
    return ref;
  }
  // Frees an owned object now; false when the form does not own it.
  bool Free(const void* object);

  // ---- Size, place and look ----
  void SetClientSize(int width, int height);  // device pixels
  void CenterOver(HWND window);               // the screen when null
  void CenterOnScreen();
  void CenterOnWorkArea();
  // Places the form as Position says (ShowModal does it again each time).
  void ApplyPosition();
  TPosition Position = TPosition::Designed;
  void SetIcons(HICON big, HICON small);  // the caller keeps them
  void SetStayOnTop(bool on);
  bool StayOnTop() const;
  int Dpi() const { return dpi_; }
  int Scale(int designPixels) const { return MulDiv(designPixels, dpi_, 96); }
  HFONT Font() const { return font_.get(); }

  // ---- Layout ----
  void BuildLayout(std::span<const TLayoutRow> rows) { layout_.Build(*this, rows); }
  TLayout& Layout() { return layout_; }
  template <class T = TWindow>
  T& Control(std::string_view name) const { return layout_.Get<T>(name); }
  template <class T = TWindow>
  T* FindControl(std::string_view name) const { return layout_.Find<T>(name); }

  // ---- Buttons and modal results ----
  // Enter clicks the default button (unless a push button has the focus), Esc
  // the cancel button; either may be none.
  void SetDefaultButton(TWindow* button);
  void SetCancelButton(TWindow* button);
  TWindow* DefaultButton() const { return FromHandle(defaultButton_); }
  TWindow* CancelButton() const { return FromHandle(cancelButton_); }
  // The control that gets the focus when the form is next activated (at once
  // when it is active).
  void SetActiveControl(TWindow* control);
  // A click of the button gives the form this modal result (before the
  // button's own click event, which may set it back to 0); 0 removes it.
  void SetModalResultOf(TWindow* button, int result);

  // Shows the form modally: every other enabled top-level window of the
  // thread is disabled and the application's loop runs (ShowModal may be
  // called again from inside: nested modals) until a modal result closes the
  // form or the application terminates (0). The form is then hidden, the
  // others enabled and the window that was active before activated again.
  int ShowModal();
  bool Modal() const { return inModal_; }
  void SetModalResult(int result) { modalResult_ = result; }
  int ModalResult() const { return modalResult_; }
  // Asks the form to close, as the user does (WM_CLOSE).
  void Close();
  // Dialog keys move between the controls (see above).
  bool DialogNavigation = false;

  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void(TCloseAction& action)> OnClose;
  // A key press while the form is active, before its action lists: set
  // handled to take it (shortCut as ui::ShortCutFromKey gives it).
  std::function<void(WORD shortCut, bool& handled)> OnShortCut;

  // ---- Actions (called by TActionList and the application) ----
  void AddActionList(TActionList* list);
  void RemoveActionList(TActionList* list);
  // OnShortCut, then the action lists, in the order they were made.
  bool IsShortCut(WORD shortCut);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  struct TOwned {
    virtual ~TOwned() = default;
    virtual const void* Object() const = 0;
  };
  template <class T>
  struct TOwnedObject : TOwned {
    explicit TOwnedObject(std::unique_ptr<T> o) : object(std::move(o)) {}
    const void* Object() const override { return object.get(); }
    std::unique_ptr<T> object;
  };
  // What closing does once OnCloseQuery allowed it (not for a modal form).
  void CloseWindow();
  // OnCloseQuery and OnClose for a modal result; false when the form stays.
  bool CloseModal();
  LRESULT DefaultButtonId();
  void ClickButton(HWND button);
  bool DialogCommand(WORD id);
  // The action linked to the control (or, without one, to the menu item id).
  bool ExecuteLinked(HWND control, UINT id);
  void FocusControl();
  void FreeOwned();

  TForm* owner_ = nullptr;
  std::vector<TForm*> dependents_;  // forms that name this one as owner
  std::vector<std::unique_ptr<TOwned>> owned_;
  std::vector<TActionList*> actionLists_;
  TLayout layout_;
  core::TUniqueFont font_;
  int dpi_ = 96;
  HWND defaultButton_ = nullptr;
  HWND cancelButton_ = nullptr;
  HWND lastFocus_ = nullptr;
  struct TButtonResult {
    HWND Button;
    int Result;
  };
  std::vector<TButtonResult> buttonResults_;
  int modalResult_ = 0;
  bool inModal_ = false;
};

}  // namespace ui
