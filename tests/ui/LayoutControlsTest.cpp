// Every control kind made from a row of a form's layout table: found by name,
// inside its parent row's control, with the row's style and the form's font.
#include <windows.h>

#include <set>
#include <string>

#include "tests/ui/ControlsFixture.h"
#include "ui/Bevel.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/CheckListBox.h"
#include "ui/ComboBox.h"
#include "ui/Frame.h"
#include "ui/GroupBox.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/ProgressBar.h"
#include "ui/RadioButton.h"
#include "ui/RadioGroup.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"
#include "ui/TreeView.h"
#include "ui/UpDown.h"

namespace {

using LayoutControlsTest = ControlsTest;
using ui::Kind;

// clang-format off
const ui::TLayoutRow kRows[] = {
  {Kind<ui::TLabel>,        "Label",     "",      "名前(&N):",     8,   8,  80, 16},
  {Kind<ui::TButton>,       "Button",    "",      "了解",         96,   8,  75, 25},
  {Kind<ui::TCheckBox>,     "Check",     "",      "表示ソ",        8,  40, 120, 18},
  {Kind<ui::TRadioButton>,  "Radio",     "",      "ラジオ",      130,  40, 100, 18, WS_GROUP},
  {Kind<ui::TGroupBox>,     "Group",     "",      "修飾キー",      8,  64, 220, 50},
  {Kind<ui::TCheckBox>,     "InGroup",   "Group", "Shift",        10,  20,  60, 18},
  {Kind<ui::TRadioGroup>,   "Radios",    "",      "動作モード",  236,   8, 150, 80},
  {Kind<ui::TMemo>,         "Memo",      "",      "",            236,  96, 150, 60},
  {Kind<ui::TComboBox>,     "Combo",     "",      "",              8, 120, 120, 120, CBS_DROPDOWNLIST},
  {Kind<ui::TListBox>,      "List",      "",      "",              8, 150, 120,  60, LBS_SORT},
  {Kind<ui::TCheckListBox>, "CheckList", "",      "",            136, 160,  90,  60},
  {Kind<ui::TSpinEdit>,     "Spin",      "",      "",              8, 216,  70,  22},
  {Kind<ui::TUpDown>,       "UpDown",    "",      "",             84, 216,  16,  22},
  {Kind<ui::TTrackBar>,     "Track",     "",      "",            106, 216, 120,  30},
  {Kind<ui::TProgressBar>,  "Progress",  "",      "",              8, 250, 218,  16},
  {Kind<ui::TTreeView>,     "Tree",      "",      "",            236, 164, 150, 100},
  {Kind<ui::TListView>,     "View",      "",      "",            394,   8, 140, 100},
  {Kind<ui::TPageControl>,  "Pages",     "",      "",            394, 116, 140, 150},
  {Kind<ui::TTabSheet>,     "Page1",     "Pages", "一枚目",        0,   0,   0,   0},
  {Kind<ui::TButton>,       "OnPage",    "Page1", "ページの上",   10,  10, 100,  25},
  {Kind<ui::TPanel>,        "Panel",     "",      "パネル",        8, 272, 120,  50},
  {Kind<ui::TFrame>,        "Frame",     "",      "",            136, 272, 120,  50},
  {Kind<ui::TBevel>,        "Bevel",     "",      "",            264, 272, 120,  50},
};
// clang-format on

TEST_F(LayoutControlsTest, EveryKindIsMadeFromARow) {
  form.BuildLayout(kRows);
  std::set<int> ids;
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.Name);
    HWND h = form.Control(row.Name).Handle();
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_CHILD);
    ids.insert(GetDlgCtrlID(h));
    if (std::string(row.Name) != "Spin") EXPECT_EQ(ui::WindowText(h), row.Caption);
  }
  EXPECT_EQ(ids.size(), std::size(kRows)) << "every control has an id of its own";
  EXPECT_EQ(GetParent(form.Control("InGroup").Handle()), form.Control("Group").Handle());
  EXPECT_EQ(GetParent(form.Control("OnPage").Handle()), form.Control("Page1").Handle());
  EXPECT_EQ(form.Control<ui::TPageControl>("Pages").Page(0), &form.Control<ui::TTabSheet>("Page1"));
  EXPECT_EQ(form.Control<ui::TComboBox>("Combo").ComboStyle(), ui::TComboBoxStyle::DropDownList);
  EXPECT_TRUE(form.Control<ui::TListBox>("List").Sorted());
  EXPECT_TRUE(GetWindowLongA(form.Control("Radio").Handle(), GWL_STYLE) & WS_GROUP);
  for (const char* name : {"Label", "Button", "Check", "Memo", "Tree", "Panel"})
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(form.Control(name).Handle(), WM_GETFONT, 0, 0)), form.Font()) << name;
  // The parts that a form sets after the build.
  auto& radios = form.Control<ui::TRadioGroup>("Radios");
  radios.SetItems({"常駐", "非常駐"});
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(radios.Button(1)->Handle(), WM_GETFONT, 0, 0)), form.Font());
  auto& spin = form.Control<ui::TSpinEdit>("Spin");
  EXPECT_EQ(spin.Text(), "0") << "a spin edit shows its value";
  spin.SetRange(0, 10);
  spin.SetValue(50);
  EXPECT_EQ(spin.Value(), 10);
}

TEST_F(LayoutControlsTest, AnchoredSpinEditKeepsItsArrowsBesideIt) {
  const ui::TLayoutRow rows[] = {
      {Kind<ui::TSpinEdit>, "Spin", "", "", 8, 8, 80, 22, 0, ui::akTop | ui::akRight},
      {Kind<ui::TSpinEdit>, "Wide", "", "", 8, 40, 80, 22, 0, ui::akLeft | ui::akTop | ui::akRight},
  };
  form.BuildLayout(rows);
  auto& spin = form.Control<ui::TSpinEdit>("Spin");
  auto& wide = form.Control<ui::TSpinEdit>("Wide");
  RECT box = spin.Bounds(), arrows = spin.UpDown().Bounds(), wideBox = wide.Bounds();
  EXPECT_NEAR(arrows.right - box.left, form.Scale(80), 3) << "made as wide as the row says, arrows included";
  RECT r = form.Bounds();
  form.SetBounds(r.left, r.top, r.right - r.left + 40, r.bottom - r.top);
  Drain();
  RECT movedBox = spin.Bounds(), movedArrows = spin.UpDown().Bounds(), grownBox = wide.Bounds();
  EXPECT_EQ(movedBox.left - box.left, 40);
  EXPECT_EQ(movedBox.right - movedBox.left, box.right - box.left);
  EXPECT_EQ(movedArrows.left - movedBox.right, arrows.left - box.right);
  EXPECT_EQ(grownBox.right - grownBox.left, wideBox.right - wideBox.left + 40);
  EXPECT_EQ(wide.UpDown().Bounds().left - grownBox.right, arrows.left - box.right);
}

}  // namespace
