#include "core/Expand_Env_String.h"

#include <gtest/gtest.h>

#include "core/Sjis.h"

namespace {

// An expander whose only resolver knows DESKTOP (any case) and the empty name "E".
TExpandEnvString MakeExpander() {
  TExpandEnvString e;
  e.AddHandler([](std::string& text, bool& handled) {
    if (sjis::EqualsIgnoreCase(text, "DESKTOP")) { text = "C:\\Desk"; handled = true; }
    else if (text == "E") { text = ""; handled = true; }
  });
  return e;
}

TEST(ExpandEnvString, ExpandsNamesAndKeepsEverythingElse) {
  struct Case { const char* in; const char* out; };
  const Case cases[] = {
      {"%DESKTOP%\\a", "C:\\Desk\\a"},
      {"%desktop%|%DeskTop%", "C:\\Desk|C:\\Desk"},
      {"100%%", "100%"},
      {"%%DESKTOP%%", "%DESKTOP%"},
      {"a%UNKNOWN%b", "a%UNKNOWN%b"},
      {"50%", "50%"},
      {"%abc", "%abc"},
      {"x%E%y", "xy"},
      {"%", "%"},
      {"", ""},
      {"表%DESKTOP%", "表C:\\Desk"},   // a double-byte character before "%" hides nothing
      {"ソ%DESKTOP%ソ", "ソC:\\Deskソ"},
      {"a\x82", "a\x82"},             // a lead byte at the very end is copied alone
      {"%\x82%", "%\x82%"},           // ... also inside an open name
  };
  TExpandEnvString e = MakeExpander();
  for (const auto& c : cases) EXPECT_EQ(e.Expand(c.in), c.out) << c.in;
}

TEST(ExpandEnvString, FirstResolverThatHandlesWins) {
  TExpandEnvString e;
  std::vector<int> asked;
  e.AddHandler([&](std::string&, bool&) { asked.push_back(1); });
  e.AddHandler([&](std::string& t, bool& h) { asked.push_back(2); t = "two"; h = true; });
  e.AddHandler([&](std::string& t, bool& h) { asked.push_back(3); t = "three"; h = true; });
  EXPECT_EQ(e.Expand("%x%"), "two");
  EXPECT_EQ(asked, (std::vector<int>{1, 2}));
}

}  // namespace
