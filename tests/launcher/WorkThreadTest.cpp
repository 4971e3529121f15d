#include "launcher/Work_Thread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class Event {
 public:
  Event() : h_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Event() { CloseHandle(h_); }
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  HANDLE get() const { return h_; }
  void Set() const { SetEvent(h_); }
  // Not a timing condition: the bound only keeps a broken build from hanging.
  bool Wait() const { return WaitForSingleObject(h_, 20000) == WAIT_OBJECT_0; }

 private:
  HANDLE h_;
};

// What the jobs did, in order, from whichever thread.
struct Log {
  std::mutex m;
  std::vector<std::string> executed, done, freed;
  DWORD executeThread = 0, doneThread = 0;
  int executePriority = 0;
  std::vector<std::string> Get(std::vector<std::string>& v) {
    std::lock_guard<std::mutex> g(m);
    return v;
  }
  size_t Size(std::vector<std::string>& v) {
    std::lock_guard<std::mutex> g(m);
    return v.size();
  }
};

// IsSame compares the name; the tag tells two equal jobs apart.
class TestWork : public TThreadWork {
 public:
  TestWork(Log& log, std::string name, std::string tag) : log_(log), name_(std::move(name)), tag_(std::move(tag)) {}
  ~TestWork() override {
    std::lock_guard<std::mutex> g(log_.m);
    log_.freed.push_back(tag_);
  }
  bool IsSame(const TThreadWork& other) const override {
    auto* o = dynamic_cast<const TestWork*>(&other);
    return o && o->name_ == name_;
  }
  void Execute() override {
    if (started) started->Set();
    if (gate) gate->Wait();
    if (raise) throw std::runtime_error("job failed");
    std::lock_guard<std::mutex> g(log_.m);
    log_.executed.push_back(tag_);
    log_.executeThread = GetCurrentThreadId();
    log_.executePriority = GetThreadPriority(GetCurrentThread());
  }
  const std::string& tag() const { return tag_; }

  const Event* started = nullptr;
  const Event* gate = nullptr;
  bool raise = false;

 private:
  Log& log_;
  std::string name_, tag_;
};

// Runs the message loop until the condition holds (false if it never does).
template <class Pred>
bool PumpUntil(Pred pred) {
  const ULONGLONG giveUp = GetTickCount64() + 20000;
  while (!pred()) {
    if (GetTickCount64() > giveUp) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return true;
}

class WorkThreadTest : public ::testing::Test {
 protected:
  WorkThreadTest() {
    work_.OnDone = [this](TWorkThread* sender, TThreadWork* w) {
      EXPECT_EQ(sender, &work_);
      std::lock_guard<std::mutex> g(log_.m);
      log_.done.push_back(static_cast<TestWork*>(w)->tag());
      log_.doneThread = GetCurrentThreadId();
    };
  }
  std::unique_ptr<TestWork> Job(const std::string& name, const std::string& tag) {
    return std::make_unique<TestWork>(log_, name, tag);
  }
  using V = std::vector<std::string>;
  V Sorted(V v) {
    std::sort(v.begin(), v.end());
    return v;
  }

  Log log_;
  TWorkThread work_;  // destroyed before the log
};

TEST_F(WorkThreadTest, RunsJobsOldestFirstAndDropsDuplicatesOfWaitingOrRunningJobs) {
  Event started, gate;
  auto a = Job("A", "A1");
  a->started = &started;
  a->gate = &gate;
  work_.AddWork(std::move(a));
  ASSERT_TRUE(started.Wait());  // A runs on the worker now
  work_.AddWork(Job("B", "B1"));
  work_.AddWork(Job("C", "C1"));
  work_.AddWork(Job("A", "A2"));  // equal to the running job
  work_.AddWork(Job("B", "B2"));  // equal to a waiting job
  gate.Set();
  ASSERT_TRUE(PumpUntil([&] { return log_.Size(log_.freed) == 5; }));
  EXPECT_EQ(log_.Get(log_.executed), (V{"A1", "B1", "C1"}));
  EXPECT_EQ(log_.Get(log_.done), (V{"A1", "B1", "C1"}));
  EXPECT_EQ(Sorted(log_.Get(log_.freed)), (V{"A1", "A2", "B1", "B2", "C1"}));
  EXPECT_NE(log_.executeThread, GetCurrentThreadId());
  EXPECT_EQ(log_.doneThread, GetCurrentThreadId());

  // Once A is finished, an equal job runs again.
  work_.AddWork(Job("A", "A3"));
  ASSERT_TRUE(PumpUntil([&] { return log_.Size(log_.freed) == 6; }));
  EXPECT_EQ(log_.Get(log_.done).back(), "A3");
}

TEST_F(WorkThreadTest, WithoutThreadAJobRunsAndIsAnnouncedBeforeAddWorkReturns) {
  work_.SetUseThread(false);
  work_.AddWork(Job("X", "X1"));
  EXPECT_EQ(log_.Get(log_.executed), V{"X1"});
  EXPECT_EQ(log_.Get(log_.done), V{"X1"});
  EXPECT_EQ(log_.Get(log_.freed), V{"X1"});
  EXPECT_EQ(log_.executeThread, GetCurrentThreadId());
  // A raising job gets no notice and goes no further.
  auto bad = Job("R", "R1");
  bad->raise = true;
  work_.AddWork(std::move(bad));
  EXPECT_EQ(log_.Get(log_.done), V{"X1"});
  EXPECT_EQ(log_.Get(log_.freed), (V{"X1", "R1"}));
}

TEST_F(WorkThreadTest, SwitchingThreadOffFreesWaitingJobsUnrunAndStopsTheWorker) {
  Event started, gate;
  auto a = Job("A", "A1");
  a->started = &started;
  a->gate = &gate;
  work_.AddWork(std::move(a));
  ASSERT_TRUE(started.Wait());
  auto b = Job("B", "B1");
  // A can finish only once B is freed: so B is freed while A still runs.
  b->OnDestroy = [&gate](TThreadWork*) { gate.Set(); };
  work_.AddWork(std::move(b));
  work_.AddWork(Job("C", "C1"));
  work_.SetUseThread(false);
  EXPECT_EQ(log_.Get(log_.executed), V{"A1"});
  EXPECT_TRUE(log_.Get(log_.done).empty());  // a stopped worker announces nothing
  EXPECT_EQ(Sorted(log_.Get(log_.freed)), (V{"A1", "B1", "C1"}));
  // Inline from now on.
  work_.AddWork(Job("D", "D1"));
  EXPECT_EQ(log_.Get(log_.done), V{"D1"});
}

TEST_F(WorkThreadTest, DestroyReturnsWhileTheWorkerWaitsForItsNotice) {
  Event executed;
  struct Signal : TestWork {
    using TestWork::TestWork;
    const Event* after = nullptr;
    void Execute() override {
      TestWork::Execute();
      after->Set();
    }
  };
  auto a = std::make_unique<Signal>(log_, "A", "A1");
  a->after = &executed;
  work_.AddWork(std::move(a));
  // No messages are handled from here on: the worker goes on to its
  // synchronous notice and waits in it.
  ASSERT_TRUE(executed.Wait());
  work_.DestroyThread();
  EXPECT_TRUE(log_.Get(log_.done).empty());
  EXPECT_EQ(log_.Get(log_.freed), V{"A1"});  // the finished job is freed all the same
  // The object works on: a new worker starts.
  work_.AddWork(Job("B", "B1"));
  ASSERT_TRUE(PumpUntil([&] { return log_.Size(log_.done) == 1; }));
}

TEST_F(WorkThreadTest, ARaisingJobEndsTheWorkerAndTheNextPostStartsANewOne) {
  auto bad = Job("R", "R1");
  bad->raise = true;
  work_.AddWork(std::move(bad));
  ASSERT_TRUE(PumpUntil([&] { return log_.Size(log_.freed) == 1; }));
  work_.AddWork(Job("N", "N1"));
  ASSERT_TRUE(PumpUntil([&] { return log_.Size(log_.done) == 1; }));
  EXPECT_EQ(log_.Get(log_.done), V{"N1"});
  EXPECT_EQ(log_.Get(log_.executed), V{"N1"});
}

TEST_F(WorkThreadTest, WorkerRunsAtThePriorityAsked) {
  EXPECT_EQ(work_.Priority(), tpIdle);
  work_.AddWork(Job("A", "A1"));
  ASSERT_TRUE(PumpUntil([&] { return log_.Size(log_.done) == 1; }));
  EXPECT_EQ(log_.executePriority, THREAD_PRIORITY_IDLE);
  work_.SetPriority(tpHigher);
  work_.AddWork(Job("B", "B1"));
  ASSERT_TRUE(PumpUntil([&] { return log_.Size(log_.done) == 2; }));
  EXPECT_EQ(log_.executePriority, THREAD_PRIORITY_ABOVE_NORMAL);
}

TEST(WorkThread, DestroyingAnUnusedWorkThreadIsQuiet) {
  TWorkThread t;
  t.DestroyThread();
  t.DestroyThread();
}

}  // namespace
