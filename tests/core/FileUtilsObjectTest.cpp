// The object-style path services: path kinds, absolute paths, program search,
// wildcard and network listings, their caches and replaceable singletons.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "core/Cached_File_Lists.h"
#include "core/Cached_File_Utils.h"
#include "core/File_Lists.h"
#include "core/File_Utils.h"
#include "core/Sjis.h"
#include "tests/core/PathFixture.h"

namespace {

using V = std::vector<std::string>;

// A small network: two workgroups, three computers, shares of PC1.
std::vector<TNetResourceEntry> FakeNetwork(const std::string& remote) {
  static const std::map<std::string, std::vector<TNetResourceEntry>> net = {
      {"", {{"WORKGROUP", true}, {"OFFICE", true}}},
      {"WORKGROUP", {{"\\\\PC1", true}, {"\\\\PC2", true}}},
      {"OFFICE", {{"\\\\表PC", true}}},
      {"\\\\PC1", {{"\\\\PC1\\share", false}, {"\\\\PC1\\printer", false}, {"\\\\PC1\\box", true}}},
  };
  auto it = net.find(remote);
  return it == net.end() ? std::vector<TNetResourceEntry>{} : it->second;
}

// Installs an enumerator for one test and records what it was asked.
class FakeNet {
 public:
  explicit FakeNet(TNetEnumerator e = FakeNetwork) {
    old_ = SetNetEnumerator([this, e](const std::string& remote) {
      asked.push_back(remote);
      return e(remote);
    });
  }
  ~FakeNet() { SetNetEnumerator(old_); }
  V asked;

 private:
  TNetEnumerator old_;
};

class FlavourScope {
 public:
  explicit FlavourScope(TPathFlavour f) : old_(PathFlavour()) { SetPathFlavour(f); }
  ~FlavourScope() { SetPathFlavour(old_); }

 private:
  TPathFlavour old_;
};

class FileUtilsKinds : public PathTest {};

TEST_F(FileUtilsKinds, KindsOfTypedPaths) {
  struct Case { std::string path; bool wild; int kind; };
  const Case cases[] = {
      {"", true, pkNone},
      {root + "\\file.txt", false, pkFile},
      {root + "\\file.txt\\", true, pkNone},  // a file written as a folder
      {root + "\\sub", false, pkDirectory},
      {root + "\\sub\\", false, pkDirectory},
      {root + "\\表", false, pkDirectory},  // its trail byte is no trailing backslash
      {root + "\\表\\", false, pkDirectory},
      {root + "\\ソ.txt", false, pkFile},
      {root + "\\nothing", true, pkNone},
      {root + "\\*.ini", true, pkWildFile},
      {root + "\\*.ini", false, pkNone},
      {root + "\\s*", true, pkWildFolder},
      {root + "\\nothing\\*.txt", true, pkNone},
      {"*.txt", true, pkNone},  // a bare wildcard is no path
      {"表*", true, pkNone},
      {"con", false, pkNone},
      {"CON\\", false, pkNone},
      {"LPT1", false, pkNone},
      {"Clock$", false, pkNone},
      {"C:\\windows\\", false, pkDirectory},
      {"C:\\", false, pkDirectory},
  };
  TFileUtils utils;
  for (const Case& c : cases) EXPECT_EQ(utils.GetPathKind(c.path, c.wild), c.kind) << c.path << " wild=" << c.wild;
  EXPECT_FALSE(TFileUtils::IsReservedName("C:\\con"));
  EXPECT_TRUE(TFileUtils::IsReservedName("ms$kanji"));
}

TEST_F(FileUtilsKinds, IsPathKindAcceptsByKind) {
  TFileUtils u;
  const std::string file = root + "\\file.txt", folder = root + "\\sub", wildFile = root + "\\*.ini",
                    wildFolder = root + "\\s*";
  EXPECT_TRUE(u.IsFile(file));
  EXPECT_FALSE(u.IsDirectory(file));
  EXPECT_TRUE(u.IsDirectory(folder));
  EXPECT_FALSE(u.IsFile(folder));
  EXPECT_TRUE(u.Exists(file));
  EXPECT_TRUE(u.Exists(folder));
  EXPECT_FALSE(u.Exists(wildFile));
  EXPECT_TRUE(u.ExistsWild(wildFile));
  EXPECT_TRUE(u.ExistsWild(wildFolder));
  EXPECT_FALSE(u.IsPathKind(wildFolder, true, true, false));  // a folder match needs acceptDir
  EXPECT_FALSE(u.IsPathKind(wildFile, false, true, true));    // a file match needs acceptFile
}

TEST_F(FileUtilsKinds, CachedKindIgnoresWildFlagUntilDeactivation) {
  TCachedFileUtils u;
  const std::string pattern = root + "\\*.ini";
  EXPECT_EQ(u.GetPathKind(pattern, false), pkNone);
  EXPECT_EQ(u.GetPathKind(pattern, true), pkNone);  // the first answer stands
  app::RaiseDeactivated();
  EXPECT_EQ(u.GetPathKind(pattern, true), pkWildFile);
  WriteTextFile(root + "\\later.txt", "x");
  EXPECT_EQ(u.GetPathKind(root + "\\later.txt", false), pkFile);
  DeleteFileA((root + "\\later.txt").c_str());
  EXPECT_EQ(u.GetPathKind(root + "\\later.txt", false), pkFile);  // still the cached answer
}

TEST_F(FileUtilsKinds, BareComputerNamesAskTheNetworkInTheEditor) {
  FakeNet net;
  FlavourScope editor(TPathFlavour::Editor);
  TFileUtils u;
  EXPECT_EQ(u.GetPathKind("\\\\pc1", false), pkDirectory);
  EXPECT_EQ(u.GetPathKind("\\\\PC1\\", false), pkDirectory);
  EXPECT_EQ(u.GetPathKind("\\\\表PC", false), pkDirectory);
  EXPECT_EQ(u.GetPathKind("\\\\PC9", false), pkNone);
  EXPECT_EQ(u.GetPathKind("\\\\PC9\\", false), pkNone);
}

TEST_F(FileUtilsKinds, LauncherTakesAComputerNameWithBackslashAsFolder) {
  FakeNet net;
  FlavourScope launcher(TPathFlavour::Launcher);
  TFileUtils u;
  EXPECT_EQ(u.GetPathKind("\\\\PC9\\", false), pkDirectory);
  EXPECT_EQ(u.GetPathKind("\\\\PC1", false), pkNone);  // not asked: not an existing folder here
  EXPECT_TRUE(net.asked.empty());
}

// Without the fixture: the test sets the mode itself to see the change and the restore.
TEST(FileUtilsErrorMode, PathTestSilencesCriticalErrorsAndRestoresTheMode) {
  app::RaiseDeactivated();  // the computer listing must be asked for, not cached
  UINT before = SetErrorMode(0);
  UINT seen = 0;
  FakeNet net([&](const std::string& remote) {
    seen = GetErrorMode();
    return FakeNetwork(remote);
  });
  TFileUtils u;
  EXPECT_EQ(u.GetPathKind("\\\\PC1", false), pkDirectory);
  EXPECT_TRUE(seen & SEM_FAILCRITICALERRORS);
  EXPECT_EQ(GetErrorMode(), 0u);
  SetErrorMode(before);
}

TEST_F(FileUtilsKinds, ExpandPathResolvesAgainstTheCurrentFolder) {
  ASSERT_TRUE(fileio::ForceDirectories(root + "\\a\\b"));
  ASSERT_TRUE(SetCurrentDirectoryA((root + "\\a\\b").c_str()));
  const std::string drive = root.substr(0, 2);
  struct Case { std::string path, expanded; };
  const Case cases[] = {
      {"..\\x", root + "\\a\\x"},
      {".\\y", root + "\\a\\b\\y"},
      {"z", root + "\\a\\b\\z"},
      {".", root + "\\a\\b"},
      {"..", root + "\\a"},
      {"..\\..\\q\\", root + "\\q\\"},
      {"表\\ソ", root + "\\a\\b\\表\\ソ"},
      {"表\\..\\x", root + "\\a\\b\\x"},
      {"C:\\a\\..\\b\\", "C:\\b\\"},
      {"C:\\a\\.\\b", "C:\\a\\b"},
      {"C:\\", "C:\\"},
      {"\\\\srv\\share\\d", "\\\\srv\\share\\d"},
      {"\\x", drive + "\\x"},
  };
  TFileUtils u;
  for (const Case& c : cases) EXPECT_EQ(u.ExpandPath(c.path), c.expanded) << c.path;
}

TEST_F(FileUtilsKinds, FindExecutableSearchesFolderThenRetriesWithExe) {
  WriteTextFile(root + "\\tool.exe", "MZ");
  TFileUtils u;
  EXPECT_TRUE(sjis::EqualsIgnoreCase(u.FindExecutable("tool", root), root + "\\tool.exe"));
  EXPECT_TRUE(sjis::EqualsIgnoreCase(u.FindExecutable("tool.exe", root), root + "\\tool.exe"));
  EXPECT_EQ(u.FindExecutable("notes", root), "");  // notes.ini is not a program
  EXPECT_EQ(u.FindExecutable("nosuch", root), "");
  EXPECT_TRUE(sjis::EndsWithIgnoreCase(u.FindExecutable("notepad", ""), "\\notepad.exe"));
}

TEST_F(FileUtilsKinds, ShortPathOfExistingAndMissingPaths) {
  TFileUtils u;
  std::string shortName = u.GetShortPath(root + "\\file.txt");
  EXPECT_TRUE(fileio::FileExists(shortName)) << shortName;
  EXPECT_EQ(u.GetShortPath(root + "\\missing.txt"), root + "\\missing.txt");
}

class FileListsWild : public PathTest {};

TEST_F(FileListsWild, FoldersFirstThenFiles) {
  TFileLists lists;
  auto names = lists.GetWildList(root + "\\*", true, true);
  ASSERT_TRUE(names);
  ASSERT_EQ(names->Count(), 5);
  V folders(names->Items().begin(), names->Items().begin() + 2);
  V files(names->Items().begin() + 2, names->Items().end());
  std::sort(folders.begin(), folders.end());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(folders, (V{"sub\\", "表\\"}));
  EXPECT_EQ(files, (V{"file.txt", "notes.ini", "ソ.txt"}));

  auto full = lists.GetWildList(root + "\\s*", false, false);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->Items(), (V{root + "\\sub"}));
  auto ini = lists.GetWildList(root + "\\*.ini", false, true);
  ASSERT_TRUE(ini);
  EXPECT_EQ(ini->Items(), (V{root + "\\notes.ini"}));
}

TEST_F(FileListsWild, NoListWithoutWildcardOrMatch) {
  TFileLists lists;
  EXPECT_FALSE(lists.GetWildList(root + "\\file.txt", true, true));
  EXPECT_FALSE(lists.GetWildList(root + "\\*.zzz", true, true));
  EXPECT_FALSE(lists.GetWildList(root + "\\nothing\\*", true, true));
}

class FileListsNet : public PathTest {};

TEST_F(FileListsNet, ListingsTrimNamesAndMarkContainers) {
  FakeNet net;
  FlavourScope editor(TPathFlavour::Editor);
  TFileLists lists;
  EXPECT_EQ(lists.GetList("")->Items(), (V{"WORKGROUP", "OFFICE"}));
  EXPECT_EQ(lists.GetList("WORKGROUP")->Items(), (V{"PC1\\", "PC2\\"}));
  EXPECT_EQ(lists.GetList("\\\\PC1")->Items(), (V{"share", "printer", "box\\"}));
  EXPECT_EQ(lists.GetList("\\\\PC1\\")->Items(), (V{"share", "printer", "box\\"}));
  EXPECT_EQ(lists.GetList("\\\\")->Items(), (V{"PC1\\", "PC2\\", "表PC\\"}));
  EXPECT_EQ(net.asked, (V{"", "WORKGROUP", "\\\\PC1", "\\\\PC1", "", "WORKGROUP", "OFFICE"}));
}

TEST_F(FileListsNet, ReachableFoldersGetATrailingBackslash) {
  FakeNet net([&](const std::string&) {
    return std::vector<TNetResourceEntry>{{root + "\\sub", false}, {root + "\\file.txt", false}};
  });
  EXPECT_EQ(ListNetResources("").Items(), (V{root + "\\sub\\", root + "\\file.txt"}));
}

TEST_F(FileListsNet, LauncherListsNoComputers) {
  FakeNet net;
  FlavourScope launcher(TPathFlavour::Launcher);
  EXPECT_TRUE(TFileLists().GetList("\\\\")->Empty());
  EXPECT_TRUE(net.asked.empty());
}

TEST_F(FileListsNet, CachedListingsAreCopiesUntilDeactivation) {
  FakeNet net;
  TCachedFileLists lists;
  auto first = lists.GetList("\\\\PC1");
  first->Add("changed by the caller");
  auto second = lists.GetList("\\\\pc1");
  EXPECT_EQ(second->Items(), (V{"share", "printer", "box\\"}));
  EXPECT_EQ(net.asked.size(), 1u);
  app::RaiseDeactivated();
  lists.GetList("\\\\PC1");
  EXPECT_EQ(net.asked.size(), 2u);
}

TEST(FileListsSystemNet, NoNetworkGivesEmptyListings) {
  // Wine reports no network (ERROR_NO_NETWORK); a real one is seen only on Windows.
  EXPECT_TRUE(SystemNetEnumerate("").empty());
  EXPECT_TRUE(ListNetResources("\\\\NOSUCHPC").Empty());
}

// A class whose objects tell when they are freed.
bool g_probeFreed = false;
class TProbeFileUtils : public TFileUtils {
 public:
  static TFileUtils* Create() { return new TProbeFileUtils; }
  ~TProbeFileUtils() override { g_probeFreed = true; }
};

TEST(FileUtilsSingleton, CachedClassIsTheDefault) {
  EXPECT_EQ(FileUtilsClass(), &TCachedFileUtils::Create);
  EXPECT_NE(dynamic_cast<TCachedFileUtils*>(&FileUtilsInstance()), nullptr);
  EXPECT_EQ(FileListsClass(), &TCachedFileLists::Create);
  EXPECT_NE(dynamic_cast<TCachedFileLists*>(&FileListsInstance()), nullptr);
}

TEST(FileUtilsSingleton, ReplacedObjectOutlivesTheReplacement) {
  const TFileUtilsClass original = FileUtilsClass();
  TFileUtils& before = FileUtilsInstance();
  EXPECT_EQ(&FileUtilsInstance(), &before);  // same class: same object
  SetFileUtilsClass(&TProbeFileUtils::Create);
  TFileUtils& probe = FileUtilsInstance();
  EXPECT_NE(dynamic_cast<TProbeFileUtils*>(&probe), nullptr);
  SetFileUtilsClass(original);
  TFileUtils& after = FileUtilsInstance();
  EXPECT_NE(&after, &probe);
  EXPECT_NE(dynamic_cast<TCachedFileUtils*>(&after), nullptr);
  EXPECT_FALSE(g_probeFreed);  // a caller may still hold it
  EXPECT_EQ(probe.GetPathKind("", false), pkNone);
}

}  // namespace
