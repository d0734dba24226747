// Status values of the driver's own failures, in the instrument-driver range.
#pragma once

#include "visa.h"

// The instrument did not identify itself as a Q3207.
constexpr ViStatus kStatusFailId = static_cast<ViStatus>(0xBFFC0011u);
// A reply that is no number where a number was asked for, or that never ends.
constexpr ViStatus kStatusInvalidResponse = static_cast<ViStatus>(0xBFFC0012u);
