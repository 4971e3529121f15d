#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FileIO.h"
#include "launcher/Data_Handler.h"
#include "launcher/Drop_Source.h"
#include "launcher/Drop_Target.h"
#include "launcher/File_Data_Handler.h"
#include "launcher/Multi_Data_Object.h"
#include "launcher/Multi_Drop_Source.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestWindow.h"

namespace {

TDropSource* NewSource() { return new TDropSource; }

TEST(DropSourceTest, QueryContinueDragFollowsTheButtonsAndEscape) {
  struct Case {
    const char* name;
    BOOL escape;
    DWORD keys;
    HRESULT expected;
  } cases[] = {
      {"left held", FALSE, MK_LBUTTON, S_OK},
      {"left held, escape", TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
      {"right held", FALSE, MK_RBUTTON, S_OK},
      {"right held, escape", TRUE, MK_RBUTTON, DRAGDROP_S_CANCEL},
      {"both held with shift", FALSE, MK_LBUTTON | MK_RBUTTON | MK_SHIFT, S_OK},
      {"released", FALSE, 0, DRAGDROP_S_DROP},
      {"released, escape", TRUE, 0, DRAGDROP_S_DROP},
      {"only ctrl", FALSE, MK_CONTROL, DRAGDROP_S_DROP},
      {"only the middle button", FALSE, MK_MBUTTON, DRAGDROP_S_DROP},
  };
  TDropSource* source = NewSource();
  for (const Case& c : cases) EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.expected) << c.name;
  for (DWORD effect : {DROPEFFECT_NONE, DROPEFFECT_COPY, DROPEFFECT_LINK})
    EXPECT_EQ(source->GiveFeedback(effect), DRAGDROP_S_USEDEFAULTCURSORS);
  EXPECT_EQ(source->AllowedEffects, static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK));
  source->Release();
}

// Records what the drag would carry instead of running the platform's loop.
class RecordingMultiSource : public TMultiDropSource {
 public:
  DWORD effects = 0;
  HBITMAP image = nullptr;
  std::vector<std::string> files;
  std::string text;
  int runs = 0;

 protected:
  void RunDrag(TDropSource& source, TMultiDataObject& data) override {
    ++runs;
    effects = source.AllowedEffects;
    image = source.DragImage;
    std::string block;
    EXPECT_TRUE(ui::GetGlobalData(&data, CF_HDROP, block));
    TStringList names;
    EXPECT_TRUE(TFileDataHandler::NamesFromBlock(block, names));
    files = names.Items();
    ui::GetGlobalData(&data, CF_TEXT, text);
  }
};

TEST(DropSourceTest, ContentsBecomeTheDraggedFilesAndText) {
  TempDir dir;
  WriteTextFile(dir / "a.txt", "a");
  WriteTextFile(dir / "b.txt", "b");
  RecordingMultiSource source;
  source.Contents().Add(dir / "a.txt");
  source.Contents().Add(dir / "b.txt");
  EXPECT_EQ(source.ContentsText(), (dir / "a.txt") + "\r\n" + (dir / "b.txt") + "\r\n");
  source.Execute();
  EXPECT_EQ(source.runs, 1);
  EXPECT_EQ(source.effects, static_cast<DWORD>(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK));
  EXPECT_EQ(source.image, nullptr);
  EXPECT_EQ(source.files, (std::vector<std::string>{dir / "a.txt", dir / "b.txt"}));
  EXPECT_EQ(source.text, source.ContentsText() + std::string(1, '\0'));
}

// One real drag in this process: the pointer rests over a window of ours with
// the launcher's drop target and no button is held, so the platform's loop
// drops at once onto it, without a drag image (none was given).
TEST(DropSourceTest, RealDragDropsBothPathsOnATargetUnderThePointer) {
  TempDir dir;
  WriteTextFile(dir / "a.txt", "a");
  WriteTextFile(dir / "b.txt", "b");
  HWND host = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "drag sink", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 600, 600, 200,
                              100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  PumpFor(50);
  std::vector<std::string> dropped;
  {
    TMultiDropTarget target(host);
    target.OnDropFiles = [&](TMultiDropTarget*, const std::string& text) { dropped.push_back(text); };
    SetCursorPos(700, 650);
    TMultiDropSource source;
    source.Contents().Add(dir / "a.txt");
    source.Contents().Add(dir / "b.txt");
    source.Execute();
  }
  DestroyWindow(host);
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_EQ(dropped[0], (dir / "a.txt") + "\r\n" + (dir / "b.txt") + "\r\n");
}

}  // namespace
