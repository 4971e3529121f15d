#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Sjis.h"
#include "tests/ui/UiFixture.h"
#include "ui/GetTargetExeFile.h"

namespace {

struct Report {
  int x, y;
  HWND handle;
  std::string title, file;
};

class Picker : public ui::TGetTargetExeFile {
 public:
  bool cancel = false;
  int asked = 0;

 protected:
  bool CancelTargetDrag() override {
    ++asked;
    return cancel;
  }
};

HWND MakeWindow(const char* cls, const char* caption, DWORD style, int x, int y, int w, int h, HWND parent) {
  return CreateWindowExA(parent && (style & WS_CHILD) ? 0 : WS_EX_TOPMOST, cls, caption, style, x, y, w, h, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

class WindowPickerTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    target_ = MakeWindow("STATIC", "picked target", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 40, 40, 300, 200, nullptr);
    child_ = MakeWindow("EDIT", "child box", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 150, 24, target_);
    owned_ = MakeWindow("STATIC", "owned tool", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 400, 40, 200, 150, target_);
    ui::TCreateParams p;
    p.ClassName = "QvPickerHost";
    p.Style = WS_POPUP | WS_VISIBLE;
    p.ExStyle = WS_EX_TOPMOST;
    p.X = 700;
    p.Y = 500;
    p.Width = p.Height = 100;
    ASSERT_TRUE(host_.Create(p));
    ASSERT_TRUE(picker_.CreatePicture(host_.Handle(), 10, 10));
    picker_.OnTargetMove = [this](int x, int y, HWND h, const std::string& t, const std::string& f) {
      moves_.push_back({x, y, h, t, f});
    };
    picker_.OnTargetDrop = [this](int x, int y, HWND h, const std::string& t, const std::string& f) {
      drops_.push_back({x, y, h, t, f});
    };
    picker_.OnMouseUp = [this](ui::TMouseEvent&) { ++mouseUps_; };
    Drain();
  }
  void TearDown() override {
    DestroyWindow(owned_);
    DestroyWindow(target_);
    host_.Destroy();
    UiTest::TearDown();
  }

  // The picture's client point over the centre of a window. (A plain STATIC
  // is transparent to WindowFromPoint; the test windows say SS_NOTIFY.)
  POINT Over(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    POINT pt = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(picker_.Handle(), &pt);
    return pt;
  }
  void Send(UINT msg, int x, int y, WPARAM keys = MK_LBUTTON) {
    SendMessageA(picker_.Handle(), msg, keys, MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
  }

  static std::string OwnProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
  }

  HWND target_ = nullptr, child_ = nullptr, owned_ = nullptr;
  ui::TWindow host_;
  Picker picker_;
  std::vector<Report> moves_, drops_;
  int mouseUps_ = 0;
};

TEST_F(WindowPickerTest, CursorResourceIsPresent) {
  EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), "TARGETICON"), nullptr);
}

TEST_F(WindowPickerTest, PressAndReleaseWithoutMovingGivesNoEvent) {
  Send(WM_LBUTTONDOWN, 5, 5);
  EXPECT_TRUE(picker_.Picking());
  Send(WM_MOUSEMOVE, 5, 5);
  EXPECT_FALSE(picker_.TargetCursorShown());
  Send(WM_LBUTTONUP, 5, 5, 0);
  EXPECT_TRUE(moves_.empty());
  EXPECT_TRUE(drops_.empty());
  EXPECT_EQ(picker_.asked, 0);
  EXPECT_EQ(mouseUps_, 1);  // the release went on to the layer's handling
  EXPECT_FALSE(picker_.Picking());
}

TEST_F(WindowPickerTest, DragOverChildControlReportsItsTopLevelWindow) {
  Send(WM_LBUTTONDOWN, 5, 5);
  EXPECT_EQ(GetCapture(), picker_.Handle());
  POINT pt = Over(child_);
  Send(WM_MOUSEMOVE, pt.x, pt.y);
  EXPECT_TRUE(picker_.TargetCursorShown());
  ASSERT_EQ(moves_.size(), 1u);
  EXPECT_EQ(moves_[0].handle, target_);
  EXPECT_EQ(moves_[0].title, "picked target");
  EXPECT_TRUE(sjis::EqualsIgnoreCase(moves_[0].file, OwnProgram())) << moves_[0].file;
  EXPECT_EQ(moves_[0].x, pt.x);

  Send(WM_LBUTTONUP, pt.x, pt.y, 0);
  ASSERT_EQ(drops_.size(), 1u);
  EXPECT_EQ(drops_[0].handle, target_);
  EXPECT_EQ(drops_[0].title, "picked target");
  EXPECT_EQ(mouseUps_, 0);
  EXPECT_FALSE(picker_.TargetCursorShown());
  EXPECT_FALSE(picker_.Picking());
  EXPECT_NE(GetCapture(), picker_.Handle());
  EXPECT_EQ(picker_.asked, 1);
  // The target stays until the next press.
  ASSERT_NE(picker_.Target(), nullptr);
  EXPECT_EQ(picker_.Target()->Handle, target_);
  Send(WM_LBUTTONDOWN, 5, 5);
  EXPECT_EQ(picker_.Target(), nullptr);
  Send(WM_LBUTTONUP, 5, 5, 0);
}

TEST_F(WindowPickerTest, OwnedWindowIsReportedAsItselfNotItsOwner) {
  Send(WM_LBUTTONDOWN, 5, 5);
  POINT pt = Over(owned_);
  Send(WM_MOUSEMOVE, pt.x, pt.y);
  ASSERT_EQ(moves_.size(), 1u);
  EXPECT_EQ(moves_[0].handle, owned_);
  EXPECT_EQ(moves_[0].title, "owned tool");
  // Moving on over the owner's child reports the owner.
  pt = Over(child_);
  Send(WM_MOUSEMOVE, pt.x, pt.y);
  ASSERT_EQ(moves_.size(), 2u);
  EXPECT_EQ(moves_[1].handle, target_);
  Send(WM_LBUTTONUP, pt.x, pt.y, 0);
  ASSERT_EQ(drops_.size(), 1u);
  EXPECT_EQ(drops_[0].handle, target_);
}

TEST_F(WindowPickerTest, OwnWindowsAreReportedLikeAnyOther) {
  Send(WM_LBUTTONDOWN, 5, 5);
  POINT pt = Over(host_.Handle());
  pt.x += 30;  // beside the picture, on its host
  Send(WM_MOUSEMOVE, pt.x, pt.y);
  ASSERT_EQ(moves_.size(), 1u);
  EXPECT_EQ(moves_[0].handle, host_.Handle());
  Send(WM_LBUTTONUP, pt.x, pt.y, 0);
}

TEST_F(WindowPickerTest, CancelledDragGivesNoCursorAndNoEventUntilTheNextPress) {
  picker_.cancel = true;
  Send(WM_LBUTTONDOWN, 5, 5);
  POINT pt = Over(child_);
  Send(WM_MOUSEMOVE, pt.x, pt.y);
  Send(WM_MOUSEMOVE, pt.x + 1, pt.y);
  EXPECT_EQ(picker_.asked, 1);
  EXPECT_FALSE(picker_.Picking());
  EXPECT_FALSE(picker_.TargetCursorShown());
  Send(WM_LBUTTONUP, pt.x, pt.y, 0);
  EXPECT_TRUE(moves_.empty());
  EXPECT_TRUE(drops_.empty());
  EXPECT_NE(GetCapture(), picker_.Handle());

  picker_.cancel = false;
  Send(WM_LBUTTONDOWN, 5, 5);
  Send(WM_MOUSEMOVE, pt.x, pt.y);
  EXPECT_EQ(picker_.asked, 2);
  EXPECT_EQ(moves_.size(), 1u);
  Send(WM_LBUTTONUP, pt.x, pt.y, 0);
  EXPECT_EQ(drops_.size(), 1u);
}

TEST_F(WindowPickerTest, PickWithoutDropListenerStillRestoresTheCursor) {
  picker_.OnTargetDrop = nullptr;
  Send(WM_LBUTTONDOWN, 5, 5);
  POINT pt = Over(child_);
  Send(WM_MOUSEMOVE, pt.x, pt.y);
  EXPECT_TRUE(picker_.TargetCursorShown());
  Send(WM_LBUTTONUP, pt.x, pt.y, 0);
  EXPECT_FALSE(picker_.TargetCursorShown());
  EXPECT_EQ(mouseUps_, 1);
}

TEST_F(WindowPickerTest, DropIsReportedWithoutAMoveListener) {
  picker_.OnTargetMove = nullptr;
  Send(WM_LBUTTONDOWN, 5, 5);
  POINT pt = Over(child_);
  Send(WM_MOUSEMOVE, pt.x, pt.y);
  Send(WM_LBUTTONUP, pt.x, pt.y, 0);
  ASSERT_EQ(drops_.size(), 1u);
  EXPECT_EQ(drops_[0].handle, target_);
}

}  // namespace
