// The icon picture at the left of the launcher's input box: shows the icon of
// the keyword being typed, loaded on the work thread through the icon cache,
// after a delay when DelayTime is set, so that fast typing loads only the last
// request of a burst. It is a window picker as well: a drag from it picks a
// window, unless it has contents (DropContents), which are then dragged out
// by OLE instead.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/GetTargetExeFile.h"
#include "ui/Timer.h"

class TIconThreadWork;
class TMultiDropSource;
class TStringList;
class TThreadWork;
class TWorkThread;

class TQVIconImage : public ui::TGetTargetExeFile {
 public:
  // Makes the picture as a hidden child of owner (a window of the layer or any
  // window), 32 x 32 at (x, y).
  TQVIconImage(HWND owner, int x = 0, int y = 0);
  ~TQVIconImage() override;

  void SetIcon(const std::string& path, int iconIndex);
  void Reload();
  void Refresh();

  int DelayTime = 0;  // ms; 0 or less loads at once
  bool Small() const { return small_; }
  void SetSmall(bool value);
  bool UseThread() const { return useThread_; }
  void SetUseThread(bool value);
  int ThreadPriority() const { return threadPriority_; }
  void SetThreadPriority(int value);
  // The worker's level for a ThreadPriority value: 0, 1, 3, 4, 5 as they are,
  // anything else 2.
  static int PriorityLevel(int value);

  TStringList& DropContents();
  // The background the picture is filled with, also the drag image's
  // transparent colour; the owner sets its own.
  COLORREF Color;

  const std::string& RequestedPath() const { return requestedPath_; }
  int RequestedIndex() const { return requestedIndex_; }
  HBITMAP Picture() const { return picture_; }
  TWorkThread& WorkThread() { return *work_; }

 protected:
  bool CancelTargetDrag() override;
  // Seams: hands a job to the work thread; runs the drag of the contents.
  virtual void PostIconWork(std::unique_ptr<TIconThreadWork> work);
  virtual void RunContentsDrag();

 private:
  void Load();
  void Draw(TThreadWork* work);
  void ResizePicture();
  bool IsShown(const std::string& path, int index) const;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  std::unique_ptr<TWorkThread> work_;
  ui::TTimer delay_;  // the wait after a request, restarted by each one
  std::string requestedPath_;
  int requestedIndex_ = 0;
  std::string shownPath_;
  int shownIndex_ = 0;
  std::unique_ptr<TMultiDropSource> dropSource_;
  bool small_ = false;
  bool useThread_ = false;
  int threadPriority_ = 0;
  HBITMAP picture_ = nullptr;
};
