// Refresh passes driven directly on the user-interface thread: a refresh
// list whose worker is never started, a fake connection and a manual clock.

#include <gtest/gtest.h>

#include <memory>

#include "Linkfakes.h"
#include "orv/link/Datarefresher.h"
#include "orv/link/Refreshthread.h"
#include "orv/platform/Clock.h"

namespace orv::link {
namespace {

using testing::TFakeConnection;
using testing::TRecordingTarget;

constexpr std::uint32_t kPacket = 0x800;

class RefreshPassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Thread.SetConnection(&Connection);
    Thread.SetEnabled(true);
    Clock.Set(1000);
  }
  platform::TManualClock Clock;
  platform::TScopedClock ScopedClock{Clock};
  TFakeConnection Connection;
  TRefreshThread Thread{20};  // never started: passes run only when called
  TRecordingTarget A, B;
};

TEST_F(RefreshPassTest, SubscribersOfOneElementShareOneFetchPerPass) {
  ASSERT_TRUE(Thread.AddRefresh(&A, 100, kPacket, -1));
  ASSERT_TRUE(Thread.AddRefresh(&B, 100, kPacket, -1));
  EXPECT_EQ(Thread.ElementCount(), 1);
  Thread.RefreshPass();
  EXPECT_EQ(Connection.Fake.PacketReads.load(), 1);
  ASSERT_EQ(A.Messages.size(), 1u);
  ASSERT_EQ(B.Messages.size(), 1u);
  EXPECT_EQ(A.Messages[0], platform::WM_DATAAVAILABLE);
  EXPECT_EQ(A.LParams[0], 0);
  EXPECT_EQ(A.Buffers[0], B.Buffers[0]);
  EXPECT_EQ(A.Buffers[0], Thread.FindElement(kPacket, -1)->Buffer.data());
  // The packet bytes start at byte 4; word 0 went out as the capacity 64.
  EXPECT_EQ(Connection.Fake.LengthOnEntry, 64);
  EXPECT_EQ(A.LastPacket, (std::vector<std::uint8_t>{10, 20, 30, 40, 50, 60, 70, 80, 90}));
}

TEST_F(RefreshPassTest, RequestHoldsTheConnectionLock) {
  Connection.Fake.ConnectionLock = &Connection.Lock();
  Thread.AddRefresh(&A, 100, kPacket, -1);
  Thread.RefreshPass();
  EXPECT_TRUE(Connection.Fake.LockHeldDuringRead);
}

TEST_F(RefreshPassTest, RequestKindFollowsDescriptorAndIndex) {
  struct Case {
    std::uint32_t Descriptor;
    int Index;
    std::string Call;
    int Capacity;
  };
  const Case cases[] = {
      {kPacket, -1, "ReadPacket 2048", 64}, {0x100 | 3, 2, "ReadDataIndex 259 2", 64},
      {0x100 | 3, -1, "ReadData 259", 64},  {5, -1, "ReadData 5", 1},
      {5, 0, "ReadDataIndex 5 0", 1},
  };
  for (const Case& c : cases) {
    TRefreshThread thread(20);
    TFakeConnection connection;
    TRecordingTarget target;
    target.WideBuffer = c.Capacity == 64;
    thread.SetConnection(&connection);
    thread.SetEnabled(true);
    thread.AddRefresh(&target, 100, c.Descriptor, c.Index);
    thread.RefreshPass();
    ASSERT_EQ(connection.Fake.Calls.size(), 1u) << c.Call;
    EXPECT_EQ(connection.Fake.Calls[0], c.Call);
    EXPECT_EQ(thread.FindElement(c.Descriptor, c.Index)->Capacity, c.Capacity) << c.Call;
    EXPECT_EQ(target.Messages.size(), 1u) << c.Call;
  }
}

TEST_F(RefreshPassTest, SubscriberIsServedOnlyAfterMoreThanItsInterval) {
  Thread.AddRefresh(&A, 100, kPacket, -1);
  Thread.RefreshPass();  // last delivery 0: due at once
  ASSERT_EQ(A.Messages.size(), 1u);
  struct Step {
    std::uint32_t Advance;
    std::size_t Deliveries;
  };
  const Step steps[] = {{50, 1}, {50, 1}, {1, 2}, {100, 2}, {101, 3}};
  for (const Step& s : steps) {
    Clock.Advance(s.Advance);
    Thread.RefreshPass();
    EXPECT_EQ(A.Messages.size(), s.Deliveries) << "at tick " << Clock.TickCount();
  }
}

TEST_F(RefreshPassTest, IntervalCountsAcrossTheTickWrap) {
  Clock.Set(0xFFFFFFF0u);
  Thread.AddRefresh(&A, 100, kPacket, -1);
  Thread.RefreshPass();
  ASSERT_EQ(A.Messages.size(), 1u);
  Clock.Advance(100);  // wraps; 100 elapsed, not more
  Thread.RefreshPass();
  EXPECT_EQ(A.Messages.size(), 1u);
  Clock.Advance(1);
  Thread.RefreshPass();
  EXPECT_EQ(A.Messages.size(), 2u);
}

TEST_F(RefreshPassTest, SuspendedSubscriberGetsNothingUntilResumed) {
  Thread.AddRefresh(&A, 100, kPacket, -1);
  Thread.AddRefresh(&B, 100, kPacket, -1);
  Thread.SuspendRefresh(&A, kPacket, -1);
  Thread.RefreshPass();
  EXPECT_TRUE(A.Messages.empty());
  EXPECT_EQ(B.Messages.size(), 1u);
  Thread.ResumeRefresh(&A, kPacket, -1);
  Thread.RefreshPass();
  EXPECT_EQ(A.Messages.size(), 1u);
  EXPECT_EQ(B.Messages.size(), 1u);  // not yet due again
}

TEST_F(RefreshPassTest, ReloadAllServesEveryoneOnceRegardlessOfActivityAndTime) {
  B.WideBuffer = false;
  Thread.AddRefresh(&A, 100, kPacket, -1);
  Thread.AddRefresh(&B, 100, 7, -1);
  Thread.RefreshPass();
  Thread.SuspendRefresh(&A, kPacket, -1);
  Connection.Fake.PacketReads = 0;
  Thread.ReloadAll();
  EXPECT_EQ(A.Messages.size(), 2u);
  EXPECT_EQ(B.Messages.size(), 2u);
  EXPECT_EQ(Connection.Fake.PacketReads.load(), 1);
  // Afterwards the usual rules hold again.
  Clock.Advance(500);
  Thread.RefreshPass();
  EXPECT_EQ(A.Messages.size(), 2u);
  EXPECT_EQ(B.Messages.size(), 3u);
}

TEST_F(RefreshPassTest, ReloadAllDoesNothingWhileDisabledOrLinkClosed) {
  Thread.AddRefresh(&A, 100, kPacket, -1);
  Thread.SetEnabled(false);
  Thread.ReloadAll();
  EXPECT_TRUE(A.Messages.empty());
  Thread.SetEnabled(true);
  Connection.Fake.LinkOpen = false;
  Thread.ReloadAll();
  EXPECT_TRUE(A.Messages.empty());
}

TEST_F(RefreshPassTest, AddRefreshAgainChangesIntervalResetsDeliveryKeepsSuspension) {
  Thread.AddRefresh(&A, 100, kPacket, -1);
  Thread.RefreshPass();
  Thread.SuspendRefresh(&A, kPacket, -1);
  ASSERT_TRUE(Thread.AddRefresh(&A, 300, kPacket, -1));
  const REFRESH_ELEMENT* e = Thread.FindElement(kPacket, -1);
  ASSERT_EQ(e->Subscribers.size(), 1u);
  EXPECT_EQ(e->Subscribers[0].Interval, 300);
  EXPECT_EQ(e->Subscribers[0].LastDelivery, 0u);
  EXPECT_FALSE(e->Subscribers[0].Active);
}

TEST_F(RefreshPassTest, IntervalZeroOrLessIsRefusedAndChangesNothing) {
  Thread.AddRefresh(&A, 100, kPacket, -1);
  for (int interval : {0, -5}) {
    EXPECT_FALSE(Thread.AddRefresh(&A, interval, kPacket, -1));
    EXPECT_FALSE(Thread.AddRefresh(&B, interval, kPacket, -1));
    EXPECT_FALSE(Thread.AddRefresh(&B, interval, 9, -1));
  }
  EXPECT_EQ(Thread.ElementCount(), 1);
  const REFRESH_ELEMENT* e = Thread.FindElement(kPacket, -1);
  ASSERT_EQ(e->Subscribers.size(), 1u);
  EXPECT_EQ(e->Subscribers[0].Interval, 100);
}

TEST_F(RefreshPassTest, RemovingTheLastSubscriberDestroysTheElement) {
  Thread.AddRefresh(&A, 100, kPacket, -1);
  Thread.AddRefresh(&B, 100, kPacket, -1);
  Thread.RemoveRefresh(&A, kPacket, -1);
  EXPECT_EQ(Thread.ElementCount(), 1);
  Thread.RemoveRefresh(&A, kPacket, -1);  // not there: nothing happens
  Thread.RemoveRefresh(&B, 9, -1);
  EXPECT_EQ(Thread.ElementCount(), 1);
  Thread.RemoveRefresh(&B, kPacket, -1);
  EXPECT_EQ(Thread.ElementCount(), 0);
  EXPECT_EQ(Thread.FindElement(kPacket, -1), nullptr);
}

TEST_F(RefreshPassTest, FailedRequestDeliversNothingAndIsRetriedNextPass) {
  Thread.AddRefresh(&A, 100, kPacket, -1);
  Thread.AddRefresh(&B, 100, kPacket, -1);
  Connection.Fake.Fail = true;
  Thread.RefreshPass();
  EXPECT_TRUE(A.Messages.empty());
  EXPECT_TRUE(B.Messages.empty());
  // Each due subscriber tried the request again.
  EXPECT_EQ(Connection.Fake.PacketReads.load(), 2);
  Connection.Fake.Fail = false;
  Thread.RefreshPass();  // no time has passed: both are still due
  EXPECT_EQ(A.Messages.size(), 1u);
  EXPECT_EQ(B.Messages.size(), 1u);
}

TEST_F(RefreshPassTest, PassReturnsAtOnceWithoutAnOpenLink) {
  Thread.AddRefresh(&A, 100, kPacket, -1);
  struct Case {
    const char* What;
    std::function<void()> Break, Mend;
  };
  const Case cases[] = {
      {"link closed", [&] { Connection.Fake.LinkOpen = false; }, [&] { Connection.Fake.LinkOpen = true; }},
      {"not loaded", [&] { Connection.Loaded = false; }, [&] { Connection.Loaded = true; }},
      {"no connection", [&] { Thread.SetConnection(nullptr); }, [&] { Thread.SetConnection(&Connection); }},
      {"disabled", [&] { Thread.SetEnabled(false); }, [&] { Thread.SetEnabled(true); }},
  };
  for (const Case& c : cases) {
    c.Break();
    Connection.Fake.Calls.clear();
    Thread.RefreshPass();
    EXPECT_TRUE(Connection.Fake.Calls.empty()) << c.What;
    EXPECT_TRUE(A.Messages.empty()) << c.What;
    c.Mend();
  }
  // Still due: served at the first pass with the link open.
  Thread.RefreshPass();
  EXPECT_EQ(A.Messages.size(), 1u);
}

TEST_F(RefreshPassTest, SubscriberRemovingItselfDuringDeliveryIsSafe) {
  Thread.AddRefresh(&A, 100, kPacket, -1);
  Thread.AddRefresh(&B, 100, kPacket, -1);
  A.OnMessage = [&] {
    Thread.RemoveRefresh(&A, kPacket, -1);
    Thread.RemoveRefresh(&B, kPacket, -1);
  };
  Thread.RefreshPass();
  EXPECT_EQ(A.Messages.size(), 1u);
  EXPECT_TRUE(B.Messages.empty());
  EXPECT_EQ(Thread.ElementCount(), 0);
}

TEST_F(RefreshPassTest, SleepTimeIsAtLeast20AtCreationAndTakenAsGivenLater) {
  struct Case {
    int Created;
    int Expected;
  };
  for (const Case c : {Case{5, 20}, Case{0, 20}, Case{20, 20}, Case{35, 35}}) {
    TRefreshThread thread(c.Created);
    EXPECT_EQ(thread.SleepTime(), c.Expected);
    thread.SetSleepTime(5);
    EXPECT_EQ(thread.SleepTime(), 5);
  }
}

// The refresher component around the thread.

TEST(DataRefresherTest, SleepTimeOfZeroOrLessIsIgnored) {
  TDataRefresher refresher;
  EXPECT_EQ(refresher.SleepTime(), 20);
  EXPECT_EQ(refresher.Thread()->SleepTime(), 20);
  for (int ignored : {0, -1}) {
    refresher.SetSleepTime(ignored);
    EXPECT_EQ(refresher.SleepTime(), 20);
    EXPECT_EQ(refresher.Thread()->SleepTime(), 20);
  }
  refresher.SetSleepTime(5);
  EXPECT_EQ(refresher.SleepTime(), 5);
  EXPECT_EQ(refresher.Thread()->SleepTime(), 5);
}

TEST(DataRefresherTest, PriorityIsPassedToTheThread) {
  TDataRefresher refresher;
  EXPECT_EQ(refresher.Priority(), platform::TThreadPriority::tpNormal);
  refresher.SetPriority(platform::TThreadPriority::tpIdle);
  EXPECT_EQ(refresher.Thread()->Priority(), platform::TThreadPriority::tpIdle);
}

TEST(DataRefresherTest, AtDesignTimeThereIsNoThreadAndAddRefreshSaysTrue) {
  platform::TComponent form;
  form.SetDesigning(true);
  auto* refresher = new TDataRefresher(&form);
  TRecordingTarget target;
  EXPECT_EQ(refresher->Thread(), nullptr);
  EXPECT_TRUE(refresher->AddRefresh(&target, 100, kPacket, -1));
  EXPECT_FALSE(refresher->Enabled());
  refresher->SetEnabled(true);
  refresher->ReloadAll();
  EXPECT_TRUE(target.Messages.empty());
}

TEST(DataRefresherTest, ConnectionDestroyedFirstIsDropped) {
  auto connection = std::make_unique<TFakeConnection>();
  TDataRefresher refresher;
  TRecordingTarget target;
  refresher.SetConnection(connection.get());
  EXPECT_EQ(refresher.Thread()->Connection(), connection.get());
  refresher.AddRefresh(&target, 100, kPacket, -1);
  connection.reset();
  EXPECT_EQ(refresher.Connection(), nullptr);
  EXPECT_EQ(refresher.Thread()->Connection(), nullptr);
  refresher.ReloadAll();
  EXPECT_TRUE(target.Messages.empty());
}

TEST(DataRefresherTest, RefresherDestroyedFirstLeavesConnectionAndSubscribersUsable) {
  auto connection = std::make_unique<TFakeConnection>();
  TRecordingTarget target;
  {
    TDataRefresher refresher;
    refresher.SetConnection(connection.get());
    refresher.AddRefresh(&target, 100, kPacket, -1);
    refresher.SetEnabled(true);
  }
  // Both survivors work with a new refresher; destroying the connection
  // afterwards must not notify the refresher that is gone.
  TDataRefresher second;
  second.SetConnection(connection.get());
  second.AddRefresh(&target, 100, kPacket, -1);
  target.Messages.clear();
  second.SetEnabled(true);
  second.ReloadAll();
  EXPECT_FALSE(target.Messages.empty());
  second.SetEnabled(false);
  connection.reset();
  EXPECT_EQ(second.Connection(), nullptr);
}

TEST(DataRefresherTest, SubscriberDestroyedWithoutUnsubscribingIsForgotten) {
  TFakeConnection connection;
  TDataRefresher refresher;
  refresher.SetConnection(&connection);
  auto target = std::make_unique<TRecordingTarget>();
  refresher.AddRefresh(target.get(), 100, kPacket, -1);
  ASSERT_EQ(refresher.Thread()->ElementCount(), 1);
  target.reset();
  EXPECT_EQ(refresher.Thread()->ElementCount(), 0);
}

}  // namespace
}  // namespace orv::link
