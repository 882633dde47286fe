#include "orv/paramset/Catalogue.h"

#include <cmath>

namespace orv::paramset {

TEcuIdentification DecodeEcuIdentity(const plugins::EcuIdentity& identity) {
  TEcuIdentification id;
  id.Kind = identity.Bytes[0];
  if (identity.Bytes[1] == 3) {
    id.Code = identity.Bytes[4];
    id.Variant = identity.Bytes[5];
  } else {
    id.Code = identity.Bytes[1];
    id.Variant = identity.Bytes[2];
  }
  return id;
}

double RpmScaleForIgnition(int ignitionType) {
  switch (ignitionType) {
    case 1:
      return 93600.0;
    case 2:
    case 6:
      return 78000.0;
    case 3:
      return 58500.0;
    default:
      return 117000.0;
  }
}

double SignMagnitudeToUser(int ecuValue) {
  return ecuValue < 128 ? static_cast<double>(ecuValue) : -static_cast<double>(ecuValue - 128);
}

namespace {
// trunc toward zero of a finite value limited to [0, limit]; NaN gives 0.
int TruncInRange(double value, int limit) {
  if (!(value > 0.0)) return 0;
  if (value >= static_cast<double>(limit)) return limit;
  return static_cast<int>(std::trunc(value));
}
}  // namespace

int SignMagnitudeToEcu(double userValue) {
  if (std::isnan(userValue)) return 0;
  if (userValue >= 0.0) return TruncInRange(userValue, 255);
  // trunc(128 - u) = 128 + trunc(-u) for negative u; the magnitude field has
  // seven bits.
  return 128 + TruncInRange(-userValue, 127);
}

double InvertedBit4ToUser(int ecuValue) { return static_cast<double>(ecuValue ^ 16); }

int InvertedBit4ToEcu(double userValue) { return TruncInRange(userValue, 255) ^ 16; }

}  // namespace orv::paramset

namespace orv::resources {
std::string_view SerialDataModuleText();
}

namespace orv::paramset {

std::string_view SerialDataModuleDescription() { return resources::SerialDataModuleText(); }

}  // namespace orv::paramset
