// A list view of the common controls (SysListView32) in one of its views:
// report (rows with columns under a header), large icons, small icons or a
// list. Items are addressed by index; each has a caption, texts for the
// further columns, an image and a number of the caller's. OnSelectItem fires
// when an item is selected or loses the selection, by the user or from code
// (the control reports both; index -1 stands for all items at once).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/Control.h"
#include "ui/Label.h"

namespace ui {

class TImageList;

enum class TViewStyle { Icon, SmallIcon, List, Report };

struct TListViewParams : TControlParams {
  using TControlParams::TControlParams;
  TViewStyle ViewStyle = TViewStyle::Report;
  bool RowSelect = true;
  bool GridLines = false;
  bool MultiSelect = false;
  bool HideSelection = false;
  bool ReadOnly = true;  // no label editing
  bool AutoArrange = true;
  bool ShowColumnHeaders = true;
  bool Border = true;
};

class TListView : public TControl {
 public:
  using TParams = TListViewParams;
  bool Create(const TListViewParams& p);

  std::function<void(int index, bool selected)> OnSelectItem;
  std::function<void()> OnDblClick;
  std::function<void(int column)> OnColumnClick;

  TViewStyle ViewStyle() const;
  void SetViewStyle(TViewStyle style);
  void SetLargeImages(TImageList* images);
  void SetSmallImages(TImageList* images);

  int AddColumn(std::string_view caption, int width, TAlignment alignment = TAlignment::Left);
  int ColumnCount() const;
  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);

  int Count() const;
  // Adds at the end (or at index); the index it got, -1 on failure.
  int AddItem(std::string_view caption, int imageIndex = -1);
  int InsertItem(int index, std::string_view caption, int imageIndex = -1);
  void Delete(int index);
  void Clear();
  std::string Caption(int index) const { return SubItem(index, 0); }
  void SetCaption(int index, std::string_view text) { SetSubItem(index, 0, text); }
  // Column 0 is the caption.
  std::string SubItem(int index, int column) const;
  void SetSubItem(int index, int column, std::string_view text);
  int ImageIndex(int index) const;
  void SetImageIndex(int index, int imageIndex);
  std::intptr_t Data(int index) const;
  void SetData(int index, std::intptr_t data);
  // The first item whose caption is the text (letter case ignored), or -1.
  int FindCaption(std::string_view text) const;

  int ItemIndex() const;  // the first selected item, or -1
  void SetItemIndex(int index);  // selects and focuses one item (-1: none)
  bool IsSelected(int index) const;
  int SelCount() const;
  void MakeVisible(int index);
  // The item at a point of the client area, or -1.
  int ItemAt(int x, int y) const;
  RECT ItemRect(int index, int part = LVIR_BOUNDS) const;

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;

 private:
  TImageList* large_ = nullptr;
  TImageList* small_ = nullptr;
};

}  // namespace ui
