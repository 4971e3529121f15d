#include "editor/UEditSysCommand2_Table.h"

#define CRLF "\r\n"

const std::array<TSysCommandInfo, 12> SysCommands = {{
    {"【機能】" CRLF "quorvaneを終了させます" CRLF CRLF "【パラメータ】" CRLF "指定できるパラメータはありません",
     "終了", "【終了】", 0},
    {"【機能】" CRLF "すでに登録されたコマンドの設定を変更します" CRLF CRLF "【パラメータ】" CRLF
     "===キーワード(省略可)====" CRLF "編集するキーワードを指定" CRLF CRLF
     "キーワードを指定しない場合、「キーワードマネージャ」が開きます。",
     "編集", "【編集】キーワード", 1},
    {"【機能】" CRLF "キーワードマネージャを開きます。" CRLF CRLF "【パラメータ】" CRLF "===キーワード(省略可)====" CRLF
     "選択するキーワードを指定",
     "マネージャ", "【キーワードマネージャ】", 8},
    {"【機能】" CRLF "quorvane本体の設定を変更するダイアログを出します。" CRLF CRLF "【パラメータ】" CRLF
     "指定できるパラメータはありません。",
     "設定", "【設定】", 2},
    {"【機能】" CRLF "新しいコマンドを登録します" CRLF CRLF "【パラメータ】" CRLF "===第一パラメータ(省略可)====" CRLF
     "  新しく作るキーワードの名前を指定" CRLF CRLF "===第二パラメータ(省略可)====" CRLF
     "  新しく作るキーワードのリンク先を指定",
     "新規作成", "【新規作成】キーワード リンク先", 3},
    {"【機能】" CRLF "直前までアクティブだったウィンドウをキーワードとして登録します。" CRLF CRLF "【パラメータ】" CRLF
     "指定できるパラメータはありません",
     "アクティブウィンドウ登録", "【アクティブウィンドウ登録】", 7},
    {"【機能】" CRLF "指定されたキーワードを削除します" CRLF CRLF "【パラメータ】" CRLF "===パラメータ===" CRLF
     "   削除したいキーワードを指定してください",
     "削除", "【削除】キーワード", 4},
    {"【機能】" CRLF "quorvaneのバージョン情報ダイアログを出します。" CRLF CRLF "【パラメータ】" CRLF
     "指定できるパラメータはありません。",
     "バージョン情報", "【バージョン情報】", 5},
    {"【機能】" CRLF "quorvane本体のあるフォルダを開きます。" CRLF CRLF "【パラメータ】" CRLF
     "指定できるパラメータはありません。",
     "メインフォルダ", "【メインフォルダ】", 9},
    {"【機能】" CRLF "現在使用中のユーザーの設定が保存されているディレクトリを開きます。" CRLF CRLF "【パラメータ】" CRLF
     "指定できるパラメータはありません。",
     "ユーザーフォルダ", "【ユーザーフォルダ】", 10},
    {"【機能】" CRLF "カレントディレクトリを変更します。(カレントディレクトリには.\\でアクセスできます)" CRLF CRLF
     "【パラメータ】" CRLF "===パラメータ===" CRLF "カレントディレクトリにしたいフォルダのパスを指定。" CRLF
     "ファイル名を指定した場合には、そのファイルのあるフォルダがカレントディレクトリになります。",
     "作業ディレクトリ", "【作業ディレクトリ】フォルダ名", 6},
    {"【機能】" CRLF "quorvaneにパラメータを送信します。" CRLF CRLF "【パラメータ】" CRLF "送信するパラメータを指定",
     "パラメータ送信", "パラメータ送信", 11},
}};

int FindSysCommand(int commandIndex) {
  for (size_t i = 0; i < SysCommands.size(); ++i)
    if (SysCommands[i].CommandIndex == commandIndex) return static_cast<int>(i);
  return -1;
}

// "の9種類が選べます" stands as the program has always said it, below its
// eleven lines.
const std::string_view kSysCommandOverview =
    "【機能】" CRLF "キーワードの登録・整理などquorvane自体にかかわるコマンドを登録できます" CRLF CRLF
    " *終了" CRLF " *キーワード編集" CRLF " *キーワードマネージャ" CRLF " *設定" CRLF " *新規作成" CRLF
    " *ウィンドウ登録" CRLF " *削除" CRLF " *バージョン情報" CRLF " *メインフォルダ" CRLF " *ユーザーフォルダ" CRLF
    " *カレントディレクトリ" CRLF CRLF "の9種類が選べます" CRLF CRLF "【パラメータ】" CRLF "それぞれのコマンドによって違います";
