#include "instrument/eng_units.h"

#include <algorithm>
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
  const char* letter;
  int exponent;
  double factor;
};

constexpr Prefix kPrefixes[] = {
    {"T", 12, 1e12}, {"G", 9, 1e9},   {"M", 6, 1e6},   {"k", 3, 1e3},    {"", 0, 1.0},
    {"m", -3, 1e-3}, {"u", -6, 1e-6}, {"n", -9, 1e-9}, {"p", -12, 1e-12},
};

const Prefix* PrefixOfExponent(int exponent) {
  for (const Prefix& prefix : kPrefixes)
    if (prefix.exponent == exponent) return &prefix;
  return nullptr;
}

// Any character that is no prefix letter stands for 1.
double FactorOfLetter(char letter) {
  for (const Prefix& prefix : kPrefixes)
    if (prefix.letter[0] == letter) return prefix.factor;
  return 1.0;
}

// Index of the first non-blank from pos on, stopping at the last character.
size_t SkipBlanks(const std::string& text, size_t pos) {
  while (pos + 1 < text.size() && text[pos] == ' ') ++pos;
  return pos;
}

// The field's format if it is one double conversion (see the header), else
// "%g": printf would read a wrong argument.
const char* DoubleFormat(const std::string& format) {
  constexpr std::string_view kDigits = "0123456789";
  const size_t percent = format.find('%');
  if (percent == std::string::npos || format.find('%', percent + 1) != std::string::npos) return "%g";
  const size_t width = format.find_first_not_of("-+ #0", percent + 1);
  const size_t point = format.find_first_not_of(kDigits, width);
  size_t conversion = point;
  if (point < format.size() && format[point] == '.') conversion = format.find_first_not_of(kDigits, point + 1);
  const bool oneDouble = conversion < format.size() && point - width <= 3 && conversion - point <= 4 &&
                         std::string_view("aAeEfFgG").find(format[conversion]) != std::string_view::npos;
  return oneDouble ? format.c_str() : "%g";
}

// x formatted with the field's format, with "." as the decimal point
// whatever the C locale. printf's spellings of the non-finite values differ
// between C libraries, so they have fixed ones here.
std::string NumberText(double x, const std::string& format) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
  const char* usable = DoubleFormat(format);
  const int length = std::snprintf(nullptr, 0, usable, x);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(&text[0], text.size(), usable, x);
  text.resize(static_cast<size_t>(length));
  const char* point = std::localeconv()->decimal_point;
  if (point == nullptr || *point == '\0' || std::strcmp(point, ".") == 0) return text;
  for (size_t pos = text.find(point); pos != std::string::npos; pos = text.find(point, pos + 1))
    text.replace(pos, std::strlen(point), ".");
  return text;
}

// Reads the decimal number at the start of text: white space, an optional
// sign, digits with at most one point, an optional exponent; "." is the
// decimal point whatever the locale. On success sets value and end (the index
// just past the number). A number beyond the doubles reads as the largest
// double, or as 0 when its exponent is negative.
bool ReadNumber(const std::string& text, double& value, size_t& end) {
  size_t pos = text.find_first_not_of(" \t\n\v\f\r");
  if (pos == std::string::npos) return false;
  const bool negative = text[pos] == '-';
  if (text[pos] == '-' || text[pos] == '+') ++pos;
  // from_chars would also take a second sign, "inf" and "nan".
  if (pos == text.size() || (text[pos] != '.' && (text[pos] < '0' || text[pos] > '9'))) return false;
  const char* number = text.data() + pos;
  const std::from_chars_result read = std::from_chars(number, text.data() + text.size(), value);
  if (read.ec == std::errc::invalid_argument) return false;
  // Past the sign, a '-' can only be the exponent's.
  if (read.ec == std::errc::result_out_of_range)
    value = std::string_view(number, read.ptr - number).find('-') == std::string_view::npos ? kLargest : 0.0;
  if (negative) value = -value;
  end = static_cast<size_t>(read.ptr - text.data());
  return true;
}

bool SameLetter(char c, char lower) { return c == lower || c == lower - 'a' + 'A'; }

bool StartsWithInf(const std::string& text) {
  const size_t pos = SkipBlanks(text, 0);
  return text.size() - pos >= 3 && SameLetter(text[pos], 'i') && SameLetter(text[pos + 1], 'n') &&
         SameLetter(text[pos + 2], 'f');
}

}  // namespace

std::string ShowValueText(double v, const std::string& format, const std::string& unit, bool allowInf) {
  // The scaling below would never end for an infinite value.
  if (!std::isfinite(v)) return NumberText(v, format) + " " + unit;
  double a = std::fabs(v);
  if (a < kZeroThreshold) return "0 " + unit;
  int exponent = 0;
  for (; a < 1; exponent -= 3) a *= 1000;
  for (; a >= 1000; exponent += 3) a *= 0.001;
  const Prefix* prefix = PrefixOfExponent(exponent);
  const double x = prefix ? std::copysign(a, v) : v;
  const std::string suffix = prefix ? " " + std::string(prefix->letter) + unit : unit;
  if (allowInf && x > kInfiniteThreshold) return "INF " + suffix;
  return NumberText(x, format) + suffix;
}

std::string ShowValueFixedText(double v, const std::string& format, const std::string& unit, bool allowInf) {
  if (allowInf && v > kInfiniteThreshold) return "INF " + unit;
  return NumberText(v, format) + " " + unit;
}

double ReadValueText(const std::string& text, bool allowInf, double& lastValue) {
  if (allowInf && StartsWithInf(text)) return lastValue = kInfiniteValue;
  double number = 0.0;
  size_t end = 0;
  if (!ReadNumber(text, number, end)) return 0.0;
  const double factor = end < text.size() ? FactorOfLetter(text[SkipBlanks(text, end)]) : 1.0;
  return lastValue = std::clamp(number * factor, -kLargest, kLargest);
}
