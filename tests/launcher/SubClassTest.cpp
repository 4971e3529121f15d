#include "launcher/SubClass.h"

#include <gtest/gtest.h>

#include "tests/support/TestWindow.h"

namespace {

constexpr UINT kMsgA = WM_APP + 1;
constexpr UINT kMsgB = WM_APP + 2;

TSubClass* Watch(HWND hwnd, UINT msg) {
  auto* s = new TSubClass(hwnd);
  s->Messages.Add(msg);
  s->SetActive(true);
  return s;
}

WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

TEST(SubClass, OneReplacementPerWindowAndOwnProcedureComesBack) {
  TestWindow w;
  TSubClass* a = Watch(w.hwnd, kMsgA);
  TSubClass* b = Watch(w.hwnd, kMsgB);
  EXPECT_EQ(SubClassUseCount(w.hwnd), 2);
  EXPECT_NE(ProcOf(w.hwnd), TestWindow::OwnProcedure());
  delete a;
  EXPECT_EQ(SubClassUseCount(w.hwnd), 1);
  EXPECT_NE(ProcOf(w.hwnd), TestWindow::OwnProcedure());
  delete b;
  EXPECT_EQ(SubClassUseCount(w.hwnd), 0);
  EXPECT_EQ(ProcOf(w.hwnd), TestWindow::OwnProcedure());
}

TEST(SubClass, HandledInBeforePhaseStopsOwnProcedureAndLaterFilters) {
  TestWindow w;
  std::vector<std::string> seen;
  TSubClass* first = Watch(w.hwnd, kMsgA);
  TSubClass* second = Watch(w.hwnd, kMsgA);
  first->OnBeforeMessage = [&](TCustomSubClass*, TMessage& m) {
    seen.push_back("before1");
    m.Handled = true;
    m.Result = 42;
  };
  second->OnBeforeMessage = [&](TCustomSubClass*, TMessage&) { seen.push_back("before2"); };
  first->OnAfterMessage = [&](TCustomSubClass*, TMessage& m) {
    seen.push_back("after1");
    m.Handled = false;
  };
  second->OnAfterMessage = [&](TCustomSubClass*, TMessage&) { seen.push_back("after2"); };
  EXPECT_EQ(SendMessageA(w.hwnd, kMsgA, 0, 0), 42);
  EXPECT_EQ(w.OwnCount(kMsgA), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"before1", "after1", "after2"}));
  // Other messages pass straight through.
  SendMessageA(w.hwnd, kMsgB, 0, 0);
  EXPECT_EQ(w.OwnCount(kMsgB), 1);
  delete first;
  delete second;
}

TEST(SubClass, MessageAddedToActiveFilterTakesEffectAtOnce) {
  TestWindow w;
  TSubClass* s = Watch(w.hwnd, kMsgA);
  int hits = 0;
  s->OnAfterMessage = [&](TCustomSubClass*, TMessage& m) { if (m.Msg == kMsgB) ++hits; };
  SendMessageA(w.hwnd, kMsgB, 0, 0);
  s->Messages.Add(kMsgB);
  SendMessageA(w.hwnd, kMsgB, 0, 0);
  EXPECT_EQ(hits, 1);
  EXPECT_EQ(SubClassUseCount(w.hwnd), 1);
  delete s;
}

TEST(SubClass, DestroyingTheWindowFreesItsFiltersAndTellsOwners) {
  auto w = std::make_unique<TestWindow>();
  HWND hwnd = w->hwnd;
  std::vector<TCustomSubClass*> destroyed;
  TSubClass* a = Watch(hwnd, kMsgA);
  TSubClass* b = Watch(hwnd, WM_DESTROY);
  a->OnDestroy = [&](TCustomSubClass* s) { destroyed.push_back(s); };
  b->OnDestroy = [&](TCustomSubClass* s) { destroyed.push_back(s); };
  bool sawDestroyBefore = false;
  b->OnBeforeMessage = [&](TCustomSubClass*, TMessage& m) { sawDestroyBefore = m.Msg == WM_DESTROY; };
  w.reset();
  EXPECT_TRUE(sawDestroyBefore);
  EXPECT_EQ(destroyed.size(), 2u);
  EXPECT_EQ(SubClassUseCount(hwnd), 0);
}

TEST(SubClass, FilterFreedByAnEarlierFilterIsNotCalled) {
  TestWindow w;
  TSubClass* second = nullptr;
  TSubClass* first = Watch(w.hwnd, kMsgA);
  second = Watch(w.hwnd, kMsgA);
  int secondCalls = 0;
  first->OnBeforeMessage = [&](TCustomSubClass*, TMessage&) {
    delete second;
    second = nullptr;
  };
  second->OnBeforeMessage = [&](TCustomSubClass*, TMessage&) { ++secondCalls; };
  SendMessageA(w.hwnd, kMsgA, 0, 0);
  EXPECT_EQ(secondCalls, 0);
  EXPECT_EQ(w.OwnCount(kMsgA), 1);
  delete first;
}

TEST(SubClass, ExceptionInAFilterNeverLeavesTheWindowProcedure) {
  TestWindow w;
  TSubClass* s = Watch(w.hwnd, kMsgA);
  s->OnBeforeMessage = [](TCustomSubClass*, TMessage&) { throw std::runtime_error("boom"); };
  EXPECT_EQ(SendMessageA(w.hwnd, kMsgA, 0, 0), 0);
  delete s;
}

}  // namespace
