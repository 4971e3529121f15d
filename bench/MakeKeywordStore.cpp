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

#include "bench/BenchNames.h"
#include "core/FileIO.h"
#include "core/KeyWordFile.h"
#include "core/StringIni.h"

namespace {

using benchnames::TRandom;

// No blank: a keyword name may not hold one.
const char* const kSeparators[] = {"", "_", "-", "", "."};
// Groups below the root and the share of the keywords each holds (per mille);
// the root keeps the rest.
struct TGroupShare { const char* Name; int PerMille; };
const TGroupShare kGroups[] = {{"Tools", 150}, {"Net", 120}, {"Docs", 90}, {"ゲーム", 70}};

std::string MakeName(TRandom& r) { return benchnames::MakeName(r, kSeparators, "_"); }

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
