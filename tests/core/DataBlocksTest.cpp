#include "core/Data_Blocks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/DropBlocks.h"

namespace {

using datablock::DropFileNames;
using datablock::ParseDropFiles;

std::string U32(uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return s;
}

std::string Header(uint32_t offset, bool wide) { return U32(offset) + U32(0) + U32(0) + U32(0) + U32(wide ? 1 : 0); }

std::string Wide(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

TEST(DropFilesBlock, WrittenBlockHasTheFixedLayoutAndReadsBack) {
  const std::vector<std::string> paths = {"C:\\a.txt", "C:\\表\\ソ"};
  const std::string block = datablock::BuildDropFiles(paths);
  // 20-byte header, each path with its zero, one more zero.
  ASSERT_EQ(block.size(), 20u + 9 + 9 + 1);
  EXPECT_EQ(block.substr(0, 20), U32(20) + U32(0) + U32(0) + U32(0xFFFFFFFFu) + U32(0));
  EXPECT_EQ(block.back(), '\0');
  DropFileNames names;
  ASSERT_TRUE(ParseDropFiles(block, names));
  EXPECT_FALSE(names.wide);
  EXPECT_EQ(names.names, paths);
}

TEST(DropFilesBlock, WideNamesAreReadAsSixteenBitText) {
  const std::string block = Header(20, true) + Wide(u"C:\\x") + std::string(2, '\0') + Wide(u"D:\\\u8868") +
                            std::string(4, '\0');
  DropFileNames names;
  ASSERT_TRUE(ParseDropFiles(block, names));
  ASSERT_TRUE(names.wide);
  EXPECT_EQ(names.wideNames, (std::vector<std::u16string>{u"C:\\x", u"D:\\\u8868"}));
}

struct MalformedCase {
  const char* name;
  std::string block;
  bool ok;
  std::vector<std::string> names;
};

TEST(DropFilesBlock, MalformedBlocksNeverReadPastTheirEnd) {
  const std::vector<MalformedCase> cases = {
      {"empty", "", false, {}},
      {"header cut short", Header(20, false).substr(0, 19), false, {}},
      {"offset past the end", Header(1000, false) + std::string("a\0\0", 3), false, {}},
      {"offset at the very end", Header(23, false) + std::string("a\0\0", 3), true, {}},
      {"offset huge", Header(0xFFFFFFFFu, false) + "x", false, {}},
      {"offset inside the header", Header(4, false), true, {}},
      {"no terminator at all", Header(20, false) + "C:\\abc", true, {}},
      {"last name cut off", Header(20, false) + std::string("C:\\a\0C:\\b", 9), true, {"C:\\a"}},
      {"missing final empty name", Header(20, false) + std::string("C:\\a\0", 5), true, {"C:\\a"}},
      {"names after the first empty one", Header(20, false) + std::string("a\0\0b\0\0", 6), true, {"a"}},
  };
  for (const MalformedCase& c : cases) {
    // An exact-size copy: a read past it shows under the sanitizers.
    const std::string exact = c.block;
    DropFileNames names;
    EXPECT_EQ(ParseDropFiles(exact, names), c.ok) << c.name;
    EXPECT_EQ(names.names, c.names) << c.name;
  }
}

TEST(DropFilesBlock, MalformedWideBlocks) {
  DropFileNames names;
  // An odd byte at the end and no terminator: nothing complete to take.
  ASSERT_TRUE(ParseDropFiles(Header(20, true) + Wide(u"C:\\a") + "x", names));
  EXPECT_TRUE(names.wideNames.empty());
  ASSERT_TRUE(ParseDropFiles(Header(20, true) + Wide(u"ab") + std::string(2, '\0') + Wide(u"c"), names));
  EXPECT_EQ(names.wideNames, std::vector<std::u16string>{u"ab"});
}

TEST(DropFilesBlock, ZeroBytesAndEmptyPathsCannotBreakAWrittenList) {
  const std::string block = datablock::BuildDropFiles({"a", "", std::string("b\0c", 3), "d"});
  DropFileNames names;
  ASSERT_TRUE(ParseDropFiles(block, names));
  EXPECT_EQ(names.names, (std::vector<std::string>{"a", "b", "d"}));
}

TEST(TextBlock, EndsAtTheFirstZeroOrTheBlock) {
  EXPECT_EQ(datablock::TextUpToNul(std::string("abc\0def", 7)), "abc");
  EXPECT_EQ(datablock::TextUpToNul("abc"), "abc");
  EXPECT_EQ(datablock::TextUpToNul(""), "");
  EXPECT_EQ(datablock::TextUpToNul(std::string("\0x", 2)), "");
}

TEST(InternetShortcut, AddressIsReadOnlyFromItsOwnSection) {
  struct Case {
    const char* name;
    const char* text;
    const char* address;
  } cases[] = {
      {"plain", "[InternetShortcut]\r\nURL=http://h/\r\n", "http://h/"},
      {"case ignored", "[internetshortcut]\nurl=http://h/x\n", "http://h/x"},
      {"other keys first", "[InternetShortcut]\r\nIconIndex=0\r\nURL=http://a/\r\nURL=http://b/\r\n", "http://a/"},
      {"after another section", "[Other]\r\nx=1\r\n[InternetShortcut]\r\nURL=http://h/\r\n", "http://h/"},
      {"URL under another section first", "[Other]\r\nURL=http://no/\r\n", ""},
      {"section between", "[InternetShortcut]\r\n[Other]\r\nURL=http://no/\r\n", ""},
      {"no section", "URL=http://no/\r\n", ""},
      {"empty address", "[InternetShortcut]\r\nURL=\r\n", ""},
      {"Shift-JIS kept", "[InternetShortcut]\r\nURL=http://h/表\r\n", "http://h/表"},
      {"empty file", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(datablock::InternetShortcutAddress(c.text), c.address) << c.name;
}

TEST(InternetShortcut, WrittenTextReadsBack) {
  const std::string text = datablock::InternetShortcutText("http://h/p?q=1");
  EXPECT_EQ(text, "[InternetShortcut]\r\nURL=http://h/p?q=1\r\n");
  EXPECT_EQ(datablock::InternetShortcutAddress(text), "http://h/p?q=1");
}

TEST(InternetShortcut, FileNameReplacesEveryAwkwardCharacter) {
  struct Case {
    std::string address;
    std::string name;
  } cases[] = {
      {"http://h/p?q=1", "http---h-p-q=1.url"},
      {"http://a!b\\c,d;e<f>g*h\"i j|k%l", "http---a-b-c-d-e-f-g-h-i-j-k-l.url"},
      // ソ and 表 end in 0x5C, which stays part of the character.
      {"http://h/ソ表", "http---h-ソ表.url"},
      // A lead byte before "/" is no character: both go.
      {std::string("http://h/\x81/..\x81/x"), "http---h---..--x.url"},
      {std::string("http://\x81"), "http----.url"},
  };
  for (const Case& c : cases) EXPECT_EQ(datablock::InternetShortcutFileName(c.address), c.name) << c.address;
}

TEST(TextBlock, WideTextEndsAtTheFirstZeroCharacterOrTheBlock) {
  struct Case {
    const char* name;
    std::string block;
    std::u16string text;
  } cases[] = {
      {"ended", Wide(u"ab") + std::string(2, '\0') + Wide(u"c"), u"ab"},
      {"no end", Wide(u"日本"), u"日本"},
      {"odd last byte", Wide(u"a") + "x", u"a"},
      {"empty", "", u""},
      {"one byte", "x", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(datablock::WideTextUpToNul(c.block), c.text) << c.name;
}

// The title of a dragged link comes from the first descriptor: only a count of
// at least one with the whole descriptor in the block gives a name.
TEST(FileGroupDescriptor, NameOnlyFromACountedWholeDescriptor) {
  const std::string whole = FileGroupDescriptorBlock(1, "Example.url");
  std::string longName(300, 'n');
  struct Case {
    const char* name;
    std::string block;
    bool found;
    std::string text;
  } cases[] = {
      {"one descriptor", whole, true, "Example.url"},
      {"two counted, one there", FileGroupDescriptorBlock(2, "a.url"), true, "a.url"},
      {"Japanese name", FileGroupDescriptorBlock(1, "日本語のページ.url"), true, "日本語のページ.url"},
      {"count zero", FileGroupDescriptorBlock(0, "a.url"), false, ""},
      {"cut in the name", whole.substr(0, whole.size() - 1), false, ""},
      {"count only", U32(1), false, ""},
      {"empty", "", false, ""},
      {"name fills its field", FileGroupDescriptorBlock(1, longName.substr(0, 260)), true, longName.substr(0, 260)},
  };
  for (const Case& c : cases) {
    std::string name = "stale";
    EXPECT_EQ(datablock::FirstDescriptorName(c.block, name), c.found) << c.name;
    EXPECT_EQ(name, c.text) << c.name;
  }
}

// A dragged shortcut's contents: the address stands after "URL=", and a block
// too short to reach it gives none.
TEST(FileContents, AddressAfterTheShortcutsHeaderBoundedByTheBlock) {
  const std::string shortcut = datablock::InternetShortcutText("http://example.com/a");
  const std::string header = shortcut.substr(0, 24);
  struct Case {
    const char* name;
    std::string block;
    std::string address;
  } cases[] = {
      {"shortcut text", shortcut, "http://example.com/a"},
      {"with a zero byte", header + std::string("http://x/\0junk", 14), "http://x/"},
      {"more lines", header + "http://x/\r\nIconIndex=1\r\n", "http://x/"},
      {"under 24 bytes", shortcut.substr(0, 23), ""},
      {"header only", header, ""},
      {"empty", "", ""},
      {"long", header + std::string(300, 'a'), std::string(250, 'a')},
  };
  for (const Case& c : cases) EXPECT_EQ(datablock::FileContentsAddress(c.block), c.address) << c.name;
}

}  // namespace
