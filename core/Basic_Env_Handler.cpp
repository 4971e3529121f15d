#include "core/Basic_Env_Handler.h"

#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>

#include <cstring>
#include <iterator>

#include "core/Expand_Env_String.h"
#include "core/Sjis.h"

namespace {

struct SpecialFolder {
  const char* name;
  int csidl;
};

constexpr SpecialFolder kSpecialFolders[] = {
    {"DESKTOP", 0x10},          {"STARTMENU", 0x0b},        {"PROGRAMS", 0x02},
    {"STARTUP", 0x07},          {"ALTSTARTUP", 0x1d},       {"PERSONAL", 0x05},
    {"FAVORITES", 0x06},        {"RECENT", 0x08},           {"SENDTO", 0x09},
    {"NETHOOD", 0x13},          {"FONTS", 0x14},            {"TEMPLATES", 0x15},
    {"APPDATA", 0x1a},          {"PRINTHOOD", 0x1b},        {"INTERNET_CACHE", 0x20},
    {"COOKIES", 0x21},          {"HISTORY", 0x22},          {"COMMON_DESKTOP", 0x19},
    {"COMMON_STARTMENU", 0x16}, {"COMMON_PROGRAMS", 0x17},  {"COMMON_STARTUP", 0x18},
    {"COMMON_ALTSTARTUP", 0x1e}, {"COMMON_FAVORITES", 0x1f},
};

bool SpecialFolderPath(int csidl, std::string& out) {
  LPITEMIDLIST pidl = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)) || !pidl) return false;
  char buf[MAX_PATH] = {};
  bool ok = SHGetPathFromIDListA(pidl, buf) != FALSE;
  CoTaskMemFree(pidl);
  if (!ok || !buf[0]) return false;
  out = sjis::ExcludeTrailingPathDelimiter(buf);
  return true;
}

// The clipboard may be held open by another program for a moment.
bool OpenClipboardRetrying() {
  for (int i = 0; i < 5; ++i) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(10);
  }
  return false;
}

// Text of a global block, never past its end even without a terminator.
std::string BoundedText(HGLOBAL mem) {
  std::string r;
  if (!mem) return r;
  SIZE_T size = GlobalSize(mem);
  const char* p = static_cast<const char*>(GlobalLock(mem));
  if (!p) return r;
  SIZE_T n = 0;
  while (n < size && p[n]) ++n;
  r.assign(p, n);
  GlobalUnlock(mem);
  return r;
}

}  // namespace

TBasicEnvHandler::TBasicEnvHandler(TExpandEnvString& expander) : expander_(expander) {
  expander_.AddHandler(&TBasicEnvHandler::ResolveSpecialFolder);
  expander_.AddHandler(&TBasicEnvHandler::ResolveEnvironment);
}

void TBasicEnvHandler::ResolveSpecialFolder(std::string& text, bool& handled) {
  for (const auto& f : kSpecialFolders) {
    if (!sjis::EqualsIgnoreCase(text, f.name)) continue;
    // A folder the system cannot name stays unresolved, so the name remains visible.
    std::string path;
    if (SpecialFolderPath(f.csidl, path)) {
      text = path;
      handled = true;
    }
    return;
  }
}

void TBasicEnvHandler::ResolveEnvironment(std::string& text, bool& handled) {
  if (sjis::StartsWithIgnoreCase(text, "ENV.")) {
    std::string ref = "%" + text.substr(4) + "%";
    // The buffer takes the size the system asks for, however long the value;
    // a value that grows between the two calls is asked for again.
    std::string value = ref;
    DWORD need = ExpandEnvironmentStringsA(ref.c_str(), nullptr, 0);
    for (int tries = 0; tries < 3 && need; ++tries) {
      std::string buf(need, '\0');
      DWORD got = ExpandEnvironmentStringsA(ref.c_str(), buf.data(), need);
      if (got && got <= need) {
        value = buf.c_str();
        break;
      }
      need = got;
    }
    text = value;
    handled = true;
  } else if (sjis::EqualsIgnoreCase(text, "System")) {
    char buf[MAX_PATH + 1] = {};
    GetSystemDirectoryA(buf, MAX_PATH);
    text = buf;
    handled = true;
  } else if (sjis::EqualsIgnoreCase(text, "WinDir")) {
    char buf[MAX_PATH + 1] = {};
    GetWindowsDirectoryA(buf, MAX_PATH);
    text = buf;
    handled = true;
  } else if (sjis::EqualsIgnoreCase(text, "ClipText") || sjis::EqualsIgnoreCase(text, "Clip")) {
    text = ReadClipboardText();
    handled = true;
  }
}

std::string ReadClipboardText() {
  if (!OpenClipboardRetrying()) return std::string();
  std::string r;
  if (HANDLE drop = GetClipboardData(CF_HDROP)) {
    HDROP h = static_cast<HDROP>(drop);
    UINT count = DragQueryFileA(h, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      UINT len = DragQueryFileA(h, i, nullptr, 0);
      std::string name(len + 1, '\0');
      DragQueryFileA(h, i, name.data(), len + 1);
      name.resize(len);
      if (i) r += "\r\n";
      r += name;
    }
  } else if (HANDLE text = GetClipboardData(CF_TEXT)) {
    r = BoundedText(static_cast<HGLOBAL>(text));
  }
  CloseClipboard();
  return r;
}

namespace {
TExpandEnvString& Expander() {
  static TExpandEnvString expander;
  return expander;
}
}  // namespace

TBasicEnvHandler& GetBasicEnvHandler() {
  static TBasicEnvHandler handler(Expander());
  return handler;
}

TExpandEnvString& GetExpandEnvString() {
  GetBasicEnvHandler();
  return Expander();
}

bool WriteClipboardText(HWND owner, const std::string& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  bool done = false;
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    if (void* p = GlobalLock(memory)) {
      std::memcpy(p, text.c_str(), text.size() + 1);
      GlobalUnlock(memory);
      done = SetClipboardData(CF_TEXT, memory) != nullptr;
    }
    if (!done) GlobalFree(memory);
  }
  CloseClipboard();
  return done;
}
