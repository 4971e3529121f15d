// The plain path helpers: the cached path-kind test, the current-folder, drive,
// network and wildcard listings, and the editor's older %NAME% expansion.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "core/ExpandEnvStrings.h"
#include "core/FileList.h"
#include "core/FileUtils.h"
#include "core/File_Lists.h"
#include "core/Sjis.h"
#include "tests/core/PathFixture.h"

namespace {

using V = std::vector<std::string>;

V Lines(const std::string& text) { return sjis::SplitLines(text); }

class DisplayNames {
 public:
  explicit DisplayNames(std::map<std::string, std::string> names) {
    old_ = SetDriveDisplayNameSource([names](const std::string& root) {
      auto it = names.find(root);
      return it == names.end() ? std::string("ローカル ディスク") : it->second;
    });
  }
  ~DisplayNames() { SetDriveDisplayNameSource(old_); }

 private:
  TDriveDisplayNameSource old_;
};

class CheckPathKindTest : public PathTest {};

TEST_F(CheckPathKindTest, AcceptsByKind) {
  struct Case { std::string path; bool file, dir, wild, result; };
  const Case cases[] = {
      {"", true, true, true, false},
      {root + "\\file.txt", true, false, false, true},
      {root + "\\file.txt", false, true, true, false},
      {root + "\\sub", false, true, false, true},
      {root + "\\sub\\", false, true, false, true},
      {root + "\\表", false, true, false, true},
      {root + "\\ソ.txt", true, false, false, true},
      {root + "\\*.ini", true, false, true, true},
      {root + "\\*.txt", false, true, true, false},
      {root + "\\s*", false, true, true, true},
      {root + "\\s*", true, false, true, false},
      {root + "\\nothing", true, true, true, false},
      {"*.txt", true, true, true, false},
      {"nul", true, true, true, false},
      {"LPT3\\", true, true, true, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckPathKind(c.path, c.file, c.dir, c.wild), c.result) << c.path << " " << c.file << c.dir << c.wild;
}

TEST_F(CheckPathKindTest, TrailingBackslashFileIsNoFileAndCachedApart) {
  const std::string file = root + "\\file.txt";
  EXPECT_FALSE(CheckPathKind(file + "\\", true, true, true));
  EXPECT_TRUE(CheckPathKind(file, true, false, false));
  DeleteFileA(file.c_str());
  EXPECT_TRUE(PathExists(file));          // the cached answer until deactivation
  EXPECT_FALSE(PathExists(file + "\\"));  // and its own one for the other spelling
  app::RaiseDeactivated();
  EXPECT_FALSE(PathExists(file));
}

std::vector<TNetResourceEntry> Network(const std::string& remote) {
  if (remote.empty()) return {{"WORKGROUP", true}};
  if (remote == "WORKGROUP") return {{"\\\\PC1", true}, {"\\\\PC2", true}};
  if (remote == "\\\\PC1") return {{"\\\\PC1\\share", false}};
  return {};
}

TEST_F(CheckPathKindTest, ComputerNamesAreAskedOnlyForFolders) {
  V asked;
  TNetEnumerator old = SetNetEnumerator([&](const std::string& r) { asked.push_back(r); return Network(r); });
  EXPECT_FALSE(CheckPathKind("\\\\PC1", true, false, false));
  EXPECT_TRUE(asked.empty());
  app::RaiseDeactivated();
  EXPECT_TRUE(CheckPathKind("\\\\pc2", false, true, false));
  EXPECT_FALSE(CheckPathKind("\\\\PC3", false, true, false));
  SetNetEnumerator(old);
}

class ListingTest : public PathTest {};

TEST_F(ListingTest, CurrentFolderListsFoldersWithMarksThenFiles) {
  ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
  const std::string text = ListCurrentDir();
  EXPECT_FALSE(sjis::EndsWithChar(text, '\n'));
  V lines = Lines(text);
  ASSERT_EQ(lines.size(), 7u) << text;
  EXPECT_EQ(lines[0], ".\\");
  EXPECT_EQ(lines[1], "..\\");
  V folders(lines.begin() + 2, lines.begin() + 4), files(lines.begin() + 4, lines.end());
  std::sort(folders.begin(), folders.end());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(folders, (V{"sub\\", "表\\"}));
  EXPECT_EQ(files, (V{"file.txt", "notes.ini", "ソ.txt"}));
}

TEST_F(ListingTest, DrivesAreRootsOnePerLine) {
  const std::string text = ListDrives(true);
  EXPECT_FALSE(sjis::EndsWithChar(text, '\n'));
  V lines = Lines(text);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "C:\\"), lines.end()) << text;
  for (const std::string& d : lines) EXPECT_TRUE(d.size() == 3 && d[1] == ':' && d[2] == '\\') << d;
  // Wine's drives carry no floppy marker in their shell names.
  EXPECT_EQ(ListDrives(false), text);
  EXPECT_FALSE(IsFloppyDrive("C:\\"));
  EXPECT_FALSE(ShellDriveDisplayName("C:\\").empty());
}

TEST_F(ListingTest, FloppyDrivesAreLeftOutUnlessAskedFor) {
  DisplayNames names(std::map<std::string, std::string>{{"C:\\", "3.5 インチ FD (C:)"}});
  EXPECT_TRUE(IsFloppyDrive("C:\\"));
  EXPECT_TRUE(IsFloppyDrive("C:\\any\\path"));
  EXPECT_FALSE(IsFloppyDrive("\\\\server\\share"));
  EXPECT_FALSE(IsFloppyDrive("Z:"));
  V without = Lines(ListDrives(false)), with = Lines(ListDrives(true));
  EXPECT_EQ(std::find(without.begin(), without.end(), "C:\\"), without.end());
  EXPECT_NE(std::find(with.begin(), with.end(), "C:\\"), with.end());
  EXPECT_EQ(with.size(), without.size() + 1);
}

TEST_F(ListingTest, NetListsAllComputersAndCachesEachListing) {
  V asked;
  TNetEnumerator old = SetNetEnumerator([&](const std::string& r) { asked.push_back(r); return Network(r); });
  EXPECT_EQ(GetNetList("\\\\")->Items(), (V{"PC1\\", "PC2\\"}));
  EXPECT_EQ(GetNetList("\\\\")->Items(), (V{"PC1\\", "PC2\\"}));
  auto shares = GetNetList("\\\\PC1\\");
  shares->Add("the caller's own line");
  EXPECT_EQ(GetNetList("\\\\PC1\\")->Items(), (V{"share"}));
  EXPECT_EQ(asked, (V{"", "WORKGROUP", "\\\\PC1"}));
  app::RaiseDeactivated();
  GetNetList("WORKGROUP");
  EXPECT_EQ(asked.size(), 4u);
  SetNetEnumerator(old);
}

TEST_F(ListingTest, WildPathListsFoldersFirstWithoutMarks) {
  auto names = ListWildPath(root + "\\*", true);
  ASSERT_TRUE(names);
  ASSERT_EQ(names->Count(), 5);
  V folders(names->Items().begin(), names->Items().begin() + 2);
  std::sort(folders.begin(), folders.end());
  EXPECT_EQ(folders, (V{"sub", "表"}));
  auto full = ListWildPath(root + "\\*.ini", false);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->Items(), (V{root + "\\notes.ini"}));
  EXPECT_FALSE(ListWildPath(root + "\\notes.ini", true));
  EXPECT_FALSE(ListWildPath(root + "\\*.zzz", true));
}

TEST(ExpandEnvStringsText, NamesAndPercentSigns) {
  char win[MAX_PATH], sys[MAX_PATH];
  GetWindowsDirectoryA(win, MAX_PATH);
  GetSystemDirectoryA(sys, MAX_PATH);
  struct Case { std::string text, expanded; };
  const Case cases[] = {
      {"100%%", "100%"},
      {"a%nosuch%b", "a%nosuch%b"},
      {"x%y", "x%y"},
      {"%", "%"},
      {"%windir%\\notepad.exe", std::string(win) + "\\notepad.exe"},
      {"%WinDir%", win},
      {"%system%", sys},
      {"%%windir%%", "%windir%"},
      {"ソ%windir%表", "ソ" + std::string(win) + "表"},
      {"%x%%y%", "%x%y%"},  // "%%" pairs are taken first
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandEnvStringsText(c.text), c.expanded) << c.text;
}

TEST(ExpandEnvStringsText, SpecialFoldersHaveNoTrailingBackslash) {
  for (const char* name : {"%DESKTOP%", "%programs%", "%SendTo%"}) {
    const std::string path = ExpandEnvStringsText(name);
    EXPECT_NE(path, name);
    EXPECT_EQ(path.find('%'), std::string::npos) << path;
    EXPECT_FALSE(sjis::EndsWithChar(path, '\\')) << path;
    EXPECT_TRUE(fileio::DirectoryExists(path)) << path;
  }
}

}  // namespace
