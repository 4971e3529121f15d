// The version window on fixture folders that hold a quorvane.exe with or
// without a version resource: what it shows, its links opened by a click and
// by Enter through a recording shell starter, Enter elsewhere closing it, and
// a copy-data message bringing it forward.
#include "editor/UVersion.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/KeyWordX.h"
#include "editor/ProductLinks.h"
#include "tests/support/TempDir.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/ControlsFixture.h"
#include "ui/Image.h"

namespace {

class TRecordingShell : public IShellStarter {
 public:
  bool Start(SHELLEXECUTEINFOA& s) override {
    opened.push_back(s.lpFile ? s.lpFile : "");
    verbs.push_back(s.lpVerb ? s.lpVerb : "");
    shows.push_back(s.nShow);
    return true;
  }
  std::vector<std::string> opened, verbs;
  std::vector<int> shows;
};

class VersionDialogTest : public ControlsTest {
 protected:
  // A main folder whose quorvane.exe is a copy of the fixture program,
  // last written at 2004-01-03 09:05 local time.
  std::string MainFolder(const char* fixture) {
    std::string exe = dir / "quorvane.exe";
    EXPECT_TRUE(CopyFileA(fixture, exe.c_str(), FALSE)) << fixture;
    SYSTEMTIME t = {};
    t.wYear = 2004;
    t.wMonth = 1;
    t.wDay = 3;
    t.wHour = 9;
    t.wMinute = 5;
    FILETIME local = {}, utc = {};
    SystemTimeToFileTime(&t, &local);
    LocalFileTimeToFileTime(&local, &utc);
    HANDLE f = CreateFileA(exe.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(f, INVALID_HANDLE_VALUE);
    SetFileTime(f, nullptr, nullptr, &utc);
    CloseHandle(f);
    return dir.path();
  }
  void ShowDialog(TQVVersionDialog& d) {
    d.Show();
    SetForegroundWindow(d.Handle());
    Drain();
  }
  TempDir dir;
  TRecordingShell shell;
};

TEST_F(VersionDialogTest, ShowsTheLaunchersVersionTimeAndIcon) {
  struct TCase {
    const char* fixture;
    const char* version;
  };
  for (const TCase& c : {TCase{QV_VERSION_FIXTURE_EXE, "1.5a3"}, TCase{QV_PLAIN_FIXTURE_EXE, ""}}) {
    SCOPED_TRACE(c.fixture);
    TQVVersionDialog d(MainFolder(c.fixture), &shell);
    EXPECT_EQ(d.MainFolder(), dir.path() + "\\");
    EXPECT_EQ(d.VersionField().Text(), c.version);
    EXPECT_EQ(d.TimeField().Text(), "2004年1月3日 09:05");
    EXPECT_NE(d.Image().Icon(), nullptr);
    EXPECT_EQ(d.SiteField().Text(), kSupportSiteAddress);
    EXPECT_EQ(d.MailField().Text(), kSupportMailAddress);
  }
  TQVVersionDialog missing(dir / "none", &shell);
  EXPECT_EQ(missing.TimeField().Text(), "");
  EXPECT_EQ(missing.VersionField().Text(), "");
}

TEST_F(VersionDialogTest, IsATopMostWindowOfItsOwnClassCentredOnTheScreen) {
  TQVVersionDialog d(MainFolder(QV_VERSION_FIXTURE_EXE), &shell);
  char cls[64] = {};
  GetClassNameA(d.Handle(), cls, sizeof cls);
  EXPECT_STREQ(cls, "TQVVersionDialog");
  EXPECT_EQ(d.Caption(), "バージョン情報");
  EXPECT_TRUE(GetWindowLongA(d.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  DWORD style = static_cast<DWORD>(GetWindowLongA(d.Handle(), GWL_STYLE));
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
  EXPECT_TRUE(GetWindowLongA(d.VersionField().Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(GetWindowLongA(d.SiteField().Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(GetWindowLongA(d.SiteField().Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  RECT r = {};
  GetWindowRect(d.Handle(), &r);
  EXPECT_LE(std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXVIRTUALSCREEN) / 2), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYVIRTUALSCREEN) / 2), 1);
}

TEST_F(VersionDialogTest, LinksOpenByClickAndByEnterAndEnterElsewhereCloses) {
  TQVVersionDialog d(MainFolder(QV_VERSION_FIXTURE_EXE), &shell);
  ShowDialog(d);
  const std::string site = kSupportSiteAddress, mail = std::string("mailto:") + kSupportMailAddress;
  struct TCase {
    const char* name;
    TLinkField* field;
    bool click;  // else Enter with the focus in it
    std::string opened;
  };
  const TCase cases[] = {
      {"a click on the site", &d.SiteField(), true, site},
      {"a click on the mail address", &d.MailField(), true, mail},
      {"Enter in the site field", &d.SiteField(), false, site},
      {"Enter in the mail field", &d.MailField(), false, mail},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    shell.opened.clear();
    if (c.click) {
      ClickAt(c.field->Handle(), 10, 6);
    } else {
      c.field->Focus();
      Drain();
      Press({VK_RETURN});
    }
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], c.opened);
    EXPECT_EQ(shell.verbs[0], "") << "the default verb";
    EXPECT_EQ(shell.shows[0], SW_SHOWNORMAL);
    EXPECT_TRUE(d.Visible()) << "Enter in a link field does not close";
  }
  // The pointer over a link is a hand.
  POINT p = ScreenPoint(d.SiteField().Handle(), 10, 6);
  MouseToScreen(p.x, p.y);
  Drain();
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
  // Enter anywhere else is OK's.
  d.VersionField().Focus();
  Drain();
  Press({VK_RETURN});
  EXPECT_FALSE(d.Visible());
  EXPECT_TRUE(shell.opened.size() == 1u);
}

TEST_F(VersionDialogTest, CopyDataWithoutContentBringsAHiddenWindowForward) {
  TQVVersionDialog d(MainFolder(QV_VERSION_FIXTURE_EXE), &shell);
  ASSERT_FALSE(d.Visible());
  SetForegroundWindow(Form());
  Drain();
  SendMessageA(d.Handle(), WM_COPYDATA, reinterpret_cast<WPARAM>(Form()), 0);
  Drain();
  EXPECT_TRUE(d.Visible());
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == d.Handle(); }));
}

// The picture: the window of the fixture launcher.
TEST_F(VersionDialogTest, ScreenshotTheVersionWindow) {
  TQVVersionDialog d(MainFolder(QV_VERSION_FIXTURE_EXE), &shell);
  ShowDialog(d);
  d.Control("OKButton").Focus();
  OfferScreenshot(d.Handle(), "editor-version");
}

}  // namespace
