#include "launcher/File_Data_Handler.h"

#include <shellapi.h>

#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/ForEachFile.h"
#include "core/ScopeGuard.h"
#include "core/Sjis.h"
#include "core/AnsiText.h"
#include "core/Data_Blocks.h"

namespace {

// The last part of a path, whether or not it ends with a delimiter.
std::string LastPart(const std::string& path) {
  return sjis::ExtractFileName(sjis::ExcludeTrailingPathDelimiter(path));
}

}  // namespace

TFileDataHandler::TFileDataHandler() {
  Formats.Add(ui::MakeFormatEtc(CF_HDROP));
  Effect = DROPEFFECT_LINK;
}

TStringList TFileDataHandler::Normalize(const TStringList& lines) {
  TStringList out;
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  auto restoreMode = core::ScopeExit([oldMode] { SetErrorMode(oldMode); });
  for (const std::string& line : lines) {
    if (line.empty() || core::IsDotEntry(LastPart(line))) continue;
    const bool pattern = line.find_first_of("*?") != std::string::npos;
    if (!pattern) {
      if (fileio::FileExists(line) || fileio::DirectoryExists(line)) out.Add(line);
      continue;
    }
    const std::string folder = sjis::ExtractFilePath(line);
    core::ForEachFile(line, [&](const WIN32_FIND_DATAA& fd) { out.Add(folder + fd.cFileName); });
  }
  return out;
}

void TFileDataHandler::SetFiles(const TStringList& files) {
  files_ = Normalize(files);
  DebugOut().Write("File_Data_Type.Data=").Write(files_.GetText()).WriteLn();
}

void TFileDataHandler::SetFilesText(std::string_view text) {
  TStringList l;
  l.SetText(text);
  SetFiles(l);
}

bool TFileDataHandler::Render(const FORMATETC& format, STGMEDIUM& medium) {
  if (format.cfFormat != CF_HDROP || !(format.tymed & TYMED_HGLOBAL)) return false;
  HGLOBAL block = ui::NewGlobalBlock(datablock::BuildDropFiles(files_.Items()), GMEM_SHARE);
  if (!block) return false;
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = block;
  medium.pUnkForRelease = nullptr;
  return true;
}

bool TFileDataHandler::NamesFromBlock(const std::string& block, TStringList& out) {
  out.Clear();
  datablock::DropFileNames names;
  if (!datablock::ParseDropFiles(block, names)) return false;
  if (names.wide)
    for (const std::u16string& w : names.wideNames) out.Add(WideToAnsi(w));
  else
    for (std::string& n : names.names) out.Add(std::move(n));
  return true;
}

bool TFileDataHandler::ReadFrom(IDataObject* data) {
  std::string block;
  if (!ui::GetGlobalData(data, CF_HDROP, block)) return false;
  TStringList names;
  const bool ok = NamesFromBlock(block, names);
  SetFiles(names);
  return ok;
}
