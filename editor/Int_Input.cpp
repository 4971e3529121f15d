#include "editor/Int_Input.h"

#include "core/WindowUtils.h"
#include "ui/Button.h"
#include "ui/SpinEdit.h"

namespace {

using ui::Kind;

constexpr UINT kPlaceOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<ui::TSpinEdit>, "SpinEdit1", "", "",    8, 10, 100, 22},
  {Kind<ui::TButton>,   "OKButton",  "", "&OK", 116, 8, 75, 25},
};
// clang-format on

ui::TFormParams FormParams() {
  ui::TFormParams p;
  p.Caption = "数値の入力";
  p.BorderStyle = ui::TBorderStyle::Single;
  p.BorderIcons = 0;
  p.ClientWidth = 199;
  p.ClientHeight = 41;
  return p;
}

void PlaceAt(HWND window, POINT p) { SetWindowPos(window, nullptr, p.x, p.y, 0, 0, kPlaceOnly); }

}  // namespace

TIntInput::TIntInput(ui::TWindow* owner)
    : TDropFormLite(FormOfOwner(owner)), centreOwner_(owner) {
  if (!Create(FormParams())) return;
  BuildLayout(kRows);
  auto& field = Field();
  field.SetRange(0, 10000);
  field.SetValue(0);
  auto& ok = Control<ui::TButton>("OKButton");
  SetDefaultButton(&ok);
  SetModalResultOf(&ok, IDOK);
}

ui::TSpinEdit& TIntInput::Field() const { return Control<ui::TSpinEdit>("SpinEdit1"); }

int TIntInput::Execute() {
  if (!Handle()) return -1;
  if (Visible()) Hide();
  CenterOverOwner(Handle(), centreOwner_);
  if (ShowModal() != IDOK) return -1;
  return Field().Value();
}

int InputInteger(ui::TWindow* owner, std::string_view caption) {
  TIntInput dialog(owner);
  dialog.SetCaption(caption);
  return dialog.Execute();
}

ui::TForm* FormOfOwner(const ui::TWindow* owner) {
  if (!owner) return nullptr;
  if (auto* form = dynamic_cast<const ui::TForm*>(owner)) return const_cast<ui::TForm*>(form);
  return ui::TForm::FormOf(owner->Handle());
}

HWND WindowedOwner(const ui::TWindow* component) {
  while (component) {
    if (component->Handle()) return component->Handle();
    auto* form = dynamic_cast<const ui::TForm*>(component);
    component = form ? form->Owner() : nullptr;
  }
  return nullptr;
}

void CenterOverOwner(HWND window, const ui::TWindow* component) { CenterOverWindow(window, WindowedOwner(component)); }

void CenterOverWindow(HWND window, HWND other) {
  RECT o = {}, w = {};
  if (!other || !GetWindowRect(other, &o)) {
    CenterOnWorkArea(window);
    return;
  }
  if (!GetWindowRect(window, &w)) return;
  PlaceAt(window, CenteredOver(o, w));
}

void CenterOnWorkArea(HWND window) {
  RECT work = {}, w = {};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) || !GetWindowRect(window, &w)) return;
  PlaceAt(window, CenteredOnDesktop(work, w.right - w.left, w.bottom - w.top));
}
