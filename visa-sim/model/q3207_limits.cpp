#include "visa-sim/model/q3207_limits.h"

#include <algorithm>
#include <cmath>

namespace tgqsim {

namespace {

constexpr double kMinFrequency = 100e-6;

// Peak output voltage (|offset| + Vpp/2) and the amplitude span, into 50 ohms;
// an open output doubles them.
constexpr double kPeakVolts50 = 5.0;
constexpr Range kAmplitude50{0.05, 10.0};

double LoadFactor(const Q3207Settings& s) { return s.load == kLoadInfinite ? 2.0 : 1.0; }

}  // namespace

Range FrequencyRangeFor(int func) {
  switch (func) {
    case kTri:
    case kRamp:
      return {kMinFrequency, 100e3};
    case kUser:
      return {kMinFrequency, 5e6};
    default:
      return {kMinFrequency, 15e6};
  }
}

Range FrequencyRange(const Q3207Settings& s) { return FrequencyRangeFor(s.func); }

Range AmplitudeRange(const Q3207Settings& s) {
  double factor = LoadFactor(s);
  double roomForOffset = 2.0 * (kPeakVolts50 * factor - std::fabs(s.offset));
  return {kAmplitude50.min * factor, std::min(kAmplitude50.max * factor, roomForOffset)};
}

Range OffsetRange(const Q3207Settings& s) {
  double limit = kPeakVolts50 * LoadFactor(s) - s.ampl / 2.0;
  return {-limit, limit};
}

}  // namespace tgqsim
