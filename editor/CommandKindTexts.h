// The help texts of the keyword kinds that more than one window shows.
#pragma once

#include <string_view>

inline constexpr std::string_view kNormalCommandHelp =
    "【機能】\r\nファイルや、URLを開くことのできる普通のコマンドです";

// The group dialog's note and the group template's help.
inline constexpr std::string_view kGroupCommandHelp =
    "【機能】\r\nキーワードの 分類・連続起動を可能にするグループを作ります\r\n\r\n\r\n"
    "【起動順序】\r\n連続起動する場合、順番はツリー上の並び順と同じです\r\n"
    "(ドラッグドロップで順番を入れ替えられます)\r\n\r\n\r\n"
    "【パラメータ】\r\nパラメータは中に入っているコマンドに渡されます";
