#include "completion/InputMethod.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A candidate list laid out as the platform does: header, offsets, strings.
struct ListBuilder {
  std::vector<unsigned char> bytes;
  void U32(uint32_t v) { unsigned char b[4]; std::memcpy(b, &v, 4); bytes.insert(bytes.end(), b, b + 4); }
  void Header(uint32_t count) { U32(0); U32(0); U32(count); U32(0); U32(0); U32(count); }
  void Text(const std::string& s, bool nul = true) {
    bytes.insert(bytes.end(), s.begin(), s.end());
    if (nul) bytes.push_back(0);
  }
  void SetU32(size_t at, uint32_t v) { std::memcpy(bytes.data() + at, &v, 4); }
};

using Strings = std::vector<std::string>;

TEST(ReadCandidateStrings, ReadsEachStringAtItsOwnOffset) {
  ListBuilder b;
  b.Header(3);
  b.U32(0); b.U32(0); b.U32(0);
  size_t first = b.bytes.size();
  b.Text("今日");
  size_t second = b.bytes.size();
  b.Text("京");
  b.Text("pad");  // not a candidate: the offsets say where the strings are
  size_t third = b.bytes.size();
  b.Text("経");
  // Offsets out of order on purpose.
  b.SetU32(24, uint32_t(third)); b.SetU32(28, uint32_t(first)); b.SetU32(32, uint32_t(second));
  EXPECT_EQ(ReadCandidateStrings(b.bytes.data(), b.bytes.size()), (Strings{"経", "今日", "京"}));
}

TEST(ReadCandidateStrings, MalformedListsStayInsideTheBuffer) {
  {
    SCOPED_TRACE("offset past the buffer");
    ListBuilder b;
    b.Header(2);
    b.U32(32); b.U32(4000);
    b.Text("a");
    EXPECT_EQ(ReadCandidateStrings(b.bytes.data(), b.bytes.size()), (Strings{"a"}));
  }
  {
    SCOPED_TRACE("no terminating zero");
    ListBuilder b;
    b.Header(1);
    b.U32(28);
    b.Text("abc", false);
    EXPECT_EQ(ReadCandidateStrings(b.bytes.data(), b.bytes.size()), (Strings{"abc"}));
  }
  {
    SCOPED_TRACE("count larger than the offset table");
    ListBuilder b;
    b.Header(1000000);
    b.U32(28);
    b.Text("x");
    // The string's own bytes are read as two more offsets, both outside.
    auto got = ReadCandidateStrings(b.bytes.data(), b.bytes.size());
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got[0], "x");
  }
  {
    SCOPED_TRACE("shorter than the header");
    ListBuilder b;
    b.U32(0); b.U32(0); b.U32(5);
    EXPECT_TRUE(ReadCandidateStrings(b.bytes.data(), b.bytes.size()).empty());
    EXPECT_TRUE(ReadCandidateStrings(nullptr, 100).empty());
  }
}

}  // namespace
