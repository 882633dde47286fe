#include "orv/platform/Clock.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace orv::platform {
namespace {

TEST(ClockTest, ManualClockMovesOnlyWhenTold) {
  TManualClock clock(100);
  EXPECT_EQ(clock.TickCount(), 100u);
  clock.Sleep(50);
  EXPECT_EQ(clock.TickCount(), 150u);
  clock.Advance(5);
  EXPECT_EQ(clock.TickCount(), 155u);
  clock.Set(7);
  EXPECT_EQ(clock.TickCount(), 7u);
}

TEST(ClockTest, ElapsedTimeSurvivesTheWrap) {
  struct Case {
    std::uint32_t Start;
    std::uint32_t Step;
  };
  const Case cases[] = {{0xFFFFFF00u, 0x200u}, {0xFFFFFFFFu, 1u}, {0u, 2000u}, {0x7FFFFFFFu, 0x80000001u}};
  for (const auto& c : cases) {
    TManualClock clock(c.Start);
    const std::uint32_t start = clock.TickCount();
    clock.Advance(c.Step);
    EXPECT_EQ(static_cast<std::uint32_t>(clock.TickCount() - start), c.Step);
    EXPECT_EQ(clock.TickCount(), static_cast<std::uint32_t>(static_cast<std::uint64_t>(c.Start) + c.Step));
  }
}

TEST(ClockTest, ScopedClockInstallsAndRestores) {
  IClock* before = &Clock();
  {
    TManualClock manual(42);
    TScopedClock guard(manual);
    EXPECT_EQ(&Clock(), &manual);
    Clock().Sleep(8);  // returns at once
    EXPECT_EQ(Clock().TickCount(), 50u);
  }
  EXPECT_EQ(&Clock(), before);
  SetClock(nullptr);
  EXPECT_NE(dynamic_cast<TSystemClock*>(&Clock()), nullptr);
}

}  // namespace
}  // namespace orv::platform
