// The rules of the executable extension list: its order, its duplicates and
// which answers the line dialog accepts.
#include "editor/FileExtRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/StringList.h"

namespace {

TEST(FileExtRules, ListIsSortedWithoutRegardToCaseAndHoldsNoEntryTwice) {
  struct TCase {
    std::vector<std::string> in, out;
  };
  const TCase cases[] = {
      {{".vbs", ".EXE", ".exe"}, {".EXE", ".vbs"}},
      {{".bat", ".COM", ".Bat", ".cmd"}, {".bat", ".cmd", ".COM"}},
      {{}, {}},
  };
  for (const auto& c : cases) {
    TStringList list(c.in);
    SortUniqueExtensions(list);
    EXPECT_EQ(list.Items(), c.out);
  }
}

TEST(FileExtRules, AnswersAreRefusedWhenListedAsTypedOrWithTheDot) {
  const std::vector<std::string> listed = {".bat", ".exe"};
  struct TCase {
    const char* name;
    const char* text;
    const char* start;  // "" for a new entry
    bool accepted;
  };
  const TCase cases[] = {
      {"a new extension", "com", "", true},
      {"an empty text", "", "", false},
      {"bat while .bat is listed", "bat", "", false},
      {".BAT while .bat is listed", ".BAT", "", false},
      {"BAT while .bat is listed", "BAT", "", false},
      {"an unchanged edit", ".bat", ".bat", true},
      {".bat edited to bat", "bat", ".bat", true},
      {".bat edited to an extension listed", ".exe", ".bat", false},
      {".bat edited to another", "cmd", ".bat", true},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtensionAcceptable(c.text, c.start, listed), c.accepted) << c.name;
  EXPECT_EQ(DottedExtension("bat"), ".bat");
  EXPECT_EQ(DottedExtension(".bat"), ".bat");
}

}  // namespace
