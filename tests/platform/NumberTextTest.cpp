#include "orv/platform/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace orv::platform {
namespace {

struct FloatTextCase {
  double Value;
  char Separator;
  const char* Expected;
};

TEST(NumberTextTest, FloatToStrGeneralFormat) {
  const double inf = std::numeric_limits<double>::infinity();
  const FloatTextCase cases[] = {
      {0.0, '.', "0"},
      {-0.0, '.', "0"},
      {1.0, '.', "1"},
      {-1.5, '.', "-1.5"},
      {100.0, '.', "100"},
      {1234.5, '.', "1234.5"},
      {0.1 + 0.2, '.', "0.3"},
      {1.0 / 3.0, '.', "0.333333333333333"},
      {2.0 / 3.0, '.', "0.666666666666667"},
      {999999999999999.0, '.', "999999999999999"},
      {1e15, '.', "1E15"},
      {9999999999999999.0, '.', "1E16"},
      {123456789012345678.0, '.', "1.23456789012346E17"},
      {1e20, '.', "1E20"},
      {1e300, '.', "1E300"},
      {0.0001, '.', "0.0001"},
      {0.00012345, '.', "0.00012345"},
      {1e-5, '.', "1E-5"},
      {1.5e-5, '.', "1.5E-5"},
      {-1.5e-7, '.', "-1.5E-7"},
      {5e-324, '.', "4.94065645841247E-324"},
      {0.1, ',', "0,1"},
      {-1234.75, ',', "-1234,75"},
      {1.5e-5, ',', "1,5E-5"},
      {std::nan(""), '.', "NAN"},
      {inf, '.', "INF"},
      {-inf, '.', "-INF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloatToStr(c.Value, c.Separator), c.Expected) << c.Expected;
  }
}

TEST(NumberTextTest, FloatToStrReadsBack) {
  const double values[] = {0.3, 12.5, -0.0625, 1e-5, 123456.789, 1e15, 3.14159265358979};
  for (char sep : {'.', ','}) {
    for (double v : values) {
      const auto back = TryStrToFloat(FloatToStr(v, sep), sep);
      ASSERT_TRUE(back.has_value()) << v;
      EXPECT_DOUBLE_EQ(*back, v);
    }
  }
}

struct ParseCase {
  const char* Text;
  char Separator;
  bool Ok;
  double Value;
};

TEST(NumberTextTest, TryStrToFloatAcceptsAndRejects) {
  const ParseCase cases[] = {
      {"1.5", '.', true, 1.5},   {"  1.5  ", '.', true, 1.5},  {"\t7\r\n", '.', true, 7.0},
      {"-2", '.', true, -2.0},   {"+3.25", '.', true, 3.25},   {"1E3", '.', true, 1000.0},
      {"1e-2", '.', true, 0.01}, {"1.5E+2", '.', true, 150.0}, {".5", '.', true, 0.5},
      {"5.", '.', true, 5.0},    {"1,5", ',', true, 1.5},      {"-0,25e1", ',', true, -2.5},
      {"", '.', false, 0},       {"   ", '.', false, 0},       {"abc", '.', false, 0},
      {"1,5", '.', false, 0},    {"1.5", ',', false, 0},       {"1.5x", '.', false, 0},
      {"1 5", '.', false, 0},    {"1e", '.', false, 0},        {"1e+", '.', false, 0},
      {"e5", '.', false, 0},     {"--1", '.', false, 0},       {"+-1", '.', false, 0},
      {"+", '.', false, 0},      {".", '.', false, 0},         {"1.2.3", '.', false, 0},
      {"0x10", '.', false, 0},   {"inf", '.', false, 0},       {"nan", '.', false, 0},
      {"1e400", '.', false, 0},  {"1'000", '.', false, 0},
  };
  for (const auto& c : cases) {
    const auto v = TryStrToFloat(c.Text, c.Separator);
    EXPECT_EQ(v.has_value(), c.Ok) << '"' << c.Text << '"';
    if (c.Ok && v) {
      EXPECT_DOUBLE_EQ(*v, c.Value) << c.Text;
    }
  }
}

TEST(NumberTextTest, SeparatorOverrideAndDefaults) {
  SetDecimalSeparator(',');
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(FloatToStr(2.5), "2,5");
  EXPECT_EQ(StrToFloatDef("2,5", -1.0), 2.5);
  EXPECT_EQ(StrToFloatDef("2.5", -1.0), -1.0);
  EXPECT_EQ(FormatFloat("0.0 V", 1.25), "1,3 V");
  SetDecimalSeparator('.');
  EXPECT_EQ(FloatToStr(2.5), "2.5");
  SetDecimalSeparator('\0');
  const char locale = DecimalSeparator();
  EXPECT_NE(locale, '\0');
  EXPECT_EQ(FloatToStr(2.5), std::string("2") + locale + "5");
}

struct FormatCase {
  const char* Format;
  double Value;
  char Separator;
  const char* Expected;
};

TEST(NumberTextTest, FormatFloatTable) {
  const FormatCase cases[] = {
      {"0.00 V", 1.234, '.', "1.23 V"},
      {"###0 RPM", 850.0, '.', "850 RPM"},
      {"##0 \u00B0C", 24.6, '.', "25 \u00B0C"},
      {"0.00 V", 1.234, ',', "1,23 V"},
      {"0.00", 1.005, '.', "1.01"},
      {"0.00", -1.005, '.', "-1.01"},
      {"0.0", 2.25, '.', "2.3"},
      {"0.0", -2.25, '.', "-2.3"},
      {"0", -0.4, '.', "0"},
      {"0.00", -0.001, '.', "0.00"},
      {"0 %", 99.5, '.', "100 %"},
      {"0", 12345.0, '.', "12345"},
      {"000", 7.0, '.', "007"},
      {"#.##", 0.5, '.', ".5"},
      {"0.##", 1.5, '.', "1.5"},
      {"0.##", 2.0, '.', "2"},
      {"0.0#", 2.0, '.', "2.0"},
      {"0.000", 1e-7, '.', "0.000"},
      {"Temp: 0.0 \u00B0C", -3.25, '.', "Temp: -3.3 \u00B0C"},
      {"0.00", 1e15, '.', "1000000000000000.00"},
      {"", 0.1, '.', "0.1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFloat(c.Format, c.Value, c.Separator), c.Expected) << c.Format << " / " << c.Value;
  }
}

struct IntCase {
  const char* Text;
  bool Ok;
  long Value;
};

TEST(NumberTextTest, TryStrToIntTable) {
  const IntCase cases[] = {
      {"42", true, 42},   {"  -7 ", true, -7}, {"+5", true, 5},    {"0", true, 0},
      {"0x1F", true, 31}, {"0XFF", true, 255}, {"$ff", true, 255}, {" $10 ", true, 16},
      {"", false, 0},     {"abc", false, 0},   {"1.5", false, 0},  {"12a", false, 0},
      {"0x", false, 0},   {"$", false, 0},     {"-0x5", false, 0}, {"$-5", false, 0},
      {"0x-5", false, 0}, {"0x+5", false, 0},  {"- 5", false, 0},  {"99999999999999999999999", false, 0},
  };
  for (const auto& c : cases) {
    const auto v = TryStrToInt(c.Text);
    EXPECT_EQ(v.has_value(), c.Ok) << '"' << c.Text << '"';
    if (c.Ok && v) {
      EXPECT_EQ(*v, c.Value) << c.Text;
    }
  }
  const long max = std::numeric_limits<long>::max();
  const long min = std::numeric_limits<long>::min();
  EXPECT_EQ(TryStrToInt(std::to_string(max)), max);
  EXPECT_EQ(TryStrToInt(std::to_string(min)), min);
  std::string above = std::to_string(max);
  above.back() = static_cast<char>(above.back() + 1);
  EXPECT_FALSE(TryStrToInt(above).has_value());
  EXPECT_EQ(StrToIntDef("x", -9), -9);
}

}  // namespace
}  // namespace orv::platform
