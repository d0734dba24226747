// The decade scale of the spin arrows: 1, 2, ..., 9 times a power of ten.
#pragma once

#include <cstdint>

double Pow10(int16_t n);                 // by repeated multiplication, as the rules say
double StepValue(double v, int16_t up);  // decade neighbour; limits are the caller's

// StepValue returns 0.0 for either zero and v itself where v has no
// neighbour: negative values (their callers choose how they step), NaN,
// infinities, values below the decade of 1e-306 (whose powers of ten lose
// their precision) and values whose neighbour above would be infinite.
