#pragma once
// A data module on the simulated ECU (SerOrvDL, loaded by the module's own
// connection) with a stored EEPROM in a fresh temporary folder, a manual
// clock, recorded dialogs and the simulator's test hooks.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Simulatorhooks.h"
#include "orv/items/Serialdata.h"
#include "orv/link/Orvconnection.h"
#include "orv/paramset/Configwindowhooks.h"
#include "orv/paramset/Dati.h"
#include "orv/platform/Clock.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/DynamicLibrary.h"

namespace orv::paramset::testing {

inline const std::string kSimulatorPath = std::string(ORV_BIN_DIR) + "/SerOrvDL.so";

class TScopedEnv {
 public:
  TScopedEnv(const char* name, const std::string& value) : FName(name) {
    if (const char* old = std::getenv(name)) {
      FOld = old;
      FHadOld = true;
    }
    ::setenv(name, value.c_str(), 1);
  }
  ~TScopedEnv() {
    if (FHadOld) {
      ::setenv(FName, FOld.c_str(), 1);
    } else {
      ::unsetenv(FName);
    }
  }
  TScopedEnv(const TScopedEnv&) = delete;
  TScopedEnv& operator=(const TScopedEnv&) = delete;

 private:
  const char* FName;
  std::string FOld;
  bool FHadOld = false;
};

// Records what the data module asks of the configuration window.
class TRecordingWindow final : public IConfigWindowHooks {
 public:
  void UpdateFlagOptions() override { Calls.push_back("flags"); }
  void SetLambdaBand(int indicator, int percent) override {
    Calls.push_back("L" + std::to_string(indicator) + "=" + std::to_string(percent));
  }
  void SetTpsBand(int indicator, int percent) override {
    Calls.push_back("T" + std::to_string(indicator) + "=" + std::to_string(percent));
  }
  std::vector<std::string> Calls;
};

class ModuleFixture : public ::testing::Test {
 protected:
  ModuleFixture()
      : Folder(MakeFolder()),
        Eeprom("SERORVDL_EEPROM", (Folder / "eeprom.bin").string()),
        Faults("SERORVDL_FAULTS", ""),
        ClockGuard(ManualClock),
        DialogsGuard(Dialogs) {
    Module = MakeModule();
  }
  ~ModuleFixture() override {
    Module.reset();
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }

  std::unique_ptr<TSerialDataModule> MakeModule(std::string_view description = {}) {
    auto m = description.empty() ? std::make_unique<TSerialDataModule>()
                                 : std::make_unique<TSerialDataModule>(nullptr, description);
    if (m->OrvConnection != nullptr) m->OrvConnection->SetDllName(kSimulatorPath);
    return m;
  }

  // Loads the hooks and starts the simulated ECU afresh (factory image,
  // faults from faults, empty log).
  void StartEcu(const std::string& faults = "") {
    ASSERT_TRUE(Hooks.IsLoaded() || Hooks.Load(kSimulatorPath));
    namespace sim = plugins::simulator;
    ResetLog = Hooks.Function<sim::SimulatorResetLogFn>(sim::kSimulatorResetLog);
    LogFn = Hooks.Function<sim::SimulatorLogFn>(sim::kSimulatorLog);
    Peek = Hooks.Function<sim::SimulatorPeekFn>(sim::kSimulatorPeek);
    Poke = Hooks.Function<sim::SimulatorPokeFn>(sim::kSimulatorPoke);
    SetFaults = Hooks.Function<sim::SimulatorSetFaultsFn>(sim::kSimulatorSetFaults);
    Restart = Hooks.Function<sim::SimulatorRestartFn>(sim::kSimulatorRestart);
    ASSERT_TRUE(ResetLog && LogFn && Peek && Poke && SetFaults && Restart);
    TScopedEnv f("SERORVDL_FAULTS", faults);
    Restart();
  }

  // Starts the ECU and connects; the link is open afterwards.
  void ConnectEcu(int flags = 0) {
    StartEcu();
    ASSERT_EQ(Module->Connect(4, flags), kConnectAnswered);
    ASSERT_TRUE(Module->IsLinkOpen());
    ResetLog();
  }

  std::vector<int> Log() {
    std::vector<int> entries(static_cast<std::size_t>(LogFn(nullptr, 0)));
    LogFn(entries.data(), static_cast<int>(entries.size()));
    return entries;
  }

  static std::filesystem::path MakeFolder() {
    static std::atomic<int> counter{0};
    auto folder = std::filesystem::temp_directory_path() /
                  ("orv_catalogue_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(folder);
    return folder;
  }

  std::filesystem::path Folder;
  TScopedEnv Eeprom;
  TScopedEnv Faults;
  platform::TManualClock ManualClock{1000};
  platform::TScopedClock ClockGuard;
  platform::TRecordingDialogs Dialogs;
  platform::TScopedDialogs DialogsGuard;
  std::unique_ptr<TSerialDataModule> Module;
  platform::TDynamicLibrary Hooks;
  plugins::simulator::SimulatorResetLogFn ResetLog = nullptr;
  plugins::simulator::SimulatorLogFn LogFn = nullptr;
  plugins::simulator::SimulatorPeekFn Peek = nullptr;
  plugins::simulator::SimulatorPokeFn Poke = nullptr;
  plugins::simulator::SimulatorSetFaultsFn SetFaults = nullptr;
  plugins::simulator::SimulatorRestartFn Restart = nullptr;
};

}  // namespace orv::paramset::testing
