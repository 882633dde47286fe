// ConvertValueToUser and ConvertValueToEcu for each conversion kind the
// catalogue uses: formula, exact table, the 48-entry thermistor table and an
// application conversion.

#include <benchmark/benchmark.h>

#include "Temperaturetable.h"
#include "orv/items/Serialdata.h"

namespace orv::items {
namespace {

void Formula(TOrvNumber& n) {
  n.Transformation = ttFormula;
  n.CoeffA = 4;
  n.CoeffB = -4;
  n.CoeffD = 1000;
  n.SetPrecision(0.01);
  n.SetMaxValue(1.0);
}

void Tabled(TOrvNumber& n) {
  static double ecu[256], user[256];
  for (int i = 0; i < 256; ++i) {
    ecu[i] = i;
    user[i] = i * 0.5;
  }
  n.Transformation = ttTabled;
  n.SetConversionTable(ecu, user, 256);
}

void Temperature(TOrvNumber& n) {
  n.Transformation = ttNonLinearTabled;
  n.CoeffA = 5;
  n.CoeffC = -5;
  n.CoeffD = 1275;
  n.SetConversionTable(testing::kTemperatureEcu, testing::kTemperatureUser, 48);
  n.SetPrecision(1);
  n.SetMaxValue(40);
}

void Custom(TOrvNumber& n) {
  n.Transformation = ttCustom;
  n.OnConvertToUser = [](platform::TComponent*, int raw, double& out) { out = raw * 0.5; };
  n.OnConvertToEcu = [](platform::TComponent*, double user, int& out) { out = static_cast<int>(user * 2); };
}

template <void (*Setup)(TOrvNumber&)>
void ToUser(benchmark::State& state) {
  TOrvNumber n(nullptr);
  Setup(n);
  int raw = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(n.ConvertValueToUser(raw));
    raw = (raw + 1) & 0xFF;
  }
}

template <void (*Setup)(TOrvNumber&)>
void ToEcu(benchmark::State& state) {
  TOrvNumber n(nullptr);
  Setup(n);
  double user = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(n.ConvertValueToEcu(user));
    user += 0.5;
    if (user > 127) user = -40;
  }
}

BENCHMARK(ToUser<Formula>)->Name("ConvertValueToUser/formula");
BENCHMARK(ToEcu<Formula>)->Name("ConvertValueToEcu/formula");
BENCHMARK(ToUser<Tabled>)->Name("ConvertValueToUser/table256");
BENCHMARK(ToEcu<Tabled>)->Name("ConvertValueToEcu/table256");
BENCHMARK(ToUser<Temperature>)->Name("ConvertValueToUser/temperature48");
BENCHMARK(ToEcu<Temperature>)->Name("ConvertValueToEcu/temperature48");
BENCHMARK(ToUser<Custom>)->Name("ConvertValueToUser/custom");
BENCHMARK(ToEcu<Custom>)->Name("ConvertValueToEcu/custom");

}  // namespace
}  // namespace orv::items
