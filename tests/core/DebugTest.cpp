#include "core/Debug_Unit.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "core/Debug.h"
#include "core/FileIO.h"
#include "core/Sjis.h"
#include "core/String_Formater.h"
#include "tests/support/TempDir.h"

namespace {

// Keeps what a log sends out.
struct Captured {
  std::string echoed, file, appended;
  int saves = 0;
  bool removed = false;
};
class MemorySink : public TDebugSink {
 public:
  explicit MemorySink(Captured& c) : c_(c) {}
  void Echo(std::string_view t) override { c_.echoed += t; }
  void SaveFile(std::string_view t) override { c_.file = t; ++c_.saves; }
  void AppendFile(std::string_view t) override { c_.appended += t; }
  void RemoveFile() override { c_.removed = true; }

 private:
  Captured& c_;
};

TDebugHeader SampleHeader() {
  TDebugHeader h;
  h.start = {2024, 3, 5, 7, 8, 9, 12};
  h.title = "quorvane";
  h.programFile = "C:\\表\\quorvane.exe";
  h.version = "1.5.0.312";
  h.timeStamp = "2024.03.01 10:00:00";
  h.os = "Windows XP (5.1.2600[NT])";
  return h;
}

TEST(StringFormater, NumberedLinesAndIndentation) {
  struct Case { const char* name; void (*run)(TStringFormater&); std::string text; };
  const Case cases[] = {
      {"chunks join one line", [](TStringFormater& f) { f.Write("a").Write("b").NewLine(); }, "00001| ab\r\n"},
      {"indent starts a new numbered line",
       [](TStringFormater& f) { f.Write("a").Write("b").NewLine().Indent().Write("c"); }, "00001| ab\r\n00002|   c"},
      {"indent ends an open line", [](TStringFormater& f) { f.Write("a").Indent().Write("b"); },
       "00001| a\r\n00002|   b"},
      {"empty line after the level change is swallowed",
       [](TStringFormater& f) { f.Write("a").Indent().NewLine().Write("b"); }, "00001| a\r\n00002|   b"},
      {"trailing break leaves the last line open", [](TStringFormater& f) { f.Write("x\r\n").Write("y"); },
       "00001| xy"},
      {"empty line inside a text ends it", [](TStringFormater& f) { f.Write("x\r\n\r\ny"); },
       "00001| x\r\n00002| \r\n00003| y"},
      {"first chunk ending in a break keeps it",
       [](TStringFormater& f) { f.NewLine().Write("z"); }, "00001| \r\n00002| z"},
      {"unindent stops at zero", [](TStringFormater& f) { f.Unindent().Unindent().Write("q"); }, "00001| q"},
      {"strings", [](TStringFormater& f) { TStringList l({"a", "b"}); f.AddStrings(&l).AddStrings(nullptr); },
       "00001| a\r\n00002| bNIL"},
      {"numbers", [](TStringFormater& f) { f.AddInt(-42).Add(" ").AddFloat(0.1).Add(" ").AddFloat(2.5); },
       "00001| -42 0.1 2.5"},
      {"format", [](TStringFormater& f) { f.AddFormat("%s=%d", "n", 7); }, "00001| n=7"},
      {"C99 format", [](TStringFormater& f) { f.AddFormat("%lld|%zu|%.2f", -5LL, size_t{7}, 0.5); },
       "00001| -5|7|0.50"},
      {"long format", [](TStringFormater& f) { f.AddFormat("%s", std::string(600, 'x').c_str()); },
       "00001| " + std::string(600, 'x')},
      {"date", [](TStringFormater& f) { f.AddDateTime({2024, 1, 2, 3, 4, 5, 6}); }, "00001| 2024/01/02 03:04:05.006"},
  };
  for (const auto& c : cases) {
    TStringFormater f;
    f.LineNumbers = true;
    c.run(f);
    EXPECT_EQ(f.GetText(), c.text) << c.name;
  }
}

TEST(StringFormater, OutputEventGetsEachChunkAndNumbersAreOptional) {
  TStringFormater f;
  std::vector<std::string> chunks;
  f.OnOutput = [&](const std::string& s) { chunks.push_back(s); };
  f.Write("T").NewLine().Indent().Write("K : v").NewLine();
  EXPECT_EQ(chunks, (std::vector<std::string>{"T", "\r\n", "  K : v", "\r\n"}));
  EXPECT_EQ(f.GetText(), "T\r\n  K : v\r\n");
  EXPECT_EQ(f.Lines().Items(), (std::vector<std::string>{"T", "  K : v"}));
  f.Clear();
  EXPECT_EQ(f.GetText(), "");
  EXPECT_EQ(f.Level, 0);
}

TEST(StringFormater, ObjectsDescribeThemselves) {
  struct Plain : TLoggable { std::string ClassName() const override { return "TPlain"; } };
  struct Told : Plain { std::string ToString() const override { return "told"; } };
  Plain p;
  Told t;
  TStringFormater f;
  f.AddObject(nullptr).Add(",").AddObject(&p).Add(",").AddObject(&t);
  EXPECT_EQ(f.GetText(), "nil,TPlain,told");
}

TEST(DebugLauncher, NumbersLinesEchoesAndAppendsEveryChunk) {
  Captured c;
  TDebug log;
  log.Start(TDebugStyle::Launcher, std::make_unique<MemorySink>(c));
  log.Write("a").Write("b").WriteLn().Indent().Write("c");
  EXPECT_EQ(log.Text(), "00001| ab\r\n00002|   c");
  EXPECT_EQ(c.echoed, log.Text());
  EXPECT_EQ(c.appended, log.Text());
  EXPECT_EQ(c.saves, 0);
  TStringList items({"a", "b"});
  log.WriteLn().Outdent().WriteStrings(&items).WriteStrings(nullptr).WriteInt(3).WriteFmt("%02d", 4);
  EXPECT_EQ(log.Text(), "00001| ab\r\n00002|   c\r\n00003| abNIL304");
  log.Finish();
  EXPECT_EQ(c.file, "00001| ab\r\n00002|   c\r\n00003| abNIL304\r\n");
  EXPECT_FALSE(log.Enabled());
  log.Write("after");  // off again: nothing is stored or sent
  EXPECT_EQ(c.appended, "00001| ab\r\n00002|   c\r\n00003| abNIL304");
}

TEST(DebugEditor, IndentsByTwoPerLevelPlusOneAndRewritesTheFile) {
  struct Case { const char* name; void (*run)(TDebug&); const char* text; };
  const Case cases[] = {
      {"level 1, two lines", [](TDebug& d) { d.Indent().Write("x\r\ny").WriteLn(); }, "   x\r\ny\r\n"},
      {"level 2", [](TDebug& d) { d.Indent().Indent().Write("x").WriteLn(); }, "     x\r\n"},
      {"text ending in a break stays open", [](TDebug& d) { d.Write("a\r\n").Write("b").WriteLn(); }, "ab\r\n"},
      {"open line continues unindented", [](TDebug& d) { d.Write("a").Indent().Write("b").WriteLn().Write("c"); },
       "ab\r\n   c"},
      {"outdent stops at zero", [](TDebug& d) { d.Outdent().Write("z"); }, "z"},
      {"empty line inside a text", [](TDebug& d) { d.Write("p\r\n\r\nq"); }, "p\r\n\r\nq"},
  };
  for (const auto& c : cases) {
    Captured cap;
    TDebug log;
    log.Start(TDebugStyle::Editor, std::make_unique<MemorySink>(cap));
    c.run(log);
    EXPECT_EQ(log.Text(), c.text) << c.name;
    EXPECT_EQ(cap.echoed, c.text) << c.name;
    EXPECT_EQ(cap.file, std::string(c.text) + "\r\n") << c.name;  // rewritten after each write
  }
}

TEST(DebugHeader, EditorStyle) {
  Captured c;
  TDebug log;
  log.Start(TDebugStyle::Editor, std::make_unique<MemorySink>(c));
  log.WriteHeader(SampleHeader());
  EXPECT_EQ(log.Text(),
            "Starting Debug(@2024/03/05 07:08:09.012)...\r\n"
            "   Title     : quorvane\r\n"
            "   ExeName   : quorvane.exe\r\n"
            "   Dir       : C:\\表\\\r\n"
            "   Version   : 1.5.0.312\r\n"
            "   TimeStamp : 2024.03.01 10:00:00\r\n"
            "   OS        : Windows XP (5.1.2600[NT])\r\n"
            "-------------------------------------------\r\n");
}

TEST(DebugHeader, LauncherStyleNumbersNineLines) {
  Captured c;
  TDebug log;
  log.Start(TDebugStyle::Launcher, std::make_unique<MemorySink>(c));
  log.WriteHeader(SampleHeader());
  EXPECT_EQ(log.Text(),
            "00001| Starting Debug(@2024/03/05 07:08:09.012)...\r\n"
            "00002|   Title     : quorvane\r\n"
            "00003|   ExeName   : quorvane.exe\r\n"
            "00004|   Dir       : C:\\表\\\r\n"
            "00005|   Version   : 1.5.0.312\r\n"
            "00006|   TimeStamp : 2024.03.01 10:00:00\r\n"
            "00007|   OS        : Windows XP (5.1.2600[NT])\r\n"
            "00008|   DebugVer. : 1.20.0\r\n"
            "00009| -------------------------------------------\r\n");
}

TEST(DebugLineLog, AddsEntriesAndSavesThemAtTheEnd) {
  Captured c;
  TDebugLine log;
  EXPECT_EQ(log.Add("off"), 0);
  log.Start(std::make_unique<MemorySink>(c));
  log.WriteHeader(SampleHeader());
  EXPECT_EQ(log.Add("one\r\ntwo"), 1);
  EXPECT_EQ(log.AddFmt("n=%d", 5), 2);
  EXPECT_EQ(log.Add(""), 3);
  const std::string header =
      "\r\nStart Debug(@2024/03/05 07:08:09)... \r\nApplicatioName : quorvane\r\n"
      "ExeName        : C:\\表\\quorvane.exe\r\n -------------------------------------------\r\n";
  EXPECT_EQ(c.echoed, header + "\r\none\r\ntwo\r\nn=5\r\n\r\n\r\n");
  EXPECT_EQ(c.saves, 0);
  EXPECT_GE(log.Elapsed(), 0);
  log.Finish();
  EXPECT_EQ(c.file, header + "\r\none\r\ntwo\r\nn=5\r\n\r\n");
  EXPECT_EQ(log.Add("late"), 0);
}

TEST(DebugSwitch, AnyParameterEqualToDebugIgnoringCase) {
  struct Case { std::vector<std::string> params; bool on; };
  const Case cases[] = {
      {{"a", "b", "/DEBUG"}, true}, {{"/debug"}, true}, {{"/Debug=1"}, false},
      {{"Debug"}, false},           {{}, false},        {{"/Debug "}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(HasDebugSwitch(TStringList(c.params)), c.on) << c.params.size();
}

TEST(DebugOff, StoresAndSendsNothing) {
  TDebug log;
  TStringList l({"x"});
  log.Write("a").WriteLn().Indent().WriteInt(1).WriteFloat(1.5).WriteFmt("%d", 1).WriteStrings(&l).WriteDateTime();
  EXPECT_FALSE(log.Enabled());
  EXPECT_EQ(log.Text(), "");
}

TEST(DebugThreads, ConcurrentWritersNeverTearALine) {
  Captured c;
  TDebug log;
  log.Start(TDebugStyle::Launcher, std::make_unique<MemorySink>(c));
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&log, t] {
      for (int i = 0; i < 200; ++i) log.Write("thread" + std::to_string(t) + "\r\n\r\n");
    });
  for (auto& th : threads) th.join();
  const std::vector<std::string> lines = sjis::SplitLines(log.Text());
  ASSERT_EQ(lines.size(), 1600u);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    char num[32];
    std::snprintf(num, sizeof num, "%.5zu| ", i + 1);
    ASSERT_EQ(l.substr(0, 7), num);
    const std::string body = l.substr(7);
    ASSERT_TRUE(body.empty() || (body.size() == 7 && body.rfind("thread", 0) == 0)) << l;
  }
  EXPECT_EQ(c.appended, log.Text());
}

TEST(DebugFileSink, LauncherAppendsThenSavesWithAFinalBreak) {
  TempDir dir;
  const std::string file = dir / "Debug.txt";
  WriteTextFile(file, "old");
  auto sink = NewConsoleFileSink(file);
  sink->RemoveFile();
  EXPECT_FALSE(fileio::FileExists(file));
  TDebug log;
  log.Start(TDebugStyle::Launcher, std::move(sink));
  log.Write("表示").WriteLn().Write("b");
  EXPECT_EQ(ReadTextFile(file), "00001| 表示\r\n00002| b");
  log.Finish();
  EXPECT_EQ(ReadTextFile(file), "00001| 表示\r\n00002| b\r\n");
}

TEST(DebugFileSink, EditorFileHoldsTheTextAfterEveryWrite) {
  TempDir dir;
  const std::string file = dir / "Debug.txt";
  TDebug log;
  log.Start(TDebugStyle::Editor, NewConsoleFileSink(file));
  log.Write("ソ").WriteLn();
  EXPECT_EQ(ReadTextFile(file), "ソ\r\n\r\n");
  log.SaveToFile(dir / "copy.txt");
  EXPECT_EQ(ReadTextFile(dir / "copy.txt"), "ソ\r\n\r\n");
}

TEST(DebugHeaderFacts, OSVersionText) {
  struct Case { TOSPlatform p; unsigned major, minor, build; const char* text; };
  const Case cases[] = {
      {TOSPlatform::NT, 5, 1, 2600, "Windows XP (5.1.2600[NT])"},
      {TOSPlatform::NT, 5, 2, 3790, "Windows XP (5.2.3790[NT])"},
      {TOSPlatform::NT, 5, 0, 2195, "Windows 2000 (5.0.2195[NT])"},
      {TOSPlatform::NT, 4, 0, 1381, "Windows NT4.0 (4.0.1381[NT])"},
      {TOSPlatform::NT, 10, 0, 19045, "Windows Longhorn or Later (10.0.19045[NT])"},
      {TOSPlatform::Win9x, 4, 0, 950, "Windows 95 (4.0.950[9x])"},
      {TOSPlatform::Win9x, 4, 10, 67766446, "Windows 98 (4.10.67766446[9x])"},
      {TOSPlatform::Win9x, 4, 90, 3000, "Windows Me (4.90.3000[9x])"},
      {TOSPlatform::Win9x, 4, 91, 1, "Windows Me later (4.91.1[9x])"},
      {TOSPlatform::Win9x, 5, 0, 1, "Windows Me later (5.0.1[9x])"},
      {TOSPlatform::Other, 1, 2, 3, "Unkown OS (1.2.3[9x])"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatOSVersionText(c.p, c.major, c.minor, c.build), c.text);
}

TEST(DebugHeaderFacts, FileVersionAndTimeTexts) {
  EXPECT_EQ(FormatFileVersionText(0x00010005, 0x00000138), "1.5.0.312");
  EXPECT_EQ(FormatFileVersionText(0xFFFF0000, 0x0002FFFF), "65535.0.2.65535");
  EXPECT_EQ(FormatFileTimeText({2009, 1, 2, 3, 4, 5, 999}), "2009.01.02 03:04:05");
  EXPECT_EQ(FormatLogDateTime({2009, 11, 12, 13, 14, 15, 16}), "2009/11/12 13:14:15.016");
  EXPECT_EQ(GetFileTimeText("no such file here.exe"), "");
}

}  // namespace
