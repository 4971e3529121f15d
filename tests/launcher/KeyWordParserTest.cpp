#include "launcher/KeyWordEdit.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/Sjis.h"
#include "core/StringIni.h"
#include "core/StringUtils.h"
#include "launcher/Priority_Manager.h"
#include "tests/launcher/PriorityFixture.h"

namespace {

using V = std::vector<std::string>;
using KS = TCaretSources::TKeywordSource;
using OS = TCaretSources::TOthers;

// A store and a folder tree: tree\a.txt, tree\sub dir\x.exe and
// tree\表示\ソフト.txt (both 表 and ソ end in the byte of "\").
class KeyWordParser : public PriorityStore {
 protected:
  std::string tree = td / "tree";
  TKeyWordParser p;
  char oldDir[MAX_PATH] = {};

  static std::string Cmd(const std::string& command) { return "Command=" + TStringIni::EscapeValue(command); }

  KeyWordParser() {
    CreateDirectoryA(tree.c_str(), nullptr);
    CreateDirectoryA((tree + "\\sub dir").c_str(), nullptr);
    CreateDirectoryA((tree + "\\表示").c_str(), nullptr);
    WriteTextFile(tree + "\\a.txt", "a");
    WriteTextFile(tree + "\\sub dir\\x.exe", "x");
    WriteTextFile(tree + "\\表示\\ソフト.txt", "s");
    Put("%.vane", Row("k", "Type=0\tParam=-x\t" + Cmd("C:\\k.exe") + "\tUseKeyword=2") +
                      Row("lit", "Type=0\t" + Cmd("C:\\lit.exe") + "\tUseKeyword=0") +
                      Row("tools", "Type=0\t" + Cmd(tree + "\\") + "\tUseKeyword=0\tIsDir=1") +
                      Row("表", "Type=0\t" + Cmd(tree + "\\表示") + "\tUseKeyword=0\tIsDir=1") +
                      Row("grp", "Type=5"));
    Put("%grp.vane", Row("abc", "Type=0\t" + Cmd("C:\\abc.exe") + "\tUseKeyword=0") + Row("abd"));
    GetCurrentDirectoryA(MAX_PATH, oldDir);
    SetCurrentDirectoryA(tree.c_str());
    p.SetKeywordManager(&m);
  }
  ~KeyWordParser() override { SetCurrentDirectoryA(oldDir); }

  static V Params(const TKeyWordX* kw) { return kw && kw->ArrayedParam ? kw->ArrayedParam->Items() : V{}; }
};

TEST_F(KeyWordParser, TypedLines) {
  struct Case {
    std::string text;
    std::string keyword;  // full path, or the command of a temporary item; empty: nothing
    bool temp;
    V params;
    V found;
  } cases[] = {
      {"k", "k", false, {"-x"}, {"k"}},
      {"k file", "k", false, {"-x", "file"}, {"k"}},
      {"k grp/abc", "k", false, {"-x", "C:\\abc.exe"}, {"k", "grp/abc"}},
      {"k !grp/abc", "k", false, {"-x", "grp/abc"}, {"k"}},
      {"k !!grp/abc", "k", false, {"-x", "!grp/abc"}, {"k"}},
      {"k 表", "k", false, {"-x", tree + "\\表示"}, {"k", "表"}},
      {"k \"a b\" c", "k", false, {"-x", "\"a b\"", "c"}, {"k"}},
      {"k a.txt", "k", false, {"-x", tree + "\\a.txt"}, {"k"}},
      {"k sub dir\\x.exe", "k", false, {"-x", tree + "\\sub dir\\x.exe"}, {"k"}},
      {"k 表示\\ソフト.txt", "k", false, {"-x", tree + "\\表示\\ソフト.txt"}, {"k"}},
      {"k sub dir\\none.exe", "k", false, {"-x", ".\\sub dir\\none.exe"}, {"k"}},
      {"k sub", "k", false, {"-x", "sub"}, {"k"}},
      {"grp/", "grp", false, {}, {"grp"}},
      {"lit grp/abc", "lit", false, {"grp/abc"}, {"lit"}},
      {"lit !grp/abc", "lit", false, {"C:\\abc.exe"}, {"lit", "grp/abc"}},
      {"grp/abc x y", "grp/abc", false, {"x", "y"}, {"grp/abc"}},
      {"tools\\", "tools", false, {}, {"tools"}},
      {"tools\\a.txt", tree + "\\a.txt", true, {}, {"tools"}},
      {"表\\ソフト.txt", tree + "\\表示\\ソフト.txt", true, {}, {"表"}},
      {tree + "\\sub dir\\x.exe", tree + "\\sub dir\\x.exe", true, {}, {}},
      {"sub dir\\x.exe", tree + "\\sub dir\\x.exe", true, {}, {}},
      {"http://example.com/a b", "http://example.com/a b", true, {}, {}},
      {"MAILTO:a@b", "MAILTO:a@b", true, {}, {}},
      {"nosuch", "", false, {}, {}},
      {"nosuch grp/abc", "", false, {}, {}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TKeyWordX> kw = p.Parse(c.text);
    if (c.keyword.empty()) {
      EXPECT_FALSE(kw) << c.text;
      continue;
    }
    ASSERT_TRUE(kw) << c.text;
    if (c.temp) {
      EXPECT_EQ(kw->GetType(), kTypeTemp) << c.text;
      EXPECT_TRUE(sjis::EqualsIgnoreCase(kw->GetCommand(), c.keyword)) << c.text << ": " << kw->GetCommand();
    } else {
      EXPECT_EQ(kw->GetKeyWord(), c.keyword) << c.text;
    }
    EXPECT_EQ(Params(kw.get()), c.params) << c.text;
    EXPECT_EQ(p.FoundKeywords.Items(), c.found) << c.text;
  }
}

TEST_F(KeyWordParser, ProgramOnTheSearchPathBecomesTemporaryItem) {
  std::unique_ptr<TKeyWordX> kw = p.Parse("notepad");
  ASSERT_TRUE(kw);
  EXPECT_EQ(kw->GetType(), kTypeTemp);
  EXPECT_TRUE(sjis::EndsWithIgnoreCase(kw->GetCommand(), "\\notepad.exe")) << kw->GetCommand();
  // As a parameter it gives the program's path.
  kw = p.Parse("k notepad");
  ASSERT_TRUE(kw);
  ASSERT_EQ(Params(kw.get()).size(), 2u);
  EXPECT_TRUE(sjis::EndsWithIgnoreCase(Params(kw.get())[1], "\\notepad.exe"));
}

TEST_F(KeyWordParser, GivenItemGetsTheTokensAsParameters) {
  std::unique_ptr<TKeyWordX> k = m.FindKeyWord("k");
  // The model's call with placeholders substituted: inside stored parameters.
  EXPECT_EQ(p.ParseByKeyword(k.get(), "grp/abc b", true), k.get());
  EXPECT_EQ(Params(k.get()), (V{"grp/abc", "b"}));  // UseKeyword has no bit 4
  std::unique_ptr<TKeyWordX> lit = m.FindKeyWord("lit");
  EXPECT_EQ(p.ParseByKeyword(lit.get(), "a", false), lit.get());
  EXPECT_EQ(Params(lit.get()), (V{"a"}));
  EXPECT_EQ(p.Current(), nullptr);
  // Without an item the parser keeps the result.
  TKeyWordX* own = p.ParseByKeyword(nullptr, "grp/abd", false);
  ASSERT_TRUE(own);
  EXPECT_EQ(own, p.Current());
  EXPECT_EQ(own->GetKeyWord(), "grp/abd");
}

TEST_F(KeyWordParser, NoStoreNoResult) {
  TKeyWordParser none;
  EXPECT_EQ(none.Parse("k"), nullptr);
  EXPECT_EQ(none.ParseByKeyword(nullptr, "k", false), nullptr);
}

TEST_F(KeyWordParser, SourcesForTheTokenAtTheCaret) {
  struct Case {
    std::string text;
    int caret;  // -1: the end
    std::string modeKey;
    int kind;
    KS keywords;
    V names;
    OS others;
    int wordStart;
    std::string word;
    std::string folder;
  } cases[] = {
      {"", -1, "", 2, KS::GroupNames, {"k", "lit", "tools", "表", "grp/"}, OS::Filled, 0, "", ""},
      {"gr", -1, "", 2, KS::GroupNames, {"k", "lit", "tools", "表", "grp/"}, OS::Filled, 0, "gr", ""},
      {"grp/", -1, "grp", 2, KS::GroupNames, {"abc", "abd"}, OS::Emptied, 4, "", ""},
      {"grp/ab", -1, "grp", 2, KS::GroupNames, {"abc", "abd"}, OS::Emptied, 4, "ab", ""},
      {"grp/ab x", 3, "grp", 2, KS::GroupNames, {"abc", "abd"}, OS::Emptied, 0, "grp", ""},
      {"k ", -1, "%", 2, KS::GroupNames, {"k", "lit", "tools\\", "表\\", "grp/"}, OS::Filled, 2, "", ""},
      {"k !gr", -1, "/", 2, KS::Empty, {}, OS::Emptied, 3, "gr", ""},
      {"lit !gr", -1, "%", 2, KS::GroupNames, {"k", "lit", "tools\\", "表\\", "grp/"}, OS::Filled, 5, "gr", ""},
      {"k grp/a", -1, "%grp", 2, KS::GroupNames, {"abc", "abd"}, OS::Emptied, 6, "a", ""},
      {"lit x", -1, "/", 2, KS::Empty, {}, OS::Emptied, 4, "x", ""},
      {tree + "\\su", -1, "\\", 0, KS::Removed, {}, OS::Emptied, CharLength(tree) + 1, "su", tree + "\\"},
      {"表\\ソ", -1, "\\", 0, KS::Removed, {}, OS::Emptied, CharLength("表\\"), "ソ", "表\\"},
      {"http://ex", -1, ":", 2, KS::Unchanged, {}, OS::UserList, 0, "http://ex", ""},
  };
  for (const Case& c : cases) {
    p.SetKeywordManager(&m);  // a fresh mode key
    p.Typing = true;
    p.CaretPos = c.caret < 0 ? CharLength(c.text) : c.caret;
    p.Parse(c.text);
    const TCaretSources& s = p.Sources;
    ASSERT_TRUE(s.Set) << c.text;
    EXPECT_EQ(s.ModeKey, c.modeKey) << c.text;
    EXPECT_EQ(p.ModeKey, c.modeKey) << c.text;
    EXPECT_EQ(s.Kind, c.kind) << c.text;
    EXPECT_EQ(s.Keywords, c.keywords) << c.text;
    EXPECT_EQ(s.Names.Items(), c.names) << c.text;
    EXPECT_EQ(s.Others, c.others) << c.text;
    EXPECT_EQ(s.WordStart, c.wordStart) << c.text;
    EXPECT_EQ(s.Word, c.word) << c.text;
    EXPECT_EQ(s.Folder, c.folder) << c.text;
  }
}

TEST_F(KeyWordParser, SameModeKeyKeepsTheKeywordSource) {
  p.Typing = true;
  p.CaretPos = 5;
  p.Parse("grp/a");
  EXPECT_EQ(p.Sources.Keywords, KS::GroupNames);
  p.CaretPos = 6;
  p.Parse("grp/ab");
  EXPECT_EQ(p.Sources.Keywords, KS::Unchanged);
  EXPECT_EQ(p.Sources.Word, "ab");
  EXPECT_EQ(p.TypedText, "grp/ab");
}

TEST_F(KeyWordParser, WildcardTokenOffersItsMatches) {
  p.Typing = true;
  const std::string text = "k " + tree + "\\*.txt";
  p.CaretPos = CharLength(text);
  std::unique_ptr<TKeyWordX> kw = p.Parse(text);
  EXPECT_EQ(p.Sources.Keywords, KS::Wildcard);
  EXPECT_EQ(p.Sources.Kind, 3);
  EXPECT_EQ(p.Sources.Word, "");
  ASSERT_EQ(p.Sources.Names.Count(), 1);
  EXPECT_TRUE(sjis::EqualsIgnoreCase(p.Sources.Names[0], tree + "\\a.txt")) << p.Sources.Names[0];
}

TEST_F(KeyWordParser, OutsideTypingTheCaretTokenIsTheCompletedKeyword) {
  p.CaretPos = 9;
  p.Parse("k grp/abc");
  EXPECT_FALSE(p.Sources.Set);
  EXPECT_EQ(p.CompletedKeyword, "grp/abc");
}

}  // namespace

namespace {

class ParserPriority : public KeyWordParser {
 protected:
  TPriorityManager pm{&m};
  ParserPriority() {
    Put("%.vane", Row("x") + Row("k", "Type=0\tParam=-x") + Row("表") + Row("grp", "Type=5\tUpPriority=1"));
    Put("%grp.vane", Row("abd") + Row("abc", "Type=0\tUseKeyword=0"));
    m.ClearCache();
  }
};

TEST_F(ParserPriority, UpPriorityRaisesEveryKeywordOfTheLine) {
  p.Parse("k grp/abc");
  ASSERT_EQ(p.FoundKeywords.Items(), (V{"k", "grp/abc"}));
  p.UpPriority(pm, 1);
  EXPECT_EQ(Names(""), (V{"k", "x", "grp", "表"}));  // grp/abc's folder item rose first
  EXPECT_EQ(Names("grp"), (V{"abc", "abd"}));
  EXPECT_TRUE(pm.ByCount);
}

TEST_F(ParserPriority, UpPriorityByPerUsesPercentages) {
  p.Parse("grp/abc");
  p.UpPriorityByPer(pm, 50);  // half of 2 items, half of 4 items
  EXPECT_FALSE(pm.ByCount);
  EXPECT_EQ(Names("grp"), (V{"abc", "abd"}));
  EXPECT_EQ(Names(""), (V{"x", "grp", "k", "表"}));
}

TEST_F(ParserPriority, DoCompleteHandsTheKeywordToTheManager) {
  pm.EnablePriorityBlock = true;
  struct Case {
    std::string completed, typed, path;
  } cases[] = {
      {"grp/abc", "grp/a", "grp/abc"},
      {"k\\", "K", "k"},    // one trailing backslash is cut
      {"表", "hyo", "表"},  // its last byte is no backslash
  };
  for (const Case& c : cases) {
    p.CompletedKeyword = c.completed;
    p.TypedText = c.typed;
    p.DoComplete(pm);
    EXPECT_EQ(Find(c.path)->Data()->ReadString("ComplementedWord", ""), c.typed) << c.completed;
  }
}

TEST_F(ParserPriority, HistoryLeavesOutRootKeywordsUnlessSimple) {
  struct Case {
    std::string line;
    bool simple, wanted;
  } cases[] = {
      {"k", false, false},     {"K", false, false},     {"grp/abc", false, true},
      {"k file", false, true}, {"nosuch", false, true}, {"k", true, true},
  };
  for (const Case& c : cases) EXPECT_EQ(p.WantsHistoryLine(c.line, c.simple), c.wanted) << c.line << " " << c.simple;
}

}  // namespace
