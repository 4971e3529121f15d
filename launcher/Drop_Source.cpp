#include "launcher/Drop_Source.h"

#include <shlobj.h>
#include <shobjidl.h>


#include "core/Handles.h"
#include "ui/OleStart.h"
#include "ui/ErrorHandler.h"

TDropSource::TDropSource() : TransparentColor(GetSysColor(COLOR_WINDOW)) {}

TDropSource::~TDropSource() {
  if (data_) data_->Release();
}

STDMETHODIMP TDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  if (keyState & (MK_LBUTTON | MK_RBUTTON)) return escapePressed ? DRAGDROP_S_CANCEL : S_OK;
  return DRAGDROP_S_DROP;
}

STDMETHODIMP TDropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

namespace {
core::TComPtr<IDragSourceHelper> NewDragSourceHelper() {
  core::TComPtr<IDragSourceHelper> helper;
  if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDragSourceHelper,
                              helper.put_void())))
    return {};
  return helper;
}
}  // namespace

bool TDropSource::ImageFromBitmap() {
  if (!DragImage || !data_) return false;
  BITMAP info = {};
  if (!GetObjectA(DragImage, sizeof info, &info)) return false;
  core::TComPtr<IDragSourceHelper> helper = NewDragSourceHelper();
  if (!helper) return false;
  SHDRAGIMAGE image = {};
  image.sizeDragImage = {info.bmWidth, info.bmHeight};
  image.ptOffset = {info.bmWidth / 2, info.bmHeight / 2};
  image.hbmpDragImage =
      static_cast<HBITMAP>(CopyImage(DragImage, IMAGE_BITMAP, info.bmWidth, info.bmHeight, 0));
  image.crColorKey = TransparentColor;
  bool ok = image.hbmpDragImage && SUCCEEDED(helper->InitializeFromBitmap(&image, data_));
  // On success the helper owns the copy.
  if (!ok && image.hbmpDragImage) DeleteObject(image.hbmpDragImage);
  return ok;
}

bool TDropSource::ImageFromWindow() {
  if (!DragWindow || !data_) return false;
  core::TComPtr<IDragSourceHelper> helper = NewDragSourceHelper();
  if (!helper) return false;
  POINT origin = {0, 0};
  return SUCCEEDED(helper->InitializeFromWindow(DragWindow, &origin, data_));
}

void TDropSource::Execute(IDataObject* data) {
  if (!data) return;
  data->AddRef();
  if (data_) data_->Release();
  data_ = data;
  if (!ImageFromBitmap()) ImageFromWindow();
  DWORD effect = DROPEFFECT_NONE;
  RunDragLoop(data_, &effect);
}

HRESULT TDropSource::RunDragLoop(IDataObject* data, DWORD* effect) {
  return DoDragDrop(data, this, AllowedEffects, effect);
}

namespace {
int g_unitUsers = 0;
}  // namespace

void InitDropSourceUnit() {
  if (g_unitUsers++ == 0) ui::InitOle();
}

void FinalizeDropSourceUnit() {
  if (g_unitUsers > 0 && --g_unitUsers == 0) ui::FinalizeOle();
}
