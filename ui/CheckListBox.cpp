#include "ui/CheckListBox.h"

#include <commctrl.h>

#include "core/ScopeGuard.h"

namespace ui {

namespace {
// Changes made from code fire nothing while the counter is up.
auto Updating(int& counter) {
  ++counter;
  return core::ScopeExit([&counter] { --counter; });
}
}  // namespace

bool TCheckListBox::Create(const TCheckListBoxParams& p) {
  DWORD kind = LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  if (!CreateControl(p, WC_LISTVIEWA, kind, p.Border ? WS_EX_CLIENTEDGE : 0)) return false;
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
               LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNA col = {};
  col.mask = LVCF_WIDTH;
  col.cx = 100;
  SendMessageA(Handle(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col));
  FitColumn();
  for (const auto& item : p.Items) Add(item, p.Checked);
  return true;
}

void TCheckListBox::FitColumn() {
  if (Handle()) SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, 0, ClientRect().right);
}

int TCheckListBox::Count() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0)) : 0; }

std::string TCheckListBox::Item(int index) const {
  if (!Handle() || index < 0 || index >= Count()) return std::string();
  std::string text(1024, '\0');
  LVITEMA item = {};
  item.iSubItem = 0;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  LRESULT n = SendMessageA(Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

std::vector<std::string> TCheckListBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0, n = Count(); i < n; ++i) items.push_back(Item(i));
  return items;
}

void TCheckListBox::SetItem(int index, std::string_view text) {
  if (!Handle()) return;
  std::string s(text);
  LVITEMA item = {};
  item.iSubItem = 0;
  item.pszText = s.data();
  SendMessageA(Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int TCheckListBox::Add(std::string_view text, bool checked) { return Insert(Count(), text, checked); }

int TCheckListBox::Insert(int index, std::string_view text, bool checked) {
  if (!Handle()) return -1;
  auto updating = Updating(updating_);
  std::string s(text);
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = s.data();
  int at = static_cast<int>(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (at >= 0) SetChecked(at, checked);
  return at;
}

void TCheckListBox::Delete(int index) {
  auto updating = Updating(updating_);
  if (Handle()) SendMessageA(Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void TCheckListBox::Clear() {
  auto updating = Updating(updating_);
  if (Handle()) SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

void TCheckListBox::Exchange(int a, int b) {
  if (a < 0 || b < 0 || a >= Count() || b >= Count() || a == b) return;
  std::string ta = Item(a), tb = Item(b);
  bool ca = Checked(a), cb = Checked(b);
  SetItem(a, tb);
  SetItem(b, ta);
  SetChecked(a, cb);
  SetChecked(b, ca);
}

bool TCheckListBox::Checked(int index) const {
  if (!Handle()) return false;
  UINT state = static_cast<UINT>(SendMessageA(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK));
  return (state >> 12) == 2;
}

void TCheckListBox::SetChecked(int index, bool on) {
  if (!Handle()) return;
  auto updating = Updating(updating_);
  LVITEMA item = {};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
  SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int TCheckListBox::ItemIndex() const {
  return Handle() ? static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) : -1;
}

void TCheckListBox::SetItemIndex(int index) {
  if (!Handle()) return;
  auto updating = Updating(updating_);
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (index < 0 || index >= Count()) return;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

RECT TCheckListBox::ItemRect(int index) const {
  RECT r = {};
  r.left = LVIR_BOUNDS;
  if (Handle()) SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

RECT TCheckListBox::CheckRect(int index) const {
  RECT label = {};
  label.left = LVIR_ICON;  // the check box stands left of the (empty) icon place
  if (Handle()) SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&label));
  RECT bounds = ItemRect(index);
  RECT r = {bounds.left, bounds.top, label.left, bounds.bottom};
  if (r.right <= r.left) r.right = r.left + GetSystemMetrics(SM_CXSMICON);
  return r;
}

bool TCheckListBox::Notify(NMHDR& header, LRESULT& result) {
  if (header.code != LVN_ITEMCHANGED || updating_) return false;
  auto& nm = reinterpret_cast<NMLISTVIEW&>(header);
  if (!(nm.uChanged & LVIF_STATE) || nm.iItem < 0) return false;
  // A new item gets its box from the control itself (state image 0 to 1).
  UINT oldCheck = (nm.uOldState & LVIS_STATEIMAGEMASK) >> 12, newCheck = (nm.uNewState & LVIS_STATEIMAGEMASK) >> 12;
  if (oldCheck != newCheck && oldCheck != 0) ClickCheck(nm.iItem);
  if ((nm.uNewState & LVIS_SELECTED) && !(nm.uOldState & LVIS_SELECTED)) Click();
  result = 0;
  return true;
}

LRESULT TCheckListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE) {
    LRESULT r = TControl::WndProc(msg, wParam, lParam);
    FitColumn();
    return r;
  }
  return TControl::WndProc(msg, wParam, lParam);
}

void TCheckListBox::ClickCheck(int index) { if (OnClickCheck) OnClickCheck(index); }
void TCheckListBox::Click() { if (OnClick) OnClick(); }

}  // namespace ui
