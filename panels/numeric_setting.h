// A numeric value field bound to a double setting: limits and their test order,
// the step of its arrows, and the other fields read again after it is set.
#pragma once

#include "instrument/setting_table.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "controls/numeric_field.h"
#include "panels/panel_element.h"

class CInstrument;
class CWnd;

struct CLimits {
  double min;
  double max;
};

// A field whose edit box is a numeric field in the panel colours (grey, white
// text) with prefix index 4. Enter and the arrows work alike on every such
// field; each setting gives the rules of its value.
class CNumericFieldSetting : public CPanelField {
 public:
  void ShowRemembered() override;
  void ShowFromInstrument() override;
  void SendTyped() override;
  void StepShown(bool up) override;
  void SendShown() override;
  HBRUSH CtlColor(HDC dc, HWND control, UINT kind) override;

 protected:
  CNumericFieldSetting(CWnd* dialog, int editId, int spinId, const char* unit);

  // The remembered value (query 0) or the instrument's (query 1).
  virtual double Get(int16_t query) const = 0;
  virtual void Set(double v) = 0;
  virtual void Show(double v);
  // The typed value as Enter sends it.
  virtual double Limited(double typed) const = 0;
  // The value an arrow shows after `shown`.
  virtual double Stepped(double shown, bool up) const = 0;

  std::unique_ptr<CNumericField> m_field;
};

// A field of a real setting. The setting's row gives its power-on value, shown
// unscaled with the unit at first, and its limits, the instrument's absolute
// range; decade step and maximum tested first unless changed.
class CNumericSetting : public CNumericFieldSetting {
 public:
  CNumericSetting(CWnd* dialog, int editId, int spinId, ESetting setting, const char* unit);

  // Limits that depend on other settings, instead of the row's.
  CNumericSetting& Limits(std::function<CLimits()> limits);
  CNumericSetting& MinimumTestedFirst();
  CNumericSetting& FixedStep(double step);
  // Within (-0.001, 0.001) the arrows go to +-0.001 instead of the decade step.
  CNumericSetting& ZeroBand();
  CNumericSetting& ReReadAfterEnter(CPanelElement* other);
  CNumericSetting& ReReadAfterSpin(CPanelElement* other);

  CNumericField& Field() { return *m_field; }

  void ReadBackAfterEnter() override;
  void ReadBackAfterSpin() override;

 private:
  double Get(int16_t query) const override;
  void Set(double v) override;
  double Limited(double typed) const override;
  double Stepped(double shown, bool up) const override;
  double ArrowStep(double v, bool up) const;

  const CSetting& m_row;
  std::function<CLimits()> m_limits;
  bool m_minimumFirst = false;
  double m_fixedStep = 0.0;  // 0: decade step
  bool m_zeroBand = false;
  std::vector<CPanelElement*> m_reReadAfterEnter;
  std::vector<CPanelElement*> m_reReadAfterSpin;
};

// The decade step for either sign: a negative value steps its magnitude the
// other way, so that the upper arrow always makes the value larger.
double SignedDecadeStep(double v, bool up);
