#include "launcher/Text_Data_Handler.h"

#include "core/Data_Blocks.h"

TTextDataHandler::TTextDataHandler() {
  Formats.Add(ui::MakeFormatEtc(CF_TEXT));
  Effect = DROPEFFECT_COPY;
}

bool TTextDataHandler::Render(const FORMATETC& format, STGMEDIUM& medium) {
  if (format.cfFormat != CF_TEXT || !(format.tymed & TYMED_HGLOBAL)) return false;
  HGLOBAL block = ui::NewGlobalBlock(datablock::TextUpToNul(Text) + '\0');
  if (!block) return false;
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = block;
  medium.pUnkForRelease = nullptr;
  return true;
}

bool TTextDataHandler::ReadFrom(IDataObject* data) {
  std::string block;
  if (!ui::GetGlobalData(data, CF_TEXT, block)) return false;
  Text = datablock::TextUpToNul(block);
  return true;
}
