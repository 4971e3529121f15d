#include "launcher/QV_Env_Handler.h"

#include "core/Expand_Env_String.h"
#include "core/File_Paths.h"
#include "core/Sjis.h"

TQVEnvHandler::TQVEnvHandler(TExpandEnvString& expander) : expander_(expander) {
  expander_.AddHandler([this](std::string& text, bool& handled) { Resolve(text, handled); });
}

void TQVEnvHandler::Resolve(std::string& text, bool& handled) const {
  if (!sjis::StartsWithIgnoreCase(text, "QV.")) return;
  const std::string_view name = std::string_view(text).substr(3);
  const char* const names[] = {"MainDir", "UserDir", "MainDrive", "IconDir", "ItemDir"};
  int which = -1;
  for (int i = 0; i < 5; ++i)
    if (sjis::EqualsIgnoreCase(name, names[i])) which = i;
  if (which < 0) return;
  const TFilePaths& f = FilePathsInstance();
  switch (which) {
    case 0: text = f.MainDir; break;
    case 1: text = f.UserDir; break;
    case 2: text = ExtractFileDrive(f.MainDir); break;
    case 3: text = f.IconsDir; break;
    default: text = f.ItemsDir; break;
  }
  handled = true;
}

std::string ExtractFileDrive(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':' && !sjis::IsLeadByte(path[0])) return path.substr(0, 2);
  if (!sjis::StartsWith(path, "\\\\")) return std::string();
  // The server and the share: up to the second backslash after the leading pair.
  size_t server = sjis::FindChar(path, '\\', 2);
  if (server == sjis::npos) return path;
  size_t share = sjis::FindChar(path, '\\', server + 1);
  return share == sjis::npos ? path : path.substr(0, share);
}

TQVEnvHandler& QVEnvHandler() {
  static TQVEnvHandler handler(GetExpandEnvString());
  return handler;
}
