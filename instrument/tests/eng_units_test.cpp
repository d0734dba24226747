#include "instrument/eng_units.h"
#include "instrument/setting_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kUntouched = -42.0;  // a last value that no case below produces

struct ShowCase {
  double value;
  const char* format;
  const char* unit;
  bool allowInf;
  const char* text;
};

void ExpectShown(const ShowCase* cases, size_t count,
                 std::string (*show)(double, const std::string&, const std::string&, bool)) {
  for (size_t i = 0; i < count; ++i) {
    const ShowCase& c = cases[i];
    EXPECT_EQ(show(c.value, c.format, c.unit, c.allowInf), c.text)
        << "value " << c.value << " format " << c.format << " unit " << c.unit;
  }
}

TEST(ShowValueText, ChoosesThePrefixFromTheMagnitude) {
  const ShowCase cases[] = {
      {1000, "%g", "Hz", false, "1 kHz"},      {0.1, "%g", "Vpp", false, "100 mVpp"},
      {15e6, "%g", "Hz", false, "15 MHz"},     {50, "%g", "%", false, "50 %"},
      {2.5e9, "%g", "Hz", false, "2.5 GHz"},   {1.5e12, "%g", "Hz", false, "1.5 THz"},
      {4.7e-6, "%g", "S", false, "4.7 uS"},    {3e-9, "%g", "S", false, "3 nS"},
      {1, "%g", "V", false, "1 V"},            {999, "%g", "Deg", false, "999 Deg"},
      {-0.5, "%g", "V", false, "-500 mV"},     {-2500, "%g", "Hz", false, "-2.5 kHz"},
      {1234.5, "%.2f", "Hz", false, "1.23 kHz"},
  };
  ExpectShown(cases, std::size(cases), ShowValueText);
}

TEST(ShowValueText, PicksThePrefixBeforeTheFormatRounds) {
  const ShowCase cases[] = {
      {999999.9, "%g", "Hz", false, "1000 kHz"},
      {999.9999, "%g", "Hz", false, "1000 Hz"},
      {9.999999e14, "%g", "Hz", false, "1000 THz"},
      {0.9999999, "%g", "V", false, "1000 mV"},
      {1499, "%1.0f", "Cycles", false, "1 kCycles"},
  };
  ExpectShown(cases, std::size(cases), ShowValueText);
}

TEST(ShowValueText, MagnitudesBelowOnePicoAreZero) {
  const ShowCase cases[] = {
      {0.0, "%g", "Hz", false, "0 Hz"},
      {-0.0, "%g", "Hz", false, "0 Hz"},
      {9.99e-13, "%g", "V", false, "0 V"},
      {-5e-13, "%g", "V", false, "0 V"},
      {std::numeric_limits<double>::denorm_min(), "%g", "V", false, "0 V"},
      {1e-12, "%g", "S", false, "1 pS"},
      {-1e-12, "%g", "S", false, "-1 pS"},
  };
  ExpectShown(cases, std::size(cases), ShowValueText);
}

TEST(ShowValueText, BeyondTeraTheUnitFollowsTheUnscaledNumber) {
  const ShowCase cases[] = {
      {1e15, "%g", "Hz", false, "1e+15Hz"},
      {2e15, "%g", "Hz", false, "2e+15Hz"},
      {-2e15, "%g", "Hz", false, "-2e+15Hz"},
      {2e15, "%1.0f", "Cycles", false, "2000000000000000Cycles"},
      {9.9e37, "%g", "Cycles", false, "9.9e+37Cycles"},
  };
  ExpectShown(cases, std::size(cases), ShowValueText);
}

TEST(ShowValueText, InfiniteOnlyWhereAllowed) {
  const ShowCase cases[] = {
      {9.9e37, "%g", "Cycles", true, "INF Cycles"},
      {9.9e37, "%1.0f", "Cycles", true, "INF Cycles"},
      {9.89e37, "%g", "Cycles", true, "9.89e+37Cycles"},
      {-9.9e37, "%g", "Cycles", true, "-9.9e+37Cycles"},
      {1, "%1.0f", "Cycles", true, "1 Cycles"},
  };
  ExpectShown(cases, std::size(cases), ShowValueText);
}

// The scaling loop never ends for an infinity, and printf spells the
// non-finite values differently on each C library.
TEST(ShowValueText, NonFiniteValuesHaveFixedTexts) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const ShowCase cases[] = {
      {inf, "%g", "Cycles", true, "INF Cycles"}, {inf, "%g", "Hz", false, "INF Hz"},
      {-inf, "%g", "Hz", true, "-INF Hz"},       {nan, "%g", "Hz", false, "NaN Hz"},
      {-nan, "%1.0f", "Hz", true, "NaN Hz"},
  };
  ExpectShown(cases, std::size(cases), ShowValueText);
  ExpectShown(cases, std::size(cases), ShowValueFixedText);
}

TEST(ShowValueFixedText, WritesTheUnscaledNumberAndTheUnit) {
  const ShowCase cases[] = {
      {100, "%g", "Hz", false, "100 Hz"},
      {1000, "%g", "Hz", false, "1000 Hz"},
      {1e-5, "%g", "S", false, "1e-05 S"},
      {-0.25, "%g", "V", false, "-0.25 V"},
      {1, "%1.0f", "Cycles", false, "1 Cycles"},
      {1e6, "%1.0f", "Cycles", false, "1000000 Cycles"},
      {9.9e37, "%1.0f", "Cycles", true, "INF Cycles"},
      {9.89e37, "%g", "Cycles", true, "9.89e+37 Cycles"},
      {9.9e37, "%g", "Cycles", false, "9.9e+37 Cycles"},
  };
  ExpectShown(cases, std::size(cases), ShowValueFixedText);
}

TEST(ShowValueFixedText, FormatsOtherThanOneDoubleConversionFallBackToG) {
  for (const char* format : {"%d", "%s", "%*g", "%.*f", "%g %g", "", "no conversion", "%Lf", "%1000g",
                             "%.1000f", "%", "%'g", "%n"})
    EXPECT_EQ(ShowValueFixedText(0.5, format, "V", false), "0.5 V") << format;
  EXPECT_EQ(ShowValueFixedText(2.5, "%+08.3e", "V", false), "+2.500e+00 V");
}

struct ReadCase {
  const char* text;
  bool allowInf;
  double value;
};

// Each text carries a number, so the last value becomes the result.
TEST(ReadValueText, ScalesTheNumberByTheLetterAfterIt) {
  const ReadCase cases[] = {
      {"1.5 MHz", false, 1.5e6}, {"10 mV", false, 10 * 1e-3}, {"  2.2u", false, 2.2 * 1e-6},
      {"5 Hz", false, 5},        {"3K", false, 3},            {"1e3 Hz", false, 1000},
      {"2.5M", false, 2.5e6},    {"7 m", false, 7 * 1e-3},    {"4T", false, 4e12},
      {"4G", false, 4e9},        {"8k", false, 8e3},          {"6n", false, 6 * 1e-9},
      {"9p", false, 9 * 1e-12},  {"-5 m", false, -5 * 1e-3},  {"5   k", false, 5e3},
      {"5 ", false, 5},          {"5 xk", false, 5},          {"\t\n7", false, 7},
      {"0x10", false, 0},        {"1 kHz", true, 1e3},        {"2e+15Hz", false, 2e15},
      {"100k", false, 1e5},
  };
  for (const ReadCase& c : cases) {
    double last = kUntouched;
    EXPECT_DOUBLE_EQ(ReadValueText(c.text, c.allowInf, last), c.value) << c.text;
    EXPECT_DOUBLE_EQ(last, c.value) << c.text;
  }
}

TEST(ReadValueText, AcceptsOnlyTheDecimalGrammar) {
  const ReadCase numbers[] = {
      {"1.", false, 1},     {".5", false, 0.5},   {"1e", false, 1},      {"1e+", false, 1},
      {"1e-3", false, 1e-3}, {"1E3", false, 1e3}, {"+5", false, 5},      {"-.5", false, -0.5},
      {"1..2", false, 1},   {"1.2.3", false, 1.2}, {"12e2e3", false, 1200},
  };
  for (const ReadCase& c : numbers) {
    double last = kUntouched;
    EXPECT_DOUBLE_EQ(ReadValueText(c.text, c.allowInf, last), c.value) << c.text;
    EXPECT_DOUBLE_EQ(last, c.value) << c.text;
  }
  for (const char* text : {"", " ", "-", "+", ".", "+-1", "-+1", "e5", ".e5", "abc", "k5", "nan", "NaN",
                           "inf", "INF", "Inf", "infinity", "- 1"}) {
    double last = kUntouched;
    EXPECT_EQ(ReadValueText(text, false, last), 0.0) << text;
    EXPECT_EQ(last, kUntouched) << text;
  }
}

TEST(ReadValueText, InfOnlyOnFieldsThatAllowIt) {
  for (const char* text : {"inf", "Inf", "INF", "iNf", "   inf", "INF Cycles", "infinity"}) {
    double last = kUntouched;
    EXPECT_EQ(ReadValueText(text, true, last), kInfiniteValue) << text;
    EXPECT_EQ(last, kInfiniteValue) << text;
  }
  for (const char* text : {"in", "-inf", "i nf", "nan", "", " "}) {
    double last = kUntouched;
    EXPECT_EQ(ReadValueText(text, true, last), 0.0) << text;
    EXPECT_EQ(last, kUntouched) << text;
  }
}

TEST(ReadValueText, NumbersBeyondTheDoublesSaturate) {
  const ReadCase cases[] = {
      {"1e400", false, kLargest}, {"-1e400 Hz", false, -kLargest}, {"1e-400", false, 0.0},
      {"1e308 T", false, kLargest}, {"-1e308T", false, -kLargest}, {"1e-320 p", false, 0.0},
  };
  for (const ReadCase& c : cases) {
    double last = kUntouched;
    EXPECT_EQ(ReadValueText(c.text, c.allowInf, last), c.value) << c.text;
    EXPECT_EQ(last, c.value) << c.text;
  }
}

TEST(ReadValueText, ReadsBackWhatTheShowFunctionsWrite) {
  const double values[] = {1000, 0.1, -0.5, 1e-12, 2e15, 999999.9, 9.89e37, 12345.678, 0.001};
  for (double v : values) {
    double last = kUntouched;
    const double read = ReadValueText(ShowValueText(v, "%g", "Hz", true), true, last);
    EXPECT_NEAR(read, v, 5e-6 * std::fabs(v)) << v;
    EXPECT_EQ(ReadValueText(ShowValueFixedText(v, "%.17g", "Hz", true), true, last), v) << v;
  }
  double last = kUntouched;
  EXPECT_EQ(ReadValueText(ShowValueText(1e38, "%g", "Cycles", true), true, last), kInfiniteValue);
  EXPECT_EQ(ReadValueText(ShowValueFixedText(1e38, "%g", "Cycles", true), true, last), kInfiniteValue);
}

// The panel is shown in the program's own format whatever locale the process
// runs under: a decimal comma neither shows nor stops the reading.
TEST(EngUnitsText, KeepTheDecimalPointUnderACommaLocale) {
  struct CommaLocale {
    ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
  } restore;
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "German_Germany.1252"})
    comma = comma || (std::setlocale(LC_ALL, name) != nullptr && *std::localeconv()->decimal_point == ',');
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma on this host";
  EXPECT_EQ(ShowValueText(2.5e6, "%g", "Hz", false), "2.5 MHz");
  EXPECT_EQ(ShowValueFixedText(-0.25, "%g", "V", false), "-0.25 V");
  double last = kUntouched;
  EXPECT_EQ(ReadValueText("2.5M", false, last), 2.5e6);
  EXPECT_EQ(ReadValueText("2,5M", false, last), 2);
  // Setup files too.
  const CSetting& ampl = SettingRow(ESetting::kAmpl);
  EXPECT_EQ(SettingValueText(ampl, {0.25, {}}), "0.25");
  EXPECT_EQ(ReadSettingValue(ampl, "2.5").m_value->m_number, 2.5);
  EXPECT_FALSE(ReadSettingValue(ampl, "2,5").m_value);
}

}  // namespace
