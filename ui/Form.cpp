#include "ui/Form.h"

#include <algorithm>
#include <utility>

#include "core/WindowUtils.h"
#include "ui/ActionList.h"
#include "ui/Application.h"
#include "ui/ErrorHandler.h"

namespace ui {

namespace {

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

HFONT MakeFormFont(int dpi) {
  return CreateFontA(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "ＭＳ Ｐゴシック");
}

bool IsPushButton(HWND window) {
  return window && (SendMessageA(window, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

bool Usable(HWND window) { return window && IsWindow(window) && IsWindowEnabled(window) && IsWindowVisible(window); }

// The enabled, visible top-level windows of the thread but one, disabled for
// the time of a modal form.
std::vector<HWND> DisableThreadWindows(HWND except) {
  std::vector<HWND> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  std::erase_if(windows, [&](HWND w) { return w == except || !IsWindowVisible(w) || !IsWindowEnabled(w); });
  for (HWND w : windows) EnableWindow(w, FALSE);
  return windows;
}

}  // namespace

void FormWindowStyle(TBorderStyle border, TBorderIcons icons, DWORD& style, DWORD& exStyle) {
  style = WS_CLIPCHILDREN;
  exStyle = 0;
  switch (border) {
    case TBorderStyle::None: style |= WS_POPUP; return;
    case TBorderStyle::Single: style |= WS_CAPTION; break;
    case TBorderStyle::Sizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case TBorderStyle::Dialog:
      style |= WS_CAPTION;
      exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case TBorderStyle::ToolWindow: style |= WS_CAPTION; exStyle |= WS_EX_TOOLWINDOW; break;
    case TBorderStyle::SizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; exStyle |= WS_EX_TOOLWINDOW; break;
  }
  if (!(icons & biSystemMenu)) return;
  style |= WS_SYSMENU;
  // Dialogs and tool windows have no minimise or maximise box.
  bool boxes = border == TBorderStyle::Single || border == TBorderStyle::Sizeable;
  if (boxes && (icons & biMinimize)) style |= WS_MINIMIZEBOX;
  if (boxes && (icons & biMaximize)) style |= WS_MAXIMIZEBOX;
  // The help button shows only where neither box is.
  if ((icons & biHelp) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) exStyle |= WS_EX_CONTEXTHELP;
}

TForm::TForm(TForm* owner) : owner_(owner), dpi_(ScreenDpi()) {
  font_.reset(MakeFormFont(dpi_));
  if (owner_) owner_->dependents_.push_back(this);
}

// The destroy order of the window base, with the form's own in between: stop
// dispatching (the derived part is gone), free what the form owns and its
// layout's controls, then destroy the window.
TForm::~TForm() {
  HWND hwnd = Handle();
  Detach();
  FreeOwned();
  layout_.Clear();
  for (TActionList* list : actionLists_) list->FormGone();
  actionLists_.clear();
  for (TForm* d : dependents_) d->owner_ = nullptr;
  if (owner_) std::erase(owner_->dependents_, this);
  if (TApplication* app = TApplication::Current())
    if (app->MainForm() == this) app->SetMainForm(nullptr);
  if (hwnd) DestroyWindow(hwnd);
}

void TForm::FreeOwned() {
  // One at a time from the end: an owned object may free others as it goes.
  while (!owned_.empty()) {
    std::unique_ptr<TOwned> last = std::move(owned_.back());
    owned_.pop_back();
    last.reset();
  }
}

bool TForm::Free(const void* object) {
  auto it = std::find_if(owned_.begin(), owned_.end(), [&](const auto& o) { return o->Object() == object; });
  if (it == owned_.end()) return false;
  std::unique_ptr<TOwned> gone = std::move(*it);
  owned_.erase(it);
  return true;
}

bool TForm::Create(const TFormParams& fp) {
  TCreateParams p;
  p.ClassName = fp.ClassName;
  p.Caption = fp.Caption;
  DWORD style = 0, exStyle = 0;
  FormWindowStyle(fp.BorderStyle, fp.BorderIcons, style, exStyle);
  p.Style = style | fp.Style;
  p.ExStyle = exStyle | fp.ExStyle | (fp.StayOnTop ? WS_EX_TOPMOST : 0) | (fp.ShowInTaskbar ? WS_EX_APPWINDOW : 0);
  bool clientSized = fp.ClientWidth > 0 && fp.ClientHeight > 0;
  p.Width = Scale(fp.Width);
  p.Height = Scale(fp.Height);
  if (clientSized) {
    RECT r = {0, 0, Scale(fp.ClientWidth), Scale(fp.ClientHeight)};
    AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
    p.Width = r.right - r.left;
    p.Height = r.bottom - r.top;
  }
  p.X = fp.X;
  p.Y = fp.Y;
  // The owner form's window owns the form's; without one the application's
  // hidden window does (no taskbar button), unless the form wants a button.
  HWND ownerWindow = owner_ ? owner_->Handle() : nullptr;
  if (!ownerWindow && !fp.ShowInTaskbar)
    if (TApplication* app = TApplication::Current()) ownerWindow = app->Handle();
  p.Parent = ownerWindow;
  p.ClassStyle = fp.ClassStyle;
  p.Background = fp.Background;
  p.Icon = fp.Icon;
  Position = fp.Position;
  DialogNavigation = fp.DialogNavigation;
  if (!TWindow::Create(p)) return false;
  SetFont(font_.get());
  if (fp.Icon || fp.SmallIcon) SetIcons(fp.Icon, fp.SmallIcon ? fp.SmallIcon : fp.Icon);
  // The frame may differ from what AdjustWindowRectEx foresaw (a caption
  // drawn by the system's theme): the client area is what was asked for.
  if (clientSized) SetClientSize(Scale(fp.ClientWidth), Scale(fp.ClientHeight));
  ApplyPosition();
  return true;
}

TForm* TForm::FormOf(HWND window) {
  if (!window) return nullptr;
  if (auto* form = dynamic_cast<TForm*>(FromHandle(window))) return form;
  HWND root = GetAncestor(window, GA_ROOT);
  return root && root != window ? dynamic_cast<TForm*>(FromHandle(root)) : nullptr;
}

TForm* TForm::ActiveForm() { return FormOf(GetActiveWindow()); }

void TForm::SetClientSize(int width, int height) {
  if (!Handle()) return;
  RECT window = {}, client = {};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  int frameX = (window.right - window.left) - client.right;
  int frameY = (window.bottom - window.top) - client.bottom;
  SetWindowPos(Handle(), nullptr, 0, 0, width + frameX, height + frameY, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::CenterOver(HWND window) {
  if (Handle()) CenterWindow(Handle(), window);
}

void TForm::CenterOnScreen() {
  if (Handle()) CenterWindowOnScreen(Handle());
}

void TForm::CenterOnWorkArea() {
  RECT work = {}, self = {};
  if (!Handle() || !SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) || !GetWindowRect(Handle(), &self)) return;
  POINT p = CenteredOver(work, self);
  SetWindowPos(Handle(), nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::ApplyPosition() {
  switch (Position) {
    case TPosition::Designed: break;
    case TPosition::ScreenCenter: CenterOnScreen(); break;
    case TPosition::WorkAreaCenter: CenterOnWorkArea(); break;
    case TPosition::OwnerCenter: {
      // The first owner up the chain that has a window.
      TForm* over = owner_;
      while (over && !over->Handle()) over = over->owner_;
      CenterOver(over ? over->Handle() : nullptr);
      break;
    }
  }
}

void TForm::SetIcons(HICON big, HICON small) {
  if (!Handle()) return;
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void TForm::SetStayOnTop(bool on) {
  if (!Handle()) return;
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(Handle(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  // Wine keeps an owned window in the top-most band while its owner lies above
  // the other windows (it never goes below its owner): a hidden owner, such as
  // the application's window, goes to the bottom first, where nobody sees it.
  HWND owner = GetWindow(Handle(), GW_OWNER);
  if (!on && StayOnTop() && owner && !IsWindowVisible(owner)) {
    SetWindowPos(owner, HWND_BOTTOM, 0, 0, 0, 0, flags);
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  }
}

bool TForm::StayOnTop() const { return Handle() && (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST); }

void TForm::SetActiveControl(TWindow* control) {
  lastFocus_ = control ? control->Handle() : nullptr;
  if (lastFocus_ && Handle() && GetActiveWindow() == Handle()) SetFocus(lastFocus_);
}

void TForm::SetDefaultButton(TWindow* button) {
  auto setDefault = [](HWND b, bool on) {
    LONG style = GetWindowLongA(b, GWL_STYLE);
    LONG type = style & BS_TYPEMASK;
    if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) return;
    SendMessageA(b, BM_SETSTYLE, (style & ~BS_TYPEMASK) | (on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), TRUE);
  };
  if (IsWindow(defaultButton_)) setDefault(defaultButton_, false);
  defaultButton_ = button ? button->Handle() : nullptr;
  if (defaultButton_) setDefault(defaultButton_, true);
}

void TForm::SetCancelButton(TWindow* button) { cancelButton_ = button ? button->Handle() : nullptr; }

void TForm::SetModalResultOf(TWindow* button, int result) {
  if (!button || !button->Handle()) return;
  std::erase_if(buttonResults_, [&](const TButtonResult& b) { return b.Button == button->Handle(); });
  if (result != 0) buttonResults_.push_back({button->Handle(), result});
}

void TForm::Close() {
  if (Handle()) SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

int TForm::ShowModal() {
  TApplication* app = TApplication::Current();
  HWND self = Handle();
  if (!self || !app || inModal_ || app->Terminated()) return 0;
  HWND previous = GetActiveWindow();
  std::vector<HWND> disabled = DisableThreadWindows(self);
  modalResult_ = 0;
  inModal_ = true;
  bool ended = false;
  ApplyPosition();
  Show();
  if (!SetForegroundWindow(self)) SetActiveWindow(self);
  app->RunModalLoop(*this, [&] {
    if (!IsWindow(self)) return true;
    if (modalResult_ == 0) return false;
    ended = Guarded("TForm.CloseQuery", [&] { return CloseModal(); }, false);
    return ended;
  });
  int result = ended ? modalResult_ : 0;
  inModal_ = false;
  // The others first, so that activation can go back to one of them.
  for (HWND w : disabled)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  if (IsWindow(self)) ShowWindow(self, SW_HIDE);
  if (Usable(previous) && previous != self) SetActiveWindow(previous);
  return result;
}

bool TForm::CloseModal() {
  // Cleared while the handlers run: a refusal (or an exception) keeps the form.
  int result = std::exchange(modalResult_, 0);
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(canClose);
  if (!canClose) return false;
  TCloseAction action = TCloseAction::Hide;
  if (OnClose) OnClose(action);
  if (action == TCloseAction::None) return false;
  modalResult_ = result;
  return true;
}

void TForm::CloseWindow() {
  TCloseAction action = TCloseAction::Hide;
  if (OnClose) OnClose(action);
  if (action == TCloseAction::None) return;
  TApplication* app = TApplication::Current();
  if (app && app->MainForm() == this) app->Terminate();
  else if (action == TCloseAction::Minimize) ShowWindow(Handle(), SW_MINIMIZE);
  else Hide();
}

void TForm::AddActionList(TActionList* list) {
  if (list && std::find(actionLists_.begin(), actionLists_.end(), list) == actionLists_.end())
    actionLists_.push_back(list);
}

void TForm::RemoveActionList(TActionList* list) { std::erase(actionLists_, list); }

bool TForm::IsShortCut(WORD shortCut) {
  if (OnShortCut) {
    bool handled = false;
    auto handler = OnShortCut;
    handler(shortCut, handled);
    if (handled) return true;
  }
  auto lists = actionLists_;  // a list may go while another runs
  for (TActionList* list : lists)
    if (std::find(actionLists_.begin(), actionLists_.end(), list) != actionLists_.end() && list->IsShortCut(shortCut))
      return true;
  return false;
}

bool TForm::ExecuteLinked(HWND control, UINT id) {
  auto lists = actionLists_;
  for (TActionList* list : lists) {
    if (std::find(actionLists_.begin(), actionLists_.end(), list) == actionLists_.end()) continue;
    if (control ? list->ExecuteControl(control) : list->ExecuteCommand(id)) return true;
  }
  return false;
}

LRESULT TForm::DefaultButtonId() {
  // Enter clicks the push button that has the focus, else the default one.
  HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus) && IsPushButton(focus) && IsWindowEnabled(focus))
    return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
  if (Usable(defaultButton_)) return MAKELRESULT(GetDlgCtrlID(defaultButton_), DC_HASDEFID);
  return 0;
}

void TForm::ClickButton(HWND button) {
  if (!Usable(button)) return;
  SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

bool TForm::DialogCommand(WORD id) {
  // The dialog keys' commands come without a control when the button is not
  // a direct child (GetDlgItem finds none): Esc as IDCANCEL, Enter as the id
  // that DM_GETDEFID gave.
  if (id == IDCANCEL && Usable(cancelButton_)) {
    ClickButton(cancelButton_);
    return true;
  }
  HWND focus = GetFocus();
  for (HWND b : {focus && IsChild(Handle(), focus) && IsPushButton(focus) ? focus : nullptr, defaultButton_})
    if (Usable(b) && GetDlgCtrlID(b) == id) {
      ClickButton(b);
      return true;
    }
  return false;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ACTIVATEAPP)
    if (TApplication* app = TApplication::Current()) app->ActivateApp(wParam != 0);
  // The controls are where their anchors put them before OnResize runs.
  if (msg == WM_SIZE && wParam != SIZE_MINIMIZED) layout_.Realign();
  return TWindow::WndProc(msg, wParam, lParam);
}

bool TForm::Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_CLOSE: {
      result = 0;
      if (inModal_) {
        modalResult_ = IDCANCEL;  // the modal loop asks OnCloseQuery
        return true;
      }
      bool canClose = true;
      if (OnCloseQuery) OnCloseQuery(canClose);
      if (canClose) CloseWindow();
      return true;
    }
    case DM_GETDEFID:
      if (!DialogNavigation) return false;
      result = DefaultButtonId();
      return true;
    case WM_ACTIVATE: {
      if (!DialogNavigation) return false;
      // As a dialog box does: the control that had the focus gets it back,
      // the first one the first time.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        return false;
      }
      result = DefaultProc(msg, wParam, lParam);
      if (!HIWORD(wParam)) FocusControl();
      return true;
    }
    case WM_SETFOCUS:
      if (!DialogNavigation) return false;
      FocusControl();
      result = 0;
      return true;
    case WM_COMMAND: {
      auto control = reinterpret_cast<HWND>(lParam);
      WORD id = LOWORD(wParam), code = HIWORD(wParam);
      result = 0;
      if (control && code == BN_CLICKED) {
        // The result first: the button's own click may set it back.
        for (const TButtonResult& b : buttonResults_)
          if (b.Button == control) modalResult_ = b.Result;
        return ExecuteLinked(control, 0);
      }
      if (control) return false;
      if (DialogNavigation && DialogCommand(id)) return true;
      return code <= 1 && ExecuteLinked(nullptr, id);
    }
  }
  return false;
}

void TForm::FocusControl() {
  HWND target = lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_) ? lastFocus_ : nullptr;
  if (!target) target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
  if (target != Handle() && Usable(target)) SetFocus(target);
}

}  // namespace ui
