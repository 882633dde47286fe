// Configuration files: saving and loading the whole parameter set (without
// an ECU), enciphering and deciphering a text of that size, and parsing it
// into the in-memory INI store.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "orv/link/Orvconnection.h"
#include "orv/paramset/Configfile.h"
#include "orv/paramset/Dati.h"
#include "orv/paramset/Lcefile.h"
#include "orv/paramset/Orvmeminifile.h"
#include "orv/platform/Clock.h"
#include "orv/platform/Dialogs.h"

namespace {

using namespace orv::paramset;

// About 2 KB of INI text shaped like a saved parameter set.
std::string ParameterText() {
  std::string text = "[CONFIGURAZIONE]\r\n";
  for (int i = 0; text.size() < 2000; ++i)
    text += "PARAMETRO NUMERO " + std::to_string(i) + "=" + std::to_string(i * 37 % 1000) + ".5\r\n";
  text += "\r\n[COMANDI]\r\nRIPROGRAMMAZIONE=0\r\n\r\n";
  return text;
}

void BM_Encipher(benchmark::State& state) {
  const std::string text = ParameterText();
  for (auto _ : state) benchmark::DoNotOptimize(EncryptToBytes(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Encipher);

void BM_Decipher(benchmark::State& state) {
  const auto file = EncryptToBytes(ParameterText());
  for (auto _ : state) benchmark::DoNotOptimize(DecryptBytes(*file));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file->size()));
}
BENCHMARK(BM_Decipher);

void BM_ParseAndRead(benchmark::State& state) {
  const std::string text = ParameterText();
  for (auto _ : state) {
    TIniBuffer buffer = MakeIniBuffer(text);
    TMemIniData ini(&buffer);
    benchmark::DoNotOptimize(ini.ReadFloat("CONFIGURAZIONE", "PARAMETRO NUMERO 40", 0.0));
  }
}
BENCHMARK(BM_ParseAndRead);

// The data module with no communication library: every write takes its
// value at once, so only the file work and the items are measured.
class TOfflineModule {
 public:
  TOfflineModule()
      : FDir(std::filesystem::temp_directory_path() / ("orv_bench_configfile_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(FDir);
    Module = std::make_unique<TSerialDataModule>();
    if (Module->OrvConnection != nullptr) {
      Module->OrvConnection->UnloadDll();
      Module->OrvConnection->SetDllName((FDir / "NoLibraryHere.so").string());
    }
    Module->ResetAllToDefaults();
  }
  ~TOfflineModule() {
    Module.reset();
    std::error_code ignored;
    std::filesystem::remove_all(FDir, ignored);
  }
  std::string File(const char* name) const { return (FDir / name).string(); }

  orv::platform::TManualClock Clock;
  orv::platform::TScopedClock ClockGuard{Clock};
  orv::platform::TRecordingDialogs Dialogs;
  orv::platform::TScopedDialogs DialogsGuard{Dialogs};
  std::unique_ptr<TSerialDataModule> Module;

 private:
  std::filesystem::path FDir;
};

void BM_SaveWholeSet(benchmark::State& state) {
  TOfflineModule offline;
  for (auto _ : state) benchmark::DoNotOptimize(SaveConfiguration(*offline.Module, offline.File("set.lce")));
}
BENCHMARK(BM_SaveWholeSet)->Unit(benchmark::kMicrosecond);

void BM_LoadWholeSet(benchmark::State& state) {
  TOfflineModule offline;
  if (!SaveConfiguration(*offline.Module, offline.File("set.lce"))) {
    state.SkipWithError("the set could not be saved");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(LoadConfiguration(*offline.Module, offline.File("set.lce")));
}
BENCHMARK(BM_LoadWholeSet)->Unit(benchmark::kMicrosecond);

}  // namespace
