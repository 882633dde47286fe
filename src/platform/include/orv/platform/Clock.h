#pragma once
// Millisecond tick count and sleep behind one interface, so that logic never
// reads the clock or sleeps directly and tests can use a manual clock.

#include <atomic>
#include <cstdint>

namespace orv::platform {

class IClock {
 public:
  virtual ~IClock() = default;
  // Milliseconds since an arbitrary start, as an unsigned 32-bit count that
  // wraps after about 49.7 days.
  virtual std::uint32_t TickCount() = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
};

// The steady clock of the machine.
class TSystemClock final : public IClock {
 public:
  std::uint32_t TickCount() override;
  void Sleep(std::uint32_t ms) override;
};

// A clock that moves only when told; Sleep advances it at once. Thread-safe.
class TManualClock final : public IClock {
 public:
  explicit TManualClock(std::uint32_t start = 0) : FNow(start) {}
  std::uint32_t TickCount() override { return FNow.load(); }
  void Sleep(std::uint32_t ms) override { Advance(ms); }
  void Advance(std::uint32_t ms) { FNow.fetch_add(ms); }
  void Set(std::uint32_t now) { FNow.store(now); }

 private:
  std::atomic<std::uint32_t> FNow;
};

// The clock the process uses: the system clock unless one was installed.
IClock& Clock();
// Installs a clock (not owned); nullptr restores the system clock.
void SetClock(IClock* clock);

// Installs a clock for the lifetime of the guard (tests).
class TScopedClock {
 public:
  explicit TScopedClock(IClock& clock) : FPrevious(&Clock()) { SetClock(&clock); }
  ~TScopedClock() { SetClock(FPrevious); }
  TScopedClock(const TScopedClock&) = delete;
  TScopedClock& operator=(const TScopedClock&) = delete;

 private:
  IClock* FPrevious;
};

}  // namespace orv::platform
