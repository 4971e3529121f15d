#include "editor/USelectCommand_Templates.h"

#include "editor/CommandKindTexts.h"
#include "editor/UEditSysCommand2_Table.h"

TStringIni MakeTemplate(const std::string& path, const std::string& command, int iconIndex, const std::string& icon,
                        int type, std::string_view help) {
  TStringIni t;
  t.WriteInteger("Type", type);
  t.WriteString("Help", help);
  t.WriteString("Path", path);
  t.WriteString("Command", command);  // an empty command writes nothing
  if (!icon.empty()) t.WriteString("Icon", icon);
  t.WriteInteger("IIndex", iconIndex);
  return t;
}

// The item types of the keyword store (normal command 0, system command 2,
// group 5), as stored.
std::vector<TKindTemplate> KindTemplates() {
  const std::string system = "システムコマンド";
  std::vector<TKindTemplate> kinds;
  const auto add = [&](const std::string& path, int image, const std::string& icon, int type, std::string_view help) {
    kinds.push_back({path, image, MakeTemplate(path, "", 0, icon, type, help)});
    return &kinds.back().Data;
  };
  add("通常コマンド", 1, "", 0, kNormalCommandHelp);
  add(system, 2, kSystemKeywordIcon, 2, kSysCommandOverview);
  for (const TSysCommandInfo& info : SysCommands) {
    TStringIni* t = add(system + "/" + std::string(info.Name), 2, kSystemKeywordIcon, 2, info.Description);
    t->WriteInteger("CommandIndex", info.CommandIndex);
    t->WriteString("Comment", info.Title);
  }
  add("グループ", 3, kGroupIcon, 5, kGroupCommandHelp);
  return kinds;
}
