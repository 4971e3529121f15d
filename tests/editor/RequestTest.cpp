// Keyword requests run in process without the manager window, on a store in a
// temp folder: what each leaves in the files, with the real dialogs driven by
// keys once they are up.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/FileIO.h"
#include "core/File_Paths.h"
#include "core/KeyWordX.h"
#include "core/Sjis.h"
#include "editor/UEditGroupCommand2.h"
#include "editor/UEditNormalCommand2.h"
#include "editor/UProgressDialog.h"
#include "editor/URZEditorMain.h"
#include "editor/USelectCommand.h"
#include "tests/support/RealInput.h"
#include "tests/support/TempDir.h"
#include "tests/ui/UiFixture.h"
#include "ui/Button.h"
#include "ui/MessageBox.h"
#include "ui/TreeView.h"

namespace {

using V = std::vector<std::string>;

// The root holds メモ (a command) and the group 道具, which holds 電卓.
class RequestTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    saved = EditorState();
    paths = TFilePaths(td / "Main");
    ASSERT_TRUE(fileio::ForceDirectories(paths.ItemsDir));
    ASSERT_TRUE(fileio::ForceDirectories(td / "Tools"));
    WriteTextFile(td / "Tools\\App.exe", "MZ");
    WriteTextFile(paths.ItemsDir + "\\%.vane",
                  "メモ\tType=0\tCommand=notepad.exe\tComment=書く\tUseKeyword=0\r\n"
                  "道具\tType=5\r\n");
    WriteTextFile(paths.ItemsDir + "\\%道具.vane", "電卓\tType=0\tCommand=calc.exe\r\n");
    EditorState().Load(paths);
    EditorState().Busy = false;
    previousBox = ui::SetMessageBoxHandler([this](const ui::TMessageBoxRequest& r) {
      boxes.push_back(r.Text);
      return boxAnswer;
    });
  }
  void TearDown() override {
    ui::SetMessageBoxHandler(previousBox);
    EditorState() = saved;
    UiTest::TearDown();
  }

  static TStringIni Request(std::initializer_list<std::pair<const char*, std::string>> values) {
    TStringIni r;
    for (const auto& [key, value] : values) r.WriteString(key, value);
    return r;
  }
  // What a fresh read of the files holds.
  V Names(const std::string& group) {
    TKeyWordManager fresh(EditorState().ItemsDir, EditorState().MainDir);
    return fresh.GetNames(group).Items();
  }
  std::unique_ptr<TKeyWordX> Saved(const std::string& path) {
    fresh = std::make_unique<TKeyWordManager>(EditorState().ItemsDir, EditorState().MainDir);
    return fresh->FindKeyWord(path);
  }
  // Runs the request; drive gets each dialog once it is up and in front. A
  // dialog still open afterwards is cancelled.
  bool Run(TStringIni request, const std::function<void(ui::TForm&)>& drive = {}) {
    auto modal = app->OnModal.Add([&](ui::TForm& f) {
      if (!PumpUntil([&] { return GetForegroundWindow() == f.Handle(); })) ADD_FAILURE() << "not in front";
      Drain();
      dialogs.push_back(Kind(f));
      if (drive) drive(f);
      Drain();
      if (f.Modal() && f.ModalResult() == 0) f.SetModalResult(IDCANCEL);
    });
    return ExecuteParamAction(request);
  }
  static std::string Kind(ui::TForm& f) {
    if (dynamic_cast<TSelectCommand*>(&f)) return "kind";
    if (dynamic_cast<TNormalCommandDlg*>(&f)) return "normal";
    if (dynamic_cast<TEditGroupCommand*>(&f)) return "group";
    return "other";
  }
  void Keys(const std::string& script) { realinput::TypeHeld(script, [this] { Drain(); }); }
  void Confirm() { realinput::Chord({VK_SHIFT, VK_RETURN}); }

  TempDir td;
  TFilePaths paths{td.path()};
  TEditorState saved;
  std::unique_ptr<TKeyWordManager> fresh;
  ui::TMessageBoxHandler previousBox;
  V boxes;
  int boxAnswer = IDYES;
  V dialogs;
};

TEST_F(RequestTest, NewWithoutADialogPlacesTheItemAsTheRequestSays) {
  struct TCase {
    const char* what;
    std::string keyword, command, type;
    std::string path;        // where the item ends up
    int savedType;
  };
  const TCase cases[] = {
      {"a named command; one trailing backslash and line break cut", "新規\\", "x.exe\r\n", "", "新規", 0},
      {"a group path with a slash: an unnamed group, no kind asked", "道具/", "", "", "道具/Keyword", 5},
      {"an existing command without a type: its copy in its group", "メモ", "", "", "メモ(0)", 0},
      {"a second empty name", "", "", "0", "Keyword", 0},
      {"and a third", "", "", "0", "Keyword(0)", 0},
  };
  EditorState().Dialogs.WriteInteger("ShowDialogWhenRegist", 1);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TStringIni r = Request({{"Action", "New"}, {"Keyword", c.keyword}, {"Command", c.command}, {"ShowDialog", "0"}});
    if (!c.type.empty()) r.WriteString("Type", c.type);
    EXPECT_FALSE(Run(r));
    auto item = Saved(c.path);
    ASSERT_TRUE(item) << c.path;
    EXPECT_EQ(item->GetType(), c.savedType);
  }
  EXPECT_EQ(Saved("新規")->GetCommand(), "x.exe");
  EXPECT_EQ(Saved("メモ(0)")->GetComment(), "書く");
  EXPECT_TRUE(dialogs.empty());
  EXPECT_TRUE(boxes.empty());
  EXPECT_FALSE(EditorState().Busy);
}

TEST_F(RequestTest, NewOfAProgramNamesTheItemFromIt) {
  EXPECT_FALSE(Run(Request({{"Action", "New"}, {"Command", td / "Tools\\App.exe"}, {"ShowDialog", "0"}})));
  auto item = Saved("App");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->GetDir(), td / "Tools\\");
  EXPECT_EQ(item->GetIcon(), td / "Tools\\App.exe");
}

TEST_F(RequestTest, NewAsksTheKindThenRunsItsDialog) {
  EXPECT_FALSE(Run(Request({{"Action", "New"}, {"Keyword", "ノート"}}), [&](ui::TForm& f) {
    if (Kind(f) == "kind") {
      auto& d = static_cast<TSelectCommand&>(f);
      d.Tree().Focus();
      Keys("{Home}{Enter}");  // 通常コマンド
    } else if (Kind(f) == "normal") {
      Confirm();
    }
  }));
  EXPECT_EQ(dialogs, (V{"kind", "normal"}));
  auto item = Saved("ノート");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->GetType(), 0);
  EXPECT_EQ(Names("")[1], "ノート") << "DefaultPriority 1: second place";
  EXPECT_FALSE(EditorState().Busy);
}

TEST_F(RequestTest, CancelsLeaveNothingAndTheFlagClear) {
  struct TCase {
    const char* what;
    const char* cancelIn;
  };
  for (const TCase& c : {TCase{"Esc in the kind dialog", "kind"}, TCase{"Esc in the command dialog", "normal"}}) {
    SCOPED_TRACE(c.what);
    dialogs.clear();
    const V before = Names("");
    EXPECT_FALSE(Run(Request({{"Action", "New"}, {"Keyword", "ノート"}}), [&](ui::TForm& f) {
      if (Kind(f) == c.cancelIn) {
        Keys("{Esc}");
      } else if (Kind(f) == "kind") {
        static_cast<TSelectCommand&>(f).Tree().Focus();
        Keys("{Home}{Enter}");
      }
    }));
    EXPECT_EQ(dialogs.back(), c.cancelIn);
    EXPECT_EQ(Names(""), before);
    EXPECT_FALSE(EditorState().Busy) << "a later request must not be refused";
  }
  EXPECT_TRUE(boxes.empty()) << "nothing was refused";
}

TEST_F(RequestTest, EditWithACommandKeepsItOnlyWhenConfirmed) {
  for (bool confirm : {false, true}) {
    SCOPED_TRACE(confirm ? "OK" : "Cancel");
    Run(Request({{"Action", "Edit"}, {"Keyword", "メモ"}, {"Command", "wordpad.exe"}}), [&](ui::TForm& f) {
      if (confirm) Confirm();
      else Keys("{Esc}");
    });
    EXPECT_EQ(Saved("メモ")->GetCommand(), confirm ? "wordpad.exe" : "notepad.exe");
  }
}

TEST_F(RequestTest, ChangeToGroupMakesAGroupWhateverTheTypeAndUndoesOnCancel) {
  Run(Request({{"Action", "ChangeToGroup"}, {"Keyword", "メモ"}, {"Type", "0"}}), [&](ui::TForm&) { Keys("{Esc}"); });
  EXPECT_EQ(dialogs, V{"group"});
  EXPECT_EQ(Names(""), (V{"メモ", "道具"})) << "cancelled: saved as it was";
  EXPECT_EQ(Saved("メモ")->GetType(), 0);

  dialogs.clear();
  Run(Request({{"Action", "ChangeToGroup"}, {"Keyword", "メモ"}, {"Type", "-1"}}), [&](ui::TForm&) { Confirm(); });
  EXPECT_EQ(dialogs, V{"group"});
  ASSERT_TRUE(Saved("メモ"));
  EXPECT_EQ(Saved("メモ")->GetType(), 5);
  EXPECT_EQ(Names("メモ"), V{"メモ"});
  EXPECT_EQ(Saved("メモ/メモ")->GetCommand(), "notepad.exe");
  EXPECT_EQ(Names(""), (V{"メモ", "道具"})) << "the group took the item's place";

  boxes.clear();
  Run(Request({{"Action", "ChangeToGroup"}, {"Keyword", "道具"}}));
  EXPECT_EQ(boxes, V{"そのキーワードはすでにグループです  道具"});
}

TEST_F(RequestTest, DeleteSelectAndUnknownKeywords) {
  boxAnswer = IDYES;
  EXPECT_FALSE(Run(Request({{"Action", "Delete"}, {"Keyword", "道具/電卓"}})));
  EXPECT_EQ(Names("道具"), V{});
  EXPECT_EQ(boxes.size(), 1u) << "asked once";

  // Shift held as the request ends asks for the manager window after all.
  boxAnswer = IDYES;
  INPUT shift[2] = {};
  shift[0].type = shift[1].type = INPUT_KEYBOARD;
  shift[0].ki.wVk = shift[1].ki.wVk = VK_SHIFT;
  shift[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &shift[0], sizeof(INPUT));
  Drain();
  const bool withShift = Run(Request({{"Action", "Delete"}, {"Keyword", "メモ"}}));
  SendInput(1, &shift[1], sizeof(INPUT));
  Drain();
  EXPECT_TRUE(withShift);
  EXPECT_EQ(Names(""), V{"道具"}) << "saved all the same";

  boxes.clear();
  EXPECT_TRUE(Run(Request({{"Action", "Select"}, {"Keyword", "道具"}})));
  EXPECT_EQ(EditorState().SelectKeyword, "道具");
  EXPECT_FALSE(Run(Request({{"Action", "select"}, {"Keyword", "無い"}})));
  EXPECT_FALSE(Run(Request({{"Action", "Edit"}, {"Keyword", "無い"}})));
  EXPECT_EQ(boxes, (V{"該当するキーワードはありません  無い", "該当するキーワードはありません  無い"}));
  EXPECT_TRUE(Run(Request({{"Action", "Edit"}})));
  EXPECT_FALSE(Run(Request({{"Action", "Other"}, {"Keyword", "メモ"}})));
}

TEST_F(RequestTest, ABusyEditorRefusesAndKeepsItsFlag) {
  EditorState().Busy = true;
  EXPECT_FALSE(Run(Request({{"Action", "New"}, {"Keyword", "x"}, {"ShowDialog", "0"}})));
  EXPECT_EQ(boxes, V{"他のキーワードを編集中です"});
  EXPECT_TRUE(EditorState().Busy);
  EXPECT_FALSE(Saved("x"));
}

TEST_F(RequestTest, SeveralFilesGoThroughTheListAndAreRegisteredInOneSave) {
  WriteTextFile(td / "Tools\\資料.txt", "x");
  const std::string files = td / "Tools\\App.exe" + "\r\n" + td / "Tools\\資料.txt" + "\r\n";
  for (bool confirm : {false, true}) {
    SCOPED_TRACE(confirm ? "OK" : "Esc");
    dialogs.clear();
    EXPECT_FALSE(Run(Request({{"Action", "New"}, {"Command", files}}), [&](ui::TForm& f) {
      if (auto* progress = dynamic_cast<TProgressDialog*>(&f)) {
        // The registration runs inside this modal loop; then the user closes it.
        for (int i = 0; i < 1000 && !progress->Complete() && f.ModalResult() == 0; ++i) {
          app->ProcessMessages();
          Sleep(5);
        }
        Drain();
        Keys("{Esc}");
      } else {
        Keys(confirm ? "{Enter}" : "{Esc}");
      }
    }));
    EXPECT_EQ(Saved("App") != nullptr, confirm);
    EXPECT_EQ(Saved("資料") != nullptr, confirm);
    EXPECT_EQ(dialogs.size(), confirm ? 2u : 1u) << "the list, then the progress; no dialog per file";
  }
}

}  // namespace
