#include "core/ShellLink.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/Handles.h"
#include "core/KeyWordX.h"
#include "tests/support/TempDir.h"

namespace {

struct TLinkFixture {
  std::string Target;
  std::string Folder;
  std::string Arguments;
  std::string Icon;
  int IconIndex = 0;
};

// Saves a .lnk the way the shell writes one (the reader under test only reads).
void SaveLink(const std::string& file, const TLinkFixture& f) {
  CoInitialize(nullptr);
  core::TComPtr<IShellLinkA> link;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void())));
  link->SetPath(f.Target.c_str());
  if (!f.Folder.empty()) link->SetWorkingDirectory(f.Folder.c_str());
  if (!f.Arguments.empty()) link->SetArguments(f.Arguments.c_str());
  if (!f.Icon.empty()) link->SetIconLocation(f.Icon.c_str(), f.IconIndex);
  core::TComPtr<IPersistFile> persist;
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, persist.put_void())));
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
  ASSERT_TRUE(SUCCEEDED(persist->Save(wide, TRUE)));
  persist.reset();
  link.reset();
  CoUninitialize();
}

class ShellLinkRead : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTextFile(td / "表示.txt", "x");  // trail byte 0x5C in the target's name
    ASSERT_TRUE(fileio::ForceDirectories(td / "ソフト"));
  }
  TempDir td;
};

TEST_F(ShellLinkRead, ExistingTargetsGiveEveryField) {
  struct Case {
    const char* name;
    std::string target;
  } cases[] = {{"file", td / "表示.txt"}, {"folder", td / "ソフト"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string lnk = td / (std::string("リンク") + c.name + ".lnk");
    SaveLink(lnk, {c.target, td / "ソフト", "-a \"b c\"", td / "icons.dll", 3});
    const auto got = ReadShellLinkTarget(lnk, nullptr);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->Target, c.target);
    EXPECT_EQ(got->Folder, td / "ソフト");
    EXPECT_EQ(got->Arguments, "-a \"b c\"");
    EXPECT_EQ(got->Icon, td / "icons.dll");
    EXPECT_EQ(got->IconIndex, 3);
  }
}

TEST_F(ShellLinkRead, GoneTargetsAndNonLinksGiveNothing) {
  const std::string gone = td / "gone.txt";
  WriteTextFile(gone, "x");
  SaveLink(td / "broken.lnk", {gone, "", "", "", 0});
  ASSERT_TRUE(fileio::DeleteFileAt(gone));
  WriteTextFile(td / "plain.lnk", "no link at all");

  EXPECT_FALSE(ReadShellLinkTarget(td / "broken.lnk", nullptr));
  EXPECT_FALSE(ReadShellLinkTarget(td / "plain.lnk", nullptr));
  EXPECT_FALSE(ReadShellLinkTarget(td / "missing.lnk", nullptr));
  EXPECT_FALSE(ReadShellLinkTarget("", nullptr));
}

TEST_F(ShellLinkRead, ReaderWorksInsideAnOleSession) {
  core::TOleSession ole;  // the editor's thread runs OLE for its drops
  const std::string lnk = td / "in.lnk";
  SaveLink(lnk, {td / "表示.txt", "", "", "", 0});
  const auto got = ReadShellLinkTarget(lnk, nullptr);
  ASSERT_TRUE(got);
  EXPECT_EQ(got->Target, td / "表示.txt");
  EXPECT_EQ(got->Arguments, "");
}

// ---------------------------------------------------------------------------
// Writing links and their hotkey

class ShellLinkWrite : public ShellLinkRead {};

TEST_F(ShellLinkWrite, WrittenLinksReadBackWithTheirHotKey) {
  constexpr WORD kCtrlSpace = (HOTKEYF_CONTROL << 8) | VK_SPACE;
  struct Case {
    const char* name;
    std::optional<WORD> written;
    WORD read;
  } cases[] = {{"set", kCtrlSpace, kCtrlSpace}, {"cleared", WORD{0}, 0}, {"left unset", std::nullopt, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string lnk = td / (std::string("書き込み ") + c.name + ".lnk");
    ASSERT_TRUE(WriteShellLink(lnk, td / "表示.txt", td / "ソフト\\", c.written));
    EXPECT_EQ(ReadShellLinkHotKey(lnk, nullptr), c.read);
    const auto got = ReadShellLinkTarget(lnk, nullptr);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->Target, td / "表示.txt");
    EXPECT_EQ(got->Folder, td / "ソフト\\");
  }
  EXPECT_FALSE(WriteShellLink(td / "no folder\\x.lnk", td / "表示.txt", "", std::nullopt));
}

// A link whose target has gone (the installation moved) still gives its
// hotkey: the settings window would otherwise show none and write the link
// again without it. Wine finds every link, so a resolver that fails stands
// for the one that cannot.
TEST_F(ShellLinkWrite, TheHotKeyIsReadWhenResolvingFails) {
  constexpr WORD kAltF12 = (HOTKEYF_ALT << 8) | VK_F12;
  const std::string gone = td / "gone.exe";
  WriteTextFile(gone, "x");
  const std::string lnk = td / "moved.lnk";
  ASSERT_TRUE(WriteShellLink(lnk, gone, td.path(), kAltF12));
  ASSERT_TRUE(fileio::DeleteFileAt(gone));
  static int resolves;
  resolves = 0;
  const TLinkResolver failing = [](TShellLink&, HWND) { ++resolves; return false; };
  EXPECT_EQ(ReadShellLinkHotKey(lnk, nullptr, failing), kAltF12);
  EXPECT_EQ(resolves, 1);
  EXPECT_EQ(ReadShellLinkHotKey(lnk, nullptr), kAltF12) << "the real resolver on a gone target";
  WriteTextFile(td / "plain.lnk", "no link at all");
  EXPECT_EQ(ReadShellLinkHotKey(td / "plain.lnk", nullptr), 0);
  EXPECT_EQ(ReadShellLinkHotKey(td / "missing.lnk", nullptr), 0);
}

// ---------------------------------------------------------------------------
// Keyword icons

std::vector<unsigned char> IconBits(HICON icon) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  core::TUniqueHandle<HBITMAP, core::TGdiTraits<HBITMAP>> color(info.hbmColor), mask(info.hbmMask);
  BITMAP bm = {};
  GetObject(info.hbmColor, sizeof bm, &bm);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<unsigned char> bits(static_cast<size_t>(bm.bmWidth) * bm.bmHeight * 4);
  core::TWindowDC dc(nullptr);
  GetDIBits(dc.get(), info.hbmColor, 0, bm.bmHeight, bits.data(), &bi, DIB_RGB_COLORS);
  return bits;
}

std::string OwnFile() {
  char buf[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  return buf;
}

class KeyWordIcon : public ::testing::Test {
 protected:
  void SetUp() override {
    oldMain_ = FilePathsInstance().MainDir;
    FilePathsInstance().SetMainDir(td / "Main");
    ASSERT_TRUE(fileio::ForceDirectories(FilePathsInstance().IconsDir));
    ASSERT_TRUE(CopyFileA(OwnFile().c_str(), (FilePathsInstance().IconsDir + "\\own.exe").c_str(), FALSE));
    own_ = IconBits(core::TUniqueIcon(ExtractIconA(nullptr, OwnFile().c_str(), 0)).get());
    ASSERT_FALSE(own_.empty());
  }
  void TearDown() override { FilePathsInstance().SetMainDir(oldMain_); }

  TempDir td;
  std::vector<unsigned char> own_;

 private:
  std::string oldMain_;
};

TEST_F(KeyWordIcon, IconDirStandsForTheLayoutsIconFolder) {
  const core::TUniqueIcon icon = LoadKeyWordIcon("%ICONDIR\\own.exe", 0);
  ASSERT_TRUE(icon);
  EXPECT_EQ(IconBits(icon.get()), own_);
  EXPECT_FALSE(LoadKeyWordIcon("", 0));
}

TEST_F(KeyWordIcon, CommandItemWithoutIconTakesItsCommand) {
  TKeyWordManager m(td / "Items", td / "Main");
  auto item = m.NewKeyWord("tool", "", kTypeCommand);
  ASSERT_TRUE(item);
  item->SetUseKeyWord(0);
  item->SetCommand(OwnFile());
  const core::TUniqueIcon icon = item->LoadIcon();
  EXPECT_EQ(item->Data()->ReadString("Icon", ""), OwnFile());
  EXPECT_EQ(IconBits(icon.get()), own_);

  // An Icon of its own is kept; a group without one gets none from its Command.
  auto group = m.NewKeyWord("g", "", kTypeGroup);
  group->SetUseKeyWord(0);
  group->SetCommand(OwnFile());
  group->LoadIcon();
  EXPECT_FALSE(group->Data()->ValueExists("Icon"));
}

}  // namespace
