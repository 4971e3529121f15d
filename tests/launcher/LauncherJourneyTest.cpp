// The real quorvane.exe as a person uses it: keys typed with SendInput into
// the launcher's window, and what a person would see or get read from outside
// the process (a program started with its parameters, the box's text, the
// status line as the debug log names it, files in the data folder).
#include "tests/launcher/LauncherJourneyFixture.h"

namespace {

// What Enter runs is what the box shows, however the text came to be there.
TEST_F(LauncherJourney, TypedKeysAndEnterRunWhatTheBoxShows) {
  std::string alphabet, recorder, popa, popb;
  {
    TKeyWordManager store(user + "\\Items", dir.path());
    alphabet = Recorder(store, "alphabet");
    recorder = Recorder(store, "recorder");
    popa = Recorder(store, "popa");
    popb = Recorder(store, "popb");
    store.Save();
  }
  Settings("UseHistory=1\r\nRegistByEnter=1\r\n");
  fileio::ForceDirectories(dir / "ファイル 置き場");
  WriteTextFile(dir / "ファイル 置き場\\資料.txt", "x");
  Start();

  const struct {
    const char* name;
    std::string keys;
    std::string shown;  // the box's text just before Enter
    std::string* runs;  // the recorder that must run
    std::string args;   // what it gets
  } journeys[] = {
      // The history offers its lines as candidates too: the Tab journeys come
      // while it holds no longer line starting with "reco".
      {"keyword typed in full", "recorder", "recorder", &recorder, ""},
      {"Tab completion", "reco{Tab}", "recorder ", &recorder, ""},
      {"Tab completion, then a parameter", "reco{Tab}x", "recorder x", &recorder, "x"},
      {"prefix completed inline", "alp", "alphabet", &alphabet, ""},
      {"keyword, blank and parameters", "recorder one \"two three\"", "recorder one \"two three\"", &recorder,
       "one \"two three\""},
      {"second row of the popup", "pop{Down}", "", nullptr, ""},
  };
  for (const auto& j : journeys) {
    SCOPED_TRACE(j.name);
    CallUp();
    Type(j.keys);
    const std::string shown = BoxText();
    if (!j.shown.empty()) EXPECT_EQ(shown, j.shown);
    std::string expectArgs = j.args;
    const std::string* runs = j.runs;
    if (!runs) {  // the row that Down brought into the box
      ASSERT_TRUE(shown == "popa" || shown == "popb") << shown;
      runs = shown == "popa" ? &popa : &popb;
    }
    Type("{Enter}");
    EXPECT_EQ(ArgsOf(*runs), expectArgs);
    for (const std::string* other : {&alphabet, &recorder, &popa, &popb})
      if (other != runs) EXPECT_FALSE(fileio::FileExists(*other)) << *other;
    for (const std::string* file : {&alphabet, &recorder, &popa, &popb}) fileio::DeleteFileAt(*file);
    ExpectHidden();  // HideWhenRun
    EXPECT_EQ(BoxText(), "");
    ASSERT_TRUE(Alive());
  }
  // The runs are in the history, and the store kept the raised priorities:
  // recorder ran most and now comes before alphabet.
  EXPECT_TRUE(WaitFor([&] { return Read(user + "\\History.txt").find("recorder one") != std::string::npos; }))
      << Read(user + "\\History.txt");
  const std::string root = Read(user + "\\Items\\%.vane");
  EXPECT_LT(root.find("recorder"), root.find("alphabet")) << root;
}

// A Japanese file name with a blank reaches the program as one parameter,
// pasted into the box with Ctrl+V as a person would put it there.
TEST_F(LauncherJourney, PastedJapanesePathIsOneParameter) {
  std::string recorder;
  {
    TKeyWordManager store(user + "\\Items", dir.path());
    recorder = Recorder(store, "recorder");
    store.Save();
  }
  Settings("");
  const std::string file = dir / "ファイル 置き場\\資料.txt";
  fileio::ForceDirectories(dir / "ファイル 置き場");
  WriteTextFile(file, "x");
  Start();
  Type("recorder ");
  const std::string quoted = "\"" + file + "\"";
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, quoted.size() + 1);
  memcpy(GlobalLock(mem), quoted.c_str(), quoted.size() + 1);
  GlobalUnlock(mem);
  SetClipboardData(CF_TEXT, mem);
  CloseClipboard();
  Type("{^V}");
  ASSERT_TRUE(WaitFor([&] { return BoxText() == "recorder " + quoted; })) << BoxText();
  Type("{Enter}");
  EXPECT_EQ(ArgsOf(recorder), quoted);
}

// Text that matches nothing: the editor's request, or a beep with the error
// colours; the group keyword runs its members; Esc and the call hotkey.
TEST_F(LauncherJourney, UnmatchedTextGroupsEscAndTheCallHotkey) {
  std::string alphabet, first, second;
  {
    TKeyWordManager store(user + "\\Items", dir.path());
    alphabet = Recorder(store, "alphabet", "", "アルファベットの記録");
    store.NewKeyWord("tools", "", 5);
    first = Recorder(store, "one", "tools");
    second = Recorder(store, "two", "tools");
    store.Save();
  }
  // Distinct input backgrounds per colour set: white, red, green, blue.
  Settings("RegistByEnter=1\r\nInputBack_C=16777215,255,65280,16711680\r\n");
  Start();
  const std::string request = dir / "Files\\args.txt";

  // The status line names the keyword while it is typed, and the title on
  // the empty box.
  EXPECT_TRUE(WaitFor([&] { return Status() == "quorvane"; })) << Status();
  Type("alp");
  EXPECT_TRUE(WaitFor([&] { return Status() == "アルファベットの記録"; })) << Status();
  // Backspace takes the inline part away: the box shows "alp", no keyword,
  // and Enter asks the editor for a new one instead of running alphabet.
  Type("{BS}");
  ASSERT_EQ(BoxText(), "alp");
  Type("{Enter}");
  ASSERT_TRUE(WaitFor([&] { return fileio::FileExists(request); }));
  ExpectHidden();  // HideWhenSetting
  EXPECT_NE(Read(request).find("\"Action=New\"\r\n\"KeyWord=alp\"\r\n\"Type=-1\""), std::string::npos)
      << Read(request);
  EXPECT_FALSE(fileio::FileExists(alphabet));
  fileio::DeleteFileAt(request);

  // A blank makes the text no valid keyword: a beep and colour set 1.
  CallUp();
  Type("{^A}{BS}zz qq{Enter}");
  EXPECT_TRUE(WaitFor([&] { return BoxBackground() == RGB(255, 0, 0); }, 5000)) << BoxBackground();
  EXPECT_FALSE(fileio::FileExists(request));

  // The group keyword (completed to "tools/" as its name is listed) asks
  // before it runs; Enter takes the default answer, and its members run.
  Type("{^A}{BS}tools");
  EXPECT_EQ(BoxText(), "tools/");
  Type("{Enter}");
  ASSERT_TRUE(WaitFor([&] { return ShowsADialog(); })) << "the group's question";
  Sleep(200);
  realinput::Type("{Enter}");
  EXPECT_EQ(ArgsOf(first), "");
  EXPECT_EQ(ArgsOf(second), "");

  // Esc hides; the call hotkey shows the box again with the focus in it.
  ExpectHidden();
  CallUp();
  Type("alp{Esc}{Esc}");  // the list, then the text
  EXPECT_TRUE(IsWindowVisible(window)) << "Esc with text only clears the box";
  EXPECT_EQ(BoxText(), "");
  Type("{Esc}");
  ExpectHidden();
  CallUp();
  Type("alp");
  EXPECT_EQ(BoxText(), "alphabet");
  EXPECT_TRUE(Alive());
}

// In the small layout the status has no line of its own: resting the mouse on
// the window shows it as a tooltip, and on the icon picture what a click and
// a drag do.
TEST_F(LauncherJourney, SmallLayoutShowsTheStatusAndTheIconHintAsTooltips) {
  {
    TKeyWordManager store(user + "\\Items", dir.path());
    Recorder(store, "alphabet", "", "アルファベットの記録");
    store.Save();
  }
  Settings("showicon=1\r\nsmall=1\r\nWindowLeft=200\r\nWindowTop=200\r\nWindowWidth=260\r\n");
  Start();
  HWND icon = FindWindowExA(window, nullptr, nullptr, nullptr);
  while (icon && icon == edit) icon = FindWindowExA(window, icon, nullptr, nullptr);
  ASSERT_TRUE(icon) << "the icon picture";
  const DWORD pid = GetProcessId(process);
  // Rests the pointer on a client point until a tip of the launcher shows.
  auto hover = [&](HWND w, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(w, &p);
    realinput::PointerTo({p.x - 3, p.y});
    Idle();
    realinput::PointerTo({p.x, p.y});
    HWND tip = nullptr;
    const bool shown = WaitFor([&] { return (tip = realinput::ShownWindow(pid, "tooltips_class32")) != nullptr; }, 10000);
    return shown ? realinput::ToolTipText(tip) : std::string("-");
  };
  auto away = [&] {
    realinput::PointerTo({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
    WaitFor([&] { return realinput::ShownWindow(pid, "tooltips_class32") == nullptr; }, 10000);
  };
  RECT client = {};
  GetClientRect(window, &client);
  EXPECT_EQ(hover(icon, 6, 6), "クリック : キーワードマネージャ\r\nドラッグ : ウィンドウを登録");
  away();  // so that the next tip read is the next one shown
  EXPECT_EQ(hover(window, client.right - 4, client.bottom / 2), "quorvane");
  away();
  Type("alp");
  ASSERT_EQ(BoxText(), "alphabet");
  EXPECT_EQ(hover(window, client.right - 4, client.bottom / 2), "アルファベットの記録");
  away();
  EXPECT_EQ(hover(icon, 6, 6), "クリック : 実行\r\nドラッグ : ウィンドウを登録");
  away();
  EXPECT_TRUE(Alive());
}

// Typing, completing, editing and deleting in a loop never reads a keyword
// the box has already freed: no crash, no error box.
TEST_F(LauncherJourney, FiftyRoundsOfTypingCompletingAndDeleting) {
  std::string recorder;
  {
    TKeyWordManager store(user + "\\Items", dir.path());
    recorder = Recorder(store, "recorder", "", "記録する");
    Recorder(store, "record2");
    std::unique_ptr<TKeyWordX> note = store.NewKeyWord("note", "", 0);
    note->SetCommand("notepad.exe");
    note->SetComment("メモ");
    store.Save();
  }
  Settings("");
  Start();
  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    CallUp();
    Type("rec{Tab} p1 p2{BS}{BS}{BS}{Left}x{Del}{Home}{End} no{Tab}{BS}{BS}");
    ASSERT_TRUE(Alive()) << "the launcher died";
    ASSERT_FALSE(ShowsADialog()) << "an error box";
    if (round % 2 == 0) {
      Type("{^A}{BS}recorder a{Enter}");
      ASSERT_EQ(ArgsOf(recorder), "a");
      fileio::DeleteFileAt(recorder);
    } else {
      Type("{Esc}{Esc}{Esc}");  // the list, the text, the window
    }
    ExpectHidden();
    ASSERT_TRUE(Alive()) << "the launcher died";
    ASSERT_FALSE(ShowsADialog()) << "an error box";
  }
}

}  // namespace
