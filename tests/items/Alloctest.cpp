// Conversions run for every displayed and every live value: they must not
// allocate. Global operator new and delete are replaced to count.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "Temperaturetable.h"
#include "orv/items/Serialdata.h"

namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace orv::items {
namespace {

struct Kind {
  const char* Name;
  void (*Setup)(TOrvNumber&);
};

const Kind kKinds[] = {
    {"none", [](TOrvNumber&) {}},
    {"formula",
     [](TOrvNumber& n) {
       n.Transformation = ttFormula;
       n.CoeffA = 4;
       n.CoeffB = -4;
       n.CoeffD = 1000;
       n.SetPrecision(0.01);
       n.SetMaxValue(1.0);
     }},
    {"tabled",
     [](TOrvNumber& n) {
       n.Transformation = ttTabled;
       const double e[] = {0, 32, 64}, u[] = {0, 1, 2};
       n.SetConversionTable(e, u, 3);
     }},
    {"non-linear",
     [](TOrvNumber& n) {
       n.Transformation = ttNonLinearTabled;
       n.CoeffA = 5;
       n.CoeffC = -5;
       n.CoeffD = 1275;
       n.SetConversionTable(testing::kTemperatureEcu, testing::kTemperatureUser, 48);
       n.SetPrecision(1);
     }},
    {"custom",
     [](TOrvNumber& n) {
       n.Transformation = ttCustom;
       n.OnConvertToUser = [](platform::TComponent*, int raw, double& out) { out = raw * 0.5; };
       n.OnConvertToEcu = [](platform::TComponent*, double user, int& out) { out = static_cast<int>(user * 2); };
     }},
};

TEST(AllocationTest, ConversionsAllocateNothing) {
  for (const Kind& k : kKinds) {
    SCOPED_TRACE(k.Name);
    TOrvNumber n(nullptr);
    k.Setup(n);
    n.SetDataMask(0x7F);  // a partial mask: the merge path too
    volatile double sink = 0;
    const long before = gAllocations.load();
    for (int raw = 0; raw < 256; ++raw) {
      sink = sink + n.ConvertValueToUser(raw);
      sink = sink + n.ConvertValueToEcu(raw * 0.1);
      sink = sink + n.ConvertValueToEcu(raw * 0.1, &n.EcuValue);
    }
    EXPECT_EQ(gAllocations.load() - before, 0);
  }
}

}  // namespace
}  // namespace orv::items
