// The burst count: 1 to 50000 cycles, or an infinite count, which the field
// shows and accepts as INF. The count is always written unscaled (50000
// Cycles), and its arrows step by one cycle between 1 and INF.
#pragma once

#include <cstdint>
#include <functional>

#include "panels/numeric_setting.h"

class CWnd;

class CBurstCountSetting : public CNumericFieldSetting {
 public:
  // `afterSendFailure` runs when the instrument rejected a count.
  CBurstCountSetting(CWnd* dialog, int editId, int spinId,
                     std::function<void()> afterSendFailure);

  void AfterSendFailure() override;

 private:
  double Get(int16_t query) const override;
  void Set(double v) override;
  void Show(double v) override;
  double Limited(double typed) const override;
  double Stepped(double shown, bool up) const override;

  std::function<void()> m_afterSendFailure;
};
