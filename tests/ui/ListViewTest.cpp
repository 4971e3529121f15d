// The list view in report and large-icon views, with image lists.
#include "ui/ListView.h"

#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/ControlsFixture.h"
#include "ui/ImageList.h"

namespace {

using ListViewTest = ControlsTest;
using ImageListTest = ControlsTest;

core::TUniqueIcon SystemIcon(LPCSTR id, int size) {
  return core::TUniqueIcon(static_cast<HICON>(CopyImage(LoadIconA(nullptr, id), IMAGE_ICON, size, size, 0)));
}

TEST_F(ListViewTest, ReportRowsHoldTheirColumnsAndReportTheSelection) {
  ui::TListView view;
  ui::TListViewParams p(Form(), "", 10, 10, 420, 200);
  p.Font = font;
  ASSERT_TRUE(view.Create(p));
  EXPECT_EQ(view.AddColumn("キーワード", 160), 0);
  EXPECT_EQ(view.AddColumn("ショートカット", 120), 1);
  EXPECT_EQ(view.AddColumn("有効範囲", 120, ui::TAlignment::Right), 2);
  EXPECT_EQ(view.ColumnCount(), 3);
  const std::vector<std::vector<std::string>> rows = {
      {"メモ帳", "Ctrl+Alt+N", "常駐時いつでも有効"},
      {"表示ソ", "なし", "アクティブ時いつでも有効"},
      {"calc", "Win+C", "常駐時いつでも有効"},
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    int at = view.AddItem(rows[i][0]);
    EXPECT_EQ(at, static_cast<int>(i));
    view.SetSubItem(at, 1, rows[i][1]);
    view.SetSubItem(at, 2, rows[i][2]);
    view.SetData(at, static_cast<std::intptr_t>(100 + i));
  }
  for (size_t i = 0; i < rows.size(); ++i)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(view.SubItem(static_cast<int>(i), c), rows[i][static_cast<size_t>(c)]);
  EXPECT_EQ(view.Data(2), 102);
  EXPECT_EQ(view.FindCaption("表示ソ"), 1);
  EXPECT_EQ(view.FindCaption("CALC"), 2) << "letter case ignored";

  std::vector<std::string> seen;
  view.OnSelectItem = [&](int i, bool selected) { seen.push_back(std::to_string(i) + (selected ? "+" : "-")); };
  int doubles = 0;
  view.OnDblClick = [&] { ++doubles; };
  view.SetItemIndex(0);
  EXPECT_EQ(seen, (std::vector<std::string>{"0+"})) << "the control reports a selection made from code";
  seen.clear();
  RECT row = view.ItemRect(2);
  ClickAt(view.Handle(), row.left + 200, (row.top + row.bottom) / 2);
  EXPECT_EQ(view.ItemIndex(), 2) << "a click on another column selects the whole row";
  EXPECT_NE(std::find(seen.begin(), seen.end(), "0-"), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), "2+"), seen.end());
  Press({VK_UP});
  EXPECT_EQ(view.ItemIndex(), 1);
  EXPECT_EQ(view.SelCount(), 1);
  EXPECT_EQ(view.ItemAt(row.left + 10, (row.top + row.bottom) / 2), 2);
  EXPECT_EQ(view.ItemAt(row.left + 10, 190), -1);
  DoubleClickAt(view.Handle(), row.left + 10, (row.top + row.bottom) / 2);
  EXPECT_EQ(doubles, 1);

  // Swapping two rows' texts, as the settings page moves a hotkey up.
  for (int c = 0; c < 3; ++c) {
    std::string a = view.SubItem(0, c), b = view.SubItem(1, c);
    view.SetSubItem(0, c, b);
    view.SetSubItem(1, c, a);
  }
  EXPECT_EQ(view.Caption(0), "表示ソ");
  EXPECT_EQ(view.SubItem(1, 2), "常駐時いつでも有効");
  view.Delete(0);
  EXPECT_EQ(view.Count(), 2);
  view.Clear();
  EXPECT_EQ(view.Count(), 0);
}

TEST_F(ListViewTest, LargeIconsShowTheImagesAndSelectByClick) {
  ui::TImageList images(32, 32);
  for (LPCSTR id : {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION})
    ASSERT_GE(images.AddIcon(SystemIcon(id, 32).get()), 0);
  ASSERT_EQ(images.Count(), 5);
  ui::TListView view;
  ui::TListViewParams p(Form(), "", 10, 10, 360, 250);
  p.ViewStyle = ui::TViewStyle::Icon;
  ASSERT_TRUE(view.Create(p));
  view.SetLargeImages(&images);
  EXPECT_EQ(view.ViewStyle(), ui::TViewStyle::Icon);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(view.AddItem("", i), i);
  EXPECT_EQ(view.ImageIndex(3), 3);
  RECT icon = view.ItemRect(3, LVIR_ICON);
  EXPECT_GE(icon.right - icon.left, 32) << "the large images are drawn at their size";
  ClickAt(view.Handle(), (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
  EXPECT_EQ(view.ItemIndex(), 3);
  view.SetViewStyle(ui::TViewStyle::Report);
  EXPECT_EQ(view.ViewStyle(), ui::TViewStyle::Report);
  view.SetLargeImages(nullptr);
  // The view did not own the list: it is still whole.
  EXPECT_EQ(images.Count(), 5);
  EXPECT_TRUE(images.GetIcon(4));
}

TEST_F(ImageListTest, ImagesAreCopiedInAndOut) {
  ui::TImageList images(16, 16);
  core::TUniqueIcon icon = SystemIcon(IDI_APPLICATION, 16);
  EXPECT_EQ(images.AddIcon(icon.get()), 0);
  icon.reset();  // the list has its own copy
  EXPECT_EQ(images.AddIcon(nullptr), -1);
  core::TUniqueIcon out = images.GetIcon(0);
  ASSERT_TRUE(out);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(out.get(), &info));
  BITMAP bm = {};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 16);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_FALSE(images.GetIcon(1));
  EXPECT_TRUE(images.ReplaceIcon(0, SystemIcon(IDI_WARNING, 16).get()));
  EXPECT_FALSE(images.ReplaceIcon(3, SystemIcon(IDI_WARNING, 16).get()));
  images.Delete(0);
  EXPECT_EQ(images.Count(), 0);
}

}  // namespace
