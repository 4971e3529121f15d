// Drags a list of lines out of the launcher (the icon picture's contents):
// builds the launcher's data object from them (files, a web address, text)
// and runs the drag with a drag image.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/StringList.h"

class TDropSource;
class TMultiDataObject;

class TMultiDropSource {
 public:
  TMultiDropSource();
  virtual ~TMultiDropSource();
  TMultiDropSource(const TMultiDropSource&) = delete;
  TMultiDropSource& operator=(const TMultiDropSource&) = delete;

  TStringList& Contents();
  // The lines, each followed by CR LF.
  std::string ContentsText() const;

  // Runs the drag; returns when it ends.
  virtual void Execute();

  DWORD AllowedEffects;
  HBITMAP DragImage = nullptr;  // not owned
  COLORREF TransparentColor;

 protected:
  // Runs the drag of data with source (a seam for tests).
  virtual void RunDrag(TDropSource& source, TMultiDataObject& data);

 private:
  std::unique_ptr<TStringList> contents_;
};
