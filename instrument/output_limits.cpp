#include "instrument/output_limits.h"

#include <cmath>

namespace {

// The function codes, as the table of settings' words give them.
enum : int16_t { kSine, kSquare, kTriangle, kRamp, kNoise, kUser, kDc };

constexpr double kPeakVolts50 = 5.0;
constexpr CSpan kAmplitude50{0.05, 10.0};
// Limits computed from others may miss them by a rounding step.
constexpr double kSlack = 1e-12;

}  // namespace

double FrequencyCeiling(int16_t function) {
  switch (function) {
    case kTriangle:
    case kRamp: return 100e3;
    case kUser: return 5e6;
    default: return 15e6;
  }
}

double LoadFactor(int16_t load) { return load == 0 ? 2.0 : 1.0; }

CSpan AmplitudeSpan(int16_t load) {
  return {kAmplitude50.m_min * LoadFactor(load), kAmplitude50.m_max * LoadFactor(load)};
}

double PeakVolts(int16_t load) { return kPeakVolts50 * LoadFactor(load); }

bool WithinLimit(double value, double limit) { return value <= limit + kSlack * std::fabs(limit); }

bool FitsOutput(double ampl, double offset, int16_t load) {
  return WithinLimit(ampl / 2 + std::fabs(offset), PeakVolts(load));
}

const char* FunctionName(int16_t function) {
  static const char* const kNames[] = {"sine", "square", "triangle", "ramp", "noise", "user waveform", "DC"};
  return function >= kSine && function <= kDc ? kNames[function] : "function";
}
