#include "core/StringList.h"

#include <gtest/gtest.h>

namespace {

using V = std::vector<std::string>;

TEST(StringListText, RoundTripsLinesWithCrLf) {
  TStringList l;
  l.SetText("a\rb\nc\r\n");
  EXPECT_EQ(l.Items(), (V{"a", "b", "c"}));
  EXPECT_EQ(l.GetText(), "a\r\nb\r\nc\r\n");
}

TEST(StringListNames, FirstEqualsSignSplitsAndCaseIsIgnored) {
  TStringList l(V{"noequals", "Key =1", "A=x=y", "a=2"});
  EXPECT_EQ(l.IndexOfName("key "), 1);
  EXPECT_EQ(l.IndexOfName("Key"), -1);
  EXPECT_EQ(l.Value("a"), "x=y");
  EXPECT_EQ(l.Name(0), "noequals");
  EXPECT_EQ(l.IndexOfName("noequals"), -1);
  l.SetValue("A", "");
  EXPECT_EQ(l.Value("a"), "2");
}

TEST(StringListCommaText, ParsesAndQuotesLikeTheClassLibrary) {
  struct Case { const char* text; V items; const char* back; };
  const Case cases[] = {
      {"1,2,3", {"1", "2", "3"}, "1,2,3"},
      {"1,,7", {"1", "", "7"}, "1,,7"},
      {"a b", {"a", "b"}, "a,b"},
      {"\"a b\",c", {"a b", "c"}, "\"a b\",c"},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {"x,", {"x", ""}, "x,"},
      {"\"open", {"open"}, "open"},
      {"", {}, ""},
  };
  for (const auto& c : cases) {
    TStringList l;
    l.SetCommaText(c.text);
    EXPECT_EQ(l.Items(), c.items) << c.text;
    EXPECT_EQ(l.GetCommaText(), c.back) << c.text;
  }
  TStringList one(V{""});
  EXPECT_EQ(one.GetCommaText(), "\"\"");
}

TEST(StringListCommaText, KeepsDoubleByteCharactersWhole) {
  // ソ ends in 0x5C and 表 too; neither may be split or quoted.
  TStringList l;
  l.SetCommaText("ソ,表");
  EXPECT_EQ(l.Items(), (V{"ソ", "表"}));
  EXPECT_EQ(l.GetCommaText(), "ソ,表");
}

TEST(StringListOrder, MoveAndIndexOf) {
  TStringList l(V{"a", "b", "c"});
  l.Move(0, 2);
  EXPECT_EQ(l.Items(), (V{"b", "c", "a"}));
  EXPECT_EQ(l.IndexOf("C"), 1);
  EXPECT_EQ(l.IndexOf("z"), -1);
}

}  // namespace
