// Actions: commands with a caption, shortcuts, an enabled, checked and visible
// state and a hint, shown by the controls and menu items linked to them. An
// action list belongs to a form: its shortcuts run only while that form is the
// active window (a key press whose shortcut value, ui::ShortCutFromKey, is an
// enabled action's primary or secondary shortcut runs the action instead of
// reaching the window), and at idle, while the form is visible, every action's
// OnUpdate runs so that it can set its state.
//
// A linked control shows the caption (its text), the enabled and visible state
// and, for a check box or radio button, the checked state; its click runs the
// action (the form runs it on BN_CLICKED instead of the control's own click
// event). A linked menu item (a menu and an item id) shows the caption with the
// shortcut's text after a tab, the enabled and checked state; choosing it runs
// the action (the form runs it on the menu's WM_COMMAND, or ExecuteCommand for
// an id a popup returned).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Event.h"

namespace ui {

class TActionList;
class TForm;

class TAction {
 public:
  TAction() = default;
  explicit TAction(std::string_view caption, WORD shortCut = 0) : caption_(caption), shortCut_(shortCut) {}
  ~TAction();
  TAction(const TAction&) = delete;
  TAction& operator=(const TAction&) = delete;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  // The primary shortcut (shown in menus) and further ones; both may change
  // at any time.
  WORD ShortCut() const { return shortCut_; }
  void SetShortCut(WORD shortCut);
  const std::vector<WORD>& SecondaryShortCuts() const { return secondary_; }
  void SetSecondaryShortCuts(std::vector<WORD> shortCuts);
  bool HasShortCut(WORD shortCut) const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Checked() const { return checked_; }
  void SetChecked(bool on);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint);
  // Each run toggles Checked first.
  bool AutoCheck = false;

  std::function<void()> OnExecute;
  // At idle and before each run: set the state here.
  std::function<void()> OnUpdate;
  // After any change of the state (for what shows it beyond the links: a
  // tooltip that shows the hint).
  TEvent<> OnChange;

  // OnUpdate; then, when enabled, AutoCheck and OnExecute. True when it ran.
  // The action may be freed by what it runs.
  bool Execute();
  void Update();

  void LinkControl(HWND control);
  void LinkMenuItem(HMENU menu, UINT id);
  void Unlink(HWND control);
  void UnlinkMenu(HMENU menu);
  bool IsLinkedTo(HWND control) const;
  bool IsLinkedToItem(UINT id) const;

 private:
  void Changed();
  void ShowIn(HWND control) const;
  void ShowIn(HMENU menu, UINT id) const;
  std::string caption_;
  WORD shortCut_ = 0;
  std::vector<WORD> secondary_;
  bool enabled_ = true, checked_ = false, visible_ = true;
  std::string hint_;
  std::vector<HWND> controls_;
  struct TMenuLink {
    HMENU Menu;
    UINT Id;
  };
  std::vector<TMenuLink> items_;
  friend class TActionList;
  std::vector<TActionList*> lists_;  // the lists that hold it
};

class TActionList {
 public:
  explicit TActionList(TForm& form);
  ~TActionList();
  TActionList(const TActionList&) = delete;
  TActionList& operator=(const TActionList&) = delete;

  // The form it belongs to; none once the form is gone.
  TForm* Form() const { return form_; }
  void Add(TAction* action);
  void Remove(TAction* action);
  int Count() const { return static_cast<int>(actions_.size()); }
  // A suspended list runs no shortcut.
  bool Suspended = false;

  // Runs the first enabled action with this shortcut (0 never matches).
  bool IsShortCut(WORD shortCut);
  // Runs the action linked to a control or menu item; false when none is.
  bool ExecuteControl(HWND control);
  bool ExecuteCommand(UINT id);
  // Every action's update (the form's idle). OnUpdate of the list runs first
  // for each action: setting handled skips the action's own.
  void UpdateActions();
  std::function<void(TAction& action, bool& handled)> OnUpdate;

 private:
  friend class TForm;
  friend class TAction;
  void FormGone() { form_ = nullptr; }
  bool Holds(const TAction* action) const;
  TForm* form_;
  std::vector<TAction*> actions_;
  TConnection idle_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // false once freed, for loops that run actions
};

// A shortcut as menus show it ("Ctrl+S", "Shift+Ctrl+Del", "Enter", "F2"),
// and back; 0 for a text that names no shortcut.
std::string ShortCutToText(WORD shortCut);
WORD TextToShortCut(std::string_view text);

}  // namespace ui
