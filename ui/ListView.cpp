#include "ui/ListView.h"

#include "ui/ImageList.h"

namespace ui {

namespace {
constexpr int kTextMax = 1024;

DWORD ViewBits(TViewStyle style) {
  switch (style) {
    case TViewStyle::Icon: return LVS_ICON;
    case TViewStyle::SmallIcon: return LVS_SMALLICON;
    case TViewStyle::List: return LVS_LIST;
    case TViewStyle::Report: return LVS_REPORT;
  }
  return LVS_REPORT;
}
}  // namespace

bool TListView::Create(const TListViewParams& p) {
  // The image lists belong to the caller: LVS_SHAREIMAGELISTS keeps the
  // control from destroying them.
  DWORD kind = ViewBits(p.ViewStyle) | LVS_SHAREIMAGELISTS;
  if (!p.MultiSelect) kind |= LVS_SINGLESEL;
  if (!p.HideSelection) kind |= LVS_SHOWSELALWAYS;
  if (!p.ReadOnly) kind |= LVS_EDITLABELS;
  if (p.AutoArrange) kind |= LVS_AUTOARRANGE;
  if (!p.ShowColumnHeaders) kind |= LVS_NOCOLUMNHEADER;
  if (!CreateControl(p, WC_LISTVIEWA, kind, p.Border ? WS_EX_CLIENTEDGE : 0)) return false;
  DWORD ex = (p.RowSelect ? LVS_EX_FULLROWSELECT : 0) | (p.GridLines ? LVS_EX_GRIDLINES : 0);
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, ex);
  return true;
}

TViewStyle TListView::ViewStyle() const {
  DWORD bits = Handle() ? (GetWindowLongA(Handle(), GWL_STYLE) & LVS_TYPEMASK) : LVS_REPORT;
  switch (bits) {
    case LVS_ICON: return TViewStyle::Icon;
    case LVS_SMALLICON: return TViewStyle::SmallIcon;
    case LVS_LIST: return TViewStyle::List;
  }
  return TViewStyle::Report;
}

void TListView::SetViewStyle(TViewStyle style) {
  if (!Handle()) return;
  LONG s = GetWindowLongA(Handle(), GWL_STYLE);
  SetWindowLongA(Handle(), GWL_STYLE, (s & ~LVS_TYPEMASK) | ViewBits(style));
}

void TListView::SetLargeImages(TImageList* images) {
  large_ = images;
  if (Handle()) SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TListView::SetSmallImages(TImageList* images) {
  small_ = images;
  if (Handle()) SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

int TListView::AddColumn(std::string_view caption, int width, TAlignment alignment) {
  if (!Handle()) return -1;
  std::string s(caption);
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  col.fmt = alignment == TAlignment::Center ? LVCFMT_CENTER : alignment == TAlignment::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
  col.cx = width;
  col.pszText = s.data();
  int at = ColumnCount();
  col.iSubItem = at;
  LRESULT r = SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&col));
  return r < 0 ? -1 : static_cast<int>(r);
}

int TListView::ColumnCount() const {
  if (!Handle()) return 0;
  HWND header = reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0));
  return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int TListView::ColumnWidth(int column) const {
  return Handle() ? static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)) : 0;
}

void TListView::SetColumnWidth(int column, int width) {
  if (Handle()) SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width);
}

int TListView::Count() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0)) : 0; }

int TListView::AddItem(std::string_view caption, int imageIndex) { return InsertItem(Count(), caption, imageIndex); }

int TListView::InsertItem(int index, std::string_view caption, int imageIndex) {
  if (!Handle()) return -1;
  std::string s(caption);
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = index;
  item.pszText = s.data();
  item.iImage = imageIndex < 0 ? I_IMAGENONE : imageIndex;
  LRESULT r = SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return r < 0 ? -1 : static_cast<int>(r);
}

void TListView::Delete(int index) { if (Handle()) SendMessageA(Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0); }
void TListView::Clear() { if (Handle()) SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0); }

std::string TListView::SubItem(int index, int column) const {
  if (!Handle() || index < 0 || index >= Count()) return std::string();
  std::string text(kTextMax, '\0');
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = kTextMax;
  LRESULT n = SendMessageA(Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

void TListView::SetSubItem(int index, int column, std::string_view text) {
  if (!Handle()) return;
  std::string s(text);
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = s.data();
  SendMessageA(Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int TListView::ImageIndex(int index) const {
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  if (!Handle() || !SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage < 0 ? -1 : item.iImage;
}

void TListView::SetImageIndex(int index, int imageIndex) {
  if (!Handle()) return;
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iImage = imageIndex < 0 ? I_IMAGENONE : imageIndex;
  SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

std::intptr_t TListView::Data(int index) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!Handle() || !SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return static_cast<std::intptr_t>(item.lParam);
}

void TListView::SetData(int index, std::intptr_t data) {
  if (!Handle()) return;
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = static_cast<LPARAM>(data);
  SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int TListView::FindCaption(std::string_view text) const {
  if (!Handle()) return -1;
  std::string s(text);
  LVFINDINFOA find = {};
  find.flags = LVFI_STRING;
  find.psz = s.c_str();
  return static_cast<int>(SendMessageA(Handle(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int TListView::ItemIndex() const {
  return Handle() ? static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) : -1;
}

void TListView::SetItemIndex(int index) {
  if (!Handle()) return;
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (index < 0 || index >= Count()) return;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  MakeVisible(index);
}

bool TListView::IsSelected(int index) const {
  return Handle() && (SendMessageA(Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED) & LVIS_SELECTED);
}

int TListView::SelCount() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0)) : 0; }

void TListView::MakeVisible(int index) {
  if (Handle()) SendMessageA(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

int TListView::ItemAt(int x, int y) const {
  if (!Handle()) return -1;
  LVHITTESTINFO info = {};
  info.pt = {x, y};
  LRESULT r = SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
  return (info.flags & LVHT_ONITEM) ? static_cast<int>(r) : -1;
}

RECT TListView::ItemRect(int index, int part) const {
  RECT r = {};
  r.left = part;
  if (Handle()) SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

bool TListView::Notify(NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case LVN_ITEMCHANGED: {
      auto& nm = reinterpret_cast<NMLISTVIEW&>(header);
      if (!(nm.uChanged & LVIF_STATE) || !OnSelectItem) return false;
      bool was = nm.uOldState & LVIS_SELECTED, is = nm.uNewState & LVIS_SELECTED;
      if (was == is) return false;
      OnSelectItem(nm.iItem, is);
      result = 0;
      return true;
    }
    case LVN_COLUMNCLICK:
      if (OnColumnClick) OnColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
      return true;
    case NM_DBLCLK:
      if (OnDblClick) OnDblClick();
      return false;
  }
  return false;
}

}  // namespace ui
