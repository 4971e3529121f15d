// Files as data (CF_HDROP). The list keeps only paths that exist: every change
// is normalised, and a wildcard line becomes the paths it matches.
#pragma once

#include <string>

#include "core/StringList.h"
#include "launcher/Data_Handler.h"

class TFileDataHandler : public TDataHandler {
 public:
  TFileDataHandler();

  const TStringList& Files() const { return files_; }
  void SetFiles(const TStringList& files);
  void SetFilesText(std::string_view text);
  void ClearFiles() { SetFiles(TStringList()); }

  std::string GetText() const override { return files_.GetText(); }
  bool Render(const FORMATETC& format, STGMEDIUM& medium) override;
  bool ReadFrom(IDataObject* data) override;
  bool HasData() const override { return !files_.Empty(); }

  // The list as it is kept: existing paths, wildcard lines expanded; a name
  // of "." or ".." is never kept.
  static TStringList Normalize(const TStringList& lines);
  // Names of a file list block that another program gave; false when the
  // block is malformed.
  static bool NamesFromBlock(const std::string& block, TStringList& out);

 private:
  TStringList files_;
};
