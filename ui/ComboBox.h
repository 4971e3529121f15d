// A combo box of the system class "COMBOBOX": an editable one (a text box
// with a drop-down list) or a pure list. Events: OnChange when the text
// changes by typing or by the user's choice, OnClick and OnSelect when the
// user chooses an item (in that order, before OnChange), OnDropDown and
// OnCloseUp around the list; the window's OnKeyDown and OnKeyPress see the
// keys typed into it, in the text box of an editable one too. With AutoDropDown the list opens
// when the user types a character.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"

namespace ui {

enum class TComboBoxStyle { DropDown, DropDownList };

struct TComboBoxParams : TControlParams {
  using TControlParams::TControlParams;
  TComboBoxStyle ComboStyle = TComboBoxStyle::DropDown;
  std::vector<std::string> Items;
  int ItemIndex = -1;
  bool Sorted = false;
  bool AutoDropDown = false;
  int DropDownCount = 8;  // lines the open list shows
};

class TComboBox : public TControl {
 public:
  using TParams = TComboBoxParams;
  TComboBox() = default;
  ~TComboBox() override;
  bool Create(const TComboBoxParams& p);

  std::function<void()> OnChange;
  std::function<void()> OnClick;
  std::function<void()> OnSelect;
  std::function<void()> OnDropDown;
  std::function<void()> OnCloseUp;

  std::string Text() const { return Caption(); }
  void SetText(std::string_view text) { SetCaption(text); }
  int ItemIndex() const;
  void SetItemIndex(int index);  // -1: none (the text of an editable box stays)
  int Count() const;
  std::string Item(int index) const;
  std::vector<std::string> Items() const;
  void SetItems(const std::vector<std::string>& items);
  // Adds at the end (in sorted place when sorted); the index it got.
  int Add(std::string_view text);
  int Insert(int index, std::string_view text);
  void Delete(int index);
  void Clear();
  // The first item equal to the text (letter case ignored, as the control
  // compares), or -1.
  int IndexOf(std::string_view text) const;

  bool DroppedDown() const;
  void SetDroppedDown(bool on);
  bool AutoDropDown = false;
  TComboBoxStyle ComboStyle() const { return style_; }
  // The text box of an editable combo box (null for a list).
  HWND EditHandle() const { return edit_; }

 protected:
  void CommandNotify(WORD code) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  virtual void Change();
  virtual void Click();
  virtual void Select();
  // The key filters of both the combo box and its text box; true: eaten.
  bool KeyDown(WORD& key);
  bool KeyPress(char& key);

 private:
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  TComboBoxStyle style_ = TComboBoxStyle::DropDown;
  HWND edit_ = nullptr;
};

}  // namespace ui
