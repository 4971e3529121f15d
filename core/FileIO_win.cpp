#include "core/FileIO.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/ForEachFile.h"
#include "core/Sjis.h"

namespace fileio {

namespace {

struct FileHandle {
  HANDLE h = INVALID_HANDLE_VALUE;
  explicit FileHandle(HANDLE handle) : h(handle) {}
  ~FileHandle() { if (h != INVALID_HANDLE_VALUE) CloseHandle(h); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool ok() const { return h != INVALID_HANDLE_VALUE; }
  HANDLE release() { HANDLE r = h; h = INVALID_HANDLE_VALUE; return r; }
};

bool WriteAll(HANDLE h, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(h, data.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& out) {
  FileHandle f(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.ok()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(f.h, &size) || size.QuadPart < 0 || size.QuadPart > (1LL << 31)) return false;
  std::string data(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < data.size()) {
    DWORD got = 0;
    if (!ReadFile(f.h, data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr)) return false;
    if (got == 0) break;
    done += got;
  }
  data.resize(done);
  out.swap(data);
  return true;
}

bool WriteFileReplacing(const std::string& path, const std::string& data) {
  std::string folder = sjis::ExtractFilePath(path);
  if (!folder.empty() && !ForceDirectories(sjis::ExcludeTrailingPathDelimiter(folder))) return false;
  std::string temp = TemporaryName(path, GetCurrentProcessId());
  {
    FileHandle f(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.ok()) return false;
    if (!WriteAll(f.h, data) || !FlushFileBuffers(f.h)) {
      CloseHandle(f.release());
      DeleteFileA(temp.c_str());
      return false;
    }
  }
  if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temp.c_str());
    return false;
  }
  RemoveStaleTemporaries(path);
  return true;
}

namespace {

bool ProcessRuns(DWORD pid) {
  if (pid == GetCurrentProcessId()) return true;
  HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!p) return GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to open
  const bool runs = WaitForSingleObject(p, 0) == WAIT_TIMEOUT;
  CloseHandle(p);
  return runs;
}

}  // namespace

void RemoveStaleTemporaries(const std::string& path) {
  const std::string folder = sjis::ExtractFilePath(path);
  std::vector<std::string> stale;
  core::ForEachFile(path + ".~tmp*", [&](const WIN32_FIND_DATAA& fd) {
    unsigned long pid = 0;
    if (core::IsDirectory(fd)) return;
    const std::string full = folder + fd.cFileName;
    // The pattern also matches short names: only the project's own long names count.
    if (IsTemporaryNameOf(full, path, pid) && !ProcessRuns(static_cast<DWORD>(pid))) stale.push_back(full);
  });
  for (const std::string& file : stale) DeleteFileA(file.c_str());
}

bool AppendToFile(const std::string& path, const std::string& data) {
  FileHandle f(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.ok()) return false;
  return WriteAll(f.h, data);
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& path) {
  std::string dir = sjis::ExcludeTrailingPathDelimiter(path);
  if (dir.empty()) return false;
  if (DirectoryExists(dir)) return true;
  std::string parent = sjis::ExcludeTrailingPathDelimiter(sjis::ExtractFilePath(dir));
  // Stop at a drive ("C:") or a share root, whose parent cannot be created.
  if (!parent.empty() && parent != dir && !sjis::EndsWithChar(parent, ':') && !DirectoryExists(parent))
    if (!ForceDirectories(parent)) return false;
  return CreateDirectoryA(dir.c_str(), nullptr) || DirectoryExists(dir);
}

bool DeleteFileAt(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

}  // namespace fileio
