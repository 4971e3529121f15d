#include "core/KeyWordX.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "core/FileIO.h"
#include "tests/support/TempDir.h"

namespace {

using V = std::vector<std::string>;

// A keyword store in a fresh temp folder: Items\ below it, and the program
// folder beside it.
class KeyWordStore : public ::testing::Test {
 protected:
  TempDir td;
  std::string items = td / "Items";
  TKeyWordManager m{items, td / "Main"};

  void Put(const std::string& name, const std::string& text) { WriteTextFile(items + "\\" + name, text); }
  std::string Get(const std::string& name) { return ReadTextFile(items + "\\" + name); }
  bool Has(const std::string& name) { return fileio::FileExists(items + "\\" + name); }
  std::vector<std::string> Names(const std::string& group) { return m.GetNames(group).Items(); }
  std::unique_ptr<TKeyWordX> Find(const std::string& path) {
    auto kw = m.FindKeyWord(path);
    EXPECT_TRUE(kw) << path;
    return kw;
  }
  // A store of groups a, a/x, a/x/y and b with one command in each.
  void PutTree() {
    Put("%.vane", "a\tType=5\r\nb\tType=5\r\ncmd\tType=0\r\n");
    Put("%a.vane", "x\tType=5\r\nin_a\tType=0\r\n");
    Put("%a%x.vane", "y\tType=5\r\nin_x\tType=0\r\n");
    Put("%a%x%y.vane", "in_y\tType=0\r\n");
    Put("%b.vane", "in_b\tType=0\r\n");
  }
};

// ---------------------------------------------------------------------------
// Reading group files and looking keywords up

TEST_F(KeyWordStore, FoldersGetTrailingBackslash) {
  EXPECT_EQ(m.ItemsFolder(), items + "\\");
  EXPECT_EQ(m.MainFolder(), td / "Main\\");
  EXPECT_EQ(m.IconFolder, td / "Icons");
  EXPECT_EQ(m.ExecutableExtensions.Items(), (V{".exe", ".vbs"}));
}

TEST_F(KeyWordStore, LookupByPathIgnoresCaseAndKeepsStoredSpelling) {
  Put("%.vane", "Tools\tType=5\r\nonlyname\r\nbare\tType=0\r\n");
  Put("%Tools.vane", "Net\tType=5\r\n");
  Put("%Tools%Net.vane", "ftp\tType=0\tCommand=C:\\\\x.exe\tUseKeyword=0\r\n");

  auto ftp = Find("tools/NET/FTP");
  ASSERT_TRUE(ftp);
  EXPECT_EQ(ftp->Name, "ftp");
  EXPECT_EQ(ftp->Folder, "tools/NET");
  EXPECT_EQ(ftp->GetCommand(), "C:\\x.exe");
  EXPECT_FALSE(ftp->Data()->ValueExists("Keyword"));  // the lookup tag never stays

  EXPECT_TRUE(m.Exists("bare"));
  EXPECT_FALSE(m.Exists("onlyname"));  // a line with only a name is dropped
  EXPECT_TRUE(m.FindKeyWord("Tools/Net/"));
  EXPECT_FALSE(m.FindKeyWord("Tools/Net/ftp/"));  // a group was demanded
  EXPECT_FALSE(m.FindKeyWord("bare/ftp"));         // bare is no group
  EXPECT_FALSE(m.FindKeyWord("Tools//Net"));
  EXPECT_FALSE(m.FindKeyWord("Tools/N*t"));
  EXPECT_FALSE(m.FindKeyWord(""));
  EXPECT_FALSE(m.FindKeyWord("/"));
}

TEST_F(KeyWordStore, MissingGroupFileIsNothingAndNotCached) {
  EXPECT_EQ(m.GetFolderList("nothing"), nullptr);
  EXPECT_EQ(m.CachedGroupCount(), 0);
  EXPECT_TRUE(m.GetKeyWords("nothing").empty());
  EXPECT_TRUE(m.GetNames("nothing").Empty());
  EXPECT_FALSE(m.GetFirstKeyWord("nothing"));
}

TEST_F(KeyWordStore, AnyLineBreakAndNulInAGroupFile) {
  Put("%.vane", "a\tType=0\rb\tType=0\nc\tType=0\tComment=x" + std::string(1, '\0') + "junk\tMore=1\r\nd\tType=0");
  EXPECT_EQ(Names(""), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(Find("c")->Data()->Lines.Items(), (V{"Type=0", "Comment=x"}));
}

TEST_F(KeyWordStore, UnreadableGroupFileRaisesAndLookupSwallowsIt) {
  Put("%.vane", "a\tType=0\r\n");
  HANDLE h = CreateFileA((items + "\\%.vane").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  try {
    m.GetFolderList("");
    ADD_FAILURE() << "no error raised";
  } catch (const EKeyWordStoreError& e) {
    EXPECT_EQ(std::string(e.what()), "ファイル:" + items + "\\%.vane読み込みに失敗しました。\r\n" +
                                         "ファイルが読み取り可能かどうかチェックしてください。");
  }
  EXPECT_FALSE(m.FindKeyWord("a"));
  EXPECT_EQ(m.CachedGroupCount(), 0);
  CloseHandle(h);
  EXPECT_TRUE(m.FindKeyWord("a"));
}

// ---------------------------------------------------------------------------
// Saving

TEST_F(KeyWordStore, SaveWritesQuotedLinesAndReadsThemBack) {
  auto a = m.NewKeyWord("a", "", kTypeCommand);
  a->SetComment("say \"hi\" now");
  a->Data()->WriteString("Note", "tab\there");
  auto e = m.NewKeyWord("e", "", kTypeCommand);
  e->Data()->Lines.Clear();  // an item without data lines
  m.Save();
  EXPECT_EQ(Get("%.vane"), "e\t\r\na\tType=0\t\"Comment=say\\s\"\"hi\"\"\\snow\"\tNote=tab\\there\r\n");

  TKeyWordManager again(items, td / "Main");
  EXPECT_EQ(again.GetNames("").Items(), V{"a"});  // the name-only line is dropped on reading
  auto back = again.FindKeyWord("a");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->GetComment(), "say \"hi\" now");
  EXPECT_EQ(back->Data()->ReadString("Note", ""), "tab\there");
}

TEST_F(KeyWordStore, SaveWritesEveryCachedGroupAndCreatesTheFolder) {
  m.NewKeyWord("g", "", kTypeGroup);
  m.NewKeyWord("x", "g", kTypeCommand);
  ASSERT_FALSE(fileio::DirectoryExists(items));
  m.Save();
  EXPECT_EQ(Get("%.vane"), "g\tType=5\r\n");
  EXPECT_EQ(Get("%g.vane"), "x\tType=0\r\n");
  EXPECT_FALSE(Has("IDList.txt"));  // never loaded, never written
}

TEST_F(KeyWordStore, DoubleByteNamesMapToFiles) {
  m.NewKeyWord("ソフト", "", kTypeGroup);
  m.NewKeyWord("表", "ソフト", kTypeGroup);
  m.NewKeyWord("能力", "ソフト/表", kTypeCommand)->SetComment("説明");
  m.Save();
  EXPECT_EQ(Get("%ソフト%表.vane"), "能力\tType=0\tComment=説明\r\n");
  TKeyWordManager again(items, td / "Main");
  EXPECT_EQ(again.GetSubFolders("ソフト").Items(), V{"ソフト/表"});
  auto kw = again.FindKeyWord("ソフト/表/能力");
  ASSERT_TRUE(kw);
  EXPECT_EQ(kw->GetComment(), "説明");
}

TEST_F(KeyWordStore, FailedSaveRaisesAndKeepsWhatWasWritten) {
  Put("%.vane", "old\tType=0\r\n");
  Put("%g.vane", "kept\tType=0\r\n");
  m.NewKeyWord("new", "", kTypeCommand);
  m.NewKeyWord("y", "g", kTypeCommand);
  // The group file of g cannot be replaced while someone holds it open.
  HANDLE h = CreateFileA((items + "\\%g.vane").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_THROW(m.Save(), EKeyWordStoreError);
  CloseHandle(h);
  EXPECT_EQ(Get("%.vane"), "new\tType=0\r\nold\tType=0\r\n");
  EXPECT_EQ(Get("%g.vane"), "kept\tType=0\r\n");
}

// A renamed group's old file goes only after its new file is written.
TEST_F(KeyWordStore, FailedSaveNeverDropsARenamedGroup) {
  Put("%.vane", "g\tType=5\r\n");
  Put("%g.vane", "item\tType=0\r\n");
  Find("g")->SetName("h");
  HANDLE h = CreateFileA((items + "\\%.vane").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_THROW(m.Save(), EKeyWordStoreError);
  CloseHandle(h);
  EXPECT_EQ(Get("%g.vane"), "item\tType=0\r\n");
  m.Save();
  EXPECT_FALSE(Has("%g.vane"));
  EXPECT_EQ(Get("%h.vane"), "item\tType=0\r\n");
  EXPECT_EQ(Get("%.vane"), "h\tType=5\r\n");
}

TEST_F(KeyWordStore, RenameByCaseOnlyKeepsTheGroupFile) {
  Put("%.vane", "g\tType=5\r\n");
  Put("%g.vane", "item\tType=0\r\n");
  Find("g")->SetName("G");
  m.Save();
  EXPECT_EQ(Get("%G.vane"), "item\tType=0\r\n");
  EXPECT_EQ(Get("%.vane"), "G\tType=5\r\n");
}

// ---------------------------------------------------------------------------
// Identifiers, encoding and decoding

TEST_F(KeyWordStore, FirstIdentifierIsZeroAndIdListIsWritten) {
  Put("%.vane", "qvtool\tType=0\r\n");
  EXPECT_EQ(m.EncodeKeyWordIDs("qvtool"), "<0>");
  EXPECT_EQ(m.EncodeKeyWordIDs("QVTOOL"), "<0>");  // the same path has one identifier
  m.Save();
  EXPECT_EQ(Get("IDList.txt"), "0\r\n0=qvtool\r\n");
}

TEST_F(KeyWordStore, IdentifiersAreNeverIssuedTwice) {
  Put("%.vane", "a=b\tType=0\r\nnew\tType=0\r\n");
  Put("IDList.txt", "0\r\n5=gone\r\n");
  EXPECT_EQ(m.EncodeKeyWordIDs("new"), "<6>");    // above the largest listed, not 1
  EXPECT_EQ(m.EncodeKeyWordIDs("a=b"), "<7>");
  EXPECT_EQ(m.EncodeKeyWordIDs("a=b"), "<7>");    // a name holding "=" keeps its identifier
  EXPECT_EQ(m.IdList().Items(), (V{"5=gone", "6=new", "7=a=b"}));
  EXPECT_EQ(m.DecodeKeyWordIDs("<7>"), "a=b");
}

TEST_F(KeyWordStore, EncodeTokens) {
  Put("%.vane",
      "qvtool\tType=0\r\nsys3\tType=2\tCommandIndex=3\r\nsys9\tType=2\tCommandIndex=9\r\ngrp\tType=5\r\n");
  struct Case { const char* text; const char* stored; };
  const Case cases[] = {
      {"qvtool", "<0>"},
      {"qvtool\\bin\\x.exe", "<0>\\bin\\x.exe"},
      {"sys3\\x", "sys3\\x"},          // a system command that stands for no folder
      {"sys3", "<1>"},                 // ... is still a reference on its own
      {"sys9\\x", "<2>\\x"},
      {"grp", "<3>"},
      {"!qvtool", "qvtool"},           // "!" keeps a name from being a reference
      {"C:\\qvtool", "C:\\qvtool"},    // a head with ":" is never looked up
      {"A>B", "A>>B"},
      {"a<b", "a<<b"},
      {"qvtool  x", "<0>  x"},         // two blanks stay two blanks
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(m.EncodeKeyWordIDs(c.text), c.stored) << c.text;
}

TEST_F(KeyWordStore, EncodeKeepsAPathWithBlanksWhole) {
  std::string dir = td / "My Tools";
  ASSERT_TRUE(fileio::ForceDirectories(dir));
  WriteTextFile(dir + "\\x.exe", "");
  Put("%.vane", "Tools\tType=0\r\n");
  // Without the joined run, 'Tools\x.exe' would be read as the keyword Tools.
  EXPECT_EQ(m.EncodeKeyWordIDs(dir + "\\x.exe /p"), dir + "\\x.exe /p");
  EXPECT_EQ(m.EncodeKeyWordIDs("Tools\\x.exe"), "<0>\\x.exe");
}

TEST_F(KeyWordStore, Decode) {
  Put("IDList.txt", "3\r\n3=Tools/Net\r\n1=a=b\r\n");
  struct Case { const char* stored; const char* text; };
  const Case cases[] = {
      {"<3>\\ftp.exe", "Tools/Net\\ftp.exe"},
      {"A>>B", "A>B"},
      {"<<5>>", "<5>"},
      {"<9>", ""},       // an identifier without entry decodes to nothing
      {"x<y", "xy"},
      {"<1> <3>", "a=b Tools/Net"},
      {"<3", "3"},
      {"plain", "plain"},
  };
  for (const auto& c : cases) EXPECT_EQ(m.DecodeKeyWordIDs(c.stored), c.text) << c.stored;
}

TEST_F(KeyWordStore, RenameKeyWordIdMovesAndRemovesTheWholeTree) {
  Put("IDList.txt", "6\r\n0=a\r\n1=a/x\r\n2=A/x/y\r\n3=ab\r\n4=q=a\r\n5=b/a\r\n");
  m.RenameKeyWordID("a", "b");
  EXPECT_EQ(m.IdList().Items(), (V{"0=b", "1=b/x", "2=b/x/y", "3=ab", "4=q=a", "5=b/a"}));
  m.RenameKeyWordID("B", "");
  EXPECT_EQ(m.IdList().Items(), (V{"3=ab", "4=q=a"}));
  m.RenameKeyWordID("", "z");
  EXPECT_EQ(m.IdList().Count(), 2);
}

// ---------------------------------------------------------------------------
// Names

TEST(KeyWordNames, InvalidCharacters) {
  struct Case { const char* name; bool valid; const char* replaced; };
  const Case cases[] = {
      {"ftp", true, "ftp"},
      {"50%off", false, "50_off"},
      {"a b", false, "a_b"},
      {"a/b\\c", false, "a_b_c"},
      {"!:,;<>*?\"|", false, "__________"},
      {"ソフト", true, "ソフト"},  // a trail byte 0x5C is no backslash
      {"表示", true, "表示"},
      {"ポ", true, "ポ"},          // nor is a trail byte 0x7C a bar
      {"a=b", true, "a=b"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TKeyWordManager::FindInvalidChars(c.name).empty(), c.valid) << c.name;
    EXPECT_EQ(TKeyWordManager::ReplaceInvalidChars(c.name), c.replaced) << c.name;
  }
  EXPECT_EQ(TKeyWordManager::FindInvalidChars("a%b c"), "\r\n%");  // the last one in the list's order
}

TEST_F(KeyWordStore, IsValidPath) {
  PutTree();
  struct Case { const char* path; bool valid; };
  const Case cases[] = {
      {"new", true}, {"a/new", true}, {"a/x/new", true}, {"a/", true}, {"A/X/", true},
      {"", false}, {"/", false}, {"a//b", false}, {"cmd/new", false}, {"none/new", false},
      {"a/n w", false}, {"n%w", false},
  };
  for (const auto& c : cases) EXPECT_EQ(m.IsValidPath(c.path), c.valid) << c.path;
}

// ---------------------------------------------------------------------------
// Item values

TEST_F(KeyWordStore, ItemDefaultsAndResolvedCommands) {
  Put("%.vane",
      "sys\tType=2\r\nsys9\tType=2\tCommandIndex=9\r\nsys10\tType=2\tCommandIndex=10\r\n"
      "g\tType=5\r\ng1\tType=5\tRunMode=1\r\nplain\tType=0\tCommand=C:\\\\x.exe\tUseKeyword=0\r\n");
  Put("%g1.vane", "first\tType=0\tCommand=C:\\\\first.exe\tUseKeyword=0\r\n");
  EXPECT_EQ(Find("sys")->GetUseKeyWord(), 1);
  EXPECT_EQ(Find("g")->GetUseKeyWord(), 3);
  EXPECT_FALSE(Find("sys")->IsPathKeyWord());
  EXPECT_TRUE(Find("sys9")->IsPathKeyWord());
  EXPECT_EQ(Find("sys9")->GetCommand(), td / "Main");
  EXPECT_EQ(Find("sys10")->GetCommand(), td.path());
  EXPECT_EQ(Find("sys")->GetCommand(), "");
  EXPECT_EQ(Find("g")->GetCommand(), "\x08g");
  EXPECT_EQ(Find("g1")->GetCommand(), "C:\\first.exe");
  EXPECT_EQ(Find("plain")->GetCommand(), "C:\\x.exe");

  TKeyWordX empty(&m);
  EXPECT_EQ(empty.GetType(), 0);
  EXPECT_EQ(empty.GetCommand(), "");
  EXPECT_EQ(empty.GetUseKeyWord(), 0);
  EXPECT_FALSE(empty.IsPathKeyWord());
  EXPECT_EQ(empty.GetIndex(), -1);
}

TEST_F(KeyWordStore, CommandsResolveThroughKeywordsAndStopAtCycles) {
  std::string tools = td / "Tools";
  ASSERT_TRUE(fileio::ForceDirectories(tools + "\\bin"));
  auto t = m.NewKeyWord("qvtools", "", kTypeCommand);
  t->SetCommand(tools + "\\");
  auto x = m.NewKeyWord("qvx", "", kTypeCommand);
  x->SetCommand("qvtools\\bin\\x.exe");
  EXPECT_EQ(x->Data()->ReadString("Command", ""), "<0>\\bin\\x.exe");
  EXPECT_EQ(x->GetCommand(), tools + "\\bin\\x.exe");

  auto a = m.NewKeyWord("qva", "", kTypeCommand);
  auto b = m.NewKeyWord("qvb", "", kTypeCommand);
  a->SetCommand("qvb");
  b->SetCommand("qva");
  EXPECT_EQ(a->GetCommand(), "qva");  // the cycle ends at the guarded name
  EXPECT_TRUE(m.GuardList.Empty());
}

TEST_F(KeyWordStore, SetCommandMaintainsIsDir) {
  std::string dir = td / "folder";
  ASSERT_TRUE(fileio::ForceDirectories(dir));
  WriteTextFile(td / "file.txt", "");
  auto c = m.NewKeyWord("c", "", kTypeCommand);
  c->SetCommand(dir);
  EXPECT_EQ(c->Data()->ReadString("IsDir", ""), "1");
  EXPECT_EQ(m.GetNames("", false, true).Items(), V{"c\\"});
  c->SetCommand(td / "file.txt");
  EXPECT_FALSE(c->Data()->ValueExists("IsDir"));
  c->SetCommand(dir);
  c->SetCommand("");
  EXPECT_FALSE(c->Data()->ValueExists("IsDir"));

  auto g = m.NewKeyWord("g", "", kTypeGroup);
  g->Data()->WriteString("IsDir", "1");
  g->SetCommand(dir);
  EXPECT_FALSE(g->Data()->ValueExists("IsDir"));
}

TEST_F(KeyWordStore, SetUseKeyWordStoresValuesAgainUnderNewBits) {
  Put("%.vane", "qvtool\tType=0\tUseKeyword=0\tCommand=" + TStringIni::EscapeValue(td.path()) + "\r\n");
  auto c = m.NewKeyWord("c", "", kTypeCommand);
  c->SetUseKeyWord(0);
  c->SetCommand("qvtool\\x");
  EXPECT_EQ(c->Data()->ReadString("Command", ""), "qvtool\\x");
  EXPECT_EQ(c->GetCommand(), "qvtool\\x");
  c->SetUseKeyWord(3);
  EXPECT_EQ(c->Data()->ReadString("UseKeyword", ""), "3");
  EXPECT_EQ(c->Data()->ReadString("Command", ""), "<0>\\x");
  EXPECT_EQ(c->GetCommand(), td / "x");
  c->SetUseKeyWord(0);  // stored resolved
  EXPECT_EQ(c->Data()->ReadString("Command", ""), td / "x");
}

TEST_F(KeyWordStore, SyncIconComesFromTheFirstItem) {
  Put("%.vane", "g\tType=5\tSyncIcon=1\tIcon=own.ico\tIIndex=7\r\n");
  Put("%g.vane", "first\tType=0\tIcon=C:\\\\f.ico\tIIndex=2\tUseKeyword=0\r\n");
  auto g = Find("g");
  EXPECT_EQ(g->GetIcon(), "C:\\f.ico");
  EXPECT_EQ(g->GetIconIndex(), 2);
  g->SetIcon("C:\\n.ico");
  g->SetIconIndex(4);
  auto first = Find("g/first");
  EXPECT_EQ(first->GetIcon(), "C:\\n.ico");
  EXPECT_EQ(first->GetIconIndex(), 4);
  EXPECT_EQ(g->Data()->ReadString("Icon", ""), "own.ico");
  EXPECT_EQ(g->Data()->ReadInteger("IIndex", 0), 4);
}

TEST_F(KeyWordStore, SettersOnAViewWithoutDataMakeItsOwn) {
  TKeyWordX v(&m, "loose", "");
  v.SetComment("c");
  ASSERT_TRUE(v.Data());
  EXPECT_EQ(v.GetComment(), "c");
  EXPECT_FALSE(m.Exists("loose"));
}

// ---------------------------------------------------------------------------
// Renaming

TEST_F(KeyWordStore, RenameKeepsIndexAndIdentifiersOrMakesTheNameUnique) {
  Put("%.vane", "top\tType=0\r\nftp\tType=0\r\nMail\tType=0\r\n");
  EXPECT_EQ(m.EncodeKeyWordIDs("ftp"), "<0>");
  auto ftp = Find("ftp");
  ftp->SetName("FTP");
  EXPECT_EQ(Names(""), (V{"top", "FTP", "Mail"}));
  EXPECT_EQ(m.IdList().Items(), V{"0=FTP"});
  ftp->SetName("mail");
  EXPECT_EQ(ftp->Name, "mail(0)");
  EXPECT_EQ(Names(""), (V{"top", "mail(0)", "Mail"}));
  EXPECT_EQ(m.IdList().Items(), V{"0=mail(0)"});
}

TEST_F(KeyWordStore, RenameGroupMovesItsCachedTree) {
  PutTree();
  m.GetFolderList("a");
  m.GetFolderList("a/x");
  m.GetFolderList("a/x/y");
  Find("a")->SetName("c");
  EXPECT_TRUE(m.FindKeyWord("c/x/y/in_y"));
  EXPECT_FALSE(m.FindKeyWord("a/x"));
  m.Save();
  EXPECT_FALSE(Has("%a.vane") || Has("%a%x.vane") || Has("%a%x%y.vane"));
  EXPECT_EQ(Get("%c%x%y.vane"), "in_y\tType=0\r\n");
  EXPECT_EQ(Get("%c.vane"), "x\tType=5\r\nin_a\tType=0\r\n");
}

// Renaming a group whose files were never read must carry them along.
TEST_F(KeyWordStore, RenameGroupLoadsUncachedFilesFirst) {
  PutTree();
  auto a = Find("a");  // reads only the root file
  ASSERT_EQ(m.CachedGroupCount(), 1);
  a->SetName("c");
  m.Save();
  EXPECT_FALSE(Has("%a.vane") || Has("%a%x.vane") || Has("%a%x%y.vane"));
  EXPECT_EQ(Get("%c.vane"), "x\tType=5\r\nin_a\tType=0\r\n");
  EXPECT_EQ(Get("%c%x.vane"), "y\tType=5\r\nin_x\tType=0\r\n");
  EXPECT_EQ(Get("%c%x%y.vane"), "in_y\tType=0\r\n");

  TKeyWordManager again(items, td / "Main");
  EXPECT_TRUE(again.FindKeyWord("c/x/y/in_y"));
}

TEST_F(KeyWordStore, NewGroupInTheRootLeavesTheOtherGroupsAlone) {
  PutTree();
  m.GetFolderList("a");
  auto g = m.NewKeyWord("new", "", kTypeGroup);
  ASSERT_TRUE(g);
  EXPECT_EQ(Names(""), (V{"new", "a", "b", "cmd"}));
  EXPECT_TRUE(m.FindKeyWord("a/in_a"));
  ASSERT_TRUE(m.CachedList("new"));
  EXPECT_EQ(m.CachedList("new")->Count(), 0);
  EXPECT_TRUE(m.DeleteList().Empty());
  EXPECT_FALSE(m.NewKeyWord("bad name", "", kTypeCommand));
}

// ---------------------------------------------------------------------------
// Moving between groups

TEST_F(KeyWordStore, MoveIntoGroupMakesNameUniqueAndGoesOnTop) {
  Put("%.vane", "x\tType=0\tComment=mine\r\ng\tType=5\r\n");
  Put("%g.vane", "x\tType=0\r\nx(0)\tType=0\r\n");
  Put("IDList.txt", "0\r\n0=x\r\n");
  auto x = Find("x");
  x->SetFolder("G");
  EXPECT_EQ(x->Name, "x(1)");
  EXPECT_EQ(Names("g"), (V{"x(1)", "x", "x(0)"}));
  EXPECT_EQ(Names(""), V{"g"});
  EXPECT_EQ(x->GetComment(), "mine");
  EXPECT_EQ(m.IdList().Items(), V{"0=G/x(1)"});
}

TEST_F(KeyWordStore, MoveGroupCarriesItsTree) {
  PutTree();
  Find("a")->SetFolder("b");
  EXPECT_TRUE(m.FindKeyWord("b/a/x/y/in_y"));
  EXPECT_FALSE(m.FindKeyWord("a"));
  m.Save();
  EXPECT_FALSE(Has("%a.vane") || Has("%a%x.vane") || Has("%a%x%y.vane"));
  EXPECT_EQ(Get("%b%a%x%y.vane"), "in_y\tType=0\r\n");
  EXPECT_EQ(Get("%b.vane"), "a\tType=5\r\nin_b\tType=0\r\n");
}

TEST_F(KeyWordStore, GroupNeverMovesOrCopiesIntoItself) {
  PutTree();
  Find("a")->SetFolder("a/x");
  EXPECT_TRUE(m.FindKeyWord("a/x/y/in_y"));
  EXPECT_EQ(Find("a")->CopyTo("a/x"), nullptr);
  EXPECT_EQ(Names("a/x"), (V{"y", "in_x"}));
}

// ---------------------------------------------------------------------------
// Reordering

TEST_F(KeyWordStore, Reorder) {
  struct Case { const char* name; const char* item; int op; const char* arg; V order; };
  enum { Up, Down, Before, Index };
  const Case cases[] = {
      {"up", "c", Up, "", {"a", "c", "b", "d", "e"}},
      {"up first", "a", Up, "", {"a", "b", "c", "d", "e"}},
      {"down", "c", Down, "", {"a", "b", "d", "c", "e"}},
      {"down last", "e", Down, "", {"a", "b", "c", "d", "e"}},
      {"before top sibling", "d", Before, "a", {"a", "d", "b", "c", "e"}},
      {"before missing sibling", "d", Before, "zz", {"a", "d", "b", "c", "e"}},
      {"before a later sibling", "a", Before, "d", {"b", "c", "a", "d", "e"}},
      {"before itself", "b", Before, "b", {"a", "b", "c", "d", "e"}},
      {"before at 1 from 1", "b", Before, "a", {"a", "b", "c", "d", "e"}},
      {"index clamped low", "c", Index, "-3", {"c", "a", "b", "d", "e"}},
      {"index clamped high", "a", Index, "99", {"b", "c", "d", "e", "a"}},
  };
  for (const auto& c : cases) {
    m.ClearCache();
    Put("%.vane", "a\tType=0\r\nb\tType=0\r\nc\tType=0\r\nd\tType=0\r\ne\tType=0\r\n");
    auto kw = Find(c.item);
    switch (c.op) {
      case Up: kw->MoveUp(); break;
      case Down: kw->MoveDown(); break;
      case Before: kw->MoveBefore(c.arg); break;
      case Index: kw->SetIndex(std::stoi(c.arg)); break;
    }
    EXPECT_EQ(Names(""), c.order) << c.name;
  }
}

TEST_F(KeyWordStore, SortFolder) {
  Put("%.vane", "b\tType=0\r\nC\tType=2\r\na\tType=5\r\nd\tType=3\r\ne\tType=0\r\n");
  m.SortFolder("", 0);
  EXPECT_EQ(Names(""), (V{"a", "b", "C", "d", "e"}));
  m.SortFolder("", 1);
  EXPECT_EQ(Names(""), (V{"a", "d", "C", "b", "e"}));
  m.Save();
  EXPECT_EQ(Get("%.vane").substr(0, 8), "a\tType=5");
}

// ---------------------------------------------------------------------------
// Deleting, type changes and copies

TEST_F(KeyWordStore, DeleteLeavesTheViewWithoutData) {
  Put("%.vane", "a\tType=0\r\nb\tType=0\r\n");
  Put("IDList.txt", "0\r\n0=a\r\n");
  auto a = Find("a");
  a->Delete();
  EXPECT_EQ(a->Data(), nullptr);
  EXPECT_EQ(a->GetCommand(), "");
  a->SetComment("again");  // a setter now makes the view's own data
  EXPECT_EQ(a->GetComment(), "again");
  EXPECT_EQ(Names(""), V{"b"});
  EXPECT_TRUE(m.IdList().Empty());
}

TEST_F(KeyWordStore, DeleteGroupRemovesItsTreeAtSave) {
  PutTree();
  m.GetFolderList("a/x");
  Find("a")->Delete();
  EXPECT_FALSE(m.CachedList("a/x"));
  EXPECT_EQ(m.GetFolderList("a/x"), nullptr);  // its file, still there, no longer counts
  m.Save();
  EXPECT_FALSE(Has("%a.vane") || Has("%a%x.vane") || Has("%a%x%y.vane"));
  EXPECT_TRUE(Has("%b.vane"));
  EXPECT_EQ(Get("%.vane"), "b\tType=5\r\ncmd\tType=0\r\n");
  // A new group of the old name starts empty, not with the old file's items.
  m.NewKeyWord("a", "", kTypeGroup);
  EXPECT_TRUE(m.GetNames("a").Empty());
}

// A group that stops being one loses its cached list too, so Save deletes its
// file instead of writing it back.
TEST_F(KeyWordStore, GroupChangedToCommandLosesItsFileAtSave) {
  PutTree();
  auto a = Find("a");
  EXPECT_EQ(m.GetNames("a").Count(), 2);
  a->SetType(kTypeCommand);
  V queued = m.DeleteList().Items();
  std::sort(queued.begin(), queued.end());
  EXPECT_EQ(queued, (V{"a", "a/x", "a/x/y"}));
  m.Save();
  EXPECT_FALSE(Has("%a.vane") || Has("%a%x.vane") || Has("%a%x%y.vane"));
  EXPECT_EQ(Get("%.vane"), "a\tType=0\r\nb\tType=5\r\ncmd\tType=0\r\n");

  a->SetType(kTypeGroup);  // back to a group: an empty one
  ASSERT_TRUE(m.GetFolderList("a"));
  EXPECT_EQ(m.GetFolderList("a")->Count(), 0);
}

TEST_F(KeyWordStore, CopyGroupKeepsOrderAndData) {
  PutTree();
  Put("%a.vane", "x\tType=5\r\nin_a\tType=0\tComment=c\r\nz\tType=0\r\n");
  auto copy = Find("a")->CopyTo("b");
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->GetKeyWord(), "b/a");
  EXPECT_EQ(Names("b/a"), (V{"x", "in_a", "z"}));
  EXPECT_EQ(Find("b/a/in_a")->GetComment(), "c");
  EXPECT_TRUE(m.FindKeyWord("b/a/x/y/in_y"));
  EXPECT_TRUE(m.FindKeyWord("a/x/y/in_y"));  // the original stays

  auto again = Find("cmd")->CopyTo("");
  ASSERT_TRUE(again);
  EXPECT_EQ(again->Name, "cmd(0)");
  EXPECT_EQ(Names("").front(), "cmd(0)");
  EXPECT_EQ(Find("cmd")->CopyTo("none/deeper"), nullptr);
}

// ---------------------------------------------------------------------------
// Listings

TEST_F(KeyWordStore, NamesSubFoldersFirstAndPrevious) {
  PutTree();
  Put("%b.vane", "in_b\tType=0\tIsDir=1\r\nsys\tType=2\tCommandIndex=1\r\nsys9\tType=2\tCommandIndex=9\r\n");
  EXPECT_EQ(m.GetNames("", true).Items(), (V{"a/", "b/", "cmd"}));
  EXPECT_EQ(m.GetNames("b", false, true, true).Items(), (V{"in_b\\", "sys9"}));
  V sub = m.GetSubFolders("a").Items();
  std::sort(sub.begin(), sub.end());
  EXPECT_EQ(sub, (V{"a/x", "a/x/y"}));
  EXPECT_TRUE(m.GetSubFolders("").Empty());
  m.NewKeyWord("n", "b", kTypeGroup);
  EXPECT_EQ(m.GetSubFolders("b").Items(), V{"b/n"});  // cached only

  EXPECT_EQ(m.GetFirstKeyWord("a")->Name, "x");
  EXPECT_EQ(m.GetFirstKeyWord("")->Name, "a");
  auto inA = Find("a/in_a");
  EXPECT_EQ(m.GetPrevKeyWord(inA.get())->GetKeyWord(), "a/x");
  EXPECT_FALSE(m.GetPrevKeyWord(Find("a/x").get()));
  EXPECT_FALSE(m.GetPrevKeyWord(nullptr));
  EXPECT_EQ(m.GetKeyWords("a").size(), 2u);
}

// ---------------------------------------------------------------------------
// The icon factory's path hook

class FakeIconHook : public IIconPathHook {
 public:
  void SetOnGetPath(TIconPathHandler handler) override {
    handler_ = std::move(handler);
    ++calls_;
  }
  TIconPathHandler handler_;
  int calls_ = 0;
};

TEST(KeyWordIconHook, StoreSetsAndClearsThePathHandler) {
  FakeIconHook hook;
  {
    TKeyWordManager m("C:\\u\\Items", "C:\\q", &hook);
    ASSERT_TRUE(hook.handler_);
    std::string path = "%ICONDIR\\a.ico";
    hook.handler_(path);
    EXPECT_EQ(path, "C:\\u\\Icons\\a.ico");
    std::string other = "C:\\%Icondir\\b.ico";
    hook.handler_(other);
    EXPECT_EQ(other, "C:\\%Icondir\\b.ico");
  }
  EXPECT_FALSE(hook.handler_);
  EXPECT_EQ(hook.calls_, 2);
}

TEST(KeyWordItem, KeyWordPathAndParams) {
  TKeyWordManager m("C:\\u\\Items", "C:\\q");
  TKeyWordX v(&m, "/n", "g/");
  EXPECT_EQ(v.GetKeyWord(), "g/n");
  EXPECT_EQ(v.Folder, "g");
  TKeyWordX root(&m, "n", "/");
  EXPECT_EQ(root.GetKeyWord(), "n");
  v.AddParam("a b");
  v.AddParam("");
  ASSERT_TRUE(v.ArrayedParam);
  EXPECT_EQ(v.ArrayedParam->Items(), (V{"a b", ""}));
  EXPECT_NE(v.ToString().find("  ArrayedParam : \r\n    a b\r\n"), std::string::npos);
}

}  // namespace
