// Number text on the paths the displays take for every refreshed value.

#include <benchmark/benchmark.h>

#include "orv/platform/NumberText.h"

namespace {

using orv::platform::FloatToStr;
using orv::platform::FormatFloat;
using orv::platform::TryStrToFloat;

void BM_FloatToStr(benchmark::State& state) {
  const double values[] = {0.1 + 0.2, 850.0, -4.0, 1.0 / 3.0, 123456789012345678.0, 1.5e-5};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FloatToStr(values[i++ % std::size(values)], '.'));
  }
}
BENCHMARK(BM_FloatToStr);

void BM_FormatFloat(benchmark::State& state) {
  const char* formats[] = {"0.00 V", "###0 RPM", "##0 \u00B0C"};
  const double values[] = {1.234, 850.0, 24.6};
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t k = i++ % std::size(values);
    benchmark::DoNotOptimize(FormatFloat(formats[k], values[k], '.'));
  }
}
BENCHMARK(BM_FormatFloat);

void BM_TryStrToFloat(benchmark::State& state) {
  const char* texts[] = {"1.5", " -4.0 ", "1E-5", "850", "abc"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TryStrToFloat(texts[i++ % std::size(texts)], '.'));
  }
}
BENCHMARK(BM_TryStrToFloat);

}  // namespace
