#include "editor/SelectButton.h"

#include "editor/MenuAccelerators.h"

bool TSelectButton::Create(const TSelectButtonParams& p) {
  if (!ui::TButton::Create(p)) return false;
  RebuildMenu();
  return true;
}

void TSelectButton::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  RebuildMenu();
}

void TSelectButton::RebuildMenu() {
  ui::TMenuItem& root = menu_.Items();
  root.Clear();
  std::vector<std::string> lines;
  for (const auto& line : items_)
    if (!line.empty()) lines.push_back(line);
  lines = WithAutoAccelerators(lines);
  for (size_t i = 0; i < lines.size(); ++i) {
    ui::TMenuItem* entry = root.Add(lines[i]);
    entry->SetRadioItem(true);
    entry->SetChecked(i == 0);
    entry->OnClick = [this, entry] { Choose(entry); };
  }
}

int TSelectButton::Selected() const {
  ui::TMenuItem& root = menu_.Items();
  for (int i = 0; i < root.Count(); ++i)
    if (root.Item(i)->Checked()) return i;
  return -1;
}

void TSelectButton::SetSelected(int index) {
  ui::TMenuItem& root = menu_.Items();
  int n = root.Count();
  if (n == 0) return;
  if (index < 0 || index >= n) index = 0;
  for (int i = 0; i < n; ++i) root.Item(i)->SetChecked(i == index);
}

void TSelectButton::Choose(ui::TMenuItem* entry) {
  ui::TMenuItem& root = menu_.Items();
  for (int i = 0; i < root.Count(); ++i) root.Item(i)->SetChecked(root.Item(i) == entry);
  if (OnClick) OnClick();
}

void TSelectButton::DoClick() {
  if (!Handle()) return;
  RECT r = {};
  GetWindowRect(Handle(), &r);
  SendMessageA(Handle(), BM_SETSTATE, TRUE, 0);
  HWND self = Handle();
  menu_.Popup(r.left, r.bottom, GetAncestor(self, GA_ROOT));
  if (IsWindow(self)) SendMessageA(self, BM_SETSTATE, FALSE, 0);
}
