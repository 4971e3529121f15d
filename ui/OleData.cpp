#include "ui/OleData.h"

#include <cstring>

namespace ui {

FORMATETC MakeFormatEtc(CLIPFORMAT format) {
  FORMATETC f = {};
  f.cfFormat = format;
  f.ptd = nullptr;
  f.dwAspect = DVASPECT_CONTENT;
  f.lindex = -1;
  f.tymed = TYMED_HGLOBAL;
  return f;
}

bool ReadGlobalBlock(HGLOBAL block, std::string& out) {
  out.clear();
  if (!block) return false;
  const SIZE_T size = GlobalSize(block);
  const void* p = GlobalLock(block);
  if (!p) return size == 0;
  try {
    out.assign(static_cast<const char*>(p), size);
  } catch (...) {
    GlobalUnlock(block);
    out.clear();
    return false;
  }
  GlobalUnlock(block);
  return true;
}

HGLOBAL NewGlobalBlock(const std::string& bytes, UINT extraFlags) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | extraFlags, bytes.size());
  if (!h) return nullptr;
  if (!bytes.empty()) {
    void* p = GlobalLock(h);
    if (!p) {
      GlobalFree(h);
      return nullptr;
    }
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(h);
  }
  return h;
}

bool GetGlobalData(IDataObject* data, CLIPFORMAT format, std::string& out) {
  return GetGlobalData(data, MakeFormatEtc(format), out);
}

bool GetGlobalData(IDataObject* data, const FORMATETC& format, std::string& out) {
  out.clear();
  if (!data) return false;
  FORMATETC f = format;
  STGMEDIUM medium = {};
  if (FAILED(data->GetData(&f, &medium))) return false;
  bool ok = medium.tymed == TYMED_HGLOBAL && ReadGlobalBlock(medium.hGlobal, out);
  ReleaseStgMedium(&medium);
  return ok;
}

}  // namespace ui
