#include "launcher/QVIconImage.h"

#include <commctrl.h>

#include "core/Handles.h"
#include "core/Sjis.h"
#include "core/StringList.h"
#include "launcher/Icon_Thread_Work.h"
#include "launcher/Multi_Drop_Source.h"
#include "launcher/Work_Thread.h"
#include "ui/ErrorHandler.h"

TQVIconImage::TQVIconImage(HWND owner, int x, int y)
    : Color(GetSysColor(COLOR_BTNFACE)), work_(std::make_unique<TWorkThread>()) {
  CreatePicture(owner, x, y, WS_CHILD);
  work_->OnDone = [this](TWorkThread*, TThreadWork* work) { Draw(work); };
  small_ = false;
  ResizePicture();
  delay_.OnTimer = [this] {
    delay_.SetEnabled(false);
    ui::Guarded("TQVIconImage.Load", [&] { Load(); });
  };
  dropSource_ = std::make_unique<TMultiDropSource>();
}

TQVIconImage::~TQVIconImage() {
  delay_.SetEnabled(false);
  work_.reset();
  dropSource_.reset();
  if (picture_) DeleteObject(picture_);
}

bool TQVIconImage::IsShown(const std::string& path, int index) const {
  return sjis::EqualsIgnoreCase(path, shownPath_) && index == shownIndex_;
}

void TQVIconImage::SetIcon(const std::string& path, int iconIndex) {
  requestedPath_ = path;
  requestedIndex_ = iconIndex;
  if (IsShown(path, iconIndex)) return;
  if (DelayTime > 0) {
    delay_.SetEnabled(false);
    delay_.SetInterval(static_cast<UINT>(DelayTime));
    delay_.SetEnabled(true);
  } else {
    Load();
  }
}

void TQVIconImage::Reload() {
  shownPath_.clear();
  shownIndex_ = -1;
  SetIcon(requestedPath_, requestedIndex_);
}

void TQVIconImage::Refresh() { SetIcon(requestedPath_, requestedIndex_); }

void TQVIconImage::Load() {
  if (IsShown(requestedPath_, requestedIndex_)) return;
  Show();
  auto work = std::make_unique<TIconThreadWork>(requestedPath_);
  work->IconIndex = requestedIndex_;
  work->Size = small_ ? 16 : 32;
  PostIconWork(std::move(work));
}

void TQVIconImage::PostIconWork(std::unique_ptr<TIconThreadWork> work) { work_->AddWork(std::move(work)); }

void TQVIconImage::ResizePicture() {
  int side = small_ ? 16 : 32;
  if (Handle()) SetWindowPos(Handle(), nullptr, 0, 0, side, side, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HBITMAP bitmap = CreateCompatibleBitmap(core::TWindowDC(nullptr).get(), side, side);
  if (!bitmap) return;
  if (picture_) DeleteObject(picture_);
  picture_ = bitmap;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture_);
  HBRUSH brush = CreateSolidBrush(Color);
  RECT r = {0, 0, side, side};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
}

void TQVIconImage::Draw(TThreadWork* work) {
  auto* icon = dynamic_cast<TIconThreadWork*>(work);
  if (!icon || !picture_) return;
  int side = small_ ? 16 : 32;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, picture_);
  HBRUSH brush = CreateSolidBrush(Color);
  RECT r = {0, 0, side, side};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  if (icon->ImageList && icon->ImageIndex >= 0) ImageList_Draw(icon->ImageList, icon->ImageIndex, dc, 0, 0, ILD_TRANSPARENT);
  SelectObject(dc, old);
  DeleteDC(dc);
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TQVIconImage::SetSmall(bool value) {
  bool changed = value != small_;
  small_ = value;
  ResizePicture();
  if (changed) Reload();
}

void TQVIconImage::SetUseThread(bool value) {
  work_->SetUseThread(value);
  useThread_ = value;
}

int TQVIconImage::PriorityLevel(int value) {
  switch (value) {
    case 0: case 1: case 3: case 4: case 5:
      return value;
    default:
      return 2;
  }
}

void TQVIconImage::SetThreadPriority(int value) {
  threadPriority_ = value;
  work_->SetPriority(static_cast<TThreadPriority>(PriorityLevel(value)));
}

TStringList& TQVIconImage::DropContents() { return dropSource_->Contents(); }

bool TQVIconImage::CancelTargetDrag() {
  if (dropSource_->ContentsText().empty()) return false;
  dropSource_->DragImage = picture_;
  dropSource_->TransparentColor = Color;
  RunContentsDrag();
  return true;
}

void TQVIconImage::RunContentsDrag() { dropSource_->Execute(); }

LRESULT TQVIconImage::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    core::TPaintDC dc(Handle());
    if (picture_) {
      core::TUniqueMemoryDC mem(CreateCompatibleDC(dc.get()));
      core::TSelectObject select(mem.get(), picture_);
      int side = small_ ? 16 : 32;
      BitBlt(dc.get(), 0, 0, side, side, mem.get(), 0, 0, SRCCOPY);
    }
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  return ui::TGetTargetExeFile::WndProc(msg, wParam, lParam);
}
