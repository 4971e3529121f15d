#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "core/HotKeyUtils.h"
#include "core/HotKey_Factory.h"
#include "core/HotKey_Global_Container.h"
#include "core/HotKey_Local_Container.h"
#include "core/Hotkey_Item_Global.h"
#include "core/Hotkey_Item_Local.h"

namespace {

// Stands in for the GUI layer's hidden window: records registrations and
// refuses a combination that is registered already, as the system does.
struct FakeHotKeyWindow : IHotKeyWindow {
  struct Log { std::vector<std::pair<int, THotKey>> registered; std::vector<int> unregistered; std::set<std::pair<int, int>> taken; };
  Log* log;
  explicit FakeHotKeyWindow(Log* l) : log(l) {}
  bool Register(int id, uint8_t modifiers, int key) override {
    if (!log->taken.insert({modifiers, key}).second) return false;
    log->registered.push_back({id, {modifiers, key}});
    return true;
  }
  void Unregister(int id) override {
    log->unregistered.push_back(id);
    for (auto& r : log->registered)
      if (r.first == id) log->taken.erase({r.second.Modifiers, r.second.Key});
  }
  unsigned DoubleClickTime() const override { return 500; }
};

class GlobalHotKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    SetHotKeyWindowFactory([this](TGlobalHotKeyContainer&) { return std::make_unique<FakeHotKeyWindow>(&log); });
    GlobalHotKeyContainer().SetClock([this] { return now; });
  }
  void TearDown() override {
    GlobalHotKeyContainer().ReleaseWindow();
    GlobalHotKeyContainer().SetClock(nullptr);
    SetHotKeyWindowFactory(nullptr);
  }
  std::unique_ptr<TGlobalHotKeyItem> Item(uint8_t mods, int key, int* fired) {
    auto item = std::make_unique<TGlobalHotKeyItem>();
    item->SetName("kw");
    item->SetHotKey(mods, key);
    item->OnHotKey = [fired](THotKeyItem&, const std::string& name, uint8_t classId) {
      EXPECT_EQ(name, "kw");
      EXPECT_EQ(classId, 1);
      ++*fired;
    };
    return item;
  }
  FakeHotKeyWindow::Log log;
  int64_t now = 0;
};

TEST_F(GlobalHotKeys, ActiveItemRegistersAndFires) {
  int fired = 0;
  auto item = Item(kModCtrl, 0x20, &fired);
  EXPECT_EQ(item->Id(), -1);
  item->SetActive(true);
  ASSERT_TRUE(item->GetActive());
  ASSERT_EQ(log.registered.size(), 1u);
  EXPECT_EQ(log.registered[0].first, item->Id());
  EXPECT_EQ(log.registered[0].second, (THotKey{kModCtrl, 0x20}));
  GlobalHotKeyContainer().HotKey(item->Id());
  EXPECT_EQ(fired, 1);
  int id = item->Id();
  item->SetActive(false);
  EXPECT_EQ(log.unregistered, std::vector<int>{id});
  GlobalHotKeyContainer().HotKey(id);
  EXPECT_EQ(fired, 1);
}

TEST_F(GlobalHotKeys, SecondItemWithTheSameCombinationFailsAndItsSlotStaysEmpty) {
  int fired1 = 0, fired2 = 0;
  auto first = Item(kModCtrl, 0x20, &fired1);
  auto second = Item(kModCtrl, 0x20, &fired2);
  first->SetActive(true);
  second->SetActive(true);
  EXPECT_FALSE(second->GetActive());
  EXPECT_EQ(second->Id(), -1);
  int failedSlot = GlobalHotKeyContainer().SlotCount() - 1;
  EXPECT_EQ(GlobalHotKeyContainer().ItemAt(failedSlot), nullptr);
  second.reset();                              // the failed item is freed...
  GlobalHotKeyContainer().HotKey(failedSlot);  // ...and a posted WM_HOTKEY for its id reaches nothing
  GlobalHotKeyContainer().HotKey(first->Id());
  EXPECT_EQ(fired1, 1);
  EXPECT_EQ(fired2, 0);
}

TEST_F(GlobalHotKeys, FailedRegistrationIsRetriedByTheNextActivation) {
  int fired = 0;
  auto blocker = Item(kModAlt, 0x41, &fired);
  auto item = Item(kModAlt, 0x41, &fired);
  blocker->SetActive(true);
  item->SetActive(true);
  EXPECT_FALSE(item->GetActive());
  blocker.reset();
  item->SetActive(true);
  EXPECT_TRUE(item->GetActive());
}

TEST_F(GlobalHotKeys, ChangingAnActiveItemRegistersOnceWithTheFinalCombination) {
  int fired = 0;
  auto item = Item(kModCtrl, 0x20, &fired);
  item->SetActive(true);
  int oldId = item->Id();
  TGlobalHotKeyItem source;
  source.SetName("other");
  source.SetHotKey(kModAlt | kModShift, 0x7B);
  log.registered.clear();

  item->Assign(&source);
  ASSERT_EQ(log.registered.size(), 1u);
  EXPECT_EQ(log.registered[0].second, (THotKey{kModAlt | kModShift, 0x7B}));
  EXPECT_GT(item->Id(), oldId);
  EXPECT_EQ(log.unregistered, std::vector<int>{oldId});
  EXPECT_EQ(item->GetName(), "other");

  log.registered.clear();
  item->SetHotKeyText("Shift+Ctrl+F1");
  ASSERT_EQ(log.registered.size(), 1u);
  EXPECT_EQ(log.registered[0].second, (THotKey{kModShift | kModCtrl, 0x70}));
  GlobalHotKeyContainer().HotKey(oldId);
  EXPECT_EQ(fired, 0);
}

TEST_F(GlobalHotKeys, DoublePressFiresWithinTheDoubleClickTimeOfTheFirstPress) {
  struct Case { const char* name; std::vector<int64_t> presses; int fires; };
  const Case cases[] = {
      {"two presses 200 ms apart", {1000, 1200}, 1},
      {"third press 400 ms after the first", {1000, 1200, 1400}, 2},
      {"third press 600 ms after the first starts anew", {1000, 1200, 1600}, 1},
      {"600 ms apart", {1000, 1600}, 0},
      {"fourth after a new start", {1000, 1200, 1600, 1700}, 2},
  };
  for (const auto& c : cases) {
    int fired = 0;
    auto item = Item(kModCtrl, 0, &fired);
    item->SetActive(true);
    ASSERT_TRUE(item->GetActive()) << c.name;
    for (int64_t t : c.presses) {
      now = t;
      GlobalHotKeyContainer().HotKey(item->Id());
    }
    EXPECT_EQ(fired, c.fires) << c.name;
  }
}

TEST_F(GlobalHotKeys, PressOfAnotherHotKeyCancelsADoublePress) {
  int doubled = 0, other = 0;
  auto ctrl2 = Item(kModCtrl, 0, &doubled);
  auto plain = Item(kModAlt, 0x20, &other);
  ctrl2->SetActive(true);
  plain->SetActive(true);
  now = 100;
  GlobalHotKeyContainer().HotKey(ctrl2->Id());
  now = 150;
  GlobalHotKeyContainer().HotKey(plain->Id());
  now = 200;
  GlobalHotKeyContainer().HotKey(ctrl2->Id());
  EXPECT_EQ(doubled, 0);
  EXPECT_EQ(other, 1);
  now = 300;
  GlobalHotKeyContainer().HotKey(ctrl2->Id());
  EXPECT_EQ(doubled, 1);
}

TEST_F(GlobalHotKeys, WithoutAWindowRegistrationFails) {
  GlobalHotKeyContainer().ReleaseWindow();
  SetHotKeyWindowFactory(nullptr);
  int fired = 0;
  auto item = Item(kModCtrl, 0x20, &fired);
  item->SetActive(true);
  EXPECT_FALSE(item->GetActive());
}

TEST_F(GlobalHotKeys, HandlerMayFreeItsItem) {
  std::unique_ptr<TGlobalHotKeyItem> item = std::make_unique<TGlobalHotKeyItem>();
  item->SetHotKey(kModCtrl, 0x41);
  item->OnHotKey = [&item](THotKeyItem&, const std::string&, uint8_t) { item.reset(); };
  item->SetActive(true);
  int id = item->Id();
  GlobalHotKeyContainer().HotKey(id);
  EXPECT_EQ(item, nullptr);
  GlobalHotKeyContainer().HotKey(id);
}

TEST(LocalHotKeys, ActiveItemsShortCutRunsItAndAChangeMovesIt) {
  int fired = 0;
  TLocalHotKeyItem item;
  item.SetName("*ForceExe");
  item.SetHotKeyText("Ctrl+K");
  item.OnHotKey = [&](THotKeyItem&, const std::string& name, uint8_t classId) {
    EXPECT_EQ(name, "*ForceExe");
    EXPECT_EQ(classId, 0);
    ++fired;
  };
  EXPECT_FALSE(LocalHotKeyContainer().ExecuteShortCut(kScCtrl | 'K'));
  item.SetActive(true);
  EXPECT_TRUE(LocalHotKeyContainer().ExecuteShortCut(kScCtrl | 'K'));
  EXPECT_EQ(fired, 1);
  item.SetHotKeyText("Alt+J");
  EXPECT_FALSE(LocalHotKeyContainer().ExecuteShortCut(kScCtrl | 'K'));
  EXPECT_TRUE(LocalHotKeyContainer().ExecuteShortCut(kScAlt | 'J'));
  EXPECT_EQ(fired, 2);
  item.SetActive(false);
  EXPECT_FALSE(LocalHotKeyContainer().ExecuteShortCut(kScAlt | 'J'));
  EXPECT_EQ(fired, 2);
}

TEST(LocalHotKeys, DestroyedItemLeavesTheActionList) {
  int before = LocalHotKeyContainer().ActionCount();
  {
    TLocalHotKeyItem item;
    item.SetHotKey(kModCtrl, 'Q');
    item.SetActive(true);
    EXPECT_EQ(LocalHotKeyContainer().ActionCount(), before + 1);
  }
  EXPECT_EQ(LocalHotKeyContainer().ActionCount(), before);
  EXPECT_FALSE(LocalHotKeyContainer().ExecuteShortCut(kScCtrl | 'Q'));
}

TEST(LocalHotKeys, DoublePressAndWinHaveNoShortCut) {
  TLocalHotKeyItem item;
  item.SetHotKey(kModCtrl, 0);
  item.SetActive(true);
  EXPECT_EQ(item.ShortCut(), 0);
  EXPECT_TRUE(item.GetActive());
  EXPECT_FALSE(LocalHotKeyContainer().ExecuteShortCut(0));
}

TEST(HotKeyFactory, MakesItemsByClassId) {
  struct Case { uint8_t id; uint8_t classId; const char* caption; bool global; };
  const Case cases[] = {
      {0, 0, "アクティブ時", false},
      {1, 1, "常駐時", true},
      {7, 0, "アクティブ時", false},
      {255, 0, "アクティブ時", false},
  };
  for (const auto& c : cases) {
    auto item = HotKeyFactory().CreateByClassId(c.id);
    EXPECT_EQ(item->GetClassId(), c.classId) << int(c.id);
    EXPECT_EQ(item->GetHotKeyClassInfo().Caption, c.caption);
    EXPECT_EQ(item->GetHotKeyClassInfo().Global, c.global);
    EXPECT_FALSE(item->GetActive());
    EXPECT_EQ(item->GetHotKeyText(), "なし");
  }
  EXPECT_EQ(HotKeyFactory().CreateDefault()->GetClassId(), 0);
  EXPECT_EQ(THotKeyFactory::Classes().size(), 2u);
  EXPECT_STREQ(ECannotFindHotKeyClassError(0).what(), "Cannot Find HotKeyClass 0");
}

TEST(HotKeyFactory, CloneAndAssign) {
  auto item = HotKeyFactory().CreateByClassId(1);
  item->SetName("<12>");
  item->SetHotKeyText("Alt+Ctrl*2");
  auto copy = HotKeyFactory().Clone(*item);
  EXPECT_EQ(copy->GetClassId(), 1);
  EXPECT_EQ(copy->GetName(), "<12>");
  EXPECT_EQ(copy->GetHotKeyText(), "Alt+Ctrl*2");
  copy->Assign(nullptr);
  EXPECT_EQ(copy->GetName(), "");
  EXPECT_EQ(copy->GetHotKeyText(), "なし");
  item->SetModifiers(0xFF);
  EXPECT_EQ(item->GetModifiers(), 15);
}

}  // namespace
