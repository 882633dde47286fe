#pragma once
// Loads the simulated ECU (SerOrvDL) through a TOrvConnection with its
// stored EEPROM in a fresh temporary folder, and finds its test hooks.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "Simulatorhooks.h"
#include "orv/link/Orvconnection.h"
#include "orv/platform/DynamicLibrary.h"

namespace orv::link::testing {

inline const std::string kSimulatorPath = std::string(ORV_BIN_DIR) + "/SerOrvDL.so";

class TScopedEnv {
 public:
  TScopedEnv(const char* name, const std::string& value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old, FHadOld = true;
    ::setenv(name, value.c_str(), 1);
  }
  ~TScopedEnv() {
    if (FHadOld)
      ::setenv(FName, FOld.c_str(), 1);
    else
      ::unsetenv(FName);
  }
  TScopedEnv(const TScopedEnv&) = delete;
  TScopedEnv& operator=(const TScopedEnv&) = delete;

 private:
  const char* FName;
  std::string FOld;
  bool FHadOld = false;
};

class SimulatorFixture : public ::testing::Test {
 protected:
  SimulatorFixture() {
    static std::atomic<int> counter{0};
    Folder = std::filesystem::temp_directory_path() /
             ("orv_link_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(Folder);
    EepromPath = (Folder / "eeprom.bin").string();
  }
  ~SimulatorFixture() override {
    Connection.reset();
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }

  // Loads the library with the given fault switches (and a fresh ECU).
  void Start(const std::string& faults = "") {
    TScopedEnv eeprom("SERORVDL_EEPROM", EepromPath);
    TScopedEnv fault("SERORVDL_FAULTS", faults);
    Connection = std::make_unique<TOrvConnection>();
    Connection->SetDllName(kSimulatorPath);
    ASSERT_TRUE(Connection->LoadDll()) << Connection->LastError();
    ASSERT_TRUE(Hooks.Load(kSimulatorPath));
    ResetLog = Hooks.Function<plugins::simulator::SimulatorResetLogFn>(plugins::simulator::kSimulatorResetLog);
    LogFn = Hooks.Function<plugins::simulator::SimulatorLogFn>(plugins::simulator::kSimulatorLog);
    Peek = Hooks.Function<plugins::simulator::SimulatorPeekFn>(plugins::simulator::kSimulatorPeek);
    Poke = Hooks.Function<plugins::simulator::SimulatorPokeFn>(plugins::simulator::kSimulatorPoke);
    SetFaults = Hooks.Function<plugins::simulator::SimulatorSetFaultsFn>(plugins::simulator::kSimulatorSetFaults);
    Restart = Hooks.Function<plugins::simulator::SimulatorRestartFn>(plugins::simulator::kSimulatorRestart);
    ASSERT_TRUE(ResetLog && LogFn && Peek && Poke && SetFaults && Restart);
  }

  plugins::IOrvLibrary& Lib() { return *Connection->Library(); }

  bool Open() { return Lib().OpenLink() != 0; }

  std::vector<int> Log() {
    std::vector<int> entries(static_cast<std::size_t>(LogFn(nullptr, 0)));
    LogFn(entries.data(), static_cast<int>(entries.size()));
    return entries;
  }

 public:
  std::filesystem::path Folder;
  std::string EepromPath;
  std::unique_ptr<TOrvConnection> Connection;
  platform::TDynamicLibrary Hooks;
  plugins::simulator::SimulatorResetLogFn ResetLog = nullptr;
  plugins::simulator::SimulatorLogFn LogFn = nullptr;
  plugins::simulator::SimulatorPeekFn Peek = nullptr;
  plugins::simulator::SimulatorPokeFn Poke = nullptr;
  plugins::simulator::SimulatorSetFaultsFn SetFaults = nullptr;
  plugins::simulator::SimulatorRestartFn Restart = nullptr;
};

}  // namespace orv::link::testing
