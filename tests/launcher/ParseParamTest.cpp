#include "launcher/ParseParam.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/FileIO.h"
#include "core/Sjis.h"
#include "tests/support/TempDir.h"

namespace {

// Records every call as one line; system command 11 parses its text again, as
// the window does.
class TRecordingHost : public IParamParserHost {
 public:
  std::vector<std::string> Calls;
  TParamParser* Parser = nullptr;
  bool Starting = false;
  std::string ExistingPath = "C:\\exists";

  void Log(std::string s) { Calls.push_back(std::move(s)); }
  static std::string I(int v) { return sjis::IntToStr(v); }

  bool IsStarting() const override { return Starting; }
  void ReLoad(bool activate) override { Log("ReLoad(" + I(activate) + ")"); }
  void ShowOrHide(bool show) override { Log("ShowOrHide(" + I(show) + ")"); }
  std::string UserDir() const override { return "C:\\User Data\\"; }
  std::string CurrentDir() const override { return "C:\\cur"; }
  void ResetIcon() override { Log("ResetIcon"); }
  void RunCommand(const std::string& name) override { Log("RunCommand(" + name + ")"); }
  void RunSysCommand(int index, const std::string& text) override {
    Log("RunSysCommand(" + I(index) + "," + text + ")");
    if (index == 11 && Parser) {
      TStringList again;
      again.SetText(text.empty() ? std::string() : sjis::ReplaceAll(text, " ", "\r\n"));
      Parser->Parse(&again, 0);
    }
  }
  void ActivateWindow() override { Log("ActivateWindow"); }
  void PasteText(const std::string& text, bool recomplete) override {
    Log("PasteText(" + text + "," + I(recomplete) + ")");
  }
  void SetConfig(const std::string& a, const std::string& b) override { Log("SetConfig(" + a + "," + b + ")"); }
  bool PathExists(const std::string& path) const override { return sjis::EqualsIgnoreCase(path, ExistingPath); }
  void DropFiles(const std::string& text) override { Log("DropFiles(" + sjis::ReplaceAll(text, "\r\n", "|") + ")"); }
  void MoveTo(int x, int y, bool percent) override { Log("MoveTo(" + I(x) + "," + I(y) + "," + I(percent) + ")"); }
  void CaretPoint(int& x, int& y) const override { x = 7, y = 8; }
  void SetSelStart(int n) override { Log("SetSelStart(" + I(n) + ")"); }
  void SetSelLength(int n) override { Log("SetSelLength(" + I(n) + ")"); }
  void SetMode(const std::string& name) override { Log("SetMode(" + name + ")"); }
  void ParseInput() override { Log("ParseInput"); }
  void SendResult(uintptr_t sender, const std::string& text) override { Log("SendResult(" + I(static_cast<int>(sender)) + "," + text + ")"); }
  void PutOnClipboard(const std::string& text) override { Log("PutOnClipboard(" + text + ")"); }
};

TStringList Lines(const std::string& joined) {
  TStringList lines;
  lines.SetText(sjis::ReplaceAll(joined, "|", "\r\n"));
  return lines;
}

std::string Joined(const std::vector<std::string>& calls) {
  std::string s;
  for (const std::string& c : calls) s += (s.empty() ? "" : " ; ") + c;
  return s;
}

struct TCase {
  const char* Name;
  const char* Input;  // lines separated by "|"
  const char* Calls;  // expected calls separated by " ; "
};

const TCase kCases[] = {
    {"Empty list activates nothing", "", ""},
    {"ReloadWithHide_ReloadsAndStillHides", "/ReLoad|/hide|/OldItem=a|/NewItem=b", "ReLoad(0) ; ShowOrHide(0)"},
    {"SwitchNamesIgnoreCase", "/RELOAD", "ReLoad(0)"},
    {"HideAlone_HidesTwice", "/hide", "ShowOrHide(0) ; ShowOrHide(0)"},
    {"New_ReloadsShowsAndResetsIcon", "/New", "ReLoad(1) ; ShowOrHide(1) ; ResetIcon"},
    {"RunCommand_ValueExactlyAsSent", "/RunCommand=my key\\tword", "RunCommand(my key\\tword)"},
    {"RunCommand_NameIgnoresCase", "/runcommand=abc", "RunCommand(abc)"},
    {"RunSysCommand_NotANumberIsMinusOne", "/RunSysCommand=x|text", "RunSysCommand(-1,text)"},
    {"RunSysCommand_NoNextLine", "/RunSysCommand=3", "RunSysCommand(3,)"},
    // The parameter line also reads as "/X" with a value that is no number: a
    // move that keeps the place, before the inner parse moves for real.
    {"RunSysCommand11_ParsesAgain", "/RunSysCommand=11|/X=10 /Y=20",
     "MoveTo(-1,-1,0) ; RunSysCommand(11,/X=10 /Y=20) ; MoveTo(10,-1,0) ; MoveTo(-1,20,0) ; ActivateWindow ; "
     "ActivateWindow"},
    {"Paste_PastesNextLineAndRecompletes", "/Paste|hello world",
     "ActivateWindow ; PasteText(hello world,0) ; ParseInput"},
    {"Paste_WithoutText", "/Paste", "ActivateWindow ; PasteText(,0) ; ParseInput"},
    {"SetConfig_TwoLines", "/SetConfig|Key|Value", "SetConfig(Key,Value)"},
    {"SetConfig_MissingLinesEmpty", "/SetConfig", "SetConfig(,)"},
    {"ExistingPath_Dropped", "C:\\EXISTS|C:\\other", "DropFiles(C:\\EXISTS|C:\\other)"},
    {"MissingPath_NothingDropped", "C:\\nothing", ""},
    {"OnlyFirstActionActs", "/getUserDir|/New|/Paste", ""},
    {"XWithActivePos_IsPercent", "/X=50|/ActivePos", "MoveTo(50,-1,1) ; ActivateWindow"},
    {"XNotANumber_IsMinusOne", "/X=abc", "MoveTo(-1,-1,0) ; ActivateWindow"},
    {"CaretPos_MovesToCaretNotPercent", "/CaretPos|/ActivePos", "MoveTo(7,8,0) ; ActivateWindow"},
    {"SelStartThenParse_Recompletes", "/SelStart=3|/Parse", "SetSelStart(3) ; ParseInput"},
    {"SelLength_Activates", "/SelLength=q", "SetSelLength(0) ; ActivateWindow"},
    {"ParseAndNoParse_DoNotRecomplete", "/Parse|/noParse", ""},
    {"NoActivateAndActivate_Activates", "/X=1|/noActivate|/Activate", "MoveTo(1,-1,0) ; ActivateWindow"},
    {"NoActivate_Wins", "/Y=2|/noActivate", "MoveTo(-1,2,0)"},
    {"DefaultKeyword_SetsMode", "/DefaultKeyword=グループ", "SetMode(グループ)"},
};

void PrintTo(const TCase& c, std::ostream* os) { *os << c.Name; }

class ParseParamCases : public ::testing::TestWithParam<TCase> {};

TEST_P(ParseParamCases, CallsTheWindowInOrder) {
  TRecordingHost host;
  TParamParser parser(&host);
  host.Parser = &parser;
  TStringList lines = Lines(GetParam().Input);
  parser.Parse(&lines, 0);
  EXPECT_EQ(Joined(host.Calls), GetParam().Calls);
}

INSTANTIATE_TEST_SUITE_P(Switches, ParseParamCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                           std::string n;
                           for (char c : std::string(info.param.Name)) n += (isalnum(static_cast<unsigned char>(c)) ? c : '_');
                           return n;
                         });

TEST(ParseParam, Create_WithoutOwner_Raises) {
  try {
    TParamParser parser(nullptr);
    FAIL();
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "TParamParser.Create:オーナーが空です");
  }
}

TEST(ParseParam, NoList_ActivatesWindow) {
  TRecordingHost host;
  TParamParser parser(&host);
  parser.Parse(nullptr, 0);
  EXPECT_EQ(Joined(host.Calls), "ActivateWindow");
}

TEST(ParseParam, ReloadWhileStarting_DoesNothing) {
  TRecordingHost host;
  host.Starting = true;
  TParamParser parser(&host);
  TStringList lines = Lines("/ReLoad");
  parser.Parse(&lines, 0);
  EXPECT_TRUE(host.Calls.empty());
}

TEST(ParseParam, HideSeen_OnlyFromOptions_AndKept) {
  TRecordingHost host;
  TParamParser parser(&host);
  EXPECT_FALSE(parser.SawHide());
  TStringList hide = Lines("/hide"), other = Lines("/New");
  parser.Parse(&hide, 0);
  parser.Parse(&other, 0);
  EXPECT_TRUE(parser.SawHide());
}

TEST(ParseParam, PendingText_QuotesLinesWithBlanksOrQuotes_UntilCleared) {
  TRecordingHost host;
  TParamParser parser(&host);
  TStringList lines = Lines("/Paste|a b|say \"hi\"|plain");
  parser.Parse(&lines, 0);
  EXPECT_EQ(parser.PendingText(), "/Paste \"a b\" \"say \"\"hi\"\"\" plain");
  parser.ClearParams();
  EXPECT_EQ(parser.PendingText(), "");
}

TEST(ParseParam, GetUserDir_WithSender_AnswersSenderAndWritesNoFile) {
  TempDir dir;
  TRecordingHost host;
  TParamParser parser(&host);
  const std::string file = dir / "out.txt";
  TStringList lines = Lines("/getUserDir|/ResultFile=" + file + "|/OutToClip");
  parser.Parse(&lines, 1234);
  EXPECT_EQ(Joined(host.Calls), "SendResult(1234,C:\\User Data\\)");
  EXPECT_FALSE(fileio::FileExists(file));
}

// Folder names starting with t and n: the path must not come back with a TAB
// or a line break in it.
TEST(ParseParam, ResultFile_PathNeverUnescaped_FoldersMade) {
  TempDir dir;
  TRecordingHost host;
  TParamParser parser(&host);
  const std::string file = dir / ("t" + Sep() + "n.txt");
  TStringList lines = Lines("/getCurrentDir|/ResultFile=" + file);
  parser.Parse(&lines, 0);
  EXPECT_EQ(ReadTextFile(file), "C:\\cur");
  EXPECT_TRUE(host.Calls.empty());
}

TEST(ParseParam, ResultFile_FolderCannotBeMade_NothingReturned) {
  TempDir dir;
  WriteTextFile(dir / "blocker", "x");
  TRecordingHost host;
  TParamParser parser(&host);
  const std::string file = dir / ("blocker" + Sep() + "sub" + Sep() + "out.txt");
  TStringList lines = Lines("/getUserDir|/ResultFile=" + file + "|/OutToClip");
  parser.Parse(&lines, 0);
  EXPECT_FALSE(fileio::FileExists(file));
  EXPECT_TRUE(host.Calls.empty());
}

TEST(ParseParam, OutToClip_WithoutSenderOrFile) {
  TRecordingHost host;
  TParamParser parser(&host);
  TStringList lines = Lines("/getCurrentDir|/OutToClip");
  parser.Parse(&lines, 0);
  EXPECT_EQ(Joined(host.Calls), "PutOnClipboard(C:\\cur)");
}

// Nothing asked for a result: no channel is used even when named.
TEST(ParseParam, NoResult_NoChannelUsed) {
  TempDir dir;
  TRecordingHost host;
  TParamParser parser(&host);
  TStringList lines = Lines("/ReLoad|/ResultFile=" + (dir / "r.txt") + "|/OutToClip");
  parser.Parse(&lines, 99);
  EXPECT_EQ(Joined(host.Calls), "ReLoad(0)");
  EXPECT_FALSE(fileio::FileExists(dir / "r.txt"));
}

}  // namespace
