#include "ui/RadioGroup.h"

namespace ui {

bool TRadioGroup::Create(const TRadioGroupParams& p) {
  items_ = p.Items;
  columns_ = p.Columns > 0 ? p.Columns : 1;
  font_ = p.Font;
  TGroupBoxParams g = p;
  g.Font = nullptr;  // given to the buttons below, with the group box's own
  if (!TGroupBox::Create(g)) return false;
  if (p.Font) SetFont(p.Font);
  MakeButtons();
  SetItemIndex(p.ItemIndex);
  return true;
}

void TRadioGroup::SetItems(std::vector<std::string> items) {
  int keep = ItemIndex();
  items_ = std::move(items);
  MakeButtons();
  SetItemIndex(keep < Count() ? keep : -1);
}

void TRadioGroup::MakeButtons() {
  buttons_.clear();
  if (!Handle()) return;
  for (size_t i = 0; i < items_.size(); ++i) {
    auto b = std::make_unique<TRadioButton>();
    TRadioButtonParams p(Handle(), items_[i], 0, 0, 10, 10);
    p.Style = WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (IsWindowEnabled(Handle()) ? 0 : WS_DISABLED);
    p.Font = font_;
    if (!b->Create(p)) continue;
    int index = static_cast<int>(i);
    b->OnClick = [this, index] {
      // A click on the item already checked changes nothing.
      if (!Button(index) || !Button(index)->Checked() || index == checked_) return;
      checked_ = index;
      Click();
    };
    buttons_.push_back(std::move(b));
  }
  Arrange();
}

// Below the caption the height is shared evenly by the rows, the width by the
// columns, as the toolkit's radio groups do it.
void TRadioGroup::Arrange() {
  if (!Handle() || buttons_.empty()) return;
  RECT r = ClientRect();
  int n = static_cast<int>(buttons_.size());
  int perColumn = (n + columns_ - 1) / columns_;
  int lineHeight = LineHeight(font_);
  int width = (r.right - 10) / columns_;
  int space = r.bottom - lineHeight - 5;
  int height = space / perColumn;
  int top = lineHeight + 1 + (space % perColumn) / 2;
  for (int i = 0; i < n; ++i)
    MoveWindow(buttons_[i]->Handle(), (i / perColumn) * width + 8, (i % perColumn) * height + top, width, height, TRUE);
}

int TRadioGroup::ItemIndex() const {
  for (size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i]->Checked()) return static_cast<int>(i);
  return -1;
}

void TRadioGroup::SetItemIndex(int index) {
  if (index >= 0 && index < static_cast<int>(buttons_.size())) {
    buttons_[index]->SetChecked(true);
    checked_ = index;
    return;
  }
  for (auto& b : buttons_) b->SetChecked(false);
  checked_ = -1;
}

void TRadioGroup::SetColumns(int columns) {
  columns_ = columns > 0 ? columns : 1;
  Arrange();
}

TRadioButton* TRadioGroup::Button(int i) const {
  return i >= 0 && i < static_cast<int>(buttons_.size()) ? buttons_[i].get() : nullptr;
}

void TRadioGroup::Click() {
  if (OnClick) OnClick();
}

LRESULT TRadioGroup::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE: {
      LRESULT r = TGroupBox::WndProc(msg, wParam, lParam);
      Arrange();
      return r;
    }
    case WM_SETFONT: {
      font_ = reinterpret_cast<HFONT>(wParam);
      for (auto& b : buttons_) b->SetFont(font_);
      LRESULT r = TGroupBox::WndProc(msg, wParam, lParam);
      Arrange();
      return r;
    }
    case WM_ENABLE:
      // The buttons show that they cannot be used.
      for (auto& b : buttons_) EnableWindow(b->Handle(), static_cast<BOOL>(wParam));
      break;
  }
  return TGroupBox::WndProc(msg, wParam, lParam);
}

}  // namespace ui
