// Deleting a keyword from a request: the question as the user reads it, the
// answer, the hotkey lines of keywords gone, and the busy flag on every way out.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/KeyWordX.h"
#include "editor/URZEditorMain.h"
#include "tests/support/TempDir.h"
#include "ui/MessageBox.h"

namespace {

class DeleteItemConfirmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = EditorState();
    EditorState().Busy = false;
    auto g = store.NewKeyWord("道具", "", kTypeGroup);
    auto memo = store.NewKeyWord("メモ帳", "道具", kTypeCommand);
    memo->SetCommand("C:\\windows\\notepad.exe");
    memo->SetComment("テキストを書く");
    store.NewKeyWord("電卓", "道具", kTypeCommand);
    store.NewKeyWord("終了", "", kTypeSystem)->SetComment("閉じる");
    EditorState().HotKeyLines.SetText(
        "道具/メモ帳\t2\t77\t0\r\n道具/電卓\t2\t67\t0\r\n*DeleteRightToken\t2\t46\t1\r\n終了\t3\t81\t0\r\n");
    previous = ui::SetMessageBoxHandler([this](const ui::TMessageBoxRequest& r) {
      boxes.push_back(r.Text);
      flags.push_back(r.Flags);
      return answer;
    });
  }
  void TearDown() override {
    ui::SetMessageBoxHandler(previous);
    EditorState() = saved;
  }
  TempDir dir;
  TKeyWordManager store{dir / "Items", dir.path()};
  TEditorState saved;
  ui::TMessageBoxHandler previous;
  std::vector<std::string> boxes;
  std::vector<UINT> flags;
  int answer = IDYES;
};

TEST_F(DeleteItemConfirmTest, TheQuestionNamesTheItemByItsKind) {
  struct TCase {
    const char* path;
    std::string text;
  };
  const TCase cases[] = {
      {"道具/メモ帳",
       "以下のキーワードを削除してもよいですか?\r\n\r\n"
       "キーワード      メモ帳\r\n"
       "グループ        道具\r\n"
       "種類            通常コマンド\r\n"
       "コメント        テキストを書く\r\n"
       "リンク先        C:\\windows\\notepad.exe"},
      {"終了",
       "以下のキーワードを削除してもよいですか?\r\n\r\n"
       "キーワード      終了\r\n"
       "種類            システムコマンド\r\n"
       "コメント        閉じる\r\n"},
      {"道具",
       "以下のキーワードを削除してもよいですか?\r\n\r\n"
       "キーワード      道具\r\n"
       "種類            グループ\r\n"
       "コメント        \r\n"},
  };
  answer = IDNO;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    boxes.clear();
    EXPECT_FALSE(DeleteItemConfirm(nullptr, store, c.path));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], c.text);
    EXPECT_TRUE(store.Exists(c.path)) << "No keeps the keyword";
    EXPECT_FALSE(EditorState().Busy);
  }
}

TEST_F(DeleteItemConfirmTest, YesDeletesAndDropsTheHotKeysOfKeywordsGone) {
  EXPECT_TRUE(DeleteItemConfirm(nullptr, store, "道具"));
  EXPECT_FALSE(store.Exists("道具"));
  EXPECT_FALSE(store.Exists("道具/メモ帳")) << "a group goes with its contents";
  EXPECT_EQ(EditorState().HotKeyLines.GetText(), "*DeleteRightToken\t2\t46\t1\r\n終了\t3\t81\t0\r\n")
      << "command lines (\"*\") stay";
  EXPECT_FALSE(EditorState().Busy);
}

TEST_F(DeleteItemConfirmTest, RefusedWhileBusyAndWarnedWhenMissing) {
  EditorState().Busy = true;
  EXPECT_FALSE(DeleteItemConfirm(nullptr, store, "終了"));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "他のキーワードを編集中です");
  EXPECT_TRUE(EditorState().Busy) << "a refused call leaves the other's flag";
  EXPECT_TRUE(store.Exists("終了"));

  EditorState().Busy = false;
  boxes.clear();
  EXPECT_FALSE(DeleteItemConfirm(nullptr, store, "道具/ない"));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "指定されたキーワードは存在しません\r\n    道具/ない");
  EXPECT_FALSE(EditorState().Busy) << "the flag is cleared when the path is missing";
}

TEST_F(DeleteItemConfirmTest, TheRequestStateDeletesThroughThisQuestion) {
  ASSERT_TRUE(EditorState().DeleteItem);
  EXPECT_TRUE(EditorState().DeleteItem(nullptr, store, "終了"));
  EXPECT_FALSE(store.Exists("終了"));
}

}  // namespace
