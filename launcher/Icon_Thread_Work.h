// The icon job of the work thread: asks the icon cache, on the worker, for the
// image-list index of a path's icon.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "launcher/Work_Thread.h"

class TIconThreadWork : public TThreadWork {
 public:
  explicit TIconThreadWork(std::string path) : Path(std::move(path)) {}

  void Execute() override;
  // Same class, same Path (exactly), IconIndex and Size.
  bool IsSame(const TThreadWork& other) const override;

  std::string Path;
  int IconIndex = 0;
  int Size = 16;
  // Results.
  HIMAGELIST ImageList = nullptr;
  int ImageIndex = -1;
};
