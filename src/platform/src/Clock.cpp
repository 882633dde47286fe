#include "orv/platform/Clock.h"

#include <chrono>
#include <thread>

namespace orv::platform {

std::uint32_t TSystemClock::TickCount() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

void TSystemClock::Sleep(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

namespace {
TSystemClock gSystemClock;
std::atomic<IClock*> gClock{&gSystemClock};
}  // namespace

IClock& Clock() { return *gClock.load(); }

void SetClock(IClock* clock) { gClock.store(clock != nullptr ? clock : &gSystemClock); }

}  // namespace orv::platform
