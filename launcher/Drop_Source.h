// The drag source of a drag out of the launcher: answers the platform's
// questions during the modal drag loop and sets up the shell's drag image.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "core/ComObject.h"

class TDropSource : public core::TComObject<IDropSource> {
 public:
  TDropSource();

  // Goes on while the left or right button is held (cancelled by escape);
  // drops once neither is.
  STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  STDMETHODIMP GiveFeedback(DWORD effect) override;

  // Runs the modal drag of data; returns when the drag ends.
  void Execute(IDataObject* data);

  HBITMAP DragImage = nullptr;  // not owned; copied for the helper
  HWND DragWindow = nullptr;
  DWORD AllowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  COLORREF TransparentColor;

 protected:
  ~TDropSource() override;
  // Runs the platform's drag loop (DoDragDrop).
  virtual HRESULT RunDragLoop(IDataObject* data, DWORD* effect);

 private:
  bool ImageFromBitmap();
  bool ImageFromWindow();

  IDataObject* data_ = nullptr;
};

// Start and end of the unit, counted: OLE for the user-interface thread.
void InitDropSourceUnit();
void FinalizeDropSourceUnit();
