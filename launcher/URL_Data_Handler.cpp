#include "launcher/URL_Data_Handler.h"
#include "core/WebAddress.h"

#include "core/FileIO.h"
#include "core/Sjis.h"
#include "core/Data_Blocks.h"
#include "launcher/File_Data_Handler.h"

namespace {
// Shortcut files are a few lines; a "shortcut" bigger than this is not one.
constexpr size_t kMaxShortcutFileSize = 1 << 20;
}  // namespace

TURLDataHandler::TURLDataHandler()
    : urlFormat_(static_cast<CLIPFORMAT>(RegisterClipboardFormatA("UniformResourceLocator"))) {
  Formats.Add(ui::MakeFormatEtc(urlFormat_));
  Formats.Add(ui::MakeFormatEtc(CF_HDROP));
  Effect = DROPEFFECT_LINK;
}

bool TURLDataHandler::Render(const FORMATETC& format, STGMEDIUM& medium) {
  if ((format.cfFormat != urlFormat_ && format.cfFormat != CF_TEXT) || !(format.tymed & TYMED_HGLOBAL)) return false;
  HGLOBAL block = ui::NewGlobalBlock(datablock::TextUpToNul(URL) + '\0');
  if (!block) return false;
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = block;
  medium.pUnkForRelease = nullptr;
  return true;
}

std::string TURLDataHandler::ReadShortcutFile(const std::string& path) {
  std::string text;
  if (!fileio::ReadWholeFile(path, text) || text.size() > kMaxShortcutFileSize) return std::string();
  return datablock::InternetShortcutAddress(text);
}

std::string TURLDataHandler::WriteShortcutFile(const std::string& address) {
  char temp[MAX_PATH + 1] = {};
  DWORD n = GetTempPathA(sizeof(temp), temp);
  if (n == 0 || n > MAX_PATH) return std::string();
  const std::string path =
      sjis::IncludeTrailingPathDelimiter(temp) + datablock::InternetShortcutFileName(address);
  if (!fileio::WriteFileReplacing(path, datablock::InternetShortcutText(address))) return std::string();
  return path;
}

bool TURLDataHandler::ReadFrom(IDataObject* data) {
  URL.clear();
  Title.clear();
  TFileDataHandler files;
  if (files.ReadFrom(data) && files.HasData()) {
    const std::string& first = files.Files()[0];
    if (fileio::FileExists(first) && sjis::ToLowerAscii(sjis::ExtractFileExt(first)) == ".url") {
      URL = ReadShortcutFile(first);
      if (URL.empty()) return false;
      Title = sjis::ChangeFileExt(sjis::ExtractFileName(first), "");
      return true;
    }
  }
  std::string block;
  if (!ui::GetGlobalData(data, urlFormat_, block) && !ui::GetGlobalData(data, CF_TEXT, block)) return false;
  URL = datablock::TextUpToNul(block);
  if (!IsWebAddress(URL)) URL.clear();
  return !URL.empty();
}
