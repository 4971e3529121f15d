// Web addresses as data: the registered format "UniformResourceLocator", and
// dropped internet shortcut files (".url").
#pragma once

#include <string>

#include "launcher/Data_Handler.h"

class TURLDataHandler : public TDataHandler {
 public:
  TURLDataHandler();

  std::string URL;
  std::string Title;

  std::string GetText() const override { return URL; }
  bool Render(const FORMATETC& format, STGMEDIUM& medium) override;
  bool ReadFrom(IDataObject* data) override;
  bool HasData() const override { return !URL.empty(); }

  CLIPFORMAT URLFormat() const { return urlFormat_; }

  // Address in an internet shortcut file; empty when it has none or cannot be read.
  static std::string ReadShortcutFile(const std::string& path);
  // Writes the internet shortcut of an address into the user's temporary
  // folder and returns its path; empty when the file could not be written.
  static std::string WriteShortcutFile(const std::string& address);

 private:
  CLIPFORMAT urlFormat_;
};
