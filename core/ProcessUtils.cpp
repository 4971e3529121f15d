#include "core/ProcessUtils.h"

#include "core/Enum_Process.h"
#include "core/OSUtils.h"
#include "core/Window_CTRL.h"

namespace {

using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);

class TLibrary {
 public:
  explicit TLibrary(const char* name) : module_(LoadLibraryA(name)) {}
  ~TLibrary() { if (module_) FreeLibrary(module_); }
  TLibrary(const TLibrary&) = delete;
  TLibrary& operator=(const TLibrary&) = delete;
  HMODULE get() const { return module_; }
  template <typename Fn>
  Fn Bind(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

std::string ExeNameNT(HWND window) {
  TLibrary psapi("PSAPI.DLL");
  if (!psapi.get()) throw EEnumProcessError("PSAPI.DLL がロードできません。");
  auto enumProcesses = psapi.Bind<void*>("EnumProcesses");
  auto enumModules = psapi.Bind<EnumProcessModulesFn>("EnumProcessModules");
  auto moduleFileName = psapi.Bind<GetModuleFileNameExFn>("GetModuleFileNameExA");
  if (!enumProcesses || !enumModules || !moduleFileName) throw EEnumProcessError("API のアドレスを取得できません。");

  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == 0) return "";
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return "";
  std::string result;
  HMODULE module = nullptr;
  DWORD needed = 0;
  if (enumModules(process, &module, sizeof module, &needed) && needed >= sizeof module) {
    char name[MAX_PATH] = {};
    DWORD n = moduleFileName(process, module, name, MAX_PATH);
    if (n > 0) result.assign(name, n < MAX_PATH ? n : MAX_PATH - 1);
  }
  CloseHandle(process);
  return result;
}

}  // namespace

std::string GetWindowExeName(HWND window) {
  if (IsNT()) return ExeNameNT(window);
  return TWindowCTRL(window).GetExeName();
}
