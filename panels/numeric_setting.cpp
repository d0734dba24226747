#include "panels/numeric_setting.h"

#include <cmath>

#include "controls/palette.h"
#include "instrument/instrument.h"
#include "instrument/step_value.h"
#include "panels/panel_host.h"

namespace {
const unsigned kNoPrefix = 4;
const double kZeroBand = 0.001;
}  // namespace

double SignedDecadeStep(double v, bool up) {
  if (v < 0) return -StepValue(-v, up ? 0 : 1);
  return StepValue(v, up ? 1 : 0);
}

CNumericFieldSetting::CNumericFieldSetting(CWnd* dialog, int editId, int spinId,
                                           const char* unit)
    : CPanelField(editId, spinId),
      m_field(std::make_unique<CNumericField>(dialog, editId, PanelColor(5), PanelColor(0), unit,
                                              kNoPrefix)) {}

HBRUSH CNumericFieldSetting::CtlColor(HDC dc, HWND control, UINT kind) {
  return m_field->CtlColor(dc, control, kind);
}

CNumericSetting::CNumericSetting(CWnd* dialog, int editId, int spinId, const char* unit,
                                 double initial, Getter get, Setter set)
    : CNumericFieldSetting(dialog, editId, spinId, unit),
      m_get(get),
      m_set(set) {
  m_field->m_showUnit = 1;
  m_field->ShowValueFixed(initial);
}

CNumericSetting& CNumericSetting::Limits(double min, double max) {
  m_limits = [min, max] { return CLimits{min, max}; };
  return *this;
}

CNumericSetting& CNumericSetting::Limits(std::function<CLimits()> limits) {
  m_limits = std::move(limits);
  return *this;
}

CNumericSetting& CNumericSetting::MinimumTestedFirst() {
  m_minimumFirst = true;
  return *this;
}

CNumericSetting& CNumericSetting::FixedStep(double step) {
  m_fixedStep = step;
  return *this;
}

CNumericSetting& CNumericSetting::ZeroBand() {
  m_zeroBand = true;
  return *this;
}

CNumericSetting& CNumericSetting::ReReadAfterEnter(CPanelElement* other) {
  m_reReadAfterEnter.push_back(other);
  return *this;
}

CNumericSetting& CNumericSetting::ReReadAfterSpin(CPanelElement* other) {
  m_reReadAfterSpin.push_back(other);
  return *this;
}

void CNumericSetting::ShowRemembered() { m_field->ShowValue((Instrument().*m_get)(0)); }

void CNumericSetting::ShowFromInstrument() { m_field->ShowValue((Instrument().*m_get)(1)); }

// A setting given no limits takes any value.
CLimits CNumericSetting::CurrentLimits() const {
  return m_limits ? m_limits() : CLimits{-HUGE_VAL, HUGE_VAL};
}

double CNumericSetting::Clamped(double v) const {
  CLimits limits = CurrentLimits();
  if (m_minimumFirst) {
    if (v < limits.min) return limits.min;
    if (v > limits.max) return limits.max;
  } else {
    if (v > limits.max) return limits.max;
    if (v < limits.min) return limits.min;
  }
  return v;
}

void CNumericSetting::SendTyped() { (Instrument().*m_set)(Clamped(m_field->ReadValue())); }

void CNumericSetting::ReadBackAfterEnter() {
  ShowFromInstrument();
  for (CPanelElement* other : m_reReadAfterEnter) other->ShowFromInstrument();
}

double CNumericSetting::Stepped(double v, bool up) const {
  if (m_fixedStep != 0.0) return up ? v + m_fixedStep : v - m_fixedStep;
  if (m_zeroBand && v > -kZeroBand && v < kZeroBand) return up ? kZeroBand : -kZeroBand;
  return SignedDecadeStep(v, up);
}

// The upper arrow stops at the maximum only, the lower arrow at the minimum only.
void CNumericSetting::StepShown(bool up) {
  double v = Stepped(m_field->ReadValue(), up);
  CLimits limits = CurrentLimits();
  if (up && v > limits.max) v = limits.max;
  if (!up && v < limits.min) v = limits.min;
  m_field->ShowValue(v);
}

void CNumericSetting::SendShown() { (Instrument().*m_set)(m_field->ReadValue()); }

void CNumericSetting::ReadBackAfterSpin() {
  ShowFromInstrument();
  for (CPanelElement* other : m_reReadAfterSpin) other->ShowFromInstrument();
}
