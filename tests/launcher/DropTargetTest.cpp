// The drop target driven as the platform's drag loop drives it: its
// IDropTarget operations called with data objects made here, and the shell's
// WM_DROPFILES sent with a block built by hand. Real drags from a file manager
// cannot be made under Xvfb.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/FileIO.h"
#include "core/Data_Blocks.h"
#include "launcher/Data_Object.h"
#include "launcher/Drop_Target.h"
#include "launcher/SubClass.h"
#include "tests/support/DataSource.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestWindow.h"

namespace {

using Source = DataSource;

class DropTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "drop host", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 200, 300, 400,
                            120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    box_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 200, 24, host_,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(host_ && box_);
    target_ = std::make_unique<TMultiDropTarget>(host_);
    target_->OnDropFiles = [this](TMultiDropTarget*, const std::string& t) { files_.push_back(t); };
    target_->OnDropURL = [this](TMultiDropTarget*, const std::string& a, const std::string& t) {
      urls_.push_back({a, t});
    };
    target_->OnDragEnd = [this](TMultiDropTarget*) { ++ends_; };
    target_->URLHandler().TrackMenu = [this](HMENU menu, POINT, HWND) {
      std::vector<std::string> items;
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back(text);
      }
      menus_.push_back(items);
      return choice_;
    };
    PumpFor(50);
    WriteTextFile(dir_ / "a.txt", "a");
    WriteTextFile(dir_ / "b.txt", "b");
    WriteTextFile(dir_ / "c.txt", "c");
    WriteTextFile(dir_ / "Site.url", "[InternetShortcut]\r\nURL=http://h/\r\n");
  }
  void TearDown() override {
    target_.reset();
    DestroyWindow(host_);
  }

  POINTL OverBox() const { return Centre(box_); }
  POINTL Outside() const {
    RECT r;
    GetWindowRect(host_, &r);
    return {r.right - 40, r.bottom - 20};
  }
  static POINTL Centre(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  // Enter, one move, and the drop, as the drag loop calls them; the effect answered last.
  DWORD Drag(IDataObject* data, POINTL at) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target_->DragEnter(data, MK_LBUTTON, at, &effect), S_OK);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target_->DragOver(MK_LBUTTON, at, &effect), S_OK);
    return effect;
  }
  DWORD DragAndDrop(IDataObject* data, POINTL at) {
    Drag(data, at);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target_->Drop(data, 0, at, &effect), S_OK);
    return effect;
  }

  std::string BoxText() const {
    char text[2048] = {};
    GetWindowTextA(box_, text, sizeof text);
    return text;
  }

  TempDir dir_;
  HWND host_ = nullptr, box_ = nullptr;
  std::unique_ptr<TMultiDropTarget> target_;
  std::vector<std::string> files_;
  std::vector<std::pair<std::string, std::string>> urls_;
  std::vector<std::vector<std::string>> menus_;
  UINT choice_ = TURLTargetHandler::kCancel;
  int ends_ = 0;
};

TEST_F(DropTargetTest, RegistersItsWindowForDrops) {
  EXPECT_TRUE(target_->Registered());
  // A second registration of the same window is refused while ours holds.
  EXPECT_EQ(RegisterDragDrop(host_, target_.get()), DRAGDROP_E_ALREADYREGISTERED);
  target_->SetEnabled(false);
  EXPECT_FALSE(target_->Registered());
  EXPECT_EQ(RegisterDragDrop(host_, target_.get()), S_OK);
  RevokeDragDrop(host_);
  target_->SetEnabled(true);
  EXPECT_TRUE(target_->Registered());
}

TEST_F(DropTargetTest, EffectIsThatOfTheLastHandlerThatAccepted) {
  struct Case {
    const char* name;
    std::function<void(Source&)> fill;
    DWORD effect;
  } cases[] = {
      {"plain text: copy", [](Source& s) { s.Text("hello"); }, DROPEFFECT_COPY},
      {"files: link", [&](Source& s) { s.Files({dir_ / "a.txt", dir_ / "b.txt"}); }, DROPEFFECT_LINK},
      {"files with a shortcut: link", [&](Source& s) { s.Files({dir_ / "Site.url"}); }, DROPEFFECT_LINK},
      {"unknown data: none", [](Source& s) { s.Put(static_cast<CLIPFORMAT>(RegisterClipboardFormatA("QvOther")), "x"); },
       DROPEFFECT_NONE},
  };
  for (bool overBox : {false, true}) {
    for (const Case& c : cases) {
      Source s;
      c.fill(s);
      EXPECT_EQ(Drag(s.get(), overBox ? OverBox() : Outside()), c.effect) << c.name << (overBox ? " over box" : "");
      EXPECT_EQ(target_->DragLeave(), S_OK);
    }
  }
  // Right after an accepted drag, one that nobody takes answers none.
  Source text, other;
  text.Text("x");
  other.Put(CF_BITMAP, "x");
  EXPECT_EQ(Drag(text.get(), Outside()), DROPEFFECT_COPY);
  target_->DragLeave();
  EXPECT_EQ(Drag(other.get(), Outside()), DROPEFFECT_NONE);
  target_->DragLeave();
  EXPECT_TRUE(files_.empty());
}

TEST_F(DropTargetTest, BoxIsMarkedWhileTheDragIsOverItAndUnmarkedAfter) {
  Source s;
  s.Text("hello");
  auto row = [&] {
    // The top edge of the box's client area, where the focus rectangle lies.
    std::vector<COLORREF> px;
    HDC dc = GetDC(box_);
    for (int x = 0; x < 16; ++x) px.push_back(GetPixel(dc, x, 0));
    ReleaseDC(box_, dc);
    return px;
  };
  auto before = row();
  Drag(s.get(), OverBox());
  EXPECT_EQ(target_->EditHandler().Marked(), box_);
  EXPECT_NE(row(), before);
  DWORD effect = 0;
  target_->DragOver(MK_LBUTTON, Outside(), &effect);
  EXPECT_EQ(target_->EditHandler().Marked(), nullptr);
  EXPECT_EQ(row(), before);
  target_->DragOver(MK_LBUTTON, OverBox(), &effect);
  EXPECT_EQ(target_->EditHandler().Marked(), box_);
  target_->DragLeave();
  EXPECT_EQ(target_->EditHandler().Marked(), nullptr);
  EXPECT_EQ(row(), before);
  EXPECT_EQ(ends_, 1);
}

TEST_F(DropTargetTest, DisabledBoxIsNotATarget) {
  EnableWindow(box_, FALSE);
  Source s;
  s.Text("hello");
  DragAndDrop(s.get(), OverBox());
  EXPECT_EQ(BoxText(), "");
  ASSERT_EQ(files_.size(), 1u);
  EXPECT_EQ(files_[0], "hello");
}

TEST_F(DropTargetTest, DropOnBoxPutsTheTextIntoItAndFiresNoEvent) {
  SetWindowTextA(box_, "old");
  Source s;
  s.Text("テキスト");
  EXPECT_EQ(DragAndDrop(s.get(), OverBox()), DROPEFFECT_COPY);
  EXPECT_EQ(BoxText(), "テキスト");
  EXPECT_TRUE(files_.empty());
  EXPECT_TRUE(urls_.empty());
  EXPECT_EQ(target_->EditHandler().Marked(), box_);  // kept for the paste
  EXPECT_EQ(ends_, 1);
}

TEST_F(DropTargetTest, AppendToEditAddsASpaceAndThePath) {
  target_->AppendToEdit = true;
  SetWindowTextA(box_, "abc");
  Source s;
  s.Files({dir_ / "a.txt"});
  DragAndDrop(s.get(), OverBox());
  EXPECT_EQ(BoxText(), "abc " + (dir_ / "a.txt"));
  // An empty box takes the text alone.
  SetWindowTextA(box_, "");
  Source t;
  t.Text("x");
  DragAndDrop(t.get(), OverBox());
  EXPECT_EQ(BoxText(), "x");
}

TEST_F(DropTargetTest, AppendKeepsTheWholeTextOfALongBox) {
  target_->AppendToEdit = true;
  std::string longText;
  for (int i = 0; i < 40; ++i) longText += "語句abcdef";  // 400 bytes, 320 characters
  SetWindowTextA(box_, longText.c_str());
  Source s;
  s.Text("end");
  DragAndDrop(s.get(), OverBox());
  EXPECT_EQ(BoxText(), longText + " end");
}

TEST_F(DropTargetTest, AddressWithTitleOnBoxAsksByTheThreeItemMenu) {
  struct Case {
    UINT choice;
    std::string box;
  } cases[] = {
      {TURLTargetHandler::kCancel, "abc"},
      {0, "abc"},  // the menu closed without a choice
      {TURLTargetHandler::kPasteTitle, "Site"},
      {TURLTargetHandler::kPasteURL, "http://h/"},
  };
  for (const Case& c : cases) {
    SetWindowTextA(box_, "abc");
    menus_.clear();
    choice_ = c.choice;
    Source s;
    s.Files({dir_ / "Site.url"});
    EXPECT_EQ(DragAndDrop(s.get(), OverBox()), DROPEFFECT_LINK);
    ASSERT_EQ(menus_.size(), 1u) << c.choice;
    EXPECT_EQ(menus_[0], (std::vector<std::string>{"URLを貼り付け", "タイトルを貼り付け", "キャンセル"}));
    EXPECT_EQ(BoxText(), c.box) << c.choice;
  }
  EXPECT_TRUE(urls_.empty());
  EXPECT_TRUE(files_.empty());
}

TEST_F(DropTargetTest, AddressDroppedBesideTheBoxIsReportedWithoutMenu) {
  Source s;
  s.Files({dir_ / "Site.url"});
  DragAndDrop(s.get(), Outside());
  EXPECT_TRUE(menus_.empty());
  ASSERT_EQ(urls_.size(), 1u);
  EXPECT_EQ(urls_[0].first, "http://h/");
  EXPECT_EQ(urls_[0].second, "Site");
  EXPECT_TRUE(files_.empty());

  // An address without a title needs no menu either.
  SetWindowTextA(box_, "");
  Source u;
  u.Put(static_cast<CLIPFORMAT>(RegisterClipboardFormatA("UniformResourceLocator")),
        std::string("http://x/") + '\0');
  DragAndDrop(u.get(), OverBox());
  EXPECT_TRUE(menus_.empty());
  EXPECT_EQ(BoxText(), "http://x/");
}

TEST_F(DropTargetTest, FilesAndTextDroppedBesideTheBoxAreReportedOnce) {
  Source s;
  s.Files({dir_ / "a.txt", dir_ / "b.txt"});
  DragAndDrop(s.get(), Outside());
  ASSERT_EQ(files_.size(), 1u);
  EXPECT_EQ(files_[0], (dir_ / "a.txt") + "\r\n" + (dir_ / "b.txt") + "\r\n");
  Source t;
  t.Text("some text");
  DragAndDrop(t.get(), Outside());
  ASSERT_EQ(files_.size(), 2u);
  EXPECT_EQ(files_[1], "some text");
  EXPECT_EQ(BoxText(), "");
  EXPECT_EQ(ends_, 2);
}

TEST_F(DropTargetTest, ThreeFilesByWmDropFilesGiveOneEvent) {
  std::vector<std::string> paths = {dir_ / "a.txt", dir_ / "b.txt", dir_ / "c.txt"};
  std::string block = datablock::BuildDropFiles(paths);
  HGLOBAL drop = ui::NewGlobalBlock(block);
  ASSERT_NE(drop, nullptr);
  SendMessageA(host_, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);  // the handler finishes it
  ASSERT_EQ(files_.size(), 1u);
  EXPECT_EQ(files_[0], paths[0] + "\r\n" + paths[1] + "\r\n" + paths[2]);
  EXPECT_TRUE(target_->FileHandler().Dropped);
  EXPECT_EQ(ends_, 1);
}

TEST_F(DropTargetTest, FreeingTheTargetStopsWatchingTheWindow) {
  target_.reset();
  EXPECT_EQ(SubClassUseCount(host_), 0);
  // The window is free for another registration.
  TMultiDropTarget other(nullptr);
  EXPECT_EQ(RegisterDragDrop(host_, &other), S_OK);
  RevokeDragDrop(host_);
}

}  // namespace
