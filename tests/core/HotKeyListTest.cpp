#include "core/HotKey_List.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/FileIO.h"
#include "core/HotKey_Factory.h"
#include "core/HotKey_Loader_File.h"
#include "tests/support/TempDir.h"

namespace {

std::unique_ptr<THotKeyItem> Make(const char* name, uint8_t classId = 0, const char* text = "Ctrl+Space") {
  auto item = HotKeyFactory().CreateByClassId(classId);
  item->SetName(name);
  item->SetHotKeyText(text);
  return item;
}

std::vector<std::string> Names(const THotKeyList& list) {
  std::vector<std::string> r;
  for (int i = 0; i < list.GetCount(); ++i) r.push_back(list.GetItem(i).GetName());
  return r;
}

TEST(HotKeyFile, LinesReadAsTheFormatSays) {
  struct Case { const char* name; std::string line; const char* itemName; int mods; int key; int classId; };
  const Case cases[] = {
      {"four fields", "<12>\t2\t32\t1", "<12>", 2, 32, 1},
      {"three fields give class 0", "kw\t2\t32", "kw", 2, 32, 0},
      {"blank splits a field", "a b\t2\t32\t1", "a", 0, 2, 0},  // fields a, b, 2, 32, 1
      {"class id 257 keeps its low byte", "kw\t2\t32\t257", "kw", 2, 32, 1},
      {"class id naming no class", "kw\t2\t32\t9", "kw", 2, 32, 0},
      {"leading TAB is skipped", "\t0\t0\t0", "0", 0, 0, 0},
      {"empty line", "", "", 0, 0, 0},
      {"bad numbers", "kw\tx\ty\tz", "kw", 0, 0, 0},
      {"modifiers keep the low 4 bits", "kw\t18\t65\t0", "kw", 2, 65, 0},
      {"quoted name", "\"a b\"\t4\t65\t1", "a b", 4, 65, 1},
      {"extra fields ignored", "kw\t1\t65\t1\tmore", "kw", 1, 65, 1},
      {"command name", "*ForceExe\t2\t13\t0", "*ForceExe", 2, 13, 0},
  };
  for (const auto& c : cases) {
    auto item = THotKeyLoaderFile::LineToItem(c.line);
    EXPECT_EQ(item->GetName(), c.itemName) << c.name;
    EXPECT_EQ(item->GetModifiers(), c.mods) << c.name;
    EXPECT_EQ(item->GetKey(), c.key) << c.name;
    EXPECT_EQ(item->GetClassId(), c.classId) << c.name;
    EXPECT_FALSE(item->GetActive()) << c.name;
  }
}

TEST(HotKeyFile, ItemsWriteAsLines) {
  EXPECT_EQ(THotKeyLoaderFile::ItemToLine(*THotKeyLoaderFile::LineToItem("kw\t2\t32")), "kw\t2\t32\t0");
  EXPECT_EQ(THotKeyLoaderFile::ItemToLine(*HotKeyFactory().CreateDefault()), "\t0\t0\t0");
  EXPECT_EQ(THotKeyLoaderFile::ItemToLine(*Make("<3>", 1, "Ctrl*2")), "<3>\t2\t0\t1");
}

TEST(HotKeyFile, LoadAcceptsEveryLineBreakAndSaveWritesCrLf) {
  TempDir dir;
  for (const char* br : {"\r\n", "\n", "\r"}) {
    std::string file = dir / "ShortCut.txt";
    WriteTextFile(file, std::string("<1>\t2\t32\t1") + br + "*ForceExe\t2\t13\t0" + br + "ソ表\t4\t65\t0" + br);
    THotKeyList list;
    ASSERT_TRUE(list.LoadFromFile(file));
    EXPECT_EQ(Names(list), (std::vector<std::string>{"<1>", "*ForceExe", "ソ表"})) << int(br[0]);
    ASSERT_TRUE(list.SaveToFile(file));
    EXPECT_EQ(ReadTextFile(file), "<1>\t2\t32\t1\r\n*ForceExe\t2\t13\t0\r\nソ表\t4\t65\t0\r\n");
  }
}

TEST(HotKeyFile, MissingFileLoadsEmptyAndSaveCreatesTheFolders) {
  TempDir dir;
  THotKeyList list;
  list.Add(Make("old"));
  EXPECT_TRUE(list.LoadFromFile(dir / "none.txt"));
  EXPECT_EQ(list.GetCount(), 0);
  list.Add(Make("kw"));
  std::string file = dir / ("a" + Sep() + "b" + Sep() + "ShortCut.txt");
  ASSERT_TRUE(list.SaveToFile(file));
  EXPECT_EQ(ReadTextFile(file), "kw\t2\t32\t0\r\n");
}

TEST(HotKeyFile, FailedSaveReturnsFalseAndKeepsTheOldFile) {
  TempDir dir;
  WriteTextFile(dir / "file", "x");
  THotKeyList list;
  list.Add(Make("kw"));
  EXPECT_FALSE(list.SaveToFile(dir / ("file" + Sep() + "ShortCut.txt")));  // the folder is a file
  EXPECT_EQ(ReadTextFile(dir / "file"), "x");
  fileio::ForceDirectories(dir / "ShortCut.txt");                          // the file is a folder
  EXPECT_FALSE(list.SaveToFile(dir / "ShortCut.txt"));
  EXPECT_TRUE(fileio::DirectoryExists(dir / "ShortCut.txt"));
}

TEST(HotKeyFile, StreamsRoundTrip) {
  THotKeyList list;
  list.Add(Make("a", 1));
  list.Add(Make("b", 0, "F5"));
  std::ostringstream out;
  EXPECT_TRUE(list.SaveToStream(&out));
  EXPECT_FALSE(list.SaveToStream(nullptr));
  EXPECT_EQ(out.str(), "a\t2\t32\t1\r\nb\t0\t116\t0\r\n");
}

TEST(HotKeyList, EditingOperations) {
  THotKeyList list;
  list.Add(Make("a"));
  list.Add(Make("b"));
  list.Insert(1, Make("c"));
  list.Insert(99, Make("d"));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "c", "b", "d"}));
  EXPECT_EQ(list.MoveUp(0), 0);
  EXPECT_EQ(list.MoveUp(4), 4);
  EXPECT_EQ(list.MoveDown(3), 3);
  EXPECT_EQ(list.MoveDown(-1), -1);
  EXPECT_EQ(list.MoveUp(2), 1);
  EXPECT_EQ(list.MoveDown(2), 3);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "d", "c"}));
  EXPECT_FALSE(list.Delete(4));
  EXPECT_FALSE(list.Delete(-1));
  EXPECT_TRUE(list.Delete(0));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"b", "d", "c"}));
  EXPECT_EQ(list.FindByName("D"), &list.GetItem(1));
  EXPECT_EQ(list.FindByName("x"), nullptr);
  EXPECT_EQ(list.GetHotKeyText("x"), "なし");
  EXPECT_EQ(list.GetHotKeyText("b"), "Ctrl+Space");
}

TEST(HotKeyList, PutItemHandsTheOldEntryBack) {
  THotKeyList list;
  list.Add(Make("a"));
  int reported = 0;
  list.OnHotKey = [&](THotKeyItem&, const std::string&, uint8_t) { ++reported; };
  auto old = list.PutItem(0, Make("b"));
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->GetName(), "a");
  EXPECT_EQ(Names(list), std::vector<std::string>{"b"});
  list.GetItem(0).DoHotKey();
  EXPECT_EQ(reported, 1);
  auto back = list.PutItem(1, Make("c"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetName(), "c");
  EXPECT_EQ(list.GetCount(), 1);
}

TEST(HotKeyList, SetItemReplacesInPlaceOrPutsFirst) {
  THotKeyList list;
  list.Add(Make("a"));
  list.Add(Make("KW"));
  list.SetItem("kw", Make("ignored", 1, "F5"));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "kw"}));
  EXPECT_EQ(list.GetItem(1).GetHotKeyText(), "F5");
  list.SetItem("new", Make("x"));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"new", "a", "kw"}));
  list.SetItem("n", nullptr);
  EXPECT_EQ(list.GetCount(), 3);
}

TEST(HotKeyList, SetItemWithAnEntryOfTheListKeepsIt) {
  THotKeyList list;
  list.Add(Make("a"));
  list.Add(Make("b"));
  THotKeyItem* b = &list.GetItem(1);
  list.SetItem("B", std::unique_ptr<THotKeyItem>(b));  // the same object: not freed
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "B"}));
  list.SetItem("a", std::unique_ptr<THotKeyItem>(b));  // renamed onto an earlier entry: that one goes
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a"}));
  EXPECT_EQ(&list.GetItem(0), b);
}

TEST(HotKeyList, SetHotKeyTextCreatesALocalItemFirst) {
  THotKeyList list;
  list.Add(Make("a"));
  list.SetHotKeyText("kw", "Alt+F4");
  EXPECT_EQ(Names(list), (std::vector<std::string>{"kw", "a"}));
  EXPECT_EQ(list.GetItem(0).GetClassId(), 0);
  EXPECT_EQ(list.GetHotKeyText("KW"), "Alt+F4");
  list.SetHotKeyText("a", "Ctrl*2");
  EXPECT_EQ(list.GetHotKeyText("a"), "Ctrl*2");
}

TEST(HotKeyList, EveryItemReportsThroughTheList) {
  THotKeyList list;
  std::vector<std::string> got;
  list.OnHotKey = [&](THotKeyItem&, const std::string& name, uint8_t classId) { got.push_back(name + std::to_string(classId)); };
  auto item = Make("a", 1);
  item->OnHotKey = [](THotKeyItem&, const std::string&, uint8_t) { FAIL(); };
  list.Add(std::move(item));
  list.SetHotKeyText("b", "F5");
  list.GetItem(0).DoHotKey();
  list.GetItem(1).DoHotKey();
  EXPECT_EQ(got, (std::vector<std::string>{"b0", "a1"}));
}

TEST(HotKeyList, HandlerMayReloadTheList) {
  THotKeyList list;
  list.Add(Make("a"));
  int calls = 0;
  list.OnHotKey = [&](THotKeyItem&, const std::string& name, uint8_t) {
    ++calls;
    list.Clear();  // frees the reporting item
    EXPECT_EQ(name, "a");
  };
  list.GetItem(0).DoHotKey();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
