#include "ui/ImageList.h"

namespace ui {

TImageList::TImageList(int width, int height) : width_(width), height_(height) {
  list_ = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4);
}

TImageList::~TImageList() {
  if (list_) ImageList_Destroy(list_);
}

int TImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

int TImageList::AddIcon(HICON icon) { return list_ && icon ? ImageList_AddIcon(list_, icon) : -1; }

int TImageList::Add(HBITMAP image, HBITMAP mask) { return list_ && image ? ImageList_Add(list_, image, mask) : -1; }

int TImageList::AddMasked(HBITMAP image, COLORREF maskColor) {
  return list_ && image ? ImageList_AddMasked(list_, image, maskColor) : -1;
}

bool TImageList::ReplaceIcon(int index, HICON icon) {
  return list_ && icon && index >= 0 && index < Count() && ImageList_ReplaceIcon(list_, index, icon) == index;
}

void TImageList::Delete(int index) {
  if (list_ && index >= 0 && index < Count()) ImageList_Remove(list_, index);
}

void TImageList::Clear() {
  if (list_) ImageList_Remove(list_, -1);
}

core::TUniqueIcon TImageList::GetIcon(int index) const {
  if (!list_ || index < 0 || index >= Count()) return core::TUniqueIcon();
  return core::TUniqueIcon(ImageList_GetIcon(list_, index, ILD_NORMAL));
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
  if (list_ && index >= 0 && index < Count()) ImageList_Draw(list_, index, dc, x, y, ILD_NORMAL);
}

void TImageList::SetBkColor(COLORREF color) {
  if (list_) ImageList_SetBkColor(list_, color);
}

}  // namespace ui
