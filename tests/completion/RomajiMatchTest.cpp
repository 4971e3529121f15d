#include "completion/Romaji_Match.h"

#include <gtest/gtest.h>

#include "completion/InputMethodFake.h"
#include "core/Debug_Unit.h"

namespace {

using Calls = std::vector<std::string>;

TEST(RomajiLevelOf, ClausesInOrder) {
  const TClauseLists lists = {{"abc"}, {"de"}};
  struct Case { const char* keyword; int minLevel, level; };
  const Case cases[] = {
      {"abcde", 0, 3},    // every clause at the front, nothing left
      {"abcdef", 0, 2},   // every clause at the front
      {"xabcde", 0, 1},   // the first clause starts later
      {"xabcyde", 0, 0},  // a later clause only after such a start
      {"xabcyde", 1, -1}, // ... which a minimum of 1 refuses
      {"xabcde", 2, -1},
      {"abxde", 0, -1},   // the first clause is missing
      {"deabc", 0, -1},   // found, but not in order
      {"abcde", 3, -1},   // no clause reaches 3
  };
  for (const auto& c : cases) EXPECT_EQ(TRomajiMatch::LevelOf(c.keyword, lists, c.minLevel), c.level) << c.keyword << " " << c.minLevel;
}

TEST(RomajiLevelOf, CandidatesOfAClauseSearchTheShortenedRest) {
  struct Case { const char* name; TClauseLists lists; std::string keyword; int level; };
  const Case cases[] = {
      {"later candidate no better", {{"ab", "c"}}, "abc", 2},
      {"later candidate not found in the rest", {{"b", "a"}}, "ab", 1},
      {"empty candidate never found", {{""}}, "abc", -1},
      {"no clauses", {}, "abc", -1},
      {"kanji", {{"計算"}, {"機"}}, "計算機", 3},
      {"pairs are never split", {{"\\"}}, "ソ", -1},
      {"trail byte is no letter", {{"A"}}, "ア", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(TRomajiMatch::LevelOf(c.keyword, c.lists, 0), c.level) << c.name;
}

class RomajiMatchFake : public ::testing::Test {
 protected:
  RomajiMatchFake() : ime(new TFakeInputMethod), match(std::unique_ptr<IInputMethod>(ime)) {
    ime->Readings["keisan"] = TFakeInputMethod::ReadingOf({"けいさん"});
    ime->Readings["kyouto"] = TFakeInputMethod::ReadingOf({"きょう", "と"});
    ime->Candidates["けいさん"] = {"計算", "けいさん"};
    ime->Candidates["きょう"] = {"今日", "京"};
    ime->Candidates["と"] = {"都", "と"};
  }
  TFakeInputMethod* ime;  // owned by match
  TRomajiMatch match;
};

TEST_F(RomajiMatchFake, ClausesAndCandidatesFromTheInputMethod) {
  EXPECT_EQ(match.Match("京都", "kyouto", 0), 3);
  EXPECT_EQ(ime->Calls, (Calls{"Convert:kyouto", "Candidates:きょう", "Candidates:と", "End"}));
  ASSERT_NE(match.CachedLists(), nullptr);
  EXPECT_EQ(*match.CachedLists(), (TClauseLists{{"今日", "京"}, {"都", "と"}}));
  EXPECT_EQ(match.Match("京都府", "kyouto", 0), 2);
  EXPECT_EQ(match.Match("東京都", "kyouto", 0), 1);
  EXPECT_EQ(match.Match("大阪", "kyouto", 0), -1);
}

TEST_F(RomajiMatchFake, ConvertsAnInputOnlyOnce) {
  for (const char* k : {"計算", "計算機", "電卓", "abc"}) match.Match(k, "keisan", 0);
  EXPECT_EQ(ime->ConvertCount, 1);
  match.Match("京都", "kyouto", 0);
  match.Match("計算", "keisan", 0);
  EXPECT_EQ(ime->ConvertCount, 3);
  // Case matters for the cache: the input method may treat it differently.
  match.Match("計算", "Keisan", 0);
  EXPECT_EQ(ime->ConvertCount, 4);
}

TEST_F(RomajiMatchFake, AnEmptyConversionIsCachedToo) {
  for (int i = 0; i < 3; ++i) EXPECT_EQ(match.Match("計算", "zzz", 0), -1);
  EXPECT_EQ(ime->ConvertCount, 1);
  ASSERT_NE(match.CachedLists(), nullptr);
  EXPECT_TRUE(match.CachedLists()->empty());
}

TEST_F(RomajiMatchFake, LeadByteInputDropsTheCacheButKeepsTheLastInput) {
  match.Match("計算", "keisan", 0);
  EXPECT_EQ(match.Match("計算", "計", 0), -1);
  EXPECT_EQ(match.CachedLists(), nullptr);
  EXPECT_EQ(match.LastInput(), "keisan");
  EXPECT_EQ(ime->ConvertCount, 1);
  match.Match("計算", "keisan", 0);
  EXPECT_EQ(ime->ConvertCount, 2);
  EXPECT_TRUE(match.BuildCandidates("計").empty());
}

TEST_F(RomajiMatchFake, RomanModeHandsTheInputOver) {
  ime->ConversionMode = 0x19;
  match.BuildCandidates("KeiSan");
  EXPECT_EQ(ime->Calls.front(), "Convert:KeiSan");
}

TEST_F(RomajiMatchFake, OtherModesGetHiragana) {
  ime->ConversionMode = 0x09;
  match.BuildCandidates("KeiSan");
  EXPECT_EQ(ime->Calls.front(), "Convert:けいさん");
}

TEST_F(RomajiMatchFake, AtokGetsHiraganaEvenInRomanMode) {
  ime->ConversionMode = 0x19;
  ime->FileName = "C:\\WINDOWS\\system32\\atok25.ime";
  ime->Readings["けいさん"] = TFakeInputMethod::ReadingOf({"けいさん"});
  EXPECT_TRUE(match.IsAtok());
  EXPECT_EQ(match.BuildCandidates("keisan"), (TClauseLists{{"計算", "けいさん"}}));
  EXPECT_EQ(ime->Calls.front(), "Convert:けいさん");
}

TEST_F(RomajiMatchFake, AFailedModeQueryHandsTheInputOver) {
  ime->QueryOk = false;
  ime->ConversionMode = 0;
  match.BuildCandidates("keisan");
  EXPECT_EQ(ime->Calls.front(), "Convert:keisan");
  EXPECT_FALSE(match.IsAtok());
}

TEST_F(RomajiMatchFake, ClauseOffsetsAreClampedToTheReading) {
  struct Case { const char* name; std::vector<uint32_t> offsets; Calls clauses; };
  const Case cases[] = {
      {"last offset past the end", {0, 4, 100}, {"Candidates:けい", "Candidates:さん"}},
      {"offsets out of order", {0, 100, 4}, {"Candidates:けいさん", "Candidates:"}},
      {"one offset is no clause", {0}, {}},
      {"no offsets", {}, {}},
  };
  for (const auto& c : cases) {
    ime->Calls.clear();
    ime->Readings["x"] = TImeReading{"けいさん", c.offsets};
    match.BuildCandidates("x");
    Calls expected = {"Convert:x"};
    expected.insert(expected.end(), c.clauses.begin(), c.clauses.end());
    expected.push_back("End");
    EXPECT_EQ(ime->Calls, expected) << c.name;
  }
}

// The quick refusal ahead of LevelOf looks at the first clause's first bytes;
// it must never hide a match.
TEST_F(RomajiMatchFake, QuickRefusalNeverHidesAMatch) {
  ime->Readings["k"] = TFakeInputMethod::ReadingOf({"ｋ"});
  ime->Candidates["ｋ"] = {"ｋ", "k"};
  struct Case { const char* keyword; const char* input; int level; };
  const Case cases[] = {
      {"abcdefghk", "k", 1},              // one-byte candidate after eight ASCII bytes
      {"abcdefghｋ", "k", 1},
      {"abcdefgh", "k", -1},
      {"abcdefgh計算", "keisan", 1},      // kanji after a run of ASCII
      {"abcdefghijklmnop計算", "keisan", 1},
      {"abcdefg計算", "keisan", 1},       // kanji inside the first eight bytes
      {"abcdefghijklmnop", "keisan", -1},
      {"今日京都", "kyouto", 1},
      {"京都", "kyouto", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(match.Match(c.keyword, c.input, 0), c.level) << c.keyword << " " << c.input;
}

class TNullSink : public TDebugSink {
 public:
  void Echo(std::string_view) override {}
  void SaveFile(std::string_view) override {}
  void AppendFile(std::string_view) override {}
  void RemoveFile() override {}
};

// Leading blanks of the log line that holds text, or -1.
int IndentOf(const std::string& log, const std::string& text) {
  size_t at = log.find(text);
  if (at == std::string::npos) return -1;
  size_t start = log.rfind('\n', at);
  start = start == std::string::npos ? 0 : start + 1;
  size_t n = 0;
  while (log[start + n] == ' ') ++n;
  return static_cast<int>(n);
}

TEST_F(RomajiMatchFake, RebuiltListsGoToTheDebugLogOnce) {
  DebugOut().Start(TDebugStyle::Editor, std::make_unique<TNullSink>());
  match.Match("京都", "kyouto", 0);
  match.Match("京", "kyouto", 0);
  const std::string log = DebugOut().Text();
  DebugOut().Finish();
  size_t first = log.find("RomajiCandidates(\"kyouto\"){");
  ASSERT_NE(first, std::string::npos) << log;
  EXPECT_EQ(log.find("RomajiCandidates(", first + 1), std::string::npos) << log;
  int outer = IndentOf(log, "RomajiCandidates("), section = IndentOf(log, "Section(1){"), item = IndentOf(log, "都");
  EXPECT_LT(outer, section);
  EXPECT_LT(section, item);
}

TEST(RomajiDump, DebugLogFormat) {
  using Lines = std::vector<std::pair<int, std::string>>;
  EXPECT_EQ(TRomajiMatch::DumpLines("kyouto", {{"今日", "京"}, {"都"}}),
            (Lines{{0, "RomajiCandidates(\"kyouto\"){"},
                   {1, "Section(0){"}, {2, "今日"}, {2, "京"}, {1, "}"},
                   {1, "Section(1){"}, {2, "都"}, {1, "}"},
                   {0, "}"}}));
}

}  // namespace
