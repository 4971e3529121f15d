#include "launcher/Data_Handler.h"

#include <cstring>
#include <new>

bool FormatsMatch(const FORMATETC& a, const FORMATETC& b) {
  return a.cfFormat == b.cfFormat && a.dwAspect == b.dwAspect && (a.tymed & b.tymed) != 0;
}

// ---- TFormatList ----

FORMATETC TFormatList::GetFormat(int index) const {
  if (index < 0 || index >= Count()) return FORMATETC{};
  return items_[static_cast<size_t>(index)];
}

void TFormatList::Add(const FORMATETC& format) {
  FORMATETC copy = format;
  copy.ptd = nullptr;
  items_.push_back(copy);
}

void TFormatList::AddList(const TFormatList& other) {
  items_.insert(items_.end(), other.items_.begin(), other.items_.end());
}

int TFormatList::IndexOf(const FORMATETC& format) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (FormatsMatch(items_[i], format)) return static_cast<int>(i);
  return -1;
}

IEnumFORMATETC* TFormatList::CreateEnumerator() const { return new (std::nothrow) TEnumFormatEtc(items_); }

// ---- TEnumFormatEtc ----

TEnumFormatEtc::TEnumFormatEtc(std::vector<FORMATETC> formats, ULONG position)
    : formats_(std::move(formats)), position_(position) {}

STDMETHODIMP TEnumFormatEtc::Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) {
  if (pceltFetched) *pceltFetched = 0;
  if (celt > 0 && !rgelt) return E_POINTER;
  if (celt > 1 && !pceltFetched) return E_INVALIDARG;
  ULONG n = 0;
  while (n < celt && position_ < formats_.size()) rgelt[n++] = formats_[position_++];
  if (pceltFetched) *pceltFetched = n;
  return n == celt ? S_OK : S_FALSE;
}

STDMETHODIMP TEnumFormatEtc::Skip(ULONG celt) {
  if (formats_.size() - position_ < celt) return S_FALSE;
  position_ += celt;
  return S_OK;
}

STDMETHODIMP TEnumFormatEtc::Reset() {
  position_ = 0;
  return S_OK;
}

STDMETHODIMP TEnumFormatEtc::Clone(IEnumFORMATETC** ppenum) {
  if (!ppenum) return E_POINTER;
  *ppenum = nullptr;
  try {
    *ppenum = new TEnumFormatEtc(formats_, position_);
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}
