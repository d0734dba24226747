// The instrument's own limits. Frequency depends on the function, amplitude
// and offset on the load and on each other.
#pragma once

#include "visa-sim/model/parameters.h"
#include "visa-sim/model/q3207_settings.h"

namespace tgqsim {

Range FrequencyRange(const Q3207Settings& s);
Range FrequencyRangeFor(int func);
// Amplitude in volts peak-to-peak, leaving room for the present offset.
Range AmplitudeRange(const Q3207Settings& s);
// Offset in volts, leaving room for the present amplitude.
Range OffsetRange(const Q3207Settings& s);

constexpr Range kDutyCycleRange{20.0, 80.0};
constexpr Range kAmDepthRange{0.0, 120.0};
constexpr Range kAmFreqRange{0.01, 20e3};
constexpr Range kFmDevRange{0.01, 7.5e6};
constexpr Range kFmFreqRange{0.01, 10e3};
constexpr Range kSweepFreqRange{0.01, 15e6};
constexpr Range kSweepTimeRange{1e-3, 500.0};
constexpr Range kBurstCountRange{1.0, 50000.0};
constexpr Range kBurstPhaseRange{-360.0, 360.0};
constexpr Range kBurstRateRange{0.01, 50e3};
constexpr Range kFskFreqRange{0.01, 15e6};
constexpr Range kFskRateRange{0.01, 50e3};

}  // namespace tgqsim
