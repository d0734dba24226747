// The limits that the output's settings put on each other, as the instrument
// keeps them: each function's frequency ceiling, and the amplitude's span and
// the peak voltage (half the amplitude plus the offset's size) at each load.
// An open output shows twice what 50 ohms shows, and a change of load rescales
// the amplitude and offset by that factor.
#pragma once

#include <cstdint>

struct CSpan {
  double m_min;
  double m_max;
};

double FrequencyCeiling(int16_t function);
// 1 at 50 ohms, 2 for an open output.
double LoadFactor(int16_t load);
CSpan AmplitudeSpan(int16_t load);
double PeakVolts(int16_t load);

// Whether the instrument takes the value, allowing for rounding as it does.
bool WithinLimit(double value, double limit);
bool FitsOutput(double ampl, double offset, int16_t load);

// The function's name in words: "triangle", "user waveform".
const char* FunctionName(int16_t function);
