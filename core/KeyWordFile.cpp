#include "core/KeyWordFile.h"

#include <algorithm>

#include "core/Sjis.h"

int TKeyWordGroupList::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < Items.size(); ++i)
    if (sjis::EqualsIgnoreCase(Items[i].Name, name)) return static_cast<int>(i);
  return -1;
}

TStringIni* TKeyWordGroupList::Insert(int index, std::string name, std::unique_ptr<TStringIni> data) {
  index = std::clamp(index, 0, Count());
  TStringIni* p = data.get();
  Items.insert(Items.begin() + index, TKeyWordEntry{std::move(name), std::move(data)});
  return p;
}

std::unique_ptr<TStringIni> TKeyWordGroupList::Extract(int index) {
  std::unique_ptr<TStringIni> data = std::move(Items[static_cast<size_t>(index)].Data);
  Items.erase(Items.begin() + index);
  return data;
}

void TKeyWordGroupList::Move(int from, int to) {
  if (from == to) return;
  TKeyWordEntry e = std::move(Items[static_cast<size_t>(from)]);
  Items.erase(Items.begin() + from);
  Items.insert(Items.begin() + std::clamp(to, 0, Count()), std::move(e));
}

namespace kwfile {

std::string GroupFileName(const std::string& itemsFolder, std::string_view groupPath) {
  return itemsFolder + "%" + sjis::ReplaceAll(groupPath, "/", "%") + ".vane";
}

std::string GroupPathFromFileName(std::string_view fileName) {
  if (!sjis::EndsWithIgnoreCase(fileName, ".vane") || !sjis::StartsWithChar(fileName, '%')) return std::string();
  std::string_view stem = fileName.substr(1, fileName.size() - 1 - 5);
  if (stem.empty() || sjis::EndsWithChar(stem, '%')) return std::string();
  return sjis::ReplaceAll(stem, "%", "/");
}

// The bytes that separate or quote fields (codes up to 32 and the double quote)
// never occur as trail bytes of a double-byte character, whose trail bytes start
// at 0x40. A byte walk therefore finds the same characters as a character walk
// on sound text, and stays in step on broken text, where a lone lead byte must
// not swallow the TAB or quote after it.
namespace {
constexpr bool IsSeparator(unsigned char b) { return b >= 1 && b <= 32; }
}  // namespace

std::vector<std::string> SplitItemLine(std::string_view line) {
  std::vector<std::string> fields;
  size_t nul = line.find('\0');
  if (nul != std::string_view::npos) line = line.substr(0, nul);
  size_t i = 0, n = line.size();
  for (;;) {
    while (i < n && IsSeparator(static_cast<unsigned char>(line[i]))) ++i;
    if (i >= n) break;
    std::string field;
    if (line[i] == '"') {
      ++i;
      while (i < n) {
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            field += '"';
            i += 2;
          } else {
            ++i;
            break;
          }
        } else {
          field += line[i++];
        }
      }
    } else {
      size_t start = i;
      while (i < n && static_cast<unsigned char>(line[i]) > 32) ++i;
      field.assign(line.substr(start, i - start));
    }
    fields.push_back(std::move(field));
  }
  return fields;
}

std::string QuoteItemField(std::string_view field) {
  bool quote = field.empty();
  for (unsigned char b : field)
    if (b <= 32 || b == '"') { quote = true; break; }
  if (!quote) return std::string(field);
  std::string r = "\"";
  for (char c : field) {
    if (c == '"') r += '"';
    r += c;
  }
  r += '"';
  return r;
}

std::string BuildItemLine(std::string_view name, const TStringList& dataLines) {
  std::string r = QuoteItemField(name);
  r += '\t';
  for (int i = 0; i < dataLines.Count(); ++i) {
    if (i > 0) r += '\t';
    r += QuoteItemField(dataLines[i]);
  }
  return r;
}

void ParseGroupText(std::string_view text, TKeyWordGroupList& out) {
  for (const std::string& line : sjis::SplitLines(text)) {
    std::vector<std::string> fields = SplitItemLine(line);
    if (fields.size() < 2) continue;
    auto data = std::make_unique<TStringIni>();
    data->Lines.Items().assign(std::make_move_iterator(fields.begin() + 1), std::make_move_iterator(fields.end()));
    out.Items.push_back(TKeyWordEntry{std::move(fields[0]), std::move(data)});
  }
}

std::string BuildGroupText(const TKeyWordGroupList& list) {
  std::string r;
  for (const TKeyWordEntry& e : list.Items) {
    if (!e.Data) continue;
    r += BuildItemLine(e.Name, e.Data->Lines);
    r += "\r\n";
  }
  return r;
}

bool SplitIdEntry(std::string_view line, int& id, std::string& path) {
  size_t eq = line.find('=');
  if (eq == std::string_view::npos || !sjis::TryStrToInt(line.substr(0, eq), id)) return false;
  path.assign(line.substr(eq + 1));
  return true;
}

void ParseIdListText(std::string_view text, int& lastId, TStringList& entries) {
  entries.Clear();
  lastId = -1;
  std::vector<std::string> lines = sjis::SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i == 0 && sjis::TryStrToInt(lines[0], lastId)) continue;
    if (i == 0) lastId = -1;
    if (lines[i].empty()) continue;
    int id;
    std::string path;
    if (SplitIdEntry(lines[i], id, path)) lastId = std::max(lastId, id);
    entries.Add(std::move(lines[i]));
  }
  lastId = std::max(lastId, -1);
}

std::string BuildIdListText(int lastId, const TStringList& entries) {
  std::string r = sjis::IntToStr(lastId) + "\r\n";
  for (const std::string& e : entries) r += e + "\r\n";
  return r;
}

std::vector<std::string> SplitKeepEmpty(std::string_view text, char delimiter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t p = sjis::FindChar(text, delimiter, start);
    if (p == sjis::npos) break;
    parts.emplace_back(text.substr(start, p - start));
    start = p + 1;
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

}  // namespace kwfile
