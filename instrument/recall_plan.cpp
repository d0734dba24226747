#include "instrument/recall_plan.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "instrument/eng_units.h"
#include "instrument/instrument.h"
#include "instrument/output_limits.h"
#include "instrument/setting_text.h"

namespace {

size_t At(ESetting id) { return static_cast<size_t>(id); }

class CSettings {
 public:
  explicit CSettings(CSettingValues values) : m_values(std::move(values)) {}
  double Number(ESetting id) const { return m_values[At(id)].m_number; }
  int16_t Code(ESetting id) const { return static_cast<int16_t>(Number(id)); }
  void SetNumber(ESetting id, double value) { m_values[At(id)].m_number = value; }
  void Set(ESetting id, const CSettingValue& value) { m_values[At(id)] = value; }
  const CSettingValues& Values() const { return m_values; }

  // One line of a setup, acting as on the instrument.
  void Apply(const CSetupStep& step) {
    ESetting id = step.m_row->m_id;
    if (id == ESetting::kLoad) Rescale(static_cast<int16_t>(step.m_value.m_number));
    if (step.m_row->m_recall == ERecallGroup::kMode && step.m_value.m_number != 0)
      for (size_t i = 0; i < kSettingCount; ++i)
        if (kSettingTable[i].m_recall == ERecallGroup::kMode) m_values[i].m_number = 0;
    Set(id, step.m_value);
  }

  void Rescale(int16_t load) {
    double factor = LoadFactor(load) / LoadFactor(Code(ESetting::kLoad));
    SetNumber(ESetting::kAmpl, Number(ESetting::kAmpl) * factor);
    SetNumber(ESetting::kOffset, Number(ESetting::kOffset) * factor);
    SetNumber(ESetting::kLoad, load);
  }

 private:
  CSettingValues m_values;
};

std::string Shown(double value, const char* unit) { return ShowValueText(value, "%.6g", unit, false); }

std::string LoadWords(int16_t load) { return load ? "into 50 ohms" : "into an open circuit (load INF)"; }

// A limit that settings put on each other: the settings it involves, and why
// a set of values breaks it.
struct CCoupledRule {
  std::vector<ESetting> m_involves;
  std::function<std::optional<std::string>(const CSettings&)> m_broken;
};

const std::vector<CCoupledRule>& CoupledRules() {
  static const std::vector<CCoupledRule> rules = {
      {{ESetting::kFunc, ESetting::kFreq},
       [](const CSettings& s) -> std::optional<std::string> {
         int16_t function = s.Code(ESetting::kFunc);
         double freq = s.Number(ESetting::kFreq), ceiling = FrequencyCeiling(function);
         if (WithinLimit(freq, ceiling)) return std::nullopt;
         return Shown(freq, "Hz") + " is above the " + FunctionName(function) + "'s " + Shown(ceiling, "Hz");
       }},
      {{ESetting::kAmpl, ESetting::kLoad},
       [](const CSettings& s) -> std::optional<std::string> {
         int16_t load = s.Code(ESetting::kLoad);
         double ampl = s.Number(ESetting::kAmpl);
         CSpan span = AmplitudeSpan(load);
         if (ampl < span.m_min)
           return Shown(ampl, "Vpp") + " is below the " + Shown(span.m_min, "Vpp") + " the output gives " + LoadWords(load);
         if (!WithinLimit(ampl, span.m_max))
           return Shown(ampl, "Vpp") + " is above the " + Shown(span.m_max, "Vpp") + " the output gives " + LoadWords(load);
         return std::nullopt;
       }},
      {{ESetting::kAmpl, ESetting::kOffset, ESetting::kLoad},
       [](const CSettings& s) -> std::optional<std::string> {
         int16_t load = s.Code(ESetting::kLoad);
         double ampl = s.Number(ESetting::kAmpl), offset = s.Number(ESetting::kOffset);
         if (FitsOutput(ampl, offset, load)) return std::nullopt;
         return Shown(ampl, "Vpp") + " with an offset of " + Shown(offset, "V") + " peaks at " +
                Shown(ampl / 2 + std::fabs(offset), "V") + ", above the " + Shown(PeakVolts(load), "V") +
                " the output gives " + LoadWords(load);
       }},
  };
  return rules;
}

class CPlanner {
 public:
  CPlanner(const CSetupReading& reading, const CSettingValues& present)
      : m_reading(reading), m_start(reading.m_resetLine ? PowerOnValues() : present), m_target(m_start) {
    m_plan.m_reset = reading.m_resetLine != 0;
    for (const CSetupStep& step : reading.m_steps) {
      m_target.Apply(step);
      if (IsMode(*step.m_row) && step.m_value.m_number != 0) m_modeOnLine = step.m_line;
      m_lastLine[At(step.m_row->m_id)] = step.m_line;
    }
  }

  CRecallPlan Plan() {
    m_plan.m_target = m_target.Values();
    if (!Check()) return m_plan;
    SendIfGiven(ESetting::kUserFunc);
    SendModesThatEndOff();
    SendFunctionAndFrequency();
    SendLevels();
    SendIfGiven(ESetting::kDutyCycle);
    for (size_t i = 0; i < kSettingCount; ++i)
      if (kSettingTable[i].m_recall == ERecallGroup::kModeSetting) SendIfGiven(kSettingTable[i].m_id);
    for (size_t i = 0; i < kSettingCount; ++i)
      if (IsMode(kSettingTable[i]) && m_target.Number(kSettingTable[i].m_id) != 0) SendIfGiven(kSettingTable[i].m_id);
    return m_plan;
  }

 private:
  static bool IsMode(const CSetting& row) { return row.m_recall == ERecallGroup::kMode; }
  bool Given(ESetting id) const { return m_lastLine[At(id)] != 0; }

  // Every coupled limit that a setting of the file takes part in holds for
  // the settings reached; a broken one names the file's last line among them.
  bool Check() {
    for (const CCoupledRule& rule : CoupledRules()) {
      int line = 0;
      for (ESetting id : rule.m_involves) line = std::max(line, m_lastLine[At(id)]);
      if (line == 0 && !m_plan.m_reset) continue;
      if (std::optional<std::string> why = rule.m_broken(m_target)) {
        m_plan.m_errorLine = line ? line : m_reading.m_resetLine;
        m_plan.m_error = *why;
        return false;
      }
    }
    return true;
  }

  void Send(ESetting id, const CSettingValue& value, int line) {
    m_plan.m_steps.push_back({&SettingRow(id), value, line});
  }
  void SendIfGiven(ESetting id) {
    if (Given(id)) Send(id, m_target.Values()[At(id)], m_lastLine[At(id)]);
  }

  // A mode that a line turned on turns the others off; when a later line
  // turned it off again, the recall turns off itself those it had turned off.
  void SendModesThatEndOff() {
    bool oneEndsOn = false;
    for (size_t i = 0; i < kSettingCount; ++i)
      oneEndsOn = oneEndsOn || (IsMode(kSettingTable[i]) && m_target.Number(kSettingTable[i].m_id) != 0);
    for (size_t i = 0; i < kSettingCount; ++i) {
      ESetting id = kSettingTable[i].m_id;
      if (!IsMode(kSettingTable[i]) || m_target.Number(id) != 0) continue;
      if (Given(id))
        SendIfGiven(id);
      else if (m_modeOnLine != 0 && !oneEndsOn && m_start.Number(id) != 0)
        Send(id, m_target.Values()[At(id)], m_modeOnLine);
    }
  }

  // A function whose ceiling is below the present frequency goes out after
  // the frequency, which the present function then allows.
  void SendFunctionAndFrequency() {
    double present = m_start.Number(ESetting::kFreq);
    if (Given(ESetting::kFunc) && !WithinLimit(present, FrequencyCeiling(m_target.Code(ESetting::kFunc)))) {
      SendIfGiven(ESetting::kFreq);
      SendIfGiven(ESetting::kFunc);
    } else {
      SendIfGiven(ESetting::kFunc);
      SendIfGiven(ESetting::kFreq);
    }
  }

  // The load first: it rescales both levels, which keeps them within its limits.
  void SendLevels() {
    CSettings levels = m_start;
    SendIfGiven(ESetting::kLoad);
    levels.Rescale(m_target.Code(ESetting::kLoad));
    int16_t load = m_target.Code(ESetting::kLoad);
    double ampl = m_target.Number(ESetting::kAmpl), offset = m_target.Number(ESetting::kOffset);
    if (Given(ESetting::kAmpl) && Given(ESetting::kOffset)) {
      if (FitsOutput(ampl, levels.Number(ESetting::kOffset), load)) {
        SendIfGiven(ESetting::kAmpl);
        SendIfGiven(ESetting::kOffset);
        return;
      }
      if (FitsOutput(levels.Number(ESetting::kAmpl), offset, load)) {
        SendIfGiven(ESetting::kOffset);
        SendIfGiven(ESetting::kAmpl);
        return;
      }
      // Neither fits beside the other's present value: through an offset of 0 V.
      Send(ESetting::kOffset, {0, {}}, 0);
      SendIfGiven(ESetting::kAmpl);
      SendIfGiven(ESetting::kOffset);
      return;
    }
    SendIfGiven(ESetting::kAmpl);
    SendIfGiven(ESetting::kOffset);
  }

  const CSetupReading& m_reading;
  CSettings m_start;
  CSettings m_target;
  std::vector<int> m_lastLine = std::vector<int>(kSettingCount, 0);
  int m_modeOnLine = 0;  // the last line that turned a mode on
  CRecallPlan m_plan;
};

}  // namespace

CSettingValues RememberedValues(const CInstrument& instrument) {
  CSettingValues values;
  for (size_t i = 0; i < kSettingCount; ++i) values.push_back(instrument.Remembered(kSettingTable[i]));
  return values;
}

CSettingValues PowerOnValues() {
  CSettingValues values;
  for (size_t i = 0; i < kSettingCount; ++i)
    values.push_back(*ReadSettingValue(kSettingTable[i], kSettingTable[i].m_default).m_value);
  return values;
}

CRecallPlan PlanRecall(const CSetupReading& reading, const CSettingValues& present) {
  return CPlanner(reading, present).Plan();
}

CSetupReading ReadingOf(const std::vector<CSetupStep>& steps) {
  CSetupReading reading;
  int line = 0;
  for (const CSetupStep& step : steps) reading.m_steps.push_back({step.m_row, step.m_value, ++line});
  return reading;
}
