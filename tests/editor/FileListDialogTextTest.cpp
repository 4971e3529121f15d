// The bulk registration's texts: shortened paths and the status lines.
#include "editor/FileListDialog_Text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FileListDialogText, ShortenPathKeepsTheLastFoldersThatFit) {
  struct TCase {
    const char* name;
    std::string path;
    int max;
    std::string shown;
  };
  const TCase cases[] = {
      {"shorter than the maximum", "C:\\a\\b.txt", 11, "C:\\a\\b.txt"},
      {"as long as the maximum is shortened", "C:\\aaaa\\b.txt", 13, "C:\\...\\b.txt"},
      {"the last folders that fit", "C:\\one\\two\\docs\\a.txt", 17, "C:\\...\\docs\\a.txt"},
      {"two folders fit", "C:\\one\\two\\docs\\a.txt", 21, "C:\\...\\two\\docs\\a.txt"},
      {"no folder fits: the name alone, longer than asked", "C:\\folder\\a-long-name.txt", 10,
       "C:\\...\\a-long-name.txt"},
      {"directly in the root", "C:\\a-very-long-file-name.txt", 5, "C:\\a-very-long-file-name.txt"},
      {"a share's root", "\\\\server\\share\\a-long-name.txt", 5, "\\\\server\\share\\a-long-name.txt"},
      {"below a share", "\\\\server\\share\\xxxx\\y\\a.txt", 26, "\\\\server\\share\\...\\y\\a.txt"},
      {"no drive", "folder\\sub\\a-long-name.txt", 5, "folder\\sub\\a-long-name.txt"},
      {"a folder keeps its last delimiter", "C:\\data\\projects\\old\\", 15, "C:\\...\\old\\"},
      // Characters, not bytes: 表 and ソ end in the byte of "\".
      {"double-byte folders count one each", "C:\\表示する\\ソフト\\a.txt", 16, "C:\\...\\ソフト\\a.txt"},
      {"a folder ending in the byte of a delimiter", "C:\\ソフトウェア\\表\\a.txt", 17, "C:\\...\\表\\a.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ShortenPath(c.path, c.max), c.shown);
  }
}

TEST(FileListDialogText, CharsPerLineLeavesTwentyPixels) {
  EXPECT_EQ(CharsPerLine(376, 6), 59);
  EXPECT_EQ(CharsPerLine(25, 6), 0);
  EXPECT_EQ(CharsPerLine(376, 0), 0) << "no font width: no division";
}

TEST(FileListDialogText, StatusLinesNameTheLastComponent) {
  EXPECT_EQ(RegisteredName("C:\\data\\"), "data");
  EXPECT_EQ(RegisteredName("C:\\docs\\a.txt"), "a.txt");
  EXPECT_EQ(RegisteredName("C:\\ソフト\\表"), "表");
  EXPECT_EQ(RegisteringText("a.txt", 1, 3), "a.txtを登録中...(1/3)");
  EXPECT_EQ(RegisteredAllText(3), "登録完了(3個のアイテム追加)!");
}

}  // namespace
