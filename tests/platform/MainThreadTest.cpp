#include "orv/platform/MainThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace orv::platform {
namespace {

// Runs the queue on this (the user-interface) thread until done is set.
void Pump(TMainThreadQueue& queue, const std::atomic<bool>& done) {
  while (!done.load()) {
    queue.WaitForWork(10);
    queue.CheckSynchronize();
  }
  queue.CheckSynchronize();
}

TEST(MainThreadTest, SynchronizeRunsOnTheMainThreadAndWaits) {
  TMainThreadQueue queue;
  const std::thread::id mainId = std::this_thread::get_id();
  std::thread::id ranOn;
  int value = 0;
  int seenAfter = -1;
  bool workerIsMain = true;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    workerIsMain = queue.IsMainThread();
    queue.Synchronize([&] {
      ranOn = std::this_thread::get_id();
      value = 5;
    });
    seenAfter = value;  // Synchronize returned only after the work ran
    done = true;
  });
  Pump(queue, done);
  worker.join();
  EXPECT_TRUE(queue.IsMainThread());
  EXPECT_FALSE(workerIsMain);
  EXPECT_EQ(ranOn, mainId);
  EXPECT_EQ(seenAfter, 5);
}

TEST(MainThreadTest, ExceptionTravelsBackToTheCaller) {
  TMainThreadQueue queue;
  std::string caught;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    try {
      queue.Synchronize([] { throw std::runtime_error("refused"); });
    } catch (const std::runtime_error& e) {
      caught = e.what();
    }
    done = true;
  });
  Pump(queue, done);
  worker.join();
  EXPECT_EQ(caught, "refused");
}

TEST(MainThreadTest, QueueRunsLaterInOrderWithoutWaiting) {
  TMainThreadQueue queue;
  std::vector<int> order;
  std::thread worker([&] {
    queue.Queue([&] { order.push_back(1); });
    queue.Queue([&] { throw std::runtime_error("nobody to tell"); });
    queue.Queue([&] { order.push_back(2); });
  });
  worker.join();  // returned without the main thread running anything
  EXPECT_TRUE(order.empty());
  EXPECT_TRUE(queue.CheckSynchronize());
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_FALSE(queue.CheckSynchronize());
}

TEST(MainThreadTest, SynchronizeOnTheMainThreadRunsAtOnce) {
  TMainThreadQueue queue;
  bool ran = false;
  queue.Synchronize([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_FALSE(queue.CheckSynchronize());
}

TEST(MainThreadTest, ScopedDispatcherInstallsAndRestores) {
  IMainThread* before = &MainThread();
  {
    TMainThreadQueue queue;
    TScopedMainThread guard(queue);
    EXPECT_EQ(&MainThread(), &queue);
  }
  EXPECT_EQ(&MainThread(), before);
}

}  // namespace
}  // namespace orv::platform
