#include "tests/hardening/remembered_state.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "instrument/instrument.h"

namespace {
std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

bool SameNumber(const std::string& a, const std::string& b) {
  char* endA = nullptr;
  char* endB = nullptr;
  double x = std::strtod(a.c_str(), &endA);
  double y = std::strtod(b.c_str(), &endB);
  if (a.empty() || b.empty() || *endA != '\0' || *endB != '\0') return false;
  return std::fabs(x - y) <= 1e-13 * std::fmax(std::fabs(x), std::fabs(y));
}
}  // namespace

CRememberedState RememberedState(const CInstrument& in) {
  return {
      {"func", Number(in.m_func)},
      {"freq", Number(in.m_freq)},
      {"ampl", Number(in.m_ampl)},
      {"offset", Number(in.m_offset)},
      {"dcyc", Number(in.m_dutyCycle)},
      {"load", Number(in.m_load)},
      {"user", in.m_userFunc},
      {"am.depth", Number(in.m_amDepth)},
      {"am.freq", Number(in.m_amFreq)},
      {"am.func", Number(in.m_amFunc)},
      {"am.source", Number(in.m_amSource)},
      {"am.state", Number(in.m_amState)},
      {"fm.dev", Number(in.m_fmDev)},
      {"fm.freq", Number(in.m_fmFreq)},
      {"fm.func", Number(in.m_fmFunc)},
      {"fm.state", Number(in.m_fmState)},
      {"swe.start", Number(in.m_startFreq)},
      {"swe.stop", Number(in.m_stopFreq)},
      {"swe.time", Number(in.m_sweepTime)},
      {"swe.spacing", Number(in.m_sweepSpacing)},
      {"swe.state", Number(in.m_sweepState)},
      {"trig.source", Number(in.m_trigSource)},
      {"trig.slope", Number(in.m_trigSlope)},
      {"bm.count", Number(in.m_bmCount)},
      {"bm.phase", Number(in.m_bmPhase)},
      {"bm.rate", Number(in.m_bmRate)},
      {"bm.source", Number(in.m_bmSource)},
      {"bm.state", Number(in.m_bmState)},
      {"fsk.freq", Number(in.m_fskFreq)},
      {"fsk.rate", Number(in.m_fskRate)},
      {"fsk.source", Number(in.m_fskSource)},
      {"fsk.state", Number(in.m_fskState)},
  };
}

std::string StateDifferences(const std::map<std::string, std::string>& before,
                             const std::map<std::string, std::string>& after) {
  std::string differences;
  for (const auto& [key, value] : after) {
    auto old = before.find(key);
    std::string was = old != before.end() ? old->second : "(none)";
    if (was != value) differences += key + ": " + was + " -> " + value + "\n";
  }
  for (const auto& [key, value] : before)
    if (after.count(key) == 0) differences += key + ": " + value + " -> (none)\n";
  return differences;
}

std::vector<std::string> Disagreements(const CRememberedState& remembered,
                                       const std::map<std::string, std::string>& instrument) {
  std::vector<std::string> disagreements;
  for (const auto& [key, value] : remembered) {
    auto found = instrument.find(key);
    std::string other = found != instrument.end() ? found->second : "(none)";
    if (value != other && !SameNumber(value, other))
      disagreements.push_back(key + ": remembered " + value + ", instrument " + other);
  }
  return disagreements;
}
