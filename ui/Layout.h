// The one way a form lays out its controls: a table of rows, one control per
// row (kind, name, parent, caption, bounds, style, anchors), built in one call
// and found again by name. Bounds are pixels at 96 DPI, as a form is designed,
// and are scaled to the screen's DPI when the control is made. Rows are made in
// order: a row's parent must come before it, and the order is the tab order.
// Why a table and not dialog templates: see ui/README.md.
//
//   static const ui::TLayoutRow kRows[] = {
//     {ui::Kind<ui::TLabel>,  "Label1",   "", "先頭に . をつけて拡張子を指定", 8, 8, 200, 16},
//     {ui::Kind<ui::TEdit>,   "Edit1",    "", "", 8, 28, 200, 21, 0, ui::akLeft | ui::akTop | ui::akRight},
//     {ui::Kind<ui::TButton>, "OKButton", "", "&OK", 48, 60, 75, 25, 0, ui::akRight | ui::akBottom},
//   };
//   form.BuildLayout(kRows);
//   form.Control<ui::TEdit>("Edit1").SetText(...);
//
// A kind is any control class T derived from TWindow, default-constructible,
// with a creation struct T::TParams derived from TCreateParams whose defaults
// make the control as the kind wants it (class name, style), and with
// bool Create(const T::TParams&). The builder starts from T::TParams{}, then
// sets Caption, the scaled bounds, Parent, Id and Font, and adds the row's
// Style and ExStyle (and WS_CHILD) to the struct's own. What else a kind needs
// it takes in its Create (a tab sheet finds its page control as
// TWindow::FromHandle(params.Parent)) or the form sets after the build.
#pragma once

#include <windows.h>

#include <concepts>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Window.h"

namespace ui {

class TForm;

// Which edges of its parent a control keeps its distance to when the parent
// is resized: left and right both stretch it, right alone moves it, neither
// keeps it where it was relative to the middle.
enum : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

struct TLayoutRow;

// Where the builder puts a row's control, already scaled.
struct TLayoutPlace {
  TForm* Form = nullptr;
  TWindow* ParentControl = nullptr;  // the parent row's control, or none for the form
  HWND Parent = nullptr;             // its window, or the form's
  int Id = 0;                        // a control id no other row of the form has
  int X = 0, Y = 0, Width = 0, Height = 0;
  HFONT Font = nullptr;              // the form's font
};

// Makes one row's control; nullptr when it cannot be made.
using TControlFactory = std::unique_ptr<TWindow> (*)(const TLayoutRow& row, const TLayoutPlace& place);

struct TLayoutRow {
  TControlFactory Kind = nullptr;  // ui::Kind<TButton>...
  const char* Name = "";           // unique in the form
  const char* Parent = "";         // the name of a row above, or "" for the form itself
  const char* Caption = "";
  int X = 0, Y = 0, Width = 0, Height = 0;  // 96-DPI pixels in the parent's client area
  DWORD Style = 0;                 // added to the kind's own style
  TAnchors Anchors = akLeft | akTop;
  DWORD ExStyle = 0;               // added to the kind's own extended style
};

template <class T>
concept LayoutControl = std::derived_from<T, TWindow> && std::default_initializable<T> &&
                        std::derived_from<typename T::TParams, TCreateParams> &&
                        requires(T& control, const typename T::TParams& params) {
                          { control.Create(params) } -> std::convertible_to<bool>;
                        };

// Copies what the row and the place decide into a creation struct.
void FillCreateParams(TCreateParams& params, const TLayoutRow& row, const TLayoutPlace& place);

template <LayoutControl T>
std::unique_ptr<TWindow> MakeControl(const TLayoutRow& row, const TLayoutPlace& place) {
  typename T::TParams params{};
  FillCreateParams(params, row, place);
  auto control = std::make_unique<T>();
  if (!control->Create(params)) return nullptr;
  return control;
}

// The kind column of a row: ui::Kind<TButton>.
template <LayoutControl T>
inline constexpr TControlFactory Kind = &MakeControl<T>;

// The controls a form made from its rows, with their names and anchors. The
// form owns one (TForm::Layout) and frees the controls before its window.
class TLayout {
 public:
  TLayout() = default;
  TLayout(const TLayout&) = delete;
  TLayout& operator=(const TLayout&) = delete;
  ~TLayout();

  // Makes the rows' controls in order. A second call adds more rows (its rows
  // may name the first call's as parents). A row without a kind, a repeated
  // name or an unknown parent is a fault of the program: std::logic_error,
  // before any control of the call is made. A control that cannot be made
  // gives std::runtime_error naming its row; the rows made before it stay.
  void Build(TForm& form, std::span<const TLayoutRow> rows);

  TWindow* Find(std::string_view name) const;
  template <class T>
  T* Find(std::string_view name) const { return dynamic_cast<T*>(Find(name)); }
  // The control of that name and kind; std::logic_error when there is none.
  template <class T = TWindow>
  T& Get(std::string_view name) const {
    T* control = Find<T>(name);
    if (!control) MissingControl(name);
    return *control;
  }
  // Frees every control (the form does it before its window goes).
  void Clear();
  // The row name of a control, empty for one the layout did not make.
  std::string_view NameOf(const TWindow* control) const;
  int Count() const { return static_cast<int>(entries_.size()); }

  // Moves and sizes the anchored controls to their parents' present client
  // areas (the form calls it on every WM_SIZE; parents are placed before
  // their children, in row order).
  void Realign();

 private:
  [[noreturn]] static void MissingControl(std::string_view name);
  struct TEntry {
    std::string Name;
    std::unique_ptr<TWindow> Control;
    HWND Parent = nullptr;
    TAnchors Anchors = akLeft | akTop;
    RECT Bounds = {};      // as made, in the parent's client area
    SIZE ParentSize = {};  // the parent's client area then
  };
  std::vector<TEntry> entries_;
  // Clear of the ids that system controls give their own child windows (a
  // combo box's edit is 1001, its list 1000): Wine's dialog keys search the
  // whole form for the default button's id and would find those first.
  int nextId_ = 2000;
};

}  // namespace ui
