// The catalogue's pure conversions: identification answer, RPM scale by
// ignition type, sign and magnitude, inverted bit 4.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

#include "orv/paramset/Catalogue.h"

namespace orv::paramset {
namespace {

plugins::EcuIdentity Identity(std::initializer_list<int> bytes) {
  plugins::EcuIdentity id;
  int i = 0;
  for (int b : bytes) id.Bytes[i++] = static_cast<std::uint8_t>(b);
  return id;
}

TEST(DecodeEcuIdentity, KindCodeAndVariantInBothLayouts) {
  struct Case {
    plugins::EcuIdentity Id;
    int Kind, Code, Variant;
    bool Answered, Compatible;
  };
  const Case cases[] = {
      {Identity({1, 36, 1}), 1, 36, 1, true, true},
      {Identity({2, 36, 1}), 2, 36, 1, true, true},
      {Identity({254, 3, 0, 0, 36, 1}), 254, 36, 1, true, true},  // code and variant in bytes 4 and 5
      {Identity({254, 3, 36, 1, 0, 0}), 254, 0, 0, true, false},  // bytes 2 and 3 are not read then
      {Identity({1, 36, 2}), 1, 36, 2, true, false},
      {Identity({1, 37, 1}), 1, 37, 1, true, false},
      {Identity({3, 36, 1}), 3, 36, 1, false, false},  // unexpected kind
      {Identity({0, 36, 1}), 0, 36, 1, false, false},
      {Identity({255, 36, 1}), 255, 36, 1, false, false},
  };
  for (const Case& c : cases) {
    const TEcuIdentification id = DecodeEcuIdentity(c.Id);
    EXPECT_EQ(id.Kind, c.Kind);
    EXPECT_EQ(id.Code, c.Code);
    EXPECT_EQ(id.Variant, c.Variant);
    EXPECT_EQ(id.Answered(), c.Answered) << c.Kind;
    EXPECT_EQ(id.Compatible(), c.Compatible) << c.Kind << " " << c.Code << " " << c.Variant;
  }
}

TEST(RpmScaleForIgnition, EveryType) {
  const std::pair<int, double> cases[] = {{0, 117000}, {1, 93600}, {2, 78000},  {3, 58500},   {4, 117000},
                                          {5, 117000}, {6, 78000}, {7, 117000}, {-1, 117000}, {99, 117000}};
  for (const auto& [type, scale] : cases) EXPECT_EQ(RpmScaleForIgnition(type), scale) << type;
}

TEST(SignMagnitude, ToUser) {
  const std::pair<int, double> cases[] = {{0, 0}, {1, 1}, {127, 127}, {128, 0}, {129, -1}, {200, -72}, {255, -127}};
  for (const auto& [ecu, user] : cases) EXPECT_EQ(SignMagnitudeToUser(ecu), user) << ecu;
}

TEST(SignMagnitude, ToEcuTruncatesTowardZero) {
  const std::pair<double, int> cases[] = {{0.0, 0},    {3.9, 3},    {127.0, 127}, {128.0, 128}, {-72.0, 200},
                                          {-0.5, 128}, {-1.0, 129}, {-1.9, 129},  {-127.0, 255}};
  for (const auto& [user, ecu] : cases) EXPECT_EQ(SignMagnitudeToEcu(user), ecu) << user;
}

TEST(SignMagnitude, ToEcuStaysInOneByte) {
  // Values the limits would have stopped (limits are off while defaults and
  // files are applied) must not spill beyond the byte.
  const std::pair<double, int> cases[] = {{-300.0, 255},
                                          {-128.0, 255},
                                          {1000.0, 255},
                                          {std::numeric_limits<double>::quiet_NaN(), 0},
                                          {-std::numeric_limits<double>::infinity(), 255},
                                          {std::numeric_limits<double>::infinity(), 255}};
  for (const auto& [user, ecu] : cases) EXPECT_EQ(SignMagnitudeToEcu(user), ecu) << user;
}

TEST(SignMagnitude, RoundTripOfEveryMagnitude) {
  for (int u = -127; u <= 127; ++u) EXPECT_EQ(SignMagnitudeToUser(SignMagnitudeToEcu(u)), u) << u;
}

TEST(InvertedBit4, BothDirections) {
  EXPECT_EQ(InvertedBit4ToUser(0), 16);
  EXPECT_EQ(InvertedBit4ToUser(16), 0);
  EXPECT_EQ(InvertedBit4ToUser(0x35), 0x25);
  EXPECT_EQ(InvertedBit4ToEcu(16), 0);
  EXPECT_EQ(InvertedBit4ToEcu(0), 16);
  EXPECT_EQ(InvertedBit4ToEcu(16.9), 0);
  EXPECT_EQ(InvertedBit4ToEcu(0x25), 0x35);
  // Outside a byte the value is taken into 0..255 first.
  EXPECT_EQ(InvertedBit4ToEcu(300), 255 ^ 16);
  EXPECT_EQ(InvertedBit4ToEcu(-5), 16);
  for (int e = 0; e < 256; ++e) EXPECT_EQ(InvertedBit4ToEcu(InvertedBit4ToUser(e)), e);
}

}  // namespace
}  // namespace orv::paramset
