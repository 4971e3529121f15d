// The owners of core/Handles.h and their companions: the file listing, the
// COM base and pointer, OLE on a thread, joined thread input, paint DCs.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "core/AttachedInput.h"
#include "core/ComObject.h"
#include "core/FileIO.h"
#include "core/ForEachFile.h"
#include "core/Handles.h"
#include "tests/support/TempDir.h"

namespace {

using Names = std::vector<std::string>;

// ---- ForEachFile ----

// A folder whose own name ends in the byte 0x5C (表), holding names that do too.
class ForEachFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = dir / "表ソ";
    ASSERT_TRUE(fileio::ForceDirectories(root + "\\下"));
    WriteTextFile(root + "\\ソース.txt", "s");
    WriteTextFile(root + "\\表.txt", "h");
    WriteTextFile(root + "\\a.log", "a");
  }
  Names List(const std::string& pattern, core::TDotEntries dots = core::TDotEntries::Skip) {
    Names names;
    core::ForEachFile(pattern, [&](const WIN32_FIND_DATAA& fd) { names.push_back(fd.cFileName); }, dots);
    std::sort(names.begin(), names.end());
    return names;
  }
  TempDir dir;
  std::string root;
};

TEST_F(ForEachFileTest, ListsWhatThePatternMatches) {
  struct Case { const char* name; std::string pattern; core::TDotEntries dots; Names expect; };
  const Case cases[] = {
      {"everything, dots left out", root + "\\*", core::TDotEntries::Skip, {"a.log", "ソース.txt", "下", "表.txt"}},
      {"everything with the dots", root + "\\*", core::TDotEntries::Keep,
       {".", "..", "a.log", "ソース.txt", "下", "表.txt"}},
      {"by extension", root + "\\*.txt", core::TDotEntries::Skip, {"ソース.txt", "表.txt"}},
      {"double-byte prefix", root + "\\表*", core::TDotEntries::Skip, {"表.txt"}},
      {"one name, no wildcard", root + "\\ソース.txt", core::TDotEntries::Skip, {"ソース.txt"}},
      {"a folder by its name", root + "\\下", core::TDotEntries::Skip, {"下"}},
      {"empty folder: only its dots", root + "\\下\\*", core::TDotEntries::Keep, {".", ".."}},
      {"empty folder", root + "\\下\\*", core::TDotEntries::Skip, {}},
      {"no match", root + "\\*.ini", core::TDotEntries::Skip, {}},
      {"missing folder", root + "\\無い\\*", core::TDotEntries::Keep, {}},
  };
  for (const Case& c : cases) {
    Names expect = c.expect;
    std::sort(expect.begin(), expect.end());
    EXPECT_EQ(List(c.pattern, c.dots), expect) << c.name;
  }
}

TEST_F(ForEachFileTest, FalseFromTheCallbackEndsTheListing) {
  int calls = 0;
  core::ForEachFile(root + "\\*", [&](const WIN32_FIND_DATAA&) {
    ++calls;
    return false;
  });
  EXPECT_EQ(calls, 1);

  // The first entry of a folder's listing is ".", when the caller keeps it.
  std::string first;
  core::ForEachFile(root + "\\*", [&](const WIN32_FIND_DATAA& fd) {
    first = fd.cFileName;
    return false;
  }, core::TDotEntries::Keep);
  EXPECT_EQ(first, ".");
}

// ---- the COM base and pointer ----

// A drag source whose end the test can see.
class TProbeSource final : public core::TComObject<IDropSource> {
 public:
  explicit TProbeSource(bool* destroyed) : destroyed_(destroyed) {}
  STDMETHODIMP QueryContinueDrag(BOOL, DWORD) override { return S_OK; }
  STDMETHODIMP GiveFeedback(DWORD) override { return S_OK; }

 private:
  ~TProbeSource() override { *destroyed_ = true; }
  bool* destroyed_;
};

class TOwnedTarget final : public core::TComObject<IDropTarget, core::TComLifetime::Owned> {
 public:
  STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
  STDMETHODIMP DragOver(DWORD, POINTL, DWORD*) override { return S_OK; }
  STDMETHODIMP DragLeave() override { return S_OK; }
  STDMETHODIMP Drop(IDataObject*, DWORD, POINTL, DWORD*) override { return S_OK; }
};

TEST(ComObject, CountedObjectAnswersItsInterfacesAndDiesWithTheLastReference) {
  bool destroyed = false;
  IDropSource* source = new TProbeSource(&destroyed);  // the maker's reference

  void* unknown = nullptr;
  ASSERT_EQ(source->QueryInterface(IID_IUnknown, &unknown), S_OK);
  EXPECT_EQ(unknown, static_cast<void*>(source));
  void* own = nullptr;
  ASSERT_EQ(source->QueryInterface(IID_IDropSource, &own), S_OK);
  EXPECT_EQ(own, static_cast<void*>(source));
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(source->QueryInterface(IID_IDataObject, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(source->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

  // Three references now: the maker's and one from each answered query.
  EXPECT_EQ(source->AddRef(), 4u);
  EXPECT_EQ(source->Release(), 3u);
  EXPECT_EQ(source->Release(), 2u);
  EXPECT_EQ(source->Release(), 1u);
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(source->Release(), 0u);
  EXPECT_TRUE(destroyed);
}

TEST(ComObject, OwnedObjectIsNeverFreedByItsReferences) {
  TOwnedTarget target;
  void* own = nullptr;
  ASSERT_EQ(target.QueryInterface(IID_IDropTarget, &own), S_OK);
  EXPECT_EQ(own, static_cast<void*>(static_cast<IDropTarget*>(&target)));
  EXPECT_EQ(target.AddRef(), 1u);
  EXPECT_EQ(target.Release(), 1u);
  EXPECT_EQ(target.Release(), 1u);  // more releases than references: still alive
  void* other = nullptr;
  EXPECT_EQ(target.QueryInterface(IID_IDropSource, &other), E_NOINTERFACE);
}

TEST(ComPtr, HoldsOneReferencePerOwner) {
  bool destroyed = false;
  IDropSource* raw = new TProbeSource(&destroyed);
  {
    core::TComPtr<IDropSource> first = core::TComPtr<IDropSource>::Attach(raw);  // takes the maker's
    core::TComPtr<IDropSource> copy = first;
    core::TComPtr<IDropSource> shared = core::TComPtr<IDropSource>::Share(raw);
    EXPECT_EQ(raw->AddRef(), 4u);
    raw->Release();
    core::TComPtr<IDropSource> moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_EQ(moved.get(), raw);
    shared = first;  // drops the old reference, adds one
    EXPECT_EQ(raw->AddRef(), 4u);
    raw->Release();
    EXPECT_FALSE(destroyed);
  }
  EXPECT_TRUE(destroyed);
}

// ---- OLE on a thread ----

// What CoInitializeEx for the multithreaded apartment answers on the calling
// thread, undone again: S_OK on a thread without COM, S_FALSE on one already
// in that apartment, RPC_E_CHANGED_MODE on one in a single-threaded apartment.
HRESULT ProbeApartment() {
  HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(hr)) CoUninitialize();
  return hr;
}

TEST(OleSession, EndsOnlyWhatItStarted) {
  HRESULT inside = E_FAIL, after = E_FAIL;
  bool started = false;
  std::thread([&] {
    {
      core::TOleSession ole;
      started = ole.Started();
      inside = ProbeApartment();
    }
    after = ProbeApartment();
  }).join();
  EXPECT_TRUE(started);
  EXPECT_EQ(inside, RPC_E_CHANGED_MODE);
  EXPECT_EQ(after, S_OK);  // OLE ended with the session

  // A thread in the multithreaded apartment refuses OLE; the session must not
  // end that apartment, which it did not start.
  HRESULT refused = S_OK, still = E_FAIL;
  std::thread([&] {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
      core::TOleSession ole;
      refused = ole.Result();
    }
    still = ProbeApartment();
    CoUninitialize();
  }).join();
  EXPECT_EQ(refused, RPC_E_CHANGED_MODE);
  EXPECT_EQ(still, S_FALSE);
}

// ---- AttachedInput ----

struct TAttachCall {
  DWORD from, to;
  BOOL attach;
  bool operator==(const TAttachCall&) const = default;
};
std::vector<TAttachCall> g_attachCalls;
BOOL g_attachAnswer = TRUE;

BOOL WINAPI RecordAttach(DWORD from, DWORD to, BOOL attach) {
  g_attachCalls.push_back({from, to, attach});
  return attach ? g_attachAnswer : TRUE;
}

TEST(AttachedInput, DetachesOnlyAfterAnAttachThatSucceeded) {
  using Calls = std::vector<TAttachCall>;
  struct Case { const char* name; DWORD from, to; BOOL answer; bool attached; Calls expect; };
  const Case cases[] = {
      {"attached, then detached", 11, 22, TRUE, true, {{11, 22, TRUE}, {11, 22, FALSE}}},
      {"refused: nothing to undo", 11, 22, FALSE, false, {{11, 22, TRUE}}},
      {"one thread with itself: no call", 11, 11, TRUE, false, {}},
  };
  for (const Case& c : cases) {
    g_attachCalls.clear();
    g_attachAnswer = c.answer;
    {
      core::AttachedInput input(c.from, c.to, &RecordAttach);
      EXPECT_EQ(input.Attached(), c.attached) << c.name;
    }
    EXPECT_EQ(g_attachCalls, c.expect) << c.name;
  }
}

TEST(AttachedInput, JoinsTwoRealThreadsForItsScope) {
  const DWORD own = GetCurrentThreadId();
  DWORD other = 0;
  core::TUniqueKernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  std::thread worker([&] {
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // a message queue, so the thread has input
    other = GetCurrentThreadId();
    SetEvent(ready.get());
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    }
  });
  ASSERT_EQ(WaitForSingleObject(ready.get(), 5000), WAIT_OBJECT_0);
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  {
    core::AttachedInput input(own, other);
    EXPECT_TRUE(input.Attached());
  }
  // Detached again: a second detach has nothing to undo.
  EXPECT_FALSE(AttachThreadInput(own, other, FALSE));
  PostThreadMessageA(other, WM_QUIT, 0, 0);
  worker.join();

  core::AttachedInput gone(own, other);  // the thread has ended
  EXPECT_FALSE(gone.Attached());
}

// ---- device contexts ----

TEST(PaintDC, ValidatesTheUpdateRegion) {
  core::TUniqueHwnd window(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr,
                                           GetModuleHandleA(nullptr), nullptr));
  ASSERT_TRUE(window);
  InvalidateRect(window.get(), nullptr, FALSE);
  ASSERT_TRUE(GetUpdateRect(window.get(), nullptr, FALSE));
  {
    core::TPaintDC paint(window.get());
    EXPECT_TRUE(paint.get());
    EXPECT_EQ(paint.Area().right - paint.Area().left, 40);
  }
  EXPECT_FALSE(GetUpdateRect(window.get(), nullptr, FALSE));

  core::TWindowDC screen(nullptr);
  ASSERT_TRUE(screen);
  EXPECT_GT(GetDeviceCaps(screen.get(), LOGPIXELSY), 0);
}

}  // namespace
