// A form laid out from a table of rows: made in order, found by name, checked
// before anything is made, and kept to its anchors when the form is resized.
#include "ui/Layout.h"

#include <stdexcept>

#include "tests/ui/TestKinds.h"
#include "tests/ui/UiFixture.h"
#include "ui/Edit.h"
#include "ui/Form.h"

namespace {

using testkinds::TBox;
using testkinds::TPushButton;

class LayoutTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::TFormParams p;
    p.Caption = "拡張子の設定";
    p.ClientWidth = 300;
    p.ClientHeight = 200;
    ASSERT_TRUE(form.Create(p));
  }
  std::vector<HWND> Children(HWND parent) const {
    std::vector<HWND> list;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) list.push_back(w);
    return list;
  }
  RECT BoundsOf(const char* name) const { return form.Control(name).Bounds(); }
  ui::TForm form;
};

const ui::TLayoutRow kDialogRows[] = {
    {ui::Kind<ui::TEdit>, "Edit1", "", "", 8, 28, 200, 21, 0, ui::akLeft | ui::akTop | ui::akRight},
    {ui::Kind<TBox>, "Box", "", "", 8, 60, 200, 80},
    {ui::Kind<TPushButton>, "Inner", "Box", "中のボタン", 4, 4, 90, 25},
    {ui::Kind<TPushButton>, "OKButton", "", "&OK", 48, 160, 75, 25, BS_DEFPUSHBUTTON, ui::akRight | ui::akBottom},
    {ui::Kind<TPushButton>, "CancelButton", "", "キャンセル", 130, 160, 75, 25, 0, ui::akRight | ui::akBottom},
};

TEST_F(LayoutTest, RowsAreMadeInOrderAndFoundByName) {
  form.BuildLayout(kDialogRows);
  ASSERT_EQ(form.Layout().Count(), 5);
  auto& edit = form.Control<ui::TEdit>("Edit1");
  auto& ok = form.Control<TPushButton>("OKButton");
  auto& inner = form.Control<TPushButton>("Inner");
  EXPECT_EQ(ok.Caption(), "&OK");
  EXPECT_EQ(inner.Caption(), "中のボタン");
  // Parents: the form, or the container row.
  EXPECT_EQ(GetParent(edit.Handle()), form.Handle());
  EXPECT_EQ(GetParent(inner.Handle()), form.Control("Box").Handle());
  // The kind's own style with the row's added.
  EXPECT_TRUE(GetWindowLongA(edit.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetWindowLongA(ok.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(GetWindowLongA(ok.Handle(), GWL_STYLE) & WS_TABSTOP);
  // Bounds in the parent's client area, scaled from 96 DPI.
  RECT r = ok.Bounds();
  EXPECT_EQ(r.left, form.Scale(48));
  EXPECT_EQ(r.top, form.Scale(160));
  EXPECT_EQ(r.right - r.left, form.Scale(75));
  EXPECT_EQ(inner.Bounds().left, form.Scale(4));
  // Z order, and so the tab order, follows the rows.
  EXPECT_EQ(Children(form.Handle()), (std::vector<HWND>{edit.Handle(), form.Control("Box").Handle(), ok.Handle(),
                                                         form.Control("CancelButton").Handle()}));
  // Ids of their own.
  std::vector<int> ids;
  for (const char* n : {"Edit1", "Box", "Inner", "OKButton", "CancelButton"}) ids.push_back(GetDlgCtrlID(form.Control(n).Handle()));
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  EXPECT_GT(ids.front(), IDCANCEL);
  // Found by name and kind.
  EXPECT_EQ(form.FindControl<ui::TEdit>("OKButton"), nullptr);
  EXPECT_EQ(form.FindControl("nothing"), nullptr);
  EXPECT_THROW(form.Control<ui::TEdit>("OKButton"), std::logic_error);
  EXPECT_EQ(form.Layout().NameOf(&ok), "OKButton");
  EXPECT_EQ(form.Layout().NameOf(&form), "");
}

TEST_F(LayoutTest, FaultsOfTheTableAreFoundBeforeAnythingIsMade) {
  struct TCase {
    const char* name;
    std::vector<ui::TLayoutRow> rows;
  };
  const TCase cases[] = {
      {"no kind", {{ui::Kind<TPushButton>, "A", "", "", 0, 0, 10, 10}, {nullptr, "B", "", "", 0, 0, 10, 10}}},
      {"no name", {{ui::Kind<TPushButton>, "", "", "", 0, 0, 10, 10}}},
      {"a name twice", {{ui::Kind<TPushButton>, "A", "", "", 0, 0, 10, 10}, {ui::Kind<TPushButton>, "A", "", "", 0, 0, 10, 10}}},
      {"a parent below", {{ui::Kind<TPushButton>, "A", "Box", "", 0, 0, 10, 10}, {ui::Kind<TBox>, "Box", "", "", 0, 0, 10, 10}}},
      {"an unknown parent", {{ui::Kind<TPushButton>, "A", "Panel", "", 0, 0, 10, 10}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(form.BuildLayout(c.rows), std::logic_error);
    EXPECT_EQ(form.Layout().Count(), 0);
    EXPECT_TRUE(Children(form.Handle()).empty());
  }
}

TEST_F(LayoutTest, AControlThatCannotBeMadeNamesItsRow) {
  const ui::TLayoutRow rows[] = {
      {ui::Kind<TPushButton>, "Before", "", "", 0, 0, 10, 10},
      {ui::Kind<testkinds::TBroken>, "Broken", "", "", 0, 0, 10, 10},
      {ui::Kind<TPushButton>, "After", "", "", 0, 0, 10, 10},
  };
  try {
    form.BuildLayout(rows);
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("Broken"), std::string::npos);
  }
  EXPECT_NE(form.FindControl("Before"), nullptr);
  EXPECT_EQ(form.FindControl("After"), nullptr);
}

TEST_F(LayoutTest, LaterRowsMayNameEarlierOnesAsParents) {
  form.BuildLayout(kDialogRows);
  const ui::TLayoutRow page[] = {{ui::Kind<TPushButton>, "Later", "Box", "後から", 4, 40, 90, 25}};
  form.BuildLayout(page);
  EXPECT_EQ(GetParent(form.Control("Later").Handle()), form.Control("Box").Handle());
  EXPECT_THROW(form.BuildLayout(page), std::logic_error);  // its name is taken now
}

TEST_F(LayoutTest, AnchoredControlsFollowTheResizedForm) {
  struct TCase {
    const char* name;
    ui::TAnchors anchors;
    int dx, dy, dw, dh;  // of the control, when the form grows by 100 x 60
  };
  const TCase cases[] = {
      {"left top stays", ui::akLeft | ui::akTop, 0, 0, 0, 0},
      {"right moves", ui::akRight | ui::akTop, 100, 0, 0, 0},
      {"left and right stretch", ui::akLeft | ui::akRight | ui::akTop, 0, 0, 100, 0},
      {"bottom moves down", ui::akLeft | ui::akBottom, 0, 60, 0, 0},
      {"all four stretch both ways", ui::akLeft | ui::akTop | ui::akRight | ui::akBottom, 0, 0, 100, 60},
      {"none keeps to the middle", 0, 50, 30, 0, 0},
  };
  std::vector<ui::TLayoutRow> rows;
  std::vector<std::string> names;
  for (const TCase& c : cases) names.push_back(c.name);
  for (size_t i = 0; i < std::size(cases); ++i)
    rows.push_back({ui::Kind<TPushButton>, names[i].c_str(), "", "", 10, 10 + 20 * static_cast<int>(i), 50, 15, 0,
                    cases[i].anchors});
  // A control in an anchored container follows the container.
  rows.push_back({ui::Kind<TBox>, "Box", "", "", 150, 10, 100, 100, 0, ui::akLeft | ui::akTop | ui::akRight | ui::akBottom});
  rows.push_back({ui::Kind<TPushButton>, "InBox", "Box", "", 10, 10, 30, 15, 0, ui::akRight | ui::akBottom});
  form.BuildLayout(rows);
  std::vector<RECT> before;
  for (const std::string& n : names) before.push_back(BoundsOf(n.c_str()));
  RECT inBox = BoundsOf("InBox");
  SIZE client = form.ClientSize();
  form.SetClientSize(client.cx + 100, client.cy + 60);
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].name);
    RECT r = BoundsOf(names[i].c_str()), b = before[i];
    EXPECT_EQ(r.left - b.left, cases[i].dx);
    EXPECT_EQ(r.top - b.top, cases[i].dy);
    EXPECT_EQ((r.right - r.left) - (b.right - b.left), cases[i].dw);
    EXPECT_EQ((r.bottom - r.top) - (b.bottom - b.top), cases[i].dh);
  }
  RECT r = BoundsOf("InBox");
  EXPECT_EQ(r.left - inBox.left, 100);
  EXPECT_EQ(r.top - inBox.top, 60);
  // And back: the same rectangles as made.
  form.SetClientSize(client.cx, client.cy);
  for (size_t i = 0; i < std::size(cases); ++i) {
    RECT back = BoundsOf(names[i].c_str());
    EXPECT_TRUE(EqualRect(&before[i], &back)) << cases[i].name;
  }
}

TEST_F(LayoutTest, OnResizeSeesTheControlsAlreadyPlaced) {
  form.BuildLayout(kDialogRows);
  int okLeft = 0;
  form.OnResize = [&](ui::TSizeEvent& e) {
    okLeft = form.Control("OKButton").Bounds().left;
    EXPECT_EQ(e.Width, form.ClientSize().cx);
  };
  SIZE client = form.ClientSize();
  form.SetClientSize(client.cx + 40, client.cy);
  EXPECT_EQ(okLeft, form.Scale(48) + 40);
}

}  // namespace
