// A group box that holds one radio button per item, laid out in columns
// (top to bottom, then the next column). ItemIndex is the checked item (-1:
// none); OnClick fires when the user checks another one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/GroupBox.h"
#include "ui/RadioButton.h"

namespace ui {

struct TRadioGroupParams : TGroupBoxParams {
  using TGroupBoxParams::TGroupBoxParams;
  std::vector<std::string> Items;
  int ItemIndex = -1;
  int Columns = 1;
};

class TRadioGroup : public TGroupBox {
 public:
  using TParams = TRadioGroupParams;
  bool Create(const TRadioGroupParams& p);

  std::function<void()> OnClick;

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  int Count() const { return static_cast<int>(items_.size()); }
  // The radio button of item i (null when out of range).
  TRadioButton* Button(int i) const;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  virtual void Click();

 private:
  void MakeButtons();
  void Arrange();
  std::vector<std::string> items_;
  std::vector<std::unique_ptr<TRadioButton>> buttons_;
  int columns_ = 1;
  int checked_ = -1;  // the item checked when the user last checked one
  HFONT font_ = nullptr;
};

}  // namespace ui
