// The data object that the launcher offers to other programs: it answers
// every request by asking its data handlers, and keeps the data that others
// place into it (SetData).
#pragma once

#include <windows.h>
#include <objidl.h>

#include <memory>
#include <vector>

#include "core/ComObject.h"
#include "launcher/Data_Handler.h"

class TDataObject : public core::TComObject<IDataObject> {
 public:
  TDataObject();

  // IDataObject
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP QueryGetData(FORMATETC* format) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
  STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP DUnadvise(DWORD connection) override;
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA** out) override;

  // Renders through the first enabled handler that lists the format; with
  // fill off (GetDataHere) nothing is rendered.
  virtual HRESULT Render(const FORMATETC& format, STGMEDIUM& medium, bool fill);

  // The object owns the handler; handlers are asked in the order added.
  TDataHandler& AddHandler(std::unique_ptr<TDataHandler> handler);
  int HandlerCount() const { return static_cast<int>(handlers_.size()); }
  TDataHandler& Handler(int i) { return *handlers_[static_cast<size_t>(i)]; }

  // Copy rule of a medium: sharing hands out the same data with this object
  // as release owner; duplicating makes a copy the receiver owns outright.
  HRESULT CopyMedium(const STGMEDIUM& source, STGMEDIUM& dest, bool share);

 protected:
  ~TDataObject() override;

 private:
  void RebuildOffered();

  TFormatList offered_;
  std::vector<std::unique_ptr<TDataHandler>> handlers_;
  TFormatList storedFormats_;
  std::vector<STGMEDIUM> stored_;
  IDataAdviseHolder* adviseHolder_ = nullptr;
};

// Start and end of the data-object unit, counted. The first start initialises
// OLE for the calling (user-interface) thread; the last end flushes the
// clipboard through OLE, so that data placed there outlives the program, and
// uninitialises OLE.
void InitDataObjectUnit();
void FinalizeDataObjectUnit();
