#include "tests/support/Screenshot.h"

#include <cstdio>
#include <cstdlib>

#include "tests/support/TestWindow.h"

namespace {

std::string ShotDir() {
  const char* dir = std::getenv("QV_SHOT_DIR");
  return dir ? dir : "";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool ScreenshotsWanted() { return !ShotDir().empty(); }

void OfferScreenshot(HWND window, const std::string& name) {
  // What is due is painted; nothing is repainted that a test drew over.
  UpdateWindow(window);
  RECT r = {};
  GetWindowRect(window, &r);
  OfferScreenshot(r, name);
}

void OfferScreenshot(RECT r, const std::string& name) {
  PumpFor(100);
  const std::string dir = ShotDir();
  if (dir.empty()) return;
  const std::string done = dir + "\\" + name + ".done";
  DeleteFileA(done.c_str());
  // Written under another name first: the script must never read half a line.
  const std::string ready = dir + "\\" + name + ".ready";
  const std::string partial = ready + ".tmp";
  if (FILE* f = std::fopen(partial.c_str(), "wb")) {
    std::fprintf(f, "%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    std::fclose(f);
    MoveFileExA(partial.c_str(), ready.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  PumpUntil([&] { return Exists(done); }, 30000);
}
