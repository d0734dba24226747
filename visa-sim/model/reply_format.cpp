#include "visa-sim/model/reply_format.h"

#include <cstdio>
#include <cstdlib>

namespace tgqsim {

std::string FormatNumber(double value) {
  // Formatted by hand past the mantissa: C libraries differ in the number of
  // exponent digits they print.
  char mantissa[32];
  std::snprintf(mantissa, sizeof mantissa, "%+.14E", value);
  std::string text(mantissa);
  size_t e = text.find('E');
  if (e == std::string::npos) return text;
  long exponent = std::strtol(text.c_str() + e + 1, nullptr, 10);
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, "E%c%02ld", exponent < 0 ? '-' : '+', std::labs(exponent));
  return text.substr(0, e) + suffix;
}

std::string FormatInteger(long value) { return std::to_string(value); }

std::string FormatError(const ScpiError& error) {
  std::string quoted;
  for (char c : error.message) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return FormatInteger(error.code) + ",\"" + quoted + "\"";
}

}  // namespace tgqsim
