// Runs jobs off the user-interface thread, one at a time, oldest first, on one
// worker thread; a job equal to one that waits or runs is dropped. Each finished
// job is announced (OnDone) synchronously on the user-interface thread that
// created the TWorkThread, while the worker waits, and then freed. Nothing here
// knows what the jobs do.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

// A job. Execute runs on whatever thread calls it and keeps its results in the
// job's own fields; OnDone reads them on the user-interface thread.
class TThreadWork {
 public:
  TThreadWork() = default;
  TThreadWork(const TThreadWork&) = delete;
  TThreadWork& operator=(const TThreadWork&) = delete;
  virtual ~TThreadWork();

  // True when other would do the same work (used to drop duplicates).
  virtual bool IsSame(const TThreadWork& other) const { return false; }
  virtual void Execute() = 0;

  // Fired by the destructor, on the thread that frees the job.
  std::function<void(TThreadWork* sender)> OnDestroy;
};

enum class TThreadCommandKind : uint8_t { Run = 0, Cancel = 1, Flush = 2 };

struct TThreadCommand {
  std::unique_ptr<TThreadWork> Work;  // may be null
  TThreadCommandKind Kind = TThreadCommandKind::Run;
};

// First-in-first-out queue of commands behind a critical section.
class TThreadObjectQueue {
 public:
  using Items = std::deque<std::unique_ptr<TThreadCommand>>;
  TThreadObjectQueue();
  ~TThreadObjectQueue();
  TThreadObjectQueue(const TThreadObjectQueue&) = delete;
  TThreadObjectQueue& operator=(const TThreadObjectQueue&) = delete;

  int Count();
  void Push(std::unique_ptr<TThreadCommand> command);
  std::unique_ptr<TThreadCommand> Pop();  // null when empty
  // For several steps under one hold: Lock enters and returns the inner queue.
  Items& Lock();
  void Unlock();

 private:
  CRITICAL_SECTION lock_;
  Items items_;
};

// The class library's seven thread priority levels, in order.
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TWorkThreadItem;

// Lives on the user-interface thread; owns the queue and the worker.
class TWorkThread {
 public:
  TWorkThread();
  virtual ~TWorkThread();
  TWorkThread(const TWorkThread&) = delete;
  TWorkThread& operator=(const TWorkThread&) = delete;

  // The job belongs to the work thread from now on.
  void AddWork(std::unique_ptr<TThreadWork> work);
  // Frees every queued and waiting job unrun and stops the worker; waits for it
  // while still delivering its synchronous calls, so it cannot lock up.
  void DestroyThread();

  bool UseThread() const { return useThread_; }
  // Off: jobs run inline in AddWork. Switching off stops the worker.
  void SetUseThread(bool value);
  TThreadPriority Priority() const { return priority_; }
  void SetPriority(TThreadPriority value);
  // Limit on jobs kept waiting; 0 means none.
  int MaxWorks = 0;

  std::function<void(TWorkThread* sender, TThreadWork* work)> OnDone;

 protected:
  virtual void DoDone(TThreadWork* work);

 private:
  friend class TWorkThreadItem;
  void Post(std::unique_ptr<TThreadCommand> command);
  void RunInline(std::unique_ptr<TThreadCommand> command);
  void Clear();
  bool EnsureWorker();
  void ReapFinishedWorker();
  static LRESULT CALLBACK SyncWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND syncWindow_ = nullptr;  // receives the worker's synchronous completion calls
  HANDLE event_ = nullptr;     // wake-up, manual reset
  TThreadObjectQueue queue_;
  std::unique_ptr<TWorkThreadItem> worker_;
  TThreadPriority priority_ = tpIdle;
  bool useThread_ = true;
};
