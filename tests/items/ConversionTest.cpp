// Conversions between raw ECU values and user values: formula, tables,
// limits, rounding, masks, sign, and the item's setters.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Itemfakes.h"
#include "Temperaturetable.h"
#include "orv/items/Serialdata.h"

namespace orv::items {
namespace {

void Formula(TOrvSerialData& i, double a, double b, double c, double d) {
  i.Transformation = ttFormula;
  i.CoeffA = a;
  i.CoeffB = b;
  i.CoeffC = c;
  i.CoeffD = d;
}

void TimeItem(TOrvNumber& n) {
  Formula(n, 4, -4, 0, 1000);
  n.SetPrecision(0.01);
  n.SetMaxValue(1.0);
}
void FiveStep(TOrvNumber& n) {
  Formula(n, 5, 0, 0, 1);
  n.SetPrecision(5);
  n.SetMaxValue(1275);
}
void EngineSpeed(TOrvNumber& n) {
  Formula(n, 0, 117000, 1, 0);
  n.SetPrecision(100);
  n.SetMaxValue(6000);
}
void Voltage(TOrvNumber& n) {
  Formula(n, 5, 0, 0, 255);
  n.SetPrecision(0.01);
}
void Flag16(TOrvNumber& n) {
  n.SetDataMask(16);
  Formula(n, 1, 0, 0, 16);
}
void Table96(TOrvNumber& n) {
  n.SetDataMask(96);
  n.Transformation = ttTabled;
  const double e[] = {0, 32, 64}, u[] = {0, 1, 2};
  n.SetConversionTable(e, u, 3);
}
void Table7(TOrvNumber& n) {
  n.SetDataMask(7);
  n.Transformation = ttTabled;
  const double e[] = {0, 1, 2, 4}, u[] = {0, 1, 2, 3};
  n.SetConversionTable(e, u, 4);
}
void Temperature(TOrvNumber& n) {
  Formula(n, 5, 0, -5, 1275);
  n.Transformation = ttNonLinearTabled;
  n.SetConversionTable(testing::kTemperatureEcu, testing::kTemperatureUser, 48);
  n.SetPrecision(1);
  n.SetMaxValue(40);
}
void SignedNone(TOrvNumber& n) { n.SetDataSigned(true); }

enum class Dir { ToRaw, ToUser };

struct WorkedExample {
  const char* Name;
  void (*Setup)(TOrvNumber&);
  Dir Direction;
  double Input;
  int Held;  // held raw value for a merge; -1 none
  double Expected;
};

const WorkedExample kWorked[] = {
    {"time 0.4 to raw", TimeItem, Dir::ToRaw, 0.4, -1, 101},
    {"time 101 to user", TimeItem, Dir::ToUser, 101, -1, 0.4},
    {"time 2.0 clamped", TimeItem, Dir::ToRaw, 2.0, -1, 251},
    {"time 0.43 rounds away", TimeItem, Dir::ToRaw, 0.43, -1, 109},
    {"time 109 back to user", TimeItem, Dir::ToUser, 109, -1, 0.43},
    {"time -1 clamped to 0", TimeItem, Dir::ToRaw, -1.0, -1, 1},
    {"five-step 12 to raw", FiveStep, Dir::ToRaw, 12, -1, 2},
    {"five-step 2 back", FiveStep, Dir::ToUser, 2, -1, 10},
    {"engine speed 2000 to raw", EngineSpeed, Dir::ToRaw, 2000, -1, 59},
    {"engine speed 59 back", EngineSpeed, Dir::ToUser, 59, -1, 2000},
    {"engine speed 0 zero denominator", EngineSpeed, Dir::ToUser, 0, -1, -10000002},
    {"voltage 128", Voltage, Dir::ToUser, 128, -1, 2.51},
    {"flag 0x37 to user", Flag16, Dir::ToUser, 0x37, -1, 1},
    {"flag 0 merged", Flag16, Dir::ToRaw, 0, 0x37, 0x27},
    {"table 0x47 to user", Table96, Dir::ToUser, 0x47, -1, 2},
    {"table 1 merged", Table96, Dir::ToRaw, 1, 0x47, 0x27},
    {"table 1.5 no match", Table96, Dir::ToRaw, 1.5, 0x47, -10000001},
    {"mask 7 table 4", Table7, Dir::ToUser, 4, -1, 3},
    {"mask 7 table 3 no match", Table7, Dir::ToUser, 3, -1, -10000001},
    {"temperature 128 to user", Temperature, Dir::ToUser, 128, -1, 25},
    {"temperature 25 to raw", Temperature, Dir::ToRaw, 25, -1, 128},
    {"temperature 255 zero denominator", Temperature, Dir::ToUser, 255, -1, -10000002},
    {"temperature -10 clamped", Temperature, Dir::ToRaw, -10, -1, 195},
    {"signed 0xF6", SignedNone, Dir::ToUser, 0xF6, -1, -10},
};

TEST(ConversionTest, WorkedExamples) {
  for (const WorkedExample& c : kWorked) {
    SCOPED_TRACE(c.Name);
    TOrvNumber n(nullptr);
    c.Setup(n);
    if (c.Direction == Dir::ToUser) {
      EXPECT_NEAR(n.ConvertValueToUser(static_cast<int>(c.Input)), c.Expected, 1e-9);
    } else if (c.Held >= 0) {
      n.EcuValue = c.Held;
      EXPECT_EQ(n.ConvertValueToEcu(c.Input, &n.EcuValue), static_cast<int>(c.Expected));
    } else {
      EXPECT_EQ(n.ConvertValueToEcu(c.Input), static_cast<int>(c.Expected));
    }
  }
}

TEST(ConversionTest, TemperatureSegmentBeforeRounding) {
  TOrvNumber n(nullptr);
  Temperature(n);
  n.SetPrecision(0);
  EXPECT_NEAR(n.ConvertValueToUser(128), 24.842, 0.001);
}

TEST(ConversionTest, RoundingHelpers) {
  struct Case {
    double In;
    int Away, Trunc, GetInt;
  };
  const Case cases[] = {{58.5, 59, 58, 59},
                        {-58.5, -59, -58, -58},
                        {2.7, 3, 2, 3},
                        {-2.7, -3, -2, -2},
                        {2.5, 3, 2, 3},
                        {0.0, 0, 0, 0},
                        {1e12, INT32_MAX, INT32_MAX, INT32_MAX}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.In);
    EXPECT_EQ(RoundHalfAwayFromZero(c.In), c.Away);
    EXPECT_EQ(TruncateTowardZero(c.In), c.Trunc);
    EXPECT_EQ(RoundGetInt(c.In), c.GetInt);
  }
  EXPECT_EQ(RoundHalfAwayFromZero(std::nan("")), kConvZeroDenominator);
}

TEST(ConversionTest, PrecisionTiesGoToTheHigherMultiple) {
  EXPECT_EQ(RoundToPrecision(2.5, 1), 3);
  EXPECT_EQ(RoundToPrecision(-2.5, 1), -2);
  EXPECT_EQ(RoundToPrecision(2.4, 1), 2);
  EXPECT_EQ(RoundToPrecision(1983.05, 100), 2000);
  EXPECT_EQ(RoundToPrecision(1.234, 0), 1.234);
}

TEST(ConversionTest, DefaultFormulaIsIdentityAndRoundsHalfAway) {
  TOrvNumber n(nullptr);
  n.Transformation = ttFormula;
  n.SetDataLength(2);
  n.SetDataSigned(true);
  EXPECT_EQ(n.ConvertValueToUser(200), 200);
  EXPECT_EQ(n.ConvertValueToEcu(58.5), 59);
  EXPECT_EQ(n.ConvertValueToEcu(-58.5), -59);
  n.Transformation = ttNone;
  EXPECT_EQ(n.ConvertValueToEcu(2.7), 2);
  EXPECT_EQ(n.ConvertValueToEcu(-2.7), -2);
}

TEST(ConversionTest, Limits) {
  struct Case {
    double Min, Max;
    bool Disable;
    double In;
    int Out;
  };
  const Case cases[] = {
      {-127, 128, false, 200, 128}, {-127, 128, false, -200, -127}, {0, 1.0, false, -5, 0},
      {0, 0, false, 500, 500},      {-127, 128, true, 200, 200},    {-127, 128, false, 5, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.In);
    TOrvNumber n(nullptr);
    n.SetMaxValue(c.Max);
    n.SetMinValue(c.Min);
    n.DisableLimits = c.Disable;
    EXPECT_EQ(n.ConvertValueToEcu(c.In), c.Out);
  }
}

TEST(ConversionTest, MinAndMaxSettersKeepOrderOutsideLoading) {
  TOrvNumber n(nullptr);
  n.SetMaxValue(10);
  n.SetMinValue(20);  // above the maximum: ignored
  EXPECT_EQ(n.ValueMin(), 0);
  n.SetMaxValue(-5);  // below the minimum: ignored
  EXPECT_EQ(n.ValueMax(), 10);
  n.SetLoading(true);
  n.SetMinValue(20);
  n.SetMaxValue(-5);
  EXPECT_EQ(n.ValueMin(), 20);
  EXPECT_EQ(n.ValueMax(), -5);
}

TEST(ConversionTest, TabledRepeatedEntries) {
  TOrvNumber n(nullptr);
  n.Transformation = ttTabled;
  const double e[] = {1, 2, 2, 3}, u[] = {10, 20, 21, 20};
  n.SetConversionTable(e, u, 4);
  EXPECT_EQ(n.ConvertValueToUser(2), 21);  // last matching raw
  EXPECT_EQ(n.ConvertValueToEcu(20), 2);   // first matching user
  n.DeleteConversionTable();
  EXPECT_EQ(n.ConvertValueToUser(2), kConvNoTable);
  EXPECT_EQ(n.ConvertValueToEcu(20), kConvNoTable);
}

TEST(ConversionTest, NonLinearRisingAndFallingWithExtrapolation) {
  struct Case {
    std::vector<double> E, U;
    int Raw;
    double User;
  };
  const Case cases[] = {
      {{0, 10, 20}, {0, 100, 300}, 15, 200},   // rising, inside
      {{0, 10, 20}, {0, 100, 300}, 30, 500},   // rising, beyond the end
      {{0, 10, 20}, {0, 100, 300}, -5, -50},   // rising, before the start
      {{20, 10, 0}, {0, 100, 300}, 5, 200},    // falling, inside
      {{20, 10, 0}, {0, 100, 300}, 30, -100},  // falling, before the start
      {{20, 10, 0}, {0, 100, 300}, -10, 500},  // falling, beyond the end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Raw);
    TOrvNumber n(nullptr);
    n.SetDataLength(2);
    n.SetDataSigned(true);
    n.Transformation = ttNonLinearTabled;
    n.SetConversionTable(c.E.data(), c.U.data(), 3);
    EXPECT_NEAR(n.ConvertValueToUser(c.Raw), c.User, 1e-9);
    EXPECT_EQ(n.ConvertValueToEcu(c.User), c.Raw);
  }
}

TEST(ConversionTest, NonLinearTableOfFewerThanTwoEntriesCountsAsNone) {
  TOrvNumber n(nullptr);
  n.Transformation = ttNonLinearTabled;
  const double e[] = {5}, u[] = {50};
  n.SetConversionTable(e, u, 1);
  EXPECT_EQ(n.ConvertValueToUser(5), kConvNoTable);
  EXPECT_EQ(n.ConvertValueToEcu(50), kConvNoTable);
  n.SetConversionTable(e, u, 0);
  EXPECT_FALSE(n.HasConversionTable());
  EXPECT_EQ(n.ConvertValueToUser(5), kConvNoTable);
}

TEST(ConversionTest, TableAccessors) {
  TOrvNumber n(nullptr);
  EXPECT_EQ(n.GetEcuTableValue(0), 0);
  n.SetEcuTableValue(0, 3);  // no table: ignored
  const double e[] = {1, 2}, u[] = {3, 4};
  n.SetConversionTable(e, u, 2);
  EXPECT_EQ(n.TableCount(), 2);
  n.SetEcuTableValue(1, 7);
  n.SetUserTableValue(2, 9);  // outside: ignored
  EXPECT_EQ(n.GetEcuTableValue(1), 7);
  EXPECT_EQ(n.GetUserTableValue(1), 4);
  EXPECT_EQ(n.GetUserTableValue(2), 0);
  EXPECT_EQ(n.GetUserTableValue(-1), 0);
}

TEST(ConversionTest, ErrorValuesAreNotRounded) {
  TOrvNumber n(nullptr);
  EngineSpeed(n);
  n.SetPrecision(1000);
  EXPECT_EQ(n.ConvertValueToUser(0), -10000002.0);
  n.Transformation = ttTabled;
  EXPECT_EQ(n.ConvertValueToUser(0), -10000001.0);
}

TEST(ConversionTest, MaskSetter) {
  TOrvNumber n(nullptr);
  n.SetDataMask(0x1F0);
  EXPECT_EQ(n.DataMask(), 0xF0);
  n.SetDataMask(0x50);
  EXPECT_EQ(n.DataMask(), 0xF0);
  n.SetDataMask(0x60);
  EXPECT_EQ(n.DataMask(), 0x60);
  n.SetDataMask(0);
  EXPECT_EQ(n.DataMask(), 0);
  EXPECT_EQ(n.ConvertValueToUser(0xFF), 0);
}

TEST(ConversionTest, MaskChangeResetsDefaultHeldValueAndValidity) {
  TOrvNumber n(nullptr);
  n.DefaultValue = 5;
  n.EcuValue = 9;
  n.DataValid = true;
  n.SetDataMask(0x0F);
  EXPECT_EQ(n.DefaultValue, 0);
  EXPECT_EQ(n.EcuValue, 0);
  EXPECT_FALSE(n.DataValid);
}

TEST(ConversionTest, DataLengthSetter) {
  TOrvNumber n(nullptr, 7);
  n.SetDataLength(2);
  EXPECT_EQ(n.DataMask(), 0xFFFF);
  EXPECT_EQ(n.DataDescriptor(), 7u + 512u);
  n.SetDataLength(3);
  EXPECT_EQ(n.DataLength(), 2);
  n.SetDataLength(1);
  EXPECT_EQ(n.DataMask(), 0xFF);
  EXPECT_EQ(n.DataDescriptor(), 7u);
}

TEST(ConversionTest, CodeWordBits) {
  TOrvNumber n(nullptr);
  n.SetSerialCode(300);
  EXPECT_EQ(n.SerialCode(), 300 & 255);
  n.SetSerialCode(-1);
  EXPECT_EQ(n.SerialCode(), 44);
  n.SetDataSigned(true);
  EXPECT_EQ(n.DataDescriptor(), 44u + 1024u);
  n.SetDataSigned(false);
  EXPECT_EQ(n.DataDescriptor(), 44u);
  n.SetPrecision(-1);
  EXPECT_EQ(n.Precision(), 0);
}

TEST(ConversionTest, SignedAfterMask) {
  struct Case {
    int Length, Mask, Raw;
    double User;
  };
  const Case cases[] = {{1, 0xFF, 0xF6, -10}, {2, 0xFFFF, 0xFFF6, -10}, {1, 0x0F, 0xF6, 6}, {2, 0xFFFF, 0x7FFF, 32767}};
  for (const Case& c : cases) {
    TOrvNumber n(nullptr);
    n.SetDataLength(c.Length);
    n.SetDataMask(c.Mask);
    n.SetDataSigned(true);
    EXPECT_EQ(n.ConvertValueToUser(c.Raw), c.User) << c.Raw;
  }
}

TEST(ConversionTest, CustomConversionThroughEvents) {
  TOrvNumber n(nullptr);
  n.Transformation = ttCustom;
  EXPECT_EQ(n.ConvertValueToUser(5), 0);  // not assigned
  EXPECT_EQ(n.ConvertValueToEcu(5), 0);
  n.OnConvertToUser = [&](platform::TComponent* s, int raw, double& out) {
    EXPECT_EQ(s, &n);
    out = raw * 2.0;
  };
  n.OnConvertToEcu = [](platform::TComponent*, double user, int& out) { out = static_cast<int>(user) + 1; };
  EXPECT_EQ(n.ConvertValueToUser(5), 10);
  EXPECT_EQ(n.ConvertValueToEcu(5), 6);
}

TEST(ConversionTest, GetUserValueFromPacket) {
  TOrvNumber n(nullptr);
  const std::uint8_t bytes[] = {0xF6, 0xFF};
  EXPECT_EQ(n.GetUserValueFromPacket(bytes), 0xF6);
  n.SetDataLength(2);
  EXPECT_EQ(n.GetUserValueFromPacket(bytes), 0xFFF6);
  n.SetDataSigned(true);
  EXPECT_EQ(n.GetUserValueFromPacket(bytes), -10);
}

TEST(ConversionTest, MergeWithFailedReReadKeepsOnlyOwnBits) {
  testing::TFakeConnection conn;
  TOrvNumber n(nullptr);
  n.SetConnection(&conn);
  n.SetDataMask(0x30);
  n.EcuValue = 0xC5;
  conn.Fake.FailReads = true;
  EXPECT_EQ(n.ConvertValueToEcu(0x3F, &n.EcuValue), 0x30);
  conn.Fake.FailReads = false;
  conn.Fake.Values[0] = 0xC5;
  EXPECT_EQ(n.ConvertValueToEcu(0x1F, &n.EcuValue), 0xD5);
  // Without the held value, or with a full mask, no re-read and no merge.
  const int reads = conn.Fake.Reads();
  EXPECT_EQ(n.ConvertValueToEcu(0x1F), 0x1F);
  EXPECT_EQ(conn.Fake.Reads(), reads);
}

}  // namespace
}  // namespace orv::items
