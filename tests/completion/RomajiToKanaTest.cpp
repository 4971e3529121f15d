#include "completion/Romaji_To_Kana.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Every reachable row: the prefix and its kana for a, i, u, e, o.
struct Row { const char* prefix; const char* kana; };
const Row kRows[] = {
    {"", "あ い う え お"},         {"k", "か き く け こ"},
    {"s", "さ し す せ そ"},        {"t", "た ち つ て と"},
    {"n", "な に ぬ ね の"},        {"h", "は ひ ふ へ ほ"},
    {"m", "ま み む め も"},        {"y", "や い ゆ いぇ よ"},
    {"r", "ら り る れ ろ"},        {"w", "わ うぃ う うぇ を"},
    {"z", "ざ じ ず ぜ ぞ"},        {"j", "じゃ じ じゅ じぇ じょ"},
    {"ch", "ちゃ ち ちゅ ちぇ ちょ"}, {"dh", "でゃ でぃ でゅ でぇ でょ"},
    {"d", "だ ぢ づ で ど"},        {"v", "ヴぁ ヴぃ ヴ ヴぇ ヴぉ"},
    {"ky", "きゃ きぃ きゅ きぇ きょ"}, {"g", "が ぎ ぐ げ ご"},
    {"jy", "じゃ じぃ じゅ じぇ じょ"}, {"th", "てゃ てぃ てゅ てぇ てょ"},
    {"sh", "しゃ し しゅ しぇ しょ"}, {"q", "くぁ くぃ く くぇ くぉ"},
    {"b", "ば び ぶ べ ぼ"},        {"x", "ぁ ぃ ぅ ぇ ぉ"},
    {"l", "ぁ ぃ ぅ ぇ ぉ"},        {"hy", "ひゃ ひぃ ひゅ ひぇ ひょ"},
    {"gy", "ぎゃ ぎぃ ぎゅ ぎぇ ぎょ"}, {"f", "ふぁ ふぃ ふ ふぇ ふぉ"},
    {"p", "ぱ ぴ ぷ ぺ ぽ"},
};

TEST(RomajiToKana, EveryRowWithEveryVowel) {
  const char vowels[] = "aiueo";
  for (const auto& row : kRows) {
    std::istringstream kana(row.kana);
    for (int v = 0; v < 5; ++v) {
      std::string expected;
      kana >> expected;
      EXPECT_EQ(RomajiToKana(std::string(row.prefix) + vowels[v]), expected) << row.prefix << vowels[v];
    }
  }
}

TEST(RomajiToKana, FirstMatchingRowWins) {
  EXPECT_EQ(FindRomajiRow(""), 0);
  EXPECT_EQ(FindRomajiRow("th"), 19);
  EXPECT_EQ(FindRomajiRow("sh"), 20);
  EXPECT_EQ(FindRomajiRow("p"), 30);
  EXPECT_EQ(FindRomajiRow("ts"), -1);
  EXPECT_EQ(FindRomajiRow("ny"), -1);
}

TEST(RomajiToKana, Spellings) {
  struct Case { const char* in; std::string out; };
  const Case cases[] = {
      {"", ""},
      {"kya", "きゃ"}, {"shi", "し"}, {"na", "な"},
      {"nn", "ん"}, {"nka", "んか"}, {"kan", "かん"}, {"nya", "んや"},
      {"kka", "っか"}, {"ssha", "っしゃ"},
      {"a-", "あー"}, {"k-a", "ーか"},
      {"k1a", "1あ"},
      {"tsu", "tsu"},    // no row: written raw at the end
      {"shtu", "shtu"},  // sht written raw when u comes, then u raw at the end
      {"shtk", "shtk"},
      {"keisan", "けいさん"},
  };
  for (const auto& c : cases) EXPECT_EQ(RomajiToKana(c.in), c.out) << c.in;
}

TEST(RomajiToKana, ShiftJisBytesPassThrough) {
  struct Case { const char* name; std::string in, out; };
  const Case cases[] = {
      {"double-byte copied whole", "\x82\xA0ka", "\x82\xA0" "か"},
      {"pending kept across it", "k\x82\xA0" "a", "\x82\xA0" "か"},
      {"trail byte that looks like a vowel", "\x83" "a" "ka", "\x83" "a" "か"},
      {"lead byte at the end", "a\x82", "あ\x82"},
      // A half-width katakana byte is a character by itself: the romaji after it converts.
      {"half-width katakana", "\xB1ka", "\xB1" "か"},
      {"half-width before a vowel", "k\xDF" "a", "\xDF" "か"},
  };
  for (const auto& c : cases) EXPECT_EQ(RomajiToKana(c.in), c.out) << c.name;
}

}  // namespace
