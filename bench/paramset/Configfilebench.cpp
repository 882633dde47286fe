// Configuration files: enciphering and deciphering a text the size of the
// whole parameter set, and parsing it into the in-memory INI store.
#include <benchmark/benchmark.h>

#include <string>

#include "orv/paramset/Lcefile.h"
#include "orv/paramset/Orvmeminifile.h"

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

}  // namespace
