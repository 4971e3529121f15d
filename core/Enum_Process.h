// A cursor over the processes of the system, taken as a snapshot when the
// enumerator is made. The process functions are bound at run time by name:
// PSAPI.DLL on the NT family, the Toolhelp32 functions of Kernel32.dll on 9x.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

// Raised when an enumerator cannot be made; the message is for the user.
class EEnumProcessError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// PSAPI.DLL's process functions (those of the NT family), loaded and bound by
// name for the life of the object. ProgramFile is the one way the program
// finds the program file of a process.
class TProcessApi {
 public:
  TProcessApi();  // raises EEnumProcessError
  ~TProcessApi();
  TProcessApi(const TProcessApi&) = delete;
  TProcessApi& operator=(const TProcessApi&) = delete;

  // EnumProcesses: ids of the running processes; false when the call failed.
  bool ProcessIds(unsigned long* ids, unsigned long bytes, unsigned long* bytesUsed) const;
  // Full path of the program file of a process, or empty when the process
  // cannot be opened (such as another user's) or shows no module.
  std::string ProgramFile(unsigned long processId) const;

 private:
  void* library_ = nullptr;
  void* enumProcesses_ = nullptr;
  void* enumProcessModules_ = nullptr;
  void* getModuleFileNameEx_ = nullptr;
};

class TProcessEnumerater {
 public:
  virtual ~TProcessEnumerater() = default;
  // Program file of the current process (empty when unknown).
  virtual std::string ExeName() = 0;
  // Id of the current process, -1 when there is none.
  virtual long long ProcessID() = 0;
  // Moves to the next process and returns its id, or -1 at the end.
  virtual long long Next() = 0;
};

class TProcessEnumeraterNT : public TProcessEnumerater {
 public:
  TProcessEnumeraterNT();  // raises EEnumProcessError
  ~TProcessEnumeraterNT() override;
  TProcessEnumeraterNT(const TProcessEnumeraterNT&) = delete;
  TProcessEnumeraterNT& operator=(const TProcessEnumeraterNT&) = delete;

  std::string ExeName() override;
  long long ProcessID() override { return current_; }
  long long Next() override;

  static constexpr int kMaxProcesses = 2048;

 private:
  unsigned long ids_[kMaxProcesses] = {};  // process ids are 32 bits on every platform
  TProcessApi api_;
  int index_ = 0;
  int count_ = 0;
  long long current_ = -1;
};

class TProcessEnumerater9x : public TProcessEnumerater {
 public:
  TProcessEnumerater9x();  // raises EEnumProcessError
  ~TProcessEnumerater9x() override;
  TProcessEnumerater9x(const TProcessEnumerater9x&) = delete;
  TProcessEnumerater9x& operator=(const TProcessEnumerater9x&) = delete;

  std::string ExeName() override;
  long long ProcessID() override;
  long long Next() override;

 private:
  struct TState;  // the snapshot and its process entry record
  TState* state_;
};

// An NT enumerator on the NT family, else a 9x one; the caller owns it.
// Raises EEnumProcessError.
std::unique_ptr<TProcessEnumerater> CreateProcessEnumerater();

// The system's message text for an error code (trailing line break removed).
std::string SystemErrorText(unsigned long code);
