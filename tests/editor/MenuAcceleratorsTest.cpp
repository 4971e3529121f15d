// Accelerator keys given to plain menu texts.
#include "editor/MenuAccelerators.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(MenuAccelerators, EachEntryGetsItsFirstFreeLetterOrDigit) {
  struct TCase {
    const char* name;
    std::vector<std::string> captions, expected;
  };
  const TCase cases[] = {
      {"first letters", {"a", "b"}, {"&a", "&b"}},
      {"a taken letter, in any case, is skipped", {"Alpha", "apple"}, {"&Alpha", "a&pple"}},
      {"digits count", {"1st", "1", "12"}, {"&1st", "1", "1&2"}},
      {"Japanese texts get none", {"アクティブ時いつでも有効", "常駐時いつでも有効"},
       {"アクティブ時いつでも有効", "常駐時いつでも有効"}},
      {"a trail byte is no letter", {"アB"}, {"ア&B"}},  // ア is 0x83 0x41
      {"an entry's own mark stays and is taken", {"Copy", "範囲(&C)"}, {"C&opy", "範囲(&C)"}},
      {"a doubled & is a plain &", {"&&Go"}, {"&&&Go"}},
      {"a separator stays", {"-", "x"}, {"-", "&x"}},
      {"none free", {"ab", "ba", "a"}, {"&ab", "&ba", "a"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WithAutoAccelerators(c.captions), c.expected);
  }
}

}  // namespace
