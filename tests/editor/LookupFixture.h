// A keyword store and a file system in memory, for the parses of the
// completing edits: keywords by path with their command and kind, folders and
// files by full path. Paths compare without regard to case (ASCII).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "editor/EditLookup.h"

class TFakePaths : public IPathLookup {
 public:
  void AddFolder(const std::string& path) { folders_.insert(Key(Strip(path))); }
  void AddFile(const std::string& path) { files_.insert(Key(path)); }

  bool IsFolder(const std::string& path) override { return folders_.count(Key(Strip(path))) > 0; }
  bool IsFile(const std::string& path) override {
    return !sjis::EndsWithChar(path, '\\') && files_.count(Key(path)) > 0;
  }
  // Wildcards: a single "*" at the end.
  bool Exists(const std::string& path) override {
    if (!path.empty() && path.back() == '*') {
      const std::string prefix = Key(path.substr(0, path.size() - 1));
      for (const auto* set : {&folders_, &files_})
        for (const std::string& p : *set)
          if (p.compare(0, prefix.size(), prefix) == 0) return true;
      return false;
    }
    return IsFolder(path) || IsFile(path);
  }

 private:
  static std::string Key(const std::string& s) { return sjis::ToLowerAscii(s); }
  static std::string Strip(std::string s) {
    if (sjis::EndsWithChar(s, '\\')) s.pop_back();
    return s;
  }
  std::set<std::string> folders_, files_;
};

class TFakeStore : public IKeywordLookup {
 public:
  explicit TFakeStore(TFakePaths& paths) : paths_(paths) {}

  // A keyword at a path ("grp/name"); a group needs no command. isDir marks a
  // keyword whose command is a folder.
  void Add(const std::string& path, const std::string& command, bool group = false, bool isDir = false) {
    entries_[Key(path)] = {command, group};
    const size_t slash = sjis::FindLastChar(path, '/');
    const std::string parent = slash == sjis::npos ? "" : path.substr(0, slash);
    const std::string name = slash == sjis::npos ? path : path.substr(slash + 1);
    listing_[Key(parent)].push_back({name, group, isDir});
  }

  std::optional<std::string> Command(const std::string& path) override {
    auto it = entries_.find(Key(path));
    if (it == entries_.end()) return std::nullopt;
    return it->second.Command;
  }
  bool IsGroup(const std::string& path) override {
    auto it = entries_.find(Key(path));
    return it != entries_.end() && it->second.Group;
  }
  TStringList Names(const std::string& group, bool slash, bool backslash, bool usable) override {
    lastOptions = {slash, backslash, usable};
    TStringList out;
    auto it = listing_.find(Key(group));
    if (it == listing_.end()) return out;
    for (const TListed& e : it->second) {
      std::string n = e.Name;
      if (backslash && e.IsDir && !e.Group) n += "\\";
      if (slash && e.Group) n += "/";
      out.Add(n);
    }
    return out;
  }
  // A leading "!" only goes; a keyword head becomes its folder.
  std::string ResolvePath(const std::string& text) override {
    if (sjis::StartsWithChar(text, '!')) return text.substr(1);
    const size_t bs = sjis::FindChar(text, '\\');
    if (bs == sjis::npos) return text;
    std::optional<std::string> c = Command(text.substr(0, bs));
    if (!c) return text;
    std::string head = paths_.IsFolder(*c) ? *c : paths_.IsFile(*c) ? sjis::ExtractFilePath(*c) : text.substr(0, bs);
    if (sjis::EndsWithChar(head, '\\')) head.pop_back();
    return head + text.substr(bs);
  }

  std::vector<bool> lastOptions;

 private:
  struct TEntry {
    std::string Command;
    bool Group = false;
  };
  struct TListed {
    std::string Name;
    bool Group = false, IsDir = false;
  };
  static std::string Key(const std::string& s) { return sjis::ToLowerAscii(s); }
  TFakePaths& paths_;
  std::map<std::string, TEntry> entries_;
  std::map<std::string, std::vector<TListed>> listing_;
};

// The store most tests share: tools (a folder keyword for c:\tools), notepad
// (a program), the groups grp (abc, sub/ with deep) and 日本 (ソフト, 表示), a
// root abc; folders c:\tools, c:\Program Files, c:\Program Files\app and the
// file c:\win\notepad.exe.
struct TLookupFixture {
  TFakePaths paths;
  TFakeStore store{paths};
  TLookupFixture() {
    paths.AddFolder("c:\\tools");
    paths.AddFolder("c:\\Program Files");
    paths.AddFolder("c:\\Program Files\\app");
    paths.AddFile("c:\\win\\notepad.exe");
    store.Add("tools", "c:\\tools", false, true);
    store.Add("notepad", "c:\\win\\notepad.exe");
    store.Add("abc", "c:\\abc.exe");
    store.Add("grp", "", true);
    store.Add("grp/abc", "x");
    store.Add("grp/sub", "", true);
    store.Add("grp/sub/deep", "y");
    store.Add("日本", "", true);
    store.Add("日本/ソフト", "s");
    store.Add("日本/表示", "t");
  }
};

// The parses' tests: the fixture above, positions counted in characters as
// the edits count them.
class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldCharMode_ = CharMode();
    SetCharMode(true);
  }
  void TearDown() override { SetCharMode(oldCharMode_); }

  TLookupFixture f;

 private:
  bool oldCharMode_ = true;
};
