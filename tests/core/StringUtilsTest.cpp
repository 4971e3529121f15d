#include "core/StringUtils.h"

#include <gtest/gtest.h>

#include "core/StringListList.h"

namespace {

using V = std::vector<std::string>;

// Restores the character mode a test changes.
class CharModeScope {
 public:
  explicit CharModeScope(bool on) : old_(CharMode()) { SetCharMode(on); }
  ~CharModeScope() { SetCharMode(old_); }

 private:
  bool old_;
};

TEST(StringUtilsCharMode, FollowsIsWinXPByDefault) {
  // Both the host stand-in and Wine report a current NT system.
  EXPECT_TRUE(CharMode());
}

TEST(StringUtilsCharMode, LengthDeleteAndCopyCountCharactersOrBytes) {
  const std::string s = "aソ表b";  // 1 + 2 + 2 + 1 bytes; 表 and ソ end in 0x5C
  {
    CharModeScope mode(true);
    EXPECT_EQ(CharLength("表示"), 2);
    EXPECT_EQ(CharLength(s), 4);
    EXPECT_EQ(CharCopy(s, 2, 2), "ソ表");
    EXPECT_EQ(CharCopy(s, 3, 99), "表b");
    EXPECT_EQ(CharCopy(s, 0, 1), "a");
    EXPECT_EQ(CharCopy(s, 5, 1), "");
    EXPECT_EQ(CharCopy(s, 2, 0), "");
    std::string d = s;
    CharDelete(d, 2, 1);
    EXPECT_EQ(d, "a表b");
    d = s;
    CharDelete(d, 3, 10);
    EXPECT_EQ(d, "aソ");
    d = s;
    CharDelete(d, 5, 1);
    EXPECT_EQ(d, s);
    CharDelete(d, 0, 1);
    EXPECT_EQ(d, s);
    // A lead byte with nothing after it is one character and is kept.
    const std::string broken = "ソ\x81";
    EXPECT_EQ(CharLength(broken), 2);
    EXPECT_EQ(CharCopy(broken, 2, 5), "\x81");
    d = broken;
    CharDelete(d, 1, 1);
    EXPECT_EQ(d, "\x81");
  }
  {
    CharModeScope mode(false);
    EXPECT_EQ(CharLength("表示"), 4);
    EXPECT_EQ(CharCopy(s, 2, 2), "ソ");
    std::string d = s;
    CharDelete(d, 4, 2);
    EXPECT_EQ(d, "aソb");
  }
}

TEST(StringUtilsComma, GetAndSetItems) {
  EXPECT_EQ(GetCommaInt("1,2,3", -1, 1), 2);
  EXPECT_EQ(GetCommaInt("1,2,3", -1, 5), -1);
  EXPECT_EQ(GetCommaInt("1,x,3", 9, 1), 9);
  EXPECT_EQ(GetCommaInt("1 2,\"3\"", 0, 2), 3);
  EXPECT_EQ(GetCommaInt("", 4, 0), 4);
  EXPECT_EQ(GetCommaInt("1", 4, -1), 4);
  EXPECT_EQ(SetCommaInt("1", 7, 2), "1,,7");
  EXPECT_EQ(SetCommaInt("1,2,3", -5, 1), "1,-5,3");
  EXPECT_EQ(SetCommaInt("", 0, 0), "0");
  EXPECT_EQ(SetCommaInt("\"a b\",2", 3, 1), "\"a b\",3");
}

TEST(StringUtilsSplit, QuotedRunsAndEmptyParts) {
  struct Case { const char* name; std::string text; std::string delim; char quote; bool keep; V entries; };
  const Case cases[] = {
      {"quoted run", "a \"b c\" d", " ", '"', false, {"a", "b c", "d"}},
      {"quoted run kept", "a \"b c\" d", " ", '"', true, {"a", "\"b c\"", "d"}},
      {"empty parts", "a,,b,", ",", '\0', false, {"a", "", "b", ""}},
      {"unterminated quote loses nothing", "x \"y z", " ", '"', false, {"x", "y z"}},
      {"lone quote opens and closes", "a \" b", " ", '"', false, {"a", "", "b"}},
      {"quoted single part", "\"x\"", " ", '"', false, {"x"}},
      {"no delimiter", "abc", ",", '"', false, {"abc"}},
      {"empty text", "", ",", '\0', false, {""}},
      {"trail byte is no delimiter", "ソ\\表\\x", "\\", '\0', false, {"ソ", "表", "x"}},
      {"long delimiter", "a::b::", "::", '\0', false, {"a", "b", ""}},
      {"quote only at start counts", "a\"b c", " ", '"', false, {"a\"b", "c"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitStringEx(c.text, c.delim, c.quote, c.keep).Items(), c.entries) << c.name;
  EXPECT_EQ(SplitString("a b", " ").Items(), (V{"a", "b"}));
  EXPECT_EQ(SplitStringQuoted("\"a b\" c", " ", '"').Items(), (V{"a b", "c"}));
}

TEST(StringUtilsSplit, SplitToArrayModes) {
  struct Case { std::string text; int mode; V parts; };
  const Case cases[] = {
      {"a\\b\\\\c", 0, {"a", "b", "c"}},
      {"", 0, {}},
      {"\\\\", 0, {}},
      {"a\\b\\c", 1, {"a", "", "b", "", "c"}},
      {"\\a", 1, {"", "a"}},
      {"a\\", 1, {"a", ""}},
      {"", 1, {""}},
      {"ソ\\表", 1, {"ソ", "", "表"}},
      {"ソ\\表", 0, {"ソ", "表"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitToArray(c.text, "\\", c.mode), c.parts) << c.text << " " << c.mode;
}

TEST(StringUtilsTokens, DeleteFirstAndLastTokens) {
  struct Case { std::string text; bool drop; std::string result; };
  const Case del[] = {
      {"a\\b\\c", false, "a\\b\\"}, {"a\\b", true, "a"},   {"a\\b\\", true, "a\\b"},
      {"a\\b\\", false, "a\\b\\"},  {"abc", false, ""},    {"", true, ""},
      {"C:\\ソ\\表", true, "C:\\ソ"}, {"表", false, ""},
  };
  for (const auto& c : del) EXPECT_EQ(DeleteLastToken(c.text, "\\", c.drop), c.result) << c.text;

  EXPECT_EQ(GetFirstToken("//a/b", "/", true), "a");
  EXPECT_EQ(GetFirstToken("///", "/", true), "");
  EXPECT_EQ(GetFirstToken("///", "/", false), "///");
  EXPECT_EQ(GetFirstToken("", "/", false), "");
  EXPECT_EQ(GetLastToken("a/b/c", "/", false), "c");
  EXPECT_EQ(GetLastToken("a/b/", "/", false), "");
  EXPECT_EQ(GetLastToken("a/b/", "/", true), "b");
  EXPECT_EQ(GetLastToken("//", "/", true), "//");
  EXPECT_EQ(GetLastToken("ソ\\表", "\\", false), "表");
}

TEST(StringUtilsTokens, LastCharPosAndJoin) {
  EXPECT_EQ(LastCharPos("a\\b\\c", '\\'), 4);
  EXPECT_EQ(LastCharPos("ソ表", '\\'), 0);  // both end in a 0x5C trail byte
  EXPECT_EQ(LastCharPos("x\\ソ", '\\'), 2);
  EXPECT_EQ(LastCharPos("", '\\'), 0);
  EXPECT_EQ(JoinArray({"a", "", "b"}, ", "), "a, , b");
  EXPECT_EQ(JoinArray({}, ","), "");
}

TEST(StringListList, OwnsItsLists) {
  TStringListList lists;
  EXPECT_EQ(lists.Add(TStringList({"a"})), 0);
  EXPECT_EQ(lists.Add(std::make_unique<TStringList>(TStringList({"b", "c"}))), 1);
  EXPECT_EQ(lists.Add(std::unique_ptr<TStringList>()), 2);
  ASSERT_EQ(lists.Count(), 3);
  EXPECT_EQ(lists.GetList(1).Items(), (V{"b", "c"}));
  EXPECT_TRUE(lists.GetList(2).Empty());
  lists.GetList(0).Add("z");
  EXPECT_EQ(lists.GetList(0).Count(), 2);
  lists.Delete(0);
  EXPECT_EQ(lists.GetList(0).Items(), (V{"b", "c"}));
  EXPECT_THROW(lists.GetList(5), std::out_of_range);
}

}  // namespace
