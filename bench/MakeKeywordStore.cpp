// Writes a keyword store for the latency benchmark: a main folder with the
// shared user data folder "Users\All Users", default settings and an Items
// folder holding N keywords in the group file format. Most keywords lie in the
// root group, the rest in a few groups; names are ASCII words, Japanese words
// or both, as real stores mix them. The same seed gives the same store.
//
// Usage: MakeKeywordStore MAINFOLDER COUNT [--root-only]
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/FileIO.h"
#include "core/KeyWordFile.h"
#include "core/StringIni.h"

namespace {

struct TRandom {
  uint64_t s = 0x9E3779B97F4A7C15ull;
  uint32_t Next() { s ^= s << 13; s ^= s >> 7; s ^= s << 17; return uint32_t(s >> 11); }
  template <size_t N> const char* Pick(const char* const (&a)[N]) { return a[Next() % N]; }
};

const char* const kAscii[] = {
    "note", "pad", "calc", "paint", "word", "excel", "power", "point", "visual", "studio", "code",
    "chrome", "fire", "fox", "media", "player", "photo", "shop", "reader", "steam", "zip", "term",
    "putty", "git", "bash", "python", "java", "memo", "tool", "setup", "update", "config", "explorer",
    "control", "panel", "system", "task", "manager", "regedit", "mail", "outlook", "zoom", "office",
    "backup", "sync", "remote", "desktop", "viewer", "editor", "keisan", "kyouto", "server", "client",
};
const char* const kJapanese[] = {
    "メモ帳", "電卓", "計算機", "ペイント", "京都", "東京", "地図", "設定", "ファイル", "フォルダ",
    "管理", "ツール", "写真", "音楽", "動画", "再生", "編集", "辞書", "翻訳", "日記", "住所録",
    "家計簿", "会議", "資料", "けいさん", "表計算", "ソフト", "予定表", "業務", "経理", "システム",
};
// No blank: a keyword name may not hold one.
const char* const kSeparators[] = {"", "_", "-", "", "."};
// Groups below the root and the share of the keywords each holds (per mille);
// the root keeps the rest.
struct TGroupShare { const char* Name; int PerMille; };
const TGroupShare kGroups[] = {{"Tools", 150}, {"Net", 120}, {"Docs", 90}, {"ゲーム", 70}};

std::string Capitalised(std::string w, TRandom& r) {
  uint32_t k = r.Next() % 4;
  if (k == 1) w[0] = char(w[0] - 32);
  if (k == 2) for (auto& c : w) c = char(c - 32);
  return w;
}

std::string MakeName(TRandom& r) {
  std::string name;
  uint32_t kind = r.Next() % 10;  // 0-4 ASCII, 5-7 Japanese, 8-9 mixed
  int words = 1 + int(r.Next() % 3);
  for (int i = 0; i < words; ++i) {
    if (i > 0) name += r.Pick(kSeparators);
    bool japanese = kind >= 5 && (kind <= 7 || (r.Next() & 1));
    name += japanese ? std::string(r.Pick(kJapanese)) : Capitalised(r.Pick(kAscii), r);
  }
  if (r.Next() % 3 == 0) name += "_" + std::to_string(r.Next() % 2020);
  return name;
}

std::string Lower(std::string s) {
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) { ++i; continue; }
    if (b >= 'A' && b <= 'Z') s[i] = char(b + 32);
  }
  return s;
}

void AddItem(TKeyWordGroupList& list, std::unordered_set<std::string>& names, std::string name,
             const TStringList& lines) {
  // Names are unique in their group without regard to case.
  std::string unique = name;
  for (int n = 0; !names.insert(Lower(unique)).second; ++n) unique = name + "(" + std::to_string(n) + ")";
  auto data = std::make_unique<TStringIni>();
  data->Lines = lines;
  list.Insert(list.Count(), unique, std::move(data));
}

TStringList KeywordData(const std::string& name, TRandom& r) {
  TStringIni d;
  d.WriteInteger("Type", 0);
  d.WriteString("Command", r.Next() % 2 ? "C:\\windows\\notepad.exe" : "C:\\windows\\system32\\winver.exe");
  if (r.Next() % 4 == 0) d.WriteString("Param", "%1");
  d.WriteString("Comment", name + " のキーワード");
  return d.Lines;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: MakeKeywordStore MAINFOLDER COUNT [--root-only]\n");
    return 2;
  }
  const std::string main = argv[1];
  const int count = std::atoi(argv[2]);
  const bool rootOnly = argc > 3 && std::strcmp(argv[3], "--root-only") == 0;
  const std::string user = main + "\\Users\\All Users";
  for (const std::string& d : {main + "\\Files", user + "\\Items", user + "\\Icons"}) fileio::ForceDirectories(d);
  if (!WriteFile(main + "\\Users\\UseSameData.ini", "") ||
      !WriteFile(user + "\\quorvane.ini", "version=150103\r\n")) {
    std::fprintf(stderr, "cannot write below %s\n", main.c_str());
    return 1;
  }

  TRandom rnd;
  TKeyWordGroupList root;
  std::unordered_set<std::string> rootNames;
  std::vector<TKeyWordGroupList> groups(rootOnly ? 0 : std::size(kGroups));
  std::vector<std::unordered_set<std::string>> groupNames(groups.size());
  if (!rootOnly)
    for (const TGroupShare& g : kGroups) {
      TStringIni d;
      d.WriteInteger("Type", 5);
      d.WriteString("Comment", std::string(g.Name) + " のグループ");
      AddItem(root, rootNames, g.Name, d.Lines);
    }
  for (int i = 0; i < count; ++i) {
    std::string name = MakeName(rnd);
    TStringList data = KeywordData(name, rnd);
    int pick = static_cast<int>(rnd.Next() % 1000), g = 0;
    for (; g < static_cast<int>(groups.size()) && pick >= kGroups[g].PerMille; ++g) pick -= kGroups[g].PerMille;
    if (g < static_cast<int>(groups.size())) AddItem(groups[g], groupNames[g], name, data);
    else AddItem(root, rootNames, name, data);
  }
  const std::string items = user + "\\Items\\";
  bool ok = WriteFile(kwfile::GroupFileName(items, ""), kwfile::BuildGroupText(root));
  for (size_t g = 0; g < groups.size(); ++g)
    ok = WriteFile(kwfile::GroupFileName(items, kGroups[g].Name), kwfile::BuildGroupText(groups[g])) && ok;
  if (!ok) {
    std::fprintf(stderr, "cannot write the group files below %s\n", items.c_str());
    return 1;
  }
  std::printf("%d keywords: %d in the root group", count, root.Count() - static_cast<int>(groups.size()));
  for (size_t g = 0; g < groups.size(); ++g) std::printf(", %d in %s", groups[g].Count(), kGroups[g].Name);
  std::printf("\n");
  return 0;
}
