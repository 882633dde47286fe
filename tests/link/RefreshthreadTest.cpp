// The refresh worker on a real thread against the simulated ECU: passes are
// handed to the user-interface thread, Enabled(false) lets the worker wait,
// destruction stops it whatever it is doing.

#include <gtest/gtest.h>

#include <memory>

#include "Linkfakes.h"
#include "Simulatorfixture.h"
#include "orv/link/Datarefresher.h"
#include "orv/platform/Clock.h"
#include "orv/platform/MainThread.h"

namespace orv::link {
namespace {

using testing::TFakeConnection;
using testing::TRecordingTarget;

constexpr std::uint32_t kPacket = 0x800;

// Runs handed-over work until done() or the budget (ms) runs out.
template <class Done>
bool PumpUntil(platform::TMainThreadQueue& queue, Done done, std::uint32_t budget) {
  const std::uint32_t start = platform::Clock().TickCount();
  while (!done()) {
    if (platform::Clock().TickCount() - start > budget) return false;
    queue.WaitForWork(10);
    queue.CheckSynchronize();
  }
  return true;
}

// Reads Enabled (which processes messages) until it says false or 2000 ms pass.
bool WaitUntilStopped(TDataRefresher& refresher) {
  const std::uint32_t start = platform::Clock().TickCount();
  while (refresher.Enabled()) {
    if (platform::Clock().TickCount() - start > 2000) return false;
    std::this_thread::yield();
  }
  return true;
}

class RefreshThreadTest : public testing::SimulatorFixture {
 protected:
  platform::TMainThreadQueue Queue;
  platform::TScopedMainThread ScopedMain{Queue};
};

TEST_F(RefreshThreadTest, NineLiveValuesReceiveThePacketThenTheWorkerStops) {
  Start();
  ASSERT_TRUE(Open());
  TDataRefresher refresher;
  refresher.SetConnection(Connection.get());
  std::vector<std::unique_ptr<TRecordingTarget>> values;
  for (int offset = 0; offset < 9; ++offset) {
    values.push_back(std::make_unique<TRecordingTarget>());
    ASSERT_TRUE(refresher.AddRefresh(values.back().get(), 100, kPacket, -1));
  }
  EXPECT_EQ(refresher.Thread()->ElementCount(), 1);
  // Created disabled: the worker waits.
  ASSERT_TRUE(WaitUntilStopped(refresher));
  refresher.SetEnabled(true);
  EXPECT_TRUE(refresher.Enabled());
  ASSERT_TRUE(PumpUntil(
      Queue, [&] { return values.back()->Messages.size() >= 3; }, 5000));
  for (const auto& v : values) {
    ASSERT_GE(v->Messages.size(), 3u);
    EXPECT_EQ(v->Buffers.front(), values.front()->Buffers.front());  // one shared element
    ASSERT_EQ(v->LastPacket.size(), 9u);
    const double rpm = 117000.0 / v->LastPacket[0];
    EXPECT_GT(rpm, 600.0);
    EXPECT_LE(v->LastPacket[6], 2);
    EXPECT_LE(v->LastPacket[7], 3);
    EXPECT_EQ(v->LastPacket[5], 100);
  }
  refresher.SetEnabled(false);
  ASSERT_TRUE(WaitUntilStopped(refresher));
  const std::size_t after = values.front()->Messages.size();
  Queue.CheckSynchronize();
  EXPECT_EQ(values.front()->Messages.size(), after);
  // And it starts again.
  refresher.SetEnabled(true);
  ASSERT_TRUE(PumpUntil(
      Queue, [&] { return values.front()->Messages.size() > after; }, 5000));
}

TEST_F(RefreshThreadTest, ClosedLinkKeepsTheWorkerLoopingWithEmptyPasses) {
  Start();  // link never opened
  TDataRefresher refresher;
  refresher.SetConnection(Connection.get());
  TRecordingTarget target;
  refresher.AddRefresh(&target, 20, kPacket, -1);
  ResetLog();
  refresher.SetEnabled(true);
  int passes = 0;
  const std::uint32_t start = platform::Clock().TickCount();
  while (passes < 3 && platform::Clock().TickCount() - start < 5000) {
    Queue.WaitForWork(10);
    if (Queue.CheckSynchronize()) ++passes;
  }
  ASSERT_EQ(passes, 3);
  EXPECT_TRUE(target.Messages.empty());
  EXPECT_TRUE(Log().empty());  // not one exchange
  EXPECT_TRUE(refresher.Enabled());
}

TEST(RefreshThreadLifetimeTest, DestructionWhileAPassWaitsForTheMainThread) {
  platform::TMainThreadQueue queue;
  platform::TScopedMainThread scoped(queue);
  TFakeConnection connection;
  TRecordingTarget target;
  auto refresher = std::make_unique<TDataRefresher>();
  refresher->SetConnection(&connection);
  refresher->AddRefresh(&target, 20, kPacket, -1);
  refresher->SetEnabled(true);
  // Wait until the worker has handed a pass over, without running it.
  queue.WaitForWork(5000);
  refresher.reset();  // must not hang: the pending pass runs and finds nothing
  EXPECT_TRUE(target.Messages.empty());
}

TEST(RefreshThreadLifetimeTest, DestructionWhileTheWorkerWaitsDisabled) {
  platform::TMainThreadQueue queue;
  platform::TScopedMainThread scoped(queue);
  auto refresher = std::make_unique<TDataRefresher>();
  ASSERT_TRUE(WaitUntilStopped(*refresher));
  refresher.reset();
  EXPECT_FALSE(queue.CheckSynchronize());
}

TEST(RefreshThreadLifetimeTest, DestructionWhileRunning) {
  platform::TMainThreadQueue queue;
  platform::TScopedMainThread scoped(queue);
  TFakeConnection connection;
  TRecordingTarget target;
  auto refresher = std::make_unique<TDataRefresher>();
  refresher->SetConnection(&connection);
  refresher->AddRefresh(&target, 20, kPacket, -1);
  refresher->SetEnabled(true);
  ASSERT_TRUE(PumpUntil(
      queue, [&] { return target.Messages.size() >= 2; }, 5000));
  refresher.reset();
  const std::size_t count = target.Messages.size();
  queue.CheckSynchronize();
  EXPECT_EQ(target.Messages.size(), count);
}

}  // namespace
}  // namespace orv::link
