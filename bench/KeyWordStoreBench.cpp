// Times loading and saving a keyword store of 10,000 keywords in 100 groups
// and prints the figures. Not a test: run it by hand (under Wine: wine
// KeyWordStoreBench.exe).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/KeyWordX.h"

namespace {

constexpr int kGroups = 100;
constexpr int kPerGroup = 100;
constexpr int kRounds = 5;

std::string Num(int v, int width) {
  std::string s = std::to_string(v);
  return std::string(static_cast<size_t>(std::max(0, width - static_cast<int>(s.size()))), '0') + s;
}

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string n = fd.cFileName;
      if (n == "." || n == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(dir + "\\" + n);
      else DeleteFileA((dir + "\\" + n).c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}

// Writes the store through the manager, with data lines like the dialogs write.
void BuildStore(const std::string& items, const std::string& main) {
  TKeyWordManager m(items, main);
  for (int g = kGroups - 1; g >= 0; --g) {
    std::string group = "group" + Num(g, 3);
    m.NewKeyWord(group, "", kTypeGroup)->Data()->WriteString("Comment", "グループ " + Num(g, 3));
    for (int k = kPerGroup - 1; k >= 0; --k) {
      auto kw = m.NewKeyWord("kw" + Num(g * kPerGroup + k, 5), group, kTypeCommand);
      TStringIni& d = *kw->Data();
      d.WriteString("Command", "C:\\Program Files\\アプリ" + Num(k, 3) + "\\app.exe");
      d.WriteString("Param", "%1 /x \"%2\"");
      d.WriteString("Comment", "キーワード " + Num(k, 3) + " の説明");
      d.WriteInteger("UseKeyword", 3);
      d.WriteInteger("UpPriority", 1);
    }
  }
  m.Save();
}

}  // namespace

int main() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string root = std::string(temp) + "qvbench" + std::to_string(GetCurrentProcessId());
  std::string items = root + "\\Items", main = root + "\\Main";
  try {
    BuildStore(items, main);
    long long bytes = 0;
    {
      WIN32_FIND_DATAA fd;
      HANDLE h = FindFirstFileA((items + "\\*.vane").c_str(), &fd);
      if (h != INVALID_HANDLE_VALUE) {
        do bytes += fd.nFileSizeLow; while (FindNextFileA(h, &fd));
        FindClose(h);
      }
    }

    std::vector<double> load, lookup, save;
    for (int r = 0; r < kRounds; ++r) {
      TKeyWordManager m(items, main);
      auto t0 = std::chrono::steady_clock::now();
      int count = 0;
      TStringList groups = m.GetNames("");
      for (const std::string& group : groups) count += m.GetFolderList(group)->Count();
      auto t1 = std::chrono::steady_clock::now();
      int found = 0;
      for (int i = 0; i < kGroups * kPerGroup; ++i)
        found += m.Exists("group" + Num(i / kPerGroup, 3) + "/kw" + Num(i, 5)) ? 1 : 0;
      auto t2 = std::chrono::steady_clock::now();
      m.Save();
      auto t3 = std::chrono::steady_clock::now();
      if (count != kGroups * kPerGroup || found != count) {
        std::printf("store incomplete: %d items read, %d found\n", count, found);
        RemoveTree(root);
        return 1;
      }
      load.push_back(Ms(t1 - t0));
      lookup.push_back(Ms(t2 - t1));
      save.push_back(Ms(t3 - t2));
    }
    std::printf("keyword store: %d keywords in %d groups, %lld bytes of group files\n", kGroups * kPerGroup, kGroups,
                bytes);
    std::printf("load (every group file read and parsed): median %.1f ms, best %.1f ms\n", Median(load),
                *std::min_element(load.begin(), load.end()));
    std::printf("lookup of all keywords by path (cached): median %.1f ms\n", Median(lookup));
    std::printf("save (IDList untouched, %d group files): median %.1f ms, best %.1f ms\n", kGroups + 1, Median(save),
                *std::min_element(save.begin(), save.end()));
  } catch (const std::exception& e) {
    std::printf("error: %s\n", e.what());
    RemoveTree(root);
    return 1;
  }
  RemoveTree(root);
  return 0;
}
