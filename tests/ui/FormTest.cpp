// Forms without typed input: closing, modal loops ended by results and
// messages, owners, window styles, size, place and font.
#include "ui/Form.h"

#include <stdexcept>

#include "core/WindowUtils.h"
#include "tests/ui/TestKinds.h"
#include "tests/ui/UiFixture.h"

namespace {

constexpr UINT kPing = WM_APP + 17;

ui::TFormParams Params(const char* caption = "フォーム") {
  ui::TFormParams p;
  p.Caption = caption;
  p.X = 40;
  p.Y = 40;
  p.Width = 300;
  p.Height = 200;
  return p;
}

using FormTest = UiTest;

TEST_F(FormTest, CloseAsksThenHidesAndTheMainFormEndsTheApplication) {
  ui::TForm w;
  bool allow = false;
  int closed = 0;
  w.OnCloseQuery = [&](bool& canClose) { canClose = allow; };
  w.OnClose = [&](ui::TCloseAction&) { ++closed; };
  ASSERT_TRUE(w.Create(Params()));
  w.Show();
  w.Close();
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(closed, 0);
  allow = true;
  w.Close();
  EXPECT_FALSE(w.Visible());
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(IsWindow(w.Handle()));
  EXPECT_FALSE(app->Terminated());

  app->SetMainForm(&w);
  w.Close();
  app->Run();  // returns once the quit message arrives
  EXPECT_TRUE(app->Terminated());
}

TEST_F(FormTest, CloseActionDecidesWhatClosingDoes) {
  struct TCase {
    const char* name;
    ui::TCloseAction action;
    bool visible, iconic;
  };
  const TCase cases[] = {
      {"hide", ui::TCloseAction::Hide, false, false},
      {"none", ui::TCloseAction::None, true, false},
      {"minimize", ui::TCloseAction::Minimize, true, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    ui::TForm w;
    w.OnClose = [&](ui::TCloseAction& action) { action = c.action; };
    ASSERT_TRUE(w.Create(Params()));
    w.Show();
    PostMessageA(w.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    Drain();
    EXPECT_EQ(w.Visible(), c.visible);
    EXPECT_EQ(IsIconic(w.Handle()) != FALSE, c.iconic);
  }
}

TEST_F(FormTest, ShowModalRunsTheLoopUntilAResult) {
  ui::TForm owner, dialog;
  ASSERT_TRUE(owner.Create(Params("owner")));
  ASSERT_TRUE(dialog.Create(Params("dialog")));
  owner.Show();
  bool ownerDisabled = false;
  dialog.OnMessage = [&](ui::TMessageEvent& e) {
    if (e.Msg != kPing) return;
    ownerDisabled = !IsWindowEnabled(owner.Handle());
    dialog.SetModalResult(static_cast<int>(e.WParam));
    e.Answer(0);
  };
  PostMessageA(dialog.Handle(), kPing, IDOK, 0);
  EXPECT_EQ(dialog.ShowModal(), IDOK);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(dialog.Visible());

  PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
  EXPECT_TRUE(IsWindow(dialog.Handle()));

  app->Terminate();
  EXPECT_EQ(dialog.ShowModal(), 0);
  EXPECT_TRUE(app->Terminated());
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

// A modal result goes through the same close policy as closing: OnCloseQuery
// may keep the form up, OnClose with None too, and the button's own click may
// take the result back.
TEST_F(FormTest, ModalResultOfAButtonIsAskedThroughTheClosePolicy) {
  static const ui::TLayoutRow kRows[] = {
      {ui::Kind<testkinds::TPushButton>, "OK", "", "OK", 10, 10, 75, 25},
      {ui::Kind<testkinds::TPushButton>, "Keep", "", "保留", 10, 40, 75, 25},
  };
  ui::TForm dialog;
  ASSERT_TRUE(dialog.Create(Params()));
  dialog.BuildLayout(kRows);
  auto& ok = dialog.Control<testkinds::TPushButton>("OK");
  auto& keep = dialog.Control<testkinds::TPushButton>("Keep");
  dialog.SetModalResultOf(&ok, IDOK);
  dialog.SetModalResultOf(&keep, IDRETRY);
  keep.OnControlCommand = [&](ui::TCommandEvent&) { dialog.SetModalResult(0); };
  int queries = 0, closes = 0;
  ui::TCloseAction closeAction = ui::TCloseAction::None;
  dialog.OnCloseQuery = [&](bool& canClose) { canClose = ++queries > 1; };
  dialog.OnClose = [&](ui::TCloseAction& action) {
    ++closes;
    action = std::exchange(closeAction, ui::TCloseAction::Hide);
  };
  std::vector<int> clicks;
  auto modal = app->OnModal.Add([&](ui::TForm& form) {
    EXPECT_EQ(&form, &dialog);
    EXPECT_EQ(app->ModalForm(), &dialog);
    PostMessageA(keep.Handle(), BM_CLICK, 0, 0);  // taken back by its own click
    for (int i = 0; i < 3; ++i) PostMessageA(ok.Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(dialog.ShowModal(), IDOK);
  EXPECT_EQ(queries, 3);  // refused, then OnClose said None, then closed
  EXPECT_EQ(closes, 2);
  EXPECT_EQ(keep.Clicks, 1);
  EXPECT_EQ(app->ModalForm(), nullptr);
}

TEST_F(FormTest, NestedModalsAreReportedOnceEachAndDisableTheOuter) {
  ui::TForm outer, inner;
  ASSERT_TRUE(outer.Create(Params("外側")));
  ASSERT_TRUE(inner.Create(Params("内側")));
  std::vector<std::string> seen;
  int innerResult = 0;
  bool outerDisabled = false;
  auto modal = app->OnModal.Add([&](ui::TForm& form) {
    seen.push_back(form.Caption());
    if (&form == &outer) {
      innerResult = inner.ShowModal();
      EXPECT_EQ(app->ModalForm(), &outer);
      EXPECT_TRUE(IsWindowEnabled(outer.Handle()));
      outer.SetModalResult(IDOK);
    } else {
      outerDisabled = !IsWindowEnabled(outer.Handle());
      EXPECT_EQ(app->ModalForm(), &inner);
      PostMessageA(inner.Handle(), WM_CLOSE, 0, 0);
    }
  });
  EXPECT_EQ(outer.ShowModal(), IDOK);
  EXPECT_EQ(innerResult, IDCANCEL);
  EXPECT_TRUE(outerDisabled);
  EXPECT_EQ(seen, (std::vector<std::string>{"外側", "内側"}));
}

class TGoneProbe : public ui::TForm {
 public:
  using ui::TForm::TForm;
  std::function<void()> OnGone;
  ~TGoneProbe() override {
    if (OnGone) OnGone();
  }
};

TEST_F(FormTest, OwnerFreesWhatItOwnsBeforeItsWindow) {
  auto owner = std::make_unique<ui::TForm>();
  ASSERT_TRUE(owner->Create(Params("owner")));
  HWND ownerWindow = owner->Handle();
  std::vector<std::string> gone;
  auto& first = owner->Own(std::make_unique<TGoneProbe>(owner.get()));
  auto& second = owner->Own(std::make_unique<TGoneProbe>(owner.get()));
  auto& early = owner->Own(std::make_unique<TGoneProbe>(owner.get()));
  for (auto* f : {&first, &second, &early}) ASSERT_TRUE(f->Create(Params("owned")));
  HWND firstWindow = first.Handle();
  EXPECT_EQ(GetWindow(firstWindow, GW_OWNER), ownerWindow);
  EXPECT_EQ(first.Owner(), owner.get());
  first.OnGone = [&] { gone.push_back(IsWindow(ownerWindow) ? "first, owner alive" : "first, owner gone"); };
  second.OnGone = [&] { gone.push_back("second"); };
  early.OnGone = [&] { gone.push_back("early"); };
  EXPECT_TRUE(owner->Free(&early));
  EXPECT_FALSE(owner->Free(&early));
  EXPECT_EQ(gone, std::vector<std::string>{"early"});

  TGoneProbe onTheStack(owner.get());  // named as owner, not owned
  ASSERT_TRUE(onTheStack.Create(Params("stack")));
  owner.reset();
  EXPECT_EQ(gone, (std::vector<std::string>{"early", "second", "first, owner alive"}));
  EXPECT_FALSE(IsWindow(firstWindow));
  EXPECT_FALSE(IsWindow(ownerWindow));
  EXPECT_EQ(onTheStack.Owner(), nullptr);
}

TEST_F(FormTest, FormsWithoutOwnerAreOwnedByTheApplicationWindow) {
  ui::TForm plain, onTaskbar;
  ASSERT_TRUE(plain.Create(Params()));
  auto p = Params();
  p.ShowInTaskbar = true;
  ASSERT_TRUE(onTaskbar.Create(p));
  EXPECT_EQ(GetWindow(plain.Handle(), GW_OWNER), app->Handle());
  EXPECT_EQ(GetWindow(onTaskbar.Handle(), GW_OWNER), nullptr);
  EXPECT_TRUE(GetWindowLongA(onTaskbar.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(FormTest, BorderStyleAndIconsGiveTheWindowStyles) {
  using ui::TBorderStyle;
  struct TCase {
    const char* name;
    TBorderStyle border;
    ui::TBorderIcons icons;
    DWORD style, exStyle;
  };
  const ui::TBorderIcons all = ui::biSystemMenu | ui::biMinimize | ui::biMaximize;
  const DWORD base = WS_CLIPCHILDREN;
  const TCase cases[] = {
      {"sizeable", TBorderStyle::Sizeable, all, base | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
      {"single, close box only", TBorderStyle::Single, ui::biSystemMenu, base | WS_CAPTION | WS_SYSMENU, 0},
      {"single, no buttons", TBorderStyle::Single, 0, base | WS_CAPTION, 0},
      {"dialog drops the boxes", TBorderStyle::Dialog, all, base | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE},
      {"dialog with help", TBorderStyle::Dialog, ui::biSystemMenu | ui::biHelp, base | WS_CAPTION | WS_SYSMENU,
       WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTEXTHELP},
      {"help hidden beside a box", TBorderStyle::Single, ui::biSystemMenu | ui::biMinimize | ui::biHelp,
       base | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0},
      {"tool window", TBorderStyle::ToolWindow, all, base | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW},
      {"sizeable tool window", TBorderStyle::SizeToolWin, ui::biSystemMenu, base | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU,
       WS_EX_TOOLWINDOW},
      {"none ignores the icons", TBorderStyle::None, all, base | WS_POPUP, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    DWORD style = 0, exStyle = 0;
    ui::FormWindowStyle(c.border, c.icons, style, exStyle);
    EXPECT_EQ(style, c.style);
    EXPECT_EQ(exStyle, c.exStyle);
  }
}

TEST_F(FormTest, ClientSizeAndPositionAreWhatWasAsked) {
  ui::TForm owner;
  auto op = Params("owner");
  op.X = 100;
  op.Y = 120;
  op.Width = 500;
  op.Height = 400;
  ASSERT_TRUE(owner.Create(op));

  ui::TForm dialog(&owner);
  auto p = Params("優先度の設定");
  p.BorderStyle = ui::TBorderStyle::Single;
  p.ClientWidth = 256;
  p.ClientHeight = 283;
  p.Position = ui::TPosition::OwnerCenter;
  ASSERT_TRUE(dialog.Create(p));
  SIZE client = dialog.ClientSize();
  EXPECT_EQ(client.cx, dialog.Scale(256));
  EXPECT_EQ(client.cy, dialog.Scale(283));
  RECT ownerRect = {}, rect = {};
  GetWindowRect(owner.Handle(), &ownerRect);
  GetWindowRect(dialog.Handle(), &rect);
  POINT expected = CenteredOver(ownerRect, rect);
  EXPECT_EQ(rect.left, expected.x);
  EXPECT_EQ(rect.top, expected.y);

  dialog.SetClientSize(306, 88);
  client = dialog.ClientSize();
  EXPECT_EQ(client.cx, 306);
  EXPECT_EQ(client.cy, 88);

  // Moved away and shown modally: placed over the owner again.
  SetWindowPos(dialog.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  auto modal = app->OnModal.Add([&](ui::TForm& f) { f.SetModalResult(IDOK); });
  EXPECT_EQ(dialog.ShowModal(), IDOK);
  GetWindowRect(dialog.Handle(), &rect);
  expected = CenteredOver(ownerRect, rect);
  EXPECT_EQ(rect.left, expected.x);
  EXPECT_EQ(rect.top, expected.y);
}

TEST_F(FormTest, OneFontOfNinePointsForTheFormAndItsControls) {
  static const ui::TLayoutRow kRows[] = {{ui::Kind<testkinds::TPushButton>, "OK", "", "OK", 10, 10, 75, 25}};
  ui::TForm form;
  ASSERT_TRUE(form.Create(Params()));
  form.BuildLayout(kRows);
  LOGFONTA lf = {};
  ASSERT_TRUE(GetObjectA(form.Font(), sizeof lf, &lf));
  EXPECT_STREQ(lf.lfFaceName, "ＭＳ Ｐゴシック");
  EXPECT_EQ(lf.lfHeight, -MulDiv(9, form.Dpi(), 72));
  EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(form.Control("OK").Handle(), WM_GETFONT, 0, 0)), form.Font());
}

TEST_F(FormTest, AFreedMainFormIsNoLongerTheMainForm) {
  auto form = std::make_unique<ui::TForm>();
  ASSERT_TRUE(form->Create(Params()));
  app->SetMainForm(form.get());
  form.reset();
  EXPECT_EQ(app->MainForm(), nullptr);
  SendMessageA(app->Handle(), WM_CLOSE, 0, 0);  // no main form: the application ends
  app->ProcessMessages();
  EXPECT_TRUE(app->Terminated());
}

TEST_F(FormTest, FormOfFindsTheFormOfAControl) {
  static const ui::TLayoutRow kRows[] = {
      {ui::Kind<testkinds::TBox>, "Box", "", "", 0, 0, 200, 100},
      {ui::Kind<testkinds::TPushButton>, "Inner", "Box", "中", 10, 10, 75, 25},
  };
  ui::TForm form;
  ASSERT_TRUE(form.Create(Params()));
  form.BuildLayout(kRows);
  EXPECT_EQ(ui::TForm::FormOf(form.Handle()), &form);
  EXPECT_EQ(ui::TForm::FormOf(form.Control("Inner").Handle()), &form);
  EXPECT_EQ(ui::TForm::FormOf(app->Handle()), nullptr);
  EXPECT_EQ(ui::TForm::FormOf(nullptr), nullptr);
}

// A form leaves the top-most band again, also when it is active in front of
// the application's hidden window, which owns it.
TEST_F(FormTest, StayOnTopGoesOnAndOff) {
  ui::TForm w;
  ASSERT_TRUE(w.Create(Params()));
  w.Show();
  SetForegroundWindow(w.Handle());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == w.Handle(); }));
  for (bool on : {true, false, true, false}) {
    w.SetStayOnTop(on);
    EXPECT_EQ(w.StayOnTop(), on);
  }
  EXPECT_EQ(GetForegroundWindow(), w.Handle());
}

// The window base and forms work without an application; only the modal loop
// needs one.
TEST(FormWithoutApplication, WindowsWorkAndShowModalGivesNothing) {
  ASSERT_EQ(ui::TApplication::Current(), nullptr);
  ui::TForm form;
  ASSERT_TRUE(form.Create(Params()));
  EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), nullptr);
  int closed = 0;
  form.OnClose = [&](ui::TCloseAction&) { ++closed; };
  form.Show();
  form.Close();
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.ShowModal(), 0);
}

}  // namespace
