#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/StringList.h"
#include "launcher/Icon_Cache.h"
#include "launcher/Icon_Thread_Work.h"
#include "launcher/QVIconImage.h"
#include "launcher/Work_Thread.h"
#include "tests/support/TestWindow.h"

namespace {

std::string ProgramDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\'));
}

struct Posted {
  std::string path;
  int index, size;
};

// Records every job it hands on, and every contents drag it would run.
class RecordingImage : public TQVIconImage {
 public:
  using TQVIconImage::TQVIconImage;
  std::vector<Posted> posted;
  int drags = 0;
  HBITMAP dragImage = nullptr;

 protected:
  void PostIconWork(std::unique_ptr<TIconThreadWork> work) override {
    posted.push_back({work->Path, work->IconIndex, work->Size});
    TQVIconImage::PostIconWork(std::move(work));
  }
  void RunContentsDrag() override { ++drags; }
};

class IconImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "icon host", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 300, 700, 200, 60,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host_, nullptr);
    image_ = std::make_unique<RecordingImage>(host_, 4, 4);
    image_->Color = RGB(0, 255, 0);
  }
  void TearDown() override {
    image_.reset();
    DestroyWindow(host_);
    FreeIconCaches();
  }

  COLORREF CentrePixel() {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image_->Picture());
    int side = image_->Small() ? 16 : 32;
    COLORREF c = GetPixel(dc, side / 2, side / 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
  }
  SIZE WindowSize() {
    RECT r;
    GetWindowRect(image_->Handle(), &r);
    return {r.right - r.left, r.bottom - r.top};
  }

  HWND host_ = nullptr;
  std::unique_ptr<RecordingImage> image_;
  // A program with two icons of its own: the first red, the second blue.
  const std::string probe_ = ProgramDir() + "\\icon_probe.exe";
};

TEST_F(IconImageTest, StartsLargeHiddenAndUnthreaded) {
  EXPECT_FALSE(image_->Small());
  EXPECT_EQ(WindowSize().cx, 32);
  EXPECT_EQ(WindowSize().cy, 32);
  EXPECT_FALSE(IsWindowVisible(image_->Handle()));
  EXPECT_FALSE(image_->UseThread());
  EXPECT_TRUE(image_->WorkThread().UseThread());
}

TEST_F(IconImageTest, ThreeRequestsWithinTheDelayLoadOnlyTheLast) {
  image_->SetUseThread(false);
  image_->DelayTime = 200;
  image_->SetIcon(ProgramDir() + "\\one.txt", 0);
  image_->SetIcon(ProgramDir() + "\\two.txt", 0);
  image_->SetIcon(probe_, 1);
  EXPECT_TRUE(image_->posted.empty());
  ASSERT_TRUE(PumpUntil([&] { return !image_->posted.empty(); }, 10000));
  PumpFor(300);
  ASSERT_EQ(image_->posted.size(), 1u);
  EXPECT_EQ(image_->posted[0].path, probe_);
  EXPECT_EQ(image_->posted[0].size, 32);
  EXPECT_TRUE(IsWindowVisible(image_->Handle()));
}

TEST_F(IconImageTest, RequestEqualToTheShownPairDoesNothing) {
  image_->SetUseThread(false);
  image_->SetIcon("", 0);  // the pair the picture starts with
  EXPECT_TRUE(image_->posted.empty());
  image_->SetIcon(probe_, 1);
  image_->SetIcon(probe_, 1);  // nothing records a loaded pair: it loads again
  EXPECT_EQ(image_->posted.size(), 2u);
}

TEST_F(IconImageTest, DrawsTheIconOverTheBackground) {
  image_->SetUseThread(false);
  image_->SetIcon(probe_, 1);
  EXPECT_EQ(CentrePixel(), RGB(255, 0, 0));
  image_->SetIcon(probe_, 2);
  EXPECT_EQ(CentrePixel(), RGB(0, 0, 255));
}

TEST_F(IconImageTest, WorkerLoadsAndDrawsOnTheUserInterfaceThread) {
  image_->SetUseThread(true);
  image_->SetIcon(probe_, 1);
  EXPECT_TRUE(PumpUntil([&] { return CentrePixel() == RGB(255, 0, 0); }, 10000));
}

TEST_F(IconImageTest, SmallResizesAndReloadsAsSixteenPixels) {
  image_->SetUseThread(false);
  image_->SetIcon(probe_, 1);
  ASSERT_EQ(image_->posted.size(), 1u);
  image_->SetSmall(true);
  EXPECT_EQ(WindowSize().cx, 16);
  EXPECT_EQ(WindowSize().cy, 16);
  ASSERT_EQ(image_->posted.size(), 2u);
  EXPECT_EQ(image_->posted[1].path, probe_);
  EXPECT_EQ(image_->posted[1].size, 16);
  EXPECT_EQ(CentrePixel(), RGB(255, 0, 0));
  image_->SetSmall(true);  // no change, no reload
  EXPECT_EQ(image_->posted.size(), 2u);
}

TEST_F(IconImageTest, ThreadPriorityOutsideTheLevelsBecomesLower) {
  struct Case {
    int value, level;
  } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 2}, {-1, 2}, {100, 2}};
  for (const Case& c : cases) {
    EXPECT_EQ(TQVIconImage::PriorityLevel(c.value), c.level) << c.value;
    image_->SetThreadPriority(c.value);
    EXPECT_EQ(image_->ThreadPriority(), c.value);
    EXPECT_EQ(image_->WorkThread().Priority(), static_cast<TThreadPriority>(c.level)) << c.value;
  }
}

TEST_F(IconImageTest, DragWithoutContentsPicksAWindowWithContentsDragsThem) {
  std::vector<HWND> picked;
  image_->OnTargetMove = [&](int, int, HWND h, const std::string&, const std::string&) { picked.push_back(h); };
  ShowWindow(image_->Handle(), SW_SHOW);
  auto drag = [&] {
    SendMessageA(image_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(image_->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 20));
    SendMessageA(image_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 20));
  };
  drag();
  EXPECT_EQ(image_->drags, 0);
  ASSERT_EQ(picked.size(), 1u);
  EXPECT_EQ(picked[0], host_);

  image_->DropContents().Add("C:\\");
  drag();
  EXPECT_EQ(image_->drags, 1);
  EXPECT_EQ(picked.size(), 1u);
  EXPECT_FALSE(image_->Picking());
  EXPECT_FALSE(image_->TargetCursorShown());
}

}  // namespace
