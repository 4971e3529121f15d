#include "ui/MessageBox.h"


#include <thread>

#include "tests/ui/UiFixture.h"

namespace {

using MessageBoxTest = UiTest;

TEST_F(MessageBoxTest, RealBoxShowsShiftJisTextsAndAnswers) {
  ui::SetMessageBoxHandler(nullptr);
  const char* caption = "キーワードの実行";
  std::string seenText, seenCaption;
  std::thread closer([&] {
    for (int i = 0; i < 500; ++i) {
      HWND box = FindWindowA("#32770", caption);
      if (box) {
        char buf[256] = {};
        GetDlgItemTextA(box, 0xFFFF, buf, sizeof buf);
        seenText = buf;
        GetWindowTextA(box, buf, sizeof buf);
        seenCaption = buf;
        PostMessageA(box, WM_COMMAND, IDNO, 0);
        return;
      }
      Sleep(20);
    }
  });
  int answer = ui::ShowMessageBox(app->Handle(), "ファイルが見つかりません\r\n表示しますか?", caption, MB_YESNO | MB_ICONWARNING);
  closer.join();
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(seenCaption, caption);
  EXPECT_EQ(seenText, "ファイルが見つかりません\r\n表示しますか?");
}

TEST_F(MessageBoxTest, ReplacedHandlerGetsTheRequest) {
  answer = IDYES;
  EXPECT_EQ(ui::ShowMessageBox(nullptr, "設定を変更しますか?", "quorvane", MB_YESNO), IDYES);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, "設定を変更しますか?");
  EXPECT_EQ(boxes[0].Caption, "quorvane");
  EXPECT_EQ(boxes[0].Flags, UINT(MB_YESNO));
}

// Wine's version 6 reports 5.81 from DllGetVersion; what tells it apart is the
// side-by-side copy that the manifest selects.
TEST_F(MessageBoxTest, ManifestBringsCommonControls6) {
  HMODULE comctl = LoadLibraryA("comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(comctl, path, MAX_PATH);
  std::string p = path;
  for (char& c : p) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(p.find("microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos) << path;
}

}  // namespace
