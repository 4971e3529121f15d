#include "launcher/LauncherStatus.h"

#include "core/File_Utils.h"
#include "core/KeyWordX.h"
#include "core/Sjis.h"
#include "core/StringList.h"
#include "core/WebAddress.h"

namespace {

constexpr char kBrokenLink[] = "!リンク切れ!";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// "C:" and "\\server\share" are their own drive part.
bool IsBareDrive(const std::string& path) {
  if (path.size() == 2 && path[1] == ':') return true;
  if (path.size() < 3 || path[0] != '\\' || path[1] != '\\') return false;
  const size_t first = sjis::FindChar(path, '\\', 2);
  return first != sjis::npos && sjis::FindChar(path, '\\', first + 1) == sjis::npos;
}

}  // namespace

TStatusChoice ItemStatus(int type, bool runModeOne, const std::string& command, const std::string& comment,
                         int pathKind) {
  TStatusChoice c;
  if (!comment.empty() && type != kTypeCommand) {
    c.Text = comment;
    return c;
  }
  const bool pathType =
      type == kTypeCommand || type == kTypeTemp || (type == kTypeGroup && runModeOne);
  if (pathType && pathKind >= pkFile && pathKind <= pkWildFolder) {
    if (!comment.empty()) {
      c.Text = comment;
    } else {
      const std::string bare = sjis::EndsWithChar(command, '\\') ? command.substr(0, command.size() - 1) : command;
      c.Text = IsBareDrive(bare) ? bare : sjis::ExtractFileName(bare);
    }
    return c;
  }
  if (type == kTypeCommand && !IsInternetAddress(command)) {
    c.Text = kBrokenLink;
    c.ColorSet = 1;
    return c;
  }
  if (!comment.empty()) c.Text = comment;
  else if (type == kTypeCommand || type == kTypeTemp) c.Text = command;
  else if (type == kTypeSystem) c.Text = command.empty() ? "システムコマンド" : command;
  else if (type == kTypeGroup) c.Text = runModeOne ? command : "グループ";
  return c;
}

TStatusChoice TextStatus(const std::string& text, bool validPath, bool registByEnter, const std::string& title,
                         const std::function<bool(const std::string&)>& exists) {
  if (text.empty()) return {title, -1, "%IconDir\\main.ico"};
  if (!validPath) return {"使用できない文字列", 1, "%IconDir\\Forbidden.ico"};
  if (!registByEnter) return {"未登録キーワード", 2, "%IconDir\\Forbidden.ico"};
  TStatusChoice c{"", 2, "%IconDir\\New.ico"};
  const bool group = sjis::EndsWithChar(text, '/');
  const std::string path = group ? text.substr(0, text.size() - 1) : text;
  const size_t slash = sjis::FindLastChar(path, '/');
  if (group && exists && exists(path)) c.Text = Quoted(path) + "をグループ化";
  else if (slash == sjis::npos) c.Text = Quoted(path) + (group ? "をグループとして登録" : "を登録");
  else
    c.Text = Quoted(path.substr(0, slash)) + "に" + Quoted(path.substr(slash + 1)) +
             (group ? "をグループとして登録" : "を登録");
  return c;
}

COLORREF SettingColor(const std::string& commaText, int n, int sysDefault) {
  TStringList entries;
  entries.SetCommaText(commaText);
  int value = 0;
  if (n < 0 || n >= entries.Count() || !sjis::TryStrToInt(sjis::Trim(entries[n]), value))
    return GetSysColor(sysDefault);
  if (value < 0) return GetSysColor(value & 0xFF);  // a system colour
  return static_cast<COLORREF>(value) & 0xFFFFFF;
}

int LeadingVersionNumber(const std::string& version) {
  int n = 0;
  for (char ch : sjis::TrimLeft(version)) {
    if (ch < '0' || ch > '9' || n > 100000) break;
    n = n * 10 + (ch - '0');
  }
  return n;
}

std::string TrayTipText(const std::string& firstLine, int shellMajor, const std::string& exeS,
                        const std::string& callHotKey) {
  if (shellMajor < 5) return firstLine;
  const std::string start = exeS.empty() || exeS == "なし" ? std::string() : "\r\n  起動:[" + exeS + "]";
  if (!callHotKey.empty()) return firstLine + start + "\r\n  表示:[" + callHotKey + "]";
  return firstLine + start + "\r\n  ダブルクリックで本体表示";
}

