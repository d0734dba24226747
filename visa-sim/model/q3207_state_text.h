// The instrument's whole state as key=value lines, for tests to read:
// numbers in a form that reads back to the same double, enumerations in the
// soft front panel's codes.
#pragma once

#include <cstddef>
#include <string>

#include "visa-sim/model/q3207_settings.h"

namespace tgqsim {

std::string Q3207StateText(const Q3207Settings& s, size_t queuedErrors, int triggers);

}  // namespace tgqsim
