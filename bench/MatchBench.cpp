// Candidate-list build times (the rows as the popup takes them, references
// into the source) over synthetic keyword names: 1,000, 10,000 and
// 100,000 names (ASCII, Japanese and mixed), the typed texts k .. keisan (one
// keystroke each), match modes 0 to 3, the romaji scorer off and on (scripted
// input method). Prints milliseconds per keystroke and nanoseconds per
// candidate. "--names FILE" also writes the 100,000 names (Shift-JIS, one a
// line) for the comparison with other matchers.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchNames.h"
#include "completion/Complete_Data.h"
#include "completion/InputMethodFake.h"
#include "completion/Romaji_Match.h"

namespace {

using benchnames::TRandom;

const char* const kSeparators[] = {"", " ", "_", "-", "", " "};

std::string MakeName(TRandom& r) { return benchnames::MakeName(r, kSeparators, " "); }

// The scripted input method's view of each keystroke of "keisan".
void ScriptInputMethod(TFakeInputMethod& ime) {
  auto add = [&](const char* typed, std::vector<std::string> clauses, std::vector<std::vector<std::string>> cands) {
    ime.Readings[typed] = TFakeInputMethod::ReadingOf(clauses);
    for (size_t i = 0; i < clauses.size(); ++i) ime.Candidates[clauses[i]] = cands[i];
  };
  add("k", {"ｋ"}, {{"ｋ", "k"}});
  add("ke", {"け"}, {{"け", "毛", "気"}});
  add("kei", {"けい"}, {{"けい", "計", "系", "刑"}});
  add("keis", {"けい", "ｓ"}, {{"計", "系", "けい"}, {"ｓ", "s"}});
  add("keisa", {"けいさ"}, {{"けいさ", "計さ"}});
  add("keisan", {"けいさん"}, {{"計算", "けいさん", "系さん"}});
}

double MsPerBuild(TCompleteData& d, const std::string& typed, int repeats) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    d.Word = typed;
    auto t0 = std::chrono::steady_clock::now();
    d.BuildList();
    // The rows as the popup takes them: references into the source.
    TCandidateRows rows = d.TakeRows();
    auto t1 = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    if (rows.Count() < 0) std::puts("");
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const char* namesFile = nullptr;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--names") == 0) namesFile = argv[i + 1];

  TRandom rnd;
  std::vector<std::string> all;
  all.reserve(100000);
  size_t bytes = 0;
  for (int i = 0; i < 100000; ++i) { all.push_back(MakeName(rnd)); bytes += all.back().size(); }
  if (namesFile) {
    FILE* f = std::fopen(namesFile, "wb");
    if (!f) { std::fprintf(stderr, "cannot write %s\n", namesFile); return 1; }
    for (const auto& n : all) { std::fwrite(n.data(), 1, n.size(), f); std::fputc('\n', f); }
    std::fclose(f);
  }
  auto fake = std::make_unique<TFakeInputMethod>();
  ScriptInputMethod(*fake);
  SetRomajiInputMethod(std::move(fake));

  const std::string word = "keisan";
  std::printf("names: 100000, %.1f bytes on average; typed: k .. keisan; times are medians\n", double(bytes) / all.size());
  std::printf("%7s %4s %6s |%7s%7s%7s%7s%7s%7s | %7s %8s %7s\n", "names", "mode", "romaji", "len1", "len2", "len3", "len4",
              "len5", "len6", "max ms", "ns/cand", "rows");
  for (int n : {1000, 10000, 100000}) {
    TStringList names(std::vector<std::string>(all.begin(), all.begin() + n));
    int repeats = n >= 100000 ? 25 : n >= 10000 ? 61 : 201;
    for (int romaji = 0; romaji <= 1; ++romaji) {
      for (int mode = 0; mode <= 3; ++mode) {
        TCompleteData d;
        d.ExtraSources = {&names};
        d.ListOrder = "2";
        d.CheckedLists = "1";
        d.DedupeLimit = 15;
        d.TrackCommonPrefix = true;
        d.MatchMode = mode;
        d.UseRomaji = romaji != 0;
        double worst = 0;
        std::printf("%7d %4d %6s |", n, mode, romaji ? "on" : "off");
        int rows = 0;
        for (size_t len = 1; len <= word.size(); ++len) {
          std::string typed = word.substr(0, len);
          double ms = MsPerBuild(d, typed, repeats);
          worst = std::max(worst, ms);
          std::printf("%7.3f", ms);
          if (len == 1) { d.Word = typed; d.BuildList(); rows = d.GetCandidates().Count(); }
        }
        std::printf(" | %7.3f %8.1f %7d\n", worst, worst * 1e6 / n, rows);
        std::fflush(stdout);
      }
    }
  }
  return 0;
}
