// Popup menus made of TMenuItem trees. Each item with children owns its
// system menu, which always shows exactly the visible children in their order:
// hiding an item takes it out of the menu, showing it puts it back at its
// place. The caption "-" makes a separator; a shortcut text stands right of
// the caption. A checked radio item unchecks the other radio items of its
// GroupIndex among its siblings; one default item per menu is drawn bold.
// Choosing an item runs its Click: AutoCheck toggles it (a radio item is
// checked), then OnClick runs.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Handles.h"

namespace ui {

class TMenuItem {
 public:
  explicit TMenuItem(std::string caption = {}, std::function<void()> onClick = {});
  ~TMenuItem();
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  std::function<void()> OnClick;
  bool AutoCheck = false;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  const std::string& ShortCutText() const { return shortCut_; }
  void SetShortCutText(std::string_view text);
  bool Checked() const { return checked_; }
  void SetChecked(bool on);
  bool RadioItem() const { return radio_; }
  void SetRadioItem(bool on);
  int GroupIndex() const { return group_; }
  void SetGroupIndex(int index) { group_ = index; }
  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  bool IsLine() const { return caption_ == "-"; }

  // Children (a submenu when there are any).
  TMenuItem* Add(std::unique_ptr<TMenuItem> item);
  TMenuItem* Add(std::string caption, std::function<void()> onClick = {});
  TMenuItem* Insert(int index, std::unique_ptr<TMenuItem> item);
  // Takes a child out; the caller owns it.
  std::unique_ptr<TMenuItem> Remove(TMenuItem* item);
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(children_.size()); }
  TMenuItem* Item(int index) const;
  int IndexOf(const TMenuItem* item) const;
  // The first child with this caption (ignoring "&"), or null.
  TMenuItem* Find(std::string_view caption) const;
  TMenuItem* Parent() const { return parent_; }

  // The item's system menu (null without children), and the id it has in
  // its parent's.
  HMENU Handle() const { return menu_.get(); }
  UINT Command() const { return command_; }
  // The item with this command among this item and below it.
  TMenuItem* FindCommand(UINT command);

  // As a choice of the user does.
  void Click();

 private:
  friend class TPopupMenu;
  void MakeMenu();
  int MenuPosition() const;  // among the visible siblings
  void Attach();             // into the parent's menu, at its place
  void Detach();             // out of the parent's menu
  void Update();             // the parent's menu entry from the fields
  void UncheckGroup();

  std::string caption_, shortCut_;
  bool checked_ = false, radio_ = false, default_ = false, enabled_ = true, visible_ = true;
  int group_ = 0;
  UINT command_;
  TMenuItem* parent_ = nullptr;
  bool attached_ = false;
  core::TUniqueMenu menu_;
  std::vector<std::unique_ptr<TMenuItem>> children_;
};

class TPopupMenu {
 public:
  TPopupMenu();
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  TMenuItem& Items() { return root_; }
  HMENU Handle() const { return root_.Handle(); }
  // Runs before the menu is shown (to enable, check or hide items).
  std::function<void()> OnPopup;

  // Shows the menu with its top left corner at a screen point (or as flags
  // say) through ui::TrackMenu (which tests replace) and waits for the
  // choice; the chosen item's Click runs before this returns. The owner (the
  // active window, else the application window, when null) takes the menu's
  // messages. The chosen item (gone again if its Click freed it), or null.
  TMenuItem* Popup(int x, int y, HWND owner = nullptr, UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON);

 private:
  TMenuItem root_;
};

}  // namespace ui
