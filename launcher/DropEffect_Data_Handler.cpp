#include "launcher/DropEffect_Data_Handler.h"

#include <cstring>

TDropEffectDataHandler::TDropEffectDataHandler() { Format(); }

CLIPFORMAT TDropEffectDataHandler::Format() {
  static const CLIPFORMAT format = static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Preferred DropEffect"));
  return format;
}

bool TDropEffectDataHandler::Render(const FORMATETC& format, STGMEDIUM& medium) {
  if (format.cfFormat != Format() || !(format.tymed & TYMED_HGLOBAL)) return false;
  std::string bytes(sizeof(Value), '\0');
  std::memcpy(bytes.data(), &Value, sizeof(Value));
  HGLOBAL block = ui::NewGlobalBlock(bytes, GMEM_SHARE);
  if (!block) return false;
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = block;
  medium.pUnkForRelease = nullptr;
  return true;
}
