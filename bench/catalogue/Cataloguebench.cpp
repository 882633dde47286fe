// Connecting and reading the whole catalogue from the zero-latency simulated
// ECU. A manual clock takes the handlers' pauses (five actuator-limit
// handlers of 100 ms each during a full read), so the measured time is the
// work beyond them; the pauses are reported as the counter pause_ms.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <string>

#include "orv/link/Orvconnection.h"
#include "orv/paramset/Dati.h"
#include "orv/platform/Clock.h"
#include "orv/platform/Dialogs.h"

namespace {

using orv::paramset::TSerialDataModule;

struct TBenchSetup {
  TBenchSetup() {
    ::setenv("SERORVDL_EEPROM", "-", 1);  // factory image, no stored file
    ::setenv("SERORVDL_FAULTS", "", 1);
  }
  orv::platform::TManualClock Clock;
  orv::platform::TRecordingDialogs Dialogs;
};

void BM_ConnectAndReadAll(benchmark::State& state) {
  TBenchSetup setup;
  orv::platform::TScopedClock clockGuard(setup.Clock);
  orv::platform::TScopedDialogs dialogsGuard(setup.Dialogs);
  TSerialDataModule module;
  module.Disconnect(false);
  module.OrvConnection->SetDllName(std::string(ORV_BIN_DIR) + "/SerOrvDL.so");
  std::uint64_t paused = 0;
  for (auto _ : state) {
    const std::uint32_t before = setup.Clock.TickCount();
    const int result = module.Connect(4, 0);
    paused += setup.Clock.TickCount() - before;
    if (result != orv::paramset::kConnectAnswered || !module.IsLinkOpen()) {
      state.SkipWithError("the simulated ECU did not connect");
      break;
    }
    state.PauseTiming();
    module.Disconnect(false);
    state.ResumeTiming();
  }
  state.counters["pause_ms"] = benchmark::Counter(static_cast<double>(paused), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ConnectAndReadAll)->Unit(benchmark::kMillisecond);

void BM_ReadAll(benchmark::State& state) {
  TBenchSetup setup;
  orv::platform::TScopedClock clockGuard(setup.Clock);
  orv::platform::TScopedDialogs dialogsGuard(setup.Dialogs);
  TSerialDataModule module;
  module.Disconnect(false);
  module.OrvConnection->SetDllName(std::string(ORV_BIN_DIR) + "/SerOrvDL.so");
  if (module.Connect(4, 0) != orv::paramset::kConnectAnswered || !module.IsLinkOpen()) {
    state.SkipWithError("the simulated ECU did not connect");
    return;
  }
  std::uint64_t paused = 0;
  for (auto _ : state) {
    const std::uint32_t before = setup.Clock.TickCount();
    module.ReadAll();
    paused += setup.Clock.TickCount() - before;
  }
  state.counters["pause_ms"] = benchmark::Counter(static_cast<double>(paused), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ReadAll)->Unit(benchmark::kMillisecond);

}  // namespace
