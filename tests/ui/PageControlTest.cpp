// The page control and its pages: tabs shown and hidden, pages chosen by
// the user and from code.
#include "ui/PageControl.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/ControlsFixture.h"
#include "ui/Button.h"

namespace {

class PageControlTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    ui::TPageControlParams p(Form(), "", 10, 10, 400, 260);
    p.Font = font;
    ASSERT_TRUE(pages.Create(p));
    for (const char* caption : {"基本(&B)", "詳細(&S)", "表示ソ"}) {
      auto sheet = std::make_unique<ui::TTabSheet>();
      ASSERT_TRUE(sheet->Create(ui::TTabSheetParams(pages.Handle(), caption)));
      sheets.push_back(std::move(sheet));
    }
  }
  // The texts of the tabs shown.
  std::vector<std::string> Tabs() {
    std::vector<std::string> tabs;
    for (int i = 0; i < pages.TabCount(); ++i) {
      char text[64] = {};
      TCITEMA item = {};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessageA(pages.Handle(), TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      tabs.push_back(text);
    }
    return tabs;
  }
  // The middle of a tab, in the page control's client area.
  POINT TabPoint(int tab) {
    RECT r = {};
    SendMessageA(pages.Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  std::vector<bool> Shown() {
    std::vector<bool> shown;
    for (auto& s : sheets) shown.push_back(IsWindowVisible(s->Handle()) != FALSE);
    return shown;
  }
  ui::TPageControl pages;
  std::vector<std::unique_ptr<ui::TTabSheet>> sheets;
};

TEST_F(PageControlTest, TheUserChoosesAPageByItsTab) {
  EXPECT_EQ(Tabs(), (std::vector<std::string>{"基本(&B)", "詳細(&S)", "表示ソ"}));
  EXPECT_EQ(pages.ActivePage(), sheets[0].get()) << "the first page shows at first";
  EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false}));
  ui::TButton onSecond;
  ASSERT_TRUE(onSecond.Create(ui::TButtonParams(sheets[1]->Handle(), "二枚目のボタン", 10, 10, 140, 26)));
  int clicks = 0;
  onSecond.OnClick = [&] { ++clicks; };
  std::vector<std::string> seen;
  bool allow = true;
  pages.OnChanging = [&](bool& ok) {
    seen.push_back("changing");
    ok = allow;
  };
  pages.OnChange = [&] { seen.push_back("change " + pages.ActivePage()->Caption()); };

  ClickAt(pages.Handle(), TabPoint(1));
  EXPECT_EQ(pages.ActivePage(), sheets[1].get());
  EXPECT_EQ(Shown(), (std::vector<bool>{false, true, false}));
  RECT display = pages.DisplayRect(), sheet = sheets[1]->Bounds();
  EXPECT_EQ(sheet.top, display.top) << "the page fills the display area below the tabs";
  EXPECT_GT(sheet.top, 10);
  ClickAt(onSecond.Handle(), Center(onSecond.Handle()));
  EXPECT_EQ(clicks, 1) << "the controls of a page get their events";
  allow = false;
  ClickAt(pages.Handle(), TabPoint(2));
  EXPECT_EQ(pages.ActivePage(), sheets[1].get()) << "a refused change keeps the page";
  pages.SetActivePage(sheets[2].get());
  EXPECT_EQ(Shown(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(SendMessageA(pages.Handle(), TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(seen, (std::vector<std::string>{"changing", "change 詳細(&S)", "changing"})) << "a page set from code is no change";
}

TEST_F(PageControlTest, HiddenTabsLeaveThePagesInPlace) {
  struct TCase {
    const char* name;
    std::vector<bool> tabVisible;
    std::vector<std::string> tabs;
  };
  const TCase cases[] = {
      {"one tab hidden", {true, false, true}, {"基本(&B)", "表示ソ"}},
      {"all tabs hidden", {false, false, false}, {}},
      {"shown again", {true, true, true}, {"基本(&B)", "詳細(&S)", "表示ソ"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (size_t i = 0; i < sheets.size(); ++i) sheets[i]->SetTabVisible(c.tabVisible[i]);
    EXPECT_EQ(Tabs(), c.tabs);
    EXPECT_EQ(pages.PageCount(), 3);
    pages.SetActivePage(sheets[1].get());
    EXPECT_EQ(Shown(), (std::vector<bool>{false, true, false})) << "a page with its tab hidden still shows from code";
    EXPECT_EQ(sheets[1]->TabIndex(), c.tabVisible[1] ? 1 : -1);
    if (c.tabs.empty()) {
      RECT sheet = sheets[1]->Bounds(), all = pages.ClientRect();
      EXPECT_EQ(sheet.top, all.top) << "without tabs the pages fill the control";
      EXPECT_EQ(sheet.bottom, all.bottom);
    }
  }
  sheets[2]->SetCaption("改名");
  EXPECT_EQ(Tabs()[2], "改名");
}

TEST_F(PageControlTest, PagesComeAndGoWithTheirObjects) {
  pages.SetActivePage(sheets[1].get());
  sheets.erase(sheets.begin() + 1);
  EXPECT_EQ(pages.PageCount(), 2);
  EXPECT_EQ(Tabs(), (std::vector<std::string>{"基本(&B)", "表示ソ"}));
  EXPECT_EQ(pages.ActivePage(), sheets[1].get()) << "the next page shows in place of the one gone";
  pages.SelectNextPage(true);
  EXPECT_EQ(pages.ActivePage(), sheets[0].get()) << "going round";
  sheets[1]->SetTabVisible(false);
  pages.SelectNextPage(true);
  EXPECT_EQ(pages.ActivePage(), sheets[0].get()) << "pages without tabs are skipped";
  ui::TTabSheet stray;
  EXPECT_FALSE(stray.Create(ui::TTabSheetParams(Form(), "ページ制御の外"))) << "a page needs a page control";
}

}  // namespace
