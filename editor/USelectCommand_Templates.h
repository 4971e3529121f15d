// The templates the new-item kind dialog offers: for each kind of keyword
// (normal command, system command and each of its actions, group) the first
// lines of a new keyword's data, with the tree path and image of its node.
// Help (the text shown for the node) and Path go before the template is
// handed out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/StringIni.h"

inline constexpr char kSystemKeywordIcon[] = "%IconDir\\systemkeyword.ico";
inline constexpr char kGroupIcon[] = "%IconDir\\group.ico";

// The node images, in this order, from the user's icon folder.
inline constexpr std::string_view kKindImageFiles[] = {"excommand_small.ico", "normalcommand_small.ico",
                                                        "systemcommand_small.ico", "groupcommand_small2.ico"};

// A template's lines: Type, Help, Path, Command (left out when empty), Icon
// (only when given), IIndex.
TStringIni MakeTemplate(const std::string& path, const std::string& command, int iconIndex, const std::string& icon,
                        int type, std::string_view help);

struct TKindTemplate {
  std::string Path;  // "/"-separated node path
  int Image;
  TStringIni Data;
};

// Every kind in tree order.
std::vector<TKindTemplate> KindTemplates();
