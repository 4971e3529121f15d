// The launcher window's status line, colour sets, popup menu and tray tip.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/File_Utils.h"
#include "core/KeyWordX.h"
#include "core/ZMRTData.h"
#include "launcher/Taskbar.h"
#include "launcher/UZMRT.h"
#include "tests/launcher/LauncherFixture.h"
#include "tests/support/TestWindow.h"

namespace {

TEST(LauncherStatusText, ItemStatusByKind) {
  const struct {
    const char* name;
    int type;
    bool runModeOne;
    std::string command, comment;
    int kind;
    std::string text;
    int color;
  } cases[] = {
      {"comment of a system command", kTypeSystem, false, "", "閉じる", pkNone, "閉じる", -1},
      {"existing file shows its name", kTypeCommand, false, "C:\\tools\\a.exe", "", pkFile, "a.exe", -1},
      {"existing file with comment", kTypeCommand, false, "C:\\tools\\a.exe", "エディタ", pkFile, "エディタ", -1},
      {"bare drive stays whole", kTypeCommand, false, "C:\\", "", pkDirectory, "C:", -1},
      {"folder loses its backslash", kTypeTemp, false, "C:\\表\\", "", pkDirectory, "表", -1},
      {"missing command is a broken link", kTypeCommand, false, "C:\\gone.exe", "", pkNone, "!リンク切れ!", 1},
      {"http is no broken link", kTypeCommand, false, "http://a.example/", "", pkNone, "http://a.example/", -1},
      {"https is no broken link", kTypeCommand, false, "https://a.example/", "", pkNone, "https://a.example/", -1},
      {"mail with comment", kTypeCommand, false, "mailto:a@b", "メール", pkNone, "メール", -1},
      {"empty system command", kTypeSystem, false, "", "", pkNone, "システムコマンド", -1},
      {"group without comment", kTypeGroup, false, "", "", pkNone, "グループ", -1},
      {"one-line group shows its command", kTypeGroup, true, "a b", "", pkNone, "a b", -1},
  };
  for (const auto& c : cases) {
    const TStatusChoice s = ItemStatus(c.type, c.runModeOne, c.command, c.comment, c.kind);
    EXPECT_EQ(s.Text, c.text) << c.name;
    EXPECT_EQ(s.ColorSet, c.color) << c.name;
  }
}

TEST(LauncherStatusText, TextStatusNamesWhatEnterRegisters) {
  auto exists = [](const std::string& path) { return path == "abc" || path == "g/x"; };
  const struct {
    std::string text;
    bool valid, regist;
    std::string status;
    int color;
  } cases[] = {
      {"", false, true, "quorvane", -1},
      {"a:b", false, true, "使用できない文字列", 1},
      {"abc", true, false, "未登録キーワード", 2},
      {"abc", true, true, "\"abc\"を登録", 2},
      {"abc/def", true, true, "\"abc\"に\"def\"を登録", 2},
      {"abc/", true, true, "\"abc\"をグループ化", 2},
      {"new/", true, true, "\"new\"をグループとして登録", 2},
      {"g/y/", true, true, "\"g\"に\"y\"をグループとして登録", 2},
      {"g/x/", true, true, "\"g/x\"をグループ化", 2},
  };
  for (const auto& c : cases) {
    const TStatusChoice s = TextStatus(c.text, c.valid, c.regist, "quorvane", exists);
    EXPECT_EQ(s.Text, c.status) << c.text;
    EXPECT_EQ(s.ColorSet, c.color) << c.text;
  }
}

TEST(LauncherTrayTip, ShellVersionIsItsLeadingNumberAndTheTipFollowsIt) {
  EXPECT_EQ(LeadingVersionNumber("6.0.2900.6242"), 6);
  EXPECT_EQ(LeadingVersionNumber("10.0.19041"), 10);
  EXPECT_EQ(LeadingVersionNumber(""), 0);
  EXPECT_EQ(LeadingVersionNumber("x"), 0);
  EXPECT_EQ(TrayTipText("q ver1", 4, "a", "Ctrl+Space"), "q ver1");
  EXPECT_EQ(TrayTipText("q ver1", 6, "なし", ""), "q ver1\r\n  ダブルクリックで本体表示");
  EXPECT_EQ(TrayTipText("q ver1", 6, "", "Ctrl+Space"), "q ver1\r\n  表示:[Ctrl+Space]");
  EXPECT_EQ(TrayTipText("q ver1", 5, "notepad", "Alt+Q"), "q ver1\r\n  起動:[notepad]\r\n  表示:[Alt+Q]");
}

class LauncherStatus : public LauncherWindow {
 protected:
  // A keyword in the root (or in group) of the store.
  TKeyWordX* Add(const std::string& name, int type, const std::string& command, const std::string& comment = "",
                 const std::string& group = "") {
    items.push_back(main->KeyWordManager->NewKeyWord(name, group, type));
    TKeyWordX* item = items.back().get();
    item->SetCommand(command);
    if (!comment.empty()) item->SetComment(comment);
    return item;
  }
  // Shows text with item as the current item: the window gets its own view of
  // the item, as it does from a parse.
  void Show(const std::string& text, TKeyWordX* item) {
    main->Edit1->SetText(text);
    main->SetCurrentItem(ViewOf(item));
    main->UpdateStatus();
  }
  std::unique_ptr<TKeyWordX> ViewOf(TKeyWordX* item) {
    if (!item) return nullptr;
    if (item->GetType() == kTypeTemp) return main->KeyWordManager->CreateTemp(item->Name, item->GetCommand());
    return main->KeyWordManager->FindKeyWord(item->GetKeyWord());
  }
  // The visible top-level captions, without shortcut texts.
  std::vector<std::string> Captions() {
    main->PopupMenu1Popup();
    std::vector<std::string> out;
    HMENU menu = main->PopupMenu();
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      char buffer[256] = {};
      GetMenuStringA(menu, i, buffer, sizeof buffer, MF_BYPOSITION);
      std::string caption = buffer;
      if (caption.empty()) caption = "-";
      out.push_back(caption.substr(0, caption.find('\t')));
    }
    return out;
  }
  std::vector<std::unique_ptr<TKeyWordX>> items;
  void TearDown() override {
    if (main) main->ClearCurrentItem();
    items.clear();
    LauncherWindow::TearDown();
  }
};

TEST_F(LauncherStatus, ColourSetsComeFromTheSettingsWithSystemDefaults) {
  Settings("Back_C=\"255\",\"65280\"\r\nInput_C=\"x\",\"16711680\",\"-2147483643\"\r\n");
  TZMRTMain& m = Make();
  const struct {
    int set;
    COLORREF back, input;
  } cases[] = {
      {0, RGB(255, 0, 0), GetSysColor(COLOR_WINDOWTEXT)},
      {1, RGB(0, 255, 0), RGB(0, 0, 255)},
      {2, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW)},
      {3, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT)},
  };
  for (const auto& c : cases) {
    m.SetStateColor(c.set);
    EXPECT_EQ(m.ColorIndex, c.set);
    EXPECT_EQ(m.WindowColor(), c.back) << c.set;
    EXPECT_EQ(m.Edit1->TextColor(), c.input) << c.set;
    // The box answers its parent's colour question with its own colours.
    HDC dc = GetDC(m.Edit1->Handle());
    const LRESULT brush = SendMessageA(m.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(m.Edit1->Handle()));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetTextColor(dc), c.input) << c.set;
    ReleaseDC(m.Edit1->Handle(), dc);
  }
  m.ModeColor = 2;
  m.SetStateColor(-1);
  EXPECT_EQ(m.ColorIndex, 2);
}

TEST_F(LauncherStatus, StatusTextAndColourForWhatIsTyped) {
  Settings("RegistByEnter=1\r\n");
  Make();
  Add("abc", kTypeGroup, "");
  const struct {
    const char* name;
    std::string text;
    int type;  // -1: no current item
    std::string command;
    std::string status;
    int color;
  } cases[] = {
      {"unregistered in a group", "abc/def", -1, "", "\"abc\"に\"def\"を登録", 2},
      {"invalid text", "no/such/group", -1, "", "使用できない文字列", 1},
      {"broken link", "gone", kTypeCommand, user + "\\gone.exe", "!リンク切れ!", 1},
      {"https command", "web", kTypeCommand, "https://example.org/", "https://example.org/", 0},
      {"group", "grp", kTypeGroup, "", "グループ", 0},
      {"existing folder", "items", kTypeCommand, user + "\\Items\\", "Items", 0},
  };
  for (const auto& c : cases) {
    TKeyWordX* item = c.type < 0 ? nullptr : Add(c.text, c.type, c.command);
    Show(c.text, item);
    EXPECT_EQ(main->StatusText, c.status) << c.name;
    EXPECT_EQ(main->ShownStatusText, c.status) << c.name;
    EXPECT_EQ(main->ColorIndex, c.color) << c.name;
  }
}

TEST_F(LauncherStatus, MenuShowsTheEntriesThatFitTheInput) {
  Make();
  TKeyWordX* normal = Add("note", kTypeCommand, "notepad.exe");
  std::unique_ptr<TKeyWordX> temp = main->KeyWordManager->CreateTemp("C:\\", "C:\\");
  const std::vector<std::string> tail = {"-", "設定", "情報", "終了"};
  auto with = [&](std::vector<std::string> head) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  };
  const struct {
    const char* name;
    std::string text;
    TKeyWordX* item;
    std::vector<std::string> captions;
  } cases[] = {
      {"empty box", "", nullptr, with({"キーワードマネージャ", "隠す", "-", "新規作成", "キーワードマネージャ"})},
      {"normal keyword", "note", normal,
       with({"実行", "隠す", "-", "新規作成", "キーワードマネージャ", "-", "\"note\"の設定", "\"note\"を削除"})},
      {"typed path", "C:\\", temp.get(), with({"実行", "隠す", "-", "新規作成", "キーワードマネージャ"})},
      {"invalid text", "a/b/c", nullptr, with({"隠す", "-", "新規作成", "キーワードマネージャ"})},
  };
  for (const auto& c : cases) {
    Show(c.text, c.item);
    EXPECT_EQ(Captions(), c.captions) << c.name;
  }
  Show("", nullptr);
  main->Hidden = true;
  EXPECT_EQ(Captions()[1], "表示");
  // The tray opens the same menu.
  EXPECT_EQ(main->TrayIcon1->RButtonPopupMenu, main->PopupMenu());
  EXPECT_EQ(main->TrayIcon1->LButtonPopupMenu, main->PopupMenu());
}

TEST_F(LauncherStatus, MenuCommandsReachTheirActions) {
  Make();
  SendMessageA(main->Handle(), WM_COMMAND, 202, 0);  // the data folder
  ASSERT_EQ(shellCalls.size(), 1u);
  EXPECT_EQ(shellCalls[0].file, user);
  EXPECT_EQ(shellCalls[0].show, SW_SHOWDEFAULT);
}

TEST_F(LauncherStatus, TrayTipWithoutStartProgramAndCallKey) {
  Settings("Exe_S=なし\r\n");
  Make();
  main->TrayIcon1->SetTipHelp("");
  main->TrayIcon1MouseMove();
  const std::string tip = main->TrayIcon1->TipHelp();
  const size_t line = tip.find("\r\n");
  ASSERT_NE(line, std::string::npos) << tip;
  EXPECT_EQ(tip.substr(line), "\r\n  ダブルクリックで本体表示");
}

TEST_F(LauncherStatus, MissingHelpSaysWhereItLooked) {
  Make();
  std::vector<ui::TMessageBoxRequest> boxes;
  ui::SetMessageBoxHandler([&](const ui::TMessageBoxRequest& r) {
    boxes.push_back(r);
    return IDOK;
  });
  main->HelpActionExecute();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "ヘルプが見つかりません - " + FilePathsInstance().DocDir + "\\window\\main.html");
  EXPECT_EQ(boxes[0].Caption, "quorvane");
  EXPECT_TRUE(shellCalls.empty());
}

// For tools/status-screenshot.sh only (skipped otherwise): shows the window
// with a Japanese comment in colour sets 0 and 1; for each set it writes the
// window's screen rectangle to <QV_SHOT_DIR>\ready<n> and waits until the
// script has taken its picture and made <QV_SHOT_DIR>\done<n>.
TEST_F(LauncherStatus, ScreenshotStatusLineInColourSets) {
  char shots[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("QV_SHOT_DIR", shots, sizeof shots)) GTEST_SKIP() << "QV_SHOT_DIR not set";
  Settings("WindowWidth=360\r\nWindowLeft=40\r\nWindowTop=40\r\n");
  Make();
  TKeyWordX* item = Add("mail", kTypeSystem, "", "メールソフトを起動します");
  main->Show();
  for (int set = 0; set < 2; ++set) {
    main->ColorIndex = -1;
    Show("mail", item);
    main->SetStateColor(set);
    RedrawWindow(main->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFor(300);
    RECT r = {};
    GetWindowRect(main->Handle(), &r);
    const std::string base = std::string(shots) + "\\";
    WriteTextFile(base + "ready" + std::to_string(set),
                  std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" +
                      std::to_string(r.left) + "+" + std::to_string(r.top));
    EXPECT_TRUE(PumpUntil([&] { return fileio::FileExists(base + "done" + std::to_string(set)); }, 30000));
  }
}

}  // namespace
