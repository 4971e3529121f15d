#include "core/HotKeyUtils.h"

#include <gtest/gtest.h>

#include "core/OSUtils.h"

namespace {

TEST(HotKeyText, TextToHotKeyTable) {
  struct Case { const char* text; bool allowAlone; uint8_t mods; int key; };
  const Case cases[] = {
      {"Ctrl+Space", false, 2, 0x20},
      {"ctrl+space", false, 2, 0x20},
      {"Space+Ctrl", false, 0, 0},          // key part "Ctrl" is no key
      {"Shift+Alt+k", false, 0, 0},         // lower-case letters are no key
      {"Shift+Alt+K", false, 5, 0x4B},
      {"WIN+A", false, 8, 0x41},
      {"win+A", false, 8, 0x41},
      {"F5", false, 0, 0x74},               // allowed alone
      {"f12", false, 0, 0x7B},
      {"Space", false, 0, 0},
      {"Space", true, 0, 0x20},
      {"A", false, 0, 0},
      {"A", true, 0, 0x41},
      {"Ctrl*2", false, 2, 0},
      {"Alt+Ctrl*2", false, 3, 0},
      {"Alt*2", false, 1, 0},
      {"Alt+Shift*2", false, 5, 0},
      {"Win*2", false, 0, 0},
      {"Ctrl+#226", false, 2, 226},
      {"Ctrl+#abc", false, 0, 0},
      {"Ctrl+#300", false, 2, 300},
      {"Ctrl+#70000", false, 2, 70000 & 0xFFFF},
      {"Ctrl+", false, 0, 0},
      {"Ctrl++", false, 0, 0},
      {"Ctrl+12", false, 2, 0x31},          // only the first digit counts
      {"Ctrl+2", false, 2, 0x32},
      {"Alt+↑", false, 1, 0x26},
      {"Shift+無変換", false, 4, 0x1D},
      {"変換", false, 0, 0x1C},
      {"Ctrl+Num 0", false, 2, 0x60},
      {"Ctrl+:", false, 2, 0xBA},
      {"Ctrl+@", false, 2, 0xC0},
      {"Ctrl+^", false, 2, 0xDE},
      {"なし", false, 0, 0},
      {"", true, 0, 0},
      {"Ctrl+ソ*2", false, 0, 0},          // no modifier word with "*": no double press
  };
  for (const auto& c : cases) {
    THotKey k = TextToHotKey(c.text, c.allowAlone);
    EXPECT_EQ(k.Modifiers, c.mods) << c.text;
    EXPECT_EQ(k.Key, c.key) << c.text;
  }
}

TEST(HotKeyText, HotKeyToTextTable) {
  struct Case { uint8_t mods; int key; bool allowAlone; const char* text; };
  const Case cases[] = {
      {2, 0x20, false, "Ctrl+Space"},
      {5, 0x4B, false, "Alt+Shift+K"},
      {15, 0x7B, false, "Alt+Win+Shift+Ctrl+F12"},
      {2, 0, false, "Ctrl*2"},
      {3, 0, false, "Alt+Ctrl*2"},
      {5, 0, false, "Alt+Shift*2"},
      {0, 0, true, "なし"},
      {8, 0, true, "なし"},                 // Win cannot be double-pressed
      {10, 0, true, "なし"},
      {0, 0x41, false, "なし"},
      {0, 0x41, true, "A"},
      {0, 0x74, false, "F5"},
      {0, 0x15, false, "かな"},
      {2, 226, false, "Ctrl+#226"},
      {2, 0x39, false, "Ctrl+9"},
      {1, 0x28, false, "Alt+↓"},
  };
  for (const auto& c : cases) EXPECT_EQ(HotKeyToText(c.mods, c.key, c.allowAlone), c.text) << c.text;
}

TEST(HotKeyText, EveryCombinationRoundTrips) {
  for (int key = 0; key <= 0xFF; ++key) {
    for (uint8_t mods = 0; mods <= 15; ++mods) {
      std::string text = HotKeyToText(mods, key, true);
      if (text == kNoHotKeyText) {
        EXPECT_FALSE(IsValidHotKey(mods, key)) << int(mods) << " " << key;
        continue;
      }
      THotKey back = TextToHotKey(text, true);
      EXPECT_EQ(back.Modifiers, mods) << text;
      EXPECT_EQ(back.Key, key) << text;
    }
  }
}

TEST(HotKeyText, DoublePressRecognition) {
  EXPECT_TRUE(IsDoubleMod(2, 0));
  EXPECT_FALSE(IsDoubleMod(8, 0));
  EXPECT_FALSE(IsDoubleMod(0, 0));
  EXPECT_FALSE(IsDoubleMod(2, 0x20));
  EXPECT_TRUE(IsValidHotKey(0, 0x41));
  EXPECT_FALSE(IsValidHotKey(0, 0));
  EXPECT_TRUE(IsDoubleModText("Ctrl*2"));
  EXPECT_TRUE(IsDoubleModText("shift*2"));
  EXPECT_FALSE(IsDoubleModText("Win+Ctrl*2"));
  EXPECT_FALSE(IsDoubleModText("Win*2"));
  EXPECT_FALSE(IsDoubleModText("Ctrl+2"));
}

TEST(HotKeyText, KeyNames) {
  EXPECT_EQ(KeyToText(0), "");
  EXPECT_EQ(KeyToText(0x0D), "Enter");
  EXPECT_EQ(KeyToText(0x87), "F24");
  EXPECT_TRUE(KeyToTextEx(0x90).AllowedAlone);
  EXPECT_FALSE(KeyToTextEx(0x20).AllowedAlone);
  EXPECT_EQ(KeyToText(0xFF), "#255");
  EXPECT_EQ(TextToKey("Ctrl+Space", true), 0);
  EXPECT_EQ(TextToKey("NumLock", true), 0x90);
  EXPECT_EQ(TextToModifiers("Alt+Ctrl*2"), 3);
  EXPECT_EQ(ModifiersToText(15, true), "Alt+Shift+Ctrl+");
}

// The lists name every key of the syntax once, in order, and each name reads
// back as its key with the right need of a modifier.
TEST(HotKeyText, KeyNameListsReadBack) {
  std::vector<std::string> named = NamedKeyNames(), alone = AloneKeyNames();
  ASSERT_EQ(named.size(), 34u);
  ASSERT_EQ(alone.size(), 29u);
  EXPECT_EQ(named.front(), "Space");
  EXPECT_EQ(named.back(), "Num 0");
  EXPECT_EQ(alone.front(), "CapsLock");
  EXPECT_EQ(alone.back(), "F24");
  for (const auto& name : named) {
    int key = TextToKey(name, false);
    EXPECT_NE(key, 0) << name;
    EXPECT_EQ(KeyToText(key), name);
    EXPECT_FALSE(KeyToTextEx(key).AllowedAlone) << name;
  }
  for (const auto& name : alone) {
    int key = TextToKey(name, true);
    EXPECT_NE(key, 0) << name;
    EXPECT_EQ(KeyToText(key), name);
  }
}

TEST(HotKeyText, ShellLinkWords) {
  struct Case { const char* text; uint16_t word; };
  const Case cases[] = {
      {"Ctrl+Alt+Delete", 0x062E},
      {"Shift+F1", 0x0170},
      {"F1", 0x0070},
      {"Space", 0},                         // not allowed alone
      {"Ctrl*2", 0},
      {"Win+Ctrl+A", 0x0241},
      {"Ctrl+#300", 0x022C},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToHotKeyWord(c.text), c.word) << c.text;

  struct Back { uint16_t word; const char* text; };
  const Back backs[] = {
      {0, "なし"},
      {0x062E, "Alt+Ctrl+Delete"},
      {0x0870, "F1"},                       // flag 8 has no name
      {0x0841, "なし"},
      {0x0541, "Alt+Shift+A"},
  };
  for (const auto& b : backs) EXPECT_EQ(HotKeyWordToText(b.word), b.text) << b.word;
  EXPECT_EQ(TextToHotKeyFlags("Win+Alt+Shift+Ctrl+A"), 7);
  EXPECT_EQ(HotKeyFlagsToText(7), "Alt+Shift+Ctrl+");
}

TEST(HotKeyText, MenuShortCuts) {
  struct Case { uint8_t mods; int key; uint16_t sc; };
  const Case cases[] = {
      {2, 0x20, 0x4020},
      {7, 0x41, 0xE041},
      {8, 0x41, 0x0041},                    // Win is dropped
      {2, 0, 0},                            // a double press never fires
      {2, 300, 0},
      {0, 0x74, 0x0074},
  };
  for (const auto& c : cases) EXPECT_EQ(HotKeyToShortCut(c.mods, c.key), c.sc) << int(c.mods) << " " << c.key;
  EXPECT_TRUE(IsDoubleModSupported());
}

TEST(HotKeyText, DoublePressSupportByVersion) {
  struct Case { unsigned platform, major, minor; bool supported; };
  const Case cases[] = {{1, 4, 0, false}, {1, 4, 10, true}, {1, 4, 90, true}, {2, 4, 0, true}, {2, 10, 0, true}};
  for (const auto& c : cases) {
    TOSVersion v;
    v.platformId = c.platform;
    v.major = c.major;
    v.minor = c.minor;
    EXPECT_EQ(IsDoubleModSupportedOn(v), c.supported) << c.platform << "." << c.major << "." << c.minor;
  }
}

}  // namespace
