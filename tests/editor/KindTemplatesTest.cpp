// The system-command table and the new-item kind templates built from it
// (host and Windows).
#include "editor/USelectCommand_Templates.h"

#include <gtest/gtest.h>

#include "editor/CommandKindTexts.h"
#include "editor/UEditSysCommand2_Table.h"

namespace {

std::vector<std::string> Keys(const TStringIni& t) {
  std::vector<std::string> keys;
  for (int i = 0; i < t.Lines.Count(); ++i) keys.push_back(t.GetName(i));
  return keys;
}

TEST(SysCommandTable, TwelveEntriesInTableOrderNotActionOrder) {
  struct Row {
    const char* name;
    const char* title;
    int index;
  } rows[] = {
      {"終了", "【終了】", 0},
      {"編集", "【編集】キーワード", 1},
      {"マネージャ", "【キーワードマネージャ】", 8},
      {"設定", "【設定】", 2},
      {"新規作成", "【新規作成】キーワード リンク先", 3},
      {"アクティブウィンドウ登録", "【アクティブウィンドウ登録】", 7},
      {"削除", "【削除】キーワード", 4},
      {"バージョン情報", "【バージョン情報】", 5},
      {"メインフォルダ", "【メインフォルダ】", 9},
      {"ユーザーフォルダ", "【ユーザーフォルダ】", 10},
      {"作業ディレクトリ", "【作業ディレクトリ】フォルダ名", 6},
      {"パラメータ送信", "パラメータ送信", 11},
  };
  ASSERT_EQ(SysCommands.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(SysCommands[i].Name, rows[i].name);
    EXPECT_EQ(SysCommands[i].Title, rows[i].title);
    EXPECT_EQ(SysCommands[i].CommandIndex, rows[i].index);
    EXPECT_EQ(FindSysCommand(rows[i].index), static_cast<int>(i));
    // Every description: the function, a blank line, the parameters.
    EXPECT_EQ(SysCommands[i].Description.substr(0, 10), "【機能】\r\n");
    EXPECT_NE(SysCommands[i].Description.find("\r\n\r\n【パラメータ】\r\n"), std::string_view::npos);
  }
  EXPECT_EQ(FindSysCommand(12), -1);
  EXPECT_EQ(FindSysCommand(-1), -1);
}

TEST(SysCommandTable, DescriptionsKeepTheirLineBreaksAndBackslash) {
  EXPECT_EQ(SysCommands[1].Description,
            "【機能】\r\nすでに登録されたコマンドの設定を変更します\r\n\r\n【パラメータ】\r\n"
            "===キーワード(省略可)====\r\n編集するキーワードを指定\r\n\r\n"
            "キーワードを指定しない場合、「キーワードマネージャ」が開きます。");
  EXPECT_EQ(SysCommands[10].Description,
            "【機能】\r\nカレントディレクトリを変更します。(カレントディレクトリには.\\でアクセスできます)\r\n\r\n"
            "【パラメータ】\r\n===パラメータ===\r\nカレントディレクトリにしたいフォルダのパスを指定。\r\n"
            "ファイル名を指定した場合には、そのファイルのあるフォルダがカレントディレクトリになります。");
  EXPECT_NE(kSysCommandOverview.find(" *ユーザーフォルダ\r\n *カレントディレクトリ\r\n\r\nの9種類が選べます\r\n\r\n"),
            std::string_view::npos);
}

TEST(KindTemplates, EveryKindInTreeOrderWithItsKeysInOrder) {
  const std::vector<TKindTemplate> kinds = KindTemplates();
  ASSERT_EQ(kinds.size(), 15u);
  const std::vector<std::string> plain = {"Type", "Help", "Path", "IIndex"};
  const std::vector<std::string> withIcon = {"Type", "Help", "Path", "Icon", "IIndex"};
  const std::vector<std::string> action = {"Type", "Help", "Path", "Icon", "IIndex", "CommandIndex", "Comment"};

  EXPECT_EQ(kinds[0].Path, "通常コマンド");
  EXPECT_EQ(kinds[0].Image, 1);
  EXPECT_EQ(Keys(kinds[0].Data), plain);
  EXPECT_EQ(kinds[0].Data.ReadInteger("Type", -1), 0);
  EXPECT_EQ(kinds[0].Data.ReadString("Help", ""), kNormalCommandHelp);

  EXPECT_EQ(kinds[1].Path, "システムコマンド");
  EXPECT_EQ(kinds[1].Image, 2);
  EXPECT_EQ(Keys(kinds[1].Data), withIcon);
  EXPECT_EQ(kinds[1].Data.ReadString("Help", ""), kSysCommandOverview);

  for (size_t i = 0; i < SysCommands.size(); ++i) {
    SCOPED_TRACE(i);
    const TKindTemplate& k = kinds[2 + i];
    EXPECT_EQ(k.Path, "システムコマンド/" + std::string(SysCommands[i].Name));
    EXPECT_EQ(k.Image, 2);
    EXPECT_EQ(Keys(k.Data), action);
    EXPECT_EQ(k.Data.ReadInteger("Type", -1), 2);
    EXPECT_EQ(k.Data.ReadString("Icon", ""), "%IconDir\\systemkeyword.ico");
    EXPECT_EQ(k.Data.ReadInteger("IIndex", -1), 0);
    EXPECT_EQ(k.Data.ReadInteger("CommandIndex", -1), SysCommands[i].CommandIndex);
    EXPECT_EQ(k.Data.ReadString("Comment", ""), SysCommands[i].Title);
    EXPECT_EQ(k.Data.ReadString("Help", ""), SysCommands[i].Description);
    EXPECT_EQ(k.Data.ReadString("Path", ""), k.Path);
  }

  const TKindTemplate& group = kinds[14];
  EXPECT_EQ(group.Path, "グループ");
  EXPECT_EQ(group.Image, 3);
  EXPECT_EQ(Keys(group.Data), withIcon);
  EXPECT_EQ(group.Data.ReadInteger("Type", -1), 5);
  EXPECT_EQ(group.Data.ReadString("Icon", ""), "%IconDir\\group.ico");
  EXPECT_EQ(group.Data.ReadString("Help", ""), kGroupCommandHelp);
}

TEST(KindTemplates, ACommandComesAfterThePathAndAnEmptyOneIsLeftOut) {
  EXPECT_EQ(Keys(MakeTemplate("a/b", "notepad.exe", 3, "x.ico", 0, "h")),
            (std::vector<std::string>{"Type", "Help", "Path", "Command", "Icon", "IIndex"}));
  const TStringIni t = MakeTemplate("a", "", 3, "", 5, "");
  EXPECT_EQ(Keys(t), (std::vector<std::string>{"Type", "Path", "IIndex"}));  // an empty help writes nothing either
  EXPECT_EQ(t.ReadInteger("IIndex", -1), 3);
}

}  // namespace
