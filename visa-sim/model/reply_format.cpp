#include "visa-sim/model/reply_format.h"

#include <charconv>

namespace tgqsim {

// "%+.14E" as the C locale writes it with two exponent digits at least,
// whatever the locale and the C library of the process.
std::string FormatNumber(double value) {
  char digits[40];
  std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value,
                                               std::chars_format::scientific, 14);
  std::string text(digits, written.ptr);
  size_t e = text.find('e');
  if (e != std::string::npos) text[e] = 'E';
  if (text.front() != '-') text.insert(0, "+");
  return text;
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
