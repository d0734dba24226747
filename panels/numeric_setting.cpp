#include "panels/numeric_setting.h"

#include <cmath>

#include "controls/palette.h"
#include "instrument/instrument.h"
#include "instrument/setting_text.h"
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

void CNumericFieldSetting::ShowRemembered() { Show(Get(0)); }

void CNumericFieldSetting::ShowFromInstrument() { Show(Get(1)); }

void CNumericFieldSetting::SendTyped() { Set(Limited(m_field->ReadValue())); }

void CNumericFieldSetting::StepShown(bool up) { Show(Stepped(m_field->ReadValue(), up)); }

void CNumericFieldSetting::SendShown() { Set(m_field->ReadValue()); }

void CNumericFieldSetting::Show(double v) { m_field->ShowValue(v); }

HBRUSH CNumericFieldSetting::CtlColor(HDC dc, HWND control, UINT kind) {
  return m_field->CtlColor(dc, control, kind);
}

CNumericSetting::CNumericSetting(CWnd* dialog, int editId, int spinId, ESetting setting,
                                 const char* unit)
    : CNumericFieldSetting(dialog, editId, spinId, unit),
      m_row(SettingRow(setting)),
      m_limits([this] { return CLimits{m_row.m_min, m_row.m_max}; }) {
  m_field->m_showUnit = 1;
  m_field->ShowValueFixed(PowerOnValue(m_row).m_number);
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

double CNumericSetting::Get(int16_t query) const {
  return Instrument().GetSetting(m_row, query).m_number;
}

void CNumericSetting::Set(double v) { Instrument().SetSetting(m_row, SettingValueOf(v)); }

double CNumericSetting::Limited(double v) const {
  CLimits limits = m_limits();
  if (m_minimumFirst) {
    if (v < limits.min) return limits.min;
    if (v > limits.max) return limits.max;
  } else {
    if (v > limits.max) return limits.max;
    if (v < limits.min) return limits.min;
  }
  return v;
}

void CNumericSetting::ReadBackAfterEnter() {
  ShowFromInstrument();
  for (CPanelElement* other : m_reReadAfterEnter) other->ShowFromInstrument();
}

double CNumericSetting::ArrowStep(double v, bool up) const {
  if (m_fixedStep != 0.0) return up ? v + m_fixedStep : v - m_fixedStep;
  if (m_zeroBand && v > -kZeroBand && v < kZeroBand) return up ? kZeroBand : -kZeroBand;
  return SignedDecadeStep(v, up);
}

// The upper arrow stops at the maximum only, the lower arrow at the minimum only.
double CNumericSetting::Stepped(double shown, bool up) const {
  double v = ArrowStep(shown, up);
  CLimits limits = m_limits();
  if (up && v > limits.max) return limits.max;
  if (!up && v < limits.min) return limits.min;
  return v;
}

void CNumericSetting::ReadBackAfterSpin() {
  ShowFromInstrument();
  for (CPanelElement* other : m_reReadAfterSpin) other->ShowFromInstrument();
}
