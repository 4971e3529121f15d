#include "ui/ActionList.h"

#include <algorithm>

#include "core/Sjis.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace ui {

namespace {

constexpr WORD kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;

struct TKeyName {
  WORD Key;
  const char* Name;
};
// The names menus show for keys that are no letter, digit or function key.
constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},      {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyName(WORD key) {
  for (const TKeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  return std::string();
}

bool IsCheckButton(HWND control) {
  char cls[16] = {};
  GetClassNameA(control, cls, sizeof cls);
  if (lstrcmpiA(cls, "Button") != 0) return false;
  switch (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
      return true;
  }
  return false;
}

}  // namespace

std::string ShortCutToText(WORD shortCut) {
  std::string key = KeyName(shortCut & 0xFF);
  if (key.empty()) return std::string();
  std::string text;
  if (shortCut & kShift) text += "Shift+";
  if (shortCut & kCtrl) text += "Ctrl+";
  if (shortCut & kAlt) text += "Alt+";
  return text + key;
}

WORD TextToShortCut(std::string_view text) {
  WORD modifiers = 0;
  for (;;) {
    auto plus = text.find('+');
    if (plus == std::string_view::npos || plus + 1 >= text.size()) break;  // "Ctrl++" is no shortcut; a lone "+" is the key
    std::string_view part = text.substr(0, plus);
    if (sjis::EqualsIgnoreCase(part, "Shift")) modifiers |= kShift;
    else if (sjis::EqualsIgnoreCase(part, "Ctrl")) modifiers |= kCtrl;
    else if (sjis::EqualsIgnoreCase(part, "Alt")) modifiers |= kAlt;
    else return 0;
    text.remove_prefix(plus + 1);
  }
  for (WORD key = 1; key < 0x100; ++key) {
    std::string name = KeyName(key);
    if (!name.empty() && sjis::EqualsIgnoreCase(name, text)) return modifiers | key;
  }
  return 0;
}

// ---- TAction ---------------------------------------------------------------

TAction::~TAction() {
  for (TActionList* list : lists_) std::erase(list->actions_, this);
}

void TAction::SetCaption(std::string_view caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Changed();
}

void TAction::SetShortCut(WORD shortCut) {
  if (shortCut_ == shortCut) return;
  shortCut_ = shortCut;
  Changed();
}

void TAction::SetSecondaryShortCuts(std::vector<WORD> shortCuts) { secondary_ = std::move(shortCuts); }

bool TAction::HasShortCut(WORD shortCut) const {
  if (shortCut == 0) return false;
  return shortCut_ == shortCut || std::find(secondary_.begin(), secondary_.end(), shortCut) != secondary_.end();
}

void TAction::SetEnabled(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  Changed();
}

void TAction::SetChecked(bool on) {
  if (checked_ == on) return;
  checked_ = on;
  Changed();
}

void TAction::SetVisible(bool on) {
  if (visible_ == on) return;
  visible_ = on;
  Changed();
}

void TAction::SetHint(std::string_view hint) {
  if (hint_ == hint) return;
  hint_ = hint;
  Changed();
}

void TAction::Changed() {
  std::erase_if(controls_, [](HWND c) { return !IsWindow(c); });
  for (HWND c : controls_) ShowIn(c);
  std::erase_if(items_, [](const TMenuLink& l) { return !IsMenu(l.Menu); });
  for (const TMenuLink& l : items_) ShowIn(l.Menu, l.Id);
  OnChange();
}

void TAction::ShowIn(HWND control) const {
  if (GetWindowTextLengthA(control) != static_cast<int>(caption_.size()) || [&] {
        std::string text(caption_.size() + 1, '\0');
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
        return text.c_str() != caption_;
      }())
    SetWindowTextA(control, caption_.c_str());
  if ((IsWindowEnabled(control) != FALSE) != enabled_) EnableWindow(control, enabled_ ? TRUE : FALSE);
  bool shown = (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != visible_) ShowWindow(control, visible_ ? SW_SHOWNA : SW_HIDE);
  if (IsCheckButton(control)) SendMessageA(control, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TAction::ShowIn(HMENU menu, UINT id) const {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  if (!GetMenuItemInfoA(menu, id, FALSE, &info)) return;
  std::string text = caption_;
  if (std::string keys = ShortCutToText(shortCut_); !keys.empty()) text += "\t" + keys;
  info.fMask = MIIM_STATE | MIIM_STRING;
  // The item's default mark stays as it is.
  info.fState = (info.fState & MFS_DEFAULT) | (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : MFS_UNCHECKED);
  info.dwTypeData = text.data();
  SetMenuItemInfoA(menu, id, FALSE, &info);
}

void TAction::LinkControl(HWND control) {
  if (!control || IsLinkedTo(control)) return;
  controls_.push_back(control);
  ShowIn(control);
}

void TAction::LinkMenuItem(HMENU menu, UINT id) {
  if (!menu) return;
  for (const TMenuLink& l : items_)
    if (l.Menu == menu && l.Id == id) return;
  items_.push_back({menu, id});
  ShowIn(menu, id);
}

void TAction::Unlink(HWND control) { std::erase(controls_, control); }
void TAction::UnlinkMenu(HMENU menu) { std::erase_if(items_, [&](const TMenuLink& l) { return l.Menu == menu; }); }

bool TAction::IsLinkedTo(HWND control) const {
  return std::find(controls_.begin(), controls_.end(), control) != controls_.end();
}

bool TAction::IsLinkedToItem(UINT id) const {
  return std::any_of(items_.begin(), items_.end(), [&](const TMenuLink& l) { return l.Id == id; });
}

void TAction::Update() {
  if (OnUpdate) {
    auto update = OnUpdate;
    update();
  }
}

bool TAction::Execute() {
  Update();
  if (!enabled_ || (!OnExecute && !AutoCheck)) return false;
  if (AutoCheck) SetChecked(!checked_);
  if (!OnExecute) return true;
  auto run = OnExecute;  // what it runs may free the action
  run();
  return true;
}

// ---- TActionList -------------------------------------------------------------

TActionList::TActionList(TForm& form) : form_(&form) {
  form.AddActionList(this);
  if (TApplication* app = TApplication::Current())
    idle_ = app->OnIdle.Add([this](bool&) {
      if (form_ && form_->Visible()) UpdateActions();
    });
}

TActionList::~TActionList() {
  *alive_ = false;
  for (TAction* a : actions_) std::erase(a->lists_, this);
  if (form_) form_->RemoveActionList(this);
}

bool TActionList::Holds(const TAction* action) const {
  return std::find(actions_.begin(), actions_.end(), action) != actions_.end();
}

void TActionList::Add(TAction* action) {
  if (!action || Holds(action)) return;
  actions_.push_back(action);
  action->lists_.push_back(this);
}

void TActionList::Remove(TAction* action) {
  if (!Holds(action)) return;
  std::erase(actions_, action);
  std::erase(action->lists_, this);
}

bool TActionList::IsShortCut(WORD shortCut) {
  if (Suspended || shortCut == 0) return false;
  auto alive = alive_;
  auto snapshot = actions_;
  for (TAction* a : snapshot) {
    if (!*alive) return false;
    if (!Holds(a) || !a->HasShortCut(shortCut)) continue;
    a->Update();
    if (!*alive || !Holds(a)) continue;
    if (a->Enabled() && (a->OnExecute || a->AutoCheck)) return a->Execute();
  }
  return false;
}

bool TActionList::ExecuteControl(HWND control) {
  for (TAction* a : actions_)
    if (a->IsLinkedTo(control)) {
      a->Execute();
      return true;  // the action owns the control's click, enabled or not
    }
  return false;
}

bool TActionList::ExecuteCommand(UINT id) {
  for (TAction* a : actions_)
    if (a->IsLinkedToItem(id)) {
      a->Execute();
      return true;
    }
  return false;
}

void TActionList::UpdateActions() {
  auto alive = alive_;
  auto snapshot = actions_;
  for (TAction* a : snapshot) {
    if (!*alive) return;
    if (!Holds(a)) continue;
    bool handled = false;
    if (OnUpdate) {
      auto update = OnUpdate;
      update(*a, handled);
    }
    if (*alive && !handled && Holds(a)) a->Update();
  }
}

}  // namespace ui
