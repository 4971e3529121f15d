#include "core/Enum_Process.h"

#include <windows.h>
#include <tlhelp32.h>

#include "core/Debug_Unit.h"
#include "core/Handles.h"
#include "core/OSUtils.h"
#include "core/Sjis.h"

namespace {

using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using Process32Fn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

constexpr DWORD kQueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;  // 0x410

template <typename Fn>
Fn Bind(void* library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name)));
}

}  // namespace

std::string SystemErrorText(unsigned long code) {
  char* text = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string result = n && text ? sjis::TrimRight(std::string_view(text, n)) : std::string();
  if (text) LocalFree(text);
  return result;
}

TProcessApi::TProcessApi() {
  library_ = LoadLibraryA("PSAPI.DLL");
  if (!library_) throw EEnumProcessError("PSAPI.DLL がロードできません。");
  enumProcesses_ = Bind<void*>(library_, "EnumProcesses");
  enumProcessModules_ = Bind<void*>(library_, "EnumProcessModules");
  getModuleFileNameEx_ = Bind<void*>(library_, "GetModuleFileNameExA");
  if (!enumProcesses_ || !enumProcessModules_ || !getModuleFileNameEx_) {
    FreeLibrary(static_cast<HMODULE>(library_));
    throw EEnumProcessError("API のアドレスを取得できません。");
  }
}

TProcessApi::~TProcessApi() { FreeLibrary(static_cast<HMODULE>(library_)); }

bool TProcessApi::ProcessIds(unsigned long* ids, unsigned long bytes, unsigned long* bytesUsed) const {
  return reinterpret_cast<EnumProcessesFn>(enumProcesses_)(ids, bytes, bytesUsed) != FALSE;
}

std::string TProcessApi::ProgramFile(unsigned long processId) const {
  if (processId == 0) return "";
  core::TUniqueKernelHandle process(OpenProcess(kQueryAndRead, FALSE, processId));
  if (!process) return "";
  HMODULE module = nullptr;
  DWORD needed = 0;
  // The first module is the program file; ask for just that one handle.
  if (!reinterpret_cast<EnumProcessModulesFn>(enumProcessModules_)(process.get(), &module, sizeof module, &needed) ||
      needed < sizeof module)
    return "";
  char name[MAX_PATH] = {};
  DWORD n = reinterpret_cast<GetModuleFileNameExFn>(getModuleFileNameEx_)(process.get(), module, name, MAX_PATH);
  return n > 0 ? std::string(name, n < MAX_PATH ? n : MAX_PATH - 1) : std::string();
}

TProcessEnumeraterNT::TProcessEnumeraterNT() {
  DWORD bytes = 0;
  if (!api_.ProcessIds(ids_, sizeof ids_, &bytes)) throw EEnumProcessError(SystemErrorText(GetLastError()));
  // A full buffer may mean more processes than it holds.
  if (bytes >= sizeof ids_)
    throw EEnumProcessError("2048 個以上のプロセスがあります。プロセスリストを取得できませんでした。");
  count_ = static_cast<int>(bytes / sizeof ids_[0]);
}

TProcessEnumeraterNT::~TProcessEnumeraterNT() = default;

long long TProcessEnumeraterNT::Next() {
  if (index_ < count_) {
    current_ = ids_[index_++];
    return current_;
  }
  current_ = -1;
  return -1;
}

std::string TProcessEnumeraterNT::ExeName() {
  if (current_ <= 0) return "";
  return api_.ProgramFile(static_cast<unsigned long>(current_));
}

struct TProcessEnumerater9x::TState {
  HMODULE library = nullptr;
  HANDLE snapshot = INVALID_HANDLE_VALUE;
  PROCESSENTRY32 entry = {};
  bool first = true;
  bool valid = false;
  Process32Fn process32First = nullptr;
  Process32Fn process32Next = nullptr;

  void CloseSnapshot() {
    if (snapshot != INVALID_HANDLE_VALUE) CloseHandle(snapshot);
    snapshot = INVALID_HANDLE_VALUE;
  }
};

TProcessEnumerater9x::TProcessEnumerater9x() : state_(new TState) {
  TState& s = *state_;
  s.library = LoadLibraryA("Kernel32.dll");
  if (!s.library) {
    delete state_;
    throw EEnumProcessError("Kernel32.dll がロードできません。");
  }
  auto createSnapshot = Bind<CreateSnapshotFn>(s.library, "CreateToolhelp32Snapshot");
  s.process32First = Bind<Process32Fn>(s.library, "Process32First");
  s.process32Next = Bind<Process32Fn>(s.library, "Process32Next");
  if (!createSnapshot || !s.process32First || !s.process32Next) {
    FreeLibrary(s.library);
    delete state_;
    throw EEnumProcessError("API のアドレスを取得できません。");
  }
  s.snapshot = createSnapshot(TH32CS_SNAPPROCESS, 0);
  if (s.snapshot == INVALID_HANDLE_VALUE) {
    FreeLibrary(s.library);
    delete state_;
    throw EEnumProcessError("Toolhelp32 スナップショットが取得できません。");
  }
  // The record's size, not a fixed number: the layout differs between 32 and 64 bits.
  s.entry.dwSize = sizeof s.entry;
  DebugOut().Write("EnumProcess.TProcessEnumerater9x.Create").WriteLn();
}

TProcessEnumerater9x::~TProcessEnumerater9x() {
  state_->CloseSnapshot();
  FreeLibrary(state_->library);
  delete state_;
  DebugOut().Write("EnumProcess.TProcessEnumerater9x.Free").WriteLn();
}

long long TProcessEnumerater9x::Next() {
  TState& s = *state_;
  if (s.first) {
    s.first = false;
    s.valid = s.snapshot != INVALID_HANDLE_VALUE && s.process32First(s.snapshot, &s.entry);
  } else if (s.valid) {
    s.valid = s.process32Next(s.snapshot, &s.entry);
  }
  if (s.valid) return s.entry.th32ProcessID;
  s.CloseSnapshot();
  return -1;
}

long long TProcessEnumerater9x::ProcessID() { return state_->valid ? static_cast<long long>(state_->entry.th32ProcessID) : -1; }

std::string TProcessEnumerater9x::ExeName() {
  if (!state_->valid) return "";
  const char* name = state_->entry.szExeFile;
  return std::string(name, strnlen(name, sizeof state_->entry.szExeFile));
}

std::unique_ptr<TProcessEnumerater> CreateProcessEnumerater() {
  if (IsNT()) return std::make_unique<TProcessEnumeraterNT>();
  return std::make_unique<TProcessEnumerater9x>();
}
