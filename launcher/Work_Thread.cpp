#include "launcher/Work_Thread.h"

#include <ole2.h>
#include <process.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/Debug_Unit.h"
#include "core/Handles.h"

namespace {

// The worker's synchronous call: wParam the worker, lParam the finished job.
constexpr UINT kWorkDoneMessage = WM_APP + 1;
// Answers of that call.
constexpr LRESULT kDoneSkipped = 0, kDoneRan = 1, kDoneFailed = 2;

const char kSyncClassName[] = "TQVWorkThreadSync";

bool RegisterSyncClass(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kSyncClassName;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

int PlatformPriority(TThreadPriority p) {
  static constexpr int kLevels[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,  THREAD_PRIORITY_BELOW_NORMAL,
                                    THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL,
                                    THREAD_PRIORITY_HIGHEST,      THREAD_PRIORITY_TIME_CRITICAL};
  int i = static_cast<int>(p);
  return kLevels[std::clamp(i, 0, 6)];
}

void LogError(const char* what) { DebugOut().WriteFmt("Work_Thread.ERROR_TO_DOWN(%s)", what).WriteLn(); }

class QueueHold {
 public:
  explicit QueueHold(TThreadObjectQueue& q) : q_(q), items_(q.Lock()) {}
  ~QueueHold() { q_.Unlock(); }
  QueueHold(const QueueHold&) = delete;
  QueueHold& operator=(const QueueHold&) = delete;
  TThreadObjectQueue::Items& items() { return items_; }

 private:
  TThreadObjectQueue& q_;
  TThreadObjectQueue::Items& items_;
};

}  // namespace

// ---- TThreadWork ----

TThreadWork::~TThreadWork() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
    }
  }
}

// ---- TThreadObjectQueue ----

TThreadObjectQueue::TThreadObjectQueue() { InitializeCriticalSection(&lock_); }

TThreadObjectQueue::~TThreadObjectQueue() {
  EnterCriticalSection(&lock_);
  items_.clear();
  LeaveCriticalSection(&lock_);
  DeleteCriticalSection(&lock_);
}

int TThreadObjectQueue::Count() {
  QueueHold hold(*this);
  return static_cast<int>(hold.items().size());
}

void TThreadObjectQueue::Push(std::unique_ptr<TThreadCommand> command) {
  QueueHold hold(*this);
  hold.items().push_back(std::move(command));
}

std::unique_ptr<TThreadCommand> TThreadObjectQueue::Pop() {
  QueueHold hold(*this);
  if (hold.items().empty()) return nullptr;
  std::unique_ptr<TThreadCommand> c = std::move(hold.items().front());
  hold.items().pop_front();
  return c;
}

TThreadObjectQueue::Items& TThreadObjectQueue::Lock() {
  EnterCriticalSection(&lock_);
  return items_;
}

void TThreadObjectQueue::Unlock() { LeaveCriticalSection(&lock_); }

// ---- TWorkThreadItem: the worker ----

class TWorkThreadItem {
 public:
  TWorkThreadItem(TWorkThread& owner)
      : syncWindow_(owner.syncWindow_), event_(owner.event_), queue_(owner.queue_), maxWorks_(owner.MaxWorks) {
    DebugOut().Write("Thread.Create").WriteLn();
  }
  ~TWorkThreadItem() {
    if (thread_) CloseHandle(thread_);
    DebugOut().Write("Thread.Destroy").WriteLn();
  }
  TWorkThreadItem(const TWorkThreadItem&) = delete;
  TWorkThreadItem& operator=(const TWorkThreadItem&) = delete;

  bool Start(TThreadPriority priority) {
    unsigned id = 0;
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &id));
    if (!thread_) return false;
    SetThreadPriority(thread_, PlatformPriority(priority));
    ResumeThread(thread_);
    return true;
  }
  HANDLE Handle() const { return thread_; }
  // Set on the user-interface thread only; the worker polls it.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // The worker has left its loop (stopped, or a job raised) and takes no more commands.
  bool Finished() const { return finished_; }

  // Filled in by the user-interface side when OnDone raised.
  std::string doneError;

 private:
  static unsigned __stdcall ThreadProc(void* self) {
    static_cast<TWorkThreadItem*>(self)->Run();
    return 0;
  }

  void Run() {
    try {
      DebugOut().WriteFmt("Work_Thread.BeginThread(%lu)", GetCurrentThreadId()).WriteLn();
    } catch (...) {
    }
    std::optional<core::TOleSession> ole(std::in_place);
    try {
      bool signalled = true;
      while (!terminated_) {
        if (signalled) Pass();
        if (terminated_) break;
        signalled = WaitForSingleObject(event_, 1000) == WAIT_OBJECT_0;
        if (signalled) ResetEvent(event_);
      }
    } catch (const std::exception& e) {
      LogError(e.what());
    } catch (...) {
      LogError("unknown exception");
    }
    // From here on the worker takes nothing more from the queue.
    finished_ = true;
    try {
      waiting_.clear();
    } catch (...) {
    }
    ole.reset();
    try {
      DebugOut().Write("Work_Thread.Terminated").WriteLn();
    } catch (...) {
    }
  }

  // Moves the queued commands into the waiting list (newest at the front).
  void Drain() {
    if (terminated_) return;
    QueueHold hold(queue_);
    auto& items = hold.items();
    while (!items.empty()) {
      std::unique_ptr<TThreadCommand> command = std::move(items.front());
      items.pop_front();
      if (command->Kind == TThreadCommandKind::Flush) {
        items.clear();
        waiting_.clear();
        return;
      }
      if (!command->Work) continue;
      std::unique_ptr<TThreadWork> work = std::move(command->Work);
      const TThreadCommandKind kind = command->Kind;
      command.reset();
      auto same = std::find_if(waiting_.begin(), waiting_.end(),
                               [&](const std::unique_ptr<TThreadWork>& w) { return w->IsSame(*work); });
      if (same != waiting_.end()) {
        work.reset();
        if (kind == TThreadCommandKind::Cancel) waiting_.erase(same);
        continue;
      }
      waiting_.push_front(std::move(work));
      if (maxWorks_ > 0)
        while (waiting_.size() > static_cast<size_t>(maxWorks_)) waiting_.pop_back();
    }
  }

  void Pass() {
    while (!terminated_) {
      Drain();
      if (waiting_.empty()) return;
      TThreadWork* running = waiting_.back().get();
      running->Execute();
      // A duplicate of the running job that came meanwhile is dropped: it is still listed.
      Drain();
      std::unique_ptr<TThreadWork> done;
      if (!waiting_.empty() && waiting_.back().get() == running) {
        done = std::move(waiting_.back());
        waiting_.pop_back();
      }
      if (done && !terminated_) {
        LRESULT r = SendMessageA(syncWindow_, kWorkDoneMessage, reinterpret_cast<WPARAM>(this),
                                 reinterpret_cast<LPARAM>(done.get()));
        if (r == kDoneFailed) throw std::runtime_error(doneError);
      }
      // done is freed here, also when the worker was told to stop meanwhile.
    }
  }

  HWND syncWindow_;
  HANDLE event_;
  TThreadObjectQueue& queue_;
  const int maxWorks_;
  std::deque<std::unique_ptr<TThreadWork>> waiting_;  // newest first
  HANDLE thread_ = nullptr;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
};

// ---- TWorkThread ----

TWorkThread::TWorkThread() {
  event_ = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  if (RegisterSyncClass(&SyncWndProc))
    syncWindow_ = CreateWindowExA(0, kSyncClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  if (syncWindow_) SetWindowLongPtrA(syncWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TWorkThread::~TWorkThread() {
  DestroyThread();
  if (syncWindow_) DestroyWindow(syncWindow_);
  if (event_) CloseHandle(event_);
}

void TWorkThread::SetUseThread(bool value) {
  useThread_ = value;
  if (!value) DestroyThread();
}

void TWorkThread::SetPriority(TThreadPriority value) {
  priority_ = value;
  if (worker_ && !worker_->Finished()) SetThreadPriority(worker_->Handle(), PlatformPriority(value));
}

void TWorkThread::AddWork(std::unique_ptr<TThreadWork> work) {
  if (!work) return;
  auto command = std::make_unique<TThreadCommand>();
  command->Work = std::move(work);
  command->Kind = TThreadCommandKind::Run;
  Post(std::move(command));
}

void TWorkThread::DoDone(TThreadWork* work) {
  if (OnDone) OnDone(this, work);
}

void TWorkThread::Post(std::unique_ptr<TThreadCommand> command) {
  if (!useThread_ || !syncWindow_ || !event_ || !EnsureWorker()) {
    RunInline(std::move(command));
    return;
  }
  queue_.Push(std::move(command));
  SetEvent(event_);
  // A worker that ended by itself meanwhile leaves the command to a new one.
  if (worker_->Finished() && EnsureWorker()) SetEvent(event_);
}

void TWorkThread::RunInline(std::unique_ptr<TThreadCommand> command) {
  if (command->Kind != TThreadCommandKind::Run || !command->Work) return;
  try {
    command->Work->Execute();
    DoDone(command->Work.get());
  } catch (const std::exception& e) {
    LogError(e.what());
  } catch (...) {
    LogError("unknown exception");
  }
}

// A worker that ended by itself (a job raised) is joined and forgotten, so the
// next post starts a new one.
void TWorkThread::ReapFinishedWorker() {
  if (worker_ && worker_->Finished()) {
    WaitForSingleObject(worker_->Handle(), INFINITE);
    worker_.reset();
  }
}

bool TWorkThread::EnsureWorker() {
  ReapFinishedWorker();
  if (worker_) return true;
  auto item = std::make_unique<TWorkThreadItem>(*this);
  if (!item->Start(priority_)) return false;
  worker_ = std::move(item);
  return true;
}

void TWorkThread::Clear() {
  // Only the queue: a worker being stopped frees its own waiting jobs as it ends.
  QueueHold hold(queue_);
  hold.items().clear();
}

void TWorkThread::DestroyThread() {
  Clear();
  if (worker_) {
    worker_->Terminate();
    SetEvent(event_);
    HANDLE thread = worker_->Handle();
    // The worker may be waiting in its synchronous completion call: keep
    // delivering sent messages (and only those) until it has ended.
    for (;;) {
      DWORD r = MsgWaitForMultipleObjects(1, &thread, FALSE, 100, QS_SENDMESSAGE);
      if (r == WAIT_OBJECT_0) break;
      if (r != WAIT_OBJECT_0 + 1 && r != WAIT_TIMEOUT) {
        // Never free the worker under a running thread.
        WaitForSingleObject(thread, INFINITE);
        break;
      }
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    worker_.reset();
  }
  DebugOut().Write("Work_Thread.TWorkThread.DestroyThread").WriteLn();
}

LRESULT CALLBACK TWorkThread::SyncWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kWorkDoneMessage) return DefWindowProcA(hwnd, msg, wParam, lParam);
  auto* self = reinterpret_cast<TWorkThread*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  auto* item = reinterpret_cast<TWorkThreadItem*>(wParam);
  // A worker told to stop gives no more notices, even one already on its way.
  if (!self || !item || item != self->worker_.get() || item->Terminated()) return kDoneSkipped;
  try {
    self->DoDone(reinterpret_cast<TThreadWork*>(lParam));
    return kDoneRan;
  } catch (const std::exception& e) {
    item->doneError = e.what();
  } catch (...) {
    item->doneError = "unknown exception";
  }
  return kDoneFailed;
}
