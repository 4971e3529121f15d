#include "core/ShellLink.h"

#include <vector>

#include "core/FileIO.h"

namespace {

constexpr int kPathBytes = MAX_PATH;  // the link interface's buffers, 260 bytes as the shell writes them

std::wstring Widen(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
  wide.resize(static_cast<size_t>(n - 1));
  return wide;
}

}  // namespace

TShellLink::TShellLink() : com_(CoInitialize(nullptr)) {
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link_.put_void())))
    return;
  if (FAILED(link_->QueryInterface(IID_IPersistFile, file_.put_void()))) link_.reset();
}

TShellLink::~TShellLink() {
  file_.reset();
  link_.reset();
  if (SUCCEEDED(com_)) CoUninitialize();
}

bool TShellLink::Load(const std::string& fileName) {
  if (!Ready() || fileName.empty()) return false;
  const std::wstring wide = Widen(fileName);
  return SUCCEEDED(file_->Load(wide.c_str(), STGM_READ));
}

bool TShellLink::Resolve(HWND owner, DWORD flags) {
  return Ready() && SUCCEEDED(link_->Resolve(owner, flags));
}

std::string TShellLink::Path(DWORD flags) const {
  if (!Ready()) return std::string();
  char buf[kPathBytes] = {};
  WIN32_FIND_DATAA found = {};
  if (FAILED(link_->GetPath(buf, kPathBytes, &found, flags))) return std::string();
  return buf;
}

std::string TShellLink::WorkingDirectory() const {
  if (!Ready()) return std::string();
  char buf[kPathBytes] = {};
  if (FAILED(link_->GetWorkingDirectory(buf, kPathBytes))) return std::string();
  return buf;
}

std::string TShellLink::Arguments() const {
  if (!Ready()) return std::string();
  // Arguments may be longer than a path; the shell cuts at the buffer.
  std::vector<char> buf(INFOTIPSIZE, '\0');
  if (FAILED(link_->GetArguments(buf.data(), static_cast<int>(buf.size())))) return std::string();
  return buf.data();
}

std::string TShellLink::IconLocation(int& index) const {
  index = 0;
  if (!Ready()) return std::string();
  char buf[kPathBytes] = {};
  int got = 0;
  if (FAILED(link_->GetIconLocation(buf, kPathBytes, &got))) return std::string();
  index = got;
  return buf;
}

WORD TShellLink::HotKey() const {
  WORD word = 0;
  if (!Ready() || FAILED(link_->GetHotkey(&word))) return 0;
  return word;
}

bool TShellLink::SetPath(const std::string& target) { return Ready() && SUCCEEDED(link_->SetPath(target.c_str())); }

bool TShellLink::SetWorkingDirectory(const std::string& folder) {
  return Ready() && SUCCEEDED(link_->SetWorkingDirectory(folder.c_str()));
}

bool TShellLink::SetHotKey(WORD word) { return Ready() && SUCCEEDED(link_->SetHotkey(word)); }

bool TShellLink::Save(const std::string& fileName) {
  if (!Ready() || fileName.empty()) return false;
  const std::wstring wide = Widen(fileName);
  return SUCCEEDED(file_->Save(wide.c_str(), TRUE));
}

bool ResolveLinkWithoutUI(TShellLink& link, HWND owner) {
  constexpr DWORD kTimeoutMs = 1000;  // the high word of the flags, with SLR_NO_UI
  return link.Resolve(owner, SLR_NO_UI | SLR_ANY_MATCH | (kTimeoutMs << 16));
}

WORD ReadShellLinkHotKey(const std::string& linkFile, HWND owner, TLinkResolver resolve) {
  TShellLink link;
  if (!link.Load(linkFile)) return 0;
  if (resolve) resolve(link, owner);  // a target that cannot be found keeps the hotkey
  return link.HotKey();
}

bool WriteShellLink(const std::string& linkFile, const std::string& target, const std::string& folder,
                    std::optional<WORD> hotKey) {
  TShellLink link;
  if (!link.SetPath(target) || !link.SetWorkingDirectory(folder)) return false;
  if (hotKey && !link.SetHotKey(*hotKey)) return false;
  return link.Save(linkFile);
}

std::optional<TShellLinkTarget> ReadShellLinkTarget(const std::string& linkFile, HWND owner) {
  TShellLink link;
  if (!link.Load(linkFile) || !link.Resolve(owner, SLR_ANY_MATCH)) return std::nullopt;
  TShellLinkTarget t;
  t.Target = link.Path(SLGP_UNCPRIORITY);
  if (t.Target.empty() || !(fileio::FileExists(t.Target) || fileio::DirectoryExists(t.Target))) return std::nullopt;
  t.Folder = link.WorkingDirectory();
  t.Arguments = link.Arguments();
  t.Icon = link.IconLocation(t.IconIndex);
  return t;
}
