#include "orv/platform/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>
#include <utility>

#include "orv/platform/MainThread.h"

namespace orv::platform {
namespace {

class TFnThread final : public TThread {
 public:
  explicit TFnThread(std::function<void(TFnThread&)> body) : FBody(std::move(body)) {}
  ~TFnThread() override {
    Terminate();
    Resume();
    WaitFor();
  }

 protected:
  void Execute() override { FBody(*this); }

 private:
  std::function<void(TFnThread&)> FBody;
};

void WaitUntil(const std::function<bool()>& condition) {
  while (!condition()) std::this_thread::yield();
}

class ThreadTest : public ::testing::Test {
 protected:
  TMainThreadQueue Queue;
  TScopedMainThread Guard{Queue};
};

TEST_F(ThreadTest, SuspendsItselfUntilResumed) {
  std::atomic<int> step{0};
  TFnThread t([&](TFnThread& self) {
    step = 1;
    self.SuspendSelf();
    step = 2;
  });
  t.Start();
  WaitUntil([&] { return t.Suspended(); });
  EXPECT_EQ(step.load(), 1);
  EXPECT_FALSE(t.Finished());
  t.Resume();
  t.WaitFor();
  EXPECT_EQ(step.load(), 2);
  EXPECT_TRUE(t.Finished());
  EXPECT_FALSE(t.Suspended());
}

TEST_F(ThreadTest, TerminateWakesASuspendedWorker) {
  std::atomic<bool> sawTerminated{false};
  TFnThread t([&](TFnThread& self) {
    self.SuspendSelf();
    sawTerminated = self.Terminated();
  });
  t.Start();
  WaitUntil([&] { return t.Suspended(); });
  t.Terminate();
  t.WaitFor();
  EXPECT_TRUE(sawTerminated.load());
  EXPECT_TRUE(t.Finished());
}

TEST_F(ThreadTest, WaitForKeepsServingSynchronize) {
  std::thread::id ranOn;
  int passes = 0;
  TFnThread t([&](TFnThread&) {
    for (int i = 0; i < 3; ++i)
      MainThread().Synchronize([&] {
        ranOn = std::this_thread::get_id();
        ++passes;
      });
  });
  t.Start();
  t.WaitFor();  // would deadlock if it did not run the worker's Synchronize calls
  EXPECT_EQ(passes, 3);
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(ThreadTest, DestroyingASuspendedThreadEndsIt) {
  std::atomic<bool> ended{false};
  {
    TFnThread t([&](TFnThread& self) {
      while (!self.Terminated()) self.SuspendSelf();
      ended = true;
    });
    t.Start();
    WaitUntil([&] { return t.Suspended(); });
  }
  EXPECT_TRUE(ended.load());
}

TEST_F(ThreadTest, ExceptionInExecuteEndsTheWorkerOnly) {
  TFnThread t([](TFnThread&) { throw std::runtime_error("worker failed"); });
  t.Start();
  t.WaitFor();
  EXPECT_TRUE(t.Finished());
}

TEST_F(ThreadTest, PriorityIsKept) {
  TFnThread t([](TFnThread&) {});
  EXPECT_EQ(t.Priority(), TThreadPriority::tpNormal);
  t.SetPriority(TThreadPriority::tpLower);
  EXPECT_EQ(t.Priority(), TThreadPriority::tpLower);
  t.WaitFor();  // never started: returns at once
  EXPECT_FALSE(t.Finished());
}

}  // namespace
}  // namespace orv::platform
