#include "core/Sjis.h"

#include <gtest/gtest.h>

namespace {

// ソ and 表 end in the byte 0x5C, the code of "\".
const std::string kSo = "ソ";
const std::string kHyo = "表";

TEST(SjisLiterals, JapaneseLiteralsAreShiftJisBytes) {
  const std::string nashi = "なし";
  ASSERT_EQ(nashi.size(), 4u);
  EXPECT_EQ(static_cast<unsigned char>(nashi[0]), 0x82);
  EXPECT_EQ(static_cast<unsigned char>(nashi[1]), 0xC8);
  EXPECT_EQ(static_cast<unsigned char>(nashi[2]), 0x82);
  EXPECT_EQ(static_cast<unsigned char>(nashi[3]), 0xB5);
  EXPECT_EQ(kSo, "\x83\x5C");
  EXPECT_EQ(kHyo, "\x95\x5C");
}

TEST(SjisSlashSearch, TrailByteNeverMatchesBackslash) {
  struct Case { const char* name; std::string text; size_t first, last; };
  const Case cases[] = {
      {"no real backslash", kSo + kHyo, sjis::npos, sjis::npos},
      {"folder of trail bytes", "C:" + std::string("\\") + kHyo + "\\" + kSo, 2, 5},
      {"slash after so", kSo + "/x", 2, 2},
      {"mixed", "a/" + kSo + "\\b", 1, 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sjis::FindFirstSlash(c.text), c.first) << c.name;
    EXPECT_EQ(sjis::FindLastSlash(c.text), c.last) << c.name;
  }
  EXPECT_FALSE(sjis::EndsWithChar(kSo, '\\'));
  EXPECT_TRUE(sjis::EndsWithChar(kSo + "\\", '\\'));
  EXPECT_EQ(sjis::ExcludeTrailingPathDelimiter("C:\\" + kHyo), "C:\\" + kHyo);
  EXPECT_EQ(sjis::ExtractFilePath("C:\\" + kHyo + "\\a.txt"), "C:\\" + kHyo + "\\");
  EXPECT_EQ(sjis::ExtractFileName("C:\\" + kSo), kSo);
}

TEST(SjisFind, MatchesOnlyAtCharacterBoundaries) {
  // "ー" is 0x81 0x5B and "["; searching "[" must not match its trail byte.
  const std::string s = "ー[";
  EXPECT_EQ(sjis::Find(s, "["), 2u);
  // 0x82 0xA0 (あ) followed by 0xA0: a search for "\xA0" finds the lone byte only.
  const std::string t = "\x82\xA0\xA0";
  EXPECT_EQ(sjis::Find(t, "\xA0"), 2u);
  // A needle that ends in a lead byte must not match half a character.
  EXPECT_EQ(sjis::Find("a\x82\xA0", "a\x82"), sjis::npos);
  EXPECT_EQ(sjis::FindIgnoreCase("xAbC", "abc"), 1u);
  EXPECT_EQ(sjis::Find("abc", ""), 0u);
}

TEST(SjisCase, FoldsOnlyAsciiLetters) {
  // 0x83 0x61 (ャ) has the trail byte 'a': it must not become 'A'.
  const std::string ya = "\x83\x61";
  EXPECT_EQ(sjis::ToUpperAscii("ab" + ya), "AB" + ya);
  EXPECT_EQ(sjis::ToLowerAscii("AB\x83\x41"), "ab\x83\x41");
  EXPECT_FALSE(sjis::EqualsIgnoreCase("\x83\x61", "\x83\x41"));
  EXPECT_TRUE(sjis::EqualsIgnoreCase("Key", "kEY"));
  EXPECT_LT(sjis::CompareIgnoreCase("abc", "ABD"), 0);
  EXPECT_GT(sjis::CompareIgnoreCase("abcd", "ABC"), 0);
  EXPECT_TRUE(sjis::StartsWithIgnoreCase("/ParamFile=x", "/paramfile="));
}

TEST(SjisReplace, ReplacesEveryOccurrenceWithoutRescanning) {
  EXPECT_EQ(sjis::ReplaceAll("a\\b\\", "\\", "\\\\"), "a\\\\b\\\\");
  EXPECT_EQ(sjis::ReplaceAll(kSo + "n", "\\n", "X"), kSo + "n");  // trail 0x5C is no escape
  EXPECT_EQ(sjis::ReplaceAll("x\\N", "\\n", "!", true), "x!");
  EXPECT_EQ(sjis::ReplaceAll("aaa", "aa", "a"), "aa");
}

TEST(SjisPositions, CharacterAndByteOffsetsConvert) {
  const std::string s = "a" + kSo + "b";  // bytes: a 83 5C b
  EXPECT_EQ(sjis::CharCount(s), 3u);
  EXPECT_EQ(sjis::CharToBytePos(s, 2), 3u);
  EXPECT_EQ(sjis::CharToBytePos(s, 9), 4u);
  EXPECT_EQ(sjis::ByteToCharPos(s, 3), 2u);
  EXPECT_EQ(sjis::ByteToCharPos(s, 2), 1u);  // inside ソ
  EXPECT_TRUE(sjis::IsTrailByteAt(s, 2));
  EXPECT_EQ(sjis::PrevPos(s, 3), 1u);
  // A lead byte at the very end is a character of its own.
  EXPECT_EQ(sjis::CharCount("a\x82"), 2u);
}

TEST(SjisLines, SplitAtEveryKindOfBreak) {
  using V = std::vector<std::string>;
  EXPECT_EQ(sjis::SplitLines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(sjis::SplitLines("abc\r\n"), (V{"abc"}));
  EXPECT_EQ(sjis::SplitLines("\r\n"), (V{""}));
  EXPECT_EQ(sjis::SplitLines(""), V{});
  EXPECT_EQ(sjis::SplitLines("a\n\nb"), (V{"a", "", "b"}));
  EXPECT_EQ(sjis::NormalizeLineBreaks("a\rb\nc\r\nd"), "a\r\nb\r\nc\r\nd");
}

TEST(SjisInt, ParsesLikeTheClassLibrary) {
  struct Case { const char* text; bool ok; int value; };
  const Case cases[] = {
      {"12", true, 12},        {"-7", true, -7},   {" 5", true, 5},     {"5 ", false, 0},
      {"", false, 0},          {"yes", false, 0},  {"$1F", true, 31},   {"0x10", true, 16},
      {"2147483647", true, 2147483647},            {"2147483648", false, 0},
      {"-2147483648", true, -2147483647 - 1},      {"+", false, 0},
  };
  for (const auto& c : cases) {
    int v = 0;
    EXPECT_EQ(sjis::TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) { EXPECT_EQ(v, c.value) << c.text; }
  }
}

}  // namespace
