#pragma once
// The parameter catalogue: the stored description of the data module
// TSerialDataModule (its service components and every parameter and live
// value, in order), compiled into the program from resources/.

#include <string_view>

#include "orv/plugins/Commlibrary.h"

namespace orv::paramset {

// The description text, valid for the lifetime of the program.
std::string_view SerialDataModuleDescription();

// The identification answer as Connect reads it: byte 0 is the kind of
// answer; the code and variant are bytes 1 and 2, or bytes 4 and 5 when
// byte 1 is 3.
struct TEcuIdentification {
  int Kind = 0;
  int Code = 0;
  int Variant = 0;
  // Kinds 1, 2 and 254 carry an identification.
  bool Answered() const { return Kind == 1 || Kind == 2 || Kind == 254; }
  // The ECU this program configures: code 36, variant 1.
  bool Compatible() const { return Answered() && Code == 36 && Variant == 1; }
};
TEcuIdentification DecodeEcuIdentity(const plugins::EcuIdentity& identity);

// Engine-speed scale (numerator of RPM = scale / period) of an ignition type.
double RpmScaleForIgnition(int ignitionType);
// Sign and magnitude in one byte: below 128 the value itself, from 128 on
// minus (value - 128).
double SignMagnitudeToUser(int ecuValue);
// The inverse: trunc(u) for u >= 0, 128 + trunc(-u) below; the magnitude is
// capped at 127 and the result at 255, so the byte stays a byte.
int SignMagnitudeToEcu(double userValue);
// Bit 4 shown inverted: user = ECU XOR 16, ECU = trunc(user) XOR 16 (the
// user value taken into 0..255 first).
double InvertedBit4ToUser(int ecuValue);
int InvertedBit4ToEcu(double userValue);

}  // namespace orv::paramset
