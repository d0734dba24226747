// How the instrument writes its replies.
#pragma once

#include <string>

#include "visa-sim/model/scpi_error.h"

namespace tgqsim {

// The number as "+1.00000000000000E+03": sign, 15 significant digits, a
// signed exponent of at least two digits.
std::string FormatNumber(double value);
std::string FormatInteger(long value);
// "-222,\"Data out of range\"".
std::string FormatError(const ScpiError& error);

// The reply the instrument gives for an infinite load or burst count.
constexpr double kInfinityReply = 9.9e37;

}  // namespace tgqsim
