// Plain text as data (CF_TEXT).
#pragma once

#include <string>

#include "launcher/Data_Handler.h"

class TTextDataHandler : public TDataHandler {
 public:
  TTextDataHandler();

  std::string Text;

  std::string GetText() const override { return Text; }
  bool Render(const FORMATETC& format, STGMEDIUM& medium) override;
  bool ReadFrom(IDataObject* data) override;
  bool HasData() const override { return !Text.empty(); }
};
