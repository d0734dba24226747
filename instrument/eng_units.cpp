#include "instrument/eng_units.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string_view>
#include <system_error>

namespace {

// Values above this show as infinite on a field that allows it.
constexpr double kInfiniteThreshold = 9.89e37;
// Magnitudes below this show as zero.
constexpr double kZeroThreshold = 1e-12;
constexpr double kLargest = std::numeric_limits<double>::max();

struct Prefix {
  char letter;  // '\0': no letter
  int exponent;
  double factor;
};

constexpr Prefix kPrefixes[] = {
    {'T', 12, 1e12}, {'G', 9, 1e9},   {'M', 6, 1e6},    {'k', 3, 1e3},    {'\0', 0, 1.0},
    {'m', -3, 1e-3}, {'u', -6, 1e-6}, {'n', -9, 1e-9}, {'p', -12, 1e-12},
};

const Prefix* PrefixOfExponent(int exponent) {
  for (const Prefix& prefix : kPrefixes)
    if (prefix.exponent == exponent) return &prefix;
  return nullptr;
}

double FactorOfLetter(char letter) {
  for (const Prefix& prefix : kPrefixes)
    if (prefix.letter != '\0' && prefix.letter == letter) return prefix.factor;
  return 1.0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWhiteSpace(char c) { return std::string_view(" \t\n\v\f\r").find(c) != std::string_view::npos; }
bool IsSign(char c) { return c == '+' || c == '-'; }

// Index of the first non-blank from pos on, stopping at the last character.
size_t SkipBlanks(const std::string& text, size_t pos) {
  while (pos + 1 < text.size() && text[pos] == ' ') ++pos;
  return pos;
}

// Moves pos past a run of digits and returns how many there were.
size_t SkipDigits(std::string_view text, size_t& pos) {
  const size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos - start;
}

// Whether format holds exactly one conversion of a double and otherwise only
// plain text and "%%": anything else would make snprintf read a wrong argument.
bool IsDoubleFormat(std::string_view format) {
  constexpr size_t kMaxFieldDigits = 3;  // keeps widths and precisions below 1000
  int conversions = 0;
  for (size_t pos = 0; pos < format.size(); ++pos) {
    if (format[pos] != '%') continue;
    if (++pos < format.size() && format[pos] == '%') continue;
    while (pos < format.size() && std::string_view("-+ #0").find(format[pos]) != std::string_view::npos)
      ++pos;
    if (SkipDigits(format, pos) > kMaxFieldDigits) return false;
    if (pos < format.size() && format[pos] == '.') {
      ++pos;
      if (SkipDigits(format, pos) > kMaxFieldDigits) return false;
    }
    if (pos < format.size() && format[pos] == 'l') ++pos;
    if (pos >= format.size() || std::string_view("aAeEfFgG").find(format[pos]) == std::string_view::npos)
      return false;
    ++conversions;
  }
  return conversions == 1;
}

// snprintf writes the decimal separator of the current C locale; these texts
// always use ".".
void UseDotAsDecimalPoint(std::string& text) {
  const char* point = std::localeconv()->decimal_point;
  if (point == nullptr || *point == '\0' || std::strcmp(point, ".") == 0) return;
  const size_t pointLength = std::strlen(point);
  for (size_t pos = text.find(point); pos != std::string::npos; pos = text.find(point, pos + 1))
    text.replace(pos, pointLength, ".");
}

// The number text of x; printf's spellings of the non-finite values differ
// between C libraries, so they have fixed ones here.
std::string FormatNumber(double x, const std::string& format) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
  const char* usable = IsDoubleFormat(format) ? format.c_str() : "%g";
  const int length = std::snprintf(nullptr, 0, usable, x);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(&text[0], text.size(), usable, x);
  text.resize(static_cast<size_t>(length));
  UseDotAsDecimalPoint(text);
  return text;
}

double Saturated(double x) { return std::isinf(x) ? std::copysign(kLargest, x) : x; }

// Whether a mantissa (digits with an optional point) followed by its exponent
// part ("e-400", or empty) stands for a magnitude of at least 1. Only asked for
// numbers beyond the range of a double, where it tells overflow from underflow.
bool IsAtLeastOne(std::string_view mantissa, std::string_view exponent) {
  constexpr long kExponentCap = 100000;
  long magnitude = 0;
  const size_t point = mantissa.find('.');
  const std::string_view integerPart = mantissa.substr(0, point);
  const size_t firstSignificant = integerPart.find_first_not_of('0');
  if (firstSignificant != std::string_view::npos) {
    magnitude = static_cast<long>(integerPart.size() - firstSignificant) - 1;
  } else if (point != std::string_view::npos) {
    const size_t fractionSignificant = mantissa.find_first_not_of('0', point + 1);
    if (fractionSignificant != std::string_view::npos)
      magnitude = -static_cast<long>(fractionSignificant - point);
  }
  long decimalExponent = 0;
  const bool negativeExponent = exponent.find('-') != std::string_view::npos;
  for (char c : exponent)
    if (IsDigit(c) && decimalExponent < kExponentCap) decimalExponent = decimalExponent * 10 + (c - '0');
  return magnitude + (negativeExponent ? -decimalExponent : decimalExponent) >= 0;
}

// Reads the number at the start of text: white space, an optional sign, digits
// with at most one point (at least one digit), an optional exponent. On
// success sets value and end (the index just past the number).
bool ReadNumber(const std::string& text, double& value, size_t& end) {
  size_t pos = 0;
  while (pos < text.size() && IsWhiteSpace(text[pos])) ++pos;
  const bool negative = pos < text.size() && text[pos] == '-';
  if (pos < text.size() && IsSign(text[pos])) ++pos;
  const size_t mantissaBegin = pos;
  size_t digits = SkipDigits(text, pos);
  if (pos < text.size() && text[pos] == '.') digits += SkipDigits(text, ++pos);
  if (digits == 0) return false;
  const size_t mantissaEnd = pos;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    size_t exponentPos = pos + 1;
    if (exponentPos < text.size() && IsSign(text[exponentPos])) ++exponentPos;
    if (SkipDigits(text, exponentPos) > 0) pos = exponentPos;
  }
  end = pos;

  const std::string_view number(text.data() + mantissaBegin, end - mantissaBegin);
  const std::from_chars_result result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    const std::string_view mantissa = number.substr(0, mantissaEnd - mantissaBegin);
    const std::string_view exponent = number.substr(mantissa.size());
    value = IsAtLeastOne(mantissa, exponent) ? kLargest : 0.0;
  }
  if (negative) value = -value;
  return true;
}

bool StartsWithInf(const std::string& text) {
  if (text.empty()) return false;
  const size_t pos = SkipBlanks(text, 0);
  static constexpr std::string_view kInf = "inf";
  if (text.size() - pos < kInf.size()) return false;
  for (size_t i = 0; i < kInf.size(); ++i) {
    const char c = text[pos + i];
    if (c != kInf[i] && c != kInf[i] - 'a' + 'A') return false;
  }
  return true;
}

}  // namespace

std::string ShowValueText(double v, const std::string& format, const std::string& unit, bool allowInf) {
  // The scaling below would never end for an infinite value.
  if (!std::isfinite(v)) return FormatNumber(v, format) + " " + unit;
  double sign = 1.0;
  double a = v;
  if (v < 0) {
    a = -v;
    sign = -1.0;
  }
  if (a < kZeroThreshold) return "0 " + unit;
  int exponent = 0;
  while (a < 1) {
    a *= 1000;
    exponent -= 3;
  }
  while (a >= 1000) {
    a *= 0.001;
    exponent += 3;
  }
  std::string suffix;
  double x = v;
  if (const Prefix* prefix = PrefixOfExponent(exponent)) {
    suffix = " ";
    if (prefix->letter != '\0') suffix += prefix->letter;
    suffix += unit;
    x = sign * a;
  } else {
    suffix = unit;
  }
  if (allowInf && x > kInfiniteThreshold) return "INF " + suffix;
  return FormatNumber(x, format) + suffix;
}

std::string ShowValueFixedText(double v, const std::string& format, const std::string& unit, bool allowInf) {
  if (allowInf && v > kInfiniteThreshold) return "INF " + unit;
  return FormatNumber(v, format) + " " + unit;
}

double ReadValueText(const std::string& text, bool allowInf, double& lastValue) {
  if (allowInf && StartsWithInf(text)) {
    lastValue = kInfiniteValue;
    return kInfiniteValue;
  }
  double number = 0.0;
  size_t end = 0;
  if (!ReadNumber(text, number, end)) return 0.0;
  double result = number;
  if (end < text.size()) result = Saturated(number * FactorOfLetter(text[SkipBlanks(text, end)]));
  lastValue = result;
  return result;
}
