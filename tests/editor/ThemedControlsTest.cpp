// The themed page, group box and radio group: their theme handles, the
// children's colours, the themed frame and caption, and the classic path.
// Wine always reports an active theme, so the classic desktop, a missing
// library and a theme switch are stood in for by TUxThemeOverride and a sent
// WM_THEMECHANGED; the theme calls go through a spy to the real library.
#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/UxThemeRT.h"
#include "editor/ComCtrlsXP.h"
#include "editor/ExtCtrlsXP.h"
#include "editor/StdCtrlsXP.h"
#include "tests/editor/ClassicDesktop.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/ControlsFixture.h"
#include "ui/CheckBox.h"
#include "ui/Label.h"
#include "ui/PageControl.h"

namespace {

// What the controls asked of the theme library.
struct TThemeCalls {
  struct TDraw {
    HTHEME Theme;
    int Part, State;
    RECT Rect;
    bool LeftOfTopVisible;  // the point (12, top) could be drawn on
  };
  std::vector<std::pair<HWND, std::wstring>> Opened;
  std::vector<HTHEME> Closed;
  std::vector<TDraw> Backgrounds;
  std::vector<std::pair<HTHEME, int>> TextStates, ExtentStates;
  std::vector<HWND> ParentBackgrounds;
  bool Active = true, AppThemed = true;

  int OpenedFor(HWND w, const wchar_t* themeClass) const {
    int n = 0;
    for (auto& [window, name] : Opened) n += window == w && name == themeClass;
    return n;
  }
  std::vector<TDraw> DrawsWith(HTHEME theme, int part) const {
    std::vector<TDraw> out;
    for (const TDraw& d : Backgrounds)
      if (d.Theme == theme && d.Part == part) out.push_back(d);
    return out;
  }
  void ClearDrawing() {
    Backgrounds.clear();
    TextStates.clear();
    ExtentStates.clear();
    ParentBackgrounds.clear();
  }
};

TThemeCalls* g_calls = nullptr;
TUxThemeEntryPoints g_real;

// Handles opened through the spy are closed through it after the test too.
HTHEME WINAPI SpyOpen(HWND w, LPCWSTR name) {
  g_calls->Opened.emplace_back(w, name);
  return g_real.OpenThemeData(w, name);
}
HRESULT WINAPI SpyClose(HTHEME t) {
  if (g_calls) g_calls->Closed.push_back(t);
  return g_real.CloseThemeData(t);
}
HRESULT WINAPI SpyBackground(HTHEME t, HDC dc, int part, int state, LPCRECT r, LPCRECT clip) {
  g_calls->Backgrounds.push_back({t, part, state, *r, PtVisible(dc, 12, r->top) != FALSE});
  return g_real.DrawThemeBackground(t, dc, part, state, r, clip);
}
HRESULT WINAPI SpyText(HTHEME t, HDC dc, int part, int state, LPCWSTR text, int n, DWORD flags, DWORD flags2, LPCRECT r) {
  g_calls->TextStates.emplace_back(t, state);
  return g_real.DrawThemeText(t, dc, part, state, text, n, flags, flags2, r);
}
HRESULT WINAPI SpyExtent(HTHEME t, HDC dc, int part, int state, LPCWSTR text, int n, DWORD flags, LPCRECT bound,
                         LPRECT extent) {
  g_calls->ExtentStates.emplace_back(t, state);
  return g_real.GetThemeTextExtent(t, dc, part, state, text, n, flags, bound, extent);
}
HRESULT WINAPI SpyParentBackground(HWND w, HDC dc, RECT* r) {
  g_calls->ParentBackgrounds.push_back(w);
  return g_real.DrawThemeParentBackground(w, dc, r);
}
BOOL WINAPI SpyActive() { return g_calls->Active; }
BOOL WINAPI SpyAppThemed() { return g_calls->AppThemed; }

// The real library behind the spy while it lives; loaded false stands for a
// system without UxTheme.dll.
class ThemeSpy {
 public:
  explicit ThemeSpy(TThemeCalls& calls, bool loaded = true) : override_(Entries(calls), loaded) {}
  ~ThemeSpy() { g_calls = nullptr; }

 private:
  static TUxThemeEntryPoints Entries(TThemeCalls& calls) {
    g_calls = &calls;
    g_real = UxTheme();
    TUxThemeEntryPoints e = g_real;
    e.OpenThemeData = SpyOpen;
    e.CloseThemeData = SpyClose;
    e.DrawThemeBackground = SpyBackground;
    e.DrawThemeText = SpyText;
    e.GetThemeTextExtent = SpyExtent;
    e.DrawThemeParentBackground = SpyParentBackground;
    e.IsThemeActive = SpyActive;
    e.IsAppThemed = SpyAppThemed;
    return e;
  }
  TUxThemeOverride override_;
};

const ui::TLayoutRow kRows[] = {
    {ui::Kind<ui::TPageControl>, "Pages", "", "", 8, 8, 420, 300},
    {ui::Kind<TXPTabSheet>, "Basic", "Pages", "基本設定"},
    {ui::Kind<TXPTabSheet>, "Detail", "Pages", "詳細設定"},
    {ui::Kind<TXPGroupBox>, "Keys", "Basic", "修飾キー(&M)", 8, 8, 190, 90},
    {ui::Kind<ui::TCheckBox>, "Shift", "Keys", "Shift を使う", 12, 22, 150, 20},
    {ui::Kind<ui::TCheckBox>, "Win", "Keys", "Win キー", 12, 50, 150, 20},
    {ui::Kind<TXPGroupBox>, "Plain", "Basic", "", 8, 110, 190, 50},
    {ui::Kind<ui::TLabel>, "Note", "Plain", "見出しのない枠", 12, 20, 160, 18},
    {ui::Kind<TXPRadioGroup>, "Place", "Basic", "表示位置(&P)", 210, 8, 190, 120},
    {ui::Kind<TXPGroupBox>, "Other", "Detail", "その他", 8, 8, 190, 90},
};

class ThemedControlsTest : public ControlsTest {
 protected:
  void Build() {
    form.BuildLayout(kRows);
    Place().SetItems({"左上", "中央", "右下"});
    Place().SetItemIndex(0);
    Drain();
  }
  TXPTabSheet& Basic() { return form.Control<TXPTabSheet>("Basic"); }
  TXPTabSheet& Detail() { return form.Control<TXPTabSheet>("Detail"); }
  TXPGroupBox& Keys() { return form.Control<TXPGroupBox>("Keys"); }
  TXPGroupBox& Plain() { return form.Control<TXPGroupBox>("Plain"); }
  TXPRadioGroup& Place() { return form.Control<TXPRadioGroup>("Place"); }
  ui::TPageControl& Pages() { return form.Control<ui::TPageControl>("Pages"); }

  // The answer of a container to a child's colour request.
  static HBRUSH ChildColour(HWND container, UINT msg, HWND child) {
    HDC dc = GetDC(child);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(container, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
    ReleaseDC(child, dc);
    return brush;
  }
  static HBRUSH NullBrush() { return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }

  TThemeCalls calls;
};

TEST_F(ThemedControlsTest, EachOpensItsThemeWhenMadeAndClosesItWhenItsWindowGoes) {
  ThemeSpy spy(calls);
  Build();
  EXPECT_EQ(calls.OpenedFor(Basic().Handle(), L"TAB"), 1);
  EXPECT_EQ(calls.OpenedFor(Keys().Handle(), L"BUTTON"), 1);
  EXPECT_EQ(calls.OpenedFor(Place().Handle(), L"BUTTON"), 1);
  for (HTHEME t : {Basic().Theme(), Keys().Theme(), Plain().Theme(), Place().Theme()}) EXPECT_NE(t, nullptr);
  EXPECT_TRUE(Basic().Themed());
  EXPECT_TRUE(Keys().Themed());
  EXPECT_TRUE(Place().Themed());

  // A window destroyed by its parent closes its handle (the page's and the
  // group box's on it). Wine hands out one handle per theme class, so the
  // closes are counted, not matched by handle.
  auto& other = form.Control<TXPGroupBox>("Other");
  DestroyWindow(Detail().Handle());
  EXPECT_EQ(calls.Closed.size(), 2u);
  EXPECT_EQ(other.Theme(), nullptr);
  EXPECT_EQ(Detail().Theme(), nullptr);
  // The others close theirs when the form frees its controls.
  form.Layout().Clear();
  EXPECT_EQ(calls.Closed.size(), 6u);
}

TEST_F(ThemedControlsTest, WithoutTheLibraryNothingIsOpenedAndTheyAreTheLayersControls) {
  ThemeSpy spy(calls, /*loaded=*/false);
  Build();
  EXPECT_TRUE(calls.Opened.empty());
  EXPECT_EQ(Keys().Theme(), nullptr);
  EXPECT_FALSE(Keys().Themed());
  EXPECT_FALSE(Basic().Themed());
  EXPECT_NE(ChildColour(Keys().Handle(), WM_CTLCOLORBTN, form.Control("Shift").Handle()), NullBrush());
  TSnapshot page(Basic().Handle());
  TSnapshot group(Keys().Handle());
  EXPECT_TRUE(calls.Backgrounds.empty());
  EXPECT_TRUE(calls.ParentBackgrounds.empty());
  EXPECT_TRUE(TSnapshot::Near(page.At(page.Width - 3, page.Height - 3), GetSysColor(COLOR_BTNFACE), 0))
      << "the layer's page background";
}

// Children's colours: the themed answer (the parent's background drawn into
// the child, the null brush) only while every condition holds.
TEST_F(ThemedControlsTest, ChildColoursAreAnsweredByTheThemeOnlyWhenThemed) {
  ThemeSpy spy(calls);
  Build();
  struct TCase {
    const char* Name;
    bool Active, AppThemed, Themed;
  } cases[] = {
      {"themed", true, true, true},
      {"styles off on the desktop", false, true, false},
      {"styles off for the program", true, false, false},
  };
  struct TPair {
    const char* Name;
    HWND Container, Child;
  } pairs[] = {
      {"page", Basic().Handle(), Keys().Handle()},
      {"group box", Keys().Handle(), form.Control("Shift").Handle()},
      {"radio group", Place().Handle(), Place().Button(1)->Handle()},
  };
  for (const TCase& c : cases) {
    calls.Active = c.Active;
    calls.AppThemed = c.AppThemed;
    for (const TPair& p : pairs) {
      for (UINT msg : {WM_CTLCOLORBTN, WM_CTLCOLORSTATIC}) {
        calls.ParentBackgrounds.clear();
        HBRUSH answer = ChildColour(p.Container, msg, p.Child);
        bool drewParent = std::count(calls.ParentBackgrounds.begin(), calls.ParentBackgrounds.end(), p.Child) > 0;
        EXPECT_EQ(answer == NullBrush(), c.Themed) << c.Name << ", " << p.Name << ", " << msg;
        EXPECT_EQ(drewParent, c.Themed) << c.Name << ", " << p.Name << ", " << msg;
        EXPECT_NE(answer, nullptr) << c.Name << ", " << p.Name;
      }
    }
  }
}

TEST_F(ThemedControlsTest, AThemeChangeOpensEveryHandleAgainAndTheNextPaintUsesIt) {
  ThemeSpy spy(calls);
  Build();
  struct TCase {
    const char* Name;
    ui::TWindow* Control;
    const wchar_t* ThemeClass;
    int Part;
  } cases[] = {
      {"page", &Basic(), L"TAB", TABP_BODY},
      {"group box", &Keys(), L"BUTTON", BP_GROUPBOX},
      {"radio group", &Place(), L"BUTTON", BP_GROUPBOX},
  };
  for (const TCase& c : cases) {
    auto theme = [&] {
      if (auto* s = dynamic_cast<TXPTabSheet*>(c.Control)) return s->Theme();
      if (auto* g = dynamic_cast<TXPGroupBox*>(c.Control)) return g->Theme();
      return dynamic_cast<TXPRadioGroup*>(c.Control)->Theme();
    };
    HTHEME before = theme();
    calls.Closed.clear();
    EXPECT_EQ(SendMessageA(c.Control->Handle(), WM_THEMECHANGED, 0, 0), 0) << c.Name;
    EXPECT_EQ(calls.Closed, std::vector<HTHEME>{before}) << c.Name;
    EXPECT_EQ(calls.OpenedFor(c.Control->Handle(), c.ThemeClass), 2) << c.Name;
    ASSERT_NE(theme(), nullptr) << c.Name;
    calls.ClearDrawing();
    TSnapshot drawn(c.Control->Handle());
    EXPECT_FALSE(calls.DrawsWith(theme(), c.Part).empty()) << c.Name << ": drawn with the handle opened again";
  }
}

TEST_F(ThemedControlsTest, AnEmptyCaptionLeavesTheFrameUnbroken) {
  ThemeSpy spy(calls);
  Build();
  struct TCase {
    const char* Name;
    TXPGroupBox* Box;
    bool Broken;
  } cases[] = {{"caption", &Keys(), true}, {"no caption", &Plain(), false}};
  for (const TCase& c : cases) {
    calls.ClearDrawing();
    TSnapshot shot(c.Box->Handle());
    auto draws = calls.DrawsWith(c.Box->Theme(), BP_GROUPBOX);
    ASSERT_EQ(draws.size(), 1u) << c.Name;
    EXPECT_EQ(draws[0].LeftOfTopVisible, !c.Broken) << c.Name << ": the caption's place is cut from the frame";
    // The top line where the caption would stand against its far end.
    int top = draws[0].Rect.top;
    bool same = TSnapshot::Near(shot.At(10, top), shot.At(shot.Width - 12, top), 8);
    EXPECT_EQ(same, !c.Broken) << c.Name;
  }
}

TEST_F(ThemedControlsTest, ADisabledGroupDrawsFrameAndCaptionInTheDisabledState) {
  ThemeSpy spy(calls);
  Build();
  struct TCase {
    const char* Name;
    bool Enabled;
    int State;
  } cases[] = {{"enabled", true, GBS_NORMAL}, {"disabled", false, GBS_DISABLED}};
  for (const TCase& c : cases) {
    for (HWND w : {Keys().Handle(), Place().Handle()}) {
      EnableWindow(w, c.Enabled);
      calls.ClearDrawing();
      HTHEME theme = w == Keys().Handle() ? Keys().Theme() : Place().Theme();
      TSnapshot shot(w);
      auto draws = calls.DrawsWith(theme, BP_GROUPBOX);
      ASSERT_EQ(draws.size(), 1u) << c.Name;
      EXPECT_EQ(draws[0].State, c.State) << c.Name;
      ASSERT_FALSE(calls.TextStates.empty()) << c.Name;
      for (auto& [t, state] : calls.TextStates) EXPECT_EQ(state, c.State) << c.Name;
      for (auto& [t, state] : calls.ExtentStates) EXPECT_EQ(state, c.State) << c.Name;
    }
  }
}

TEST_F(ThemedControlsTest, WithStylesOffThePageAndGroupsPaintAsTheLayersControls) {
  ThemeSpy spy(calls);
  Build();
  calls.Active = false;
  calls.ClearDrawing();
  TSnapshot page(Basic().Handle());
  TSnapshot group(Keys().Handle());
  TSnapshot radio(Place().Handle());
  EXPECT_TRUE(calls.Backgrounds.empty());
  EXPECT_TRUE(calls.TextStates.empty());
  EXPECT_TRUE(TSnapshot::Near(page.At(page.Width - 3, page.Height - 3), GetSysColor(COLOR_BTNFACE), 0));
  // And back on: the page's body is the theme's.
  calls.Active = true;
  TSnapshot themed(Basic().Handle());
  EXPECT_FALSE(calls.DrawsWith(Basic().Theme(), TABP_BODY).empty());
}

TEST_F(ThemedControlsTest, ThemedControlsAreUsedAsEver) {
  Build();
  auto& shift = form.Control<ui::TCheckBox>("Shift");
  ClickAt(shift.Handle(), 8, 10);
  EXPECT_TRUE(shift.Checked()) << "a check box in a themed group box";
  int clicks = 0;
  Place().OnClick = [&] { ++clicks; };
  HWND second = Place().Button(1)->Handle();
  ClickAt(second, 8, Center(second).y);
  EXPECT_EQ(Place().ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  RECT tab = {};
  SendMessageA(Pages().Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  ClickAt(Pages().Handle(), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(Pages().ActivePage(), &Detail());
  EXPECT_TRUE(IsWindowVisible(form.Control("Other").Handle()));
}

TEST(GroupBoxGeometry, FrameUnderTheCaptionLineAndCaptionPadded) {
  struct TCase {
    const char* Name;
    int H, W;
    bool HasCaption, RightToLeft;
    RECT Frame, Caption;
  } cases[] = {
      {"caption", 16, 50, true, false, {0, 7, 199, 79}, {8, 0, 66, 16}},
      {"no caption", 16, 0, false, false, {0, 7, 199, 79}, {8, 0, 8, 16}},
      {"right to left", 16, 50, true, true, {0, 7, 199, 79}, {141, 0, 199, 16}},
      {"odd height", 15, 30, true, false, {0, 6, 199, 79}, {8, 0, 46, 15}},
  };
  for (const TCase& c : cases) {
    TGroupBoxGeometry g = GroupBoxGeometry(c.H, c.W, c.HasCaption, 200, 80, c.RightToLeft);
    EXPECT_TRUE(EqualRect(&g.Frame, &c.Frame)) << c.Name;
    EXPECT_TRUE(EqualRect(&g.Caption, &c.Caption)) << c.Name;
  }
}

// Pictures for the screenshot script: the page with both groups and the radio
// group, themed, and on a classic desktop (the system's own controls too).
class ThemedControlsScreenshot : public ThemedControlsTest {};

TEST_F(ThemedControlsScreenshot, Themed) {
  form.SetCaption("テーマ付きのコントロール");
  Build();
  form.Control<ui::TCheckBox>("Shift").SetChecked(true);
  EnableWindow(form.Control("Win").Handle(), FALSE);
  EXPECT_TRUE(Keys().Themed());
  OfferScreenshot(form.Handle(), "editor-themed-controls");
}

TEST_F(ThemedControlsScreenshot, Classic) {
  ClassicDesktop classic;
  form.SetCaption("クラシック表示のコントロール");
  Build();
  form.Control<ui::TCheckBox>("Shift").SetChecked(true);
  EnableWindow(form.Control("Win").Handle(), FALSE);
  EXPECT_FALSE(Keys().Themed());
  ClassicDesktop::Unstyle(form.Handle());
  OfferScreenshot(form.Handle(), "editor-themed-controls-classic");
}

}  // namespace
