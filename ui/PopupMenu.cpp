#include "ui/PopupMenu.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/Dialogs.h"

namespace ui {

namespace {
// Command ids of menu items: each item has its own, and an id is not given
// out twice while the program runs (the menus are shown with TPM_RETURNCMD,
// which answers the whole id).
UINT g_lastCommand = 0x1000;

// The caption without its "&" marks ("&&" stands for one "&"; 0x26 is never
// the second byte of a double-byte character).
std::string StripAccel(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    else if (caption[i] == '&') continue;
    out += caption[i];
  }
  return out;
}
}  // namespace

TMenuItem::TMenuItem(std::string caption, std::function<void()> onClick)
    : OnClick(std::move(onClick)), caption_(std::move(caption)), command_(++g_lastCommand) {}

// The children leave this menu first (their own menus are not destroyed with
// it), then each frees its own.
TMenuItem::~TMenuItem() {
  if (parent_) Detach();
  for (auto& c : children_) {
    c->Detach();
    c->parent_ = nullptr;
  }
  children_.clear();
  menu_.reset();
}

void TMenuItem::MakeMenu() {
  if (menu_) return;
  menu_.reset(CreatePopupMenu());
  Update();
}

int TMenuItem::MenuPosition() const {
  int pos = 0;
  if (!parent_) return 0;
  for (const auto& s : parent_->children_) {
    if (s.get() == this) break;
    if (s->attached_) ++pos;
  }
  return pos;
}

namespace {
struct TMenuInfo {
  MENUITEMINFOA mii = {};
  std::string text;
};

void FillInfo(TMenuInfo& info, const std::string& caption, const std::string& shortCut, bool line, bool radio,
                     bool checked, bool isDefault, bool enabled, UINT command, HMENU submenu) {
  info.text = shortCut.empty() ? caption : caption + "\t" + shortCut;
  MENUITEMINFOA& m = info.mii;
  m.cbSize = sizeof m;
  m.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | (line ? 0 : MIIM_STRING);
  m.fType = line ? MFT_SEPARATOR : (radio ? MFT_RADIOCHECK : MFT_STRING);
  m.fState = (checked ? MFS_CHECKED : 0) | (isDefault ? MFS_DEFAULT : 0) | (enabled ? 0 : MFS_DISABLED);
  m.wID = command;
  m.hSubMenu = submenu;
  m.dwTypeData = line ? nullptr : info.text.data();
}
}  // namespace

void TMenuItem::Attach() {
  if (!parent_ || !parent_->menu_ || attached_ || !visible_) return;
  TMenuInfo info;
  FillInfo(info, caption_, shortCut_, IsLine(), radio_, checked_, default_, enabled_, command_, menu_.get());
  if (InsertMenuItemA(parent_->menu_.get(), static_cast<UINT>(MenuPosition()), TRUE, &info.mii)) attached_ = true;
}

void TMenuItem::Detach() {
  if (!attached_ || !parent_ || !parent_->menu_) return;
  RemoveMenu(parent_->menu_.get(), static_cast<UINT>(MenuPosition()), MF_BYPOSITION);
  attached_ = false;
}

void TMenuItem::Update() {
  if (!attached_ || !parent_ || !parent_->menu_) return;
  TMenuInfo info;
  FillInfo(info, caption_, shortCut_, IsLine(), radio_, checked_, default_, enabled_, command_, menu_.get());
  SetMenuItemInfoA(parent_->menu_.get(), static_cast<UINT>(MenuPosition()), TRUE, &info.mii);
}

void TMenuItem::SetCaption(std::string_view caption) {
  caption_ = caption;
  Update();
}

void TMenuItem::SetShortCutText(std::string_view text) {
  shortCut_ = text;
  Update();
}

void TMenuItem::UncheckGroup() {
  if (!parent_) return;
  for (auto& s : parent_->children_)
    if (s.get() != this && s->radio_ && s->group_ == group_ && s->checked_) {
      s->checked_ = false;
      s->Update();
    }
}

void TMenuItem::SetChecked(bool on) {
  checked_ = on;
  if (on && radio_) UncheckGroup();
  Update();
}

void TMenuItem::SetRadioItem(bool on) {
  radio_ = on;
  if (radio_ && checked_) UncheckGroup();
  Update();
}

void TMenuItem::SetDefault(bool on) {
  if (on && parent_)
    for (auto& s : parent_->children_)
      if (s.get() != this && s->default_) {
        s->default_ = false;
        s->Update();
      }
  default_ = on;
  Update();
}

void TMenuItem::SetEnabled(bool on) {
  enabled_ = on;
  Update();
}

void TMenuItem::SetVisible(bool on) {
  visible_ = on;
  if (on) Attach();
  else Detach();
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> item) { return Insert(Count(), std::move(item)); }

TMenuItem* TMenuItem::Add(std::string caption, std::function<void()> onClick) {
  return Add(std::make_unique<TMenuItem>(std::move(caption), std::move(onClick)));
}

TMenuItem* TMenuItem::Insert(int index, std::unique_ptr<TMenuItem> item) {
  if (!item) return nullptr;
  index = std::clamp(index, 0, Count());
  MakeMenu();
  TMenuItem* raw = item.get();
  raw->parent_ = this;
  children_.insert(children_.begin() + index, std::move(item));
  raw->Attach();
  if (raw->checked_ && raw->radio_) raw->UncheckGroup();
  return raw;
}

std::unique_ptr<TMenuItem> TMenuItem::Remove(TMenuItem* item) {
  int index = IndexOf(item);
  if (index < 0) return nullptr;
  item->Detach();
  std::unique_ptr<TMenuItem> owned = std::move(children_[static_cast<size_t>(index)]);
  children_.erase(children_.begin() + index);
  owned->parent_ = nullptr;
  return owned;
}

void TMenuItem::Delete(int index) { Remove(Item(index)); }

void TMenuItem::Clear() {
  while (!children_.empty()) Delete(Count() - 1);
}

TMenuItem* TMenuItem::Item(int index) const {
  return index >= 0 && index < Count() ? children_[static_cast<size_t>(index)].get() : nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  for (size_t i = 0; i < children_.size(); ++i)
    if (children_[i].get() == item) return static_cast<int>(i);
  return -1;
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
  std::string wanted = StripAccel(caption);
  for (const auto& c : children_)
    if (StripAccel(c->caption_) == wanted) return c.get();
  return nullptr;
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
  if (command_ == command) return this;
  for (auto& c : children_)
    if (TMenuItem* found = c->FindCommand(command)) return found;
  return nullptr;
}

void TMenuItem::Click() {
  if (AutoCheck) SetChecked(radio_ ? true : !checked_);
  if (OnClick) {
    auto run = OnClick;  // the handler may free this item
    run();
  }
}

// ---- TPopupMenu

TPopupMenu::TPopupMenu() { root_.MakeMenu(); }

TMenuItem* TPopupMenu::Popup(int x, int y, HWND owner, UINT flags) {
  if (OnPopup) OnPopup();
  if (!owner) owner = GetActiveWindow();
  if (!owner) {
    TApplication* app = TApplication::Current();
    owner = app ? app->Handle() : nullptr;
  }
  TTrackMenuRequest request;
  request.Menu = root_.Handle();
  request.Owner = owner;
  request.X = x;
  request.Y = y;
  request.Flags = flags;
  UINT command = TrackMenu(request);
  TMenuItem* item = command ? root_.FindCommand(command) : nullptr;
  if (item) item->Click();
  return item;
}

}  // namespace ui
