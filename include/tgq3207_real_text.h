// How the driver writes a real value after its header: as printf's %.15g
// writes it in the C locale, with a decimal point whatever the locale of the
// process that loaded the driver ("2500000", "1e-05").
// Shared by the driver and by the program's record of what it sent.
#pragma once

#include <charconv>
#include <string>

inline std::string Tgq3207RealText(double value) {
  char text[64];
  std::to_chars_result written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
  return std::string(text, written.ptr);
}
