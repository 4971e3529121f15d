// The keyword hotkey dialog on a keyword store fixture: items opened and
// handed back, the keyword's name check, the scope switch and the hotkey
// dialog behind "...", typed with SendInput (Japanese by WM_SETTEXT) while the
// dialog's modal loop runs.
#include "editor/UHotKeyDialog.h"

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "core/HotKey_Factory.h"
#include "core/HotKey_Item.h"
#include "editor/HotKey_Dialog.h"
#include "editor/HotKey_Edit.h"
#include "editor/HotKey_Frame.h"
#include "editor/ParamEdit.h"
#include "editor/SelectButton.h"
#include "tests/editor/DialogFixture.h"
#include "tests/editor/EditFixture.h"
#include "tests/support/Screenshot.h"
#include "ui/Button.h"
#include "ui/Dialogs.h"
#include "ui/Label.h"

namespace {

class KeyWordHotKeyDialogTest : public EditWindowTest {
 protected:
  void SetUp() override {
    EditWindowTest::SetUp();
    WriteTextFile(items + "\\IDList.txt", "7\r\n7=notepad\r\n3=日本/ソフト\r\n");
  }
  void TearDown() override {
    ui::SetTrackMenuHandler(nullptr);
    EditWindowTest::TearDown();
  }
  static std::unique_ptr<THotKeyItem> Item(uint8_t classId, const char* text, const char* name) {
    auto item = HotKeyFactory().CreateByClassId(classId);
    item->SetHotKeyText(text);
    item->SetName(name);
    return item;
  }
  // Runs the dialog on item; script drives it once its loop runs, inner each
  // hotkey dialog opened from it.
  bool Run(std::unique_ptr<THotKeyItem>& item, const std::function<void(TKW_HotKeyDialog&)>& script,
           const std::function<void(THotKeyDialog&)>& inner = {}) {
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      if (auto* d = dynamic_cast<THotKeyDialog*>(&f)) {
        ++innerDialogs;
        if (inner) inner(*d);
        if (d->ModalResult() == 0) realinput::Type("{Esc}");
        return;
      }
      auto& dialog = dynamic_cast<TKW_HotKeyDialog&>(f);
      ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
      Drain();
      script(dialog);
      if (dialog.ModalResult() == 0) PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    });
    TKW_HotKeyDialog dialog(&form);
    return dialog.Execute(item, store);
  }
  void Idle() { RunIdle(*app); }
  static void SetKeyWord(TKW_HotKeyDialog& d, const char* text) {
    SendMessageA(d.KeyWordBox().Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  int innerDialogs = 0;
};

TEST_F(KeyWordHotKeyDialogTest, OpenedItemsShowTheirTextAndComeBackNewFromOK) {
  struct TCase {
    const char* name;
    uint8_t classId;
    const char* text;
    const char* stored;   // the item's name as stored; nullptr: a fresh default item
    const char* shownName;
  };
  const TCase cases[] = {
      {"local Ctrl+K", 0, "Ctrl+K", "<7>", "notepad"},
      {"system-wide Win+K", 1, "Win+K", "<7>", "notepad"},
      {"system-wide double press", 1, "Ctrl*2", "<3>", "日本/ソフト"},
      {"a fresh item given a keyword", 0, "なし", nullptr, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<THotKeyItem> item = c.stored ? Item(c.classId, c.text, c.stored) : HotKeyFactory().CreateDefault();
    const THotKeyItem* old = item.get();
    std::string shownText, shownName;
    int shownScope = -1;
    bool ok = Run(item, [&](TKW_HotKeyDialog& d) {
      shownText = d.HotKeyBox().Text();
      shownName = d.KeyWordBox().Text();
      shownScope = d.ScopeButton().Selected();
      if (!c.stored) {
        d.KeyWordBox().Focus();
        Keys("notepad");
        d.KeyWordBox().HidePopup();
      }
      d.Control("OKButton").Focus();
      Drain();
      Press({VK_RETURN});
    });
    EXPECT_EQ(shownText, c.text);
    EXPECT_EQ(shownName, c.shownName);
    EXPECT_EQ(shownScope, c.classId);
    ASSERT_TRUE(ok);
    EXPECT_NE(item.get(), old) << "a new item";
    EXPECT_EQ(item->GetHotKeyClassInfo().ClassId, c.classId);
    EXPECT_EQ(item->GetHotKeyText(), c.text);
    EXPECT_EQ(item->GetName(), c.stored ? c.stored : "<7>");
  }
}

TEST_F(KeyWordHotKeyDialogTest, CancelHandsBackTheSameItemUntouched) {
  std::unique_ptr<THotKeyItem> item = Item(1, "Alt+F5", "<7>");
  const THotKeyItem* old = item.get();
  RECT r = {}, owner = {};
  bool ok = Run(item, [&](TKW_HotKeyDialog& d) {
    GetWindowRect(d.Handle(), &r);
    SetKeyWord(d, "alpha");
    d.HotKeyBox().SetText("Ctrl+Q");
    Drain();
    Press({VK_ESCAPE});
  });
  EXPECT_FALSE(ok);
  GetWindowRect(Form(), &owner);
  EXPECT_LE(std::abs((r.left + r.right) / 2 - (owner.left + owner.right) / 2), 1) << "centred over its owner";
  EXPECT_LE(std::abs((r.top + r.bottom) / 2 - (owner.top + owner.bottom) / 2), 1);
  EXPECT_EQ(item.get(), old);
  EXPECT_EQ(item->GetHotKeyClassInfo().ClassId, 1);
  EXPECT_EQ(item->GetHotKeyText(), "Alt+F5");
  EXPECT_EQ(item->GetName(), "<7>");
}

TEST_F(KeyWordHotKeyDialogTest, TheLabelSaysWhetherTheKeywordExistsAndOnlyThenOKWorks) {
  struct TStep {
    const char* name;
    std::function<void(TKW_HotKeyDialog&)> change;
    const char* label;
    bool red, okEnabled;
  };
  std::unique_ptr<THotKeyItem> item = HotKeyFactory().CreateDefault();
  std::vector<std::string> failures;
  bool ok = Run(item, [&](TKW_HotKeyDialog& d) {
    const TStep steps[] = {
        {"empty at first", [](auto&) {}, "キーワード(必須)(&K)", true, false},
        {"typed, unknown", [&](auto& dd) {
           dd.KeyWordBox().Focus();
           Keys("nosuch");
           dd.KeyWordBox().HidePopup();
         }, "キーワード(存在しません)(&K)", true, false},
        {"a Japanese keyword", [](auto& dd) { SetKeyWord(dd, "日本/ソフト"); }, "キーワード(&K)", false, true},
        {"a Japanese name that is none", [](auto& dd) { SetKeyWord(dd, "日本/ない"); }, "キーワード(存在しません)(&K)",
         true, false},
        {"cleared", [](auto& dd) { SetKeyWord(dd, ""); }, "キーワード(必須)(&K)", true, false},
        {"an existing keyword", [](auto& dd) { SetKeyWord(dd, "alpha"); }, "キーワード(&K)", false, true},
    };
    for (const auto& s : steps) {
      SCOPED_TRACE(s.name);
      s.change(d);
      Drain();
      Idle();
      EXPECT_EQ(d.KeyWordLabel().Caption(), s.label);
      EXPECT_EQ(d.KeyWordLabel().FontColor(), s.red ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
      EXPECT_EQ(d.Control<ui::TButton>("OKButton").Enabled(), s.okEnabled);
      if (!s.okEnabled) {
        d.Control("CancelButton").Focus();  // Enter would press a focused button
        d.HotKeyBox().Focus();
        Drain();
        Press({VK_RETURN});
        EXPECT_EQ(d.ModalResult(), 0) << "OK cannot be pressed";
      }
    }
    EXPECT_EQ(d.Hints().ToolText(d.Control("DialogButton").Handle()),
              "ダイアログでキー設定(通常では入力不可能なキーも設定可能)");
    EXPECT_EQ(d.Hints().ToolText(d.ScopeButton().Handle()), "キーの有効範囲を設定します");
    d.Control("OKButton").Focus();
    Drain();
    Press({VK_RETURN});
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(item->GetName(), store.EncodeKeyWordIDs("alpha"));
}

TEST_F(KeyWordHotKeyDialogTest, SwitchingBackToActiveWhileActiveClearsAWinText) {
  std::unique_ptr<THotKeyItem> item = Item(1, "Win+K", "<7>");
  std::string before, after;
  int chosen = -1;
  bool ok = Run(item, [&](TKW_HotKeyDialog& d) {
    before = d.HotKeyBox().Text();
    // The menu's first entry is chosen.
    ui::SetTrackMenuHandler([&](const ui::TTrackMenuRequest&) { return d.ScopeButton().Menu().Items().Item(0)->Command(); });
    ClickAt(d.ScopeButton().Handle(), Center(d.ScopeButton().Handle()));
    after = d.HotKeyBox().Text();
    chosen = d.ScopeButton().Selected();
    d.Control("OKButton").Focus();
    Drain();
    Press({VK_RETURN});
  });
  EXPECT_EQ(before, "Win+K");
  EXPECT_EQ(after, "なし");
  EXPECT_EQ(chosen, 0);
  ASSERT_TRUE(ok);
  EXPECT_EQ(item->GetHotKeyClassInfo().ClassId, 0);
  EXPECT_EQ(item->GetHotKeyText(), "なし");
}

TEST_F(KeyWordHotKeyDialogTest, TheDotsOpenTheHotKeyDialogOfTheScope) {
  struct TCase {
    const char* name;
    uint8_t classId;
    const char* text;
    bool accept;  // Enter in the hotkey dialog, else Esc
    bool winShown;
    const char* after;
  };
  const TCase cases[] = {
      {"system-wide: the global dialog, OK", 1, "Ctrl*2", true, true, "Ctrl*2"},
      {"active while active: the local dialog, Esc", 0, "Ctrl+K", false, false, "Ctrl+K"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<THotKeyItem> item = Item(c.classId, c.text, "<7>");
    innerDialogs = 0;
    bool winShown = !c.winShown;
    std::string innerText, after;
    Run(
        item,
        [&](TKW_HotKeyDialog& d) {
          ClickAt(d.Control("DialogButton").Handle(), Center(d.Control("DialogButton").Handle()));
          after = d.HotKeyBox().Text();
          Press({VK_ESCAPE});
        },
        [&](THotKeyDialog& h) {
          winShown = h.Frame().WinBox().Visible();
          innerText = h.Frame().GetHotKeyText();
          realinput::Type(c.accept ? "{Enter}" : "{Esc}");
        });
    EXPECT_EQ(innerDialogs, 1);
    EXPECT_EQ(winShown, c.winShown);
    EXPECT_EQ(innerText, c.text);
    EXPECT_EQ(after, c.after);
  }
}

// The picture: a Japanese keyword the store does not know, and its red label.
TEST_F(KeyWordHotKeyDialogTest, ScreenshotJapaneseKeywordWithItsRedLabel) {
  std::unique_ptr<THotKeyItem> item = Item(1, "Ctrl+Alt+N", "<7>");
  Run(item, [&](TKW_HotKeyDialog& d) {
    SetKeyWord(d, "日本/メモ帳");
    d.KeyWordBox().HidePopup();
    d.HotKeyBox().Focus();
    Drain();
    EXPECT_EQ(d.KeyWordLabel().Caption(), "キーワード(存在しません)(&K)");
    OfferScreenshot(d.Handle(), "editor-keyword-hotkey");
    Press({VK_ESCAPE});
  });
}

}  // namespace
