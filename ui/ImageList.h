// A list of images of one size (an image list of the common controls, 32-bit
// colour with masks), for the tree view, the list view and menus. The list
// owns its images: it copies what is added. Controls that show it do not own
// it; it must outlive them or be taken from them first.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "core/Handles.h"

namespace ui {

class TImageList {
 public:
  TImageList(int width, int height);
  ~TImageList();
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  HIMAGELIST Handle() const { return list_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const;

  // The index of the image added, or -1 (no icon, or it could not be added).
  int AddIcon(HICON icon);
  int Add(HBITMAP image, HBITMAP mask = nullptr);
  // A bitmap whose pixels of the mask colour are transparent.
  int AddMasked(HBITMAP image, COLORREF maskColor);
  bool ReplaceIcon(int index, HICON icon);
  void Delete(int index);
  void Clear();
  // A copy of image i as an icon (empty when out of range).
  core::TUniqueIcon GetIcon(int index) const;
  void Draw(HDC dc, int x, int y, int index) const;
  // The colour behind the images where they are transparent (CLR_NONE: none).
  void SetBkColor(COLORREF color);

 private:
  HIMAGELIST list_ = nullptr;
  int width_, height_;
};

}  // namespace ui
