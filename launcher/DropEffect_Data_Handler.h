// The preferred drop effect ("Preferred DropEffect"): a 32-bit value. It lists
// no format and holds no data, so a data object never offers it.
#pragma once

#include <string>

#include "launcher/Data_Handler.h"

class TDropEffectDataHandler : public TDataHandler {
 public:
  TDropEffectDataHandler();

  DWORD Value = 0;

  std::string GetText() const override { return std::string(); }
  bool Render(const FORMATETC& format, STGMEDIUM& medium) override;
  bool ReadFrom(IDataObject*) override { return false; }

  static CLIPFORMAT Format();
};
