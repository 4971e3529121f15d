#include "launcher/Editor_Requests.h"

#include <gtest/gtest.h>

#include "core/FileIO.h"
#include "core/KeyWordX.h"
#include "core/Params.h"
#include "tests/support/TempDir.h"

using namespace editor_requests;

namespace {

class RecordingStarter : public IEditorStarter {
 public:
  int Calls = 0;
  TEditorStart Last;
  void Start(const TEditorStart& s) override {
    ++Calls;
    Last = s;
  }
};

// A request of one Comment line whose text (line end included) is size bytes.
std::unique_ptr<TStringIni> RequestOfSize(size_t size) {
  auto r = std::make_unique<TStringIni>();
  const size_t overhead = std::string("Comment=\r\n").size();
  r->WriteString("Comment", std::string(size - overhead, 'x'));
  return r;
}

}  // namespace

TEST(EditorRequests, BuildRequest_Table) {
  struct Case {
    const char* name;
    TRequestFields fields;
    const char* text;
  };
  const Case cases[] = {
      {"action alone", {"RegistActive"}, "Action=RegistActive\r\n"},
      {"new with type last", {"New", "grp/abc", false, std::nullopt, std::nullopt, -1},
       "Action=New\r\nKeyWord=grp/abc\r\nType=-1\r\n"},
      {"lower keyword key", {"ChangeToGroup", "abc", true}, "Action=ChangeToGroup\r\nKeyword=abc\r\n"},
      {"two-line command escaped", {"New", std::nullopt, false, "C:\\a b.txt\r\nC:\\c", "c m", std::nullopt},
       "Action=New\r\nCommand=C:\\\\a\\sb.txt\\nC:\\\\c\r\nComment=c\\sm\r\n"},
      {"empty command left out", {"New", std::nullopt, false, "", std::nullopt, 0}, "Action=New\r\nType=0\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(RequestText(*BuildRequest(c.fields)), c.text) << c.name;
}

TEST(EditorRequests, ResolveCommand_EmptyResultRemovesKey) {
  TempDir td;
  TKeyWordManager store{td / "Items", td / "Main"};
  TRequestFields f{"New"};
  f.Command = "!";  // the "!" is dropped, nothing is left
  auto r = BuildRequest(f);
  ResolveCommand(*r, store);
  EXPECT_FALSE(r->ValueExists("Command"));
  f.Command = "!C:\\x.exe";
  r = BuildRequest(f);
  ResolveCommand(*r, store);
  EXPECT_EQ(r->ReadString("Command", ""), "C:\\x.exe");
}

TEST(EditorRequests, EditorParams_260BytesOnCommandLine_261ThroughParamFile) {
  TempDir td;
  auto shortOne = RequestOfSize(260);
  ASSERT_EQ(RequestText(*shortOne).size(), 260u);
  EXPECT_EQ(EditorParams(shortOne.get(), td.path()), "\"" + shortOne->Lines[0] + "\"\r\n");
  EXPECT_FALSE(fileio::FileExists(ParamFilePath(td.path())));

  auto longOne = RequestOfSize(261);
  ASSERT_EQ(RequestText(*longOne).size(), 261u);
  const std::string path = td.path() + "\\temp\\quorvane\\param.txt";
  EXPECT_EQ(ParamFilePath(td.path()), path);
  EXPECT_EQ(EditorParams(longOne.get(), td.path()), "/ParamFile \"" + path + "\"");
  TStringIni back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.ReadString("Comment", ""), longOne->ReadString("Comment", ""));
}

TEST(EditorRequests, EditorParams_QuotedLinesSplitIntoOneArgumentEach) {
  TempDir td;
  TRequestFields f{"New", "a/b", false, "C:\\p q\\x.exe", std::nullopt, -1};
  auto r = BuildRequest(f);
  const std::string params = EditorParams(r.get(), td.path());
  const auto args = SplitCommandLine("QVEditor.exe " + params);
  ASSERT_EQ(args.size(), 5u);
  for (int i = 0; i < r->Lines.Count(); ++i) EXPECT_EQ(args[i + 1], r->Lines[i]);
  EXPECT_EQ(EditorParams(nullptr, td.path()), "");
}

TEST(EditorRequests, EditorParams_QuoteInValueGoesThroughParamFile) {
  TempDir td;
  TRequestFields f{"New", std::nullopt, false, "\"C:\\x.exe\" /y"};
  auto r = BuildRequest(f);
  ASSERT_LT(RequestText(*r).size(), 261u);
  EXPECT_EQ(EditorParams(r.get(), td.path()), "/ParamFile \"" + ParamFilePath(td.path()) + "\"");
  TStringIni back;
  back.LoadFromFile(ParamFilePath(td.path()));
  EXPECT_EQ(back.ReadString("Command", ""), "\"C:\\x.exe\" /y");
}

TEST(EditorRequests, AddNotifyLine_AddedOnceWhateverTheCase) {
  TempDir td;
  const std::string path = td.path() + "\\Files\\notify.txt";
  EXPECT_EQ(NotifyFilePath(td.path()), path);
  AddNotifyLine(td.path());  // no file yet: made with the one line
  EXPECT_EQ(ReadTextFile(path), "TZMRTMain\tquorvanemain\r\n");
  AddNotifyLine(td.path() + "\\");
  EXPECT_EQ(ReadTextFile(path), "TZMRTMain\tquorvanemain\r\n");

  WriteTextFile(path, "TOther\tother\r\ntzmrtmain\tQUORVANEMAIN");
  AddNotifyLine(td.path());
  EXPECT_EQ(ReadTextFile(path), "TOther\tother\r\ntzmrtmain\tQUORVANEMAIN");

  WriteTextFile(path, "TOther\tother");
  AddNotifyLine(td.path());
  EXPECT_EQ(ReadTextFile(path), "TOther\tother\r\nTZMRTMain\tquorvanemain\r\n");
}

TEST(EditorRequests, SendRequest_StartsEditorInFilesFolder) {
  TempDir td;
  RecordingStarter starter;
  const TEditorFolders folders{td.path(), td.path() + "\\Files", td.path() + "\\Users\\me"};
  SendRequest(nullptr, BuildRequest({"RegistActive"}), nullptr, folders, starter);
  ASSERT_EQ(starter.Calls, 1);
  EXPECT_EQ(starter.Last.Verb, "open");
  EXPECT_EQ(starter.Last.File, td.path() + "\\Files\\QVEditor.exe");
  EXPECT_EQ(starter.Last.Directory, td.path() + "\\Files\\");
  EXPECT_EQ(starter.Last.Params, "\"Action=RegistActive\"\r\n");
  EXPECT_EQ(starter.Last.Show, SW_SHOWDEFAULT);
  EXPECT_TRUE(fileio::FileExists(NotifyFilePath(td.path())));

  SendRequest(nullptr, nullptr, nullptr, folders, starter);  // the keyword manager
  EXPECT_EQ(starter.Last.Params, "");

  StartEditorSwitch(nullptr, "/version", folders.FilesDir, starter);
  EXPECT_EQ(starter.Last.Params, "/version");
  EXPECT_EQ(starter.Last.Directory, "");
}

#ifdef QV_FAKE_EDITOR_EXE
TEST(EditorRequests, SendRequest_RealEditorGetsTheRequest) {
  TempDir td;
  const std::string files = td.path() + "\\Files";
  ASSERT_TRUE(fileio::ForceDirectories(files));
  ASSERT_TRUE(CopyFileA(QV_FAKE_EDITOR_EXE, (files + "\\QVEditor.exe").c_str(), FALSE));
  const TEditorFolders folders{td.path(), files, td.path() + "\\Users\\me"};
  const std::string args = files + "\\args.txt";
  // One request short enough for the command line, one through param.txt.
  for (size_t commentSize : {10u, 300u}) {
    SCOPED_TRACE(commentSize);
    DeleteFileA(args.c_str());
    TRequestFields f{"New", "grp/a b", false, std::nullopt, std::string(commentSize, 'c'), -1};
    SendRequest(nullptr, BuildRequest(f), nullptr, folders, DefaultEditorStarter());
    bool seen = false;
    for (int i = 0; i < 600 && !(seen = fileio::FileExists(args)); ++i) Sleep(50);  // a bound, not a timing
    ASSERT_TRUE(seen);
    const auto argv = SplitCommandLine(ReadTextFile(args));
    ASSERT_GE(argv.size(), 2u);
    EXPECT_EQ(argv[1] == "/ParamFile", commentSize == 300u);
    const TStringList list = BuildParamList(std::vector<std::string>(argv.begin() + 1, argv.end()));
    TStringIni got;
    got.Lines = list;
    EXPECT_EQ(got.ReadString("Action", ""), "New");
    EXPECT_EQ(got.ReadString("KeyWord", ""), "grp/a b");
    EXPECT_EQ(got.ReadString("Comment", ""), std::string(commentSize, 'c'));
    EXPECT_EQ(got.ReadInteger("Type", 0), -1);
  }
}
#endif
