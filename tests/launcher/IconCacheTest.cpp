#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FileIO.h"
#include "core/ProgramPath.h"
#include "launcher/Icon_Cache.h"
#include "launcher/Icon_Factory.h"
#include "launcher/Icon_Thread_Work.h"
#include "launcher/Work_Thread.h"
#include "tests/support/TempDir.h"

namespace {

// The shell as the cache sees it: every call is recorded; system image-list
// indexes count up from 1000; every icon asked for exists.
class FakeIconSource : public TIconSource {
 public:
  struct Call {
    std::string path;
    UINT flags;
  };
  FakeIconSource()
      : small_(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4)),
        large_(ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 4, 4)) {}
  ~FakeIconSource() override {
    ImageList_Destroy(small_);
    ImageList_Destroy(large_);
  }
  DWORD_PTR GetFileInfo(const std::string& path, DWORD, SHFILEINFOA& info, UINT flags) override {
    calls.push_back({path, flags});
    if (flags & SHGFI_SYSICONINDEX) {
      if (!path.empty()) info.iIcon = nextIndex++;
      return reinterpret_cast<DWORD_PTR>((flags & SHGFI_SMALLICON) ? small_ : large_);
    }
    if ((flags & SHGFI_ICON) && !noIcons) {
      info.hIcon = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
      return 1;
    }
    return 0;
  }
  UINT ExtractIcons(const std::string& file, int index, HICON* largeIcon, HICON* smallIcon) override {
    extracts.push_back(file + "#" + std::to_string(index));
    *(largeIcon ? largeIcon : smallIcon) = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    return 1;
  }
  // Calls that looked up this path (any kind).
  int CallsFor(const std::string& path) const {
    int n = 0;
    for (const Call& c : calls) n += c.path == path;
    return n;
  }
  HIMAGELIST List(bool smallSize) const { return smallSize ? small_ : large_; }

  std::vector<Call> calls;
  std::vector<std::string> extracts;
  int nextIndex = 1000;
  bool noIcons = false;

 private:
  HIMAGELIST small_, large_;
};

class IconCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeIconCaches();
    TIconFactoryHold factory;
    factory->SetSource(&fake_);
    WriteTextFile(dir_ / "doc.txt", "x");
    WriteTextFile(dir_ / "tool.exe", "not really a program");
  }
  void TearDown() override {
    FreeIconCaches();
    TIconFactoryHold factory;
    factory->SetSource(nullptr);
    factory->OnGetPath = nullptr;
  }
  int Ask(const std::string& path, int index, int size = 16) {
    TIconCacheHold cache(size);
    return cache->GetIconIndex(path, index);
  }
  static bool Has(const TIconKeyList& list, const std::string& key) { return list.IndexOf(key) >= 0; }

  FakeIconSource fake_;
  TempDir dir_;
};

TEST_F(IconCacheTest, ASecondAskIsAnsweredFromTheCacheAndMovesTheKeyToTheFront) {
  const std::string doc = dir_ / "doc.txt";
  const int first = Ask(doc, 0);
  EXPECT_EQ(first, 1000);
  Ask(doc, 1);
  EXPECT_EQ(fake_.CallsFor(doc), 2);
  EXPECT_EQ(Ask(doc, 0), first);
  EXPECT_EQ(fake_.CallsFor(doc), 2);  // no shell call
  TIconCacheHold cache(16);
  EXPECT_EQ(cache->RecentKeys()[0].Key, doc + ",0");
  // A text file is only indexed by the shell: nothing extracted.
  EXPECT_EQ(cache->ExtractedKeys().Count(), 0);
  EXPECT_EQ(ImageList_GetImageCount(fake_.List(true)), 0);
}

TEST_F(IconCacheTest, TheOldestOf101ShellIndexedKeysIsAskedForAgain) {
  const std::string doc = dir_ / "doc.txt";
  for (int i = 0; i <= TIconCache::RecentLimit; ++i) Ask(doc, i);
  {
    TIconCacheHold cache(16);
    EXPECT_EQ(cache->RecentKeys().Count(), TIconCache::RecentLimit);
    EXPECT_FALSE(Has(cache->RecentKeys(), doc + ",0"));
    EXPECT_TRUE(Has(cache->RecentKeys(), doc + ",1"));
  }
  const int calls = fake_.CallsFor(doc);
  Ask(doc, 0);
  EXPECT_EQ(fake_.CallsFor(doc), calls + 1);
}

TEST_F(IconCacheTest, AnExtractedIconOutOfRecentKeysIsFoundWithoutASecondAppend) {
  const int web = Ask("http://h/", 0);  // no such file: the icon is extracted and appended
  EXPECT_EQ(web, 0);
  EXPECT_EQ(ImageList_GetImageCount(fake_.List(true)), 1);
  const std::string doc = dir_ / "doc.txt";
  for (int i = 0; i < TIconCache::RecentLimit; ++i) Ask(doc, i);
  {
    TIconCacheHold cache(16);
    EXPECT_FALSE(Has(cache->RecentKeys(), "http://h/,0"));
    EXPECT_TRUE(Has(cache->ExtractedKeys(), "http://h/,0"));
  }
  const size_t calls = fake_.calls.size();
  EXPECT_EQ(Ask("http://h/", 0), web);
  EXPECT_EQ(fake_.calls.size(), calls);
  EXPECT_EQ(ImageList_GetImageCount(fake_.List(true)), 1);
  TIconCacheHold cache(16);
  EXPECT_EQ(cache->ExtractedKeys()[0].Key, "http://h/,0");
}

TEST_F(IconCacheTest, ProgramsAreExtractedOtherFilesAreIndexedByTheShell) {
  const std::string exe = dir_ / "tool.exe";
  EXPECT_EQ(Ask(exe, 0, 32), 0);  // the shell's icon of the file, appended
  EXPECT_TRUE(fake_.extracts.empty());
  EXPECT_EQ(Ask(exe, 2, 32), 1);  // its second icon
  EXPECT_EQ(fake_.extracts, std::vector<std::string>{exe + "#1"});
  EXPECT_EQ(ImageList_GetImageCount(fake_.List(false)), 2);
  TIconCacheHold cache(32);
  EXPECT_TRUE(Has(cache->RecentKeys(), exe + ",0"));
  EXPECT_TRUE(Has(cache->ExtractedKeys(), exe + ",0"));
  EXPECT_TRUE(Has(cache->ExtractedKeys(), exe + ",2"));
  EXPECT_EQ(cache->GetImageList(), fake_.List(false));
}

TEST_F(IconCacheTest, NothingFoundIsNotRecorded) {
  fake_.noIcons = true;
  EXPECT_EQ(Ask("Z:\\missing\\x.txt", 0), 1000);  // falls back to the shell's index
  // A path that does not exist always tries an icon first.
  EXPECT_EQ(fake_.CallsFor("Z:\\missing\\x.txt"), 2);
  TIconCacheHold cache(16);
  EXPECT_EQ(cache->ExtractedKeys().Count(), 0);
}

TEST_F(IconCacheTest, APathWithCommasKeepsThemAll) {
  ASSERT_TRUE(fileio::ForceDirectories(dir_ / "a,b"));
  const std::string exe = dir_ / "a,b\\tool,1.exe";
  WriteTextFile(exe, "x");
  EXPECT_GE(Ask(exe, 3), 0);
  EXPECT_EQ(fake_.extracts, std::vector<std::string>{exe + "#2"});
}

TEST_F(IconCacheTest, WebAndMailAddressesTakeTheIconsOfTheirFileKinds) {
  struct Case {
    const char* path;
    const char* standIn;
  } cases[] = {{"http://h/", "*.html"}, {"WWW.h.jp", "*.html"}, {"mailto:a@b", "*.eml"}, {"https://h/", "*.html"}, {"ftp://h/", nullptr}};
  for (const Case& c : cases) {
    fake_.calls.clear();
    HICON icon;
    {
      TIconFactoryHold factory;
      icon = factory->GetSmallIcon(c.path, 0);
    }
    ASSERT_NE(icon, nullptr) << c.path;
    DestroyIcon(icon);
    ASSERT_FALSE(fake_.calls.empty());
    EXPECT_EQ(fake_.calls[0].path, c.standIn ? c.standIn : c.path) << c.path;
    EXPECT_TRUE(fake_.calls[0].flags & SHGFI_SMALLICON);
  }
}

TEST_F(IconCacheTest, PathsAreNormalisedBeforeEveryLookUp) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"C:\\", "C:\\"},
      {"C:", "C:\\"},
      {"C:\\Windows\\", "C:\\Windows"},
      {"C:\\Windows", "C:\\Windows"},
      {"\\\\srv\\share\\", "\\\\srv\\share\\"},
      {"\\\\srv\\share\\dir\\", "\\\\srv\\share\\dir"},
      {"C:\\ソ\\", "C:\\ソ"},  // one trailing backslash, not the trail byte of ソ
      {"C:\\ソ", "C:\\ソ"},
      {"", ""},
  };
  TIconFactoryHold factory;
  for (const Case& c : cases) EXPECT_EQ(factory->NormalizePath(c.in), c.out) << c.in;
  fake_.calls.clear();
  factory->GetLargeIconIndex("C:\\");
  factory->GetLargeIconIndex("C:\\Windows\\");
  ASSERT_EQ(fake_.calls.size(), 2u);
  EXPECT_EQ(fake_.calls[0].path, "C:\\");
  EXPECT_EQ(fake_.calls[1].path, "C:\\Windows");
  EXPECT_TRUE(fake_.calls[1].flags & SHGFI_SYSICONINDEX);
  EXPECT_FALSE(fake_.calls[1].flags & SHGFI_SMALLICON);
}

TEST_F(IconCacheTest, ThePathHookRewritesEveryLookUp) {
  {
    TIconFactoryHold factory;
    factory->OnGetPath = [](TIconFactory*, std::string& path) {
      if (path.rfind("%Icondir", 0) == 0) path = "D:\\Icons" + path.substr(8);
    };
  }
  Ask("%Icondir\\x.ico", 0);
  EXPECT_GE(fake_.CallsFor("D:\\Icons\\x.ico"), 1);
  EXPECT_EQ(fake_.CallsFor("%Icondir\\x.ico"), 0);
}

TEST_F(IconCacheTest, TheIconJobAsksTheCacheOnTheWorker) {
  TWorkThread work;
  int doneIndex = -2;
  HIMAGELIST doneList = nullptr;
  bool done = false;
  work.OnDone = [&](TWorkThread*, TThreadWork* w) {
    auto* job = static_cast<TIconThreadWork*>(w);
    doneIndex = job->ImageIndex;
    doneList = job->ImageList;
    done = true;
  };
  auto job = std::make_unique<TIconThreadWork>(dir_ / "doc.txt");
  job->Size = 32;
  work.AddWork(std::move(job));
  const ULONGLONG giveUp = GetTickCount64() + 20000;
  while (!done && GetTickCount64() < giveUp) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  ASSERT_TRUE(done);
  EXPECT_EQ(doneIndex, 1000);
  EXPECT_EQ(doneList, fake_.List(false));
}

TEST(IconThreadWork, SameOnlyForTheSamePathIndexAndSize) {
  TIconThreadWork a("C:\\a.exe");
  struct Case {
    const char* path;
    int index, size;
    bool same;
  } cases[] = {
      {"C:\\a.exe", 0, 16, true},  {"c:\\A.EXE", 0, 16, false}, {"C:\\a.exe", 1, 16, false},
      {"C:\\a.exe", 0, 32, false},
  };
  for (const Case& c : cases) {
    TIconThreadWork b(c.path);
    b.IconIndex = c.index;
    b.Size = c.size;
    EXPECT_EQ(a.IsSame(b), c.same) << c.path << c.index << c.size;
  }
  struct Other : TThreadWork {
    void Execute() override {}
  } other;
  EXPECT_FALSE(a.IsSame(other));
}

// ---- the real shell, under Wine ----

// Colour at the centre of an icon drawn on white.
COLORREF CentreColour(HICON icon, int size) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT r = {0, 0, size, size};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  COLORREF c = GetPixel(dc, size / 2, size / 2);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return c;
}

class RealShellTest : public ::testing::Test {
 protected:
  void SetUp() override { FreeIconCaches(); }
  void TearDown() override { FreeIconCaches(); }
  const std::string probe_ = ProgramDir() + "\\icon_probe.exe";
  const std::string ico_ = ProgramDir() + "\\red.ico";
};

TEST_F(RealShellTest, IconsOfAProgramComeOutInOrder) {
  ASSERT_TRUE(fileio::FileExists(probe_));
  struct Case {
    int index;
    bool smallSize;
    COLORREF colour;
  } cases[] = {{1, false, RGB(255, 0, 0)}, {2, false, RGB(0, 0, 255)}, {2, true, RGB(0, 0, 255)}};
  for (const Case& c : cases) {
    HICON icon;
    {
      TIconFactoryHold factory;
      icon = c.smallSize ? factory->GetSmallIcon(probe_, c.index) : factory->GetLargeIcon(probe_, c.index);
    }
    ASSERT_NE(icon, nullptr) << c.index;
    EXPECT_EQ(CentreColour(icon, c.smallSize ? 16 : 32), c.colour) << c.index << c.smallSize;
    DestroyIcon(icon);
  }
}

TEST_F(RealShellTest, TheCacheAppendsProgramIconsToTheSystemImageList) {
  TIconCacheHold cache(32);
  HIMAGELIST list = cache->GetImageList();
  ASSERT_NE(list, nullptr);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  EXPECT_EQ(cx, 32);
  const int before = ImageList_GetImageCount(list);
  const int blue = cache->GetIconIndex(probe_, 2);
  ASSERT_GE(blue, 0);
  EXPECT_EQ(ImageList_GetImageCount(list), before + 1);
  HICON icon = ImageList_GetIcon(list, blue, ILD_NORMAL);
  EXPECT_EQ(CentreColour(icon, 32), RGB(0, 0, 255));
  DestroyIcon(icon);
  EXPECT_EQ(cache->GetIconIndex(probe_, 2), blue);
  EXPECT_EQ(ImageList_GetImageCount(list), before + 1);
}

TEST_F(RealShellTest, AnIconFileGetsItsSystemImageListIndex) {
  ASSERT_TRUE(fileio::FileExists(ico_));
  TIconCacheHold cache(16);
  const int index = cache->GetIconIndex(ico_, 0);
  EXPECT_GE(index, 0);
  EXPECT_TRUE(cache->ExtractedKeys().Count() == 0);
  EXPECT_EQ(cache->RecentKeys()[0].Key, ico_ + ",0");
  TIconFactoryHold factory;
  EXPECT_EQ(factory->GetSmallIconIndex(ico_), index);
  EXPECT_NE(factory->GetSystemImageList(true), nullptr);
}

}  // namespace
