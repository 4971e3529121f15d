#include "editor/FileListDialog_Text.h"

#include <vector>

#include "core/Sjis.h"

namespace {

constexpr std::string_view kEllipsis = "\\...\\";

bool IsDelimiter(char c) { return c == '\\' || c == '/'; }

// The drive part: "C:" or "\\server\share"; empty when the path has neither.
std::string_view DrivePart(std::string_view path) {
  if (path.size() >= 2 && !sjis::IsLeadByte(path[0]) && path[1] == ':') return path.substr(0, 2);
  if (path.size() < 2 || !IsDelimiter(path[0]) || !IsDelimiter(path[1])) return {};
  // Past the server's name and the share's.
  int delimiters = 0;
  for (size_t i = 2; i < path.size(); i = sjis::NextPos(path, i)) {
    if (IsDelimiter(path[i]) && ++delimiters == 2) return path.substr(0, i);
  }
  return delimiters == 1 ? path : std::string_view{};
}

// The folders between the drive and the file name, outermost first.
std::vector<std::string> Folders(std::string_view between) {
  std::vector<std::string> folders;
  std::string current;
  for (size_t i = 0; i < between.size();) {
    const size_t next = sjis::NextPos(between, i);
    if (next == i + 1 && IsDelimiter(between[i])) {
      if (!current.empty()) folders.push_back(std::move(current));
      current.clear();
    } else {
      current.append(between.substr(i, next - i));
    }
    i = next;
  }
  if (!current.empty()) folders.push_back(std::move(current));
  return folders;
}

int Chars(std::string_view s) { return static_cast<int>(sjis::CharCount(s)); }

}  // namespace

std::string ShortenPath(std::string_view path, int maxChars) {
  if (Chars(path) < maxChars) return std::string(path);
  const std::string_view drive = DrivePart(path);
  if (drive.empty()) return std::string(path);
  const std::string name = sjis::ExtractFileName(path);
  const std::string folder = sjis::ExtractFilePath(path);
  if (folder.size() < drive.size()) return std::string(path);
  const std::vector<std::string> folders = Folders(std::string_view(folder).substr(drive.size()));
  if (folders.empty()) return std::string(path);
  std::string head = std::string(drive) + std::string(kEllipsis);
  std::string tail = name;
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
    std::string candidate = *it + "\\" + tail;
    if (Chars(head) + Chars(candidate) > maxChars) break;
    tail = std::move(candidate);
  }
  return head + tail;
}

int CharsPerLine(int clientWidth, int dotWidth) {
  if (dotWidth <= 0) return 0;
  return (clientWidth - 20) / dotWidth;
}

std::string RegisteredName(std::string_view path) {
  return sjis::ExtractFileName(sjis::ExcludeTrailingPathDelimiter(path));
}

std::string RegisteringText(std::string_view name, int number, int count) {
  return std::string(name) + "を登録中...(" + std::to_string(number) + "/" + std::to_string(count) + ")";
}

std::string RegisteredAllText(int count) { return "登録完了(" + std::to_string(count) + "個のアイテム追加)!"; }
