#include "orv/platform/NumberText.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#if defined(_WIN32)
#include <locale>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace orv::platform {

namespace {

constexpr int kGeneralDigits = 15;

std::atomic<char> gSeparatorOverride{'\0'};

// Asks the user's locale without touching the process's own locale.
char LocaleSeparator() {
#if defined(_WIN32)
  try {
    const std::locale user("");
    return std::use_facet<std::numpunct<char>>(user).decimal_point();
  } catch (...) {
    return '.';
  }
#else
  locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (user == static_cast<locale_t>(0)) return '.';
  const char* radix = nl_langinfo_l(RADIXCHAR, user);
  // A separator of more than one byte cannot be a char; keep the point then.
  const char result = (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') ? radix[0] : '.';
  freelocale(user);
  return result;
#endif
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A finite value as decimal digits rounded to 15 significant ones: value =
// 0.D1D2... x 10^Point (Point digits before the decimal point). Zero has no
// digits.
struct TDecimal {
  bool Negative = false;
  std::string Digits;
  int Point = 0;
};

TDecimal ToDecimal(double value) {
  TDecimal d;
  d.Negative = std::signbit(value);
  const double magnitude = std::fabs(value);
  if (magnitude == 0.0) return d;
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, kGeneralDigits - 1);
  const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t e = text.find('e');
  for (std::size_t i = 0; i < e; ++i) {
    if (IsDigit(text[i])) d.Digits.push_back(text[i]);
  }
  int exponent = 0;
  std::string_view exp = text.substr(e + 1);
  if (!exp.empty() && exp.front() == '+') exp.remove_prefix(1);
  std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
  d.Point = exponent + 1;
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
  return d;
}

// Rounds half away from zero so that at most `decimals` digits follow the
// point.
void RoundTo(TDecimal& d, int decimals) {
  const int keep = d.Point + decimals;
  if (keep >= static_cast<int>(d.Digits.size())) return;
  if (keep < 0) {
    d.Digits.clear();
    return;
  }
  const bool up = d.Digits[static_cast<std::size_t>(keep)] >= '5';
  d.Digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9') {
      d.Digits[static_cast<std::size_t>(i)] = '0';
      --i;
    }
    if (i >= 0) {
      ++d.Digits[static_cast<std::size_t>(i)];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Point;
    }
  }
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

}  // namespace

char DecimalSeparator() {
  const char forced = gSeparatorOverride.load(std::memory_order_relaxed);
  if (forced != '\0') return forced;
  // The user's locale does not change while the program runs.
  static const char fromLocale = LocaleSeparator();
  return fromLocale;
}

void SetDecimalSeparator(char separator) { gSeparatorOverride.store(separator, std::memory_order_relaxed); }

std::string FloatToStr(double value) { return FloatToStr(value, DecimalSeparator()); }

std::string FloatToStr(double value, char separator) {
  if (!std::isfinite(value)) return NonFinite(value);
  const TDecimal d = ToDecimal(value);
  if (d.Digits.empty()) return "0";  // negative zero too
  std::string out;
  if (d.Negative) out.push_back('-');
  const int exponent = d.Point - 1;
  const int count = static_cast<int>(d.Digits.size());
  if (exponent >= kGeneralDigits || exponent < -4) {
    out.push_back(d.Digits[0]);
    if (count > 1) {
      out.push_back(separator);
      out.append(d.Digits, 1);
    }
    out.push_back('E');
    out += std::to_string(exponent);
    return out;
  }
  if (d.Point <= 0) {
    out.push_back('0');
    out.push_back(separator);
    out.append(static_cast<std::size_t>(-d.Point), '0');
    out += d.Digits;
    return out;
  }
  if (count <= d.Point) {
    out += d.Digits;
    out.append(static_cast<std::size_t>(d.Point - count), '0');
    return out;
  }
  out.append(d.Digits, 0, static_cast<std::size_t>(d.Point));
  out.push_back(separator);
  out.append(d.Digits, static_cast<std::size_t>(d.Point));
  return out;
}

std::optional<double> TryStrToFloat(std::string_view text) { return TryStrToFloat(text, DecimalSeparator()); }

std::optional<double> TryStrToFloat(std::string_view text, char separator) {
  text = Trim(text);
  // Checked against the grammar here, then converted by from_chars, which
  // knows no locale; the separator becomes '.' on the way.
  std::string normal;
  normal.reserve(text.size());
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int mantissaDigits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    normal.push_back(text[i++]);
    ++mantissaDigits;
  }
  if (i < text.size() && text[i] == separator) {
    normal.push_back('.');
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      normal.push_back(text[i++]);
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    normal.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      if (text[i] == '-') normal.push_back('-');
      ++i;
    }
    int exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
      normal.push_back(text[i++]);
      ++exponentDigits;
    }
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0.0;
  const auto res = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  // Out of the range of a double (either way) fails rather than guessing.
  if (res.ec != std::errc() || res.ptr != normal.data() + normal.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

double StrToFloatDef(std::string_view text, double defaultValue) { return TryStrToFloat(text).value_or(defaultValue); }

std::optional<long> TryStrToInt(std::string_view text) {
  text = Trim(text);
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  bool negative = false;
  if (base == 10 && !text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  // from_chars would take a sign of its own; only digits may follow here.
  const char first = text.front();
  const bool digit =
      IsDigit(first) || (base == 16 && ((first >= 'a' && first <= 'f') || (first >= 'A' && first <= 'F')));
  if (!digit) return std::nullopt;
  unsigned long magnitude = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
  constexpr unsigned long maxPositive = static_cast<unsigned long>(std::numeric_limits<long>::max());
  if (negative) {
    if (magnitude > maxPositive + 1ul) return std::nullopt;
    if (magnitude == maxPositive + 1ul) return std::numeric_limits<long>::min();
    return -static_cast<long>(magnitude);
  }
  if (magnitude > maxPositive) return std::nullopt;
  return static_cast<long>(magnitude);
}

long StrToIntDef(std::string_view text, long defaultValue) { return TryStrToInt(text).value_or(defaultValue); }

std::string FormatFloat(std::string_view format, double value) {
  return FormatFloat(format, value, DecimalSeparator());
}

std::string FormatFloat(std::string_view format, double value, char separator) {
  if (format.empty() || !std::isfinite(value)) return FloatToStr(value, separator);

  // The first '.' is the place of the decimal point; placeholders before it
  // take the integer digits, those after it the decimals.
  const std::size_t point = format.find('.');
  int intPlaces = 0;
  int intForced = 0;  // '0's before the point: the least integer digits shown
  int decPlaces = 0;
  int decForced = 0;  // up to the last '0' after the point: decimals always shown
  bool anyPlaceholder = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '0' && c != '#') continue;
    anyPlaceholder = true;
    if (point == std::string_view::npos || i < point) {
      ++intPlaces;
      if (c == '0') ++intForced;
    } else {
      ++decPlaces;
      if (c == '0') decForced = decPlaces;
    }
  }
  if (!anyPlaceholder) return std::string(format);

  TDecimal d = ToDecimal(value);
  RoundTo(d, decPlaces);
  const bool negative = d.Negative && !d.Digits.empty();

  std::string intDigits;
  if (d.Point > 0) {
    for (int i = 0; i < d.Point; ++i)
      intDigits.push_back(i < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<std::size_t>(i)] : '0');
  }
  if (static_cast<int>(intDigits.size()) < intForced)
    intDigits.insert(0, static_cast<std::size_t>(intForced) - intDigits.size(), '0');

  std::string decDigits;
  for (int k = 0; k < decPlaces; ++k) {
    const int idx = d.Point + k;
    decDigits.push_back(idx >= 0 && idx < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<std::size_t>(idx)]
                                                                            : '0');
  }
  while (static_cast<int>(decDigits.size()) > decForced && decDigits.back() == '0') decDigits.pop_back();

  // Integer digits are right-aligned on the integer placeholders; those that
  // do not fit go at the first one, together with the sign.
  const int intCount = static_cast<int>(intDigits.size());
  const int extra = intCount - intPlaces;
  std::string out;
  out.reserve(format.size() + intDigits.size() + 2);
  int intSeen = 0;
  int decSeen = 0;
  bool signDone = !negative;
  auto emitSign = [&] {
    if (!signDone) out.push_back('-');
    signDone = true;
  };
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    const bool beforePoint = point == std::string_view::npos || i < point;
    if ((c == '0' || c == '#') && beforePoint) {
      if (intSeen == 0) {
        emitSign();
        if (extra > 0) out.append(intDigits, 0, static_cast<std::size_t>(extra));
      }
      const int idx = intSeen + extra;
      if (idx >= 0 && idx < intCount) out.push_back(intDigits[static_cast<std::size_t>(idx)]);
      ++intSeen;
    } else if (i == point) {
      if (intPlaces == 0) {
        emitSign();
        out += intDigits;
      }
      if (!decDigits.empty()) out.push_back(separator);
    } else if (c == '0' || c == '#') {
      if (decSeen < static_cast<int>(decDigits.size())) out.push_back(decDigits[static_cast<std::size_t>(decSeen)]);
      ++decSeen;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace orv::platform
