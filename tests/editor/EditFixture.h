// Fixture of the completing edits' window tests: a keyword store in a temp
// folder, a folder tree, and a shown form to put one edit on, typed into with
// real keys (SendInput) and read back (text, caret, popup rows).
//
// Store: tools (a folder keyword for the tree), notepad (a program), alpha,
// the groups grp (abc, abd, the group sub with deep) and 日本 (ソフト, 表示).
// Tree: alfile.txt, alpha.txt, sub\ (deep.txt).
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "completion/DynamicComplete.h"
#include "core/KeyWordX.h"
#include "core/Sjis.h"
#include "tests/support/RealInput.h"
#include "tests/support/TempDir.h"
#include "tests/ui/ControlsFixture.h"

class EditWindowTest : public ControlsTest {
 protected:
  using Rows = std::vector<std::string>;

  TempDir td;
  std::string items = td / "Items";
  std::string tree = td / "tree";
  TKeyWordManager store{items, td / "Main"};

  static std::string Row(const std::string& name, const std::string& data = "Type=0") {
    return name + "\t" + data + "\r\n";
  }
  // A stored value: backslashes doubled.
  static std::string Stored(const std::string& value) { return sjis::ReplaceAll(value, "\\", "\\\\"); }

  void SetUp() override {
    ControlsTest::SetUp();
    CreateDirectoryA(items.c_str(), nullptr);
    CreateDirectoryA(tree.c_str(), nullptr);
    CreateDirectoryA((tree + "\\sub").c_str(), nullptr);
    WriteTextFile(tree + "\\alfile.txt", "a");
    WriteTextFile(tree + "\\alpha.txt", "a");
    WriteTextFile(tree + "\\sub\\deep.txt", "d");
    WriteTextFile(items + "\\%.vane",
                  Row("tools", "Type=0\tCommand=" + Stored(tree) + "\tIsDir=1") +
                      Row("notepad", "Type=0\tCommand=" + Stored("C:\\windows\\notepad.exe")) + Row("alpha") +
                      Row("grp", "Type=5") + Row("日本", "Type=5"));
    WriteTextFile(items + "\\%grp.vane", Row("abc") + Row("abd") + Row("sub", "Type=5"));
    WriteTextFile(items + "\\%grp%sub.vane", Row("deep"));
    WriteTextFile(items + "\\%日本.vane", Row("ソフト") + Row("表示"));
  }

  // Puts the edit on the form and gives it the focus.
  void Place(TDynamicComplete& edit, int width = 400) {
    ui::TCreateParams e;
    e.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    e.ExStyle = WS_EX_CLIENTEDGE;
    e.Parent = form.Handle();
    e.Id = 1;
    e.X = 10;
    e.Y = 10;
    e.Width = width;
    e.Height = 24;
    ASSERT_TRUE(edit.Create(e));
    edit.SetFont(form.Font());
    edited = &edit;
    SetForegroundWindow(form.Handle());
    edit.Focus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit.Handle(); }));
  }
  // Types at a person's pace: each key held until the form has handled it.
  void Keys(const std::string& script) { realinput::TypeSeen(script, [this] { Drain(); }); }
  // Empties the box without typing (the popup goes with the text).
  void Clear() {
    edited->SetText("");
    edited->HidePopup();
    Drain();
  }
  // A real double click in the middle of the empty box: the rows it pops up.
  Rows DoubleClickEmpty() {
    Clear();
    EXPECT_FALSE(ListShown());
    RECT r = {};
    GetClientRect(edited->Handle(), &r);
    DoubleClickAt(edited->Handle(), r.right / 2, r.bottom / 2);
    EXPECT_TRUE(PumpUntil([&] { return ListShown(); }));
    return ListRows();
  }
  Rows ListRows() const {
    Rows r;
    for (int i = 0; i < edited->List().Count(); ++i) r.push_back(edited->List().Item(i));
    return r;
  }
  bool ListShown() const { return edited->List().Visible(); }
  static bool Has(const Rows& rows, const std::string& s) { return std::find(rows.begin(), rows.end(), s) != rows.end(); }

  TDynamicComplete* edited = nullptr;
};
