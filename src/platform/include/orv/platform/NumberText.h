#pragma once
// Number text: the general number format, the number parser, the decimal
// separator of the user's locale and the format-text formatter of data
// labels and the grid. Pure functions apart from the separator setting.

#include <optional>
#include <string>
#include <string_view>

namespace orv::platform {

// The system decimal separator: the user's locale (LC_NUMERIC) unless one
// was set with SetDecimalSeparator.
char DecimalSeparator();
// Overrides the separator ('\0' returns to the locale's). Thread-safe.
void SetDecimalSeparator(char separator);

// General number format: the shortest text that reads back as the value with
// at most 15 significant digits, no trailing zeros, the given (default: the
// system) decimal separator; exponent form ("1E20", "1.5E-7") only for very
// large or very small magnitudes. NaN and infinities give "NAN", "INF", "-INF".
std::string FloatToStr(double value);
std::string FloatToStr(double value, char separator);

// Number parser: surrounding blanks, an optional sign, digits, the decimal
// separator, an optional exponent; anything else fails, the empty text too.
std::optional<double> TryStrToFloat(std::string_view text);
std::optional<double> TryStrToFloat(std::string_view text, char separator);
double StrToFloatDef(std::string_view text, double defaultValue);

// Integers in decimal, or hexadecimal with "0x"/"0X" (or "$") before the
// digits; surrounding blanks allowed; out-of-range values fail.
std::optional<long> TryStrToInt(std::string_view text);
long StrToIntDef(std::string_view text, long defaultValue);

// Format-text formatter: "0" is a digit always shown, "#" a digit shown only
// when significant, "." the place of the decimal separator (written as the
// system separator); any other character is copied. The value is rounded
// (half away from zero) to the decimals the format shows: "0.00 V" gives
// "1.23 V" for 1.234, "###0 RPM" gives "850 RPM" for 850. An empty format
// gives the general number format.
std::string FormatFloat(std::string_view format, double value);
std::string FormatFloat(std::string_view format, double value, char separator);

}  // namespace orv::platform
