#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/FileIO.h"
#include "core/Data_Blocks.h"
#include "launcher/DropEffect_Data_Handler.h"
#include "launcher/File_Data_Handler.h"
#include "launcher/Multi_Data_Object.h"
#include "launcher/Text_Data_Handler.h"
#include "launcher/URL_Data_Handler.h"
#include "tests/support/DataSource.h"
#include "tests/support/TempDir.h"

namespace {

using Source = DataSource;

CLIPFORMAT UrlFormat() { return static_cast<CLIPFORMAT>(RegisterClipboardFormatA("UniformResourceLocator")); }

std::string Fetch(IDataObject* data, CLIPFORMAT format) {
  std::string out;
  EXPECT_TRUE(ui::GetGlobalData(data, format, out)) << format;
  return out;
}

std::vector<std::string> Sorted(const TStringList& l) {
  std::vector<std::string> v = l.Items();
  std::sort(v.begin(), v.end());
  return v;
}

std::string DropBlock(const std::vector<std::string>& paths) { return datablock::BuildDropFiles(paths); }

std::string WideDropBlock(const std::vector<std::string>& paths) {
  std::string block = std::string("\x14\0\0\0", 4) + std::string(12, '\0') + std::string("\x01\0\0\0", 4);
  for (const std::string& p : paths) {
    wchar_t w[MAX_PATH];
    int n = MultiByteToWideChar(CP_ACP, 0, p.c_str(), -1, w, MAX_PATH);
    block.append(reinterpret_cast<const char*>(w), static_cast<size_t>(n) * 2);  // with its zero
  }
  return block + std::string(2, '\0');
}

class FilesFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteTextFile(dir_ / "a.txt", "a");
    WriteTextFile(dir_ / "b.txt", "b");
    WriteTextFile(dir_ / "c.log", "c");
    WriteTextFile(dir_ / "表ソ.txt", "d");
    ASSERT_TRUE(fileio::ForceDirectories(dir_ / "sub.txt"));
  }
  TempDir dir_;
};

TEST_F(FilesFixture, NormalisingKeepsExistingPathsAndExpandsPatterns) {
  TFileDataHandler h;
  TStringList lines;
  for (const std::string& l : {dir_ / "a.txt", dir_ / "missing.txt", dir_ / "sub.txt", std::string("C:\\"),
                               dir_ / "*.log", dir_ / "*.none", std::string("")})
    lines.Add(l);
  h.SetFiles(lines);
  EXPECT_EQ(h.Files().Items(),
            (std::vector<std::string>{dir_ / "a.txt", dir_ / "sub.txt", "C:\\", dir_ / "c.log"}));
  EXPECT_TRUE(h.HasData());

  // Files and folders both match; Shift-JIS names come through whole.
  h.SetFilesText(dir_ / "*.txt");
  EXPECT_EQ(Sorted(h.Files()), (std::vector<std::string>{dir_ / "a.txt", dir_ / "b.txt", dir_ / "sub.txt",
                                                         dir_ / "表ソ.txt"}));
  h.ClearFiles();
  EXPECT_FALSE(h.HasData());
}

TEST_F(FilesFixture, NothingNamesAFolderItselfOrItsParent) {
  TFileDataHandler h;
  h.SetFilesText(dir_ / "*" + "\r\n" + dir_ / "sub.txt\\*");
  for (const std::string& f : h.Files()) {
    EXPECT_NE(f.substr(f.size() - 2), "\\.") << f;
    EXPECT_NE(f.substr(f.size() - 3), "\\..") << f;
  }
  EXPECT_EQ(h.Files().Count(), 5);  // a.txt b.txt c.log 表ソ.txt sub.txt; the empty folder adds nothing
  h.SetFilesText(dir_ / "sub.txt\\..\r\n" + dir_ / "." + "\r\n..\r\n.");
  EXPECT_TRUE(h.Files().Empty());
}

TEST_F(FilesFixture, RendersTheFileListBlock) {
  TFileDataHandler h;
  h.SetFilesText(dir_ / "a.txt\r\n" + dir_ / "表ソ.txt");
  FORMATETC f = ui::MakeFormatEtc(CF_HDROP);
  f.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;  // the medium is one kind, whatever the request allows
  STGMEDIUM m = {};
  ASSERT_TRUE(h.Render(f, m));
  EXPECT_EQ(m.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  // The shell reads it as a drop handle.
  HDROP drop = static_cast<HDROP>(m.hGlobal);
  ASSERT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0), 2u);
  char name[MAX_PATH];
  DragQueryFileA(drop, 1, name, MAX_PATH);
  EXPECT_EQ(std::string(name), dir_ / "表ソ.txt");
  ReleaseStgMedium(&m);
  EXPECT_FALSE(h.Render(ui::MakeFormatEtc(CF_TEXT), m));
}

TEST_F(FilesFixture, ReadsSingleByteAndWideFileListsFromAnotherProgram) {
  TFileDataHandler h;
  Source narrow;
  narrow.Put(CF_HDROP, DropBlock({dir_ / "a.txt", dir_ / "gone.txt", dir_ / "表ソ.txt"}));
  ASSERT_TRUE(h.ReadFrom(narrow.get()));
  EXPECT_EQ(h.Files().Items(), (std::vector<std::string>{dir_ / "a.txt", dir_ / "表ソ.txt"}));

  Source wide;
  wide.Put(CF_HDROP, WideDropBlock({dir_ / "表ソ.txt", dir_ / "b.txt"}));
  ASSERT_TRUE(h.ReadFrom(wide.get()));
  EXPECT_EQ(h.Files().Items(), (std::vector<std::string>{dir_ / "表ソ.txt", dir_ / "b.txt"}));
}

TEST_F(FilesFixture, MalformedFileListBlocksAreBoundedByTheirSize) {
  const std::string name = dir_ / "a.txt";
  struct Case {
    const char* what;
    std::string block;
    bool ok;
    int files;
  } cases[] = {
      {"shorter than its header", std::string(12, '\0'), false, 0},
      {"offset outside the block", std::string("\xff\xff\0\0", 4) + std::string(16, '\0') + name, false, 0},
      // The block ends inside the name: it is not taken, though a longer
      // path with the same start might exist.
      {"name without its zero", DropBlock({}).substr(0, 20) + name, true, 0},
      {"list without its closing zero", DropBlock({}).substr(0, 20) + name + '\0', true, 1},
      {"wide name cut in half", WideDropBlock({name}).substr(0, 20 + 5), true, 0},
  };
  for (const Case& c : cases) {
    TFileDataHandler h;
    h.SetFilesText(name);
    Source s;
    s.Put(CF_HDROP, c.block);
    EXPECT_EQ(h.ReadFrom(s.get()), c.ok) << c.what;
    EXPECT_EQ(h.Files().Count(), c.files) << c.what;
  }
  // No CF_HDROP at all.
  TFileDataHandler h;
  Source text;
  text.Put(CF_TEXT, std::string("x\0", 2));
  EXPECT_FALSE(h.ReadFrom(text.get()));
}

TEST(TextData, ReadsUpToTheZeroOrTheEndOfTheBlock) {
  struct Case {
    const char* what;
    std::string block;
    std::string text;
  } cases[] = {
      {"ended", std::string("表示\0junk", 9), "表示"},
      {"no zero at all", "abcdefghij", "abcdefghij"},
      {"empty block", "", ""},
      {"lone lead byte at the end", "ab\x81", "ab\x81"},
  };
  for (const Case& c : cases) {
    TTextDataHandler h;
    Source s;
    s.Put(CF_TEXT, c.block);
    EXPECT_TRUE(h.ReadFrom(s.get())) << c.what;
    EXPECT_EQ(h.Text, c.text) << c.what;
  }
  TTextDataHandler h;
  h.Text = "kept";
  Source none;
  EXPECT_FALSE(h.ReadFrom(none.get()));
}

TEST(TextData, RendersTextWithItsZero) {
  TTextDataHandler h;
  EXPECT_EQ(h.Effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_FALSE(h.HasData());
  h.Text = "行1\r\n行2";
  STGMEDIUM m = {};
  ASSERT_TRUE(h.Render(ui::MakeFormatEtc(CF_TEXT), m));
  std::string bytes;
  ui::ReadGlobalBlock(m.hGlobal, bytes);
  EXPECT_EQ(bytes, std::string("行1\r\n行2") + '\0');
  ReleaseStgMedium(&m);
}

TEST(URLData, AddressesFromTextAndTheURLFormat) {
  struct Case {
    const char* what;
    CLIPFORMAT format;
    std::string block;
    bool ok;
    std::string url;
  } cases[] = {
      {"url format", UrlFormat(), std::string("http://h/x\0", 11), true, "http://h/x"},
      {"text", CF_TEXT, std::string("http://h/t\0", 11), true, "http://h/t"},
      {"upper case scheme", CF_TEXT, std::string("HTTP://H/\0", 10), true, "HTTP://H/"},
      {"ftp is no web address", CF_TEXT, std::string("ftp://h/\0", 9), false, ""},
      {"plain words", CF_TEXT, std::string("hello\0", 6), false, ""},
      {"no zero", UrlFormat(), "http://h/nozero", true, "http://h/nozero"},
  };
  for (const Case& c : cases) {
    TURLDataHandler h;
    Source s;
    s.Put(c.format, c.block);
    EXPECT_EQ(h.ReadFrom(s.get()), c.ok) << c.what;
    EXPECT_EQ(h.URL, c.url) << c.what;
    EXPECT_EQ(h.Title, "") << c.what;
  }
}

TEST(URLData, ADroppedShortcutFileGivesAddressAndTitle) {
  TempDir dir;
  WriteTextFile(dir / "Site.url", "[InternetShortcut]\r\nURL=http://h/\r\n");
  WriteTextFile(dir / "Empty.url", "[Other]\r\nURL=http://no/\r\n");
  WriteTextFile(dir / "plain.txt", "http://no/");
  TURLDataHandler h;
  Source site;
  site.Put(CF_HDROP, DropBlock({dir / "Site.url"}));
  ASSERT_TRUE(h.ReadFrom(site.get()));
  EXPECT_EQ(h.URL, "http://h/");
  EXPECT_EQ(h.Title, "Site");

  // A shortcut without an address is no address (the file handler may take it as a file).
  Source empty;
  empty.Put(CF_HDROP, DropBlock({dir / "Empty.url"}));
  EXPECT_FALSE(h.ReadFrom(empty.get()));
  EXPECT_EQ(h.URL, "");
  EXPECT_EQ(h.Title, "");

  // Other files fall back to the address formats.
  Source other;
  other.Put(CF_HDROP, DropBlock({dir / "plain.txt"})).Put(UrlFormat(), std::string("http://u/\0", 10));
  ASSERT_TRUE(h.ReadFrom(other.get()));
  EXPECT_EQ(h.URL, "http://u/");
  EXPECT_EQ(h.Title, "");
}

TEST(DropEffectData, RendersItsValueButIsNeverOffered) {
  TDropEffectDataHandler h;
  EXPECT_EQ(h.Formats.Count(), 0);
  EXPECT_FALSE(h.HasData());
  FORMATETC f = ui::MakeFormatEtc(TDropEffectDataHandler::Format());
  EXPECT_EQ(f.cfFormat, RegisterClipboardFormatA("Preferred DropEffect"));
  STGMEDIUM m = {};
  h.Value = DROPEFFECT_LINK;
  ASSERT_TRUE(h.Render(f, m));
  std::string bytes;
  ui::ReadGlobalBlock(m.hGlobal, bytes);
  EXPECT_EQ(bytes, std::string("\x04\0\0\0", 4));
  ReleaseStgMedium(&m);
}

TEST(MultiDataObject, ContentsBecomeFilesAddressAndText) {
  TempDir dir;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string shortcut = std::string(temp) + "http---h-p-q=1.url";
  const std::string text = dir.path() + "\r\n" + (dir / "missing") + "\r\nhttp://h/p?q=1\r\n";

  TMultiDataObject* object = new TMultiDataObject;
  object->SetContents(text);
  EXPECT_EQ(ReadTextFile(shortcut), "[InternetShortcut]\r\nURL=http://h/p?q=1\r\n");

  FORMATETC drop = ui::MakeFormatEtc(CF_HDROP);
  FORMATETC url = ui::MakeFormatEtc(UrlFormat());
  FORMATETC txt = ui::MakeFormatEtc(CF_TEXT);
  EXPECT_EQ(object->QueryGetData(&drop), S_OK);
  EXPECT_EQ(object->QueryGetData(&url), S_OK);
  EXPECT_EQ(object->QueryGetData(&txt), S_OK);

  datablock::DropFileNames names;
  ASSERT_TRUE(datablock::ParseDropFiles(Fetch(object, CF_HDROP), names));
  EXPECT_EQ(names.names, (std::vector<std::string>{dir.path(), shortcut}));
  EXPECT_EQ(Fetch(object, UrlFormat()), std::string("http://h/p?q=1") + '\0');
  EXPECT_EQ(Fetch(object, CF_TEXT), text + '\0');

  // Contents without an address offer no address any more.
  object->SetContents(dir.path());
  EXPECT_EQ(object->QueryGetData(&url), DV_E_FORMATETC);
  object->Release();
  fileio::DeleteFileAt(shortcut);
}

TEST(DataObjectUnit, TheLastEndLeavesClipboardDataInPlace) {
  TMultiDataObject* object = new TMultiDataObject;
  object->SetContents("クリップ");
  ASSERT_EQ(OleSetClipboard(object), S_OK);
  object->Release();  // the clipboard holds it now
  // A second user's end changes nothing; the last one flushes and lets OLE go.
  InitDataObjectUnit();
  FinalizeDataObjectUnit();
  EXPECT_EQ(OleIsCurrentClipboard(object), S_OK);
  FinalizeDataObjectUnit();
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(CF_TEXT);
  std::string block;
  ui::ReadGlobalBlock(h, block);
  EmptyClipboard();
  CloseClipboard();
  InitDataObjectUnit();  // as the test environment had it
  EXPECT_EQ(datablock::TextUpToNul(block), "クリップ");
}

TEST(MultiDataObject, ContentsReadBackThroughTheClipboard) {
  TempDir dir;
  WriteTextFile(dir / "Site.url", "[InternetShortcut]\r\nURL=http://h/site\r\n");
  TMultiDataObject* object = new TMultiDataObject;
  object->SetContents(dir / "Site.url" + "\r\n" + dir.path());
  ASSERT_EQ(OleSetClipboard(object), S_OK);
  object->Release();
  IDataObject* clip = nullptr;
  ASSERT_EQ(OleGetClipboard(&clip), S_OK);
  TFileDataHandler files;
  EXPECT_TRUE(files.ReadFrom(clip));
  EXPECT_EQ(files.Files().Items(), (std::vector<std::string>{dir / "Site.url", dir.path()}));
  TURLDataHandler url;
  EXPECT_TRUE(url.ReadFrom(clip));
  EXPECT_EQ(url.URL, "http://h/site");
  EXPECT_EQ(url.Title, "Site");
  TTextDataHandler text;
  EXPECT_TRUE(text.ReadFrom(clip));
  EXPECT_EQ(text.Text, dir / "Site.url" + "\r\n" + dir.path());
  clip->Release();
  OleSetClipboard(nullptr);
}

}  // namespace
