// The drop-target form base: drops through the form's own IDropTarget (and
// one real in-process drag), the shell's WM_DROPFILES, WM_COPYDATA and the end
// of the session, on a real form under Wine. Another program's data object
// is stood in for by DataSource; the paste menu is answered through the
// TrackMenu handler.
#include "editor/DropTargetFormLite.h"

#include "editor/StdCtrlsXP.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "completion/DynamicComplete.h"
#include "core/ComObject.h"
#include "core/Data_Blocks.h"
#include "core/StringUtils.h"
#include "tests/editor/ClassicDesktop.h"
#include "tests/support/DataSource.h"
#include "tests/support/DropBlocks.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempDir.h"
#include "tests/ui/UiFixture.h"
#include "ui/Dialogs.h"
#include "ui/Edit.h"
#include "ui/Label.h"
#include "ui/OleData.h"

namespace {

const ui::TLayoutRow kRows[] = {
    {ui::Kind<ui::TLabel>, "Label1", "", "キーワード(&K)", 10, 12, 90, 18},
    {ui::Kind<ui::TEdit>, "Edit1", "", "", 100, 10, 220, 22},
    {ui::Kind<TXPGroupBox>, "Group", "", "コマンド", 10, 44, 330, 64},
    {ui::Kind<ui::TEdit>, "Edit2", "Group", "", 90, 24, 220, 22},
    {ui::Kind<ui::TLabel>, "Label2", "Group", "ファイル名", 10, 27, 76, 18},
    {ui::Kind<ui::TLabel>, "Free", "", "ここにファイルやアドレスを落とす", 10, 130, 300, 18},
};

class DropFormTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ole = std::make_unique<ui::TOleUse>();
    ui::TFormParams p;
    p.Caption = "ドロップを受けるフォーム";
    p.X = 120;
    p.Y = 120;
    p.ClientWidth = 360;
    p.ClientHeight = 200;
    p.BorderStyle = ui::TBorderStyle::Single;
    ASSERT_TRUE(form.Create(p));
    form.BuildLayout(kRows);
    Edit1().SetText("abc");
    form.onFileDrop = [this](POINT pt, const std::string& files) { Record("file", files, pt); };
    form.onURLDrop = [this](POINT pt, const std::string& a, const std::string& t) { Record("url", a + "|" + t, pt); };
    form.onTextDrop = [this](POINT pt, const std::string& text) { Record("text", text, pt); };
    form.onDragEnd = [this] { log.push_back("end"); };
    form.onCopyData = [this](const std::string& text, HWND sender) {
      copied.push_back(text);
      senders.push_back(sender);
    };
    form.Show();
    SetForegroundWindow(form.Handle());
    Drain();
  }
  void TearDown() override {
    ui::SetTrackMenuHandler(nullptr);
    form.Destroy();
    ole.reset();
    UiTest::TearDown();
  }

  void Record(const char* kind, const std::string& text, POINT pt) {
    log.push_back(std::string(kind) + ":" + text);
    points.push_back(pt);
  }
  ui::TEdit& Edit1() { return form.Control<ui::TEdit>("Edit1"); }
  ui::TEdit& Edit2() { return form.Control<ui::TEdit>("Edit2"); }

  // Screen points: the middle of a control, and a free place of the form.
  static POINT Middle(HWND w) {
    RECT r = {};
    GetClientRect(w, &r);
    POINT p = {r.right / 2, r.bottom / 2};
    ClientToScreen(w, &p);
    return p;
  }
  POINT GroupCorner() {
    POINT p = {4, 12};
    ClientToScreen(form.Control("Group").Handle(), &p);
    return p;
  }
  POINT Outside() const {
    POINT p = {340, 180};
    ClientToScreen(form.Handle(), &p);
    return p;
  }

  // A drag that enters at a point, moves there and drops, as OLE calls it.
  void DropAt(IDataObject* data, POINT at) {
    IDropTarget* target = form.DropTarget();
    POINTL pt = {at.x, at.y};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target->DragEnter(data, MK_LBUTTON, pt, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    EXPECT_EQ(target->DragOver(MK_LBUTTON, pt, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    EXPECT_EQ(target->Drop(data, 0, pt, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
    Drain();
  }

  // The paste menu: its captions are kept and the item with the caption
  // chosen (none for an empty one).
  void ChooseFromMenu(const std::string& caption) {
    ui::SetTrackMenuHandler([this, caption](const ui::TTrackMenuRequest& r) -> UINT {
      menuAt.push_back({r.X, r.Y});
      UINT chosen = 0;
      for (int i = 0; i < GetMenuItemCount(r.Menu); ++i) {
        char text[64] = {};
        GetMenuStringA(r.Menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        menu.push_back(text);
        if (caption == text) chosen = GetMenuItemID(r.Menu, i);
      }
      return chosen;
    });
  }

  std::unique_ptr<ui::TOleUse> ole;
  TDropFormLite form;
  TempDir dir;
  std::vector<std::string> log, copied, menu;
  std::vector<POINT> points, menuAt;
  std::vector<HWND> senders;
};

std::string Shortcut(const std::string& address) { return datablock::InternetShortcutText(address); }

TEST_F(DropFormTest, TheFormIsItsWindowsDropTargetAndTakesTheShellsDrops) {
  EXPECT_TRUE(form.DropTargetRegistered());
  EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  // Registering again fails while the form holds the window's registration.
  EXPECT_EQ(RegisterDragDrop(form.Handle(), form.DropTarget()), DRAGDROP_E_ALREADYREGISTERED);
}

TEST_F(DropFormTest, FilesDroppedOutsideAnyBoxFireOneFileDrop) {
  const std::string a = dir / "a.txt", b = dir / "日本語の名前.txt";
  WriteTextFile(a, "a");
  WriteTextFile(b, "b");
  struct TCase {
    const char* Name;
    std::vector<std::string> Files;
    std::string Text;
  } cases[] = {
      {"two files", {a, b}, a + "\r\n" + b + "\r\n"},
      {"one file", {b}, b},
      {"a folder", {dir.path()}, dir.path()},
  };
  for (const TCase& c : cases) {
    log.clear();
    points.clear();
    DataSource source;
    source.Files(c.Files);
    DropAt(source.get(), Outside());
    EXPECT_EQ(log, (std::vector<std::string>{"file:" + c.Text, "end"})) << c.Name;
    ASSERT_EQ(points.size(), 1u) << c.Name;
    EXPECT_EQ(points[0].x, Outside().x) << c.Name;
    EXPECT_EQ(Edit1().Text(), "abc") << c.Name;
  }
}

TEST_F(DropFormTest, AFileDroppedOnABoxIsAppendedAfterASpaceAndSelected) {
  const std::string path = dir / "日本語の名前.txt";
  WriteTextFile(path, "x");
  struct TCase {
    const char* Name;
    ui::TEdit* Box;
    std::string Before, After;
  } cases[] = {
      {"box with text", &Edit1(), "abc", "abc " + path},
      {"empty box in a group box", &Edit2(), "", path},
  };
  for (const TCase& c : cases) {
    log.clear();
    c.Box->SetText(c.Before);
    DataSource source;
    source.Files({path});
    DropAt(source.get(), Middle(c.Box->Handle()));
    EXPECT_EQ(c.Box->Text(), c.After) << c.Name;
    EXPECT_EQ(c.Box->SelStart(), CharLength(c.Before.empty() ? "" : c.Before + " ")) << c.Name;
    EXPECT_EQ(c.Box->SelLength(), CharLength(path)) << c.Name << ": characters, not bytes";
    EXPECT_EQ(log, std::vector<std::string>{"end"}) << c.Name << ": no file drop fires";
  }
}

TEST_F(DropFormTest, AShortcutFileGivesItsAddressAndItsNameAsTheTitle) {
  struct TCase {
    const char* Name;
    std::string File, Contents, Event;
  } cases[] = {
      {"shortcut", "例のページ.url", Shortcut("http://example.com/ja/"), "url:http://example.com/ja/|例のページ"},
      {"upper-case extension", "Page.URL", Shortcut("http://a/"), "url:http://a/|Page"},
      {"no address section", "none.url", "[Other]\r\nURL=http://b/\r\n", "url:|none"},
      {"name of four characters", ".url", Shortcut("http://c/"), "url:http://c/|"},
  };
  for (const TCase& c : cases) {
    log.clear();
    const std::string path = dir / c.File;
    WriteTextFile(path, c.Contents);
    DataSource source;
    source.Files({path});
    DropAt(source.get(), Outside());
    EXPECT_EQ(log, (std::vector<std::string>{c.Event, "end"})) << c.Name;
  }
}

TEST_F(DropFormTest, APathThatDoesNotExistGivesNothingButTheEnd) {
  DataSource source;
  source.Files({dir / "gone.txt"});
  DropAt(source.get(), Outside());
  EXPECT_EQ(log, std::vector<std::string>{"end"});
}

// A browser's link: a file descriptor for the title and the address as text.
TEST_F(DropFormTest, ALinkDroppedOnABoxAsksWhatGoesIn) {
  struct TCase {
    const char* Name;
    std::string Choice, After;
  } cases[] = {
      {"address", TDropFormLite::kPasteURL, "abc http://example.com/"},
      {"title", TDropFormLite::kPasteTitle, "abc 例のページ"},
      {"cancel", TDropFormLite::kCancel, "abc"},
      {"menu closed", "", "abc"},
  };
  for (const TCase& c : cases) {
    log.clear();
    menu.clear();
    menuAt.clear();
    Edit1().SetText("abc");
    ChooseFromMenu(c.Choice);
    DataSource source;
    source.Put(TDropFormLite::Formats().FileGroupDescriptor, FileGroupDescriptorBlock(1, "例のページ.url"))
        .Text("http://example.com/");
    const POINT at = Middle(Edit1().Handle());
    DropAt(source.get(), at);
    EXPECT_EQ(menu, (std::vector<std::string>{"URLを貼り付け", "タイトルを貼り付け", "キャンセル"})) << c.Name;
    ASSERT_EQ(menuAt.size(), 1u);
    EXPECT_EQ(menuAt[0].x, at.x) << c.Name << ": at the drop point";
    EXPECT_EQ(Edit1().Text(), c.After) << c.Name;
    EXPECT_EQ(log, std::vector<std::string>{"end"}) << c.Name;
  }
}

TEST_F(DropFormTest, ALinkDroppedOutsideFiresTheAddressDropOnce) {
  DataSource source;
  source.Put(TDropFormLite::Formats().FileGroupDescriptor, FileGroupDescriptorBlock(1, "Example Page.url"))
      .Text("http://example.com/");
  DropAt(source.get(), Outside());
  EXPECT_EQ(log, (std::vector<std::string>{"url:http://example.com/|Example Page", "end"}));
}

TEST_F(DropFormTest, PlainTextAndFileNameMapsOutsideTheBoxes) {
  const TDropFormLite::TFormats& f = TDropFormLite::Formats();
  std::string wideMap;
  for (char16_t c : std::u16string(u"C:\\日本\\a.txt")) wideMap += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  wideMap += std::string(4, '\0');
  struct TCase {
    const char* Name;
    CLIPFORMAT Format;
    std::string Block, Event;
  } cases[] = {
      {"text", CF_TEXT, std::string("日本語のテキスト\0junk", 22), "text:日本語のテキスト"},
      {"text without a zero", CF_TEXT, "abc", "text:abc"},
      {"file name map", f.FileNameMap, std::string("C:\\a.txt\0\0", 10), "file:C:\\a.txt"},
      {"wide file name map", f.FileNameMapW, wideMap, "file:C:\\日本\\a.txt"},
  };
  for (const TCase& c : cases) {
    log.clear();
    DataSource source;
    source.Put(c.Format, c.Block);
    DropAt(source.get(), Outside());
    EXPECT_EQ(log, (std::vector<std::string>{c.Event, "end"})) << c.Name;
  }
}

// The title comes only from a counted, whole descriptor; a shortcut's
// contents give an address only when the block reaches it.
TEST_F(DropFormTest, DescriptorsAndContentsAreReadWithinTheirSize) {
  const TDropFormLite::TFormats& f = TDropFormLite::Formats();
  const std::string whole = FileGroupDescriptorBlock(1, "Page.url");
  struct TCase {
    const char* Name;
    std::string Descriptor;  // empty: none
    std::string Contents;    // empty: none
    std::string Event;
  } cases[] = {
      {"whole descriptor and text", whole, "", "url:http://t/|Page"},
      {"count of zero", FileGroupDescriptorBlock(0, "Page.url"), "", "text:http://t/"},
      {"descriptor cut short", whole.substr(0, 100), "", "text:http://t/"},
      {"count only", whole.substr(0, 4), "", "text:http://t/"},
      {"a name under four characters", FileGroupDescriptorBlock(1, "ab"), "", "text:http://t/"},
      {"contents of a shortcut", FileGroupDescriptorBlock(0, "x"), Shortcut("http://c/"), "url:http://c/|"},
      {"contents under 24 bytes", "", "[InternetShortcut]\r\nU", "text:http://t/"},
      {"contents of the header only", "", Shortcut("").substr(0, 24), "text:http://t/"},
  };
  for (const TCase& c : cases) {
    log.clear();
    DataSource source;
    if (!c.Descriptor.empty()) source.Put(f.FileGroupDescriptor, c.Descriptor);
    if (!c.Contents.empty()) source.Put(f.FileContents, c.Contents);
    // With a title the text is the address; without one a shortcut's
    // contents come before it, and the text is plain text.
    source.Text("http://t/");
    DropAt(source.get(), Outside());
    EXPECT_EQ(log, (std::vector<std::string>{c.Event, "end"})) << c.Name;
  }
}

// A box marked in an earlier drag is not where the shell's later drop goes.
TEST_F(DropFormTest, TheShellsDroppedFilesGoToTheFileDropAtTheOrigin) {
  const std::string a = dir / "a.txt", b = dir / "b.txt", c = dir / "c.txt";
  for (const std::string& p : {a, b, c}) WriteTextFile(p, "x");
  {
    DataSource source;
    source.Text("first");
    DropAt(source.get(), Middle(Edit1().Handle()));
    ASSERT_EQ(Edit1().Text(), "abc first");
  }
  log.clear();
  points.clear();
  HGLOBAL drop = ui::NewGlobalBlock(datablock::BuildDropFiles({a, b, c}));
  ASSERT_NE(drop, nullptr);
  SendMessageA(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"file:" + a + "\r\n" + b + "\r\n" + c, "end"}));
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(points[0].x, 0);
  EXPECT_EQ(points[0].y, 0);
  EXPECT_EQ(Edit1().Text(), "abc first");
}

TEST_F(DropFormTest, TheDragMarksTheTextBoxUnderThePointerOnly) {
  TDynamicComplete complete;
  ui::TEditParams p;
  p.Parent = form.Handle();
  p.X = 100;
  p.Y = 160;
  p.Width = 220;
  p.Height = 22;
  ASSERT_TRUE(complete.Create(p));
  DWORD over = 0;
  form.onDragOver = [&](POINT, DWORD& effect) {
    ++over;
    effect = DROPEFFECT_NONE;
  };
  struct TCase {
    const char* Name;
    POINT At;
    ui::TEdit* Marked;
  } cases[] = {
      {"a box", Middle(Edit1().Handle()), &Edit1()},
      {"a box inside a group box", Middle(Edit2().Handle()), &Edit2()},
      {"a completing edit", Middle(complete.Handle()), &complete},
      {"a label", Middle(form.Control("Free").Handle()), nullptr},
      {"a label inside the group box", Middle(form.Control("Label2").Handle()), nullptr},
      {"the group box itself", GroupCorner(), nullptr},
      {"the form", Outside(), nullptr},
  };
  DataSource source;
  source.Text("x");
  IDropTarget* target = form.DropTarget();
  DWORD effect = DROPEFFECT_COPY;
  target->DragEnter(source.get(), MK_LBUTTON, {cases[0].At.x, cases[0].At.y}, &effect);
  for (const TCase& c : cases) {
    effect = DROPEFFECT_COPY;
    target->DragOver(MK_LBUTTON, {c.At.x, c.At.y}, &effect);
    EXPECT_EQ(form.MarkedEdit(), c.Marked) << c.Name;
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK)) << c.Name << ": a link, whatever onDragOver says";
  }
  EXPECT_GE(over, std::size(cases));
  target->DragLeave();
  EXPECT_EQ(form.MarkedEdit(), nullptr);
  EXPECT_EQ(log, std::vector<std::string>{"end"});
  EXPECT_EQ(Edit1().Text(), "abc");
}

// One real drag in this process: the pointer rests over the box, no button is
// held, so the platform's loop drops at once onto the form's target.
TEST_F(DropFormTest, ARealDragDropsIntoTheBoxUnderThePointer) {
  const POINT at = Middle(Edit1().Handle());
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((at.x * 65535.0) / (GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
  in.mi.dy = static_cast<LONG>((at.y * 65535.0) / (GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
  ASSERT_TRUE(PumpUntil([&] {
    POINT p;
    GetCursorPos(&p);
    return p.x == at.x && p.y == at.y;
  }));
  DataSource source;
  source.Text("ドラッグした文字");
  auto* dropSource = new ImmediateDropSource;
  DWORD effect = 0;
  EXPECT_EQ(DoDragDrop(source.get(), dropSource, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect), DRAGDROP_S_DROP);
  dropSource->Release();
  Drain();
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(Edit1().Text(), "abc ドラッグした文字");
  EXPECT_EQ(log, std::vector<std::string>{"end"});
}

TEST_F(DropFormTest, CopyDataTextIsBoundedByItsSizeAndEndsAtItsFirstZero) {
  TestWindow sender;
  struct TCase {
    const char* Name;
    bool Record;
    ULONG_PTR DataWord;
    std::string Bytes;
    DWORD Size;
    LRESULT Answer;
    std::string Text;
  } cases[] = {
      {"text with its zero", true, 1, std::string("abc\0", 4), 4, TRUE, "abc"},
      {"settings hand-over", true, 2, std::string("/setting\r\n/new\0", 15), 15, TRUE, "/setting\r\n/new"},
      {"no zero", true, 1, "abc", 3, TRUE, "abc"},
      {"size shorter than the text", true, 1, std::string("abcdef\0", 7), 3, TRUE, "abc"},
      {"data word 0", true, 0, std::string("abc\0", 4), 4, FALSE, ""},
      {"no record", false, 1, "", 0, FALSE, ""},
  };
  for (const TCase& c : cases) {
    copied.clear();
    senders.clear();
    // A copy of exactly the bytes sent: nothing past them may be read.
    std::vector<char> bytes(c.Bytes.begin(), c.Bytes.end());
    COPYDATASTRUCT data = {c.DataWord, c.Size, bytes.empty() ? nullptr : bytes.data()};
    LRESULT answer = SendMessageA(form.Handle(), WM_COPYDATA, reinterpret_cast<WPARAM>(sender.hwnd),
                                  c.Record ? reinterpret_cast<LPARAM>(&data) : 0);
    EXPECT_EQ(answer, c.Answer) << c.Name;
    EXPECT_EQ(copied, std::vector<std::string>{c.Text}) << c.Name;
    EXPECT_EQ(senders, std::vector<HWND>{sender.hwnd}) << c.Name;
  }
}

TEST_F(DropFormTest, TheEndOfTheSessionClosesEveryForm) {
  TDropFormLite second;
  ui::TFormParams p;
  p.Caption = "二つ目のフォーム";
  p.X = 520;
  p.Y = 120;
  ASSERT_TRUE(second.Create(p));
  second.Show();
  int closed = 0;
  form.OnClose = [&](ui::TCloseAction&) { ++closed; };
  second.OnClose = [&](ui::TCloseAction&) { ++closed; };
  for (HWND w : {form.Handle(), second.Handle()})
    EXPECT_EQ(SendMessageA(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  Drain();
  EXPECT_EQ(closed, 2);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_FALSE(IsWindowVisible(second.Handle()));
}

// Pictures for the screenshot script: the form while a drag marks its box,
// themed and on a classic desktop.
class DropFormScreenshot : public DropFormTest {
 protected:
  void Show(const char* name) {
    Edit1().SetText("メモ帳");
    Edit2().SetText("C:\\Windows\\notepad.exe");
    DataSource source;
    source.Text("x");
    IDropTarget* target = form.DropTarget();
    DWORD effect = DROPEFFECT_COPY;
    const POINT at = Middle(Edit2().Handle());
    target->DragEnter(source.get(), MK_LBUTTON, {at.x, at.y}, &effect);
    target->DragOver(MK_LBUTTON, {at.x, at.y}, &effect);
    EXPECT_EQ(form.MarkedEdit(), &Edit2());
    OfferScreenshot(form.Handle(), name);
    target->DragLeave();
  }
};

TEST_F(DropFormScreenshot, Themed) { Show("editor-drop-form"); }

TEST_F(DropFormScreenshot, Classic) {
  ClassicDesktop classic;
  ClassicDesktop::Unstyle(form.Handle());
  SendMessageA(form.Control("Group").Handle(), WM_THEMECHANGED, 0, 0);
  Show("editor-drop-form-classic");
}

}  // namespace
