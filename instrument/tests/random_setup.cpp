#include "instrument/tests/random_setup.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "instrument/output_limits.h"

namespace {

const char* const kUserWaveforms[] = {"SINC", "NEG_RAMP", "EXP_RISE", "EXP_FALL", "CARDIAC"};

// Six significant digits, never beyond the limits.
double Typed(double value, double low, double high) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return std::clamp(std::strtod(text, nullptr), low, high);
}

class CRandomSetup {
 public:
  explicit CRandomSetup(std::mt19937& random) : m_random(random) {}

  double Between(double low, double high) {
    if (low > 0 && high / low > 100) {
      std::uniform_real_distribution<double> exponent(std::log10(low), std::log10(high));
      return Typed(std::pow(10.0, exponent(m_random)), low, high);
    }
    return Typed(std::uniform_real_distribution<double>(low, high)(m_random), low, high);
  }
  int Index(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

  std::vector<CSetupStep> Make() {
    int16_t func = static_cast<int16_t>(Index(7));
    double ceiling = FrequencyCeiling(func);
    int16_t load = static_cast<int16_t>(Index(2));
    CSpan span = AmplitudeSpan(load);
    double ampl = Between(span.m_min, span.m_max);
    double offsetLimit = PeakVolts(load) - ampl / 2;
    int mode = Index(6) - 1;  // -1: none on
    const std::map<ESetting, CSettingValue> fixed = {
        {ESetting::kFunc, {static_cast<double>(func), {}}},
        {ESetting::kLoad, {static_cast<double>(load), {}}},
        {ESetting::kFreq, {Between(0.001, ceiling), {}}},
        {ESetting::kAmpl, {ampl, {}}},
        {ESetting::kOffset, {Between(-offsetLimit, offsetLimit), {}}},
        {ESetting::kUserFunc, {0, kUserWaveforms[Index(5)]}},
        {ESetting::kBmCount, {Index(5) == 0 ? 0.0 : std::round(Between(1, 50000)), {}}},
    };
    const ESetting modes[] = {ESetting::kAmState, ESetting::kFmState, ESetting::kSweepState,
                              ESetting::kBmState, ESetting::kFskState};
    std::vector<CSetupStep> steps;
    for (size_t i = 0; i < kSettingCount; ++i) {
      const CSetting& row = kSettingTable[i];
      CSettingValue value;
      if (auto given = fixed.find(row.m_id); given != fixed.end()) {
        value = given->second;
      } else if (row.m_recall == ERecallGroup::kMode) {
        value.m_number = mode >= 0 && modes[mode] == row.m_id ? 1 : 0;
      } else if (row.m_kind == ESettingKind::kChoice) {
        const CChoiceWords& words = *row.m_words;
        int choices = static_cast<int>(words.m_count) + words.m_numberedCount;
        int pick = Index(choices);
        value.m_number = pick < static_cast<int>(words.m_count) ? words.m_words[pick].m_code
                                                                : words.m_firstNumbered + (pick - words.m_count);
      } else {
        value.m_number = Between(row.m_min, row.m_max);
      }
      steps.push_back({&row, value});
    }
    return InRecallOrder(std::move(steps));
  }

 private:
  std::mt19937& m_random;
};

}  // namespace

std::vector<CSetupStep> RandomValidSetup(std::mt19937& random) { return CRandomSetup(random).Make(); }
