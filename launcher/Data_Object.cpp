#include "launcher/Data_Object.h"

#include <ole2.h>

#include <cstring>

#include "core/Debug_Unit.h"
#include "core/Handles.h"
#include "ui/OleStart.h"

TDataObject::TDataObject() = default;

TDataObject::~TDataObject() {
  for (STGMEDIUM& m : stored_) ReleaseStgMedium(&m);
  if (adviseHolder_) adviseHolder_->Release();
}

TDataHandler& TDataObject::AddHandler(std::unique_ptr<TDataHandler> handler) {
  handlers_.push_back(std::move(handler));
  return *handlers_.back();
}

void TDataObject::RebuildOffered() {
  offered_.Clear();
  for (auto& h : handlers_)
    if (h->Enabled && h->HasData()) offered_.AddList(h->Formats);
  offered_.AddList(storedFormats_);
}

HRESULT TDataObject::Render(const FORMATETC& format, STGMEDIUM& medium, bool fill) {
  for (auto& h : handlers_) {
    if (!h->Enabled || !h->Formats.Contains(format)) continue;
    if (!fill) return E_NOTIMPL;
    return h->Render(format, medium) ? S_OK : E_NOTIMPL;
  }
  return E_NOTIMPL;
}

STDMETHODIMP TDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_INVALIDARG;
  std::memset(medium, 0, sizeof(*medium));
  try {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    int slot = storedFormats_.IndexOf(*format);
    if (slot >= 0) return CopyMedium(stored_[static_cast<size_t>(slot)], *medium, true);
    return Render(*format, *medium, true);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

STDMETHODIMP TDataObject::GetDataHere(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_INVALIDARG;
  try {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    return Render(*format, *medium, false);
  } catch (...) {
    return E_UNEXPECTED;
  }
}

STDMETHODIMP TDataObject::QueryGetData(FORMATETC* format) {
  if (!format) return E_INVALIDARG;
  try {
    RebuildOffered();
    return offered_.Contains(*format) ? S_OK : DV_E_FORMATETC;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

STDMETHODIMP TDataObject::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) {
  if (!in || !out) return E_INVALIDARG;
  *out = *in;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP TDataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) {
  if (!format || !medium) return E_INVALIDARG;
  try {
    STGMEDIUM taken = {};
    if (release) {
      taken = *medium;
    } else {
      HRESULT hr = CopyMedium(*medium, taken, false);
      if (FAILED(hr)) return hr;
    }
    int slot = storedFormats_.IndexOf(*format);
    if (slot >= 0) {
      ReleaseStgMedium(&stored_[static_cast<size_t>(slot)]);
      stored_[static_cast<size_t>(slot)] = taken;
    } else {
      storedFormats_.Add(*format);
      stored_.push_back(taken);
    }
    if (adviseHolder_) adviseHolder_->SendOnDataChange(this, 0, 0);
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT TDataObject::CopyMedium(const STGMEDIUM& source, STGMEDIUM& dest, bool share) {
  dest = source;
  // A copy is the receiver's own: nobody else may release it on its behalf.
  if (!share) dest.pUnkForRelease = nullptr;
  switch (source.tymed) {
    case TYMED_HGLOBAL:
      if (share) {
        dest.pUnkForRelease = static_cast<IDataObject*>(this);
      } else {
        const SIZE_T size = GlobalSize(source.hGlobal);
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        if (!copy) {
          dest = STGMEDIUM{};
          return E_OUTOFMEMORY;
        }
        const void* from = GlobalLock(source.hGlobal);
        void* to = GlobalLock(copy);
        if (from && to) std::memcpy(to, from, size);
        if (to) GlobalUnlock(copy);
        if (from) GlobalUnlock(source.hGlobal);
        if (size > 0 && (!from || !to)) {
          GlobalFree(copy);
          dest = STGMEDIUM{};
          return E_OUTOFMEMORY;
        }
        dest.hGlobal = copy;
      }
      break;
    case TYMED_FILE:
      // A file medium's release deletes the file. Shared, it stays this
      // object's to release; a copy would delete the giver's file when
      // released, so there is none.
      if (!share) {
        dest = STGMEDIUM{};
        return DV_E_TYMED;
      }
      dest.pUnkForRelease = static_cast<IDataObject*>(this);
      break;
    case TYMED_ISTREAM:
      if (source.pstm) source.pstm->AddRef();
      break;
    case TYMED_ISTORAGE:
      if (source.pstg) source.pstg->AddRef();
      break;
    case TYMED_GDI:
    case TYMED_MFPICT:
    case TYMED_ENHMF:
      if (!share) {
        dest = STGMEDIUM{};
        return DV_E_TYMED;
      }
      dest.pUnkForRelease = static_cast<IDataObject*>(this);
      break;
    default:
      dest = STGMEDIUM{};
      return DV_E_TYMED;
  }
  if (dest.pUnkForRelease) dest.pUnkForRelease->AddRef();
  return S_OK;
}

STDMETHODIMP TDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  try {
    RebuildOffered();
    *out = offered_.CreateEnumerator();
    return *out ? S_OK : E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

STDMETHODIMP TDataObject::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) {
  if (!adviseHolder_) {
    HRESULT hr = CreateDataAdviseHolder(&adviseHolder_);
    if (FAILED(hr)) return hr;
  }
  return adviseHolder_->Advise(this, format, flags, sink, connection);
}

STDMETHODIMP TDataObject::DUnadvise(DWORD connection) {
  return adviseHolder_ ? adviseHolder_->Unadvise(connection) : E_NOTIMPL;
}

STDMETHODIMP TDataObject::EnumDAdvise(IEnumSTATDATA** out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  return adviseHolder_ ? adviseHolder_->EnumAdvise(out) : OLE_E_ADVISENOTSUPPORTED;
}

// ---- unit start and end ----

namespace {
int g_unitUsers = 0;
}  // namespace

void InitDataObjectUnit() {
  if (g_unitUsers++ == 0) ui::InitOle();
}

void FinalizeDataObjectUnit() {
  if (g_unitUsers <= 0 || --g_unitUsers > 0) return;
  {
    // The flush needs OLE even when the unit's own start failed.
    core::TOleSession flushing;
    OleFlushClipboard();
  }
  ui::FinalizeOle();
}
