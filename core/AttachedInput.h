// The input states of two threads joined for one scope (AttachThreadInput),
// so that one may set the foreground, focus or read the caret of the other.
// Detaches only what it attached: after a failed attach, or for one thread
// with itself, the destructor calls nothing, so an attachment that someone
// else made stays. Win32 only.
#pragma once

#include <windows.h>

namespace core {

class AttachedInput {
 public:
  using TAttachFn = BOOL(WINAPI*)(DWORD from, DWORD to, BOOL attach);

  // attach is the system's AttachThreadInput; tests pass a recorder.
  AttachedInput(DWORD from, DWORD to, TAttachFn attach = &AttachThreadInput)
      : from_(from), to_(to), attach_(attach), attached_(from != to && attach(from, to, TRUE) != FALSE) {}
  ~AttachedInput() {
    if (attached_) attach_(from_, to_, FALSE);
  }
  AttachedInput(const AttachedInput&) = delete;
  AttachedInput& operator=(const AttachedInput&) = delete;

  bool Attached() const { return attached_; }

 private:
  DWORD from_, to_;
  TAttachFn attach_;
  bool attached_;
};

}  // namespace core
