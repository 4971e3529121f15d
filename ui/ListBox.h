// A list box of the system class "LISTBOX" with one selected item. A sorted
// list keeps its items in order, letter case ignored, wherever they are
// added; Insert puts an item at a place only in an unsorted list. OnClick
// fires when the user selects an item (mouse or keys), OnDblClick on a double
// click on an item.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"

namespace ui {

struct TListBoxParams : TControlParams {
  using TControlParams::TControlParams;
  bool Sorted = false;
  std::vector<std::string> Items;
  bool Border = true;
};

class TListBox : public TControl {
 public:
  using TParams = TListBoxParams;
  bool Create(const TListBoxParams& p);

  std::function<void()> OnClick;
  std::function<void()> OnDblClick;

  bool Sorted() const;
  int Count() const;
  std::string Item(int index) const;
  std::vector<std::string> Items() const;
  void SetItems(const std::vector<std::string>& items);
  // Adds at the end, or in sorted place; the index it got (-1 on failure).
  int Add(std::string_view text);
  int Insert(int index, std::string_view text);
  // Replaces the text of an item (a sorted list moves it to its place); the
  // index it has then.
  int SetItem(int index, std::string_view text);
  void Delete(int index);
  void Clear();
  // The first item equal to the text, letter case ignored, or -1.
  int IndexOf(std::string_view text) const;
  int ItemIndex() const;
  void SetItemIndex(int index);  // -1: none
  int TopIndex() const;
  void SetTopIndex(int index);
  // The item at a point of the client area, or -1.
  int ItemAtPos(int x, int y) const;
  RECT ItemRect(int index) const;

 protected:
  void CommandNotify(WORD code) override;
  virtual void Click();
  virtual void DblClick();
};

}  // namespace ui
