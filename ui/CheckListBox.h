// A list of items, each with a check box (a list view of the common
// controls in report style without a header, one column as wide as the list).
// A click on an item's box or Space toggles it: OnClickCheck fires with the
// item. OnClick fires when the user selects an item.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"

namespace ui {

struct TCheckListBoxParams : TControlParams {
  using TControlParams::TControlParams;
  std::vector<std::string> Items;  // added checked when Checked is set
  bool Checked = false;
  bool Border = true;
};

class TCheckListBox : public TControl {
 public:
  using TParams = TCheckListBoxParams;
  bool Create(const TCheckListBoxParams& p);

  std::function<void(int index)> OnClickCheck;
  std::function<void()> OnClick;

  int Count() const;
  std::string Item(int index) const;
  std::vector<std::string> Items() const;
  void SetItem(int index, std::string_view text);
  int Add(std::string_view text, bool checked = false);
  int Insert(int index, std::string_view text, bool checked = false);
  void Delete(int index);
  void Clear();
  // Swaps two items, text and check together.
  void Exchange(int a, int b);

  bool Checked(int index) const;
  void SetChecked(int index, bool on);
  int ItemIndex() const;
  void SetItemIndex(int index);  // -1: none
  RECT ItemRect(int index) const;
  // The box of an item, in client coordinates.
  RECT CheckRect(int index) const;

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  virtual void ClickCheck(int index);
  virtual void Click();

 private:
  void FitColumn();
  int updating_ = 0;  // changes made from code fire nothing
};

}  // namespace ui
