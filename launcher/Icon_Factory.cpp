#include "launcher/Icon_Factory.h"
#include "core/WebAddress.h"

#include <ole2.h>

#include <climits>

#include "core/FileIO.h"
#include "core/Handles.h"
#include "core/Sjis.h"

namespace {

class ShellIconSource : public TIconSource {
 public:
  DWORD_PTR GetFileInfo(const std::string& path, DWORD attributes, SHFILEINFOA& info, UINT flags) override {
    return SHGetFileInfoA(path.c_str(), attributes, &info, sizeof(info), flags);
  }
  UINT ExtractIcons(const std::string& file, int index, HICON* largeIcon, HICON* smallIcon) override {
    return ::ExtractIconExA(file.c_str(), index, largeIcon, smallIcon, 1);
  }
};

CRITICAL_SECTION& FactoryLock() {
  static CRITICAL_SECTION* lock = [] {
    auto* cs = new CRITICAL_SECTION;  // lives as long as the process: threads may still ask at exit
    InitializeCriticalSection(cs);
    return cs;
  }();
  return *lock;
}

// Drive part of a path: "C:" or "\\server\share"; empty when it has none.
std::string FileDrive(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':' && !sjis::IsLeadByte(path[0])) return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    size_t server = sjis::FindChar(path, '\\', 2);
    if (server == sjis::npos || server == 2) return std::string();
    size_t share = sjis::FindChar(path, '\\', server + 1);
    return share == sjis::npos ? path : path.substr(0, share);
  }
  return std::string();
}

}  // namespace

bool IsIconFile(const std::string& path) {
  const std::string ext = sjis::ToLowerAscii(sjis::ExtractFileExt(path));
  return (ext == ".exe" || ext == ".dll" || ext == ".cpl" || ext == ".icl") && fileio::FileExists(path);
}

TIconFactory& AcquireIconFactory() {
  EnterCriticalSection(&FactoryLock());
  static TIconFactory factory;  // created on first use, freed at program end
  return factory;
}

void ReleaseIconFactory() { LeaveCriticalSection(&FactoryLock()); }

TIconSource& TIconFactory::Source() {
  static ShellIconSource shell;
  return source_ ? *source_ : shell;
}

std::string TIconFactory::NormalizePath(const std::string& path) {
  std::string p = path;
  if (sjis::EndsWithChar(p, '\\')) p.pop_back();
  // A bare drive or share keeps its backslash: "C:" alone means the current folder of C.
  const std::string drive = FileDrive(p);
  if (!drive.empty() && p == drive && !sjis::StartsWithChar(p, '.')) p += '\\';
  if (OnGetPath) OnGetPath(this, p);
  return p;
}

int TIconFactory::GetIconIndex(const std::string& path, bool smallSize) {
  core::TOleSession ole;  // the shell wants OLE on the calling thread
  SHFILEINFOA info = {};
  UINT flags = SHGFI_SYSICONINDEX | SHGFI_LINKOVERLAY | (smallSize ? SHGFI_SMALLICON : 0);
  if (!Source().GetFileInfo(NormalizePath(path), 0, info, flags)) return -1;
  return info.iIcon;
}

int TIconFactory::GetSmallIconIndex(const std::string& path) { return GetIconIndex(path, true); }
int TIconFactory::GetLargeIconIndex(const std::string& path) { return GetIconIndex(path, false); }

HIMAGELIST TIconFactory::GetSystemImageList(bool smallSize) {
  core::TOleSession ole;  // the shell wants OLE on the calling thread
  SHFILEINFOA info = {};
  return reinterpret_cast<HIMAGELIST>(
      Source().GetFileInfo("", 0, info, SHGFI_SYSICONINDEX | (smallSize ? SHGFI_SMALLICON : 0)));
}

HICON TIconFactory::GetIcon(const std::string& path, int iconIndex, bool smallSize) {
  const std::string p = NormalizePath(path);
  UINT flags = SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_USEFILEATTRIBUTES | (smallSize ? SHGFI_SMALLICON : 0);
  HICON icon = nullptr;
  SHFILEINFOA info = {};
  const char* stand_in = nullptr;
  if (IsWebAddress(p) || sjis::StartsWithIgnoreCase(p, "www.")) stand_in = "*.html";
  else if (sjis::StartsWithIgnoreCase(p, "mailto:")) stand_in = "*.eml";
  if (stand_in && Source().GetFileInfo(stand_in, FILE_ATTRIBUTE_NORMAL, info, flags)) icon = info.hIcon;

  if (iconIndex > 0 && IsIconFile(p)) {
    HICON got = nullptr;
    UINT n = smallSize ? Source().ExtractIcons(p, iconIndex - 1, nullptr, &got)
                   : Source().ExtractIcons(p, iconIndex - 1, &got, nullptr);
    if (n != 0 && n != UINT_MAX && got) {
      if (icon) DestroyIcon(icon);
      icon = got;
    }
  }
  if (!icon) {
    info = SHFILEINFOA{};
    if (Source().GetFileInfo(p, FILE_ATTRIBUTE_NORMAL, info, flags & ~SHGFI_USEFILEATTRIBUTES)) icon = info.hIcon;
  }
  return icon;
}

HICON TIconFactory::GetLargeIcon(const std::string& path, int iconIndex) { return GetIcon(path, iconIndex, false); }
HICON TIconFactory::GetSmallIcon(const std::string& path, int iconIndex) { return GetIcon(path, iconIndex, true); }
