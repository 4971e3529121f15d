// Global hotkey items registered for real: RegisterHotKey on the layer's hidden
// window, keys typed with SendInput. A double press of a modifier alone never
// reaches WM_HOTKEY under Wine, so that path posts WM_HOTKEY to the window.
#include "core/HotKeyUtils.h"
#include "core/HotKey_Factory.h"
#include "core/HotKey_Global_Container.h"
#include "core/Hotkey_Item_Global.h"
#include "core/ZMRTData.h"
#include "tests/support/TempDir.h"
#include "tests/ui/UiFixture.h"

namespace {

class GlobalHotKeyTest : public UiTest {
 protected:
  void TearDown() override {
    GlobalHotKeyContainer().SetClock(nullptr);
    GlobalHotKeyContainer().SetDoubleClickTime(0);
    UiTest::TearDown();
  }
  static HWND HotKeyWindow() { return FindWindowExA(HWND_MESSAGE, nullptr, "QvHotKeyWindow", nullptr); }
  std::unique_ptr<TGlobalHotKeyItem> Item(const char* name, const char* text) {
    auto item = std::make_unique<TGlobalHotKeyItem>();
    item->SetName(name);
    item->SetHotKeyText(text);
    item->OnHotKey = [this](THotKeyItem&, const std::string& n, uint8_t classId) {
      fired.push_back(n);
      EXPECT_EQ(classId, 1);
    };
    return item;
  }
  std::vector<std::string> fired;
};

TEST_F(GlobalHotKeyTest, TypedCombinationFiresTheItem) {
  auto item = Item("call", "Shift+Ctrl+F11");
  item->SetActive(true);
  ASSERT_TRUE(item->GetActive());
  ASSERT_NE(HotKeyWindow(), nullptr);
  Type({VK_SHIFT, VK_CONTROL, VK_F11});
  ASSERT_TRUE(PumpUntil([&] { return fired.size() == 1; }));
  EXPECT_EQ(fired[0], "call");

  item->SetHotKeyText("Alt+Ctrl+F10");  // re-registered under a new id
  Type({VK_SHIFT, VK_CONTROL, VK_F11});
  Type({VK_MENU, VK_CONTROL, VK_F10});
  ASSERT_TRUE(PumpUntil([&] { return fired.size() == 2; }));
  Drain();
  EXPECT_EQ(fired.size(), 2u);
}

TEST_F(GlobalHotKeyTest, TakenCombinationFailsAndAPostedMessageForItsIdReachesNothing) {
  auto first = Item("first", "Alt+Shift+F12");
  auto second = Item("second", "Alt+Shift+F12");
  first->SetActive(true);
  second->SetActive(true);
  ASSERT_TRUE(first->GetActive());
  EXPECT_FALSE(second->GetActive());
  EXPECT_EQ(second->Id(), -1);
  int failedId = GlobalHotKeyContainer().SlotCount() - 1;
  second.reset();
  PostMessageA(HotKeyWindow(), WM_HOTKEY, failedId, 0);
  PostMessageA(HotKeyWindow(), WM_HOTKEY, 999999, 0);
  PostMessageA(HotKeyWindow(), WM_HOTKEY, static_cast<WPARAM>(-5), 0);
  Drain();
  EXPECT_TRUE(fired.empty());
  Type({VK_MENU, VK_SHIFT, VK_F12});
  ASSERT_TRUE(PumpUntil([&] { return fired.size() == 1; }));
  EXPECT_EQ(fired[0], "first");
}

TEST_F(GlobalHotKeyTest, DoublePressThroughTheHiddenWindow) {
  int64_t now = 0;
  GlobalHotKeyContainer().SetClock([&] { return now; });
  GlobalHotKeyContainer().SetDoubleClickTime(500);
  auto item = Item("ctrl2", "Ctrl*2");
  item->SetActive(true);
  ASSERT_TRUE(item->GetActive());
  auto press = [&](int64_t t) {
    now = t;
    SendMessageA(HotKeyWindow(), WM_HOTKEY, item->Id(), MAKELPARAM(kModCtrl, 0));
  };
  press(1000);
  EXPECT_TRUE(fired.empty());
  press(1200);
  EXPECT_EQ(fired.size(), 1u);
  press(1400);
  EXPECT_EQ(fired.size(), 2u);
  press(1600);
  EXPECT_EQ(fired.size(), 2u);
}

TEST_F(GlobalHotKeyTest, ApplicationEndUnregistersEverything) {
  auto item = Item("call", "Ctrl+Alt+F8");
  item->SetActive(true);
  ASSERT_TRUE(item->GetActive());
  app.reset();
  ui::TMessageWindow probe;
  ASSERT_TRUE(probe.Create("QvTestProbe"));
  EXPECT_TRUE(RegisterHotKey(probe.Handle(), 1, MOD_CONTROL | MOD_ALT, VK_F8));
  UnregisterHotKey(probe.Handle(), 1);
  item.reset();  // finds its slot empty
  app = std::make_unique<ui::TApplication>();
}

TEST_F(GlobalHotKeyTest, SettingsHotKeysFireFromTheirFiles) {
  TempDir dir;
  WriteTextFile(dir / "quorvane.ini", "Call_key=122\r\nCall_Mod=6\r\n");  // Shift+Ctrl+F11
  WriteTextFile(dir / "ShortCut.txt", "<7>\t3\t121\t1\r\n*ForceExe\t2\t13\t0\r\n");  // Alt+Ctrl+F10, global
  TZMRTData settings(dir.path());
  settings.Load();
  THotKeyItem* call = settings.GetHotKey(0);
  call->OnHotKey = [&](THotKeyItem&, const std::string&, uint8_t) { fired.push_back("call"); };
  call->SetActive(true);
  ASSERT_TRUE(call->GetActive());
  settings.HotKeyList.OnHotKey = [&](THotKeyItem&, const std::string& name, uint8_t) { fired.push_back(name); };
  settings.HotKeyList.SetActive(true);
  ASSERT_TRUE(settings.HotKeyList.GetItem(0).GetActive());
  Type({VK_SHIFT, VK_CONTROL, VK_F11});
  Type({VK_MENU, VK_CONTROL, VK_F10});
  ASSERT_TRUE(PumpUntil([&] { return fired.size() == 2; }));
  EXPECT_EQ(fired, (std::vector<std::string>{"call", "<7>"}));
  EXPECT_EQ(call->GetHotKeyClassInfo().Caption, "常駐時");
}

}  // namespace
