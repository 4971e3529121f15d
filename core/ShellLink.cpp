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
