// Engineering-unit text of the value fields: a number, a blank, an optional
// SI prefix letter and the unit (1 kHz, 100 mVpp), shown and read back.
#pragma once

#include <string>

// Text of ShowValue: automatic prefix. `format` is a printf format with one double conversion.
std::string ShowValueText(double v, const std::string& format, const std::string& unit, bool allowInf);
// Text of ShowValueFixed: unscaled, no prefix letter (the fixed prefix index 4 every field uses).
std::string ShowValueFixedText(double v, const std::string& format, const std::string& unit, bool allowInf);
// ReadValue's parse: returns the value; updates `lastValue` (the field's m_scaled) as the rules say.
double ReadValueText(const std::string& text, bool allowInf, double& lastValue);
constexpr double kInfiniteValue = 9.9e37;   // the SCPI value for infinity

// Both Show functions write non-finite values as "INF", "-INF" or "NaN", a
// blank and the unit. A format that is not plain text around one double
// conversion (flags, width and precision of at most three digits, one of
// aAeEfFgG) is replaced by "%g". ReadValueText saturates at the largest
// double, so its result is always finite.
