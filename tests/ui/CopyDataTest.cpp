#include "ui/CopyData.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TCase {
  const char* Name;
  bool NullBlock;
  ULONG_PTR DataWord;
  const char* Bytes;  // nullptr: no data pointer
  DWORD Size;
  bool Taken;
  const char* Text;
};

const TCase kCases[] = {
    {"NoBlock", true, 1, "a", 2, false, ""},
    {"DataWordZero", false, 0, "a", 2, false, ""},
    {"NoDataPointer", false, 1, nullptr, 10, true, ""},
    {"SizeZero", false, 1, "abc", 0, true, ""},
    {"WithNul", false, 1, "/hide\r\n\0junk", 12, true, "/hide\r\n"},
    {"ShortSize_CutsWithoutNul", false, 1, "/getUserDir", 4, true, "/get"},
    {"NulFirst", false, 7, "\0abc", 4, true, ""},
};

TEST(CopyDataText, BoundedByCbDataAndFirstNul) {
  for (const TCase& c : kCases) {
    COPYDATASTRUCT data = {};
    data.dwData = c.DataWord;
    data.lpData = const_cast<char*>(c.Bytes);
    data.cbData = c.Size;
    std::string text = "stale";
    EXPECT_EQ(ui::CopyDataText(c.NullBlock ? nullptr : &data, text), c.Taken) << c.Name;
    EXPECT_EQ(text, c.Text) << c.Name;
  }
}

}  // namespace
